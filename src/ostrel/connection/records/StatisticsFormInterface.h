#pragma once
// What the records controller asks of the statistics page's form (statisticForm): its refresh
// after the records changed, and this month's total as it last showed it. Until the statistics
// page plugs its form in, the default does nothing and answers 0.
namespace ostrel {

class StatisticsFormInterface {
public:
    virtual ~StatisticsFormInterface() = default;
    // Refreshes the totals by day, month and year.
    virtual void updateInterface() = 0;
    // KB of this month: its records and the running connection, as last shown.
    virtual double getMonthTotalData() const = 0;
};

class DefaultStatisticsForm final : public StatisticsFormInterface {
public:
    void updateInterface() override {}
    double getMonthTotalData() const override { return 0; }
};

} // namespace ostrel
