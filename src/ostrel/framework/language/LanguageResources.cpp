#include "ostrel/framework/language/LanguageResources.h"

#include "common/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ostrel {

namespace {
const char kTokenListFile[] = "LanguageTokenList.txt";

QString existingFile(const QString &path)
{
    return QFileInfo(path).isFile() ? path : QString();
}
} // namespace

QString LanguageResources::defaultFolder()
{
    const QString env = qEnvironmentVariable("OSTREL_LANGUAGE_DIR");
    if (!env.isEmpty())
        return env;
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << yov::InstallLayout::resourcesDir() + QStringLiteral("/Language");
    candidates << QStringLiteral("/usr/local/share/ostrel/Language") << QStringLiteral("/usr/share/ostrel/Language");
    for (const QString &c : std::as_const(candidates)) {
        if (QFileInfo(c).isDir())
            return c;
    }
    return QString();
}

QString LanguageResources::tokenListPath(const QString &folder, const QString &languageName)
{
    if (folder.isEmpty() || languageName.isEmpty() || languageName.contains(u'/') || languageName.startsWith(u'.'))
        return QString();
    return existingFile(QDir(folder).filePath(languageName + QStringLiteral(".lproj/") + QLatin1String(kTokenListFile)));
}

QString LanguageResources::fallbackTokenListPath(const QString &folder)
{
    if (folder.isEmpty())
        return QString();
    return existingFile(QDir(folder).filePath(QLatin1String(kTokenListFile)));
}

} // namespace ostrel
