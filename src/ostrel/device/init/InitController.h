#pragma once
// The dashboard's holder of the device's state: whether the modem is there and has shaken hands,
// whether a SIM is present and ready, the device mode, the PIN and PUK flow, the SIM's identity
// and the per-SIM data that hangs on it, and the user's device lock. It turns the device
// service's reports into state, sheets on the main window and the notifications SimReady,
// DeviceRemoved, DevicePlugin and the init_* family, and it is the process-wide device-state
// controller (Neighbours::init()) while it lives.
//
// The network, signal and roaming reports are handled in InitControllerNetwork.cpp; this class
// keeps their state fields so that those handlers and their readers share one object.
//
// Source files: InitController.cpp (life cycle, device and SIM status), InitControllerPin.cpp
// (PIN and PUK), InitControllerIdentity.cpp (SIM identity, per-SIM data), InitControllerLock.cpp
// (device lock).
#include "ostrel/device/init/DiagWindow.h"
#include "ostrel/device/init/Diagnostics.h"
#include "ostrel/device/init/InitWindows.h"
#include "ostrel/device/init/SavedPinStore.h"
#include "ostrel/device/init/SignalWindow.h"
#include "ostrel/device/network/NetworkLogic.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/InitControllerInterface.h"

#include "common/records/Payload.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLoggingCategory>
#include <QPointer>
#include <QPushButton>
#include <QVariantMap>

#include <functional>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcInit)

namespace ostrel {

class AEMessage;
class InitService;

class InitController : public YOVUIController, public InitControllerInterface {
    Q_OBJECT
public:
    // m_SimPinState values.
    enum SimPinState { SimNotReady = 0, SimReady = 1, SimCheckPending = 2 };
    // checkPinPukStatus values.
    enum { EntryPin = 1, EntryPuk = 2 };
    // The device-lock functions (setDeviceLockFunctionModule).
    enum DeviceLockFunction {
        LockDial = 0, LockSMS = 1, LockPB = 2, LockUSSD = 3, LockCall = 4, LockSTK = 5, LockSetting = 6
    };

    explicit InitController(const ControllerContext &context = ControllerContext::shared(),
                            QObject *parent = nullptr);
    ~InitController() override;

    // The one device-state controller while it lives (g_InitController).
    static InitController *shared();

    // The SIM and network keeper (default: InitService::sharedInitService()).
    // (The network logic is built over it on first use; setting another service starts it anew.)
    void setInitService(InitService *service)
    {
        initService_ = service;
        networkLogic_.reset();
    }
    InitService *initService() const;
    // The update link (not owned); without one, updates count as unsupported.
    void setUpdateLink(AEMessage *link) { updateLink_ = link; }
    // Hooks into the main window: its network-card status, and enabling its toolbar items.
    std::function<int()> netCardStatusHook;
    std::function<void(bool)> toolbarSetEnableHook;
    std::function<void(bool, const QString &)> toolbarSetItemEnableHook;
    std::function<void(const QString &)> selectMainTabHook;
    // Hooks into the main window: clear its broadcast message, disable its connect buttons.
    std::function<void()> clearBroadcastMessageHook;
    std::function<void()> disableConnectButtonsHook;
    // Where the PIN kept on this computer lives (default: the ModemList folder).
    SavedPinStore &savedPinStore() { return savedPinStore_; }

    // --- life cycle
    void initializeSkin() override;
    void initializeNibResources() override;
    void registerMessages() override;
    void initializeController() override;
    void updateLanguages() override;
    void specialInit();
    void updateLanguageForSimState();

    // --- InitControllerInterface
    bool setDeviceOffline() override;
    bool setDeviceOnline() override;
    void openUnlockDeviceWindow(QWidget *window) override;
    void setDeviceLockFunctionModule(int module) override { deviceLockFunctionModule_ = module; }
    int getDeviceLockFunctionModule() const override { return deviceLockFunctionModule_; }
    bool reportSendFlag() const override { return reportSendFlag_; }
    void setReportSendFlag(bool flag) override { reportSendFlag_ = flag; }
    bool getSmartUITopFrontSizeFlag() const override { return smartUITopFrontSizeFlag_; }
    QString iccidStr() const override;
    QString currentHmccmnc() const override;
    // The roaming state the connection reads, from the network logic.
    int networkRoamStatus() const override;
    int roamTransferMode() const override;
    bool isInWhiteList() const override;
    bool roamTipWhenInWhiteList() const override;
    bool apnCyleWhenRoamToNoRoam() const override;
    void setApnCyleWhenRoamToNoRoam(bool flag) override;
    void setSmartUITopFrontSizeFlag(bool flag) override { smartUITopFrontSizeFlag_ = flag; }

    // --- device-state handlers
    void dealWithMsgOfHandShake(const yov::Notification &n);
    void dealWithMsgOfPowerCheck(const yov::Notification &) {}
    void dealWithMsgOfWorkModeCheck(const yov::Notification &) {}
    void dealWithMsgOfStartWork(const yov::Notification &) {}
    void dealWithMsgOfStopWork(const yov::Notification &) {}
    void dealWithMsgOfGetDeviceMode(const yov::Notification &n);
    void dealWithMsgOfPinStatus(const yov::Notification &n);
    void dealWithMsgOfCheckSIMStatus(const yov::Notification &n);
    void dealWithMsgOfCheckUSIMStatus(const yov::Notification &n);
    void dealWithMsgOfCheckSmsPPDownload(const yov::Notification &n);
    void dealWithMsgOfCheckDeviceStatus(const yov::Notification &n);
    void dealWithMsgOfCheckDeviceNotAttached(const yov::Notification &n);

    // --- PIN and PUK handlers
    void dealWithMsgOfCountPinPukRemain(const yov::Notification &n);
    void dealWithMsgOfCheckoutPin(const yov::Notification &n);
    void dealWithMsgOfPinAutoValidation(const yov::Notification &n);
    void dealWithMsgOfReadPin(const yov::Notification &n);
    void dealWithMsgOfSavePin(const yov::Notification &n);
    void dealWithMsgOfCheckoutPuk(const yov::Notification &n);
    void dealWithMsgOfCheckPinActiveStatus(const yov::Notification &n);

    // --- identity handlers
    void dealWithMsgOfCheckCIMI(const yov::Notification &n);
    void dealWithMsgOfCheckICCID(const yov::Notification &n);
    void dealWithMsgOfCheckMCCMNC(const yov::Notification &n);
    void dealWithMsgOfCheckFWVERSION(const yov::Notification &n);
    void dealWithMsgOfCheckFWINTERNALVERSION(const yov::Notification &n);
    void dealWithMsgOfCheckHWVERSION(const yov::Notification &n);
    void dealWithMsgOfCheckModemModel(const yov::Notification &n);
    void dealWithMsgOfCheckPhoneNumber(const yov::Notification &n);
    void dealWithMsgOfCheckSerialNumber(const yov::Notification &n);

    // --- device-lock handlers
    void dealWithMsgOfCheckDeviceLockStatus(const yov::Notification &n);
    void dealWithMsgOfCheckDeviceUnLockResult(const yov::Notification &n);

    // --- network, signal and roaming handlers (InitControllerNetwork.cpp)
    void dealWithMsgOfCheckSignalStatus(const yov::Notification &n);       // 7/35
    void dealWithMsgOfCheckNetInfo(const yov::Notification &n);            // 7/36
    void dealWithMsgOfCheckPLMN(const yov::Notification &n);               // 7/37
    void dealWithMsgOfCheckRoamInfo(const yov::Notification &n);           // 7/38
    void dealWithMsgOfCheckSPDI(const yov::Notification &n);               // 7/39
    void dealWithMsgOfCheckSPN(const yov::Notification &n);                // 7/40
    void dealWithMsgOfCheckNetInfoForIcera(const yov::Notification &n);    // 7/46
    void dealWithMsgOfCheckSignalStatusIcera(const yov::Notification &n);  // 7/54
    void dealWithMsgOfCheckYrssiSignalStatus(const yov::Notification &n);  // 7/55
    void dealWithMsgOfCheckHPLMN(const yov::Notification &n);              // 7/57
    void dealWithMsgOfCheckSearchMode(const yov::Notification &n);         // 513/75
    void dealWithMsgOfCheckPreferenceMode(const yov::Notification &n);     // 513/80
    void dealWithMsgOfReadRoamSwitch(const yov::Notification &n);          // 513/85

    // --- network, signal and roaming
    // The network, signal and roaming state and rules of this controller.
    NetworkLogic &networkLogic();
    // What the rest of the dashboard says now (connection, settings, USSD, update link).
    NetworkContext networkContext() const;
    // Carries out what the network logic decided: views, notifications, connection and settings
    // calls, alerts (the roaming disconnect question is answered here, its answer carried out too).
    void performNetworkEffects(const NetworkEffects &effects);
    // Resets the status area: no signal, no service, roaming not determined, no names.
    void initNibNetworkStatus();
    // The no-signal alert timer's end (also called by tests through the clock).
    void alertSelect3GPreferIfNoSignal();
    bool isNoSignalAlertPending() const { return timerAlertSelect3GPrefer_ != 0; }
    void setAllowAlertSel3GPreferWhenSignalToNoSignal(bool allow) override;
    int nRoamDefaultValue() const override { return nRoamDefaultValue_; }
    int iRoamDefaultValue() const override { return iRoamDefaultValue_; }
    bool allowAlertSel3GPreferWhenSignalToNoSignal() { return networkLogic().signal.allowAlertSel3GPreferWhenSignalToNoSignal(); }
    bool hasCSDomain() { return networkLogic().registration.hasCSDomain(); }
    bool hasPSDomain() { return networkLogic().registration.hasPSDomain(); }
    bool checkToReturnPSDomain() const override;
    // The image name the signal bars show ("rssi1" to "rssi6").
    QString signalImageName() const;
    SignalWindow *signalWindow() const { return windowRssiLacCi_.get(); }
    Q_INVOKABLE void openRssiLacCiWindow(QObject *sender);
    // The roaming window (roamAlertWnd): with roamingText its title and text become the roaming
    // alert's; otherwise it comes forward as it stands (the 3G-to-2G alert).
    void showRoamAlertWindow(bool roamingText);
    Q_INVOKABLE void closeRoamAlertWnd(QObject *sender);
    QWidget *roamAlertWindow() const { return roamAlertWnd_; }
    Q_INVOKABLE void closeRssiLacCiWindow(QObject *sender);
    // The registered network's MCC and MNC texts as last shown.
    QString labelMcc_, labelMnc_;

    // --- device state
    void setModemStatus(bool present);
    void setSimStatus(bool ready);
    void setImageForSimCardRead();
    void setInactivatedUSIMForRuzuvoWithStatus(int status);
    void sendNotification(const QString &name, const QVariant &value);
    int networkMode() const { return networkMode_; }
    void setNetworkMode(int mode) { networkMode_ = mode; }
    // The common sink of the service-domain reports: domain mark, network text, packet domain.
    void setNetworkDomain(int domain, const QString &networkName);
    void closeApplication();
    Q_INVOKABLE void deviceRemoved(const yov::Notification &n);
    void specialDeviceRemoved();
    void popUpSimcardUpdateWnd();
    void selectPCPhonebook();
    void setSimcardUpdateEndWording();
    void closeSimcardUpdateWnd();

    // --- PIN and PUK
    void openPinWindow();
    void openPukWindow();
    Q_INVOKABLE void closePinWindow(QObject *sender);
    Q_INVOKABLE void cancelPinWindow(QObject *sender);
    Q_INVOKABLE void closePukWindow(QObject *sender);
    Q_INVOKABLE void cancelPukWindow(QObject *sender);
    Q_INVOKABLE void clickYESOfReAlertPinWindow(QObject *sender);
    Q_INVOKABLE void clickNOOfReAlertPinWindow(QObject *sender);
    // The message of the first failed input rule, or a null string. Null arguments are not checked.
    static QString pinPukInputRules(const QString &puk, const QString &pin, const QString &newPin);
    QString checkPinPukAlertMsg(const QString &puk, const QString &pin, const QString &newPin) const override
    {
        return pinPukInputRules(puk, pin, newPin);
    }
    // The one-try-left warning when count is 1 and the configuration does not turn it off.
    QString pinPukLeftTimesWarning(int count, bool pin) const override;
    // The one-try-left warning when count is 1 (then afterwards, else at once).
    void alertWithPinOrPukLeftTimes(int count, bool pin, std::function<void()> then = {});
    void pinAutoValidation();
    bool isNeedPinAutoValidation() const;
    void savePinToModem();
    Q_INVOKABLE void enterPIN(QObject *sender);
    // The automatic-validation box of the device options: the modem is told (4/18).
    Q_INVOKABLE void unlockPIN(QObject *sender);
    Q_INVOKABLE void openPINWindow(const yov::Notification &n);
    Q_INVOKABLE void savePinNum(QObject *sender);
    Q_INVOKABLE void enableSavePinNum(QObject *sender);
    Q_INVOKABLE void removeAutoCheckPinByICCID(QObject *sender);
    // The four-digit limit of the PIN fields while typing.
    void controlTextDidChange(QLineEdit *field);

    QString pinNum() const { return pinNum_; }
    void setPinNum(const QString &pin) { pinNum_ = pin; }
    bool manuuallyInputPinFlag() const { return manuuallyInputPinFlag_; }
    void setManuuallyInputPinFlag(bool f) { manuuallyInputPinFlag_ = f; }
    bool hadDoPinAutoValidation() const { return hadDoPinAutoValidation_; }
    void setHadDoPinAutoValidation(bool f) { hadDoPinAutoValidation_ = f; }
    bool pinInputWndDisplayFlag() const { return pinInputWndDisplayFlag_; }
    void setPinInputWndDisplayFlag(bool f) { pinInputWndDisplayFlag_ = f; }

    // --- identity
    bool checkIMSI();
    void refreshDiagIMSI(bool refresh);
    QString getPhoneNum() override;
    void SetPCDataPathWithIMSI(const QString &imsi);
    void matchApnAccordImsi(const QString &imsi);
    void matchApnAccordMCC(const QString &mcc, const QString &mnc);
    void getIccidNumAfterMatchApnAccordImsi();
    void matchUssdCodeAccordImsi(const QString &imsi);
    QString readSimImsiCode() const;
    bool saveSimImsiCode(const QString &imsi);
    void checkIMSIForRAVO();
    void checkIfNeedSendActiveSMS(const QString &imsi);
    void sendActiveSimcardSMS(int domainBits);
    void getPhoneNumberByIMSI();
    QString getFWVersionWithCGMR() const override { return m_FWVersion; }
    QString getInternalFWVersionWithZVN() const { return m_InternalFWVersion; }

    // --- diagnostics (InitControllerDiagnostics.cpp)
    Q_INVOKABLE void showDiagInfo(QObject *sender);
    Q_INVOKABLE void refreshDiagWindow(QObject *sender);
    Q_INVOKABLE void closeDiagWindow(QObject *sender);
    // Writes "DiagInfo.txt" and opens it; false (and the user told) when it cannot be written.
    Q_INVOKABLE bool OpenDiagInfoInTextEdit(QObject *sender);
    Q_INVOKABLE void clickDiagSegmentedTable(QObject *sender);
    Q_INVOKABLE void showLogs(QObject *sender);
    Q_INVOKABLE void openAboutURL(QObject *sender);
    Q_INVOKABLE void sendReport(QObject *sender);
    Q_INVOKABLE void prepareToShowDiagWindow(const yov::Notification &n);
    void dealWithMsgOfCheckYairInfoStatus(const yov::Notification &n); // 7/56
    void showDiagnosticInfo();
    void initDiagWindow();
    void clearDiagWindow();
    // The CDMA chipset's views: the EVDO views shown, the roaming mark beside the EVDO icon and
    // the diagnostics sheet cut to the software, driver, computer and OS rows.
    void initWithCDMA();
    void showNetworkNameInDiagnostic();
    QString getDriverVersion() const;
    QString getDataCardDriverVersion() const;
    // The export text of the sheet as it stands.
    QString diagExport() const;
    QString diagInfoFilePath() const;
    DiagWindow *diagWindow() const { return m_DiagWindow; }
    // Opens a file with the desktop's default application (tests record instead).
    std::function<bool(const QString &path)> openFileHook;
    // The system folder the modem driver is looked up in ("/sys").
    QString driverSysRoot_ = QStringLiteral("/sys");
    QString diagRAC_, diagRXqual_, diagRXlev_, diagFrequency_, diagChannel_;

    // --- device lock
    Q_INVOKABLE void unlockDeviceOK(QObject *sender);
    Q_INVOKABLE void unlockDeviceCancel(QObject *sender);

    // --- windows (created by the controller, shown as sheets on wndMain)
    PinWindow *pinWindow() const { return m_InitPinWindow; }
    PukWindow *pukWindow() const { return m_InitPukWindow; }
    ReAlertWindow *reAlertWindow() const { return wndReAlertToCancelPinInput_; }
    SimCardUpdateWindow *simCardUpdateWindow() const { return wndSimCardUpdate_; }
    UnlockDeviceWindow *unlockDeviceWindow() const { return wndUnlockDevice_; }
    // The white-list sheet; its OK ends it and runs what waited for it, its check box sets the
    // roaming tip of the white list.
    WhiteListCheckWindow *whiteListCheckWindow() const { return winD3uWhiteCheck_; }
    void clickOKBtnInD3uPopUp1();
    void clickCheckboxInD3uPopUp1(bool checked);
    // The status views this controller owns, in one panel for whoever lays out the main window.
    QWidget *statusView() const { return statusView_; }
    // The roaming switches and PIN entry options, for the settings page to host.
    QWidget *deviceOptionsView() const { return deviceOptionsView_; }
    // The settings page's controls this controller keeps the states of: the PIN options box
    // (auto-validation, keep the PIN, remove the saved PIN) and the two roaming switches.
    QWidget *pinOptionsBox() const;
    // The PIN auto-validation box (its action is the settings panel's).
    QCheckBox *pinAutoValidationBox() const { return btnPINAutoValidation_; }
    // The national and international roaming check boxes, which the settings page shows and sends.
    QCheckBox *nRoamSwitch() const { return btnNroamSwitch_; }
    QCheckBox *iRoamSwitch() const { return btnIroamSwitch_; }

    // --- state (read by other areas and tests)
    int m_SimPinState = SimNotReady;
    int m_deviceMode = 1;
    int checkPinPukStatus = 0;
    bool dialFunctionEnabledFlag_ = true;
    bool hasAlertRoam = false;
    bool alreadyGetSimIMSIFlag_ = false;
    bool firstUnlockedDevice_ = false;
    int iRoamDefaultValue_ = 0;
    int nRoamDefaultValue_ = 0;
    QVariantMap dicDiagWindowInfo_;
    QString m_FWVersion, m_HWVersion, m_InternalFWVersion, m_IMSI, m_Devicemodel, m_SerialNumber;
    int m_SignalStrength = 0;
    QString m_SPN, m_BCDNumber, iccid_, networkName_;
    // Network, signal and roaming state as the network logic (networkLogic()) last left it: it
    // owns the state, and these copies are refreshed after every report it handles.
    int networkRoamStatus_ = 2;
    QString mccmnc;
    int networkMode_ = 0;
    // Flags of the network and roaming rules, set at start and on removal.
    bool whiteListCheck_ = true;
    bool whiteListRoamTip_ = true;
    bool apnCycleWhenLeaveRoam_ = false;
    bool firstYDON_ = true;
    bool firstYPAS_ = false;
    bool allowAlertSel3GPrefer_ = true;
    int roamTransferMode_ = 2;
    int registeredRoamStatus_ = 2;
    bool deviceLockFlag_ = false;
    bool smartUITopFrontSizeFlag_ = false;

    // Image names of the status icons (what the views show).
    QString simStatusImageName() const;
    QString modemStatusImageName() const;

    // Status views and controls.
    QPointer<QLabel> labelSimStatus_;
    QPointer<QLabel> m_simStatus;
    QPointer<QLabel> m_netStatus;
    QPointer<QLabel> SIMTypeDisplayFld_;
    QPointer<QLabel> m_rssiStatus;
    QPointer<QLabel> m_rssiStatusLabel, m_evdoStatus, m_evdoStatusLabel;
    QPointer<QLabel> m_NameOfLocalSPN, m_NameOfBelonetoSPN, m_network, m_roamStatus, m_domain;
    QPointer<QWidget> viewNetWorkStatus_;
    QPointer<QCheckBox> btnIroamSwitch_, btnNroamSwitch_;
    QPointer<QLabel> tfdOwnNumTitle_, tfdOwnNumContent_, tfdOwnNumUI_;
    QPointer<QLabel> tfdLockTip_;
    QPointer<QCheckBox> btnPINAutoValidation_;
    QPointer<QCheckBox> btnPinNumSavedInConfigFile_;
    QPointer<QPushButton> btnRemovePinAutoCheckByICCID_;
    QPointer<QGroupBox> boxPinOptions_;
    // Operator images of the status area (shown once the rules give them an image).
    QPointer<QLabel> imageViewOfSignalStrengthForDidizu_, imageViewOfRoamingStatusForDidizu_,
        imageViewOfHomeNetWorkForDidizu_;
    QPointer<QAction> labelPINEnter_, labelPINUnlock_;

private:
    struct Record {
        int module = 0;
        int type = 0;
        int result = 0;
        int length = 0;
        yov::PayloadReader payload;
    };
    Record record(const yov::Notification &n) const;
    QString loc(const QString &text) const;
    QString wording(const QString &key) const;
    // A warning with an OK button, without blocking (the device link keeps flowing); then runs
    // once the user has answered.
    void alert(const QString &message, std::function<void()> then = {});
    bool settingBool(const char *module, const char *key) const;
    bool topBool(const char *key) const;
    bool writeSettingsReported(const char *what);
    // Sets a key of a module, creating the module when it is missing.
    void setModuleKey(const QString &module, const QString &key, const QVariant &value);
    void setImage(QLabel *label, const QString &name);
    void cancelTimer(int &id);
    // An image by name: the application's images, then the skin's.
    QImage namedImage(const QString &name) const;
    void showOperatorImage(QLabel *view, const QString &name);
    void createViews();
    void connectWindowActions();
    void scheduleSimCardUpdateSteps();
    bool isSmartUI() const;
    // Network views, handler registration, removal (InitControllerNetwork.cpp).
    void createNetworkViews();
    void registerNetworkMessages();
    void networkDeviceRemoved();
    void syncNetworkState();
    void answerRoamDisconnectQuestion();
    QByteArray recordBytes(const yov::Notification &n) const;

    InitService *initService_ = nullptr;
    AEMessage *updateLink_ = nullptr;
    SavedPinStore savedPinStore_;

    QString pinNum_;
    bool manuuallyInputPinFlag_ = false;
    bool hadDoPinAutoValidation_ = false;
    bool pinInputWndDisplayFlag_ = false;
    int deviceLockFunctionModule_ = 0;
    bool reportSendFlag_ = false;
    QList<int> simUpdateSteps_;

    QPointer<PinWindow> m_InitPinWindow;
    QPointer<PukWindow> m_InitPukWindow;
    QPointer<ReAlertWindow> wndReAlertToCancelPinInput_;
    QPointer<SimCardUpdateWindow> wndSimCardUpdate_;
    QPointer<UnlockDeviceWindow> wndUnlockDevice_;
    QPointer<WhiteListCheckWindow> winD3uWhiteCheck_;
    std::function<void()> afterWhiteListSheet_;
    QPointer<QWidget> statusView_;
    QPointer<QWidget> deviceOptionsView_;
    std::unique_ptr<NetworkLogic> networkLogic_;
    std::unique_ptr<SignalWindow> windowRssiLacCi_;
    QPointer<DiagWindow> m_DiagWindow;
    void createDiagWindow();
    void applyDiagnosticsEffects(const NetworkEffects &e);
    // The serving cell of a 7/38 report: the sheet's field and ReadCellIDInfo.
    void setDiagServingCell(const QString &cellIdText);
    void showCellDetailsInDiagWindow(); // the five cell-detail rows from the last 7/56
    bool openFile(const QString &path);
    QPointer<QWidget> roamAlertWnd_;
    QPointer<QLabel> roamwarnningText_;
    QPointer<QPushButton> btnRoamAlertOK_;
    bool activationSmsAlertOpen_ = false; // the line-activation alert waits for its answer
    int timerAlertSelect3GPrefer_ = 0; // the pending no-signal alert's clock id, 0 for none
    int handshakeTimer_ = 0;           // the 2 s modem check after the handshake
    int simCheckTimer_ = 0;            // the 2 s SIM check before "SIM ready" shows
};

} // namespace ostrel
