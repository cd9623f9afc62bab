#include "ostrel/sms/service/SmsCodecSettings.h"

#include "ostrel/framework/config/ConfigManager.h"

namespace ostrel {

yov::sms::SmsCodecOptions smsCodecOptions(const ConfigManager *store)
{
    if (!store)
        store = ConfigManager::sharedConfigManager();
    return yov::sms::smsCodecOptionsFromSettings(store->getConfiguration());
}

} // namespace ostrel
