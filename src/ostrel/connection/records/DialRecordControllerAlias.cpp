// DialRecordController: the skin binding and the wording of the records tab and of the two
// settings windows, the operator's "Volume Limit" window and its recurring reset of the records.
#include "ostrel/connection/records/DialRecordController.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/records/DialRecordRecurrence.h"
#include "ostrel/connection/records/DialRecordTab.h"
#include "ostrel/connection/records/DialRecordTableModel.h"
#include "ostrel/connection/records/RecordSettingWindow.h"
#include "ostrel/connection/records/VolumeLimitSettings.h"
#include "ostrel/connection/records/VolumeLimitWindow.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "platform/Clock.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRadioButton>

Q_DECLARE_LOGGING_CATEGORY(lcRecords)

namespace ostrel {

// ---- skin and wording ---------------------------------------------------------------------------

void DialRecordController::initializeSkin()
{
    buildRecordTab();
    SkinManagerAccess *skin = yovSkinManager();
    if (!skin)
        return;
    DialRecordTab *t = recordTab_;
    const std::pair<QObject *, const char *> controls[] = {
        {t, "viewDialRecordTab"},
        {t->btnStatistics_, "btnStatisticsDialRecord"},
        {t->btnReset_, "btnResetDialRecord"},
        {t->btnDelete_, "btnDeleteDialRecord"},
        {t->btnSave_, "btnSaveDialRecord"},
        {t->btnShow_, "btnShowDialRecord"},
        {btnGoToDialRecord_.data(), "btnGoToDialRecord"},
        {t->labelFrom_, "labelFromDialRecord"},
        {t->labelTo_, "labelToDialRecord"},
        {t->labelNote_, "labelTextShowDialRecord"},
        {t->dateFrom_, "cbboxFromDateDialRecord"},
        {t->dateTo_, "cbboxToDateDialRecord"},
        {t->boxDialRecord_, "cbboxDialRecordBox"},
    };
    // A skin without an item for a control leaves it as built.
    for (const auto &[control, key] : controls)
        skin->registerController(control, QLatin1String(key), true);
}

void DialRecordController::initRecordNibWording()
{
    if (DialRecordTab *t = recordTab_) {
        const auto text = [this](const char *english) { return localizedText(QLatin1String(english)); };
        // The column titles come with the table's format.
        t->model_->setFormat(exportFormat());
        t->btnSave_->setText(text("Save Record"));
        t->btnDelete_->setText(text("Delete"));
        t->btnShow_->setText(text("Show"));
        t->btnReset_->setText(text("Reset"));
        t->btnStatistics_->setText(text("Show Statistics"));
        t->btnSetLimit_->setText(text("Set Limit"));
        t->labelFrom_->setText(text("Record From:"));
        t->labelTo_->setText(text("Record To:"));
        t->boxPeriod_->setTitle(text("Statistics for period"));
        t->boxMeter_->setTitle(text("Data and Time meter"));
        t->labelTotalData_->setText(text("Total Data"));
        t->labelTotalTime_->setText(text("Total Time"));
        t->labelAdvanceTime_->setText(text("Advance time"));
        t->btnContinuous_->setText(text("Continuous"));
        t->btnIncrease15Min_->setText(text("Increase every 15 min"));
        t->labelNote_->setText(text("The Statistics are approximate. Refer to information center for the actual value."));
        if (btnGoToDialRecord_)
            btnGoToDialRecord_->setText(text("Go Back"));
    }
    if (Neighbours::setting().sethasModuleWith(QStringLiteral("Record")))
        initRecordSettingNib();
}

void DialRecordController::initRecordSettingNib()
{
    if (settingWindow_)
        settingWindow_->setWording();
}

void DialRecordController::initVolumeLimitWording()
{
    VolumeLimitWindow *w = volumeLimitWindow_;
    if (!w)
        return;
    const auto text = [this](const char *english) { return localizedText(QLatin1String(english)); };
    w->setWindowTitle(text("Volume Limit"));
    w->boxSetPeriod_->setTitle(text("Set Period"));
    w->boxSetRecurrence_->setTitle(text("Recurrence"));
    w->boxSetLimits_->setTitle(text("Set Limit"));
    w->boxSetWarnings_->setTitle(text("Set Warnings"));
    w->radioDataLimit_->setText(text("Data-Volume Limit:"));
    w->radioTimeLimit_->setText(text("Time-Volume Limit:"));
    w->checkBoxRecordReset_->setText(text("Set the recurrence to"));
    w->radioDaily_->setText(text("Daily"));
    w->radioWeekly_->setText(text("Weekly"));
    w->radioMonthly_->setText(text("Monthly"));
    const char *const weekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int day = 0; day < 7; ++day)
        w->comBoxWeek_->setItemText(day, text(weekdays[day]));
    w->labelSetDate_->setText(text("set date:"));
    w->labelMB_->setText(text("MB"));
    w->labelHours_->setText(text("Hours"));
    w->checkDataVolumeSet_->setText(text("Use the limit"));
    w->checkBox25LimitWarn_->setText(text("Warn before 25% of the limit is reached"));
    w->checkBox50LimitWarn_->setText(text("Warn before 50% of the limit is reached"));
    w->checkBox75LimitWarn_->setText(text("Warn before 75% of the limit is reached"));
    w->checkBox80LimitWarn_->setText(text("Warn before the limit is reached"));
    w->checkBox100LimitWarn_->setText(text("Warn when the limit is reached or exceeded"));
    w->checkBoxDisconnectWarn_->setText(text("Warn when the limit is reached or exceeded"));
    w->checkBoxplaySoundWran_->setText(text("Play a sound with the warning"));
    w->btnSetRecordApply_->setText(text("Apply"));
    w->btnSetRecordCancel_->setText(text("Cancel"));
}

void DialRecordController::initDialRecordWording()
{
    initRecordNibWording();
    if (Neighbours::setting().sethasModuleWith(QStringLiteral("Volume Limit"))) {
        initRecordSettingNib();
        initVolumeLimitWording();
    }
}

// ---- the "Volume Limit" window ------------------------------------------------------------------

VolumeLimitWindow *DialRecordController::volumeLimitWindow() const { return volumeLimitWindow_; }

void DialRecordController::initDataLimitSetting()
{
    if (!Neighbours::setting().sethasModuleWith(QStringLiteral("Volume Limit")))
        return;
    if (config().getConfigurationByModule(QStringLiteral("Record")).typeId() != QMetaType::QVariantMap)
        storeRecordSettings({});
    recordSetDic_ = yov::nsDict(config().getConfigurationByModule(QStringLiteral("Record")));
    if (!volumeLimitWindow_) {
        volumeLimitWindow_ = new VolumeLimitWindow(this, wndMain);
        initVolumeLimitWording();
        const QPointer<DialRecordController> self(this);
        Neighbours::main().registerMenuItem(QStringLiteral("Tools"), QStringLiteral("Volume Limit"), [self] {
            if (self)
                self->showVolumeLimit();
        });
    }
    loadRecordSetting();
    periodRecordResetWithDayWeekMonth();
    // A dashboard that stays open across the day, week or month resets when the time comes, not
    // only at its next start.
    if (!recurrenceTimer_->isActive())
        recurrenceTimer_->start(kRecurrenceCheckIntervalMs);
}

bool DialRecordController::recurrenceCheckRunning() const { return recurrenceTimer_->isActive(); }

void DialRecordController::showVolumeLimit()
{
    if (!volumeLimitWindow_)
        return;
    loadRecordSetting();
    volumeLimitWindow_->show();
    volumeLimitWindow_->raise();
    volumeLimitWindow_->activateWindow();
}

void DialRecordController::storeVolumeLimitSettings(const QVariantMap &values)
{
    storeRecordSettings(values);
    recordSetDic_ = yov::nsDict(config().getConfigurationByModule(QStringLiteral("Record")));
}

void DialRecordController::loadRecordSetting()
{
    checkRecordSettingConfig();
    loadRecordResetPeriodWithWeekAndMonth();
    loadDataAndTimeRecordLimit();
    loadRecordLimitWarn();
}

void DialRecordController::checkRecordSettingConfig()
{
    if (!recordSetDic_)
        return;
    const QVariantMap defaults = VolumeLimitSettings::defaultsFor(*recordSetDic_, clock().now());
    if (!defaults.isEmpty())
        storeVolumeLimitSettings(defaults);
}

VolumeLimitSettings DialRecordController::volumeLimitState() const
{
    VolumeLimitSettings s;
    const VolumeLimitWindow *w = volumeLimitWindow_;
    if (!w)
        return s;
    s.recurrenceOn = w->checkBoxRecordReset_->isChecked();
    s.startDay = w->recordResetDate_->date();
    s.recurrenceTag = qMax(0, w->radioResetGroup_->checkedId());
    s.dayOfWeek = w->comBoxWeek_->currentIndex();
    s.dayOfMonth = w->comBoxMonth_->currentIndex();
    s.limitType = w->limitTypeGroup_->checkedId() == 1 ? 1 : 0;
    s.dataLimitText = w->textDataLimit_->text();
    s.timeLimitText = w->textTimeLimit_->text();
    s.limitOn = w->checkDataVolumeSet_->isChecked();
    s.warn25 = w->checkBox25LimitWarn_->isChecked();
    s.warn50 = w->checkBox50LimitWarn_->isChecked();
    s.warn75 = w->checkBox75LimitWarn_->isChecked();
    s.warn80 = w->checkBox80LimitWarn_->isChecked();
    s.warn100 = w->checkBox100LimitWarn_->isChecked();
    s.playSound = w->checkBoxplaySoundWran_->isChecked();
    return s;
}

void DialRecordController::loadRecordResetPeriodWithWeekAndMonth()
{
    VolumeLimitWindow *w = volumeLimitWindow_;
    if (!w || !recordSetDic_)
        return;
    const VolumeLimitSettings s =
        VolumeLimitSettings::fromStored(*recordSetDic_, clock().now().toTimeZone(zone_).date(), zone_);
    w->recordResetDate_->setDate(s.startDay);
    w->checkBoxRecordReset_->setChecked(s.recurrenceOn);
    QAbstractButton *radio = w->radioResetGroup_->button(s.recurrenceTag);
    (radio ? radio : w->radioDaily_)->setChecked(true);
    w->comBoxWeek_->setCurrentIndex(qBound(0, s.dayOfWeek, w->comBoxWeek_->count() - 1));
    w->comBoxMonth_->setCurrentIndex(qBound(0, s.dayOfMonth, w->comBoxMonth_->count() - 1));
    setRecurrences(nullptr);
    selectRecordResetRadio();
}

void DialRecordController::setRecurrences(QObject *sender)
{
    VolumeLimitWindow *w = volumeLimitWindow_;
    if (!w)
        return;
    if (sender)
        w->radioDaily_->setChecked(true);
    const bool on = w->checkBoxRecordReset_->isChecked();
    w->recordResetDate_->setEnabled(!on);
    for (QAbstractButton *radio : w->radioResetGroup_->buttons())
        radio->setEnabled(on);
    selectRecordResetRadio();
}

void DialRecordController::selectRecordResetRadio()
{
    VolumeLimitWindow *w = volumeLimitWindow_;
    if (!w)
        return;
    const int tag = w->radioResetGroup_->checkedId();
    const bool on = w->checkBoxRecordReset_->isChecked();
    // Each list goes with its choice; the other is set back to its first item.
    w->comBoxWeek_->setEnabled(on && tag == DialRecordRecurrence::Weekly);
    if (tag != DialRecordRecurrence::Weekly)
        w->comBoxWeek_->setCurrentIndex(0);
    w->comBoxMonth_->setEnabled(on && tag == DialRecordRecurrence::Monthly);
    if (tag != DialRecordRecurrence::Monthly)
        w->comBoxMonth_->setCurrentIndex(0);
}

void DialRecordController::loadDataAndTimeRecordLimit()
{
    VolumeLimitWindow *w = volumeLimitWindow_;
    if (!w || !recordSetDic_)
        return;
    const VolumeLimitSettings s = VolumeLimitSettings::fromStored(*recordSetDic_, QDate(), zone_);
    w->limitTypeGroup_->button(s.limitType)->setChecked(true);
    w->textDataLimit_->setText(s.dataLimitText);
    w->textTimeLimit_->setText(s.timeLimitText);
    w->checkDataVolumeSet_->setChecked(s.limitOn);
    volumeLimitSet();
}

// One field enabled, the other disabled and cleared to "0".
static void enableVolumeLimitField(QLineEdit *enabled, QLineEdit *cleared)
{
    enabled->setEnabled(true);
    cleared->setEnabled(false);
    cleared->setText(QStringLiteral("0"));
}

void DialRecordController::volumeLimitSet()
{
    VolumeLimitWindow *w = volumeLimitWindow_;
    if (!w)
        return;
    QLineEdit *chosen = w->limitTypeGroup_->checkedId() == 1 ? w->textTimeLimit_ : w->textDataLimit_;
    enableVolumeLimitField(chosen, chosen == w->textDataLimit_ ? w->textTimeLimit_ : w->textDataLimit_);
    // While the limit is off no field takes a value: one typed there would be stored and never used.
    chosen->setEnabled(w->checkDataVolumeSet_->isChecked());
}

void DialRecordController::dataVolumeLimitSet()
{
    VolumeLimitWindow *w = volumeLimitWindow_;
    if (!w)
        return;
    if (w->checkDataVolumeSet_->isChecked()) {
        enableVolumeLimitField(w->textDataLimit_, w->textTimeLimit_);
    } else {
        w->textDataLimit_->setEnabled(false);
        w->textDataLimit_->setText(QStringLiteral("0"));
    }
}

void DialRecordController::timeVolumeLimitSet()
{
    VolumeLimitWindow *w = volumeLimitWindow_;
    if (!w)
        return;
    if (w->checkDataVolumeSet_->isChecked()) {
        enableVolumeLimitField(w->textTimeLimit_, w->textDataLimit_);
    } else {
        w->textTimeLimit_->setEnabled(false);
        w->textTimeLimit_->setText(QStringLiteral("0"));
    }
}

void DialRecordController::loadRecordLimitWarn()
{
    VolumeLimitWindow *w = volumeLimitWindow_;
    if (!w || !recordSetDic_)
        return;
    const VolumeLimitSettings s = VolumeLimitSettings::fromStored(*recordSetDic_, QDate(), zone_);
    w->checkBox25LimitWarn_->setChecked(s.warn25);
    w->checkBox50LimitWarn_->setChecked(s.warn50);
    w->checkBox75LimitWarn_->setChecked(s.warn75);
    w->checkBox80LimitWarn_->setChecked(s.warn80);
    w->checkBox100LimitWarn_->setChecked(s.warn100);
    w->checkBoxplaySoundWran_->setChecked(s.playSound);
}

bool DialRecordController::checkLimitValue()
{
    // A limit switched off needs no value (it is stored as 0, which never warns).
    const VolumeLimitSettings s = volumeLimitState();
    if (!s.limitOn || s.hasLimitValue())
        return true;
    NSRunAlertPanelExt(localizedText(QStringLiteral("Warning!")), localizedText(QStringLiteral("Please set the volume limit.")),
                       localizedText(QStringLiteral("OK")));
    return false;
}

bool DialRecordController::periodSettingsIsChanged() const
{
    return recordSetDic_ && volumeLimitState().periodSettingsIsChanged(*recordSetDic_);
}

bool DialRecordController::limitSettingsIsChanged() const
{
    return recordSetDic_ && volumeLimitState().limitSettingsIsChanged(*recordSetDic_);
}

bool DialRecordController::warningSettingsIsChanged() const
{
    return recordSetDic_ && volumeLimitState().warningSettingsIsChanged(*recordSetDic_);
}

void DialRecordController::savePeriodSettings()
{
    if (recordSetDic_)
        storeVolumeLimitSettings(volumeLimitState().periodSettings());
}

void DialRecordController::saveLimitSettings()
{
    if (recordSetDic_)
        storeVolumeLimitSettings(volumeLimitState().limitSettings());
}

void DialRecordController::saveWarningSettings()
{
    if (recordSetDic_)
        storeVolumeLimitSettings(volumeLimitState().warningSettings());
}

void DialRecordController::recordLimitSetApply()
{
    if (!volumeLimitWindow_ || !recordSetDic_ || !checkLimitValue())
        return;
    const bool periodChanged = periodSettingsIsChanged();
    if (!periodChanged && !limitSettingsIsChanged() && !warningSettingsIsChanged())
        return;
    if (NSRunAlertPanelExt(localizedText(QStringLiteral("Warning!")),
                           localizedText(QStringLiteral("Are you sure you want to change the limit settings?")),
                           localizedText(QStringLiteral("OK")), localizedText(QStringLiteral("Cancel")))
        != 1) {
        loadRecordSetting();
        return;
    }
    // A new recurrence starts with no records.
    if (volumeLimitState().recurrenceOn && periodChanged)
        clearAllRecord();
    savePeriodSettings();
    saveLimitSettings();
    saveWarningSettings();
}

void DialRecordController::recordLimitSetCancel() { loadRecordSetting(); }

// ---- the recurring reset ------------------------------------------------------------------------

void DialRecordController::periodRecordResetWithDayWeekMonth()
{
    if (!recordSetDic_)
        return;
    const QVariantMap &stored = *recordSetDic_;
    // Only a recurrence the user switched on clears records.
    if (!yov::nsBool(stored.value(QStringLiteral("RecordResetFlag"))))
        return;
    bool unreadableStart = false;
    const QDateTime from = DialRecordRecurrence::resetFrom(stored.value(QStringLiteral("recordLastResetTime")),
                                                           stored.value(QStringLiteral("StartTimeOfSettings")), zone_,
                                                           &unreadableStart);
    if (unreadableStart)
        qCWarning(lcRecords).noquote() << "Record/StartTimeOfSettings"
                                       << yov::nsString(stored.value(QStringLiteral("StartTimeOfSettings")))
                                       << "is not a time: the records are not reset";
    if (!from.isValid())
        return;
    QDateTime now = clock().now();
    now = now.addMSecs(-now.time().msec());
    if (!DialRecordRecurrence::checkPeriodCycleRecurrenceFrom(
            yov::nsInt(stored.value(QStringLiteral("RecurrenceRadioTag"))), from, now,
            yov::nsInt(stored.value(QStringLiteral("DayOfWeek"))), yov::nsInt(stored.value(QStringLiteral("DayOfMonth"))),
            zone_))
        return;
    clearRecordFrom(from, QDateTime(now.toTimeZone(zone_).date(), QTime(0, 0, 0), zone_));
}

void DialRecordController::clearRecordFrom(const QDateTime &from, const QDateTime &to)
{
    // When the file cannot be changed the time of the last reset stays: the next start tries again.
    if (!removeRecordsBetween(from, to))
        return;
    storeRecordSettings({{QStringLiteral("recordLastResetTime"), to}});
    if (recordSetDic_)
        recordSetDic_ = yov::nsDict(config().getConfigurationByModule(QStringLiteral("Record")));
    // The statistics page shows the new time of the last reset, also when no record went.
    statisticsForm_->updateInterface();
}

} // namespace ostrel
