#include "ostrel/sms/SmsTestMessages.h"

#include "common/PlistBridge.h"
#include "common/sms/SmsBoxCodes.h"
#include "common/sms/SmsListFileLock.h"
#include "common/sms/SmsListFiles.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/sms/service/SmsListWriter.h"
#include "ostrel/sms/service/SmsService.h"
#include "support/ManualClock.h"
#include "support/ScriptedAlertPresenter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace sms_test;

namespace {

QDateTime localDate(int year, int month, int day, int hour = 12)
{
    return QDateTime(QDate(year, month, day), QTime(hour, 0), QTimeZone::systemTimeZone());
}

class SmsServiceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        writeSettings({});
    }

    void writeSettings(const QVariantMap &sms, const QVariantMap &topLevel = {})
    {
        QVariantMap settings = topLevel;
        QVariantMap module = sms;
        module.insert("SMS_FlowValueSMSJudegeConditions",
                      QVariantMap{{"FlowValueSMS_PhoneNumber", "1234"},
                                  {"FLowValueSMS_Bandbreite", "Volumen"},
                                  {"FlowValueSMS_SeventyFivePercentKey", "75%"},
                                  {"FlowValueSMS_OneHundredPercentKey1", "100%"}});
        settings.insert("SMS", module);
        ASSERT_TRUE(yov::PlistBridge::writeFile(dir_.filePath("settings.plist"), settings));
        service_.reset();
        store_ = std::make_unique<ConfigManager>(dir_.path());
    }

    SmsService &service()
    {
        if (!service_)
            service_ = std::make_unique<SmsService>(store_.get(), &clock_);
        return *service_;
    }

    QString pcPath() const { return dir_.filePath(yov::sms::kSmsListPcFileName); }
    void writePc(const QVariantMap &list) { ASSERT_TRUE(yov::PlistBridge::writeFile(pcPath(), list)); }
    QVariantList pcBox(const QString &box) const
    {
        const auto list = yov::sms::readSmsListFile(pcPath());
        return list ? list->value(box).toList() : QVariantList();
    }
    QVariantMap storedModule(const QString &name) const
    {
        return ConfigManager(dir_.path()).getConfigurationByModule(name).toMap();
    }

    QTemporaryDir dir_;
    testing_support::ManualClock clock_{localDate(2026, 3, 10)};
    testing_support::ScriptedAlertPresenter alerts_;
    yov::ScopedAlertPresenter alertGuard_{&alerts_};
    std::unique_ptr<ConfigManager> store_;
    std::unique_ptr<SmsService> service_;
};

TEST_F(SmsServiceTest, InstallsItselfAndPutsTheDefaultBack)
{
    service();
    EXPECT_EQ(&Neighbours::smsService(), service_.get());
    EXPECT_EQ(SmsService::sharedSmsService(), service_.get());
    service_.reset();
    EXPECT_NE(dynamic_cast<DefaultSmsService *>(&Neighbours::smsService()), nullptr);
}

TEST_F(SmsServiceTest, FlowValueTypes)
{
    struct Case {
        const char *number;
        const char *text;
        int type;
    };
    const Case cases[] = {
        {"1234", "Ihr Volumen ist zu 75% verbraucht", SmsService::FlowValue75},
        {"1234", "75% von Ihrem Volumen", SmsService::FlowValueNone},
        {"1234", "Ihr Volumen ist zu 100% verbraucht", SmsService::FlowValue100},
        {"1234", "Volumen 75% und dann 100%", SmsService::FlowValue100},
        {"1234", "100% Volumen", SmsService::FlowValueNone},
        {"1234", "Ihr Datenpaket ist zu 75% verbraucht", SmsService::FlowValueNone},
        {"5678", "Ihr Volumen ist zu 75% verbraucht", SmsService::FlowValueNone},
        {"5678", "Ihr Volumen ist zu 100% verbraucht", SmsService::FlowValueNone},
    };
    for (const Case &t : cases)
        EXPECT_EQ(service().checkFlowValueTypeBySmsPhoneNumber(t.number, t.text), t.type) << t.number << " " << t.text;
}

TEST_F(SmsServiceTest, FlowValuePeriodsEndOnThe22nd)
{
    struct Case {
        QDateTime date;
        QDate expiry;
    };
    QList<Case> cases = {{localDate(2026, 3, 21, 23), QDate(2026, 3, 22)},
                         {localDate(2026, 3, 22, 0), QDate(2026, 4, 22)},
                         {localDate(2026, 3, 1), QDate(2026, 3, 22)}};
    for (int day = 22; day <= 31; ++day)
        cases.append({localDate(2026, 12, day), QDate(2027, 1, 22)});
    for (const Case &t : cases) {
        const QDateTime expiry = SmsService::flowValueExpiryOf(t.date);
        EXPECT_EQ(expiry, t.expiry.startOfDay(QTimeZone::systemTimeZone())) << t.date.toString().toStdString();
    }
    clock_.setNow(QDate(2026, 3, 22).startOfDay(QTimeZone::systemTimeZone()).addSecs(-1));
    EXPECT_FALSE(service().checkIsOverdueByDate(localDate(2026, 3, 21)));
    clock_.advance(1000);
    EXPECT_TRUE(service().checkIsOverdueByDate(localDate(2026, 3, 21)));
}

TEST_F(SmsServiceTest, FlowValueAcceptanceStoresTheModuleAndReplacesOnlyByAMoreSevereOne)
{
    ASSERT_FALSE(store_->getConfigurationByModule("FlowValueSmsInfo").isValid());
    const QDateTime day = localDate(2026, 3, 10);
    EXPECT_FALSE(service().checkIsValidFlowValueSmsBySMSContent("nothing here", "1234", day));
    EXPECT_TRUE(service().checkIsValidFlowValueSmsBySMSContent("Volumen 75%", "1234", day));
    QVariantMap stored = storedModule("FlowValueSmsInfo");
    EXPECT_EQ(stored.value("FlowValueType").toInt(), 0);
    EXPECT_EQ(stored.value("FlowSmsContent").toString(), "Volumen 75%");
    EXPECT_EQ(stored.value("FlowSmsDate").toDateTime(), day);

    EXPECT_FALSE(service().checkIsValidFlowValueSmsBySMSContent("Volumen 75% again", "1234", day));
    EXPECT_TRUE(service().checkIsValidFlowValueSmsBySMSContent("Volumen 100%", "1234", day));
    EXPECT_EQ(storedModule("FlowValueSmsInfo").value("FlowValueType").toInt(), 1);
    EXPECT_FALSE(service().checkIsValidFlowValueSmsBySMSContent("Volumen 100% again", "1234", day));
    EXPECT_FALSE(service().checkIsValidFlowValueSmsBySMSContent("Volumen 100%", "1234", localDate(2026, 1, 5)))
        << "an overdue message is refused";

    // Expiry clears the record (keeping other keys of the module) and resets the icon.
    ASSERT_TRUE(store_->setConfigurationByModuleKeyAndValue("FlowValueSmsInfo", "Other", 5));
    QStringList icons;
    service().setApplicationIconHook([&](const QString &icon) { icons << icon; });
    EXPECT_EQ(service().getFlowValueInfoFromFile(), 1);
    EXPECT_FALSE(service().isOverDueFlowValueSms());
    clock_.setNow(localDate(2026, 3, 22, 0));
    EXPECT_TRUE(service().isOverDueFlowValueSms());
    EXPECT_EQ(icons, QStringList{"icon.icns.png"});
    stored = storedModule("FlowValueSmsInfo");
    EXPECT_EQ(stored, (QVariantMap{{"Other", 5}}));
    EXPECT_EQ(service().getFlowValueInfoFromFile(), SmsService::FlowValueNone);
}

TEST_F(SmsServiceTest, SimFlowValueMessagesAreOfferedAtStart)
{
    ASSERT_TRUE(yov::PlistBridge::writeFile(dir_.filePath(yov::sms::kSmsListSimFileName),
                                            QVariantMap{{"InBox", QVariantList{singleSms("999", "Volumen 100%", 1),
                                                                               singleSms("1234", "Volumen 75%", 2)}}}));
    clock_.setNow(localDate(2026, 3, 10, 10));
    EXPECT_TRUE(service().checkSIMReceivedValidFlowValueSMS());
    EXPECT_EQ(service().getFlowValueInfoFromFile(), 0);
}

TEST_F(SmsServiceTest, PurchaseRepliesAreRecognisedInDialogueOrder)
{
    writeSettings({}, {{"PurchargeBySMS", QVariantMap{{"PurchargeBySMS_ServerNumber", "5000"},
                                                      {"PurchargeBySMS_BroadBandResponse", "Choose"},
                                                      {"PurchargeBySMS_VolStatusResponse", "volume"},
                                                      {"PurchargeBySMS_ConfirmPurchaseResponse", "CONFIRM"},
                                                      {"PurchargeBySMS_AExtra", "extra"},
                                                      {"PurchargeBySMS_PurchasePresponse", ""}}}});
    struct Case {
        const char *number;
        const char *text;
        bool recognised;
        const char *step;
    };
    const Case cases[] = {
        {"5000", "Choose a volume package", true, "PurchargeBySMS_VolStatusResponse"},
        {"5000", "Choose ON VOL1GB", true, "PurchargeBySMS_BroadBandResponse"},
        {"5000", "some extra text", true, "PurchargeBySMS_AExtra"},
        {"5000", "Thank you", true, "PurchargeBySMS_ConfirmPurchaseResponse"},
        {"6000", "Choose a volume package", false, "PurchargeBySMS_ConfirmPurchaseResponse"},
    };
    for (const Case &t : cases) {
        EXPECT_EQ(service().checkSMSIsPurChaseSMSBySmsPhoneNumber(t.number, t.text), t.recognised) << t.text;
        EXPECT_EQ(service().processOfRechargeBySMS(), t.step) << t.text;
    }
    EXPECT_EQ(service().purchaseSMSContent(), "Thank you");
}

TEST_F(SmsServiceTest, PackagesAndConfigurationTextAreParsed)
{
    writeSettings({}, {{"PurchargeBySMS", QVariantMap{{"PurchargeBySMS_ServerNumber", "5000"}}}});
    const QStringList defaults{"ON VOL100MB", "ON VOL500MB", "ON VOL1GB", "ON VOL5GB"};
    struct Case {
        const char *text;
        QStringList packages;
    };
    const Case cases[] = {
        {"Choose ON VOL1GB/month or ON VOL5GB to 1234", {"ON VOL1GB", "ON VOL5GB"}},
        {"CONFIRM ON VOL1GB to 1234", {"ON VOL1GB"}},
        {"ON VOL2GB/Monat", {"ON VOL2GB"}},
        {"ON VOL2GB without an end", defaults},
        {"nothing offered", defaults},
        {"", defaults},
    };
    for (const Case &t : cases) {
        service().setBroadBandList(defaults);
        service().parseBroadBandListFromSMSContent(t.text);
        EXPECT_EQ(service().broadBandList(), t.packages) << t.text;
    }
    struct ConfigCase {
        const char *text;
        const char *config;
    };
    const ConfigCase configCases[] = {
        {"Please send APN internet to 5000", "APN internet"},
        {"SEND apn web TO 5000 now", "apn web"},
        {"Please send to 5000", "kept"},
        {"Please send APN internet to 6000", "kept"},
        {"Please send", "kept"},
        {"no verb here to 5000", "kept"},
    };
    for (const ConfigCase &t : configCases) {
        service().setConfigSMSContent("kept");
        service().parseConfigInformationFromSMSContent(t.text);
        EXPECT_EQ(service().configSMSContent(), t.config) << t.text;
    }
}

TEST_F(SmsServiceTest, SpecialNumbers)
{
    writeSettings({{"SpecialNumberToHidden", QVariantList{QVariantMap{{"NumberToHidden", "111"}, {"NameToShow", "Operator"}},
                                                          QVariantMap{{"NumberToHidden", "111"}, {"NameToShow", "Second"}}}}});
    EXPECT_EQ(service().getDictionaryContainsSpeicalNumberAndSpeicalStringWithPhoneNumber("111").value("NameToShow"), "Operator");
    EXPECT_EQ(service().getDictionaryContainsSpeicalNumberAndSpeicalString("Second").value("NumberToHidden"), "111");
    EXPECT_TRUE(service().getDictionaryContainsSpeicalNumberAndSpeicalStringWithPhoneNumber("112").isEmpty());
    EXPECT_TRUE(service().getDictionaryContainsSpeicalNumberAndSpeicalStringWithPhoneNumber(QString()).isEmpty());
}

TEST_F(SmsServiceTest, UnreadListsAndTheirFlowValueTypes)
{
    const QVariantList inbox{singleSms("1234", "Volumen 75%", 1, 0), concatSms("1", {"a", "b"}, 2, 0),
                             singleSms("2", "read", 3, 1), concatSms("3", {"c", "d"}, 4, 1), flatDraft("4", "flat", 5)};
    EXPECT_EQ(SmsService::getUnreadSMSCountFromSMSList(inbox), 2);
    EXPECT_EQ(smsTexts(service().getUnreadSMSInPos(0, inbox)), (QStringList{"Volumen 75%", "ab"}));
    EXPECT_TRUE(service().checkPos(0, SmsService::FlowValue75));
    EXPECT_FALSE(service().checkPos(0, SmsService::FlowValue100));
    EXPECT_FALSE(service().checkPos(1, SmsService::FlowValue75));
    EXPECT_TRUE(service().getUnreadSMSInPos(3, inbox).isEmpty());
    EXPECT_EQ(service().getUnreadSMSInPos(1, inbox).size(), 2);
    EXPECT_TRUE(service().checkPos(1, SmsService::FlowValueNone));
}

TEST_F(SmsServiceTest, PendingOperationsAndSendResults)
{
    service().makeSimSmsDelList({QVariantMap{{"srcIndex", 4}}, QVariantMap{{"srcIndex", 7}}, QVariantMap{{"srcIndex", 9}}}, 0);
    QList<int> indexes;
    for (const QVariant &d : service().delSimSmsList()) {
        EXPECT_EQ(d.toMap().value("pos").toInt(), 1);
        EXPECT_EQ(d.toMap().value("box").toInt(), 0);
        indexes << d.toMap().value("index").toInt();
    }
    EXPECT_EQ(indexes, (QList<int>{9, 7, 4}));
    // A message saved from the device memory is deleted there, not on the SIM.
    service().makeSimSmsDelList({QVariantMap{{"srcPos", 4}, {"srcIndex", 2}}}, 1);
    EXPECT_EQ(service().delSimSmsList(), (QVariantList{QVariantMap{{"pos", 4}, {"box", 1}, {"index", 2}}}));

    service().makeSaveSmsBySrcPos(1, 0, 2, 5);
    EXPECT_EQ(service().saveToList(),
              (QVariantList{QVariantMap{{"srcPos", 1}, {"destPos", 0}, {"srcBox", 2}, {"srcIndex", 5}}}));

    struct Case {
        bool before;
        int sent, ok;
        bool after;
    };
    for (const Case &t : {Case{false, 3, 3, true}, Case{true, 3, 2, false}, Case{true, 3, 4, true}, Case{false, 3, 4, false}}) {
        service().setSendingSMSSuccess(t.before);
        service().saveSendSuccessResultBySendCount(t.sent, t.ok);
        EXPECT_EQ(service().sendingSMSSuccess(), t.after) << t.sent << "/" << t.ok;
    }
}

TEST_F(SmsServiceTest, NamesIndexesAndRecipients)
{
    writePc({{"InBox", QVariantList{singleSms("100", "x", 1), singleSms("200", "y", 2)}},
             {"DraftBox", QVariantList{flatDraft("5;6;", "draft", 3), flatDraft("7", "one", 4)}}});
    const QVariantList inbox = service().getPCBoxListWithBox(0);
    ASSERT_EQ(inbox.size(), 2);
    EXPECT_EQ(inbox.at(1).toMap().value("index").toInt(), 1);
    EXPECT_EQ(inbox.at(1).toMap().value("concatSmsInfo").toMap().value("username").toString(), "200");
    const QVariantList drafts = service().pcList(2);
    ASSERT_EQ(drafts.size(), 2);
    EXPECT_EQ(drafts.at(0).toMap().value("username").toString(), "56");
    EXPECT_EQ(drafts.at(1).toMap().value("username").toString(), "7");
    EXPECT_EQ(service().searchMultiPhoneNumber(QString()), "");
    EXPECT_TRUE(service().getPCBoxListWithBox(4).isEmpty());
    EXPECT_FALSE(service().readPCListWithBox(3));
    EXPECT_FALSE(service().getAllPcListByBox(3));
    EXPECT_FALSE(service().readPCListWithBox(4)) << "a box the file lacks";
}

TEST_F(SmsServiceTest, ABroadcastSavedWithNoComputerFileCreatesIt)
{
    ASSERT_FALSE(QFile::exists(pcPath()));
    bool ok = false;
    service().saveBroadCastAsShortMessage(flatDraft("CB", "first", 1), [&](const SmsBoxWriteResult &r) { ok = r.ok; });
    service().saveBroadCastAsShortMessage(flatDraft("CB", "second", 2));
    EXPECT_TRUE(ok);
    EXPECT_EQ(smsTexts(pcBox("BroadCastBox")), (QStringList{"second", "first"}));
    EXPECT_EQ(smsTexts(service().broadcastBoxList()), (QStringList{"second", "first"}));
    EXPECT_EQ(yov::sms::readSmsListFile(pcPath())->size(), 6);
}

// The service reloads after a delivery and deletes a message; then another holder (the page)
// writes from its older list: the delivered message stays and the deleted one stays gone.
TEST_F(SmsServiceTest, AnOlderHolderDoesNotLoseWhatTheServiceSawLater)
{
    const QVariantList start{singleSms("1", "a", 1), singleSms("2", "b", 2)};
    writePc({{"InBox", start}});
    const QVariantList pageBase = start;
    writePc({{"InBox", QVariantList{singleSms("3", "delivered", 3)} + start}});
    service().loadBoxinPCList();
    service().deleteSMSlist({QVariantMap{{"srcIndex", 2}}}, 0);
    EXPECT_EQ(smsTexts(pcBox("InBox")), (QStringList{"delivered", "a"}));

    QVariantList pageList = pageBase;
    pageList[0] = withSummaryKey(pageList[0].toMap(), "stat", 1);
    SmsListWriter pageWriter(clock_);
    bool ok = false;
    pageWriter.write(pcPath(), 0, 0, SmsListWriter::replaceMerging(pageList, pageBase, 0),
                     [&](const SmsBoxWriteResult &r) { ok = r.ok; });
    EXPECT_TRUE(ok);
    const QVariantList inbox = pcBox("InBox");
    EXPECT_EQ(smsTexts(inbox), (QStringList{"delivered", "a"}));
    EXPECT_EQ(inbox.at(1).toMap().value("concatSmsInfo").toMap().value("stat").toInt(), 1);
}

TEST_F(SmsServiceTest, AFailedWriteIsShownAndTheListsReload)
{
    writePc({{"InBox", QVariantList{singleSms("1", "a", 1)}}});
    service();
    yov::sms::SmsListFileLock other(pcPath());
    ASSERT_TRUE(other.tryLock());
    std::optional<SmsBoxWriteResult> got;
    service().writeMessagesToPC({}, 0, [&](const SmsBoxWriteResult &r) { got = r; });
    clock_.advance(yov::sms::SmsListFileLock::kWaitMs - 200);
    EXPECT_FALSE(got);
    EXPECT_EQ(alerts_.count(), 0);
    // Meanwhile the other writer changed the file; the failed write leaves it as it is.
    writePc({{"InBox", QVariantList{singleSms("1", "a", 1), singleSms("2", "b", 2)}}});
    clock_.advance(400);
    ASSERT_TRUE(got);
    EXPECT_FALSE(got->ok);
    ASSERT_EQ(alerts_.count(), 1);
    EXPECT_TRUE(alerts_.messages().constFirst().startsWith("The messages could not be saved."));
    EXPECT_EQ(smsTexts(service().pcList(0)), (QStringList{"a", "b"})) << "reloaded from the file";
    EXPECT_EQ(smsTexts(pcBox("InBox")), (QStringList{"a", "b"}));
}

TEST_F(SmsServiceTest, TheNoProgressWindowFlagIsStored)
{
    service().setUnshowInfoWndWhenSendSmsByFlag(true);
    EXPECT_TRUE(service().unshowInfoWndWhenSendSms());
    EXPECT_TRUE(storedModule("SMS").value("noSendInfoWnd").toBool());
    EXPECT_TRUE(storedModule("SMS").contains("SMS_FlowValueSMSJudegeConditions")) << "the rest of the module stays";
}

TEST_F(SmsServiceTest, CheckUsageRepliesAreHiddenOnlyWhenAllThreeHold)
{
    writeSettings({{"SpecialSMS", QVariantMap{{"TO_NUMBER", "777"}}}, {"NoShowNewSMSWndWithCertainContent", true}});
    EXPECT_FALSE(service().isShowCheckUsageRespondedSMS("777"));
    service().setBAlreadySendedCheckUsageSMS(true);
    EXPECT_TRUE(service().isShowCheckUsageRespondedSMS("777"));
    EXPECT_FALSE(service().isShowCheckUsageRespondedSMS("778"));
}

} // namespace
