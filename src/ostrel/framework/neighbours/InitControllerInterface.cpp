#include "ostrel/framework/neighbours/InitControllerInterface.h"

#include "ostrel/framework/message/YOVMsgCenter.h"

namespace ostrel {

bool DefaultInitController::setDeviceOffline() { return msgCenter_ && msgCenter_->sendCatalogued<3, 4>(); }

bool DefaultInitController::setDeviceOnline() { return msgCenter_ && msgCenter_->sendCatalogued<3, 3>(); }

} // namespace ostrel
