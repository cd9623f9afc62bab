#include "common/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>

namespace yov {

QString InstallLayout::programDir()
{
    return QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
}

QString InstallLayout::prefix(const QString &dir)
{
    return QDir::cleanPath((dir.isEmpty() ? programDir() : dir) + QStringLiteral("/.."));
}

QString InstallLayout::binDir(const QString &dir)
{
    return prefix(dir) + QStringLiteral("/bin");
}

QString InstallLayout::resourcesDir(const QString &dir)
{
    return prefix(dir) + QStringLiteral("/share/ostrel");
}

QString InstallLayout::pluginDir(const QString &dir)
{
    return prefix(dir) + QStringLiteral("/lib/ostrel/plugins");
}

} // namespace yov
