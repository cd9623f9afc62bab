#include "brannoc/ModemRecords.h"

#include "common/ValueConversion.h"
#include "common/records/MessageCatalogue.h"
#include "common/records/Payload.h"

#include <QLoggingCategory>

#include <algorithm>
#include <cstring>

Q_DECLARE_LOGGING_CATEGORY(lcBrannoc)

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
    const int catalogued = yov::answerPayloadSize(major, minor);
    const int size = catalogued == yov::kAnyAnswerSize ? std::min<int>(int(payload.size()), yov::kUiMsgMaxPayload)
                                                       : catalogued;
    if (payload.size() > size)
        qCWarning(lcBrannoc).noquote() << QStringLiteral("record %1/%2: a payload of %3 bytes cut to the catalogued %4")
                                              .arg(major)
                                              .arg(minor)
                                              .arg(payload.size())
                                              .arg(size);
    m.dataLength = size;
    const int copied = std::min<int>(int(payload.size()), size);
    if (copied > 0)
        std::memcpy(reinterpret_cast<char *>(&m) + yov::kUiMsgDataOffset, payload.constData(), size_t(copied));
    return m;
}

yov::PayloadWriter answerPayload(std::uint16_t major, std::uint16_t minor)
{
    return yov::PayloadWriter(std::max(0, yov::answerPayloadSize(major, minor)));
}

QByteArray textAnswer(std::uint16_t major, std::uint16_t minor, const QByteArray &text)
{
    yov::PayloadWriter w = answerPayload(major, minor);
    w.setText(0, w.data().size(), text);
    return w.data();
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
