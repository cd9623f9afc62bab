#pragma once
// What the connection controller asks of the connection's further features: the wording of the
// roaming-disconnect question. A feature implements its part of this interface in files of its own
// and installs itself with DialController::setExtensions().
//
// DefaultDialExtensions does the least: the plain roaming text.
#include <QString>

namespace ostrel {

class DialExtensionInterface {
public:
    virtual ~DialExtensionInterface() = default;

    // ---- the roaming-disconnect question
    virtual QString roamDisconnectText() const = 0;
};

class DefaultDialExtensions : public DialExtensionInterface {
public:
    QString roamDisconnectText() const override { return QStringLiteral("Cost will be increased at roaming status"); }
};

} // namespace ostrel
