#include "ostrel/framework/service/Platform.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"

namespace ostrel {

Platform *Platform::sharedPlatform()
{
    static Platform instance;
    return &instance;
}

int Platform::platformForDeviceType(const QVariant &deviceType)
{
    if (deviceType.metaType() != QMetaType::fromType<QString>())
        return Ordinary;
    const QString text = deviceType.toString();
    if (text == QLatin1String("Icera"))
        return Icera;
    if (text == QLatin1String("KV401"))
        return KV401;
    if (text == QLatin1String("CDMA"))
        return CDMA;
    return Ordinary;
}

int Platform::platform()
{
    if (platform_ == Uninitialised) {
        ConfigManager *store = ConfigManager::sharedConfigManager();
        platform_ = platformForDeviceType(
            store ? store->getConfigurationByModuleAndKey(QStringLiteral("Main"), QStringLiteral("DeviceType")) : QVariant());
    }
    return platform_;
}

void Platform::setPlatform(int platform)
{
    platform_ = platform;
}

void Platform::reset()
{
    platform_ = Uninitialised;
}

} // namespace ostrel
