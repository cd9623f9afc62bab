#include "ostrel/framework/neighbours/InitControllerInterface.h"

#include "ostrel/framework/message/YOVMsgCenter.h"

namespace ostrel {

bool DefaultInitController::send(int minor)
{
    if (!msgCenter_)
        return false;
    return msgCenter_->sendMessageModuleID(kDeviceStateModule, kDeviceMajor, minor, 0, 0, nullptr);
}

bool DefaultInitController::setDeviceOffline() { return send(kSetOfflineMinor); }

bool DefaultInitController::setDeviceOnline() { return send(kSetOnlineMinor); }

} // namespace ostrel
