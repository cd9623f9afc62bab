#include "ostrel/connection/records/DialRecordTab.h"

#include "ostrel/connection/records/DialRecordController.h"
#include "ostrel/connection/records/DialRecordTableModel.h"
#include "ostrel/connection/records/NamedControl.h"
#include "ostrel/framework/widgets/TableViews.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ostrel {

DialRecordTab::DialRecordTab(DialRecordController *controller, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("viewDialRecordTab"));

    boxDialRecord_ = namedRecordControl<QGroupBox>(this, "cbboxDialRecordBox");
    model_ = new DialRecordTableModel(this);
    tableDialRecord_ = namedRecordControl<NSTableViewExt>(boxDialRecord_, "tableDialRecord");
    tableDialRecord_->setModel(model_);
    tableDialRecord_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableDialRecord_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    tableDialRecord_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableDialRecord_->horizontalHeader()->setSectionsMovable(false);
    tableDialRecord_->horizontalHeader()->setSectionsClickable(false);
    tableDialRecord_->horizontalHeader()->setStretchLastSection(true);
    // Columns as wide as their texts (measured on the first rows of a long list).
    tableDialRecord_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    tableDialRecord_->horizontalHeader()->setResizeContentsPrecision(200);
    tableDialRecord_->verticalHeader()->hide();
    tableDialRecord_->verticalHeader()->setMinimumSectionSize(fontMetrics().height() + 4);
    tableDialRecord_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tableDialRecord_->setAlternatingRowColors(true);
    tableDialRecord_->setWordWrap(false);
    auto *recordBox = new QVBoxLayout(boxDialRecord_);
    recordBox->setContentsMargins(4, 4, 4, 4);
    recordBox->addWidget(tableDialRecord_);

    boxPeriod_ = namedRecordControl<QGroupBox>(this, "boxPeriodDialRecord");
    labelFrom_ = namedRecordControl<QLabel>(boxPeriod_, "labelFromDialRecord");
    dateFrom_ = namedRecordControl<QDateEdit>(boxPeriod_, "cbboxFromDateDialRecord");
    labelTo_ = namedRecordControl<QLabel>(boxPeriod_, "labelToDialRecord");
    dateTo_ = namedRecordControl<QDateEdit>(boxPeriod_, "cbboxToDateDialRecord");
    for (QDateEdit *date : {dateFrom_, dateTo_}) {
        date->setCalendarPopup(true);
        date->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    btnShow_ = namedRecordControl<QPushButton>(boxPeriod_, "btnShowDialRecord");
    labelPeriod_ = namedRecordControl<QLabel>(boxPeriod_, "labelPeriodDialRecord");
    auto *period = new QGridLayout(boxPeriod_);
    period->setContentsMargins(10, 6, 10, 6);
    period->setVerticalSpacing(4);
    period->addWidget(labelFrom_, 0, 0);
    period->addWidget(dateFrom_, 0, 1);
    period->addWidget(labelTo_, 0, 2);
    period->addWidget(dateTo_, 0, 3);
    period->addWidget(btnShow_, 0, 4);
    period->addWidget(labelPeriod_, 1, 0, 1, 5);
    period->setColumnStretch(5, 1);

    boxMeter_ = namedRecordControl<QGroupBox>(this, "boxMeterDialRecord");
    labelTotalData_ = namedRecordControl<QLabel>(boxMeter_, "labelTotalDataDialRecord");
    textTotalData_ = namedRecordControl<QLabel>(boxMeter_, "textTotalDataDialRecord");
    labelTotalTime_ = namedRecordControl<QLabel>(boxMeter_, "labelTotalTimeDialRecord");
    textTotalTime_ = namedRecordControl<QLabel>(boxMeter_, "textTotalTimeDialRecord");
    labelAdvanceTime_ = namedRecordControl<QLabel>(boxMeter_, "labelAdvanceTimeDialRecord");
    btnContinuous_ = namedRecordControl<QRadioButton>(boxMeter_, "btnContinuousDialRecord");
    btnIncrease15Min_ = namedRecordControl<QRadioButton>(boxMeter_, "btnIncrease15MinDialRecord");
    for (QLabel *value : {textTotalData_, textTotalTime_})
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *accounting = new QButtonGroup(boxMeter_);
    accounting->addButton(btnContinuous_);
    accounting->addButton(btnIncrease15Min_);
    auto *meter = new QGridLayout(boxMeter_);
    meter->setContentsMargins(10, 6, 10, 6);
    meter->setVerticalSpacing(4);
    meter->setHorizontalSpacing(16);
    meter->addWidget(labelTotalData_, 0, 0);
    meter->addWidget(textTotalData_, 0, 1);
    meter->addWidget(labelTotalTime_, 0, 2);
    meter->addWidget(textTotalTime_, 0, 3);
    meter->addWidget(labelAdvanceTime_, 1, 0);
    meter->addWidget(btnContinuous_, 1, 1);
    meter->addWidget(btnIncrease15Min_, 1, 2, 1, 2);
    meter->setColumnStretch(4, 1);

    btnStatistics_ = namedRecordControl<QPushButton>(this, "btnStatisticsDialRecord");
    btnSetLimit_ = namedRecordControl<QPushButton>(this, "btnSetLimitDialRecord");
    btnSave_ = namedRecordControl<QPushButton>(this, "btnSaveDialRecord");
    btnDelete_ = namedRecordControl<QPushButton>(this, "btnDeleteDialRecord");
    btnReset_ = namedRecordControl<QPushButton>(this, "btnResetDialRecord");
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(btnStatistics_);
    buttons->addWidget(btnSetLimit_);
    buttons->addStretch(1);
    buttons->addWidget(btnSave_);
    buttons->addWidget(btnDelete_);
    buttons->addWidget(btnReset_);

    labelNote_ = namedRecordControl<QLabel>(this, "labelTextShowDialRecord");
    labelNote_->setWordWrap(true);
    QPalette notePalette = labelNote_->palette();
    notePalette.setColor(QPalette::WindowText, QColor(0x55, 0x5b, 0x66));
    labelNote_->setPalette(notePalette);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->setSpacing(6);
    layout->addWidget(boxDialRecord_, 1);
    layout->addWidget(boxPeriod_);
    layout->addWidget(boxMeter_);
    layout->addLayout(buttons);
    layout->addWidget(labelNote_);

    connect(btnShow_, &QPushButton::clicked, controller, &DialRecordController::Show);
    connect(btnDelete_, &QPushButton::clicked, controller, &DialRecordController::deleteRecord);
    connect(btnReset_, &QPushButton::clicked, controller, &DialRecordController::resetRecord);
    connect(btnSave_, &QPushButton::clicked, controller, &DialRecordController::saveRecord);
    connect(btnIncrease15Min_, &QRadioButton::clicked, controller, &DialRecordController::selectIncrease15MinBtn);
    connect(btnContinuous_, &QRadioButton::clicked, controller, &DialRecordController::selectContinuousBtn);
    connect(btnStatistics_, &QPushButton::clicked, controller, &DialRecordController::goToStatistics);
    connect(btnSetLimit_, &QPushButton::clicked, controller, &DialRecordController::showSetLimit);
    connect(tableDialRecord_->selectionModel(), &QItemSelectionModel::selectionChanged, controller,
            &DialRecordController::tableViewSelectionDidChange);
}

} // namespace ostrel
