#include "NetworkTestSupport.h"

using namespace ostrel;
using namespace nettest;

namespace {

class RegistrationTest : public NetworkFixture {
public:
    NetworkRegistration &reg() { return logic_->registration; }
    NetworkEffects netInfo(const QByteArray &technology, const QByteArray &domain, const NetworkContext &c = {})
    {
        return reg().dealWithMsgOfCheckNetInfo(record(7, 36, netInfo36Payload(technology, domain)), c);
    }
    NetworkEffects icera(float registration, const QByteArray &mccmnc, const QByteArray &netText,
                         const QByteArray &bearer, const NetworkContext &c = {})
    {
        return reg().dealWithMsgOfCheckNetInfoForIcera(record(7, 46, icera46Payload(registration, mccmnc, netText, bearer)), c);
    }
};

TEST_F(RegistrationTest, ServiceDomainGivesModeMarkAndPacketDomain)
{
    struct Case {
        const char *domain;
        int mode;
        const char *mark;
        const char *status;
        bool ps;
        const char *modemState; // null: not told
    };
    const Case cases[] = {
        {"CS_ONLY", 1, "C", "UMTS", false, "Init_tfdStarting Device"},
        {"PS_ONLY", 2, "P", "UMTS", true, "Init_tfdStarting Device"},
        {"CS_PS", 3, "P C", "UMTS", true, "Init_tfdData Not Connected"},
        {"CS_PS ", 0, "", "No Service", false, nullptr}, // the comparison is exact
        {"", 0, "", "No Service", false, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.domain);
        const NetworkEffects e = netInfo("UMTS", c.domain);
        EXPECT_EQ(reg().networkMode(), c.mode);
        EXPECT_EQ(service_->networkMode(), c.mode);
        EXPECT_EQ(e.domainMark, QString::fromLatin1(c.mark));
        EXPECT_EQ(e.networkStatus, QString::fromLatin1(c.status));
        EXPECT_EQ(e.posted(QStringLiteral("init_NetworkStatus")), QVariantList{QString::fromLatin1(c.status)});
        EXPECT_EQ(e.posted(QStringLiteral("init_DomainName")), QVariantList{QString::fromLatin1(c.mark)});
        EXPECT_EQ(e.psDomainStatus, c.ps);
        EXPECT_EQ(e.activationSmsMode, c.mode);
        EXPECT_EQ(e.modemAndSimStateString.has_value(), c.modemState != nullptr);
        if (c.modemState) {
            EXPECT_EQ(*e.modemAndSimStateString, QString::fromLatin1(c.modemState));
        }
        if (c.mode == 0) {
            // No service: roaming not determined, both names emptied.
            EXPECT_EQ(e.posted(QStringLiteral("init_RoamStatus")), QVariantList{2});
            EXPECT_EQ(e.posted(QStringLiteral("init_LocalSPN")), QVariantList{QString()});
            EXPECT_EQ(e.posted(QStringLiteral("init_BeloneToSPN")), QVariantList{QString()});
        } else {
            EXPECT_TRUE(e.posted(QStringLiteral("init_RoamStatus")).isEmpty());
        }
        EXPECT_EQ(reg().hasCSDomain(), (c.mode & 1) != 0);
        EXPECT_EQ(reg().hasPSDomain(), (c.mode & 2) != 0);
    }
}

TEST_F(RegistrationTest, PacketDomainNoticeRules)
{
    NetworkContext c;
    c.dialFunctionEnabled = false;
    EXPECT_FALSE(netInfo("UMTS", "CS_PS", c).psDomainStatus.has_value());

    c.dialFunctionEnabled = true;
    c.connectBtnEnableDedorud = false;
    EXPECT_EQ(netInfo("UMTS", "CS_PS", c).psDomainStatus, true);
    put("USSD", nullptr, QVariantMap{{QStringLiteral("DisableUSSDToolbarForDEdorud"), true}});
    EXPECT_EQ(netInfo("UMTS", "CS_PS", c).psDomainStatus, false);

    put("EnableConnectByNetStatus", nullptr, true);
    EXPECT_FALSE(netInfo("UMTS", "CS_ONLY", c).psDomainStatus.has_value());
    EXPECT_TRUE(reg().hasPSDomain()); // answers the circuit-switched domain
    EXPECT_TRUE(reg().checkToReturnPSDomain());
    netInfo("UMTS", "PS_ONLY");
    EXPECT_FALSE(reg().checkToReturnPSDomain());
    put("Internet", "AutoConnectDoNotCheckPSDomain", true);
    EXPECT_TRUE(reg().checkToReturnPSDomain());
}

TEST_F(RegistrationTest, DisplayedTechnology)
{
    struct Case {
        const char *in;
        const char *ita;
        const char *vuzod;
    };
    const Case cases[] = {
        {"GPRS", "2G", "GPRS-x"},   {"EDGE", "2G", "EDGE-x"},     {"GSM", "2G", "GSM-x"},
        {"UMTS", "3G", "UMTS-x"},   {"HSDPA", "H", "HSDPA-x"},    {"HSUPA", "H", "HSUPA-x"},
        {"HSPA+", "H+", "HSPA+-x"}, {"DC-HSPA+", "H+", "DC-HSPA+-x"}, {"LTE", "LTE", "LTE-x"},
        {"No Service", "No Service", "No Service"},
    };
    put("Main", "AppendingString", QStringLiteral("-x"));
    for (const Case &c : cases) {
        SCOPED_TRACE(c.in);
        const QString in = QString::fromLatin1(c.in);
        EXPECT_EQ(reg().getDisplayNetWorkTypeWithNetType(in), in);
        put("Main", "displayNetTypeAccordingVuzod", true);
        EXPECT_EQ(reg().getDisplayNetWorkTypeWithNetType(in), QString::fromLatin1(c.vuzod));
        put("Main", "displayNetTypeAccordingD3UFromIta", true); // wins over the other
        EXPECT_EQ(reg().getDisplayNetWorkTypeWithNetType(in), QString::fromLatin1(c.ita));
        put("Main", "displayNetTypeAccordingD3UFromIta", false);
        put("Main", "displayNetTypeAccordingVuzod", false);
    }
    EXPECT_EQ(reg().getDisplayNetWorkTypeWithNetType(QString()), QString(QLatin1String("")));
}

TEST_F(RegistrationTest, ChipsetNetworkReportModesAndNames)
{
    struct Case {
        const char *netText;
        const char *bearer;
        int mode;
        const char *name;
    };
    const Case cases[] = {
        {"3G", "-", 3, "UMTS"},
        {"2g EDGE", "-", 1, "EDGE"},
        {"2g edge", "-", 1, "EDGE"},
        {"2G gprs", "-", 3, "GPRS"},
        {"3g HSPA+DC", "-", 1, "HSPA+DC"},
        {"3G HSPA+", "-", 3, "HSPA+"},
        {"3G HSUPA", "-", 3, "HSUPA"},
        {"2G", "-", 3, "GSM"},
        {"3G 0", "-", 0, "No Service"}, // the digit zero anywhere
        {"LTE", "-", 0, "No Service"},
        {"3G", "HSPA+", 3, "HSPA+"},
        {"3g", "DC HSUPA", 1, "HSUPA"},
        {"3G", "HSDPA", 3, "HSDPA"},
        {"3G", "R99", 3, "UMTS"},
        {"3g", "XYZ", 1, "XYZ"},
        {"4G", "R99", 0, "UMTS"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.netText << " / " << c.bearer);
        const NetworkEffects e = icera(1.0f, "46001", c.netText, c.bearer);
        EXPECT_EQ(reg().networkMode(), c.mode);
        EXPECT_EQ(e.networkStatus, QString::fromLatin1(c.name));
    }
}

TEST_F(RegistrationTest, ChipsetNetworkReportNotRegistered)
{
    for (float value : {0.0f, -1.0f}) {
        const NetworkEffects e = icera(value, "", "3G", "-");
        EXPECT_EQ(e.networkStatus, QStringLiteral("No Service"));
        EXPECT_EQ(reg().networkMode(), 0);
    }
    put("SearchRegistModel", nullptr, true);
    EXPECT_FALSE(icera(0.0f, "", "3G", "-").networkStatus.has_value());
}

TEST_F(RegistrationTest, SearchRegisterModelSkipsTheFirstRegisteredReport)
{
    put("SearchRegistModel", nullptr, true);
    ASSERT_TRUE(store_->writeToFile());
    EXPECT_FALSE(icera(1.0f, "46001", "3G", "-").networkStatus.has_value());
    EXPECT_TRUE(yov::nsBool(saved("SearchRegistModel")));
    EXPECT_EQ(icera(1.0f, "46001", "3G", "-").networkStatus, QStringLiteral("UMTS"));
    EXPECT_FALSE(yov::nsBool(saved("SearchRegistModel")));
    EXPECT_TRUE(saved("SearchRegistModel").isValid());
}

TEST_F(RegistrationTest, TechnologyAlertFromUmtsWhileConnected)
{
    put("Internet", "Internet_RoamAlertAtNetFrom3GTo2G", true);
    NetworkContext connected;
    connected.connectStatus = 3;
    icera(1.0f, "46001", "3G", "-", connected);
    EXPECT_TRUE(icera(1.0f, "46001", "2G EDGE", "-", connected).show3GTo2GAlert);
    icera(1.0f, "46001", "3G", "-", connected);
    EXPECT_FALSE(icera(1.0f, "46001", "3G HSPA", "-", connected).show3GTo2GAlert); // still UMTS
    EXPECT_FALSE(icera(1.0f, "46001", "2G", "-").show3GTo2GAlert);                // not connected
}

TEST_F(RegistrationTest, PlmnReportMccmncTextTwoAndThreeDigitMnc)
{
    struct Case {
        const char *mcc;
        const char *mnc;
        const char *mccmnc; // the text kept, stored and sent
        const char *digits; // MCC and MNC as reported
    };
    const Case cases[] = {
        {"460", "01", "46001", "46001"},
        {"262", "02", "26202", "26202"},
        {"310", "260", "31260", "310260"},
        {"405", "854", "40D54", "405854"}, // the MNC carries into the MCC digits
    };
    put("APNMatchWithMCCMNC", nullptr, true);
    NetworkContext c;
    c.updateSupported = true;
    for (const Case &k : cases) {
        SCOPED_TRACE(k.mccmnc);
        const NetworkEffects e = plmn(k.mcc, k.mnc, "ROAM_OFF", c);
        EXPECT_EQ(reg().mccmnc(), QString::fromLatin1(k.mccmnc));
        EXPECT_EQ(reg().registeredPlmn().digits(), QString::fromLatin1(k.digits));
        EXPECT_EQ(service_->currentRmccrmnc(), QString::fromLatin1(k.mccmnc));
        EXPECT_EQ(service_->registeredNetwork().digits(), QString::fromLatin1(k.digits));
        EXPECT_EQ(e.mccLabel, QString::fromLatin1(k.mcc));
        EXPECT_EQ(e.mncLabel, QString::fromLatin1(k.mnc));
        EXPECT_EQ(e.updateLinkMccmnc, QString::fromLatin1(k.mccmnc));
        EXPECT_EQ(e.resetDefaultProfileWithMCCMNC, QString::fromLatin1(k.mccmnc));
        EXPECT_EQ(yov::nsString(saved("CurrentMCCMNC")), QString::fromLatin1(k.mccmnc));
    }
    // The same network again: no new profile choice.
    EXPECT_FALSE(plmn("405", "854").resetDefaultProfileWithMCCMNC.has_value());
    EXPECT_EQ(reg().registeredPlmn().digits(), QStringLiteral("405854"));
}

TEST_F(RegistrationTest, PlmnReportWithoutNetworkOrUndeterminedRoaming)
{
    plmn("460", "01");
    ASSERT_EQ(reg().mccmnc(), QStringLiteral("46001"));
    plmn("460", "01", "ROAM_UNKNOWN");
    EXPECT_TRUE(reg().mccmnc().isEmpty());
    plmn("460", "01");
    plmn("", "01");
    EXPECT_TRUE(reg().mccmnc().isEmpty());

    // An unregistered report leaves the network alone.
    plmn("460", "01");
    PlmnFields f;
    f.registered = false;
    f.netMcc = "262";
    f.netMnc = "02";
    reg().dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), {});
    EXPECT_EQ(reg().mccmnc(), QStringLiteral("46001"));
}

TEST_F(RegistrationTest, UpdateLinkDeviceReadyOnlyWhileNotSent)
{
    put("newUpdate", nullptr, true);
    NetworkContext c;
    c.updateSupported = true;
    EXPECT_TRUE(plmn("460", "01", "ROAM_OFF", c).updateLinkDeviceReady);
    c.updateMessageSentForMccmnc = true;
    EXPECT_FALSE(plmn("460", "01", "ROAM_OFF", c).updateLinkDeviceReady);
    c.updateSupported = false;
    EXPECT_FALSE(plmn("460", "01", "ROAM_OFF", c).updateLinkMccmnc.has_value());
}

TEST_F(RegistrationTest, PlatformFlagOfPlmnReportMeansPacketDomain)
{
    PlmnFields f;
    f.netMcc = "460";
    f.netMnc = "01";
    const NetworkEffects e = reg().dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f), 0, 0, 1, true), {});
    EXPECT_EQ(e.psDomainStatus, true);
    EXPECT_FALSE(plmn("460", "01").psDomainStatus.has_value());
}

TEST_F(RegistrationTest, NetworkChangeComparesMccAndMncWithTheMncsOwnLength)
{
    struct Case {
        const char *mcc1, *mnc1, *mcc2, *mnc2;
        bool changed;
    };
    const Case cases[] = {
        {"460", "01", "460", "01", false},
        {"460", "01", "460", "00", true},
        {"262", "02", "262", "2", false},    // "2" is MNC 02
        {"310", "260", "312", "60", true},   // both "31260"
        {"310", "260", "310", "260", false},
        {"310", "26", "310", "260", true},
    };
    // The filter makes a change visible: the first report of a new network is held back.
    put("Main", "filterTheFirstYdonYpasWhenNetWorkChanged", true);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.mcc1 << c.mnc1 << " -> " << c.mcc2 << c.mnc2);
        NetworkLogic logic(*service_, store_.get());
        PlmnFields f;
        f.netMcc = c.mcc1;
        f.netMnc = c.mnc1;
        logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), {}); // first network: filtered
        logic.registration.dealWithMsgOfCheckNetInfo(record(7, 36, netInfo36Payload("UMTS", "CS_PS")), {});
        logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), {});
        ASSERT_FALSE(logic.registration.firstTimeDealWithYpasWhenNetWorkChanged());
        const QString before = logic.registration.mccmnc();
        f.netMcc = c.mcc2;
        f.netMnc = c.mnc2;
        logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), {});
        EXPECT_EQ(logic.registration.firstTimeDealWithYpasWhenNetWorkChanged(), c.changed);
        if (c.changed) {
            // Held back: the old network stays until the next report.
            EXPECT_EQ(logic.registration.mccmnc(), before);
            EXPECT_TRUE(logic.registration.dealWithMsgOfCheckNetInfo(record(7, 36, netInfo36Payload("UMTS", "CS_PS")), {})
                            .notifications.isEmpty());
        }
    }
}

TEST_F(RegistrationTest, ChipsetReportNetworkChangeWithThreeDigitMnc)
{
    put("Internet", "InternetWhiteList", QVariantMap{{QStringLiteral("a"), QStringLiteral("310260")},
                                                     {QStringLiteral("b"), QStringLiteral("31260")}});
    put("Internet", "paySameAsHomeNetIfIsWhilteNet", true);
    service_->setNetworkRoamStatus(0);
    logic_->roaming.setNetworkRoamStatus(0);
    // The white-list sheet is one of the network-change actions.
    EXPECT_TRUE(icera(1.0f, "310260", "3G", "-").showWhiteListSheet);
    EXPECT_EQ(reg().mccmnc(), QStringLiteral("310260"));
    EXPECT_EQ(service_->registeredNetwork().digits(), QStringLiteral("310260"));
    EXPECT_FALSE(icera(1.0f, "310260", "3G", "-").showWhiteListSheet);
    EXPECT_TRUE(icera(1.0f, "31260", "3G", "-").showWhiteListSheet); // 312/60
}

TEST_F(RegistrationTest, HomeMncLengthFromThePlmnReportDecidesTheHomeNetwork)
{
    // SIM of 310/260 (three-digit MNC); SPN "Home", display condition 0.
    service_->setImsi(QStringLiteral("310260123456789"));
    service_->enterHomeNetworkOfImsi(service_->imsi()); // as the IMSI handling does before 7/37
    reg().dealWithMsgOfCheckSPN(record(7, 40, QByteArray("00486F6D65FFFF")));
    ASSERT_EQ(reg().m_SPN(), QStringLiteral("Home"));
    homeMcc_ = "310";
    homeMnc_ = "260";
    bothDomains();

    struct Case {
        const char *mcc, *mnc;
        const char *local; // shown names
        const char *home;
    };
    const Case cases[] = {
        {"310", "260", "", "Home"},        // home network: SPN, no local name under condition 0
        {"312", "60", "Operator", "Home"}, // same "31260" text, another network
        {"310", "26", "Operator", "Home"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.mcc << c.mnc);
        const NetworkEffects e = plmn(c.mcc, c.mnc);
        EXPECT_EQ(e.localSpn.value_or(QStringLiteral("?")), QString::fromLatin1(c.local));
        EXPECT_EQ(e.homeSpn.value_or(QStringLiteral("?")), QString::fromLatin1(c.home));
    }
    EXPECT_EQ(service_->homeMncLength(), 3);
    EXPECT_EQ(service_->homeNetwork().digits(), QStringLiteral("310260"));
}

TEST_F(RegistrationTest, TwoDigitHomeNetworkNames)
{
    service_->setImsi(QStringLiteral("460011234567890"));
    service_->enterHomeNetworkOfImsi(service_->imsi());
    reg().dealWithMsgOfCheckSPN(record(7, 40, QByteArray("01414243FF")));
    ASSERT_EQ(reg().m_DisplayCondForSpn(), 1);
    bothDomains();
    NetworkEffects e = plmn("460", "01");
    EXPECT_EQ(e.localSpn, QStringLiteral("Operator")); // condition 1: the network name too
    EXPECT_EQ(e.homeSpn, QStringLiteral("ABC"));
    EXPECT_EQ(e.posted(QStringLiteral("init_BeloneToSPN")).last().toString(), QStringLiteral("ABC"));
    e = plmn("262", "02", "ROAM_ON");
    EXPECT_EQ(e.localSpn, QStringLiteral("Operator"));
    EXPECT_EQ(e.homeSpn, QStringLiteral("ABC")); // condition 0 or 1 away from home
}

TEST_F(RegistrationTest, DirectOperatorNameRules)
{
    bothDomains();
    struct Case {
        const char *module;
        const char *key;
        const char *local;
        const char *home;
    };
    // No SPN on the SIM.
    const Case cases[] = {
        {nullptr, nullptr, "Operator", ""},
        {"DisplayOnlyPLMN", nullptr, "Operator", ""},
        {"Init", "ShowFixedLocalSPN", "fixed local SPN", ""},
        {"Init", "ShowSPNForPOSLAT", "Operator", ""},
        {"Init", "OnlyShowBelonetoSPN", "Operator", "Operator"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key ? c.key : (c.module ? c.module : "none"));
        if (c.module)
            put(c.module, c.key, true);
        const NetworkEffects e = plmn("262", "02");
        EXPECT_EQ(e.localSpn, QString::fromLatin1(c.local));
        EXPECT_EQ(e.homeSpn, QString::fromLatin1(c.home));
        EXPECT_EQ(e.posted(QStringLiteral("init_LocalSPN")).last().toString(), QString::fromLatin1(c.local));
        if (c.module)
            put(c.module, c.key, false);
    }
    // Nothing while no domain is registered.
    netInfo("UMTS", "");
    EXPECT_FALSE(plmn("262", "02").localSpn.has_value());
}

TEST_F(RegistrationTest, NationalRoamingShowsTheSecondName)
{
    put("Init", "DisplayBelongToSPNWhenNationalRoam", true);
    bothDomains();
    PlmnFields f;
    f.name = "Visited";
    f.secondName = "Belong";
    f.netMcc = "460";
    f.netMnc = "03";
    f.homeMcc = "460";
    f.homeMnc = "01";
    f.roam = "ROAM_ON";
    EXPECT_EQ(reg().dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), {}).localSpn, QStringLiteral("Belong"));
    f.netMcc = "262";
    EXPECT_EQ(reg().dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), {}).localSpn, QStringLiteral("Visited"));
}

TEST_F(RegistrationTest, StrategyNamesWhenShownByTheNewMethod)
{
    put("Init", "Init_ShowSpnByNewMethod", true);
    put("Init", "OnlyShowBelonetoSPN", true);
    bothDomains();
    const NetworkEffects e = plmn("262", "02");
    EXPECT_EQ(e.localSpn, QString(QLatin1String("")));
    EXPECT_EQ(e.homeSpn, QStringLiteral("Operator")); // no SPN: the network name in its place
}

TEST_F(RegistrationTest, NotFoundOperatorMeansNoServiceOnTheChipsetReport)
{
    put("DisplayOnlyPLMN", nullptr, true);
    bothDomains();
    PlmnFields f;
    f.name = "Not Found";
    f.netMcc = "460";
    f.netMnc = "01";
    reg().dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), {});
    EXPECT_EQ(icera(1.0f, "46001", "3G", "-").networkStatus, QStringLiteral("No Service"));
}

TEST_F(RegistrationTest, NetworkStatusTextNotificationAndBroadcast)
{
    put("DynamicConvertNetworkName", nullptr, true);
    NetworkEffects e;
    reg().setNetworkStatus(QStringLiteral("HSPA+"), 1, e);
    EXPECT_TRUE(e.clearBroadcastMessage);
    ASSERT_EQ(e.notifications.size(), 1);
    EXPECT_TRUE(e.notifications[0].localise);
    e = {};
    reg().setNetworkStatus(QStringLiteral("EDGE"), 1, e);
    EXPECT_FALSE(e.clearBroadcastMessage);
    e = {};
    reg().setNetworkStatus(QString(), 0, e);
    EXPECT_TRUE(e.notifications.isEmpty());
    EXPECT_EQ(reg().networkName(), QStringLiteral("EDGE"));
}

TEST_F(RegistrationTest, SettingsReportsAndHomeMcc)
{
    const auto search = NetworkRegistration::dealWithMsgOfCheckSearchMode(record(513, 75, words({1, 2, 3})));
    ASSERT_TRUE(search.has_value());
    EXPECT_EQ(search->prefMode, 3);
    EXPECT_FALSE(NetworkRegistration::dealWithMsgOfCheckSearchMode(record(513, 75, words({1, 2, 3}), 1, -1)).has_value());
    EXPECT_EQ(NetworkRegistration::dealWithMsgOfCheckPreferenceMode(record(513, 80, words({2}))), 2);
    EXPECT_FALSE(reg().dealWithMsgOfCheckHPLMN(record(7, 57, words({262, 0}), 0, -1)));
    EXPECT_TRUE(reg().dealWithMsgOfCheckHPLMN(record(7, 57, words({460, 0}))));
    EXPECT_EQ(reg().currentHMcc(), 460);
}

TEST_F(RegistrationTest, ResetAndDeviceRemoval)
{
    plmn("460", "01");
    const NetworkEffects e = logic_->deviceRemoved({});
    EXPECT_TRUE(reg().mccmnc().isEmpty());
    EXPECT_EQ(e.networkStatus, QStringLiteral("No Service"));
    EXPECT_EQ(e.signalImage, QStringLiteral("rssi1"));
    EXPECT_EQ(e.evdoImage, QStringLiteral("rssi1"));
    EXPECT_EQ(e.domainMark, QString(QLatin1String("")));
    EXPECT_EQ(e.roamMark, QString(QLatin1String("")));
    EXPECT_EQ(e.roamSwitchesEnabled, false);
    EXPECT_EQ(e.posted(QStringLiteral("init_SingalStrength")), QVariantList{0});
    EXPECT_EQ(e.posted(QStringLiteral("init_RoamStatus")), QVariantList{2});
}

} // namespace
