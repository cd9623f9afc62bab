// DialRecordController: the record settings window (reset period, limit, warnings).
#include "ostrel/connection/records/DialRecordController.h"

#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "ostrel/connection/records/DialRecordReset.h"
#include "ostrel/connection/records/RecordLimitRules.h"
#include "ostrel/connection/records/RecordSettingWindow.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/Clock.h"

#include <QBoxLayout>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>

namespace ostrel {

RecordSettingWindow *DialRecordController::recordSettingWindow() const { return settingWindow_; }

void DialRecordController::hostRecordSettings(QWidget *panel)
{
    if (!panel)
        return;
    if (!settingWindow_)
        settingWindow_ = new RecordSettingWindow(this, panel);
    // In a scroll area: a short main window scrolls the view instead of squeezing its rows.
    auto *scroll = new QScrollArea(panel);
    scroll->setObjectName(QStringLiteral("scrollRecordSetting"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    settingWindow_->setWindowModality(Qt::NonModal);
    settingWindow_->setParent(scroll, Qt::Widget);
    scroll->setWidget(settingWindow_);
    if (QLayout *layout = panel->layout()) {
        if (auto *box = qobject_cast<QBoxLayout *>(layout)) {
            // The view takes the panel's height; a trailing stretch gives way to it.
            for (int i = 0; i < box->count(); ++i)
                box->setStretch(i, 0);
            box->insertWidget(0, scroll, 1);
        }
        else
            layout->addWidget(scroll);
    }
    initRecordSettingNib();
    loadDefaultRecordSetting();
    settingWindow_->show();
}

bool DialRecordController::recordSettingsHosted() const { return settingWindow_ && !settingWindow_->isWindow(); }

void DialRecordController::showSetLimit()
{
    if (recordSettingsHosted()) {
        // The settings live in the settings window's "Record" panel: go there, freshly filled.
        loadDefaultRecordSetting();
        notifyChangeTabViewItem(QStringLiteral("Setting"));
        Neighbours::setting().selectSettingPanel(QStringLiteral("Record"));
        return;
    }
    if (!settingWindow_)
        settingWindow_ = new RecordSettingWindow(this, wndMain);
    loadDefaultRecordSetting();
    settingWindow_->show();
    settingWindow_->raise();
    settingWindow_->activateWindow();
}

void DialRecordController::loadDefaultRecordSetting()
{
    RecordSettingWindow *w = settingWindow_;
    if (!w)
        return;
    const bool thirtyDays = yov::nsBool(recordSetting(QStringLiteral("IfSetRecordResetFrequence")));
    const bool everyDays = !thirtyDays && yov::nsBool(recordSetting(QStringLiteral("IfSetRecordResetEveryDays")));
    w->btnThirtyDays_->setChecked(thirtyDays);
    w->btnEveryDays_->setChecked(everyDays);

    const int index = yov::nsInt(recordSetting(QStringLiteral("recordResetPeriod")));
    w->popPeriodDays_->setCurrentIndex(index >= 0 && index < w->popPeriodDays_->count() ? index : 0);
    const QDateTime start = resetStartTime();
    w->dateStartDay_->setDate(start.isValid() ? start.date() : clock().now().toTimeZone(zone_).date());

    const bool dataLimit = yov::nsBool(recordSetting(QStringLiteral("recordLimitState")));
    w->radioDataLimit_->setChecked(dataLimit);
    w->radioTimeLimit_->setChecked(!dataLimit);
    const QVariant data = recordSetting(QStringLiteral("recordDataLimit"));
    w->fieldDataLimit_->setText(data.isValid() ? QString::number(yov::nsLongLong(data)) : QStringLiteral("0"));
    w->fieldTimeLimit_->setText(readRecordTimeLimit(yov::nsDouble(recordSetting(QStringLiteral("recordTimeLimit")))));

    // The check boxes follow their keys, 1 or 0; a missing key leaves the box as it is.
    const auto setBox = [this](QCheckBox *box, const char *key) {
        const QVariant value = recordSetting(QLatin1String(key));
        if (value.isValid())
            box->setChecked(yov::nsInt(value) == 1);
    };
    setBox(w->btnLimitWarn_, "recordLimitWarn");
    setBox(w->btnLimitDisconnect_, "recordLimitDisconnect");
    applyRecordSettingStates();
}

// Which controls may be used follows from the two period check boxes and the limit radio: a
// period check box excludes the other; the limit and warning controls need a period.
void DialRecordController::applyRecordSettingStates()
{
    RecordSettingWindow *w = settingWindow_;
    if (!w)
        return;
    const bool thirtyDays = w->btnThirtyDays_->isChecked();
    const bool everyDays = w->btnEveryDays_->isChecked();
    const bool period = thirtyDays || everyDays;
    const bool dataLimit = w->radioDataLimit_->isChecked();
    w->btnThirtyDays_->setEnabled(!everyDays);
    w->btnEveryDays_->setEnabled(!thirtyDays);
    w->popPeriodDays_->setEnabled(!thirtyDays);
    w->dateStartDay_->setEnabled(period);
    w->radioDataLimit_->setEnabled(period);
    w->radioTimeLimit_->setEnabled(period);
    w->fieldDataLimit_->setEnabled(period && dataLimit);
    w->fieldTimeLimit_->setEnabled(period && !dataLimit);
    w->btnLimitWarn_->setEnabled(period);
    w->btnLimitDisconnect_->setEnabled(period);
}

void DialRecordController::DeactiveSetLimitFunction() { applyRecordSettingStates(); }
void DialRecordController::EveryDaysBtnDeactiveSetLimitFunction() { applyRecordSettingStates(); }
void DialRecordController::dataLimitFunction() { applyRecordSettingStates(); }
void DialRecordController::timeLimitFunction() { applyRecordSettingStates(); }

QString DialRecordController::readRecordTimeLimit(double hours) const
{
    return RecordLimitRules::readRecordTimeLimit(hours,
                                                 yov::nsBool(recordSetting(QStringLiteral("recordTimeLimitOnlyIntValue"))));
}

void DialRecordController::controlTextDidChange(QLineEdit *field)
{
    RecordSettingWindow *w = settingWindow_;
    if (!w || !field)
        return;
    const bool onlyWholeHours = field == w->fieldTimeLimit_
                                && yov::nsBool(recordSetting(QStringLiteral("recordTimeLimitOnlyIntValue")));
    const QString kept = RecordLimitRules::filterLimitText(field->text(), !onlyWholeHours);
    if (kept != field->text())
        field->setText(kept);
}

void DialRecordController::recordSettingApply()
{
    RecordSettingWindow *w = settingWindow_;
    if (!w)
        return;
    const auto say = [this](const QString &title, const QString &text) {
        NSRunAlertPanelExt(localizedText(title), localizedText(text), localizedText(QStringLiteral("OK")));
    };
    if (!w->btnThirtyDays_->isChecked() && !w->btnEveryDays_->isChecked()) {
        storeRecordSettings({{QStringLiteral("IfSetRecordResetFrequence"), false},
                             {QStringLiteral("IfSetRecordResetEveryDays"), false}});
        refereshPeriodRecordReset();
        say(QStringLiteral(" "), QStringLiteral("You have choose a null record period to disable the record"));
        closeRecordSettingWindow();
        return;
    }
    const RecordLimitRules::Refusal refusal = RecordLimitRules::checkLimit(
        w->radioDataLimit_->isChecked(), w->fieldDataLimit_->text(), w->fieldTimeLimit_->text());
    if (refusal != RecordLimitRules::Refusal::None) {
        // The window stays open and nothing is stored.
        say(QStringLiteral("Warning"), RecordLimitRules::refusalMessage(refusal));
        return;
    }
    setResetPeriod();
    setRecordLimit();
    refereshPeriodRecordReset();
    say(QStringLiteral(" "), QStringLiteral("Settings OK"));
    if (settingWindow_) {
        settingWindow_->fieldTimeLimit_->setText(RecordLimitRules::appliedTimeLimitText(
            yov::nsDouble(recordSetting(QStringLiteral("recordTimeLimit"))),
            yov::nsBool(recordSetting(QStringLiteral("recordTimeLimitOnlyIntValue")))));
    }
    closeRecordSettingWindow();
}

void DialRecordController::setRecordLimit()
{
    RecordSettingWindow *w = settingWindow_;
    if (!w)
        return;
    QVariantMap values;
    if (w->radioDataLimit_->isChecked()) {
        values.insert(QStringLiteral("recordLimitState"), true);
        values.insert(QStringLiteral("recordDataLimit"), RecordLimitRules::dataLimitOfField(w->fieldDataLimit_->text()));
    } else {
        values.insert(QStringLiteral("recordLimitState"), false);
        values.insert(QStringLiteral("recordTimeLimit"), RecordLimitRules::timeLimitOfField(w->fieldTimeLimit_->text()));
    }
    values.insert(QStringLiteral("recordLimitWarn"), w->btnLimitWarn_->isChecked());
    values.insert(QStringLiteral("recordLimitDisconnect"), w->btnLimitDisconnect_->isChecked());
    storeRecordSettings(values);
}

void DialRecordController::setResetPeriod()
{
    RecordSettingWindow *w = settingWindow_;
    if (!w)
        return;
    const QString startText = DialRecordReset::dayStartText(w->dateStartDay_->date());
    const QString lastResetNone = QStringLiteral("0");
    if (w->btnThirtyDays_->isChecked()) {
        storeRecordSettings({{QStringLiteral("IfSetRecordResetFrequence"), true},
                             {QStringLiteral("IfSetRecordResetEveryDays"), false},
                             {QStringLiteral("recordLastResetTime"), lastResetNone},
                             {QStringLiteral("recordResetPeriod"), QString::number(DialRecordReset::kThirtyDaysIndex)},
                             {QStringLiteral("recordResetStartTime"), startText}});
        NSRunAlertPanelExt(QStringLiteral(" "), localizedText(QStringLiteral("Meters will be reset in 30 days")),
                           localizedText(QStringLiteral("OK")));
    } else {
        storeRecordSettings({{QStringLiteral("IfSetRecordResetFrequence"), false},
                             {QStringLiteral("recordLastResetTime"), lastResetNone}});
    }
    if (w->btnEveryDays_->isChecked()) {
        const int index = w->popPeriodDays_->currentIndex();
        storeRecordSettings({{QStringLiteral("IfSetRecordResetFrequence"), false},
                             {QStringLiteral("IfSetRecordResetEveryDays"), true},
                             {QStringLiteral("recordLastResetTime"), lastResetNone},
                             {QStringLiteral("recordResetPeriod"), index},
                             {QStringLiteral("recordResetStartTime"), startText}});
        NSRunAlertPanelExt(QStringLiteral(" "),
                           yov::formatPlaceholders(localizedText(QStringLiteral("Meters will be reset in %d days")),
                                                   {QString::number(DialRecordReset::resetPeriodDays(index))}),
                           localizedText(QStringLiteral("OK")));
    } else {
        storeRecordSettings({{QStringLiteral("IfSetRecordResetEveryDays"), false},
                             {QStringLiteral("recordLastResetTime"), lastResetNone}});
    }
}

void DialRecordController::recordSettingCancel() { loadDefaultRecordSetting(); }

void DialRecordController::recordSettingBack()
{
    closeRecordSettingWindow();
    updateInterface();
    notifyChangeTabViewItem(QStringLiteral("DialRecord"));
}

void DialRecordController::closeRecordSettingWindow()
{
    // A view hosted in the settings window stays where it is.
    if (settingWindow_ && settingWindow_->isWindow())
        settingWindow_->hide();
}

} // namespace ostrel
