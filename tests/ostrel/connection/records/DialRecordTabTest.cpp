// The records tab: the table's cell texts with the data-unit switches, the period view, deleting
// in the period view, clearing, the duration accounting and the way to the statistics page.
#include "RecordsHarness.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/dial/DialService.h"
#include "ostrel/connection/records/DialRecordTab.h"
#include "ostrel/connection/records/DialRecordTableModel.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "support/TestPaths.h"

#include <QDateEdit>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace recordstest;

namespace {

using Choice = testing_support::ScriptedAlertPresenter::Choice;

QStringList rowTexts(const DialRecordTableModel *model, int row)
{
    QStringList texts;
    for (int column = 0; column < model->columnCount(); ++column)
        texts << model->index(row, column).data().toString();
    return texts;
}

void pickPeriod(DialRecordTab *tab, QDate from, QDate to)
{
    tab->dateFrom_->setDate(from);
    tab->dateTo_->setDate(to);
    tab->btnShow_->click();
}

void selectRows(DialRecordTab *tab, std::initializer_list<int> rows)
{
    QItemSelectionModel *selection = tab->tableDialRecord_->selectionModel();
    selection->clearSelection();
    for (int row : rows)
        selection->select(tab->model_->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace

TEST(DialRecordTabTest, CellTextsPerColumnWithTheDataUnitSwitches)
{
    struct Case {
        const char *what;
        QVariantMap internet;
        const char *received;
        const char *sent;
    };
    const Case cases[] = {
        {"bytes", {}, "2.00 MB", "0.50 KB"},
        {"DataWithMB", {{QStringLiteral("DataWithMB"), true}}, "2.00", "0.00"},
        {"bits", {{QStringLiteral("dataType"), QStringLiteral("Kb")}}, "16.00 Mb", "4.00 Kb"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RecordsHarness h({{QStringLiteral("Internet"), c.internet}},
                         QVariantList{record(QStringLiteral("Home, \"web\""), local(2026, 3, 14, 10), 3725, 2048.0, 0.5)});
        DialRecordTab *tab = h.controller->recordTab();
        ASSERT_NE(tab, nullptr);
        ASSERT_EQ(tab->model_->rowCount(), 1);
        const QVariantMap stored = h.controller->recordList().first().toMap();
        EXPECT_EQ(rowTexts(tab->model_, 0),
                  (QStringList{QStringLiteral("Home, \"web\""),
                               h.controller->formatStringFromDate(stored.value(QStringLiteral("starttime")).toDateTime()),
                               h.controller->formatStringFromDate(stored.value(QStringLiteral("disconnecttime")).toDateTime()),
                               QStringLiteral("01:02:05"), QString::fromLatin1(c.received), QString::fromLatin1(c.sent)}));
        EXPECT_EQ(tab->model_->headerData(DialRecordTableModel::columnOfKey(QStringLiteral("receivebyte")), Qt::Horizontal),
                  QStringLiteral("Data Receive"));
        EXPECT_EQ(tab->textTotalData_->text(), QStringLiteral("2048.50 KB"));
        EXPECT_EQ(tab->textTotalTime_->text(), QStringLiteral("01:02:05"));
        EXPECT_FALSE(tab->model_->flags(tab->model_->index(0, 0)).testFlag(Qt::ItemIsEditable));
    }
}

TEST(DialRecordTabTest, APeriodOfOneDayShowsThatDayAndAWrongPeriodShowsEverything)
{
    RecordsHarness h({}, QVariantList{record(QStringLiteral("before"), local(2026, 3, 13, 23, 59, 59), 60, 1, 1),
                                      record(QStringLiteral("first"), local(2026, 3, 14), 60, 1, 1),
                                      record(QStringLiteral("last"), local(2026, 3, 14, 23, 59, 59), 120, 2, 2),
                                      record(QStringLiteral("after"), local(2026, 3, 15), 60, 1, 1)});
    DialRecordTab *tab = h.controller->recordTab();
    EXPECT_EQ(tab->dateFrom_->date(), QDate(2026, 3, 15)) << "the pickers start on today";

    pickPeriod(tab, QDate(2026, 3, 14), QDate(2026, 3, 14));
    EXPECT_TRUE(h.controller->showPeriodRecord());
    EXPECT_EQ(recordNames(tab->model_->records()), (QStringList{QStringLiteral("first"), QStringLiteral("last")}));
    EXPECT_EQ(tab->labelPeriod_->text(), QStringLiteral("Statistics for period from 2026-03-14 to 2026-03-14"));
    EXPECT_EQ(tab->textTotalTime_->text(), QStringLiteral("00:03:00"));
    EXPECT_EQ(tab->textTotalData_->text(), QStringLiteral("6.00 KB"));
    const auto periodFile = yov::PlistBridge::readFile(h.dir.filePath(QStringLiteral("dialRecordBackData.plist")));
    ASSERT_TRUE(periodFile.has_value());
    EXPECT_EQ(recordNames(periodFile->toList()), (QStringList{QStringLiteral("first"), QStringLiteral("last")}));
    EXPECT_EQ(h.controller->gettotalTime(), 300) << "the limits count every record";

    // A connection that ends meanwhile joins the period when it started in it.
    ASSERT_EQ(DialService::appendDialRecords(
        h.recordPath(), {DialRecordEntry{QStringLiteral("appended"), local(2026, 3, 14, 12), 30, 1, 1}}),
        DialService::RecordAppend::Written);
    h.controller->updateInterface();
    EXPECT_EQ(tab->model_->rowCount(), 3);

    if (const QString shot = testing_paths::screenshotPath(QStringLiteral("records-tab-period.png")); !shot.isEmpty()) {
        tab->resize(760, 460);
        tab->grab().save(shot);
    }

    ASSERT_EQ(h.alerts.count(), 0);
    pickPeriod(tab, QDate(2026, 3, 15), QDate(2026, 3, 14));
    ASSERT_EQ(h.alerts.count(), 1);
    EXPECT_EQ(h.alerts.shown().first().title, QStringLiteral("Warning"));
    EXPECT_EQ(h.alerts.shown().first().message, QStringLiteral("You selected a wrong period"));
    EXPECT_FALSE(h.controller->showPeriodRecord());
    EXPECT_EQ(tab->model_->rowCount(), 5);
    EXPECT_TRUE(tab->labelPeriod_->text().isEmpty());
}

TEST(DialRecordTabTest, DeletingTwoRowsInThePeriodViewRemovesExactlyThoseFromTheFile)
{
    RecordsHarness h({}, QVariantList{record(QStringLiteral("other day"), local(2026, 3, 13, 8), 60, 1, 1),
                                      record(QStringLiteral("one"), local(2026, 3, 14, 8), 60, 1, 1),
                                      record(QStringLiteral("two"), local(2026, 3, 14, 9), 60, 1, 1),
                                      record(QStringLiteral("three"), local(2026, 3, 14, 10), 60, 1, 1),
                                      record(QStringLiteral("next day"), local(2026, 3, 15, 8), 60, 1, 1)});
    DialRecordTab *tab = h.controller->recordTab();
    // Nothing selected: nothing to delete and nothing asked.
    EXPECT_FALSE(tab->btnDelete_->isEnabled());
    h.controller->deleteRecord();
    EXPECT_EQ(h.alerts.count(), 0);

    pickPeriod(tab, QDate(2026, 3, 14), QDate(2026, 3, 14));
    selectRows(tab, {0, 2});
    EXPECT_TRUE(tab->btnDelete_->isEnabled());
    h.alerts.pressNext(Choice::Alternate);
    tab->btnDelete_->click();
    ASSERT_EQ(h.alerts.count(), 1);
    EXPECT_EQ(h.alerts.shown().last().message, QStringLiteral("Are you sure to delete the selected record(s)?"));
    EXPECT_EQ(h.fileRecords().size(), 5) << "Cancel deletes nothing";

    selectRows(tab, {0, 2});
    tab->btnDelete_->click();
    EXPECT_EQ(recordNames(h.fileRecords()),
              (QStringList{QStringLiteral("other day"), QStringLiteral("two"), QStringLiteral("next day")}));
    EXPECT_EQ(recordNames(tab->model_->records()), QStringList{QStringLiteral("two")});
    EXPECT_TRUE(h.controller->showPeriodRecord());
    const auto periodFile = yov::PlistBridge::readFile(h.dir.filePath(QStringLiteral("dialRecordBackData.plist")));
    EXPECT_EQ(recordNames(periodFile->toList()), QStringList{QStringLiteral("two")});
    EXPECT_FALSE(tab->btnDelete_->isEnabled());
}

TEST(DialRecordTabTest, ResetAsksThenClears)
{
    RecordsHarness h({}, QVariantList{record(QStringLiteral("a"), local(2026, 3, 14, 8), 60, 1, 1),
                                      record(QStringLiteral("b"), local(2026, 3, 15, 8), 60, 1, 1)});
    DialRecordTab *tab = h.controller->recordTab();
    ASSERT_TRUE(tab->btnReset_->isEnabled());
    h.alerts.pressNext(Choice::Alternate);
    tab->btnReset_->click();
    ASSERT_EQ(h.alerts.count(), 1);
    EXPECT_EQ(h.alerts.shown().first().title, QStringLiteral("Warning!"));
    EXPECT_EQ(h.alerts.shown().first().message, QStringLiteral("Are you sure you want to delete all the record(s)?"));
    EXPECT_EQ(h.fileRecords().size(), 2);

    tab->btnReset_->click();
    EXPECT_TRUE(h.fileRecords().isEmpty());
    EXPECT_EQ(tab->model_->rowCount(), 0);
    EXPECT_FALSE(tab->btnReset_->isEnabled());
    EXPECT_EQ(tab->textTotalData_->text(), QStringLiteral("0.00 KB"));
    EXPECT_EQ(h.recordSetting("recordLastResetTime").typeId(), QMetaType::QDateTime);
    // Without records the button asks nothing.
    h.controller->resetRecord();
    EXPECT_EQ(h.alerts.count(), 2);
}

TEST(DialRecordTabTest, TheAccountingSwitchAsksAndClearsOnlyOnOk)
{
    RecordsHarness h({}, QVariantList{record(QStringLiteral("a"), local(2026, 3, 14, 8), 62, 1, 1)});
    DialRecordTab *tab = h.controller->recordTab();
    EXPECT_TRUE(tab->btnContinuous_->isChecked());
    EXPECT_FALSE(tab->btnIncrease15Min_->isChecked());

    h.alerts.pressNext(Choice::Alternate);
    tab->btnIncrease15Min_->click();
    ASSERT_EQ(h.alerts.count(), 1);
    EXPECT_EQ(h.alerts.shown().first().message, QStringLiteral("The Connection History will be cancelled, do you want to continue?"));
    EXPECT_EQ(h.fileRecords().size(), 1) << "Cancel keeps the records";
    EXPECT_TRUE(tab->btnContinuous_->isChecked()) << "and the mode";
    EXPECT_FALSE(yov::nsBool(h.recordSetting("connectTimeincreaseState")));

    tab->btnIncrease15Min_->click();
    EXPECT_TRUE(h.fileRecords().isEmpty());
    EXPECT_TRUE(tab->btnIncrease15Min_->isChecked());
    EXPECT_FALSE(tab->btnContinuous_->isChecked());
    EXPECT_TRUE(yov::nsBool(h.recordSetting("connectTimeincreaseState")));
    ConfigManager reread(h.dir.path());
    EXPECT_TRUE(yov::nsBool(reread.getConfigurationByModuleAndKey(QStringLiteral("Record"),
                                                                  QStringLiteral("connectTimeincreaseState"))))
        << "written to settings.plist";

    // The mode already chosen asks nothing.
    tab->btnIncrease15Min_->click();
    EXPECT_EQ(h.alerts.count(), 2);
}

TEST(DialRecordTabTest, StatisticsSwitchAndAmountsForTheStatisticsWindow)
{
    RecordsHarness h({{QStringLiteral("Provider"), QVariantMap{{QStringLiteral("MRDW_Statistics"), true}}}});
    CountingStatisticsForm form;
    h.controller->setStatisticsForm(&form);
    h.controller->recordTab()->btnStatistics_->click();
    EXPECT_EQ(form.refreshes, 1);
    ASSERT_EQ(h.alerts.count(), 1);
    EXPECT_EQ(h.alerts.shown().first().message,
              QStringLiteral("Data usage is approximate only, please contact your operator for actual usage."));
    EXPECT_EQ(Neighbours::records().getMonthTotalData(), 12.5);
    h.controller->setStatisticsForm(nullptr);
    EXPECT_EQ(Neighbours::records().getMonthTotalData(), 0.0);

    const std::pair<double, const char *> amounts[] = {
        {0, "0.00 KB"}, {1023.99, "1023.99 KB"}, {1024, "1.00 MB"}, {1048575, "1024.00 MB"}, {1048576, "1.00 GB"}};
    for (const auto &[kb, text] : amounts)
        EXPECT_EQ(Neighbours::records().autoChangeKBDataToMBGBUnit(kb), QLatin1String(text)) << kb;
}
