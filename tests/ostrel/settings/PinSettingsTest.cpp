// The SIM's PIN in the "Security" panel: the bytes of its requests, the input rules and the typing
// filter, and the flows that follow the device's answers (retry, PUK, auto-validation).
#include "SettingsHarness.h"

#include "ostrel/settings/SettingService.h"

#include <QLabel>

namespace {

using namespace settingstest;

QByteArray ints(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        for (int i = 0; i < 4; ++i)
            out.append(char((quint32(v) >> (8 * i)) & 0xff));
    return out;
}

// Text in a zero-filled field of width bytes.
QByteArray field(const char *text, int width)
{
    QByteArray out(text);
    out.resize(width, '\0');
    return out;
}

class PinSettingsTest : public SettingsFixture {
protected:
    void SetUp() override
    {
        SettingsFixture::SetUp();
        alerts.setHoldOpen(true);
        setItems({"System", "Security"});
    }
    void start()
    {
        makeController();
        autoBox = new QCheckBox(controller->securityHostArea());
        controller->setPinAutoValidationBox(autoBox);
        controller->setPinActiveStatus(0); // the SIM reported its PIN request off
        transport->sent.clear();
    }
    // The last request of that ID.
    std::optional<Sent> last(int major, int minor) const
    {
        std::optional<Sent> found;
        for (const Sent &s : sent())
            if (s.major == major && s.minor == minor)
                found = s;
        return found;
    }
    int countOf(int major, int minor) const
    {
        int n = 0;
        for (const Sent &s : sent())
            n += s.major == major && s.minor == minor;
        return n;
    }
    // What the queue shows, in order: each alert is answered; a sheet stops the walk.
    QStringList walkQueue()
    {
        QStringList seen;
        for (int guard = 0; guard < 20; ++guard) {
            if (alerts.openCount()) {
                seen << alerts.shown().last().message;
                alerts.answerOpen();
                continue;
            }
            if (QDialog *sheet = controller->sheetQueue()->showingSheet())
                seen << sheet->objectName();
            break;
        }
        return seen;
    }
    void typePin(const char *pin)
    {
        controller->enablePinField()->setText(QString::fromLatin1(pin));
        controller->ChangePinActiveStatusOK();
    }
    void answer(int minor, int result, const QByteArray &data = {}, int module = 3, int type = 1)
    {
        deliver(4, minor, type, result, module, data);
    }
    bool stored(const char *key) const { return config->getConfigurationByModule(QLatin1String(key)).toBool(); }

    QCheckBox *autoBox = nullptr;
};

TEST_F(PinSettingsTest, RequestsCarryTheirBytes)
{
    start();
    // PIN request on, through the menu item.
    main.actions["Enable PIN"]();
    ASSERT_TRUE(controller->enablePinSheet()->isVisible());
    typePin("1234");
    // Change.
    controller->ChangePin();
    controller->reviseOldPinField()->setText("1234");
    controller->reviseNewPinField()->setText("56789");
    controller->reviseRepeatPinField()->setText("56789");
    controller->ChangePinOK();
    // PUK.
    controller->CheckoutPuk();
    controller->pukField()->setText("12345678");
    controller->pukNewPinField()->setText("4321");
    controller->pukRepeatPinField()->setText("4321");
    controller->CheckoutPukOK();
    controller->CheckPinPukRemainCount();

    const struct {
        int minor;
        QByteArray data;
    } golden[] = {
        {14, field("1234", 12) + ints({1})},
        {12, field("1234", 10) + field("56789", 10)},
        {11, field("4321", 10) + field("12345678", 10)},
        {8, ints({0, 0})},
    };
    const auto all = sent();
    ASSERT_EQ(all.size(), std::size(golden));
    for (size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(golden[i].minor);
        EXPECT_EQ(all[i].major, 4);
        EXPECT_EQ(all[i].minor, golden[i].minor);
        EXPECT_EQ(all[i].module, 3);
        EXPECT_EQ(all[i].type, 0);
        EXPECT_EQ(all[i].result, 0);
        EXPECT_EQ(all[i].data, golden[i].data);
    }

    // Auto-validation: the PIN changed to itself, then, after the tries, kept and switched on.
    transport->sent.clear();
    autoBox->setEnabled(true);
    autoBox->click();
    typePin("2468");
    answer(12, 0);
    answer(8, 0, ints({3, 10}));
    const struct {
        int minor;
        QByteArray data;
    } autoGolden[] = {{12, field("2468", 10) + field("2468", 10)}, {8, ints({0, 0})}, {17, field("2468", 10)}, {18, ints({1, 0})}};
    const auto autoSent = sent();
    ASSERT_EQ(autoSent.size(), std::size(autoGolden));
    for (size_t i = 0; i < autoSent.size(); ++i) {
        SCOPED_TRACE(autoGolden[i].minor);
        EXPECT_EQ(autoSent[i].minor, autoGolden[i].minor);
        EXPECT_EQ(autoSent[i].module, 3);
        EXPECT_EQ(autoSent[i].type, 0);
        EXPECT_EQ(autoSent[i].data, autoGolden[i].data);
    }
    EXPECT_FALSE(alerts.messages().contains("New PIN enabled!")) << "auto-validation confirms silently";
}

TEST_F(PinSettingsTest, InputRulesKeepTheSheetAndClearItsFields)
{
    start();
    enum Sheet { PinSheet, ChangeSheet, PukSheet };
    const struct {
        Sheet sheet;
        const char *a, *b, *c; // PIN; old, new, repeat; PUK, new, repeat
        const char *message;
    } cases[] = {
        {PukSheet, "1234567", "1234", "1234", "PUK must be 8 digits!"},
        {PukSheet, "1234567a", "1234", "1234", "PUK must be digits only!"},
        {PukSheet, "12345678", "1234", "4321", "Different inputs of PIN code, please input again!"},
        {PinSheet, "123", nullptr, nullptr, "Length of PIN must be between 4 and 8!"},
        {PinSheet, "123456789", nullptr, nullptr, "Length of PIN must be between 4 and 8!"},
        {PinSheet, "12a4", nullptr, nullptr, "PIN must be digits only!"},
        {ChangeSheet, "12a4", "5678", "5678", "PIN must be digits only!"},
        {ChangeSheet, "1234", "123", "123", "Length of PIN must be between 4 and 8!"},
        {ChangeSheet, "1234", "5678", "8765", "Different inputs of PIN code, please input again!"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message);
        alerts.clear();
        QDialog *sheet = nullptr;
        QList<QLineEdit *> fields;
        if (c.sheet == PinSheet) {
            controller->ChangePinActiveStatus();
            sheet = controller->enablePinSheet();
            fields = {controller->enablePinField()};
            fields[0]->setText(c.a);
            controller->ChangePinActiveStatusOK();
        } else if (c.sheet == ChangeSheet) {
            controller->ChangePin();
            sheet = controller->revisePinSheet();
            fields = {controller->reviseOldPinField(), controller->reviseNewPinField(), controller->reviseRepeatPinField()};
            for (int i = 0; i < 3; ++i)
                fields[i]->setText(QString::fromLatin1((&c.a)[i]));
            controller->ChangePinOK();
        } else {
            controller->CheckoutPuk();
            sheet = controller->pukSheet();
            fields = {controller->pukField(), controller->pukNewPinField(), controller->pukRepeatPinField()};
            for (int i = 0; i < 3; ++i)
                fields[i]->setText(QString::fromLatin1((&c.a)[i]));
            controller->CheckoutPukOK();
        }
        EXPECT_EQ(alerts.messages(), QStringList{c.message});
        EXPECT_TRUE(sheet->isVisible()) << "the sheet stays";
        for (QLineEdit *f : fields)
            EXPECT_TRUE(f->text().isEmpty()) << qPrintable(f->objectName());
        EXPECT_TRUE(sent().empty()) << "nothing reaches the device";
        alerts.answerOpen();
        sheet->reject(); // Escape: the sheet's cancel
        while (alerts.openCount())
            alerts.answerOpen();
    }
}

TEST_F(PinSettingsTest, TypingFilterKeepsFourLeadingDigitsOfPinFieldsOnly)
{
    set("Setting", "PinLimitFourDigitals", true);
    start();
    controller->CheckoutPuk();
    const struct {
        QLineEdit *field;
        const char *typed;
        const char *kept;
    } cases[] = {
        {controller->enablePinField(), "12345", "1234"},
        {controller->reviseNewPinField(), "12a", "12"},
        {controller->pukNewPinField(), "98765", "9876"},
        {controller->pukField(), "12345678", "12345678"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        // Typed one character after another: each edit is filtered.
        c.field->clear();
        for (const char *p = c.typed; *p; ++p) {
            c.field->setText(c.field->text() + QLatin1Char(*p));
            Q_EMIT c.field->textEdited(c.field->text());
        }
        EXPECT_EQ(c.field->text(), QLatin1String(c.kept));
    }
}

TEST_F(PinSettingsTest, AWrongPinAsksForTheTriesAndLeadsToTheRetryOrThePuk)
{
    const struct {
        const char *what;
        int pinTries;
        bool bundle;
        bool boxOn;
        QStringList queue;
        bool pukPosted;
    } cases[] = {
        {"two left", 2, false, true, {"Incorrect PIN code!", "wndSettingEnablePin"}, false},
        {"one left: warned", 1, false, true, {"Incorrect PIN code!", "one PIN try left", "wndSettingEnablePin"}, false},
        {"none left: PUK sheet", 0, false, false, {"Incorrect PIN code!", "wndSettingPuk"}, false},
        {"none left, the plug-in's PUK page", 0, true, false, {"Incorrect PIN code!"}, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        if (controller) {
            while (alerts.openCount())
                alerts.answerOpen();
            controller.reset();
            alerts.clear();
        }
        set("Setting", "IsPUKwinBeginSheetForDidizu", c.bundle);
        start();
        controller->pinEnableBox()->click(); // off -> on: the user asks for the PIN request
        typePin("0000");
        ASSERT_EQ(last(4, 14)->data.right(4), ints({1}));
        answer(14, 1);
        EXPECT_FALSE(controller->pinEnableBox()->isChecked()) << "back to the SIM's state";
        ASSERT_EQ(countOf(4, 8), 1) << "the controller asks for the tries itself";
        EXPECT_EQ(last(4, 8)->module, 3);
        answer(8, 0, ints({c.pinTries, 10}));
        EXPECT_EQ(controller->pinEnableBox()->isChecked(), c.boxOn);
        EXPECT_EQ(main.enabledItems.value("Disable PIN"), c.boxOn);
        EXPECT_EQ(main.enabledItems.value("Enable PIN"), !c.boxOn);
        EXPECT_EQ(main.enabledItems.value("Modify PIN"), c.boxOn);
        EXPECT_EQ(walkQueue(), c.queue);
        EXPECT_EQ(postedNamed("setPinUnlockStatusForBundle").size(), c.pukPosted ? 1 : 0);
        EXPECT_EQ(controller->enablePinTimeLeft()->text(), QStringLiteral("You only have %1 time(s) left!").arg(c.pinTries));
        EXPECT_EQ(controller->pukTimeLeft()->text(), QStringLiteral("You only have 10 time(s) left!"));
    }
}

TEST_F(PinSettingsTest, TriesReportsOfOthersChangeNothing)
{
    start();
    controller->pinEnableBox()->click();
    typePin("0000");
    answer(14, 1);
    alerts.answerOpen();
    const QString before = controller->enablePinTimeLeft()->text();
    const struct {
        int module, type, result;
    } cases[] = {{1, 1, 0}, {3, 0, 0}, {3, 1, 1}};
    for (const auto &c : cases) {
        answer(8, c.result, ints({0, 10}), c.module, c.type);
        EXPECT_EQ(controller->enablePinTimeLeft()->text(), before);
        EXPECT_FALSE(controller->sheetQueue()->isShowing());
        EXPECT_EQ(alerts.openCount(), 0);
    }
}

TEST_F(PinSettingsTest, SuccessAndPukAnswers)
{
    start();
    controller->pinEnableBox()->click();
    typePin("1234");
    answer(14, 0);
    EXPECT_TRUE(controller->pinEnableBox()->isChecked());
    EXPECT_TRUE(controller->revisePinButton()->isEnabled());
    EXPECT_EQ(postedNamed("changePinActiveStatusSuccessful").size(), 1);
    EXPECT_EQ(walkQueue(), QStringList{"Settings successful!"});
    EXPECT_EQ(controller->getPinStatus(), "Enabled");

    // The PUK sheet: cancelling it leaves the pages without a device.
    controller->CheckoutPuk();
    EXPECT_TRUE(controller->isPinPukOrNetSelectWinBeginSheet());
    controller->CheckoutPukCancel();
    EXPECT_FALSE(controller->isPinPukOrNetSelectWinBeginSheet());
    EXPECT_EQ(postedNamed("DeviceRemoved").size(), 1);

    // A PUK answer keeps the PIN request on, whatever its result.
    set("Setting", "IsPUKwinBeginSheetForDidizu", true);
    controller->setPinActiveStatus(0);
    answer(11, 1);
    EXPECT_TRUE(controller->pinEnableBox()->isChecked());
    answer(11, 0);
    EXPECT_EQ(walkQueue(), (QStringList{"Incorrect PUK code!", "New PIN enabled!"}));
    EXPECT_EQ(postedNamed("changePukStatusSuccessfulForBundle").size(), 1);
    // The device-state window's PUK answer (module 1) is not ours.
    answer(11, 0, {}, 1);
    EXPECT_EQ(alerts.openCount(), 0);
}

TEST_F(PinSettingsTest, AutoValidationKeepsTheStoredChoiceEqualToTheBox)
{
    start();
    controller->setPinActiveStatus(1);
    ASSERT_TRUE(autoBox->isEnabled());

    // Cancel: the box flips back and so does the stored choice.
    autoBox->click();
    EXPECT_TRUE(stored("pinAutoValidationState"));
    controller->ChangePinActiveStatusCancel();
    EXPECT_FALSE(autoBox->isChecked());
    EXPECT_FALSE(stored("pinAutoValidationState"));

    // A wrong PIN asks again with the tries left.
    autoBox->click();
    typePin("9999");
    answer(12, 1);
    answer(8, 0, ints({2, 10}));
    EXPECT_EQ(walkQueue(), (QStringList{"Incorrect PIN code!", "wndSettingEnablePin"}));
    EXPECT_TRUE(controller->enablePinField()->text().isEmpty());

    // The right one: no "New PIN enabled!", then kept; the device refuses the switch.
    typePin("1234");
    answer(12, 0);
    answer(8, 0, ints({3, 10}));
    EXPECT_EQ(countOf(4, 17), 1);
    EXPECT_EQ(last(4, 18)->data, ints({1, 0}));
    answer(18, 1);
    EXPECT_EQ(walkQueue(), QStringList{"The operation failed!"});
    EXPECT_FALSE(autoBox->isChecked());
    EXPECT_FALSE(stored("pinAutoValidationState")) << "the stored choice follows the box";
}

TEST_F(PinSettingsTest, TheSecurityPanelsSkinKeysFindTheirControls)
{
    start();
    for (const char *key :
         {"wndSettingEnablePin", "wndSettingChangePin", "wndSettingPuk", "btnSettingInputPinOK", "btnSettingRevisePinCancel",
          "btnSettingInputPukOK", "textPukStringSetting", "textEnablePinPinSetting", "labelRevisePinTimeLeftSetting",
          "labelPukTimeLeftSetting", "CheckSettingAutoUpdate", "textServiceSetting", "btnApplySetting", "btnUpdateNowSetting",
          "labelUpdateBoxSetting", "btnSettingBRSMSPB", "btnBackupSMSandPhonebookSetting", "btnRestoreSMSandPhonebookSetting"}) {
        EXPECT_NE(controller->controlForSkinKey(QLatin1String(key)), nullptr) << key;
        EXPECT_TRUE(ostrel::SettingController::skinKeys().contains(QLatin1String(key))) << key;
    }
}

} // namespace
