// SIM identity, per-SIM data and the rules that hang on the IMSI.
#include "InitTestSupport.h"

#include "ostrel/device/service/MccMnc.h"

using namespace inittest;
using ostrel::InitController;

namespace {

class InitIdentityTest : public InitFixture {
protected:
    void imsi(const QByteArray &value, int result = 0, int type = 1) { deliver(7, 42, type, result, 1, text(value, 36)); }
};

TEST_F(InitIdentityTest, ImsiIsStoredWithHomeNetworkAndWritten)
{
    makeController();
    imsi("262011234567890");
    EXPECT_EQ(controller->m_IMSI, "262011234567890");
    EXPECT_EQ(service->imsi(), "262011234567890");
    EXPECT_EQ(service->moduleMapsDict().value(ostrel::mccmnc::moduleMapKey("26201")).toString(), "26201");
    EXPECT_EQ(config->getConfigurationByModule("IMSI").toString(), "262011234567890");
    EXPECT_TRUE(controller->alreadyGetSimIMSIFlag_);
}

TEST_F(InitIdentityTest, HomeNetworkIsTheFirstFiveDigitsAlsoForThreeDigitMnc)
{
    makeController();
    imsi("310150123456789");
    EXPECT_TRUE(service->moduleMapsDict().contains(ostrel::mccmnc::moduleMapKey("31015")));
}

TEST_F(InitIdentityTest, ImsiTextIsReadWithinItsField)
{
    makeController();
    QByteArray data(36, '7');
    data.append("GARBAGE-BEYOND-THE-FIELD");
    deliver(7, 42, 1, 0, 1, data);
    EXPECT_EQ(controller->m_IMSI, QString(36, '7'));
}

TEST_F(InitIdentityTest, ImsiThatIsNotADigitStringIsRefused)
{
    // The IMSI names per-SIM files: a report with anything but digits never reaches them.
    set("specialSoftVersion", "RAVO_TIM", true);
    makeController();
    for (const QByteArray &bad : {QByteArray("../../x"), QByteArray("26201 123"), QByteArray("2620112345678a")}) {
        imsi(bad);
        EXPECT_TRUE(controller->m_IMSI.isEmpty()) << bad.constData();
        EXPECT_TRUE(phonebook.files.isEmpty()) << bad.constData();
        EXPECT_TRUE(records->files.isEmpty()) << bad.constData();
        EXPECT_FALSE(controller->alreadyGetSimIMSIFlag_);
    }
    imsi("262011234567890");
    EXPECT_EQ(controller->m_IMSI, "262011234567890");
}

TEST_F(InitIdentityTest, RepeatedImsiIsIgnoredUnlessDiagnosticsRereads)
{
    makeController();
    imsi("262011234567890");
    imsi("262019999999999");
    EXPECT_EQ(controller->m_IMSI, "262011234567890");
    set("Setting", "CheckIMSIForDiag", true);
    imsi("262019999999999");
    EXPECT_EQ(controller->m_IMSI, "262019999999999");
}

TEST_F(InitIdentityTest, FailedImsiMarksSimNotReadyOnlyWithLoopSwitch)
{
    makeController();
    controller->setSimStatus(true);
    imsi("", -1);
    EXPECT_EQ(controller->m_SimPinState, InitController::SimReady);
    config->setConfigurationByModule("sendCIMICmdInLoop", true);
    controller->alreadyGetSimIMSIFlag_ = true;
    imsi("", -1);
    EXPECT_EQ(controller->m_SimPinState, InitController::SimNotReady);
    EXPECT_FALSE(controller->alreadyGetSimIMSIFlag_);
}

TEST_F(InitIdentityTest, DefaultProfileIsResetOnlyForANewSim)
{
    config->setConfigurationByModule("ImsiMatchApn", true);
    makeController();
    imsi("262011111111111");
    EXPECT_EQ(dial.profileResets, QStringList{"262011111111111"});
    deliver(8, 58, 1, -1, 1);
    imsi("262011111111111"); // the same SIM again
    EXPECT_EQ(dial.profileResets.size(), 1);
    deliver(8, 58, 1, -1, 1);
    imsi("262012222222222");
    EXPECT_EQ(dial.profileResets.size(), 2);
    EXPECT_EQ(config->getConfigurationByModule("SimImsiCode").toString(), "262012222222222");
}

TEST_F(InitIdentityTest, UssdCodeFollowsANewImsi)
{
    config->setConfigurationByModule("ImsiMatchUssdCode", true);
    makeController();
    imsi("262011111111111");
    ASSERT_EQ(postedNamed("ImsiMatchUssd").size(), 1);
    EXPECT_EQ(postedNamed("ImsiMatchUssd")[0].userInfo.value("IMSI").toString(), "262011111111111");
}

TEST_F(InitIdentityTest, PerSimFilesSwitchWithTheSim)
{
    set("specialSoftVersion", "RAVO_TIM", true);
    makeController();
    imsi("262011111111111");
    EXPECT_EQ(phonebook.files, QStringList{"262011111111111_phoneBook.plist"});
    EXPECT_EQ(records->files, QStringList{"262011111111111_dialRecordData.plist"});
    EXPECT_EQ(controller->m_SimPinState, InitController::SimReady);
    ASSERT_EQ(postedNamed("AlreadyGetSimIMSI").size(), 1);
    EXPECT_FALSE(postedNamed("AlreadyGetSimIMSI")[0].userInfo.value("imsiInfo").toBool());

    deliver(8, 58, 1, -1, 1);
    imsi("262012222222222");
    EXPECT_EQ(phonebook.files.last(), "262012222222222_phoneBook.plist");
    EXPECT_EQ(records->files.last(), "262012222222222_dialRecordData.plist");
    EXPECT_TRUE(postedNamed("AlreadyGetSimIMSI").last().userInfo.value("imsiInfo").toBool());
    EXPECT_EQ(config->getConfigurationByModule("simIMSI").toString(), "262012222222222");
}

TEST_F(InitIdentityTest, ChangedSimAlertStopsDialling)
{
    set("specialSoftVersion", "RAVO_TIM", true);
    set("specialSoftVersion", "RAVO_TIM_KV407", true);
    config->setConfigurationByModule("simIMSI", "262011111111111");
    config->setConfigurationByModule("IMSI", "262011111111111");
    makeController();
    QString tab;
    controller->selectMainTabHook = [&](const QString &t) { tab = t; };
    imsi("262012222222222");
    EXPECT_EQ(alertMessages(), QStringList{"You have changed the SIM,please restart the software"});
    EXPECT_FALSE(controller->dialFunctionEnabledFlag_);
    EXPECT_EQ(tab, "Internet");
    EXPECT_EQ(config->getConfigurationByModule("simIMSI").toString(), "262011111111111");
}

TEST_F(InitIdentityTest, ActivationSmsStateFollowsTheEighthDigit)
{
    makeController();
    imsi("262011101234567"); // key absent: stays absent
    EXPECT_FALSE(config->getConfigurationByModuleAndKey("SMS", "NeedSendActiveSIMCardSMS").isValid());
    struct Case { const char *imsi; bool due; } cases[] = {{"262011101234567", true}, {"262011111234567", false}};
    for (const auto &c : cases) {
        set("SMS", "NeedSendActiveSIMCardSMS", !c.due);
        controller->checkIfNeedSendActiveSMS(c.imsi);
        EXPECT_EQ(config->getConfigurationByModuleAndKey("SMS", "NeedSendActiveSIMCardSMS").toBool(), c.due) << c.imsi;
    }
}

namespace {
struct SmsSender : ostrel::DefaultSMSController {
    bool result = false;
    QStringList sent;
    bool sendSmsTo(const QString &number, const QString &text, bool, bool, bool) override
    {
        sent << number + ":" + text;
        return result;
    }
};
} // namespace

TEST_F(InitIdentityTest, ActivationSmsStaysDueUntilItIsSent)
{
    SmsSender sms;
    ostrel::Neighbours::setSms(&sms);
    set("SMS", "NeedSendActiveSIMCardSMS", true);
    set("SMS", "SendActiveSIMCardSMSTo", "1234");
    set("SMS", "SendActiveSIMCardSMSMsg", "ACTIVATE");
    makeController();
    // A send that fails (no SMS area, or the device refused it) leaves it due for the next try.
    controller->sendActiveSimcardSMS(3);
    alerts.answerAllOpen(); // "Accept"
    ASSERT_EQ(sms.sent, QStringList{"1234:ACTIVATE"});
    EXPECT_EQ(alertMessages().size(), 1);
    EXPECT_TRUE(config->getConfigurationByModuleAndKey("SMS", "NeedSendActiveSIMCardSMS").toBool());
    sms.result = true;
    controller->sendActiveSimcardSMS(1);
    alerts.answerAllOpen();
    EXPECT_EQ(sms.sent.size(), 2);
    EXPECT_FALSE(config->getConfigurationByModuleAndKey("SMS", "NeedSendActiveSIMCardSMS").toBool());
    controller->sendActiveSimcardSMS(3);
    alerts.answerAllOpen();
    EXPECT_EQ(sms.sent.size(), 2) << "sent once";
    ostrel::Neighbours::setSms(nullptr);
}

TEST_F(InitIdentityTest, IccidIsDecodedWithinItsFieldAndVersionsAreKept)
{
    makeController();
    QByteArray iccid = text("98684021436587092143", 512);
    iccid.append("FFFF");
    deliver(7, 41, 1, -1, 1, iccid); // used whatever the result
    EXPECT_EQ(controller->iccid_, "89860412345678901234");

    deliver(7, 44, 0, 0, 1, text("11.608.14.01.00", 68));
    deliver(7, 48, 0, 0, 1, text("CH2E353SM", 128));
    deliver(7, 49, 0, 0, 1, text("K3765", 32));
    deliver(7, 50, 0, 0, 1, QByteArray(40, 'S') + "overflow");
    deliver(7, 48, 0, -1, 1, text("ignored", 128));
    EXPECT_EQ(controller->getFWVersionWithCGMR(), "11.608.14.01.00");
    EXPECT_EQ(controller->m_HWVersion, "CH2E353SM");
    EXPECT_EQ(controller->m_Devicemodel, "K3765");
    EXPECT_EQ(controller->m_SerialNumber, QString(40, 'S'));
}

TEST_F(InitIdentityTest, PhoneNumberSetsOrClearsTheRuntimeNumber)
{
    makeController();
    deliver(7, 47, 0, -1, 1);
    EXPECT_FALSE(controller->getSmartUITopFrontSizeFlag());
    deliver(7, 47, 0, 0, 1, text("+4915112345678", 44));
    EXPECT_EQ(controller->getPhoneNum(), "+4915112345678");
    EXPECT_EQ(controller->tfdOwnNumContent_->text(), "+4915112345678");
    EXPECT_TRUE(controller->getSmartUITopFrontSizeFlag()) << "the small window's top line has its number";
    deliver(7, 47, 0, -1, 1);
    EXPECT_EQ(controller->getPhoneNum(), "");
}

TEST_F(InitIdentityTest, MccMncReportResetsTheProfile)
{
    makeController();
    deliver(7, 51, 0, 0, 1, text("262", 32) + text("01", 32));
    EXPECT_EQ(dial.mccResets, QStringList{"262/01"});
}

} // namespace
