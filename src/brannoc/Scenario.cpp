#include "brannoc/Scenario.h"

#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/records/Payload.h"

#include <cstring>
#include <limits>

namespace brannoc {

namespace {

bool inRange(qint64 v, qint64 lo, qint64 hi) { return v >= lo && v <= hi; }

std::optional<ScriptedRecord> parseRecord(const QVariant &value, const QString &where, QString *error)
{
    const auto fail = [&](const QString &why) -> std::optional<ScriptedRecord> {
        if (error)
            *error = where + QStringLiteral(": ") + why;
        return std::nullopt;
    };
    if (value.typeId() != QMetaType::QVariantMap)
        return fail(QStringLiteral("a record must be a dictionary"));
    const QVariantMap d = value.toMap();
    ScriptedRecord r;
    const auto id = [&](const char *key, std::optional<std::uint16_t> &out) {
        if (!d.contains(QLatin1String(key)))
            return true;
        const qint64 v = yov::nsLongLong(d.value(QLatin1String(key)));
        if (!inRange(v, 0, 65535))
            return false;
        out = std::uint16_t(v);
        return true;
    };
    if (!id("Major", r.major) || !id("Minor", r.minor))
        return fail(QStringLiteral("Major and Minor must be 0 to 65535"));
    r.type = yov::nsInt(d.value(QStringLiteral("Type")));
    const qint64 result = yov::nsLongLong(d.value(QStringLiteral("Result")));
    if (!inRange(result, -128, 255))
        return fail(QStringLiteral("Result must fit in one byte"));
    r.result = std::int8_t(std::uint8_t(result & 0xff));
    r.module = d.contains(QStringLiteral("Module")) ? yov::nsInt(d.value(QStringLiteral("Module"))) : 1;
    r.marker = yov::nsInt(d.value(QStringLiteral("Marker")));
    r.platformFlag = yov::nsBool(d.value(QStringLiteral("PlatformFlag")));

    if (d.contains(QStringLiteral("Int32"))) {
        const QVariantList ints = yov::nsArray(d.value(QStringLiteral("Int32")));
        if (ints.size() * 4 > yov::kUiMsgDataSize)
            return fail(QStringLiteral("Int32 holds more than the data field"));
        yov::PayloadWriter w(int(ints.size() * 4));
        for (int i = 0; i < ints.size(); ++i)
            w.setInt32(i * 4, std::int32_t(yov::nsLongLong(ints[i])));
        r.payload = w.data();
    } else if (d.contains(QStringLiteral("Data"))) {
        r.payload = d.value(QStringLiteral("Data")).toByteArray();
    } else if (d.contains(QStringLiteral("Text"))) {
        r.payload = yov::nsString(d.value(QStringLiteral("Text"))).toUtf8() + '\0';
    }
    if (r.payload.size() > yov::kUiMsgMaxPayload)
        return fail(QStringLiteral("payload longer than %1 bytes").arg(yov::kUiMsgMaxPayload));
    if (d.contains(QStringLiteral("Length")))
        r.length = yov::nsInt(d.value(QStringLiteral("Length")));
    return r;
}

bool parseRecords(const QVariant &value, const QString &where, QList<ScriptedRecord> &out, QString *error)
{
    if (!value.isValid())
        return true;
    if (value.typeId() != QMetaType::QVariantList) {
        if (error)
            *error = where + QStringLiteral(": must be an array");
        return false;
    }
    const QVariantList list = value.toList();
    for (int i = 0; i < list.size(); ++i) {
        auto r = parseRecord(list[i], QStringLiteral("%1[%2]").arg(where).arg(i), error);
        if (!r)
            return false;
        out << *r;
    }
    return true;
}

} // namespace

yov::UI_MSG ScriptedRecord::build(std::uint16_t requestMajor, std::uint16_t requestMinor) const
{
    yov::UI_MSG m = yov::zeroMsg();
    m.marker = marker;
    m.moduleID = module;
    m.majorID = major.value_or(requestMajor);
    m.minorID = minor.value_or(requestMinor);
    m.type = type;
    m.result = result;
    m.dataLength = length.value_or(std::int32_t(payload.size()));
    if (!payload.isEmpty())
        std::memcpy(reinterpret_cast<char *>(&m) + yov::kUiMsgDataOffset, payload.constData(), size_t(payload.size()));
    if (platformFlag)
        m.tail[2] = '1';
    return m;
}

const ScriptedReply *Scenario::replyFor(const yov::UI_MSG &request) const
{
    for (const ScriptedReply &r : replies)
        if (r.major == request.majorID && r.minor == request.minorID && (!r.type || *r.type == request.type))
            return &r;
    return nullptr;
}

std::optional<Scenario> Scenario::fromVariant(const QVariant &root, QString *error)
{
    if (root.typeId() != QMetaType::QVariantMap) {
        if (error)
            *error = QStringLiteral("a scenario must be a dictionary");
        return std::nullopt;
    }
    const QVariantMap d = root.toMap();
    Scenario s;
    if (d.contains(QStringLiteral("StartupDelayMs")))
        s.startupDelayMs = qBound(0, yov::nsInt(d.value(QStringLiteral("StartupDelayMs"))), 60000);
    s.modem = yov::nsDict(d.value(QStringLiteral("Modem")));
    if (!parseRecords(d.value(QStringLiteral("Startup")), QStringLiteral("Startup"), s.startup, error))
        return std::nullopt;
    const QVariant replies = d.value(QStringLiteral("Replies"));
    if (replies.isValid() && replies.typeId() != QMetaType::QVariantList) {
        if (error)
            *error = QStringLiteral("Replies: must be an array");
        return std::nullopt;
    }
    const QVariantList list = replies.toList();
    for (int i = 0; i < list.size(); ++i) {
        const QString where = QStringLiteral("Replies[%1]").arg(i);
        const QVariantMap r = yov::nsDict(list[i]);
        const qint64 major = yov::nsLongLong(r.value(QStringLiteral("Major")));
        const qint64 minor = yov::nsLongLong(r.value(QStringLiteral("Minor")));
        if (!r.contains(QStringLiteral("Major")) || !r.contains(QStringLiteral("Minor")) || !inRange(major, 0, 65535)
            || !inRange(minor, 0, 65535)) {
            if (error)
                *error = where + QStringLiteral(": needs Major and Minor of 0 to 65535");
            return std::nullopt;
        }
        ScriptedReply reply;
        reply.major = std::uint16_t(major);
        reply.minor = std::uint16_t(minor);
        if (r.contains(QStringLiteral("Type")))
            reply.type = yov::nsInt(r.value(QStringLiteral("Type")));
        if (!parseRecords(r.value(QStringLiteral("Records")), where + QStringLiteral(".Records"), reply.records, error))
            return std::nullopt;
        s.replies << reply;
    }
    return s;
}

std::optional<Scenario> Scenario::load(const QString &path, QString *error)
{
    QString why;
    const auto root = yov::PlistBridge::readFile(path, &why);
    if (!root) {
        if (error)
            *error = why;
        return std::nullopt;
    }
    auto s = fromVariant(*root, &why);
    if (!s && error)
        *error = path + QStringLiteral(": ") + why;
    return s;
}

} // namespace brannoc
