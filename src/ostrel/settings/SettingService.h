#pragma once
// The settings area's UI-free state shared with its panels: whether the last PIN operation failed
// (so that the tries left are told) and whether a manual network selection is a second one.
// One instance for the program, made on first use. Main thread only.
#include "ostrel/framework/service/YovServiceBase.h"

namespace ostrel {

class SettingService : public YovServiceBase {
public:
    static SettingService &sharedSettingService();

    bool isNeedAlertLeftTimesFlag = false;
    bool isSecondManualSelectNetFlag = false;
    // A manual network search or selection is running: the settings panels do not switch.
    bool isManualSearchingNetFlag = false;
};

} // namespace ostrel
