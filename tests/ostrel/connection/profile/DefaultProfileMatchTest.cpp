// The keys looked up in the operator table, the profiles a table value names, and the rewrite of
// the head of the profile list.
#include "ostrel/connection/profile/DefaultProfileMatch.h"

#include <gtest/gtest.h>

using namespace ostrel;

namespace {

QVariantMap matchNamed(const QString &name) { return {{QStringLiteral("provider"), name}}; }

QStringList matchNamesOf(const QList<QVariantMap> &profiles)
{
    QStringList names;
    for (const QVariantMap &p : profiles)
        names.append(p.value(QStringLiteral("provider")).toString());
    return names;
}

QList<QVariantMap> matchProfilesNamed(const QStringList &names)
{
    QList<QVariantMap> profiles;
    for (const QString &n : names)
        profiles.append(matchNamed(n));
    return profiles;
}

} // namespace

TEST(DefaultProfileMatch, NetworkKeysInTheOrderTheyAreTried)
{
    struct Case {
        const char *mcc;
        const char *mnc;
        QStringList keys;
    };
    const Case cases[] = {
        {"404", "45", {"40445", "404045", "NULL"}},
        {"310", "410", {"310410", "NULL"}}, // a 3-digit MNC never tries MCC x 100
        {"502", "13", {"50213", "502013", "NULL"}},
        {"502", "03", {"50203", "502003", "NULL"}}, // "03" counts as 3
        // The IMSI road hands the whole IMSI over as the MCC: 64 bits hold it.
        {"001010123456789", "", {"101012345678900", "1010123456789000", "NULL"}},
        // A number beyond 64 bits gives no key of its own, only the fallback.
        {"92233720368547758070", "1", {"NULL"}},
        {"9223372036854776", "01", {"922337203685477601", "NULL"}}, // x 1000 would overflow
    };
    for (const Case &c : cases)
        EXPECT_EQ(networkKeysForMccMnc(QString::fromLatin1(c.mcc), QString::fromLatin1(c.mnc)), c.keys)
            << c.mcc << "/" << c.mnc;
}

TEST(DefaultProfileMatch, ImsiPrefixesFromEightDownToFourWithinTheImsi)
{
    EXPECT_EQ(imsiPrefixKeys(QStringLiteral("460001234567890")),
              (QStringList{"46000123", "4600012", "460001", "46000", "4600"}));
    EXPECT_EQ(imsiPrefixKeys(QStringLiteral("460001")), (QStringList{"460001", "46000", "4600"}));
    EXPECT_TRUE(imsiPrefixKeys(QStringLiteral("460")).isEmpty());
    EXPECT_TRUE(imsiPrefixKeys(QString()).isEmpty());
}

TEST(DefaultProfileMatch, TableValuesNameProfilesAndBadEntriesAreSkipped)
{
    const QVariantList table{matchNamed("d0"), matchNamed("d1"), QStringLiteral("not a dictionary"), matchNamed("d3"), matchNamed("d4")};
    struct Case {
        const char *what;
        QVariant value;
        QStringList names;
    };
    const Case cases[] = {
        {"one number", qint64(3), {"d3"}},
        {"an array in its order", QVariantList{qint64(3), qint64(1)}, {"d3", "d1"}},
        {"an index beyond the table", QVariantList{qint64(9), qint64(0)}, {"d0"}},
        {"a negative index", QVariantList{qint64(-1), qint64(4)}, {"d4"}},
        {"an entry that is not a dictionary", QVariantList{qint64(2), qint64(4)}, {"d4"}},
        {"a text", QStringLiteral("3"), {}},
        {"an array with a text", QVariantList{qint64(3), QStringLiteral("1")}, {}},
        {"a dictionary", QVariantMap{{QStringLiteral("a"), 1}}, {}},
        {"a boolean", true, {}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(matchNamesOf(profilesOfTableValue(c.value, table, QStringLiteral("key"))), c.names) << c.what;
}

TEST(DefaultProfileMatch, SingleProfileRoadsTakeTheFirstIndex)
{
    EXPECT_EQ(singleIndexOf(qint64(2), QStringLiteral("k")), 2);
    EXPECT_EQ(singleIndexOf(QVariantList{qint64(5), qint64(1)}, QStringLiteral("k")), 5);
    EXPECT_EQ(singleIndexOf(QVariantList{}, QStringLiteral("k")), std::nullopt);
    EXPECT_EQ(singleIndexOf(qint64(-3), QStringLiteral("k")), std::nullopt);
    EXPECT_EQ(singleIndexOf(QStringLiteral("x"), QStringLiteral("k")), std::nullopt);
}

TEST(DefaultProfileMatch, RewriteReplacesTheDefaultsAtTheHead)
{
    const QList<QVariantMap> list = matchProfilesNamed({"old1", "old2", "old3", "user1", "user2"});
    struct Case {
        const char *what;
        int defaults;
        QStringList matched;
        MatchedOrder order;
        DefaultsBeyondList beyond;
        std::optional<QStringList> result;
    };
    const Case cases[] = {
        {"three defaults, one match", 3, {"new1"}, MatchedOrder::AsGiven, DefaultsBeyondList::ReplaceWholeList,
         QStringList{"new1", "user1", "user2"}},
        {"two matches in order", 3, {"n3", "n1"}, MatchedOrder::AsGiven, DefaultsBeyondList::ReplaceWholeList,
         QStringList{"n3", "n1", "user1", "user2"}},
        {"two matches reversed", 3, {"n3", "n1"}, MatchedOrder::Reversed, DefaultsBeyondList::LeaveList,
         QStringList{"n1", "n3", "user1", "user2"}},
        {"no defaults yet", 0, {"n"}, MatchedOrder::AsGiven, DefaultsBeyondList::ReplaceWholeList,
         QStringList{"n", "old1", "old2", "old3", "user1", "user2"}},
        {"more defaults than profiles", 9, {"n"}, MatchedOrder::AsGiven, DefaultsBeyondList::ReplaceWholeList,
         QStringList{"n"}},
        {"more defaults than profiles, left", 9, {"n"}, MatchedOrder::Reversed, DefaultsBeyondList::LeaveList,
         std::nullopt},
        {"exactly all defaults, left", 5, {"n"}, MatchedOrder::Reversed, DefaultsBeyondList::LeaveList,
         QStringList{"n"}},
        {"nothing matched", 3, {}, MatchedOrder::AsGiven, DefaultsBeyondList::ReplaceWholeList, std::nullopt},
        {"a negative count", -2, {"n"}, MatchedOrder::AsGiven, DefaultsBeyondList::ReplaceWholeList,
         QStringList{"n", "old1", "old2", "old3", "user1", "user2"}},
    };
    for (const Case &c : cases) {
        const auto result = replaceDefaultProfiles(list, c.defaults, matchProfilesNamed(c.matched), c.order, c.beyond);
        ASSERT_EQ(result.has_value(), c.result.has_value()) << c.what;
        if (result) {
            EXPECT_EQ(matchNamesOf(*result), *c.result) << c.what;
        }
    }
}
