#include "ostrel/framework/soap/SoapClient.h"

#include "platform/RecordDispatch.h"

#include <QEventLoop>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QXmlStreamReader>

Q_LOGGING_CATEGORY(lcSoap, "ostrel.soap")

namespace ostrel {

namespace {
const QString kParseOver = QStringLiteral("xmlParseOver");
const QString kServerError = QStringLiteral("connectServerError");
const QString kErrorInfo = QStringLiteral("errorInfor");
const QString kRecordName = QStringLiteral("xmlNodeName");
const QString kRecordValue = QStringLiteral("xmlNodeValue");
} // namespace

SoapClient::SoapClient(QObject *parent, yov::Clock &clock, yov::NotificationCenter &center)
    : QObject(parent), clock_(clock), center_(center), network_(new QNetworkAccessManager(this))
{
}

SoapClient::~SoapClient()
{
    abortInFlight();
}

bool SoapClient::initWithServerName(const QString &address)
{
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        serverUrl_.clear();
        return false;
    }
    serverUrl_ = url;
    return true;
}

void SoapClient::abortInFlight()
{
    if (timeoutId_) {
        clock_.cancel(timeoutId_);
        timeoutId_ = 0;
    }
    if (QNetworkReply *reply = reply_.data()) {
        reply_.clear();
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

std::optional<QByteArray> SoapClient::sendMessage(const QByteArray &body, bool waitForReply)
{
    abortInFlight();
    xmlNodeRecordArray_.clear();
    failure_.clear();
    lastReply_.clear();
    lastWellFormed_ = false;

    if (serverUrl_.isEmpty()) {
        fail(tr("No service address is set."));
        return std::nullopt;
    }

    QNetworkRequest request(serverUrl_);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setHeader(QNetworkRequest::ContentLengthHeader, QByteArray::number(body.size()));
    request.setHeader(QNetworkRequest::ContentTypeHeader, QByteArrayLiteral("text/xml;charset=utf-8"));

    QNetworkReply *reply = network_->post(request, body);
    reply_ = reply;
    connect(reply, &QNetworkReply::finished, this, [this, reply] { finished(reply); });
    connect(reply, &QNetworkReply::downloadProgress, this, [this, reply](qint64 received, qint64) {
        if (reply == reply_.data() && received > maxReplyBytes) {
            abortInFlight();
            fail(tr("The reply is larger than %1 bytes.").arg(maxReplyBytes));
        }
    });
    timeoutId_ = clock_.schedule(timeoutMs_, this, [this] {
        timeoutId_ = 0;
        if (reply_.isNull())
            return;
        abortInFlight();
        fail(tr("The request timed out."));
    });

    if (!waitForReply)
        return std::nullopt;

    QEventLoop loop;
    QObject::connect(this, &SoapClient::requestEnded, &loop, &QEventLoop::quit);
    if (!reply_.isNull()) {
        yov::RecordDispatchScope::warnNestedLoop(QStringLiteral("blocking SOAP request to %1").arg(serverUrl_.host()));
        loop.exec();
    }
    if (!failure_.isEmpty() || !lastWellFormed_)
        return std::nullopt;
    return lastReply_;
}

void SoapClient::fail(const QString &reason)
{
    failure_ = reason;
    qCInfo(lcSoap) << "request failed:" << reason;
    center_.post(kServerError, nullptr, QVariantMap{{kErrorInfo, reason}});
    emit requestEnded(false);
}

void SoapClient::finished(QNetworkReply *reply)
{
    if (reply != reply_.data())
        return; // an aborted request: its reply is never parsed
    if (timeoutId_) {
        clock_.cancel(timeoutId_);
        timeoutId_ = 0;
    }
    reply_.clear();
    reply->deleteLater();

    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    if (status.isValid() && (status.toInt() < 200 || status.toInt() > 299)) {
        const QString phrase = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
        fail(phrase.isEmpty() ? tr("The server answered with HTTP status %1.").arg(status.toInt())
                              : tr("The server answered with HTTP status %1 %2.").arg(status.toInt()).arg(phrase));
        return;
    }
    if (reply->error() != QNetworkReply::NoError) {
        fail(reply->errorString());
        return;
    }
    lastReply_ = reply->read(maxReplyBytes + 1);
    if (lastReply_.size() > maxReplyBytes) {
        lastReply_.clear();
        fail(tr("The reply is larger than %1 bytes.").arg(maxReplyBytes));
        return;
    }

    xmlNodeRecordArray_ = parseRecords(lastReply_, &lastWellFormed_);
    if (!lastWellFormed_)
        qCInfo(lcSoap) << "reply is not well-formed; kept the records before the fault";
    center_.post(kParseOver);
    emit requestEnded(true);
}

QVariantList SoapClient::parseRecords(const QByteArray &xmlBytes, bool *wellFormed)
{
    QVariantList records;
    QStringList stack;
    QString value;
    bool inText = false;
    QXmlStreamReader xml(xmlBytes);
    xml.setNamespaceProcessing(false);
    while (!xml.atEnd()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            stack.append(xml.qualifiedName().toString());
            value.clear();
            inText = false;
            break;
        case QXmlStreamReader::Characters:
            if (xml.isWhitespace())
                break;
            if (inText)
                value += xml.text();
            else
                value = xml.text().toString();
            inText = true;
            break;
        case QXmlStreamReader::EndElement: {
            inText = false;
            const QString name = xml.qualifiedName().toString();
            if (!stack.isEmpty() && stack.takeLast() == name)
                records.append(QVariantMap{{kRecordName, name}, {kRecordValue, value}});
            break;
        }
        default:
            break;
        }
    }
    if (wellFormed)
        *wellFormed = !xml.hasError();
    return records;
}

} // namespace ostrel
