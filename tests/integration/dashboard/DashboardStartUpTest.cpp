// What the assembled dashboard does at start, against the stand-in on the test's own bus: the
// program's version on the update link and in the start-up window, a damaged settings.plist
// replaced by the shipped one with the user told, the skin's language files, and the home page.
#include "DashboardFixture.h"

#include "common/BuildInfo.h"
#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/controller/NotificationCoverage.h"
#include "ostrel/framework/tree/Node.h"
#include "ostrel/framework/widgets/Items.h"
#include "ostrel/framework/widgets/WebView.h"
#include "support/TestPaths.h"
#include "support/UpdatePeer.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLoggingCategory>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QToolBar>

#include <functional>

using namespace ostrel;
using namespace dashboard_test;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QString shippedSettings()
{
    return QDir(testing_paths::shareDir()).filePath(QStringLiteral("ModemList/settings.plist"));
}

class DashboardStartUpTest : public DashboardFixture {};

} // namespace

TEST_F(DashboardStartUpTest, UpdateLinkAndStartUpWindowCarryTheProgramVersion)
{
    const QString update = QDir(modemList_).filePath(QStringLiteral("Update"));
    ASSERT_TRUE(QDir().mkpath(update));
    for (const char *name : {"IMEIInfo.plist", "LocalInfo.plist", "UpdateCfg.plist"})
        ASSERT_TRUE(yov::PlistBridge::writeFile(QDir(update).filePath(QLatin1String(name)), QVariantMap{}));
    ASSERT_TRUE(writeBytes(QDir(update).filePath(QStringLiteral("UpdateCfg.ini")), "ENABLE_UPDATE=1\n"));
    QImage frame(120, 60, QImage::Format_RGB32);
    frame.fill(QColor(30, 60, 90));
    ASSERT_TRUE(frame.save(dir_.filePath(QStringLiteral("1.png"))));
    QVariantMap form = yov::nsDict(yov::PlistBridge::readFile(QDir(modemList_).filePath(QStringLiteral("settings.plist")))
                                       ->toMap()
                                       .value(QStringLiteral("MAINFORM")));
    form.insert(QStringLiteral("StartupWindow"),
                QVariantMap{{QStringLiteral("ImageCount"), 1},
                            {QStringLiteral("DicName"), dir_.path()},
                            {QStringLiteral("DelayTime"), 3.0},
                            {QStringLiteral("DisplayCount"), 1},
                            {QStringLiteral("StartupWindow_GetSoftwareVersionString"), true}});
    setSettings({{QStringLiteral("MAINFORM"), form}, {QStringLiteral("AUTOUPDATE_ENABLE"), true}});
    testing_support::UpdatePeer peer;
    ASSERT_TRUE(peer.start());

    launch(QStringLiteral("default.plist"));
    EXPECT_EQ(QCoreApplication::applicationVersion(), yov::BuildInfo::version());

    // The start-up window names the version.
    QWidget *splash = assembly_->mainController()->wndStartup_;
    ASSERT_NE(splash, nullptr) << "no start-up window";
    auto *version = splash->findChild<QLabel *>(QStringLiteral("tfdSoftwareVersionAlias"));
    ASSERT_NE(version, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([splash] { return splash->isVisible(); }, kWaitMs));
    EXPECT_EQ(version->text(), yov::BuildInfo::version());
    saveScreenshot(splash, QStringLiteral("startup-window.png"));

    // Once the device is ready the update manager is told, with the version.
    const auto versionMessage = [&peer]() -> QVariantMap {
        for (const QVariantMap &message : peer.received)
            if (message.contains(QStringLiteral("UI_VERSION")))
                return message;
        return {};
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return !versionMessage().isEmpty(); }, kWaitMs))
        << peer.received.size() << " messages, none with the version";
    const QVariantMap message = versionMessage();
    EXPECT_EQ(message.value(QStringLiteral("UI_VERSION")), yov::BuildInfo::version());
    EXPECT_EQ(message.value(QStringLiteral("SV")), yov::BuildInfo::version());
    EXPECT_EQ(message.value(QStringLiteral("SV_INTERNAL")), yov::BuildInfo::internalRevision());
    EXPECT_FALSE(yov::BuildInfo::internalRevision().isEmpty());
    EXPECT_TRUE(peer.malformed.isEmpty());
}

struct DamagedSettings {
    const char *name;
    QByteArray (*bytes)();
};

void PrintTo(const DamagedSettings &damage, std::ostream *out) { *out << damage.name; }

class DamagedSettingsStart : public DashboardStartUpTest, public ::testing::WithParamInterface<DamagedSettings> {};

TEST_P(DamagedSettingsStart, ShowsTheMainWindowAndTellsWhereTheOldFileWent)
{
    const QString settings = QDir(modemList_).filePath(QStringLiteral("settings.plist"));
    const QByteArray damaged = GetParam().bytes();
    ASSERT_TRUE(writeBytes(settings, damaged));

    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow() && mainWindow()->isVisible(); }, kWaitMs))
        << "no main window";
    ASSERT_TRUE(QTest::qWaitFor([this] { return presenter_.count() > 0; }, kWaitMs)) << "the user was not told";
    ASSERT_TRUE(waitSimReady()) << "the dashboard does not work on the shipped settings";
    saveScreenshot(mainWindow(), QStringLiteral("damaged-settings-%1.png").arg(QLatin1String(GetParam().name)));

    const QStringList copies = QDir(modemList_).entryList({QStringLiteral("settings.plist.unreadable-*")}, QDir::Files);
    ASSERT_EQ(copies.size(), 1) << qPrintable(copies.join(u' '));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^settings\\.plist\\.unreadable-[0-9]{8}-[0-9]{6}$")).match(copies.first()).hasMatch());
    const QString copy = QDir(modemList_).filePath(copies.first());
    EXPECT_EQ(bytesOf(copy), damaged) << "the damaged file was not kept byte for byte";
    EXPECT_TRUE(yov::PlistBridge::readFile(settings).has_value()) << "no readable settings.plist in its place";
    EXPECT_EQ(yov::PlistBridge::readFile(settings)->toMap().value(QStringLiteral("toolBarItems")),
              yov::PlistBridge::readFile(shippedSettings())->toMap().value(QStringLiteral("toolBarItems")));

    int told = 0;
    for (const yov::AlertRequest &alert : presenter_.shown()) {
        if (alert.message.contains(copy) && alert.message.contains(settings))
            ++told;
    }
    EXPECT_EQ(told, 1) << qPrintable(presenter_.shown().first().message);
}

INSTANTIATE_TEST_SUITE_P(
    EachDamage, DamagedSettingsStart,
    ::testing::Values(DamagedSettings{"cut-short", [] { return bytesOf(shippedSettings()).left(300); }},
                      DamagedSettings{"random-bytes",
                                      [] {
                                          QByteArray noise(4096, '\0');
                                          for (int i = 0; i < noise.size(); ++i)
                                              noise[i] = char((i * 7919 + 13) % 251);
                                          return noise;
                                      }},
                      DamagedSettings{"empty", [] { return QByteArray(); }}),
    [](const ::testing::TestParamInfo<DamagedSettings> &info) {
        return QString::fromLatin1(info.param.name).remove(u'-').toStdString();
    });

TEST_F(DashboardStartUpTest, SkinLanguageFilesDressTheMainWindowAtStartAndAfterALanguageChange)
{
    // The operator offers no language list, so the skin's file of the token list's language
    // applies: English at start, German after the change.
    ASSERT_TRUE(useGermanTokenList("\"Internet_TITLE\" = \"Internetverbindung\";\n"));
    const QString skin = testing_paths::fixtures() + QStringLiteral("/skin/testSkin");
    setSettings({{QStringLiteral("SupportLanguages"), QVariantList{}},
                 {QStringLiteral("CurrentLanguage"), QStringLiteral("English")},
                 {QStringLiteral("UIConfig"), QVariantMap{{QStringLiteral("CurrentSkinName"), skin}}}});

    launch(QStringLiteral("default.plist"));
    MainController *main = assembly_->mainController();
    QLabel *title = main->textfieldTabviewItemTitle_;
    ASSERT_NE(title, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow() && mainWindow()->isVisible(); }, kWaitMs));
    EXPECT_EQ(title->text(), QStringLiteral("Internet"));
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(Qt::cyan)) << "not dressed by SkinInfo_English";
    EXPECT_EQ(title->font().pixelSize(), 16);
    saveScreenshot(mainWindow(), QStringLiteral("skin-language-english.png"));

    ASSERT_TRUE(changeLanguage(QStringLiteral("German")));
    EXPECT_EQ(title->text(), QStringLiteral("Internetverbindung"));
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(Qt::magenta)) << "not dressed by SkinInfo_German";
    EXPECT_EQ(title->font().family(), QStringLiteral("DejaVu Serif"));
    EXPECT_EQ(title->font().pixelSize(), 20);
    EXPECT_TRUE(title->font().bold());
    saveScreenshot(mainWindow(), QStringLiteral("skin-language-german.png"));

    // The tree nodes' images come from the skin in use.
    EXPECT_FALSE(Node::imageNamed(QStringLiteral("window")).pixmap(8, 8).isNull());
}

namespace {

// The controllers' debug lines logged while it lives.
struct ControllerLog {
    static inline QStringList lines;
    static void handler(QtMsgType, const QMessageLogContext &context, const QString &msg)
    {
        if (context.category && qstrcmp(context.category, "ostrel.controller") == 0)
            lines << msg;
    }
    ControllerLog()
    {
        lines.clear();
        QLoggingCategory::setFilterRules(QStringLiteral("ostrel.controller.debug=true"));
        previous = qInstallMessageHandler(handler);
    }
    ~ControllerLog()
    {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
    }
    QStringList matching(const QString &text) const { return lines.filter(text); }
    QtMessageHandler previous = nullptr;
};

} // namespace

TEST_F(DashboardStartUpTest, AStartReportsOnlyNotificationRowsThatNoControllerHandles)
{
    ControllerLog log;
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    EXPECT_EQ(log.matching(QStringLiteral("has no handler")).join(u'\n').toStdString(), "") << "rows that another area handles";

    // Each unhandled row once; the start notice has no handler in any area.
    const QStringList reported = assembly_->notificationCoverage()->reported();
    EXPECT_EQ(log.matching(QStringLiteral("no controller handles")).size(), reported.size());
    EXPECT_EQ(QSet<QString>(reported.begin(), reported.end()).size(), reported.size());
    EXPECT_TRUE(reported.contains(QStringLiteral("applicationReady: AppReady")));
    for (const char *row : {"deviceRemoved: DeviceRemoved", "simReady: SimReady", "tabViewItemDidChange: TabViewItemDidChange",
                            "changeMainWindowOfApp: MainwindOfAppChanged"})
        EXPECT_FALSE(reported.contains(QLatin1String(row))) << row;
}

TEST_F(DashboardStartUpTest, HomePageShowsTheShippedPageFromItsMenuItem)
{
    launch(QStringLiteral("default.plist"));
    MainController *main = assembly_->mainController();
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow() && mainWindow()->isVisible(); }, kWaitMs));
    QAction *item = main->menuItemNamed(QStringLiteral("HomePage"));
    ASSERT_NE(item, nullptr);
    item->trigger();

    QWidget *page = main->tabPage(QStringLiteral("HomePage"));
    ASSERT_NE(page, nullptr);
    WebView *view = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        view = page->findChild<WebView *>(QStringLiteral("webViewForShowLocalWebUI"));
        return view && view->plainText().contains(QLatin1String("Get connected"));
    }, kWaitMs)) << "the home page does not show";
    EXPECT_EQ(main->textfieldTabviewItemTitle_->text(), QStringLiteral("Home Page"));
    if (view->capabilities().scripts) {
        // With the browser engine the page's script, style sheet and image all work.
        QVariant checks;
        view->evaluateJavaScript(QStringLiteral("[document.getElementById('greeting').textContent.startsWith('Good'),"
                                                " document.getElementById('logo').naturalWidth > 0,"
                                                " getComputedStyle(document.querySelector('h2')).color]"),
                                 [&checks](const QVariant &result) { checks = result; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return checks.isValid(); }, kWaitMs));
        EXPECT_EQ(checks.toList(), (QVariantList{true, true, QStringLiteral("rgb(39, 80, 127)")}));
    }
    QTest::qWait(300); // the engine paints a moment after the load
    saveScreenshot(mainWindow(), QStringLiteral("home-page.png"));
}

TEST_F(DashboardStartUpTest, SettingsThatCannotBeWrittenAreToldOnceAndSavedWhenTheFileCanBeWrittenAgain)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    const QString settings = QDir(modemList_).filePath(QStringLiteral("settings.plist"));
    const auto told = [&] { return alertsAbout(settings, QStringLiteral("could not be saved")); };
    ASSERT_EQ(told(), 0);

    // Something stands where the settings file was, so that no write can replace it.
    ASSERT_TRUE(QFile::remove(settings));
    ASSERT_TRUE(QDir().mkpath(QDir(settings).filePath(QStringLiteral("blocking"))));
    for (bool on : {true, false, true}) {
        ASSERT_TRUE(config_->setConfigurationByModule(QStringLiteral("IsLogOn"), on));
        EXPECT_FALSE(config_->writeToFile());
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return told() == 1; }, kWaitMs)) << "the user was not told";
    QTest::qWait(200);
    EXPECT_EQ(told(), 1) << "told once, not per change";

    // The file can be written again: the next write saves every change.
    ASSERT_TRUE(QDir(settings).removeRecursively());
    ASSERT_TRUE(config_->writeToFile());
    EXPECT_EQ(storedSettings().value(QStringLiteral("IsLogOn")), QVariant(true));
    EXPECT_EQ(told(), 1);
}

// Toolbar settings of the wrong types: what cannot be an item is skipped, the window keeps a
// toolbar (the shipped one when the list itself is not a list), and the file stays as it was.
struct WrongTypedToolbar {
    const char *name;
    std::function<QVariant(const QVariantList &shipped)> items;
    std::function<QStringList(const QStringList &shippedIds)> shown;
};
void PrintTo(const WrongTypedToolbar &c, std::ostream *out) { *out << c.name; }

class WrongTypedToolbarStart : public DashboardStartUpTest, public ::testing::WithParamInterface<WrongTypedToolbar> {};

TEST_P(WrongTypedToolbarStart, KeepsAToolbarAndLeavesTheFile)
{
    const QVariantList shipped = yov::nsArray(yov::PlistBridge::readFile(shippedSettings())->toMap().value(QStringLiteral("toolBarItems")));
    QStringList shippedIds;
    for (const QVariant &entry : shipped)
        shippedIds << entry.toMap().value(QStringLiteral("itemIdentifier")).toString();
    ASSERT_GE(shippedIds.size(), 2);
    const QVariant items = GetParam().items(shipped);
    setSettings({{QStringLiteral("toolBarItems"), items}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());

    QStringList shown;
    for (NSToolbarItemExt *item : main()->toolbarItemsArray())
        shown << item->objectName();
    EXPECT_EQ(shown.join(u',').toStdString(), GetParam().shown(shippedIds).join(u',').toStdString());
    auto *bar = mainWindow()->findChild<QToolBar *>(QStringLiteral("ToolBar"));
    ASSERT_NE(bar, nullptr) << "the main window has no toolbar";
    EXPECT_TRUE(bar->isVisible());
    int buttons = 0;
    for (QAction *action : bar->actions())
        buttons += (bar->widgetForAction(action) && bar->widgetForAction(action)->isVisible()) ? 1 : 0;
    EXPECT_GE(buttons, shown.size()) << "the toolbar shows fewer buttons than it has items";
    saveScreenshot(mainWindow(), QStringLiteral("wrong-typed-toolbar-%1.png").arg(QLatin1String(GetParam().name)));
    EXPECT_EQ(storedSettings().value(QStringLiteral("toolBarItems")), items) << "the file was changed";
}

INSTANTIATE_TEST_SUITE_P(
    EachShape, WrongTypedToolbarStart,
    ::testing::Values(
        WrongTypedToolbar{"list-is-text", [](const QVariantList &) { return QVariant(QStringLiteral("Internet")); },
                          [](const QStringList &ids) { return ids; }},
        WrongTypedToolbar{"list-is-dictionary",
                          [](const QVariantList &shipped) { return QVariant(shipped.first().toMap()); },
                          [](const QStringList &ids) { return ids; }},
        WrongTypedToolbar{"wrong-typed-entries",
                          [](const QVariantList &shipped) {
                              QVariantMap numbered = shipped.at(1).toMap();
                              numbered.insert(QStringLiteral("itemIdentifier"), 7);
                              return QVariant(QVariantList{42, QStringLiteral("SMS"), numbered, shipped.first(),
                                                           QVariantList{shipped.at(1)}, shipped.at(1)});
                          },
                          [](const QStringList &ids) { return QStringList{ids.at(0), ids.at(1)}; }}),
    [](const ::testing::TestParamInfo<WrongTypedToolbar> &info) {
        QString name = QString::fromLatin1(info.param.name);
        return name.replace(u'-', u'_').toStdString();
    });
