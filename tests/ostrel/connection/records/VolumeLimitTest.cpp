// The operator's "Volume Limit" window and its recurring reset of the records: when a reset is
// due, where the period runs from, clearing a range, the start-up reset, Apply with its change
// tests and question, the limit fields, and the settings-page list that switches it all on.
#include "RecordsHarness.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/records/DialRecordRecurrence.h"
#include "ostrel/connection/records/VolumeLimitWindow.h"
#include "support/TestPaths.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

#include <functional>

using namespace ostrel;
using namespace recordstest;

namespace {

using Choice = testing_support::ScriptedAlertPresenter::Choice;

const QVariantList kVolumeLimitPage{QStringLiteral("Volume Limit")};

// Three records around a last reset on 13 March at 08:00 (now: 15 March, 12:00).
QVariantList recordsAroundTheLastReset()
{
    return {record(QStringLiteral("before"), local(2026, 3, 13, 7), 60, 1, 1),
            record(QStringLiteral("inside"), local(2026, 3, 14, 10), 60, 1, 1),
            record(QStringLiteral("today"), local(2026, 3, 15, 9), 60, 1, 1)};
}

} // namespace

TEST(VolumeLimitTest, WhenTheRecurringResetIsDue)
{
    struct Case {
        const char *what;
        int tag;
        QDateTime from;
        QDateTime now;
        int dayOfWeek;  // 0 Sunday
        int dayOfMonth; // 0 the 1st
        bool due;
    };
    // 16 March 2026 is a Monday; April has 30 days.
    const Case cases[] = {
        {"daily, 23 h", 0, local(2026, 3, 16), local(2026, 3, 16, 23), 0, 0, false},
        {"daily, 24 h", 0, local(2026, 3, 16), local(2026, 3, 17), 0, 0, true},
        {"weekly Monday, Monday to Tuesday", 1, local(2026, 3, 16), local(2026, 3, 17), 1, 0, false},
        {"weekly Monday, now a Monday", 1, local(2026, 3, 16), local(2026, 3, 23), 1, 0, true},
        {"weekly Monday, Monday in between", 1, local(2026, 3, 20), local(2026, 3, 24), 1, 0, true},
        {"weekly Monday, no Monday", 1, local(2026, 3, 18), local(2026, 3, 22, 23), 1, 0, false},
        {"weekly, 8 days", 1, local(2026, 3, 17), local(2026, 3, 25), 2, 0, true},
        {"monthly 15th, now the 15th", 2, local(2026, 3, 10), local(2026, 3, 15), 0, 14, true},
        {"monthly 15th, the 14th", 2, local(2026, 3, 10), local(2026, 3, 14), 0, 14, false},
        {"monthly 31st in April, 30 days", 2, local(2026, 4, 1), local(2026, 5, 1), 0, 30, false},
        {"monthly 31st in April, 31 days", 2, local(2026, 4, 1), local(2026, 5, 2), 0, 30, false},
        {"monthly 31st in April, 32 days", 2, local(2026, 4, 1), local(2026, 5, 3), 0, 30, true},
        {"no last reset", 0, QDateTime(), local(2026, 5, 3), 0, 0, false},
        {"now before the last reset", 0, local(2026, 5, 3), local(2026, 5, 1), 0, 0, false},
        {"unknown recurrence", 3, local(2026, 3, 1), local(2026, 5, 1), 0, 0, false},
    };
    for (const Case &c : cases)
        EXPECT_EQ(DialRecordRecurrence::checkPeriodCycleRecurrenceFrom(c.tag, c.from.toUTC(), c.now.toUTC(), c.dayOfWeek,
                                                                       c.dayOfMonth, kZone),
                  c.due)
            << c.what;
}

TEST(VolumeLimitTest, WhereTheResetPeriodRunsFrom)
{
    const QDateTime last = local(2026, 3, 13, 8);
    struct Case {
        const char *what;
        QVariant lastReset;
        QVariant start;
        QDateTime from;
        bool unreadable;
    };
    const Case cases[] = {
        {"a stored date", last, QStringLiteral("2026-01-01 00:00:00"), last, false},
        {"missing: the start of the settings", {}, QStringLiteral("2026-03-13 08:00:00"), last, false},
        {"the older window's \"0\"", QStringLiteral("0"), QStringLiteral("2026-03-13 08:00:00"), {}, false},
        {"a date as text is no date", QStringLiteral("2026-03-13 08:00:00"), {}, {}, false},
        {"a start that is no time", {}, QStringLiteral("13.03.2026"), {}, true},
        {"no start", {}, QStringLiteral(""), {}, false},
    };
    for (const Case &c : cases) {
        bool unreadable = false;
        const QDateTime from = DialRecordRecurrence::resetFrom(c.lastReset, c.start, kZone, &unreadable);
        EXPECT_EQ(from, c.from) << c.what;
        EXPECT_EQ(unreadable, c.unreadable) << c.what;
    }
}

TEST(VolumeLimitTest, TheStartUpResetClearsFromTheLastResetToToday)
{
    struct Case {
        const char *what;
        QVariantMap settings;
        QStringList kept;
        QVariant lastResetAfter; // invalid: as before
    };
    const QVariantMap daily{{QStringLiteral("RecordResetFlag"), true},
                            {QStringLiteral("RecurrenceRadioTag"), 0},
                            {QStringLiteral("recordLastResetTime"), local(2026, 3, 13, 8)}};
    QVariantMap fromStart = daily;
    fromStart.remove(QStringLiteral("recordLastResetTime"));
    fromStart.insert(QStringLiteral("StartTimeOfSettings"), QStringLiteral("2026-03-13 08:00:00"));
    QVariantMap unreadableStart = fromStart;
    unreadableStart.insert(QStringLiteral("StartTimeOfSettings"), QStringLiteral("13.03.2026 08:00"));
    QVariantMap zero = daily;
    zero.insert(QStringLiteral("recordLastResetTime"), QStringLiteral("0"));
    QVariantMap off = daily;
    off.insert(QStringLiteral("RecordResetFlag"), false);
    const QStringList all{QStringLiteral("before"), QStringLiteral("inside"), QStringLiteral("today")};
    const QStringList cleared{QStringLiteral("before"), QStringLiteral("today")};
    const QDateTime todayStart = local(2026, 3, 15);
    const Case cases[] = {
        {"daily, due", {{QStringLiteral("SettingDefaultItem"), kVolumeLimitPage}, {QStringLiteral("Record"), daily}},
         cleared, todayStart},
        {"from the start of the settings", {{QStringLiteral("SettingDefaultItem"), kVolumeLimitPage}, {QStringLiteral("Record"), fromStart}},
         cleared, todayStart},
        {"a start that does not read", {{QStringLiteral("SettingDefaultItem"), kVolumeLimitPage}, {QStringLiteral("Record"), unreadableStart}},
         all, {}},
        {"\"0\" from the older window", {{QStringLiteral("SettingDefaultItem"), kVolumeLimitPage}, {QStringLiteral("Record"), zero}},
         all, QStringLiteral("0")},
        {"recurrence off", {{QStringLiteral("SettingDefaultItem"), kVolumeLimitPage}, {QStringLiteral("Record"), off}}, all, {}},
        {"no Volume Limit page", {{QStringLiteral("Record"), daily}}, all, local(2026, 3, 13, 8)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RecordsHarness h(c.settings, recordsAroundTheLastReset());
        EXPECT_EQ(recordNames(h.fileRecords()), c.kept);
        EXPECT_EQ(recordNames(h.controller->recordList()), c.kept);
        if (c.lastResetAfter.isValid()) {
            EXPECT_EQ(h.recordSetting("recordLastResetTime"), c.lastResetAfter);
            EXPECT_EQ(h.recordSetting("recordLastResetTime").typeId(), c.lastResetAfter.typeId());
        }
    }
}

TEST(VolumeLimitTest, TheRecurringResetAlsoComesWhileTheDashboardRuns)
{
    // Last reset this midnight; now 15 March, 12:00.
    const QVariantMap settings{{QStringLiteral("SettingDefaultItem"), kVolumeLimitPage},
                               {QStringLiteral("Record"),
                                QVariantMap{{QStringLiteral("RecordResetFlag"), true},
                                            {QStringLiteral("RecurrenceRadioTag"), 0},
                                            {QStringLiteral("recordLastResetTime"), local(2026, 3, 15)}}}};
    const QVariantList records{record(QStringLiteral("yesterday"), local(2026, 3, 14, 10), 60, 1, 1),
                               record(QStringLiteral("this morning"), local(2026, 3, 15, 9), 60, 1, 1)};
    {
        SCOPED_TRACE("left open over midnight");
        RecordsHarness h(settings, records);
        CountingStatisticsForm form;
        h.controller->setStatisticsForm(&form);
        EXPECT_TRUE(h.controller->recurrenceCheckRunning());
        h.clock.advance((11 * 60 + 58) * 60 * 1000); // 23:58
        EXPECT_EQ(h.fileRecords().size(), 2);
        const int refreshes = form.refreshes;
        h.clock.advance(3 * 60 * 1000); // 00:01
        EXPECT_EQ(recordNames(h.fileRecords()), QStringList{QStringLiteral("yesterday")});
        EXPECT_EQ(h.recordSetting("recordLastResetTime"), QVariant(local(2026, 3, 16)));
        EXPECT_GT(form.refreshes, refreshes) << "the statistics page shows the new time of the last reset";
        h.controller->setStatisticsForm(nullptr);
    }
    {
        SCOPED_TRACE("the records tab's Reset at noon moves the next reset to the next noon");
        RecordsHarness h(settings, records);
        h.controller->clearAllRecord();
        yov::PlistBridge::writeFile(h.recordPath(), QVariantList{record(QStringLiteral("evening"), local(2026, 3, 15, 20), 60, 1, 1)});
        h.clock.advance(12 * 3600 * 1000 + 60 * 1000); // 00:01
        EXPECT_EQ(recordNames(h.fileRecords()), QStringList{QStringLiteral("evening")});
        EXPECT_EQ(h.recordSetting("recordLastResetTime"), QVariant(local(2026, 3, 15, 12)));
        h.clock.advance(12 * 3600 * 1000); // 12:01
        EXPECT_TRUE(h.fileRecords().isEmpty());
        EXPECT_EQ(h.recordSetting("recordLastResetTime"), QVariant(local(2026, 3, 16)));
    }
    {
        SCOPED_TRACE("without the Volume Limit page nothing looks");
        QVariantMap withoutPage = settings;
        withoutPage.remove(QStringLiteral("SettingDefaultItem"));
        RecordsHarness h(withoutPage, records);
        EXPECT_FALSE(h.controller->recurrenceCheckRunning());
        h.clock.advance(24 * 3600 * 1000);
        EXPECT_EQ(h.fileRecords().size(), 2);
    }
}

TEST(VolumeLimitTest, ClearingARangeAlwaysMovesTheLastResetTime)
{
    RecordsHarness h({}, recordsAroundTheLastReset());
    h.controller->clearRecordFrom(local(2026, 3, 14), local(2026, 3, 14, 23, 59, 59));
    EXPECT_EQ(recordNames(h.fileRecords()), (QStringList{QStringLiteral("before"), QStringLiteral("today")}));
    EXPECT_EQ(h.recordSetting("recordLastResetTime"), QVariant(local(2026, 3, 14, 23, 59, 59)));

    // Nothing in the range: the time moves all the same, as a date.
    h.controller->clearRecordFrom(local(2026, 1, 1), local(2026, 1, 2));
    EXPECT_EQ(h.fileRecords().size(), 2);
    EXPECT_EQ(h.recordSetting("recordLastResetTime"), QVariant(local(2026, 1, 2)));
    EXPECT_EQ(h.recordSetting("recordLastResetTime").typeId(), QMetaType::QDateTime);
}

TEST(VolumeLimitTest, TheSettingsPagesSwitchTheWindowOn)
{
    struct Case {
        const char *what;
        QVariant pages;
        bool record;
        bool volumeLimit;
    };
    const Case cases[] = {
        {"missing", {}, false, false},
        {"not a list", QStringLiteral("Volume Limit"), false, false},
        {"Record", QVariantList{QStringLiteral("Record")}, true, false},
        {"both, among others", QVariantList{1, QStringLiteral("Record"), QStringLiteral("Volume Limit")}, true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QVariantMap settings;
        if (c.pages.isValid())
            settings.insert(QStringLiteral("SettingDefaultItem"), c.pages);
        RecordsHarness h(settings);
        EXPECT_EQ(Neighbours::setting().sethasModuleWith(QStringLiteral("Record")), c.record);
        EXPECT_EQ(Neighbours::setting().sethasModuleWith(QStringLiteral("Volume Limit")), c.volumeLimit);
        EXPECT_EQ(h.controller->volumeLimitWindow() != nullptr, c.volumeLimit);
        EXPECT_EQ(h.controller->recordSetDic().has_value(), c.volumeLimit);
        if (!c.volumeLimit)
            continue;
        VolumeLimitWindow *w = h.controller->volumeLimitWindow();
        EXPECT_EQ(w->windowTitle(), QStringLiteral("Volume Limit"));
        EXPECT_EQ(w->checkBox25LimitWarn_->text(), QStringLiteral("Warn before 25% of the limit is reached"));
        EXPECT_EQ(w->comBoxWeek_->itemText(0), QStringLiteral("Sunday"));
        // The defaults went into the module as one batch.
        EXPECT_FALSE(yov::nsBool(h.recordSetting("RecordResetFlag")));
        EXPECT_TRUE(h.recordSetting("RecordResetFlag").isValid());
        EXPECT_EQ(h.recordSetting("StartTimeOfSettings"), QVariant(QString()));
        EXPECT_EQ(h.recordSetting("recordLastResetTime").typeId(), QMetaType::QDateTime);
    }
}

TEST(VolumeLimitTest, TheLimitFieldsFollowTheTypeAndTheOnOffBox)
{
    struct Case {
        const char *what;
        int type;     // 0 data, 1 time
        bool limitOn; // the on/off box after the click
        bool dataEnabled;
        const char *data;
        bool timeEnabled;
        const char *time;
    };
    const Case cases[] = {
        {"data on", 0, true, true, "7", false, "0"},
        {"data off", 0, false, false, "0", false, "0"},
        {"time on", 1, true, false, "0", true, "7"},
        {"time off", 1, false, false, "0", false, "0"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RecordsHarness h({{QStringLiteral("SettingDefaultItem"), kVolumeLimitPage}});
        VolumeLimitWindow *w = h.controller->volumeLimitWindow();
        // With the limit off the type may be chosen, but no field takes a value.
        ASSERT_FALSE(w->checkDataVolumeSet_->isChecked());
        w->limitTypeGroup_->button(c.type)->click();
        EXPECT_FALSE(w->textDataLimit_->isEnabled());
        EXPECT_FALSE(w->textTimeLimit_->isEnabled());
        w->checkDataVolumeSet_->setChecked(true);
        w->limitTypeGroup_->button(c.type)->click();
        EXPECT_EQ(w->textDataLimit_->isEnabled(), c.type == 0);
        EXPECT_EQ(w->textTimeLimit_->isEnabled(), c.type == 1);
        EXPECT_EQ((c.type == 0 ? w->textTimeLimit_ : w->textDataLimit_)->text(), QStringLiteral("0"));
        (c.type == 0 ? w->textDataLimit_ : w->textTimeLimit_)->setText(QStringLiteral("7"));
        w->checkDataVolumeSet_->setChecked(!c.limitOn);
        w->checkDataVolumeSet_->click();
        EXPECT_EQ(w->textDataLimit_->isEnabled(), c.dataEnabled);
        EXPECT_EQ(w->textDataLimit_->text(), QLatin1String(c.data));
        EXPECT_EQ(w->textTimeLimit_->isEnabled(), c.timeEnabled);
        EXPECT_EQ(w->textTimeLimit_->text(), QLatin1String(c.time));
    }
}

TEST(VolumeLimitTest, ApplyAsksWhenSomethingChangedAndCancelReverts)
{
    using Edit = std::function<void(VolumeLimitWindow *)>;
    const Edit dataLimit500 = [](VolumeLimitWindow *w) {
        w->checkDataVolumeSet_->click();
        w->textDataLimit_->setText(QStringLiteral("500"));
    };
    const Edit weeklyOnTuesday = [](VolumeLimitWindow *w) {
        w->checkBoxRecordReset_->click();
        w->radioWeekly_->click();
        w->comBoxWeek_->setCurrentIndex(2);
    };
    struct Case {
        const char *what;
        QVariantMap stored;
        Edit edit;
        std::optional<Choice> answer; // none: no question
        const char *message;          // a refusal instead of the question
        QVariantMap storedAfter;
        bool recordsCleared;
    };
    const QVariantMap weeklyStored{{QStringLiteral("RecordResetFlag"), true},
                                   {QStringLiteral("StartTimeOfSettings"), QStringLiteral("2026-03-01 00:00:00")},
                                   {QStringLiteral("RecurrenceRadioTag"), 1},
                                   {QStringLiteral("DayOfWeek"), 2},
                                   {QStringLiteral("recordLastResetTime"), local(2026, 3, 15, 11)}};
    const Case cases[] = {
        {"nothing changed", {}, [](VolumeLimitWindow *) {}, std::nullopt, nullptr, {}, false},
        {"a limit switched on without a value", {}, [](VolumeLimitWindow *w) { w->checkDataVolumeSet_->click(); },
         std::nullopt, "Please set the volume limit.", {}, false},
        {"a limit, cancelled", {}, dataLimit500, Choice::Alternate, nullptr, {{QStringLiteral("LimitSetValue"), 0}}, false},
        {"a limit", {}, dataLimit500, Choice::Default, nullptr,
         {{QStringLiteral("DataLimitSet"), true}, {QStringLiteral("LimitSetValue"), 500}, {QStringLiteral("LimitSetType"), 0}},
         false},
        {"a warning", {}, [](VolumeLimitWindow *w) { w->checkBox50LimitWarn_->click(); }, Choice::Default, nullptr,
         {{QStringLiteral("WarningForLimit50"), true}, {QStringLiteral("WarningForLimit80"), false}}, false},
        {"a recurrence switched on clears the records", {}, weeklyOnTuesday, Choice::Default, nullptr,
         {{QStringLiteral("RecordResetFlag"), true}, {QStringLiteral("RecurrenceRadioTag"), 1},
          {QStringLiteral("DayOfWeek"), 2}, {QStringLiteral("StartTimeOfSettings"), QStringLiteral("2026-03-15 00:00:00")}},
         true},
        {"a recurrence switched on, cancelled", {}, weeklyOnTuesday, Choice::Alternate, nullptr,
         {{QStringLiteral("RecordResetFlag"), false}}, false},
        {"another weekday", weeklyStored, [](VolumeLimitWindow *w) { w->comBoxWeek_->setCurrentIndex(4); },
         Choice::Default, nullptr, {{QStringLiteral("DayOfWeek"), 4}}, true},
        {"the recurrence switched off keeps the records", weeklyStored,
         [](VolumeLimitWindow *w) { w->checkBoxRecordReset_->click(); }, Choice::Default, nullptr,
         {{QStringLiteral("RecordResetFlag"), false}, {QStringLiteral("RecurrenceRadioTag"), 0},
          {QStringLiteral("StartTimeOfSettings"), QStringLiteral("2026-03-01 00:00:00")}},
         false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RecordsHarness h({{QStringLiteral("SettingDefaultItem"), kVolumeLimitPage}, {QStringLiteral("Record"), c.stored}},
                         QVariantList{record(QStringLiteral("today"), local(2026, 3, 15, 11, 30), 60, 1, 1)});
        ASSERT_EQ(h.fileRecords().size(), 1);
        h.controller->showVolumeLimit();
        VolumeLimitWindow *w = h.controller->volumeLimitWindow();
        ASSERT_TRUE(w->isVisible());
        const QByteArray settingsBefore = h.fileBytes(h.dir.filePath(QStringLiteral("settings.plist")));
        c.edit(w);
        if (c.answer)
            h.alerts.pressNext(*c.answer);
        w->btnSetRecordApply_->click();
        if (c.message) {
            ASSERT_EQ(h.alerts.count(), 1);
            EXPECT_EQ(h.alerts.shown().first().message, QLatin1String(c.message));
        } else if (c.answer) {
            ASSERT_EQ(h.alerts.count(), 1);
            EXPECT_EQ(h.alerts.shown().first().message, QStringLiteral("Are you sure you want to change the limit settings?"));
        } else {
            EXPECT_EQ(h.alerts.count(), 0);
        }
        const bool saved = c.answer == Choice::Default && !c.message;
        if (!saved) {
            EXPECT_EQ(h.fileBytes(h.dir.filePath(QStringLiteral("settings.plist"))), settingsBefore) << "nothing saved";
        }
        for (auto it = c.storedAfter.begin(); it != c.storedAfter.end(); ++it)
            EXPECT_EQ(h.store->getConfigurationByModuleAndKey(QStringLiteral("Record"), it.key()), it.value())
                << qPrintable(it.key());
        EXPECT_EQ(h.fileRecords().isEmpty(), c.recordsCleared);
        if (c.answer == Choice::Alternate) {
            // Cancel puts the stored settings back into the window.
            EXPECT_FALSE(h.controller->periodSettingsIsChanged());
            EXPECT_FALSE(h.controller->limitSettingsIsChanged());
            EXPECT_FALSE(h.controller->warningSettingsIsChanged());
        }
    }
}

TEST(VolumeLimitTest, TheWindowShowsTheStoredSettings)
{
    RecordsHarness h({{QStringLiteral("SettingDefaultItem"), kVolumeLimitPage},
                      {QStringLiteral("Record"), QVariantMap{{QStringLiteral("RecordResetFlag"), true},
                                                             {QStringLiteral("StartTimeOfSettings"), QStringLiteral("2026-03-02 00:00:00")},
                                                             {QStringLiteral("RecurrenceRadioTag"), 2},
                                                             {QStringLiteral("DayOfMonth"), 9},
                                                             {QStringLiteral("LimitSetType"), 1},
                                                             {QStringLiteral("LimitSetValue"), 40},
                                                             {QStringLiteral("DataLimitSet"), true},
                                                             {QStringLiteral("WarningForLimit75"), true},
                                                             {QStringLiteral("WarningForLimit100"), true},
                                                             {QStringLiteral("recordLastResetTime"), local(2026, 3, 10)}}}});
    h.controller->showVolumeLimit();
    VolumeLimitWindow *w = h.controller->volumeLimitWindow();
    EXPECT_TRUE(w->checkBoxRecordReset_->isChecked());
    EXPECT_FALSE(w->recordResetDate_->isEnabled()) << "the date is fixed while the recurrence is on";
    EXPECT_EQ(w->recordResetDate_->date(), QDate(2026, 3, 2));
    EXPECT_TRUE(w->radioMonthly_->isChecked());
    EXPECT_TRUE(w->comBoxMonth_->isEnabled());
    EXPECT_EQ(w->comBoxMonth_->currentText(), QStringLiteral("10"));
    EXPECT_FALSE(w->comBoxWeek_->isEnabled());
    EXPECT_TRUE(w->radioTimeLimit_->isChecked());
    EXPECT_EQ(w->textTimeLimit_->text(), QStringLiteral("40"));
    EXPECT_EQ(w->textDataLimit_->text(), QStringLiteral("0"));
    EXPECT_FALSE(w->textDataLimit_->isEnabled());
    EXPECT_TRUE(w->checkDataVolumeSet_->isChecked());
    EXPECT_TRUE(w->checkBox75LimitWarn_->isChecked());
    EXPECT_TRUE(w->checkBox100LimitWarn_->isChecked());
    EXPECT_FALSE(w->checkBox80LimitWarn_->isChecked());
    EXPECT_FALSE(h.controller->periodSettingsIsChanged());
    EXPECT_FALSE(h.controller->limitSettingsIsChanged());
    if (const QString shot = testing_paths::screenshotPath(QStringLiteral("volume-limit.png")); !shot.isEmpty())
        w->grab().save(shot);

    // The user's click on the recurrence box starts again from "Daily".
    w->checkBoxRecordReset_->click();
    w->checkBoxRecordReset_->click();
    EXPECT_TRUE(w->radioDaily_->isChecked());
    EXPECT_FALSE(w->comBoxMonth_->isEnabled());
    w->btnSetRecordCancel_->click();
    EXPECT_TRUE(w->radioMonthly_->isChecked());
}
