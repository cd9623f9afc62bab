#include "ostrel/connection/records/RecordSettingWindow.h"

#include "ostrel/connection/records/DialRecordController.h"
#include "ostrel/connection/records/DialRecordReset.h"
#include "ostrel/connection/records/NamedControl.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ostrel {

RecordSettingWindow::RecordSettingWindow(DialRecordController *controller, QWidget *parent)
    : QDialog(parent), controller_(controller)
{
    setObjectName(QStringLiteral("wndRecordSetting"));
    setWindowModality(Qt::WindowModal);

    boxPeriod_ = namedRecordControl<QGroupBox>(this, "boxSetPeriod");
    btnThirtyDays_ = namedRecordControl<QCheckBox>(boxPeriod_, "btnRecordResetFrequence");
    btnEveryDays_ = namedRecordControl<QCheckBox>(boxPeriod_, "btnRecordResetEveryDays");
    popPeriodDays_ = namedRecordControl<QComboBox>(boxPeriod_, "popRecordResetPeriod");
    for (int index = 0; index < DialRecordReset::kResetPeriodChoices; ++index)
        popPeriodDays_->addItem(QString::number(DialRecordReset::resetPeriodDays(index)));
    labelDays_ = namedRecordControl<QLabel>(boxPeriod_, "labelDays");
    labelStartDay_ = namedRecordControl<QLabel>(boxPeriod_, "labelStartDay");
    dateStartDay_ = namedRecordControl<QDateEdit>(boxPeriod_, "dateRecordResetStart");
    dateStartDay_->setCalendarPopup(true);
    dateStartDay_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    auto *period = new QGridLayout(boxPeriod_);
    period->addWidget(btnThirtyDays_, 0, 0, 1, 3);
    period->addWidget(btnEveryDays_, 1, 0);
    period->addWidget(popPeriodDays_, 1, 1);
    period->addWidget(labelDays_, 1, 2);
    period->addWidget(labelStartDay_, 2, 0);
    period->addWidget(dateStartDay_, 2, 1, 1, 2);

    boxLimit_ = namedRecordControl<QGroupBox>(this, "boxSetLimit");
    radioDataLimit_ = namedRecordControl<QRadioButton>(boxLimit_, "radioDataLimit");
    fieldDataLimit_ = namedRecordControl<QLineEdit>(boxLimit_, "fieldDataLimit");
    labelMB_ = namedRecordControl<QLabel>(boxLimit_, "labelMB");
    radioTimeLimit_ = namedRecordControl<QRadioButton>(boxLimit_, "radioTimeLimit");
    fieldTimeLimit_ = namedRecordControl<QLineEdit>(boxLimit_, "fieldTimeLimit");
    labelHours_ = namedRecordControl<QLabel>(boxLimit_, "labelHours");
    auto *radios = new QButtonGroup(boxLimit_);
    radios->addButton(radioDataLimit_);
    radios->addButton(radioTimeLimit_);
    auto *limit = new QGridLayout(boxLimit_);
    limit->addWidget(radioDataLimit_, 0, 0);
    limit->addWidget(fieldDataLimit_, 0, 1);
    limit->addWidget(labelMB_, 0, 2);
    limit->addWidget(radioTimeLimit_, 1, 0);
    limit->addWidget(fieldTimeLimit_, 1, 1);
    limit->addWidget(labelHours_, 1, 2);

    boxWarnings_ = namedRecordControl<QGroupBox>(this, "boxSetWarnings");
    btnLimitWarn_ = namedRecordControl<QCheckBox>(boxWarnings_, "btnRecordLimitWarn");
    btnLimitDisconnect_ = namedRecordControl<QCheckBox>(boxWarnings_, "btnRecordLimitDisconnect");
    auto *warnings = new QVBoxLayout(boxWarnings_);
    warnings->addWidget(btnLimitWarn_);
    warnings->addWidget(btnLimitDisconnect_);

    btnBack_ = namedRecordControl<QPushButton>(this, "btnRecordSettingBack");
    btnCancel_ = namedRecordControl<QPushButton>(this, "btnRecordSettingCancel");
    btnApply_ = namedRecordControl<QPushButton>(this, "btnRecordSettingApply");
    btnApply_->setDefault(true);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnBack_);
    buttons->addStretch(1);
    buttons->addWidget(btnCancel_);
    buttons->addWidget(btnApply_);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(boxPeriod_);
    layout->addWidget(boxLimit_);
    layout->addWidget(boxWarnings_);
    layout->addLayout(buttons);

    connect(btnThirtyDays_, &QCheckBox::clicked, controller_, &DialRecordController::DeactiveSetLimitFunction);
    connect(btnEveryDays_, &QCheckBox::clicked, controller_,
            &DialRecordController::EveryDaysBtnDeactiveSetLimitFunction);
    connect(radioDataLimit_, &QRadioButton::clicked, controller_, &DialRecordController::dataLimitFunction);
    connect(radioTimeLimit_, &QRadioButton::clicked, controller_, &DialRecordController::timeLimitFunction);
    for (QLineEdit *field : {fieldDataLimit_, fieldTimeLimit_})
        connect(field, &QLineEdit::textEdited, controller_, [this, field] { controller_->controlTextDidChange(field); });
    connect(btnApply_, &QPushButton::clicked, controller_, &DialRecordController::recordSettingApply);
    connect(btnCancel_, &QPushButton::clicked, controller_, &DialRecordController::recordSettingCancel);
    connect(btnBack_, &QPushButton::clicked, controller_, &DialRecordController::recordSettingBack);
    setWording();
}

void RecordSettingWindow::setWording()
{
    const auto text = [this](const char *english) { return controller_->localizedText(QLatin1String(english)); };
    setWindowTitle(text("Limits"));
    boxPeriod_->setTitle(text("Set Period"));
    btnThirtyDays_->setText(text("Monthly"));
    btnEveryDays_->setText(text("Every"));
    labelDays_->setText(text("Days"));
    labelStartDay_->setText(text("Starting Day:"));
    boxLimit_->setTitle(text("Set Limit"));
    radioDataLimit_->setText(text("Data-Volume Limit:"));
    radioTimeLimit_->setText(text("Time-Volume Limit:"));
    labelMB_->setText(text("MB"));
    labelHours_->setText(text("Hours"));
    boxWarnings_->setTitle(text("Set Warnings"));
    btnLimitWarn_->setText(text("Warn when reaching 80% of the limit"));
    btnLimitDisconnect_->setText(text("Disconnect when the limit is reached"));
    btnApply_->setText(text("Apply"));
    btnCancel_->setText(text("Cancel"));
    btnBack_->setText(text("Go Back"));
}

void RecordSettingWindow::reject()
{
    if (isWindow())
        QDialog::reject();
}

void RecordSettingWindow::closeEvent(QCloseEvent *event)
{
    // Closing the window is the way back to the records.
    event->ignore();
    controller_->recordSettingBack();
}

} // namespace ostrel
