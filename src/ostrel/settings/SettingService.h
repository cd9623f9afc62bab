#pragma once
// The settings area's UI-free state shared with its panels: whether the last PIN operation failed
// (so that the tries left are told) and whether a manual network selection is a second one.
// One instance for the program, made on first use. Main thread only.
#include "ostrel/framework/service/YovServiceBase.h"

namespace ostrel {

class SettingService : public YovServiceBase {
public:
    static SettingService &sharedSettingService();

    // The next step after a tries report: 2 when no try is left (the PUK), else 1 when the last
    // PIN operation failed (ask again), else 0 (go on).
    int checkPinInputStatusByLeftTimes(int tries) const;

    bool isNeedAlertLeftTimesFlag = false;
    bool isSecondManualSelectNetFlag = false;
    // A manual network search or selection is running: the settings panels do not switch.
    bool isManualSearchingNetFlag = false;
};

} // namespace ostrel
