#include "ostrel/device/init/InitController.h"
#include "ostrel/framework/service/Platform.h"
#include "ostrel/framework/language/Lingrove.h"

#include "common/ModemListResolver.h"
#include "common/ValueConversion.h"
#include "common/records/UiMsg.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Language.h"
#include "ostrel/framework/language/WordingOperation.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"

#include <QApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLineEdit>

Q_LOGGING_CATEGORY(lcInit, "ostrel.device.init")

namespace ostrel {

namespace {
InitController *g_InitController = nullptr;
constexpr int kModuleInit = 1;
} // namespace

InitController::InitController(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent)
{
    const QString folder = config().modemListPath();
    savedPinStore_.setFolder(folder.isEmpty() ? yov::ModemListResolver::modemListPath() : folder);

    createViews();
    createNetworkViews();
    m_InitPinWindow = new PinWindow;
    m_InitPukWindow = new PukWindow;
    wndReAlertToCancelPinInput_ = new ReAlertWindow;
    wndSimCardUpdate_ = new SimCardUpdateWindow;
    wndUnlockDevice_ = new UnlockDeviceWindow;
    winD3uWhiteCheck_ = new WhiteListCheckWindow;
    connectWindowActions();

    g_InitController = this;
    Neighbours::setInit(this);
    specialInit();
}

InitController::~InitController()
{
    Neighbours::main().setMenuItemEnabled(QStringLiteral("Enter PIN"), false);
    Neighbours::main().setMenuItemEnabled(QStringLiteral("Unlock PIN"), false);
    cancelTimer(handshakeTimer_);
    cancelTimer(simCheckTimer_);
    if (g_InitController == this)
        g_InitController = nullptr;
    if (&Neighbours::init() == static_cast<InitControllerInterface *>(this))
        Neighbours::setInit(nullptr);
    for (int id : std::as_const(simUpdateSteps_))
        clock().cancel(id);
    delete m_InitPinWindow;
    delete m_InitPukWindow;
    delete wndReAlertToCancelPinInput_;
    delete wndSimCardUpdate_;
    delete wndUnlockDevice_;
    delete winD3uWhiteCheck_.data();
    delete statusView_;
    delete deviceOptionsView_;
    delete roamAlertWnd_.data();
}

InitController *InitController::shared() { return g_InitController; }

InitService *InitController::initService() const
{
    return initService_ ? initService_ : InitService::sharedInitService();
}

// --- helpers

InitController::Record InitController::record(const yov::Notification &n) const
{
    yov::UI_MSG msg = yov::zeroMsg();
    if (yovMsgCenter())
        yovMsgCenter()->getMsgPackage(&msg, &n);
    else
        yov::msgFromBytes(n.userInfo.value(QLatin1String(yov::kMsgUserInfo)).toByteArray(), msg);
    Record r;
    r.module = msg.moduleID;
    r.type = msg.type;
    r.result = msg.result;
    r.length = msg.dataLength;
    r.payload = yov::PayloadReader::ofMsg(msg);
    return r;
}

QString InitController::loc(const QString &text) const
{
    // The visible texts come from the active token table (the language object itself passes
    // texts through in the dashboard).
    return Map_Name_Item_of_IndexString(text);
}

QString InitController::wording(const QString &key) const
{
    const QString value = WordingOperation::getDisplayWordingValueByWordingKey(key);
    return value.isEmpty() ? loc(key) : value;
}

void InitController::alert(const QString &message, std::function<void()> then)
{
    NSBeginAlertPanelExt(loc(QStringLiteral("Warning")), loc(message), loc(QStringLiteral("OK")), QString(),
                         [then = std::move(then)](int) {
                             if (then)
                                 then();
                         });
}

bool InitController::settingBool(const char *module, const char *key) const
{
    return yov::nsBool(setting(QLatin1String(module), QLatin1String(key)));
}

bool InitController::topBool(const char *key) const
{
    return yov::nsBool(setting(QLatin1String(key)));
}

bool InitController::isSmartUI() const
{
    return yov::nsBool(yov::nsDict(setting(QStringLiteral("UIConfig"))).value(QStringLiteral("SmartUI")));
}

bool InitController::writeSettingsReported(const char *what)
{
    if (config().writeToFile())
        return true;
    qCWarning(lcInit) << "the settings file could not be written after" << what
                      << "; the change is kept in memory only";
    return false;
}

void InitController::setModuleKey(const QString &module, const QString &key, const QVariant &value)
{
    if (config().setConfigurationByModuleKeyAndValue(module, key, value))
        return;
    QVariantMap map = yov::nsDict(config().getConfigurationByModule(module));
    map.insert(key, value);
    config().setConfigurationByModule(module, map);
}

void InitController::setImage(QLabel *label, const QString &name)
{
    if (!label)
        return;
    label->setProperty("imageName", name);
    label->setToolTip(name);
}

QString InitController::simStatusImageName() const
{
    return m_simStatus ? m_simStatus->property("imageName").toString() : QString();
}

QString InitController::modemStatusImageName() const
{
    return m_netStatus ? m_netStatus->property("imageName").toString() : QString();
}

void InitController::sendNotification(const QString &name, const QVariant &value)
{
    notificationCenter().post(name, nullptr, {{name, value}});
}

void InitController::createViews()
{
    auto *view = new QWidget;
    view->setObjectName(QStringLiteral("viewInitStatus"));
    auto *row = new QHBoxLayout(view);
    auto label = [&](const char *name) {
        auto *l = new QLabel(view);
        l->setObjectName(QLatin1String(name));
        row->addWidget(l);
        return l;
    };
    m_netStatus = label("imageNetStatus");
    m_simStatus = label("imageSimStatus");
    labelSimStatus_ = label("labelSimStatus");
    SIMTypeDisplayFld_ = label("SIMTypeDisplayFld");
    m_rssiStatusLabel = label("labelRssiStatus");
    m_evdoStatus = label("imageEvdoStatus");
    m_evdoStatusLabel = label("labelEvdoStatus");
    viewNetWorkStatus_ = new QWidget(view);
    viewNetWorkStatus_->setObjectName(QStringLiteral("viewNetWorkStatus"));
    row->addWidget(viewNetWorkStatus_);
    auto *net = new QHBoxLayout(viewNetWorkStatus_);
    auto netLabel = [&](const char *name) {
        auto *l = new QLabel(viewNetWorkStatus_);
        l->setObjectName(QLatin1String(name));
        net->addWidget(l);
        return l;
    };
    m_NameOfLocalSPN = netLabel("labelInitLocalSPN");
    m_NameOfBelonetoSPN = netLabel("labelInitBeloneToSPN");
    m_network = netLabel("labelInitNetwork");
    m_roamStatus = netLabel("labelInitRoamStatus");
    m_domain = netLabel("labelInitDomain");
    // The lock tip stands where the network status was (shown with its text).
    tfdLockTip_ = label("tfdLockTip");
    tfdLockTip_->hide();
    tfdOwnNumTitle_ = label("tfdOwnNumTitle");
    tfdOwnNumContent_ = label("tfdOwnNumContent");
    row->addStretch(1);

    // The device options (PIN entry options, roaming switches, the lock tip) are not part of the
    // status row: they live in a view of their own that the settings page hosts.
    auto *options = new QWidget;
    options->setObjectName(QStringLiteral("viewInitDeviceOptions"));
    auto *column = new QVBoxLayout(options);
    tfdOwnNumUI_ = new QLabel(options);
    tfdOwnNumUI_->setObjectName(QStringLiteral("tfdOwnNumUI"));
    tfdOwnNumUI_->hide(); // shown with the number
    column->addWidget(tfdOwnNumUI_);
    auto *pin = new QGroupBox(options);
    pin->setObjectName(QStringLiteral("boxInitPinOptions"));
    auto *pinColumn = new QVBoxLayout(pin);
    btnPINAutoValidation_ = new QCheckBox(pin);
    btnPINAutoValidation_->setObjectName(QStringLiteral("btnSettingPINAutoValidation"));
    btnPinNumSavedInConfigFile_ = new QCheckBox(pin);
    btnPinNumSavedInConfigFile_->setObjectName(QStringLiteral("btnPinNumSavedInConfigFile"));
    btnRemovePinAutoCheckByICCID_ = new QPushButton(pin);
    btnRemovePinAutoCheckByICCID_->setObjectName(QStringLiteral("btnRemovePinAutoCheckByICCID"));
    pinColumn->addWidget(btnPINAutoValidation_);
    pinColumn->addWidget(btnPinNumSavedInConfigFile_);
    pinColumn->addWidget(btnRemovePinAutoCheckByICCID_, 0, Qt::AlignLeft);
    column->addWidget(pin);
    boxPinOptions_ = pin;
    // The roaming switches are the settings page's, shown there with its roaming answers.
    btnIroamSwitch_ = new QCheckBox(options);
    btnIroamSwitch_->setObjectName(QStringLiteral("btnIroamSwitch"));
    btnIroamSwitch_->hide();
    btnNroamSwitch_ = new QCheckBox(options);
    btnNroamSwitch_->setObjectName(QStringLiteral("btnNroamSwitch"));
    btnNroamSwitch_->hide();
    column->addStretch(1);
    deviceOptionsView_ = options;
    labelPINEnter_ = new QAction(QStringLiteral("Enter PIN"), view);
    labelPINUnlock_ = new QAction(QStringLiteral("Unlock PIN"), view);
    labelPINEnter_->setEnabled(false);
    labelPINUnlock_->setEnabled(false);
    statusView_ = view;
}

QWidget *InitController::pinOptionsBox() const { return boxPinOptions_; }

void InitController::connectWindowActions()
{
    connectAction(m_InitPinWindow->btnOK, QStringLiteral("closePinWindow:"));
    connectAction(m_InitPinWindow->btnCancel, QStringLiteral("cancelPinWindow:"));
    m_InitPinWindow->onCancel = [this] { cancelPinWindow(m_InitPinWindow->btnCancel); };
    connectAction(m_InitPukWindow->btnOK, QStringLiteral("closePukWindow:"));
    connectAction(m_InitPukWindow->btnCancel, QStringLiteral("cancelPukWindow:"));
    m_InitPukWindow->onCancel = [this] { cancelPukWindow(m_InitPukWindow->btnCancel); };
    connectAction(wndReAlertToCancelPinInput_->btnYES, QStringLiteral("clickYESOfReAlertPinWindow:"));
    connectAction(wndReAlertToCancelPinInput_->btnNO, QStringLiteral("clickNOOfReAlertPinWindow:"));
    wndReAlertToCancelPinInput_->onCancel = [this] { clickNOOfReAlertPinWindow(wndReAlertToCancelPinInput_->btnNO); };
    connectAction(wndUnlockDevice_->btnUnlockDeviceOK_, QStringLiteral("unlockDeviceOK:"));
    connectAction(wndUnlockDevice_->btnUnlockDeviceCancel_, QStringLiteral("unlockDeviceCancel:"));
    wndUnlockDevice_->onCancel = [this] { unlockDeviceCancel(wndUnlockDevice_->btnUnlockDeviceCancel_); };
    wndSimCardUpdate_->onCancel = [] {}; // closes by itself
    connect(winD3uWhiteCheck_->btnD3uWhiteCheck_, &QPushButton::clicked, this, [this] { clickOKBtnInD3uPopUp1(); });
    winD3uWhiteCheck_->onCancel = [this] { clickOKBtnInD3uPopUp1(); };
    connect(winD3uWhiteCheck_->checkboxD3uWhiteCheck_, &QCheckBox::toggled, this,
            [this](bool checked) { clickCheckboxInD3uPopUp1(checked); });
    connectAction(labelPINEnter_, QStringLiteral("enterPIN:"));
    connectAction(labelPINUnlock_, QStringLiteral("unlockPIN:"));
    connectAction(btnRemovePinAutoCheckByICCID_, QStringLiteral("removeAutoCheckPinByICCID:"));
    connectAction(btnPinNumSavedInConfigFile_, QStringLiteral("enableSavePinNum:"));
    // The auto-validation box's one action is the settings panel's (it confirms the PIN first).
    // The PIN menu items of the main window follow the two actions' state.
    connect(labelPINEnter_, &QAction::enabledChanged, this,
            [](bool on) { Neighbours::main().setMenuItemEnabled(QStringLiteral("Enter PIN"), on); });
    connect(labelPINUnlock_, &QAction::enabledChanged, this,
            [](bool on) { Neighbours::main().setMenuItemEnabled(QStringLiteral("Unlock PIN"), on); });
    connectAction(m_InitPinWindow->btnSavePinNum_, QStringLiteral("savePinNum:"));
    for (QLineEdit *field : {m_InitPinWindow->m_PinCode, m_InitPukWindow->m_NewPinCode, m_InitPukWindow->m_RepNewPinCode})
        connect(field, &QLineEdit::textEdited, this, [this, field] { controlTextDidChange(field); });
}

// --- life cycle

void InitController::specialInit()
{
    whiteListCheck_ = true;
    whiteListRoamTip_ = true;
    apnCycleWhenLeaveRoam_ = false;
    firstYDON_ = true;
    firstYPAS_ = false;
    manuuallyInputPinFlag_ = false;
    allowAlertSel3GPrefer_ = true;
    roamTransferMode_ = 2;
    registeredRoamStatus_ = 2;
    // A PIN left in the settings file by an older version moves to its own private file.
    const QString legacyPin = yov::nsString(setting(QStringLiteral("PinNum")));
    if (setting(QStringLiteral("PinNum")).isValid()) {
        const QString legacyIccid = yov::nsString(setting(QStringLiteral("Iccid")));
        QString error;
        if (legacyPin.isEmpty() || legacyIccid.isEmpty() || savedPinStore_.save(legacyIccid, legacyPin, &error)) {
            config().removeConfigurationByModule(QStringLiteral("PinNum"));
            config().removeConfigurationByModule(QStringLiteral("Iccid"));
            writeSettingsReported("moving the kept PIN out of the settings");
        } else {
            qCWarning(lcInit) << "the kept PIN could not be moved to its own file:" << error;
        }
    }
    // The kept PIN is taken once its SIM's ICCID is known (isNeedPinAutoValidation compares it).
    if (settingBool("Main", "AtuoCheckPinAndIccidSavedInConfigFile")) {
        const SavedPinStore::Entry kept = savedPinStore_.load();
        if (kept.isValid())
            pinNum_ = kept.pin;
    }
}

void InitController::initializeSkin()
{
    // The windows carry their skin keys as object names; the skin manager, when there is one,
    // places them by those keys.
    if (!yovSkinManager())
        return;
}

void InitController::initWithCDMA()
{
    for (QLabel *v : {m_rssiStatusLabel.data(), m_evdoStatus.data(), m_evdoStatusLabel.data()})
        if (v)
            v->setVisible(true);
    // The roaming mark moves to just right of the EVDO icon.
    if (m_roamStatus && m_evdoStatus && m_evdoStatus->parentWidget()) {
        if (auto *row = qobject_cast<QBoxLayout *>(m_evdoStatus->parentWidget()->layout())) {
            const int at = row->indexOf(m_evdoStatus);
            if (at >= 0 && row->indexOf(m_roamStatus) != at + 1) {
                row->insertWidget(at + 1, m_roamStatus);
                row->insertSpacing(at + 1, 10);
            }
        }
    }
    createDiagWindow();
    m_DiagWindow->keepOnlyRows({QStringLiteral("Diag_SoftwareVersion"), QStringLiteral("Diag_DriverVersion"),
                                QStringLiteral("Diag_PCModel"), QStringLiteral("Diag_OSVer"),
                                QStringLiteral("Diag_OSLang")});
}

void InitController::initializeNibResources()
{
    // The chipset family from Main/DeviceType: KV401 shows the EVDO views, CDMA sets up its own.
    const int platform = Platform::sharedPlatform()->platform();
    for (QLabel *v : {m_rssiStatusLabel.data(), m_evdoStatus.data(), m_evdoStatusLabel.data()})
        if (v)
            v->setVisible(platform == Platform::KV401);
    if (platform == Platform::CDMA)
        initWithCDMA();
    if (m_NameOfLocalSPN && settingBool("Init", "OnlyShowBelonetoSPN"))
        m_NameOfLocalSPN->setVisible(false);
    // The SIM text is the letter mode's way of showing the SIM state; the icon is the other's.
    if (labelSimStatus_)
        labelSimStatus_->setVisible(settingBool("Main", "SimStatusWithLetter"));
    // Network status reset: modem and SIM not there.
    setImage(m_netStatus, QStringLiteral("netstatus1"));
    setImage(m_simStatus, QStringLiteral("noSim"));
    // The diagnostics sheet: its wording, its device and network values emptied.
    initDiagWindow();
    clearDiagWindow();
    if (viewNetWorkStatus_)
        viewNetWorkStatus_->setVisible(true);
    if (btnIroamSwitch_)
        btnIroamSwitch_->setEnabled(false);
    if (btnNroamSwitch_)
        btnNroamSwitch_->setEnabled(false);
    for (QLabel *v : {SIMTypeDisplayFld_.data(), tfdOwnNumUI_.data(), tfdOwnNumContent_.data()})
        if (v)
            v->clear();
    if (tfdOwnNumUI_)
        tfdOwnNumUI_->hide();
    if (settingBool("Main", "AtuoCheckPinAndIccidSavedInConfigFile") && btnPinNumSavedInConfigFile_)
        btnPinNumSavedInConfigFile_->setChecked(settingBool("Main", "EnableSavePINNum"));
    // The PIN options the configuration offers, and only those, are shown.
    const bool autoValidation = settingBool("Main", "pinAutoValidation");
    const bool keepPin = settingBool("Main", "AtuoCheckPinAndIccidSavedInConfigFile");
    if (btnPINAutoValidation_)
        btnPINAutoValidation_->setVisible(autoValidation);
    for (QWidget *w : {static_cast<QWidget *>(btnPinNumSavedInConfigFile_.data()),
                       static_cast<QWidget *>(btnRemovePinAutoCheckByICCID_.data())})
        if (w)
            w->setVisible(keepPin);
    if (boxPinOptions_)
        boxPinOptions_->setVisible(autoValidation || keepPin);
}

void InitController::registerMessages()
{
    YOVMsgCenter *mc = yovMsgCenter();
    if (mc) {
        using C = InitController;
        struct Row { int major, minor; void (C::*handler)(const yov::Notification &); };
        // The network, signal and roaming reports are registered by the network handlers.
        static const Row rows[] = {
            {1, 0, &C::dealWithMsgOfHandShake},
            {2, 1, &C::dealWithMsgOfPowerCheck},
            {3, 2, &C::dealWithMsgOfWorkModeCheck},
            {3, 3, &C::dealWithMsgOfStartWork},
            {3, 4, &C::dealWithMsgOfStopWork},
            {3, 5, &C::dealWithMsgOfGetDeviceMode},
            {4, 8, &C::dealWithMsgOfCountPinPukRemain},
            {4, 9, &C::dealWithMsgOfPinStatus},
            {4, 10, &C::dealWithMsgOfCheckoutPin},
            {4, 16, &C::dealWithMsgOfPinAutoValidation},
            {4, 19, &C::dealWithMsgOfReadPin},
            {4, 17, &C::dealWithMsgOfSavePin},
            {4, 11, &C::dealWithMsgOfCheckoutPuk},
            {4, 13, &C::dealWithMsgOfCheckPinActiveStatus},
            {6, 32, &C::dealWithMsgOfCheckSIMStatus},
            {6, 33, &C::dealWithMsgOfCheckUSIMStatus},
            {7, 34, &C::dealWithMsgOfCheckSmsPPDownload},
            {7, 41, &C::dealWithMsgOfCheckICCID},
            {7, 42, &C::dealWithMsgOfCheckCIMI},
            {7, 51, &C::dealWithMsgOfCheckMCCMNC},
            {7, 48, &C::dealWithMsgOfCheckHWVERSION},
            {7, 49, &C::dealWithMsgOfCheckModemModel},
            {7, 47, &C::dealWithMsgOfCheckPhoneNumber},
            {7, 50, &C::dealWithMsgOfCheckSerialNumber},
            {8, 58, &C::dealWithMsgOfCheckDeviceStatus},
            {8, 59, &C::dealWithMsgOfCheckDeviceNotAttached},
        };
        for (const Row &row : rows)
            mc->registerObserver(this, row.handler, row.major, row.minor);
        if (topBool("UpdateByInternalFW"))
            mc->registerObserver(this, &C::dealWithMsgOfCheckFWINTERNALVERSION, 7, 45);
        mc->registerObserver(this, &C::dealWithMsgOfCheckFWVERSION, 7, 44);
        mc->registerObserver(this, &C::dealWithMsgOfCheckDeviceLockStatus, 0, 26);
        mc->registerObserver(this, &C::dealWithMsgOfCheckDeviceUnLockResult, 0, 164);
    }
    registerNetworkMessages();
    notificationCenter().addObserver(this, QStringLiteral("openPINWindow"), nullptr,
                                     [this](const yov::Notification &n) { openPINWindow(n); });
    // DeviceRemoved reaches deviceRemoved() through the base notification table.
    registerNotification(mainWindowChangeNotificationTable);
}

void InitController::initializeController()
{
    // "PIN Operations" of the main window's menus: the way back into the PIN and PUK entry.
    MainControllerInterface &main = Neighbours::main();
    const QPointer<InitController> self(this);
    main.registerMenuItem(QStringLiteral("PIN Operations"), QStringLiteral("Enter PIN"), [self] {
        if (self && self->labelPINEnter_ && self->labelPINEnter_->isEnabled())
            self->enterPIN(nullptr);
    });
    main.registerMenuItem(QStringLiteral("PIN Operations"), QStringLiteral("Unlock PIN"), [self] {
        if (self && self->labelPINUnlock_ && self->labelPINUnlock_->isEnabled())
            self->unlockPIN(nullptr);
    });
    main.setMenuItemEnabled(QStringLiteral("Enter PIN"), labelPINEnter_ && labelPINEnter_->isEnabled());
    // The help menu's diagnostics, logs and about items.
    main.registerMenuItem(QStringLiteral("Help"), QStringLiteral("Diagnostics"), [self] {
        if (self)
            self->showDiagInfo(nullptr);
    });
    main.registerMenuItem(QStringLiteral("Help"), QStringLiteral("Logs"), [self] {
        if (self)
            self->showLogs(nullptr);
    });
    main.registerMenuItem(QStringLiteral("Help"), QStringLiteral("About..."), [self] {
        if (self)
            self->openAboutURL(nullptr);
    });
    notificationCenter().addObserver(this, &InitController::prepareToShowDiagWindow, QStringLiteral("prepareDiagInfo"));
    main.setMenuItemEnabled(QStringLiteral("Unlock PIN"), labelPINUnlock_ && labelPINUnlock_->isEnabled());
    // With a language object the texts are set when the controller registers for language
    // changes; without one they are set here once.
    if (!yovLanguage())
        updateLanguages();
}

void InitController::updateLanguages()
{
    if (m_DiagWindow)
        initDiagWindow();
    if (tfdOwnNumTitle_)
        tfdOwnNumTitle_->setText(loc(QStringLiteral("PhoneNum Title Show in Main View")));
    if (btnPINAutoValidation_)
        btnPINAutoValidation_->setText(loc(QStringLiteral("PIN Auto Validation")));
    if (m_InitPinWindow)
        m_InitPinWindow->btnSavePinNum_->setText(loc(QStringLiteral("PIN Auto Validation")));
    if (btnPinNumSavedInConfigFile_)
        btnPinNumSavedInConfigFile_->setText(loc(QStringLiteral("Save Pin")));
    if (btnRemovePinAutoCheckByICCID_)
        btnRemovePinAutoCheckByICCID_->setText(loc(QStringLiteral("Remove saved PIN from computer")));
    if (boxPinOptions_)
        boxPinOptions_->setTitle(loc(QStringLiteral("PIN Operations")));
    if (btnIroamSwitch_)
        btnIroamSwitch_->setText(loc(QStringLiteral("International roam")));
    if (btnNroamSwitch_)
        btnNroamSwitch_->setText(loc(QStringLiteral("national roam")));
    if (labelPINEnter_)
        labelPINEnter_->setText(loc(QStringLiteral("Enter PIN")));
    if (labelPINUnlock_)
        labelPINUnlock_->setText(loc(QStringLiteral("Unlock PIN")));
    if (m_network)
        m_network->setText(loc(networkName_));
    updateLanguageForSimState();
}

void InitController::updateLanguageForSimState()
{
    if (labelSimStatus_ && !labelSimStatus_->isHidden())
        labelSimStatus_->setText(loc(QStringLiteral("No (U)SIM")));
}

// --- requests

bool InitController::setDeviceOnline() { return sendRequest<3, 3>(); }
bool InitController::setDeviceOffline() { return sendRequest<3, 4>(); }

// --- handshake, modem and SIM

void InitController::dealWithMsgOfHandShake(const yov::Notification &n)
{
    if (record(n).result != 0)
        return;
    if (ConfigService(&config()).isDisplayCheckModemStatus()) {
        setImage(m_netStatus, QStringLiteral("netstatusOfCheckModem"));
        cancelTimer(handshakeTimer_);
        handshakeTimer_ = clock().schedule(2000, this, [this] {
            handshakeTimer_ = 0;
            setModemStatus(true);
        });
    } else {
        setModemStatus(true);
    }
}

void InitController::setModemStatus(bool present)
{
    Neighbours::dial().setModemAndSimStateString(present ? QStringLiteral("Init_tfdStarting Device")
                                                         : QStringLiteral("Dial_tfdDeviceNotDetected"));
    setImage(m_netStatus, present ? QStringLiteral("netstatus2") : QStringLiteral("netstatus1"));
    sendNotification(QStringLiteral("init_ModemConnected"), present);
}

void InitController::dealWithMsgOfPinStatus(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.result != 0 || r.module != kModuleInit)
        return;
    setSimStatus(true);
    notifySimReady();
    Neighbours::dial().setDialParams();
}

void InitController::setImageForSimCardRead()
{
    setImage(m_simStatus, QStringLiteral("simReady"));
}

void InitController::setSimStatus(bool ready)
{
    const bool letterMode = settingBool("Main", "SimStatusWithLetter");
    if (ready) {
        if (letterMode) {
            if (labelSimStatus_)
                labelSimStatus_->setHidden(true);
            if (m_simStatus)
                m_simStatus->setHidden(true);
        } else if (ConfigService(&config()).isDisplayCheckSimStatus()) {
            setImage(m_simStatus, QStringLiteral("CheckSIMStatus"));
            cancelTimer(simCheckTimer_);
            simCheckTimer_ = clock().schedule(2000, this, [this] {
                simCheckTimer_ = 0;
                setImageForSimCardRead();
            });
        } else {
            setImageForSimCardRead();
        }
        m_SimPinState = SimReady;
        if (settingBool("Main", "pinAutoValidation") && manuuallyInputPinFlag_) {
            savePinToModem();
            manuuallyInputPinFlag_ = false;
        }
        setRuntimeObject(true, QStringLiteral("runtimeSIMCardReady"));
        // A ready SIM asks for no code.
        for (QAction *item : {labelPINEnter_.data(), labelPINUnlock_.data()})
            if (item)
                item->setEnabled(false);
    } else {
        cancelTimer(simCheckTimer_);
        if (letterMode) {
            if (m_simStatus)
                m_simStatus->setHidden(false);
            if (labelSimStatus_) {
                labelSimStatus_->setHidden(false);
                labelSimStatus_->setText(loc(QStringLiteral("No (U)SIM")));
            }
        }
        setImage(m_simStatus, QStringLiteral("noSim"));
        m_SimPinState = SimNotReady;
        setRuntimeObject(false, QStringLiteral("runtimeSIMCardReady"));
    }
    sendNotification(QStringLiteral("init_SimStatus"), ready);
}

void InitController::dealWithMsgOfCheckSIMStatus(const yov::Notification &n)
{
    const Record r = record(n);
    const int status = r.payload.int32(0);
    if (r.result == -1) {
        if (status == -1) {
            DialControllerInterface &dial = Neighbours::dial();
            dial.setDeviceStatusStringRows(1);
            // (The smart window's top line is not part of the connection controller's interface.)
            dial.setModemAndSimStateString(QStringLiteral("Init_tfdNo (U)SIM"));
            if (!settingBool("Init", "DonotShowNoSIMAlert"))
                alert(QStringLiteral("NO UIM, Please insert UIM card!"));
        }
        setNetworkDomain(0, QStringLiteral("No Service"));
    } else if (r.result == 0) {
        if (SIMTypeDisplayFld_ && (status == 0 || status == 1))
            SIMTypeDisplayFld_->setText(status == 0 ? QStringLiteral("2G") : QStringLiteral("3G"));
    }
}

void InitController::dealWithMsgOfCheckUSIMStatus(const yov::Notification &n)
{
    const Record r = record(n);
    setInactivatedUSIMForRuzuvoWithStatus(r.type == 1 && r.module == kModuleInit ? r.payload.int32(0) : 0);
}

void InitController::setInactivatedUSIMForRuzuvoWithStatus(int status)
{
    if ((status == 4 || status == 6) && topBool("PopUpPanelWhenYUSIM4")) {
        setSimStatus(false);
        alert(QStringLiteral("Invalid (U)SIM or No (U)SIM!"));
    }
}

void InitController::dealWithMsgOfGetDeviceMode(const yov::Notification &n)
{
    m_deviceMode = record(n).payload.int32(0);
    SettingControllerInterface &settings = Neighbours::setting();
    if (m_deviceMode == 4 || m_deviceMode == 5 || m_deviceMode == 6) {
        for (QLabel *v : {m_rssiStatusLabel.data(), m_evdoStatus.data(), m_evdoStatusLabel.data()})
            if (v)
                v->setVisible(false);
        // The settings take the hidden state: these modes have the WCDMA preferred mode, not the
        // CDMA preference.
        settings.setCDMASelectNetworkVisible(true);
        settings.setWCDMASelectNetworkVisible(false);
        Neighbours::dial().setWCDMAConfigHidden(false);
    } else {
        settings.setWCDMASelectNetworkVisible(true);
        settings.setCDMASelectNetworkVisible(false);
        if (settingBool("Internet", "HideWCDMAPara"))
            Neighbours::dial().setWCDMAConfigHidden(true);
    }
}

void InitController::dealWithMsgOfCheckDeviceStatus(const yov::Notification &n)
{
    if (record(n).result == -1)
        notifyDeviceRemoved();
    else
        notifyDevicePlugin();
}

void InitController::dealWithMsgOfCheckDeviceNotAttached(const yov::Notification &)
{
    alert(QStringLiteral("Device not detected!"));
}

// --- SIM update (SMS-PP download)

void InitController::dealWithMsgOfCheckSmsPPDownload(const yov::Notification &n)
{
    const Record r = record(n);
    if (r.type != 1 || r.result != 0 || !wndSimCardUpdate_)
        return;
    if (!wndSimCardUpdate_->isVisible())
        popUpSimcardUpdateWnd();
    scheduleSimCardUpdateSteps();
}

void InitController::scheduleSimCardUpdateSteps()
{
    for (int id : std::as_const(simUpdateSteps_))
        clock().cancel(id);
    simUpdateSteps_ = {
        clock().schedule(2000, this, [this] { selectPCPhonebook(); }),
        clock().schedule(4000, this, [this] { setSimcardUpdateEndWording(); }),
        clock().schedule(7000, this, [this] { closeSimcardUpdateWnd(); }),
    };
}

void InitController::popUpSimcardUpdateWnd()
{
    wndSimCardUpdate_->labelSimCardUpdate_->setText(wording(QStringLiteral("Init_labelSimCardUpdate_CheckSmsPPDownloadBegin")));
    wndSimCardUpdate_->beginSheetOn(topmostSheetOf(wndMain));
}

void InitController::selectPCPhonebook() { Neighbours::phonebook().selectAtPCSide(); }

void InitController::setSimcardUpdateEndWording()
{
    if (wndSimCardUpdate_)
        wndSimCardUpdate_->labelSimCardUpdate_->setText(wording(QStringLiteral("Init_labelSimCardUpdate_CheckSmsPPDownloadEnd")));
}

void InitController::closeSimcardUpdateWnd()
{
    simUpdateSteps_.clear();
    if (wndSimCardUpdate_)
        wndSimCardUpdate_->endSheet();
}

// --- removal and quit

void InitController::specialDeviceRemoved()
{
    deviceLockFlag_ = false;
    whiteListCheck_ = true;
    whiteListRoamTip_ = true;
    firstYDON_ = true;
    firstYPAS_ = false;
    allowAlertSel3GPrefer_ = true;
    manuuallyInputPinFlag_ = false;
    roamTransferMode_ = 2;
    registeredRoamStatus_ = 2;
    if (btnIroamSwitch_)
        btnIroamSwitch_->setEnabled(false);
    if (btnNroamSwitch_)
        btnNroamSwitch_->setEnabled(false);
}

void InitController::cancelTimer(int &id)
{
    if (id)
        clock().cancel(id);
    id = 0;
}

void InitController::deviceRemoved(const yov::Notification &)
{
    // Nothing of the removed modem and its SIM stays: both are "not there" until the next device
    // reports, and a pending handshake or SIM check of the old one is dropped.
    cancelTimer(handshakeTimer_);
    cancelTimer(simCheckTimer_);
    setModemStatus(false);
    setSimStatus(false);
    m_IMSI.clear();
    initService()->setImsi(QString());
    m_SimPinState = SimNotReady;
    hadDoPinAutoValidation_ = false;
    mccmnc.clear();
    clickYESOfReAlertPinWindow(nullptr);
    networkRoamStatus_ = 2;
    specialDeviceRemoved();
    initializeNibResources();
    alreadyGetSimIMSIFlag_ = false;
    if (labelPINEnter_)
        labelPINEnter_->setEnabled(false);
    if (labelPINUnlock_)
        labelPINUnlock_->setEnabled(false);
    iccid_.clear();
    dialFunctionEnabledFlag_ = true;
    hasAlertRoam = false;
    firstUnlockedDevice_ = false;
    networkDeviceRemoved();
}

void InitController::closeApplication()
{
    closeAllSheetsOfMainWnd();
    // Through the main window's quit road, with its rules and its clean-up.
    Neighbours::main().terminate();
}

} // namespace ostrel
