#include "ostrel/settings/defaults/DeviceLockSettingController.h"

#include "common/records/UiMsg.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"

#include <QPointer>

namespace ostrel {

DeviceLockSettingController::DeviceLockSettingController(YOVMsgCenter *msgCenter, yov::NotificationCenter &center,
                                                         QObject *parent)
    : QObject(parent), msgCenter_(msgCenter), center_(center)
{
    if (msgCenter_)
        msgCenter_->registerObserver(this, &DeviceLockSettingController::dealWithMsgOfCheckDeviceUnLockResult,
                                     kUnlockResultMajor, kUnlockResultMinor);
}

DeviceLockSettingController::~DeviceLockSettingController()
{
    if (installed_ && &Neighbours::setting() == static_cast<SettingControllerInterface *>(this))
        Neighbours::setSetting(nullptr);
}

void DeviceLockSettingController::install()
{
    Neighbours::setSetting(this);
    installed_ = true;
}

void DeviceLockSettingController::dealWithMsgOfCheckDeviceUnLockResult(const yov::Notification &notification)
{
    yov::UI_MSG msg = yov::zeroMsg();
    if (msgCenter_)
        msgCenter_->getMsgPackage(&msg, &notification);
    else
        yov::msgFromBytes(notification.userInfo.value(QLatin1String(yov::kMsgUserInfo)).toByteArray(), msg);
    if (msg.result == 0) {
        center_.post(QStringLiteral("DeviceUnlockSuccess"), this, {});
    } else if (msg.result == -1) {
        // Without blocking the device link; the failure is told once the user has seen it.
        NSBeginAlertPanelExt(QStringLiteral("Warning"), QStringLiteral("Invalid password!"), QStringLiteral("OK"),
                             QString(), [self = QPointer<DeviceLockSettingController>(this)](int) {
                                 if (self)
                                     self->center_.post(QStringLiteral("DeviceUnlockFailed"), self.data(), {});
                             });
    }
}

} // namespace ostrel
