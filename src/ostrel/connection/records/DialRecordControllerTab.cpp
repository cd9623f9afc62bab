// DialRecordController: the records tab (the table, the period view, deleting, clearing, the
// duration accounting and the way to the statistics page).
#include "ostrel/connection/records/DialRecordController.h"

#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/ConnectionFormat.h"
#include "ostrel/connection/dial/DialRecordFile.h"
#include "ostrel/connection/records/DialRecordTab.h"
#include "ostrel/connection/records/DialRecordTableModel.h"
#include "ostrel/connection/records/DialRecordTotals.h"
#include "ostrel/framework/widgets/TableViews.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "platform/Clock.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Q_DECLARE_LOGGING_CATEGORY(lcRecords)

namespace ostrel {

namespace {

// The layout of a main-window page, made when the page has none.
QVBoxLayout *recordPageLayout(QWidget *page)
{
    if (auto *layout = qobject_cast<QVBoxLayout *>(page->layout()))
        return layout;
    if (page->layout())
        return nullptr;
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

DialRecordTab *DialRecordController::recordTab() const { return recordTab_; }
QPushButton *DialRecordController::backToRecordButton() const { return btnGoToDialRecord_; }

void DialRecordController::buildRecordTab()
{
    if (recordTab_)
        return;
    QWidget *page = viewOfIdentifier(tabviewMain, QStringLiteral("DialRecord"));
    QVBoxLayout *layout = page ? recordPageLayout(page) : nullptr;
    recordTab_ = new DialRecordTab(this, layout ? page : nullptr);
    if (layout)
        layout->addWidget(recordTab_);

    // The way back from the statistics page, at its foot.
    QWidget *statistics = viewOfIdentifier(tabviewMain, QStringLiteral("Statistics"));
    QVBoxLayout *statisticsLayout = statistics ? recordPageLayout(statistics) : nullptr;
    btnGoToDialRecord_ = new QPushButton(statisticsLayout ? statistics : recordTab_.data());
    btnGoToDialRecord_->setObjectName(QStringLiteral("btnGoToDialRecord"));
    if (statisticsLayout) {
        auto *row = new QHBoxLayout;
        row->setContentsMargins(12, 0, 12, 10);
        row->addStretch(1);
        row->addWidget(btnGoToDialRecord_);
        statisticsLayout->addLayout(row);
    } else {
        btnGoToDialRecord_->hide();
    }
    connect(btnGoToDialRecord_, &QPushButton::clicked, this, &DialRecordController::goBackToRecord);
    connect(this, &DialRecordController::recordsReloaded, this, [this] { reloadRecordTab(); });
}

void DialRecordController::reloadRecordTab()
{
    DialRecordTab *tab = recordTab_;
    if (!tab)
        return;
    const QVariantList shown = shownRecords();
    tab->model_->setFormat(exportFormat());
    tab->model_->setRecords(shown);
    const DialRecordSums sums = DialRecordTotals::sum(shown);
    tab->textTotalData_->setText(formatReal(localizedText(QStringLiteral("%0.2f KB")), sums.receiveKB + sums.sendKB));
    tab->textTotalTime_->setText(yov::formatConnectDuration(sums.seconds));
    tab->btnReset_->setEnabled(!shown.isEmpty());
    tab->labelPeriod_->setText(periodText_);
    setAccountingButtons(yov::nsBool(recordSetting(QStringLiteral("connectTimeincreaseState"))));
    tableViewSelectionDidChange();
}

void DialRecordController::refreshRecords(bool redraw)
{
    const bool reread = reloadRecordFile(false);
    // Nothing to redraw while the file stands as it was read, unless a new day began: the day's,
    // month's and year's totals move on at midnight.
    const QDate today = clock().now().toTimeZone(zone_).date();
    if (!reread && !redraw && today == refreshedDay_)
        return;
    refreshedDay_ = today;
    if (reread || redraw)
        recordsWereRead();
    statisticsForm_->updateInterface();
}

void DialRecordController::recordsWereRead()
{
    if (!showPeriodRecord_) {
        emit recordsReloaded();
        return;
    }
    // The period view stays on: its days are applied again (today when they no longer make one).
    auto period = pickedPeriod();
    if (!(period.second > period.first)) {
        setPickersToToday();
        period = pickedPeriod();
    }
    showPeriod(period.first, period.second);
}

std::pair<QDateTime, QDateTime> DialRecordController::pickedPeriod() const
{
    const QDate today = clock().now().toTimeZone(zone_).date();
    const QDate from = recordTab_ ? recordTab_->dateFrom_->date() : today;
    const QDate to = recordTab_ ? recordTab_->dateTo_->date() : today;
    return {QDateTime(from, QTime(0, 0, 0), zone_), QDateTime(to, QTime(23, 59, 59), zone_)};
}

void DialRecordController::setPickersToToday()
{
    if (!recordTab_)
        return;
    const QDate today = clock().now().toTimeZone(zone_).date();
    recordTab_->dateFrom_->setDate(today);
    recordTab_->dateTo_->setDate(today);
}

void DialRecordController::Show()
{
    reloadRecordFile(false);
    const auto [from, to] = pickedPeriod();
    if (!(to > from)) {
        NSRunAlertPanelExt(localizedText(QStringLiteral("Warning")), localizedText(QStringLiteral("You selected a wrong period")),
                           localizedText(QStringLiteral("OK")));
        leavePeriodView();
        emit recordsReloaded();
        return;
    }
    showPeriod(from, to);
}

void DialRecordController::showPeriod(const QDateTime &from, const QDateTime &to)
{
    const QVariantList period = DialRecordTotals::recordsBetween(recordList_, from, to);
    const QString path = getDialRecordFilePathWithFileName(QLatin1String(kCMDialRecordBackupFile));
    QString error;
    if (!DialRecordFile::write(path, period, &error))
        qCWarning(lcRecords).noquote() << "period records not written to" << path << ":" << error;
    const auto dayText = [this](const QDateTime &t) { return t.toTimeZone(zone_).date().toString(QStringLiteral("yyyy-MM-dd")); };
    periodText_ = yov::formatPlaceholders(localizedText(QStringLiteral("Statistics for period from %@ to %@")),
                                          {dayText(from), dayText(to)});
    ShowItem(period);
}

void DialRecordController::ShowItem(const QVariantList &records)
{
    recordListTemp_ = records;
    showPeriodRecord_ = true;
    emit recordsReloaded();
}

void DialRecordController::leavePeriodView()
{
    recordListTemp_.clear();
    showPeriodRecord_ = false;
    periodText_.clear();
}

QVariantList DialRecordController::selectedRecords() const
{
    QVariantList selected;
    if (!recordTab_)
        return selected;
    const QVariantList shown = recordTab_->model_->records();
    const QModelIndexList rows = recordTab_->tableDialRecord_->selectionModel()->selectedRows();
    for (const QModelIndex &row : rows)
        if (row.row() < shown.size())
            selected.append(shown.at(row.row()));
    return selected;
}

void DialRecordController::tableViewSelectionDidChange()
{
    if (recordTab_)
        recordTab_->btnDelete_->setEnabled(!selectedRecords().isEmpty());
}

void DialRecordController::deleteRecord()
{
    const QVariantList selected = selectedRecords();
    if (selected.isEmpty())
        return;
    if (NSRunAlertPanelExt(localizedText(QStringLiteral("Warning")),
                           localizedText(QStringLiteral("Are you sure to delete the selected record(s)?")),
                           localizedText(QStringLiteral("OK")), localizedText(QStringLiteral("Cancel")))
        != 1)
        return;
    // Each selected record is removed once from the file as it stands (in the period view the
    // period file is then written again from it).
    deleteRecords(selected);
}

void DialRecordController::resetRecord()
{
    if (shownRecords().isEmpty())
        return;
    if (NSRunAlertPanelExt(localizedText(QStringLiteral("Warning!")),
                           localizedText(QStringLiteral("Are you sure you want to delete all the record(s)?")),
                           localizedText(QStringLiteral("OK")), localizedText(QStringLiteral("Cancel")))
        != 1)
        return;
    clearAllRecord();
}

void DialRecordController::setAccountingButtons(bool quarterHours)
{
    if (!recordTab_)
        return;
    recordTab_->btnIncrease15Min_->setChecked(quarterHours);
    recordTab_->btnContinuous_->setChecked(!quarterHours);
}

void DialRecordController::selectIncrease15MinBtn() { switchAccounting(true); }
void DialRecordController::selectContinuousBtn() { switchAccounting(false); }

void DialRecordController::switchAccounting(bool quarterHours)
{
    const bool stored = yov::nsBool(recordSetting(QStringLiteral("connectTimeincreaseState")));
    setAccountingButtons(quarterHours);
    if (quarterHours == stored)
        return;
    if (NSRunAlertPanelExt(localizedText(QStringLiteral("Warning!")),
                           localizedText(QStringLiteral("The Connection History will be cancelled, do you want to continue?")),
                           localizedText(QStringLiteral("OK")), localizedText(QStringLiteral("Cancel")))
            != 1
        || !removeAllRecords()) {
        setAccountingButtons(stored);
        return;
    }
    storeRecordSettings({{QStringLiteral("connectTimeincreaseState"), quarterHours}});
    refreshRecords(true);
}

void DialRecordController::goToStatistics()
{
    statisticsForm_->updateInterface();
    notifyChangeTabViewItem(QStringLiteral("Statistics"));
    if (yov::nsBool(setting(QStringLiteral("Provider"), QStringLiteral("MRDW_Statistics"))))
        NSRunAlertPanelExt(QStringLiteral(" "),
                           localizedText(QStringLiteral("Data usage is approximate only, please contact your operator for actual usage.")),
                           localizedText(QStringLiteral("OK")));
}

void DialRecordController::goBackToRecord()
{
    refreshRecords(true);
    notifyChangeTabViewItem(QStringLiteral("DialRecord"));
}

void DialRecordController::tabViewItemWillChange(const yov::Notification &n)
{
    if (yov::nsString(n.userInfo.value(QStringLiteral("TabViewItemWillChange"))) == QLatin1String("DialRecord"))
        refreshRecords(true);
}

QString DialRecordController::autoChangeKBDataToMBGBUnit(double kb) const
{
    return formatTransferData(qMax(0.0, kb) * 1024.0,
                              {QStringLiteral("%0.2f KB"), QStringLiteral("%0.2f MB"), QStringLiteral("%0.2f GB")},
                              [this](const QString &s) { return localizedText(s); });
}

} // namespace ostrel
