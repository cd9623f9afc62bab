// The whole dashboard in this process against the stand-in modem on the test's own session bus:
// start-up, the status row, connecting and disconnecting through the Internet page on both roads,
// the PIN sheet, and the roaming alert, used through the windows as a user would.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/records/DeviceServiceBus.h"
#include "common/records/UiMsg.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/init/InitWindows.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/YOVAlertPanel.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "platform/NotificationCenter.h"
#include "platform/alert/AlertPresenter.h"
#include "support/QuickScenario.h"
#include "support/ScriptedAlertPresenter.h"
#include "support/TestPaths.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDir>
#include <QFileInfo>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <numeric>
#include <optional>

using namespace ostrel;
using namespace dashboard_test;

namespace {

class DashboardEndToEndTest : public DashboardFixture {
protected:
    // One connection through the Internet page: connect, traffic, disconnect, one record.
    void connectAndDisconnect(const QString &expectedRoad)
    {
        ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
        const QString idleText = fieldText("m_FluxForReceive");
        pressConnectButton(QStringLiteral("Connect"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; },
                                    kWaitMs))
            << "connect status " << dial()->connectStatus();
        EXPECT_EQ(modemState(QStringLiteral("Connection")).value(QStringLiteral("Road")).toString(), expectedRoad);
        EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->receivedBytes() > 0 && dial()->sentBytes() > 0; },
                                    kWaitMs))
            << "no traffic counted";
        EXPECT_TRUE(QTest::qWaitFor([&] { return fieldText("m_FluxForReceive") != idleText; }, kWaitMs))
            << "the download field stayed " << qPrintable(idleText);
        const qint64 received = dial()->receivedBytes();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dial()->receivedBytes() > received; }, kWaitMs))
            << "the counters do not move";
        // A connection that lasted at least a second.
        EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->connectSeconds() >= 1; }, kWaitMs));

        pressConnectButton(QStringLiteral("Disconnect"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs))
            << "connect status " << dial()->connectStatus();
        EXPECT_TRUE(QTest::qWaitFor([] {
            return !yov::nsBool(modemState(QStringLiteral("Connection")).value(QStringLiteral("LinkUp")));
        }, kWaitMs)) << "the stand-in's link is still up";

        QVariantList records;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !(records = connectionRecords()).isEmpty(); }, kWaitMs))
            << "no connection record was written";
        ASSERT_EQ(records.size(), 1);
        EXPECT_EQ(QDir(modemList_).entryList({QStringLiteral("*dialRecordData.plist")}, QDir::Files),
                  QStringList{QStringLiteral("dialRecordData.plist")})
            << "the default record file (the per-SIM name is an operator variant's)";
        const QVariantMap record = records.first().toMap();
        EXPECT_GT(yov::nsLongLong(record.value(QStringLiteral("connecttime"))), 0) << "record " << qPrintable(
            QString::fromUtf8(yov::PlistBridge::toXml(record).value_or(QByteArray())));
        EXPECT_GT(yov::nsDouble(record.value(QStringLiteral("receivebyte"))), 0.0);
    }

};

} // namespace

TEST_F(DashboardEndToEndTest, DefaultStartUpShowsTheNetworkAndConnectsOverPpp)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";

    EXPECT_TRUE(QTest::qWaitFor([this] { return statusText("labelInitLocalSPN").contains(QLatin1String("Vandrel")); },
                                kWaitMs))
        << "operator shown: " << qPrintable(statusText("labelInitLocalSPN"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return statusText("labelInitNetwork") == QLatin1String("UMTS"); }, kWaitMs))
        << "technology shown: " << qPrintable(statusText("labelInitNetwork"));
    // CSQ 20 is full signal: the top level of the signal image in the status row.
    const auto signalImage = [this] {
        auto *image = init()->statusView()->window()->findChild<QLabel *>(QStringLiteral("imageRssiStatus"));
        return image ? image->property("imageName").toString() : QStringLiteral("<no signal image>");
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return signalImage() == QLatin1String("rssi6"); }, kWaitMs))
        << "signal image " << qPrintable(signalImage());
    EXPECT_EQ(init()->m_SignalStrength, 5);

    // The dial parameters of the chosen profile reach the stand-in.
    EXPECT_TRUE(QTest::qWaitFor([] { return receivedIds().contains(QStringLiteral("257/60")); }, kWaitMs))
        << qPrintable(receivedIds().join(QLatin1Char(' ')));
    EXPECT_TRUE(QTest::qWaitFor([] {
        return !mapOf(modemState(QStringLiteral("Connection")).value(QStringLiteral("DialParams"))).isEmpty();
    }, kWaitMs));

    connectAndDisconnect(QStringLiteral("PPP"));
    EXPECT_EQ(presenter_.count(), 0) << qPrintable(presenter_.shown().first().message);
}

TEST_F(DashboardEndToEndTest, ConnectsAndCountsTrafficOverNdis)
{
    setSettings({{QStringLiteral("ConnectType"), qint64(yov::kConnectTypeNDIS)}});
    launch(QStringLiteral("default.plist"));
    connectAndDisconnect(QStringLiteral("NDIS"));
    EXPECT_EQ(presenter_.count(), 0) << qPrintable(presenter_.shown().first().message);
}

TEST_F(DashboardEndToEndTest, PinSheetUnlocksTheSim)
{
    launch(QStringLiteral("pin-required.plist"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return init()->pinWindow() && init()->pinWindow()->isVisible(); }, kWaitMs))
        << "the PIN sheet never appeared";
    EXPECT_NE(init()->m_SimPinState, InitController::SimReady);
    PinWindow *sheet = init()->pinWindow();
    QTest::keyClicks(sheet->m_PinCode, QStringLiteral("1234"));
    QTest::mouseClick(sheet->btnOK, Qt::LeftButton);
    EXPECT_TRUE(waitSimReady()) << "the SIM did not become ready after the PIN";
    EXPECT_TRUE(receivedIds().contains(QStringLiteral("4/10"))) << "the PIN never went to the modem";
    EXPECT_TRUE(QTest::qWaitFor([this] { return !init()->pinWindow() || !init()->pinWindow()->isVisible(); }, kWaitMs))
        << "the PIN sheet stays open";
    const QVariantMap sim = modemState(QStringLiteral("Sim"));
    EXPECT_EQ(sim.value(QStringLiteral("Lock")).toString(), QStringLiteral("Ready"));
    EXPECT_EQ(yov::nsInt(sim.value(QStringLiteral("PinRemain"))), 3) << "the PIN was not taken at the first try";
}

TEST_F(DashboardEndToEndTest, RoamingWhileConnectedOpensTheRoamingWindowAndTheLinkFlows)
{
    // The roaming alert is the operator's choice; the shipped settings leave it off.
    setSettings({{QStringLiteral("enableRoamAlert"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));
    QWidget *window = init()->roamAlertWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible()) << "a roaming window on the home network";
    const qint64 droppedBefore = assembly_->msgCenter()->droppedCount();

    const QDBusMessage reply =
        control(QStringLiteral("SetModemState"), {QStringLiteral("Network"), QVariantMap{{QStringLiteral("Roaming"), true}}});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << qPrintable(reply.errorMessage());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, kWaitMs)) << "no roaming window";
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Roaming"));
    auto *text = window->findChild<QLabel *>(QStringLiteral("roamwarnningText"));
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(text->text().contains(QLatin1String("roaming"), Qt::CaseInsensitive)) << qPrintable(text->text());
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the roaming window holds the dashboard";
    EXPECT_TRUE(QTest::qWaitFor([this] { return statusText("labelInitRoamStatus") == QLatin1String("R"); }, kWaitMs));
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("roaming-window.png")); !path.isEmpty())
        QGuiApplication::primaryScreen()->grabWindow(0).save(path);

    // While it stands open the connection goes on: the counters move, no record is dropped.
    const qint64 received = dial()->receivedBytes();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dial()->receivedBytes() > received + 10000; }, kWaitMs))
        << "the counters do not move";
    EXPECT_EQ(dial()->connectStatus(), yov::kConnectStatusConnected);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(assembly_->msgCenter()->droppedCount(), droppedBefore);
    EXPECT_EQ(presenter_.count(), 0) << qPrintable(presenter_.shown().first().message);

    QTest::mouseClick(window->findChild<QPushButton *>(QStringLiteral("btnRoamAlertOK")), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

namespace {

// Collects the records of one ID as a handler does, with the sequence number each carries.
class SequenceSink : public QObject {
public:
    void onRecord(const yov::Notification &n)
    {
        yov::UI_MSG m;
        yov::msgFromBytes(n.userInfo.value(QLatin1String(yov::kMsgUserInfo)).toByteArray(), m);
        std::int32_t seq = -1;
        std::memcpy(&seq, m.data, 4);
        seen.push_back(seq);
    }
    std::vector<int> seen;
};

} // namespace

TEST_F(DashboardEndToEndTest, AQuestionRaisedInARecordHandlerLeavesTheDeviceLinkFlowing)
{
    // Connected, the device roams: the device-state controller asks whether to disconnect, on the
    // dashboard's own alert panel. While the question is open, 300 further records arrive and the
    // connection keeps being polled; the answer then ends the connection.
    setSettings({{QStringLiteral("Internet/disNetWhileToRoam"), true}});
    launch(QStringLiteral("default.plist"), true);
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));

    YOVAlertPanel *panel = assembly_->alertPanel();
    ASSERT_NE(panel, nullptr);
    QWidget *alert = panel->wndAlert_;
    ASSERT_NE(alert, nullptr);
    SequenceSink sink;
    constexpr int kMajor = 9999, kMinor = 1; // an ID no area handles: only this test's handler sees it
    assembly_->msgCenter()->registerObserver(&sink, &SequenceSink::onRecord, kMajor, kMinor);
    const qint64 droppedBefore = assembly_->msgCenter()->droppedCount();

    ASSERT_EQ(control(QStringLiteral("SetModemState"), {QStringLiteral("Network"), QVariantMap{{QStringLiteral("Roaming"), true}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return alert->isVisible(); }, kWaitMs)) << "no question was asked";
    EXPECT_TRUE(panel->labelMsg_->text().contains(QLatin1String("roaming network"))) << qPrintable(panel->labelMsg_->text());

    // Readable: opaque, the whole text inside the panel, centred on the main window.
    EXPECT_FALSE(alert->testAttribute(Qt::WA_TranslucentBackground));
    const QImage shot = alert->grab().toImage();
    for (const QPoint p : {QPoint(1, 1), QPoint(shot.width() - 2, shot.height() / 2), QPoint(shot.width() / 2, shot.height() - 2)})
        EXPECT_EQ(qAlpha(shot.pixel(p)), 255) << p.x() << "," << p.y();
    QLabel *message = panel->labelMsg_;
    const QRect inPanel(message->mapTo(alert, QPoint(0, 0)), message->size());
    EXPECT_TRUE(alert->rect().contains(inPanel)) << "the message sticks out of the panel";
    EXPECT_GE(message->height(), message->heightForWidth(message->width())) << "the message is cut";
    EXPECT_LE(alert->width(), 560);
    QWidget *main = assembly_->mainController()->wndMain;
    ASSERT_NE(main, nullptr);
    const QPoint offset = alert->frameGeometry().center() - main->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << "not centred on the main window";
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("alert-over-main-window.png")); !path.isEmpty())
        QGuiApplication::primaryScreen()->grabWindow(0).save(path);

    // 300 records while the question is open, at a pace the link takes (about 130 a second).
    const int polledBefore = int(receivedIds().count(QStringLiteral("258/67")));
    for (int batch = 0; batch < 15; ++batch) {
        QList<QByteArray> records;
        for (int i = 0; i < 20; ++i) {
            yov::UI_MSG m = yov::zeroMsg();
            m.majorID = kMajor;
            m.minorID = kMinor;
            m.dataLength = 4;
            const std::int32_t seq = batch * 20 + i;
            std::memcpy(m.data, &seq, 4);
            records << yov::msgBytes(m);
        }
        ASSERT_EQ(control(QStringLiteral("InjectRecords"), {QVariant::fromValue(records)}).type(), QDBusMessage::ReplyMessage);
        QTest::qWait(150);
    }
    // Generous bound: the wait ends as soon as all 300 are in; records that never come fail here.
    ASSERT_TRUE(QTest::qWaitFor([&] { return sink.seen.size() >= 300; }, 4 * kWaitMs)) << sink.seen.size() << " of 300 dispatched";
    std::vector<int> expected(300);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_EQ(sink.seen, expected) << "records lost or out of order";
    EXPECT_EQ(assembly_->msgCenter()->droppedCount(), droppedBefore);
    EXPECT_TRUE(alert->isVisible()) << "the question closed by itself";
    EXPECT_EQ(dial()->connectStatus(), yov::kConnectStatusConnected);
    EXPECT_GT(int(receivedIds().count(QStringLiteral("258/67"))), polledBefore + 10) << "the connection was not polled meanwhile";

    // YES: the answer reaches the question's callback, which ends the connection.
    QTest::mouseClick(panel->btnOK_, Qt::LeftButton);
    EXPECT_FALSE(alert->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs))
        << "connect status " << dial()->connectStatus();
}

namespace {

// The warnings logged while it lives.
struct WarningLog {
    static inline QStringList lines;
    static void handler(QtMsgType type, const QMessageLogContext &, const QString &msg)
    {
        if (type == QtWarningMsg)
            lines << msg;
    }
    QtMessageHandler previous = qInstallMessageHandler(handler);
    WarningLog() { lines.clear(); }
    ~WarningLog() { qInstallMessageHandler(previous); }
};

} // namespace

TEST_F(DashboardEndToEndTest, RecordsOfTheWrongSizeAreRefusedAndTheDashboardGoesOn)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    WarningLog log;
    const qint64 refusedBefore = assembly_->msgCenter()->refusedCount();
    // A signal report too long and one shorter than a record's header, straight from the stand-in.
    QByteArray oversized = yov::msgBytes([] {
        yov::UI_MSG m = yov::zeroMsg();
        m.majorID = 7;
        m.minorID = 35;
        return m;
    }());
    oversized.append(QByteArray(4000, '\x7f'));
    const QByteArray undersized = oversized.left(16);
    for (const QByteArray &record : {oversized, undersized})
        ASSERT_EQ(control(QStringLiteral("InjectRecord"), {record}).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return assembly_->msgCenter()->refusedCount() == refusedBefore + 2; }, kWaitMs));
    for (const char *size : {"of 12220 bytes", "of 16 bytes"})
        EXPECT_EQ(log.lines.filter(QLatin1String(size)).size(), 1) << size << ": " << qPrintable(log.lines.join(QLatin1Char('\n')));

    // The link goes on: a change of technology reaches the status row.
    ASSERT_EQ(control(QStringLiteral("SetModemState"),
                      {QStringLiteral("Network"), QVariantMap{{QStringLiteral("Technology"), QStringLiteral("HSDPA")}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    EXPECT_TRUE(QTest::qWaitFor([this] { return statusText("labelInitNetwork") == QLatin1String("HSDPA"); }, kWaitMs))
        << "technology shown: " << qPrintable(statusText("labelInitNetwork"));
}

TEST_F(DashboardEndToEndTest, DataLimitWarnsEndsTheConnectionAndTheNextConnectAsks)
{
    // A limit of 2 MB in force for a 30-day period, the warning at 80 % and a disconnect at the
    // limit; the stand-in sends 512 KB a second.
    setSettings({{QStringLiteral("Record"),
                  QVariantMap{{QStringLiteral("IfSetRecordResetFrequence"), true},
                              {QStringLiteral("recordResetPeriod"), QStringLiteral("29")},
                              {QStringLiteral("recordResetStartTime"),
                               QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd 00:00:00"))},
                              {QStringLiteral("recordLimitState"), true},
                              {QStringLiteral("recordDataLimit"), 2},
                              {QStringLiteral("recordLimitWarn"), 1},
                              {QStringLiteral("recordLimitDisconnect"), 1}}},
                 {QStringLiteral("Internet/dataLimitWarning"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    ASSERT_EQ(control(QStringLiteral("SetModemState"),
                      {QStringLiteral("Connection"), QVariantMap{{QStringLiteral("ReceiveRate"), 512 * 1024},
                                                                 {QStringLiteral("SendRate"), 1024}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    pressConnectButton(QStringLiteral("Connect"));

    QWidget *main = assembly_->mainController()->wndMain;
    const auto limitWindow = [main](const char *name) {
        return main ? main->findChild<QWidget *>(QLatin1String(name)) : nullptr;
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return limitWindow("wndLimitWarning") && limitWindow("wndLimitWarning")->isVisible(); },
                                kWaitMs))
        << "no 80 % warning; connect status " << dial()->connectStatus();
    QWidget *warning = limitWindow("wndLimitWarning");
    EXPECT_EQ(warning->findChild<QLabel *>(QStringLiteral("labelLimitText"))->text(),
              QStringLiteral("Total Data is reaching 80 percent of the limit"));
    EXPECT_FALSE(warning->isModal());
    EXPECT_EQ(dial()->connectStatus(), yov::kConnectStatusConnected) << "the warning holds nothing back";
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("limit-warning-over-main-window.png"));
        !path.isEmpty())
        QGuiApplication::primaryScreen()->grabWindow(0).save(path);

    // The limit ends the connection, the warning still open; one record.
    EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs))
        << "connect status " << dial()->connectStatus();
    ASSERT_NE(limitWindow("wndLimitReached"), nullptr);
    EXPECT_TRUE(limitWindow("wndLimitReached")->isVisible());
    EXPECT_EQ(limitWindow("wndLimitReached")->findChild<QLabel *>(QStringLiteral("labelLimitText"))->text(),
              QStringLiteral("Modem has been disconnected because you reached the set Time and Data Volume Limites"));
    QVariantList records;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !(records = connectionRecords()).isEmpty(); }, kWaitMs));
    ASSERT_EQ(records.size(), 1);
    EXPECT_GE(yov::nsDouble(records.first().toMap().value(QStringLiteral("receivebyte"))), 2048.0);
    EXPECT_EQ(presenter_.count(), 0) << qPrintable(presenter_.shown().first().message);

    // The next Connect asks first; "Cancel" sends nothing.
    const int connectsBefore = int(receivedIds().count(QStringLiteral("258/65")));
    presenter_.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return presenter_.count() == 1; }, kWaitMs)) << "no question before connecting";
    EXPECT_EQ(presenter_.shown().first().message,
              QStringLiteral("Pre-set limit has been reached. Do you want to connect anyway?"));
    QTest::qWait(500);
    EXPECT_EQ(dial()->connectStatus(), yov::kConnectStatusIdle);
    EXPECT_EQ(int(receivedIds().count(QStringLiteral("258/65"))), connectsBefore);
}
