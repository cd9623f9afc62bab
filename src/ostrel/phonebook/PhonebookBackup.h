#pragma once
// The backups the number-plan update takes before it rewrites numbers, and the exchange file of
// export and import.
//
// Backups lie in <ModemList>/PhonebookBackup/PC or .../SIM, named "<kind>-yyyy-MM-dd-HH-mm.plist"
// by local time; a name already taken gets "-1", "-2", ... before ".plist", so a backup never
// replaces another. A computer backup is the whole grouped list (each group beginning with its
// header, whose "groupname" is text); a SIM backup is an array of contact dictionaries.
//
// The exchange file is an XML property list whose root is an array of contact dictionaries.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <optional>

namespace ostrel {

class PhonebookBackup {
public:
    static inline const QString kPC = QStringLiteral("PC");
    static inline const QString kSIM = QStringLiteral("SIM");

    static QString folder(const QString &modemListPath, const QString &kind);
    // A new backup's path in the folder (never an existing file's).
    static QString newFilePath(const QString &folder, const QString &kind, const QDateTime &localTime);
    // The one backup of the folder; an empty text when there are several; nullopt when the folder
    // is missing or holds none.
    static std::optional<QString> currentFilePath(const QString &folder);
    // The backup's contents when it lies directly in the folder and has the kind's shape.
    static std::optional<QVariant> read(const QString &path, const QString &folder, const QString &kind);
    static bool isValidForPC(const QVariant &root);
    static bool isValidForSIM(const QVariant &root);

    // The contacts of an exchange file; nullopt when it is not a property list (or too large)
    // whose root is an array of dictionaries.
    static std::optional<QList<QVariantMap>> readExchangeFile(const QString &path);
    // Writes the contacts without their all-storage tag, atomically.
    static bool writeExchangeFile(const QString &path, const QList<QVariantMap> &contacts);
    // The path with its extension replaced by ".plist".
    static QString withPlistExtension(const QString &path);
};

} // namespace ostrel
