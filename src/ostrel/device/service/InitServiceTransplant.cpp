#include "ostrel/device/service/InitServiceTransplant.h"

#include "ostrel/device/service/MccMnc.h"
#include "ostrel/device/service/SimFileDecoder.h"

#include <QMutexLocker>

namespace ostrel {

InitServiceTransplant *InitServiceTransplant::sharedInitServiceTransplant()
{
    static InitServiceTransplant *instance = new InitServiceTransplant;
    return instance;
}

void InitServiceTransplant::doParseEF_SPN(const QByteArray &hexText)
{
    spnStr_ = QLatin1String("");
    const simfile::SpnContents spn = simfile::decodeEF_SPN(hexText);
    if (!spn.hasCondition)
        return;
    condForSPN_ = spn.displayCondition;
    if (spn.name)
        spnStr_ = *spn.name;
}

std::optional<QString> InitServiceTransplant::decodeAlphaIdInSPN(const QByteArray &bytes)
{
    return simfile::decodeAlphaIdInSPN(bytes);
}

void InitServiceTransplant::doParseEF_SPDI(const QByteArray &hexText)
{
    const QStringList list = decodeSpPLMNList(hexText);
    QMutexLocker lock(&pModuleMapsDictLock_);
    for (const QString &plmn : list) {
        const QString key = mccmnc::moduleMapKey(plmn);
        if (!key.isEmpty())
            moduleMapsDict_.insert(key, plmn);
    }
}

QStringList InitServiceTransplant::decodeSpPLMNList(const QByteArray &hexText)
{
    return simfile::decodeEF_SPDI(hexText);
}

void InitServiceTransplant::doParseEF_ICCID(const QByteArray &hexText)
{
    iccidStr_ = decodeICCID(hexText);
}

QString InitServiceTransplant::decodeICCID(const QByteArray &hexText)
{
    return simfile::decodeICCID(hexText);
}

QVariant InitServiceTransplant::isHomeOrFriendly(const QString &mccmnc) const
{
    const QString key = mccmnc::moduleMapKey(mccmnc);
    if (key.isEmpty())
        return {};
    QMutexLocker lock(&pModuleMapsDictLock_);
    return moduleMapsDict_.value(key);
}

QVariantMap InitServiceTransplant::moduleMapsDict() const
{
    QMutexLocker lock(&pModuleMapsDictLock_);
    return moduleMapsDict_;
}

} // namespace ostrel
