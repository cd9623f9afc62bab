// Cost per record of the device-service link, with 8220-byte records.
//
//   BM_QueueAndDispatch      in-process: a record into the receive queue, one drain step, the
//                            notification and a handler copying the record out.
//   BM_RoundTrip             send (blocking D-Bus call to the stand-in Brannoc) + the stand-in's
//                            8220-byte reply as a D-Bus signal + queue + dispatch to a handler;
//                            the drain step is run as soon as the record is queued, so the figure
//                            is the work per record, not the 5 ms tick.
//   BM_RoundTripOnTheTick    the same with the 5 ms drain timer doing the dispatch: the latency a
//                            handler sees.
//
// The cross-process cases need a session bus of their own and the built Brannoc next to this
// program (or OSTREL_BRANNOC):
//   scripts/with-session-bus build/bin/bench_message
// Without a bus they are skipped.

#include "common/PlistBridge.h"
#include "common/records/DeviceServiceBus.h"
#include "common/records/UiMsg.h"
#include "ostrel/framework/message/YOVMsgCenter.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

// One stand-in for all cross-process cases, with a scripted 8220-byte reply to 1792/138.
struct Link {
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

        center = std::make_unique<YOVMsgCenter>();
        center->setDoNotLockMsgReader([] { return false; });
        center->awakeFromNib();
        handler = std::make_unique<Handler>(center.get());
        center->registerObserver(handler.get(), &Handler::onRecord, 1, 0);
        center->registerObserver(handler.get(), &Handler::onRecord, 1792, 138);
        center->stopMsgServer();
        if (!center->startMsgServer()) {
            error = QStringLiteral("cannot start Brannoc at ") + center->msgServerPath();
            return;
        }
        QDeadlineTimer deadline(10000);
        while (handler->count == 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        if (handler->count == 0)
            error = QStringLiteral("no handshake from Brannoc");
        // Let the rest of the start-up sequence drain.
        QDeadlineTimer settle(300);
        while (!settle.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
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

void roundTrip(benchmark::State &state, bool onTheTick)
{
    Link &link = Link::instance();
    if (!link.error.isEmpty()) {
        state.SkipWithError(link.error.toStdString().c_str());
        return;
    }
    QByteArray payload(8200, '\0');
    for (int i = 0; i < 8196; ++i)
        payload[i] = char(i);
    for (auto _ : state) {
        const qint64 before = link.handler->count;
        if (!link.center->sendMessageModuleID(7, 1792, 138, 0, 0, &payload)) {
            state.SkipWithError("send failed");
            break;
        }
        QDeadlineTimer deadline(5000);
        while (link.handler->count == before && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 5);
            if (!onTheTick && link.center->receiveQueueCount() > 0)
                link.center->readingReceiveMsg();
        }
        if (link.handler->count == before) {
            state.SkipWithError("reply not received");
            break;
        }
    }
    state.SetItemsProcessed(state.iterations());
    state.SetBytesProcessed(state.iterations() * 2 * yov::kUiMsgSize);
}

void BM_RoundTrip(benchmark::State &state) { roundTrip(state, false); }
void BM_RoundTripOnTheTick(benchmark::State &state) { roundTrip(state, true); }
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
    return 0;
}
