// Connecting without a click through the assembled dashboard against the stand-in: the packet
// domain appearing connects, a lost link is connected again, the next profile is tried after a
// failure, a manual disconnect stays, roaming asks first, a failed dial tells the user, and the
// computer's sleep ends an NDIS connection that its wake starts again. The white-list sheet and
// the question it governs before connecting; the credentials sheet.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/view/CredentialsSheet.h"
#include "ostrel/device/init/InitController.h"
#include "platform/power/LogindSleepWatcher.h"
#include "support/FakeLogind.h"
#include "support/TestPaths.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

class DashboardReconnectTest : public DashboardFixture {
protected:
    // Automatic connection on, as the stored keys give it without the settings window, with
    // short delays.
    void automaticConnectionOn(const QVariantMap &more = {})
    {
        QVariantMap keys{{QStringLiteral("Internet/DefaultAutoConnect"), true},
                         {QStringLiteral("AutoConnect"), true},
                         {QStringLiteral("Internet/AutoReconnectStartTimeAfterDisconnect"), 0.3},
                         {QStringLiteral("AutoConnectDelayTime"), 0.3}};
        for (auto it = more.begin(); it != more.end(); ++it)
            keys.insert(it.key(), it.value());
        setSettings(keys);
    }

    bool waitStatus(int status)
    {
        return QTest::qWaitFor([this, status] { return dial()->connectStatus() == status; }, kWaitMs);
    }

    static int connectRequests() { return int(receivedIds().count(QStringLiteral("258/65"))); }

    void whiteListSheetThenConnect(bool untick);

    void setModem(const QString &area, const QVariantMap &keys)
    {
        ASSERT_EQ(control(QStringLiteral("SetModemState"), {area, keys}).type(), QDBusMessage::ReplyMessage);
    }
};

} // namespace

TEST_F(DashboardReconnectTest, PacketDomainAppearingConnectsAndALostLinkIsConnectedAgain)
{
    automaticConnectionOn();
    setScenarioModem(QStringLiteral("Network"), {{QStringLiteral("Domain"), QStringLiteral("CS_ONLY")}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    QTest::qWait(1000);
    EXPECT_EQ(dial()->connectStatus(), yov::kConnectStatusIdle) << "no packet domain, no automatic connect";
    EXPECT_EQ(connectRequests(), 0);

    setModem(QStringLiteral("Network"), {{QStringLiteral("Domain"), QStringLiteral("CS_PS")}});
    ASSERT_TRUE(waitStatus(yov::kConnectStatusConnected)) << "the packet domain came and nothing connected";
    EXPECT_EQ(connectRequests(), 1);

    // The link is lost; the dashboard dials again by itself.
    setModem(QStringLiteral("Connection"), {{QStringLiteral("DropAfterMs"), 100}});
    ASSERT_TRUE(waitStatus(yov::kConnectStatusIdle)) << "the link was never lost";
    setModem(QStringLiteral("Connection"), {{QStringLiteral("DropAfterMs"), 0}});
    ASSERT_TRUE(waitStatus(yov::kConnectStatusConnected)) << "the lost link was not connected again";
    EXPECT_EQ(connectRequests(), 2);
    EXPECT_EQ(presenter_.count(), 0) << presenter_.messages().join(QLatin1Char('|')).toStdString();
}

TEST_F(DashboardReconnectTest, FailedProfilesAreCycledUntilTheOneThatConnects)
{
    setSettings({{QStringLiteral("Internet/apnCycle"), true},
                 {QStringLiteral("Internet/apnCycleTotal"), 3},
                 {QStringLiteral("ProfileID"), 0}});
    QVariantList profiles;
    for (const char *apn : {"first.apn", "second.apn", "third.apn"})
        profiles << QVariantMap{{QStringLiteral("provider"), QStringLiteral("Vandrel %1").arg(QLatin1String(apn))},
                                {QStringLiteral("telNumber"), QStringLiteral("*99#")},
                                {QStringLiteral("apnName"), QLatin1String(apn)}};
    ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(modemList_).filePath(QStringLiteral("dialConfig.plist")), profiles));
    setScenarioModem(QStringLiteral("Connection"), {{QStringLiteral("ConnectOnlyApn"), QStringLiteral("third.apn")}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());

    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(waitStatus(yov::kConnectStatusConnected))
        << "the third profile was never reached: " << receivedIds().join(QLatin1Char(' ')).toStdString() << " told "
        << presenter_.messages().join(QLatin1Char('|')).toStdString() << " apn " << dial()->getAPNString().toStdString();
    EXPECT_EQ(connectRequests(), 3);
    EXPECT_EQ(dial()->getAPNString(), QStringLiteral("third.apn"));
    EXPECT_EQ(presenter_.count(), 0) << "no failure is told while another profile is tried";
}

TEST_F(DashboardReconnectTest, ManualDisconnectIsNotUndone)
{
    automaticConnectionOn();
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    ASSERT_TRUE(waitStatus(yov::kConnectStatusConnected)) << "automatic connection never connected";
    pressConnectButton(QStringLiteral("Disconnect"));
    ASSERT_TRUE(waitStatus(yov::kConnectStatusIdle));
    QTest::qWait(2000); // several automatic delays
    EXPECT_EQ(dial()->connectStatus(), yov::kConnectStatusIdle);
    EXPECT_EQ(connectRequests(), 1);
}

TEST_F(DashboardReconnectTest, RoamingAsksBeforeTheAutomaticConnect)
{
    automaticConnectionOn();
    presenter_.setHoldOpen(true);
    launch(QStringLiteral("roaming.plist"));
    ASSERT_TRUE(waitSimReady());
    const QString question = dial()->localizedText(QStringLiteral("Cost will be increased at roaming status"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return presenter_.messages().contains(question); }, kWaitMs))
        << "asked: " << presenter_.messages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(connectRequests(), 0) << "nothing is dialled before the answer";
    // Every alert answered with its default button: the user accepts the cost.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            presenter_.answerAllOpen();
            return dial()->connectStatus() == yov::kConnectStatusConnected;
        },
        kWaitMs));
    EXPECT_EQ(connectRequests(), 1);
}

TEST_F(DashboardReconnectTest, FailedDialTellsTheUserAndConnectTriesAgain)
{
    setScenarioModem(QStringLiteral("Connection"), {{QStringLiteral("ConnectFailsTimes"), 1}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    pressConnectButton(QStringLiteral("Connect"));
    const QString told = dial()->localizedText(QStringLiteral("Cannot connect, please try again later"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return presenter_.messages().contains(told); }, kWaitMs))
        << "told: " << presenter_.messages().join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(dial()->connectStatus(), yov::kConnectStatusIdle);
    EXPECT_TRUE(connectionRecords().isEmpty()) << "an attempt that never came up leaves no record";
    // The button offers Connect again, and this time the modem takes the call.
    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(waitStatus(yov::kConnectStatusConnected));
    EXPECT_EQ(connectRequests(), 2);
    EXPECT_EQ(presenter_.messages().count(told), 1);
}

TEST_F(DashboardReconnectTest, SleepEndsTheNdisConnectionAndWakeConnectsAgain)
{
    using testing_support::FakeLogind;
    if (!FakeLogind::privateSystemBus())
        GTEST_SKIP() << "needs the private system bus of scripts/with-session-bus";
    FakeLogind logind;
    ASSERT_TRUE(logind.start()) << "the stand-in logind did not come up";
    automaticConnectionOn({{QStringLiteral("ConnectType"), 1}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    ASSERT_NE(assembly_->sleepWatcher(), nullptr);
    ASSERT_TRUE(assembly_->sleepWatcher()->active());
    const QString ourLock = QStringLiteral("sleep/Ostrel/Ending the data connection before sleep/delay");
    EXPECT_EQ(FakeLogind::inhibitors(), QStringList{ourLock});
    ASSERT_TRUE(waitStatus(yov::kConnectStatusConnected)) << "automatic connection never connected";

    ASSERT_TRUE(FakeLogind::prepareForSleep(true));
    ASSERT_TRUE(QTest::qWaitFor([] { return receivedIds().contains(QStringLiteral("258/70")); }, kWaitMs))
        << "no NDIS disconnect before sleep";
    EXPECT_TRUE(QTest::qWaitFor([] { return FakeLogind::inhibitors().isEmpty(); }, kWaitMs))
        << "the delay lock was kept: " << FakeLogind::inhibitors().join(QLatin1Char(',')).toStdString();
    ASSERT_TRUE(waitStatus(yov::kConnectStatusIdle));
    QTest::qWait(1000);
    EXPECT_EQ(int(receivedIds().count(QStringLiteral("258/69"))), 1) << "the drop during sleep was retried";

    ASSERT_TRUE(FakeLogind::prepareForSleep(false));
    ASSERT_TRUE(waitStatus(yov::kConnectStatusConnected)) << "the wake did not connect again";
    EXPECT_EQ(int(receivedIds().count(QStringLiteral("258/69"))), 2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return FakeLogind::inhibitors() == QStringList{ourLock}; }, kWaitMs))
        << "no lock for the next sleep";
}

// The white-list sheet on a roaming network of the list: its box, left ticked or unticked,
// decides whether the user is asked before connecting.
void DashboardReconnectTest::whiteListSheetThenConnect(bool untick)
{
    const bool asked = !untick;
    setSettings({{QStringLiteral("Internet/InternetWhiteList"), QVariantMap{{QStringLiteral("Ardence"), QStringLiteral("20810")}}},
                 {QStringLiteral("Internet/paySameAsHomeNetIfIsWhilteNet"), true},
                 {QStringLiteral("Internet/d3uRemindWhilteNetAlertBeforeConnect"), true},
                 {QStringLiteral("Internet/ForbidRoamingAlert"), true}});
    launch(QStringLiteral("roaming.plist"));
    ASSERT_TRUE(waitSimReady());
    WhiteListCheckWindow *sheet = init()->whiteListCheckWindow();
    ASSERT_NE(sheet, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->isVisible(); }, kWaitMs)) << "the white-list sheet never came";
    EXPECT_EQ(presenter_.count(), 0) << "a sheet, not an alert";
    EXPECT_FALSE(sheet->tfdD3uRoamInWhiteList_->text().isEmpty());
    EXPECT_FALSE(sheet->tfdD3uRemindNextConnect_->text().isEmpty());
    EXPECT_TRUE(sheet->checkboxD3uWhiteCheck_->isChecked());
    if (untick)
        sheet->checkboxD3uWhiteCheck_->click();
    EXPECT_EQ(init()->roamTipWhenInWhiteList(), !untick);
    QTest::mouseClick(sheet->btnD3uWhiteCheck_, Qt::LeftButton);
    EXPECT_FALSE(sheet->isVisible());

    presenter_.setHoldOpen(true);
    pressConnectButton(QStringLiteral("Connect"));
    const QString question = dial()->localizedText(QStringLiteral("remindInWhiteList"));
    if (asked) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return presenter_.messages().contains(question); }, kWaitMs));
        EXPECT_EQ(connectRequests(), 0);
        presenter_.answerAllOpen();
    }
    ASSERT_TRUE(waitStatus(yov::kConnectStatusConnected));
    EXPECT_EQ(presenter_.messages().contains(question), asked);
}

TEST_F(DashboardReconnectTest, WhiteListSheetLeftTickedAsksBeforeConnecting) { whiteListSheetThenConnect(false); }

TEST_F(DashboardReconnectTest, WhiteListSheetUntickedConnectsWithoutAsking) { whiteListSheetThenConnect(true); }

TEST_F(DashboardReconnectTest, CredentialsSheetSendsTheTypedNameAndKeepsItOutOfTheFile)
{
    setSettings({{QStringLiteral("Internet/CheckAPNAccount"), true}, {QStringLiteral("ProfileID"), 0}});
    const QVariantList profiles{QVariantMap{{QStringLiteral("provider"), QStringLiteral("Vandrel Ask")},
                                            {QStringLiteral("telNumber"), QStringLiteral("*99#")},
                                            {QStringLiteral("apnName"), QStringLiteral("ask.vandrel")},
                                            {QStringLiteral("askUsernameFlag"), true},
                                            {QStringLiteral("saveUsernameFlag"), 0}}};
    const QString profileFile = QDir(modemList_).filePath(QStringLiteral("dialConfig.plist"));
    ASSERT_TRUE(yov::PlistBridge::writeFile(profileFile, profiles));
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());

    pressConnectButton(QStringLiteral("Connect"));
    CredentialsSheet *sheet = nullptr;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            sheet = mainWindow()->findChild<CredentialsSheet *>(QStringLiteral("checkUernameWin_"));
            return sheet && sheet->isVisible();
        },
        kWaitMs))
        << "no credentials sheet";
    EXPECT_EQ(connectRequests(), 0) << "nothing is dialled while the sheet is up";
    QTest::keyClicks(sheet->winUernameText_, QStringLiteral("alice"));
    QTest::keyClicks(sheet->winPasswordText_, QStringLiteral("s3cret"));
    EXPECT_FALSE(sheet->winAskUsernameCheck_->isChecked());
    QTest::qWait(200);
    // The sheet is a window of its own: it is drawn over the main window where a sheet hangs.
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("dashboard-internet-credentials-sheet.png"));
        !path.isEmpty()) {
        QPixmap shot = mainWindow()->grab();
        const QPixmap over = sheet->grab();
        QPainter painter(&shot);
        painter.drawPixmap((shot.width() - over.width()) / 2, 0, over);
        painter.end();
        shot.save(path);
    }
    QTest::mouseClick(sheet->askWinOK_, Qt::LeftButton);

    ASSERT_TRUE(waitStatus(yov::kConnectStatusConnected));
    EXPECT_EQ(connectRequests(), 1) << "one request for the sheet's OK";
    EXPECT_EQ(int(receivedIds().count(QStringLiteral("258/66"))), 0);
    QTest::qWait(500);
    saveScreenshot(mainWindow(), QStringLiteral("dashboard-internet-connected-after-sheet.png"));
    const QVariantMap stored = yov::PlistBridge::readFile(profileFile)->toList().value(0).toMap();
    EXPECT_EQ(stored.value(QStringLiteral("accountName")).toString(), QString());
    EXPECT_EQ(stored.value(QStringLiteral("password")).toString(), QString());
    EXPECT_EQ(stored.value(QStringLiteral("saveUsernameFlag")).toInt(), 0);
}
