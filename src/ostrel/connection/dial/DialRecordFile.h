#pragma once
// The record file of the connection records: an XML property list whose root is an array of
// record dictionaries, oldest first. UI-free.
//
// A record: "connectname" (string), "starttime" and "disconnecttime" (dates), "connecttime"
// (integer seconds), "sendbyte" and "receivebyte" (reals, KB; older files hold them as numeric
// text, which reads the same). Anything else in the array is kept as it stands and counts nothing.
//
// A missing file is an empty list. A file that cannot be read (not a property list, not an array,
// too large) is an error and is never written over: every rewrite starts from the file as it
// stands, so a record appended meanwhile by the connection is never lost.
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <functional>

namespace ostrel {

class DialRecordFile {
public:
    // The record keys in the column order of both exports (RecordFileHeaderKeys).
    static const QStringList &recordFileHeaderKeys();

    // The records of the file at path; a missing file gives an empty list. False, with the
    // reason, when the file cannot be read as a list.
    static bool read(const QString &path, QVariantList *records, QString *error = nullptr);
    // Writes the list atomically; false, with the reason, when it cannot (the old file stays).
    static bool write(const QString &path, const QVariantList &records, QString *error = nullptr);
    // Reads the file as it stands, lets change edit the list and writes it back when change
    // answers true. False, the file untouched, when it cannot be read or written; *written tells
    // whether it was written.
    static bool rewrite(const QString &path, const std::function<bool(QVariantList &records)> &change,
                        QString *error = nullptr, bool *written = nullptr);
};

} // namespace ostrel
