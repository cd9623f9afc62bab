#include "ostrel/framework/widgets/ResourcePaths.h"

#include "common/InstallLayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace ostrel {

namespace {
QString &overridePath()
{
    static QString path;
    return path;
}
} // namespace

QString ResourcePaths::resourcesPath()
{
    if (!overridePath().isEmpty())
        return overridePath();
    return yov::InstallLayout::resourcesDir();
}

void ResourcePaths::setResourcesPath(const QString &path)
{
    overridePath() = path;
}

QImage ResourcePaths::applicationImage(const QString &name)
{
    return imageInFolder(resourcesPath() + QStringLiteral("/images"), name);
}

QImage ResourcePaths::imageInFolder(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        return {};
    const QString base = folder + QLatin1Char('/') + name;
    for (const QString &candidate : {base, base + QStringLiteral(".png"), base + QStringLiteral(".PNG")}) {
        if (QFileInfo(candidate).isFile()) {
            QImage image(candidate);
            if (!image.isNull())
                return image;
        }
    }
    return {};
}

} // namespace ostrel
