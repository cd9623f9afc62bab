#include "ostrel/settings/CallSettingSequencer.h"

#include "common/records/Payload.h"
#include "common/records/settings/SettingsRecords.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "platform/Clock.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcCallSetting, "ostrel.settings.call")

namespace ostrel {

namespace {

namespace callmsg = yov::callsetmsg;

constexpr std::int8_t kCallSetFailedResult = -1; // 255 as the signed result byte
constexpr int kBarAO = 0, kBarOI = 1, kBarOX = 2, kBarAI = 3, kBarIR = 4;

bool callSetFailed(int result) { return (result & 0xff) == 0xff; }

// The first item of a forwarding status that the panel reads: class 1 or 255.
const yov::CallForwardStatus::Item *firstUsedForwardItem(const yov::CallForwardStatus &status)
{
    for (const auto &item : status.items)
        if (yov::isUsedCallClass(item.callClass))
            return &item;
    return nullptr;
}

} // namespace

int CallSettingSequencer::reasonOfSlot(int slot)
{
    static constexpr int kReasons[kForwardSlots] = {yov::kForwardBusy, yov::kForwardNotReachable, yov::kForwardNoAnswer,
                                                    yov::kForwardAll};
    return slot >= 0 && slot < kForwardSlots ? kReasons[slot] : -1;
}

CallSettingSequencer::CallSettingSequencer(YOVMsgCenter *center, yov::Clock &clock, bool skipBarringRead, AlertFn alert,
                                           QObject *parent)
    : QObject(parent), center_(center), clock_(clock), skipBarringRead_(skipBarringRead), alert_(std::move(alert))
{
}

void CallSettingSequencer::notify()
{
    if (changed_)
        changed_();
}

void CallSettingSequencer::alert(const QString &message, const QString &title)
{
    if (alert_)
        alert_(title, message);
}

// --- time-outs ---------------------------------------------------------------------------------

void CallSettingSequencer::expectAnswer(Service service, std::uint16_t minor)
{
    Pending &p = pending_[service];
    if (p.timer)
        clock_.cancel(p.timer);
    p.minor = minor;
    p.timer = clock_.schedule(kAnswerTimeoutMs, this, [this, service] { timedOut(service); });
}

void CallSettingSequencer::answered(Service service)
{
    Pending &p = pending_[service];
    if (p.timer)
        clock_.cancel(p.timer);
    p = Pending{};
}

bool CallSettingSequencer::takeAnswer(Service service, std::uint16_t minor)
{
    if (pending_[service].minor != minor) {
        qCWarning(lcCallSetting) << "call settings answer" << minor << "dropped: no request waits for it";
        return false;
    }
    answered(service);
    return true;
}

void CallSettingSequencer::timedOut(Service service)
{
    // The handler below takes the request as answered.
    const std::uint16_t minor = pending_[service].minor;
    pending_[service].timer = {};
    qCWarning(lcCallSetting) << "no answer to the call settings request" << minor << "within"
                             << kAnswerTimeoutMs / 1000 << "s: taken as failed";
    const yov::PayloadReader none;
    switch (minor) {
    case callmsg::kMinorForwardStatus: dealWithMsgOfReadCallForwardSetting(kCallSetFailedResult, none); break;
    case callmsg::kMinorForwardResult: dealWithCallForwardSettingResult(kCallSetFailedResult); break;
    case callmsg::kMinorWaitStatus: dealWithMsgOfReadCallWaitSetting(kCallSetFailedResult, none); break;
    case callmsg::kMinorWaitResult: dealWithCallWaitSettingResult(kCallSetFailedResult); break;
    case callmsg::kMinorBarStatus: dealWithMsgOfReadCallBarSetting(kCallSetFailedResult, none); break;
    case callmsg::kMinorBarResult: dealWithCallBarSettingResult(kCallSetFailedResult); break;
    default: break;
    }
}

// --- requests ----------------------------------------------------------------------------------

void CallSettingSequencer::sendCallForwardSetWithMode(int mode, int slot, const QString &number)
{
    yov::CallForwardRequest request;
    request.reason = reasonOfSlot(slot);
    request.mode = mode;
    request.number = number.toUtf8();
    expectAnswer(ForwardService, mode == callmsg::kModeQuery ? callmsg::kMinorForwardStatus : callmsg::kMinorForwardResult);
    if (center_)
        center_->sendCatalogued<callmsg::kMajor, callmsg::kMinorForward>(request);
}

void CallSettingSequencer::sendCallWaitSetWithMode(int mode, int enable)
{
    yov::CallWaitRequest request;
    request.enable = enable;
    request.mode = mode;
    expectAnswer(WaitService, mode == callmsg::kModeQuery ? callmsg::kMinorWaitStatus : callmsg::kMinorWaitResult);
    if (center_)
        center_->sendCatalogued<callmsg::kMajor, callmsg::kMinorWait>(request);
}

void CallSettingSequencer::sendCallBarSetWithMode(int mode, int facility)
{
    callBarSettingFlag_ = facility;
    yov::CallBarRequest request;
    request.facility = QByteArray(yov::kCallBarringFacility[facility]);
    request.mode = mode;
    if (mode != callmsg::kModeQuery)
        request.password = view_.password.toUtf8();
    expectAnswer(BarService, mode == callmsg::kModeQuery ? callmsg::kMinorBarStatus : callmsg::kMinorBarResult);
    if (center_)
        center_->sendCatalogued<callmsg::kMajor, callmsg::kMinorBar>(request);
}

void CallSettingSequencer::readCallForwardSetting()
{
    callForwardRead_ = true;
    callForwardSettingFlag_ = Busy;
    sendCallForwardSetWithMode(callmsg::kModeQuery, Busy, QString());
}

void CallSettingSequencer::readCallWaitSetting() { sendCallWaitSetWithMode(callmsg::kModeQuery, 1); }

void CallSettingSequencer::readCallBarSetting()
{
    callBarRead_ = true;
    sendCallBarSetWithMode(callmsg::kModeQuery, kBarAO);
}

// --- enabling ----------------------------------------------------------------------------------

void CallSettingSequencer::checkCallForwardBtnState()
{
    if (!controlsEnabled_)
        return;
    const bool all = view_.forward[All].on;
    for (int slot : {Busy, NotReachable, NoAnswer}) {
        view_.forward[slot].boxEnabled = !all;
        view_.forward[slot].fieldEnabled = view_.forward[slot].on && !all;
    }
    view_.forward[All].fieldEnabled = all;
    view_.forward[All].boxEnabled = true;
}

void CallSettingSequencer::applyBarExclusions()
{
    // "AO" excludes "OI" and "OX", "OI" excludes "OX", "AI" excludes "IR".
    const auto &bar = view_.bar;
    view_.bar[kBarAO].enabled = controlsEnabled_;
    view_.bar[kBarOI].enabled = controlsEnabled_ && !bar[kBarAO].on;
    view_.bar[kBarOX].enabled = controlsEnabled_ && !bar[kBarAO].on && !bar[kBarOI].on;
    view_.bar[kBarAI].enabled = controlsEnabled_;
    view_.bar[kBarIR].enabled = controlsEnabled_ && !bar[kBarAI].on;
}

void CallSettingSequencer::enableIfAllFinished()
{
    if (callForwardReadFinsihed_ && callBarReadFinsihed_ && callWaitReadFinsihed_) {
        view_.applyEnabled = true;
        view_.readEnabled = true;
    }
}

void CallSettingSequencer::callSettingNibEnable(bool enable)
{
    controlsEnabled_ = enable;
    for (ForwardBox &box : view_.forward) {
        box.boxEnabled = enable;
        box.fieldEnabled = false;
    }
    view_.waitingEnabled = enable;
    for (BarBox &box : view_.bar)
        box.enabled = enable;
    view_.passwordEnabled = enable;
    view_.applyEnabled = false;
    view_.readEnabled = false;
    notify();
}

void CallSettingSequencer::resetCallForwardStates()
{
    for (int slot = 0; slot < kForwardSlots; ++slot) {
        view_.forward[slot].on = knownForward_[slot].on;
        view_.forward[slot].number = knownForward_[slot].number;
    }
    checkCallForwardBtnState();
}

void CallSettingSequencer::resetCallBarStates()
{
    for (int i = 0; i < kBarFacilities; ++i)
        view_.bar[i].on = knownBar_[i];
    applyBarExclusions();
    view_.password.clear();
}

// --- user edits --------------------------------------------------------------------------------

void CallSettingSequencer::setForwardBox(int slot, bool on)
{
    if (slot < 0 || slot >= kForwardSlots)
        return;
    view_.forward[slot].on = on;
    if (slot == All && on && controlsEnabled_) {
        for (int other : {Busy, NotReachable, NoAnswer}) {
            view_.forward[other].boxEnabled = false;
            view_.forward[other].fieldEnabled = false;
        }
        view_.forward[All].fieldEnabled = true;
    } else {
        checkCallForwardBtnState();
    }
    notify();
}

void CallSettingSequencer::setForwardNumber(int slot, const QString &number)
{
    if (slot >= 0 && slot < kForwardSlots)
        view_.forward[slot].number = number.left(callmsg::kNumberMax);
}

void CallSettingSequencer::setWaitingBox(bool on)
{
    view_.waiting = on;
    notify();
}

void CallSettingSequencer::setBarBox(int facility, bool on)
{
    if (facility < 0 || facility >= kBarFacilities)
        return;
    view_.bar[facility].on = on;
    applyBarExclusions();
    notify();
}

void CallSettingSequencer::setPassword(const QString &password) { view_.password = password.left(callmsg::kPasswordMax); }

void CallSettingSequencer::callSettingApply(const QString &tab)
{
    view_.applyEnabled = false;
    view_.readEnabled = false;
    if (tab == QLatin1String("CallForward")) {
        forwardSent_ = {};
        sendCallForwardSetting();
    } else if (tab == QLatin1String("CallWaiting")) {
        sendCallWaitSetting();
    } else if (tab == QLatin1String("CallBarring")) {
        barSent_ = {};
        sendCallBarSetting();
    }
    notify();
}

void CallSettingSequencer::readCallSettingStatues(const QString &tab)
{
    view_.applyEnabled = false;
    view_.readEnabled = false;
    if (tab == QLatin1String("CallForward"))
        readCallForwardSetting();
    else if (tab == QLatin1String("CallWaiting"))
        readCallWaitSetting();
    else if (tab == QLatin1String("CallBarring"))
        readCallBarSetting();
    notify();
}

// --- device state ------------------------------------------------------------------------------

void CallSettingSequencer::updateNetworkStatus(const QString &status)
{
    if (status.isEmpty() || status == QLatin1String("No Service") || status == QLatin1String("Limited Service")) {
        view_.applyEnabled = false;
        view_.readEnabled = false;
        notify();
        return;
    }
    if (needReadCallSetting_) {
        needReadCallSetting_ = false;
        callSettingNibEnable(true);
        readCallForwardSetting();
        readCallWaitSetting();
        if (skipBarringRead_)
            callBarReadFinsihed_ = true;
        else
            readCallBarSetting();
    }
    enableIfAllFinished();
    notify();
}

void CallSettingSequencer::resetCallSetting()
{
    for (int service = 0; service < 3; ++service)
        answered(Service(service));
    for (int slot = 0; slot < kForwardSlots; ++slot) {
        knownForward_[slot] = Known{};
        view_.forward[slot].on = false;
        view_.forward[slot].number.clear();
    }
    for (int i = 0; i < kBarFacilities; ++i) {
        knownBar_[i] = false;
        view_.bar[i].on = false;
    }
    knownWaiting_ = false;
    view_.waiting = false;
    view_.password.clear();
    needReadCallSetting_ = true;
    callForwardReadFinsihed_ = callBarReadFinsihed_ = callWaitReadFinsihed_ = false;
    callForwardRead_ = callBarRead_ = false;
    callSettingNibEnable(false);
}

// --- forwarding --------------------------------------------------------------------------------

void CallSettingSequencer::sendCallForwardSetting()
{
    callForwardRead_ = false;
    for (int slot = 0; slot < kForwardSlots; ++slot) {
        const ForwardBox &box = view_.forward[slot];
        if (forwardSent_[slot])
            continue;
        if (box.on == knownForward_[slot].on && box.number == knownForward_[slot].number)
            continue;
        forwardSent_[slot] = true;
        callForwardSettingFlag_ = slot;
        sendCallForwardSetWithMode(box.on ? callmsg::kModeRegister : callmsg::kModeErase, slot, box.number);
        return;
    }
    alert(QStringLiteral("Settings successful!"), QString());
    enableIfAllFinished();
}

void CallSettingSequencer::failForwardApply()
{
    alert(QStringLiteral("Settings Failed!"));
    resetCallForwardStates();
    enableIfAllFinished();
}

void CallSettingSequencer::dealWithCallForwardSettingResult(int result)
{
    if (!takeAnswer(ForwardService, callmsg::kMinorForwardResult))
        return;
    if (callSetFailed(result) && !callForwardRead_)
        failForwardApply();
    else
        sendCallForwardSetWithMode(callmsg::kModeQuery, callForwardSettingFlag_, QString());
    notify();
}

void CallSettingSequencer::dealWithMsgOfReadCallForwardSetting(int result, const yov::PayloadReader &payload)
{
    if (!takeAnswer(ForwardService, callmsg::kMinorForwardStatus))
        return;
    if (callSetFailed(result)) {
        if (callForwardRead_) {
            if (callForwardReadFinsihed_)
                alert(QStringLiteral("Read Call Forwarding Status Failed!"));
            else
                callForwardReadFinsihed_ = true;
            resetCallForwardStates();
            enableIfAllFinished();
        } else {
            failForwardApply(); // the read-back after a set
        }
        notify();
        return;
    }
    const yov::CallForwardStatus status = yov::CallForwardStatus::decode(payload);
    const yov::CallForwardStatus::Item *item = firstUsedForwardItem(status);
    const int slot = callForwardSettingFlag_;
    if (item && slot >= 0 && slot < kForwardSlots) {
        const bool on = item->status != 0;
        const QString number = QString::fromUtf8(item->number);
        view_.forward[slot].on = on;
        view_.forward[slot].number = number;
        view_.forward[slot].fieldEnabled = on && controlsEnabled_;
        knownForward_[slot] = Known{on, number};
    }
    if (callForwardRead_) {
        if (slot < All) {
            callForwardSettingFlag_ = slot + 1;
            sendCallForwardSetWithMode(callmsg::kModeQuery, callForwardSettingFlag_, QString());
        } else {
            checkCallForwardBtnState();
            if (callForwardReadFinsihed_)
                alert(QStringLiteral("Read Call Forwarding Status Successful!"));
            callForwardReadFinsihed_ = true;
            enableIfAllFinished();
        }
    } else if (item) {
        checkCallForwardBtnState();
        sendCallForwardSetting(); // the next changed condition
    } else {
        failForwardApply(); // a read-back that says nothing of the condition just set
    }
    notify();
}

// --- waiting -----------------------------------------------------------------------------------

void CallSettingSequencer::sendCallWaitSetting()
{
    const int on = view_.waiting ? 1 : 0;
    sendCallWaitSetWithMode(on, on);
}

void CallSettingSequencer::dealWithMsgOfReadCallWaitSetting(int result, const yov::PayloadReader &payload)
{
    if (!takeAnswer(WaitService, callmsg::kMinorWaitStatus))
        return;
    if (callSetFailed(result)) {
        if (callWaitReadFinsihed_)
            alert(QStringLiteral("Read Call Waiting Status Failed!"));
        else
            callWaitReadFinsihed_ = true; // the first read ends here, as for the other services
        view_.waiting = knownWaiting_;
        enableIfAllFinished();
        notify();
        return;
    }
    for (const auto &item : yov::CallWaitStatus::decode(payload).items)
        if (yov::isUsedCallClass(item.callClass)) {
            view_.waiting = item.status != 0;
            knownWaiting_ = view_.waiting;
        }
    if (callWaitReadFinsihed_)
        alert(QStringLiteral("Read Call Waiting Status Successful!"));
    callWaitReadFinsihed_ = true;
    enableIfAllFinished();
    notify();
}

void CallSettingSequencer::dealWithCallWaitSettingResult(int result)
{
    if (!takeAnswer(WaitService, callmsg::kMinorWaitResult))
        return;
    if (callSetFailed(result)) {
        alert(QStringLiteral("Settings Failed!"));
        view_.waiting = knownWaiting_;
    } else {
        alert(QStringLiteral("Settings successful!"));
        knownWaiting_ = view_.waiting;
    }
    enableIfAllFinished();
    notify();
}

// --- barring -----------------------------------------------------------------------------------

void CallSettingSequencer::sendCallBarSetting()
{
    callBarRead_ = false;
    for (int i = 0; i < kBarFacilities; ++i) {
        const BarBox &box = view_.bar[i];
        const bool counts = (i != kBarOI && i != kBarOX && i != kBarIR) || box.enabled;
        if (barSent_[i] || !counts || box.on == knownBar_[i])
            continue;
        barSent_[i] = true;
        sendCallBarSetWithMode(box.on ? 1 : 0, i);
        return;
    }
    alert(QStringLiteral("Settings successful!"));
    enableIfAllFinished();
}

void CallSettingSequencer::failBarApply()
{
    alert(QStringLiteral("Settings Failed!"));
    resetCallBarStates();
    enableIfAllFinished();
}

void CallSettingSequencer::dealWithCallBarSettingResult(int result)
{
    if (!takeAnswer(BarService, callmsg::kMinorBarResult))
        return;
    if (callSetFailed(result) && !callBarRead_)
        failBarApply();
    else if (!callBarRead_)
        sendCallBarSetWithMode(callmsg::kModeQuery, callBarSettingFlag_);
    notify();
}

void CallSettingSequencer::dealWithMsgOfReadCallBarSetting(int result, const yov::PayloadReader &payload)
{
    if (!takeAnswer(BarService, callmsg::kMinorBarStatus))
        return;
    if (callSetFailed(result)) {
        if (callBarRead_) {
            if (callBarReadFinsihed_)
                alert(QStringLiteral("Read Call Barring Status Failed!"));
            else
                callBarReadFinsihed_ = true;
            enableIfAllFinished();
        } else {
            failBarApply(); // the read-back after a set
        }
        notify();
        return;
    }
    const int facility = callBarSettingFlag_;
    if (facility >= 0 && facility < kBarFacilities) {
        const bool on = yov::CallBarStatus::decode(payload).status != 0;
        view_.bar[facility].on = on;
        knownBar_[facility] = on;
        applyBarExclusions();
    }
    if (callBarRead_) {
        if (facility < kBarIR) {
            sendCallBarSetWithMode(callmsg::kModeQuery, facility + 1);
        } else {
            if (callBarReadFinsihed_)
                alert(QStringLiteral("Read Call Barring Status Successful!"));
            callBarReadFinsihed_ = true;
            enableIfAllFinished();
        }
    } else {
        sendCallBarSetting(); // the next changed facility
    }
    notify();
}

} // namespace ostrel
