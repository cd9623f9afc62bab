// DialController: construction, the requests and their checks, the state and its neighbours.
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/framework/language/Lingrove.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Language.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/update/AEMessage.h"
#include "platform/Clock.h"

#include <QCoreApplication>

namespace ostrel {

namespace {
DialController *g_dialController = nullptr;
}

const QString DialController::RECORD_IN_CREATE = QStringLiteral("Record In Create");
const QString DialController::RECORD_IN_RUNNING = QStringLiteral("Record In Runing");
const QString DialController::RECORD_IN_SAVED = QStringLiteral("Record In Saved");

DialController::DialController(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent),
      extensions_(&defaultExtensions_),
      profiles_(&config(), [this](const QString &s) { return localizedText(s); })
{
    pollTimer_ = std::make_unique<yov::RepeatingTimer>(clock(), this, [this] { getConnectStatus(); });
    ndisTimeTimer_ = std::make_unique<yov::RepeatingTimer>(clock(), this, [this] { refereshConnectTime(); });
    progressTimer_ = std::make_unique<yov::RepeatingTimer>(
        clock(), this, [this] { setProgressIndicatorWhenConnectStateChangeForDidizu(); });
    deviceReadyNotifier_ = [] {
        AEMessage *ae = AEMessage::defaultAEMessage();
        if (ae && ae->isSupportUpdate())
            ae->dealWithDeviceReady();
    };
    terminator_ = [] { QCoreApplication::quit(); };
    InitConnectState();
    g_dialController = this;
    Neighbours::setDial(this);
    AEMessage::defaultAEMessage()->setConnectStatusHook([this] { return connectStatus_; });
}

DialController::~DialController()
{
    if (dialOptionId_)
        clock().cancel(dialOptionId_);
    cancelAttach();
    if (g_dialController == this) {
        g_dialController = nullptr;
        Neighbours::setDial(nullptr);
        AEMessage::defaultAEMessage()->setConnectStatusHook({});
    }
}

DialController *DialController::g_DialController() { return g_dialController; }

void DialController::setExtensions(DialExtensionInterface *extensions)
{
    extensions_ = extensions ? extensions : &defaultExtensions_;
}

QString DialController::localizedText(const QString &english) const
{
    // The visible texts come from the active token table.
    return Map_Name_Item_of_IndexString(english);
}

// ---- settings --------------------------------------------------------------------------------

QVariant DialController::internetValue(const char *key) const
{
    return config().getConfigurationByModuleAndKey(QStringLiteral("Internet"), QLatin1String(key));
}

bool DialController::internetBool(const char *key) const { return yov::nsBool(internetValue(key)); }

bool DialController::topBool(const char *key) const
{
    return yov::nsBool(config().getConfigurationByModule(QLatin1String(key)));
}

int DialController::readConnectType() const
{
    return yov::nsInt(config().getConfigurationByModule(QStringLiteral("ConnectType"))) == yov::kConnectTypeNDIS
               ? yov::kConnectTypeNDIS
               : yov::kConnectTypePPP;
}

bool DialController::send(int major, int minor, const QByteArray &payload)
{
    YOVMsgCenter *center = yovMsgCenter();
    if (!center) {
        qCWarning(lcDial) << "no message center: request" << major << "/" << minor << "not sent";
        return false;
    }
    const bool ok = center->sendMessageModuleID(kModule, major, minor, 0, 0, payload.isEmpty() ? nullptr : &payload);
    if (!ok)
        qCWarning(lcDial) << "request" << major << "/" << minor << "was not delivered";
    return ok;
}

void DialController::runAlert(const QString &title, const QString &message, const QString &ok, const QString &cancel,
                              int *answer)
{
    const int a = NSRunAlertPanelExt(localizedText(title), localizedText(message), localizedText(ok),
                                     cancel.isEmpty() ? QString() : localizedText(cancel));
    if (answer)
        *answer = a;
}

// ---- state -----------------------------------------------------------------------------------

bool DialController::isDoingConnect() const
{
    return connectStatus_ == yov::kConnectStatusConnecting || connectStatus_ == yov::kConnectStatusDisconnecting;
}

void DialController::setConnectStatus(int status)
{
    connectStatus_ = status;
    if (status != yov::kConnectStatusIdle && status != yov::kConnectStatusConnected)
        return;
    setRuntimeObject(status == yov::kConnectStatusConnected, QStringLiteral("runtimeIsConnecttedFlag"));
    notificationCenter().post(QStringLiteral("ConnectStatusDidChange"), nullptr,
                              {{QStringLiteral("ConnectStatus"), status}});
}

void DialController::setManualDisconnect(bool on)
{
    manualDisconnectFlag_ = on;
    if (on)
        apnCycleEnabled_ = true;
}

void DialController::sendConnectStatusMsg(bool starting)
{
    notificationCenter().post(QStringLiteral("StartConnection"), this, {{QStringLiteral("StartConnection"), starting}});
}

void DialController::InitConnectState()
{
    connectSeconds_ = 0;
    sendBytes_ = receiveBytes_ = 0;
    lastSendBytes_ = lastReceiveBytes_ = 0;
    sendSpeed_ = receiveSpeed_ = 0;
}

bool DialController::isPolling() const { return pollTimer_->isActive(); }
bool DialController::isNdisTimeRunning() const { return ndisTimeTimer_->isActive(); }

// ---- requests --------------------------------------------------------------------------------

void DialController::DialOption(DialSender sender)
{
    // One request at a time: a second press (or the toolbar's second offer) while the first one
    // waits for its 0.05 s would otherwise cancel the dial the first one starts.
    if (dialOptionId_ != 0) {
        qCInfo(lcDial) << "connect request ignored: one is already under way";
        return;
    }
    if (connectStatus_ == yov::kConnectStatusIdle) {
        if (!runConnectChecks(sender))
            return;
    }
    if (connectStatus_ == yov::kConnectStatusConnected) {
        if (!runDisconnectChecks(sender))
            return;
    }
    dialOptionId_ = clock().schedule(kDialOptionDelayMs, this, [this, sender] {
        dialOptionId_ = 0;
        performDialOption(sender);
    });
}

bool DialController::runConnectChecks(DialSender sender)
{
    if (!checkDeviceLockStatus(sender))
        return false;
    if (!allowUserConnect())
        return false;
    if (!allowRoamWithAlert())
        return false;
    const bool dataLimit = yov::nsBool(config().getConfigurationByModuleAndKey(QStringLiteral("Record"),
                                                                             QStringLiteral("recordLimitState")));
    if (!(dataLimit ? extensions_->displayDataLimitWarning() : extensions_->displayTimeLimitWarning()))
        return false;
    if (extensions_->checkAPNAccountFlag() && extensions_->checkAPNAccount())
        return false;
    if (yov::nsBool(config().getConfigurationByModuleAndKey(QStringLiteral("Setting"),
                                                          QStringLiteral("connectWarningsDisplay")))
        && connectWarningsDisplayFlag_) {
        emit connectWarningSheetRequested();
        return false;
    }
    if (internetBool("ChangePosForProfile") && !displayUKMTSWaring())
        return false;
    if (internetValue("LockNetFrequencyWhenConnect").isValid())
        send(yov::dialmsg::kMajorConfig, yov::dialmsg::kMinorFreqLockRead);
    if (sender != DialSender::Automatic) {
        bManualConnect_ = true;
        bManualConnectSuccess_ = false;
    }
    return true;
}

bool DialController::checkDeviceLockStatus(DialSender sender)
{
    if (!topBool("DeviceLockDialFunction") || sender == DialSender::Other)
        return true;
    if (!Neighbours::setting().getDeviceUnlockCodeState())
        return true;
    Neighbours::init().setDeviceLockFunctionModule(0);
    Neighbours::init().openUnlockDeviceWindow(wndMain);
    return false;
}

bool DialController::allowUserConnect()
{
    if (!internetBool("PopUpConnectWaring"))
        return true;
    int answer = 0;
    runAlert(QStringLiteral("Warning"), QStringLiteral("Do you want to establish a connection?"), QStringLiteral("OK"),
             QStringLiteral("Cancel"), &answer);
    return answer == 1;
}

bool DialController::allowRoamWithAlert()
{
    pendingRoamingAnswer_ = -1;
    auto ask = [this]() {
        int answer = 0;
        runAlert(QStringLiteral("Warning"), QStringLiteral("Cost will be increased at roaming status"),
                 extensions_->roamAlertOKBtnWording(), QStringLiteral("Cancel"), &answer);
        pendingRoamingAnswer_ = answer == 1 ? 1 : 0;
        if (answer != 1)
            setManualDisconnect(true);
        return answer == 1;
    };
    const bool roaming = extensions_->roamingStatus() == 0;
    if (roaming && !internetBool("ForbidRoamingAlert")
        && !(internetBool("noRoamingAlertBeforeConnectIfIsWhiteNet") && extensions_->isInWhiteList())) {
        if (!ask())
            return false;
    }
    if (internetBool("Internet_PopAlertWindow_IfConnect2GNetwork") && is2GNetWork_)
        return ask();
    return true;
}

bool DialController::displayUKMTSWaring()
{
    static const char *const prompts[] = {"Detail Service Mobile GPRS-Internet", "Detail Service HyperActive",
                                          "Detail Service Hyper.NET"};
    const int item = profiles_.currentChooserItem();
    if (item < 1 || item > 3) {
        clickOKForAPNPromptFlag_ = true;
        return true;
    }
    int answer = 0;
    runAlert(QString(), QLatin1String(prompts[item - 1]), QStringLiteral("OK"), QStringLiteral("Cancel"), &answer);
    clickOKForAPNPromptFlag_ = answer == 1;
    return clickOKForAPNPromptFlag_;
}

bool DialController::runDisconnectChecks(DialSender sender)
{
    if (internetBool("PopUpDisconnectWaring")) {
        int answer = 0;
        runAlert(QStringLiteral("Warning"), QStringLiteral("Do you want to terminate current connection?"),
                 QStringLiteral("OK"), QStringLiteral("Cancel"), &answer);
        if (answer != 1)
            return false;
    }
    if (extensions_->roamingStatus() == 0 && internetBool("DialDisconnectWhenRoam")) {
        int answer = 0;
        runAlert(QStringLiteral("Warning"), extensions_->roamDisconnectText(), QStringLiteral("OK"),
                 QStringLiteral("Cancel"), &answer);
        if (answer != 1)
            return false;
    }
    warnLimitFlag_ = false;
    autoDisconnectFlag_ = false;
    if (sender != DialSender::Automatic)
        hadDoManualDisconnect_ = true;
    return true;
}

void DialController::performDialOption(DialSender sender)
{
    const int state = connectStatus_;
    if (readConnectType() == yov::kConnectTypeNDIS) {
        if (state == yov::kConnectStatusConnected) {
            setManualDisconnect(true);
            NDISDialDisconnect();
        } else if (state == yov::kConnectStatusIdle) {
            if (sender != DialSender::Automatic)
                apnCycleEnabled_ = true;
            NDISDialConnect();
        }
    } else {
        if (state == yov::kConnectStatusConnected) {
            setManualDisconnect(true);
            DialDisconnect();
        } else if (state == yov::kConnectStatusConnecting) {
            DialCancelConnect();
        } else if (state == yov::kConnectStatusIdle) {
            if (!extensions_->doBeforeConnect()) {
                setConnectBtnEnable(true);
                return;
            }
            if (sender != DialSender::Automatic)
                apnCycleEnabled_ = true;
            displayDisConnectingFlag_ = false;
            checkIsAttachPSForConnect();
        }
    }
    // The status handling enables the buttons again.
    setConnectBtnEnable(false);
}

void DialController::connectWarningWinOKClicked(DialSender sender)
{
    connectWarningsDisplayFlag_ = false;
    if (dialOptionId_ != 0)
        return;
    dialOptionId_ = clock().schedule(kDialOptionDelayMs, this, [this, sender] {
        dialOptionId_ = 0;
        performDialOption(sender);
    });
}

void DialController::SelectDisconnectAction()
{
    if (readConnectType() == yov::kConnectTypeNDIS)
        NDISDialDisconnect();
    else
        DialDisconnect();
}

void DialController::CancelConnect()
{
    getConnectStatus();
    setConnectBtnEnable(true);
    DialDisconnect();
}

// ---- packet domain ---------------------------------------------------------------------------

void DialController::setPSDomainStatus(bool attached)
{
    const bool last = bLastPSDomain_;
    const bool manualBar = internetBool("noNeedAutoConnectIfHadManualDisconnect") && hadDoManualDisconnect_;
    const bool keepWithoutPS = internetBool("DoNotCheckPSDomainWhileAutoConnect");
    if (attached) {
        if (!isDoingConnect()) {
            if ((!display_.connectButtonEnabled || !last) && !willConnectToInternet_) {
                setConnectBtnEnable(true);
                const bool online = !internetBool("NotAutoConnectOnline") || hadConnectAction_;
                if (!manualBar && !last && online && Neighbours::setting().allowAutoConnect())
                    reconnect(true);
            }
        }
        if (connectStatus_ == yov::kConnectStatusIdle) {
            setStateText(QStringLiteral("Idle"));
            setConnectStateForDidizu(false);
        }
    } else {
        if (connectStatus_ == yov::kConnectStatusIdle)
            setStateTextRaw(QString());
        if (display_.connectButtonEnabled && connectStatus_ == yov::kConnectStatusIdle) {
            if (!keepWithoutPS)
                setConnectBtnEnable(false);
            hadConnectAction_ = false;
        } else if (!display_.connectButtonEnabled && !isDoingConnect() && keepWithoutPS && !isDeviceRemoved_) {
            setConnectBtnEnable(true);
        }
    }
    bLastPSDomain_ = attached;
}

// ---- dial parameters -------------------------------------------------------------------------

void DialController::setDialParams()
{
    const ProfileSettings settings = profiles_.settings();
    const bool disableAlert = dialParaDisableAlertWindow(settings.disableAlertWindowWhileAutoConnectFailed,
                                                         reconnectTimes_, extensions_->apnCycleLastTry());
    QStringList cut;
    const yov::MSG_APN_SET_REQ_PARA_T params = profiles_.setDialParams(disableAlert, &cut);
    if (!cut.isEmpty())
        qCWarning(lcDial) << "dial parameters cut to fit:" << cut;
    send(yov::dialmsg::kMajorConfig, yov::dialmsg::kMinorDialParams, params.encode());
}

// ---- application ---------------------------------------------------------------------------

void DialController::applicationDidFinishLaunchingInDialController()
{
    loadDialConfig();
}

void DialController::endConnectionForQuit()
{
    if (connectStatus_ == yov::kConnectStatusIdle)
        return;
    bAppWillClose_ = true;
    SelectDisconnectAction();
    saveDialRecord();
}

void DialController::performCloseActionForZAR()
{
    if (!yov::nsBool(config().getConfigurationByModuleAndKey(QStringLiteral("MAINFORM"),
                                                           QStringLiteral("CloseAppWihoutQueryConnection"))))
        return;
    if (bAppWillClose_ || connectStatus_ == yov::kConnectStatusIdle)
        return;
    bAppWillClose_ = true;
    SelectDisconnectAction();
}

} // namespace ostrel
