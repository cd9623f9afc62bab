#include "ostrel/framework/service/YovServiceBase.h"

#include <QMutex>

namespace ostrel {

namespace {
QMutex imsiMutex;
QString &sharedImsi()
{
    static QString value;
    return value;
}
} // namespace

QString YovServiceBase::imsi() const
{
    QMutexLocker lock(&imsiMutex);
    return sharedImsi();
}

void YovServiceBase::setImsi(const QString &imsi)
{
    QMutexLocker lock(&imsiMutex);
    sharedImsi() = imsi;
}

bool YovServiceBase::is2GType(const QString &s)
{
    return s == QLatin1String("GSM") || s == QLatin1String("EDGE") || s == QLatin1String("GPRS") || s == QLatin1String("2G");
}

bool YovServiceBase::is3GType(const QString &s)
{
    return s == QLatin1String("UMTS");
}

bool YovServiceBase::isHType(const QString &s)
{
    return s == QLatin1String("HSDPA") || s == QLatin1String("HSUPA");
}

bool YovServiceBase::isHPlusType(const QString &s)
{
    return s == QLatin1String("HSPA+") || s == QLatin1String("DC-HSPA+");
}

int YovServiceBase::getNetTypeWithNetStr(const QString &netStr)
{
    if (is2GType(netStr))
        return Net2G;
    if (is3GType(netStr))
        return Net3G;
    if (isHType(netStr))
        return NetH;
    if (isHPlusType(netStr))
        return NetHPlus;
    return Net2G;
}

} // namespace ostrel
