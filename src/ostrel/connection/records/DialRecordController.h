#pragma once
// The owner of the connection records (g_DialRecordController): the per-SIM record file, its
// totals (all records, today, this month, this year), the records of a period, clearing, the
// periodic reset, the text and CSV export, and the record settings window (reset period, data or
// time limit, warnings). It is the RECORDS neighbour (Neighbours::records()) while it lives.
//
// The connection road appends each finished connection to the file itself
// (DialService::appendDialRecords) and then calls updateInterface(). Every rewrite made here
// (delete, clear, reset) starts from the file as it stands, so such an append is never lost; a
// record file that cannot be read counts as empty, is reported once, and is never written over.
//
// The file is read again only when it changed on disk (its size or times), so the limit checks,
// which refresh on every tick of the connection's status poll, cost a file-status call; a refresh
// redraws the records when the file changed and the statistics also when a new local day began.
//
// Source files: DialRecordController.cpp (records, totals, reset, export) and
// DialRecordControllerSettings.cpp (the record settings window). The UI-free rules are in
// DialRecordTotals, DialRecordExport, DialRecordReset and RecordLimitRules.
#include "ostrel/connection/records/DialRecordTabInterface.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/DialRecordControllerInterface.h"

#include <QDateTime>
#include <QPointer>
#include <QTimeZone>
#include <QVariantList>

#include <memory>

class QLineEdit;

namespace yov { class RepeatingTimer; }

namespace ostrel {

class RecordSettingWindow;

class DialRecordController : public YOVUIController, public DialRecordControllerInterface {
    Q_OBJECT
public:
    static constexpr const char *kCMDialRecordBackupFile = "dialRecordBackData.plist";
    static constexpr int kResetIntervalMs = 500;

    explicit DialRecordController(const ControllerContext &context = ControllerContext::shared(),
                                  QObject *parent = nullptr);
    ~DialRecordController() override;

    // The process-wide pointer (g_DialRecordController); null when none exists.
    static DialRecordController *g_DialRecordController();

    // What the records tab plugs in (not owned; null puts the do-nothing default back).
    void setRecordTab(DialRecordTabInterface *tab);
    void setStatisticsForm(StatisticsFormInterface *form);

    // ---- DialRecordControllerInterface ---------------------------------------------------
    void loadRecordList(const QString &fileName) override;
    QString dialRecordFileName() const override { return fileName_; }
    QString getDialRecordFilePathWithFileName(const QString &fileName) const override;
    void getTotalDataAndTime() override;
    double getTotalData() const override { return totalDataKB_; }
    qint64 gettotalTime() const override { return totalTimes_; }
    DialRecordSums getDayRecordReceive() override;
    DialRecordSums getMonthRecordReceive() override;
    DialRecordSums getYearRecordReceive() override;
    QVariantList getRecordsFrom(const QDateTime &from, const QDateTime &to) override;
    QVariantList getRecordsForOtherFunctionFrom(const QDateTime &from, const QDateTime &to) override;
    void clearAllRecord() override;
    void updateInterface() override;

    // ---- the records ---------------------------------------------------------------------
    // The records as last loaded, and those the tab shows (the period's, in the period view).
    const QVariantList &recordList() const { return recordList_; }
    QVariantList shownRecords() const { return showPeriodRecord_ ? recordListTemp_ : recordList_; }
    bool showPeriodRecord() const { return showPeriodRecord_; }
    // The totals as the tab shows them: "%0.2f KB" (localised) and "%02d:%02d:%02d".
    QString totalDataText() const;
    QString totalTimeText() const;
    // Why the record file could not be read or written last; empty when it could.
    QString recordFileError() const { return recordFileError_; }

    // Removes these records (equal content, one each) from the record file as it stands; false,
    // reported, when the file cannot be read or written.
    bool deleteRecords(const QVariantList &records);

    // ---- export --------------------------------------------------------------------------
    // Asks for a file (window-modal on the main window) and exports the shown records to it, as
    // text or CSV by the chosen file type (Internet/SaveRecordFileType, "txt" when missing).
    Q_INVOKABLE void saveRecord();
    bool saveRecordToTextFile(const QVariantList &records, const QString &path);
    bool saveRecordToCSVFile(const QVariantList &records, const QString &path);

    // ---- periodic reset ------------------------------------------------------------------
    void periodRecordReset();
    // Starts the 0.5 s reset timer when a reset period is set (stops it otherwise).
    void refereshPeriodRecordReset();
    bool resetTimerRunning() const;

    // ---- record settings window (DialRecordControllerSettings.cpp) ------------------------
    Q_INVOKABLE void showSetLimit();
    void loadDefaultRecordSetting();
    Q_INVOKABLE void recordSettingApply();
    void setRecordLimit();
    void setResetPeriod();
    Q_INVOKABLE void recordSettingCancel();
    Q_INVOKABLE void recordSettingBack();
    Q_INVOKABLE void dataLimitFunction();
    Q_INVOKABLE void timeLimitFunction();
    Q_INVOKABLE void DeactiveSetLimitFunction();
    Q_INVOKABLE void EveryDaysBtnDeactiveSetLimitFunction();
    QString readRecordTimeLimit(double hours) const;
    // The typing filter of the two limit fields.
    void controlTextDidChange(QLineEdit *field);
    RecordSettingWindow *recordSettingWindow() const;

    // ---- notification handlers -----------------------------------------------------------
    Q_INVOKABLE void deviceRemoved(const yov::Notification &n);
    Q_INVOKABLE void resetDataForNetWorkData(const yov::Notification &n);
    Q_INVOKABLE void updateLanguages() override;

    QString localizedText(const QString &english) const;

signals:
    // The records were loaded again: the table reloads and its selection changed.
    void recordsReloaded();
    // The totals changed.
    void totalsChanged();

protected:
    void initializeNibResources() override;
    void registerMessages() override;

private:
    struct FileStamp {
        QString path;
        bool exists = false;
        qint64 size = -1;
        QDateTime modified;
        QDateTime changed;
        bool operator==(const FileStamp &) const = default;
    };
    static FileStamp stampOf(const QString &path);
    // Reads the current file into recordList_ and totals it when it changed on disk (or always,
    // with force); true when it read it.
    bool reloadRecordFile(bool force);
    // Reads the current file as it stands; false (records empty) when it cannot be read.
    bool readCurrentFile(QVariantList *records);
    void noteRecordFileError(const QString &error);
    void noteRecordFileRead();
    void saveResetTimeForRecord(const QDateTime &when);
    // Record/ResetTimePattern, "%Y-%m-%d %H:%M:%S" when missing, and the reset's start read with it.
    QString resetTimePattern() const;
    QDateTime resetStartTime() const;
    // The first steps of periodRecordReset(): drops the records of the periods that ended.
    void dropRecordsOfPastPeriods();
    void reportExportFailure(const QString &path, const QString &error);
    // A non-blocking warning: the localised format with the details in place of its "%@".
    void alertRecordTrouble(const QString &format, const QStringList &details);
    bool writeExport(const QByteArray &bytes, const QString &path);
    QVariant recordSetting(const QString &key) const;
    // Stores keys of the Record module (created when missing) and writes settings.plist.
    bool storeRecordSettings(const QVariantMap &values);
    void applyRecordSettingStates();
    void closeRecordSettingWindow();

    QString fileName_;
    QVariantList recordList_;
    QVariantList recordListTemp_;
    bool showPeriodRecord_ = false;
    QDate periodFrom_;
    QDate periodTo_;
    QDate refreshedDay_; // the local day of the last refresh of the statistics
    double totalDataKB_ = 0;
    qint64 totalTimes_ = 0;
    QString recordFileError_;
    QString reportedRecordFileError_;
    FileStamp loadedStamp_;
    bool loaded_ = false;
    // The zone of the day, month and year totals and of the reset times: the local one.
    QTimeZone zone_ = QTimeZone::systemTimeZone();
    std::unique_ptr<yov::RepeatingTimer> resetTimer_;
    DefaultDialRecordTab defaultRecordTab_;
    DefaultStatisticsForm defaultStatisticsForm_;
    DialRecordTabInterface *recordTab_ = &defaultRecordTab_;
    StatisticsFormInterface *statisticsForm_ = &defaultStatisticsForm_;
    QPointer<RecordSettingWindow> settingWindow_;
};

} // namespace ostrel
