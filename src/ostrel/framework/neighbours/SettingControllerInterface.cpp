#include "ostrel/framework/neighbours/SettingControllerInterface.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"

namespace ostrel {

bool SettingControllerInterface::settingDefaultItemHolds(ConfigManager *config, const QString &name)
{
    ConfigManager *store = config ? config : ConfigManager::sharedConfigManager();
    if (!store || name.isEmpty())
        return false;
    const QVariantList pages = yov::nsArray(store->getConfigurationByModule(QStringLiteral("SettingDefaultItem")));
    for (const QVariant &page : pages)
        if (page.typeId() == QMetaType::QString && page.toString() == name)
            return true;
    return false;
}

} // namespace ostrel
