// Cost per record of the device-service link, with 8220-byte records.
//
//   BM_QueueAndDispatch      in-process: a record into the receive queue, one drain step, the
//                            notification and a handler copying the record out.
//   BM_BareDBusRoundTrip     the same exchange on bare QtDBus: the blocking yMsg call with an
//                            8220-byte record to the stand-in Brannoc and its 8220-byte reply
//                            signal, copied out; no message center.
//   BM_RoundTrip             the catalogued send through the message center (blocking D-Bus call)
//                            + the stand-in's reply signal + queue + dispatch to a handler; the
//                            drain step runs as soon as the record is queued, so the figure is the
//                            work per record, not the 5 ms tick.
//   BM_RoundTripOnTheTick    the same with the 5 ms drain tick doing the dispatch: the latency a
//                            handler sees.
// Every case waits for the answer in the event loop, which sleeps until something arrives. At the
// end the program prints the ratio of BM_RoundTrip to BM_BareDBusRoundTrip.
//
// The cross-process cases need a session bus of their own and the built Brannoc next to this
// program (or OSTREL_BRANNOC):
//   scripts/with-session-bus build/bin/bench_message
// Without a bus they are skipped.

#include "common/PlistBridge.h"
#include "common/records/DeviceServiceBus.h"
#include "common/records/UiMsg.h"
#include "ostrel/framework/message/DBusMsgTransport.h"
#include "ostrel/framework/message/ProcessMsgServerLauncher.h"
#include "ostrel/framework/message/YOVMsgCenter.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>

using namespace ostrel;

namespace {

class NullTransport final : public MsgTransport {
public:
    void setReceiver(Receiver r) override { receiver = std::move(r); }
    int send(const QByteArray &, int) override { return kMsgSendOK; }
    qint64 serviceOwnerPid() override { return 0; }
    bool waitForServiceGone(int) override { return true; }
    Receiver receiver;
};

class NullLauncher final : public MsgServerLauncher {
public:
    bool launch(const QString &) override { return false; }
    bool isRunning() const override { return false; }
    void terminate(int) override {}
    bool endProcess(qint64, int) override { return false; }
};

class Handler : public QObject {
public:
    explicit Handler(YOVMsgCenter *c) : center(c) {}
    void onRecord(const yov::Notification &n)
    {
        center->getMsgPackage(&msg, &n);
        ++count;
    }
    YOVMsgCenter *center;
    yov::UI_MSG msg;
    qint64 count = 0;
};

QByteArray fullRecord(std::uint16_t major, std::uint16_t minor)
{
    yov::UI_MSG m = yov::zeroMsg();
    m.majorID = major;
    m.minorID = minor;
    m.dataLength = yov::kUiMsgDataSize;
    for (int i = 0; i < yov::kUiMsgDataSize; ++i)
        m.data[i] = std::uint8_t(i * 7);
    return yov::msgBytes(m);
}

void BM_QueueAndDispatch(benchmark::State &state)
{
    auto transport = std::make_unique<NullTransport>();
    NullTransport *t = transport.get();
    yov::NotificationCenter nc;
    YOVMsgCenter center(std::move(transport), std::make_unique<NullLauncher>(), yov::Clock::system(), nc);
    center.setDoNotLockMsgReader([] { return false; });
    center.awakeFromNib();
    Handler h(&center);
    center.registerObserver(&h, &Handler::onRecord, 7, 35);
    const QByteArray rec = fullRecord(7, 35);
    for (auto _ : state) {
        t->receiver(rec);
        center.readingReceiveMsg();
    }
    if (h.count != qint64(state.iterations()))
        state.SkipWithError("records lost");
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * yov::kUiMsgSize);
}
BENCHMARK(BM_QueueAndDispatch);

// One stand-in for all cross-process cases, with a scripted 8220-byte reply to 1792/138, started
// by the bench itself so that the bare case runs without a message center listening.
struct Link {
    ProcessMsgServerLauncher brannoc;
    std::unique_ptr<YOVMsgCenter> center;
    std::unique_ptr<Handler> handler;
    QTemporaryDir dir;
    QString error;

    Link()
    {
        if (!QDBusConnection::sessionBus().isConnected()) {
            error = QStringLiteral("no session bus (run under scripts/with-session-bus)");
            return;
        }
        QByteArray data(yov::kUiMsgDataSize, '\0');
        for (int i = 0; i < data.size(); ++i)
            data[i] = char(i * 13);
        const QString scenario = dir.filePath(QStringLiteral("bench.plist"));
        const QVariantMap reply{{"Type", 1}, {"Data", data}};
        yov::PlistBridge::writeFile(
            scenario, QVariantMap{{"Replies", QVariantList{QVariantMap{{"Major", 1792}, {"Minor", 138}, {"Records", QVariantList{reply}}}}}});
        qputenv("OSTREL_BRANNOC_SCENARIO", scenario.toLocal8Bit());
        qputenv("QT_LOGGING_RULES", "brannoc.records.info=false");

        // The center only finds the program's path here; it starts nothing.
        YOVMsgCenter locator(std::make_unique<NullTransport>(), std::make_unique<NullLauncher>(), yov::Clock::system(),
                             yov::NotificationCenter::defaultCenter());
        const QString path = locator.msgServerPath();
        if (!brannoc.launch(path)) {
            error = QStringLiteral("cannot start Brannoc at ") + path;
            return;
        }
        QDeadlineTimer deadline(10000);
        while (!QDBusConnection::sessionBus().interface()->isServiceRegistered(QLatin1String(yov::devicebus::kService))
               && !deadline.hasExpired())
            QThread::msleep(10);
        if (deadline.hasExpired())
            error = QStringLiteral("Brannoc did not take its bus name");
        // Let its start-up records go by.
        QDeadlineTimer settle(500);
        while (!settle.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ~Link()
    {
        brannoc.terminate(2000); // first: the center then finds nothing to stop
        center.reset();
    }

    // The dashboard's center on the session bus, made on first use.
    YOVMsgCenter &msgCenter()
    {
        if (!center) {
            center = std::make_unique<YOVMsgCenter>(std::make_unique<DBusMsgTransport>(), std::make_unique<NullLauncher>(),
                                                    yov::Clock::system(), yov::NotificationCenter::defaultCenter());
            center->setDoNotLockMsgReader([] { return false; });
            center->awakeFromNib();
            handler = std::make_unique<Handler>(center.get());
            center->registerObserver(handler.get(), &Handler::onRecord, 1792, 138);
        }
        return *center;
    }

    static std::unique_ptr<Link> &holder()
    {
        static std::unique_ptr<Link> link;
        return link;
    }
    static Link &instance()
    {
        if (!holder())
            holder() = std::make_unique<Link>();
        return *holder();
    }
};

// Microseconds of wall time per round trip of the last run of each kind, for the ratio.
double g_bareUs = 0;
double g_centerUs = 0;

// Waits for the answer without spinning: the event loop sleeps until the bus (or the drain tick)
// has something; a coarse timer wakes it should an answer be lost.
template <typename Done, typename Step>
bool waitForAnswer(Done done, Step step)
{
    QDeadlineTimer deadline(5000);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        step();
    }
    return done();
}

QByteArray ussdPayload()
{
    QByteArray payload(8200, '\0');
    for (int i = 0; i < 8196; ++i)
        payload[i] = char(i);
    return payload;
}

void roundTrip(benchmark::State &state, bool onTheTick)
{
    Link &link = Link::instance();
    if (!link.error.isEmpty()) {
        state.SkipWithError(link.error.toStdString().c_str());
        return;
    }
    YOVMsgCenter &center = link.msgCenter();
    Handler &handler = *link.handler;
    QTimer wake; // only for a lost answer
    wake.start(1000);
    const QByteArray payload = ussdPayload();
    const auto started = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const qint64 before = handler.count;
        if (!center.sendCatalogued(1792, 138, payload)) {
            state.SkipWithError("send failed");
            break;
        }
        const bool answered = waitForAnswer([&] { return handler.count != before; }, [&] {
            if (!onTheTick && center.receiveQueueCount() > 0)
                center.readingReceiveMsg();
        });
        if (!answered) {
            state.SkipWithError("reply not received");
            break;
        }
    }
    if (!onTheTick && state.iterations() > 0)
        g_centerUs = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started).count()
                     / double(state.iterations());
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * 2 * yov::kUiMsgSize);
}

// The same exchange without the message center: the blocking yMsg call and the reply signal
// straight on QtDBus (a connection of its own), the reply's bytes copied out as a handler does.
class BareReceiver : public QObject {
    Q_OBJECT
public slots:
    void onYMsg(const QByteArray &record)
    {
        std::memcpy(&msg, record.constData(), size_t(std::min<qsizetype>(record.size(), sizeof msg)));
        ++count;
    }

public:
    yov::UI_MSG msg;
    qint64 count = 0;
};

void BM_BareDBusRoundTrip(benchmark::State &state)
{
    Link &link = Link::instance();
    if (!link.error.isEmpty()) {
        state.SkipWithError(link.error.toStdString().c_str());
        return;
    }
    if (link.center) {
        state.SkipWithError("a message center is already listening; run this case first");
        return;
    }
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("bench-bare"));
    BareReceiver receiver;
    bus.connect(QLatin1String(yov::devicebus::kService), QLatin1String(yov::devicebus::kPath),
                QLatin1String(yov::devicebus::kInterface), QLatin1String(yov::devicebus::kMember), &receiver,
                SLOT(onYMsg(QByteArray)));
    yov::UI_MSG request = yov::zeroMsg();
    request.marker = 1;
    request.moduleID = 7;
    request.majorID = 1792;
    request.minorID = 138;
    request.dataLength = 8200;
    const QByteArray payload = ussdPayload();
    std::memcpy(request.data, payload.constData(), yov::kUiMsgDataSize);
    QTimer wake;
    wake.start(1000);
    const auto started = std::chrono::steady_clock::now();
    for (auto _ : state) {
        const qint64 before = receiver.count;
        QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(yov::devicebus::kService),
                                                           QLatin1String(yov::devicebus::kPath),
                                                           QLatin1String(yov::devicebus::kInterface),
                                                           QLatin1String(yov::devicebus::kMember));
        call.setAutoStartService(false);
        call << yov::msgBytes(request);
        if (bus.call(call, QDBus::Block, 1000).type() != QDBusMessage::ReplyMessage) {
            state.SkipWithError("call failed");
            break;
        }
        if (!waitForAnswer([&] { return receiver.count != before; }, [] {})) {
            state.SkipWithError("reply not received");
            break;
        }
    }
    if (state.iterations() > 0)
        g_bareUs = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - started).count()
                   / double(state.iterations());
    bus.disconnect(QLatin1String(yov::devicebus::kService), QLatin1String(yov::devicebus::kPath),
                   QLatin1String(yov::devicebus::kInterface), QLatin1String(yov::devicebus::kMember), &receiver,
                   SLOT(onYMsg(QByteArray)));
    QDBusConnection::disconnectFromBus(QStringLiteral("bench-bare"));
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * 2 * yov::kUiMsgSize);
}

void BM_RoundTrip(benchmark::State &state) { roundTrip(state, false); }
void BM_RoundTripOnTheTick(benchmark::State &state) { roundTrip(state, true); }
// The bare case first: it must run before the message center exists.
BENCHMARK(BM_BareDBusRoundTrip)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoundTrip)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoundTripOnTheTick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    Link::holder().reset(); // stops Brannoc while the application still exists
    if (g_bareUs > 0 && g_centerUs > 0)
        std::printf("round trip through the message center %.1f us, bare QtDBus call %.1f us: ratio %.2f (goal: at most 1.10)\n",
                    g_centerUs, g_bareUs, g_centerUs / g_bareUs);
    return 0;
}

#include "MessageBench.moc"
