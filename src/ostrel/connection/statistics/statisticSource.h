#pragma once
// The statistics page's outline of period totals (statisticForm): the time of the last reset of
// the records, and the upload and download totals of today, this month and this year, each the
// saved records plus the running connection.
//
//   Statistics
//     Time Last Reset:   Record/recordLastResetTime as a date, else "00:00:00"
//     Daily              Upload Data:, Download Data:
//     Monthly            Upload Data:, Download Data:
//     Yearly             Upload Data:, Download Data:
//
// It follows "ConnectStatistics" (the running connection's KB under "UploadDataUnitWithKB" and
// "DowloadDataUnitWithKB"; a missing one counts 0; a notification without them changes nothing),
// refreshes on "PrepareUsageDate" and when its tab comes up, and posts
// "yearReceiveDateAndSendData" {"yearSendData", "yearReceiveData"} (KB) with every refresh. It is
// the records controller's statistics form.
#include "ostrel/connection/records/StatisticsFormInterface.h"
#include "ostrel/connection/statistics/StatisticsOutlineSource.h"

namespace ostrel {

class statisticSource : public StatisticsOutlineSource, public StatisticsFormInterface {
    Q_OBJECT
public:
    explicit statisticSource(const ControllerContext &context = ControllerContext::shared(), QObject *parent = nullptr);
    ~statisticSource() override;

    Q_INVOKABLE void receiveConnectStatisticsData(const yov::Notification &n);
    Q_INVOKABLE void prepareUsageDate(const yov::Notification &n);
    Q_INVOKABLE void tabViewItemWillChange(const yov::Notification &n);
    // Takes the running connection's KB from the dictionary (nothing for an empty one).
    void reloadStatisticSendData(const QVariantMap &info);

    // ---- StatisticsFormInterface --------------------------------------------------------
    void updateInterface() override;
    double getMonthTotalData() const override { return monthlyTotalData_; }

    void Init_statistic_view();
    void reloadStatistic();
    void displayLastResetTime();
    void displayPeriodStatistics();
    // A KB amount in the units the operator chose (bits with Internet/dataType "Kb").
    QString autoSwitchStatisticData(double kb) const;

    Q_INVOKABLE void updateLanguages() override;

protected:
    void initializeNibResources() override;
    void registerMessages() override;

private:
    Node *Daily = nullptr;
    Node *Monthly = nullptr;
    Node *Yearly = nullptr;
    Node *timeLastReset_ = nullptr;
    double monthlyTotalData_ = 0;
    QString sendData;
    QString receiveData;
};

// The one statistics form; null when none exists.
statisticSource *statisticForm();

} // namespace ostrel
