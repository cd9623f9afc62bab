#include "ostrel/connection/records/VolumeLimitWindow.h"

#include "ostrel/connection/records/DialRecordController.h"
#include "ostrel/connection/records/NamedControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace ostrel {

VolumeLimitWindow::VolumeLimitWindow(DialRecordController *controller, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("wndVolumeLimit"));

    boxSetPeriod_ = namedRecordControl<QGroupBox>(this, "boxSetPeriod");
    checkBoxRecordReset_ = namedRecordControl<QCheckBox>(boxSetPeriod_, "checkBoxRecordReset");
    boxSetRecurrence_ = namedRecordControl<QGroupBox>(boxSetPeriod_, "boxSetRecurrence");
    radioDaily_ = namedRecordControl<QRadioButton>(boxSetRecurrence_, "radioResetDaily");
    radioWeekly_ = namedRecordControl<QRadioButton>(boxSetRecurrence_, "radioResetWeekly");
    radioMonthly_ = namedRecordControl<QRadioButton>(boxSetRecurrence_, "radioResetMonthly");
    radioResetGroup_ = new QButtonGroup(boxSetRecurrence_);
    radioResetGroup_->addButton(radioDaily_, 0);
    radioResetGroup_->addButton(radioWeekly_, 1);
    radioResetGroup_->addButton(radioMonthly_, 2);
    comBoxWeek_ = namedRecordControl<QComboBox>(boxSetRecurrence_, "comBoxWeek");
    for (int day = 0; day < 7; ++day)
        comBoxWeek_->addItem(QString());
    comBoxMonth_ = namedRecordControl<QComboBox>(boxSetRecurrence_, "comBoxMonth");
    for (int day = 1; day <= 31; ++day)
        comBoxMonth_->addItem(QString::number(day));
    auto *recurrence = new QGridLayout(boxSetRecurrence_);
    recurrence->addWidget(radioDaily_, 0, 0);
    recurrence->addWidget(radioWeekly_, 1, 0);
    recurrence->addWidget(comBoxWeek_, 1, 1);
    recurrence->addWidget(radioMonthly_, 2, 0);
    recurrence->addWidget(comBoxMonth_, 2, 1);
    recurrence->setColumnStretch(2, 1);
    labelSetDate_ = namedRecordControl<QLabel>(boxSetPeriod_, "labelSetDate");
    recordResetDate_ = namedRecordControl<QDateEdit>(boxSetPeriod_, "recordResetDate");
    recordResetDate_->setCalendarPopup(true);
    recordResetDate_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    auto *dateRow = new QHBoxLayout;
    dateRow->addWidget(labelSetDate_);
    dateRow->addWidget(recordResetDate_);
    dateRow->addStretch(1);
    auto *period = new QVBoxLayout(boxSetPeriod_);
    period->addWidget(checkBoxRecordReset_);
    period->addWidget(boxSetRecurrence_);
    period->addLayout(dateRow);

    boxSetLimits_ = namedRecordControl<QGroupBox>(this, "boxSetLimits");
    checkDataVolumeSet_ = namedRecordControl<QCheckBox>(boxSetLimits_, "checkDataVolumeSet");
    radioDataLimit_ = namedRecordControl<QRadioButton>(boxSetLimits_, "radioLimitTypeData");
    radioTimeLimit_ = namedRecordControl<QRadioButton>(boxSetLimits_, "radioLimitTypeTime");
    limitTypeGroup_ = new QButtonGroup(boxSetLimits_);
    limitTypeGroup_->addButton(radioDataLimit_, 0);
    limitTypeGroup_->addButton(radioTimeLimit_, 1);
    textDataLimit_ = namedRecordControl<QLineEdit>(boxSetLimits_, "textDataLimit");
    textTimeLimit_ = namedRecordControl<QLineEdit>(boxSetLimits_, "textTimeLimit");
    // Whole numbers only (megabytes, hours).
    for (QLineEdit *field : {textDataLimit_, textTimeLimit_})
        field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,6}")), field));
    labelMB_ = namedRecordControl<QLabel>(boxSetLimits_, "labelMB");
    labelHours_ = namedRecordControl<QLabel>(boxSetLimits_, "labelHours");
    auto *limits = new QGridLayout(boxSetLimits_);
    limits->addWidget(checkDataVolumeSet_, 0, 0, 1, 3);
    limits->addWidget(radioDataLimit_, 1, 0);
    limits->addWidget(textDataLimit_, 1, 1);
    limits->addWidget(labelMB_, 1, 2);
    limits->addWidget(radioTimeLimit_, 2, 0);
    limits->addWidget(textTimeLimit_, 2, 1);
    limits->addWidget(labelHours_, 2, 2);

    boxSetWarnings_ = namedRecordControl<QGroupBox>(this, "boxSetWarnings");
    checkBox25LimitWarn_ = namedRecordControl<QCheckBox>(boxSetWarnings_, "checkBox25LimitWarn");
    checkBox50LimitWarn_ = namedRecordControl<QCheckBox>(boxSetWarnings_, "checkBox50LimitWarn");
    checkBox75LimitWarn_ = namedRecordControl<QCheckBox>(boxSetWarnings_, "checkBox75LimitWarn");
    checkBox80LimitWarn_ = namedRecordControl<QCheckBox>(boxSetWarnings_, "checkBox80LimitWarn");
    checkBox100LimitWarn_ = namedRecordControl<QCheckBox>(boxSetWarnings_, "checkBox100LimitWarn");
    checkBoxDisconnectWarn_ = namedRecordControl<QCheckBox>(boxSetWarnings_, "checkBoxDisconnectWarn");
    checkBoxDisconnectWarn_->hide();
    checkBoxplaySoundWran_ = namedRecordControl<QCheckBox>(boxSetWarnings_, "checkBoxplaySoundWran");
    auto *warnings = new QVBoxLayout(boxSetWarnings_);
    for (QCheckBox *box : {checkBox25LimitWarn_, checkBox50LimitWarn_, checkBox75LimitWarn_, checkBox80LimitWarn_,
                           checkBox100LimitWarn_, checkBoxplaySoundWran_})
        warnings->addWidget(box);

    btnSetRecordCancel_ = namedRecordControl<QPushButton>(this, "btnSetRecordCancel");
    btnSetRecordApply_ = namedRecordControl<QPushButton>(this, "btnSetRecordApply");
    btnSetRecordApply_->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnSetRecordCancel_);
    buttons->addWidget(btnSetRecordApply_);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(boxSetPeriod_);
    layout->addWidget(boxSetLimits_);
    layout->addWidget(boxSetWarnings_);
    layout->addLayout(buttons);

    connect(checkBoxRecordReset_, &QCheckBox::clicked, controller, [controller, this] { controller->setRecurrences(this); });
    connect(radioResetGroup_, &QButtonGroup::idClicked, controller, &DialRecordController::selectRecordResetRadio);
    connect(limitTypeGroup_, &QButtonGroup::idClicked, controller, &DialRecordController::volumeLimitSet);
    // The on/off box acts on the field of the chosen limit type.
    connect(checkDataVolumeSet_, &QCheckBox::clicked, controller, [controller, this] {
        if (limitTypeGroup_->checkedId() == 1)
            controller->timeVolumeLimitSet();
        else
            controller->dataVolumeLimitSet();
    });
    connect(btnSetRecordApply_, &QPushButton::clicked, controller, &DialRecordController::recordLimitSetApply);
    // Cancel brings the stored values back and, the window standing on its own, closes it.
    connect(btnSetRecordCancel_, &QPushButton::clicked, controller, [controller, this] {
        controller->recordLimitSetCancel();
        reject();
    });
}

} // namespace ostrel
