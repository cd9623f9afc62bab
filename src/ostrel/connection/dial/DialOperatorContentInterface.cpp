#include "ostrel/connection/dial/DialOperatorContentInterface.h"

#include "common/ValueConversion.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"

namespace ostrel {

void DefaultDialOperatorContent::switchInternetTabAction()
{
    ConfigManager *config = ConfigManager::sharedConfigManager();
    if (!config || !yov::nsBool(config->getConfigurationByModule(QStringLiteral("EnableSplitConnectionProcess"))))
        return;
    if (Neighbours::dial().connectStatus() != yov::kConnectStatusConnected) {
        connectionLinksLaunched_ = false;
        return;
    }
    if (connectionLinksLaunched_)
        return;
    connectionLinksLaunched_ = true;
    Neighbours::setting().checkLauchWebLinksAtMoment(1);
}

} // namespace ostrel
