#include "ostrel/device/service/InitService.h"

#include "ostrel/device/service/InitServiceTransplant.h"
#include "ostrel/device/service/YfunctionTest.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/crypto/Blowfish.h"

#include "common/PlistBridge.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

using namespace ostrel;

namespace {

const QString kImsiChina = QStringLiteral("460011234567890"); // home 460/01
const QString kImsiUs = QStringLiteral("310260123456789");    // home 310/260

class InitServiceTest : public ::testing::Test {
public:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        const QVariantMap empty{{QStringLiteral("Init"), QVariantMap()},
                                {QStringLiteral("Main"), QVariantMap()},
                                {QStringLiteral("TestSpn"), QVariantMap()}};
        ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(dir_.path()).filePath(QStringLiteral("settings.plist")), empty));
        store_ = std::make_unique<ConfigManager>(dir_.path());
        functionTest_ = std::make_unique<YfunctionTest>(store_.get());
        service_ = std::make_unique<InitService>(store_.get(), functionTest_.get());
        service_->setImsi(kImsiChina);
    }
    void TearDown() override { service_->setImsi(QString()); }

    void put(const char *module, const char *key, const QVariant &value)
    {
        const QString m = QString::fromLatin1(module);
        if (!key) {
            store_->setConfigurationByModule(m, value);
            return;
        }
        QVariantMap map = store_->getConfigurationByModule(m).toMap();
        map.insert(QString::fromLatin1(key), value);
        store_->setConfigurationByModule(m, map);
    }

    // Registered on a network with both domains, as the network code leaves the service.
    void registerOn(const QString &mcc, const QString &mnc, int roamStatus, const QString &name = QStringLiteral("Net"))
    {
        service_->setNetworkMode(3);
        service_->setCurrentRmccRmnc(mccmnc::formatMccmnc(mcc, mnc));
        service_->setCurrentNetworkMccAndMnc(mcc, mnc);
        service_->setNetworkRoamStatus(roamStatus);
        service_->setLocalSpn(name);
    }

protected:
    QTemporaryDir dir_;
    std::unique_ptr<ConfigManager> store_;
    std::unique_ptr<YfunctionTest> functionTest_;
    std::unique_ptr<InitService> service_;
};

// ---- SIM files into the service -------------------------------------------------------------

TEST_F(InitServiceTest, SpnFileSetsNameAndCondition)
{
    service_->doParseEF_SPN("01414243FFFF");
    EXPECT_EQ(service_->rawHomeSpn(), QStringLiteral("ABC"));
    EXPECT_EQ(service_->the1and2FiledFromSPN(), 1);

    // An empty file clears the name and leaves the condition.
    service_->doParseEF_SPN("");
    EXPECT_EQ(service_->rawHomeSpn(), QStringLiteral(""));
    EXPECT_FALSE(service_->rawHomeSpn().isNull());
    EXPECT_EQ(service_->the1and2FiledFromSPN(), 1);

    // A condition without a name clears the name.
    service_->doParseEF_SPN("01414243");
    service_->doParseEF_SPN("02");
    EXPECT_EQ(service_->rawHomeSpn(), QStringLiteral(""));
    EXPECT_EQ(service_->the1and2FiledFromSPN(), 2);
}

TEST_F(InitServiceTest, SpdiFileFillsFriendlyListAndTable)
{
    service_->doParseEF_SPDI("A305800364F010");
    EXPECT_EQ(service_->friendlyNetList(), QStringList{QStringLiteral("46001")});
    // The table key is the decimal value of the text read as a hexadecimal number.
    EXPECT_EQ(service_->moduleMapsDict().value(QStringLiteral("memKeyMCCMNCXMCCMNC(286721)")),
              QVariant(QStringLiteral("46001")));
    EXPECT_EQ(service_->isHomeOrFriendly(QStringLiteral("46001")), QVariant(QStringLiteral("46001")));
    EXPECT_FALSE(service_->isHomeOrFriendly(QStringLiteral("46002")).isValid());
    EXPECT_FALSE(service_->isHomeOrFriendly(QStringLiteral("")).isValid());

    service_->setImsi(QStringLiteral("262021234567890"));
    registerOn(QStringLiteral("460"), QStringLiteral("01"), InitService::Roaming);
    EXPECT_TRUE(service_->checkCurrentIsFriendlyNetWork());
    EXPECT_TRUE(service_->checkCurrentIsHomeOrFriendlyNetWork());
}

TEST_F(InitServiceTest, IccidFile)
{
    service_->doParseEF_ICCID("981010325476981032F4");
    EXPECT_EQ(service_->iccidStr(), QStringLiteral("8901012345678901234"));
    service_->doParseEF_ICCID("");
    EXPECT_EQ(service_->iccidStr(), QStringLiteral(""));
}

// ---- Home network: two- and three-digit MNCs -----------------------------------------------

struct HomeRow {
    const char *label;
    QString imsi;
    int homeMncLength;  // 0: not reported
    QString mcc, mnc;   // reported parts; empty: only the mccmnc text is known
    QString mccmncText; // empty: formed from the parts
    bool home;
};

TEST_F(InitServiceTest, HomeNetworkDecision)
{
    const HomeRow rows[] = {
        {"2-digit home", kImsiChina, 0, "460", "01", "", true},
        {"2-digit home, length reported", kImsiChina, 2, "460", "01", "", true},
        {"2-digit other MNC", kImsiChina, 0, "460", "00", "", false},
        {"2-digit other MCC", kImsiChina, 0, "461", "01", "", false},
        {"2-digit from the text alone", kImsiChina, 0, "", "", "46001", true},
        {"2-digit, one-digit MNC report", kImsiChina, 0, "460", "1", "", true},
        {"3-digit home", kImsiUs, 3, "310", "260", "", true},
        // MCC 312 MNC 60 gives the same text 31260 as MCC 310 MNC 260: not the home network.
        {"3-digit look-alike", kImsiUs, 3, "312", "60", "", false},
        {"3-digit other MNC", kImsiUs, 3, "310", "026", "", false},
        {"3-digit from a six-digit text", kImsiUs, 3, "", "", "310260", true},
        {"3-digit from the overlapped text alone", kImsiUs, 3, "", "", "31260", false},
        {"home length not reported: first five digits", kImsiUs, 0, "310", "26", "", true},
        {"home length not reported, 3-digit network", kImsiUs, 0, "310", "260", "", false},
        {"unregistered", kImsiChina, 0, "", "", "", false},
    };
    for (const HomeRow &r : rows) {
        SCOPED_TRACE(r.label);
        service_->setImsi(r.imsi);
        service_->setHomeMncLength(r.homeMncLength);
        service_->setCurrentNetworkMccAndMnc(r.mcc, r.mnc);
        service_->setCurrentRmccRmnc(r.mccmncText.isEmpty() ? mccmnc::formatMccmnc(r.mcc, r.mnc) : r.mccmncText);
        EXPECT_EQ(service_->checkCurrentIsHomeNetWork(), r.home);
    }
}

TEST_F(InitServiceTest, MccmncTextStaysAsTheNetworkCodeFormsIt)
{
    EXPECT_EQ(mccmnc::formatMccmnc(QStringLiteral("460"), QStringLiteral("01")), QStringLiteral("46001"));
    EXPECT_EQ(mccmnc::formatMccmnc(QStringLiteral("262"), QStringLiteral("02")), QStringLiteral("26202"));
    EXPECT_EQ(mccmnc::formatMccmnc(QStringLiteral("310"), QStringLiteral("260")), QStringLiteral("31260"));
    EXPECT_EQ(InitService::getMCCByMccmnc(QStringLiteral("46001")), QStringLiteral("460"));
    EXPECT_EQ(InitService::getMNCByMccmnc(QStringLiteral("46001")), QStringLiteral("01"));
    EXPECT_EQ(InitService::getMCCByMccmnc(QStringLiteral("310260")), QStringLiteral(""));

    // The configuration sees the text unchanged, also for a three-digit MNC.
    service_->setImsi(kImsiUs);
    registerOn(QStringLiteral("310"), QStringLiteral("260"), InitService::Roaming);
    EXPECT_EQ(service_->currentRmccrmnc(), QStringLiteral("31260"));
    EXPECT_EQ(service_->currentHmccmnc(), QStringLiteral("31026"));
}

TEST_F(InitServiceTest, FriendlyNetworkWithThreeDigitMnc)
{
    // SPDI: MCC 312 MNC 60 (text 31260) and MCC 311 MNC 480.
    service_->doParseEF_SPDI("A308800613F206130184");
    EXPECT_EQ(service_->friendlyNetList(), (QStringList{QStringLiteral("31260"), QStringLiteral("311480")}));

    service_->setImsi(kImsiUs);
    registerOn(QStringLiteral("310"), QStringLiteral("260"), InitService::Roaming);
    EXPECT_FALSE(service_->checkCurrentIsFriendlyNetWork()); // not taken for 312/60
    registerOn(QStringLiteral("312"), QStringLiteral("60"), InitService::Roaming);
    EXPECT_TRUE(service_->checkCurrentIsFriendlyNetWork());
    registerOn(QStringLiteral("311"), QStringLiteral("480"), InitService::Roaming);
    EXPECT_TRUE(service_->checkCurrentIsFriendlyNetWork());
    EXPECT_EQ(service_->isHomeOrFriendly(QStringLiteral("311480")), QVariant(QStringLiteral("311480")));
}

TEST_F(InitServiceTest, HomeNetworkOfImsiEntersTheTable)
{
    EXPECT_EQ(service_->enterHomeNetworkOfImsi(kImsiChina), QStringLiteral("46001"));
    EXPECT_EQ(service_->isHomeOrFriendly(QStringLiteral("46001")), QVariant(QStringLiteral("46001")));

    service_->setHomeMncLength(3);
    EXPECT_EQ(service_->enterHomeNetworkOfImsi(kImsiUs), QStringLiteral("310260"));
    EXPECT_EQ(service_->isHomeOrFriendly(QStringLiteral("310260")), QVariant(QStringLiteral("310260")));
    EXPECT_FALSE(service_->isHomeOrFriendly(QStringLiteral("31026")).isValid());

    EXPECT_EQ(service_->enterHomeNetworkOfImsi(QStringLiteral("4600")), QStringLiteral(""));
}

TEST_F(InitServiceTest, RoamType)
{
    struct Row { const char *label; QString imsi; QString mcc, mnc; bool withParts; int status; int type; };
    const Row rows[] = {
        {"national", kImsiChina, "460", "00", true, InitService::Roaming, InitService::NationalRoam},
        {"international", kImsiChina, "262", "02", true, InitService::Roaming, InitService::InternationalRoam},
        {"home", kImsiChina, "460", "01", true, InitService::Home, InitService::NotRoaming},
        {"undetermined", kImsiChina, "460", "01", true, InitService::RoamUndetermined, InitService::RoamTypeUnknown},
        // 310/260 forms the text 31260, whose first three characters are 312.
        {"3-digit national, parts known", kImsiUs, "310", "260", true, InitService::Roaming, InitService::NationalRoam},
        {"3-digit, text alone", kImsiUs, "310", "260", false, InitService::Roaming, InitService::InternationalRoam},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.label);
        service_->setImsi(r.imsi);
        registerOn(r.mcc, r.mnc, r.status);
        if (!r.withParts)
            service_->setCurrentNetworkMccAndMnc({}, {});
        EXPECT_EQ(service_->getNetWorkRoamType(), r.type);
    }
}

// ---- Strategy choice ------------------------------------------------------------------------

struct ChoiceRow {
    const char *label;
    std::function<void(InitServiceTest &, InitService &)> setup;
    const char *strategy;
};

TEST_F(InitServiceTest, StrategyChoiceFirstMatchWins)
{
    using T = InitServiceTest;
    const auto on = [](const char *module, const char *key) {
        return [=](T &t, InitService &) { t.put(module, key, true); };
    };
    const ChoiceRow rows[] = {
        {"default", [](T &, InitService &) {}, "YspnShowBy3gpp"},
        {"no domain", [](T &, InitService &s) { s.setNetworkMode(0); }, "YnoShowAny"},
        {"no network", [](T &, InitService &s) { s.setCurrentRmccRmnc(QString()); }, "YnoShowAny"},
        {"Not Found", [](T &, InitService &s) { s.setLocalSpn(QStringLiteral("Not Found")); }, "YnoShowAny"},
        {"search model", on("SearchRegistModel", nullptr), "YnoShowAny"},
        {"POSLAT", on("Init", "ShowSPNForPOSLAT"), "YonlyShowLocalSpn"},
        {"POSLAT with PNN/OPL", [](T &t, InitService &s) { t.put("Init", "ShowSPNForPOSLAT", true); s.setPnnOplFlag(1); },
         "YonlyShowLocalSpnAndlowerPriorityThanHomeSpn"},
        {"national roam, roaming nationally",
         [](T &t, InitService &) { t.put("Init", "DisplayBelongToSPNWhenNationalRoam", true);
                                   t.registerOn("460", "00", InitService::Roaming); },
         "YspnShowBy3gppAndLocalSpnReplacedByHomeSpn"},
        {"national roam, abroad",
         [](T &t, InitService &) { t.put("Init", "DisplayBelongToSPNWhenNationalRoam", true);
                                   t.registerOn("262", "02", InitService::Roaming); },
         "YspnShowBy3gpp"},
        {"long format, roaming",
         [](T &t, InitService &s) { t.put("displayLongFormatSPNWhenRoamOn", nullptr, true);
                                    s.setNetworkRoamStatus(InitService::Roaming); },
         "YshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp"},
        {"long format, home", on("displayLongFormatSPNWhenRoamOn", nullptr), "YspnShowBy3gpp"},
        {"always local", on("Main", "AlwaysShowLocalSPN"), "YshowHomeSpnBy3gppAndyLocalSpnNotBy3gpp"},
        {"only home", on("Init", "OnlyShowBelonetoSPN"), "YonlyShowHomeSpnAndHigherPriorityThanLocalSpn"},
        {"only PLMN", on("DisplayOnlyPLMN", nullptr), "YonlyShowLocalSpnAndlowerPriorityThanHomeSpn"},
        {"fixed local", on("Init", "ShowFixedLocalSPN"), "YonlyShowFixedLocalSpn"},
        {"local over home", on("Init", "Init_OnlyShowLocalSpn_AndHighPriorityThanHomeSpn"),
         "YonlyShowLocalSpnAndHighPriorityThanHomeSpn"},
        {"POSLAT before always-local",
         [](T &t, InitService &) { t.put("Init", "ShowSPNForPOSLAT", true); t.put("Main", "AlwaysShowLocalSPN", true); },
         "YonlyShowLocalSpn"},
        {"search model before POSLAT",
         [](T &t, InitService &) { t.put("Init", "ShowSPNForPOSLAT", true); t.put("SearchRegistModel", nullptr, true); },
         "YnoShowAny"},
        {"switch off as text", [](T &t, InitService &) { t.put("Init", "ShowFixedLocalSPN", QStringLiteral("no")); },
         "YspnShowBy3gpp"},
    };
    for (const ChoiceRow &r : rows) {
        SCOPED_TRACE(r.label);
        SetUp();
        registerOn(QStringLiteral("460"), QStringLiteral("01"), InitService::Home);
        r.setup(*this, *service_);
        EXPECT_STREQ(service_->spnDisplayProtocolSet()->className(), r.strategy);
    }
}

TEST_F(InitServiceTest, DisplayedNamesByThe3gppRules)
{
    service_->doParseEF_SPN("02414243"); // condition 2, SPN "ABC"
    // Foreign, unfriendly network: condition 2 leaves out the SPN.
    registerOn(QStringLiteral("262"), QStringLiteral("02"), InitService::Roaming, QStringLiteral("Telekom"));
    YspnShowBase *p = service_->getSpnDisplayProtocol();
    EXPECT_STREQ(p->className(), "YspnShowBy3gpp");
    EXPECT_EQ(p->getLocalSpn(), QStringLiteral("Telekom"));
    EXPECT_EQ(p->getHomeSpn(), QStringLiteral(""));
    EXPECT_EQ(p->roamType(), InitService::InternationalRoam);

    // Home network, condition 0: the local name is left out.
    service_->doParseEF_SPN("00414243");
    registerOn(QStringLiteral("460"), QStringLiteral("01"), InitService::Home, QStringLiteral("China Mobile"));
    p = service_->getSpnDisplayProtocol();
    EXPECT_EQ(p->getLocalSpn(), QStringLiteral(""));
    EXPECT_EQ(p->getHomeSpn(), QStringLiteral("ABC"));

    // An SPDI network counts as home even while the device reports roaming.
    service_->doParseEF_SPDI("A305800362F220");
    registerOn(QStringLiteral("262"), QStringLiteral("02"), InitService::Roaming, QStringLiteral("Telekom"));
    p = service_->getSpnDisplayProtocol();
    EXPECT_EQ(p->getLocalSpn(), QStringLiteral(""));
    EXPECT_EQ(p->getHomeSpn(), QStringLiteral("ABC"));
}

TEST_F(InitServiceTest, NotFoundShowsNoName)
{
    service_->doParseEF_SPN("01414243");
    registerOn(QStringLiteral("460"), QStringLiteral("01"), InitService::Home, QStringLiteral("Not Found"));
    put("Main", "AlwaysShowLocalSPN", true);
    YspnShowBase *p = service_->getSpnDisplayProtocol();
    EXPECT_STREQ(p->className(), "YnoShowAny");
    EXPECT_EQ(p->getLocalSpn(), QStringLiteral(""));
    EXPECT_EQ(p->getHomeSpn(), QStringLiteral(""));
}

TEST_F(InitServiceTest, LongFormatNameWhileRoaming)
{
    put("displayLongFormatSPNWhenRoamOn", nullptr, true);
    service_->doParseEF_SPN("01"); // the network's name is wanted at home too
    service_->setLongFormatLocalSpn(QStringLiteral("Deutsche Telekom"));
    registerOn(QStringLiteral("262"), QStringLiteral("01"), InitService::Roaming, QStringLiteral("T-Mobile"));
    EXPECT_EQ(service_->getSpnDisplayProtocol()->getLocalSpn(), QStringLiteral("Deutsche Telekom"));
    registerOn(QStringLiteral("262"), QStringLiteral("01"), InitService::Home, QStringLiteral("T-Mobile"));
    EXPECT_EQ(service_->getSpnDisplayProtocol()->getLocalSpn(), QStringLiteral("T-Mobile"));
}

// ---- Operator replacements of the names -----------------------------------------------------

TEST_F(InitServiceTest, LocalNameReplacements)
{
    struct Row {
        const char *label;
        std::function<void(InitServiceTest &)> setup;
        QString registered; // mccmnc text
        int status;
        QString local;
        QString expect; // null: none
    };
    const QVariantMap specific{{QStringLiteral("46001"), QStringLiteral("XXSpecial")}};
    const Row rows[] = {
        {"as reported", [](InitServiceTest &) {}, "46002", 1, "Net", "Net"},
        {"no name", [](InitServiceTest &) {}, "46002", 1, QString(), QString()},
        {"specific network roaming", [=](InitServiceTest &t) { t.put("Init", "Init_specificMccAndMnc", specific); },
         "46001", 0, "Net", "XXSpecial"},
        {"specific network at home", [=](InitServiceTest &t) { t.put("Init", "Init_specificMccAndMnc", specific); },
         "46001", 1, "Net", "Special"},
        {"specific, other network", [=](InitServiceTest &t) { t.put("Init", "Init_specificMccAndMnc", specific); },
         "46002", 1, "Net", "Net"},
        {"only SPN at home", [](InitServiceTest &t) { t.put("Init", "Init_OnlyShowBelongtoSpn_WhenRoamOff", true); },
         "46002", 1, "Net", ""},
        {"only SPN at home, roaming", [](InitServiceTest &t) { t.put("Init", "Init_OnlyShowBelongtoSpn_WhenRoamOff", true); },
         "46002", 0, "Net", "Net"},
        {"fixed name for the SIM",
         [](InitServiceTest &t) {
             t.put("Init", "Init_SimHMCCMNCList_NeededChangeSPN", QVariantList{QStringLiteral("46001")});
             t.put("Init", "Init_FixedLocalSPN_AccordingBelongMCCMNC", QVariantMap{{QStringLiteral("46001"), QStringLiteral("Fixed")}});
             t.put("Init", "Init_ChangeLocalSPN_IfMatchedSpecialMCCMNC", QVariantMap{{QStringLiteral("46002"), QStringLiteral("Changed")}});
         },
         "46002", 1, "Net", "Fixed"},
        {"changed name for the network",
         [](InitServiceTest &t) {
             t.put("Init", "Init_SimHMCCMNCList_NeededChangeSPN", QVariantList{QStringLiteral("46001")});
             t.put("Init", "Init_ChangeLocalSPN_IfMatchedSpecialMCCMNC", QVariantMap{{QStringLiteral("46002"), QStringLiteral("Changed")}});
         },
         "46002", 1, "Net", "Changed"},
        {"SIM not listed",
         [](InitServiceTest &t) {
             t.put("Init", "Init_SimHMCCMNCList_NeededChangeSPN", QVariantList{QStringLiteral("26202")});
             t.put("Init", "Init_ChangeLocalSPN_IfMatchedSpecialMCCMNC", QVariantMap{{QStringLiteral("46002"), QStringLiteral("Changed")}});
         },
         "46002", 1, "Net", "Net"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.label);
        SetUp();
        r.setup(*this);
        service_->setCurrentRmccRmnc(r.registered);
        service_->setNetworkRoamStatus(r.status);
        service_->setLocalSpn(r.local);
        const QString name = service_->localSpn();
        EXPECT_EQ(name.isNull(), r.expect.isNull());
        EXPECT_EQ(name, r.expect);
    }
}

TEST_F(InitServiceTest, HomeNameReplacements)
{
    const QVariantMap customHome{{QStringLiteral("46002"), QStringLiteral("CustomHome")}};
    const QVariantMap belong{{QStringLiteral("46001"), QStringLiteral("Belong")}};
    const QVariantList simList{QStringLiteral("46001")};
    struct Row { const char *label; bool custom; bool listed; QString registered; const char *spnHex; const char *expect; };
    const Row rows[] = {
        {"as read", false, false, "46002", "01414243", "ABC"},
        {"custom for the network", true, false, "46002", "01", "CustomHome"},
        {"custom, other network", true, false, "46003", "01414243", "ABC"},
        {"no SPN", false, true, "46002", "01", ""},
        {"belong name for the SIM", false, true, "46002", "01414243", "Belong"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.label);
        SetUp();
        if (r.custom)
            put("Init", "Init_changeHomeSPN_IfMatchedSpecialMCCMNC", customHome);
        if (r.listed) {
            put("Init", "Init_SimHMCCMNCList_NeededChangeSPN", simList);
            put("Init", "Init_ChangeBelongSPN_IfMatchedSpecialMCCMNC", belong);
        }
        service_->setCurrentRmccRmnc(r.registered);
        service_->doParseEF_SPN(r.spnHex);
        EXPECT_EQ(service_->homeSpn(), QString::fromLatin1(r.expect));
    }
}

TEST_F(InitServiceTest, TestOverridesReplaceTheState)
{
    put("TestSpn", "Test_Spnshow_Flag", true);
    put("TestSpn", "Test_LocalSpn", QStringLiteral("TestLocal"));
    put("TestSpn", "Test_HomeSpn", QStringLiteral("TestHome"));
    put("TestSpn", "Test_FriendlyList", QVariantList{QStringLiteral("26202")});
    put("TestSpn", "Test_CurrentLocalMccMnc", QStringLiteral("26202"));
    put("TestSpn", "Test_CurrentHomeMccMnc", QStringLiteral("46001"));
    put("TestSpn", "Test_The1and2Field", 0);
    registerOn(QStringLiteral("460"), QStringLiteral("01"), InitService::Roaming);

    YspnShowBase *p = service_->getSpnDisplayProtocol();
    EXPECT_EQ(service_->currentRmccrmnc(), QStringLiteral("26202"));
    EXPECT_EQ(service_->imsi(), QStringLiteral("46001"));
    EXPECT_TRUE(service_->checkCurrentIsFriendlyNetWork());
    EXPECT_EQ(p->getLocalSpn(), QStringLiteral("")); // condition 0 on a friendly network
    EXPECT_EQ(p->getHomeSpn(), QStringLiteral("TestHome"));
}

// ---- Links ----------------------------------------------------------------------------------

TEST_F(InitServiceTest, LinkEncipherment)
{
    const QString imsi = kImsiChina;
    char fixed[17] = {};
    EncryptServicesMain((imsi.toLatin1() + "0").constData(), fixed, sizeof fixed);
    EXPECT_EQ(service_->encode(imsi), QByteArray(fixed)); // pattern 0 when missing

    put("Main", "Main_EncryptURLPattern_IfNeeded", 1);
    EXPECT_TRUE(service_->encode(imsi).isEmpty()); // no key
    put("Main", "Main_EncryptSerectKey_IfNeededEncrypt", QStringLiteral("key"));
    EXPECT_EQ(service_->encode(imsi).size(), 32);

    put("Main", "Main_EncryptURLPattern_IfNeeded", 2);
    EXPECT_TRUE(service_->encode(imsi).isEmpty());
}

TEST_F(InitServiceTest, MainPageAddress)
{
    EXPECT_EQ(service_->getInternetAddressAtMainPage(), QStringLiteral(""));
    put("Main", "Main_TextLinkAddress", QStringLiteral("http://example.org/"));
    EXPECT_EQ(service_->getInternetAddressAtMainPage(), QStringLiteral("http://example.org/"));
}

// ---- The second parser --------------------------------------------------------------------

TEST(InitServiceTransplant, ParsesAsInitService)
{
    InitServiceTransplant t;
    t.doParseEF_SPN("0180004100420043FFFF");
    EXPECT_EQ(t.spnStr(), QStringLiteral("ABC"));
    EXPECT_EQ(t.condForSPN(), 1);
    t.doParseEF_SPDI("A305800364F010");
    EXPECT_EQ(t.isHomeOrFriendly(QStringLiteral("46001")), QVariant(QStringLiteral("46001")));
    t.doParseEF_ICCID("98101032547698103254");
    EXPECT_EQ(t.iccidStr(), QStringLiteral("89010123456789012345"));
    t.setNetworkMode(2);
    EXPECT_FALSE(t.hasCSDomain());
    EXPECT_TRUE(t.hasPSDomain());
    t.setNetworkMode(1);
    EXPECT_TRUE(t.hasCSDomain());
}

} // namespace
