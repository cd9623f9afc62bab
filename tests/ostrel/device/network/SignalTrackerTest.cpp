#include "NetworkTestSupport.h"

#include "ostrel/device/network/SignalTracker.h"

using namespace ostrel;
using namespace nettest;

namespace {

class SignalTest : public NetworkFixture {
public:
    SignalTracker::Context ready(int platform = 0, int preferredMode = 1) const
    {
        SignalTracker::Context c;
        c.platform = platform;
        c.simCardReady = true;
        c.networkName = QStringLiteral("UMTS");
        c.preferredMode = preferredMode;
        return c;
    }
    SignalTracker &signal() { return logic_->signal; }
    NetworkEffects csq(int value, int platform = 0) { return signal().dealWithMsgOfCheckSignalStatus(record(7, 35, words({value})), ready(platform)); }
    NetworkEffects yrssi(int r, int e, int s, int preferredMode = 1)
    {
        return signal().dealWithMsgOfCheckYrssiSignalStatus(record(7, 55, words({r, e, s})), ready(0, preferredMode));
    }
    static int shownLevel(const NetworkEffects &e)
    {
        const QVariantList v = e.posted(QStringLiteral("init_SingalStrength"));
        return v.isEmpty() ? -1 : v.last().toInt();
    }
};

TEST_F(SignalTest, CsqOfOrdinaryAndChipsetModemsGivesLevelsAndKeepsTheRawValue)
{
    struct Case {
        int csq;
        int level;
    };
    const Case cases[] = {{0, 0},  {2, 0},  {3, 1},  {6, 1},  {7, 2},  {9, 2},  {10, 3}, {12, 3},
                          {13, 4}, {15, 4}, {16, 5}, {31, 5}, {32, 0}, {99, 0}, {-1, 0}};
    for (int platform : {0, 1}) {
        for (const Case &c : cases) {
            SCOPED_TRACE(testing::Message() << "platform " << platform << " csq " << c.csq);
            const NetworkEffects e = csq(c.csq, platform);
            EXPECT_EQ(shownLevel(e), c.level);
            EXPECT_EQ(e.signalImage, signalImageName(c.level));
            EXPECT_EQ(signal().m_SignalStrength(), c.csq);
            EXPECT_EQ(signal().signalLevel(), c.level);
        }
    }
}

TEST_F(SignalTest, CsqIsIgnoredOnOtherPlatformsAndWithTheChipsetSignalReport)
{
    EXPECT_TRUE(csq(20, 2).notifications.isEmpty());
    put("Main", "IceraSignal", true);
    EXPECT_TRUE(csq(20, 0).notifications.isEmpty());
    EXPECT_EQ(signal().m_SignalStrength(), 0);
}

TEST_F(SignalTest, RssiReportGsmAndWcdmaBands)
{
    struct Case {
        int r, e, s;
        int level;
        QString rscp, rssi, ecno; // as posted in ReadRscpRssiEcnoInfo
    };
    const Case cases[] = {
        // GSM: RSSI is minus word 0; RSCP and Ec/No passed on raw.
        {107, 1000, 1000, 1, "1000", "-107", "1000"},
        {108, 1000, 1000, 0, "1000", "-108", "1000"},
        {100, 1000, 1000, 1, "1000", "-100", "1000"},
        {99, 1000, 1000, 2, "1000", "-99", "1000"},
        {94, 20, 1000, 2, "1000", "-94", "20"},
        {93, 1000, 50, 3, "50", "-93", "1000"},
        {88, 1000, 1000, 3, "1000", "-88", "1000"},
        {87, 1000, 1000, 4, "1000", "-87", "1000"},
        {82, 1000, 1000, 4, "1000", "-82", "1000"},
        {81, 1000, 1000, 5, "1000", "-81", "1000"},
        // WCDMA: RSCP = -s/2, Ec/No = -e/2, truncated.
        {70, 16, 182, 5, "-91", "-70", "-8"},
        {70, 17, 182, 5, "-91", "-70", "-8"},
        {70, 38, 100, 0, "-50", "-70", "-19"},
        {70, 20, 194, 4, "-97", "-70", "-10"},
        {70, 24, 208, 3, "-104", "-70", "-12"},
        {70, 30, 222, 2, "-111", "-70", "-15"},
        {70, 36, 230, 1, "-115", "-70", "-18"},
        {70, 10, 232, 0, "-116", "-70", "-5"},
        {70, 18, 100, 4, "-50", "-70", "-9"},
    };
    service_->setSignalStrengthFlag(1);
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.r << "/" << c.e << "/" << c.s);
        const NetworkEffects e = yrssi(c.r, c.e, c.s);
        EXPECT_EQ(shownLevel(e), c.level);
        EXPECT_EQ(signal().m_SignalStrength(), c.level);
        EXPECT_EQ(e.cellWindowRssi, c.r);
        const QVariantMap radio = e.posted(QStringLiteral("ReadRscpRssiEcnoInfo")).value(0).toMap();
        EXPECT_EQ(radio.value(QStringLiteral("RSCP")).toString(), c.rscp);
        EXPECT_EQ(radio.value(QStringLiteral("RSSI")).toString(), c.rssi);
        EXPECT_EQ(radio.value(QStringLiteral("ECNO")).toString(), c.ecno);
        EXPECT_EQ(signal().rscp(), c.rscp + QStringLiteral(" dBm"));
        EXPECT_EQ(signal().ecno(), c.ecno + QStringLiteral(" dBm"));
        EXPECT_EQ(service_->signalStrength(), c.rscp + QStringLiteral(" dBm")); // flag 1: the RSCP text
    }
}

TEST_F(SignalTest, ChipsetReportByRadioMode)
{
    put("Main", "IceraSignal", true);
    struct Case {
        int mode, rssi, rscp, ecno;
        int level;
        int flag; // InitService signal kind afterwards
    };
    const Case cases[] = {
        {1, -107, 0, 0, 1, 0}, {1, -108, 0, 0, 0, 0}, {1, -60, 0, 0, 5, 0},
        {2, -70, -91, -8, 5, 1}, {2, -70, -116, -5, 0, 1}, {7, -60, -50, -2, 0, 1}, // other mode: flag stays
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.mode);
        const NetworkEffects e =
            signal().dealWithMsgOfCheckSignalStatusIcera(record(7, 54, words({c.mode, c.rssi, c.rscp, c.ecno})), ready());
        EXPECT_EQ(shownLevel(e), c.level);
        EXPECT_EQ(service_->signalStrengthFlag(), c.flag);
        EXPECT_EQ(signal().m_SignalStrength(), 0); // not written on this road
        EXPECT_EQ(signal().rssi(), QStringLiteral("%1 dBm").arg(c.rssi));
    }
    put("Main", "IceraSignal", false);
    EXPECT_TRUE(signal().dealWithMsgOfCheckSignalStatusIcera(record(7, 54, words({1, -60, 0, 0})), ready()).notifications.isEmpty());
}

TEST_F(SignalTest, CdmaModemOneXLevelsEvdoImagesAndStatusText)
{
    struct Case {
        int oneX, evdo;
        int level;
        const char *evdoImage;
        const char *status;
    };
    const Case cases[] = {
        {0, 0, 0, "rssi1", "No Service"}, {10, 0, 1, "rssi1", "CDMA 1X"},  {12, 0, 0, "rssi1", "CDMA 1X"},
        {15, 20, 2, "rssi2", "1X-EVDO"},  {22, 40, 3, "rssi3", "1X-EVDO"}, {28, 60, 4, "rssi4", "1X-EVDO"},
        {31, 80, 5, "rssi5", "1X-EVDO"},  {0, 99, 0, "rssi6", "EVDO"},     {0, 50, 0, "rssi1", "EVDO"},
        {32, 100, 0, "rssi1", "No Service"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.oneX << "/" << c.evdo);
        const NetworkEffects e = signal().dealWithMsgOfCheckSignalStatus(record(7, 35, words({c.oneX, 0, c.evdo})), ready(3));
        EXPECT_EQ(shownLevel(e), c.level);
        EXPECT_EQ(e.evdoImage, QString::fromLatin1(c.evdoImage));
        EXPECT_EQ(e.networkStatus, QString::fromLatin1(c.status));
        EXPECT_EQ(e.posted(QStringLiteral("init_NetworkStatus")), QVariantList{QString::fromLatin1(c.status)});
        EXPECT_EQ(logic_->registration.networkName(), QString::fromLatin1(c.status));
    }
}

TEST_F(SignalTest, CdmaVariantMagnitudes)
{
    struct Case {
        int a, b;
        int level;
        const char *evdoImage;
        const char *status; // null: left as it was
    };
    const Case cases[] = {
        {0, 0, 0, "rssi1", "No Service"},   {120, 120, 0, "rssi1", "No Service"}, {119, 0, 1, "rssi1", "CDMA 1X"},
        {95, 119, 1, "rssi2", "1X-EVDO"},   {94, 90, 2, "rssi3", "1X-EVDO"},      {75, 80, 3, "rssi4", "1X-EVDO"},
        {65, 70, 4, "rssi5", "1X-EVDO"},    {64, 1, 5, "rssi6", "1X-EVDO"},       {0, 64, 0, "rssi6", "EVDO"},
        {10, 0, 5, "rssi1", nullptr},       {11, -3, 5, "rssi1", "CDMA 1X"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.a << "/" << c.b);
        // The variant is chosen by the record's flag, whatever the platform.
        const NetworkEffects e =
            signal().dealWithMsgOfCheckSignalStatus(record(7, 35, words({c.a, c.b}), 0, 0, 1, true), ready(0));
        EXPECT_EQ(shownLevel(e), c.level);
        EXPECT_EQ(e.evdoImage, QString::fromLatin1(c.evdoImage));
        if (c.status) {
            EXPECT_EQ(e.networkStatus, QString::fromLatin1(c.status));
        } else {
            EXPECT_FALSE(e.networkStatus.has_value());
        }
    }
}

TEST_F(SignalTest, ShownLevelRules)
{
    SignalTracker::Context notReady = ready();
    notReady.simCardReady = false;
    NetworkEffects e;
    signal().setSignalStrength(5, notReady, e);
    EXPECT_EQ(e.signalImage, QStringLiteral("rssi1"));

    SignalTracker::Context noService = ready();
    noService.networkName = QStringLiteral("Limited Service");
    e = {};
    signal().setSignalStrength(4, noService, e);
    EXPECT_EQ(e.signalImage, QStringLiteral("rssi5")); // switch off
    put("Init", "ShowSignalWhenServiceExist", true);
    e = {};
    signal().setSignalStrength(4, noService, e);
    EXPECT_EQ(e.signalImage, QStringLiteral("rssi1"));

    e = {};
    signal().setSignalStrength(6, ready(), e);
    EXPECT_FALSE(e.signalImage.has_value());
    EXPECT_TRUE(e.notifications.isEmpty());

    put("Init", "SetIndiaDidizuSignal", true);
    for (int level : {0, 3}) {
        e = {};
        signal().setSignalStrength(level, ready(), e);
        EXPECT_EQ(e.didizuSignalImage, QStringLiteral("SIGNAL%1").arg(level + 1));
        EXPECT_EQ(e.signalToolTip, level == 0 ? QStringLiteral("No Signal") : QStringLiteral("Signal"));
    }
}

TEST_F(SignalTest, DiagnosticsValuesAndTheTwoGRule)
{
    put("Main", "UpdateDiagWindow", true);
    put("NoShowInValidValueOfEcioRscp", nullptr, true);
    service_->setSignalStrengthFlag(0);
    NetworkEffects e;
    signal().setRssiSignalWithRSCP(-90, -70, -6, QStringLiteral("EDGE"), e);
    EXPECT_FALSE(e.diagRscp.has_value());
    EXPECT_TRUE(signal().rscp().isEmpty());
    EXPECT_EQ(e.diagRssi, QStringLiteral("-70 dBm"));
    EXPECT_EQ(e.diagSignalStrength, QStringLiteral("-70 dBm"));
    e = {};
    signal().setRssiSignalWithRSCP(-90, -70, -6, QStringLiteral("UMTS"), e);
    EXPECT_EQ(e.diagRscp, QStringLiteral("-90 dBm"));
    EXPECT_EQ(e.diagEcno, QStringLiteral("-6 dBm"));
}

class NoSignalAlertTest : public SignalTest {
public:
    void SetUp() override
    {
        SignalTest::SetUp();
        put("Internet", "d3uAlertSel3G_PreferWhenSignalToNoSignal", true);
        put("Main", "timeToAlertSel3G_PreferIfNoSigal", 4.5);
    }
};

TEST_F(NoSignalAlertTest, LosingTheSignalStartsTheTimerAndTheAlertShowsOnce)
{
    yrssi(80, 1000, 1000); // level 5
    const NetworkEffects lost = yrssi(120, 1000, 1000);
    ASSERT_EQ(lost.startNoSignalAlertSeconds, 4.5);
    EXPECT_FALSE(signal().alertSelect3GPreferIfNoSignal(2)); // preferred mode changed meanwhile
    EXPECT_TRUE(signal().alertSelect3GPreferIfNoSignal(1));
    EXPECT_FALSE(signal().allowAlertSel3GPreferWhenSignalToNoSignal());

    yrssi(80, 1000, 1000);
    EXPECT_FALSE(yrssi(120, 1000, 1000).startNoSignalAlertSeconds.has_value()); // not allowed again yet
    signal().deviceRemoved();
    yrssi(80, 1000, 1000);
    EXPECT_TRUE(yrssi(120, 1000, 1000).startNoSignalAlertSeconds.has_value());
}

TEST_F(NoSignalAlertTest, NoTimerWhenThereWasNoSignalOrTheModeIsNotOne)
{
    yrssi(120, 1000, 1000);
    EXPECT_FALSE(yrssi(120, 1000, 1000).startNoSignalAlertSeconds.has_value()); // already 0
    yrssi(80, 1000, 1000);
    EXPECT_FALSE(yrssi(120, 1000, 1000, 2).startNoSignalAlertSeconds.has_value());
}

TEST_F(NoSignalAlertTest, ComparesLevelsNotTheRawCsq)
{
    // CSQ 99 is "no measurement": level 0, although the raw value kept is 99.
    csq(99);
    ASSERT_EQ(signal().m_SignalStrength(), 99);
    EXPECT_FALSE(yrssi(120, 1000, 1000).startNoSignalAlertSeconds.has_value());

    // A CSQ of 2 after the drop is still no signal: the alert shows.
    yrssi(80, 1000, 1000);
    ASSERT_TRUE(yrssi(120, 1000, 1000).startNoSignalAlertSeconds.has_value());
    csq(2);
    ASSERT_EQ(signal().m_SignalStrength(), 2);
    EXPECT_TRUE(signal().alertSelect3GPreferIfNoSignal(1));
}

TEST_F(NoSignalAlertTest, SignalBackBeforeTheTimerFiresShowsNothing)
{
    yrssi(80, 1000, 1000);
    ASSERT_TRUE(yrssi(120, 1000, 1000).startNoSignalAlertSeconds.has_value());
    csq(20);
    EXPECT_FALSE(signal().alertSelect3GPreferIfNoSignal(1));
    EXPECT_TRUE(signal().allowAlertSel3GPreferWhenSignalToNoSignal());
}

} // namespace
