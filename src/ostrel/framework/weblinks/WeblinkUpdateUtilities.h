#pragma once
// The list of operator link icons ("IconLinks.plist" or "WebLinkInfo.plist", as the caller
// chooses; the last caller wins) and their refresh from the operator's server.
//
// The list file is an array of dictionaries {"ImageURL", "ImageStorePath", "ImageModifiedDate",
// "LatestImageModifiedDate"}. A refresh asks the server for each listed picture's date and
// downloads the pictures that are newer than the stored copy; when one is stored, its entry takes
// the new date, the list is saved, the picture is placed (the placer the connection page
// installs) and "LoadImageFormURLOver" and "loadFavouriteBtnWebKitViews" are posted.
//
// Entries that are not dictionaries are skipped and logged. Main thread only.
#include "ostrel/framework/weblinks/DownloadUtilities.h"

#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

namespace yov { class NotificationCenter; }

namespace ostrel {

class WeblinkUpdateUtilities : public DownloadDelegate {
public:
    // What startUpdateWebLinks() answers when the list file does not exist.
    static constexpr int kNoListFile = -43;

    explicit WeblinkUpdateUtilities(DownloadUtilities *downloader);
    static WeblinkUpdateUtilities *sharedUpdateManager();

    void setcfgFile(const QString &path);
    QString cfgFile() const { return cfgFile_; }
    void loadcfg();
    bool savecfg();
    const QVariantList &iconLinks() const { return iconLinks_; }

    // YES for a "file://" address and for the "ImageURL" or "ImageStorePath" of any entry.
    bool isKnownURLInIconLinks(const QString &url) const;
    // The first entry with this "ImageURL"; empty when none.
    QVariantMap iconLinkPropertiesForURL(const QString &url) const;
    // Starts a date query for every entry with an "ImageURL", in list order; 0, or kNoListFile.
    int startUpdateWebLinks();

    // Places a stored picture (the connection page's loadIconImageAccordingProperty).
    using IconPlacer = std::function<void(const QVariantMap &entry)>;
    void setIconPlacer(IconPlacer placer) { placer_ = std::move(placer); }

    void setNotificationCenter(yov::NotificationCenter *center) { center_ = center; }

    // ---- DownloadDelegate
    void lastModifiedDate(const QString &date, const QString &url) override;
    QString destinationSuggestedFilenameForURL(const QString &url) override;
    void downloadDidFinishWithURL(const QString &url) override;

private:
    bool listFileExists() const;
    int indexOfURL(const QString &url) const;

    DownloadUtilities *downloader_;
    yov::NotificationCenter *center_ = nullptr;
    QString cfgFile_;
    QVariantList iconLinks_;
    IconPlacer placer_;
};

} // namespace ostrel
