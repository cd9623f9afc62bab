#pragma once
// What the connection controller asks of the connection's further features: the speed test and
// the wording of the roaming-disconnect question. Each of those features implements its part of
// this interface in files of its own and installs itself with DialController::setExtensions().
//
// DefaultDialExtensions does the least: no speed test, the plain roaming text.
#include <QString>

namespace ostrel {

class DialExtensionInterface {
public:
    virtual ~DialExtensionInterface() = default;

    // ---- speed test
    virtual void startSpeedTest(bool connected) = 0;
    virtual void writeDisconetNetWorkReason() = 0;

    // ---- the roaming-disconnect question
    virtual QString roamDisconnectText() const = 0;
};

class DefaultDialExtensions : public DialExtensionInterface {
public:
    void startSpeedTest(bool) override {}
    void writeDisconetNetWorkReason() override {}
    QString roamDisconnectText() const override { return QStringLiteral("Cost will be increased at roaming status"); }
};

} // namespace ostrel
