#pragma once
// The settings side of the user's device lock, until the settings window exists: it keeps whether
// the lock is on (setDeviceUnlockCodeState / getDeviceUnlockCodeState) and answers the device's
// verdict on a code sent from the settings side (512/164): accepted posts DeviceUnlockSuccess,
// refused alerts "Invalid password!" and posts DeviceUnlockFailed. Both carry this object as
// sender. Everything else answers as DefaultSettingController does.
//
// install() makes it the process-wide settings controller (Neighbours::setting()) until it is
// destroyed.
//
// The settings side's messages (runAlertPanel) are shown as the default shows them.
#include "ostrel/framework/neighbours/SettingControllerInterface.h"
#include "platform/NotificationCenter.h"

#include <QObject>

namespace ostrel {

class YOVMsgCenter;

class DeviceLockSettingController : public QObject, public DefaultSettingController {
    Q_OBJECT
public:
    static constexpr int kUnlockResultMajor = 512;
    static constexpr int kUnlockResultMinor = 164;

    // Registers for 512/164 on the message center (none: only the lock state is kept).
    explicit DeviceLockSettingController(YOVMsgCenter *msgCenter,
                                         yov::NotificationCenter &center = yov::NotificationCenter::defaultCenter(),
                                         QObject *parent = nullptr);
    ~DeviceLockSettingController() override;

    void install();

    bool getDeviceUnlockCodeState() const override { return deviceUnlockCodeState_; }
    void setDeviceUnlockCodeState(bool on) override { deviceUnlockCodeState_ = on; }

    void dealWithMsgOfCheckDeviceUnLockResult(const yov::Notification &notification);

private:
    YOVMsgCenter *msgCenter_ = nullptr;
    yov::NotificationCenter &center_;
    bool deviceUnlockCodeState_ = false;
    bool installed_ = false;
};

} // namespace ostrel
