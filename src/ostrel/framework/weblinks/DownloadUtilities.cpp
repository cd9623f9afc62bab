#include "ostrel/framework/weblinks/DownloadUtilities.h"

#include "common/ModemListResolver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSaveFile>

namespace ostrel {

namespace {
Q_LOGGING_CATEGORY(lcDownload, "ostrel.weblinks")

// The file name the server suggests: the Content-Disposition's, else the address's last part.
QString suggestedFilename(QNetworkReply *reply)
{
    const QString disposition = QString::fromLatin1(reply->rawHeader("Content-Disposition"));
    static const QRegularExpression name(QStringLiteral("filename\\s*=\\s*\"?([^\";]+)\"?"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = name.match(disposition);
    if (m.hasMatch())
        return QFileInfo(m.captured(1).trimmed()).fileName();
    return reply->url().fileName();
}
} // namespace

DownloadUtilities::DownloadUtilities(QObject *parent) : QObject(parent), network_(new QNetworkAccessManager(this))
{
    network_->setRedirectPolicy(QNetworkRequest::NoLessSafeRedirectPolicy);
}

DownloadUtilities *DownloadUtilities::sharedDownloadManager()
{
    static DownloadUtilities *shared = new DownloadUtilities;
    return shared;
}

void DownloadUtilities::setDownloadFolder(const QString &path)
{
    if (QFileInfo(path).isDir())
        downloadFolder_ = path;
    else
        qCInfo(lcDownload).noquote() << QStringLiteral("download folder %1 does not exist: kept %2").arg(path, downloadFolder_);
}

QString DownloadUtilities::modemListFolder() const
{
    return modemListFolder_.isEmpty() ? yov::ModemListResolver::modemListPath() : modemListFolder_;
}

QString DownloadUtilities::allowedDestination(const QString &path) const
{
    const QString root = QFileInfo(modemListFolder()).canonicalFilePath();
    if (path.isEmpty() || root.isEmpty())
        return QString();
    const QString full = QDir::cleanPath(QDir::isAbsolutePath(path) ? path : root + QLatin1Char('/') + path);
    // The folder that would hold the file, with links resolved, must lie inside ModemList.
    QString parent = QFileInfo(full).absolutePath();
    QString existing = parent;
    while (!QFileInfo::exists(existing) && existing != QLatin1String("/"))
        existing = QFileInfo(existing).absolutePath();
    const QString resolved = QFileInfo(existing).canonicalFilePath();
    const QString rest = parent.mid(existing.size());
    const QString target = QDir::cleanPath(resolved + rest) + QLatin1Char('/') + QFileInfo(full).fileName();
    if (!target.startsWith(root + QLatin1Char('/'))) {
        qCWarning(lcDownload).noquote() << QStringLiteral("refused to store a link picture at %1: it lies outside %2")
                                               .arg(path, root);
        return QString();
    }
    return target;
}

void DownloadUtilities::startQueryURLModifiedDate(const QString &url)
{
    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("User-Agent", kUserAgent);
    request.setTransferTimeout(kQueryTimeoutMs);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    QNetworkReply *reply = network_->get(request);
    // Only the headers are used: once the final answer's headers are in, the body is not fetched.
    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply, url] {
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (status == 0 || (status >= 300 && status < 400) || reply->property("answered").toBool())
            return; // not yet the final answer
        reply->setProperty("answered", true);
        answerQuery(reply, url);
        reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, url] { queryDone(reply, url); });
    reply->setReadBufferSize(64 * 1024);
}

void DownloadUtilities::queryDone(QNetworkReply *reply, const QString &url)
{
    reply->deleteLater();
    if (!reply->property("answered").toBool())
        answerQuery(reply, url);
    emit queryFinished(url);
}

void DownloadUtilities::answerQuery(QNetworkReply *reply, const QString &url)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() != QNetworkReply::NoError || status >= 400) {
        qCInfo(lcDownload).noquote() << QStringLiteral("date query of %1 failed: %2").arg(url, reply->errorString());
    } else if (reply->hasRawHeader("Last-Modified")) {
        if (delegate_)
            delegate_->lastModifiedDate(QString::fromLatin1(reply->rawHeader("Last-Modified")), url);
    } else {
        qCInfo(lcDownload).noquote() << QStringLiteral("%1 has no Last-Modified date").arg(url);
    }
}

void DownloadUtilities::startDownloadingURL(const QString &url)
{
    QNetworkRequest request{QUrl(url)};
    request.setTransferTimeout(kDownloadTimeoutMs);
    QNetworkReply *reply = network_->get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > maxDownloadBytes) {
            reply->setProperty("tooLarge", true);
            reply->abort();
        }
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, url] { downloadDone(reply, url); });
}

void DownloadUtilities::downloadDone(QNetworkReply *reply, const QString &url)
{
    reply->deleteLater();
    const bool stored = store(reply, url);
    if (stored && delegate_)
        delegate_->downloadDidFinishWithURL(url);
    emit downloadFinished(url, stored);
}

bool DownloadUtilities::store(QNetworkReply *reply, const QString &url)
{
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->property("tooLarge").toBool()) {
        qCWarning(lcDownload).noquote() << QStringLiteral("download of %1 dropped: larger than %2 bytes").arg(url).arg(maxDownloadBytes);
        return false;
    }
    if (reply->error() != QNetworkReply::NoError || status >= 400) {
        qCInfo(lcDownload).noquote() << QStringLiteral("download of %1 failed: %2").arg(url, reply->errorString());
        return false;
    }
    const QString requested = reply->request().url().toString();
    const QString suggested = suggestedFilename(reply);
    if (suggested.isEmpty() || !requested.endsWith(suggested)) {
        qCInfo(lcDownload).noquote() << QStringLiteral("download of %1 cancelled: the server names it %2").arg(requested, suggested);
        return false;
    }
    const QString listed = delegate_ ? delegate_->destinationSuggestedFilenameForURL(url) : QString();
    const QString destination = allowedDestination(listed);
    if (destination.isEmpty())
        return false;
    if (QFileInfo::exists(destination) && !QFile::remove(destination)) {
        qCWarning(lcDownload).noquote() << QStringLiteral("download of %1 not stored: %2 could not be removed").arg(requested, destination);
        return false;
    }
    QDir().mkpath(QFileInfo(destination).absolutePath());
    QSaveFile file(destination);
    if (!file.open(QIODevice::WriteOnly) || file.write(reply->readAll()) < 0 || !file.commit()) {
        qCWarning(lcDownload).noquote() << QStringLiteral("download of %1 not stored at %2: %3").arg(requested, destination, file.errorString());
        return false;
    }
    return true;
}

} // namespace ostrel
