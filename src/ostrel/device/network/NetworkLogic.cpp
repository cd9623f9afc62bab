#include "ostrel/device/network/NetworkLogic.h"

namespace ostrel {

NetworkLogic::NetworkLogic(InitService &service, ConfigManager *store)
    : signal(service, store)
    , roaming(service, network, store)
    , registration(service, network, roaming, signal, store)
{
}

NetworkEffects NetworkLogic::deviceRemoved(const NetworkContext &context)
{
    NetworkEffects effects = registration.deviceRemoved(context);
    roaming.deviceRemoved(effects);
    signal.deviceRemoved();
    NetworkEffects reset = registration.initNibNetworkStatus(context);
    reset.roamSwitchesEnabled = effects.roamSwitchesEnabled;
    effects.notifications.append(reset.notifications);
    reset.notifications = effects.notifications;
    return reset;
}

SignalTracker::Context NetworkLogic::signalContext(const NetworkContext &context, bool simCardReady, int preferredMode) const
{
    SignalTracker::Context c;
    c.platform = context.platform;
    c.simCardReady = simCardReady;
    c.networkName = registration.networkName();
    c.preferredMode = preferredMode;
    return c;
}

} // namespace ostrel
