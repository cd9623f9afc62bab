#pragma once
// Property lists <-> QVariant.
//
// dict -> QVariantMap, array -> QVariantList, true/false -> bool, integer -> qint64 (quint64 above
// INT64_MAX), real -> double, string -> QString, date -> QDateTime (UTC), data -> QByteArray.
// Types survive a round trip: a <true/> stays a bool, an <integer>1</integer> stays an integer.
// Reading accepts XML and binary property lists; writing produces XML. Any date that QDateTime
// can hold is written and read back unchanged.

#include <QByteArray>
#include <QString>
#include <QVariant>
#include <optional>

namespace yov {

class PlistBridge {
public:
    // Files larger than this are refused unread (no data file of the system comes near it).
    static constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;
    // Documents with containers nested deeper than this are refused (none of the system's files
    // nests more than a few levels; converting a much deeper one would exhaust the stack).
    static constexpr int kMaxDepth = 256;

    // Parses XML or binary property-list bytes. A document that does not parse gives nullopt and,
    // when error is given, a reason.
    // XML documents are read by PlistXmlReader where it handles them, everything else by libplist.
    static std::optional<QVariant> parse(const QByteArray &bytes, QString *error = nullptr);
    // libplist alone, whatever the document: the reference the fast XML reader is held to.
    static std::optional<QVariant> parseGeneral(const QByteArray &bytes, QString *error = nullptr);
    static std::optional<QVariant> readFile(const QString &path, QString *error = nullptr);

    // Serialises to an XML property list. A value of a type a property list cannot hold
    // (an invalid QVariant, a pointer, ...) gives nullopt and a reason.
    static std::optional<QByteArray> toXml(const QVariant &value, QString *error = nullptr);

    // Writes an XML property list atomically: on failure the old file is left whole.
    static bool writeFile(const QString &path, const QVariant &value, QString *error = nullptr);
};

} // namespace yov
