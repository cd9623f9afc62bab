#pragma once
// What the rest of the dashboard asks of the settings controller (SettingController).
//
// DefaultSettingController: no manual selection, no device lock, automatic connection by the stored
// keys (see allowAutoConnect), no
// settings window to update; the roaming switches request is not sent (there are no check boxes
// and no defaults to take them from). A message meant for the user is still shown
// (runAlertPanel), without blocking. The settings pages are those the configuration lists.
#include <QString>

namespace ostrel {

class ConfigManager;

class SettingControllerInterface {
public:
    virtual ~SettingControllerInterface() = default;

    virtual bool isManualSelecting() const = 0;
    virtual bool getOperatorSelectionForNetwork() const = 0;
    virtual bool isPinPukOrNetSelectWinBeginSheet() const = 0;
    virtual bool getDeviceUnlockCodeState() const = 0;
    virtual void setDeviceUnlockCodeState(bool on) = 0;
    virtual bool allowAutoConnect() const = 0;
    // Whether a lost connection is made again by itself: always with
    // Internet/EnableAutoReconnectNotDependOnAutoConnectLable, else as allowAutoConnect.
    virtual bool allowAutoReconnect() const = 0;
    virtual void setAutoConnectBtnEnable(bool enable) = 0;
    virtual void setSettingBtnStatus(bool enable) = 0;

    // Alert "Warning!" with the localised message and "OK". Callers may be device-record
    // handlers: implementations show it without blocking (NSBeginAlertPanelExt).
    virtual void runAlertPanel(const QString &message) = 0;
    virtual void setPinTimeLeft(int count) = 0;
    virtual void setPukTimeLeft(int count) = 0;
    virtual void setPinActiveStatus(int state) = 0;

    // Hide (true) or show the WCDMA, respectively CDMA, preferred-mode box.
    virtual void setWCDMASelectNetworkVisible(bool hidden) = 0;
    virtual void setCDMASelectNetworkVisible(bool hidden) = 0;
    virtual void setRoamingStateAccordImsi(const QString &imsi) = 0;
    virtual void setCheckForUpdateRuzuvoEnable(bool enable) = 0;
    virtual void setSmartModel(const QString &model) = 0;

    virtual int getCurrentNetWorkPreferedMode() const = 0;
    virtual int getNetworkMode() const = 0;
    virtual void dealWithMsgOfCheckSearchmode(int searchMode, int selectedMode, int prefMode) = 0;
    virtual void dealWithMsgOfCheckSearchmodeForIcera(int searchMode, int selectedMode) = 0;
    virtual void dealWithMsgOfCheckPreferenceMode(int mode) = 0;
    virtual void sendSetRoamSwitch() = 0;

    // The roaming-identity choice, for the SIM toolkit host: it enables the choice when the SIM's
    // main menu arrives, and on the identity sub-menu selects item roamingImsiType() while
    // roamingImsiSet() is on, then clears it. Defaults: no choice, nothing pending.
    virtual void setRoamingIMSISelectEnabled(bool enable) { (void)enable; }
    virtual int roamingImsiType() const { return 0; }
    virtual bool roamingImsiSet() const { return false; }
    virtual void setRoamingImsiSet(bool set) { (void)set; }

    // Texts for the diagnostics window.
    virtual QString getPinStatus() const = 0;
    virtual QString getNetworkSelectionMode() const = 0;
    virtual QString getNetworkFindModeSelection() const = 0;
    virtual QString readMessageCenter() const = 0;

    virtual void AutoLaunchURL() = 0;
    // Launches the favourite links marked for connection (1) or start-up (0).
    virtual void checkLauchWebLinksAtMoment(int moment) = 0;

    // Whether the settings pages include the one of that name ("Record", "Volume Limit").
    virtual bool sethasModuleWith(const QString &name) const = 0;
    // Shows the settings panel of that name (false when there is none or the switch is refused).
    virtual bool selectSettingPanel(const QString &name) { (void)name; return false; }

    // SMS options kept in the settings: the centre number (MessageCenterNum), the delivery-report
    // switch (SwitchDeliveryReport, NO when missing), the validity period (MessageValidPeriod, 3
    // when missing).
    virtual void writeMessageCenter(const QString &number) = 0;
    virtual bool readDeliveryReport() const = 0;
    virtual int readValidityPeriod() const = 0;
    // Tells the user how a restore of SMS and phonebook ended.
    virtual void restoreAlertPanel(bool success) = 0;
    // The computer phonebook file that the SMS-and-phonebook backup saves and restores: with
    // PCDataWithIMSI and an IMSI known, "<IMSI>_phoneBook.plist", otherwise "phoneBook.plist".
    virtual QString getPhoneBookFilePath() const = 0;
    // The SMS store-position code last set (1 SIM, 2 computer, 3 device memory, 4 card, 0 none).
    virtual int currentSetSMSPosition() const = 0;
    virtual void setCurrentSetSMSPostion(int position) = 0;
    virtual void setIsSimCardFull(bool full) = 0;

    // Whether the configured list of settings pages (the top-level array SettingDefaultItem of the
    // store; null: the shared one) holds the name; false when there is no such array.
    static bool settingDefaultItemHolds(ConfigManager *config, const QString &name);
};

class DefaultSettingController : public SettingControllerInterface {
public:
    // config: the store of the SMS options (null: the shared one).
    explicit DefaultSettingController(ConfigManager *config = nullptr) : config_(config) {}

    bool isManualSelecting() const override { return false; }
    bool getOperatorSelectionForNetwork() const override { return false; }
    bool isPinPukOrNetSelectWinBeginSheet() const override { return false; }
    bool getDeviceUnlockCodeState() const override { return false; }
    void setDeviceUnlockCodeState(bool) override {}
    // Without the settings window: Internet/DefaultAutoConnect, the enable flag of
    // setAutoConnectBtnEnable (set at start) and the stored top-level AutoConnect, all YES.
    bool allowAutoConnect() const override;
    // YES with Internet/EnableAutoReconnectNotDependOnAutoConnectLable, else allowAutoConnect().
    bool allowAutoReconnect() const override;
    void setAutoConnectBtnEnable(bool enable) override { autoConnectBtnEnabled_ = enable; }
    bool autoConnectBtnEnabled() const { return autoConnectBtnEnabled_; }
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
    int getCurrentNetWorkPreferedMode() const override { return 0; }
    int getNetworkMode() const override { return 0; }
    void dealWithMsgOfCheckSearchmode(int, int, int) override {}
    void dealWithMsgOfCheckSearchmodeForIcera(int, int) override {}
    void dealWithMsgOfCheckPreferenceMode(int) override {}
    void sendSetRoamSwitch() override {}
    QString getPinStatus() const override { return {}; }
    QString getNetworkSelectionMode() const override { return {}; }
    QString getNetworkFindModeSelection() const override { return {}; }
    QString readMessageCenter() const override;
    void AutoLaunchURL() override {}
    void checkLauchWebLinksAtMoment(int) override {}
    bool sethasModuleWith(const QString &name) const override { return settingDefaultItemHolds(nullptr, name); }
    void writeMessageCenter(const QString &number) override;
    bool readDeliveryReport() const override;
    int readValidityPeriod() const override;
    void restoreAlertPanel(bool success) override;
    QString getPhoneBookFilePath() const override;
    int currentSetSMSPosition() const override { return currentSetSMSPosition_; }
    void setCurrentSetSMSPostion(int position) override { currentSetSMSPosition_ = position; }
    void setIsSimCardFull(bool full) override { simCardFull_ = full; }
    bool isSimCardFull() const { return simCardFull_; }

private:
    ConfigManager *store() const;

    ConfigManager *config_ = nullptr;
    int currentSetSMSPosition_ = 2;
    bool simCardFull_ = false;
    bool autoConnectBtnEnabled_ = true;
};

} // namespace ostrel
