#pragma once
// The operator-name display strategies. Each takes the registered network's name (local name),
// the SIM's service provider name (home name), the EF_SPN display condition and the roaming type,
// and tells the status area which of the two names to show. InitService chooses one by the
// operator configuration and loads it with the current names.

#include <QString>

#include <functional>

namespace ostrel {

class YspnShowProtocol {
public:
    virtual ~YspnShowProtocol() = default;
    virtual void setThe1and2FiledFromSPN(int condition) = 0;
    virtual void setHomeSpn(const QString &homeSpn) = 0;
    virtual void setLocalSpn(const QString &localSpn) = 0;
    virtual QString getLocalSpn() const = 0;
    virtual QString getHomeSpn() const = 0;
};

class YspnShowBase : public YspnShowProtocol {
public:
    YspnShowBase() = default;
    // initWithSpnFromSimcard:withLocalSpn:withSpnField:
    YspnShowBase(const QString &spnFromSimcard, const QString &localSpn, int spnField);

    // The class name, for diagnostics and tests.
    virtual const char *className() const { return "YspnShowBase"; }

    void setThe1and2FiledFromSPN(int condition) override { the1and2FiledFromSPN_ = condition; }
    int the1and2FiledFromSPN() const { return the1and2FiledFromSPN_; }
    void setHomeSpn(const QString &homeSpn) override { homeSpn_ = homeSpn; }
    void setLocalSpn(const QString &localSpn) override { localSpn_ = localSpn; }
    void setRoamType(int roamType) { roamType_ = roamType; }
    int roamType() const { return roamType_; }

    // The stored name, or "" when there is none.
    QString getLocalSpn() const override;
    QString getHomeSpn() const override;

    // Whether the registered network is the home network or one of the SIM's SPDI networks; the
    // 3GPP rules ask it when the names are read. Unset: not home.
    void setHomeOrFriendlyQuery(std::function<bool()> query) { homeOrFriendly_ = std::move(query); }

protected:
    bool isHomeOrFriendly() const { return homeOrFriendly_ && homeOrFriendly_(); }
    // The stored names as they were set (null when never set).
    const QString &storedLocalSpn() const { return localSpn_; }
    const QString &storedHomeSpn() const { return homeSpn_; }
    // EF_SPN display condition bit 1: the registered network's name is wanted on the home and SPDI
    // networks. Bit 2: the service provider name is not wanted on other networks.
    bool localNameWantedAtHome() const { return (the1and2FiledFromSPN_ & 0x01) != 0; }
    bool homeNameNotWantedAway() const { return (the1and2FiledFromSPN_ & 0x02) != 0; }

private:
    int the1and2FiledFromSPN_ = 0;
    QString localSpn_;
    QString homeSpn_;
    int roamType_ = 0;
    std::function<bool()> homeOrFriendly_;
};

// The 3GPP rules: the local name is left out on the home and SPDI networks unless the display
// condition asks for it; the home name is left out on other networks when the condition says so.
class YspnShowBy3gpp : public YspnShowBase {
public:
    using YspnShowBase::YspnShowBase;
    const char *className() const override { return "YspnShowBy3gpp"; }
    QString getLocalSpn() const override;
    QString getHomeSpn() const override;
};

// As the 3GPP rules, the local name replaced by the home name.
class YspnShowBy3gppAndLocalSpnReplacedByHomeSpn : public YspnShowBy3gpp {
public:
    using YspnShowBy3gpp::YspnShowBy3gpp;
    const char *className() const override { return "YspnShowBy3gppAndLocalSpnReplacedByHomeSpn"; }
    QString getLocalSpn() const override;
};

// The home name by the 3GPP rules, the local name always.
class YshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp : public YspnShowBy3gpp {
public:
    using YspnShowBy3gpp::YspnShowBy3gpp;
    const char *className() const override { return "YshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp"; }
    QString getLocalSpn() const override;
};

class YnoShowAny : public YspnShowBase {
public:
    using YspnShowBase::YspnShowBase;
    const char *className() const override { return "YnoShowAny"; }
    QString getLocalSpn() const override;
    QString getHomeSpn() const override;
};

class YonlyShowHomeSpn : public YspnShowBase {
public:
    using YspnShowBase::YspnShowBase;
    const char *className() const override { return "YonlyShowHomeSpn"; }
    QString getLocalSpn() const override;
};

// The home name, or the local name when there is no home name.
class YonlyShowHomeSpnAndHigherPriorityThanLocalSpn : public YonlyShowHomeSpn {
public:
    using YonlyShowHomeSpn::YonlyShowHomeSpn;
    const char *className() const override { return "YonlyShowHomeSpnAndHigherPriorityThanLocalSpn"; }
    QString getHomeSpn() const override;
};

class YonlyShowLocalSpn : public YspnShowBase {
public:
    using YspnShowBase::YspnShowBase;
    const char *className() const override { return "YonlyShowLocalSpn"; }
    QString getHomeSpn() const override;
};

// The localisation key "fixed local SPN" as the local name (resolved where it is shown).
class YonlyShowFixedLocalSpn : public YonlyShowLocalSpn {
public:
    using YonlyShowLocalSpn::YonlyShowLocalSpn;
    const char *className() const override { return "YonlyShowFixedLocalSpn"; }
    QString getLocalSpn() const override;
};

// The home name in the local name's place when there is one, else the local name.
class YonlyShowLocalSpnAndlowerPriorityThanHomeSpn : public YonlyShowLocalSpn {
public:
    using YonlyShowLocalSpn::YonlyShowLocalSpn;
    const char *className() const override { return "YonlyShowLocalSpnAndlowerPriorityThanHomeSpn"; }
    QString getLocalSpn() const override;
};

// The local name, or the home name when there is no local name.
class YonlyShowLocalSpnAndHighPriorityThanHomeSpn : public YonlyShowLocalSpn {
public:
    using YonlyShowLocalSpn::YonlyShowLocalSpn;
    const char *className() const override { return "YonlyShowLocalSpnAndHighPriorityThanHomeSpn"; }
    QString getLocalSpn() const override;
};

} // namespace ostrel
