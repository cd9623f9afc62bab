#include "brannoc/DeviceStateArea.h"

#include "common/ValueConversion.h"
#include "common/records/Payload.h"

#include <cstring>

namespace brannoc {

namespace {
int intOr(const QVariantMap &m, const char *key, int fallback)
{
    return m.contains(QLatin1String(key)) ? yov::nsInt(m.value(QLatin1String(key))) : fallback;
}
bool boolOr(const QVariantMap &m, const char *key, bool fallback)
{
    return m.contains(QLatin1String(key)) ? yov::nsBool(m.value(QLatin1String(key))) : fallback;
}
} // namespace

void DeviceStateArea::load(const QVariantMap &state)
{
    deviceMode_ = intOr(state, "DeviceMode", 3);
    simPresent_ = boolOr(state, "SimPresent", true);
    simStatus_ = intOr(state, "SimStatus", 1);
    pinReady_ = boolOr(state, "PinReady", true);
    pinRemain_ = intOr(state, "PinRemain", 3);
    pukRemain_ = intOr(state, "PukRemain", 10);
}

yov::UI_MSG DeviceStateArea::report(std::uint16_t major, std::uint16_t minor, std::int32_t type, std::int8_t result,
                                    std::initializer_list<std::int32_t> ints)
{
    yov::UI_MSG m = yov::zeroMsg();
    m.moduleID = 1;
    m.majorID = major;
    m.minorID = minor;
    m.type = type;
    m.result = result;
    yov::PayloadWriter w(int(ints.size()) * 4);
    int at = 0;
    for (std::int32_t v : ints) {
        w.setInt32(at, v);
        at += 4;
    }
    m.dataLength = w.data().size();
    if (!w.data().isEmpty())
        std::memcpy(m.data, w.data().constData(), size_t(w.data().size()));
    return m;
}

void DeviceStateArea::startup(ModemContext &context)
{
    context.push(report(1, 0, 0, 0));
    context.push(report(3, 5, 0, 0, {deviceMode_}));
    if (simPresent_)
        context.push(report(6, 32, 0, 0, {simStatus_}));
    else
        context.push(report(6, 32, 0, -1, {-1}));
    if (!simPresent_)
        return;
    if (pinReady_)
        context.push(report(4, 9, 0, 0));
    context.push(report(4, 8, 1, 0, {pinRemain_, pukRemain_}));
}

bool DeviceStateArea::handleRequest(const yov::UI_MSG &request, ModemContext &context)
{
    if (request.majorID == 3 && (request.minorID == 3 || request.minorID == 4)) {
        online_ = request.minorID == 3;
        context.push(report(3, request.minorID, request.type, 0));
        return true;
    }
    return false;
}

} // namespace brannoc
