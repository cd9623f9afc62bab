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
// (the user device lock), SettingControllerCallSetting.cpp (the "Call" panel over
// CallSettingSequencer), SettingControllerSms.cpp (the "SMS" panel).
#include "common/sms/YovPositionManager.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/SettingControllerInterface.h"
#include "ostrel/settings/SettingSheetQueue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStringList>

#include <memory>
#include <optional>


Q_DECLARE_LOGGING_CATEGORY(lcSetting)

namespace ostrel {

class CallSettingSequencer;
class DeviceLockGuard;
class TabPluginInterface;

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
    void buildSystemPanel(QWidget *panel);
    void buildConnectPanel(QWidget *panel);
    void buildAlertPanel(QWidget *panel);
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
    void setPinMenuItems(bool modify, bool disable, bool enable);
    void alertWarning(const QString &message, std::function<void()> after = {}, QWidget *on = nullptr);
    QString tr_(const QString &english) const;
    void connectPluginToUssd();

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
    // System
    QPointer<QCheckBox> autoConnectBox_;
    QPointer<QWidget> smartAutoConnectBox_;
    QPointer<QLabel> languageLabel_;
    // Connect
    QPointer<QButtonGroup> matrixConnectType_;
    QPointer<QWidget> connectTypeBox_;
    QPointer<QLabel> connectTypeLabel_;
    // Alert
    QPointer<QWidget> smsSoundRow_;
    QPointer<QWidget> callSoundRow_;
    QPointer<QWidget> backupRow_;
    QList<QPointer<QCheckBox>> muteBoxes_;
    QList<QPointer<QPushButton>> browseButtons_;
    QList<QPointer<QLabel>> soundLabels_;
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
    // Skin bindings: key -> control.
    QHash<QString, QPointer<QObject>> skinControls_;
};

} // namespace ostrel
