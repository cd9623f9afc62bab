// The "Network" panel's manual operator selection in the whole dashboard against the stand-in
// modem: the search and its list, registering on an available or a refused operator, a device that
// never answers, the status checks after a failure, and the device removed mid-search.
#include "DashboardFixture.h"

#include "ostrel/device/init/InitController.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/NetworkSelection.h"
#include "ostrel/settings/SettingController.h"
#include "support/ManualClock.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QDir>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

QVariantMap entry(int state, const char *longName, const char *numeric, const char *act)
{
    return {{"State", state}, {"Long", QLatin1String(longName)}, {"Short", QLatin1String(longName)},
            {"Numeric", QLatin1String(numeric)}, {"Act", QLatin1String(act)}};
}

class DashboardOperatorSelectionTest : public DashboardFixture {
protected:
    SettingController *settings() const { return assembly_->settingController(); }
    void start(const QVariantMap &selection = {}, const QVariantMap &extra = {},
               const QString &scenario = QStringLiteral("default.plist"))
    {
        QVariantMap state{{"Operators", QVariantList{entry(2, "Vandrel", "26202", "2"), entry(1, "Korvane Mobil", "26201", "2"),
                                                     entry(1, "Nordlicht", "26207", "0"), entry(3, "Ostwind Telecom", "26203", "0")}},
                          {"SelectDelayMs", 200}};
        for (auto it = selection.begin(); it != selection.end(); ++it)
            state.insert(it.key(), it.value());
        setScenarioModem(QStringLiteral("OperatorSelection"), state);
        QVariantMap keys{{"SettingDefaultItem", QVariantList{"System", "Connect", "Network", "Security"}}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            keys.insert(it.key(), it.value());
        setSettings(keys);
        launch(scenario);
        ASSERT_TRUE(waitSimReady());
        presenter_.setHoldOpen(true);
        settings()->setNetworkSelectionClock(&clock_);
        ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->methodControl()->isEnabled(); }, kWaitMs));
        main()->gotoSetting(nullptr);
        QTabWidget *panels = settings()->settingTabView();
        panels->setCurrentIndex(tabViewItemOfIdentifier(panels, QStringLiteral("Network")));
    }
    bool waitAlert(const QString &message)
    {
        return QTest::qWaitFor([&] { return presenter_.messages().contains(message); }, kWaitMs);
    }
    bool sheetOpen() const { return settings()->netSelectWindow() && settings()->netSelectWindow()->isVisible(); }
    bool barShown() const { return settings()->searchProgressBar()->isVisible(); }
    void chooseManual() { settings()->methodToSelectNetMatrix()->button(1)->click(); }
    int rowOf(const QString &numeric) const
    {
        const QVariantList &list = settings()->netList();
        for (int i = 0; i < list.size(); ++i)
            if (list[i].toMap().value("numeric_oper").toString() == numeric)
                return i;
        return -1;
    }
    void apply(const QString &numeric)
    {
        const int row = rowOf(numeric);
        ASSERT_GE(row, 0);
        settings()->netListView()->selectRow(row);
        ASSERT_TRUE(settings()->netSelectButton()->isEnabled());
        settings()->netSelectButton()->click();
    }
    bool setState(const QVariantMap &values)
    {
        return control(QStringLiteral("SetModemState"), {QStringLiteral("OperatorSelection"), values}).type()
               == QDBusMessage::ReplyMessage;
    }
    // The window with the sheet drawn over its middle.
    void screenshotWithSheet(const QString &name)
    {
        QPixmap shot = mainWindow()->grab();
        if (QDialog *sheet = settings()->netSelectWindow()) {
            const QPixmap over = sheet->grab();
            QPainter painter(&shot);
            painter.drawPixmap((shot.width() - over.width()) / 2, 40, over);
        }
        const QString path = qEnvironmentVariable("OSTREL_TEST_SCREENSHOTS");
        if (!path.isEmpty())
            shot.save(path + QLatin1Char('/') + name);
    }

    testing_support::ManualClock clock_;
};

TEST_F(DashboardOperatorSelectionTest, ManualSearchListsOperatorsAndRegisters)
{
    start({{"SearchDelayMs", 1500}});
    const int signalBefore = init()->m_SignalStrength;
    chooseManual();
    ASSERT_TRUE(QTest::qWaitFor([&] { return barShown(); }, kWaitMs));
    EXPECT_FALSE(settings()->methodControl()->isEnabled());
    EXPECT_TRUE(settings()->cancelSearchButton()->isVisible());
    saveScreenshot(mainWindow(), QStringLiteral("operator-search-running.png"));
    // Other records are handled while the device searches.
    ASSERT_EQ(control(QStringLiteral("SetModemState"), {QStringLiteral("Network"), QVariantMap{{"Csq", 3}}}).type(),
              QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return init()->m_SignalStrength != signalBefore; }, kWaitMs));
    EXPECT_FALSE(sheetOpen());

    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOpen(); }, kWaitMs));
    EXPECT_FALSE(barShown());
    // The device's own mode reports (still automatic while it searched) left the choice alone.
    EXPECT_EQ(settings()->methodToSelectNetMatrix()->checkedId(), 1);
    ASSERT_EQ(settings()->netList().size(), 4);
    QTableView *table = settings()->netListView();
    EXPECT_EQ(table->model()->rowCount(), 4);
    EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), "Operator Status");
    EXPECT_EQ(table->model()->index(1, 1).data().toString(), "Korvane Mobil");
    EXPECT_EQ(table->model()->index(2, 3).data().toString(), "2G");
    EXPECT_EQ(table->model()->index(3, 0).data().toString(), "Forbidden");
    table->selectRow(rowOf("26201"));
    screenshotWithSheet(QStringLiteral("operator-selection-sheet.png"));

    apply(QStringLiteral("26201"));
    ASSERT_TRUE(waitAlert(QStringLiteral("Success")));
    EXPECT_FALSE(sheetOpen());
    ASSERT_TRUE(QTest::qWaitFor([] { return modemState(QStringLiteral("Network")).value("Mnc").toString() == "01"; }, kWaitMs));
    EXPECT_EQ(modemState(QStringLiteral("Network")).value("OperatorName").toString(), "Korvane Mobil");
    EXPECT_TRUE(settings()->methodControl()->isEnabled());
    // The device reports the manual mode.
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->methodToSelectNetMatrix()->checkedId() == 1; }, kWaitMs));
    EXPECT_EQ(settings()->getNetworkSelectionMode(), "Manual");
    EXPECT_EQ(modemState(QStringLiteral("Network")).value("SelectedMode").toInt(), 1);
    QTest::qWait(300); // the device's mode report that follows agrees
    EXPECT_EQ(settings()->methodToSelectNetMatrix()->checkedId(), 1);
}

TEST_F(DashboardOperatorSelectionTest, ALanguageChangeRewordsThePanelAndTheOpenList)
{
    ASSERT_TRUE(useGermanTokenList("\"Operator Selection\" = \"Netzwahl\";\n\"Manual\" = \"Manuell\";\n\"Apply\" = \"Anwenden\";\n"
                 "\"Operator Status\" = \"Netzstatus\";\n\"Network Type\" = \"Netztyp\";\n"
                 "\"AVAILABLE\" = \"Frei\";\n\"CURRENT\" = \"Aktuell\";\n\"FORBIDDEN\" = \"Gesperrt\";\n"));
    start({{"SearchDelayMs", 100}}, {{"SupportLanguages", QVariantList{}}, {"CurrentLanguage", "English"}});
    chooseManual();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOpen(); }, kWaitMs));

    ASSERT_TRUE(changeLanguage(QStringLiteral("German")));
    EXPECT_EQ(settings()->methodToSelectNetMatrix()->button(1)->text(), "Manuell");
    QTableView *table = settings()->netListView();
    EXPECT_EQ(table->model()->headerData(0, Qt::Horizontal).toString(), "Netzstatus");
    EXPECT_EQ(table->model()->headerData(3, Qt::Horizontal).toString(), "Netztyp");
    EXPECT_EQ(settings()->netSelectButton()->text(), "Anwenden");
    auto *bandSave = settings()->settingTabView()->findChild<QPushButton *>(QStringLiteral("btnSettingSaveBand"));
    ASSERT_NE(bandSave, nullptr);
    EXPECT_EQ(bandSave->text(), "Anwenden");
    // The list found before the change shows and compares the new words.
    EXPECT_EQ(table->model()->index(0, 0).data().toString(), "Aktuell");
    EXPECT_EQ(table->model()->index(3, 0).data().toString(), "Gesperrt");
    EXPECT_EQ(settings()->findCurrentNetWorkInNetList(), 0);
    table->selectRow(rowOf("26201"));
    EXPECT_TRUE(settings()->netSelectButton()->isEnabled());
    table->selectRow(rowOf("26203"));
    EXPECT_FALSE(settings()->netSelectButton()->isEnabled()); // still forbidden
    QTest::qWait(50);
    screenshotWithSheet(QStringLiteral("operator-selection-german.png"));
}

TEST_F(DashboardOperatorSelectionTest, TheListNamesTheVisitedNetworkAsTheMainWindowDoes)
{
    start({{"SearchDelayMs", 100}}, {{"Internet/Internet_ChangeSPN_IfNeeded", true}}, QStringLiteral("roaming.plist"));
    InitService *service = InitService::sharedInitService();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !service->currentRmccrmnc().isEmpty(); }, kWaitMs));
    ASSERT_EQ(service->networkRoamStatus(), InitService::Roaming); // the stand-in roams: status 0
    const QString visited = service->currentRmccrmnc();
    ASSERT_TRUE(config_->setConfigurationByModuleKeyAndValue(QStringLiteral("Init"), QStringLiteral("Init_specificMccAndMnc"),
                                                             QVariantMap{{visited, "XXVisited Net"}}));
    ASSERT_TRUE(setState({{"Operators", QVariantList{entry(2, "Device Name", visited.toLatin1().constData(), "2"),
                                                     entry(1, "Korvane Mobil", "26201", "2")}}}));
    chooseManual();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOpen(); }, kWaitMs));
    // The same name as the local operator name of the main window, the whole of it while roaming.
    const QString name = settings()->netListView()->model()->index(0, 1).data().toString();
    EXPECT_EQ(name, service->localSpn());
    EXPECT_EQ(name, "XXVisited Net");
    EXPECT_EQ(settings()->netListView()->model()->index(1, 1).data().toString(), "Korvane Mobil");
}

TEST_F(DashboardOperatorSelectionTest, RefusedOperatorFallsBackToAutomatic)
{
    start({{"SearchDelayMs", 100}, {"RefuseNumerics", QVariantList{"26207"}}});
    chooseManual();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOpen(); }, kWaitMs));
    apply(QStringLiteral("26207"));
    ASSERT_TRUE(waitAlert(QStringLiteral("Failed")));
    ASSERT_TRUE(QTest::qWaitFor([] { return receivedIds().contains(QStringLiteral("513/76")); }, kWaitMs));
    EXPECT_EQ(modemState(QStringLiteral("Network")).value("Mnc").toString(), "");
    // The device's report of automatic selection puts the panel back.
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->methodToSelectNetMatrix()->checkedId() == 0; }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->methodControl()->isEnabled(); }, kWaitMs));
    EXPECT_FALSE(settings()->isNetworkBusy());
    EXPECT_EQ(modemState(QStringLiteral("OperatorSelection")).value("SelectionMode").toInt(), 0);
}

TEST_F(DashboardOperatorSelectionTest, BackToTheOpenListAfterARefusal)
{
    start({{"SearchDelayMs", 100}, {"RefuseNumerics", QVariantList{"26207"}}},
          {{"Setting/BackToNetSelectList", true}, {"Setting/NotExitNetSelSheet", true}});
    chooseManual();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOpen(); }, kWaitMs));
    apply(QStringLiteral("26207"));
    EXPECT_FALSE(settings()->netSelectButton()->isEnabled()); // while it registers
    ASSERT_TRUE(waitAlert(QStringLiteral("Failed")));
    // The list stays for another choice, and "Apply" follows it.
    EXPECT_TRUE(sheetOpen());
    EXPECT_FALSE(receivedIds().contains(QStringLiteral("513/76")));
    presenter_.answerAllOpen();
    apply(QStringLiteral("26201"));
    ASSERT_TRUE(waitAlert(QStringLiteral("Success")));
    ASSERT_TRUE(QTest::qWaitFor([] { return modemState(QStringLiteral("Network")).value("Mnc").toString() == "01"; }, kWaitMs));
    presenter_.answerAllOpen();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !sheetOpen(); }, kWaitMs)); // "Success" on the sheet closes it
    EXPECT_EQ(receivedIds().count(QStringLiteral("513/78")), 1);
}

TEST_F(DashboardOperatorSelectionTest, ADeviceThatNeverAnswers)
{
    start({{"SearchDelayMs", -1}});
    chooseManual();
    ASSERT_TRUE(QTest::qWaitFor([&] { return barShown(); }, kWaitMs));
    // Cancel stays usable and gives the window back.
    ASSERT_TRUE(settings()->cancelSearchButton()->isEnabled());
    settings()->cancelSearchButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([] { return receivedIds().contains(QStringLiteral("513/89")); }, kWaitMs));
    EXPECT_TRUE(settings()->methodControl()->isEnabled());
    EXPECT_FALSE(barShown());
    EXPECT_FALSE(settings()->isManualSelecting());

    // Without a cancel: the search is given up after three minutes.
    chooseManual();
    ASSERT_TRUE(QTest::qWaitFor([&] { return barShown(); }, kWaitMs));
    clock_.advance(netsel::kSearchAnswerMs);
    ASSERT_TRUE(waitAlert(QStringLiteral("Failed")));
    EXPECT_EQ(settings()->methodToSelectNetMatrix()->checkedId(), 0);
    EXPECT_TRUE(settings()->methodControl()->isEnabled());
    EXPECT_FALSE(settings()->isNetworkBusy());
    EXPECT_EQ(receivedIds().count(QStringLiteral("513/89")), 2);
}

TEST_F(DashboardOperatorSelectionTest, StatusChecksAfterAFailure)
{
    start({{"SearchDelayMs", 100}, {"RefuseNumerics", QVariantList{"26201"}}, {"CheckOutcomes", QVariantList{"fail", "success"}}},
          {{"NetSearchForIndiaIdea", true}});
    chooseManual();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOpen(); }, kWaitMs));
    apply(QStringLiteral("26201"));
    // The refusal: a first check after 20 s, which fails; a second after 10 s, which succeeds.
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->checkNetStatusTimesAfterRegisterFailed() == 1; }, kWaitMs));
    EXPECT_TRUE(settings()->isNetworkBusy());
    clock_.advance(netsel::kFirstCheckMs);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->checkNetStatusTimesAfterRegisterFailed() == 2; }, kWaitMs));
    EXPECT_TRUE(presenter_.messages().isEmpty());
    clock_.advance(netsel::kNextCheckMs);
    ASSERT_TRUE(waitAlert(QStringLiteral("Success")));
    EXPECT_EQ(receivedIds().count(QStringLiteral("513/88")), 2);
    EXPECT_FALSE(settings()->isNetworkBusy());
    clock_.advance(60000);
    QTest::qWait(300);
    EXPECT_EQ(receivedIds().count(QStringLiteral("513/88")), 2);
}

TEST_F(DashboardOperatorSelectionTest, DeviceRemovedMidSearchAndRegistration)
{
    start({{"SearchDelayMs", 800}, {"SelectDelayMs", 800}});
    chooseManual();
    ASSERT_TRUE(QTest::qWaitFor([&] { return barShown(); }, kWaitMs));
    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !barShown(); }, kWaitMs));
    QTest::qWait(1200); // the search's time would have come
    EXPECT_FALSE(sheetOpen());
    EXPECT_FALSE(settings()->isManualSelecting());
    EXPECT_FALSE(settings()->isNetworkBusy());
    clock_.advance(netsel::kSearchAnswerMs);
    EXPECT_TRUE(presenter_.messages().isEmpty());

    // The next device: removed while it registers, with the sheet kept open.
    ASSERT_EQ(control(QStringLiteral("PlugDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings()->methodControl()->isEnabled(); }, kWaitMs));
    chooseManual();
    ASSERT_TRUE(QTest::qWaitFor([&] { return sheetOpen(); }, kWaitMs));
    apply(QStringLiteral("26201"));
    ASSERT_TRUE(settings()->isNetworkBusy());
    ASSERT_EQ(control(QStringLiteral("RemoveDevice")).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !settings()->isNetworkBusy(); }, kWaitMs));
    QTest::qWait(1200);
    clock_.advance(netsel::kSelectAnswerMs + netsel::kModeAnswerMs);
    EXPECT_FALSE(sheetOpen());
    EXPECT_TRUE(presenter_.messages().isEmpty());
    EXPECT_FALSE(receivedIds().contains(QStringLiteral("513/88")));
}

} // namespace
