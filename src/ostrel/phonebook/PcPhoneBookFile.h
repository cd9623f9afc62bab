#pragma once
// The computer phonebook file: an XML property list whose root is an array of groups; each group
// is an array whose element 0 is the group's header (a dictionary holding "groupname") and whose
// further elements are its contacts (dictionaries). Keys the dashboard does not know are kept.
//
// A file that exists but cannot be read (no property list, above the reader's limit, or not of that
// shape) is never written over: it is renamed to "<name>.unreadable" ("<name>.unreadable-2", ...
// when that name is taken) before the phonebook starts empty. Only a regular file is renamed:
// anything else at the path (a folder) is left where it is. A missing file is an empty phonebook.
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace ostrel {

struct PcGroup {
    QVariantMap header;
    QList<QVariantMap> contacts;

    QString name() const;
};

using PcPhoneList = QList<PcGroup>;

struct PcPhoneBookRead {
    enum class Outcome {
        Read,        // the file's groups
        Missing,     // no file: an empty phonebook
        SetAside,    // unreadable, renamed to setAsideAs: an empty phonebook
        LeftInPlace, // unreadable and could not be renamed: an empty phonebook that must not be saved there
    };
    Outcome outcome = Outcome::Missing;
    PcPhoneList groups;
    QString setAsideAs;
    QString reason; // why the file could not be read
};

class PcPhoneBookFile {
public:
    static PcPhoneBookRead read(const QString &path);
    // The groups of a property-list value; nullopt, with the reason, when it lacks the shape. A
    // number where a contact's text belongs becomes its text.
    static std::optional<PcPhoneList> fromPlist(const QVariant &root, QString *reason = nullptr);
    // The same for a phonebook that comes from outside (a backup): every group header must also
    // carry its "groupname" as text.
    static std::optional<PcPhoneList> fromBackup(const QVariant &root, QString *reason = nullptr);
    static QVariantList toPlist(const PcPhoneList &groups);
    // Writes the whole phonebook atomically; false (and the reason) leaves the old file whole.
    static bool write(const QString &path, const PcPhoneList &groups, QString *error = nullptr);
    // The first free name for setting the file at path aside.
    static QString setAsideName(const QString &path);
    // A name that stays inside its folder: not empty, no "/", not "." or "..", no NUL.
    static bool isPlainFileName(const QString &name);
};

} // namespace ostrel
