#pragma once
// What the rest of the dashboard asks of the settings controller (SettingController).
//
// DefaultSettingController: no manual selection, no device lock, automatic connection off, no
// settings window to update; the roaming switches request is not sent (there are no check boxes
// and no defaults to take them from). A message meant for the user is still shown
// (runAlertPanel), without blocking.
#include <QString>

namespace ostrel {

class SettingControllerInterface {
public:
    virtual ~SettingControllerInterface() = default;

    virtual bool isManualSelecting() const = 0;
    virtual bool getOperatorSelectionForNetwork() const = 0;
    virtual bool isPinPukOrNetSelectWinBeginSheet() const = 0;
    virtual bool getDeviceUnlockCodeState() const = 0;
    virtual void setDeviceUnlockCodeState(bool on) = 0;
    virtual bool allowAutoConnect() const = 0;
    virtual void setAutoConnectBtnEnable(bool enable) = 0;
    virtual void setSettingBtnStatus(bool enable) = 0;

    // Alert "Warning!" with the localised message and "OK". Callers may be device-record
    // handlers: implementations show it without blocking (NSBeginAlertPanelExt).
    virtual void runAlertPanel(const QString &message) = 0;
    virtual void setPinTimeLeft(int count) = 0;
    virtual void setPukTimeLeft(int count) = 0;
    virtual void setPinActiveStatus(int state) = 0;

    virtual void setWCDMASelectNetworkVisible(bool visible) = 0;
    virtual void setCDMASelectNetworkVisible(bool visible) = 0;
    virtual void setRoamingStateAccordImsi(const QString &imsi) = 0;
    virtual void setCheckForUpdateRuzuvoEnable(bool enable) = 0;
    virtual void setSmartModel(const QString &model) = 0;
    virtual void setAllowAlertSel3GPreferWhenSignalToNoSignal(bool allow) = 0;

    virtual int getCurrentNetWorkPreferedMode() const = 0;
    virtual int getNetworkMode() const = 0;
    virtual void dealWithMsgOfCheckSearchmode(int searchMode, int selectedMode, int prefMode) = 0;
    virtual void dealWithMsgOfCheckSearchmodeForIcera(int searchMode, int selectedMode) = 0;
    virtual void dealWithMsgOfCheckPreferenceMode(int mode) = 0;
    virtual void sendSetRoamSwitch() = 0;

    // Texts for the diagnostics window.
    virtual QString getPinStatus() const = 0;
    virtual QString getNetworkSelectionMode() const = 0;
    virtual QString getNetworkFindModeSelection() const = 0;
    virtual QString readMessageCenter() const = 0;

    virtual void AutoLaunchURL() = 0;
    // Launches the favourite links marked for connection (1) or start-up (0).
    virtual void checkLauchWebLinksAtMoment(int moment) = 0;
};

class DefaultSettingController : public SettingControllerInterface {
public:
    bool isManualSelecting() const override { return false; }
    bool getOperatorSelectionForNetwork() const override { return false; }
    bool isPinPukOrNetSelectWinBeginSheet() const override { return false; }
    bool getDeviceUnlockCodeState() const override { return false; }
    void setDeviceUnlockCodeState(bool) override {}
    bool allowAutoConnect() const override { return false; }
    void setAutoConnectBtnEnable(bool) override {}
    void setSettingBtnStatus(bool) override {}
    void runAlertPanel(const QString &message) override;
    void setPinTimeLeft(int) override {}
    void setPukTimeLeft(int) override {}
    void setPinActiveStatus(int) override {}
    void setWCDMASelectNetworkVisible(bool) override {}
    void setCDMASelectNetworkVisible(bool) override {}
    void setRoamingStateAccordImsi(const QString &) override {}
    void setCheckForUpdateRuzuvoEnable(bool) override {}
    void setSmartModel(const QString &) override {}
    void setAllowAlertSel3GPreferWhenSignalToNoSignal(bool) override {}
    int getCurrentNetWorkPreferedMode() const override { return 0; }
    int getNetworkMode() const override { return 0; }
    void dealWithMsgOfCheckSearchmode(int, int, int) override {}
    void dealWithMsgOfCheckSearchmodeForIcera(int, int) override {}
    void dealWithMsgOfCheckPreferenceMode(int) override {}
    void sendSetRoamSwitch() override {}
    QString getPinStatus() const override { return {}; }
    QString getNetworkSelectionMode() const override { return {}; }
    QString getNetworkFindModeSelection() const override { return {}; }
    QString readMessageCenter() const override { return {}; }
    void AutoLaunchURL() override {}
    void checkLauchWebLinksAtMoment(int) override {}
};

} // namespace ostrel
