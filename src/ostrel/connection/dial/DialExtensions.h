#pragma once
// What the connection controller asks of the connection's further features: the speed test and
// the operator content around a connection. Each of those features implements its part of this
// interface in files of its own and installs itself with DialController::setExtensions().
//
// DefaultDialExtensions does the least: no speed test, no first-connected actions.
#include <QString>

namespace ostrel {

class DialExtensionInterface {
public:
    virtual ~DialExtensionInterface() = default;

    // ---- speed test
    virtual void startSpeedTest(bool connected) = 0;
    virtual void writeDisconetNetWorkReason() = 0;

    // ---- operator content around the connection
    virtual void performActionWhenFirstConnected() = 0;
    virtual void launchURLAtFirstAPN() = 0;
    virtual void smartUIManualDisconnect() = 0;
    virtual QString roamDisconnectText() const = 0;
};

class DefaultDialExtensions : public DialExtensionInterface {
public:
    void startSpeedTest(bool) override {}
    void writeDisconetNetWorkReason() override {}
    void performActionWhenFirstConnected() override {}
    void launchURLAtFirstAPN() override {}
    void smartUIManualDisconnect() override {}
    QString roamDisconnectText() const override { return QStringLiteral("Cost will be increased at roaming status"); }
};

} // namespace ostrel
