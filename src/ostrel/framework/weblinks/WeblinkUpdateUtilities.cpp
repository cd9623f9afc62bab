#include "ostrel/framework/weblinks/WeblinkUpdateUtilities.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/weblinks/HttpDate.h"
#include "platform/NotificationCenter.h"

#include <QFileInfo>
#include <QLoggingCategory>

namespace ostrel {

namespace {
Q_LOGGING_CATEGORY(lcWeblinks, "ostrel.weblinks")
const QString kImageURL = QStringLiteral("ImageURL");
const QString kImageStorePath = QStringLiteral("ImageStorePath");
const QString kImageModifiedDate = QStringLiteral("ImageModifiedDate");
const QString kLatestImageModifiedDate = QStringLiteral("LatestImageModifiedDate");
} // namespace

WeblinkUpdateUtilities::WeblinkUpdateUtilities(DownloadUtilities *downloader) : downloader_(downloader)
{
    if (downloader_)
        downloader_->setDelegate(this);
}

WeblinkUpdateUtilities *WeblinkUpdateUtilities::sharedUpdateManager()
{
    static WeblinkUpdateUtilities *shared = new WeblinkUpdateUtilities(DownloadUtilities::sharedDownloadManager());
    return shared;
}

void WeblinkUpdateUtilities::setcfgFile(const QString &path)
{
    if (path == cfgFile_)
        return;
    cfgFile_ = path;
    loadcfg();
}

bool WeblinkUpdateUtilities::listFileExists() const
{
    return !cfgFile_.isEmpty() && QFileInfo(cfgFile_).isFile();
}

void WeblinkUpdateUtilities::loadcfg()
{
    iconLinks_.clear();
    if (!listFileExists())
        return;
    QString error;
    const std::optional<QVariant> root = yov::PlistBridge::readFile(cfgFile_, &error);
    if (!root || root->typeId() != QMetaType::QVariantList) {
        qCWarning(lcWeblinks).noquote() << QStringLiteral("link list %1 not read: %2")
                                               .arg(cfgFile_, error.isEmpty() ? QStringLiteral("not a list") : error);
        return;
    }
    int index = 0;
    for (const QVariant &entry : root->toList()) {
        if (entry.typeId() == QMetaType::QVariantMap)
            iconLinks_.append(entry);
        else
            qCWarning(lcWeblinks).noquote() << QStringLiteral("link list %1: entry %2 is not a dictionary, skipped")
                                                   .arg(cfgFile_)
                                                   .arg(index);
        ++index;
    }
}

bool WeblinkUpdateUtilities::savecfg()
{
    QString error;
    if (cfgFile_.isEmpty() || !yov::PlistBridge::writeFile(cfgFile_, iconLinks_, &error)) {
        qCWarning(lcWeblinks).noquote() << QStringLiteral("link list %1 not saved: %2").arg(cfgFile_, error);
        return false;
    }
    return true;
}

bool WeblinkUpdateUtilities::isKnownURLInIconLinks(const QString &url) const
{
    if (url.startsWith(QLatin1String("file://")))
        return true;
    for (const QVariant &entry : iconLinks_) {
        const QVariantMap map = entry.toMap();
        if (yov::nsString(map.value(kImageURL)) == url || yov::nsString(map.value(kImageStorePath)) == url)
            return true;
    }
    return false;
}

int WeblinkUpdateUtilities::indexOfURL(const QString &url) const
{
    for (int i = 0; i < iconLinks_.size(); ++i)
        if (yov::nsString(iconLinks_.at(i).toMap().value(kImageURL)) == url)
            return i;
    return -1;
}

QVariantMap WeblinkUpdateUtilities::iconLinkPropertiesForURL(const QString &url) const
{
    const int i = indexOfURL(url);
    return i < 0 ? QVariantMap() : iconLinks_.at(i).toMap();
}

int WeblinkUpdateUtilities::startUpdateWebLinks()
{
    if (!listFileExists())
        return kNoListFile;
    for (const QVariant &entry : iconLinks_) {
        const QString url = yov::nsString(entry.toMap().value(kImageURL));
        if (!url.isEmpty() && downloader_)
            downloader_->startQueryURLModifiedDate(url);
    }
    return 0;
}

void WeblinkUpdateUtilities::lastModifiedDate(const QString &date, const QString &url)
{
    const int i = indexOfURL(url);
    if (i < 0)
        return;
    QVariantMap entry = iconLinks_.at(i).toMap();
    const std::optional<QDateTime> server = parseHttpDate(date);
    if (!server) {
        qCInfo(lcWeblinks).noquote() << QStringLiteral("%1: unreadable Last-Modified date \"%2\"").arg(url, date);
        return;
    }
    // A missing or unreadable stored date counts as older.
    const std::optional<QDateTime> stored = parseHttpDate(yov::nsString(entry.value(kImageModifiedDate)));
    if (stored && server->toSecsSinceEpoch() <= stored->toSecsSinceEpoch())
        return;
    entry.insert(kLatestImageModifiedDate, date);
    iconLinks_[i] = entry;
    if (downloader_)
        downloader_->startDownloadingURL(url);
}

QString WeblinkUpdateUtilities::destinationSuggestedFilenameForURL(const QString &url)
{
    if (!listFileExists())
        return QString();
    QString path;
    for (const QVariant &entry : iconLinks_) {
        const QVariantMap map = entry.toMap();
        if (yov::nsString(map.value(kImageURL)) == url)
            path = yov::nsString(map.value(kImageStorePath));
    }
    return path;
}

void WeblinkUpdateUtilities::downloadDidFinishWithURL(const QString &url)
{
    if (!listFileExists())
        return;
    const int i = indexOfURL(url);
    if (i >= 0) {
        QVariantMap entry = iconLinks_.at(i).toMap();
        entry.insert(kImageModifiedDate, entry.value(kLatestImageModifiedDate));
        iconLinks_[i] = entry;
        savecfg();
        if (placer_)
            placer_(entry);
    }
    yov::NotificationCenter &center = center_ ? *center_ : yov::NotificationCenter::defaultCenter();
    center.post(QStringLiteral("LoadImageFormURLOver"));
    center.post(QStringLiteral("loadFavouriteBtnWebKitViews"));
}

} // namespace ostrel
