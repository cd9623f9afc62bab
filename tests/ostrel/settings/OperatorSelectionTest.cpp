// The "Network" panel's operator search and manual selection in the settings controller: the
// search, the result sheet, the registration and every outcome of it, the status checks, the
// time-outs of a device that does not answer, cancelling, device removal, the busy state and the
// settings plug-in's entries.
#include "SettingsHarness.h"

#include "common/records/Payload.h"
#include "common/records/settings/NetworkSelectionRecords.h"
#include "ostrel/framework/neighbours/DialControllerInterface.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/settings/NetworkSelection.h"
#include "ostrel/settings/SettingService.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QColor>
#include <QFont>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

using namespace settingstest;

namespace {

struct ConnectedDial : ostrel::DefaultDialController {
    int connectStatus() const override { return status; }
    int status = 0;
};

class OperatorSelectionTest : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        setItems({"System", "Connect", "Network", "Security"});
    }
    void TearDown() override
    {
        ostrel::Neighbours::setDial(nullptr);
        ostrel::SettingService::sharedSettingService().isSecondManualSelectNetFlag = false;
        ostrel::SettingService::sharedSettingService().isManualSearchingNetFlag = false;
        SettingsFixture::TearDown();
    }
    void start()
    {
        makeController();
        controller->setSettingBtnStatus(true); // a device is there
        transport->sent.clear();
        main.calls.clear();
        posted.clear();
    }
    // The requests sent since the last clear, as "major/minor".
    QStringList sentIds() const
    {
        QStringList out;
        for (const Sent &s : sent())
            out << QStringLiteral("%1/%2").arg(s.major).arg(s.minor);
        return out;
    }
    QByteArray searchPayload() const
    {
        yov::NetSearchResult r;
        r.entries = {{2, "Vandrel", "Vandrel", "26202", "2"}, {1, "Korvane Mobil", "Korvane", "26201", "2"},
                     {3, "Ostwind Telecom", "Ostwind", "26203", "0"}};
        r.count = 3;
        return r.encode();
    }
    void chooseManual() { controller->methodToSelectNetMatrix()->button(1)->click(); }
    void answerSearch(int result = 0) { deliver(513, 78, 1, result, 3, result == 0 ? searchPayload() : QByteArray()); }
    void answerSelect(int result, int type = 1) { deliver(513, 79, type, result, 3); }
    // Manual, the list, the row chosen and "Apply".
    void registerOnRow(int row)
    {
        chooseManual();
        answerSearch();
        controller->netListView()->selectRow(row);
        controller->ApplyNetSelect();
    }
    bool sheetOpen() const { return controller->sheetQueue()->holdsSheet(controller->netSelectWindow()); }
    bool toolbarOn() const
    {
        const int on = int(main.calls.lastIndexOf("toolbarSetEnable:1"));
        return on >= 0 && on > main.calls.lastIndexOf("toolbarSetEnable:0");
    }
    int methodRow() const { return controller->methodToSelectNetMatrix()->checkedId(); }
    // Lets the alerts shown so far be answered (the scripted presenter answers on the event loop).
    static void settle()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
};

} // namespace

TEST_F(OperatorSelectionTest, ManualSearchListsAndRegisters)
{
    start();
    chooseManual();
    EXPECT_EQ(sentIds(), QStringList{"513/78"});
    EXPECT_TRUE(controller->isManualSelecting());
    EXPECT_TRUE(controller->getOperatorSelectionForNetwork());
    EXPECT_FALSE(controller->shouldSelectPanel("System")); // the panel is kept while searching
    EXPECT_TRUE(controller->searchProgressBar()->isVisibleTo(controller->searchProgressBar()->parentWidget()));
    EXPECT_FALSE(controller->methodControl()->isEnabled());
    EXPECT_TRUE(controller->cancelSearchButton()->isEnabled());
    EXPECT_FALSE(toolbarOn());

    answerSearch();
    ASSERT_TRUE(sheetOpen());
    EXPECT_FALSE(controller->isManualSelecting());
    EXPECT_EQ(postedNamed("searchNetResult").size(), 1);
    ASSERT_EQ(controller->netList().size(), 3);
    EXPECT_EQ(controller->netListCellText(0, "state"), "CURRENT");
    EXPECT_EQ(controller->netListCellText(1, "lalpha_oper"), "Korvane Mobil");
    EXPECT_EQ(controller->netListCellText(2, "nettype"), "2G");
    EXPECT_EQ(controller->netListCellText(3, "state"), ""); // beyond the list
    EXPECT_EQ(controller->findCurrentNetWorkInNetList(), 0);
    EXPECT_FALSE(controller->netSelectButton()->isEnabled());
    EXPECT_TRUE(toolbarOn());

    controller->netListView()->selectRow(2); // forbidden
    EXPECT_FALSE(controller->netSelectButton()->isEnabled());
    controller->netListView()->selectRow(1);
    EXPECT_TRUE(controller->netSelectButton()->isEnabled());

    transport->sent.clear();
    controller->ApplyNetSelect();
    ASSERT_EQ(sentIds(), QStringList{"513/79"});
    const yov::ManualSelectRequest request = yov::ManualSelectRequest::decode(yov::PayloadReader(sent()[0].data));
    EXPECT_EQ(request.mode, 1);
    EXPECT_EQ(request.numeric, "26201");
    EXPECT_FALSE(sheetOpen());
    EXPECT_FALSE(toolbarOn());

    answerSelect(0);
    EXPECT_EQ(alerts.messages(), QStringList{"Success"});
    EXPECT_EQ(postedNamed("manualRegisterNetResult").size(), 1);
    EXPECT_TRUE(toolbarOn());
    EXPECT_FALSE(controller->getOperatorSelectionForNetwork());
    EXPECT_TRUE(controller->methodControl()->isEnabled());
}

TEST_F(OperatorSelectionTest, FailedRegistrationReturnsToAutomatic)
{
    set("Setting", "backToAutoModeAfterSelNetFail", true);
    start();
    registerOnRow(1);
    transport->sent.clear();
    answerSelect(255);
    EXPECT_EQ(alerts.messages(), QStringList{"Failed"});
    EXPECT_EQ(sentIds(), QStringList{"513/76"});
    EXPECT_EQ(methodRow(), 0);
    EXPECT_FALSE(toolbarOn()); // busy until the mode is answered
    deliver(513, 76, 1, 0);
    EXPECT_TRUE(toolbarOn());
    EXPECT_FALSE(controller->searchProgressBar()->isVisibleTo(controller->searchProgressBar()->parentWidget()));
}

TEST_F(OperatorSelectionTest, RetrySwitchChecksThenFails)
{
    config->setConfigurationByModule("NetSearchForIndiaIdea", true);
    start();
    registerOnRow(1);
    QList<qint64> checkTimes;
    const qint64 t0 = clock.monotonicMs();
    for (int failure = 0; failure < 5; ++failure) {
        transport->sent.clear();
        answerSelect(255);
        EXPECT_TRUE(alerts.messages().isEmpty());
        EXPECT_FALSE(toolbarOn());
        const qint64 before = clock.monotonicMs();
        while (!sentIds().contains("513/88") && clock.monotonicMs() - before < 60000)
            clock.advance(1000);
        checkTimes << clock.monotonicMs() - before;
    }
    EXPECT_EQ(checkTimes, (QList<qint64>{20000, 10000, 10000, 10000, 10000}));
    EXPECT_EQ(controller->checkNetStatusTimesAfterRegisterFailed(), 5);
    transport->sent.clear();
    answerSelect(255);
    EXPECT_EQ(alerts.messages(), QStringList{"Failed"});
    EXPECT_EQ(sentIds(), QStringList{"513/76"});
    EXPECT_EQ(controller->checkNetStatusTimesAfterRegisterFailed(), 0);
    (void)t0;
}

TEST_F(OperatorSelectionTest, SuccessAfterACheckCancelsTheRest)
{
    config->setConfigurationByModule("NetSearchForIndiaIdea", true);
    start();
    registerOnRow(1);
    answerSelect(255);
    clock.advance(20000);
    answerSelect(255);
    clock.advance(10000);
    transport->sent.clear();
    answerSelect(0);
    EXPECT_EQ(alerts.messages(), QStringList{"Success"});
    clock.advance(120000);
    EXPECT_FALSE(sentIds().contains("513/88"));
    EXPECT_TRUE(toolbarOn());
}

TEST_F(OperatorSelectionTest, ANeverAnsweringDeviceGivesTheWindowBack)
{
    start();
    // The search.
    chooseManual();
    transport->sent.clear();
    clock.advance(ostrel::netsel::kSearchAnswerMs - 1);
    EXPECT_TRUE(sentIds().isEmpty());
    clock.advance(1);
    EXPECT_EQ(sentIds(), QStringList{"513/89"});
    EXPECT_EQ(alerts.messages(), QStringList{"Failed"});
    EXPECT_EQ(methodRow(), 0);
    EXPECT_TRUE(toolbarOn());
    EXPECT_FALSE(controller->isManualSelecting());
    answerSearch(); // late
    EXPECT_FALSE(sheetOpen());
    settle();

    // The registration, without and with the retry switch.
    alerts.clear();
    registerOnRow(1);
    transport->sent.clear();
    clock.advance(ostrel::netsel::kSelectAnswerMs);
    EXPECT_EQ(alerts.messages(), QStringList{"Failed"});
    EXPECT_EQ(sentIds(), QStringList{"513/76"});
    answerSelect(0); // late: nothing waits for it
    EXPECT_EQ(alerts.messages(), QStringList{"Failed"});
    settle();

    // The mode answer.
    EXPECT_FALSE(toolbarOn());
    clock.advance(ostrel::netsel::kModeAnswerMs);
    EXPECT_TRUE(toolbarOn());

    config->setConfigurationByModule("NetSearchForIndiaIdea", true);
    alerts.clear();
    registerOnRow(1);
    transport->sent.clear();
    clock.advance(ostrel::netsel::kSelectAnswerMs + ostrel::netsel::kFirstCheckMs);
    EXPECT_EQ(sentIds(), QStringList{"513/88"});
    EXPECT_TRUE(alerts.messages().isEmpty());
}

TEST_F(OperatorSelectionTest, CancelSearchAndSheet)
{
    start();
    chooseManual();
    transport->sent.clear();
    controller->cancelSearchButton()->click();
    EXPECT_EQ(sentIds(), QStringList{"513/89"});
    EXPECT_TRUE(toolbarOn());
    EXPECT_FALSE(controller->isManualSelecting());
    EXPECT_FALSE(controller->getOperatorSelectionForNetwork());
    answerSearch(); // the cancelled search's late answer
    EXPECT_FALSE(sheetOpen());
    clock.advance(ostrel::netsel::kSearchAnswerMs);
    EXPECT_TRUE(alerts.messages().isEmpty());

    chooseManual();
    answerSearch();
    ASSERT_TRUE(sheetOpen());
    transport->sent.clear();
    controller->cancelNetSelectButton()->click();
    EXPECT_FALSE(sheetOpen());
    EXPECT_EQ(sentIds(), QStringList{"513/76"});
    EXPECT_EQ(postedNamed("changeStatusSearchNetMode").size(), 1);
    EXPECT_EQ(methodRow(), 0);
}

TEST_F(OperatorSelectionTest, DeviceRemovalEndsEverything)
{
    config->setConfigurationByModule("NetSearchForIndiaIdea", true);
    set("Setting", "NotExitNetSelSheet", true);
    start();
    // During a search.
    chooseManual();
    controller->deviceRemoved(yov::Notification{});
    transport->sent.clear();
    clock.advance(ostrel::netsel::kSearchAnswerMs * 2);
    EXPECT_TRUE(sentIds().isEmpty());
    answerSearch();
    EXPECT_FALSE(sheetOpen());
    EXPECT_FALSE(controller->isManualSelecting());
    EXPECT_TRUE(alerts.messages().isEmpty());

    // During a registration with the sheet left open, after a failure scheduled a check.
    controller->setSettingBtnStatus(true);
    registerOnRow(1);
    ASSERT_TRUE(sheetOpen());
    answerSelect(255);
    controller->deviceRemoved(yov::Notification{});
    EXPECT_FALSE(sheetOpen());
    EXPECT_FALSE(controller->hasRegisteringNetFlag());
    transport->sent.clear();
    clock.advance(120000);
    EXPECT_TRUE(sentIds().isEmpty());
    answerSelect(0);
    EXPECT_TRUE(alerts.messages().isEmpty());
    EXPECT_FALSE(controller->searchProgressBar()->isVisibleTo(controller->searchProgressBar()->parentWidget()));
}

TEST_F(OperatorSelectionTest, SecondRegistrationOnTheCurrentNetwork)
{
    set("Setting", "Setting_RegisterCurrentNetwork_IfRegisterFailed", true);
    start();
    registerOnRow(2); // the forbidden one
    transport->sent.clear();
    answerSelect(255);
    EXPECT_EQ(alerts.messages(), QStringList{"Failed"});
    settle();
    // After the alert: the current network again, its answer ignored.
    ASSERT_EQ(sentIds(), (QStringList{"513/76", "513/79"}));
    EXPECT_EQ(yov::ManualSelectRequest::decode(yov::PayloadReader(sent()[1].data)).numeric, "26202");
    EXPECT_TRUE(ostrel::SettingService::sharedSettingService().isSecondManualSelectNetFlag);
    posted.clear();
    answerSelect(0);
    EXPECT_TRUE(postedNamed("manualRegisterNetResult").isEmpty());
    EXPECT_EQ(alerts.messages(), QStringList{"Failed"});
    EXPECT_FALSE(ostrel::SettingService::sharedSettingService().isSecondManualSelectNetFlag);

    // A later registration from the plug-in is handled again.
    center.post("manualRegisterNet", nullptr, {{"index", 1}});
    answerSelect(0);
    EXPECT_EQ(postedNamed("manualRegisterNetResult").size(), 1);
    EXPECT_EQ(alerts.messages(), (QStringList{"Failed", "Success"}));
}

TEST_F(OperatorSelectionTest, SuccessOptions)
{
    set("Setting", "NotExitNetSelSheet", true);
    set("Setting", "SendYSNT000AfterRegisterNetworkManually", true);
    set("Internet", "backToAutoModeAfterSelNetSuccess", true);
    set("Internet", "delaySecondsToAutoModeWhenSelNetSuccess", 5);
    config->setConfigurationByModule("SearchRegistModel", false);
    start();
    registerOnRow(1);
    EXPECT_TRUE(sheetOpen()); // the sheet stays while registering
    EXPECT_TRUE(controller->hasRegisteringNetFlag());
    EXPECT_FALSE(controller->netSelectButton()->isEnabled());
    transport->sent.clear();
    alerts.setHoldOpen(true);
    answerSelect(0);
    EXPECT_EQ(alerts.messages(), QStringList{"Success"});
    alerts.answerAllOpen();
    EXPECT_FALSE(sheetOpen());
    EXPECT_FALSE(controller->hasRegisteringNetFlag());
    EXPECT_TRUE(config->getConfigurationByModule("SearchRegistModel").toBool());
    clock.advance(4999);
    EXPECT_TRUE(sentIds().isEmpty());
    clock.advance(1);
    ASSERT_EQ(sentIds(), QStringList{"513/76"});
    EXPECT_EQ(yov::PayloadReader(sent()[0].data).int32(0), 4);
}

TEST_F(OperatorSelectionTest, BackToAutomaticDelayOutOfRange)
{
    start();
    controller->startBackToAutoModeTimerWithSeconds(1e12); // far beyond the clock's range: kept in it
    clock.advance(86400000);
    EXPECT_TRUE(sentIds().isEmpty());
    controller->startBackToAutoModeTimerWithSeconds(-3); // replaces it: at once
    clock.advance(1);
    EXPECT_EQ(sentIds(), QStringList{"513/76"});
}

TEST_F(OperatorSelectionTest, AnswersOfAnotherTypeOnlyNotify)
{
    start();
    registerOnRow(1);
    answerSelect(0, 0);
    EXPECT_EQ(postedNamed("manualRegisterNetResult").size(), 1);
    EXPECT_TRUE(alerts.messages().isEmpty());
    EXPECT_FALSE(toolbarOn());
    // The registration's own answer still counts.
    answerSelect(0);
    EXPECT_EQ(alerts.messages(), QStringList{"Success"});
    EXPECT_TRUE(toolbarOn());
    // Without it, the time-out gives the window back.
    settle();
    registerOnRow(1);
    answerSelect(0, 0);
    EXPECT_FALSE(toolbarOn());
    clock.advance(ostrel::netsel::kSelectAnswerMs);
    EXPECT_EQ(alerts.messages(), (QStringList{"Success", "Failed"}));
    deliver(513, 78, 0, 0, 3, searchPayload()); // a search answer of type 0 is ignored
}

TEST_F(OperatorSelectionTest, ModeAnswerEndsTheBusyStateAndFollowsTheConnection)
{
    ConnectedDial dial;
    ostrel::Neighbours::setDial(&dial);
    const struct {
        int result;
        int connect;
    } rows[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    start();
    for (const auto &r : rows) {
        dial.status = r.connect;
        controller->setSettingBtnStatus(r.connect == 0);
        main.calls.clear();
        controller->methodToSelectNetMatrix()->button(0)->click();
        EXPECT_FALSE(toolbarOn()) << main.calls.join(",").toStdString();
        deliver(513, 76, 1, r.result);
        EXPECT_TRUE(toolbarOn()) << r.result << r.connect;
        EXPECT_EQ(controller->methodControl()->isEnabled(), r.connect == 0) << r.result << r.connect;
        EXPECT_FALSE(controller->isNetworkBusy());
    }
    // During a manual search a mode answer changes nothing.
    dial.status = 0;
    controller->setSettingBtnStatus(true);
    chooseManual();
    deliver(513, 76, 1, 0);
    EXPECT_TRUE(controller->isNetworkBusy());
}

TEST_F(OperatorSelectionTest, DeviceModeReport)
{
    start();
    deliver(513, 83, 0, 0, 3, yov::int32Words({1}));
    EXPECT_EQ(methodRow(), 1);
    deliver(513, 83, 1, 0, 3, yov::int32Words({0}));
    EXPECT_EQ(methodRow(), 0);
    controller->methodControl()->setEnabled(false); // only while the matrix is on
    deliver(513, 83, 1, 0, 3, yov::int32Words({1}));
    EXPECT_EQ(methodRow(), 0);
}

TEST_F(OperatorSelectionTest, DeviceModeReportsWaitForTheUsersSelection)
{
    start();
    chooseManual();
    // The device still selects automatically while it searches: its mode report changes nothing.
    controller->dealWithMsgOfCheckSearchmode(0, 0, 2);
    EXPECT_EQ(methodRow(), 1);
    EXPECT_FALSE(controller->methodControl()->isEnabled());
    answerSearch();
    controller->dealWithMsgOfCheckSearchmode(0, 0, 2); // nor while the list is shown
    EXPECT_EQ(methodRow(), 1);
    controller->netListView()->selectRow(1);
    controller->ApplyNetSelect();
    controller->dealWithMsgOfCheckSearchmode(0, 0, 2); // nor while it registers
    EXPECT_EQ(methodRow(), 1);
    EXPECT_FALSE(controller->methodControl()->isEnabled());
    answerSelect(0);
    // Afterwards the reports apply again.
    controller->dealWithMsgOfCheckSearchmode(0, 0, 2);
    EXPECT_EQ(methodRow(), 0);
    EXPECT_TRUE(controller->methodControl()->isEnabled());
}

TEST_F(OperatorSelectionTest, BackToTheListAfterAFailure)
{
    set("Setting", "BackToNetSelectList", true);
    start();
    registerOnRow(1);
    EXPECT_FALSE(sheetOpen());
    transport->sent.clear();
    answerSelect(255);
    EXPECT_EQ(alerts.messages(), QStringList{"Failed"});
    settle();
    // The same list again, without a new search and without a return to automatic.
    ASSERT_TRUE(sheetOpen());
    EXPECT_EQ(controller->netList().size(), 3);
    EXPECT_TRUE(sentIds().isEmpty());
    EXPECT_TRUE(toolbarOn());

    // With the sheet kept open while registering, the list can be chosen from again.
    set("Setting", "NotExitNetSelSheet", true);
    controller->netListView()->selectRow(1);
    ASSERT_TRUE(controller->netSelectButton()->isEnabled());
    controller->ApplyNetSelect();
    EXPECT_FALSE(controller->netSelectButton()->isEnabled());
    answerSelect(255);
    settle();
    EXPECT_EQ(alerts.messages(), (QStringList{"Failed", "Failed"}));
    ASSERT_TRUE(sheetOpen());
    EXPECT_FALSE(controller->hasRegisteringNetFlag());
    controller->netListView()->selectRow(0);
    EXPECT_TRUE(controller->netSelectButton()->isEnabled());
    EXPECT_TRUE(sentIds() == QStringList{"513/79"});
}

TEST_F(OperatorSelectionTest, PluginEntries)
{
    start();
    chooseManual();
    answerSearch();
    transport->sent.clear();
    center.post("manualRegisterNet", nullptr, {{"index", 99}});
    EXPECT_TRUE(sentIds().isEmpty()); // no such row
    EXPECT_TRUE(toolbarOn());
    center.post("manualRegisterNet", nullptr, {{"index", 1}});
    ASSERT_EQ(sentIds(), QStringList{"513/79"});
    EXPECT_EQ(yov::ManualSelectRequest::decode(yov::PayloadReader(sent()[0].data)).numeric, "26201");
    EXPECT_FALSE(toolbarOn());

    answerSelect(0);
    transport->sent.clear();
    center.post("methodToSelectNetChanged", nullptr, {{"index", 1}});
    EXPECT_EQ(methodRow(), 1);
    EXPECT_EQ(sentIds(), QStringList{"513/78"});
}

TEST_F(OperatorSelectionTest, BundleOptionPostsOnly)
{
    set("Setting", "Setting_OpenBundleNetSelectWindow_IfNeed", true);
    set("Setting", "Setting_ForbiddenNetCanChooseAndReturnFailedByUI", true);
    start();
    chooseManual();
    answerSearch();
    EXPECT_FALSE(sheetOpen());
    ASSERT_EQ(postedNamed("searchNetResult").size(), 1);
    EXPECT_EQ(postedNamed("searchNetResult")[0].userInfo.value("searchNetResult").toList().size(), 3);
    // The forbidden row refused on screen: nothing sent.
    controller->netListView()->selectRow(2);
    transport->sent.clear();
    controller->ApplyNetSelect();
    EXPECT_TRUE(sentIds().isEmpty());
    EXPECT_EQ(alerts.messages(), QStringList{"Failed"});
}

TEST_F(OperatorSelectionTest, BusyStateControls)
{
    set("USSD", "DisableUSSDToolbarForDEdorud", true);
    start();
    controller->pinEnableBox()->setChecked(true);
    controller->searchingNetworkUI(true);
    EXPECT_EQ(postedNamed("USSDToolbarEnableEvent").size(), 1);
    EXPECT_FALSE(main.enabledItems.value("Modify PIN"));
    EXPECT_FALSE(main.enabledItems.value("Enable PIN"));
    EXPECT_FALSE(main.enabledItems.value("Disable PIN"));
    EXPECT_FALSE(controller->pinEnableBox()->isEnabled());
    EXPECT_FALSE(controller->searchProgressBar()->isVisibleTo(controller->searchProgressBar()->parentWidget())); // "Automatic"
    auto *bandSave = controller->settingTabView()->findChild<QPushButton *>("btnSettingSaveBand");
    ASSERT_NE(bandSave, nullptr);
    EXPECT_FALSE(bandSave->isEnabled());
    controller->searchingNetworkUI(false);
    EXPECT_TRUE(bandSave->isEnabled());
    EXPECT_TRUE(main.enabledItems.value("Modify PIN"));
    EXPECT_FALSE(main.enabledItems.value("Enable PIN"));
    EXPECT_TRUE(main.enabledItems.value("Disable PIN"));
    EXPECT_TRUE(controller->pinEnableBox()->isEnabled());
    controller->pinEnableBox()->setChecked(false);
    controller->searchingNetworkUI(false);
    EXPECT_TRUE(main.enabledItems.value("Enable PIN"));
    EXPECT_FALSE(main.enabledItems.value("Modify PIN"));

    config->setConfigurationByModule("DifferentWorkingMothodForDedorud", true);
    posted.clear();
    controller->searchingNetworkUI(true);
    EXPECT_TRUE(postedNamed("USSDToolbarEnableEvent").isEmpty());
}

TEST_F(OperatorSelectionTest, CellOptionsAndHighlight)
{
    set("Setting", "DisplayNetTypeWithMCCMNCInNetList", "26203");
    set("Internet", "Internet_ChangeSPN_IfNeeded", true);
    set("Init", "Init_specificMccAndMnc", QVariantMap{{"26201", "XYKorvane Home"}});
    ostrel::InitService::sharedInitService()->setCurrentRmccRmnc("26201");
    ostrel::InitService::sharedInitService()->setNetworkRoamStatus(ostrel::InitService::Home);
    start();
    chooseManual();
    answerSearch();
    QAbstractItemModel *model = controller->netListView()->model();
    EXPECT_EQ(model->index(2, 3).data().toString(), "Special2G");
    EXPECT_EQ(model->index(0, 3).data().toString(), "3G");
    // The specific network's name as the main window's local operator name gives it: whole while
    // the device-state status is 0 (roaming), without its first two characters otherwise.
    EXPECT_EQ(model->index(1, 1).data().toString(), "Korvane Home");
    ostrel::InitService::sharedInitService()->setNetworkRoamStatus(ostrel::InitService::Roaming);
    EXPECT_EQ(model->index(1, 1).data().toString(), "XYKorvane Home");
    EXPECT_FALSE(model->index(0, 0).data(Qt::ForegroundRole).isValid());

    set("Internet", "highLightCurrentNet", true);
    EXPECT_EQ(model->index(1, 1).data().toString(), "Korvane Mobil"); // the name rules are skipped
    EXPECT_EQ(model->index(0, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::blue));
    EXPECT_EQ(model->index(0, 0).data(Qt::FontRole).value<QFont>().pointSizeF(), 15.0);
    EXPECT_FALSE(model->index(1, 0).data(Qt::ForegroundRole).isValid());
    ostrel::InitService::sharedInitService()->setCurrentRmccRmnc(QString());
    ostrel::InitService::sharedInitService()->setNetworkRoamStatus(ostrel::InitService::RoamUndetermined);
}

TEST_F(OperatorSelectionTest, BusyStateByRowAndSwitches)
{
    setItems({"System", "Connect", "Network", "Security", "SMS"});
    set("Setting", "hasOnlyOneTab", true);
    start();
    QProgressBar *bar = controller->searchProgressBar();
    const auto barShown = [bar] { return bar->isVisibleTo(bar->parentWidget()); };
    const struct {
        int row;
        bool manualFlag;
    } rows[] = {{0, false}, {1, false}, {1, true}};
    for (const auto &r : rows) {
        controller->methodToSelectNetMatrix()->button(r.row)->setChecked(true);
        controller->searchModeControl()->setEnabled(true);
        controller->searchResultButton()->setEnabled(true);
        ostrel::SettingService::sharedSettingService().isManualSearchingNetFlag = r.manualFlag;
        controller->searchingNetworkUI(true);
        EXPECT_EQ(controller->searchModeControl()->isEnabled(), r.row == 0) << r.row; // unchanged on row 0
        EXPECT_EQ(barShown(), r.row == 1) << r.row;
        EXPECT_EQ(controller->searchResultButton()->isEnabled(), !r.manualFlag) << r.row << r.manualFlag;
        EXPECT_FALSE(controller->messageCenterField()->isEnabled()); // the SMS tab of a one-tab layout
        EXPECT_FALSE(controller->bandControl()->isEnabled());
        controller->searchingNetworkUI(false);
        EXPECT_FALSE(barShown());
        EXPECT_EQ(controller->searchModeControl()->isEnabled(), r.row == 0) << r.row; // row 1 keeps it off
        EXPECT_TRUE(controller->messageCenterField()->isEnabled());
        EXPECT_TRUE(controller->bandControl()->isEnabled());
        EXPECT_TRUE(toolbarOn());
    }
    ostrel::SettingService::sharedSettingService().isManualSearchingNetFlag = false;
}

TEST_F(OperatorSelectionTest, SpecialVersionRegistersWithModeFourAndComparesTheAnswer)
{
    set("specialSoftVersion", "H3GKV421FromIta", true);
    set("Internet", "NetWork_getSeletedNetType_IfSeleteNetOk", true);
    start();
    chooseManual();
    answerSearch();
    controller->netListView()->selectRow(1);
    transport->sent.clear();
    controller->ApplyNetSelect();
    ASSERT_EQ(sentIds(), QStringList{"513/79"});
    EXPECT_EQ(yov::ManualSelectRequest::decode(yov::PayloadReader(sent()[0].data)).mode, 4);
    // Another operator in the answer: a failure.
    deliver(513, 79, 1, 0, 3, yov::ManualSelectResult{1.0f, "26209", '3'}.encode());
    EXPECT_EQ(alerts.messages(), QStringList{"Failed"});
    settle();

    alerts.clear();
    chooseManual();
    answerSearch();
    controller->netListView()->selectRow(1);
    controller->ApplyNetSelect();
    controller->methodToSelectNetMatrix()->button(1)->setChecked(true);
    deliver(513, 79, 1, 0, 3, yov::ManualSelectResult{1.0f, "26201", '3'}.encode());
    EXPECT_EQ(alerts.messages(), QStringList{"Success"});
    EXPECT_EQ(methodRow(), 0);                                    // the matrix only: nothing sent for it
    EXPECT_EQ(controller->preferredModeMatrix()->checkedId(), 1); // "nettype" 2 picks "3G Only"
}
