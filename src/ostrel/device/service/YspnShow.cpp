#include "ostrel/device/service/YspnShow.h"

namespace ostrel {

namespace {

QString orEmpty(const QString &name)
{
    return name.isNull() ? QString(QLatin1String("")) : name;
}

const QString &emptyName()
{
    static const QString empty(QLatin1String(""));
    return empty;
}

} // namespace

YspnShowBase::YspnShowBase(const QString &spnFromSimcard, const QString &localSpn, int spnField)
    : the1and2FiledFromSPN_(spnField)
    , localSpn_(localSpn)
    , homeSpn_(spnFromSimcard)
{
}

QString YspnShowBase::getLocalSpn() const { return orEmpty(localSpn_); }
QString YspnShowBase::getHomeSpn() const { return orEmpty(homeSpn_); }

QString YspnShowBy3gpp::getLocalSpn() const
{
    if (!localNameWantedAtHome() && isHomeOrFriendly())
        return emptyName();
    return YspnShowBase::getLocalSpn();
}

QString YspnShowBy3gpp::getHomeSpn() const
{
    if (homeNameNotWantedAway() && !isHomeOrFriendly())
        return emptyName();
    return YspnShowBase::getHomeSpn();
}

QString YspnShowBy3gppAndLocalSpnReplacedByHomeSpn::getLocalSpn() const
{
    return orEmpty(storedHomeSpn());
}

QString YshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp::getLocalSpn() const
{
    return YspnShowBase::getLocalSpn();
}

QString YnoShowAny::getLocalSpn() const { return emptyName(); }
QString YnoShowAny::getHomeSpn() const { return emptyName(); }

QString YonlyShowHomeSpn::getLocalSpn() const { return emptyName(); }

QString YonlyShowHomeSpnAndHigherPriorityThanLocalSpn::getHomeSpn() const
{
    return storedHomeSpn().isEmpty() ? orEmpty(storedLocalSpn()) : storedHomeSpn();
}

QString YonlyShowLocalSpn::getHomeSpn() const { return emptyName(); }

QString YonlyShowFixedLocalSpn::getLocalSpn() const { return QStringLiteral("fixed local SPN"); }

QString YonlyShowLocalSpnAndlowerPriorityThanHomeSpn::getLocalSpn() const
{
    return storedHomeSpn().isEmpty() ? orEmpty(storedLocalSpn()) : storedHomeSpn();
}

QString YonlyShowLocalSpnAndHighPriorityThanHomeSpn::getLocalSpn() const
{
    return storedLocalSpn().isEmpty() ? orEmpty(storedHomeSpn()) : storedLocalSpn();
}

} // namespace ostrel
