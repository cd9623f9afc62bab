#pragma once
// Device state of the simulated modem: handshake, device mode, SIM, PIN status and counts.
//
// Scenario state (Modem/DeviceState): DeviceMode (3), SimPresent (true), SimStatus (1: 3G SIM),
// PinReady (true), PinRemain (3), PukRemain (10).
//
// Start-up, in order: handshake 1/0, device mode 3/5, SIM status 6/32, PIN status 4/9 (when the
// PIN is ready), PIN/PUK counts 4/8 (type 1). Online 3/3 and offline 3/4 are answered with their
// own ID and result 0.

#include "brannoc/ModemArea.h"

namespace brannoc {

class DeviceStateArea final : public ModemArea {
public:
    QString name() const override { return QStringLiteral("DeviceState"); }
    void load(const QVariantMap &state) override;
    void startup(ModemContext &context) override;
    bool handleRequest(const yov::UI_MSG &request, ModemContext &context) override;

    static yov::UI_MSG report(std::uint16_t major, std::uint16_t minor, std::int32_t type, std::int8_t result,
                              std::initializer_list<std::int32_t> ints = {});

private:
    int deviceMode_ = 3;
    bool simPresent_ = true;
    int simStatus_ = 1;
    bool pinReady_ = true;
    int pinRemain_ = 3;
    int pukRemain_ = 10;
    bool online_ = true;
};

} // namespace brannoc
