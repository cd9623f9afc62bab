#pragma once
// Network registration and signal of the simulated modem.
//
// State (Modem/Network): Registered (true), Roaming (false), Technology ("UMTS"), Domain
// ("CS_PS"; "CS_ONLY", "PS_ONLY", anything else no service), OperatorName ("Vandrel"),
// RoamingOperatorName (the second name), Mcc and Mnc of the registered network (default: the
// SIM's home network), Lac, CellId, Csq (20; 99 no measurement), Rscp (-85 dBm), EcNo (-6 dB),
// SignalReport ("rssi": 7/55, or "csq": 7/35), SignalIntervalMs (3000; 0: no periodic report),
// SearchMode (0), SelectedMode (0), PreferredMode (2), NationalRoaming (1), InternationalRoaming (1),
// and the serving cell's details: Rac (12), Frequency ("2112.8"), Channel (10564), RxQual (2),
// RxLev (45).
//
// Once the SIM is checked the signal is reported, then every SignalIntervalMs. Once the SIM is
// ready the network registers: network information 7/36, PLMN 7/37 (roaming text ROAM_ON or
// ROAM_OFF), registration 7/38 (1 home, 5 roaming, 0 not registered), the cell details 7/56
// (384 bytes: int32 RAC at 164, the frequency text at 168, int32 channel at 236, RX quality at
// 248 and RX level at 252; only while registered), the signal, search and
// preferred mode 513/75 and 513/80, and the roaming switches 513/85 (type 1). A SIM that is not
// ready gets 7/36 without service. Every change of the state through SetModemState reports again
// what changed; the packet-domain attach of the connection area adds or removes the PS domain.
// Requests of the settings (answers type 1; a result key scripts the answer's result byte, 0 by
// default, e.g. 255 or 253):
// - 513/76 (search mode): answered with ModeResult; a success stores the mode as NetSearchMode,
//   selects automatic operator selection and sets SearchMode/PreferredMode the way the device
//   reports them (0 "2G Only": mode 1; 1 "3G Only": mode 2; 2 "2G Preferred": mode 0, preference
//   1; others mode 0, preference 2); 513/75 is reported again.
// - 513/82 (band tag): answered with BandResult; a success stores Band (3) and reports it with
//   513/81 (type 1, module 3), as the SIM's readiness does.
// - 3/6 (CDMA preference): stored as CdmaPreference (8) and reported with 513/80.
// - 258/74 (network device information): type 1 with two int32, the second NdisCapable (0).
// - 513/84 (roaming switches, two int32): answered with RoamSwitchResult; only a success stores
//   the switches and reports them with 513/85.

#include "brannoc/ModemArea.h"

#include <QTimer>

#include <array>

namespace brannoc {

class NetworkArea final : public ModemArea {
public:
    NetworkArea();

    QString name() const override { return QStringLiteral("Network"); }
    void load(const QVariantMap &state) override;
    bool handleRequest(const yov::UI_MSG &request, ModemContext &context) override;
    void onEvent(ModemEvent event, ModemContext &context) override;
    QStringList stateKeys() const override;
    QVariantMap state() const override;

    // Registered with a packet-switched domain and a ready SIM: a data call can be set up.
    bool packetService() const;
    // Attaches (adds PS to the domain) or detaches; false when the modem is not registered.
    bool attachPacketDomain(bool attach, ModemContext &context);

    // The 7/55 words for a CSQ value, RSCP and Ec/No (GSM technologies carry 1000 for the last two).
    static std::array<std::int32_t, 3> rssiWords(int csq, int rscpDbm, int ecnoDb, bool gsm);

protected:
    void changed(const QVariantMap &previous, ModemContext &context) override;

private:
    bool registered() const;
    void pushRegistration(ModemContext &context);
    void pushCellDetails(ModemContext &context);
    void pushNoService(ModemContext &context);
    void pushSignal(ModemContext &context);
    void pushModes(ModemContext &context);
    void pushBand(ModemContext &context);
    void restartSignalTimer();

    bool simReady_ = false;
    bool simChecked_ = false;
    QString homeMcc_;
    QString homeMnc_;
    QTimer signalTimer_;
};

} // namespace brannoc
