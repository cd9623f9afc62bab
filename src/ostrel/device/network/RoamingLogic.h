#pragma once
// Roaming: the status shown (0 roaming, 1 home, 2 not determined), how it changed (roam transfer
// mode 0 roaming to home, 1 home to roaming, 2 no change), the roaming alert, the disconnect
// question on entering roaming, what a network change does to the connection, the white list,
// national roaming, the modem's roaming switches and the Didizu images.

#include "ostrel/device/network/NetworkEffects.h"

#include <QByteArray>
#include <QString>

namespace ostrel {

class ConfigManager;
class InitService;

class RoamingLogic {
public:
    enum RoamTransfer { RoamToHome = 0, HomeToRoam = 1, NoTransfer = 2 };

    RoamingLogic(InitService &service, const RegisteredNetworkState &network, ConfigManager *store = nullptr);

    // 5 gives 0, 1 gives 1, anything else 2.
    static int getNetworkRoamStatusWithCregResult(int creg);
    // "ROAM_ON" gives 0, "ROAM_OFF" 1, anything else 2.
    static int getNetworkRoamStatusWithYdonResult(const QString &text);

    // The one place that shows a status: hide-roaming lists, "R", transfer, init_RoamStatus,
    // Didizu images.
    void setRoamInfoWithNetworkRoamStatus(int status, const NetworkContext &context, NetworkEffects &effects);
    void setRoamTransferModeWithPreStatus(int pre, int status, const NetworkContext &context, NetworkEffects &effects);
    // Internet/disNetWhileToRoam on and connected: the question "You are about to connect to a
    // roaming network.Do you want to disconnect now?" (title "Warning", buttons "YES", "NO").
    void disconectNetIfConfig(const NetworkContext &context, NetworkEffects &effects);
    // The user's answer to that question: YES disconnects, NO keeps the connection for this
    // roaming period.
    NetworkEffects answerRoamDisconnect(bool disconnect);
    bool roamDisconnectQuestionPending() const { return disconnectQuestionPending_; }

    // The roaming alert (top-level enableRoamAlert): once per roaming period.
    void showRoamAlertWindow(int status, NetworkEffects &effects);

    // The actions of a change of the registered network.
    void doWhenNetWorkChanged(const NetworkContext &context, NetworkEffects &effects);

    // White list (Internet/InternetWhiteList, Internet/paySameAsHomeNetIfIsWhilteNet).
    bool isInWhiteList() const;
    void whiteListCheck(NetworkEffects &effects);
    // The sheet's check box.
    void clickCheckboxInD3uPopUp1(bool checked) { roamTipWhenInWhiteList_ = checked; }

    // National roaming: runtimeIsSameMCC from the registered network's MCC and the home MCC.
    void checkIsNationnalRoam(NetworkEffects &effects) const;
    // Internet/CloseRoamAtDomesticRoaming: roaming within the home country shows as home.
    int closeRoamAtDomesticRoaming(int status, const QString &homeMcc, const QString &netMcc) const;

    // 7/38 registration report (acts on platform 1 only).
    NetworkEffects dealWithMsgOfCheckRoamInfo(const QByteArray &record, const NetworkContext &context);
    // 513/85 roaming switches (a reply to module 1, type 1, result 0).
    NetworkEffects dealWithMsgOfReadRoamSwitch(const QByteArray &record);

    void setRoamStatusForDidizu(int status, NetworkEffects &effects) const;

    // The device was removed.
    void deviceRemoved(NetworkEffects &effects);

    int networkRoamStatus() const { return networkRoamStatus_; }
    void setNetworkRoamStatus(int status) { networkRoamStatus_ = status; }
    int registeredNetworkRoamStatus() const { return registeredNetworkRoamStatus_; }
    void setRegisteredNetworkRoamStatus(int status) { registeredNetworkRoamStatus_ = status; }
    int roamTransferMode() const { return roamTransferMode_; }
    void setRoamTransferMode(int mode) { roamTransferMode_ = mode; }
    bool hasAlertRoam() const { return hasAlertRoam_; }
    bool whiteListCheckFlag() const { return whiteListCheckFlag_; }
    void setWhiteListCheckFlag(bool flag) { whiteListCheckFlag_ = flag; }
    bool roamTipWhenInWhiteList() const { return roamTipWhenInWhiteList_; }
    void setRoamTipWhenInWhiteList(bool flag) { roamTipWhenInWhiteList_ = flag; }
    bool apnCyleWhenRoamToNoRoam() const { return apnCyleWhenRoamToNoRoam_; }
    void setApnCyleWhenRoamToNoRoam(bool flag) { apnCyleWhenRoamToNoRoam_ = flag; }
    int iRoamDefaultValue() const { return iRoamDefaultValue_; }
    int nRoamDefaultValue() const { return nRoamDefaultValue_; }

private:
    bool hideRoaming() const;

    InitService &service_;
    const RegisteredNetworkState &network_;
    ConfigManager *store_ = nullptr;

    int networkRoamStatus_ = 2;
    int registeredNetworkRoamStatus_ = 2;
    int roamTransferMode_ = NoTransfer;
    bool hasAlertRoam_ = false;
    bool whiteListCheckFlag_ = true;
    bool roamTipWhenInWhiteList_ = true;
    bool apnCyleWhenRoamToNoRoam_ = false;
    int iRoamDefaultValue_ = 0;
    int nRoamDefaultValue_ = 0;
    // The disconnect question of this roaming period: asked and not yet answered, or answered NO.
    bool disconnectQuestionPending_ = false;
    bool disconnectDeclined_ = false;
};

} // namespace ostrel
