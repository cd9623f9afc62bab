// The quit road: the decision tables of appShouldClose and windowShouldClose, the closing steps
// and the SIGTERM exit.
#include "MainControllerFixture.h"

#include <QDialog>

using namespace maintest;
using Scripted = testing_support::ScriptedAlertPresenter;

namespace {

struct QuitCase {
    const char *name;
    QVariantMap settings;
    bool dialBusy;
    bool selecting;
    int callStage;
    QList<Scripted::Choice> answers;
    bool expected;
    QStringList alerts;  // messages shown, in order
    bool endsConnection; // the connection is ended at once for the quit
};

QVariantMap mainKey(const char *key, const QVariant &value) { return {{QString::fromLatin1(key), value}}; }

} // namespace

TEST_F(MainControllerTest, AppShouldCloseDecisionTable)
{
    const QString connected = QStringLiteral("You are currently connected. Please disconnect first!");
    const QString selecting = QStringLiteral("You are manually selecting a network,please first finish it!");
    const QString calling = QStringLiteral("You are dialing now,please hangup first!");
    const QString closeSoftware = QStringLiteral("Close the software?");
    const QVariantMap removed{{QStringLiteral("Main"), mainKey("Main_CloseUI_IfDeviceRemoved", true)}};
    const QVariantMap withoutQuery{{QStringLiteral("MAINFORM"), mainKey("CloseAppWihoutQueryConnection", true)}};
    const QVariantMap ravo{{QStringLiteral("specialSoftVersion"), mainKey("RAVO_TIM", true)},
                           {QStringLiteral("IMSI"), QStringLiteral("001010123456789")}};
    const QuitCase cases[] = {
        {"idle", {}, false, false, 0, {}, true, {}, false},
        {"device removed skips every check and ends the connection", removed, true, true, 2, {}, true, {}, true},
        {"device removed while idle", removed, false, false, 0, {}, true, {}, false},
        {"connected", {}, true, false, 0, {}, false, {connected}, false},
        {"connected, close without query", withoutQuery, true, false, 0, {}, true, {}, false},
        {"manual network search", {}, false, true, 0, {}, false, {selecting}, false},
        {"call in progress", {}, false, false, 1, {}, false, {calling}, false},
        {"RAVO_TIM cancel", ravo, false, false, 0, {Scripted::Alternate}, false, {closeSoftware}, false},
        {"RAVO_TIM ok", ravo, false, false, 0, {Scripted::Default}, true, {closeSoftware}, false},
    };
    for (const QuitCase &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        Scripted alerts;
        yov::ScopedAlertPresenter scope(&alerts);
        for (auto a : c.answers)
            alerts.pressNext(a);
        dial = FakeDial{};
        dial.busy = c.dialBusy;
        dial.status = c.dialBusy ? 3 : 0;
        setting.selecting = c.selecting;
        call.stage = c.callStage;
        build(c.settings);

        EXPECT_EQ(controller->appShouldClose(), c.expected);
        QStringList shown;
        for (const auto &r : alerts.shown())
            shown << r.message;
        EXPECT_EQ(shown, c.alerts);
        EXPECT_EQ(dial.quitEnds, c.endsConnection ? 1 : 0);
        if (c.settings.contains(QStringLiteral("specialSoftVersion"))) {
            EXPECT_EQ(config_->getConfigurationByModule(QStringLiteral("IMSI")).toString().isEmpty(), c.expected);
        }
    }
}

TEST_F(MainControllerTest, RefusedQuitLeavesEverythingRunning)
{
    Scripted alerts;
    yov::ScopedAlertPresenter scope(&alerts);
    dial.busy = true;
    build({});
    controller->applicationWillFinishLaunching();
    log.events.clear();
    controller->terminate();
    EXPECT_EQ(terminations, 0);
    EXPECT_FALSE(log.events.contains(QStringLiteral("AppWillClose")));
    EXPECT_FALSE(log.events.contains(QStringLiteral("terminate")));
    EXPECT_EQ(alerts.count(), 1);
}

TEST_F(MainControllerTest, QuitSetsTheDeviceOfflineThenClosesAndStopsTheService)
{
    Scripted alerts;
    yov::ScopedAlertPresenter scope(&alerts);
    build({{QStringLiteral("MAINFORM"), mainKey("setDeviceOfflineWhileQuitUI", true)},
           {QStringLiteral("Main"), mainKey("Main_UIModel", 0)},
           {QStringLiteral("RuntimeData"), QVariantMap{{QStringLiteral("runtimeIMEI"), QStringLiteral("1")}}}});
    controller->applicationWillFinishLaunching();
    controller->applicationDidFinishLaunching();
    controller->modeCurrent = 1;
    log.events.clear();
    controller->terminate();

    EXPECT_EQ(terminations, 1);
    ASSERT_EQ(transport_->sent.size(), 1u);
    const yov::UI_MSG &offline = transport_->sent.front();
    EXPECT_EQ(offline.moduleID, 1);
    EXPECT_EQ(offline.majorID, 3);
    EXPECT_EQ(offline.minorID, 4);
    EXPECT_EQ(offline.type, 0);
    EXPECT_EQ(offline.result, 0);
    EXPECT_EQ(offline.dataLength, 0);
    EXPECT_EQ(blocks, QList<int>{1000});
    const int sent = log.indexOf(QStringLiteral("send 3/4"));
    const int closing = log.indexOf(QStringLiteral("AppWillClose"));
    const int stopped = log.indexOf(QStringLiteral("terminate"));
    EXPECT_LT(sent, closing);
    EXPECT_LT(closing, stopped);
    EXPECT_FALSE(config_->getConfiguration().contains(QStringLiteral("RuntimeData")));
    EXPECT_EQ(config_->getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("Main_UIModel")).toInt(), 1);
    controller->terminate(); // a second request does nothing more
    EXPECT_EQ(terminations, 1);
}

struct WindowCase {
    const char *name;
    QVariantMap settings;
    bool dialBusy;
    QList<Scripted::Choice> answers;
    bool expected;
    int alerts;
    bool willClose;   // bWinWillClose_ set and AppWillClose posted
    int terminations;
};

TEST_F(MainControllerTest, WindowShouldCloseDecisionTable)
{
    const QVariantMap withoutQuery{{QStringLiteral("MAINFORM"), mainKey("CloseAppWihoutQueryConnection", true)}};
    const WindowCase cases[] = {
        {"idle quits", {}, false, {}, true, 0, false, 1},
        {"connected", {}, true, {}, false, 1, false, 0},
        {"connected, confirmed", withoutQuery, true, {Scripted::Default}, false, 1, true, 0},
        {"connected, cancelled", withoutQuery, true, {Scripted::Alternate}, false, 1, false, 0},
    };
    for (const WindowCase &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        log.events.clear();
        terminations = 0;
        Scripted alerts;
        yov::ScopedAlertPresenter scope(&alerts);
        for (auto a : c.answers)
            alerts.pressNext(a);
        dial = FakeDial{};
        dial.busy = c.dialBusy;
        build(c.settings);
        EXPECT_EQ(controller->windowShouldClose(controller->wndMain), c.expected);
        EXPECT_EQ(alerts.count(), c.alerts);
        EXPECT_EQ(controller->bWinWillClose_, c.willClose);
        EXPECT_EQ(log.events.contains(QStringLiteral("AppWillClose")), c.willClose || c.terminations > 0);
        EXPECT_EQ(terminations, c.terminations);
        if (c.willClose) {
            EXPECT_FALSE(controller->getAppCloseStateForZAR());
        }
    }
}

TEST_F(MainControllerTest, SkinnedCloseButtonAsksWhenConfigured)
{
    Scripted alerts;
    yov::ScopedAlertPresenter scope(&alerts);
    build({{QStringLiteral("qutiUITips"), true}});
    alerts.pressNext(Scripted::Alternate);
    controller->closeMainWindow(nullptr);
    EXPECT_EQ(terminations, 0);
    alerts.pressNext(Scripted::Default);
    controller->closeMainWindow(nullptr);
    EXPECT_EQ(terminations, 1);
    ASSERT_EQ(alerts.count(), 2);
    EXPECT_EQ(alerts.shown().front().message, QStringLiteral("Exit the Connection Manager?"));
}

TEST_F(MainControllerTest, DidizuCloseSheetDecidesByItsButtons)
{
    build({{QStringLiteral("Main"), mainKey("CloseUIForDidizu", true)}});
    controller->closeMainWindow(nullptr);
    EXPECT_EQ(terminations, 0);
    ASSERT_TRUE(controller->wndCloseForDidizu_);
    EXPECT_TRUE(controller->wndCloseForDidizu_->isVisible());
    controller->cancelCloseWindowForDidizu(nullptr);
    EXPECT_FALSE(controller->wndCloseForDidizu_->isVisible());
    EXPECT_EQ(terminations, 0);
    controller->closeMainWindow(nullptr);
    controller->shutDownDeviceForDidizu(nullptr);
    EXPECT_EQ(terminations, 1);
    EXPECT_TRUE(transport_->sent.empty()) << "nothing goes to the device";
}

TEST_F(MainControllerTest, SigtermDisconnectsStopsTheServiceByIdAndExitsWithoutClosing)
{
    dial.busy = true;
    build({});
    controller->applicationWillFinishLaunching();
    transport_->ownerPid = 4242;
    log.events.clear();
    controller->handleTerminationSignal();
    // The connection is ended with its record saved before the process goes.
    EXPECT_EQ(dial.quitEnds, 1);
    EXPECT_TRUE(log.events.contains(QStringLiteral("terminate")));
    EXPECT_TRUE(log.events.contains(QStringLiteral("end 4242")));
    EXPECT_FALSE(log.events.contains(QStringLiteral("AppWillClose")));
    EXPECT_EQ(exits, QList<int>{0});
}
