// The settings panels that edit local settings and files, in the whole dashboard against the
// stand-in: the chosen browser link opens once per connection (PPP and NDIS), the favourite
// links marked for start-up are launched, and the System, Alert and FavoriteLinks panels as the
// user sees them.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/widgets/IconMatrix.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/SettingController.h"
#include "platform/process/ProgramLauncher.h"

#include <QComboBox>
#include <QDir>
#include <QTabWidget>
#include <QToolButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

using namespace ostrel;
using namespace dashboard_test;

namespace {

struct RecordingLauncher : yov::ProgramLauncher {
    bool startDetached(const QString &program, const QStringList &arguments) override
    {
        started << (QStringList{program} + arguments);
        return true;
    }
    QList<QStringList> started;
};

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
    EXPECT_EQ(launcher.started, (QList<QStringList>{{"/usr/bin/notes", "todo.txt"}}));
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://news.example")});

    showPanel(QStringLiteral("System"));
    EXPECT_TRUE(settings()->languageCombo()->isVisible());
    EXPECT_EQ(settings()->languageCombo()->itemText(1), QString::fromUtf8("Français"));
    saveScreenshot(mainWindow(), QStringLiteral("settings-system-dashboard.png"));
    showPanel(QStringLiteral("Alert"));
    EXPECT_FALSE(settings()->soundField(0)->text().isEmpty());
    saveScreenshot(mainWindow(), QStringLiteral("settings-alert-dashboard.png"));
    showPanel(QStringLiteral("FavoriteLinks"));
    settings()->favoriteIconMatrix()->cell(0)->click();
    EXPECT_EQ(settings()->linkNameField()->text(), QStringLiteral("Notes"));
    saveScreenshot(mainWindow(), QStringLiteral("settings-favoritelinks-dashboard.png"));
}

} // namespace
