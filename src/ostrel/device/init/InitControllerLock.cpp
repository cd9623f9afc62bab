// The user's device lock: the unlock sheet, the code sent to the device and the answer.
#include "ostrel/device/init/InitController.h"

#include "common/records/Payload.h"
#include "ostrel/framework/neighbours/Neighbours.h"

#include <QLineEdit>

namespace ostrel {

namespace {
bool isFourDigits(const QString &code)
{
    if (code.size() != 4)
        return false;
    for (QChar c : code)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}
} // namespace

void InitController::dealWithMsgOfCheckDeviceLockStatus(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.result != 0)
        return;
    if (r.payload.int32(0) == 1) {
        Neighbours::setting().setDeviceUnlockCodeState(true);
        openUnlockDeviceWindow(wndMain);
    } else {
        firstUnlockedDevice_ = true;
        Neighbours::setting().setDeviceUnlockCodeState(false);
    }
}

void InitController::openUnlockDeviceWindow(QWidget *window)
{
    wndUnlockDevice_->tfdUnlockDeviceCode_->clear();
    wndUnlockDevice_->beginSheetOn(topmostSheetOf(window));
    wndUnlockDevice_->tfdUnlockDeviceCode_->setFocus();
}

void InitController::unlockDeviceOK(QObject *)
{
    const QString code = wndUnlockDevice_->tfdUnlockDeviceCode_->text();
    if (!isFourDigits(code)) {
        alert(QStringLiteral("The unlock device code must be 4 digitals"));
        return;
    }
    // Four ASCII digits without a terminator; after the first unlock under the settings' module.
    yov::FixedPayload<4> data;
    data.setBytes(0, 4, code.toLatin1());
    sendRequest<5, 27>(data, firstUnlockedDevice_ ? yov::kModuleSetting : yov::kModuleInit);
    wndUnlockDevice_->endSheet();
}

void InitController::unlockDeviceCancel(QObject *)
{
    wndUnlockDevice_->endSheet();
    notificationCenter().post(QStringLiteral("DeviceUnlockFailed"), this, {});
    if (!netCardStatusHook || netCardStatusHook() != 12)
        setModemStatus(false);
}

void InitController::dealWithMsgOfCheckDeviceUnLockResult(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.result == 0) {
        firstUnlockedDevice_ = true;
    } else if (r.result == -1) {
        alert(QStringLiteral("Invalid password!"), [this] { openUnlockDeviceWindow(wndMain); });
    }
}

} // namespace ostrel
