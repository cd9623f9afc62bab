#include "ostrel/settings/SettingService.h"

namespace ostrel {

SettingService &SettingService::sharedSettingService()
{
    static SettingService service;
    return service;
}

} // namespace ostrel
