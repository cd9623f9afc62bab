#pragma once
// Asks an operator's server for the date of a link picture and downloads the picture.
//
// Both requests are asynchronous and report on the main thread to the delegate (the link-icon
// updater): the date query hands over the reply's "Last-Modified" header, the download asks the
// delegate where the picture goes and reports when it is stored. A failed query or download is
// logged and dropped; nothing is retried.
//
// Pictures are written only inside the ModemList folder: a relative destination is taken inside
// it, one outside it is refused and logged. Redirects never go to a less safe scheme, and a reply
// larger than maxDownloadBytes is abandoned.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

namespace ostrel {

class DownloadDelegate {
public:
    virtual ~DownloadDelegate() = default;
    // A date query was answered with a "Last-Modified" header.
    virtual void lastModifiedDate(const QString &date, const QString &url) = 0;
    // Where the picture of this address is to be stored; empty: nowhere.
    virtual QString destinationSuggestedFilenameForURL(const QString &url) = 0;
    // The picture of this address was stored.
    virtual void downloadDidFinishWithURL(const QString &url) = 0;
};

class DownloadUtilities : public QObject {
    Q_OBJECT
public:
    static constexpr int kQueryTimeoutMs = 15000;
    static constexpr int kDownloadTimeoutMs = 60000;
    static constexpr qint64 maxDownloadBytes = 16 * 1024 * 1024;
    static constexpr const char *kUserAgent = "MySpecialUserAgent/1.0";

    explicit DownloadUtilities(QObject *parent = nullptr);
    static DownloadUtilities *sharedDownloadManager();

    void setDelegate(DownloadDelegate *delegate) { delegate_ = delegate; }

    // Taken only when it names an existing folder.
    void setDownloadFolder(const QString &path);
    QString downloadFolder() const { return downloadFolder_; }

    // The folder downloads may write into (the ModemList folder unless set).
    void setModemListFolder(const QString &path) { modemListFolder_ = path; }
    QString modemListFolder() const;

    void startQueryURLModifiedDate(const QString &url);
    void startDownloadingURL(const QString &url);

    // Where a destination given by a link list may be written: a relative path inside the
    // ModemList folder, an absolute one only when it lies inside it; empty when refused.
    QString allowedDestination(const QString &path) const;

signals:
    // A query or a download ended (after the delegate was told); for tests and tools.
    void queryFinished(const QString &url);
    void downloadFinished(const QString &url, bool stored);

private:
    void queryDone(QNetworkReply *reply, const QString &url);
    // Hands the reply's Last-Modified date to the delegate (or logs why there is none).
    void answerQuery(QNetworkReply *reply, const QString &url);
    void downloadDone(QNetworkReply *reply, const QString &url);
    bool store(QNetworkReply *reply, const QString &url);

    QNetworkAccessManager *network_;
    DownloadDelegate *delegate_ = nullptr;
    QString downloadFolder_;
    QString modemListFolder_;
};

} // namespace ostrel
