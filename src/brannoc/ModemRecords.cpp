#include "brannoc/ModemRecords.h"

#include "common/ValueConversion.h"
#include "common/records/Payload.h"

#include <algorithm>
#include <cstring>

namespace brannoc {

yov::UI_MSG makeRecord(std::uint16_t major, std::uint16_t minor, std::int32_t type, std::int8_t result,
                       std::int32_t module, const QByteArray &payload)
{
    yov::UI_MSG m = yov::zeroMsg();
    m.moduleID = module;
    m.majorID = major;
    m.minorID = minor;
    m.type = type;
    m.result = result;
    const int size = std::min<int>(int(payload.size()), yov::kUiMsgMaxPayload);
    m.dataLength = size;
    if (size > 0)
        std::memcpy(reinterpret_cast<char *>(&m) + yov::kUiMsgDataOffset, payload.constData(), size_t(size));
    return m;
}

QByteArray int32Payload(std::initializer_list<std::int32_t> words)
{
    return yov::int32Words(words);
}

int stateInt(const QVariantMap &state, const char *key, int fallback)
{
    const auto it = state.constFind(QLatin1String(key));
    return it == state.constEnd() ? fallback : yov::nsInt(*it);
}

bool stateBool(const QVariantMap &state, const char *key, bool fallback)
{
    const auto it = state.constFind(QLatin1String(key));
    return it == state.constEnd() ? fallback : yov::nsBool(*it);
}

QString stateText(const QVariantMap &state, const char *key, const QString &fallback)
{
    const auto it = state.constFind(QLatin1String(key));
    return it == state.constEnd() ? fallback : yov::nsString(*it);
}

} // namespace brannoc
