// The records tab, the statistics page and the "Volume Limit" window in the whole dashboard
// against the stand-in modem, used through the menus, buttons and fields as a user would.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/records/DialRecordController.h"
#include "ostrel/connection/records/DialRecordTab.h"
#include "ostrel/connection/records/DialRecordTableModel.h"
#include "ostrel/connection/records/VolumeLimitWindow.h"
#include "ostrel/connection/statistics/statisticSource.h"
#include "ostrel/connection/statistics/statisticsView.h"
#include "ostrel/connection/statistics/transferSource.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "support/TestPaths.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

using Choice = testing_support::ScriptedAlertPresenter::Choice;

QVariantMap storedRecord(const QString &name, const QDateTime &start, qint64 seconds)
{
    return {{QStringLiteral("connectname"), name},
            {QStringLiteral("starttime"), start},
            {QStringLiteral("disconnecttime"), start.addSecs(seconds)},
            {QStringLiteral("connecttime"), seconds},
            {QStringLiteral("receivebyte"), 512.0},
            {QStringLiteral("sendbyte"), 64.0}};
}

// A click on a check box or radio button where its box is drawn (a click elsewhere in a wide one
// misses it).
void clickBox(QAbstractButton *box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

QStringList connectionNames(const QVariantList &records)
{
    QStringList names;
    for (const QVariant &r : records)
        names << r.toMap().value(QStringLiteral("connectname")).toString();
    return names;
}

class DashboardRecordsTest : public DashboardFixture {
protected:
    DialRecordTab *recordTab() const { return assembly_->recordController()->recordTab(); }
    void writeRecords(const QVariantList &records)
    {
        ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(modemList_).filePath(QStringLiteral("dialRecordData.plist")), records));
    }
    void chooseMenuItem(const QString &item)
    {
        QAction *action = main()->menuItemNamed(item);
        ASSERT_NE(action, nullptr) << qPrintable(item);
        EXPECT_TRUE(action->isEnabled()) << qPrintable(item);
        action->trigger();
    }
    bool waitMainWindow()
    {
        return QTest::qWaitFor([this] { return mainWindow() && mainWindow()->isVisible(); }, kWaitMs);
    }
    QVariant storedSetting(const char *module, const char *key) const
    {
        const ConfigManager reread(modemList_);
        return reread.getConfigurationByModuleAndKey(QLatin1String(module), QLatin1String(key));
    }
};

} // namespace

TEST_F(DashboardRecordsTest, TheStatisticsPageFollowsAConnectionAndTheRecordsTabShowsItsRecord)
{
    setSettings({{QStringLiteral("Internet/DisplayMonthlyData"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    transferSource *transfer = assembly_->transferController();
    statisticSource *statistics = assembly_->statisticsController();
    statisticsView *graph = assembly_->speedGraph();
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(recordTab()->model_->rowCount(), 0);

    // The main menu's item shows the page.
    chooseMenuItem(QStringLiteral("Statistics"));
    EXPECT_EQ(main()->currentTabIdentifier(), QStringLiteral("Statistics"));
    EXPECT_EQ(main()->textfieldTabviewItemTitle_->text(), QStringLiteral("Statistics"));

    pressConnectButton(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));
    // Every second: a new time and amounts in the transfer rows, a new sample in the graph.
    for (int second = 0; second < 2; ++second) {
        const QString time = transfer->valueOfRow(1);
        const QString received = transfer->valueOfRow(7);
        const int samples = graph->pointCount();
        EXPECT_TRUE(QTest::qWaitFor([&] { return transfer->valueOfRow(1) != time; }, 2500)) << "time stays " << qPrintable(time);
        EXPECT_TRUE(QTest::qWaitFor([&] { return transfer->valueOfRow(7) != received; }, 2500))
            << "download stays " << qPrintable(received);
        EXPECT_TRUE(QTest::qWaitFor([&] { return graph->pointCount() > samples; }, 2500)) << "no new sample";
    }
    EXPECT_NE(transfer->valueOfRow(1), QStringLiteral("00:00:00"));
    // The Internet page's month, with no earlier records, is this connection: counted once.
    EXPECT_EQ(fieldText("monthlyData_"), fieldText("m_TotalData"));
    EXPECT_GT(graph->maxDownSpeed(), 0.0f);
    // The day's total counts the running connection.
    EXPECT_TRUE(QTest::qWaitFor([&] { return statistics->valueOfRow(4) != QStringLiteral("0.00 KB"); }, kWaitMs))
        << qPrintable(statistics->valueOfRow(4));
    // A few seconds of lines for the picture.
    if (!testing_paths::screenshotPath(QStringLiteral("statistics-page-connected.png")).isEmpty())
        static_cast<void>(QTest::qWaitFor([graph] { return graph->pointCount() >= 6; }, 8000));
    saveScreenshot(mainWindow(), QStringLiteral("statistics-page-connected.png"));

    pressConnectButton(QStringLiteral("Disconnect"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs));
    EXPECT_EQ(transfer->valueOfRow(1), QStringLiteral("00:00:00"));
    for (int row : {3, 4, 6, 7})
        EXPECT_TRUE(transfer->valueOfRow(row).startsWith(QLatin1String("0.00"))) << row << qPrintable(transfer->valueOfRow(row));
    EXPECT_EQ(graph->pointCount(), 0);

    // The way back to the records, where the connection's record now shows.
    ASSERT_NE(assembly_->recordController()->backToRecordButton(), nullptr);
    QTest::mouseClick(assembly_->recordController()->backToRecordButton(), Qt::LeftButton);
    EXPECT_EQ(main()->currentTabIdentifier(), QStringLiteral("DialRecord"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return recordTab()->model_->rowCount() == 1; }, kWaitMs));
    EXPECT_EQ(connectionRecords().size(), 1);
    EXPECT_EQ(presenter_.count(), 0) << qPrintable(presenter_.messages().join(u'\n'));
}

TEST_F(DashboardRecordsTest, TheRecordsTabShowsAPeriodDeletesClearsAndSwitchesTheAccounting)
{
    const QDate today = QDate::currentDate();
    const auto at = [](QDate day, int hour) { return QDateTime(day, QTime(hour, 0)); };
    writeRecords({storedRecord(QStringLiteral("two days ago"), at(today.addDays(-2), 9), 600),
                  storedRecord(QStringLiteral("morning"), at(today.addDays(-1), 8), 1200),
                  storedRecord(QStringLiteral("noon"), at(today.addDays(-1), 12), 300),
                  storedRecord(QStringLiteral("evening"), at(today.addDays(-1), 20), 3725),
                  storedRecord(QStringLiteral("today"), QDateTime(today, QTime(0, 0, 30)), 60)});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitMainWindow());
    ASSERT_TRUE(waitSimReady()) << "the menu's area items follow the toolbar, on with the SIM";
    chooseMenuItem(QStringLiteral("DialRecord"));
    EXPECT_EQ(main()->currentTabIdentifier(), QStringLiteral("DialRecord"));
    DialRecordTab *tab = recordTab();
    ASSERT_TRUE(tab->isVisible());
    EXPECT_EQ(tab->model_->rowCount(), 5);
    EXPECT_EQ(tab->textTotalTime_->text(), QStringLiteral("01:38:05"));

    // Yesterday only.
    tab->dateFrom_->setDate(today.addDays(-1));
    tab->dateTo_->setDate(today.addDays(-1));
    QTest::mouseClick(tab->btnShow_, Qt::LeftButton);
    EXPECT_EQ(connectionNames(tab->model_->records()),
              (QStringList{QStringLiteral("morning"), QStringLiteral("noon"), QStringLiteral("evening")}));
    EXPECT_FALSE(tab->labelPeriod_->text().isEmpty());
    saveScreenshot(mainWindow(), QStringLiteral("records-tab-period-view.png"));

    // Two of them deleted: exactly those leave the file.
    tab->tableDialRecord_->selectRow(0);
    tab->tableDialRecord_->selectionModel()->select(tab->model_->index(2, 0),
                                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_TRUE(tab->btnDelete_->isEnabled());
    QTest::mouseClick(tab->btnDelete_, Qt::LeftButton);
    EXPECT_EQ(connectionNames(connectionRecords()),
              (QStringList{QStringLiteral("two days ago"), QStringLiteral("noon"), QStringLiteral("today")}));
    EXPECT_EQ(connectionNames(tab->model_->records()), QStringList{QStringLiteral("noon")});

    // A wrong period shows everything again.
    tab->dateFrom_->setDate(today);
    tab->dateTo_->setDate(today.addDays(-1));
    QTest::mouseClick(tab->btnShow_, Qt::LeftButton);
    EXPECT_EQ(presenter_.messages().last(), QStringLiteral("You selected a wrong period"));
    EXPECT_EQ(tab->model_->rowCount(), 3);

    // The accounting switch and Reset, each cancelled first.
    presenter_.pressNext(Choice::Alternate);
    clickBox(tab->btnIncrease15Min_);
    EXPECT_TRUE(tab->btnContinuous_->isChecked());
    presenter_.pressNext(Choice::Alternate);
    QTest::mouseClick(tab->btnReset_, Qt::LeftButton);
    EXPECT_EQ(connectionRecords().size(), 3);
    QTest::mouseClick(tab->btnReset_, Qt::LeftButton);
    EXPECT_TRUE(connectionRecords().isEmpty());
    EXPECT_EQ(tab->model_->rowCount(), 0);
    clickBox(tab->btnIncrease15Min_);
    EXPECT_TRUE(tab->btnIncrease15Min_->isChecked());
    EXPECT_TRUE(yov::nsBool(storedSetting("Record", "connectTimeincreaseState")));
    EXPECT_EQ(presenter_.messages().mid(2),
              (QStringList{QStringLiteral("The Connection History will be cancelled, do you want to continue?"),
                           QStringLiteral("Are you sure you want to delete all the record(s)?"),
                           QStringLiteral("Are you sure you want to delete all the record(s)?"),
                           QStringLiteral("The Connection History will be cancelled, do you want to continue?")}));
}

TEST_F(DashboardRecordsTest, TheVolumeLimitPageResetsDailyAtStartAndStoresALimit)
{
    const QDate today = QDate::currentDate();
    setSettings({{QStringLiteral("SettingDefaultItem"), QVariantList{QStringLiteral("Volume Limit")}},
                 {QStringLiteral("Record/RecordResetFlag"), true},
                 {QStringLiteral("Record/RecurrenceRadioTag"), 0},
                 {QStringLiteral("Record/StartTimeOfSettings"),
                  today.addDays(-20).toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00")},
                 {QStringLiteral("Record/recordLastResetTime"), QDateTime(today.addDays(-2), QTime(12, 0))}});
    writeRecords({storedRecord(QStringLiteral("before the last reset"), QDateTime(today.addDays(-3), QTime(9, 0)), 60),
                  storedRecord(QStringLiteral("yesterday"), QDateTime(today.addDays(-1), QTime(9, 0)), 60),
                  storedRecord(QStringLiteral("today"), QDateTime(today, QTime(0, 0, 30)), 60)});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitMainWindow());
    EXPECT_EQ(connectionNames(connectionRecords()),
              (QStringList{QStringLiteral("before the last reset"), QStringLiteral("today")}));
    EXPECT_EQ(storedSetting("Record", "recordLastResetTime"), QVariant(QDateTime(today, QTime(0, 0))));

    chooseMenuItem(QStringLiteral("Volume Limit"));
    VolumeLimitWindow *w = assembly_->recordController()->volumeLimitWindow();
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([w] { return w->isVisible(); }, kWaitMs));
    EXPECT_TRUE(w->checkBoxRecordReset_->isChecked());
    EXPECT_TRUE(w->radioDaily_->isChecked());
    // The limit is off: its fields take nothing until it is switched on.
    EXPECT_FALSE(w->textDataLimit_->isEnabled());
    EXPECT_FALSE(w->textTimeLimit_->isEnabled());
    clickBox(w->radioTimeLimit_);
    EXPECT_FALSE(w->textTimeLimit_->isEnabled());
    clickBox(w->radioDataLimit_);
    clickBox(w->checkDataVolumeSet_);
    EXPECT_TRUE(w->textDataLimit_->isEnabled());
    w->textDataLimit_->clear();
    QTest::keyClicks(w->textDataLimit_, QStringLiteral("3x00"));
    EXPECT_EQ(w->textDataLimit_->text(), QStringLiteral("300"));
    clickBox(w->checkBox80LimitWarn_);
    saveScreenshot(w, QStringLiteral("volume-limit-window.png"));
    QTest::mouseClick(w->btnSetRecordApply_, Qt::LeftButton);
    EXPECT_EQ(presenter_.messages(), QStringList{QStringLiteral("Are you sure you want to change the limit settings?")});
    EXPECT_EQ(yov::nsLongLong(storedSetting("Record", "LimitSetValue")), 300);
    EXPECT_TRUE(yov::nsBool(storedSetting("Record", "DataLimitSet")));
    EXPECT_TRUE(yov::nsBool(storedSetting("Record", "WarningForLimit80")));
    EXPECT_EQ(connectionRecords().size(), 2) << "the recurrence stayed as it was: the records stay";

    // Cancel puts the stored values back and closes the window; it opens again as stored.
    w->textDataLimit_->clear();
    QTest::keyClicks(w->textDataLimit_, QStringLiteral("42"));
    clickBox(w->checkBox80LimitWarn_);
    QTest::mouseClick(w->btnSetRecordCancel_, Qt::LeftButton);
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(w->textDataLimit_->text(), QStringLiteral("300"));
    EXPECT_TRUE(w->checkBox80LimitWarn_->isChecked());
    chooseMenuItem(QStringLiteral("Volume Limit"));
    EXPECT_TRUE(QTest::qWaitFor([w] { return w->isVisible(); }, kWaitMs));
    EXPECT_EQ(yov::nsLongLong(storedSetting("Record", "LimitSetValue")), 300);
    EXPECT_EQ(presenter_.count(), 1);
}
