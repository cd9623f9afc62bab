#pragma once
// Device state of the simulated modem: handshake, device status, the user's device lock, device
// mode, online and offline, and the device's identity.
//
// State (Modem/DeviceState): DeviceMode (4, a mode with the WCDMA network settings), Locked (false: the user's device lock is on),
// UnlockCode ("1234"), Imei, FirmwareVersion, InternalFirmwareVersion, HardwareVersion, Model.
//
// Start-up, in order: handshake 1/0, device status 8/58 (plugged), lock state 0/26 (1 locked,
// 0 not), device mode 3/5; then, unless the device is locked, DeviceReady (the SIM area goes on).
// Once the SIM is checked: serial number (the IMEI) 7/50, firmware 7/44 and 7/45, hardware 7/48,
// model 7/49. All reports carry module 1.
//
// Requests: online 3/3 and offline 3/4 are answered with their own ID and result 0. The unlock
// code 5/27 (four ASCII digits) is answered with 0/164 to the device-state module (1) and with
// 512/164 to the settings module (3): result 0 for the right code, -1 otherwise. The first right
// code of a locked device lets the start-up go on. The settings window's lock switch 5/28 with the
// right code sets Locked to its enable word and is answered 8/26; a new code 5/30 with the right
// old one becomes UnlockCode and is answered 8/30. Both answers carry module 3 and type 1, result 0,
// or -1 (255) for a wrong code, which changes nothing.

#include "brannoc/ModemArea.h"

namespace brannoc {

class DeviceStateArea final : public ModemArea {
public:
    QString name() const override { return QStringLiteral("DeviceState"); }
    void load(const QVariantMap &state) override;
    void startup(ModemContext &context) override;
    bool handleRequest(const yov::UI_MSG &request, ModemContext &context) override;
    void onEvent(ModemEvent event, ModemContext &context) override;
    QStringList stateKeys() const override;
    QVariantMap state() const override;

    bool locked() const { return locked_; }

protected:
    void changed(const QVariantMap &previous, ModemContext &context) override;

private:
    void pushIdentity(ModemContext &context);
    bool rightCode(const QByteArray &code) const;

    bool locked_ = false;
    bool ready_ = false; // DeviceReady was announced since the start-up
    bool online_ = true;
};

} // namespace brannoc
