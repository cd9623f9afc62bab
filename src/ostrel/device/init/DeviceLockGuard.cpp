#include "ostrel/device/init/DeviceLockGuard.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"

namespace ostrel {

const char *DeviceLockGuard::keyOfFunction(int function)
{
    static const char *const keys[] = {
        "DeviceLockDialFunction", "DeviceLockSMSFunction",  "DeviceLockPBFunction",     "DeviceLockUSSDFunction",
        "DeviceLockCallFunction", "DeviceLockSTKFunction", "DeviceLockSettingFunction",
    };
    return function >= 0 && function < int(std::size(keys)) ? keys[function] : nullptr;
}

DeviceLockGuard::DeviceLockGuard(int function, ConfigManager *config, yov::NotificationCenter &center, QObject *parent)
    : QObject(parent), function_(function), config_(config)
{
    center.addObserver(this, QStringLiteral("DeviceUnlockSuccess"), nullptr,
                       [this](const yov::Notification &n) { onSuccess(n); });
    center.addObserver(this, QStringLiteral("DeviceUnlockFailed"), nullptr,
                       [this](const yov::Notification &n) { onFailed(n); });
}

bool DeviceLockGuard::passOrAsk(QWidget *window, std::function<void()> proceed)
{
    const char *key = keyOfFunction(function_);
    ConfigManager *config = config_ ? config_ : ConfigManager::sharedConfigManager();
    const bool guarded = key && yov::nsBool(config->getConfigurationByModule(QLatin1String(key)));
    if (!guarded || !Neighbours::setting().getDeviceUnlockCodeState())
        return true;
    pending_ = std::move(proceed);
    Neighbours::init().openUnlockDeviceWindow(window);
    Neighbours::init().setDeviceLockFunctionModule(function_);
    return false;
}

void DeviceLockGuard::onSuccess(const yov::Notification &)
{
    if (!pending_ || Neighbours::init().getDeviceLockFunctionModule() != function_)
        return;
    auto proceed = std::move(pending_);
    pending_ = nullptr;
    proceed();
}

void DeviceLockGuard::onFailed(const yov::Notification &)
{
    pending_ = nullptr;
}

} // namespace ostrel
