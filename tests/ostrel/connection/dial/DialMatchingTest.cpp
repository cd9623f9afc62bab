// The connection controller's default-profile matching, the SIM's profile set, the MMS page's
// temporary profile and the automatic-match switch, over the in-process transport.
#include "DialHarness.h"

#include <QFile>

#include <sys/stat.h>

#include <gtest/gtest.h>

using dialtest::Harness;

namespace {

QVariantMap matchingNamed(const QString &name, const QVariantMap &extra = {})
{
    QVariantMap p{{QStringLiteral("provider"), name}, {QStringLiteral("apnName"), name.toLower()}};
    p.insert(extra);
    return p;
}

QVariantList matchingTable()
{
    QVariantList table;
    for (int i = 0; i < 5; ++i)
        table.append(matchingNamed(QStringLiteral("d%1").arg(i)));
    return table;
}

QVariantList matchingOldList() { return {matchingNamed("old0"), matchingNamed("old1"), matchingNamed("old2"), matchingNamed("user1"), matchingNamed("user2")}; }

QVariantMap matchingSettings(const QVariantMap &map, const QVariantMap &extra = {})
{
    QVariantMap s{{QStringLiteral("IMSI2DialConfigIdx"), map},
                  {QStringLiteral("AllDefaultDialCfg"), matchingTable()},
                  {QStringLiteral("DefaultProfileNum"), qint64(3)}};
    s.insert(extra);
    return s;
}

QStringList matchingShownNames(Harness &h)
{
    QStringList names;
    for (const QVariantMap &p : h.dial->profiles().dialConfigArray())
        names.append(p.value(QStringLiteral("provider")).toString());
    return names;
}

QStringList matchingFileNames(Harness &h)
{
    QStringList names;
    const auto v = yov::PlistBridge::readFile(h.dir.filePath(QStringLiteral("dialConfig.plist")));
    for (const QVariant &p : v ? v->toList() : QVariantList())
        names.append(p.toMap().value(QStringLiteral("provider")).toString());
    return names;
}

QVariant matchingStored(Harness &h, const char *key)
{
    const auto v = yov::PlistBridge::readFile(h.dir.filePath(QStringLiteral("settings.plist")));
    return v ? v->toMap().value(QString::fromLatin1(key)) : QVariant();
}

QString matchingSentApn(Harness &h)
{
    return yov::MSG_APN_SET_REQ_PARA_T::decode(yov::PayloadReader(h.lastPayload(257, 60))).apn;
}

constexpr mode_t kMatchingOwnerOnly = 0600;

// The file's mode bits as the system has them.
mode_t matchingFileMode(Harness &h)
{
    struct stat info {};
    if (::stat(QFile::encodeName(h.dir.filePath(QStringLiteral("dialConfig.plist"))).constData(), &info) != 0)
        return 0;
    return info.st_mode & 0777;
}

} // namespace

TEST(DialMatchingTest, MccAndMncRoadsPutTheMatchesAtTheHead)
{
    const QVariantMap map{{QStringLiteral("46000"), QVariantList{qint64(3), qint64(1)}}};
    struct Case {
        const char *what;
        int defaults;
        bool byWholeText; // resetDefaultProfileWithMCCMNC
        QStringList shown;
        int defaultsAfter;
    };
    const Case cases[] = {
        {"by MCC and MNC: the table's order", 3, false, {"d3", "d1", "user1", "user2"}, 2},
        {"by the whole text: reversed", 3, true, {"d1", "d3", "user1", "user2"}, 2},
        {"by MCC and MNC, more defaults than profiles", 9, false, {"d3", "d1"}, 2},
        {"by the whole text, more defaults than profiles", 9, true, {"old0", "old1", "old2", "user1", "user2"}, 9},
    };
    for (const Case &c : cases) {
        Harness h(matchingSettings(map, {{QStringLiteral("DefaultProfileNum"), qint64(c.defaults)}}), matchingOldList());
        if (c.byWholeText)
            h.dial->resetDefaultProfileWithMCCMNC(QStringLiteral("46000"));
        else
            h.dial->resetDefaultProfileWithMcc(QStringLiteral("460"), QStringLiteral("00"));
        EXPECT_EQ(matchingShownNames(h), c.shown) << c.what;
        EXPECT_EQ(matchingFileNames(h), c.shown) << c.what;
        EXPECT_EQ(matchingStored(h, "DefaultProfileNum").toInt(), c.defaultsAfter) << c.what;
        if (c.defaultsAfter == 2) {
            // The first profile is current and its parameters went to the device.
            EXPECT_EQ(matchingStored(h, "ProfileID").toInt(), 0) << c.what;
            EXPECT_EQ(matchingSentApn(h), c.shown.first().toLower()) << c.what;
            EXPECT_EQ(matchingFileMode(h), kMatchingOwnerOnly) << c.what;
        }
    }
}

TEST(DialMatchingTest, MissingTablesTextsAndKeysChangeNothing)
{
    struct Case {
        const char *what;
        QVariantMap settings;
        QString mcc;
        QString mnc;
    };
    const QVariantMap map{{QStringLiteral("46000"), qint64(1)}};
    const Case cases[] = {
        {"no map", {{QStringLiteral("AllDefaultDialCfg"), matchingTable()}}, "460", "00"},
        {"no table", {{QStringLiteral("IMSI2DialConfigIdx"), map}}, "460", "00"},
        {"no MNC", matchingSettings(map), "460", ""},
        {"no key", matchingSettings(map), "310", "410"},
        {"a key with only a bad index", matchingSettings({{QStringLiteral("46000"), qint64(17)}}), "460", "00"},
    };
    for (const Case &c : cases) {
        Harness h(c.settings, matchingOldList());
        h.dial->resetDefaultProfileWithMcc(c.mcc, c.mnc);
        h.dial->resetDefaultProfileWithMCCMNC(c.mcc + c.mnc);
        EXPECT_EQ(matchingFileNames(h), (QStringList{"old0", "old1", "old2", "user1", "user2"})) << c.what;
        EXPECT_EQ(h.count(257, 60), 0) << c.what;
    }
}

TEST(DialMatchingTest, ImsiRoadsRewriteThroughTheServiceAndReload)
{
    const QString imsi = QStringLiteral("460001234567890");
    struct Case {
        const char *what;
        QVariantMap extra;
        bool viaAll; // resetDefaultProfileWithImsiAll
        QStringList shown;
        int current;
        int alerts;
    };
    const Case cases[] = {
        {"the IMSI's profiles", {}, false, {"d3", "d4", "user1", "user2"}, 0, 0},
        {"the transplant road", {{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("Internet_UseTransplantCodeToTestApnMatch"), true}}},
                                 {QStringLiteral("ImsiMatchGlobalApn"), true}},
         false, {"d3", "d4", "user1", "user2"}, 0, 0},
        {"the current profile from the IMSI", {}, true, {"old0", "old1", "old2", "user1", "user2"}, 3, 0},
    };
    for (const Case &c : cases) {
        Harness h(matchingSettings({{QStringLiteral("46000"), QVariantList{qint64(3), qint64(4)}}}, c.extra), matchingOldList());
        if (c.viaAll)
            h.dial->resetDefaultProfileWithImsiAll(imsi);
        else
            h.dial->resetGlobalDefaultProfileWithImsi(imsi.toLatin1() + QByteArray(3, '\0'));
        EXPECT_EQ(matchingShownNames(h), c.shown) << c.what;
        EXPECT_EQ(matchingStored(h, "ProfileID").toInt(), c.current) << c.what;
        EXPECT_EQ(matchingSentApn(h), c.shown.at(c.current).toLower()) << c.what;
        EXPECT_EQ(h.alerts.count(), c.alerts) << c.what;
    }

    // No profile for the IMSI: the first profile, and the user is told.
    Harness h(matchingSettings({{QStringLiteral("31041"), qint64(2)}}, {{QStringLiteral("ProfileID"), qint64(4)}}), matchingOldList());
    h.dial->resetDefaultProfileWithImsiAll(imsi);
    EXPECT_EQ(matchingStored(h, "ProfileID").toInt(), 0);
    EXPECT_EQ(h.alerts.messages(), QStringList{QStringLiteral("Not found a suitable APN")});
}

TEST(DialMatchingTest, ProfilesOfAnotherSimStayHiddenAndAreWrittenBehind)
{
    const QVariantMap first{{QStringLiteral("IMSI"), QStringLiteral("460001234567890")}};
    const QVariantMap second{{QStringLiteral("IMSI"), QStringLiteral("310410999999999")}};
    Harness h(matchingSettings({{QStringLiteral("46000"), qint64(2)}},
                            {{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("AddAPNWithSIM"), true}}},
                             {QStringLiteral("simIMSI"), QStringLiteral("460001234567890")}}),
              {matchingNamed("old0"), matchingNamed("old1"), matchingNamed("old2"), matchingNamed("mine", first), matchingNamed("theirs", second)});
    h.dial->loadDialConfig();
    ASSERT_EQ(matchingShownNames(h), (QStringList{"old0", "old1", "old2", "mine"}));
    h.dial->resetDefaultProfileWithMcc(QStringLiteral("460"), QStringLiteral("00"));
    EXPECT_EQ(matchingShownNames(h), (QStringList{"d2", "mine"}));
    EXPECT_EQ(matchingFileNames(h), (QStringList{"d2", "mine", "theirs"}));
}

TEST(DialMatchingTest, MmsProfileIsShownNotStoredAndSurvivesARewrite)
{
    Harness h(matchingSettings({{QStringLiteral("46000"), qint64(2)}}), matchingOldList());
    yov::PlistBridge::writeFile(h.dir.filePath(QStringLiteral("config.plist")),
                                QVariantMap{{QStringLiteral("APN"), QStringLiteral("mms.op")},
                                            {QStringLiteral("WapGateUserName"), QStringLiteral("wap")},
                                            {QStringLiteral("WapGatePassword"), QStringLiteral("secret")}});
    ostrel::DialControllerInterface &dial = *h.dial;
    EXPECT_EQ(dial.IDMMSConfig(), 0);
    dial.addMMSConfig();
    EXPECT_EQ(dial.IDMMSConfig(), 6);
    EXPECT_EQ(dial.getAPNString(), QStringLiteral("mms.op"));
    EXPECT_EQ(matchingSentApn(h), QStringLiteral("mms.op"));
    const QVariantMap mms = h.dial->profiles().dialConfigArray().last();
    EXPECT_EQ(mms.value(QStringLiteral("accountName")), QStringLiteral("wap"));
    EXPECT_EQ(mms.value(QStringLiteral("password")), QStringLiteral("secret"));
    EXPECT_EQ(mms.value(QStringLiteral("telNumber")), QStringLiteral("*99#"));

    // A rewrite of the defaults keeps it last, and no write stores it.
    h.dial->resetDefaultProfileWithMcc(QStringLiteral("460"), QStringLiteral("00"));
    EXPECT_EQ(matchingShownNames(h).size(), 4);
    EXPECT_EQ(dial.IDMMSConfig(), 4);
    EXPECT_EQ(matchingFileNames(h), (QStringList{"d2", "user1", "user2"}));
    h.dial->loadDialConfig();
    EXPECT_EQ(dial.IDMMSConfig(), 4);

    dial.setDialConfig(1);
    EXPECT_EQ(dial.getAPNString(), QStringLiteral("user1"));
    dial.removeMMSConfig();
    EXPECT_EQ(dial.IDMMSConfig(), 0);
    EXPECT_EQ(matchingShownNames(h), (QStringList{"d2", "user1", "user2"}));
    dial.removeMMSConfig(); // a second removal takes nothing
    EXPECT_EQ(matchingShownNames(h).size(), 3);

    // Without MMS settings: automatic APN and no credentials.
    QFile::remove(h.dir.filePath(QStringLiteral("config.plist")));
    dial.addMMSConfig();
    const QVariantMap bare = h.dial->profiles().dialConfigArray().last();
    EXPECT_EQ(bare.value(QStringLiteral("apnFlag")), QStringLiteral("0"));
    EXPECT_EQ(bare.value(QStringLiteral("saveUsernameFlag")).toInt(), 0);
    EXPECT_EQ(bare.value(QStringLiteral("accountName")), QString());
}

TEST(DialMatchingTest, SimIdentityNoticeLoadsTheSimsProfilesOncePerDevice)
{
    const QVariantMap mine{{QStringLiteral("IMSI"), QStringLiteral("460001234567890")}};
    const QVariantMap theirs{{QStringLiteral("IMSI"), QStringLiteral("310410999999999")}};
    struct Case {
        const char *what;
        bool perSim;
        bool otherSim;
        int currentAfter;
        QString apn;
    };
    const Case cases[] = {
        {"the SIM seen before keeps its profile", true, false, 1, "mine"},
        {"another SIM starts at the first profile", true, true, 0, "old0"},
        {"without per-SIM profiles nothing happens", false, false, 1, ""},
    };
    for (const Case &c : cases) {
        QVariantMap settings{{QStringLiteral("ProfileID"), qint64(1)}, {QStringLiteral("simIMSI"), QStringLiteral("460001234567890")}};
        if (c.perSim)
            settings.insert(QStringLiteral("Internet"), QVariantMap{{QStringLiteral("AddAPNWithSIM"), true}});
        Harness h(settings, {matchingNamed("old0"), matchingNamed("theirs", theirs), matchingNamed("mine", mine)});
        h.notifications.post(QStringLiteral("AlreadyGetSimIMSI"), nullptr, {{QStringLiteral("imsiInfo"), c.otherSim}});
        EXPECT_EQ(matchingStored(h, "ProfileID").toInt(), c.currentAfter) << c.what;
        if (c.apn.isEmpty()) {
            EXPECT_EQ(h.count(257, 60), 0) << c.what;
            continue;
        }
        EXPECT_EQ(matchingShownNames(h), (QStringList{"old0", "mine"})) << c.what;
        EXPECT_EQ(matchingSentApn(h), c.apn) << c.what;
        EXPECT_TRUE(h.dial->display().profileChooserEnabled) << c.what;
        // A second notice for the same device changes nothing.
        const int sent = h.count(257, 60);
        h.notifications.post(QStringLiteral("AlreadyGetSimIMSI"), nullptr, {{QStringLiteral("imsiInfo"), !c.otherSim}});
        EXPECT_EQ(h.count(257, 60), sent) << c.what;
        EXPECT_EQ(matchingStored(h, "ProfileID").toInt(), c.currentAfter) << c.what;
    }
}

TEST(DialMatchingTest, AutoMatchCheckBoxFollowsAndStoresTheSwitch)
{
    {
        Harness h;
        EXPECT_FALSE(h.dial->display().autoApnMatchShown);
    }
    Harness h({{QStringLiteral("EnableAutoApnMatch"), false}});
    EXPECT_TRUE(h.dial->display().autoApnMatchShown);
    EXPECT_FALSE(h.dial->display().autoApnMatchChecked);
    h.dial->enableAutoApnMatch(true);
    EXPECT_TRUE(matchingStored(h, "EnableAutoApnMatch").toBool());
    EXPECT_TRUE(h.dial->display().autoApnMatchChecked);
}

TEST(DialMatchingTest, EveryWriterOfTheProfileFileLeavesItToTheUserAlone)
{
    Harness h(matchingSettings({{QStringLiteral("46000"), qint64(2)}}), matchingOldList());
    const QString path = h.dir.filePath(QStringLiteral("dialConfig.plist"));
    ostrel::DialConfigList &list = h.dial->profiles();
    const std::function<bool()> writers[] = {
        [&] { return list.saveDialConfigFile(); },
        [&] { bool saved = false; list.addProfile({}, &saved); return saved; },
        [&] { return list.deleteProfile(std::nullopt); },
        [&] { bool saved = false; list.closeManagementSheet(&saved); return saved; },
        [&] { return h.dial->resetDialConfigListWithMatchedApn({matchingNamed("m")}); },
        [&] { return h.dial->transplant().resetDialConfigListWithMatchedApn({matchingNamed("n")}); },
    };
    for (const auto &write : writers) {
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
        ASSERT_TRUE(write());
        EXPECT_EQ(matchingFileMode(h), kMatchingOwnerOnly);
    }
}
