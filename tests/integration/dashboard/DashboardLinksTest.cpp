// The settings panels that edit local settings and files, in the whole dashboard against the
// stand-in: the chosen browser link opens once per connection (PPP and NDIS), the favourite
// links marked for start-up are launched, and the System, Alert and FavoriteLinks panels as the
// user sees them.
#include "DashboardFixture.h"

#include "common/BuildInfo.h"
#include "common/PlistBridge.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/IconMatrix.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/SettingController.h"
#include "ostrel/framework/controller/AlertSounds.h"
#include "platform/process/ProgramLauncher.h"
#include "support/RecordingLauncher.h"
#include "support/RecordingSound.h"
#include "support/ScriptedFileChooser.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace dashboard_test;
using testing_support::RecordingLauncher;

namespace {

class DashboardLinksTest : public DashboardFixture {
protected:
    void SetUp() override
    {
        DashboardFixture::SetUp();
        YOVUIController::setUrlOpener([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
    }
    void TearDown() override
    {
        DashboardFixture::TearDown();
        YOVUIController::setUrlOpener({});
    }
    SettingController *settings() const { return assembly_->settingController(); }
    void writeList(const QString &name, const QVariantList &list)
    {
        ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(modemList_).filePath(name), list));
    }
    void startWithLinks(const QVariantMap &extra = {})
    {
        writeList(QStringLiteral("browserList.plist"),
                  {QVariantMap{{"browserdiscription", "first.example"}, {"DonotOpenTheBrowser", "0"}},
                   QVariantMap{{"browserdiscription", "www.chosen.example"}, {"DonotOpenTheBrowser", "0"}}});
        QVariantMap keys{{"SettingDefaultItem", QVariantList{"System", "Connect", "Alert", "Browser", "FavoriteLinks"}},
                         {"BrowserID", 1}};
        for (auto it = extra.begin(); it != extra.end(); ++it)
            keys.insert(it.key(), it.value());
        setSettings(keys);
        launch(QStringLiteral("default.plist"));
        ASSERT_TRUE(waitSimReady());
    }
    void connectOnce()
    {
        pressConnectButton(QStringLiteral("Connect"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs));
        QTest::qWait(300); // both askers have had their turn
        pressConnectButton(QStringLiteral("Disconnect"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs));
    }
    void showPanel(const QString &name)
    {
        main()->gotoSetting(nullptr);
        QTabWidget *panels = settings()->settingTabView();
        panels->setCurrentIndex(tabViewItemOfIdentifier(panels, name));
        QTest::qWait(50);
    }

    // A fresh dashboard over a fresh copy of the shipped configuration, for the next case of a table.
    void restart()
    {
        TearDown();
        QDir(modemList_).removeRecursively();
        opened.clear();
        SetUp();
    }

    QStringList opened;
};

TEST_F(DashboardLinksTest, ThePppConnectionOpensTheChosenLinkOnce)
{
    startWithLinks();
    EXPECT_EQ(settings()->browserCombo()->currentText(), QStringLiteral("www.chosen.example"));
    for (int connection = 1; connection <= 2; ++connection) {
        SCOPED_TRACE(connection);
        connectOnce();
        EXPECT_EQ(opened, QStringList(connection, QStringLiteral("http://www.chosen.example")));
    }
}

TEST_F(DashboardLinksTest, TheNdisConnectionOpensTheChosenLinkOnce)
{
    startWithLinks({{"ConnectType", qint64(yov::kConnectTypeNDIS)}});
    connectOnce();
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://www.chosen.example")});
}

TEST_F(DashboardLinksTest, StartUpFavouritesAreLaunchedAndThePanelsShowTheSettings)
{
    RecordingLauncher launcher;
    yov::ScopedProgramLauncher guard(&launcher);
    writeList(QStringLiteral("FavoriteLinks.plist"),
              {QVariantMap{{"Index", 0}, {"Name", "Notes"}, {"Type", 0}, {"Path", "/usr/bin/notes"}, {"Para", "todo.txt"},
                           {"LaunchAtStartup", 1}, {"LaunchaWhenConnected", 0}},
               QVariantMap{{"Index", 1}, {"Name", "News"}, {"Type", 1}, {"Path", "http://news.example"},
                           {"LaunchAtStartup", 1}, {"LaunchaWhenConnected", 0}},
               QVariantMap{{"Index", 2}, {"Name", "Later"}, {"Type", 1}, {"Path", "http://later.example"},
                           {"LaunchAtStartup", 0}, {"LaunchaWhenConnected", 1}}});
    startWithLinks({{"SupportLanguages", QVariantList{"English", "French"}}, {"AutoConnect", false}});
    EXPECT_EQ(launcher.commandLines(), (QList<QStringList>{{"/usr/bin/notes", "todo.txt"}}));
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://news.example")});

    showPanel(QStringLiteral("System"));
    EXPECT_TRUE(settings()->languageCombo()->isVisible());
    EXPECT_EQ(settings()->languageCombo()->itemText(1), QString::fromUtf8("Français"));
    saveScreenshot(mainWindow(), QStringLiteral("settings-system-dashboard.png"));
    showPanel(QStringLiteral("Alert"));
    EXPECT_FALSE(settings()->soundField(0)->text().isEmpty());
    // The shipped toolbar has an SMS page and no call page: the SMS sound row is there, the call one not.
    EXPECT_TRUE(settings()->soundField(2)->isVisible());
    EXPECT_FALSE(settings()->soundField(3)->isVisible());
    saveScreenshot(mainWindow(), QStringLiteral("settings-alert-dashboard.png"));
    showPanel(QStringLiteral("FavoriteLinks"));
    settings()->favoriteIconMatrix()->cell(0)->click();
    EXPECT_EQ(settings()->linkNameField()->text(), QStringLiteral("Notes"));
    saveScreenshot(mainWindow(), QStringLiteral("settings-favoritelinks-dashboard.png"));
}

TEST_F(DashboardLinksTest, FavouritesMarkedForTheConnectionAreLaunchedOncePerConnectionWithTheSplitProcess)
{
    const struct {
        const char *name;
        bool split;
        int connectType;
        int launchesPerConnection;
    } cases[] = {
        {"PPP, split process", true, yov::kConnectTypePPP, 1},
        {"NDIS, split process", true, yov::kConnectTypeNDIS, 1},
        {"PPP, no split process", false, yov::kConnectTypePPP, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        RecordingLauncher launcher;
        yov::ScopedProgramLauncher guard(&launcher);
        writeList(QStringLiteral("FavoriteLinks.plist"),
                  {QVariantMap{{"Index", 0}, {"Name", "Mail"}, {"Type", 0}, {"Path", "/usr/bin/mail-reader"},
                               {"LaunchAtStartup", 0}, {"LaunchaWhenConnected", 1}},
                   QVariantMap{{"Index", 1}, {"Name", "Quiet"}, {"Type", 0}, {"Path", "/usr/bin/quiet"},
                               {"LaunchAtStartup", 0}, {"LaunchaWhenConnected", 0}}});
        startWithLinks({{"EnableSplitConnectionProcess", c.split}, {"ConnectType", qint64(c.connectType)}});
        EXPECT_TRUE(launcher.started.isEmpty());
        for (int connection = 1; connection <= 2; ++connection) {
            connectOnce();
            EXPECT_EQ(launcher.commandLines(),
                      QList<QStringList>(connection * c.launchesPerConnection, QStringList{"/usr/bin/mail-reader"}))
                << "after connection " << connection;
        }
        restart();
    }
}

TEST_F(DashboardLinksTest, TheLanguageMenuShowsNativeNamesAndSwitchesThroughThePanel)
{
    startWithLinks({{"SupportLanguages", QVariantList{"English", "French", "Klingon"}}, {"CurrentLanguage", "English"}});
    QAction *english = main()->menuItemNamed(QStringLiteral("English"));
    QAction *french = main()->menuItemNamed(QStringLiteral("French"));
    QAction *unknown = main()->menuItemNamed(QStringLiteral("Klingon"));
    ASSERT_TRUE(english && french && unknown);
    EXPECT_EQ(french->text(), QString::fromUtf8("Français"));
    EXPECT_EQ(unknown->text(), QStringLiteral("Klingon")); // no native name: the English one
    EXPECT_TRUE(english->isChecked());

    french->trigger();
    EXPECT_EQ(storedSettings().value(QStringLiteral("CurrentLanguage")).toString(), QStringLiteral("French"));
    EXPECT_TRUE(french->isChecked());
    EXPECT_FALSE(english->isChecked());
    EXPECT_EQ(settings()->languageCombo()->currentText(), QString::fromUtf8("Français"));
    // The re-wording after the change keeps the native titles.
    EXPECT_EQ(french->text(), QString::fromUtf8("Français"));
    EXPECT_EQ(english->text(), QStringLiteral("English"));
}

TEST_F(DashboardLinksTest, TheRunningDashboardAsksThePanelWhetherToConnectByItself)
{
    const struct {
        const char *name;
        QVariantMap keys;
        bool autoConnect;
        bool autoReconnect;
    } cases[] = {
        {"box ticked, shown by default", {{"Internet/DefaultAutoConnect", true}, {"AutoConnect", true}}, true, true},
        {"box unticked", {{"Internet/DefaultAutoConnect", true}, {"AutoConnect", false}}, false, false},
        {"no auto-connect key: the box is hidden", {}, false, false},
        {"reconnect independent of the box",
         {{"AutoConnect", false}, {"Internet/EnableAutoReconnectNotDependOnAutoConnectLable", true}},
         false,
         true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QVariantMap keys = c.keys;
        keys.insert(QStringLiteral("AutoConnectDelayTime"), 3600); // the answer is asked, no dial started
        setSettings(keys);
        if (!c.keys.contains(QStringLiteral("AutoConnect"))) {
            QVariantMap stored = storedSettings();
            stored.remove(QStringLiteral("AutoConnect"));
            ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(modemList_).filePath(QStringLiteral("settings.plist")), stored));
        }
        launch(QStringLiteral("default.plist"));
        ASSERT_TRUE(waitSimReady());
        EXPECT_EQ(&Neighbours::setting(), static_cast<SettingControllerInterface *>(settings()));
        EXPECT_EQ(settings()->autoConnectBox()->isChecked(), c.autoConnect);
        EXPECT_EQ(Neighbours::setting().allowAutoConnect(), c.autoConnect);
        EXPECT_EQ(Neighbours::setting().allowAutoReconnect(), c.autoReconnect);
        restart();
    }
}

TEST_F(DashboardLinksTest, WithTheBoxTickedTheDashboardConnectsOnceThePacketDomainIsThere)
{
    // No Internet/DefaultAutoConnect: the shown check box alone decides. It follows the packet
    // domain, so it is off until the device reports it, and the connection starts then.
    setSettings({{"AutoConnect", true}, {"Internet/AutoReconnectStartTimeAfterDisconnect", 1}});
    launch(QStringLiteral("default.plist"));
    QCheckBox *box = settings()->autoConnectBox();
    EXPECT_FALSE(box->isHidden());
    EXPECT_TRUE(box->isChecked());
    ASSERT_TRUE(QTest::qWaitFor([box] { return box->isEnabled(); }, kWaitMs)) << "the packet domain enables the box";
    EXPECT_TRUE(Neighbours::setting().allowAutoConnect());
    ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; }, kWaitMs))
        << "the dashboard connects by itself";
}

TEST_F(DashboardLinksTest, EnteringTheSettingsPageShowsTheSimsNumbersAndTheVersion)
{
    setScenarioModem(QStringLiteral("Sim"), {{"Imsi", "262029876543210"}, {"OwnNumber", "+491709876543"}});
    startWithLinks();
    // The IMSI and the own number come with the SIM's identity; the page shows them on entry.
    ASSERT_TRUE(QTest::qWaitFor([this] { return storedSettings().value(QStringLiteral("IMSI")).toString() == "262029876543210"; },
                                kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !init()->getPhoneNum().isEmpty(); }, kWaitMs));
    showPanel(QStringLiteral("System"));
    EXPECT_EQ(settings()->imsiValueLabel()->text(), QStringLiteral("262029876543210"));
    EXPECT_EQ(settings()->phoneNumberField()->text(), init()->getPhoneNum());
    EXPECT_EQ(settings()->softwareVersionLabel()->text(), yov::BuildInfo::version());
    saveScreenshot(mainWindow(), QStringLiteral("settings-system-identity.png"));
}

TEST_F(DashboardLinksTest, AFreshInstallAddsItsFirstLinkWhichOpensAtTheNextConnection)
{
    // The shipped configuration has no link list: the panel's combo is off, "Advanced..." is not.
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    showPanel(QStringLiteral("Browser"));
    EXPECT_FALSE(settings()->browserCombo()->isEnabled());
    ASSERT_TRUE(settings()->advancedButton()->isEnabled());
    settings()->advancedButton()->click();
    QDialog *sheet = settings()->addBrowserSheet();
    ASSERT_TRUE(QTest::qWaitFor([sheet] { return sheet->isVisible(); }, kWaitMs));
    settings()->addBrowserField()->setText(QStringLiteral("portal.example"));
    sheet->findChild<QPushButton *>(QStringLiteral("btnAddLinkSetting"))->click();
    sheet->findChild<QPushButton *>(QStringLiteral("btnOKAddBrowserSetting"))->click();
    EXPECT_FALSE(sheet->isVisible());
    const auto list = yov::PlistBridge::readFile(QDir(modemList_).filePath(QStringLiteral("browserList.plist")));
    ASSERT_TRUE(list.has_value());
    EXPECT_EQ(list->toList().value(0).toMap().value(QStringLiteral("browserdiscription")).toString(),
              QStringLiteral("portal.example"));
    EXPECT_EQ(settings()->browserCombo()->currentText(), QStringLiteral("portal.example"));
    connectOnce();
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://portal.example")});
}

TEST_F(DashboardLinksTest, TheFavouriteEditorSavesOnModifyOnlyAndTheSavedLinkIsLaunchedAtTheNextConnection)
{
    RecordingLauncher launcher;
    yov::ScopedProgramLauncher guard(&launcher);
    writeList(QStringLiteral("FavoriteLinks.plist"),
              {QVariantMap{{"Index", 0}, {"Name", "Mail"}, {"Type", 0}, {"Path", "/usr/bin/mail-reader"},
                           {"LaunchAtStartup", 0}, {"LaunchaWhenConnected", 0}}});
    startWithLinks({{"EnableSplitConnectionProcess", true}});
    showPanel(QStringLiteral("FavoriteLinks"));
    QWidget *panel = settings()->settingTabView()->currentWidget();
    const auto press = [panel](const char *name) { panel->findChild<QPushButton *>(QLatin1String(name))->click(); };
    const auto saved = [this] {
        return yov::PlistBridge::readFile(QDir(modemList_).filePath(QStringLiteral("FavoriteLinks.plist")))
            .value_or(QVariant())
            .toList()
            .value(0)
            .toMap();
    };
    settings()->favoriteIconMatrix()->cell(0)->click();

    // Cancel drops the edits.
    settings()->linkNameField()->setText(QStringLiteral("Letters"));
    settings()->launchWhenConnectedBox()->click();
    press("btnFavoriteLinkCancel");
    EXPECT_EQ(settings()->linkNameField()->text(), QStringLiteral("Mail"));
    EXPECT_FALSE(settings()->launchWhenConnectedBox()->isChecked());
    EXPECT_EQ(saved().value(QStringLiteral("LaunchaWhenConnected")).toInt(), 0);

    // Modify saves them, and the next connection launches the link from the file.
    settings()->linkNameField()->setText(QStringLiteral("Letters"));
    settings()->launchWhenConnectedBox()->click();
    press("btnFavoriteLinkModify");
    EXPECT_EQ(saved().value(QStringLiteral("Name")).toString(), QStringLiteral("Letters"));
    EXPECT_EQ(saved().value(QStringLiteral("LaunchaWhenConnected")).toInt(), 1);
    connectOnce();
    EXPECT_EQ(launcher.commandLines(), QList<QStringList>{QStringList{"/usr/bin/mail-reader"}});
}


TEST_F(DashboardLinksTest, TheAlertPanelChoosesPlaysAndMutesTheConnectSound)
{
    QStringList sounds;
    AlertSounds::shared().setBackend(std::make_unique<testing_support::RecordingSound>(&sounds));
    testing_support::ScriptedFileChooser chooser;
    yov::ScopedFileChooser chooserGuard(&chooser);
    const QString ring = dir_.filePath(QStringLiteral("ring.WAV"));
    QFile file(ring);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFF");
    file.close();
    // An NDIS connection: the connection controller plays its connected sound itself.
    startWithLinks({{"onlineSoundMute", false}, {"ConnectType", qint64(yov::kConnectTypeNDIS)}});
    showPanel(QStringLiteral("Alert"));

    // The shipped defaults are wave files of their own, and Play plays the one shown.
    for (int type : {0, 1, 2}) {
        QFile shipped(settings()->soundField(type)->text());
        ASSERT_TRUE(shipped.open(QIODevice::ReadOnly)) << type;
        const QByteArray head = shipped.read(12);
        EXPECT_TRUE(head.startsWith("RIFF") && head.endsWith("WAVE")) << type;
    }
    const QString shippedConnect = settings()->soundField(0)->text();
    settings()->soundPlayButton(0)->click();
    EXPECT_EQ(sounds.filter(QStringLiteral("play:")), QStringList{QStringLiteral("play:") + shippedConnect});

    chooser.chooseNext(ring);
    settings()->soundBrowseButton(0)->click();
    EXPECT_EQ(storedSettings().value(QStringLiteral("onlineSoundFileName")).toString(), ring);
    EXPECT_EQ(settings()->soundField(0)->text(), ring);
    sounds.clear();
    settings()->soundPlayButton(0)->click();
    EXPECT_EQ(sounds.filter(QStringLiteral("play:")), QStringList{QStringLiteral("play:") + ring});
    sounds.clear();
    connectOnce();
    EXPECT_TRUE(sounds.contains(QStringLiteral("play:") + ring)) << "the connection plays the chosen sound";

    // Muted, the row is off and the connection makes no sound of its own.
    settings()->muteBox(0)->click();
    EXPECT_TRUE(storedSettings().value(QStringLiteral("onlineSoundMute")).toBool());
    EXPECT_FALSE(settings()->soundPlayButton(0)->isEnabled());
    EXPECT_FALSE(settings()->soundBrowseButton(0)->isEnabled());
    sounds.clear();
    connectOnce();
    EXPECT_FALSE(sounds.contains(QStringLiteral("play:") + ring)) << sounds.join(QLatin1Char(' ')).toStdString();
    AlertSounds::shared().setBackend(nullptr); // the program's own backend again
}

} // namespace
