// The network, signal and roaming reports of the device-state controller.
//
// Each handler hands the whole received record to the network logic, which decides; this file
// carries the decisions out: the status area (operator names, technology text, domain mark,
// signal bars, roaming mark), the notifications, the calls into the connection and settings
// areas, the alerts, and the one-shot no-signal alert timer on the controller's clock.
#include "ostrel/device/init/InitController.h"

#include "common/ValueConversion.h"
#include "common/records/UiMsg.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/service/Platform.h"
#include "ostrel/framework/update/AEMessage.h"
#include "ostrel/framework/skin/YOVUIManager.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "platform/alert/AlertPresenter.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <cmath>

namespace ostrel {

namespace {
constexpr int kLacOffset = 4;
constexpr int kCellIdOffset = 14;
constexpr int kCellTextWidth = 10;
const QSize kBarsSize(30, 18);
} // namespace

// --- set-up

void InitController::createNetworkViews()
{
    // The signal bars stand first in the network part of the status area.
    m_rssiStatus = new QLabel(viewNetWorkStatus_);
    m_rssiStatus->setObjectName(QStringLiteral("imageRssiStatus"));
    m_rssiStatus->setFixedSize(kBarsSize);
    if (auto *row = qobject_cast<QHBoxLayout *>(viewNetWorkStatus_ ? viewNetWorkStatus_->layout() : nullptr))
        row->insertWidget(0, m_rssiStatus);
    windowRssiLacCi_ = std::make_unique<SignalWindow>();
    connectAction(windowRssiLacCi_->btnOK, QStringLiteral("closeRssiLacCiWindow:"));

    // The operator images of one operator's layout (signal, roaming, home network): shown once
    // the rules give them an image.
    if (auto *row = qobject_cast<QHBoxLayout *>(viewNetWorkStatus_ ? viewNetWorkStatus_->layout() : nullptr)) {
        for (auto [slot, name] : {std::pair{&imageViewOfSignalStrengthForDidizu_, "imageViewOfSignalStrengthForDidizu"},
                                  std::pair{&imageViewOfRoamingStatusForDidizu_, "imageViewOfRoamingStatusForDidizu"},
                                  std::pair{&imageViewOfHomeNetWorkForDidizu_, "imageViewOfHomeNetWorkForDidizu"}}) {
            auto *image = new QLabel(viewNetWorkStatus_);
            image->setObjectName(QLatin1String(name));
            image->hide();
            row->addWidget(image);
            *slot = image;
        }
    }

    // The roaming alert: a window of its own that does not hold the dashboard (the 3G-to-2G alert
    // shares it).
    auto *roam = new QWidget(nullptr, Qt::Window | Qt::WindowStaysOnTopHint);
    roam->setObjectName(QStringLiteral("roamAlertWnd"));
    auto *column = new QVBoxLayout(roam);
    roamwarnningText_ = new QLabel(roam);
    roamwarnningText_->setObjectName(QStringLiteral("roamwarnningText"));
    roamwarnningText_->setWordWrap(true);
    roamwarnningText_->setMinimumWidth(320);
    column->addWidget(roamwarnningText_);
    auto *ok = new QPushButton(roam);
    ok->setObjectName(QStringLiteral("btnRoamAlertOK"));
    column->addWidget(ok, 0, Qt::AlignRight);
    connectAction(ok, QStringLiteral("closeRoamAlertWnd:"));
    roamAlertWnd_ = roam;
    btnRoamAlertOK_ = ok;
}

QImage InitController::namedImage(const QString &name) const
{
    QImage image = ResourcePaths::applicationImage(name);
    if (image.isNull() && yovSkinManager()) {
        if (auto *skin = qobject_cast<YOVUIManager *>(yovSkinManager()->managerObject()))
            image = skin->imageNamed(name);
    }
    return image;
}

void InitController::showOperatorImage(QLabel *view, const QString &name)
{
    if (!view)
        return;
    setImage(view, name);
    const QImage image = namedImage(name);
    if (image.isNull())
        view->clear();
    else
        view->setPixmap(QPixmap::fromImage(image));
    view->show();
}

void InitController::showRoamAlertWindow(bool roamingText)
{
    if (!roamAlertWnd_)
        return;
    if (roamingText) {
        roamAlertWnd_->setWindowTitle(loc(QStringLiteral("STRING_ROAM_ALERT_WND")));
        roamwarnningText_->setText(loc(QStringLiteral("STRING_ROAM_ALERT_TEXT")));
    }
    if (btnRoamAlertOK_)
        btnRoamAlertOK_->setText(loc(QStringLiteral("OK")));
    roamAlertWnd_->adjustSize();
    if (!roamAlertWnd_->isVisible()) {
        QRect frame = roamAlertWnd_->frameGeometry();
        const QWidget *over = wndMain ? wndMain.data() : nullptr;
        if (over && over->isVisible())
            frame.moveCenter(over->frameGeometry().center());
        else if (const QScreen *screen = QGuiApplication::primaryScreen())
            frame.moveCenter(screen->availableGeometry().center());
        roamAlertWnd_->move(frame.topLeft());
    }
    roamAlertWnd_->show();
    roamAlertWnd_->raise();
}

void InitController::closeRoamAlertWnd(QObject *)
{
    if (roamAlertWnd_)
        roamAlertWnd_->hide();
}

NetworkLogic &InitController::networkLogic()
{
    if (!networkLogic_)
        networkLogic_ = std::make_unique<NetworkLogic>(*initService(), &config());
    return *networkLogic_;
}

// The answers to the connection read the live network logic (created on first use, as for the
// device records); they change nothing else.
int InitController::networkRoamStatus() const
{
    return const_cast<InitController *>(this)->networkLogic().roaming.networkRoamStatus();
}

int InitController::roamTransferMode() const
{
    return const_cast<InitController *>(this)->networkLogic().roaming.roamTransferMode();
}

bool InitController::isInWhiteList() const
{
    return const_cast<InitController *>(this)->networkLogic().roaming.isInWhiteList();
}

bool InitController::roamTipWhenInWhiteList() const
{
    return const_cast<InitController *>(this)->networkLogic().roaming.roamTipWhenInWhiteList();
}

bool InitController::checkToReturnPSDomain() const
{
    return const_cast<InitController *>(this)->networkLogic().registration.checkToReturnPSDomain();
}

bool InitController::apnCyleWhenRoamToNoRoam() const
{
    return const_cast<InitController *>(this)->networkLogic().roaming.apnCyleWhenRoamToNoRoam();
}

void InitController::setApnCyleWhenRoamToNoRoam(bool flag)
{
    networkLogic().roaming.setApnCyleWhenRoamToNoRoam(flag);
    apnCycleWhenLeaveRoam_ = flag;
}

void InitController::registerNetworkMessages()
{
    if (YOVMsgCenter *mc = yovMsgCenter()) {
        using C = InitController;
        struct Row { int major, minor; void (C::*handler)(const yov::Notification &); };
        static const Row rows[] = {
            {7, 35, &C::dealWithMsgOfCheckSignalStatus},
            {7, 36, &C::dealWithMsgOfCheckNetInfo},
            {7, 37, &C::dealWithMsgOfCheckPLMN},
            {7, 38, &C::dealWithMsgOfCheckRoamInfo},
            {7, 39, &C::dealWithMsgOfCheckSPDI},
            {7, 40, &C::dealWithMsgOfCheckSPN},
            {7, 46, &C::dealWithMsgOfCheckNetInfoForIcera},
            {7, 54, &C::dealWithMsgOfCheckSignalStatusIcera},
            {7, 55, &C::dealWithMsgOfCheckYrssiSignalStatus},
            {7, 56, &C::dealWithMsgOfCheckYairInfoStatus},
            {7, 57, &C::dealWithMsgOfCheckHPLMN},
            {513, 75, &C::dealWithMsgOfCheckSearchMode},
            {513, 80, &C::dealWithMsgOfCheckPreferenceMode},
            {513, 85, &C::dealWithMsgOfReadRoamSwitch},
        };
        for (const Row &row : rows)
            mc->registerObserver(this, row.handler, row.major, row.minor);
    }
    initNibNetworkStatus();
}

NetworkContext InitController::networkContext() const
{
    NetworkContext c;
    c.platform = Platform::sharedPlatform()->platform();
    const DialControllerInterface &dial = Neighbours::dial();
    c.connectStatus = dial.connectStatus();
    c.hadDoManualDisconnect = dial.hadDoManualDisconnect();
    c.isDoingConnect = dial.isDoingConnect();
    c.allowAutoConnect = Neighbours::setting().allowAutoConnect();
    c.dialFunctionEnabled = dialFunctionEnabledFlag_;
    c.connectBtnEnableDedorud = Neighbours::ussd().getConnectBtnEnableDedorud();
    c.updateSupported = updateLink_ && updateLink_->isSupportUpdate();
    c.updateMessageSentForMccmnc = updateLink_ && updateLink_->m_isSendUpdateMessageWhenMCCMNC();
    return c;
}

QByteArray InitController::recordBytes(const yov::Notification &n) const
{
    yov::UI_MSG msg = yov::zeroMsg();
    if (yovMsgCenter())
        yovMsgCenter()->getMsgPackage(&msg, &n);
    else
        yov::msgFromBytes(n.userInfo.value(QLatin1String(yov::kMsgUserInfo)).toByteArray(), msg);
    return yov::msgBytes(msg);
}

// --- reports

void InitController::dealWithMsgOfCheckSignalStatus(const yov::Notification &n)
{
    const NetworkContext c = networkContext();
    NetworkLogic &logic = networkLogic();
    const SignalTracker::Context sc = logic.signalContext(
        c, yov::nsBool(runtimeObjectForKey(QStringLiteral("runtimeSIMCardReady"))),
        Neighbours::setting().getCurrentNetWorkPreferedMode());
    performNetworkEffects(logic.signal.dealWithMsgOfCheckSignalStatus(recordBytes(n), sc));
}

void InitController::dealWithMsgOfCheckYrssiSignalStatus(const yov::Notification &n)
{
    const NetworkContext c = networkContext();
    NetworkLogic &logic = networkLogic();
    const SignalTracker::Context sc = logic.signalContext(
        c, yov::nsBool(runtimeObjectForKey(QStringLiteral("runtimeSIMCardReady"))),
        Neighbours::setting().getCurrentNetWorkPreferedMode());
    performNetworkEffects(logic.signal.dealWithMsgOfCheckYrssiSignalStatus(recordBytes(n), sc));
}

void InitController::dealWithMsgOfCheckSignalStatusIcera(const yov::Notification &n)
{
    const NetworkContext c = networkContext();
    NetworkLogic &logic = networkLogic();
    const SignalTracker::Context sc = logic.signalContext(
        c, yov::nsBool(runtimeObjectForKey(QStringLiteral("runtimeSIMCardReady"))),
        Neighbours::setting().getCurrentNetWorkPreferedMode());
    performNetworkEffects(logic.signal.dealWithMsgOfCheckSignalStatusIcera(recordBytes(n), sc));
}

void InitController::dealWithMsgOfCheckNetInfo(const yov::Notification &n)
{
    performNetworkEffects(networkLogic().registration.dealWithMsgOfCheckNetInfo(recordBytes(n), networkContext()));
}

void InitController::dealWithMsgOfCheckNetInfoForIcera(const yov::Notification &n)
{
    performNetworkEffects(
        networkLogic().registration.dealWithMsgOfCheckNetInfoForIcera(recordBytes(n), networkContext()));
}

void InitController::dealWithMsgOfCheckPLMN(const yov::Notification &n)
{
    performNetworkEffects(networkLogic().registration.dealWithMsgOfCheckPLMN(recordBytes(n), networkContext()));
}

void InitController::dealWithMsgOfCheckRoamInfo(const yov::Notification &n)
{
    const QByteArray bytes = recordBytes(n);
    // The cell of the registration, on every platform, for the signal window.
    const ReceivedRecord r = ReceivedRecord::fromBytes(bytes);
    const QString cellId = cellIdAfterShowLastNum(r.data.utf8Text(kCellIdOffset, kCellTextWidth),
                                                  setting(QStringLiteral("CellId"), QStringLiteral("ShowLastNum")));
    if (windowRssiLacCi_)
        windowRssiLacCi_->setLacAndCellId(r.data.utf8Text(kLacOffset, kCellTextWidth), cellId);
    setDiagServingCell(cellId);
    performNetworkEffects(networkLogic().roaming.dealWithMsgOfCheckRoamInfo(bytes, networkContext()));
}

void InitController::dealWithMsgOfCheckSPDI(const yov::Notification &n)
{
    networkLogic().registration.dealWithMsgOfCheckSPDI(recordBytes(n));
    syncNetworkState();
}

void InitController::dealWithMsgOfCheckSPN(const yov::Notification &n)
{
    networkLogic().registration.dealWithMsgOfCheckSPN(recordBytes(n));
    syncNetworkState();
}

void InitController::dealWithMsgOfCheckHPLMN(const yov::Notification &n)
{
    if (!networkLogic().registration.dealWithMsgOfCheckHPLMN(recordBytes(n)))
        qCInfo(lcInit) << "home network report failed; the home MCC is kept as it was";
}

void InitController::dealWithMsgOfCheckSearchMode(const yov::Notification &n)
{
    const auto mode = NetworkRegistration::dealWithMsgOfCheckSearchMode(recordBytes(n));
    if (!mode)
        return;
    if (Platform::sharedPlatform()->platform() == Platform::Icera)
        Neighbours::setting().dealWithMsgOfCheckSearchmodeForIcera(mode->searchMode, mode->selectedMode);
    else
        Neighbours::setting().dealWithMsgOfCheckSearchmode(mode->searchMode, mode->selectedMode, mode->prefMode);
}

void InitController::dealWithMsgOfCheckPreferenceMode(const yov::Notification &n)
{
    if (const auto mode = NetworkRegistration::dealWithMsgOfCheckPreferenceMode(recordBytes(n)))
        Neighbours::setting().dealWithMsgOfCheckPreferenceMode(*mode);
}

void InitController::dealWithMsgOfReadRoamSwitch(const yov::Notification &n)
{
    performNetworkEffects(networkLogic().roaming.dealWithMsgOfReadRoamSwitch(recordBytes(n)));
}

// --- own operations

void InitController::setNetworkDomain(int domain, const QString &networkName)
{
    NetworkEffects e;
    networkLogic().registration.setNetworkDomain(domain, networkName, networkContext(), e);
    performNetworkEffects(e);
}

void InitController::initNibNetworkStatus()
{
    NetworkEffects e = networkLogic().registration.initNibNetworkStatus(networkContext());
    performNetworkEffects(e);
    if (m_domain && topBool("HidePCDomain"))
        m_domain->setHidden(true);
}

void InitController::networkDeviceRemoved()
{
    if (timerAlertSelect3GPrefer_) {
        clock().cancel(timerAlertSelect3GPrefer_);
        timerAlertSelect3GPrefer_ = 0;
    }
    performNetworkEffects(networkLogic().deviceRemoved(networkContext()));
    if (m_domain && topBool("HidePCDomain"))
        m_domain->setHidden(true);
}

void InitController::setAllowAlertSel3GPreferWhenSignalToNoSignal(bool allow)
{
    networkLogic().signal.setAllowAlertSel3GPreferWhenSignalToNoSignal(allow);
    allowAlertSel3GPrefer_ = allow;
}

void InitController::alertSelect3GPreferIfNoSignal()
{
    timerAlertSelect3GPrefer_ = 0;
    const bool show =
        networkLogic().signal.alertSelect3GPreferIfNoSignal(Neighbours::setting().getCurrentNetWorkPreferedMode());
    syncNetworkState();
    if (show)
        NSBeginAlertPanelExt(loc(QStringLiteral("Warning")), loc(QStringLiteral("d3uAlertSel3G_PreferWhenSignalToNoSignal")),
                             loc(QStringLiteral("OK")), QString(), {});
}

QString InitController::signalImageName() const
{
    return m_rssiStatus ? m_rssiStatus->property("imageName").toString() : QString();
}

void InitController::openRssiLacCiWindow(QObject *)
{
    if (!windowRssiLacCi_)
        return;
    windowRssiLacCi_->setWording([this](const QString &text) { return loc(text); });
    windowRssiLacCi_->show();
    windowRssiLacCi_->raise();
}

void InitController::closeRssiLacCiWindow(QObject *)
{
    if (windowRssiLacCi_)
        windowRssiLacCi_->hide();
}

void InitController::syncNetworkState()
{
    if (!networkLogic_)
        return;
    const NetworkLogic &l = *networkLogic_;
    mccmnc = l.registration.mccmnc();
    networkMode_ = l.registration.networkMode();
    networkName_ = l.registration.networkName();
    firstYDON_ = l.registration.firstTimeDealWithYdonWhenNetWorkChanged();
    firstYPAS_ = l.registration.firstTimeDealWithYpasWhenNetWorkChanged();
    m_SPN = l.registration.m_SPN();
    m_SignalStrength = l.signal.m_SignalStrength();
    allowAlertSel3GPrefer_ = l.signal.allowAlertSel3GPreferWhenSignalToNoSignal();
    networkRoamStatus_ = l.roaming.networkRoamStatus();
    registeredRoamStatus_ = l.roaming.registeredNetworkRoamStatus();
    roamTransferMode_ = l.roaming.roamTransferMode();
    hasAlertRoam = l.roaming.hasAlertRoam();
    whiteListCheck_ = l.roaming.whiteListCheckFlag();
    whiteListRoamTip_ = l.roaming.roamTipWhenInWhiteList();
    apnCycleWhenLeaveRoam_ = l.roaming.apnCyleWhenRoamToNoRoam();
    iRoamDefaultValue_ = l.roaming.iRoamDefaultValue();
    nRoamDefaultValue_ = l.roaming.nRoamDefaultValue();
}

void InitController::answerRoamDisconnectQuestion()
{
    NSBeginAlertPanelExt(loc(QStringLiteral("Warning")),
                         loc(QStringLiteral("You are about to connect to a roaming network.Do you want to disconnect now?")),
                         loc(QStringLiteral("YES")), loc(QStringLiteral("NO")), [this](int answer) {
                             performNetworkEffects(networkLogic().roaming.answerRoamDisconnect(
                                 answer == yov::AlertPresenter::DefaultReturn));
                         });
}

// --- carrying out

void InitController::performNetworkEffects(const NetworkEffects &e)
{
    applyDiagnosticsEffects(e);
    // Status area.
    if (e.networkStatus && m_network)
        m_network->setText(loc(*e.networkStatus));
    if (e.domainMark && m_domain) {
        m_domain->setText(*e.domainMark);
        // The mark is terse ("P C"): its tool tip says what it means.
        const QString &mark = *e.domainMark;
        m_domain->setToolTip(mark == QLatin1String("P C") ? loc(QStringLiteral("Data and voice service"))
                             : mark == QLatin1String("P")  ? loc(QStringLiteral("Data service only"))
                             : mark == QLatin1String("C")  ? loc(QStringLiteral("Voice service only"))
                                                           : QString());
    }
    if (e.localSpn && m_NameOfLocalSPN)
        m_NameOfLocalSPN->setText(loc(*e.localSpn));
    if (e.homeSpn && m_NameOfBelonetoSPN)
        m_NameOfBelonetoSPN->setText(loc(*e.homeSpn));
    if ((e.localSpn || e.homeSpn) && m_NameOfBelonetoSPN && m_NameOfLocalSPN) {
        // On the home network both names are the operator's: the status row shows it once.
        const bool same = !m_NameOfLocalSPN->isHidden() && m_NameOfLocalSPN->text() == m_NameOfBelonetoSPN->text();
        m_NameOfBelonetoSPN->setHidden(same);
    }
    if (e.roamMark && m_roamStatus)
        m_roamStatus->setText(*e.roamMark);
    if (e.mccLabel)
        labelMcc_ = *e.mccLabel;
    if (e.mncLabel)
        labelMnc_ = *e.mncLabel;
    if (e.clearBroadcastMessage && clearBroadcastMessageHook)
        clearBroadcastMessageHook();

    // Signal.
    if (e.signalImage && m_rssiStatus) {
        setImage(m_rssiStatus, *e.signalImage);
        const int level = signalLevelOfImageName(*e.signalImage);
        if (level >= 0) {
            showSignalBars(m_rssiStatus, level, kBarsSize);
            if (windowRssiLacCi_)
                windowRssiLacCi_->setLevel(level);
        }
    }
    if (e.signalToolTip && m_rssiStatus)
        m_rssiStatus->setToolTip(loc(*e.signalToolTip));
    if (e.didizuSignalImage)
        showOperatorImage(imageViewOfSignalStrengthForDidizu_, *e.didizuSignalImage);
    if (e.didizuRoamImage)
        showOperatorImage(imageViewOfRoamingStatusForDidizu_, *e.didizuRoamImage);
    if (e.didizuHomeNetImage)
        showOperatorImage(imageViewOfHomeNetWorkForDidizu_, *e.didizuHomeNetImage);
    if (e.evdoImage && m_evdoStatus) {
        setImage(m_evdoStatus, *e.evdoImage);
        const int level = signalLevelOfImageName(*e.evdoImage);
        if (level >= 0)
            showSignalBars(m_evdoStatus, level, kBarsSize);
    }
    if (e.cellWindowRssi && windowRssiLacCi_)
        windowRssiLacCi_->setRssi(*e.cellWindowRssi);
    if (e.startNoSignalAlertSeconds) {
        if (timerAlertSelect3GPrefer_)
            clock().cancel(timerAlertSelect3GPrefer_);
        const double seconds = *e.startNoSignalAlertSeconds;
        const int ms = std::isfinite(seconds) && seconds > 0 ? int(std::min(seconds * 1000.0, 2.0e9)) : 0;
        timerAlertSelect3GPrefer_ = clock().schedule(ms, this, [this] { alertSelect3GPreferIfNoSignal(); });
    }

    // Roaming switches.
    if (e.roamSwitchesEnabled) {
        for (QCheckBox *b : {btnIroamSwitch_.data(), btnNroamSwitch_.data()})
            if (b)
                b->setEnabled(*e.roamSwitchesEnabled);
    }
    if (e.nRoamSwitchOn && btnNroamSwitch_)
        btnNroamSwitch_->setChecked(*e.nRoamSwitchOn);
    if (e.iRoamSwitchOn && btnIroamSwitch_)
        btnIroamSwitch_->setChecked(*e.iRoamSwitchOn);

    syncNetworkState();

    // Notifications, in the order decided.
    for (const StateNotification &n : e.notifications) {
        if (n.ownUserInfo)
            notificationCenter().post(n.name, this, n.value.toMap());
        else
            sendNotification(n.name, n.localise ? QVariant(loc(n.value.toString())) : n.value);
    }

    // Connection and settings areas.
    DialControllerInterface &dial = Neighbours::dial();
    if (e.runtimeIsSameMCC)
        setRuntimeObject(*e.runtimeIsSameMCC, QStringLiteral("runtimeIsSameMCC"));
    if (e.modemAndSimStateString)
        dial.setModemAndSimStateString(*e.modemAndSimStateString);
    if (e.psDomainStatus) {
        Neighbours::setting().setAutoConnectBtnEnable(*e.psDomainStatus);
        dial.setPSDomainStatus(*e.psDomainStatus);
    }
    if (e.activationSmsMode)
        sendActiveSimcardSMS(*e.activationSmsMode);
    if (e.matchApnHomeMcc && e.matchApnHomeMnc)
        matchApnAccordMCC(*e.matchApnHomeMcc, *e.matchApnHomeMnc);
    if (e.resetDefaultProfileWithMCCMNC)
        dial.resetDefaultProfileWithMCCMNC(*e.resetDefaultProfileWithMCCMNC);
    if (e.updateLinkMccmnc && updateLink_)
        updateLink_->dealWithMCCMNC(*e.updateLinkMccmnc);
    if (e.updateLinkDeviceReady && updateLink_) {
        updateLink_->dealWithDeviceReady();
        updateLink_->setIsSendUpdateMessageWhenMCCMNC(true);
    }
    if (e.sendSetRoamSwitch)
        Neighbours::setting().sendSetRoamSwitch();
    if (e.apnCycleEnable)
        dial.setApnCycleEnable(*e.apnCycleEnable);
    if (e.disconnect)
        dial.DialDisconnect();
    else if (e.reconnect)
        dial.reconnect(true);
    if (e.disableConnectButtons && disableConnectButtonsHook)
        disableConnectButtonsHook();

    // The roaming window is not an alert: it stays up beside the dashboard while the rest goes on.
    if (e.showRoamAlert || e.show3GTo2GAlert)
        showRoamAlertWindow(e.showRoamAlert);

    // Alerts last, without blocking the device link: the state above is complete when they show.
    // One after the other, each once the one before is answered.
    const bool askDisconnect = e.askRoamDisconnect;
    const auto ask = [this, askDisconnect] {
        if (askDisconnect)
            answerRoamDisconnectQuestion();
    };
    if (e.showWhiteListSheet && winD3uWhiteCheck_) {
        WhiteListCheckWindow &sheet = *winD3uWhiteCheck_;
        sheet.tfdD3uRoamInWhiteList_->setText(loc(QStringLiteral("roaminWhiteList")));
        sheet.tfdD3uRemindNextConnect_->setText(loc(QStringLiteral("remindNextConnect")));
        sheet.btnD3uWhiteCheck_->setText(loc(QStringLiteral("OK")));
        {
            const QSignalBlocker quiet(sheet.checkboxD3uWhiteCheck_);
            sheet.checkboxD3uWhiteCheck_->setChecked(networkLogic().roaming.roamTipWhenInWhiteList());
        }
        // A sheet already up keeps its place; what waits for it is what this report adds.
        const std::function<void()> before = std::move(afterWhiteListSheet_);
        afterWhiteListSheet_ = [before, ask] {
            if (before)
                before();
            ask();
        };
        if (!sheet.isSheetOpen())
            sheet.beginSheetOn(topmostSheetOf(wndMain));
    } else {
        ask();
    }
}

void InitController::clickOKBtnInD3uPopUp1()
{
    if (winD3uWhiteCheck_)
        winD3uWhiteCheck_->endSheet();
    const std::function<void()> next = std::move(afterWhiteListSheet_);
    afterWhiteListSheet_ = {};
    if (next)
        next();
}

void InitController::clickCheckboxInD3uPopUp1(bool checked)
{
    networkLogic().roaming.clickCheckboxInD3uPopUp1(checked);
    whiteListRoamTip_ = checked;
}

} // namespace ostrel
