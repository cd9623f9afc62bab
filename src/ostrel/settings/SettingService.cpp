#include "ostrel/settings/SettingService.h"

namespace ostrel {

SettingService &SettingService::sharedSettingService()
{
    static SettingService service;
    return service;
}

int SettingService::checkPinInputStatusByLeftTimes(int tries) const
{
    if (tries < 1)
        return 2;
    return isNeedAlertLeftTimesFlag ? 1 : 0;
}

} // namespace ostrel
