#pragma once
// The owner of the connection records (g_DialRecordController): the per-SIM record file, its
// totals (all records, today, this month, this year), the records of a period, clearing, the
// periodic resets, the text and CSV export, the records tab and the two record settings windows
// (the reset period with a data or time limit, and the operator's "Volume Limit" window). It is
// the RECORDS neighbour (Neighbours::records()) while it lives.
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
// Source files: DialRecordController.cpp (records, totals, reset, export),
// DialRecordControllerTab.cpp (the records tab), DialRecordControllerSettings.cpp (the record
// settings window) and DialRecordControllerAlias.cpp (skin, wording, the "Volume Limit" window and
// its recurring reset). The UI-free rules are in DialRecordTotals, DialRecordExport,
// DialRecordReset, DialRecordRecurrence, RecordLimitRules and VolumeLimitSettings.
#include "ostrel/connection/records/DialRecordExport.h"
#include "ostrel/connection/records/StatisticsFormInterface.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/DialRecordControllerInterface.h"

#include <QDateTime>
#include <QPointer>
#include <QTimeZone>
#include <QVariantList>

#include <memory>
#include <optional>
#include <utility>

class QLineEdit;
class QPushButton;

namespace yov { class RepeatingTimer; }

namespace ostrel {

class DialRecordTab;
class RecordSettingWindow;
class VolumeLimitWindow;
struct VolumeLimitSettings;

class DialRecordController : public YOVUIController, public DialRecordControllerInterface {
    Q_OBJECT
public:
    static constexpr const char *kCMDialRecordBackupFile = "dialRecordBackData.plist";
    static constexpr int kResetIntervalMs = 500;
    // How often the recurring reset of the "Volume Limit" window looks whether it is due while the
    // dashboard runs (it also looks at start-up).
    static constexpr int kRecurrenceCheckIntervalMs = 60 * 1000;

    explicit DialRecordController(const ControllerContext &context = ControllerContext::shared(),
                                  QObject *parent = nullptr);
    ~DialRecordController() override;

    // The process-wide pointer (g_DialRecordController); null when none exists.
    static DialRecordController *g_DialRecordController();

    // The statistics page's form (not owned; null puts the do-nothing default back).
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
    // Refreshes the records tab when the record file changed since it was read (in the period
    // view the period is applied again).
    void updateInterface() override;
    double getMonthTotalData() const override { return statisticsForm_->getMonthTotalData(); }
    QString autoChangeKBDataToMBGBUnit(double kb) const override;

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

    // ---- the records tab (DialRecordControllerTab.cpp) -------------------------------------
    // The tab: built at the first template step, in tabviewMain's "DialRecord" page when there
    // is one (else on its own, for tests); its "Go Back" button goes into the "Statistics" page.
    DialRecordTab *recordTab() const;
    QPushButton *backToRecordButton() const;
    // The refresh, forced or only when the file changed.
    void refreshRecords(bool force);
    // The Show button: the records of the pickers' days (from 00:00:00 to 23:59:59); a wrong
    // period is told and the whole list shown again.
    Q_INVOKABLE void Show();
    // Makes the period's records the shown list.
    void ShowItem(const QVariantList &records);
    Q_INVOKABLE void deleteRecord();
    Q_INVOKABLE void resetRecord();
    Q_INVOKABLE void selectIncrease15MinBtn();
    Q_INVOKABLE void selectContinuousBtn();
    Q_INVOKABLE void goToStatistics();
    Q_INVOKABLE void goBackToRecord();
    void tableViewSelectionDidChange();
    // The period label ("Statistics for period from %@ to %@"); empty outside the period view.
    QString periodText() const { return periodText_; }

    // ---- periodic reset ------------------------------------------------------------------
    void periodRecordReset() override;
    // Starts the 0.5 s reset timer when a reset period is set (stops it otherwise).
    void refereshPeriodRecordReset();
    bool resetTimerRunning() const;

    // ---- record settings window (DialRecordControllerSettings.cpp) ------------------------
    Q_INVOKABLE void showSetLimit();
    void loadDefaultRecordSetting() override;
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
    // The view inside the settings window's "Record" panel (showSetLimit then selects that panel).
    void hostRecordSettings(QWidget *panel) override;
    bool recordSettingsHosted() const;

    // ---- skin, wording and the "Volume Limit" window (DialRecordControllerAlias.cpp) -------
    void initRecordNibWording();
    void initRecordSettingNib() override;
    void initVolumeLimitWording();
    void initDialRecordWording();
    // With the "Volume Limit" settings page: takes the Record module's values, fills the window
    // and runs the recurring reset once.
    void initDataLimitSetting();
    // Opens the "Volume Limit" window (the Tools menu item, with that settings page).
    Q_INVOKABLE void showVolumeLimit();
    VolumeLimitWindow *volumeLimitWindow() const;
    // The working copy of the Record module; empty until initDataLimitSetting() took it.
    const std::optional<QVariantMap> &recordSetDic() const { return recordSetDic_; }
    void loadRecordSetting();
    void checkRecordSettingConfig();
    void loadRecordResetPeriodWithWeekAndMonth();
    void loadDataAndTimeRecordLimit();
    void loadRecordLimitWarn();
    // The recurrence box (with a sender: the user's click, which picks "Daily").
    Q_INVOKABLE void setRecurrences(QObject *sender);
    Q_INVOKABLE void selectRecordResetRadio();
    Q_INVOKABLE void volumeLimitSet();
    Q_INVOKABLE void dataVolumeLimitSet();
    Q_INVOKABLE void timeVolumeLimitSet();
    bool checkLimitValue();
    bool periodSettingsIsChanged() const;
    bool limitSettingsIsChanged() const;
    bool warningSettingsIsChanged() const;
    void savePeriodSettings();
    void saveLimitSettings();
    void saveWarningSettings();
    Q_INVOKABLE void recordLimitSetApply();
    Q_INVOKABLE void recordLimitSetCancel();
    // The recurring reset: due by the stored recurrence, it clears from the last reset to today
    // at 00:00:00.
    void periodRecordResetWithDayWeekMonth();
    bool recurrenceCheckRunning() const;
    // Removes the records that started from one date to the other and stores the end as the time
    // of the last reset (also when none was removed).
    void clearRecordFrom(const QDateTime &from, const QDateTime &to);

    // ---- notification handlers -----------------------------------------------------------
    Q_INVOKABLE void tabViewItemWillChange(const yov::Notification &n);
    Q_INVOKABLE void deviceRemoved(const yov::Notification &n);
    Q_INVOKABLE void resetDataForNetWorkData(const yov::Notification &n);
    Q_INVOKABLE void updateLanguages() override;

    QString localizedText(const QString &english) const;

signals:
    // The records were loaded again (or the shown list changed): the table reloads and its
    // selection changed.
    void recordsReloaded();
    // The totals changed.
    void totalsChanged();

protected:
    void initializeSkin() override;
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
    // How the exports and the records table show dates, amounts and column titles.
    DialRecordExportFormat exportFormat() const;
    QVariant recordSetting(const QString &key) const;
    // Stores keys of the Record module (created when missing) and writes settings.plist.
    bool storeRecordSettings(const QVariantMap &values);
    void applyRecordSettingStates();
    void closeRecordSettingWindow();
    // The file was read again: in the period view the period is applied again; the tab redraws.
    void recordsWereRead();
    // The records tab.
    void buildRecordTab();
    void reloadRecordTab();
    QVariantList selectedRecords() const;
    // The pickers' period: from the first day at 00:00:00 to the second at 23:59:59.
    std::pair<QDateTime, QDateTime> pickedPeriod() const;
    void setPickersToToday();
    // Collects the period's records from the file as read, writes them to the period file and
    // shows them.
    void showPeriod(const QDateTime &from, const QDateTime &to);
    void leavePeriodView();
    // Empties the record file; false, reported, when it cannot.
    bool removeAllRecords();
    // Removes the records that started from one date to the other from the file and shows what
    // is left; false, reported once, when the file cannot be changed.
    bool removeRecordsBetween(const QDateTime &from, const QDateTime &to);
    void setAccountingButtons(bool quarterHours);
    void switchAccounting(bool quarterHours);
    // The "Volume Limit" window.
    VolumeLimitSettings volumeLimitState() const;
    void showVolumeLimitState(const VolumeLimitSettings &state);
    // Stores keys of the Record module and takes the module again as the working copy.
    void storeVolumeLimitSettings(const QVariantMap &values);

    QString fileName_;
    QVariantList recordList_;
    QVariantList recordListTemp_;
    bool showPeriodRecord_ = false;
    QString periodText_;
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
    std::unique_ptr<yov::RepeatingTimer> recurrenceTimer_;
    DefaultStatisticsForm defaultStatisticsForm_;
    StatisticsFormInterface *statisticsForm_ = &defaultStatisticsForm_;
    QPointer<RecordSettingWindow> settingWindow_;
    QPointer<DialRecordTab> recordTab_;
    QPointer<QPushButton> btnGoToDialRecord_;
    QPointer<VolumeLimitWindow> volumeLimitWindow_;
    std::optional<QVariantMap> recordSetDic_;
};

} // namespace ostrel
