// The "System" and "Connect" panels: the language table and its changes from the pop-up and the
// menu, automatic connection (its question, its answers to the connection controller), the start
// and warning boxes, the connection type, the service number and the read-only displays.
#include "PanelHarness.h"

#include "common/BuildInfo.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/service/Platform.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <functional>

namespace {

using namespace settingstest;
using ostrel::SettingController;

class SystemPanelTest : public PanelFixture {
protected:
    void start(const QStringList &languages = {"English", "Japanese"}, const QString &current = "English")
    {
        setItems({"System", "Connect"});
        QVariantList supported;
        for (const QString &l : languages)
            supported << l;
        config->setConfigurationByModule("SupportLanguages", supported);
        config->setConfigurationByModule("CurrentLanguage", current);
        makeController();
        alerts.setHoldOpen(true);
    }
};

// A controller that counts its re-wordings.
class WordingCounter : public ostrel::YOVUIController {
public:
    using YOVUIController::YOVUIController;
    void updateLanguages() override { ++count; }
    int count = 0;
};

TEST_F(SystemPanelTest, EnglishToNativeTable)
{
    const struct {
        const char *english;
        QString native;
    } cases[] = {
        {"Arabic", QString::fromUtf8("\u0644\u0639\u0631\u0628\u064A\u0629")},
        {"Japanese", QString::fromUtf8("日本語")},
        {"zh_TW", QString::fromUtf8("繁體中文")},
        {"Klingon", QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.english);
        const QString native = SettingController::EnglishToNative(QLatin1String(c.english));
        EXPECT_EQ(native, c.native);
        EXPECT_EQ(native.isNull(), c.native.isNull());
    }
    EXPECT_EQ(SettingController::EnglishToNative("Arabic").size(), 6);
    EXPECT_FALSE(SettingController::EnglishToNative("Arabic").contains(QChar(0x0627))) << "no alef";
}

TEST_F(SystemPanelTest, OneLanguageHidesThePopUpAndAnUnknownOneShowsItsEnglishName)
{
    start({"English"});
    EXPECT_TRUE(controller->languageCombo()->isHidden());
    EXPECT_TRUE(controller->languageLabel()->isHidden());
    // The language menu holds the one language; other menus' items are other panels' business.
    QStringList languageItems;
    for (const QString &item : main.menuItems)
        if (item.startsWith(QLatin1String("Language/")))
            languageItems << item;
    EXPECT_EQ(languageItems, (QStringList{"Language/English"}));
    EXPECT_TRUE(main.menuItems.contains("Edit/Preferences..."));

    controller.reset();
    start({"English", "Klingon", "French"}, "Klingon");
    QComboBox *combo = controller->languageCombo();
    EXPECT_FALSE(combo->isHidden());
    ASSERT_EQ(combo->count(), 3);
    EXPECT_EQ(combo->itemText(1), "Klingon");
    EXPECT_EQ(combo->itemText(2), QString::fromUtf8("Français"));
    EXPECT_EQ(combo->currentText(), "Klingon");
    // Chosen by its shown name, it is stored.
    config->setConfigurationByModule("CurrentLanguage", "English");
    combo->setCurrentIndex(1);
    controller->changeLanguageTo();
    EXPECT_EQ(stored().value("CurrentLanguage").toString(), "Klingon");
}

TEST_F(SystemPanelTest, EveryLanguageChangeTakesTheSameSteps)
{
    start({"English", "Japanese", "French"});
    ostrel::ControllerContext ctx;
    ctx.config = config.get();
    ctx.notificationCenter = &center;
    ctx.clock = &clock;
    WordingCounter counter(ctx);
    counter.awakeFromNib();
    const struct {
        const char *name;
        std::function<void()> act;
        const char *stored;
        QMap<QString, bool> marks;
    } cases[] = {
        {"pop-up",
         [&] {
             controller->languageCombo()->setCurrentIndex(2);
             controller->changeLanguageTo();
         },
         "French",
         {{"English", false}, {"Japanese", false}, {"French", true}}},
        {"first menu item", [&] { main.actions["English"](); }, "English", {{"English", true}, {"Japanese", false}}},
        {"second menu item", [&] { main.actions["Japanese"](); }, "Japanese", {{"English", false}, {"Japanese", true}}},
        {"third menu item", [&] { main.actions["French"](); }, "French", {{"English", false}, {"Japanese", false}, {"French", true}}},
        {"unknown native name", [&] { controller->changeLanguageby("Esperanto"); }, "French", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        main.checkedItems.clear();
        phonebook.calls.clear();
        const int before = counter.count;
        c.act();
        EXPECT_EQ(stored().value("CurrentLanguage").toString(), c.stored);
        EXPECT_EQ(phonebook.calls, QStringList{"setCurDefGrpName"});
        EXPECT_EQ(counter.count, before + 1) << "every controller is worded again";
        for (auto it = c.marks.begin(); it != c.marks.end(); ++it)
            EXPECT_EQ(main.checkedItems.value(it.key(), !it.value()), it.value()) << qPrintable(it.key());
    }
    EXPECT_EQ(controller->languageCombo()->currentText(), QString::fromUtf8("Français"));
}

TEST_F(SystemPanelTest, AllowAutoConnectTruthTable)
{
    // box: shown, enabled, ticked; matrix: shown, enabled, row; DefaultAutoConnect.
    const struct {
        bool boxShown, boxEnabled, ticked;
        bool matrixShown, matrixEnabled;
        int row;
        bool byDefault;
        bool expected;
    } cases[] = {
        {true, true, true, false, true, 0, false, true},     // the box decides
        {true, false, true, false, true, 0, false, false},   // a disabled box does not
        {false, true, true, false, true, 0, false, false},   // a hidden box does not
        {false, true, true, false, true, 0, true, true},     // unless by default
        {true, true, false, true, true, 0, false, true},     // the matrix's row 0 wins
        {true, true, true, true, true, 1, false, false},     // and its row 1
        {true, true, true, true, false, 1, false, true},     // a disabled matrix leaves the box's answer
        {false, true, true, false, true, 0, false, false},   // both hidden: NO
        {false, true, false, false, true, 0, true, true},    // by default the hidden matrix counts
    };
    setItems({"System"});
    config->setConfigurationByModule("AutoConnect", true);
    makeController();
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.boxShown << c.boxEnabled << c.ticked << c.matrixShown << c.matrixEnabled
                                        << c.row << c.byDefault);
        set("Internet", "DefaultAutoConnect", c.byDefault);
        controller->autoConnectBox()->setHidden(!c.boxShown);
        controller->autoConnectBox()->setEnabled(c.boxEnabled);
        controller->autoConnectBox()->setChecked(c.ticked);
        controller->smartAutoConnectControl()->setHidden(!c.matrixShown);
        controller->smartAutoConnectControl()->setEnabled(c.matrixEnabled);
        controller->smartAutoConnectMatrix()->button(c.row)->setChecked(true);
        EXPECT_EQ(controller->allowAutoConnect(), c.expected);
        set("Internet", "EnableAutoReconnectNotDependOnAutoConnectLable", false);
        EXPECT_EQ(controller->allowAutoReconnect(), c.expected);
        set("Internet", "EnableAutoReconnectNotDependOnAutoConnectLable", true);
        EXPECT_TRUE(controller->allowAutoReconnect());
        set("Internet", "EnableAutoReconnectNotDependOnAutoConnectLable", false);
    }
}

TEST_F(SystemPanelTest, AutoConnectAsksAndActsOnTheAnswer)
{
    testing_support::ScriptedAlertPresenter::Choice OK = testing_support::ScriptedAlertPresenter::Default;
    testing_support::ScriptedAlertPresenter::Choice Cancel = testing_support::ScriptedAlertPresenter::Alternate;
    const struct {
        const char *name;
        bool warnOnly;
        bool dialling;
        std::optional<testing_support::ScriptedAlertPresenter::Choice> answer;
        bool stored;
        QStringList dialCalls;
        QStringList mainCalls;
    } cases[] = {
        {"cancel", false, false, Cancel, false, {}, {}},
        {"OK while idle", false, false, OK, true, {"reconnect:1", "setApnCycleEnable:1"}, {"updateUIForBraVuzod:Internet"}},
        {"OK while dialling", false, true, OK, true, {}, {}},
        {"warning only", true, false, std::nullopt, true, {}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        controller.reset();
        config->setConfigurationByModule("AutoConnect", false);
        set("Setting", "NoStartAutoConnectWhenClickAutoBtn", c.warnOnly);
        EmptySkin skinForTest;
        skin = &skinForTest;
        start();
        skin = nullptr;
        dial.calls.clear();
        dial.dialling = c.dialling;
        main.calls.clear();
        alerts.clear();
        posted.clear();
        controller->setAutoConnectBtnEnable(true);
        controller->autoConnectBox()->click();
        ASSERT_EQ(alerts.messages(), QStringList{"Do you start the autoconnect function?"});
        EXPECT_EQ(alerts.shown().first().alternateButton.isEmpty(), c.warnOnly);
        alerts.answerOpen(c.answer);
        EXPECT_EQ(stored().value("AutoConnect").toBool(), c.stored);
        EXPECT_EQ(controller->autoConnectBox()->isChecked(), c.stored);
        EXPECT_EQ(dial.calls, c.dialCalls);
        EXPECT_EQ(main.calls.filter("updateUIForBraVuzod"), c.mainCalls);
        bool toInternet = false;
        for (const auto &n : postedNamed("TabViewItemWillChange"))
            toInternet = toInternet || n.userInfo.value("TabViewItemWillChange").toString() == "Internet";
        EXPECT_EQ(toInternet, !c.dialCalls.isEmpty());
        controller.reset();
    }
}

TEST_F(SystemPanelTest, BoxesStoreTheirKeys)
{
    config->setConfigurationByModule("LPMinfo", QVariantMap{{"other", 1}});
    set("Internet", "DefaultAutoConnect", false);
    start();
    const struct {
        const char *name;
        QCheckBox *(SettingController::*box)() const;
        QString module, key;
    } cases[] = {
        {"start with system", &SettingController::startWithSystemBox, "", "StartUIWithSystem"},
        {"start with device", &SettingController::startWithDeviceBox, "", "StartUIWithPluginDevice"},
        {"low power", &SettingController::lowPowerBox, "LPMinfo", "btnLPMBState"},
        {"connection warning", &SettingController::connectWarningBox, "Setting", "connectWarningsDisplay"},
        {"ask before disconnecting", &SettingController::disconnectAskBox, "Internet", "PopUpDisconnectWaring"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QCheckBox *box = (controller.get()->*c.box)();
        for (bool on : {true, false}) {
            box->setChecked(!on);
            box->click();
            const QVariantMap s = stored();
            const QVariant value = c.module.isEmpty() ? s.value(c.key) : s.value(c.module).toMap().value(c.key);
            EXPECT_EQ(value.toBool(), on);
        }
    }
    EXPECT_EQ(stored().value("LPMinfo").toMap().value("other").toInt(), 1) << "the rest of the dictionary stays";

    // Without its dictionary the low-power box stores nothing.
    config->removeConfigurationByModule("LPMinfo");
    config->writeToFile();
    controller->lowPowerBox()->click();
    EXPECT_FALSE(stored().contains("LPMinfo"));
}

TEST_F(SystemPanelTest, ConnectionTypeServiceNumberAndDisplays)
{
    config->setConfigurationByModule("serviceNumber", "*99#");
    config->setConfigurationByModule("IMSI", "262019876543210");
    config->setConfigurationByModule("ConnectType", 1);
    start();
    EXPECT_TRUE(controller->connectTypeMatrix()->button(1)->isChecked());
    EXPECT_EQ(controller->serviceNumberField()->text(), "*99#");
    for (int platform : {1, 2}) {
        SCOPED_TRACE(platform);
        ostrel::Platform::sharedPlatform()->setPlatform(platform);
        posted.clear();
        controller->connectTypeMatrix()->button(0)->click();
        EXPECT_EQ(stored().value("ConnectType").toInt(), 0);
        controller->connectTypeMatrix()->button(1)->click();
        EXPECT_EQ(stored().value("ConnectType").toInt(), 1);
        EXPECT_EQ(postedNamed("ConnectTypeChange").size(), platform == 1 ? 2 : 0);
    }
    ostrel::Platform::sharedPlatform()->reset();

    controller->serviceNumberField()->setText("#777");
    emit controller->serviceNumberField()->editingFinished();
    EXPECT_EQ(stored().value("serviceNumber").toString(), "#777");

    center.post("TabViewItemWillChange", nullptr, {{"TabViewItemWillChange", "Setting"}});
    EXPECT_EQ(controller->imsiValueLabel()->text(), "262019876543210");
    EXPECT_EQ(controller->softwareVersionLabel()->text(), yov::BuildInfo::version());
    EXPECT_EQ(controller->phoneNumberField()->text(), "");

    // The update server's skin keys stay the update server's: the service number has its own.
    for (const char *key : {"textServiceSetting", "labelServerSetting"}) {
        if (QObject *bound = controller->controlForSkinKey(QLatin1String(key))) {
            EXPECT_NE(bound->parent(), controller->serviceNumberField()->parent()) << key;
        }
    }
}

TEST_F(SystemPanelTest, TheLocalPanelsTakeTheirWordsFromTheCurrentLanguage)
{
    setItems({"System", "Connect", "Alert", "Browser", "FavoriteLinks"});
    config->setConfigurationByModule("AutoConnect", true);
    makeController();
    const auto button = [this](const char *name) { return controller->settingTabView()->findChild<QPushButton *>(name); };
    const struct {
        const char *english, *translated;
        std::function<QString()> shown;
    } cases[] = {
        {"Auto Connect", "Automatisch verbinden", [this] { return controller->autoConnectBox()->text(); }},
        {"Check for Updates", "Nach Updates suchen", [this] { return controller->checkForUpdateButton()->text(); }},
        {"IMSI:", "IMSI-Nummer:", [this] { return controller->infoCaption(1)->text(); }},
        {"Service Number:", "Dienstnummer:", [this] { return controller->serviceNumberLabel()->text(); }},
        {"Connection With RAS", "Mit RAS", [this] { return controller->connectTypeMatrix()->button(0)->text(); }},
        {"Mute", "Stumm", [this] { return controller->muteBox(3)->text(); }},
        {"Advanced...", "Erweitert...", [this] { return controller->advancedButton()->text(); }},
        {"Advanced settings", "Erweiterte Einstellungen",
         [this] { return qobject_cast<QLabel *>(controller->controlForSkinKey("labelAdvancedSetting"))->text(); }},
        {"Modify", "Ändern", [button] { return button("btnFavoriteLinkModify")->text(); }},
    };
    QString tokens;
    for (const auto &c : cases) {
        EXPECT_EQ(c.shown(), QString::fromUtf8(c.english)) << c.english;
        tokens += QStringLiteral("\"%1\" = \"%2\";\n").arg(QString::fromUtf8(c.english), QString::fromUtf8(c.translated));
    }
    QFile list(dir.filePath("German.txt"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(tokens.toUtf8());
    list.close();
    ASSERT_TRUE(ostrel::Lingrove_Init(list.fileName()));
    controller->updateLanguages();
    for (const auto &c : cases)
        EXPECT_EQ(c.shown(), QString::fromUtf8(c.translated)) << c.english;
    ostrel::Lingrove_Init(QString());
}

} // namespace
