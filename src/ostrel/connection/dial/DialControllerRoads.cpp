// DialController: the PPP and NDIS roads, the packet-domain attach and the frequency lock.
#include "ostrel/connection/dial/DialController.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/Clock.h"

namespace ostrel {

using namespace yov::dialmsg;

void DialController::newConnectionEntry()
{
    ++connectionSerial_;
    statusDict_.clear();
    if (pendingRoamingAnswer_ >= 0)
        statusDict_.insert(QStringLiteral("roaming"), pendingRoamingAnswer_);
    pendingRoamingAnswer_ = -1;
}

void DialController::openMainWindow() { Neighbours::main().openMainWindow(); }

void DialController::tellMMSConnectionIdle()
{
    if (hasModuleWith(QStringLiteral("MMS")))
        Neighbours::mms().connectIdleStatuFromDial();
}

void DialController::tellMMSConnectionRunning()
{
    if (hasModuleWith(QStringLiteral("MMS")))
        Neighbours::mms().connectRunningStatuFromDial();
}

// ---- PPP -------------------------------------------------------------------------------------

void DialController::checkIsAttachPSForConnect()
{
    if (!internetBool("PSDomainSettings")) {
        DialConnect();
        return;
    }
    willConnectToInternet_ = true;
    setStateText(QStringLiteral("Init"));
    display_.profileChooserEnabled = false;
    changed();
    const QVariant stored = internetValue("AttachPSInterval");
    const double seconds = stored.isValid() ? yov::nsDouble(stored) : 3.0;
    if (attachDelayId_)
        clock().cancel(attachDelayId_);
    attachDelayId_ = clock().schedule(int(qMax(0.0, seconds) * 1000.0), this, [this] {
        attachDelayId_ = 0;
        attachPS();
    });
}

void DialController::attachPS()
{
    if (!willConnectToInternet_)
        return; // the attempt was ended meanwhile (device removed, offline)
    bAttatchPS_ = true;
    yov::PsAttachRequest request;
    request.networkMode = Neighbours::setting().getNetworkMode();
    request.action = yov::PsAttachRequest::kAttach;
    attachPending_ = true;
    if (attachTimeoutId_)
        clock().cancel(attachTimeoutId_);
    attachTimeoutId_ = clock().schedule(kAttachTimeoutMs, this, [this] {
        attachTimeoutId_ = 0;
        if (attachPending_)
            endAttachAttempt(QStringLiteral("no answer to the packet-domain attach"));
    });
    if (!sendRequest<kMajorDial, kMinorPsAttach>(request))
        endAttachAttempt(QStringLiteral("the packet-domain attach could not be sent"));
}

void DialController::cancelAttach()
{
    attachPending_ = false;
    if (attachDelayId_)
        clock().cancel(attachDelayId_);
    if (attachTimeoutId_)
        clock().cancel(attachTimeoutId_);
    attachDelayId_ = attachTimeoutId_ = 0;
}

void DialController::endAttachAttempt(const QString &reason)
{
    qCWarning(lcDial).noquote() << "connect attempt ended:" << reason;
    cancelAttach();
    willConnectToInternet_ = false;
    bAttatchPS_ = false;
    display_.profileChooserEnabled = true;
    if (connectStatus_ == yov::kConnectStatusIdle)
        setStateText(QStringLiteral("Failed"));
    if (!isDeviceRemoved_)
        setConnectBtnEnable(true);
    changed();
    playShortSound(1);
    beginAlert(QStringLiteral("Warning"), QStringLiteral("Cannot connect, please try again later"));
}

void DialController::dealWithMsgOfPSAttach(const yov::Notification &n)
{
    // 258/64 answers any network-mode setting; it is the attach result only while this
    // controller's attach waits for it.
    if (!attachPending_)
        return;
    yov::UI_MSG msg;
    yovMsgCenter()->getMsgPackage(&msg, &n);
    attachPending_ = false;
    if (attachTimeoutId_)
        clock().cancel(attachTimeoutId_);
    attachTimeoutId_ = 0;
    if (msg.result != 0) {
        endAttachAttempt(QStringLiteral("the packet-domain attach failed"));
        return;
    }
    if (internetBool("PSDomainSettings") && willConnectToInternet_ && connectStatus_ == yov::kConnectStatusIdle) {
        willConnectToInternet_ = false;
        DialConnect();
    }
}

void DialController::checkISDetatchPS()
{
    if (!internetBool("PSDomainSettings") || !bAttatchPS_)
        return;
    willConnectToInternet_ = false;
    yov::PsAttachRequest request;
    request.networkMode = Neighbours::setting().getNetworkMode();
    request.action = yov::PsAttachRequest::kDetach;
    bAttatchPS_ = false;
    sendRequest<kMajorDial, kMinorPsAttach>(request);
}

void DialController::DialConnect()
{
    setConnectStatus(yov::kConnectStatusConnecting);
    setManualDisconnect(false);
    apnCycleEnd();
    apnCycleStart();
    connectTime15_ = 0;
    saveRecordFlag_ = false;
    warnLimitFlag_ = warnLimitExceedFlag_ = warnLimit25Flag_ = warnLimit50Flag_ = warnLimit75Flag_ = true;
    m_notified = false;
    m_launchURLState = true;
    display_.profileChooserEnabled = false;
    setConnectStateHidden(false);
    newConnectionEntry();
    recordInState(RECORD_IN_CREATE);
    InitConnectState();
    m_KBTimes = 0;
    sendRequest<kMajorDial, kMinorPppConnect>();
    pollTimer_->start(kPollIntervalMs);
    sendConnectStatusMsg(true);
    hadConnectAction_ = true;
    Neighbours::setting().setSettingBtnStatus(false);
    statusDict_.insert(QStringLiteral("starttime"), clock().now());
    statusDict_.insert(QStringLiteral("connectname"), currentProfileName());
    openConnectStateWindowForDidizu(true);
    changed();
}

void DialController::getConnectStatus()
{
    sendRequest<kMajorDial, kMinorPppStatus>();
    sendRequest<kMajorDial, kMinorPppLocalAddress>();
    // The limit, then the operator's volume warnings: in this order they share the 80 % flag.
    checkRecordLimit();
    recordLimitWarnForVudi();
}

void DialController::dealWithMsgOfPPPConnectStatus(const yov::Notification &n)
{
    yov::UI_MSG msg;
    yovMsgCenter()->getMsgPackage(&msg, &n);
    if (msg.type != 1 || !pollTimer_->isActive())
        return;
    const yov::MSG_DIAL_PPP_TRANSFER_STATUS status =
        yov::MSG_DIAL_PPP_TRANSFER_STATUS::decode(yov::PayloadReader::ofMsg(msg));
    const yov::PppTransfer transfer = yov::pppTransferOf(status);
    processPPPConnectStatus(transfer);
    setIPAddress(transfer.localIp);
    calculateTransferSpeed();
}

void DialController::dealWithMsgOfDialConnectStatus(const yov::Notification &n)
{
    yov::UI_MSG msg;
    yovMsgCenter()->getMsgPackage(&msg, &n);
    if (msg.type != 1 || !pollTimer_->isActive())
        return;
    const yov::ppp_status status = yov::ppp_status::decode(yov::PayloadReader::ofMsg(msg));
    processPPPConnectStatus(yov::pppTransferOf(status));
    calculateTransferSpeed();
}

void DialController::dealWithMsgOfDialConnectPppOption(const yov::Notification &n)
{
    yov::UI_MSG msg;
    yovMsgCenter()->getMsgPackage(&msg, &n);
    if (msg.type != 1)
        return;
    const std::uint32_t address = yov::readLocalAddress(yov::PayloadReader::ofMsg(msg));
    statusDict_.insert(QStringLiteral("localaddr"), qint64(address));
    if (connectStatus_ != yov::kConnectStatusIdle) {
        display_.ipAddress = DialService::filterIPAddress(yov::ipv4AddressText(address), &config());
        changed();
    }
}

bool DialController::showDialingWording()
{
    const QVariant speed = internetValue("DialWordingSpeed");
    if (!speed.isValid())
        return true;
    ++dialWordingCounter_;
    if (dialWordingCounter_ >= yov::nsInt(speed)) {
        dialWordingCounter_ = 0;
        return true;
    }
    return false;
}

void DialController::processPPPConnectStatus(const yov::PppTransfer &status)
{
    int state = status.state;
    // After the next profile's connect went out, an idle state may still answer a poll sent
    // before it: it is not taken as the new attempt's end until the link has moved or a while
    // has passed.
    if (cycleRedialAtMs_ >= 0) {
        if (state == yov::kPppIdle && clock().monotonicMs() - cycleRedialAtMs_ < kCycleRedialSettleMs)
            return;
        if (state != yov::kPppIdle)
            cycleRedialAtMs_ = -1;
    }
    if (internetBool("noNeedMiddleStatus")) {
        if (state == yov::kPppEstablish || state == yov::kPppAuthenticate || state == yov::kPppNetwork)
            state = yov::kPppConnectLink;
        else if (state == yov::kPppTerminate) {
            setConnectBtnEnable(false);
            state = yov::kPppDisconnectLink;
        }
    }
    switch (state) {
    case yov::kPppIdle:
        setPPPDisconnectedSatus();
        break;
    case yov::kPppInitialize:
        setStateText(QStringLiteral("Init"));
        break;
    case yov::kPppConnectLink:
        if (showDialingWording()) {
            setStateText(connectingSemicolonFlag_ ? QStringLiteral("Connecting...") : QStringLiteral("Connecting......"));
            connectingSemicolonFlag_ = !connectingSemicolonFlag_;
        }
        if (internetBool("ResetConnectBtnWhenConnecting"))
            resetConnectBtnStatusWhenConnecting();
        break;
    case yov::kPppEstablish:
        setStateText(QStringLiteral("Establish"));
        break;
    case yov::kPppAuthenticate:
        setStateText(QStringLiteral("Authenticate"));
        break;
    case yov::kPppNetwork:
        setStateText(QStringLiteral("Create Network"));
        performCancelDialAction();
        break;
    case yov::kPppRunning:
        setPPPConnectedStatusWithTime(qint64(status.connectSeconds), status.sentBytes, status.receivedBytes);
        break;
    case yov::kPppTerminate:
        setConnectBtnEnable(false);
        setStateText(QStringLiteral("Terminate"));
        break;
    case yov::kPppDisconnectLink: {
        if (showDialingWording()) {
            const bool asConnecting = internetBool("noDisplayDisconnectingAfterConnectFailed") && !displayDisConnectingFlag_;
            const QString longText = asConnecting ? QStringLiteral("Connecting......") : QStringLiteral("Disconnecting......");
            const QString shortText = asConnecting ? QStringLiteral("Connecting...") : QStringLiteral("Disconnecting...");
            setStateText(disconnectingSemicolonFlag_ ? shortText : longText);
            disconnectingSemicolonFlag_ = !disconnectingSemicolonFlag_;
        }
        if (bAppWillClose_ && terminator_) {
            terminator_();
            return;
        }
        if (internetBool("ResetConnectBtnWhenDisconnecting"))
            resetConnectBtnStatusWhenDisconnecting();
        break;
    }
    default:
        break; // reserved, callback and unknown states
    }
}

void DialController::setPPPConnectedStatusWithTime(qint64 seconds, qint64 sent, qint64 received)
{
    if (connectStatus_ != yov::kConnectStatusConnected && connectStatus_ != yov::kConnectStatusDisconnecting) {
        setDialBtnWithStatus(true);
        openMainWindow();
        Neighbours::main().miniaturizeMainWindowWhenConnectSucced();
    }
    if (m_launchURLState) {
        m_launchURLState = false;
        operatorContent_->performActionWhenFirstConnected();
    }
    if (bManualConnect_) {
        bManualConnectSuccess_ = true;
        bManualConnect_ = false;
    }
    recordInState(RECORD_IN_RUNNING);
    connectSeconds_ = qMax<qint64>(0, seconds);
    setConnectTimeInfo();
    sendBytes_ = sent;
    receiveBytes_ = received;
    setTransferDataInfo();
    sendStatisticsNotification();
    displayMonthlyData();
    sendDeviceReadyOnce(false);
    tellMMSConnectionRunning();
}

void DialController::calculateTransferSpeed()
{
    // One computation per ten replies: the tenth finds the count above 8.
    if (m_KBTimes <= 8) {
        ++m_KBTimes;
        return;
    }
    sendSpeed_ = double(qMax<qint64>(0, sendBytes_ - lastSendBytes_));
    receiveSpeed_ = double(qMax<qint64>(0, receiveBytes_ - lastReceiveBytes_));
    lastSendBytes_ = sendBytes_;
    lastReceiveBytes_ = receiveBytes_;
    DialService::sharedDialService().setSendSpeed(float(sendSpeed_));
    setSpeedInfo();
    notificationCenter().post(QStringLiteral("SendSpeedData"), this,
                              {{QStringLiteral("UpSpeed"), kbpsText(sendSpeed_)},
                               {QStringLiteral("DownSpeed"), kbpsText(receiveSpeed_)}});
    m_KBTimes = 0;
}

void DialController::setPPPDisconnectedSatus()
{
    // Quitting after the disconnect: the link came down before a poll saw its closing state.
    if (bAppWillClose_ && terminator_) {
        StopTimerOfGetConnectState();
        terminator_();
        return;
    }
    cycleRedialAtMs_ = -1;
    if (apnCycleTryNext()) {
        sendRequest<kMajorDial, kMinorPppConnect>();
        cycleRedialAtMs_ = clock().monotonicMs();
        return;
    }
    // An attempt that never came up and that the user did not end: the user is told, once.
    const bool attemptFailed = recordState_ == RECORD_IN_CREATE && !manualDisconnectFlag_;
    bool failureTold = false;
    if (isDoReconnectAfterDisconnect() && checkAutoConnectForPPPFailed()) {
        doReconnectAfterAutoDisconnect();
        bManualConnect_ = false;
        openMainWindow();
        openConnectFailedWindow();
        failureTold = internetBool("OpenConnectFailedWindow");
    } else if (Neighbours::init().apnCyleWhenRoamToNoRoam()) {
        Neighbours::init().setApnCyleWhenRoamToNoRoam(false);
        DialOption(DialSender::Automatic);
    }
    if (attemptFailed && !failureTold)
        tellConnectFailed();
    if (internetBool("minMainWindowWhenAutoConnectToTheNoRoamNet") && wndMain && wndMain->isMinimized())
        wndMain->showNormal();
    playShortSound(1);
    Neighbours::setting().setSettingBtnStatus(true);
    sendConnectStatusMsg(false);
    display_.profileChooserEnabled = true;
    if (!saveRecordFlag_)
        saveDialRecord();
    emit speedGraphCleared();
    StopTimerOfGetConnectState();
    operatorContent_->switchInternetTabAction();
    operatorContent_->detachSpecialWebview();
    tellMMSConnectionIdle();
    operatorContent_->smartUIManualDisconnect();
    if (!manualDisconnectFlag_)
        notificationCenter().post(QStringLiteral("ConnectFailed"), this);
    checkISDetatchPS();
    changed();
}

void DialController::tellConnectFailed()
{
    // The device service raises no alert of its own here: the dashboard tells the user, unless
    // the operator silences the alerts of automatic attempts after the first.
    if (internetBool("DisableAlertWindowWhileAutoConnectFailed") && reconnectTimes_ > 0)
        return;
    beginAlert(QStringLiteral("Warning"), QStringLiteral("Cannot connect, please try again later"));
}

void DialController::DialDisconnect()
{
    setConnectStatus(yov::kConnectStatusDisconnecting);
    saveRecordFlag_ = true;
    saveDialRecord();
    sendRequest<kMajorDial, kMinorPppDisconnect>();
    apnCycleEnd();
    if (internetBool("DisplayStatisticsWin"))
        displayStatisticsForDisconnect();
    sendResetStatisticsNotification();
    openConnectStateWindowForDidizu(true);
    changed();
}

void DialController::DialCancelConnect()
{
    setManualDisconnect(true);
    setConnectStatus(yov::kConnectStatusDisconnecting);
    sendRequest<kMajorDial, kMinorPppDisconnect>();
    apnCycleEnd();
    changed();
}

// ---- NDIS ------------------------------------------------------------------------------------

void DialController::NDISDialConnect()
{
    setConnectStatus(yov::kConnectStatusConnecting);
    setManualDisconnect(false);
    apnCycleEnd();
    apnCycleStart();
    // A new connection: none of it is in the records yet, whatever the last one's disconnect did.
    saveRecordFlag_ = false;
    warnLimitFlag_ = true;
    m_notified = false;
    m_launchURLState = true;
    display_.profileChooserEnabled = false;
    setConnectStateHidden(false);
    newConnectionEntry();
    recordInState(RECORD_IN_CREATE);
    InitConnectState();
    sendRequest<kMajorDial, kMinorNdisConnect>();
    setStateText(QStringLiteral("Connecting..."));
    Neighbours::setting().setSettingBtnStatus(false);
    statusDict_.insert(QStringLiteral("connectname"), currentProfileName());
    changed();
}

void DialController::NDISDialDisconnect()
{
    setConnectStatus(yov::kConnectStatusDisconnecting);
    saveDialRecord();
    setStateText(QStringLiteral("Disconnecting..."));
    if (internetBool("ResetConnectBtnWhenDisconnecting"))
        resetConnectBtnStatusWhenDisconnecting();
    sendResetStatisticsNotification();
    sendRequest<kMajorDial, kMinorNdisDisconnect>();
    changed();
}

void DialController::dealWithMsgOfNDISStatus(const yov::Notification &n)
{
    yov::UI_MSG msg;
    yovMsgCenter()->getMsgPackage(&msg, &n);
    if (msg.type != 1)
        return;
    const std::optional<yov::NdisStatus> status = yov::readNdisStatus(yov::PayloadReader::ofMsg(msg));
    if (!status)
        return;
    switch (*status) {
    case yov::kNdisConnected:
        dealWithOfNDISDialConnected();
        break;
    case yov::kNdisConnecting:
        setStateText(QStringLiteral("Connecting..."));
        if (internetBool("ResetConnectBtnWhenConnecting"))
            resetConnectBtnStatusWhenConnecting();
        break;
    case yov::kNdisConnectFailed:
        dealWithOfNDISDialConnectFailed();
        break;
    case yov::kNdisDisconnected:
        dealWithOfNDISDialDisconnected();
        break;
    }
}

void DialController::dealWithOfNDISDialConnected()
{
    if (isDeviceRemoved_)
        return;
    const bool firstReport = connectStatus_ != yov::kConnectStatusConnected;
    if (m_launchURLState) {
        connectSeconds_ = 0;
        ndisTimeTimer_->start(kNdisTimeIntervalMs);
        Neighbours::setting().AutoLaunchURL();
        operatorContent_->launchURLAtFirstAPN();
        m_launchURLState = false;
    }
    if (!m_notified) {
        m_notified = true;
        playShortSound(0);
    }
    if (firstReport) {
        setDialBtnWithStatus(true);
        // The connection's start is the first connected report; a repeated report keeps it.
        statusDict_.insert(QStringLiteral("starttime"), clock().now());
    }
    recordInState(RECORD_IN_RUNNING);
    operatorContent_->switchInternetTabAction();
    operatorContent_->imageDownloadFinishForBillboard();
    changed();
}

void DialController::dealWithOfNDISDialConnectFailed()
{
    if (apnCycleTryNext()) {
        sendRequest<kMajorDial, kMinorNdisConnect>();
        return;
    }
    playShortSound(1);
    setStateText(QStringLiteral("Failed"));
    Neighbours::setting().setSettingBtnStatus(true);
    display_.profileChooserEnabled = true;
    StopTimerOfGetConnectState(); // back to "Idle"
    // The automatic reconnect follows the user's answer, as it followed the alert before.
    if (!(reconnectTimes_ > 1 && internetBool("DisableAlertWindowWhileAutoConnectFailed")))
        beginAlert(QStringLiteral("Warning!"), QStringLiteral("NDIS Connection failed!"), QStringLiteral("OK"), QString(),
                   [this](int) { AutoReconnectForNdis(); });
    else
        AutoReconnectForNdis();
}

void DialController::dealWithOfNDISDialDisconnected()
{
    if (connectStatus_ != yov::kConnectStatusIdle)
        playShortSound(1);
    Neighbours::setting().setSettingBtnStatus(true);
    // The record is taken before the counters are cleared, so a lost link keeps its duration.
    saveDialRecord();
    StopTimerOfGetConnectState();
    AutoReconnectForNdis();
    display_.profileChooserEnabled = true;
    operatorContent_->switchInternetTabAction();
    changed();
}

void DialController::refereshConnectTime()
{
    ++connectSeconds_;
    setConnectTimeInfo();
    setSpeedInfo();
    sendStatisticsNotification();
}

void DialController::dealWithMsgOfNDISTransferData(const yov::Notification &n)
{
    if (isDeviceRemoved_)
        return;
    const QByteArray record = n.userInfo.value(QStringLiteral("yUIMsg")).toByteArray();
    yov::UI_MSG msg;
    yovMsgCenter()->getMsgPackage(&msg, &n);
    if (msg.type != 1)
        return;
    QString address;
    if (const std::optional<yov::NdisTransferData> data = yov::NdisTransferData::fromRecord(record)) {
        sendBytes_ = yov::transferBytes(data->sendBytes);
        receiveBytes_ = yov::transferBytes(data->receiveBytes);
        sendSpeed_ = qMax(0.0, double(data->sendSpeed));
        receiveSpeed_ = qMax(0.0, double(data->receiveSpeed));
        DialService::sharedDialService().setSendSpeed(float(sendSpeed_));
        address = data->localIp;
        setIPAddress(address);
        setTransferDataInfo();
        checkRecordLimit();
    }
    if (bManualConnect_) {
        bManualConnectSuccess_ = true;
        bManualConnect_ = false;
    }
    if (!DialService::filterIPAddress(address, &config()).trimmed().isEmpty())
        sendDeviceReadyOnce(true);
}

void DialController::sendDeviceReadyOnce(bool delayed)
{
    if (m_haveSendUpdateMessage)
        return;
    m_haveSendUpdateMessage = true;
    if (!deviceReadyNotifier_)
        return;
    if (!delayed) {
        deviceReadyNotifier_();
        return;
    }
    clock().schedule(kDeviceReadyDelayMs, this, [this] {
        if (deviceReadyNotifier_)
            deviceReadyNotifier_();
    });
}

void DialController::dealWithMsgOfNDISQuery(const yov::Notification &n)
{
    yov::UI_MSG msg;
    yovMsgCenter()->getMsgPackage(&msg, &n);
    if (msg.type != 1 || msg.result != 0)
        return;
    if (connectStatus_ != yov::kConnectStatusIdle)
        return; // a connection of our own already stands or is under way
    m_notified = false;
    saveRecordFlag_ = false;
    display_.profileChooserEnabled = false;
    newConnectionEntry();
    recordInState(RECORD_IN_CREATE);
    InitConnectState();
    m_launchURLState = true;
    Neighbours::setting().setSettingBtnStatus(false);
    statusDict_.insert(QStringLiteral("connectname"), currentProfileName());
    setConnectStateHidden(false);
    dealWithOfNDISDialConnected();
}

void DialController::netcardChanged(int what)
{
    switch (what) {
    case 12:
        sendRequest<kMajorDial, kMinorNdisQuery>();
        break;
    case 2:
        isDeviceRemoved_ = false;
        break;
    case 1:
        break; // the compact skin's "No Device" line belongs to the operator content
    default:
        break;
    }
}

// ---- frequency lock --------------------------------------------------------------------------

void DialController::dealWithMsgOfFreqLockState(const yov::Notification &n)
{
    yov::UI_MSG msg;
    yovMsgCenter()->getMsgPackage(&msg, &n);
    const QVariant key = internetValue("LockNetFrequencyWhenConnect");
    if (!key.isValid())
        return;
    if (yov::readFreqLockState(yov::PayloadReader::ofMsg(msg)) != 0)
        return;
    yov::FreqLockSetRequest request;
    request.enable = 1;
    request.value = yov::nsInt(key);
    sendRequest<kMajorConfig, kMinorFreqLockSet>(request);
}

} // namespace ostrel
