#pragma once
// What the rest of the dashboard asks of the records controller (DialRecordController): the
// per-SIM record file, the totals of its records by day, month and year, the records of a period,
// clearing them, and the refresh after a change.
//
// DefaultDialRecordController keeps the current file name ("dialRecordData.plist" until a SIM
// switches it) and tells its path in the ModemList folder; it holds no records: its totals are 0,
// its lists empty, and clearing and refreshing do nothing; amounts are told in KB.
#include <QDateTime>
#include <QString>
#include <QVariantList>

class QWidget;

namespace ostrel {

class ConfigManager;

// Sums over records: data received and sent in KB, connection time in seconds.
struct DialRecordSums {
    double receiveKB = 0;
    double sendKB = 0;
    qint64 seconds = 0;
};

class DialRecordControllerInterface {
public:
    static constexpr const char *kCMDialRecordFile = "dialRecordData.plist";

    virtual ~DialRecordControllerInterface() = default;
    // Makes the file name current and loads its records; an empty name is ignored.
    virtual void loadRecordList(const QString &fileName) = 0;
    virtual QString dialRecordFileName() const = 0;
    // The ModemList folder joined with the file name; an empty name means the current one.
    virtual QString getDialRecordFilePathWithFileName(const QString &fileName) const = 0;
    QString dialRecordFilePath() const { return getDialRecordFilePathWithFileName(QString()); }

    // Reads the current record file afresh and totals it; getTotalData() (KB) and gettotalTime()
    // (seconds) answer the last total.
    virtual void getTotalDataAndTime() = 0;
    virtual double getTotalData() const = 0;
    virtual qint64 gettotalTime() const = 0;
    // The records of today, this month and this year, in the local time zone.
    virtual DialRecordSums getDayRecordReceive() = 0;
    virtual DialRecordSums getMonthRecordReceive() = 0;
    virtual DialRecordSums getYearRecordReceive() = 0;
    // The records whose start lies from one date to the other, both included (empty when there
    // are none). getRecordsFrom() also makes the whole file the controller's list of records.
    virtual QVariantList getRecordsFrom(const QDateTime &from, const QDateTime &to) = 0;
    virtual QVariantList getRecordsForOtherFunctionFrom(const QDateTime &from, const QDateTime &to) = 0;
    // Empties the record file, stores the time of the reset and refreshes.
    virtual void clearAllRecord() = 0;
    // Refreshes the records and their totals after a change (an appended record, a limit check).
    virtual void updateInterface() = 0;
    // KB of this month as the statistics page last showed it (its records and the running
    // connection); for display only.
    virtual double getMonthTotalData() const = 0;
    // A KB amount as the records show it: "%0.2f KB", from 1024 KB "%0.2f MB", from 1048576 KB
    // "%0.2f GB" (localised formats).
    virtual QString autoChangeKBDataToMBGBUnit(double kb) const = 0;

    // The record settings inside the settings window: the periodic reset from the Record
    // module's settings, the controls filled from them, and their wording.
    virtual void periodRecordReset() {}
    virtual void loadDefaultRecordSetting() {}
    virtual void initRecordSettingNib() {}
    // Moves the record settings view into the settings window's "Record" panel; from then on the
    // view lives there instead of in a window of its own.
    virtual void hostRecordSettings(QWidget *panel) { (void)panel; }

    // The ModemList folder of the store (null: the shared one) joined with the file name.
    static QString recordFilePath(ConfigManager *config, const QString &fileName);
};

class DefaultDialRecordController : public DialRecordControllerInterface {
public:
    explicit DefaultDialRecordController(ConfigManager *config = nullptr) : config_(config) {}
    void setConfig(ConfigManager *config) { config_ = config; }

    void loadRecordList(const QString &fileName) override;
    QString dialRecordFileName() const override { return fileName_; }
    QString getDialRecordFilePathWithFileName(const QString &fileName) const override;
    void getTotalDataAndTime() override {}
    double getTotalData() const override { return 0; }
    qint64 gettotalTime() const override { return 0; }
    DialRecordSums getDayRecordReceive() override { return {}; }
    DialRecordSums getMonthRecordReceive() override { return {}; }
    DialRecordSums getYearRecordReceive() override { return {}; }
    QVariantList getRecordsFrom(const QDateTime &, const QDateTime &) override { return {}; }
    QVariantList getRecordsForOtherFunctionFrom(const QDateTime &, const QDateTime &) override { return {}; }
    void clearAllRecord() override {}
    void updateInterface() override {}
    double getMonthTotalData() const override { return 0; }
    QString autoChangeKBDataToMBGBUnit(double kb) const override;

private:
    ConfigManager *config_ = nullptr; // null: the shared store
    QString fileName_ = QString::fromLatin1(kCMDialRecordFile);
};

} // namespace ostrel
