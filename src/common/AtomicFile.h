#pragma once
// Atomic file writing for every data file: the new contents replace the old file in one rename,
// so a failed write leaves the old file whole.

#include <QByteArray>
#include <QString>

namespace yov {

class AtomicFile {
public:
    // Writes data to path through a temporary file in the same folder. Missing parent folders
    // are created. Returns false (and a reason when error is given) when anything fails.
    static bool write(const QString &path, const QByteArray &data, QString *error = nullptr);
};

} // namespace yov
