#include "ostrel/sms/service/SmsCapacity.h"

#include "common/ValueConversion.h"
#include "common/sms/SmsBoxCodes.h"

namespace ostrel {

int getNumWithSmsDict(const QVariantMap &message)
{
    if (!yov::nsBool(message.value(QStringLiteral("concatSmsFlag"))))
        return 1;
    const QVariant parts = message.value(QStringLiteral("smsInfo"));
    return parts.typeId() == QMetaType::QVariantList ? int(parts.toList().size()) : 1;
}

int smsPlacesOfList(const QVariantList &messages)
{
    int places = 0;
    for (const QVariant &message : messages)
        places += getNumWithSmsDict(yov::nsDict(message));
    return places;
}

bool isPCDrafBoxMessage(const QVariantMap &message)
{
    return !message.contains(QStringLiteral("smsInfo"));
}

bool isFullWithPosition(int position, const SmsCapacityCounts &c)
{
    switch (position) {
    case yov::sms::kPositionSim:
        return c.simCap != 0 && c.simUsed >= c.simCap;
    case yov::sms::kPositionMe:
        return c.modemCap != 0 && c.modemUsed >= c.modemCap;
    case yov::sms::kPositionPc:
        return c.pcCap <= c.pcStored;
    default:
        return false;
    }
}

SmsRoom roomForPlaces(int position, int places, const SmsCapacityCounts &c)
{
    // 64-bit: capacities come from the device and from files.
    switch (position) {
    case yov::sms::kPositionMe:
        return qint64(places) <= qint64(c.modemCap) - c.modemUsed ? SmsRoom::Enough : SmsRoom::DeviceNotEnough;
    case yov::sms::kPositionSim:
        return qint64(places) <= qint64(c.simCap) - c.simUsed ? SmsRoom::Enough : SmsRoom::SimNotEnough;
    case yov::sms::kPositionPc:
        return qint64(places) < qint64(c.pcCap) - c.pcStored ? SmsRoom::Enough : SmsRoom::DatabaseFull;
    default:
        return SmsRoom::Enough;
    }
}

QString smsRoomAlertText(SmsRoom room)
{
    switch (room) {
    case SmsRoom::DeviceNotEnough:
        return QStringLiteral("Data Card capacity is not enough!");
    case SmsRoom::SimNotEnough:
        return QStringLiteral("Sim card capacity is not enough!");
    case SmsRoom::DatabaseFull:
        return QStringLiteral("DataBase is full,please delete some items.");
    case SmsRoom::Enough:
        break;
    }
    return {};
}

bool smsRoomAllowsStoring(SmsRoom room)
{
    return room == SmsRoom::Enough || room == SmsRoom::DatabaseFull;
}

int pcSmsCapacity(const QVariantMap &smsModule)
{
    return yov::nsInt(yov::nsDict(smsModule.value(QStringLiteral("MaxSMSCountInfo"))).value(QStringLiteral("AT_PC")));
}

} // namespace ostrel
