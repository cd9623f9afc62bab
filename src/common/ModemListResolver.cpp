#include "common/ModemListResolver.h"

#include "common/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QtGlobal>
#include <QDebug>

namespace yov {

namespace {

QString clean(const QString &path)
{
    return QDir::cleanPath(path);
}

// Copies the template tree into target; files already in target are kept.
bool seedFrom(const QString &source, const QString &target)
{
    if (!QDir().mkpath(target))
        return false;
    QDirIterator it(source, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    bool ok = true;
    while (it.hasNext()) {
        const QString from = it.next();
        const QString rel = QDir(source).relativeFilePath(from);
        const QString to = QDir(target).filePath(rel);
        if (it.fileInfo().isDir()) {
            ok = QDir().mkpath(to) && ok;
        } else if (!QFileInfo::exists(to)) {
            QDir().mkpath(QFileInfo(to).absolutePath());
            if (QFile::copy(from, to))
                QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
            else
                ok = false;
        }
    }
    return ok;
}

} // namespace

ModemListResolver::Inputs ModemListResolver::currentInputs()
{
    Inputs in;
    in.overridePath = qEnvironmentVariable("OSTREL_MODEMLIST");
    in.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    in.programDir = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                 : QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section(u'/', 0, -2);
    return in;
}

QStringList ModemListResolver::searchedLocations(const Inputs &in)
{
    QStringList out;
    if (!in.programDir.isEmpty()) {
        const QString prefix = InstallLayout::prefix(in.programDir);
        out << clean(InstallLayout::resourcesDir(in.programDir) + QStringLiteral("/ModemList"))
            << clean(prefix + QStringLiteral("/../ModemList"))
            << clean(prefix + QStringLiteral("/../../Resources/ModemList"));
    }
    if (!in.systemDir.isEmpty())
        out << clean(in.systemDir);
    return out;
}

QString ModemListResolver::templatePath(const Inputs &in)
{
    for (const QString &candidate : searchedLocations(in))
        if (QFileInfo(candidate).isDir())
            return candidate;
    return QString();
}

bool ModemListResolver::isShippedLocation(const QString &folder, const Inputs &in)
{
    if (folder.isEmpty())
        return false;
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    for (const QString &candidate : searchedLocations(in)) {
        if (clean(folder) == candidate)
            return true;
        const QString other = QFileInfo(candidate).canonicalFilePath();
        if (!canonical.isEmpty() && canonical == other)
            return true;
    }
    return false;
}

QString ModemListResolver::resolve(const Inputs &in)
{
    if (!in.overridePath.isEmpty()) {
        QString path = in.overridePath;
        if (path.startsWith(QStringLiteral("~/")))
            path = QDir::homePath() + path.mid(1);
        path = clean(QDir(path).absolutePath());
        QDir().mkpath(path);
        return path;
    }
    const QString shipped = templatePath(in);
    if (!in.dataHome.isEmpty()) {
        const QString userCopy = clean(in.dataHome + QStringLiteral("/ostrel/ModemList"));
        if (QFileInfo(userCopy).isDir()) {
            // Files the template gained since the copy was made are added; the user's own are kept.
            if (!shipped.isEmpty())
                seedFrom(shipped, userCopy);
            return userCopy;
        }
        if (!shipped.isEmpty()) {
            if (seedFrom(shipped, userCopy))
                return userCopy;
            qWarning("Could not create the per-user ModemList copy at %s; using %s",
                     qPrintable(userCopy), qPrintable(shipped));
        }
    }
    if (!shipped.isEmpty())
        return shipped;
    qWarning("Can not find ModemList path!!!");
    return QString();
}

QString ModemListResolver::modemListPath()
{
    static const QString path = resolve(currentInputs());
    return path;
}

} // namespace yov
