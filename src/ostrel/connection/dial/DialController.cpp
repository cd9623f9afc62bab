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
      operatorContent_(&defaultOperatorContent_),
      profiles_(&config(), [this](const QString &s) { return localizedText(s); }),
      transplant_(&config())
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

void DialController::setOperatorContent(DialOperatorContentInterface *content)
{
    operatorContent_ = content ? content : &defaultOperatorContent_;
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

void DialController::runAlert(const QString &title, const QString &message, const QString &ok, const QString &cancel,
                              int *answer)
{
    const int a = NSRunAlertPanelExt(localizedText(title), localizedText(message), localizedText(ok),
                                     cancel.isEmpty() ? QString() : localizedText(cancel));
    if (answer)
        *answer = a;
}

void DialController::beginAlert(const QString &title, const QString &message, const QString &ok,
                                const QString &cancel, std::function<void(int)> onAnswer)
{
    NSBeginAlertPanelExt(localizedText(title), localizedText(message), localizedText(ok),
                         cancel.isEmpty() ? QString() : localizedText(cancel), std::move(onAnswer));
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
    // waits for its 0.05 s, or for the answer to one of its questions, would otherwise cancel the
    // dial the first one starts.
    if (dialOptionId_ != 0 || checksOpen_) {
        qCInfo(lcDial) << "connect request ignored: one is already under way";
        return;
    }
    // The checks may ask the user; they never block (a request can start from a device record's
    // handler), so each goes on in the answer's callback.
    checksOpen_ = true;
    const auto done = [this, sender](bool goAhead) {
        checksOpen_ = false;
        if (!goAhead)
            return;
        dialOptionId_ = clock().schedule(kDialOptionDelayMs, this, [this, sender] {
            dialOptionId_ = 0;
            performDialOption(sender);
        });
    };
    const auto disconnectChecks = [this, sender, done] {
        if (connectStatus_ == yov::kConnectStatusConnected)
            runDisconnectChecks(sender, done);
        else
            done(true);
    };
    if (connectStatus_ == yov::kConnectStatusIdle)
        runConnectChecks(sender, [done, disconnectChecks](bool passed) {
            if (passed)
                disconnectChecks();
            else
                done(false);
        });
    else
        disconnectChecks();
}

void DialController::runConnectChecks(DialSender sender, std::function<void(bool)> done)
{
    if (!checkDeviceLockStatus(sender)) {
        done(false);
        return;
    }
    const auto lastChecks = [this, sender, done](bool passed) {
        if (!passed) {
            done(false);
            return;
        }
        if (internetValue("LockNetFrequencyWhenConnect").isValid())
            sendRequest<yov::dialmsg::kMajorConfig, yov::dialmsg::kMinorFreqLockRead>();
        if (sender != DialSender::Automatic) {
            bManualConnect_ = true;
            bManualConnectSuccess_ = false;
        }
        done(true);
    };
    const auto accountChecks = [this, done, lastChecks](bool passed) {
        if (!passed) {
            done(false);
            return;
        }
        if (checkAPNAccountFlag() && checkAPNAccount()) {
            done(false);
            return;
        }
        if (yov::nsBool(config().getConfigurationByModuleAndKey(QStringLiteral("Setting"),
                                                              QStringLiteral("connectWarningsDisplay")))
            && connectWarningsDisplayFlag_) {
            emit connectWarningSheetRequested();
            done(false);
            return;
        }
        if (internetBool("ChangePosForProfile"))
            displayUKMTSWaring(lastChecks);
        else
            lastChecks(true);
    };
    const auto limitChecks = [this, done, accountChecks](bool passed) {
        if (!passed) {
            done(false);
            return;
        }
        const bool dataLimit = yov::nsBool(config().getConfigurationByModuleAndKey(QStringLiteral("Record"),
                                                                                 QStringLiteral("recordLimitState")));
        if (dataLimit)
            displayDataLimitWarning(accountChecks);
        else
            displayTimeLimitWarning(accountChecks);
    };
    allowUserConnect([this, done, limitChecks](bool passed) {
        if (passed)
            allowRoamWithAlert(limitChecks);
        else
            done(false);
    });
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

void DialController::allowUserConnect(std::function<void(bool)> done)
{
    if (!internetBool("PopUpConnectWaring")) {
        done(true);
        return;
    }
    beginAlert(QStringLiteral("Warning"), QStringLiteral("Do you want to establish a connection?"), QStringLiteral("OK"),
               QStringLiteral("Cancel"), [done](int answer) { done(answer == 1); });
}

void DialController::allowRoamWithAlert(std::function<void(bool)> done)
{
    pendingRoamingAnswer_ = -1;
    const auto ask = [this](std::function<void(bool)> answered) {
        beginAlert(QStringLiteral("Warning"), QStringLiteral("Cost will be increased at roaming status"),
                   roamAlertOKBtnWording(), QStringLiteral("Cancel"), [this, answered](int answer) {
                       pendingRoamingAnswer_ = answer == 1 ? 1 : 0;
                       if (answer != 1)
                           setManualDisconnect(true);
                       answered(answer == 1);
                   });
    };
    const auto ask2G = [this, ask, done] {
        if (internetBool("Internet_PopAlertWindow_IfConnect2GNetwork") && is2GNetWork_)
            ask(done);
        else
            done(true);
    };
    const bool roaming = Neighbours::init().networkRoamStatus() == 0;
    if (roaming && !internetBool("ForbidRoamingAlert")
        && !(internetBool("noRoamingAlertBeforeConnectIfIsWhiteNet") && Neighbours::init().isInWhiteList()))
        ask([done, ask2G](bool passed) {
            if (passed)
                ask2G();
            else
                done(false);
        });
    else
        ask2G();
}

void DialController::displayUKMTSWaring(std::function<void(bool)> done)
{
    const QString prompt = detailServiceOfChooserItem(profiles_.currentChooserItem());
    if (prompt.isEmpty()) {
        clickOKForAPNPromptFlag_ = true;
        done(true);
        return;
    }
    beginAlert(QString(), prompt, QStringLiteral("OK"), QStringLiteral("Cancel"),
               [this, done](int answer) {
                   clickOKForAPNPromptFlag_ = answer == 1;
                   done(clickOKForAPNPromptFlag_);
               });
}

void DialController::runDisconnectChecks(DialSender sender, std::function<void(bool)> done)
{
    const auto proceed = [this, sender, done] {
        warnLimitFlag_ = false;
        autoDisconnectFlag_ = false;
        if (sender != DialSender::Automatic)
            hadDoManualDisconnect_ = true;
        done(true);
    };
    const auto roamingCheck = [this, done, proceed] {
        if (Neighbours::init().networkRoamStatus() != 0 || !internetBool("DialDisconnectWhenRoam")) {
            proceed();
            return;
        }
        beginAlert(QStringLiteral("Warning"), extensions_->roamDisconnectText(), QStringLiteral("OK"),
                   QStringLiteral("Cancel"), [done, proceed](int answer) {
                       if (answer == 1)
                           proceed();
                       else
                           done(false);
                   });
    };
    if (!internetBool("PopUpDisconnectWaring")) {
        roamingCheck();
        return;
    }
    beginAlert(QStringLiteral("Warning"), QStringLiteral("Do you want to terminate current connection?"),
               QStringLiteral("OK"), QStringLiteral("Cancel"), [done, roamingCheck](int answer) {
                   if (answer == 1)
                       roamingCheck();
                   else
                       done(false);
               });
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
            // The question before connecting holds further requests until it is answered.
            checksOpen_ = true;
            doBeforeConnect([this, sender](bool goAhead) {
                checksOpen_ = false;
                if (!goAhead || connectStatus_ != yov::kConnectStatusIdle)
                    return;
                if (sender != DialSender::Automatic)
                    apnCycleEnabled_ = true;
                displayDisConnectingFlag_ = false;
                checkIsAttachPSForConnect();
            });
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
                // An attach while a connection stands starts nothing.
                if (!manualBar && !last && checkIsAutoConnectOnline() && connectStatus_ == yov::kConnectStatusIdle
                    && Neighbours::setting().allowAutoConnect())
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
                                                         reconnectTimes_, apnCycleLastTry());
    QStringList cut;
    const yov::MSG_APN_SET_REQ_PARA_T params = profiles_.setDialParams(disableAlert, &cut);
    if (!cut.isEmpty())
        qCWarning(lcDial) << "dial parameters cut to fit:" << cut;
    sendRequest<yov::dialmsg::kMajorConfig, yov::dialmsg::kMinorDialParams>(params);
}

// ---- application ---------------------------------------------------------------------------

void DialController::applicationDidFinishLaunchingInDialController()
{
    loadDialConfig();
    setAsideUnreadableRecordFile(Neighbours::records().dialRecordFilePath());
    operatorContent_->applicationDidFinishLaunchingInDialController();
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
