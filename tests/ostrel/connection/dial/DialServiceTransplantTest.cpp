// The matching service over a real ModemList folder: its roads and switches, the rewrite of
// "dialConfig.plist", the current profile from the IMSI, and the filters of the profile fields.
#include "ostrel/connection/dial/DialServiceTransplant.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/InitControllerInterface.h"
#include "ostrel/framework/neighbours/Neighbours.h"

#include <QFile>
#include <QTemporaryDir>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <memory>

using namespace ostrel;

namespace {

QVariantMap transplantNamed(const QString &name, const QVariantMap &extra = {})
{
    QVariantMap p{{QStringLiteral("provider"), name}, {QStringLiteral("apnName"), name.toLower()}};
    p.insert(extra);
    return p;
}

// The operator table: default profiles d0 ... d4.
QVariantList transplantTable()
{
    QVariantList table;
    for (int i = 0; i < 5; ++i)
        table.append(transplantNamed(QStringLiteral("d%1").arg(i)));
    return table;
}

class FakeIccidInit : public DefaultInitController {
public:
    QString iccid;
    QString iccidStr() const override { return iccid; }
};

class TransplantTest : public ::testing::Test {
protected:
    ~TransplantTest() override { Neighbours::setInit(nullptr); }

    void open(QVariantMap settings, const std::optional<QVariantList> &profiles = QVariantList{})
    {
        if (!settings.contains(QStringLiteral("AllDefaultDialCfg")))
            settings.insert(QStringLiteral("AllDefaultDialCfg"), transplantTable());
        ASSERT_TRUE(yov::PlistBridge::writeFile(dir.filePath(QStringLiteral("settings.plist")), settings));
        if (profiles) {
            ASSERT_TRUE(yov::PlistBridge::writeFile(profileFile(), *profiles));
        }
        store = std::make_unique<ConfigManager>(dir.path());
        service = std::make_unique<DialServiceTransplant>(store.get());
        Neighbours::setInit(&init);
    }

    QString profileFile() const { return dir.filePath(QStringLiteral("dialConfig.plist")); }

    QStringList fileNames() const
    {
        QStringList names;
        const auto v = yov::PlistBridge::readFile(profileFile());
        for (const QVariant &p : v ? v->toList() : QVariantList())
            names.append(p.toMap().value(QStringLiteral("provider")).toString());
        return names;
    }

    QVariant storedSetting(const char *key) const
    {
        const auto v = yov::PlistBridge::readFile(dir.filePath(QStringLiteral("settings.plist")));
        return v ? v->toMap().value(QString::fromLatin1(key)) : QVariant();
    }

    // Three old defaults and two user profiles.
    static QVariantList transplantOldList()
    {
        return {transplantNamed("old0"), transplantNamed("old1"), transplantNamed("old2"), transplantNamed("user1"), transplantNamed("user2")};
    }

    QTemporaryDir dir;
    FakeIccidInit init;
    std::unique_ptr<ConfigManager> store;
    std::unique_ptr<DialServiceTransplant> service;
};

const QString kTransplantImsi = QStringLiteral("460001234567890");

} // namespace

TEST_F(TransplantTest, ImsiPrefixWalkUsesTheLongestKeyTheMapHolds)
{
    struct Case {
        const char *key;
        QVariant value;
        QStringList head;
    };
    const Case cases[] = {
        {"46000123", qint64(1), {"d1"}},
        {"4600012", qint64(2), {"d2"}},
        {"460001", QVariantList{qint64(0)}, {"d0"}},
        {"46000", QVariantList{qint64(3), qint64(4)}, {"d3", "d4"}},
        {"4600", qint64(4), {"d4"}},
    };
    for (const Case &c : cases) {
        QVariantMap map{{QString::fromLatin1(c.key), c.value}, {QStringLiteral("46010"), qint64(0)}};
        open({{QStringLiteral("IMSI2DialConfigIdx"), map}, {QStringLiteral("DefaultProfileNum"), qint64(3)}}, transplantOldList());
        ASSERT_TRUE(service->imsiMatchGlobalApn(kTransplantImsi)) << c.key;
        QStringList expected = c.head;
        expected << "user1" << "user2";
        EXPECT_EQ(fileNames(), expected) << c.key;
        EXPECT_EQ(storedSetting("DefaultProfileNum").toInt(), c.head.size()) << c.key;
    }
    // A longer key wins over a shorter one.
    open({{QStringLiteral("IMSI2DialConfigIdx"),
           QVariantMap{{QStringLiteral("4600"), qint64(4)}, {QStringLiteral("4600012"), qint64(2)}}}},
         transplantOldList());
    EXPECT_EQ(service->matchIndexFromImsiConfig(kTransplantImsi), QVariant(qint64(2)));
    // An IMSI shorter than every key matches nothing and changes nothing.
    EXPECT_FALSE(service->imsiMatchGlobalApn(QStringLiteral("460")));
    EXPECT_EQ(fileNames(), (QStringList{"old0", "old1", "old2", "user1", "user2"}));
}

TEST_F(TransplantTest, GlobalMatchTakesTheFirstRoadWhoseSwitchIsOn)
{
    // Keys for each road: IMSI prefix "46000" -> d1, the exact text "46000" is the same key, and
    // the MCC/MNC key 46000 (MCC 460, MNC "00") -> d1; "NULL" -> d4.
    const QVariantMap map{{QStringLiteral("46000"), qint64(1)}, {QStringLiteral("NULL"), qint64(4)}};
    struct Case {
        const char *what;
        QVariantMap switches;
        QString text;
        QString extra;
        bool matched;
        QString head;
    };
    const Case cases[] = {
        {"road 2: IMSI prefixes", {{"ImsiMatchGlobalApn", true}}, kTransplantImsi, {}, true, "d1"},
        {"road 3: the exact key", {{"APNMatchWithMCCMNC", true}}, QStringLiteral("46000"), {}, true, "d1"},
        {"road 3: no such key", {{"APNMatchWithMCCMNC", true}}, QStringLiteral("46099"), {}, false, "old0"},
        {"road 4: MCC and MNC", {{"YdonMatchApn", true}}, QStringLiteral("460"), QStringLiteral("00"), true, "d1"},
        {"road 4: the fallback", {{"YdonMatchApn", true}}, QStringLiteral("310"), QStringLiteral("410"), true, "d4"},
        {"road 4: an IMSI as the MCC", {{"YdonMatchApn", true}}, kTransplantImsi, {}, true, "d4"},
        {"road 2 before 3 and 4", {{"ImsiMatchGlobalApn", true}, {"APNMatchWithMCCMNC", true}, {"YdonMatchApn", true}},
         QStringLiteral("4609"), {}, false, "old0"},
        {"road 5: no switch", {}, kTransplantImsi, {}, false, "old0"},
    };
    for (const Case &c : cases) {
        QVariantMap settings = c.switches;
        settings.insert(QStringLiteral("IMSI2DialConfigIdx"), map);
        settings.insert(QStringLiteral("DefaultProfileNum"), qint64(3));
        open(settings, transplantOldList());
        EXPECT_EQ(service->matchGlobalApn(c.text, c.extra), c.matched) << c.what;
        EXPECT_EQ(fileNames().value(0), c.head) << c.what;
    }
}

TEST_F(TransplantTest, SpecialRoamingSimMatchesNothing)
{
    // The table holds "00" for the SIM's first five IMSI digits; the ICCID's 5th and 6th characters
    // decide.
    struct Case {
        const char *what;
        QString imsi;
        QString iccid;
        bool listedRoamingSim;
    };
    const Case cases[] = {
        {"equal: the configured road runs", kTransplantImsi, QStringLiteral("8986001234"), false},
        {"different: no match at all", kTransplantImsi, QStringLiteral("8986071234"), true},
        {"a short ICCID", kTransplantImsi, QStringLiteral("89860"), false},
        {"a short IMSI", QStringLiteral("4600"), QStringLiteral("8986071234"), false},
        {"not in the table", QStringLiteral("310410123456789"), QStringLiteral("8986071234"), false},
    };
    for (const Case &c : cases) {
        open({{QStringLiteral("SpecialImsiRoam"), true},
              {QStringLiteral("ImsiMatchGlobalApn"), true},
              {QStringLiteral("Setting"),
               QVariantMap{{QStringLiteral("Setting_SpecialImsiAndIccidMnc"), QVariantMap{{QStringLiteral("46000"), "00"}}}}},
              {QStringLiteral("IMSI2DialConfigIdx"), QVariantMap{{QStringLiteral("4600"), qint64(2)},
                                                                 {QStringLiteral("3104"), qint64(2)}}},
              {QStringLiteral("DefaultProfileNum"), qint64(3)}},
             transplantOldList());
        init.iccid = c.iccid;
        EXPECT_EQ(service->specialImsiRoamMatch(c.imsi), c.listedRoamingSim) << c.what;
        const bool matched = service->matchGlobalApn(c.imsi);
        const bool roadRuns = !c.listedRoamingSim && c.imsi.size() >= 4;
        EXPECT_EQ(matched, roadRuns) << c.what;
        EXPECT_EQ(fileNames().value(0), roadRuns ? QStringLiteral("d2") : QStringLiteral("old0")) << c.what;
    }
}

TEST_F(TransplantTest, RewriteKeepsUserProfilesAndTheProfilesOfOtherSims)
{
    const QVariantMap otherSim{{QStringLiteral("IMSI"), QStringLiteral("310410999999999")}};
    open({{QStringLiteral("IMSI2DialConfigIdx"), QVariantMap{{QStringLiteral("46000"), QVariantList{qint64(3), qint64(4)}}}},
          {QStringLiteral("DefaultProfileNum"), qint64(3)},
          {QStringLiteral("Internet"), QVariantMap{{QStringLiteral("AddAPNWithSIM"), true}}}},
         QVariantList{transplantNamed("old0"), transplantNamed("old1"), transplantNamed("old2"), transplantNamed("user1"), transplantNamed("hidden", otherSim),
                      transplantNamed("user2")});
    ASSERT_TRUE(service->matchGlobalDefaultProfileWithImsi(kTransplantImsi));
    EXPECT_EQ(fileNames(), (QStringList{"d3", "d4", "user1", "hidden", "user2"}));
    EXPECT_EQ(storedSetting("DefaultProfileNum").toInt(), 2);
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(profileFile()).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file holds APN passwords";
}

TEST_F(TransplantTest, RewriteOfMissingUnreadableAndBadTables)
{
    const QVariantMap map{{QStringLiteral("46000"), QVariantList{qint64(9), qint64(1)}},
                          {QStringLiteral("46001"), QVariantList{qint64(9)}},
                          {QStringLiteral("46002"), QStringLiteral("1")}};
    // A missing file is an empty list: the matches alone.
    open({{QStringLiteral("IMSI2DialConfigIdx"), map}, {QStringLiteral("DefaultProfileNum"), qint64(2)}}, std::nullopt);
    ASSERT_TRUE(service->matchGlobalDefaultProfileWithImsi(kTransplantImsi));
    EXPECT_EQ(fileNames(), (QStringList{"d1"})); // index 9 skipped
    EXPECT_EQ(storedSetting("DefaultProfileNum").toInt(), 1);

    // A map left with no usable profile changes nothing and says so.
    EXPECT_FALSE(service->matchGlobalDefaultProfileWithImsi(QStringLiteral("460011234567890")));
    EXPECT_FALSE(service->matchGlobalDefaultProfileWithImsi(QStringLiteral("460021234567890")));
    EXPECT_EQ(fileNames(), (QStringList{"d1"}));

    // No table at all: no match, no rewrite.
    open({{QStringLiteral("IMSI2DialConfigIdx"), map}, {QStringLiteral("AllDefaultDialCfg"), QStringLiteral("none")}},
         transplantOldList());
    EXPECT_FALSE(service->matchGlobalDefaultProfileWithImsi(kTransplantImsi));
    EXPECT_EQ(fileNames().size(), 5);

    // A file that exists but does not parse is left byte for byte, DefaultProfileNum unchanged.
    open({{QStringLiteral("IMSI2DialConfigIdx"), map}, {QStringLiteral("DefaultProfileNum"), qint64(3)}}, std::nullopt);
    {
        QFile f(profileFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<plist><array><dict>broken");
    }
    EXPECT_FALSE(service->matchGlobalDefaultProfileWithImsi(kTransplantImsi));
    QFile f(profileFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("<plist><array><dict>broken"));
    EXPECT_EQ(storedSetting("DefaultProfileNum").toInt(), 3);
}

TEST_F(TransplantTest, CurrentProfileFromTheImsi)
{
    struct Case {
        const char *what;
        QVariantMap map;
        int byImsi;       // matchDefaultProfileWithImsi
        int storedByImsi; // ProfileID after it
        int byPrefix;     // imsiMatchApn
        int storedByPrefix;
    };
    const Case cases[] = {
        {"a number", {{"460001", qint64(2)}}, 2, 2, 2, 2},
        {"an array takes its first", {{"46000", QVariantList{qint64(3), qint64(1)}}}, 3, 3, 3, 3},
        {"no key", {{"31041", qint64(2)}}, -1, 0, -1, 7},
        {"a text", {{"46000", QStringLiteral("x")}}, -1, 0, -1, 7},
    };
    for (const Case &c : cases) {
        open({{QStringLiteral("IMSI2DialConfigIdx"), c.map}, {QStringLiteral("ProfileID"), qint64(7)}}, transplantOldList());
        EXPECT_EQ(service->imsiMatchApn(kTransplantImsi), c.byPrefix) << c.what;
        EXPECT_EQ(storedSetting("ProfileID").toInt(), c.storedByPrefix) << c.what;
        EXPECT_EQ(service->matchDefaultProfileWithImsi(kTransplantImsi), c.byImsi) << c.what;
        EXPECT_EQ(storedSetting("ProfileID").toInt(), c.storedByImsi) << c.what;
    }
}

TEST_F(TransplantTest, FiltersPerField)
{
    struct Case {
        const char *what;
        QString (*filter)(const QString &);
        QString in;
        QString out;
    };
    const Case cases[] = {
        {"number: plus, blanks, brackets, hyphens go", &DialServiceTransplant::checkToFormatTelephoneNumber,
         QStringLiteral("+1 (555) 12-3*#abcdABCDe"), QStringLiteral("1555123*#abcdABCD")},
        {"number: 30 at most", &DialServiceTransplant::checkToFormatTelephoneNumber, QString(40, u'9'), QString(30, u'9')},
        {"APN: letters, digits, dot and hyphen", &DialServiceTransplant::checkToFormatAPN,
         QStringLiteral("web.op-1 _/x"), QStringLiteral("web.op-1x")},
        {"APN: letters of any script", &DialServiceTransplant::checkToFormatAPN, QStringLiteral("café.ΩÄ"),
         QStringLiteral("café.ΩÄ")},
        {"APN: 60 at most", &DialServiceTransplant::checkToFormatAPN, QString(70, u'a'), QString(60, u'a')},
        {"IPv6 DNS: hexadecimal and colon", &DialServiceTransplant::checkToFormatIPv6DNS,
         QStringLiteral("2001:DB8::g1 "), QStringLiteral("2001:DB8::1")},
        {"IPv6 DNS: 39 at most", &DialServiceTransplant::checkToFormatIPv6DNS, QString(45, u'f'), QString(39, u'f')},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.filter(c.in), c.out) << c.what;

    // The password: its 33 extra characters, letters and digits; the configured length.
    struct PasswordCase {
        QVariant configured;
        int length;
    };
    const PasswordCase lengths[] = {{QVariant(), 30}, {qint64(0), 30}, {qint64(5), 5}, {qint64(200), 127}};
    for (const PasswordCase &p : lengths) {
        QVariantMap settings;
        if (p.configured.isValid())
            settings.insert(QStringLiteral("Internet"), QVariantMap{{QStringLiteral("Internet_setPasswordLenOfAPN"), p.configured}});
        open(settings);
        EXPECT_EQ(service->checkToFormatPassword(QString(300, u'p')).size(), p.length) << p.configured.toString().toStdString();
    }
    open({});
    const QString extras = DialServiceTransplant::kPasswordExtraCharacters;
    EXPECT_EQ(extras.size(), 32); // the full stop twice
    EXPECT_EQ(service->checkToFormatPassword(QStringLiteral("a b\tÉ9") + QStringLiteral("\"\\'")),
              QStringLiteral("abÉ9\"\\'"));
    EXPECT_EQ(service->checkToFormatPassword(QStringLiteral("!#$&()*+,-./%:;")), QStringLiteral("!#$&()*+,-./%:;"));
    EXPECT_EQ(service->checkToFormatPassword(QStringLiteral("`=")), QStringLiteral("="));
    // formatInput with the flag set keeps the extra characters alone.
    EXPECT_EQ(DialServiceTransplant::formatInput(QStringLiteral("ab12:"), true, QStringLiteral("1:"), 10), QStringLiteral("1:"));
    EXPECT_EQ(DialServiceTransplant::formatInput(QStringLiteral("ab12:"), false, QString(), 3), QStringLiteral("ab1"));
}
