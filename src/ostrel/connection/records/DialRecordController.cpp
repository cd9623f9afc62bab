// DialRecordController: the record file, its totals, clearing, the periodic reset and the export.
#include "ostrel/connection/records/DialRecordController.h"

#include "common/AtomicFile.h"
#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/ConnectionFormat.h"
#include "ostrel/connection/dial/DialRecordFile.h"
#include "ostrel/connection/dial/DialService.h"
#include "ostrel/connection/records/DialRecordExport.h"
#include "ostrel/connection/records/DialRecordReset.h"
#include "ostrel/connection/records/DialRecordTotals.h"
#include "ostrel/connection/records/DialRecordTab.h"
#include "ostrel/connection/records/RecordSettingWindow.h"
#include "ostrel/connection/records/VolumeLimitWindow.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "common/util/CalendarFormat.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "platform/Clock.h"
#include "platform/filechooser/FileChooser.h"

#include <QFileInfo>
#include <QPushButton>
#include <QLoggingCategory>
#include <QTimer>

Q_LOGGING_CATEGORY(lcRecords, "ostrel.connection.records")

namespace ostrel {

namespace {

DialRecordController *g_dialRecordController = nullptr;

// The statistics views' request to clear the records.
const NotificationTableRow statisticsNotifactionTable[] = {
    {"resetDataForNetWorkData:", "resetDataForNetWorkData"},
    {nullptr, nullptr},
};

const QString kRecordSettingsModule = QStringLiteral("Record");

} // namespace

DialRecordController::DialRecordController(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent),
      // Takes over the file that the neighbour in place so far was told (a SIM may have set it).
      fileName_(Neighbours::records().dialRecordFileName())
{
    resetTimer_ = std::make_unique<yov::RepeatingTimer>(clock(), this, [this] { periodRecordReset(); });
    recurrenceTimer_ = std::make_unique<yov::RepeatingTimer>(clock(), this, [this] {
        // The working copy is taken again: a Reset of the records tab has moved the last reset.
        recordSetDic_ = yov::nsDict(config().getConfigurationByModule(QStringLiteral("Record")));
        periodRecordResetWithDayWeekMonth();
    });
    g_dialRecordController = this;
    Neighbours::setRecords(this);
}

DialRecordController::~DialRecordController()
{
    delete settingWindow_;
    delete volumeLimitWindow_;
    delete btnGoToDialRecord_;
    delete recordTab_;
    if (g_dialRecordController == this) {
        g_dialRecordController = nullptr;
        Neighbours::setRecords(nullptr);
        // The default keeps serving the file that was current.
        Neighbours::records().loadRecordList(fileName_);
    }
}

DialRecordController *DialRecordController::g_DialRecordController() { return g_dialRecordController; }

void DialRecordController::setStatisticsForm(StatisticsFormInterface *form)
{
    statisticsForm_ = form ? form : &defaultStatisticsForm_;
}

QString DialRecordController::localizedText(const QString &english) const
{
    return Map_Name_Item_of_IndexString(english);
}

// ---- set-up ----------------------------------------------------------------------------------

void DialRecordController::initializeNibResources()
{
    loadRecordList(fileName_);
    initDialRecordWording();
    setPickersToToday();
    showPeriodRecord_ = false;
    refereshPeriodRecordReset();
    loadDefaultRecordSetting();
    initDataLimitSetting();
    ConfigService switches(&config());
    if (switches.judgeRecordLastResetTimeWhetherEmptyWhenUIInit()) {
        storeRecordSettings({}); // the module, when missing
        switches.setRecordLastResetTimeValueWhenEmpty(clock().now());
    }
    // The main menu's items of the records tab and of the statistics page.
    const QPointer<DialRecordController> self(this);
    Neighbours::main().registerMenuItem(QStringLiteral("Operation"), QStringLiteral("DialRecord"), [self] {
        if (self)
            self->notifyChangeTabViewItem(QStringLiteral("DialRecord"));
    });
    Neighbours::main().registerMenuItem(QStringLiteral("Operation"), QStringLiteral("Statistics"), [self] {
        if (self)
            self->goToStatistics();
    });
    reloadRecordTab();
}

void DialRecordController::registerMessages() { registerNotification(statisticsNotifactionTable); }

void DialRecordController::updateLanguages()
{
    initDialRecordWording();
    if (settingWindow_)
        settingWindow_->setWording();
    statisticsForm_->updateInterface();
    reloadRecordTab();
    emit totalsChanged();
}

// ---- the record file ------------------------------------------------------------------------

QString DialRecordController::getDialRecordFilePathWithFileName(const QString &fileName) const
{
    return recordFilePath(&config(), fileName.isEmpty() ? fileName_ : fileName);
}

void DialRecordController::loadRecordList(const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    fileName_ = fileName;
    reloadRecordFile(true);
    recordsWereRead();
}

DialRecordController::FileStamp DialRecordController::stampOf(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {path, false, -1, {}, {}};
    return {path, true, info.size(), info.lastModified(), info.metadataChangeTime()};
}

bool DialRecordController::reloadRecordFile(bool force)
{
    const FileStamp stamp = stampOf(dialRecordFilePath());
    if (!force && loaded_ && stamp == loadedStamp_)
        return false;
    QVariantList records;
    readCurrentFile(&records);
    recordList_ = records;
    loadedStamp_ = stamp;
    loaded_ = true;
    const DialRecordSums sums = DialRecordTotals::sum(recordList_);
    totalDataKB_ = sums.receiveKB + sums.sendKB;
    totalTimes_ = sums.seconds;
    emit totalsChanged();
    return true;
}

bool DialRecordController::readCurrentFile(QVariantList *records)
{
    QString error;
    const QString path = dialRecordFilePath();
    if (!DialRecordFile::read(path, records, &error)) {
        // A file that cannot be read is kept aside and the records start afresh; one that cannot
        // even be moved stays as it is, and the records are not used.
        const QString copy = DialService::setAsideUnreadableRecordFile(path, clock().now());
        if (copy.isEmpty() || !DialRecordFile::read(path, records, &error)) {
            noteRecordFileError(error);
            return false;
        }
        alertRecordTrouble(DialService::unreadableRecordFileSetAsideText(), {path, copy});
    }
    noteRecordFileRead();
    return true;
}

void DialRecordController::noteRecordFileRead()
{
    recordFileError_.clear();
    reportedRecordFileError_.clear();
}

// Reported once for each new trouble: the reads of the limit checks and the reset timer repeat.
void DialRecordController::noteRecordFileError(const QString &error)
{
    recordFileError_ = error;
    qCWarning(lcRecords).noquote() << "connection records" << dialRecordFilePath() << ":" << error;
    if (error == reportedRecordFileError_)
        return;
    reportedRecordFileError_ = error;
    alertRecordTrouble(QStringLiteral("The connection records in %@ cannot be used (%@). The file is kept as it is."),
                       {dialRecordFilePath(), error});
}

void DialRecordController::alertRecordTrouble(const QString &format, const QStringList &details)
{
    const QString message = yov::formatPlaceholders(localizedText(format), details);
    const auto alert = [this, message] {
        NSBeginAlertPanelExt(localizedText(QStringLiteral("Warning")), message, localizedText(QStringLiteral("OK")),
                             QString(), {});
    };
    // A trouble found while the dashboard starts is told once its main window is up.
    if (wndMain && !wndMain->isVisible())
        QTimer::singleShot(0, this, alert);
    else
        alert();
}

// ---- totals ---------------------------------------------------------------------------------

void DialRecordController::getTotalDataAndTime() { reloadRecordFile(false); }

QString DialRecordController::totalDataText() const
{
    return formatReal(localizedText(QStringLiteral("%0.2f KB")), totalDataKB_);
}

QString DialRecordController::totalTimeText() const { return yov::formatConnectDuration(totalTimes_); }

DialRecordSums DialRecordController::getDayRecordReceive()
{
    reloadRecordFile(false);
    return DialRecordTotals::sum(recordList_, DialRecordTotals::day(clock().now(), zone_));
}

DialRecordSums DialRecordController::getMonthRecordReceive()
{
    reloadRecordFile(false);
    return DialRecordTotals::sum(recordList_, DialRecordTotals::month(clock().now(), zone_));
}

DialRecordSums DialRecordController::getYearRecordReceive()
{
    reloadRecordFile(false);
    return DialRecordTotals::sum(recordList_, DialRecordTotals::year(clock().now(), zone_));
}

QVariantList DialRecordController::getRecordsFrom(const QDateTime &from, const QDateTime &to)
{
    reloadRecordFile(false);
    return DialRecordTotals::recordsBetween(recordList_, from, to);
}

QVariantList DialRecordController::getRecordsForOtherFunctionFrom(const QDateTime &from, const QDateTime &to)
{
    QVariantList records;
    readCurrentFile(&records);
    return DialRecordTotals::recordsBetween(records, from, to);
}

void DialRecordController::updateInterface() { refreshRecords(false); }

// ---- changes ----------------------------------------------------------------------------------

bool DialRecordController::deleteRecords(const QVariantList &records)
{
    QString error;
    const bool done = DialRecordFile::rewrite(dialRecordFilePath(), [&records](QVariantList &list) {
        bool removed = false;
        for (const QVariant &record : records)
            removed = list.removeOne(record) || removed;
        return removed;
    }, &error);
    if (!done) {
        alertRecordTrouble(QStringLiteral("The connection records in %@ cannot be changed (%@)."),
                           {dialRecordFilePath(), error});
        return false;
    }
    reloadRecordFile(true);
    recordsWereRead();
    statisticsForm_->updateInterface();
    return true;
}

bool DialRecordController::removeRecordsBetween(const QDateTime &from, const QDateTime &to)
{
    QString error;
    bool written = false;
    if (!DialRecordFile::rewrite(dialRecordFilePath(), [&](QVariantList &list) {
            return DialRecordReset::removeRecordsBetween(list, from, to) > 0;
        }, &error, &written)) {
        // Reported once, however often the resets try again.
        noteRecordFileError(error);
        return false;
    }
    if (written) {
        reloadRecordFile(true);
        recordsWereRead();
        statisticsForm_->updateInterface();
    }
    return true;
}

bool DialRecordController::removeAllRecords()
{
    QString error;
    if (!DialRecordFile::rewrite(dialRecordFilePath(), [](QVariantList &list) {
            list.clear();
            return true;
        }, &error)) {
        alertRecordTrouble(QStringLiteral("The connection records in %@ cannot be changed (%@)."),
                           {dialRecordFilePath(), error});
        return false;
    }
    reloadRecordFile(true);
    return true;
}

void DialRecordController::clearAllRecord()
{
    // On failure the records stay, in the file and here.
    if (!removeAllRecords())
        return;
    const QString periodPath = getDialRecordFilePathWithFileName(QLatin1String(kCMDialRecordBackupFile));
    QString periodError;
    if (!DialRecordFile::write(periodPath, {}, &periodError))
        qCWarning(lcRecords).noquote() << "period records" << periodPath << "not cleared:" << periodError;
    leavePeriodView();
    reloadRecordFile(true);
    emit recordsReloaded();
    saveResetTimeForRecord(clock().now());
    statisticsForm_->updateInterface();
}

void DialRecordController::saveResetTimeForRecord(const QDateTime &when)
{
    storeRecordSettings({{QStringLiteral("recordLastResetTime"), when}});
}

void DialRecordController::deviceRemoved(const yov::Notification &)
{
    if (yov::nsBool(config().getConfigurationByModule(QStringLiteral("PCDataWithIMSI"))))
        loadRecordList(QString::fromLatin1(kCMDialRecordFile));
}

void DialRecordController::resetDataForNetWorkData(const yov::Notification &) { clearAllRecord(); }

// ---- settings ---------------------------------------------------------------------------------

QVariant DialRecordController::recordSetting(const QString &key) const
{
    return config().getConfigurationByModuleAndKey(kRecordSettingsModule, key);
}

bool DialRecordController::storeRecordSettings(const QVariantMap &values)
{
    if (config().getConfigurationByModule(kRecordSettingsModule).typeId() != QMetaType::QVariantMap)
        config().setConfigurationByModule(kRecordSettingsModule, QVariantMap());
    for (auto it = values.begin(); it != values.end(); ++it)
        config().setConfigurationByModuleKeyAndValue(kRecordSettingsModule, it.key(), it.value());
    return config().writeToFile();
}

// ---- periodic reset ---------------------------------------------------------------------------

void DialRecordController::refereshPeriodRecordReset()
{
    if (ConfigService(&config()).isDisabledLimits())
        resetTimer_->stop();
    else if (!resetTimer_->isActive())
        resetTimer_->start(kResetIntervalMs);
}

bool DialRecordController::resetTimerRunning() const { return resetTimer_->isActive(); }

void DialRecordController::periodRecordReset()
{
    dropRecordsOfPastPeriods();
    updateInterface();
}

QString DialRecordController::resetTimePattern() const
{
    const QString pattern = yov::nsString(recordSetting(QStringLiteral("ResetTimePattern")));
    return pattern.isEmpty() ? QStringLiteral("%Y-%m-%d %H:%M:%S") : pattern;
}

QDateTime DialRecordController::resetStartTime() const
{
    return DialRecordReset::readResetTime(recordSetting(QStringLiteral("recordResetStartTime")), zone_,
                                          resetTimePattern());
}

void DialRecordController::dropRecordsOfPastPeriods()
{
    const bool thirtyDays = yov::nsBool(recordSetting(QStringLiteral("IfSetRecordResetFrequence")));
    const bool everyDays = yov::nsBool(recordSetting(QStringLiteral("IfSetRecordResetEveryDays")));
    if (!thirtyDays && !everyDays)
        return;
    // A start that cannot be read leaves the records as they are.
    const QDateTime start = resetStartTime();
    if (!start.isValid())
        return;
    const int days = thirtyDays ? DialRecordReset::resetPeriodDays(DialRecordReset::kThirtyDaysIndex)
                                : DialRecordReset::resetPeriodDays(yov::nsInt(recordSetting(QStringLiteral("recordResetPeriod"))));
    const qint64 elapsed = DialRecordReset::elapsedPeriodDays(start, clock().now(), days);
    if (elapsed == 0)
        return;
    const QDateTime boundary = start.addSecs(elapsed * 86400);
    // Nothing moves when the file cannot be changed: the next tick tries again.
    if (!removeRecordsBetween(start, boundary))
        return;
    storeRecordSettings({{QStringLiteral("recordLastResetTime"), boundary},
                         {QStringLiteral("recordResetStartTime"),
                          yov::formatCalendarDate(boundary.toTimeZone(zone_), resetTimePattern())}});
    // The statistics page shows the new time of the last reset, also when no record went.
    statisticsForm_->updateInterface();
}

// ---- export -----------------------------------------------------------------------------------

void DialRecordController::saveRecord()
{
    QString type = yov::nsString(config().getConfigurationByModuleAndKey(QStringLiteral("Internet"),
                                                                          QStringLiteral("SaveRecordFileType")));
    if (type.isEmpty())
        type = QStringLiteral("txt");
    yov::FileChooserRequest request;
    request.title = localizedText(QStringLiteral("Save Record"));
    request.fileTypes = {type};
    request.parent = wndMain;
    const QPointer<DialRecordController> self(this);
    yov::FileChooser::shared().chooseFileToSave(request, [self](const yov::FileChooserAnswer &answer) {
        if (!self || !answer.accepted)
            return;
        // The records listed when the user answers.
        const QVariantList records = self->shownRecords();
        if (answer.fileType.compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0)
            self->saveRecordToTextFile(records, answer.path);
        else if (answer.fileType.compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0)
            self->saveRecordToCSVFile(records, answer.path);
    });
}

DialRecordExportFormat DialRecordController::exportFormat() const
{
    DialRecordExportFormat format;
    for (const char *name :
         {"Connect Name", "Start Time", "Disconnect Time", "Duration", "Data Receive", "Data Transport"})
        format.columnNames << localizedText(QLatin1String(name));
    format.date = [this](const QDateTime &date) { return formatStringFromDate(date); };
    const ConnectionUnits units = ConnectionUnits::read(&config());
    format.data = [units, this](double bytes) {
        return formatTransferData(bytes, units, [this](const QString &s) { return localizedText(s); });
    };
    format.dataInMBText = ConfigService(&config()).isSavedDataToTheTxtFileToMB();
    return format;
}

bool DialRecordController::saveRecordToTextFile(const QVariantList &records, const QString &path)
{
    return writeExport(DialRecordExport::text(records, exportFormat()), path);
}

bool DialRecordController::saveRecordToCSVFile(const QVariantList &records, const QString &path)
{
    return writeExport(DialRecordExport::csv(records, exportFormat()), path);
}

bool DialRecordController::writeExport(const QByteArray &bytes, const QString &path)
{
    QString error;
    if (yov::AtomicFile::write(path, bytes, &error))
        return true;
    reportExportFailure(path, error);
    return false;
}

void DialRecordController::reportExportFailure(const QString &path, const QString &error)
{
    qCWarning(lcRecords).noquote() << "records not exported to" << path << ":" << error;
    alertRecordTrouble(QStringLiteral("The records could not be saved to %@ (%@)."), {path, error});
}

} // namespace ostrel
