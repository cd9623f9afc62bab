#include "ostrel/device/service/YspnShow.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace ostrel;

namespace {

template <typename T>
std::function<std::unique_ptr<YspnShowBase>()> make()
{
    return [] { return std::make_unique<T>(); };
}

struct Row {
    const char *label;
    std::function<std::unique_ptr<YspnShowBase>()> create;
    int condition;
    bool homeOrFriendly;
    QString local; // null: never set
    QString home;
    const char *expectLocal;
    const char *expectHome;
};

const QString L = QStringLiteral("Local");
const QString H = QStringLiteral("Home");
const QString E = QStringLiteral("");
const QString N; // null

// Condition bits: 1 the local name is wanted on the home/SPDI networks, 2 the home name is not
// wanted elsewhere.
const Row kRows[] = {
    {"3gpp c0 home", make<YspnShowBy3gpp>(), 0, true, L, H, "", "Home"},
    {"3gpp c1 home", make<YspnShowBy3gpp>(), 1, true, L, H, "Local", "Home"},
    {"3gpp c2 home", make<YspnShowBy3gpp>(), 2, true, L, H, "", "Home"},
    {"3gpp c3 home", make<YspnShowBy3gpp>(), 3, true, L, H, "Local", "Home"},
    {"3gpp c0 away", make<YspnShowBy3gpp>(), 0, false, L, H, "Local", "Home"},
    {"3gpp c1 away", make<YspnShowBy3gpp>(), 1, false, L, H, "Local", "Home"},
    {"3gpp c2 away", make<YspnShowBy3gpp>(), 2, false, L, H, "Local", ""},
    {"3gpp c3 away", make<YspnShowBy3gpp>(), 3, false, L, H, "Local", ""},
    {"3gpp unset names", make<YspnShowBy3gpp>(), 1, false, N, N, "", ""},

    {"replaced c0 home", make<YspnShowBy3gppAndLocalSpnReplacedByHomeSpn>(), 0, true, L, H, "Home", "Home"},
    {"replaced c2 away", make<YspnShowBy3gppAndLocalSpnReplacedByHomeSpn>(), 2, false, L, H, "Home", ""},
    {"replaced no SPN", make<YspnShowBy3gppAndLocalSpnReplacedByHomeSpn>(), 1, false, L, E, "", ""},

    {"local not 3gpp c0 home", make<YshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp>(), 0, true, L, H, "Local", "Home"},
    {"local not 3gpp c2 away", make<YshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp>(), 2, false, L, H, "Local", ""},

    {"no show", make<YnoShowAny>(), 1, true, L, H, "", ""},
    {"no show away", make<YnoShowAny>(), 0, false, L, H, "", ""},

    {"only home", make<YonlyShowHomeSpn>(), 2, false, L, H, "", "Home"},
    {"only home, over local", make<YonlyShowHomeSpnAndHigherPriorityThanLocalSpn>(), 0, true, L, H, "", "Home"},
    {"only home, local instead", make<YonlyShowHomeSpnAndHigherPriorityThanLocalSpn>(), 0, true, L, E, "", "Local"},
    {"only home, neither", make<YonlyShowHomeSpnAndHigherPriorityThanLocalSpn>(), 0, true, N, N, "", ""},

    {"only local", make<YonlyShowLocalSpn>(), 0, true, L, H, "Local", ""},
    {"fixed local", make<YonlyShowFixedLocalSpn>(), 0, false, L, H, "fixed local SPN", ""},
    {"local under home", make<YonlyShowLocalSpnAndlowerPriorityThanHomeSpn>(), 0, true, L, H, "Home", ""},
    {"local under home, no SPN", make<YonlyShowLocalSpnAndlowerPriorityThanHomeSpn>(), 0, true, L, E, "Local", ""},
    {"local over home", make<YonlyShowLocalSpnAndHighPriorityThanHomeSpn>(), 0, true, L, H, "Local", ""},
    {"local over home, empty local", make<YonlyShowLocalSpnAndHighPriorityThanHomeSpn>(), 0, true, E, H, "Home", ""},
    {"local over home, no local", make<YonlyShowLocalSpnAndHighPriorityThanHomeSpn>(), 0, true, N, H, "Home", ""},

    {"base", make<YspnShowBase>(), 2, false, L, H, "Local", "Home"},
    {"base unset", make<YspnShowBase>(), 0, false, N, N, "", ""},
};

TEST(YspnShow, EveryStrategyAsATable)
{
    for (const Row &r : kRows) {
        SCOPED_TRACE(r.label);
        std::unique_ptr<YspnShowBase> s = r.create();
        s->setThe1and2FiledFromSPN(r.condition);
        if (!r.local.isNull())
            s->setLocalSpn(r.local);
        if (!r.home.isNull())
            s->setHomeSpn(r.home);
        const bool homeOrFriendly = r.homeOrFriendly;
        s->setHomeOrFriendlyQuery([homeOrFriendly] { return homeOrFriendly; });
        EXPECT_EQ(s->getLocalSpn(), QString::fromUtf8(r.expectLocal));
        EXPECT_EQ(s->getHomeSpn(), QString::fromUtf8(r.expectHome));
        // Never null: the status area takes the names as they are.
        EXPECT_FALSE(s->getLocalSpn().isNull());
        EXPECT_FALSE(s->getHomeSpn().isNull());
    }
}

TEST(YspnShow, ThreeGppRulesAskTheNetworkWhenTheNamesAreRead)
{
    YspnShowBy3gpp s(QStringLiteral("Home"), QStringLiteral("Local"), 0);
    bool home = false;
    s.setHomeOrFriendlyQuery([&home] { return home; });
    EXPECT_EQ(s.getLocalSpn(), QStringLiteral("Local"));
    home = true;
    EXPECT_EQ(s.getLocalSpn(), QStringLiteral(""));
}

TEST(YspnShow, InitialiserAndRoamType)
{
    YspnShowBase s(QStringLiteral("H"), QStringLiteral("L"), 3);
    EXPECT_EQ(s.getHomeSpn(), QStringLiteral("H"));
    EXPECT_EQ(s.getLocalSpn(), QStringLiteral("L"));
    EXPECT_EQ(s.the1and2FiledFromSPN(), 3);
    s.setRoamType(1);
    EXPECT_EQ(s.roamType(), 1);
}

} // namespace
