#pragma once
// One area of the simulated modem (device state, network, connection, SMS, ...). Each area lives
// in a file of its own and is listed in createModemAreas() (ModemAreas.cpp).

#include "brannoc/Scenario.h"
#include "common/records/UiMsg.h"

#include <QString>
#include <QVariantMap>

#include <memory>
#include <vector>

namespace brannoc {

// What an area may do to the outside world.
class ModemContext {
public:
    virtual ~ModemContext() = default;
    // Sends one record to the dashboard (as a yMsg signal), at once.
    virtual void push(const yov::UI_MSG &record) = 0;
};

class ModemArea {
public:
    virtual ~ModemArea() = default;
    // The key of the area's state in the scenario's Modem dictionary.
    virtual QString name() const = 0;
    // Takes the area's state from the scenario (an empty dictionary: the area's defaults).
    virtual void load(const QVariantMap &state) = 0;
    // Pushes the area's start-up records.
    virtual void startup(ModemContext &) {}
    // Handles one request after its reply has been sent; false when the area does not know it.
    virtual bool handleRequest(const yov::UI_MSG &request, ModemContext &context) = 0;
};

// The modem areas in start-up order.
std::vector<std::unique_ptr<ModemArea>> createModemAreas();

} // namespace brannoc
