// DialController: connecting without a click. Automatic attempts (after the packet domain came,
// after a failed or dropped connection, after a wake, after leaving roaming), their count and
// delays, the next profile after a failed attempt (profile cycling), and sleep and wake.
//
// Every automatic attempt goes through DialOption() with no sender, so it passes the same checks
// as a click. At most one attempt is pending at any time: scheduling one replaces the one before,
// so two callers never start two chains of attempts that would cancel each other's connect.
#include "ostrel/connection/dial/DialController.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/dial/DialLog.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/Clock.h"

#include <QMetaType>

#include <cmath>

namespace ostrel {

namespace {

// The wait after which an attempt that found the device busy tries again, and the delay a
// missing or unreadable delay key stands for.
constexpr double kReconnectRetrySeconds = 10.0;
// A delay is held in milliseconds by the clock: longer ones are cut to this (about 11 days).
constexpr double kReconnectLongestSeconds = 1.0e6;
// Passes of one profile cycle at most: the list is held in memory.
constexpr int kApnCycleMostPasses = 100;

// A number stored as an integer, a real or a text of digits; nothing for anything else.
std::optional<double> reconnectNumberOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::QString: {
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (ok && std::isfinite(d))
            return d;
        return std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// Seconds of a delay key: missing or not a number gives the fallback, a negative one 0.
double reconnectDelaySeconds(const QVariant &value, double fallback)
{
    const std::optional<double> d = reconnectNumberOf(value);
    if (!d)
        return fallback;
    return qBound(0.0, *d, kReconnectLongestSeconds);
}

int reconnectDelayMs(double seconds) { return int(std::lround(seconds * 1000.0)); }

} // namespace

// ---- scheduling --------------------------------------------------------------------------------

void DialController::cancelAutoReconnect()
{
    if (autoReconnectId_)
        clock().cancel(autoReconnectId_);
    autoReconnectId_ = 0;
}

void DialController::initReconnectTimes()
{
    const std::optional<double> max = reconnectNumberOf(internetValue("MaxReconnectTimes"));
    max_ReconnectTimes_ = max ? int(qBound(0.0, *max, 1.0e6)) : 3;
}

bool DialController::checkAutoConnectByTimes() const
{
    return reconnectTimes_ < max_ReconnectTimes_ || internetBool("ContinueAutoConnect");
}

double DialController::autoReconnectInterval() const
{
    if (reconnectTimes_ < max_ReconnectTimes_)
        return reconnectTimes_ == 0
                   ? reconnectDelaySeconds(internetValue("AutoReconnectStartTimeAfterDisconnect"), kReconnectRetrySeconds)
                   : reconnectDelaySeconds(config().getConfigurationByModule(QStringLiteral("AutoConnectDelayTime")),
                                           kReconnectRetrySeconds);
    if (internetBool("ContinueAutoConnect"))
        return reconnectDelaySeconds(internetValue("ContinueAutoConnectTime"), kReconnectRetrySeconds);
    return kReconnectRetrySeconds;
}

void DialController::reconnect(bool reset)
{
    if (isDeviceRemoved_)
        return;
    InitControllerInterface &device = Neighbours::init();
    if (internetBool("noAutoConnectWhenInRoam") && device.networkRoamStatus() == 0) {
        qCInfo(lcDial) << "no automatic connection while roaming";
        return;
    }
    if (!Neighbours::setting().allowAutoReconnect())
        return;
    if (reset) {
        setManualDisconnect(false);
        reconnectTimes_ = 0;
    }
    if (internetBool("minMainWindowWhenAutoConnectToTheNoRoamNet") && device.networkRoamStatus() == 1
        && device.roamTransferMode() != 0 && apnCycleEnabled_ && wndMain)
        wndMain->showMinimized();
    cancelAutoReconnect();
    autoReconnectId_ = clock().schedule(reconnectDelayMs(autoReconnectInterval()), this, [this] {
        autoReconnectId_ = 0;
        autoReconnect();
    });
}

void DialController::autoReconnect()
{
    SettingControllerInterface &setting = Neighbours::setting();
    const char *bar = nullptr;
    if (isDeviceRemoved_)
        bar = "no device";
    else if (!checkAutoConnectByTimes())
        bar = "the most automatic attempts were made";
    else if (manualDisconnectFlag_)
        bar = "the user disconnected";
    else if (!setting.allowAutoReconnect())
        bar = "automatic connection is off";
    else if (willConnectToInternet_)
        bar = "an attach is pending";
    else if (notAutoConnectWhenInterRoaming())
        bar = "a network of another country";
    else if (setting.getOperatorSelectionForNetwork())
        bar = "the user selects a network";
    if (bar) {
        qCInfo(lcDial) << "automatic connection given up:" << bar;
        return;
    }
    if (Neighbours::init().checkToReturnPSDomain() && !setting.isPinPukOrNetSelectWinBeginSheet()
        && connectStatus_ == yov::kConnectStatusIdle && !dialOptionPending()) {
        ++reconnectTimes_;
        disableConnectionAlertWindow();
        DialOption(DialSender::Automatic);
        return;
    }
    // Busy (no packet domain, a sheet open, a connection under way): wait, without counting.
    cancelAutoReconnect();
    autoReconnectId_ = clock().schedule(reconnectDelayMs(kReconnectRetrySeconds), this, [this] {
        autoReconnectId_ = 0;
        autoReconnect();
    });
}

bool DialController::notAutoConnectWhenInterRoaming() const
{
    if (!internetBool("NotAutoConnectForInterRoam"))
        return false;
    // Not known yet (no network reported): not another country.
    const QVariant sameMcc = runtimeObjectForKey(QStringLiteral("runtimeIsSameMCC"));
    return sameMcc.isValid() && !yov::nsBool(sameMcc);
}

void DialController::disableConnectionAlertWindow()
{
    if (internetBool("DisableAlertWindowWhileAutoConnectFailed"))
        setDialParams();
}

bool DialController::checkIsAutoConnectOnline() const
{
    return !internetBool("NotAutoConnectOnline") || hadConnectAction_;
}

// ---- the retry after a failed or dropped connection ------------------------------------------

bool DialController::isDoReconnectAfterDisconnect() const
{
    if (!manualDisconnectFlag_ && !internetBool("apnCycle"))
        return true;
    return !apnCycleEnabled_;
}

bool DialController::checkAutoConnectForPPPFailed() const
{
    return !internetBool("NotAutoConnectForPPPFailed") || bManualConnectSuccess_ || !bManualConnect_;
}

void DialController::doReconnectAfterAutoDisconnect()
{
    const QVariant stored = config().getConfigurationByModule(QStringLiteral("autoReConnectdelayTimeAfterAutoDisconnect"));
    const double seconds = reconnectTimes_ > 0 && stored.isValid() ? reconnectDelaySeconds(stored, 0.0) : 0.0;
    cancelAutoReconnect();
    if (seconds <= 0) {
        reconnectAfterAutoDisconnect();
        return;
    }
    autoReconnectId_ = clock().schedule(reconnectDelayMs(seconds), this, [this] {
        autoReconnectId_ = 0;
        reconnectAfterAutoDisconnect();
    });
}

void DialController::reconnectAfterAutoDisconnect() { reconnect(false); }

void DialController::AutoReconnectForNdis()
{
    if (isDoReconnectAfterDisconnect() && checkAutoConnectForPPPFailed() && !isDeviceRemoved_
        && internetBool("AutoReconnectForNdis")) {
        doReconnectAfterAutoDisconnect();
        bManualConnect_ = false;
    }
}

// ---- profile cycling ---------------------------------------------------------------------------

bool DialController::isDefaultAPN() const
{
    return profiles_.readDefaultProfileNum() >= profiles_.currentChooserItem();
}

void DialController::apnCycleStart()
{
    if (!apnCycleEnabled_ || !internetBool("apnCycle") || apnCycleArray_)
        return;
    if (internetBool("noApnCyleWhenCurrentIsUserApn") && !isDefaultAPN())
        return;
    const std::optional<int> current = profiles_.currentProfileIndex();
    if (!current)
        return;
    const int count = profiles_.count();
    const std::optional<double> total = reconnectNumberOf(internetValue("apnCycleTotal"));
    const int n = total ? int(qBound(0.0, *total, double(count))) : 0;
    // The current profile first, then the others from the head of the list: n entries (the
    // current one alone when n is 0).
    QList<int> pass{*current};
    for (int i = 0; pass.size() < n && i < count; ++i)
        if (i != *current)
            pass.append(i);
    QList<int> list = pass;
    const std::optional<double> times = reconnectNumberOf(internetValue("apnCycleTimes"));
    const int passes = times ? int(qBound(1.0, *times, double(kApnCycleMostPasses))) : 1;
    for (int t = 1; t < passes; ++t)
        list += pass;
    apnCycleArray_ = list;
    apnCycleCurrentAPN_ = 0;
    setCurrentProfile();
}

bool DialController::apnCycleTryNext()
{
    if (!apnCycleArray_)
        return false;
    ++apnCycleCurrentAPN_;
    if (apnCycleCurrentAPN_ >= apnCycleArray_->size())
        return false;
    const int profile = apnCycleArray_->at(apnCycleCurrentAPN_);
    if (profile < 0 || profile >= profiles_.count())
        return false; // the list changed under the cycle
    qCInfo(lcDial) << "trying the next profile" << profile;
    dialConfigListSelectItemAtIndex(profile + 1);
    return true;
}

bool DialController::apnCycleLastTry() const
{
    return !apnCycleArray_ || apnCycleCurrentAPN_ + 1 >= apnCycleArray_->size();
}

void DialController::apnCycleEnd()
{
    apnCycleArray_.reset();
    apnCycleCurrentAPN_ = 0;
}

// ---- sleep and wake ----------------------------------------------------------------------------

void DialController::machineWillSleep()
{
    if (readConnectType() == yov::kConnectTypeNDIS && connectStatus_ != yov::kConnectStatusIdle) {
        setConnectBtnEnable(false);
        NDISDialDisconnect();
    }
    // A link that drops while the computer sleeps is not retried; the wake starts afresh.
    setManualDisconnect(true);
    cancelAutoReconnect();
}

void DialController::machineDidWake()
{
    if (internetBool("NotAutoConnectForPPPFailed") && !topBool("AutoConnect"))
        return;
    reconnect(true);
}

} // namespace ostrel
