#include "NetworkTestSupport.h"

using namespace ostrel;
using namespace nettest;

namespace {

class RoamingTest : public NetworkFixture {
public:
    RoamingLogic &roaming() { return logic_->roaming; }
    static NetworkContext connected(int status = 3)
    {
        NetworkContext c;
        c.connectStatus = status;
        return c;
    }
    // Connected on the home network 460/01, then a report of the roaming network 262/02: what that
    // report gave. f holds the last network reported.
    static NetworkEffects roamWhileConnected(NetworkLogic &logic, PlmnFields &f)
    {
        f.netMcc = "460";
        f.netMnc = "01";
        logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), connected());
        f.netMcc = "262";
        f.netMnc = "02";
        f.roam = "ROAM_ON";
        return logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), connected());
    }
};

TEST_F(RoamingTest, StatusFromReportTexts)
{
    EXPECT_EQ(RoamingLogic::getNetworkRoamStatusWithCregResult(5), 0);
    EXPECT_EQ(RoamingLogic::getNetworkRoamStatusWithCregResult(1), 1);
    for (int other : {0, 2, 3, 4, 6, -1})
        EXPECT_EQ(RoamingLogic::getNetworkRoamStatusWithCregResult(other), 2);
    EXPECT_EQ(RoamingLogic::getNetworkRoamStatusWithYdonResult(QStringLiteral("ROAM_ON")), 0);
    EXPECT_EQ(RoamingLogic::getNetworkRoamStatusWithYdonResult(QStringLiteral("ROAM_OFF")), 1);
    EXPECT_EQ(RoamingLogic::getNetworkRoamStatusWithYdonResult(QStringLiteral("roam_on")), 2);
}

TEST_F(RoamingTest, TransferTable)
{
    struct Step {
        int status;
        const char *mark;
        int transfer;
        int registered;
    };
    // Start: registered 2, transfer 2. A first registration is no transfer.
    const Step steps[] = {
        {0, "R", 2, 0}, {0, "R", 2, 0}, {1, "", 0, 1}, {1, "", 2, 1}, {2, "", 2, 1}, {0, "R", 1, 0}, {2, "", 1, 0}, {1, "", 0, 1},
    };
    for (const Step &s : steps) {
        NetworkEffects e;
        roaming().setRoamInfoWithNetworkRoamStatus(s.status, {}, e);
        EXPECT_EQ(e.roamMark, QString::fromLatin1(s.mark));
        EXPECT_EQ(e.posted(QStringLiteral("init_RoamStatus")), QVariantList{s.status});
        EXPECT_EQ(roaming().roamTransferMode(), s.transfer);
        EXPECT_EQ(roaming().registeredNetworkRoamStatus(), s.registered);
        EXPECT_EQ(roaming().networkRoamStatus(), s.status);
    }
}

TEST_F(RoamingTest, FirstRoamingReportAfterStartOffersNoDisconnect)
{
    put("Internet", "disNetWhileToRoam", true);
    homeMcc_ = "460";
    const NetworkEffects e = plmn("262", "02", "ROAM_ON", connected());
    EXPECT_EQ(e.roamMark, QStringLiteral("R"));
    EXPECT_FALSE(e.askRoamDisconnect);
    EXPECT_EQ(roaming().roamTransferMode(), 2);
}

// Home, then a roaming network while connected: the question, the answer, and the network-change
// disconnect.
TEST_F(RoamingTest, HomeToRoamingWhileConnected)
{
    struct Case {
        bool disNetWhileToRoam;
        int connectStatus;
        bool asked;
        bool disconnectAtOnce; // before any answer
    };
    const Case cases[] = {
        {true, 3, true, false},  // the answer decides
        {false, 3, false, true}, // entering roaming ends the connection
        {false, 1, false, true}, // as does a connection being made
        {true, 1, false, true},
        {true, 0, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.disNetWhileToRoam << " status " << c.connectStatus);
        put("Internet", "disNetWhileToRoam", c.disNetWhileToRoam);
        NetworkLogic logic(*service_, store_.get());
        PlmnFields f;
        f.netMcc = "460";
        f.netMnc = "01";
        f.homeMcc = "460";
        f.homeMnc = "01";
        logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), connected(c.connectStatus));
        f.netMcc = "262";
        f.netMnc = "02";
        f.roam = "ROAM_ON";
        const NetworkEffects e = logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), connected(c.connectStatus));
        EXPECT_EQ(logic.roaming.roamTransferMode(), 1);
        EXPECT_EQ(e.askRoamDisconnect, c.asked);
        EXPECT_EQ(e.disconnect, c.disconnectAtOnce);
        // A second roaming report asks nothing more.
        EXPECT_FALSE(logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), connected(c.connectStatus)).askRoamDisconnect);
    }
}

TEST_F(RoamingTest, AnswerNoKeepsTheConnectionAnswerYesEndsIt)
{
    put("Internet", "disNetWhileToRoam", true);
    for (bool yes : {false, true}) {
        SCOPED_TRACE(yes);
        NetworkLogic logic(*service_, store_.get());
        PlmnFields f;
        const NetworkEffects asked = roamWhileConnected(logic, f);
        ASSERT_TRUE(asked.askRoamDisconnect);
        ASSERT_FALSE(asked.disconnect);
        EXPECT_TRUE(logic.roaming.roamDisconnectQuestionPending());
        EXPECT_EQ(logic.roaming.answerRoamDisconnect(yes).disconnect, yes);
        // A further change of network within this roaming period respects the answer "NO".
        f.netMcc = "208";
        f.netMnc = "01";
        EXPECT_EQ(logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), connected()).disconnect, false);
    }
}

TEST_F(RoamingTest, AnAnswerThatComesAfterTheDeviceLeftRoamingChangesNothing)
{
    // The question is answered without blocking the device link, so reports may overtake it.
    put("Internet", "disNetWhileToRoam", true);
    NetworkLogic logic(*service_, store_.get());
    PlmnFields f;
    ASSERT_TRUE(roamWhileConnected(logic, f).askRoamDisconnect);
    f.netMcc = "460";
    f.netMnc = "01";
    f.roam = "ROAM_OFF";
    logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), connected());
    EXPECT_FALSE(logic.roaming.roamDisconnectQuestionPending());
    EXPECT_FALSE(logic.roaming.answerRoamDisconnect(true).disconnect) << "home again: the YES came too late";
}

TEST_F(RoamingTest, RoamingToHomeReconnectsOrCyclesProfiles)
{
    put("Internet", "autoConnectWhenRoamToNoRoam", true);
    struct Case {
        int connectStatus;
        bool allowAutoConnect;
        bool manualDisconnect;
        bool doingConnect;
        bool cycle;
        bool disconnect;
        bool reconnect;
        bool apnFlag;
    };
    const Case cases[] = {
        {3, true, false, false, true, true, false, true},
        {0, true, false, false, true, false, true, false},
        {0, false, false, false, false, false, true, false},
        {0, true, true, false, false, false, false, false},
        {0, true, false, true, true, false, false, false},
        {1, true, false, false, true, false, false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << "status " << c.connectStatus << " auto " << c.allowAutoConnect);
        NetworkLogic logic(*service_, store_.get());
        NetworkContext ctx = connected(c.connectStatus);
        ctx.allowAutoConnect = c.allowAutoConnect;
        ctx.hadDoManualDisconnect = c.manualDisconnect;
        ctx.isDoingConnect = c.doingConnect;
        PlmnFields f;
        f.netMcc = "262";
        f.netMnc = "02";
        f.roam = "ROAM_ON";
        logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), ctx);
        f.netMcc = "460";
        f.netMnc = "01";
        f.roam = "ROAM_OFF";
        const NetworkEffects e = logic.registration.dealWithMsgOfCheckPLMN(record(7, 37, plmnPayload(f)), ctx);
        EXPECT_EQ(logic.roaming.roamTransferMode(), 0);
        EXPECT_EQ(e.apnCycleEnable.value_or(false), c.cycle);
        EXPECT_EQ(e.disconnect, c.disconnect);
        EXPECT_EQ(e.reconnect, c.reconnect);
        EXPECT_EQ(logic.roaming.apnCyleWhenRoamToNoRoam(), c.apnFlag);
    }
}

TEST_F(RoamingTest, HideRoamingListsShowRoamingAsHome)
{
    service_->setImsi(QStringLiteral("460011234567890"));
    put("Init", "Init_HideRoamStatus_IfMatchedSpecialMCCMNC", QStringList{QStringLiteral("26202")});
    put("Init", "Init_HideRoamStatus_IfMatchedSpecialHMCCMNC", QStringList{QStringLiteral("46001")});
    plmn("460", "01");
    NetworkEffects e = plmn("262", "02", "ROAM_ON");
    EXPECT_EQ(e.roamMark, QString(QLatin1String("")));
    EXPECT_EQ(e.posted(QStringLiteral("init_RoamStatus")), QVariantList{1});
    EXPECT_EQ(roaming().roamTransferMode(), 2); // counts as home: no transfer

    e = plmn("208", "01", "ROAM_ON"); // not listed
    EXPECT_EQ(e.roamMark, QStringLiteral("R"));

    service_->setImsi(QStringLiteral("262011234567890")); // another SIM
    plmn("460", "01");
    EXPECT_EQ(plmn("262", "02", "ROAM_ON").roamMark, QStringLiteral("R"));
}

TEST_F(RoamingTest, WhiteListSheetOnANetworkChangeWhileRoaming)
{
    put("Internet", "InternetWhiteList", QVariantMap{{QStringLiteral("Partner"), QStringLiteral("26202")}});
    plmn("460", "01");
    EXPECT_FALSE(plmn("262", "02", "ROAM_ON").showWhiteListSheet); // switch off
    EXPECT_TRUE(roaming().isInWhiteList());
    put("Internet", "paySameAsHomeNetIfIsWhilteNet", true);
    plmn("460", "01");
    EXPECT_TRUE(plmn("262", "02", "ROAM_ON").showWhiteListSheet);
    EXPECT_FALSE(roaming().whiteListCheckFlag());
    plmn("460", "01");
    EXPECT_FALSE(plmn("208", "01", "ROAM_ON").showWhiteListSheet);
    roaming().clickCheckboxInD3uPopUp1(false);
    EXPECT_FALSE(roaming().roamTipWhenInWhiteList());
}

TEST_F(RoamingTest, DomesticRoamingAndSameMcc)
{
    put("Internet", "CloseRoamAtDomesticRoaming", true);
    put("Internet", "NotAutoConnectForInterRoam", true);
    homeMcc_ = "460";
    NetworkEffects e = plmn("460", "03", "ROAM_ON");
    EXPECT_EQ(e.roamMark, QString(QLatin1String("")));
    EXPECT_EQ(e.runtimeIsSameMCC, true);
    e = plmn("262", "02", "ROAM_ON");
    EXPECT_EQ(e.roamMark, QStringLiteral("R"));
    EXPECT_EQ(e.runtimeIsSameMCC, false);
    EXPECT_EQ(roaming().closeRoamAtDomesticRoaming(0, QString(), QString()), 0);
    EXPECT_EQ(roaming().closeRoamAtDomesticRoaming(2, QStringLiteral("460"), QStringLiteral("460")), 2);
}

TEST_F(RoamingTest, NationalRoamingByTheHomeMccOfTheChipsetReport)
{
    put("Internet", "NotAutoConnectForInterRoam", true);
    logic_->registration.dealWithMsgOfCheckHPLMN(record(7, 57, words({310, 0})));
    struct Case {
        const char *mccmnc;
        bool same;
    };
    const Case cases[] = {{"310260", true}, {"31026", true}, {"312600", false}, {"46001", false}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mccmnc);
        const NetworkEffects e = logic_->registration.dealWithMsgOfCheckNetInfoForIcera(
            record(7, 46, icera46Payload(1.0f, c.mccmnc, "3G", "-")), {});
        EXPECT_EQ(e.runtimeIsSameMCC, c.same);
    }
    // A 7/37 network of 310/260 is kept as "31260", which does not begin with 310: the MCC as
    // reported decides.
    NetworkEffects e;
    plmn("310", "260");
    roaming().checkIsNationnalRoam(e);
    EXPECT_EQ(logic_->registration.mccmnc(), QStringLiteral("31260"));
    EXPECT_EQ(e.runtimeIsSameMCC, true);
}

TEST_F(RoamingTest, RoamAlertOncePerRoamingPeriod)
{
    put("enableRoamAlert", nullptr, true);
    EXPECT_TRUE(plmn("262", "02", "ROAM_ON").showRoamAlert);
    EXPECT_FALSE(plmn("262", "02", "ROAM_ON").showRoamAlert);
    EXPECT_FALSE(plmn("262", "02", "ROAM_UNKNOWN").showRoamAlert);
    EXPECT_FALSE(plmn("262", "02", "ROAM_ON").showRoamAlert);
    plmn("460", "01", "ROAM_OFF");
    EXPECT_TRUE(plmn("262", "02", "ROAM_ON").showRoamAlert);
    NetworkEffects removed;
    roaming().deviceRemoved(removed);
    EXPECT_FALSE(roaming().hasAlertRoam());
}

TEST_F(RoamingTest, RegistrationReportOnChipsetPlatformOnly)
{
    yov::PayloadWriter w(28);
    w.setInt32(0, 5);
    NetworkContext chipset;
    chipset.platform = 1;
    EXPECT_TRUE(roaming().dealWithMsgOfCheckRoamInfo(record(7, 38, w.data()), {}).notifications.isEmpty());
    const NetworkEffects e = roaming().dealWithMsgOfCheckRoamInfo(record(7, 38, w.data()), chipset);
    EXPECT_EQ(e.roamMark, QStringLiteral("R"));
    EXPECT_EQ(service_->networkRoamStatus(), 0);
    // On platform 1 the PLMN report leaves the status to 7/38.
    EXPECT_FALSE(plmn("460", "01", "ROAM_OFF", chipset).roamMark.has_value());
}

TEST_F(RoamingTest, RoamingSwitchesReply)
{
    struct Case {
        int module, type, result;
        bool taken;
    };
    const Case cases[] = {{1, 1, 0, true}, {3, 1, 0, false}, {1, 0, 0, false}, {1, 1, -1, false}};
    for (const Case &c : cases) {
        const NetworkEffects e = roaming().dealWithMsgOfReadRoamSwitch(record(513, 85, words({1, 0}), c.type, c.result, c.module));
        EXPECT_EQ(e.roamSwitchesEnabled.has_value(), c.taken);
    }
    NetworkEffects e = roaming().dealWithMsgOfReadRoamSwitch(record(513, 85, words({1, 0}), 1, 0, 1));
    EXPECT_EQ(e.nRoamSwitchOn, true);
    EXPECT_EQ(e.iRoamSwitchOn, false);
    EXPECT_EQ(roaming().nRoamDefaultValue(), 1);
    EXPECT_EQ(roaming().iRoamDefaultValue(), 0);

    put("Setting", "SetDefaultIroamSwitchOnAfterFinishInstalling", true);
    e = roaming().dealWithMsgOfReadRoamSwitch(record(513, 85, words({0, 0}), 1, 0, 1));
    EXPECT_EQ(e.iRoamSwitchOn, true);
    EXPECT_TRUE(e.sendSetRoamSwitch);
    EXPECT_EQ(roaming().iRoamDefaultValue(), 1);
    EXPECT_EQ(saved("Setting", "SetDefaultIroamSwitchOnAfterFinishInstalling"), QVariant(false));
    EXPECT_FALSE(roaming().dealWithMsgOfReadRoamSwitch(record(513, 85, words({0, 0}), 1, 0, 1)).sendSetRoamSwitch);
}

TEST_F(RoamingTest, DidizuImages)
{
    put("Init", "setRoamStatusForDidizu", true);
    put("Init", "imageNameOfRoamOnForDidizu", QStringLiteral("roamOn"));
    put("Init", "imageNameOfRoamOffForDidizu", QStringLiteral("roamOff"));
    put("Init", "imageNameOfHomeNetSelectedForDidizu", QStringLiteral("homeSel"));
    put("Init", "imageNameOfHomeNetUnSelectedForDidizu", QStringLiteral("homeUnsel"));
    struct Case {
        int status;
        const char *roam;
        const char *home;
    };
    const Case cases[] = {{0, "roamOn", "homeUnsel"}, {1, "roamOff", "homeSel"}, {2, "roamOff", "homeUnsel"}};
    for (const Case &c : cases) {
        NetworkEffects e;
        roaming().setRoamStatusForDidizu(c.status, e);
        EXPECT_EQ(e.didizuRoamImage, QString::fromLatin1(c.roam));
        EXPECT_EQ(e.didizuHomeNetImage, QString::fromLatin1(c.home));
    }
}

} // namespace
