// The PDP type in both shapes of the type group, its fallback, and the control groups it enables.
#include "ostrel/connection/profile/PdpTypeRules.h"
#include "ostrel/connection/profile/ProfileInput.h"

#include <gtest/gtest.h>

using namespace ostrel;

TEST(PdpTypeRules, TypesShownAndReadInBothShapes)
{
    struct Case {
        int rows;
        int columns;
        int type;
        std::optional<MatrixCell> shown;
        int readBack;
    };
    const Case cases[] = {
        {2, 2, 0, MatrixCell{0, 0}, 0},
        {2, 2, 1, MatrixCell{0, 1}, 1},
        {2, 2, 2, MatrixCell{1, 1}, 2},
        {2, 2, 3, MatrixCell{1, 0}, 3},
        {2, 2, 4, std::nullopt, 0},
        {2, 2, -1, std::nullopt, 0},
        {1, 3, 0, MatrixCell{0, 0}, 0},
        {1, 3, 1, MatrixCell{0, 0}, 0}, // no cell of its own: shown on column 0, saved as 0
        {1, 3, 2, MatrixCell{0, 1}, 2},
        {1, 3, 3, MatrixCell{0, 2}, 3},
        {1, 3, 7, std::nullopt, 0},
        {3, 1, 2, std::nullopt, 0}, // another shape shows nothing and reads 0
    };
    for (const Case &c : cases) {
        const std::optional<MatrixCell> cell = displayPDPCell(c.rows, c.columns, c.type);
        EXPECT_EQ(cell, c.shown) << c.rows << "x" << c.columns << " type " << c.type;
        EXPECT_EQ(getPDPType(c.rows, c.columns, cell), c.readBack) << c.rows << "x" << c.columns << " type " << c.type;
    }
    EXPECT_EQ(getPDPType(2, 2, std::nullopt), 0);
    EXPECT_EQ(getPDPType(1, 3, MatrixCell{1, 2}), 0);
    EXPECT_EQ(getPDPType(3, 1, MatrixCell{0, 0}), 0);
}

TEST(PdpTypeRules, FallbackOnlyOnPlatformOneWithTheSwitch)
{
    struct Case {
        int type;
        bool noIPv4v6;
        int platform;
        int result;
    };
    const Case cases[] = {
        {-3, false, 0, 0}, {1, true, 1, 1}, {2, true, 1, 0}, {3, true, 1, 0},
        {2, true, 0, 2},   {3, true, 0, 3}, {3, false, 1, 3}, {2, true, 3, 2},
    };
    for (const Case &c : cases)
        EXPECT_EQ(specialPdpTypeProcess(c.type, c.noIPv4v6, c.platform), c.result)
            << c.type << " " << c.noIPv4v6 << " " << c.platform;
}

TEST(PdpTypeRules, ControlGroupsFollowTheType)
{
    EXPECT_EQ(pdpTypeGroupStates(0, false), (PdpGroupStates{true, false}));
    EXPECT_EQ(pdpTypeGroupStates(1, false), (PdpGroupStates{false, false}));
    EXPECT_EQ(pdpTypeGroupStates(2, true), (PdpGroupStates{false, true}));
    EXPECT_EQ(pdpTypeGroupStates(3, true), (PdpGroupStates{true, false}));
    EXPECT_EQ(pdpTypeGroupStates(3, false), (PdpGroupStates{true, true}));
    EXPECT_EQ(pdpTypeGroupStates(5, false), std::nullopt);

    EXPECT_EQ(apnFieldStatesForPdpType(0, true, true), (ApnFieldStates{true, false}));
    EXPECT_EQ(apnFieldStatesForPdpType(2, true, true), (ApnFieldStates{false, true}));
    EXPECT_EQ(apnFieldStatesForPdpType(3, true, true), (ApnFieldStates{true, true}));
    EXPECT_EQ(apnFieldStatesForPdpType(1, true, true), std::nullopt);
    EXPECT_EQ(apnFieldStatesForPdpType(3, false, true), std::nullopt);
    EXPECT_EQ(apnFieldStatesForPdpType(3, true, false), std::nullopt);
}

TEST(PdpTypeRules, EveryIPv6KeyOfTheEditSheetRoundTrips)
{
    QVariantMap profile{{QStringLiteral("provider"), QStringLiteral("p")}};
    ProfileEdit e = editValuesOf(profile, QStringLiteral("p"), false, true, true);
    ASSERT_TRUE(e.ipv6.has_value());
    e.pdpType = 3;
    *e.ipv6 = ProfileEdit::IPv6{QStringLiteral("v6.apn"), QStringLiteral("2001:db8::1"), QStringLiteral("2001:db8::2"), 1,
                                QStringLiteral("user six"), QString(40, u'p'), 1, 1, 1, 1, QStringLiteral("2001:db8::9"), 1};
    applyEdit(profile, e, 0);
    const ProfileEdit back = editValuesOf(profile, QStringLiteral("p"), false, true, true);
    ASSERT_TRUE(back.ipv6.has_value());
    EXPECT_EQ(back.pdpType, 3);
    EXPECT_EQ(back.ipv6->username, QStringLiteral("usersix")) << "filtered like the IPv4 user name";
    EXPECT_EQ(back.ipv6->password, QString(30, u'p'));
    const std::pair<int, int> numbers[] = {{back.ipv6->saveAccount, 1}, {back.ipv6->apnMode, 1}, {back.ipv6->authMode, 1},
                                           {back.ipv6->pdpMode, 1},     {back.ipv6->singlePdp, 1}, {back.ipv6->dnsMode, 1}};
    for (const auto &[got, want] : numbers)
        EXPECT_EQ(got, want);
    EXPECT_EQ(back.ipv6->pdpAddr, QStringLiteral("2001:db8::9"));
    EXPECT_EQ(back.ipv6->apnName, QStringLiteral("v6.apn"));
}
