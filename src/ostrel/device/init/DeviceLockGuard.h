#pragma once
// The guard a dashboard function passes before it opens while the user's device lock is on.
//
// Each guarded function has its number and its settings key (0 DeviceLockDialFunction,
// 1 DeviceLockSMSFunction, 2 DeviceLockPBFunction, 3 DeviceLockUSSDFunction,
// 4 DeviceLockCallFunction, 5 DeviceLockSTKFunction, 6 DeviceLockSettingFunction). When the key is
// on and the settings side reports the lock on, the guard opens the unlock sheet on the function's
// window, records the function's number, and the function does not open. On DeviceUnlockSuccess
// the function goes on only when the recorded number is its own; on DeviceUnlockFailed it stays
// closed.
#include "platform/NotificationCenter.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace ostrel {

class ConfigManager;

class DeviceLockGuard : public QObject {
    Q_OBJECT
public:
    // The settings key of a function number; null for an unknown number.
    static const char *keyOfFunction(int function);

    DeviceLockGuard(int function, ConfigManager *config = nullptr,
                    yov::NotificationCenter &center = yov::NotificationCenter::defaultCenter(),
                    QObject *parent = nullptr);

    // True when the function may open now; false when it has to wait for the unlock (the sheet
    // is then open on the window, and proceed runs once the device accepts a code for this
    // function; a refused or cancelled unlock drops it).
    bool passOrAsk(QWidget *window, std::function<void()> proceed);
    bool isWaiting() const { return bool(pending_); }

private:
    void onSuccess(const yov::Notification &n);
    void onFailed(const yov::Notification &n);

    int function_;
    ConfigManager *config_;
    std::function<void()> pending_;
};

} // namespace ostrel
