#pragma once
// Rewriting single settings of the update manager's "UpdateCfg.ini" (lines of KEY=VALUE).
//
// The text is split at "\n"; lines that are empty or exactly "\r" are dropped; every line that
// starts with the key (after optional blanks; the key includes its "=") keeps its text up to and
// including the key and takes the new value; all lines are written back each followed by "\n\n".
// Comment lines (";" or "#" first) never start with a key and are kept as they are. A value with a
// line break is refused, so that no line can be injected.

#include <QByteArray>
#include <QString>

namespace ostrel {

class UpdateCfgIni {
public:
    // Files above this size are not read.
    static constexpr qint64 kMaxFileSize = 1024 * 1024;

    // The rewritten text; nullopt-like false when the value holds a line break.
    static bool rewrite(const QByteArray &text, const QString &key, const QString &value, QByteArray *out);

    // Reads, rewrites and atomically writes the file; false (file untouched) when it cannot be read,
    // is too large, the value is refused or the write fails.
    static bool rewriteFile(const QString &path, const QString &key, const QString &value);
};

} // namespace ostrel
