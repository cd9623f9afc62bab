// DialController's binding: the device-service records and notifications it follows, the device
// events, and its wording.
#include "ostrel/connection/dial/DialController.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"

namespace ostrel {

using namespace yov::dialmsg;

namespace {

const NotificationTableRow dialControllerNotificationTable[] = {
    {"dialNotification:", "dialOption"},
    {"alreadyGetSimIMSI:", "AlreadyGetSimIMSI"},
    {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
    {"updateNetworkStatus:", "init_NetworkStatus"},
    {"connectTypeDidChanged:", "ConnectTypeChange"},
    {"ChangeAPNSelection:", "ChangeAPNSelection"},
    {"datausageRest:", "btnDatausageRestCliked"},
    {"setMsisdnNumberWithResult:", "xmlParseOver"},
    {"excuteWhenConnectServerError:", "connectServerError"},
    {"displayPhoneNumberForSmart:", "DisplayPhoneNumberForSmart"},
    {"imageDownloadFinishForBillboard:", "LoadImageFormURLOver"},
    {"loadFavouriteBtnWebKitViews:", "loadFavouriteBtnWebKitViews"},
    {nullptr, nullptr},
};

const NotificationTableRow deviceLockNotificationTable[] = {
    {"notifyDeviceUnlockSuccess:", "DeviceUnlockSuccess"},
    {"notifyDeviceUnlockFailed:", "DeviceUnlockFailed"},
    {nullptr, nullptr},
};

} // namespace

void DialController::setInternetView(QWidget *view, std::function<SkinBindings()> bindings)
{
    viewInternet_ = view;
    internetSkinBindings_ = std::move(bindings);
}

void DialController::initializeSkin()
{
    SkinManagerAccess *skin = yovSkinManager();
    if (!skin || !internetSkinBindings_)
        return;
    for (const auto &[key, control] : internetSkinBindings_()) {
        if (control)
            skin->registerController(control, key, true);
        // The skin's own buttons of the Internet view follow the view itself.
        if (key == QLatin1String("viewInternetTab") && viewInternet_)
            initializeBtnsOfView(viewInternet_, QStringLiteral("InternetViewItems"));
    }
}

void DialController::initializeNibResources()
{
    display_.stateText.clear();
    display_.connectButtonTitle = idleConnectButtonTitle();
    display_.startUpNote = localizedText(QStringLiteral("Modem is in start-up process."));
    if (topBool("DisplayBackgroundWhileDisconnect"))
        operatorContent_->hideBackgroundAndEmbeddedWebViews();
    const QString embedded = yov::nsString(config().getConfigurationByModule(QStringLiteral("EmbedWebViewURL")));
    if (!embedded.isEmpty())
        operatorContent_->displayEmbeddedWebView(embedded, topBool("EnableAllowScrollOfWBV"));
    display_.ipAddress = QStringLiteral("0.0.0.0");
    setConnectStateForDidizu(false);
    operatorContent_->showDefaultBillboard();
}

void DialController::registerMessages()
{
    YOVMsgCenter *center = yovMsgCenter();
    if (center) {
        const bool newDial = topBool("NewDial");
        center->registerObserver(this, &DialController::dealWithMsgOfEmpty, kMajorConfig, kMinorDialParams);
        center->registerObserver(this, &DialController::dealWithMsgOfEmpty, kMajorDial, kMinorPppConnect);
        center->registerObserver(this, &DialController::dealWithMsgOfEmpty, kMajorDial, kMinorPppDisconnect);
        center->registerObserver(this, &DialController::dealWithMsgOfFreqLockState, kMajorConfig, kMinorFreqLockState);
        if (newDial) {
            center->registerObserver(this, &DialController::dealWithMsgOfPPPConnectStatus, kMajorDial, kMinorPppStatus);
            center->registerObserver(this, &DialController::dealWithMsgOfPPPConnectOption, kMajorDial,
                                     kMinorPppLocalAddress);
        } else {
            center->registerObserver(this, &DialController::dealWithMsgOfDialConnectStatus, kMajorDial, kMinorPppStatus);
            center->registerObserver(this, &DialController::dealWithMsgOfDialConnectPppOption, kMajorDial,
                                     kMinorPppLocalAddress);
        }
        center->registerObserver(this, &DialController::dealWithMsgOfNDISStatus, kMajorDial, kMinorNdisStatus);
        center->registerObserver(this, &DialController::dealWithMsgOfNDISTransferData, kMajorDial, kMinorNdisTransfer);
        center->registerObserver(this, &DialController::dealWithMsgOfNDISQuery, kMajorDial, kMinorNdisQuery);
        // 258/64: the device's answer to a network-mode setting, the attach result.
        center->registerObserver(this, &DialController::dealWithMsgOfPSAttach, kMajorDial, 64);
    } else {
        qCWarning(lcDial) << "no message center: the connection follows no device record";
    }
    registerNotification(dialControllerNotificationTable);
    registerNotification(deviceLockNotificationTable);
}

void DialController::initializeController()
{
    initReconnectTimes();
    supportIPv6();
    initSpecialResources();
    loadDialConfig();
    setBtnAutoAPNMatchState();
    initConnectStatusWording();
}

// The operator's start-up steps.
void DialController::initSpecialResources()
{
    operatorContent_->initSplitConnectionProcess();
    operatorContent_->initAdContainerView();
    // While no connection runs, the operator's auto-hide keeps the state fields out of sight.
    setConnectStateHidden(true);
    operatorContent_->initWebDownloadAndLinkUpdateUtilitiesOfEntertain();
    if (ConfigService(&config()).isSkinVersionForDEdorud())
        operatorContent_->loadFavoritesLinkPropeties();
}

void DialController::updateLanguages()
{
    emit wordingChanged();
    updateLanguagesOfDynamicItem(QStringLiteral("InternetViewItems"));
    initConnectStatusWording();
    emit profilesChanged();
    changed();
}

// ---- the white list around a PPP connect -------------------------------------------------------

void DialController::doBeforeConnect(std::function<void(bool)> done)
{
    InitControllerInterface &device = Neighbours::init();
    // Roaming (0) on a network of the white list, the tip still wanted: ask first.
    if (!internetBool("d3uRemindWhilteNetAlertBeforeConnect") || device.networkRoamStatus() != 0
        || !device.isInWhiteList() || !device.roamTipWhenInWhiteList()) {
        done(true);
        return;
    }
    beginAlert(QStringLiteral("Warning"), QStringLiteral("remindInWhiteList"), QStringLiteral("OK"), QStringLiteral("Cancel"),
               [this, done](int answer) {
                   if (answer != 1)
                       setConnectBtnEnable(true);
                   done(answer == 1);
               });
}

void DialController::doAfterConnected()
{
    InitControllerInterface &device = Neighbours::init();
    if (internetBool("alertWhenRoamConnectedAndIsBlackNet") && device.networkRoamStatus() == 0 && !device.isInWhiteList()
        && connectStatus_ == yov::kConnectStatusConnected)
        beginAlert(QStringLiteral("Warning"), QStringLiteral("connectedNotInWhiteList"));
}

// ---- device events ---------------------------------------------------------------------------

void DialController::dealWithMsgOfDeviceOffline()
{
    if (connectStatus_ != yov::kConnectStatusIdle) {
        SelectDisconnectAction();
        StopTimerOfGetConnectState();
        playShortSound(1);
    }
    setManualDisconnect(false);
    reconnectTimes_ = 0;
    cancelAutoReconnect();
    StopTimerOfGetConnectState();
    setConnectBtnEnable(false);
    setStateText(QStringLiteral("Idle"));
    setConnectStateForDidizu(false);
    willConnectToInternet_ = false;
    cancelAttach();
    if (dialOptionId_) {
        clock().cancel(dialOptionId_);
        dialOptionId_ = 0;
    }
}

void DialController::deviceRemoved(const yov::Notification &)
{
    isDeviceRemoved_ = true;
    dealWithMsgOfDeviceOffline();
    bManualConnectSuccess_ = false;
    alreadyGetSimIMSIFlag_ = false;
    bAttatchPS_ = false;
    display_.profileFieldsEnabled = false;
    setPSDomainStatus(false);
    reconnectTimes_ = 0;
    // The start-up note shows again until the next device is ready to connect.
    modemStartUpProcessStateChanged_ = false;
    if (topBool("DisplayBackgroundWhileDisconnect"))
        operatorContent_->hideBackgroundAndEmbeddedWebViews();
    setConnectBtnEnable(false);
    apnCycleEnabled_ = true;
    if (wndMain && wndMain->isMinimized())
        wndMain->showNormal();
    hadDoManualDisconnect_ = false;
    displayDisConnectingFlag_ = false;
    if (profiles_.settings().addAPNWithSIM) {
        // The profiles of the next SIM are not known yet.
        display_.chooserItem = 1;
        display_.profileChooserEnabled = false;
    }
    connectWarningsDisplayFlag_ = true;
    hadConnectAction_ = false;
    setModemAndSimStateString(QStringLiteral("Dial_tfdDeviceNotDetected"));
    changed();
}

void DialController::devicePlugin(const yov::Notification &)
{
    netcardChanged(2);
    display_.profileFieldsEnabled = true;
    changed();
}

void DialController::simReady(const yov::Notification &)
{
    // The device and its SIM are back: a profile may be chosen again.
    if (connectStatus_ == yov::kConnectStatusIdle && !willConnectToInternet_) {
        display_.profileChooserEnabled = true;
        changed();
    }
    netcardChanged(12);
}

void DialController::applicationWillClose(const yov::Notification &) { performCloseActionForZAR(); }

void DialController::setDataServicesStatus(const yov::Notification &n)
{
    if (!yov::nsBool(n.userInfo.value(QStringLiteral("DataServiceSwitch"))))
        setConnectBtnEnable(false);
}

void DialController::tabViewItemWillChange(const yov::Notification &n)
{
    if (yov::nsString(n.userInfo.value(QStringLiteral("TabViewItemWillChange"))) == QLatin1String("Internet"))
        loadDialConfig();
    else
        Neighbours::sms().cleanTextControlShowCertainNewSmsContent();
}

void DialController::dialNotification(const yov::Notification &)
{
    if (Neighbours::call().callStage() != 0 && is2GNetWork_) {
        beginAlert(QStringLiteral("Tips"), QStringLiteral("Please disconnet the calliing first!"));
        return;
    }
    // Offered once: the simple window's button stands for the same request.
    DialOption(DialSender::ConnectButton);
}

void DialController::updateNetworkStatus(const yov::Notification &n)
{
    const QString text = yov::nsString(n.userInfo.value(QStringLiteral("init_NetworkStatus")));
    const bool service = !text.isEmpty() && text != QLatin1String("No Service") && text != QLatin1String("Limited Service");
    setIs2GNetWork(YovServiceBase::is2GType(text));
    if (topBool("EnableConnectByNetStatus")) {
        Neighbours::setting().setAutoConnectBtnEnable(service);
        setPSDomainStatus(service);
    }
    if (topBool("NetworkServiceMonitor"))
        monitorNetworkService(service);
}

void DialController::connectTypeDidChanged(const yov::Notification &) { setDialParams(); }

void DialController::notifyDeviceUnlockSuccess(const yov::Notification &)
{
    if (Neighbours::init().getDeviceLockFunctionModule() == 0)
        DialOption(DialSender::Other);
}

void DialController::notifyDeviceUnlockFailed(const yov::Notification &)
{
    Neighbours::init().getDeviceLockFunctionModule();
}

void DialController::ChangeAPNSelection(const yov::Notification &)
{
    const int item = profiles_.currentChooserItem();
    const int defaults = profiles_.readDefaultProfileNum();
    int next = item;
    if (item == 1)
        next = 2;
    else if (item == 2 || item > defaults)
        next = 1;
    if (next != item && next <= profiles_.count())
        dialConfigListSelectItemAtIndex(next);
}

void DialController::datausageRest(const yov::Notification &) { operatorContent_->datausageRest(); }

void DialController::setMsisdnNumberWithResult(const yov::Notification &n)
{
    operatorContent_->setMsisdnNumberWithResult(n.userInfo);
}

void DialController::excuteWhenConnectServerError(const yov::Notification &n)
{
    operatorContent_->excuteWhenConnectServerError(n.userInfo);
}

void DialController::displayPhoneNumberForSmart(const yov::Notification &) { operatorContent_->displayPhoneNumberForSmart(); }

void DialController::loadFavouriteBtnWebKitViews(const yov::Notification &) { operatorContent_->loadFavouriteBtnWebKitViews(); }

void DialController::imageDownloadFinishForBillboard(const yov::Notification &)
{
    operatorContent_->imageDownloadFinishForBillboard();
}

} // namespace ostrel
