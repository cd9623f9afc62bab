// The record settings window: loading the stored settings, the typing filter, the check-box
// coupling, and Apply with its refusals and messages.
#include "RecordsHarness.h"

#include "ostrel/connection/records/RecordLimitRules.h"
#include "ostrel/connection/records/RecordSettingWindow.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "support/TestPaths.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace recordstest;

TEST(RecordSettingWindowTest, TypingFilter)
{
    struct Case {
        const char *typed;
        bool allowComma;
        const char *kept;
    };
    const Case cases[] = {
        {"12a,5", true, "12,5"}, {"1.5", true, "15"},     {"", true, "0"},         {"abc", true, "0"},
        {"1234567", true, "123456"}, {"1,5", false, "15"}, {",,,,,,,", true, ",,,,,,"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RecordLimitRules::filterLimitText(QString::fromUtf8(c.typed), c.allowComma),
                  QString::fromUtf8(c.kept))
            << c.typed;

    // Typed into the window's fields.
    for (const bool wholeHours : {false, true}) {
        SCOPED_TRACE(wholeHours);
        RecordsHarness h({{QStringLiteral("Record"), QVariantMap{{QStringLiteral("IfSetRecordResetFrequence"), true},
                                                                  {QStringLiteral("recordTimeLimitOnlyIntValue"), wholeHours}}}});
        h.controller->showSetLimit();
        RecordSettingWindow *w = h.controller->recordSettingWindow();
        ASSERT_NE(w, nullptr);
        w->fieldTimeLimit_->clear();
        QTest::keyClicks(w->fieldTimeLimit_, QStringLiteral("1x,25"));
        EXPECT_EQ(w->fieldTimeLimit_->text(), wholeHours ? QStringLiteral("125") : QStringLiteral("1,25"));
        w->radioDataLimit_->click();
        w->fieldDataLimit_->clear();
        QTest::keyClicks(w->fieldDataLimit_, QStringLiteral("99999999"));
        EXPECT_EQ(w->fieldDataLimit_->text(), QStringLiteral("999999"));
        w->fieldDataLimit_->selectAll();
        QTest::keyClick(w->fieldDataLimit_, Qt::Key_Backspace);
        EXPECT_EQ(w->fieldDataLimit_->text(), QStringLiteral("0"));
    }
}

TEST(RecordSettingWindowTest, TimeLimitTexts)
{
    struct Case {
        double hours;
        bool wholeHours;
        const char *loaded;  // as the window shows a stored limit
        const char *applied; // as it shows it after Apply
    };
    const Case cases[] = {
        {1.25, false, "1,25", "1,25"}, {0, false, "0,00", "0"},  {-0.001, false, "-0,00", "0"},
        {2, true, "2", "2"},           {0, true, "0", "0"},      {-0.2, true, "-0", "0"},
        {qQNaN(), false, "0,00", "0"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(RecordLimitRules::readRecordTimeLimit(c.hours, c.wholeHours), QString::fromUtf8(c.loaded)) << c.hours;
        EXPECT_EQ(RecordLimitRules::appliedTimeLimitText(c.hours, c.wholeHours), QString::fromUtf8(c.applied))
            << c.hours;
    }
}

TEST(RecordSettingWindowTest, LoadsTheStoredSettings)
{
    RecordsHarness h({{QStringLiteral("Record"), QVariantMap{{QStringLiteral("IfSetRecordResetEveryDays"), true},
                                                              {QStringLiteral("recordResetPeriod"), 6},
                                                              {QStringLiteral("recordResetStartTime"),
                                                               QStringLiteral("2026-02-03 00:00:00")},
                                                              {QStringLiteral("recordLimitState"), false},
                                                              {QStringLiteral("recordDataLimit"), 500},
                                                              {QStringLiteral("recordTimeLimit"), 1.25},
                                                              {QStringLiteral("recordLimitWarn"), 1},
                                                              {QStringLiteral("recordLimitDisconnect"), 0}}}});
    h.controller->showSetLimit();
    RecordSettingWindow *w = h.controller->recordSettingWindow();
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->btnThirtyDays_->isChecked());
    EXPECT_FALSE(w->btnThirtyDays_->isEnabled());
    EXPECT_TRUE(w->btnEveryDays_->isChecked());
    EXPECT_EQ(w->popPeriodDays_->currentText(), QStringLiteral("7"));
    EXPECT_EQ(w->dateStartDay_->date(), QDate(2026, 2, 3));
    EXPECT_TRUE(w->radioTimeLimit_->isChecked());
    EXPECT_TRUE(w->fieldTimeLimit_->isEnabled());
    EXPECT_FALSE(w->fieldDataLimit_->isEnabled());
    EXPECT_EQ(w->fieldDataLimit_->text(), QStringLiteral("500"));
    EXPECT_EQ(w->fieldTimeLimit_->text(), QStringLiteral("1,25"));
    EXPECT_TRUE(w->btnLimitWarn_->isChecked());
    EXPECT_FALSE(w->btnLimitDisconnect_->isChecked());

    if (const QString shot = testing_paths::screenshotPath(QStringLiteral("record-settings.png")); !shot.isEmpty())
        w->grab().save(shot);

    // Cancel brings back what is stored.
    w->fieldTimeLimit_->setText(QStringLiteral("9"));
    w->btnLimitWarn_->setChecked(false);
    w->btnCancel_->click();
    EXPECT_EQ(w->fieldTimeLimit_->text(), QStringLiteral("1,25"));
    EXPECT_TRUE(w->btnLimitWarn_->isChecked());
    EXPECT_TRUE(w->isVisible());
    w->btnBack_->click();
    EXPECT_FALSE(w->isVisible());
}

TEST(RecordSettingWindowTest, CheckBoxCoupling)
{
    RecordsHarness h;
    h.controller->showSetLimit();
    RecordSettingWindow *w = h.controller->recordSettingWindow();
    // Neither period: every limit and warning control is off.
    for (QWidget *c : std::initializer_list<QWidget *>{w->radioDataLimit_, w->radioTimeLimit_, w->fieldDataLimit_,
                                                       w->fieldTimeLimit_, w->btnLimitWarn_, w->btnLimitDisconnect_,
                                                       w->dateStartDay_})
        EXPECT_FALSE(c->isEnabled()) << qPrintable(c->objectName());
    EXPECT_TRUE(w->popPeriodDays_->isEnabled());

    w->btnThirtyDays_->click();
    EXPECT_FALSE(w->btnEveryDays_->isEnabled());
    EXPECT_FALSE(w->popPeriodDays_->isEnabled());
    EXPECT_TRUE(w->dateStartDay_->isEnabled());
    EXPECT_TRUE(w->btnLimitWarn_->isEnabled());
    EXPECT_TRUE(w->radioDataLimit_->isEnabled());
    EXPECT_TRUE(w->fieldTimeLimit_->isEnabled()) << "the time radio is the stored choice";
    EXPECT_FALSE(w->fieldDataLimit_->isEnabled());

    w->radioDataLimit_->click();
    EXPECT_TRUE(w->fieldDataLimit_->isEnabled());
    EXPECT_FALSE(w->fieldTimeLimit_->isEnabled());

    w->btnThirtyDays_->click();
    w->btnEveryDays_->click();
    EXPECT_FALSE(w->btnThirtyDays_->isEnabled());
    EXPECT_TRUE(w->popPeriodDays_->isEnabled());
    EXPECT_TRUE(w->btnLimitDisconnect_->isEnabled());
    EXPECT_TRUE(w->fieldDataLimit_->isEnabled());
}

TEST(RecordSettingWindowTest, ApplyRefusesOrStores)
{
    const QString settingsOK = QStringLiteral("Settings OK");
    struct Case {
        const char *what;
        bool thirtyDays;
        bool everyDays;
        bool dataLimit;
        const char *field;
        QStringList messages;
        bool closes;
        QVariantMap stored; // Record keys expected afterwards
    };
    const Case cases[] = {
        {"1,3 hours", true, false, false, "1,3",
         {QStringLiteral("Value should be a multiple of 0,25 hours (15 minutes)")}, false, {}},
        {"zero hours", true, false, false, "0", {QStringLiteral("Please set the time limit.")}, false, {}},
        {"zero megabytes", true, false, true, "0", {QStringLiteral("Please set the data volume limit.")}, false, {}},
        {"1,25 hours", true, false, false, "1,25", {QStringLiteral("Meters will be reset in 30 days"), settingsOK}, true,
         {{QStringLiteral("recordTimeLimit"), 1.25},
          {QStringLiteral("recordLimitState"), false},
          {QStringLiteral("IfSetRecordResetFrequence"), true},
          {QStringLiteral("IfSetRecordResetEveryDays"), false},
          {QStringLiteral("recordResetPeriod"), QStringLiteral("29")},
          {QStringLiteral("recordLastResetTime"), QStringLiteral("0")},
          {QStringLiteral("recordResetStartTime"), QStringLiteral("2026-03-10 00:00:00")},
          {QStringLiteral("recordLimitWarn"), true},
          {QStringLiteral("recordLimitDisconnect"), false}}},
        {"every 10 days, 250 MB", false, true, true, "250",
         {QStringLiteral("Meters will be reset in 10 days"), settingsOK}, true,
         {{QStringLiteral("recordDataLimit"), 250},
          {QStringLiteral("recordLimitState"), true},
          {QStringLiteral("IfSetRecordResetFrequence"), false},
          {QStringLiteral("IfSetRecordResetEveryDays"), true},
          {QStringLiteral("recordResetPeriod"), 9}}},
        {"no period", false, false, true, "0",
         {QStringLiteral("You have choose a null record period to disable the record")}, true,
         {{QStringLiteral("IfSetRecordResetFrequence"), false}, {QStringLiteral("IfSetRecordResetEveryDays"), false}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        RecordsHarness h;
        const QVariantMap before = h.store->getConfiguration();
        h.controller->showSetLimit();
        RecordSettingWindow *w = h.controller->recordSettingWindow();
        if (c.thirtyDays)
            w->btnThirtyDays_->click();
        if (c.everyDays) {
            w->btnEveryDays_->click();
            w->popPeriodDays_->setCurrentIndex(9);
        }
        w->dateStartDay_->setDate(QDate(2026, 3, 10));
        (c.dataLimit ? w->radioDataLimit_ : w->radioTimeLimit_)->click();
        w->btnLimitWarn_->setChecked(true);
        QLineEdit *field = c.dataLimit ? w->fieldDataLimit_ : w->fieldTimeLimit_;
        field->setText(QString::fromUtf8(c.field));
        w->btnApply_->click();

        EXPECT_EQ(h.alerts.messages(), c.messages);
        EXPECT_EQ(w->isVisible(), !c.closes);
        if (c.stored.isEmpty()) {
            EXPECT_EQ(h.store->getConfiguration(), before) << "a refused apply stores nothing";
            continue;
        }
        for (auto it = c.stored.begin(); it != c.stored.end(); ++it)
            EXPECT_EQ(h.recordSetting(it.key().toLatin1().constData()), it.value()) << qPrintable(it.key());
        EXPECT_EQ(ConfigService(h.store.get()).isDisabledLimits(), !c.thirtyDays && !c.everyDays);
        EXPECT_EQ(h.controller->resetTimerRunning(), c.thirtyDays || c.everyDays);
    }
}
