// The "SMS" panel of the settings window: the centre field, the device's answers, Apply and
// Cancel with the records they send, routing, and the data-service switch.
#include "SettingsHarness.h"

#include "common/records/sms/SmsRecords.h"
#include "support/GoldenBytes.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>

namespace {

using namespace settingstest;

struct DialAt : ostrel::DefaultDialController {
    int connectStatus() const override { return status; }
    int status = 0;
};

QByteArray int32Bytes(std::int32_t v) { return yov::encodeSmsInt32(v); }

class SmsSettingsTest : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        ostrel::Neighbours::setDial(&dial);
        setItems({"SMS", "Network"});
    }
    void TearDown() override
    {
        ostrel::Neighbours::setDial(nullptr);
        SettingsFixture::TearDown();
    }
    // The 768 records sent, each "minor:module:hex of the data".
    QStringList smsSent()
    {
        QStringList out;
        for (const Sent &s : sent())
            if (s.major == 768)
                out << QStringLiteral("%1:%2:%3").arg(s.minor).arg(s.module).arg(QString::fromLatin1(s.data.toHex()));
        transport->sent.clear();
        return out;
    }
    static QString rec(int minor, int module, const QByteArray &data = {})
    {
        return QStringLiteral("%1:%2:%3").arg(minor).arg(module).arg(QString::fromLatin1(data.toHex()));
    }
    void typeCentre(const QString &text)
    {
        controller->messageCenterField()->setText(text);
        controller->controlTextDidChange();
    }
    QString centreText() const { return controller->messageCenterField()->text(); }
    QString storeText() const { return controller->storeLocationCombo()->currentText(); }
    void settle() { QCoreApplication::processEvents(); }

    DialAt dial;
};

TEST_F(SmsSettingsTest, CentreFieldKeepsPlusAndDigitsWithinTheDevicesRoom)
{
    makeController();
    const struct {
        const char *typed;
        const char *kept;
    } cases[] = {
        {"+1 (23) 4-5", "+12345"},
        {"1234567890123456789012345678901234567890", "1234567890123456789012345678901"}, // 40 digits: 31
        {"+49 abc 170 def 123 ghi 456 jkl 789 mno0", "+491701234567890"},                // 40 with letters
        {"+4912345678901234567890123456789xyz9999", "+491234567890123456789012345678"},
        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        controller->smsApplyButton()->setEnabled(false);
        typeCentre(QString::fromUtf8(c.typed));
        EXPECT_EQ(centreText(), QString::fromUtf8(c.kept));
        EXPECT_TRUE(controller->smsApplyButton()->isEnabled());
        EXPECT_TRUE(controller->smsCancelButton()->isEnabled());
    }
}

TEST_F(SmsSettingsTest, ApplySendsWhatTheSwitchesAskFor)
{
    // 768/95: the centre in char[32] under module 5; 768/96: int32 store code under module 3;
    // 768/106: int32 routing under module 3; 768/110: no data under module 5.
    QByteArray centre(32, '\0');
    golden::text(centre, 0, "+491709999000");
    QByteArray storePc(4, '\0');
    golden::le32(storePc, 0, 2);
    QByteArray routing1(4, '\0');
    golden::le32(routing1, 0, 1);
    const struct {
        const char *what;
        bool routing;
        bool language;
        const char *centreText;
        QStringList sent;
    } cases[] = {
        {"plain", false, false, "+491709999000", {rec(96, 3, storePc), rec(95, 5, centre)}},
        {"routing", true, false, "+491709999000", {rec(96, 3, storePc), rec(95, 5, centre), rec(106, 3, routing1)}},
        {"language", false, true, "+491709999000", {rec(96, 3, storePc), rec(95, 5, centre), rec(110, 5)}},
        {"empty centre is not sent", false, false, "", {rec(96, 3, storePc)}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        config->removeConfigurationByModule("SMS");
        config->removeConfigurationByModule("SMSNationalIdentifier");
        if (c.routing) {
            set("SMS", "MessageRouting", 0);
            set("SMS", "MessageRoutingList", QVariantList{"Packet Switched", "Circuit Switched"});
        }
        if (c.language)
            config->setConfigurationByModule("SMSNationalIdentifier", "SpanishSingle");
        makeController();
        ASSERT_EQ(controller->routingCombo()->isHidden(), !c.routing);
        ASSERT_EQ(controller->singleLanguageCombo() != nullptr, c.language);
        transport->sent.clear();
        controller->messageCenterField()->setText(QString::fromUtf8(c.centreText));
        controller->storeLocationCombo()->setCurrentIndex(2); // "PC" of the default table
        controller->deliveryReportMatrix()->button(1)->setChecked(true);
        controller->validityCombo()->setCurrentIndex(1);
        if (c.routing)
            controller->routingCombo()->setCurrentIndex(1);
        if (c.language)
            controller->singleLanguageCombo()->setCurrentIndex(1);
        controller->MessageSetApply();
        EXPECT_EQ(smsSent(), c.sent);
        EXPECT_EQ(controller->currentSetSMSPosition(), 2);
        EXPECT_TRUE(config->getConfigurationByModule("SwitchDeliveryReport").toBool());
        EXPECT_EQ(config->getConfigurationByModule("MessageValidPeriod").toInt(), 1);
        if (c.language) {
            EXPECT_EQ(config->getConfigurationByModule("SMSNationalIdentifier").toString(), "PortugueseSingle");
        }
        EXPECT_FALSE(controller->smsApplyButton()->isEnabled());
    }
}

TEST_F(SmsSettingsTest, CancelAndPanelSwitchBringBackTheStoredValues)
{
    config->setConfigurationByModule("MessageCenterNum", "+4411");
    config->setConfigurationByModule("MessageValidPeriod", 2);
    config->setConfigurationByModule("SwitchDeliveryReport", true);
    makeController();
    EXPECT_EQ(centreText(), "+4411");
    EXPECT_EQ(controller->validityCombo()->currentIndex(), 2);
    EXPECT_EQ(controller->deliveryReportMatrix()->checkedId(), 1);
    const std::function<void()> drops[] = {
        [this] { controller->MessageSetCancel(); },
        [this] { controller->selectSettingPanel("Network"); },
    };
    for (const auto &drop : drops) {
        controller->selectSettingPanel("SMS");
        typeCentre("+999");
        controller->validityCombo()->setCurrentIndex(0);
        controller->deliveryReportMatrix()->button(0)->setChecked(true);
        drop();
        EXPECT_EQ(centreText(), "+4411");
        EXPECT_EQ(controller->validityCombo()->currentIndex(), 2);
        EXPECT_EQ(controller->deliveryReportMatrix()->checkedId(), 1);
        EXPECT_FALSE(controller->smsApplyButton()->isEnabled());
        EXPECT_TRUE(smsSent().isEmpty());
    }
}

TEST_F(SmsSettingsTest, CentreAnswers)
{
    config->setConfigurationByModule("MessageCenterNum", "+4411");
    makeController();
    // The device's centre is stored and shown, read within its 32 bytes.
    QByteArray full(32, '7');
    deliver(768, 95, 1, 0, 5, full);
    EXPECT_EQ(centreText(), QString(32, '7'));
    EXPECT_EQ(config->getConfigurationByModule("MessageCenterNum").toString(), QString(32, '7'));
    EXPECT_TRUE(controller->messageCenterField()->isEnabled());
    EXPECT_FALSE(controller->messageCenterField()->isReadOnly());
    // A refusal brings back the stored centre and says so.
    typeCentre("+1");
    deliver(768, 95, 1, -1, 5);
    settle();
    EXPECT_EQ(centreText(), QString(32, '7'));
    EXPECT_EQ(alerts.messages(), QStringList{"Fail to set message center!"});
    // A report of another type is not an answer.
    deliver(768, 95, 0, 0, 5, QByteArray("+1"));
    EXPECT_EQ(centreText(), QString(32, '7'));
    // With the switch the field stays read-only.
    set("Setting", "MessageCenterEditFobidden", true);
    deliver(768, 95, 1, 0, 5, QByteArray("+2"));
    EXPECT_TRUE(controller->messageCenterField()->isReadOnly());
}

TEST_F(SmsSettingsTest, StorageAnswers)
{
    const struct {
        const char *what;
        QVariantMap sms;        // the SMS module
        QVariantMap setting;    // the Setting module
        QByteArray data;
        QString store;          // the combo's text afterwards
        int position;           // currentSetSMSPosition afterwards
        QStringList sent;
        bool storeEnabled;
    } cases[] = {
        {"length 0 enables only", {}, {}, {}, "Default", 2, {}, true},
        {"length 8 does nothing", {}, {}, QByteArray(8, '\1'), "Default", 2, {}, false},
        {"SIM", {}, {}, int32Bytes(1), "(U)SIM", 1, {}, true},
        {"code 0 with a Default position", {}, {}, int32Bytes(0), "Default", 0, {}, true},
        {"code 0 without one selects PC", {{"SetSMSPositionOrder", QVariantMap{{"SetAtSIM", 0}, {"SetAtPC", 1}}}}, {},
         int32Bytes(0), "PC", 0, {}, true},
        {"first start sends the configured position once",
         {},
         {{"Setting_SetSMSDefaultStore_WhenFirstStartUpUI", true}, {"Setting_SMSDefaultStorePos_WhenFirstStartUpUI", "SetAtSIM"}},
         int32Bytes(2), "(U)SIM", 1, {rec(96, 3, int32Bytes(1))}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        config->setConfigurationByModule("SMS", c.sms);
        config->setConfigurationByModule("Setting", c.setting);
        makeController();
        transport->sent.clear();
        deliver(768, 96, 1, 0, 3, c.data);
        EXPECT_EQ(smsSent(), c.sent);
        EXPECT_EQ(storeText(), c.store);
        EXPECT_EQ(controller->currentSetSMSPosition(), c.position);
        EXPECT_EQ(controller->storeLocationCombo()->isEnabled(), c.storeEnabled);
    }

    // The first-start rule runs once: its key is cleared, and the next answer is taken as it is.
    config->setConfigurationByModule("SMS", QVariantMap{});
    config->setConfigurationByModule("Setting", QVariantMap{{"Setting_SetSMSDefaultStore_WhenFirstStartUpUI", true}});
    makeController();
    transport->sent.clear();
    deliver(768, 96, 1, 0, 3, int32Bytes(1));
    EXPECT_EQ(smsSent(), QStringList{rec(96, 3, int32Bytes(2))}) << "the default first-start position is PC";
    EXPECT_EQ(storeText(), "PC");
    EXPECT_EQ(config->getConfigurationByModuleAndKey("Setting", "Setting_SetSMSDefaultStore_WhenFirstStartUpUI"), QVariant(false));
    deliver(768, 96, 1, 0, 3, int32Bytes(1));
    EXPECT_TRUE(smsSent().isEmpty());
    EXPECT_EQ(storeText(), "(U)SIM");

    // A full SIM: with the switch new messages go to the computer and the choice is locked.
    for (bool sw : {false, true}) {
        SCOPED_TRACE(sw);
        config->setConfigurationByModule("SMS", QVariantMap{{"SetSMSSavePosToPCWhenSIMFull", sw}});
        config->setConfigurationByModule("Setting", QVariantMap{});
        makeController();
        deliver(768, 96, 1, 0, 3, int32Bytes(1));
        controller->setIsSimCardFull(true);
        EXPECT_EQ(storeText(), sw ? "PC" : "(U)SIM");
        EXPECT_EQ(controller->currentSetSMSPosition(), sw ? 2 : 1);
        EXPECT_EQ(controller->storeLocationCombo()->isEnabled(), !sw);
        controller->setIsSimCardFull(false);
        EXPECT_TRUE(controller->storeLocationCombo()->isEnabled());
    }
}

TEST_F(SmsSettingsTest, RoutingReadAndSet)
{
    set("SMS", "MessageRouting", 1);
    set("SMS", "MessageRoutingList", QVariantList{"Circuit Switched", "Packet Switched", "Circuit Switched Preferred"});
    makeController();
    EXPECT_FALSE(controller->routingCombo()->isEnabled()) << "until the device answers";
    const struct {
        const char *what;
        int result;
        int value;
        int selected;
        int stored;
    } cases[] = {
        {"0 packet", 0, 0, 1, 1},
        {"1 circuit", 0, 1, 0, 0},
        {"2 not in the list: first", 0, 2, 0, 0},
        {"3 circuit preferred", 0, 3, 2, 2},
        {"7 outside the table", 0, 7, 2, 2},
        {"failed read", -1, 1, 2, 2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        controller->routingCombo()->setEnabled(false);
        deliver(768, 107, 1, c.result, 3, int32Bytes(c.value));
        EXPECT_EQ(controller->routingCombo()->currentIndex(), c.selected);
        EXPECT_EQ(config->getConfigurationByModuleAndKey("SMS", "MessageRouting").toInt(), c.stored);
        EXPECT_TRUE(controller->routingCombo()->isEnabled());
    }
    controller->routingCombo()->setCurrentIndex(1);
    deliver(768, 108, 1, -1, 3);
    EXPECT_EQ(controller->routingCombo()->currentIndex(), 2) << "a refused set brings back the stored one";
    controller->routingCombo()->setCurrentIndex(1);
    deliver(768, 108, 1, 0, 3);
    EXPECT_EQ(config->getConfigurationByModuleAndKey("SMS", "MessageRouting").toInt(), 1);
    // Apply sends the routing value of the fixed table, not the list's index.
    transport->sent.clear();
    controller->MessageSetApply();
    EXPECT_TRUE(smsSent().contains(rec(106, 3, int32Bytes(0)))) << "\"Packet Switched\" is 0";
}

TEST_F(SmsSettingsTest, DataServiceSwitchAndCentreCheck)
{
    set("SMS", "CheckSMSCenterAfterSTK", true);
    makeController();
    QWidget *band = controller->bandControl();
    QWidget *search = controller->searchModeControl();
    const struct {
        const char *what;
        bool on;
        int connectStatus;
        bool enabled;
    } cases[] = {{"NO", false, 0, false}, {"YES while connected", true, 3, false}, {"YES while idle", true, 0, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        dial.status = c.connectStatus;
        controller->setDataServicesStatus(yov::Notification{"DataServiceSwitch", nullptr, {{"DataServiceSwitch", c.on}}});
        EXPECT_EQ(band->isEnabled(), c.enabled);
        EXPECT_EQ(search->isEnabled(), c.enabled);
    }
    // The centre is asked for on entering "SMS", only with the SIM ready.
    controller->selectSettingPanel("Network");
    transport->sent.clear();
    controller->selectSettingPanel("SMS");
    EXPECT_TRUE(smsSent().isEmpty()) << "no SIM yet";
    controller->selectSettingPanel("Network");
    controller->simReady(yov::Notification{});
    transport->sent.clear();
    controller->selectSettingPanel("SMS");
    EXPECT_EQ(smsSent(), QStringList{rec(109, 5)});
    controller->selectSettingPanel("Network");
    EXPECT_TRUE(smsSent().isEmpty()) << "leaving asks nothing";
    controller->deviceRemoved(yov::Notification{});
    transport->sent.clear();
    controller->selectSettingPanel("SMS");
    EXPECT_TRUE(smsSent().isEmpty()) << "the device and its SIM are gone";
}

TEST_F(SmsSettingsTest, ThePluginsApplySendsTheStoreAndWritesTheReport)
{
    makeController();
    transport->sent.clear();
    center.post(QStringLiteral("btMessageSetApply"), nullptr, {{QStringLiteral("index"), 3}, {QStringLiteral("flag"), true}});
    ASSERT_EQ(sent().size(), 1u);
    EXPECT_EQ(sent()[0].major, 768);
    EXPECT_EQ(sent()[0].minor, 96);
    EXPECT_EQ(sent()[0].module, 3);
    EXPECT_EQ(sent()[0].data, yov::encodeSmsInt32(3));
    EXPECT_TRUE(config->getConfigurationByModule("SwitchDeliveryReport").toBool());
}

} // namespace
