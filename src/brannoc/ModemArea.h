#pragma once
// One area of the simulated modem (device state, SIM, network, connection, SMS, ...). Each area lives
// in a file of its own and is listed in createModemAreas() (ModemAreas.cpp).
//
// Areas keep their state as the scenario dictionary they were loaded from (Modem/<name>), so that a
// test can change any of it at run time (SetModemState) with the same keys a scenario file uses.
// They learn of each other's progress through modem events, broadcast in area order: the device
// state reports the device, the SIM area follows once the device is usable, the network registers
// once the SIM is ready, and so on.

#include "brannoc/Scenario.h"
#include "common/records/UiMsg.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

#include <memory>
#include <vector>

namespace brannoc {

class ModemArea;

enum class ModemEvent {
    DeviceReady,   // handshake and device reports are out and the device is not locked
    SimChecked,    // the SIM status and its PIN state are reported (ready or not)
    SimReady,      // the SIM is unlocked and readable
    NetworkChanged,// registration, service domain or roaming changed (reports are out)
    DeviceRemoved, // the modem was pulled out: timers stop, links drop, nothing more is reported
};

// What an area may do to the outside world.
class ModemContext {
public:
    virtual ~ModemContext() = default;
    // Sends one record to the dashboard (as a yMsg signal), at once.
    virtual void push(const yov::UI_MSG &record) = 0;
    // Tells every area (in start-up order) of an event, synchronously. A context without areas
    // (a test collecting one area's records) drops it.
    virtual void notify(ModemEvent) {}
    // Another area by name, or null.
    virtual ModemArea *area(const QString &) { return nullptr; }
};

class ModemArea {
public:
    virtual ~ModemArea() = default;
    // The key of the area's state in the scenario's Modem dictionary.
    virtual QString name() const = 0;
    // Takes the area's state from the scenario (an empty dictionary: the area's defaults). Any
    // running timer or link of the area stops.
    virtual void load(const QVariantMap &state) = 0;
    // Pushes the area's start-up records.
    virtual void startup(ModemContext &) {}
    // Handles one request after its reply has been sent; false when the area does not know it.
    virtual bool handleRequest(const yov::UI_MSG &request, ModemContext &context) = 0;
    // Reacts to an event of another area (or its own).
    virtual void onEvent(ModemEvent, ModemContext &) {}

    // The keys this area's state knows.
    virtual QStringList stateKeys() const { return {}; }
    // Changes part of the state at run time and reports what a modem would report on that change.
    // Refuses (with a reason, changing nothing) keys the area does not know.
    bool set(const QVariantMap &values, ModemContext &context, QString *error = nullptr);
    // The current state: the scenario keys with their present values, plus live values.
    virtual QVariantMap state() const { return state_; }

    // The context that timers of the area use; set once by the service.
    void bind(ModemContext *context) { context_ = context; }

protected:
    // Called by set() after the new values were merged into state_; previous holds the old state.
    virtual void changed(const QVariantMap &previous, ModemContext &context)
    {
        Q_UNUSED(previous);
        Q_UNUSED(context);
    }

    QVariantMap state_;
    ModemContext *context_ = nullptr;
};

// The modem areas in start-up order.
std::vector<std::unique_ptr<ModemArea>> createModemAreas();

} // namespace brannoc
