#pragma once
// What the connection controller asks of the connection's further features: automatic connect
// and reconnect, profile cycling and the operator content around a connection,
// plus the few device-state answers the connect checks need. Each of those features implements its part of this interface in files of its own and
// installs itself with DialController::setExtensions().
//
// DefaultDialExtensions does the least: no profile cycling (the current try is always the last),
// no automatic reconnect, no first-connected actions, home network.
#include <QString>

namespace ostrel {

class DialExtensionInterface {
public:
    virtual ~DialExtensionInterface() = default;

    // ---- profile cycling
    virtual void apnCycleStart() = 0;
    // True when another profile was selected and its parameters sent (the caller dials again).
    virtual bool apnCycleTryNext() = 0;
    virtual bool apnCycleLastTry() const = 0;
    virtual void apnCycleEnd() = 0;

    // ---- automatic connect and reconnect
    virtual void reconnect(bool reset) = 0;
    virtual bool isDoReconnectAfterDisconnect() const = 0;
    virtual bool checkAutoConnectForPPPFailed() const = 0;
    virtual void doReconnectAfterAutoDisconnect() = 0;
    virtual void AutoReconnectForNdis() = 0;
    // The device-state controller's "try again after leaving roaming" flag; reading clears it.
    virtual bool takeApnCycleWhenRoamToNoRoam() = 0;

    // ---- operator content around the connection
    // False ends a PPP connect request before anything is sent.
    virtual bool doBeforeConnect() = 0;
    virtual bool checkAPNAccountFlag() const = 0;
    // True when a user-name sheet was opened (the request ends).
    virtual bool checkAPNAccount() = 0;
    virtual void performActionWhenFirstConnected() = 0;
    virtual void launchURLAtFirstAPN() = 0;
    virtual void doAfterConnected() = 0;
    virtual void smartUIManualDisconnect() = 0;
    virtual QString roamAlertOKBtnWording() const = 0;
    virtual QString roamDisconnectText() const = 0;
    virtual void monitorNetworkService(bool service) = 0;

    // ---- device state
    // 0 roaming, 1 home network, 2 not determined.
    virtual int roamingStatus() const = 0;
    virtual bool isInWhiteList() const = 0;
};

class DefaultDialExtensions : public DialExtensionInterface {
public:
    void apnCycleStart() override {}
    bool apnCycleTryNext() override { return false; }
    bool apnCycleLastTry() const override { return true; }
    void apnCycleEnd() override {}
    void reconnect(bool) override {}
    bool isDoReconnectAfterDisconnect() const override { return false; }
    bool checkAutoConnectForPPPFailed() const override { return false; }
    void doReconnectAfterAutoDisconnect() override {}
    void AutoReconnectForNdis() override {}
    bool takeApnCycleWhenRoamToNoRoam() override { return false; }
    bool doBeforeConnect() override { return true; }
    bool checkAPNAccountFlag() const override { return false; }
    bool checkAPNAccount() override { return false; }
    void performActionWhenFirstConnected() override {}
    void launchURLAtFirstAPN() override {}
    void doAfterConnected() override {}
    void smartUIManualDisconnect() override {}
    QString roamAlertOKBtnWording() const override { return QStringLiteral("OK"); }
    QString roamDisconnectText() const override { return QStringLiteral("Cost will be increased at roaming status"); }
    void monitorNetworkService(bool) override {}
    int roamingStatus() const override { return 1; }
    bool isInWhiteList() const override { return false; }
};

} // namespace ostrel
