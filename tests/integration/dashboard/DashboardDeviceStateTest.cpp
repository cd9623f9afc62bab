// The device state and the main window of the whole dashboard against the stand-in modem, used as
// a user would: PIN and PUK entry with their messages, the way back into a cancelled PIN entry,
// removal and plug, the modem keeping the PIN, the device options, the window at start, the quit
// roads, and the device service dying under a connection.
#include "DashboardFixture.h"

#include "common/ValueConversion.h"
#include "common/records/DeviceServiceBus.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/init/InitWindows.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/controller/YOVAlertPanel.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/widgets/StatusBarView.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/SettingController.h"
#include "platform/NotificationCenter.h"
#include "support/TestPaths.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

using namespace ostrel;
using namespace dashboard_test;

namespace {

void saveScreen(const QString &name)
{
    if (const QString path = testing_paths::screenshotPath(name); !path.isEmpty())
        QGuiApplication::primaryScreen()->grabWindow(0).save(path);
}

void saveWidget(QWidget *widget, const QString &name)
{
    if (const QString path = testing_paths::screenshotPath(name); !path.isEmpty() && widget)
        widget->grab().save(path);
}

QStringList messages(const testing_support::ScriptedAlertPresenter &presenter)
{
    QStringList out;
    for (const yov::AlertRequest &alert : presenter.shown())
        out << alert.message;
    return out;
}

class DashboardDeviceStateTest : public DashboardFixture {
protected:
    PinWindow *pinSheet() const { return init()->pinWindow(); }
    bool waitPinSheet() const
    {
        return QTest::qWaitFor([this] { return pinSheet() && pinSheet()->isVisible(); }, kWaitMs);
    }
    void enterPin(const QString &pin)
    {
        QTest::keyClicks(pinSheet()->m_PinCode, pin);
        QTest::mouseClick(pinSheet()->btnOK, Qt::LeftButton);
    }
    bool simReadyRuntime() const
    {
        return yov::nsBool(init()->runtimeObjectForKey(QStringLiteral("runtimeSIMCardReady")));
    }
    QString signalImage() const { return init()->signalImageName(); }
    QAction *menuItem(const char *title) const { return main()->menuItemNamed(QLatin1String(title)); }
    // The dashboard connected, its quits counted in quits_ instead of ending the test.
    void launchConnected(bool closeWithoutQuery)
    {
        setSettings({{QStringLiteral("MAINFORM/CloseAppWihoutQueryConnection"), closeWithoutQuery}});
        launch(QStringLiteral("default.plist"));
        main()->setTerminator([this] { ++quits_; });
        ASSERT_TRUE(waitSimReady());
        pressConnectButton(QStringLiteral("Connect"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));
    }
    int quits_ = 0;
};

} // namespace

TEST_F(DashboardDeviceStateTest, WrongPinIsToldWithTheRemainingCount)
{
    launch(QStringLiteral("pin-required.plist"), true);
    ASSERT_TRUE(waitPinSheet()) << "the PIN sheet never appeared";
    YOVAlertPanel *panel = assembly_->alertPanel();
    enterPin(QStringLiteral("0000"));

    // The user is told, on the dashboard's own panel, and the sheet comes back with the count.
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->wndAlert_->isVisible(); }, kWaitMs)) << "no message";
    EXPECT_EQ(panel->labelMsg_->text(), QStringLiteral("Incorrect PIN code!"));
    ASSERT_TRUE(waitPinSheet()) << "the sheet did not come back for the next try";
    EXPECT_EQ(pinSheet()->m_PinTimeLeft->text(), QStringLiteral("You only have 2 time(s) left!"));
    EXPECT_TRUE(pinSheet()->m_PinCode->text().isEmpty());
    QTest::qWait(100); // painted
    saveScreen(QStringLiteral("pin-sheet-wrong-pin.png"));
    QTest::mouseClick(panel->btnOK_, Qt::LeftButton);
    EXPECT_FALSE(panel->wndAlert_->isVisible());

    // An input the rules refuse is told as well, and the sheet stays.
    enterPin(QStringLiteral("12a4"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel->wndAlert_->isVisible(); }, kWaitMs));
    EXPECT_EQ(panel->labelMsg_->text(), QStringLiteral("PIN must be digits only!"));
    EXPECT_TRUE(pinSheet()->isVisible());
    QTest::mouseClick(panel->btnOK_, Qt::LeftButton);

    enterPin(QStringLiteral("1234"));
    EXPECT_TRUE(waitSimReady());
}

TEST_F(DashboardDeviceStateTest, WrongPukIsTold)
{
    launch(QStringLiteral("puk-required.plist"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return init()->pukWindow()->isVisible(); }, kWaitMs)) << "no PUK sheet";
    PukWindow *sheet = init()->pukWindow();
    QTest::keyClicks(sheet->m_PukCode, QStringLiteral("87654321"));
    QTest::keyClicks(sheet->m_NewPinCode, QStringLiteral("4321"));
    QTest::keyClicks(sheet->m_RepNewPinCode, QStringLiteral("4321"));
    QTest::mouseClick(sheet->btnOK, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return messages(presenter_).contains(QStringLiteral("Incorrect PUK code!")); },
                                kWaitMs))
        << qPrintable(messages(presenter_).join(QLatin1String(" | ")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->isVisible(); }, kWaitMs)) << "the PUK sheet did not come back";
    EXPECT_EQ(sheet->m_PukTimeLeft->text(), QStringLiteral("You only have 9 time(s) left!"));

    QTest::keyClicks(sheet->m_PukCode, QStringLiteral("12345678"));
    QTest::keyClicks(sheet->m_NewPinCode, QStringLiteral("4321"));
    QTest::keyClicks(sheet->m_RepNewPinCode, QStringLiteral("4321"));
    QTest::mouseClick(sheet->btnOK, Qt::LeftButton);
    EXPECT_TRUE(waitSimReady());
    EXPECT_EQ(modemState(QStringLiteral("Sim")).value(QStringLiteral("Pin")).toString(), QStringLiteral("4321"));
}

TEST_F(DashboardDeviceStateTest, CancelledPinEntryReopensFromTheMenu)
{
    launch(QStringLiteral("pin-required.plist"));
    ASSERT_TRUE(waitPinSheet());
    QAction *enterPinItem = menuItem("Enter PIN");
    ASSERT_NE(enterPinItem, nullptr) << "no \"Enter PIN\" in the menus";
    QMenu *pinMenu = main()->menuNamed(QStringLiteral("PIN Operations"));
    ASSERT_NE(pinMenu, nullptr);
    EXPECT_TRUE(pinMenu->actions().contains(enterPinItem));
    EXPECT_FALSE(enterPinItem->isEnabled()) << "the sheet is open";

    QTest::mouseClick(pinSheet()->btnCancel, Qt::LeftButton);
    EXPECT_FALSE(pinSheet()->isVisible());
    ASSERT_TRUE(enterPinItem->isEnabled()) << "no way back into the PIN entry";
    EXPECT_FALSE(menuItem("Unlock PIN")->isEnabled()) << "the SIM asks for its PIN, not its PUK";

    // The menu, opened as a user would see it.
    QMenu *tools = main()->menuNamed(QStringLiteral("Tools"));
    ASSERT_NE(tools, nullptr);
    tools->popup(main()->wndMain->mapToGlobal(QPoint(40, 30)));
    pinMenu->popup(tools->geometry().topRight());
    QTest::qWait(100);
    saveWidget(tools, QStringLiteral("menu-tools.png"));
    saveWidget(pinMenu, QStringLiteral("menu-pin-operations.png"));
    pinMenu->hide();
    tools->hide();

    enterPinItem->trigger();
    ASSERT_TRUE(waitPinSheet()) << "\"Enter PIN\" did not open the sheet";
    EXPECT_FALSE(enterPinItem->isEnabled());
    enterPin(QStringLiteral("1234"));
    EXPECT_TRUE(waitSimReady());
    EXPECT_FALSE(enterPinItem->isEnabled()) << "a ready SIM asks for no PIN";
}

TEST_F(DashboardDeviceStateTest, RemovalThenPlugOfAPinSimShowsNothingOfTheOldSim)
{
    QStringList simStatus, modem;
    QObject watcher;
    yov::NotificationCenter::defaultCenter().addObserver(&watcher, QStringLiteral("init_SimStatus"), nullptr,
                                                         [&](const yov::Notification &n) {
                                                             simStatus << n.userInfo.value(QStringLiteral("init_SimStatus")).toString();
                                                         });
    yov::NotificationCenter::defaultCenter().addObserver(&watcher, QStringLiteral("init_ModemConnected"), nullptr,
                                                         [&](const yov::Notification &n) {
                                                             modem << n.userInfo.value(QStringLiteral("init_ModemConnected")).toString();
                                                         });
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    ASSERT_TRUE(QTest::qWaitFor([this] { return signalImage() == QLatin1String("rssi6"); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !statusText("labelInitLocalSPN").isEmpty(); }, kWaitMs));

    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !simReadyRuntime(); }, kWaitMs)) << "a removed modem's SIM stays ready";
    EXPECT_EQ(init()->m_SimPinState, InitController::SimNotReady);
    EXPECT_EQ(simStatus.last(), QStringLiteral("false"));
    EXPECT_EQ(modem.last(), QStringLiteral("false"));
    EXPECT_EQ(init()->modemStatusImageName(), QStringLiteral("netstatus1"));
    EXPECT_EQ(signalImage(), QStringLiteral("rssi1"));
    EXPECT_TRUE(statusText("labelInitLocalSPN").isEmpty());

    // The next modem's SIM asks for its PIN: nothing of the old one shows meanwhile.
    ASSERT_EQ(control(QStringLiteral("SetModemState"), {QStringLiteral("Sim"), QVariantMap{{QStringLiteral("PinRequired"), true}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    ASSERT_EQ(control(QStringLiteral("PlugDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(waitPinSheet()) << "the new SIM's PIN was not asked for";
    EXPECT_EQ(init()->modemStatusImageName(), QStringLiteral("netstatus2"));
    // Signal reports come while the PIN is asked: the bars stay empty.
    QTest::qWait(3500);
    EXPECT_EQ(signalImage(), QStringLiteral("rssi1"));
    EXPECT_FALSE(simReadyRuntime());
    EXPECT_NE(init()->m_SimPinState, InitController::SimReady);
    EXPECT_TRUE(statusText("labelInitLocalSPN").isEmpty());
    EXPECT_EQ(simStatus.last(), QStringLiteral("false"));

    enterPin(QStringLiteral("1234"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return simReadyRuntime(); }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([this] { return signalImage() == QLatin1String("rssi6"); }, kWaitMs));
}

TEST_F(DashboardDeviceStateTest, TheModemKeepsThePinAndEntersItByItself)
{
    setSettings({{QStringLiteral("Main/pinAutoValidation"), true}});
    launch(QStringLiteral("pin-save-road.plist"));
    ASSERT_TRUE(waitPinSheet());
    // The user asks the modem to keep the PIN.
    pinSheet()->btnSavePinNum_->setChecked(true);
    enterPin(QStringLiteral("1234"));
    ASSERT_TRUE(waitSimReady());
    EXPECT_TRUE(QTest::qWaitFor([] { return receivedIds().contains(QStringLiteral("4/17")); }, kWaitMs));
    const QVariantMap sim = modemState(QStringLiteral("Sim"));
    EXPECT_EQ(yov::nsInt(sim.value(QStringLiteral("AutoValidation"))), 1) << "4/18 never set the modem's choice";
    EXPECT_EQ(sim.value(QStringLiteral("SavedPin")).toString(), QStringLiteral("1234")) << "4/17 never kept the PIN";

    // The next time, the modem offers the kept PIN and the dashboard enters it without asking.
    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !simReadyRuntime(); }, kWaitMs));
    ASSERT_EQ(control(QStringLiteral("SetModemState"),
                      {QStringLiteral("Sim"), QVariantMap{{QStringLiteral("PinRequired"), true},
                                                          {QStringLiteral("AutoValidation"), 1},
                                                          {QStringLiteral("SavedPin"), QStringLiteral("1234")}}})
                  .type(),
              QDBusMessage::ReplyMessage);
    simReady_ = 0;
    ASSERT_EQ(control(QStringLiteral("PlugDevice")).type(), QDBusMessage::ReplyMessage);
    EXPECT_TRUE(waitSimReady()) << "the kept PIN was not entered";
    EXPECT_FALSE(pinSheet()->isVisible()) << "the PIN was asked although the modem keeps it";
}

TEST_F(DashboardDeviceStateTest, DeviceOptionsAreOnTheSettingsPageAndAct)
{
    setSettings({{QStringLiteral("Main/pinAutoValidation"), true},
                 {QStringLiteral("Main/AtuoCheckPinAndIccidSavedInConfigFile"), true}});
    QObject pinReports;
    int pinStateReports = 0;
    yov::NotificationCenter::defaultCenter().addObserver(&pinReports, QStringLiteral("pinActiveStatusForBundle"), nullptr,
                                                         [&](const yov::Notification &) { ++pinStateReports; });
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    ASSERT_TRUE(QTest::qWaitFor([&] { return pinStateReports > 0; }, kWaitMs)) << "the SIM's PIN request";
    QAction *options = menuItem("Options");
    ASSERT_NE(options, nullptr);
    ASSERT_TRUE(options->isEnabled());
    options->trigger();
    EXPECT_EQ(main()->currentTabIdentifier(), QStringLiteral("Setting"));
    // The PIN options are in the settings page's "Security" panel.
    QTabWidget *panels = assembly_->settingController()->settingTabView();
    ASSERT_NE(panels, nullptr);
    panels->setCurrentIndex(tabViewItemOfIdentifier(panels, QStringLiteral("Security")));
    QWidget *view = init()->pinOptionsBox();
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(assembly_->settingController()->panel(QStringLiteral("Security"))->isAncestorOf(view));
    auto *autoValidation = view->findChild<QCheckBox *>(QStringLiteral("btnSettingPINAutoValidation"));
    auto *keepPin = view->findChild<QCheckBox *>(QStringLiteral("btnPinNumSavedInConfigFile"));
    auto *remove = view->findChild<QPushButton *>(QStringLiteral("btnRemovePinAutoCheckByICCID"));
    for (QWidget *control : std::initializer_list<QWidget *>{autoValidation, keepPin, remove}) {
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->isVisible()) << qPrintable(control->objectName());
    }
    saveWidget(main()->wndMain, QStringLiteral("device-options.png"));

    // The modem's own PIN entry needs the SIM's PIN request on, and the PIN confirmed first.
    SettingController *settings = assembly_->settingController();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings->pinEnableBox()->isEnabled(); }, kWaitMs));
    settings->pinEnableBox()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings->enablePinSheet()->isVisible(); }, kWaitMs));
    settings->enablePinField()->setText(QStringLiteral("1234"));
    settings->ChangePinActiveStatusOK();
    ASSERT_TRUE(QTest::qWaitFor([&] { return pinStateReports > 1 && autoValidation->isEnabled(); }, kWaitMs));
    control(QStringLiteral("ClearReceived"));
    autoValidation->click(); // (a click on the box itself; the widget may be wider than its box and text)
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings->enablePinSheet()->isVisible(); }, kWaitMs));
    settings->enablePinField()->setText(QStringLiteral("1234"));
    settings->ChangePinActiveStatusOK();
    EXPECT_TRUE(QTest::qWaitFor([] { return receivedIds().contains(QStringLiteral("4/18")); }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([] { return yov::nsInt(modemState(QStringLiteral("Sim")).value(QStringLiteral("AutoValidation"))) == 1; },
                                kWaitMs));

    const bool kept = keepPin->isChecked();
    keepPin->click();
    EXPECT_EQ(yov::nsBool(storedSettings().value(QStringLiteral("Main")).toMap().value(QStringLiteral("EnableSavePINNum"))), !kept);

    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([this] { return messages(presenter_).contains(QStringLiteral("No PIN is saved on this computer.")); },
                                kWaitMs))
        << qPrintable(messages(presenter_).join(QLatin1String(" | ")));
    EXPECT_FALSE(keepPin->isChecked());
}

TEST_F(DashboardDeviceStateTest, WithoutAWindowModeTheMainWindowShowsWithOneTrayItem)
{
    QVariantMap settings = storedSettings();
    QVariantMap mainModule = settings.value(QStringLiteral("Main")).toMap();
    mainModule.remove(QStringLiteral("Main_UIModel"));
    setSettings({{QStringLiteral("Main"), mainModule}, {QStringLiteral("NeedSystemStatusItem"), true}});
    launch(QStringLiteral("default.plist"));
    QWidget *window = main()->wndMain;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window->isVisible(); }, kWaitMs)) << "no main window";
    EXPECT_EQ(window, main()->wndCompleteMain_.data());
    EXPECT_FALSE(window->windowIcon().isNull()) << "the main window has no icon";
    int trayViews = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        trayViews += qobject_cast<StatusBarView *>(w) ? 1 : 0;
    EXPECT_EQ(trayViews, 1);
    ASSERT_TRUE(waitSimReady());
    QTest::qWait(1500); // the network reports after the SIM
    saveWidget(window, QStringLiteral("main-window-ready.png"));
}

TEST_F(DashboardDeviceStateTest, QuitWhileConnectedIsRefusedUnlessConfiguredThenRunsTheQuitRoadOnce)
{
    launchConnected(false);
    ASSERT_FALSE(HasFailure());
    menuItem("Quit")->trigger();
    EXPECT_EQ(quits_, 0);
    EXPECT_TRUE(messages(presenter_).contains(QStringLiteral("You are currently connected. Please disconnect first!")));

    // With the operator's choice the quit ends the connection first, once.
    assembly_->mainController()->config().setConfigurationByModuleKeyAndValue(
        QStringLiteral("MAINFORM"), QStringLiteral("CloseAppWihoutQueryConnection"), true);
    menuItem("Quit")->trigger();
    EXPECT_EQ(quits_, 1);
    EXPECT_TRUE(QTest::qWaitFor([this] { return connectionRecords().size() == 1; }, kWaitMs)) << "no record saved";
    EXPECT_FALSE(storedSettings().contains(QStringLiteral("RuntimeData"))) << "run-time data left in settings.plist";
    QTest::qWait(500);
    EXPECT_EQ(quits_, 1) << "the quit road ran again";
    assembly_.reset();
    EXPECT_FALSE(storedSettings().contains(QStringLiteral("RuntimeData"))) << "run-time data written again";
}

TEST_F(DashboardDeviceStateTest, QuitAfterDisconnectingRunsTheQuitRoadOnce)
{
    launchConnected(true);
    ASSERT_FALSE(HasFailure());
    ASSERT_TRUE(storedSettings().contains(QStringLiteral("RuntimeData")) ||
                assembly_->mainController()->config().getConfigurationByModule(QStringLiteral("RuntimeData")).isValid());

    // The window's close button: the user confirms, the connection ends, then the dashboard quits.
    main()->wndMain->close();
    EXPECT_TRUE(messages(presenter_).contains(
        QStringLiteral("It has an active connection.Are you sure you hold fast to finish the applications?")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return quits_ > 0; }, kWaitMs)) << "the disconnect for quitting never quit";
    EXPECT_EQ(connectionRecords().size(), 1);
    EXPECT_FALSE(storedSettings().contains(QStringLiteral("RuntimeData")));
    EXPECT_FALSE(serviceRunning()) << "the device service was not stopped";
    QTest::qWait(500);
    EXPECT_EQ(quits_, 1) << "the quit road ran again";
    assembly_.reset();
    EXPECT_FALSE(storedSettings().contains(QStringLiteral("RuntimeData")));
}

TEST_F(DashboardDeviceStateTest, AKilledDeviceServiceEndsTheConnectionAndComesBack)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));
    const QDBusReply<uint> pid =
        QDBusConnection::sessionBus().interface()->servicePid(QLatin1String(yov::devicebus::kService));
    ASSERT_TRUE(pid.isValid());
    simReady_ = 0;

    ASSERT_EQ(::kill(pid_t(pid.value()), SIGKILL), 0);
    // Within seconds: the removal state, the connection ended with its record, the user told.
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs))
        << "the page stays at \"Connected\"";
    EXPECT_EQ(connectionRecords().size(), 1);
    EXPECT_FALSE(simReadyRuntime());
    EXPECT_EQ(init()->modemStatusImageName(), QStringLiteral("netstatus1"));
    EXPECT_TRUE(messages(presenter_).contains(QStringLiteral("The device service stopped. The dashboard is starting it again.")))
        << qPrintable(messages(presenter_).join(QLatin1String(" | ")));

    // The service is started again, the device comes back, and Connect works.
    ASSERT_TRUE(waitSimReady()) << "the device service did not come back";
    EXPECT_TRUE(serviceRunning());
    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));
    pressConnectButton(QStringLiteral("Disconnect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs));
    EXPECT_TRUE(QTest::qWaitFor([this] { return connectionRecords().size() == 2; }, kWaitMs));
}

TEST_F(DashboardDeviceStateTest, SigtermWhileConnectedSavesTheRecordAndStopsTheServiceWithoutTheQuitRoad)
{
    launchConnected(false);
    ASSERT_FALSE(HasFailure());
    int exitStatus = -1;
    main()->setExiter([&](int status) { exitStatus = status; });
    int appWillClose = 0;
    QObject observer;
    yov::NotificationCenter::defaultCenter().addObserver(
        &observer, QStringLiteral("AppWillClose"), nullptr, [&](const yov::Notification &) { ++appWillClose; });

    main()->handleTerminationSignal();
    EXPECT_EQ(exitStatus, 0);
    // No question and no quit road, but the connection's record is not lost with the process.
    EXPECT_EQ(connectionRecords().size(), 1) << "the connection's record was lost";
    EXPECT_EQ(quits_, 0);
    EXPECT_EQ(appWillClose, 0);
    EXPECT_FALSE(messages(presenter_).contains(QStringLiteral("You are currently connected. Please disconnect first!")));
    EXPECT_TRUE(QTest::qWaitFor([] { return !serviceRunning(); }, kWaitMs)) << "the device service was not stopped";
}

TEST_F(DashboardDeviceStateTest, AClosedWindowWhoseQuitIsRefusedStaysOnScreen)
{
    // The operator's question before quitting: "Cancel" keeps the dashboard, and its window.
    setSettings({{QStringLiteral("specialSoftVersion/RAVO_TIM"), true}});
    launch(QStringLiteral("default.plist"));
    main()->setTerminator([this] { ++quits_; });
    ASSERT_TRUE(waitSimReady());
    QWidget *window = main()->wndMain;
    ASSERT_TRUE(window && window->isVisible());

    presenter_.pressNext(testing_support::ScriptedAlertPresenter::Alternate);
    window->close();
    EXPECT_TRUE(messages(presenter_).contains(QStringLiteral("Close the software?")));
    EXPECT_EQ(quits_, 0);
    EXPECT_TRUE(window->isVisible()) << "the dashboard runs on without a window";

    // "OK" quits, once, and the window goes with the application.
    window->close();
    EXPECT_EQ(quits_, 1);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(DashboardDeviceStateTest, CancelledPukEntryReopensFromTheMenu)
{
    launch(QStringLiteral("puk-required.plist"));
    PukWindow *sheet = init()->pukWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->isVisible(); }, kWaitMs)) << "no PUK sheet";
    QAction *unlockItem = menuItem("Unlock PIN");
    ASSERT_NE(unlockItem, nullptr);
    EXPECT_FALSE(unlockItem->isEnabled()) << "the sheet is open";

    QTest::mouseClick(sheet->btnCancel, Qt::LeftButton);
    EXPECT_FALSE(sheet->isVisible());
    ASSERT_TRUE(unlockItem->isEnabled()) << "no way back into the PUK entry";
    EXPECT_FALSE(simReadyRuntime());

    unlockItem->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheet->isVisible(); }, kWaitMs)) << "\"Unlock PIN\" did not open the sheet";
    EXPECT_FALSE(unlockItem->isEnabled());
    QTest::keyClicks(sheet->m_PukCode, QStringLiteral("12345678"));
    QTest::keyClicks(sheet->m_NewPinCode, QStringLiteral("5678"));
    QTest::keyClicks(sheet->m_RepNewPinCode, QStringLiteral("5678"));
    QTest::mouseClick(sheet->btnOK, Qt::LeftButton);
    EXPECT_TRUE(waitSimReady());
    EXPECT_EQ(modemState(QStringLiteral("Sim")).value(QStringLiteral("Pin")).toString(), QStringLiteral("5678"));
}

TEST_F(DashboardDeviceStateTest, MenuItemsOfBuiltAreasActAndTheOthersWaitForTheirArea)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    struct TabItem {
        const char *item;
        const char *tab;
    };
    // Items whose area is in the dashboard switch to its page ("HomePage", which starts the web
    // engine, has a test of its own).
    const TabItem acting[] = {{"Options", "Setting"},
                              {"Internet", "Internet"},
                              {"Preferences...", "Setting"},
                              {"DialRecord", "DialRecord"},
                              {"Internet", "Internet"}};
    for (const TabItem &c : acting) {
        SCOPED_TRACE(c.item);
        QAction *item = menuItem(c.item);
        ASSERT_NE(item, nullptr);
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
        EXPECT_TRUE(QTest::qWaitFor([&] { return main()->currentTabIdentifier() == QLatin1String(c.tab); }, kWaitMs))
            << "on " << main()->currentTabIdentifier().toStdString();
    }
    // Items of areas the dashboard does not have yet are greyed out, not silent clicks.
    // (The help menu's "Diagnostics", "Logs" and "About..." act: DashboardDiagnosticsTest.)
    for (const char *title : {"Call", "SMS", "Phonebook", "AccountBalance", "Support", "Prepaid guide"}) {
        QAction *item = menuItem(title);
        ASSERT_NE(item, nullptr) << title;
        EXPECT_FALSE(item->isEnabled()) << title;
    }
}

TEST_F(DashboardDeviceStateTest, TheQuitAfterDisconnectingAsksItsQuestionOutsideTheDeviceLink)
{
    // The operator's question before quitting comes once the connection has ended; it is asked
    // outside the device record that reported the end (the scripted alerts fail the test
    // otherwise).
    setSettings({{QStringLiteral("specialSoftVersion/RAVO_TIM"), true}});
    launchConnected(true);
    ASSERT_FALSE(HasFailure());
    main()->wndMain->close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return quits_ > 0; }, kWaitMs)) << "the disconnect for quitting never quit";
    EXPECT_TRUE(messages(presenter_).contains(QStringLiteral("Close the software?")))
        << qPrintable(messages(presenter_).join(QLatin1String(" | ")));
    EXPECT_EQ(connectionRecords().size(), 1);
    QTest::qWait(500);
    EXPECT_EQ(quits_, 1) << "the quit road ran again";
}
