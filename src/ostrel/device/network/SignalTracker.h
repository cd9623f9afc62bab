#pragma once
// Signal reports of every chipset family turned into a level from 0 (no signal) to 5 (full), the
// EVDO image of CDMA modems, the radio values (RSSI, RSCP, Ec/No) and the no-signal alert.
//
// Reports: 7/35 (CSQ of ordinary and chipset-1 modems, 1X/EVDO values of CDMA modems, or the CDMA
// magnitudes when the record's platform flag is set), 7/55 (RSSI report) and 7/54 (chipset report,
// only with Main/IceraSignal on).

#include "ostrel/device/network/NetworkEffects.h"

#include <QString>

#include <functional>

namespace ostrel {

class ConfigManager;
class InitService;

namespace signal_levels {
// CSQ 0-31, 99 no measurement: 16-31 give 5, 13-15 4, 10-12 3, 7-9 2, 3-6 1, else 0.
int levelFromCsq(int csq);
// 1X value of a CDMA modem, by exact value: 10, 15, 22, 28, 31 give 1 to 5; anything else 0.
int levelFrom1X(int value);
// EVDO value of a CDMA modem by exact value (0, 20, 40, 60, 80, 99 give "rssi1" to "rssi6").
QString evdoImageFromValue(int value);
// CDMA magnitudes (positive; valid 1-119): 1-64 give 5, 65-74 4, 75-84 3, 85-94 2, 95-119 1.
int levelFromCdmaMagnitude(int magnitude);
QString evdoImageFromMagnitude(int magnitude);
// GSM level from the RSSI in dBm.
int levelFromGsmRssi(int rssiDbm);
// WCDMA level from RSCP (dBm) and Ec/No (dB): the first row whose both bounds hold.
int levelFromWcdma(int rscpDbm, int ecnoDb);
// Status text of a platform-3 CDMA modem from its 1X and EVDO values.
QString cdmaStatusText(int oneX, int evdo);
// Status text of the CDMA variant from its magnitudes; empty when it is to stay as it was.
QString cdmaVariantStatusText(int oneX, int evdo);
} // namespace signal_levels

class SignalTracker {
public:
    // What the controller knows at the time of a report.
    struct Context {
        int platform = 0;           // Platform::platform()
        bool simCardReady = false;  // run-time value runtimeSIMCardReady
        QString networkName;        // NetworkRegistration::networkName()
        int preferredMode = 0;      // Settings getCurrentNetWorkPreferedMode
    };

    explicit SignalTracker(InitService &service, ConfigManager *store = nullptr);

    // 7/35, 7/55, 7/54: the whole received record.
    NetworkEffects dealWithMsgOfCheckSignalStatus(const QByteArray &record, const Context &context);
    NetworkEffects dealWithMsgOfCheckYrssiSignalStatus(const QByteArray &record, const Context &context);
    NetworkEffects dealWithMsgOfCheckSignalStatusIcera(const QByteArray &record, const Context &context);

    // Shows a level (also with 0 when the status area is reset): image, Didizu image and tool tip,
    // init_SingalStrength. A level above 5 changes nothing.
    void setSignalStrength(int level, const Context &context, NetworkEffects &effects);
    // The radio values: ReadRscpRssiEcnoInfo, the texts, the service's signal text, diagnostics.
    void setRssiSignalWithRSCP(int rscp, int rssi, int ecno, const QString &networkName, NetworkEffects &effects);

    // The no-signal alert timer fired: true when the warning "Warning" /
    // "d3uAlertSel3G_PreferWhenSignalToNoSignal" / "OK" is to be shown now (it is then not shown
    // again until allowed).
    bool alertSelect3GPreferIfNoSignal(int preferredMode);
    void setAllowAlertSel3GPreferWhenSignalToNoSignal(bool allow) { allowAlertSel3GPreferWhenSignalToNoSignal_ = allow; }
    bool allowAlertSel3GPreferWhenSignalToNoSignal() const { return allowAlertSel3GPreferWhenSignalToNoSignal_; }

    // Where a CDMA status text goes (NetworkRegistration::setNetworkStatus); NetworkRegistration
    // installs itself. Unset: the text goes into NetworkEffects::networkStatus alone.
    using NetworkStatusSink = std::function<void(const QString &text, NetworkEffects &effects)>;
    void setNetworkStatusSink(NetworkStatusSink sink) { networkStatusSink_ = std::move(sink); }

    // The device was removed: the alert is allowed again.
    void deviceRemoved();

    // The last value a signal report wrote: the raw CSQ after a 7/35 CSQ, the level after 7/55.
    int m_SignalStrength() const { return m_SignalStrength_; }
    // The level the last signal report gave (any report, any platform).
    int signalLevel() const { return signalLevel_; }
    QString rscp() const { return rscp_; }
    QString rssi() const { return rssi_; }
    QString ecno() const { return ecno_; }

private:
    void displayQualcomWCDMASignal(const ReceivedRecord &r, const Context &c, NetworkEffects &e);
    void displayQualcomCDMASignal(const ReceivedRecord &r, const Context &c, NetworkEffects &e);
    void dealWithMsgOfCheckCDMASignalStatus(const ReceivedRecord &r, const Context &c, NetworkEffects &e);
    void showStatusText(const QString &text, const Context &c, NetworkEffects &e);

    InitService &service_;
    ConfigManager *store_ = nullptr;
    int m_SignalStrength_ = 0;
    int signalLevel_ = 0;
    QString rscp_;
    QString rssi_;
    QString ecno_;
    bool allowAlertSel3GPreferWhenSignalToNoSignal_ = true;
    NetworkStatusSink networkStatusSink_;
};

} // namespace ostrel
