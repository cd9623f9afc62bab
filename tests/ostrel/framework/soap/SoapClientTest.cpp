#include "ostrel/framework/soap/SoapClient.h"

#include "platform/RecordDispatch.h"
#include "support/ManualClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

using ostrel::SoapClient;

namespace {

// Waits for an event from the other side of the socket, with a generous limit.
bool waitUntil(const std::function<bool()> &done, int limitMs = 10000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > limitMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
    }
    return true;
}

QByteArray httpResponse(int status, const char *phrase, const QByteArray &body)
{
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + phrase + "\r\nContent-Type: text/xml; charset=utf-8\r\n"
           "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// A one-purpose HTTP server on 127.0.0.1: collects whole requests and answers them when told.
class TestServer : public QObject {
public:
    struct Request {
        QByteArray head;
        QByteArray body;
        QPointer<QTcpSocket> socket;
    };

    TestServer()
    {
        EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0));
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = server_.nextPendingConnection()) {
                auto buffer = std::make_shared<QByteArray>();
                connect(socket, &QTcpSocket::readyRead, this, [this, socket, buffer] {
                    buffer->append(socket->readAll());
                    const qsizetype end = buffer->indexOf("\r\n\r\n");
                    if (end < 0)
                        return;
                    const QByteArray head = buffer->left(end);
                    qsizetype length = 0;
                    for (const QByteArray &line : head.split('\n'))
                        if (line.toLower().startsWith("content-length:"))
                            length = line.mid(15).trimmed().toLongLong();
                    if (buffer->size() < end + 4 + length)
                        return;
                    requests.append({head, buffer->mid(end + 4, length), socket});
                    buffer->clear();
                    if (autoAnswer)
                        answer(requests.size() - 1, autoAnswer(requests.size() - 1));
                });
            }
        });
    }

    void answer(int index, const QByteArray &raw)
    {
        QTcpSocket *socket = requests.value(index).socket;
        if (!socket || raw.isEmpty())
            return;
        socket->write(raw);
        socket->disconnectFromHost();
    }

    QString url() const { return QStringLiteral("http://127.0.0.1:%1/SPBUUP/SPBService?WSDL").arg(server_.serverPort()); }

    QList<Request> requests;
    std::function<QByteArray(int)> autoAnswer;

private:
    QTcpServer server_;
};

class SoapClientTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        center.addObserver(&observer, QString(), nullptr, [this](const yov::Notification &n) { posted.append(n); });
        ASSERT_TRUE(client.initWithServerName(server.url()));
    }
    QStringList postedNames() const
    {
        QStringList names;
        for (const auto &n : posted)
            names << n.name;
        return names;
    }
    static QVariantMap record(const char *name, const char *value)
    {
        return {{"xmlNodeName", QString(name)}, {"xmlNodeValue", QString::fromUtf8(value)}};
    }

    testing_support::ManualClock clock;
    yov::NotificationCenter center;
    QObject observer;
    QList<yov::Notification> posted;
    TestServer server;
    SoapClient client{nullptr, clock, center};
};

const QByteArray kQuery =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?><soapenv:Envelope "
    "xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\" xmlns:loc=\"http://192.0.2.10/sdp/spb/local\">"
    "<soapenv:Header><loc:Authentication><Username>yov_tarn</Username><Password>qmw</Password> "
    "</loc:Authentication></soapenv:Header><soapenv:Body><loc:getDeviceProfileByIMSI><loc:IMSI>460001234567890"
    "</loc:IMSI></loc:getDeviceProfileByIMSI></soapenv:Body></soapenv:Envelope>";

const QByteArray kReply =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<soapenv:Envelope xmlns:soapenv=\"http://schemas.xmlsoap.org/soap/envelope/\">\n"
    "  <soapenv:Body>\n"
    "    <ns1:getDeviceProfileByIMSIResponse xmlns:ns1=\"http://192.0.2.10/sdp/spb/local\">\n"
    "      <IMSI>460001234567890</IMSI>\n"
    "      <MSISDN>8613800000000</MSISDN>\n"
    "    </ns1:getDeviceProfileByIMSIResponse>\n"
    "  </soapenv:Body>\n"
    "</soapenv:Envelope>\n";

} // namespace

TEST_F(SoapClientTest, PostsTheBodyWithItsHeaders)
{
    server.autoAnswer = [](int) { return httpResponse(200, "OK", kReply); };
    EXPECT_FALSE(client.sendMessage(kQuery, false).has_value());
    ASSERT_TRUE(waitUntil([&] { return !posted.isEmpty(); }));
    ASSERT_EQ(server.requests.size(), 1);
    const QByteArray head = server.requests[0].head;
    EXPECT_TRUE(head.startsWith("POST /SPBUUP/SPBService?WSDL HTTP/1.1\r\n")) << head.toStdString();
    EXPECT_TRUE(head.contains("\r\nContent-Type: text/xml;charset=utf-8")) << head.toStdString();
    EXPECT_TRUE(head.contains("\r\nContent-Length: " + QByteArray::number(kQuery.size())));
    EXPECT_FALSE(head.toLower().contains("soapaction"));
    EXPECT_EQ(server.requests[0].body, kQuery);
}

TEST_F(SoapClientTest, GoodReplyBecomesRecordsInClosingOrder)
{
    server.autoAnswer = [](int) { return httpResponse(200, "OK", kReply); };
    client.sendMessage(kQuery, false);
    ASSERT_TRUE(waitUntil([&] { return !posted.isEmpty(); }));
    EXPECT_EQ(postedNames(), QStringList{"xmlParseOver"});
    EXPECT_EQ(posted[0].object, nullptr);
    const QVariantList expected{
        record("IMSI", "460001234567890"),
        record("MSISDN", "8613800000000"),
        record("ns1:getDeviceProfileByIMSIResponse", "8613800000000"), // enclosing: its last child's text
        record("soapenv:Body", "8613800000000"),
        record("soapenv:Envelope", "8613800000000"),
    };
    EXPECT_EQ(client.getxmlNodeRecordArray(), expected);
    EXPECT_FALSE(client.isBusy());
}

TEST_F(SoapClientTest, EmptyElementGivesAnEmptyValue)
{
    const QVariantList records = SoapClient::parseRecords(
        "<r><IMSI>460001234567890</IMSI><MSISDN/><Name>A &amp; B<![CDATA[ <c>]]></Name></r>");
    const QVariantList expected{record("IMSI", "460001234567890"), record("MSISDN", ""),
                                record("Name", "A & B <c>"), record("r", "A & B <c>")};
    EXPECT_EQ(records, expected);

    bool wellFormed = true;
    const QVariantList partial = SoapClient::parseRecords("<r><a>1</a><b>2</r>", &wellFormed);
    EXPECT_FALSE(wellFormed);
    EXPECT_EQ(partial, QVariantList{record("a", "1")});
}

TEST_F(SoapClientTest, MalformedReplyStillEndsWithParseOver)
{
    server.autoAnswer = [](int) { return httpResponse(200, "OK", "<r><MSISDN>1</MSISDN><broken></r>"); };
    EXPECT_FALSE(client.sendMessage(kQuery, true).has_value()); // waiting form: not well-formed
    EXPECT_EQ(postedNames(), QStringList{"xmlParseOver"});
    EXPECT_EQ(client.getxmlNodeRecordArray(), QVariantList{record("MSISDN", "1")});
}

TEST_F(SoapClientTest, WaitingFormReturnsTheReplyAndSaysSoWhenItStallsARecordHandler)
{
    server.autoAnswer = [](int) { return httpResponse(200, "OK", kReply); };
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &m) {
        if (type == QtWarningMsg)
            warnings << m;
    });
    const std::optional<QByteArray> reply = client.sendMessage(kQuery, true);
    ASSERT_TRUE(reply.has_value());
    EXPECT_EQ(*reply, kReply);
    EXPECT_EQ(postedNames(), QStringList{"xmlParseOver"});
    EXPECT_TRUE(warnings.isEmpty()) << qPrintable(warnings.join(QLatin1Char('\n')));

    // The same wait inside a device record's handler holds the device link: it is logged with the
    // record.
    {
        const yov::RecordDispatchScope handling(7, 47);
        EXPECT_TRUE(client.sendMessage(kQuery, true).has_value());
    }
    qInstallMessageHandler(previous);
    ASSERT_EQ(warnings.size(), 1);
    EXPECT_TRUE(warnings[0].contains(QLatin1String("blocking SOAP request"))) << qPrintable(warnings[0]);
    EXPECT_TRUE(warnings[0].contains(QLatin1String("device record 7/47"))) << qPrintable(warnings[0]);
}

TEST_F(SoapClientTest, HttpErrorStatusIsAnError)
{
    server.autoAnswer = [](int) {
        return httpResponse(500, "Internal Server Error",
                            "<soapenv:Envelope><soapenv:Body><soapenv:Fault><faultstring>boom</faultstring>"
                            "</soapenv:Fault></soapenv:Body></soapenv:Envelope>");
    };
    EXPECT_FALSE(client.sendMessage(kQuery, true).has_value());
    ASSERT_EQ(postedNames(), QStringList{"connectServerError"});
    EXPECT_EQ(posted[0].userInfo.value("errorInfor").toString(),
              "The server answered with HTTP status 500 Internal Server Error.");
    EXPECT_TRUE(client.getxmlNodeRecordArray().isEmpty());
}

TEST_F(SoapClientTest, RefusedConnectionIsAnError)
{
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    ASSERT_TRUE(client.initWithServerName(QStringLiteral("http://127.0.0.1:%1/x").arg(port)));
    client.sendMessage(kQuery, false);
    ASSERT_TRUE(waitUntil([&] { return !posted.isEmpty(); }));
    ASSERT_EQ(postedNames(), QStringList{"connectServerError"});
    EXPECT_FALSE(posted[0].userInfo.value("errorInfor").toString().isEmpty());
}

TEST_F(SoapClientTest, TimeOutAfterSixtySeconds)
{
    client.sendMessage(kQuery, false); // the server never answers
    ASSERT_TRUE(waitUntil([&] { return server.requests.size() == 1; }));
    clock.advance(59999);
    EXPECT_TRUE(posted.isEmpty());
    EXPECT_TRUE(client.isBusy());
    clock.advance(1);
    ASSERT_EQ(postedNames(), QStringList{"connectServerError"});
    EXPECT_EQ(posted[0].userInfo.value("errorInfor").toString(), "The request timed out.");
    EXPECT_FALSE(client.isBusy());
    // A late answer changes nothing.
    server.answer(0, httpResponse(200, "OK", kReply));
    QCoreApplication::processEvents();
    EXPECT_EQ(postedNames(), QStringList{"connectServerError"});
    EXPECT_TRUE(client.getxmlNodeRecordArray().isEmpty());
}

TEST_F(SoapClientTest, SecondSendAbortsTheFirst)
{
    server.autoAnswer = [](int) { return httpResponse(200, "OK", "<r><MSISDN>111</MSISDN></r>"); };
    client.sendMessage(kQuery, false);
    ASSERT_TRUE(waitUntil([&] { return !posted.isEmpty(); }));
    ASSERT_EQ(client.getxmlNodeRecordArray().size(), 2);
    posted.clear();

    server.autoAnswer = nullptr; // hold the next requests
    client.sendMessage("<first/>", false);
    ASSERT_TRUE(waitUntil([&] { return server.requests.size() == 2; }));
    client.sendMessage("<second/>", false);
    EXPECT_TRUE(client.getxmlNodeRecordArray().isEmpty()); // emptied at once
    ASSERT_TRUE(waitUntil([&] { return server.requests.size() == 3; }));
    EXPECT_EQ(server.requests[2].body, "<second/>");

    server.answer(1, httpResponse(200, "OK", "<r><MSISDN>first</MSISDN></r>"));
    server.answer(2, httpResponse(200, "OK", "<r><MSISDN>second</MSISDN></r>"));
    ASSERT_TRUE(waitUntil([&] { return !posted.isEmpty(); }));
    QCoreApplication::processEvents();
    EXPECT_EQ(postedNames(), QStringList{"xmlParseOver"});
    EXPECT_EQ(client.getxmlNodeRecordArray(), (QVariantList{record("MSISDN", "second"), record("r", "second")}));
    // The time-out of the aborted request is gone too.
    clock.advance(120000);
    EXPECT_EQ(postedNames(), QStringList{"xmlParseOver"});
}

TEST_F(SoapClientTest, AddressMustBeAUrl)
{
    EXPECT_FALSE(client.initWithServerName("not a url"));
    EXPECT_TRUE(client.serverUrl().isEmpty());
    client.sendMessage(kQuery, false);
    EXPECT_EQ(postedNames(), QStringList{"connectServerError"});
    EXPECT_TRUE(client.initWithServerName(server.url())); // a client in use takes a new address
    EXPECT_EQ(client.serverUrl().port(), QUrl(server.url()).port());
}
