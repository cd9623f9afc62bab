#pragma once
// Atomic file writing for every data file: the new contents replace the old file in one rename,
// so a failed write leaves the old file whole. And the one way a data file that cannot be read is
// put aside: renamed, byte for byte, never written over.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace yov {

class AtomicFile {
public:
    // Writes data to path through a temporary file in the same folder. Missing parent folders
    // are created. Returns false (and a reason when error is given) when anything fails.
    static bool write(const QString &path, const QByteArray &data, QString *error = nullptr);
    // The same, for a file that holds secrets: the new file is readable and writable by its owner
    // alone (mode 0600), from its first byte on, whatever mode the old file had.
    static bool writePrivate(const QString &path, const QByteArray &data, QString *error = nullptr);

    // The free name "<path>.unreadable-<yyyyMMdd-HHmmss>" for the file at that time ("-2", "-3"...
    // added rather than name an existing file).
    static QString unreadableCopyName(const QString &path, const QDateTime &when);
    // Renames the file at path to unreadableCopyName(); a rename never replaces an existing file.
    // Returns the new path, or "" (and a reason when error is given) when it could not be moved.
    static QString moveAsideUnreadable(const QString &path, const QDateTime &when, QString *error = nullptr);
    // The free name "<base>", else "<base>-2", "<base>-3"...: one that names no file (nor link).
    static QString freeNumberedName(const QString &base);
};

} // namespace yov
