// The "Network" panel's tables and rules without widgets: modes, reports, search mode, band
// matrix, band report, device information, roaming identity and the roaming requests.
#include "ostrel/settings/NetworkModeTables.h"
#include "ostrel/settings/RoamSwitchTracker.h"

#include <QVariantList>
#include <QVariantMap>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace ostrel::netmode;

TEST(NetworkTablesTest, ModeTagsNamesAndDeviceCodes)
{
    const struct {
        int tag;
        int code;
        const char *title;
        const char *name;
        const char *diagnostics;
    } cases[] = {
        {0, 0, "2G Only", "Only2G", "2G Only"},      {1, 1, "3G Only", "Only3G", "3G Only"},
        {2, 3, "2G Preferred", "2GPref", "2G Preferred"}, {3, 2, "3G Preferred", "3GPref", "3G Preferred"},
        {4, 2, "Automatic", "", "2G Only"},         {-1, 2, "", "", "2G Only"},
        {7, 2, "", "", "2G Only"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(deviceCodeOfTag(c.tag), c.code) << c.tag;
        EXPECT_EQ(titleOfTag(c.tag), QLatin1String(c.title)) << c.tag;
        EXPECT_EQ(selectNameOfTag(c.tag), QLatin1String(c.name)) << c.tag;
        EXPECT_EQ(findModeSelectionTitle(c.tag), QLatin1String(c.diagnostics)) << c.tag;
    }
}

TEST(NetworkTablesTest, OfferedModesFollowNetworkSelectMode)
{
    EXPECT_EQ(offeredModeTags(QVariantList{"3GPref", "Only2G"}), (QList<int>{0, 3}));
    EXPECT_EQ(offeredModeTags(QVariant()), (QList<int>{0, 1, 2, 3}));
    EXPECT_EQ(offeredModeTags(QVariantList{}), QList<int>{});
}

TEST(NetworkTablesTest, ModeReportSelectsTheTableRow)
{
    const struct {
        int selected, pref, mode;
        std::optional<int> tag;
    } cases[] = {
        {0, 7, 1, 0}, {0, 7, 2, 1}, {0, 1, 0, 2}, {0, 0, 0, 3}, {0, 2, 0, 3}, {1, 1, 9, 2}, {1, 2, 9, 3},
        {1, 0, 0, 3}, {1, 0, 1, 0}, {1, 0, 2, 1}, {1, 0, 5, std::nullopt}, {0, 3, 0, std::nullopt},
        {0, 0, 5, std::nullopt}, {2, 0, 0, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tagOfModeReport(c.selected, c.pref, c.mode), c.tag) << c.selected << c.pref << c.mode;
}

TEST(NetworkTablesTest, IceraModeReportAndItsSwitch)
{
    const struct {
        int mode;
        bool sw, stored;
        int tag;
    } cases[] = {
        {0, false, false, 0}, {1, false, false, 1}, {2, false, false, 2}, {5, false, false, 3},
        {0, true, true, 3},   {0, true, false, 0},  {0, false, true, 0},  {1, true, true, 1},
    };
    for (const auto &c : cases)
        EXPECT_EQ(tagOfIceraModeReport(c.mode, c.sw, c.stored), c.tag) << c.mode << c.sw << c.stored;
}

TEST(NetworkTablesTest, CdmaValues)
{
    EXPECT_EQ(cdmaValueOfTag(0), 8);
    EXPECT_EQ(cdmaValueOfTag(1), 2);
    EXPECT_EQ(cdmaValueOfTag(2), 4);
    EXPECT_EQ(cdmaValueOfTag(3), 0);
    EXPECT_EQ(cdmaTagOfValue(8), 0);
    EXPECT_EQ(cdmaTagOfValue(2), 1);
    EXPECT_EQ(cdmaTagOfValue(4), 2);
    EXPECT_EQ(cdmaTagOfValue(1), std::nullopt);
}

TEST(NetworkTablesTest, SearchModeBySwitchAndSend)
{
    using S = SearchSend;
    const struct {
        SearchModeSwitches sw;
        S send;
        int tag;
        int mode;
    } cases[] = {
        {{}, S::ModeChange, 1, 1},
        {{}, S::ManualSearch, 2, 2},
        {{}, S::BackToAuto, 4, 4},
        {{true, false, false, false}, S::ModeChange, 1, 3},
        {{true, false, true, false}, S::BackToAuto, 1, 3},
        {{false, true, false, false}, S::ManualSearch, 1, 3},
        {{false, true, false, false}, S::ModeChange, 1, 1},
        {{false, false, true, false}, S::BackToAuto, 1, 4},
        {{false, false, true, false}, S::ModeChange, 1, 1},
        {{false, false, true, false}, S::ManualSearch, 1, 1},
        {{false, false, false, true}, S::ModeChange, 3, 0},
        {{false, false, false, true}, S::ManualSearch, 3, 0},
        {{false, false, false, true}, S::ModeChange, 2, 2},
        {{false, true, false, true}, S::ManualSearch, 3, 3},
    };
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(searchModeFor(cases[i].sw, cases[i].send, cases[i].tag), cases[i].mode) << i;
}

TEST(NetworkTablesTest, FrequencyTags)
{
    EXPECT_EQ(getFrequencyTag(QStringLiteral("UMTS_900_GSM_850_900_1800_1900")), 8);
    EXPECT_EQ(getFrequencyTag(QStringLiteral("UMTS_850_1900_2100")), 0);
    EXPECT_EQ(getFrequencyTag(QStringLiteral("UMTS_1900_GSM_850_900_1800_1900")), 10);
    EXPECT_EQ(getFrequencyTag(QStringLiteral("UMTS_900")), -1);
    EXPECT_EQ(getFrequencyTag(QStringLiteral("umts_850_1900_2100")), -1);
}

namespace {
QVariantMap bandEntry(const char *frequency, int index, bool isDefault = false)
{
    return {{"Frequency", QLatin1String(frequency)}, {"Title", QLatin1String(frequency)}, {"Index", index},
            {"IsDefault", isDefault}};
}
} // namespace

TEST(NetworkTablesTest, BandMatrixFromFrequencySetting)
{
    // Missing, empty and short arrays hide the box.
    EXPECT_FALSE(bandMatrixLayout(QVariant(), 5).shown);
    EXPECT_FALSE(bandMatrixLayout(QVariantList{}, 5).shown);
    QVariantList four;
    for (int i = 0; i < 4; ++i)
        four << bandEntry(kNetworkFrequencyString[i], i);
    EXPECT_FALSE(bandMatrixLayout(four, 5).shown);

    // Index differs from the position: the default entry's own row is selected.
    const QVariantList reordered{bandEntry("UMTS_850_GSM_900_1800", 2), bandEntry("UMTS_2100_GSM_900_1800", 0, true),
                                 bandEntry("UMTS_850_1900_2100", 1)};
    const BandMatrixLayout l = bandMatrixLayout(reordered, 3);
    ASSERT_TRUE(l.shown);
    EXPECT_EQ(l.selectedRow, 0);
    ASSERT_EQ(l.cells.size(), 3);
    EXPECT_EQ(l.cells[0].row, 2);
    EXPECT_EQ(l.cells[0].tag, 1);
    EXPECT_EQ(l.cells[1].row, 0);
    EXPECT_EQ(l.cells[1].tag, 2);

    // An unknown name: tag -1, the cell disabled; no default selects row 0.
    const QVariantList unknown{bandEntry("UMTS_850_1900_2100", 0), bandEntry("UMTS_9999", 1)};
    const BandMatrixLayout u = bandMatrixLayout(unknown, 2);
    ASSERT_TRUE(u.shown);
    EXPECT_EQ(u.selectedRow, 0);
    EXPECT_EQ(u.cells[1].tag, -1);
    EXPECT_FALSE(u.cells[1].enabled);
    EXPECT_TRUE(u.cells[0].enabled);
}

TEST(NetworkTablesTest, BandReportAndDeviceInformation)
{
    EXPECT_EQ(bandReportTag(1, 3, 4, 5), 5);
    EXPECT_EQ(bandReportTag(1, 3, 4, 0), 0);
    EXPECT_EQ(bandReportTag(1, 2, 4, 5), std::nullopt);
    EXPECT_EQ(bandReportTag(0, 3, 4, 5), std::nullopt);
    EXPECT_EQ(bandReportTag(1, 3, 2, 5), std::nullopt);

    EXPECT_EQ(connectTypeOfNetDeviceInfo(1, 8, 1), 1);
    EXPECT_EQ(connectTypeOfNetDeviceInfo(1, 8, 0), 0);
    EXPECT_EQ(connectTypeOfNetDeviceInfo(1, 4, 0), std::nullopt);
    EXPECT_EQ(connectTypeOfNetDeviceInfo(2, 8, 1), std::nullopt);
}

TEST(NetworkTablesTest, RoamingIdentityOfTheImsi)
{
    const QStringList home{"46000", "40467"};
    const QStringList roaming{"40467", "23415"};
    const struct {
        const char *imsi;
        const char *iccid;
        std::optional<int> tag;
    } cases[] = {
        {"404671234567890", "89916712345", 0}, // "67" there: looked up, in both lists: home
        {"404671234567890", "89911212345", 1}, // any other pair: roaming directly
        {"404671234567890", "89916", 1},       // a missing character compares as unequal
        {"234151234567890", "", 1},
        {"460001234567890", "", 0},
        {"310261234567890", "", 0},
        {"4046", "89916712345", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(roamingImsiTag(QLatin1String(c.imsi), QLatin1String(c.iccid), home, roaming), c.tag) << c.imsi << " " << c.iccid;
    EXPECT_EQ(roamingImsiTag(QStringLiteral("404671234567890"), QStringLiteral("89916712345"), {}, roaming), 1);
}

TEST(NetworkTablesTest, RoamRequestsAnsweredOldestFirstAndExpired)
{
    using Sw = RoamSwitchTracker::Switches;
    RoamSwitchTracker t;
    RoamSwitchTracker::Pending p;
    EXPECT_FALSE(t.answered(&p)); // nothing pending: ignored

    t.sent(false, {1, 1}, {1, 1}, 0);
    t.sent(true, {1, 1}, {0, 1}, 1000);
    EXPECT_TRUE(t.userPending());
    ASSERT_TRUE(t.answered(&p));
    EXPECT_FALSE(p.byUser);
    ASSERT_TRUE(t.answered(&p));
    EXPECT_TRUE(p.byUser);
    // A failure puts back only the switch this request changed.
    EXPECT_EQ(RoamSwitchTracker::restored(p, {0, 0}), (Sw{1, 0}));

    t.sent(true, {0, 0}, {0, 1}, 5000);
    EXPECT_TRUE(t.expire(5000 + 29999).isEmpty());
    const auto expired = t.expire(5000 + 30000);
    ASSERT_EQ(expired.size(), 1);
    EXPECT_TRUE(expired[0].byUser);
    EXPECT_TRUE(t.isEmpty());
    EXPECT_FALSE(t.answered(&p)); // the late answer finds none
}
