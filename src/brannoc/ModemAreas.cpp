#include "brannoc/CallSettingsArea.h"
#include "brannoc/ConnectionArea.h"
#include "brannoc/DeviceStateArea.h"
#include "brannoc/ModemArea.h"
#include "brannoc/NetworkArea.h"
#include "brannoc/OperatorSelectionArea.h"
#include "brannoc/PhonebookArea.h"
#include "brannoc/SimArea.h"
#include "brannoc/SmsArea.h"

namespace brannoc {

bool ModemArea::set(const QVariantMap &values, ModemContext &context, QString *error)
{
    const QStringList known = stateKeys();
    QStringList unknown;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        if (!known.contains(it.key()))
            unknown << it.key();
    if (!unknown.isEmpty()) {
        if (error)
            *error = QStringLiteral("%1 has no state key %2 (known: %3)")
                         .arg(name(), unknown.join(QStringLiteral(", ")), known.join(QStringLiteral(", ")));
        return false;
    }
    const QVariantMap previous = state_;
    for (auto it = values.constBegin(); it != values.constEnd(); ++it)
        state_.insert(it.key(), it.value());
    changed(previous, context);
    return true;
}

std::vector<std::unique_ptr<ModemArea>> createModemAreas()
{
    std::vector<std::unique_ptr<ModemArea>> areas;
    areas.push_back(std::make_unique<DeviceStateArea>());
    areas.push_back(std::make_unique<SimArea>());
    // Before the network area: it sees the network's 513/76 before that area answers it.
    areas.push_back(std::make_unique<OperatorSelectionArea>());
    areas.push_back(std::make_unique<NetworkArea>());
    areas.push_back(std::make_unique<ConnectionArea>());
    areas.push_back(std::make_unique<SmsArea>());
    areas.push_back(std::make_unique<PhonebookArea>());
    areas.push_back(std::make_unique<CallSettingsArea>());
    return areas;
}

} // namespace brannoc
