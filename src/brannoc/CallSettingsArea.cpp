#include "brannoc/CallSettingsArea.h"

#include "brannoc/BrannocService.h"
#include "brannoc/ModemRecords.h"
#include "common/ValueConversion.h"
#include "common/records/Payload.h"
#include "common/records/settings/SettingsRecords.h"

namespace brannoc {

namespace {

namespace callmsg = yov::callsetmsg;

constexpr std::int32_t kCallSettingsModule = 3;
constexpr std::int32_t kNumberTypeInternational = 145;

QString forwardKey(std::int32_t reason) { return QString::number(reason); }

} // namespace

QStringList CallSettingsArea::stateKeys() const
{
    return {QStringLiteral("Forwarding"),   QStringLiteral("Waiting"),  QStringLiteral("Barring"),
            QStringLiteral("BarringPassword"), QStringLiteral("NumberPrefix"), QStringLiteral("FailMinors"),
            QStringLiteral("ItemClass"),    QStringLiteral("ExtraItems")};
}

void CallSettingsArea::load(const QVariantMap &state) { state_ = state; }

bool CallSettingsArea::networkReady(ModemContext &context) const
{
    ModemArea *network = context.area(QStringLiteral("Network"));
    if (!network)
        return false;
    const QVariantMap s = network->state();
    return yov::nsBool(s.value(QStringLiteral("SimReady"))) && stateBool(s, "Registered", true);
}

void CallSettingsArea::answer(ModemContext &context, std::uint16_t minor, const QByteArray &payload)
{
    bool failing = false;
    for (const QVariant &m : yov::nsArray(state_.value(QStringLiteral("FailMinors"))))
        failing = failing || yov::nsInt(m) == minor;
    context.push(makeRecord(callmsg::kMajor, minor, 1, failing ? kFailed : kOk, kCallSettingsModule, failing ? QByteArray() : payload));
}

bool CallSettingsArea::handleRequest(const yov::UI_MSG &request, ModemContext &context)
{
    if (request.majorID != callmsg::kMajor || request.minorID < callmsg::kMinorForward || request.minorID > callmsg::kMinorWait)
        return false;
    if (!networkReady(context)) {
        qCInfo(lcBrannoc).noquote() << "call settings: no network, request" << request.minorID << "unanswered";
        return true;
    }
    switch (request.minorID) {
    case callmsg::kMinorForward: forwarding(request, context); break;
    case callmsg::kMinorWait: waiting(request, context); break;
    case callmsg::kMinorBar: barring(request, context); break;
    default: break;
    }
    return true;
}

void CallSettingsArea::forwarding(const yov::UI_MSG &request, ModemContext &context)
{
    const auto r = yov::CallForwardRequest::decode(yov::PayloadReader::ofMsg(request));
    QVariantMap all = yov::nsDict(state_.value(QStringLiteral("Forwarding")));
    QVariantMap entry = yov::nsDict(all.value(forwardKey(r.reason)));
    if (r.mode != callmsg::kModeQuery) {
        if (r.mode == callmsg::kModeRegister) {
            QString number = QString::fromUtf8(r.number);
            const QString prefix = stateText(state_, "NumberPrefix", QString());
            if (!prefix.isEmpty() && number.startsWith(QLatin1Char('0')))
                number = prefix + number.mid(1);
            entry.insert(QStringLiteral("On"), true);
            entry.insert(QStringLiteral("Number"), number);
        } else {
            entry.insert(QStringLiteral("On"), false);
        }
        all.insert(forwardKey(r.reason), entry);
        state_.insert(QStringLiteral("Forwarding"), all);
        answer(context, callmsg::kMinorForwardResult);
        return;
    }
    yov::CallForwardStatus status;
    const bool on = yov::nsBool(entry.value(QStringLiteral("On")));
    yov::CallForwardStatus::Item item;
    item.status = on ? 1 : 0;
    item.callClass = stateInt(state_, "ItemClass", callmsg::kClassVoice);
    if (on) {
        item.number = yov::nsString(entry.value(QStringLiteral("Number"))).toUtf8();
        item.numberType = item.number.startsWith('+') ? kNumberTypeInternational : callmsg::kNumberTypeDefault;
    }
    status.items << item;
    for (const QVariant &extra : yov::nsArray(state_.value(QStringLiteral("ExtraItems")))) {
        const QVariantMap e = yov::nsDict(extra);
        status.items << yov::CallForwardStatus::Item{yov::nsInt(e.value(QStringLiteral("Status"))),
                                                     yov::nsInt(e.value(QStringLiteral("Class"))),
                                                     yov::nsString(e.value(QStringLiteral("Number"))).toUtf8(),
                                                     callmsg::kNumberTypeDefault};
    }
    status.count = std::int32_t(status.items.size());
    answer(context, callmsg::kMinorForwardStatus, status.encode());
}

void CallSettingsArea::waiting(const yov::UI_MSG &request, ModemContext &context)
{
    const auto r = yov::CallWaitRequest::decode(yov::PayloadReader::ofMsg(request));
    if (r.mode != callmsg::kModeQuery) {
        state_.insert(QStringLiteral("Waiting"), r.enable != 0);
        answer(context, callmsg::kMinorWaitResult);
        return;
    }
    yov::CallWaitStatus status;
    status.items << yov::CallWaitStatus::Item{stateBool(state_, "Waiting", false) ? 1 : 0,
                                              stateInt(state_, "ItemClass", callmsg::kClassVoice)};
    for (const QVariant &extra : yov::nsArray(state_.value(QStringLiteral("ExtraItems")))) {
        const QVariantMap e = yov::nsDict(extra);
        status.items << yov::CallWaitStatus::Item{yov::nsInt(e.value(QStringLiteral("Status"))),
                                                  yov::nsInt(e.value(QStringLiteral("Class")))};
    }
    status.count = std::int32_t(status.items.size());
    answer(context, callmsg::kMinorWaitStatus, status.encode());
}

void CallSettingsArea::barring(const yov::UI_MSG &request, ModemContext &context)
{
    const auto r = yov::CallBarRequest::decode(yov::PayloadReader::ofMsg(request));
    const QString facility = QString::fromLatin1(r.facility);
    QVariantMap all = yov::nsDict(state_.value(QStringLiteral("Barring")));
    if (r.mode == callmsg::kModeQuery) {
        answer(context, callmsg::kMinorBarStatus, yov::CallBarStatus{yov::nsBool(all.value(facility)) ? 1 : 0}.encode());
        return;
    }
    const QByteArray password = stateText(state_, "BarringPassword", QStringLiteral("0000")).toUtf8();
    if (yov::callBarringFacilityIndex(r.facility) < 0 || r.password != password) {
        context.push(makeRecord(callmsg::kMajor, callmsg::kMinorBarResult, 1, kFailed, kCallSettingsModule));
        return;
    }
    all.insert(facility, r.mode == 1);
    state_.insert(QStringLiteral("Barring"), all);
    answer(context, callmsg::kMinorBarResult);
}

} // namespace brannoc
