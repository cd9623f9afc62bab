// The rules of the operator content of the Internet view, as tables: the link policy, the frames,
// the pages for the profile and the IMSI, the compact skin's number and status line, the
// billboard's order, the hint's placement and the favourite list.
#include "ostrel/connection/dial/OperatorContentRules.h"

#include <gtest/gtest.h>

using namespace ostrel;

TEST(OperatorContentRulesTest, LinkPolicy)
{
    const QString mainPage = QStringLiteral("http://main.example/?n=6281&i=3569");
    const struct {
        bool split, known, smart, daz;
        const char *url;
        LinkDecision expected;
    } cases[] = {
        // split page: known icon links load in place, the rest goes to the browser
        {true, true, false, false, "http://icons.example/promo.htm", {true, false}},
        {true, false, false, false, "http://elsewhere.example/", {false, true}},
        {true, false, true, true, "http://main.example/?n=6281&i=3569", {false, true}},
        // compact skin: everything loads in place
        {false, false, true, false, "http://elsewhere.example/", {true, false}},
        {false, false, true, true, "http://elsewhere.example/", {true, false}},
        // web background: only the formatted main page loads in place
        {false, false, false, true, "http://main.example/?n=6281&i=3569", {true, false}},
        {false, false, false, true, "http://main.example/?n=%@&i=%@", {false, true}},
        {false, false, false, true, "http://elsewhere.example/", {false, true}},
        // no rule on
        {false, false, false, false, "http://elsewhere.example/", {true, false}},
    };
    for (const auto &c : cases) {
        LinkPolicyInput in{c.split, c.known, c.smart, c.daz, mainPage};
        EXPECT_EQ(decideOperatorLinkPolicy(in, QString::fromLatin1(c.url)), c.expected)
            << c.split << c.known << c.smart << c.daz << " " << c.url;
    }
}

TEST(OperatorContentRulesTest, Frames)
{
    const QVariantMap module{{QStringLiteral("InSuperViewLeft"), 5},
                             {QStringLiteral("InSuperViewBottom"), 6},
                             {QStringLiteral("DecreasedHeight"), 7},
                             {QStringLiteral("DecreasedWidth"), 8}};
    // "DecreasedHeight" shrinks the width, "DecreasedWidth" the height, as stored files expect.
    EXPECT_EQ(offsetFrame(QRectF(0, 0, 100, 50), getRectInSuperView(module)), QRectF(5, 6, 93, 42));
    EXPECT_EQ(getRectInSuperView({}), QRectF(0, 0, 0, 0));
    EXPECT_EQ(specialWebViewFrame(QRectF(20, 30, 300, 200)), QRectF(30, 40, 280, 180));
}

TEST(OperatorContentRulesTest, PageForTheProfile)
{
    const QVariantList settings{
        QVariantMap{{QStringLiteral("APNProvider"), QStringLiteral("Web")}, {QStringLiteral("AutoOpen"), false},
                    {QStringLiteral("URL"), QStringLiteral("http://web.example/")}},
        QVariantMap{{QStringLiteral("APNProvider"), QStringLiteral("Web")}, {QStringLiteral("AutoOpen"), true},
                    {QStringLiteral("URL"), QStringLiteral("http://second.example/")}},
        QVariantMap{{QStringLiteral("APNProvider"), QStringLiteral("Box")}, {QStringLiteral("AutoOpen"), QStringLiteral("YES")},
                    {QStringLiteral("URL"), QStringLiteral("http://box.example/")}},
    };
    EXPECT_EQ(profilePage(settings, QStringLiteral("Web")), QString()) << "the first match has AutoOpen NO";
    EXPECT_EQ(profilePage(settings, QStringLiteral("Box")), QStringLiteral("http://box.example/"));
    EXPECT_EQ(profilePage(settings, QStringLiteral("Other")), QString());
}

TEST(OperatorContentRulesTest, PageForTheImsi)
{
    const QVariantMap table{{QStringLiteral("262"), QStringLiteral("country.example")},
                            {QStringLiteral("26201"), QStringLiteral("https://operator.example/welcome")},
                            {QStringLiteral("310"), QStringLiteral("http://us.example/")},
                            {QStringLiteral("404"), QStringLiteral("ftp://files.example/")}};
    const struct {
        const char *imsi;
        const char *url;
    } cases[] = {
        {"262011234567890", "https://operator.example/welcome"}, // the longest prefix wins; https kept
        {"262071234567890", "http://country.example"},           // no scheme: http:// in front
        {"310150123456789", "http://us.example/"},
        {"404000000000000", "ftp://files.example/"},
        {"208011234567890", ""},
        {"", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(imsiWebPage(QString::fromLatin1(c.imsi), table), QString::fromLatin1(c.url)) << c.imsi;
}

TEST(OperatorContentRulesTest, CompactSkinNumberStatusLineAndMsisdn)
{
    EXPECT_EQ(smartPhoneNumber(QString()), QStringLiteral("SmartNet"));
    EXPECT_EQ(smartPhoneNumber(QStringLiteral("12")), QStringLiteral("12"));
    EXPECT_EQ(smartPhoneNumber(QStringLiteral("7")), QStringLiteral("7"));
    EXPECT_EQ(smartPhoneNumber(QStringLiteral("628123456789")), QStringLiteral("08123456789"));

    const StatusLineStyle one = smartStatusLineStyle(1, true);
    EXPECT_EQ(one.size, QSizeF(175, 46));
    EXPECT_TRUE(one.alignment & Qt::AlignRight);
    EXPECT_EQ(one.fontPointSize, 21);
    const StatusLineStyle two = smartStatusLineStyle(2, false);
    EXPECT_EQ(two.size, QSizeF(180, 59));
    EXPECT_TRUE(two.alignment & Qt::AlignLeft);
    EXPECT_EQ(two.fontPointSize, 16);

    const QVariantList records{
        QVariantMap{{QStringLiteral("xmlNodeName"), QStringLiteral("IMSI")}, {QStringLiteral("xmlNodeValue"), QStringLiteral("1")}},
        QVariantMap{{QStringLiteral("xmlNodeName"), QStringLiteral("MSISDN")}, {QStringLiteral("xmlNodeValue"), QStringLiteral("628111")}},
        QVariantMap{{QStringLiteral("xmlNodeName"), QStringLiteral("MSISDN")}, {QStringLiteral("xmlNodeValue"), QStringLiteral("2")}}};
    EXPECT_EQ(msisdnFromRecords(records), QStringLiteral("628111"));
    EXPECT_EQ(msisdnFromRecords({}), QString());
}

TEST(OperatorContentRulesTest, BillboardOrderAndHintPlacement)
{
    EXPECT_EQ(nextBillboardIndex(1, true), 2);
    EXPECT_EQ(nextBillboardIndex(3, true), 1);
    EXPECT_EQ(nextBillboardIndex(1, false), 3);
    EXPECT_EQ(nextBillboardIndex(2, false), 1);

    const QRectF m(100, 200, 800, 600);
    EXPECT_EQ(hintWindowOrigin(m, QRectF(0, 0, 200, 100)), QPointF(100 + 300 + 165, 200 + 250 - 65));
    EXPECT_EQ(hintSubviewOrigin(m, QRectF(10, 20, 200, 100)), QPointF(10 + 300 + 173, 20 + 250 - 45));
}

TEST(OperatorContentRulesTest, FavouriteListSkipsWhatNamesNoButton)
{
    const QVariantList list{
        QVariantMap{{QStringLiteral("Index"), 0}, {QStringLiteral("Image"), QStringLiteral("a.png")},
                    {QStringLiteral("Path"), QStringLiteral("/usr/bin/app")}, {QStringLiteral("Type"), 0},
                    {QStringLiteral("Para"), QStringLiteral("file.txt")}},
        QVariantMap{{QStringLiteral("Index"), 5}, {QStringLiteral("Path"), QStringLiteral("http://x.example/")},
                    {QStringLiteral("Type"), 1}, {QStringLiteral("Para"), QStringLiteral("ignored")}},
        QVariantMap{{QStringLiteral("Index"), 6}, {QStringLiteral("Path"), QStringLiteral("http://y.example/")}},
        QVariantMap{{QStringLiteral("Index"), -1}},
        QVariantMap{{QStringLiteral("Path"), QStringLiteral("no index")}},
        QStringLiteral("not a dictionary"),
    };
    const QList<FavoriteLink> links = favoriteLinksFromList(list);
    ASSERT_EQ(links.size(), 2);
    EXPECT_EQ(links[0].button, 0);
    EXPECT_EQ(links[0].para, QStringLiteral("file.txt"));
    EXPECT_EQ(links[1].button, 5);
    EXPECT_EQ(links[1].type, 1);
    EXPECT_TRUE(links[1].para.isEmpty()) << "the parameter belongs to type 0 only";
    EXPECT_TRUE(links[1].image.isEmpty());
}
