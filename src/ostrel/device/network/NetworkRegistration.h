#pragma once
// Network registration as the device service reports it: the service domain, the access
// technology shown to the user, the registered network's MCC and MNC, the operator names, the
// search-and-register model, the packet-domain notice for the connection area, and when the
// network has changed.
//
// Reports: 7/36 (network information), 7/46 (chipset network information), 7/37 (PLMN), 7/39 and
// 7/40 (SIM files SPDI and SPN), 7/57 (home MCC), 513/75 and 513/80 (search and preferred mode,
// decoded for the settings area).

#include "ostrel/device/network/NetworkEffects.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace ostrel {

class ConfigManager;
class InitService;
class RoamingLogic;
class SignalTracker;

class NetworkRegistration {
public:
    NetworkRegistration(InitService &service, RegisteredNetworkState &network, RoamingLogic &roaming,
                        SignalTracker &signal, ConfigManager *store = nullptr);

    // --- Reports: the whole received record.
    NetworkEffects dealWithMsgOfCheckNetInfo(const QByteArray &record, const NetworkContext &context);        // 7/36
    NetworkEffects dealWithMsgOfCheckNetInfoForIcera(const QByteArray &record, const NetworkContext &context); // 7/46
    NetworkEffects dealWithMsgOfCheckPLMN(const QByteArray &record, const NetworkContext &context);           // 7/37
    void dealWithMsgOfCheckSPDI(const QByteArray &record);                                                   // 7/39
    void dealWithMsgOfCheckSPN(const QByteArray &record);                                                    // 7/40
    // 7/57: false (and nothing kept) for a failed record.
    bool dealWithMsgOfCheckHPLMN(const QByteArray &record);

    // 513/75 for Settings dealWithMsgOfCheckSearchmode:selectedMode:prefMode: (on platform 1 the
    // first two for dealWithMsgOfCheckSearchmodeForIcera:selectedMode:); none for a failed record.
    struct SearchMode {
        int searchMode = 0;
        int selectedMode = 0;
        int prefMode = 0;
    };
    static std::optional<SearchMode> dealWithMsgOfCheckSearchMode(const QByteArray &record);
    // 513/80 for Settings dealWithMsgOfCheckPreferenceMode:; none for a failed record.
    static std::optional<int> dealWithMsgOfCheckPreferenceMode(const QByteArray &record);

    // --- Status area.
    // Resets it: EVDO image "rssi1", level 0, roaming status 2, empty names, "No Service", no
    // domain mark. (The modem and SIM status and hiding the mark under HidePCDomain are the
    // controller's.)
    NetworkEffects initNibNetworkStatus(const NetworkContext &context);
    // The common sink of 7/36 and 7/46.
    void setNetworkDomain(int mode, const QString &name, const NetworkContext &context, NetworkEffects &effects);
    void setNetworkStatus(const QString &text, int platform, NetworkEffects &effects);
    void setDomainName(const QString &mark, NetworkEffects &effects);
    void setLocalSPN(const QString &name, bool refresh, NetworkEffects &effects);
    void setBelonetoSPN(const QString &name, NetworkEffects &effects);

    QString getDisplayNetWorkTypeWithNetType(const QString &netType) const;
    // 1 for "2g"/"3g", 3 for "2G"/"3G" found in the text, else 0.
    static int networkModeForIceraWithNetStr(const QString &netStr);
    void compareAccessTechnology(const QString &oldTechnology, const QString &newTechnology,
                                 const NetworkContext &context, NetworkEffects &effects) const;

    // --- Domain and network queries.
    bool hasCSDomain() const { return (networkMode_ & 1) != 0; }
    bool hasPSDomain() const;
    bool checkToReturnPSDomain() const;
    // The packet-domain value for DialController setPSDomainStatus: (and Settings
    // setAutoConnectBtnEnable:), when it is to be told.
    void informOtherModulePSDomain(int mode, const NetworkContext &context, NetworkEffects &effects) const;
    // NO when the registered network is unset or the same as the previous one (MCC and MNC each
    // compared with its own length where the device reported them).
    bool isNetWorkChangedWithPreMCCMNC(const QString &oldMccmnc, const Plmn &oldPlmn) const;
    // The search-and-register model: with SearchRegistModel on, the first registered report is
    // skipped and the second turns the model off in settings.plist.
    bool checkSearchRegistStatus();
    void checkAPNMatchWithMCCMNC(const QString &mccmnc, NetworkEffects &effects);
    void checkLocalMCCAndNetMCC(const QString &localMcc, const QString &netMcc, NetworkEffects &effects) const;
    // The operator names by the display strategy of InitService.
    void showSpn(NetworkEffects &effects);

    // The device was removed.
    NetworkEffects deviceRemoved(const NetworkContext &context);

    // --- State.
    int networkMode() const { return networkMode_; }
    QString mccmnc() const { return network_.mccmnc; }
    Plmn registeredPlmn() const { return network_.plmn; }
    QString networkName() const { return networkName_; }
    QString getCurrentAccessTechnology() const { return currentAccessTechnology_; }
    void setCurrentAccessTechnology(const QString &technology) { currentAccessTechnology_ = technology; }
    QString m_SPN() const { return m_SPN_; }
    int m_DisplayCondForSpn() const { return m_DisplayCondForSpn_; }
    int currentHMcc() const { return network_.currentHMcc; }
    void setCurrentHMcc(int mcc) { network_.currentHMcc = mcc; }
    bool firstTimeDealWithYdonWhenNetWorkChanged() const { return firstYdon_; }
    bool firstTimeDealWithYpasWhenNetWorkChanged() const { return firstYpas_; }
    bool getSmartUITopFrontSizeFlag() const { return smartUITopFrontSizeFlag_; }
    void setSmartUITopFrontSizeFlag(bool flag) { smartUITopFrontSizeFlag_ = flag; }

private:
    struct PlmnReport;
    void postSetProviderAndDomainStatusForGeneral(const PlmnReport &report, NetworkEffects &effects);
    void progressSPNDomainForGeneral(const QString &name, bool refresh, NetworkEffects &effects);
    bool registeredIsHomeOrFriendly() const;
    void setNetworkStatusWhenDomainModeChange(int mode, NetworkEffects &effects) const;
    void takeHomeMncLength(const QString &homeMnc);

    InitService &service_;
    RegisteredNetworkState &network_;
    RoamingLogic &roaming_;
    SignalTracker &signal_;
    ConfigManager *store_ = nullptr;

    int networkMode_ = 0;
    QString currentAccessTechnology_;
    QString networkName_;
    QString localSpnShown_; // the local name last shown, before localisation
    bool firstYdon_ = true;
    bool firstYpas_ = false;
    bool manualRegistFlag_ = false;
    QString m_SPN_;
    int m_DisplayCondForSpn_ = 0;
    bool smartUITopFrontSizeFlag_ = false;
    std::optional<QString> mccmncForApnMatch_; // MCCMNCForAPNMatch, loaded on first use
};

} // namespace ostrel
