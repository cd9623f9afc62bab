#pragma once
// The network, signal and roaming state of the device-state controller, UI-free: one object
// that the controller keeps for the run and hands each report to. Every handler returns the
// NetworkEffects that the controller carries out.

#include "ostrel/device/network/NetworkEffects.h"
#include "ostrel/device/network/NetworkRegistration.h"
#include "ostrel/device/network/RoamingLogic.h"
#include "ostrel/device/network/SignalTracker.h"

namespace ostrel {

class ConfigManager;
class InitService;

class NetworkLogic {
public:
    // Over the given service and store (null: the shared store at each call).
    explicit NetworkLogic(InitService &service, ConfigManager *store = nullptr);
    NetworkLogic(const NetworkLogic &) = delete;
    NetworkLogic &operator=(const NetworkLogic &) = delete;

    // The device was removed: the registered network is forgotten, roaming back to "not
    // determined", the filter flags and the no-signal alert reset, the roaming switches disabled,
    // and the status area reset.
    NetworkEffects deviceRemoved(const NetworkContext &context);

    // The signal context from the registration's state and what the controller knows.
    SignalTracker::Context signalContext(const NetworkContext &context, bool simCardReady, int preferredMode) const;

    RegisteredNetworkState network;
    SignalTracker signal;
    RoamingLogic roaming;
    NetworkRegistration registration;
};

} // namespace ostrel
