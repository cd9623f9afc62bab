#pragma once
// What the records tab adds to the records controller, plugged in by the tab's own code: the
// wording of the tab and its windows and the operator's data-volume limit settings
// (DialRecordTabInterface), and the statistics form's refresh (StatisticsFormInterface). Until
// the tab installs its own, the defaults do nothing.
namespace ostrel {

class DialRecordTabInterface {
public:
    virtual ~DialRecordTabInterface() = default;
    // The localised wording of the records tab and of the record settings windows.
    virtual void initRecordNibWording() = 0;
    // Called once at set-up, after the record settings are loaded: the operator's data-volume
    // limit controls.
    virtual void initDataLimitSetting() = 0;
};

class StatisticsFormInterface {
public:
    virtual ~StatisticsFormInterface() = default;
    // Refreshes the statistics of the records tab (totals by day, month and year).
    virtual void updateInterface() = 0;
};

class DefaultDialRecordTab final : public DialRecordTabInterface {
public:
    void initRecordNibWording() override {}
    void initDataLimitSetting() override {}
};

class DefaultStatisticsForm final : public StatisticsFormInterface {
public:
    void updateInterface() override {}
};

} // namespace ostrel
