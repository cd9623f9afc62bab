#pragma once
// A minimal SOAP-over-HTTP client: posts one XML document to one service address and turns the
// XML reply into a flat list of records, one per closed element, children before their parents:
// {"xmlNodeName": the element's name as written (with its prefix), "xmlNodeValue": its text}.
// An element's text is the text found since its start; an element without text of its own (an
// enclosing element) records the last text found inside it, and an empty element records "".
//
// The end of a request is told through the default notification center, object null:
//   "xmlParseOver"        the reply arrived and was parsed (also when it was not well-formed:
//                         the records then hold what came before the fault);
//   "connectServerError"  the request failed (no network, refused, time-out, an HTTP status
//                         outside 2xx, a reply above maxReplyBytes); user info {"errorInfor": text}.
// A new send aborts the request in flight (its reply is never parsed) and empties the records.
// Main thread only.

#include "platform/Clock.h"
#include "platform/NotificationCenter.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QVariantList>

#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace ostrel {

class SoapClient : public QObject {
    Q_OBJECT
public:
    static constexpr int defaultTimeoutMs = 60000;
    static constexpr qint64 maxReplyBytes = 4 * 1024 * 1024;

    explicit SoapClient(QObject *parent = nullptr, yov::Clock &clock = yov::Clock::system(),
                        yov::NotificationCenter &center = yov::NotificationCenter::defaultCenter());
    ~SoapClient() override;

    // Sets the service address; false (and no address) when the text is not a valid http(s) URL.
    bool initWithServerName(const QString &address);
    QUrl serverUrl() const { return serverUrl_; }

    // Posts body. Without waiting: starts the request and returns nullopt at once. With waiting:
    // returns when the request ends, the reply bytes when they are well-formed XML, else nullopt;
    // the notification is posted in both forms. The waiting form runs a nested event loop: never
    // from a device-record handler (it would stall the device link; it logs a warning then).
    std::optional<QByteArray> sendMessage(const QByteArray &body, bool waitForReply);

    // The records of the last reply.
    QVariantList getxmlNodeRecordArray() const { return xmlNodeRecordArray_; }
    bool isBusy() const { return !reply_.isNull(); }

    void setTimeoutMs(int ms) { timeoutMs_ = ms; }

    // Parses a reply into records, as after a request (exposed for tests and tools).
    static QVariantList parseRecords(const QByteArray &xml, bool *wellFormed = nullptr);

signals:
    void requestEnded(bool success);

private:
    void abortInFlight();
    void finished(QNetworkReply *reply);
    void fail(const QString &reason);

    yov::Clock &clock_;
    yov::NotificationCenter &center_;
    QNetworkAccessManager *network_;
    QUrl serverUrl_;
    QPointer<QNetworkReply> reply_;
    int timeoutId_ = 0;
    int timeoutMs_ = defaultTimeoutMs;
    QString failure_;
    QByteArray lastReply_;
    bool lastWellFormed_ = false;
    QVariantList xmlNodeRecordArray_;
};

} // namespace ostrel
