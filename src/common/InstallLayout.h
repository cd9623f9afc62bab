#pragma once
// Where the running program's installed pieces are. The build tree mirrors an installed prefix:
//   <prefix>/bin/                 the programs (ostrel, Brannoc, kestrin, ...)
//   <prefix>/share/ostrel/        shipped data (ModemList template, skins, language lists, ...)
//   <prefix>/lib/ostrel/plugins/  tab plug-ins
// <prefix> is the folder above the running program's folder.

#include <QString>

namespace yov {

class InstallLayout {
public:
    // The running program's folder (the current folder when there is no application object).
    static QString programDir();
    // The folders, for a program living in programDir (empty: this process's program folder).
    static QString prefix(const QString &programDir = QString());
    static QString binDir(const QString &programDir = QString());
    static QString resourcesDir(const QString &programDir = QString());
    static QString pluginDir(const QString &programDir = QString());
};

} // namespace yov
