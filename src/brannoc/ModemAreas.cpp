#include "brannoc/DeviceStateArea.h"
#include "brannoc/ModemArea.h"

namespace brannoc {

std::vector<std::unique_ptr<ModemArea>> createModemAreas()
{
    std::vector<std::unique_ptr<ModemArea>> areas;
    areas.push_back(std::make_unique<DeviceStateArea>());
    return areas;
}

} // namespace brannoc
