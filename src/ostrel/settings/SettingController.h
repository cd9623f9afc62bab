#pragma once
// The settings window: one panel per configured settings item in the main window's "Setting" tab,
// the device-dependent enabling of their controls, the device records and notifications the
// settings area handles, the settings plug-in, and the user's device lock ("Security" panel).
//
// The panels come from the top-level array SettingDefaultItem ("System", "Connect", "Network",
// "Security", "SMS", "Call", "Alert", "Browser", "FavoriteLinks", "Record"; "OnlineUpdate" and
// "D3USetting" are switches only). Without the array no panel is removed and none is filled.
//
// Every alert and sheet of the area goes through the window's SettingSheetQueue: handlers of
// device records never wait for the user.
//
// Source files: SettingController.cpp (creation, panels, enabling, device events, tab gate,
// registrations), SettingControllerAlias.cpp (skin, wording, SmartUI page), SettingDeviceLock.cpp
// (the user device lock), SettingControllerSystem.cpp (the "System" and "Connect" panels:
// language, start options, automatic connection, connection type, service number),
// SettingControllerSound.cpp (the "Alert" panel's four sounds), SettingControllerLinks.cpp (the
// "Browser" panel's link opened on connection and the "FavoriteLinks" editor), SettingControllerCallSetting.cpp (the "Call" panel over
// CallSettingSequencer), SettingControllerSms.cpp (the "SMS" panel), SettingControllerBand.cpp (the
// "Network" panel's preferred mode, CDMA preference, band, compact page and device information),
// SettingControllerRoam.cpp (its roaming switches and roaming identity), SettingControllerNetwork.cpp
// (its operator search and manual selection).
#include "common/sms/YovPositionManager.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/SettingControllerInterface.h"
#include "ostrel/framework/widgets/IconMatrix.h"
#include "ostrel/settings/LinkListFile.h"
#include "ostrel/settings/NetworkModeTables.h"
#include "ostrel/settings/RoamSwitchTracker.h"
#include "ostrel/settings/SettingSheetQueue.h"
#include "ostrel/settings/SettingUpdateLink.h"
#include "ostrel/phonebook/PcPhoneBookFile.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>
#include <QTableView>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>


Q_DECLARE_LOGGING_CATEGORY(lcSetting)

namespace ostrel {

class CallSettingSequencer;
class DeviceLockGuard;

class TabPluginInterface;
class NetListModel;

class SettingController : public YOVUIController, public DefaultSettingController {
    Q_OBJECT
public:
    // A row of the device-record registrations: (major, minor) and the handler's name.
    struct MessageRow {
        int major;
        int minor;
        const char *handler;
        void (SettingController::*method)(const yov::Notification &);
    };
    // The registrations, in the order registerMessages makes them.
    static const MessageRow kMessageTable[];
    static const int kMessageTableSize;
    // The notifications the controller observes besides the base table, in order (the "Call"
    // condition of the first row applies at registration).
    static const NotificationTableRow settingNotificationTable[];
    static const NotificationTableRow settingObServerTable[];
    static const NotificationTableRow deviceFunctionNotficationTable[];

    explicit SettingController(const ControllerContext &context, QObject *parent = nullptr);
    ~SettingController() override;

    // Makes this the program's settings controller (Neighbours::setting()) until destroyed.
    void install();
    // The page the panels go into (the main window's "Setting" tab); set before awakeFromNib.
    void setSettingPage(QWidget *page) { settingPage_ = page; }

    // --- template steps -------------------------------------------------------------------
    void initializeSkin() override;
    void initializeNibResources() override;
    void registerMessages() override;
    void initializeController() override;
    void loadCommonBundle() override;
    Q_INVOKABLE void updateLanguages() override;

    // --- panels -------------------------------------------------------------------------------
    void loadSettingList();
    void ConfigSettingToolBarArray();
    void updateSet();
    // The panel of the item (null when it has none or was removed).
    QWidget *panel(const QString &name) const;
    QStringList panelNames() const;
    // The page's title label (the SmartUI item's title).
    QLabel *pageTitle() const { return pageTitle_; }
    // Selects the panel of the sender's tag (its checked button's id for a button group).
    Q_INVOKABLE void settingTabViewItemSelect(QObject *sender);
    void settingTabViewItemSelectTag(int tag);
    void configRecordSettings();
    bool shouldSelectPanel(const QString &identifier);

    // --- the interface the other areas use ---------------------------------------------------
    bool sethasModuleWith(const QString &name) const override;
    void setSettingBtnStatus(bool enable) override;
    void runAlertPanel(const QString &message) override;
    bool getDeviceUnlockCodeState() const override;
    void setDeviceUnlockCodeState(bool on) override;
    bool isManualSelecting() const override;
    bool selectSettingPanel(const QString &name) override;

    // Alert "Warning!" with the localised message and "OK" on the window; the end action runs
    // after the answer. NO without a message or a window.
    bool popupAlertSheet(const QString &message, QWidget *window, std::function<void(int)> didEnd = {});

    SettingSheetQueue *sheetQueue() const { return sheetQueue_; }

    // --- device events (base notification table) --------------------------------------------
    Q_INVOKABLE void deviceRemoved(const yov::Notification &notification);
    Q_INVOKABLE void devicePlugin(const yov::Notification &notification);
    Q_INVOKABLE void simReady(const yov::Notification &notification);
    Q_INVOKABLE void setDataServicesStatus(const yov::Notification &notification);
    Q_INVOKABLE void tabViewItemWillChange(const yov::Notification &notification);
    Q_INVOKABLE void connectStatusDidChange(const yov::Notification &notification);

    // --- notifications for the settings plug-in and later panels -----------------------------
    Q_INVOKABLE void updateNetworkStatus(const yov::Notification &notification);
    Q_INVOKABLE void activePinStatus(const yov::Notification &notification);
    Q_INVOKABLE void pinModifyClicked(const yov::Notification &notification);
    Q_INVOKABLE void setNetModeChanged(const yov::Notification &notification);
    Q_INVOKABLE void methodToSelectNetChanged(const yov::Notification &notification);
    Q_INVOKABLE void btMessageSetApply(const yov::Notification &notification);
    Q_INVOKABLE void pinUnlockClicked(const yov::Notification &notification);
    Q_INVOKABLE void manualRegisterNet(const yov::Notification &notification);
    Q_INVOKABLE void notifyDeviceUnlockSuccess(const yov::Notification &notification);
    Q_INVOKABLE void notifyDeviceUnlockFailed(const yov::Notification &notification);

    // --- device records -------------------------------------------------------------------------
    void dealWithMsgOfSetBandFrequency(const yov::Notification &n);
    void dealWithMsgOfSetSearchNetMode(const yov::Notification &n);
    void dealWithMsgOfManualSearchNet(const yov::Notification &n);
    void dealWithMsgOfManualSelectNet(const yov::Notification &n);
    void dealWithMsgOfChangePinActiveStatus(const yov::Notification &n);
    void dealWithMsgOfCountPinPukRemain(const yov::Notification &n);
    void dealWithMsgOfChangePin(const yov::Notification &n);
    void dealWithMsgOfCheckPinStatus(const yov::Notification &n);
    void dealWithMsgOfCheckoutPuk(const yov::Notification &n);
    void dealWithMsgOfChangePinAutoValidationStatus(const yov::Notification &n);
    void dealWithMsgOfSMSCenter(const yov::Notification &n);
    void dealWithMsgOfSMSRevPos(const yov::Notification &n);
    void dealWithMsgOfNetDeviceInfo(const yov::Notification &n);
    void dealWithMsgOfCheckNetChannel(const yov::Notification &n);
    void dealWithMsgOfNodeSelectSatus(const yov::Notification &n);
    void dealWithMsgOfSetRoamSwitch(const yov::Notification &n);
    void dealWithMsgOfCheckDeviceLockStatus(const yov::Notification &n);
    void dealWithMsgOfCheckDeviceUnLockResult(const yov::Notification &n);
    void dealWithMsgOfModifyDeviceLockCodeStatus(const yov::Notification &n);
    void dealWithCallForwardSettingResult(const yov::Notification &n);
    void dealWithCallBarSettingResult(const yov::Notification &n);
    void dealWithCallWaitSettingResult(const yov::Notification &n);
    void dealWithMsgOfReadCallForwardSetting(const yov::Notification &n);
    void dealWithMsgOfReadCallWaitSetting(const yov::Notification &n);
    void dealWithMsgOfReadCallBarSetting(const yov::Notification &n);
    void dealWithMsgOfMsgRoutingRead(const yov::Notification &n);
    void dealWithMsgOfMsgRoutingFeedback(const yov::Notification &n);

    // --- the user device lock (SettingDeviceLock.cpp) -------------------------------------------
    Q_INVOKABLE void checkDeviceUnlockCodeStatus(QObject *sender = nullptr);
    void openUnlockDeviceWindow();
    Q_INVOKABLE void enableDeviceUnlockCodeOK(QObject *sender = nullptr);
    Q_INVOKABLE void enableDeviceUnlockCodeCancel(QObject *sender = nullptr);
    Q_INVOKABLE void modifyDeviceUnlockCode(QObject *sender = nullptr);
    Q_INVOKABLE void modifyDeviceUnlockCodeOK(QObject *sender = nullptr);
    Q_INVOKABLE void modifyDeviceUnlockCodeCancel(QObject *sender = nullptr);

    // --- "System" and "Connect" panels (SettingControllerSystem.cpp) ----------------------------
    // The English captions of the read-only displays: phone number, IMSI, software version.
    static const QStringList &infoCaptions();
    // The native name of a language of the table; null for a name outside it.
    static QString EnglishToNative(const QString &english);
    // What the pop-up and the menu show for a language: its native name, else its English name.
    static QString displayNameOfLanguage(const QString &english);
    void loadLanguageList();
    void initLanguageStateInMenu();
    void changeLanguageTo();
    void changeLanguageToFirst();
    void changeLanguageToSecond();
    void changeLanguageby(const QString &nativeName);
    void StartWithSystem();
    void StartWithPluginDevice();
    void setLPMEnable();
    void enableConnectWarningDisplay();
    void DisconnectAsk();
    void initDisconnectAskSate();
    void auto_Connect();
    void auto_Connect_Smart();
    bool allowAutoConnect() const override;
    bool allowAutoReconnect() const override;
    void setAutoConnectBtnEnable(bool enable) override;
    void SelectConnectType();
    void writeConnectType(int type);
    void setServicesNum();
    void loadServicesNum();
    void displayPhoneNum();
    void updateIMSINumberAndSoftwareVersionFromSettingDict();

    // --- "Alert" panel (SettingControllerSound.cpp) ------------------------------------------
    void ConfigAlert();
    // The row state of a sound type (0 connect, 1 disconnect, 2 SMS, 3 call).
    void configAlertRow(int type);
    void updateSoundFile(int type, const QString &defaultKey, QLineEdit *field);
    void setSoundMute(int type);
    void browseSoundFile(int type);
    void playAlertSound(int type);
    // The extensions the sound chooser offers.
    static const QStringList &soundFileTypes();

    // --- "Browser" and "FavoriteLinks" panels (SettingControllerLinks.cpp) ----------------------
    void LoadBrowserList();
    void advancedbrowserlist();
    void addlink();
    void editAvailableLinks();
    void okEditBrowser();
    void cancelEditBrowser();
    void removAvailableLinks();
    void okAddBrowser();
    void cancelAddBrowser();
    QString browserComboBoxItemAtIndex(int index);
    void AutoLaunchURL() override;
    void openURLFirstConnectOnly();
    void initFavoriteLinksSettings();
    void loadFavoriteLinks();
    bool saveFavoriteLinks();
    const QVariantList &favoriteLinksProperties() const { return favoriteLinks_.entries(); }
    void iconMatrixClicked();
    void switchInterfaceToIndexedLink(int index);
    void setCurLinkPropertyValue(const QVariant &value, const QString &key);
    void setLinkTypeComboxStatus();
    static void SetControl(QObject *control, const QVariantMap *entry, const QString &key);
    void moveLinkBackward();
    void moveLinkForward();
    void modifyFavoriteLink();
    void cancelFavoriteLink();
    void browseLinkPath();
    void browseLinkImage();
    bool checkFavoriteURL() const;
    void checkLauchWebLinksAtMoment(int moment) override;
    void launchFavoriteLinksBy(const QVariantMap &entry);

    // --- controls of these panels (for tests) ---------------------------------------------------
    QComboBox *languageCombo() const { return languageCombo_; }
    QLabel *languageLabel() const { return languageLabel_; }
    QCheckBox *autoConnectBox() const { return autoConnectBox_; }
    QWidget *smartAutoConnectControl() const { return smartAutoConnectBox_; }
    QButtonGroup *smartAutoConnectMatrix() const { return matrixSmartAutoConnect_; }
    QCheckBox *startWithSystemBox() const { return startWithSystemBox_; }
    QCheckBox *startWithDeviceBox() const { return startWithDeviceBox_; }
    QCheckBox *lowPowerBox() const { return lowPowerBox_; }
    QCheckBox *connectWarningBox() const { return connectWarningBox_; }
    QCheckBox *disconnectAskBox() const { return disconnectAskBox_; }
    QLineEdit *serviceNumberField() const { return serviceNumberField_; }
    QLabel *serviceNumberLabel() const { return serviceNumberLabel_; }
    QLabel *infoCaption(int row) const { return row >= 0 && row < infoLabels_.size() ? infoLabels_[row].data() : nullptr; }
    QLineEdit *phoneNumberField() const { return phoneNumberField_; }
    QLabel *imsiValueLabel() const { return imsiValue_; }
    QLabel *softwareVersionLabel() const { return softwareVersion_; }
    QCheckBox *muteBox(int type) const { return type >= 0 && type < muteBoxes_.size() ? muteBoxes_[type].data() : nullptr; }
    QLineEdit *soundField(int type) const { return type >= 0 && type < soundFields_.size() ? soundFields_[type].data() : nullptr; }
    QPushButton *soundBrowseButton(int type) const { return type >= 0 && type < browseButtons_.size() ? browseButtons_[type].data() : nullptr; }
    QPushButton *soundPlayButton(int type) const { return type >= 0 && type < playButtons_.size() ? playButtons_[type].data() : nullptr; }
    QComboBox *browserCombo() const { return browserCombo_; }
    QPushButton *advancedButton() const { return advancedButton_; }
    QDialog *addBrowserSheet() const { return wndAddBrowser_; }
    QLineEdit *addBrowserField() const { return addBrowserField_; }
    QComboBox *availableLinksCombo() const { return availableLinksCombo_; }
    QPushButton *editLinkButton() const { return editLinkButton_; }
    QPushButton *removeLinkButton() const { return removeLinkButton_; }
    QCheckBox *doNotOpenBox() const { return doNotOpenBox_; }
    QDialog *editBrowserSheet() const { return wndEditBrowser_; }
    QLineEdit *editBrowserField() const { return editBrowserField_; }
    const BrowserLinkList &browserLinks() const { return browserLinks_; }
    IconMatrix *favoriteIconMatrix() const { return iconMatrix_; }
    QLineEdit *linkNameField() const { return linkName_; }
    QLineEdit *linkPathField() const { return linkPath_; }
    QLineEdit *linkImageField() const { return linkImage_; }
    QLineEdit *linkParaField() const { return linkPara_; }
    QComboBox *linkTypeCombo() const { return linkType_; }
    QCheckBox *launchAtStartupBox() const { return launchAtStartup_; }
    QCheckBox *launchWhenConnectedBox() const { return launchWhenConnected_; }
    QPushButton *linkPathBrowseButton() const { return linkPathBrowse_; }
    QPushButton *linkImageBrowseButton() const { return linkImageBrowse_; }
    // --- the SIM's PIN and PUK (SettingControllerPin.cpp) ----------------------------------------
    Q_INVOKABLE void EnablePIN(QObject *sender = nullptr);
    Q_INVOKABLE void DisablePIN(QObject *sender = nullptr);
    Q_INVOKABLE void ChangePinActiveStatus(QObject *sender = nullptr);
    Q_INVOKABLE void ChangePinActiveStatusOK(QObject *sender = nullptr);
    Q_INVOKABLE void ChangePinActiveStatusCancel(QObject *sender = nullptr);
    Q_INVOKABLE void ChangePin(QObject *sender = nullptr);
    Q_INVOKABLE void ChangePinOK(QObject *sender = nullptr);
    Q_INVOKABLE void ChangePinCancel(QObject *sender = nullptr);
    Q_INVOKABLE void CheckoutPuk(QObject *sender = nullptr);
    Q_INVOKABLE void CheckoutPukOK(QObject *sender = nullptr);
    Q_INVOKABLE void CheckoutPukCancel(QObject *sender = nullptr);
    Q_INVOKABLE void pinAutoValidation(QObject *sender = nullptr);
    void SendCLCK();
    void SendCPWD();
    void SendPukCheckout();
    void CheckPinPukRemainCount();
    void setPinAutoValidationStatusWithLeftPinTimes(int pinTimes);
    void setPinActiveStatus(int state) override;
    void setBtnPinEnable(bool enable);
    void setBtnPinState(bool state);
    void setPinTimeLeft(int count) override;
    void setPukTimeLeft(int count) override;
    QString getPinStatus() const override;
    bool isPinPukOrNetSelectWinBeginSheet() const override;
    bool pinAutoValidationStatusWinFlag() const { return pinAutoValidationStatusWinFlag_; }
    void setPinAutoValidationStatusWinFlag(bool on) { pinAutoValidationStatusWinFlag_ = on; }
    // The auto-validation box (the device-state controller's, shown in this panel); its one action
    // becomes pinAutoValidation().
    void setPinAutoValidationBox(QCheckBox *box);
    QCheckBox *pinAutoValidationBox() const { return btnPINAutoValidat_; }
    // With "PinLimitFourDigitals": keeps the field's leading digits, at most four.
    void controlTextDidChange(QLineEdit *field);
    void registerPinMenuItems();
    int pinEnableFlag() const { return pinEnableFlag_; }
    QDialog *enablePinSheet() const { return m_EnablePinWin_; }
    QLineEdit *enablePinField() const { return m_EnablePinPinString_; }
    QLabel *enablePinTimeLeft() const { return m_EnablePinTimeLeft_; }
    QDialog *revisePinSheet() const { return m_RevisePinWin_; }
    QLineEdit *reviseOldPinField() const { return m_ReviseOldPinString_; }
    QLineEdit *reviseNewPinField() const { return m_ReviseNewPinString_; }
    QLineEdit *reviseRepeatPinField() const { return m_ReviseRepNewPinString_; }
    QDialog *pukSheet() const { return m_PukWin_; }
    QLineEdit *pukField() const { return m_PukString_; }
    QLineEdit *pukNewPinField() const { return m_NewPinString_; }
    QLineEdit *pukRepeatPinField() const { return m_RepNewPinString_; }
    QLabel *pukTimeLeft() const { return m_PukTimeLeft_; }

    // --- online update options (SettingControllerUpdate.cpp) -------------------------------------
    // The link the options go to (null: the shared update link).
    void setUpdateLink(std::shared_ptr<SettingUpdateLink> link) { updateLink_ = std::move(link); }
    // Opens the operator's update page (default: the desktop's browser); the system language
    // (default: the computer's first preferred language).
    void setUrlOpener(std::function<bool(const QUrl &)> opener) { urlOpener_ = std::move(opener); }
    void setOsLanguageSource(std::function<QString()> source) { osLanguage_ = std::move(source); }
    void initUpdateNibState();
    void initUpdateNibWording();
    Q_INVOKABLE void CheckAutoUpdate(QObject *sender);
    Q_INVOKABLE void ApplyServerAddress(QObject *sender = nullptr);
    Q_INVOKABLE void SendManualUpdate(QObject *sender = nullptr);
    Q_INVOKABLE void checkForUpdateRuzuvo(QObject *sender = nullptr);
    void SetUpdateDuration(int days);
    void setAutoUpdateRadioButton(bool on);
    bool isRadioModeAutoUpdate(QObject *control) const;
    void setCheckForUpdateRuzuvoEnable(bool enable) override;
    // The address "Check for Updates" opens (invalid when it is no http or https address).
    QUrl checkForUpdateAddress() const;
    QCheckBox *autoUpdateBox() const { return autoUpdateBox_; }
    QButtonGroup *autoUpdateRadio() const { return autoUpdateRadio_; }
    QLineEdit *serverField() const { return serverField_; }
    QLineEdit *updateDurationField() const { return updateDurationField_; }
    QPushButton *applyServerButton() const { return applyServerButton_; }
    QPushButton *updateNowButton() const { return updateNowButton_; }
    QPushButton *checkForUpdateButton() const { return checkForUpdateButton_; }
    QWidget *updateBox() const { return updateBox_; }

    // --- backup and restore of SMS and phonebook (SettingControllerBackup.cpp) ------------------
    // How long a restore waits for the device's answer before saying it did not come.
    static constexpr int kRestoreAnswerMs = 60000;
    Q_INVOKABLE void BRSMSandPB(QObject *sender = nullptr);
    void setEnableBRSMSAndPB(bool enable);
    void initNibForBackupPhoneBookOnly();
    void ConfigBackAndRestore();
    Q_INVOKABLE void backupSMSAndPhoneBook(QObject *sender = nullptr);
    Q_INVOKABLE void restoreSMSAndPhoneBook(QObject *sender = nullptr);
    Q_INVOKABLE void backupPhoneBookOnly(QObject *sender = nullptr);
    Q_INVOKABLE void restorePhoneBookOnly(QObject *sender = nullptr);
    void backupSMSAndPhoneFile(const QString &chosenPath);
    void restoreSMSAndPhoneFile(const QString &path);
    void backupPhoneFileOnly(const QString &chosenPath);
    void restorePhoneFileOnly(const QString &path);
    void restoreAlertPanel(bool success) override;
    bool isRestorePending() const { return restoreTimer_ != 0; }
    QCheckBox *backupRestoreBox() const { return BRSMSandPBFlag_; }
    QPushButton *backupButton() const { return backupSMSandPhoneBook_; }
    QPushButton *restoreButton() const { return restoreSMSandPhoneBook_; }
    // --- the "Call" panel (SettingControllerCallSetting.cpp) -----------------------------------
    // The buttons act on the selected tab of the panel ("CallForward", "CallWaiting", "CallBarring").
    Q_INVOKABLE void callSettingApply();
    Q_INVOKABLE void readCallSettingStatues();
    void resetCallSetting();
    void callSettingNibEnable(bool enable);
    void initCallSettingNibWording();
    CallSettingSequencer *callSettings() const { return callSequencer_; }
    QTabWidget *callSettingView() const { return callSettingView_; }
    // In slot order: busy, not reachable, no answer, all calls.
    QCheckBox *callForwardBox(int slot) const { return slot >= 0 && slot < 4 ? callForwardBoxes_[slot].data() : nullptr; }
    QLineEdit *callForwardField(int slot) const { return slot >= 0 && slot < 4 ? callForwardFields_[slot].data() : nullptr; }
    QCheckBox *callWaitBox() const { return btnCallWaitSetting_; }
    // In facility order: "AO", "OI", "OX", "AI", "IR".
    QCheckBox *callBarBox(int facility) const { return facility >= 0 && facility < 5 ? callBarBoxes_[facility].data() : nullptr; }
    QLineEdit *callBarPasswordField() const { return txdCallBarPassword_; }
    QPushButton *callSettingApplyButton() const { return btnCallSettingApply_; }
    QPushButton *callSettingReadButton() const { return btnReadCallSetStatus_; }

    // --- the "SMS" panel (SettingControllerSms.cpp) ---------------------------------------------
    void setSMSPositionManagerInit();
    const yov::sms::YovPositionManager &smsPositionManager() const { return setSMSPositionManager_; }
    void InitSMSSettingNib();
    void initSmsModuleWording();
    void setSMSTabEnabled(bool enable);
    // The centre field's edit: "+" and digits only, at most 31 characters.
    void controlTextDidChange();
    static QString filterMessageCenter(const QString &text);
    Q_INVOKABLE void MessageSetApply();
    Q_INVOKABLE void MessageSetCancel();
    void checkMessageCenter();
    void writeSMSNationalIdentifier();
    Q_INVOKABLE void autoDeleteSMSLabelChanged();
    void setMessageStoreLocEnable();
    void setSMSStoreLocWhenFirstStartupUI();
    void writeMessageCenter(const QString &number) override;
    void writeValidityPeriod(int period);
    void writeDeliveryReport(bool on);
    int readMessageRouting() const;
    void writeMessageRouting(int routing);
    int currentSetSMSPosition() const override { return currentSetSMSPosition_; }
    void setCurrentSetSMSPostion(int position) override { currentSetSMSPosition_ = position; }
    void setIsSimCardFull(bool full) override;
    int currentSetSMSPositionIndex() const { return currentSetSMSPositionIndex_; }
    bool hideSMSStoreDefault() const { return hideSMSStoreDefault_; }
    QLineEdit *messageCenterField() const { return MessageCenter; }
    QComboBox *validityCombo() const { return MessageValidityPeriod; }
    QButtonGroup *deliveryReportMatrix() const { return MessageDeliveryReport; }
    QComboBox *storeLocationCombo() const { return MessageStoreLoc; }
    QComboBox *routingCombo() const { return cboxMsgRouting_; }
    QComboBox *singleLanguageCombo() const { return cbxSingleLanguageSet_; }
    QCheckBox *autoDeleteSmsBox() const { return btnAutoDeleteSMSLable_; }
    QPushButton *smsApplyButton() const { return MessageSetApplyBtn; }
    QPushButton *smsCancelButton() const { return MessageSetCancelBtn; }

    // --- "Network" panel: preferred mode, CDMA preference and band (SettingControllerBand.cpp) ----
    // Rows of the band matrix; a FrequencySetting array of another count hides the band box.
    static constexpr int kBandMatrixRows = 5;
    void ConfigNetworkSelectMode();
    bool NetworkModeHasModuleWith(const QString &name) const;
    Q_INVOKABLE void SetSearchNetClass(QObject *sender = nullptr);
    void saveCurrentNetPreferedMode();
    int getCurrentNetWorkPreferedMode() const override;
    int getNetworkMode() const override;
    QString getNetworkFindModeSelection() const override;
    Q_INVOKABLE void SetPreferenceMode(QObject *sender = nullptr);
    void dealWithMsgOfCheckSearchmode(int searchMode, int selectedMode, int prefMode) override;
    void dealWithMsgOfCheckSearchmodeForIcera(int searchMode, int selectedMode) override;
    void dealWithMsgOfCheckPreferenceMode(int mode) override;
    void setWCDMASelectNetworkVisible(bool hidden) override;
    void setCDMASelectNetworkVisible(bool hidden) override;
    static int getFrequencyTag(const QString &name);
    // Sends the band matrix's selected tag (513/82); a disabled cell's tag is never sent.
    Q_INVOKABLE void SetNetFrequency(QObject *sender = nullptr);
    void initNetFrequencySet();
    void restoreCurrentBand();
    void setMatrixFrequencySelectEnable(bool flag);
    void sendGetNetDeviceInfo();
    // 513/76 with the search mode for the matrix's tag (backToAuto: the return to automatic
    // selection after a manual registration); true when delivered.
    bool sendAutoNetSelectToBack(bool backToAuto = false);
    int searchModeFor(netmode::SearchSend send) const;
    // Compact page.
    void smartUIInitNetworkSetting();
    Q_INVOKABLE void smartUISetNetSearchMode(QObject *sender = nullptr);
    Q_INVOKABLE void smartUISaveNetAndFrequencySetting(QObject *sender = nullptr);
    void smartUISetMatrixEnable(bool flag);
    void initSmartFrequencyWithTag(int tag);
    void setSaveNetAndFrequencySettingBtnEnable(bool enable);
    void setSaveAutoConnectSettingBtnEnable(bool enable);
    void setSmartModel(const QString &model) override;
    Q_INVOKABLE void setSearchNetModeForKV424(QObject *sender = nullptr);
    QButtonGroup *preferredModeMatrix() const { return m_NetworkFindModeSeletion_; }
    QButtonGroup *cdmaPreferenceMatrix() const { return m_PreferenceMode_; }
    QButtonGroup *bandMatrix() const { return matrixFrequencySelect_; }
    int currentBandTag() const { return currentBandTag_; }
    int defaultBandTag() const { return defaultBandTag_; }
    // The band cell's tag at a row (-2 for no cell).
    int bandTagAtRow(int row) const;
    int selectedBandRow() const;

    // --- "Network" panel: operator search and manual selection (SettingControllerNetwork.cpp) ---
    // Action of the operator-selection matrix (reads the matrix): "Automatic" sends 513/76,
    // "Manual" searches (513/78).
    Q_INVOKABLE void SetSearchNetMode(QObject *sender = nullptr);
    Q_INVOKABLE void ApplyNetSelect(QObject *sender = nullptr);
    Q_INVOKABLE void CancelNetSelect(QObject *sender = nullptr);
    Q_INVOKABLE void cancelNetworkManualSelect(QObject *sender = nullptr);
    void sendManualNetSearchToBack();
    // 513/79 for the list's row; false (nothing sent, logged) for a row outside the list.
    bool sendManualSelectNetToBack(int row, int mode);
    void checkStatusAfterManualSelect();
    void popupNetSelectWindow(const yov::UI_MSG *msg);
    bool checkManualSelectNetResult(const yov::UI_MSG &msg);
    int findCurrentNetWorkInNetList() const;
    void startBackToAutoModeTimerWithSeconds(double seconds);
    void backToAutoModeAfterSelNetSuccess();
    void backToAutoAfterSelNetSuccess();
    void searchingNetworkUI(bool searching);
    void setSearchProcessBarEnable(bool enable);
    void clearRemptyNetListView();
    QString changeCellContentOfNetListView(const QString &key, int row) const;
    // The table's text of a cell (empty beyond the list).
    QString netListCellText(int row, const QString &key) const;
    bool isHighlightedNetRow(int row) const;
    void netListSelectionChanged();
    bool getOperatorSelectionForNetwork() const override { return isOperatorSelectionForNetwork_; }
    void setOperatorSelectionForNetwork(bool on) { isOperatorSelectionForNetwork_ = on; }
    QString getNetworkSelectionMode() const override;
    bool hasRegisteringNetFlag() const { return hasRegisteringNetFlag_; }
    void setHasRegisteringNetFlag(bool on) { hasRegisteringNetFlag_ = on; }
    int checkNetStatusTimesAfterRegisterFailed() const { return m_nCheckNetStatusTimes_; }
    void setCheckNetStatusTimesAfterRegisterFailed(int times) { m_nCheckNetStatusTimes_ = times; }
    // The clock of the selection's time-outs, checks and return to automatic (null: the
    // controller's clock).
    void setNetworkSelectionClock(yov::Clock *clock) { selectionClock_ = clock; }
    const QVariantList &netList() const { return netList_; }
    QDialog *netSelectWindow() const { return netSelectWindow_; }
    QTableView *netListView() const { return netListView_; }
    QPushButton *netSelectButton() const { return netSelectBtn_; }
    QPushButton *cancelNetSelectButton() const { return CancelnetSelectBtn_; }
    QPushButton *cancelSearchButton() const { return cancelSearchButton_; }
    QPushButton *searchResultButton() const { return searchResultButton_; }
    QProgressBar *searchProgressBar() const { return searchProgress_; }
    QWidget *methodControl() const { return methodBox_; }
    bool isNetworkBusy() const { return networkBusy_; }
    // A manual search, the result sheet, a registration or its status checks are under way: the
    // device's mode reports meanwhile leave the panel's choice and busy state alone.
    bool operatorSelectionUnderWay() const;

    // --- "Network" panel: roaming (SettingControllerRoam.cpp) -----------------------------------
    // Takes the device-state controller's two roaming check boxes into the panel.
    void setRoamSwitches(QCheckBox *nRoam, QCheckBox *iRoam);
    void sendSetRoamSwitch() override;
    Q_INVOKABLE void clickNroamSwitch(QObject *sender = nullptr);
    Q_INVOKABLE void clickIroamSwitch(QObject *sender = nullptr);
    bool isManualSetRoamSwitch() const { return roamSwitches_.userPending(); }
    void setisManualSetRoamSwitch(bool manual) { nextRoamSendByUser_ = manual; }
    void setRoamingStateAccordImsi(const QString &imsi) override;
    Q_INVOKABLE void roamingIMSISelect(QObject *sender = nullptr);
    void setRoamingIMSISelectEnabled(bool enable) override;
    int roamingImsiType() const override { return roamingImsiType_; }
    bool roamingImsiSet() const override { return roamingImsiSet_; }
    void setRoamingImsiSet(bool set) override { roamingImsiSet_ = set; }
    QCheckBox *nRoamSwitchBox() const { return btnNroamSwitchSetting_; }
    QCheckBox *iRoamSwitchBox() const { return btnIroamSwitchSetting_; }
    QButtonGroup *roamingImsiMatrix() const { return matrixRoamingSet_; }

    // --- skin and wording (SettingControllerAlias.cpp) ----------------------------------------
    // The skin keys of the window's controls, in registration order (duplicates included).
    static const QStringList &skinKeys();
    // The control bound to a key (null when the window has none).
    QObject *controlForSkinKey(const QString &key) const;
    void initSmartSkin();
    void initWording();
    void initGenericWording();
    void initSpecialWording();
    void initURLLinksWording();
    void initSettingItemsWording();
    void initAlertModuleWording();
    void initBrowserModuleWording();
    void initSystemModuleWording();
    void initConnectModuleWording();
    void initFavoriteLinksWording();
    void initSecurityModuleWording();

    // --- controls (for the panels of later work and for tests) ---------------------------------
    QTabWidget *settingTabView() const { return tabviewSetting; }
    QCheckBox *deviceLockBox() const { return btnCheckDeviceUnlockCodeEnable_; }
    QPushButton *modifyUnlockCodeButton() const { return btnModifyDeviceUnlockCode_; }
    QDialog *unlockDeviceSheet() const { return wndSetingUnlockDevice_; }
    QLineEdit *unlockDeviceCodeField() const { return tfdUnlockDeviceCode_; }
    QLabel *unlockDeviceCountLabel() const { return labelUnlockDeviceCount_; }
    QDialog *modifyUnlockDeviceSheet() const { return wndModifyUnlockDevice_; }
    QLineEdit *oldUnlockCodeField() const { return tfdOldUnlockDeviceCode_; }
    QLineEdit *newUnlockCodeField() const { return tfdNewUnlockDeviceCode_; }
    QLineEdit *verifyUnlockCodeField() const { return tfdVerifyNewUnlockDeviceCode_; }
    QLabel *modifyUnlockDeviceCountLabel() const { return labelModifyUnlockDeviceCount_; }
    QCheckBox *pinEnableBox() const { return m_PINEnable_; }
    QPushButton *revisePinButton() const { return m_RevisePinButton_; }
    QButtonGroup *methodToSelectNetMatrix() const { return matrixSettingMethodToSelectNet_; }
    QButtonGroup *connectTypeMatrix() const { return matrixConnectType_; }
    QButtonGroup *smartItemMatrix() const { return matrixSmartItems_; }
    QWidget *networkControls() const { return networkControls_; }
    QWidget *searchModeControl() const { return searchModeBox_; }
    QWidget *bandControl() const { return bandBox_; }
    QWidget *bandSaveControl() const { return bandSaveButton_; }
    QWidget *cdmaPreferenceControl() const { return preferenceModeControl_; }
    QWidget *smsBackupRow() const { return backupRow_; }
    QWidget *smsSoundRow() const { return smsSoundRow_; }
    QWidget *callSoundRow() const { return callSoundRow_; }
    // Where other areas' settings controls go: the "Network" roaming row and the "Security" PIN
    // options (each null without its panel).
    QWidget *networkHostArea() const { return panel(QStringLiteral("Network")) ? networkHost_.data() : nullptr; }
    QWidget *securityHostArea() const { return panel(QStringLiteral("Security")) ? securityHost_.data() : nullptr; }

private:
    void buildPage();
    QWidget *buildPanel(const QString &name);
    void buildSecurityPanel(QWidget *panel);
    void buildNetworkPanel(QWidget *panel);
    void buildModeAndBandControls(QLayout *controls);
    void buildRoamingControls(QWidget *panel);
    void initNetworkModuleWording();
    void connectNetworkSelection();
    void buildNetSelectSheet();
    void initNetSelectSheetWording();
    yov::Clock &selectionClock() const;
    int methodRow() const;
    void searchTimedOut();
    void searchFailed();
    void beginNetSelectSheet();
    void closeNetSelectSheet();
    void reloadNetListView();
    int selectedNetRow() const;
    void selectNetRow(int row);
    QVariantMap netRow(int row) const;
    void startSelectWait();
    void cancelSelectWait();
    void cancelStatusChecks();
    void handleSelectAnswer(int type, bool success, bool second);
    void endsearchNetResSheet(int chosenRow);
    void sendBackToAutomatic(bool backToAuto);
    // Ends the busy state if no 513/76 answer comes in time.
    void armModeWait();
    void endBusyAfterModeAnswer();
    void endNetworkSelection();
    void roamSwitchSent(bool byUser, RoamSwitchTracker::Switches before, RoamSwitchTracker::Switches sent);
    void roamSwitchClicked(QCheckBox *changed);
    void roamSwitchFailed(const RoamSwitchTracker::Pending &pending);
    void expireRoamSwitches();
    bool isSmartUI() const;
    bool hasNetworkPanel() const { return sethasModuleWith(QStringLiteral("Network")); }
    void buildSystemPanel(QWidget *panel);
    void buildConnectPanel(QWidget *panel);
    void buildAlertPanel(QWidget *panel);
    void buildBrowserPanel(QWidget *panel);
    void buildFavoriteLinksPanel(QWidget *panel);
    void buildBrowserSheets();
    void buildCallPanel(QWidget *panel);
    void buildSmsPanel(QWidget *panel);
    void reloadSmsCombos();
    void selectStoreOrder(int order);
    int selectedStoreOrder() const;
    void selectSmsStoredValues();
    void enableSmsApplyAndCancel();
    // Shows the text in the centre field and opens it for editing (unless the switch forbids it).
    void openMessageCenterField(const QString &text);
    int selectedRoutingValue() const;
    int storedValidityIndex() const;
    void syncCallPanel();
    QString selectedCallSettingTab() const;
    void buildSheets();
    void registerLanguageMenuItems();
    void reloadBrowserCombos();
    void tellUnreadableLinkFile(const LinkListRead &read, const QString &path);
    void browserComboChosen(int index);
    void availableLinkChosen(int index);
    void setPinMenuItems(bool modify, bool disable, bool enable);
    void alertWarning(const QString &message, std::function<void()> after = {}, QWidget *on = nullptr);
    QString tr_(const QString &english) const;
    void connectPluginToUssd();
    void buildPinSheets(QWidget *parent);
    void pinAlert(const QString &title, const QString &message, QWidget *on = nullptr);
    void beginPinSheet(QDialog *sheet);
    void closePinSheet(QDialog *sheet, bool accepted);
    void setPinBoxAndItems(bool on);
    void storePinAutoValidationState();
    void buildUpdateControls();
    void buildBackupControls();
    void backupResult(const QString &message);
    // Writes the restored phonebook (replaced or merged); false when it could not be.
    bool restorePhonebookFile(const PcPhoneList &groups, bool merge);
    SettingUpdateLink &updateLink();

    QPointer<QWidget> settingPage_;
    QPointer<QLabel> pageTitle_;
    SettingSheetQueue *sheetQueue_ = nullptr;
    std::unique_ptr<DeviceLockGuard> lockGuard_;
    QHash<QString, QPointer<QWidget>> panels_;
    QStringList settingItems_;
    bool hasSettingList_ = false;
    QPointer<QWidget> shownPanel_; // the panel shown before a switch, for a refused one
    bool simReady_ = false;
    bool smartAutoConnectEnableFlag_ = true;
    int pinEnableFlag_ = 0;
    int unlockCount_ = 0;
    bool deviceLockState_ = false; // until the Security panel exists
    bool unlockClosing_ = false;
    bool passLockGateOnce_ = false;

    // Security
    QPointer<QCheckBox> btnCheckDeviceUnlockCodeEnable_;
    QPointer<QPushButton> btnModifyDeviceUnlockCode_;
    QPointer<QCheckBox> m_PINEnable_;
    QPointer<QPushButton> m_RevisePinButton_;
    QPointer<QWidget> securityHost_;
    // Device-lock sheets
    QPointer<QDialog> wndSetingUnlockDevice_;
    QPointer<QLabel> labelUnlockDeviceCode_;
    QPointer<QLineEdit> tfdUnlockDeviceCode_;
    QPointer<QLabel> labelUnlockDeviceCount_;
    QPointer<QPushButton> btnUnlockDeviceOK_;
    QPointer<QPushButton> btnUnlockDeviceCancel_;
    QPointer<QDialog> wndModifyUnlockDevice_;
    QPointer<QLabel> labelOldUnlockDeviceCode_;
    QPointer<QLabel> labelNewUnlockDeviceCode_;
    QPointer<QLabel> labelVerifyNewUnlockDeviceCode_;
    QPointer<QLineEdit> tfdOldUnlockDeviceCode_;
    QPointer<QLineEdit> tfdNewUnlockDeviceCode_;
    QPointer<QLineEdit> tfdVerifyNewUnlockDeviceCode_;
    QPointer<QLabel> labelModifyUnlockDeviceCount_;
    QPointer<QPushButton> btnModifyUnlockDeviceOK_;
    QPointer<QPushButton> btnModifyUnlockDeviceCancel_;
    // Network
    QPointer<QWidget> networkControls_;
    QPointer<QButtonGroup> matrixSettingMethodToSelectNet_;
    QPointer<QWidget> methodBox_;
    QPointer<QWidget> searchModeBox_;
    QPointer<QWidget> bandBox_;
    QPointer<QPushButton> bandSaveButton_;
    QPointer<QWidget> preferenceModeControl_;
    QPointer<QPushButton> searchResultButton_;
    QPointer<QProgressBar> searchProgress_;
    QPointer<QPushButton> cancelSearchButton_;
    QPointer<QWidget> networkHost_;
    QPointer<QButtonGroup> m_NetworkFindModeSeletion_;
    QPointer<QButtonGroup> m_PreferenceMode_;
    QPointer<QButtonGroup> matrixFrequencySelect_;
    QPointer<QGroupBox> roamingBox_;
    QPointer<QCheckBox> btnNroamSwitchSetting_;
    QPointer<QCheckBox> btnIroamSwitchSetting_;
    QPointer<QButtonGroup> matrixRoamingSet_;
    QPointer<QWidget> roamingSetBox_;
    QPointer<QPushButton> btnSearchNetResultForKV424_;
    // Operator selection
    QPointer<QDialog> netSelectWindow_;
    QPointer<QTableView> netListView_;
    NetListModel *netListModel_ = nullptr;
    QPointer<QPushButton> netSelectBtn_;
    QPointer<QPushButton> CancelnetSelectBtn_;
    QPointer<QPushButton> SelectNetFailOK_;
    QVariantList netList_;
    int registeringRow_ = -1;       // the row of the last 513/79
    bool hasRegisteringNetFlag_ = false;
    bool noPopupNetSelectWindowFlag_ = true;
    int m_nCheckNetStatusTimes_ = 0;
    bool isOperatorSelectionForNetwork_ = false;
    bool selectPending_ = false;    // a registration (or a status check) waits for its answer
    bool networkBusy_ = false;
    bool closingNetSheet_ = false;
    yov::Clock *selectionClock_ = nullptr;
    int searchTimer_ = 0;
    int selectTimer_ = 0;
    int checkTimer_ = 0;
    int modeTimer_ = 0;
    int backToAutoTimer_ = 0;
    int defaultBandTag_ = 0;
    int currentBandTag_ = 0;
    RoamSwitchTracker roamSwitches_;
    bool nextRoamSendByUser_ = false;
    RoamSwitchTracker::Switches roamSwitchesBeforeClick_;
    int roamingImsiType_ = 0;
    bool roamingImsiSet_ = false;
    // System
    QPointer<QCheckBox> autoConnectBox_;
    QPointer<QWidget> smartAutoConnectBox_;
    QPointer<QButtonGroup> matrixSmartAutoConnect_;
    QPointer<QLabel> languageLabel_;
    QPointer<QComboBox> languageCombo_;
    QPointer<QLabel> autoLabel_;
    QPointer<QCheckBox> startWithSystemBox_;
    QPointer<QCheckBox> startWithDeviceBox_;
    QPointer<QCheckBox> lowPowerBox_;
    QPointer<QCheckBox> connectWarningBox_;
    QPointer<QLabel> connectWarningText_;
    QPointer<QCheckBox> disconnectAskBox_;
    QPointer<QLineEdit> phoneNumberField_;
    QPointer<QLabel> imsiValue_;
    QPointer<QLabel> softwareVersion_;
    QList<QPointer<QLabel>> infoLabels_; // the captions of the phone number, IMSI and version
    QStringList menuLanguages_; // the English names of the language menu's items, in order
    // Connect
    QPointer<QButtonGroup> matrixConnectType_;
    QPointer<QWidget> connectTypeBox_;
    QPointer<QLabel> connectTypeLabel_;
    QPointer<QLabel> connectFunctionLabel_;
    QPointer<QLabel> serviceNumberLabel_;
    QPointer<QLineEdit> serviceNumberField_;
    // Alert
    QPointer<QWidget> smsSoundRow_;
    QPointer<QWidget> callSoundRow_;
    QPointer<QWidget> backupRow_;
    QList<QPointer<QCheckBox>> muteBoxes_;
    QList<QPointer<QPushButton>> browseButtons_;
    QList<QPointer<QLabel>> soundLabels_;
    QList<QPointer<QLineEdit>> soundFields_;
    QList<QPointer<QPushButton>> playButtons_;
    // Browser
    QPointer<QLabel> browserTitle_;
    QPointer<QLabel> browserLinkLabel_;
    QPointer<QComboBox> browserCombo_;
    QPointer<QPushButton> advancedButton_;
    QPointer<QDialog> wndAddBrowser_;
    QPointer<QLabel> labelAdvanced_; // the sheet's title inside it
    QPointer<QLabel> labelAddLink_;
    QPointer<QLineEdit> addBrowserField_;
    QPointer<QPushButton> addLinkButton_;
    QPointer<QLabel> labelAvailableLinks_;
    QPointer<QComboBox> availableLinksCombo_;
    QPointer<QPushButton> editLinkButton_;
    QPointer<QPushButton> removeLinkButton_;
    QPointer<QCheckBox> doNotOpenBox_;
    QPointer<QPushButton> okAddBrowserButton_;
    QPointer<QPushButton> cancelAddBrowserButton_;
    QPointer<QDialog> wndEditBrowser_;
    QPointer<QLineEdit> editBrowserField_;
    QPointer<QPushButton> okEditBrowserButton_;
    QPointer<QPushButton> cancelEditBrowserButton_;
    BrowserLinkList browserLinks_;
    int browserID_ = 0;
    int defaultBrowserNum_ = 0;
    bool notAutolaunch_ = false;     // the kept do-not-open state
    int rememberedBrowserIndex_ = 0; // the panel's selection when the advanced sheet opened
    bool browserLinkOpened_ = false; // the link was opened for the running connection
    bool toldUnreadableBrowserList_ = false;
    // Favourite links
    QPointer<IconMatrix> iconMatrix_;
    QPointer<QPushButton> backwardButton_;
    QPointer<QPushButton> forwardButton_;
    QPointer<QLabel> linkNameLabel_;
    QPointer<QLabel> linkTypeLabel_;
    QPointer<QLabel> linkPathLabel_;
    QPointer<QLabel> linkImageLabel_;
    QPointer<QLabel> linkParaLabel_;
    QPointer<QLabel> favoriteHint_;
    QPointer<QLineEdit> linkName_;
    QPointer<QComboBox> linkType_;
    QPointer<QLineEdit> linkPath_;
    QPointer<QPushButton> linkPathBrowse_;
    QPointer<QLineEdit> linkImage_;
    QPointer<QPushButton> linkImageBrowse_;
    QPointer<QLineEdit> linkPara_;
    QPointer<QCheckBox> launchAtStartup_;
    QPointer<QCheckBox> launchWhenConnected_;
    QPointer<QPushButton> modifyLinkButton_;
    QPointer<QPushButton> cancelLinkButton_;
    FavoriteLinkList favoriteLinks_;
    bool toldUnreadableFavorites_ = false;
    // SMS
    yov::sms::YovPositionManager setSMSPositionManager_;
    int currentSetSMSPositionIndex_ = 0;
    int currentSetSMSPosition_ = 2;
    bool isSMSInSimCardFull_ = false;
    bool hideSMSStoreDefault_ = false; // Setting/HideSMSStoreDefault; kept, not used
    QPointer<QLineEdit> MessageCenter;
    QPointer<QComboBox> MessageValidityPeriod;
    QPointer<QButtonGroup> MessageDeliveryReport;
    QPointer<QWidget> deliveryReportBox_;
    QPointer<QComboBox> MessageStoreLoc;
    QPointer<QComboBox> cboxMsgRouting_;
    QPointer<QLabel> tfMsgRouting_;
    QPointer<QComboBox> cbxSingleLanguageSet_;
    QPointer<QLabel> tfdSingleLanguageSet_;
    QPointer<QCheckBox> btnAutoDeleteSMSLable_;
    QPointer<QPushButton> MessageSetApplyBtn;
    QPointer<QPushButton> MessageSetCancelBtn;
    QPointer<QLabel> labelMessageCenter_;
    QPointer<QLabel> labelValidityPeriod_;
    QPointer<QLabel> labelDeliveryReport_;
    QPointer<QLabel> labelMessageStoreLoc_;
    // Call
    CallSettingSequencer *callSequencer_ = nullptr;
    QPointer<QTabWidget> callSettingView_;
    QPointer<QCheckBox> callForwardBoxes_[4];
    QPointer<QLineEdit> callForwardFields_[4];
    QPointer<QCheckBox> btnCallWaitSetting_;
    QPointer<QCheckBox> callBarBoxes_[5];
    QPointer<QLabel> labelCallBarPassword_;
    QPointer<QLineEdit> txdCallBarPassword_;
    QPointer<QPushButton> btnCallSettingApply_;
    QPointer<QPushButton> btnReadCallSetStatus_;
    // SmartUI items
    QPointer<QButtonGroup> matrixSmartItems_;
    QPointer<QWidget> smartItemsBox_;
    // PIN and PUK
    QPointer<QCheckBox> btnPINAutoValidat_;
    bool pinAutoValidationStatusWinFlag_ = false;
    bool pinSheetClosing_ = false;
    int pinNum_ = 0;
    int pukNum_ = 0;
    QPointer<QDialog> m_EnablePinWin_;
    QPointer<QLineEdit> m_EnablePinPinString_;
    QPointer<QLabel> m_EnablePinTimeLeft_;
    QPointer<QDialog> m_RevisePinWin_;
    QPointer<QLineEdit> m_ReviseOldPinString_;
    QPointer<QLineEdit> m_ReviseNewPinString_;
    QPointer<QLineEdit> m_ReviseRepNewPinString_;
    QPointer<QLabel> m_RevisePinTimeLeft_;
    QPointer<QDialog> m_PukWin_;
    QPointer<QLineEdit> m_PukString_;
    QPointer<QLineEdit> m_NewPinString_;
    QPointer<QLineEdit> m_RepNewPinString_;
    QPointer<QLabel> m_PukTimeLeft_;
    QList<QPointer<QLabel>> pinSheetLabels_;   // (label, English text) for the wording
    QStringList pinSheetLabelTexts_;
    QList<QPointer<QPushButton>> pinSheetButtons_;
    QStringList pinSheetButtonTexts_;
    // Online update
    std::shared_ptr<SettingUpdateLink> updateLink_;
    std::function<bool(const QUrl &)> urlOpener_;
    std::function<QString()> osLanguage_;
    QPointer<QWidget> updateBox_;
    QPointer<QLabel> updateLabel_;
    QPointer<QCheckBox> autoUpdateBox_;
    QPointer<QButtonGroup> autoUpdateRadio_;
    QPointer<QWidget> autoUpdateRadioBox_;
    QPointer<QLabel> serverLabel_;
    QPointer<QLineEdit> serverField_;
    QPointer<QPushButton> applyServerButton_;
    QPointer<QPushButton> updateNowButton_;
    QPointer<QLineEdit> updateDurationField_;
    QPointer<QPushButton> checkForUpdateButton_;
    // Backup and restore
    QPointer<QCheckBox> BRSMSandPBFlag_;
    QPointer<QPushButton> backupSMSandPhoneBook_;
    QPointer<QPushButton> restoreSMSandPhoneBook_;
    bool m_BackAndRestore = false; // hides the backup controls; nothing sets it
    bool backupPhoneBookOnly_ = false;
    bool bSimCardReady_ = false;
    int restoreTimer_ = 0;
    int resultAlerts_ = 0; // the settings alert window's messages showing or waiting
    // Skin bindings: key -> control.
    QHash<QString, QPointer<QObject>> skinControls_;
};

} // namespace ostrel
