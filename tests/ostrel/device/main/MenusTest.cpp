// The main menus as one table that areas extend through the registry, the items the main window
// carries out itself, and the restart of a device service that was lost.
#include "MainControllerFixture.h"

#include "ostrel/framework/language/Lingrove.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMainWindow>
#include <QUrl>

using maintest::MainControllerTest;

namespace {

// The titles of the main menus and their items, as the main window's specification lists them.
const char *const kMenuTitles[] = {
    "Diagnostics", "About...", "Logs", "Preferences...", "Hide", "Hide Others", "Show All", "Quit", "Update", "File",
    "Close", "Edit", "Cut", "Copy", "Paste", "Clear", "Select All", "Delete", "Undo", "Redo", "Window", "Minimize",
    "Help", "MyApp Help", "Operation", "Internet", "Statistics", "Call", "SMS", "Phonebook", "AccountBalance",
    "Support", "HomePage", "DialRecord", "Tools", "Language", "PIN Operations", "Options", "Online Help",
    "Prepaid guide", "Complete Model", "Simple Model", "Minimized Model"};

// Items whose areas are not built here: off until their area attaches an action.
const char *const kAreaItems[] = {"Statistics", "Call", "SMS", "Phonebook", "AccountBalance", "Support",
                                  "DialRecord", "Prepaid guide", "Diagnostics", "Logs", "About..."};

// Loads a token table that marks every text it localises, for the life of the guard.
struct MarkingTokenTable {
    explicit MarkingTokenTable(const QString &folder)
    {
        QFile file(QDir(folder).filePath(QStringLiteral("marks.txt")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        for (const char *title : kMenuTitles)
            file.write(QStringLiteral("\"%1\" = \"[%1]\";\n").arg(QLatin1String(title)).toUtf8());
        file.write("\"Speed test\" = \"[Speed test]\";\n");
        file.close();
        ostrel::Lingrove_Init(file.fileName());
    }
    ~MarkingTokenTable() { ostrel::Lingrove_Init(QString()); }
};

// The menu an action belongs to (its first menu among the bar's menus and submenus).
QString menuOf(QAction *item, QMainWindow *window)
{
    for (QMenu *menu : window->menuBar()->findChildren<QMenu *>())
        if (menu->actions().contains(item))
            return menu->property("englishTitle").toString();
    return {};
}

class MenusTest : public MainControllerTest {
protected:
    QAction *item(const char *title) const { return controller->menuItemNamed(QLatin1String(title)); }
    QMainWindow *window() const { return qobject_cast<QMainWindow *>(controller->wndCompleteMain_.data()); }
};

} // namespace

TEST_F(MenusTest, EveryItemIsPresentAndLocalised)
{
    MarkingTokenTable marks(dir_.path());
    build({});
    for (const char *title : kMenuTitles) {
        const QString english = QLatin1String(title);
        const QString shown = QStringLiteral("[%1]").arg(english);
        if (QMenu *menu = controller->menuNamed(english)) {
            EXPECT_EQ(menu->title(), shown) << title;
            continue;
        }
        QAction *action = item(title);
        ASSERT_NE(action, nullptr) << "no menu item " << title;
        EXPECT_EQ(action->text(), shown) << title;
        EXPECT_FALSE(menuOf(action, window()).isEmpty()) << title << " is in no menu";
    }
    // The submenus hang in the tools menu.
    for (const char *submenu : {"Language", "PIN Operations"})
        EXPECT_TRUE(controller->menuNamed(QStringLiteral("Tools"))->actions().contains(controller->menuNamed(QLatin1String(submenu))->menuAction()))
            << submenu;
}

TEST_F(MenusTest, AreasAttachTheirItemsThroughTheRegistry)
{
    MarkingTokenTable marks(dir_.path());
    build({});
    ostrel::MainControllerInterface &registry = ostrel::Neighbours::main();
    ASSERT_EQ(&registry, static_cast<ostrel::MainControllerInterface *>(controller.get()));
    for (const char *title : kAreaItems) {
        ASSERT_NE(item(title), nullptr) << title;
        EXPECT_FALSE(item(title)->isEnabled()) << title << " acts before its area exists";
    }
    EXPECT_TRUE(item("Internet")->isEnabled());
    // An area switching an item it has not attached does not make it act.
    registry.setMenuItemEnabled(QStringLiteral("SMS"), true);
    EXPECT_FALSE(item("SMS")->isEnabled());

    int about = 0;
    registry.registerMenuItem(QStringLiteral("Help"), QStringLiteral("About..."), [&] { ++about; });
    EXPECT_TRUE(item("About...")->isEnabled());
    item("About...")->trigger();
    EXPECT_EQ(about, 1);
    registry.setMenuItemEnabled(QStringLiteral("About..."), false);
    EXPECT_FALSE(item("About...")->isEnabled());

    // A further item lands in the menu named, localised.
    int speed = 0;
    registry.registerMenuItem(QStringLiteral("Tools"), QStringLiteral("Speed test"), [&] { ++speed; });
    ASSERT_NE(item("Speed test"), nullptr);
    EXPECT_EQ(menuOf(item("Speed test"), window()), QStringLiteral("Tools"));
    EXPECT_EQ(item("Speed test")->text(), QStringLiteral("[Speed test]"));
    item("Speed test")->trigger();
    EXPECT_EQ(speed, 1);
    registry.registerMenuItem(QStringLiteral("Nowhere"), QStringLiteral("Lost"), [] {});
    EXPECT_EQ(item("Lost"), nullptr);

    // The toolbar's rule still holds over attached items.
    registry.registerMenuItem(QStringLiteral("Operation"), QStringLiteral("SMS"), [] {});
    EXPECT_TRUE(item("SMS")->isEnabled());
    controller->menuToolbarSetEnable(false);
    EXPECT_FALSE(item("SMS")->isEnabled());
    EXPECT_FALSE(item("Internet")->isEnabled());
    controller->menuToolbarSetEnable(true);
    EXPECT_TRUE(item("SMS")->isEnabled());
    EXPECT_FALSE(item("Call")->isEnabled()) << "the toolbar rule does not attach an action";
}

TEST_F(MenusTest, HelpItemsActOnlyWithWhatIsConfigured)
{
    build({});
    EXPECT_FALSE(item("Online Help")->isEnabled()) << "a silent click without a link";
    EXPECT_FALSE(item("MyApp Help")->isEnabled()) << "a silent click without a document";
    EXPECT_FALSE(item("Update")->isEnabled());

    QFile document(dir_.filePath(QStringLiteral("English_Help.pdf")));
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.close();
    QStringList opened;
    ostrel::YOVUIController::setUrlOpener([&](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    TearDown();
    build({{QStringLiteral("webURLDict"), QVariantMap{{QStringLiteral("Help"), QStringLiteral("https://help.example/")}}}});
    controller->setDocumentOpener([&](const QString &path) { opened << path; });
    ASSERT_TRUE(item("Online Help")->isEnabled());
    ASSERT_TRUE(item("MyApp Help")->isEnabled());
    item("Online Help")->trigger();
    item("MyApp Help")->trigger();
    ostrel::YOVUIController::setUrlOpener({});
    EXPECT_EQ(opened, (QStringList{QStringLiteral("https://help.example/"), document.fileName()}));
}

TEST_F(MenusTest, LanguageMenuOffersTheLanguagesAndSwitches)
{
    build({{QStringLiteral("SupportLanguages"), QVariantList{QStringLiteral("English"), QStringLiteral("French")}},
           {QStringLiteral("CurrentLanguage"), QStringLiteral("English")}});
    QMenu *languages = controller->menuNamed(QStringLiteral("Language"));
    ASSERT_NE(languages, nullptr);
    QStringList offered;
    QAction *french = nullptr;
    for (QAction *a : languages->actions()) {
        offered << a->property("language").toString();
        EXPECT_TRUE(a->isCheckable());
        EXPECT_EQ(a->isChecked(), a->property("language") == QStringLiteral("English"));
        if (a->property("language") == QStringLiteral("French"))
            french = a;
    }
    EXPECT_EQ(offered, (QStringList{QStringLiteral("English"), QStringLiteral("French")}));
    ASSERT_NE(french, nullptr);
    int updates = 0;
    QObject observer;
    notifications.addObserver(&observer, QStringLiteral("UpdateLanguage"), nullptr, [&](const yov::Notification &) { ++updates; });
    french->trigger();
    EXPECT_EQ(updates, 1) << "the controllers were not told of the change";
    const auto stored = yov::PlistBridge::readFile(dir_.filePath(QStringLiteral("settings.plist")));
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->toMap().value(QStringLiteral("CurrentLanguage")).toString(), QStringLiteral("French"));
    ostrel::Lingrove_Init(QString());
}

TEST_F(MenusTest, AnAreaTakesOverALanguageItemAndSetsItsMark)
{
    build({{QStringLiteral("SupportLanguages"), QVariantList{QStringLiteral("English"), QStringLiteral("French")}},
           {QStringLiteral("CurrentLanguage"), QStringLiteral("English")}});
    int taken = 0;
    controller->registerMenuItem(QStringLiteral("Language"), QStringLiteral("French"), [&] { ++taken; });
    QAction *french = controller->menuItemNamed(QStringLiteral("French"));
    ASSERT_NE(french, nullptr);
    EXPECT_EQ(french->property("language").toString(), QStringLiteral("French")) << "the menu's own item, not a new one";
    french->trigger();
    EXPECT_EQ(taken, 1);
    const auto stored = yov::PlistBridge::readFile(dir_.filePath(QStringLiteral("settings.plist")));
    EXPECT_NE(stored.value_or(QVariant()).toMap().value(QStringLiteral("CurrentLanguage")).toString(), QStringLiteral("French"))
        << "the menu's own switching still ran";
    controller->setMenuItemChecked(QStringLiteral("French"), true);
    EXPECT_TRUE(french->isChecked());
    EXPECT_FALSE(controller->menuItemNamed(QStringLiteral("English"))->isChecked());
}

TEST_F(MenusTest, HideAndShowAllActOnTheDashboardsWindows)
{
    build({{QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_UIModel"), 0}}}});
    controller->applicationDidFinishLaunching();
    QWidget other;
    other.show();
    ASSERT_TRUE(controller->wndMain->isVisible());
    item("Hide Others")->trigger();
    EXPECT_TRUE(controller->wndMain->isVisible());
    EXPECT_FALSE(other.isVisible());
    item("Show All")->trigger();
    EXPECT_TRUE(other.isVisible());
    item("Hide")->trigger();
    EXPECT_FALSE(controller->wndMain->isVisible());
    EXPECT_FALSE(other.isVisible());
    // A later launch or the tray brings them back, as Show All does.
    controller->applicationShouldHandleReopen(false);
    EXPECT_TRUE(controller->wndMain->isVisible());
    EXPECT_TRUE(other.isVisible());
}

// --- the device service lost ---------------------------------------------------------------------

TEST_F(MenusTest, ALostDeviceServiceTakesTheRemovalRoadAndIsStartedAgainAFewTimes)
{
    testing_support::ScriptedAlertPresenter presenter;
    yov::ScopedAlertPresenter scoped(&presenter);
    build({});
    int removals = 0;
    QObject observer;
    notifications.addObserver(&observer, QStringLiteral("DeviceRemoved"), nullptr, [&](const yov::Notification &) { ++removals; });
    controller->applicationWillFinishLaunching();
    ASSERT_EQ(log.events.count(QStringLiteral("launch")), 1);
    ASSERT_TRUE(transport_->ownerWatcher);
    transport_->ownerWatcher(true);

    launcher_->failLaunches = true;
    transport_->ownerWatcher(false); // killed
    EXPECT_EQ(removals, 1);
    ASSERT_EQ(presenter.count(), 1);
    EXPECT_EQ(presenter.shown().first().message, QStringLiteral("The device service stopped. The dashboard is starting it again."));

    // Tries after 1, 2, 4, 8 and 16 s; then the user is told and nothing more is tried.
    const int pauses[] = {1000, 2000, 4000, 8000, 16000};
    int launches = 1;
    for (int pause : pauses) {
        clock.advance(pause - 1);
        EXPECT_EQ(log.events.count(QStringLiteral("launch")), launches) << "too early, pause " << pause;
        clock.advance(1);
        EXPECT_EQ(log.events.count(QStringLiteral("launch")), ++launches) << "pause " << pause;
    }
    clock.advance(60000);
    EXPECT_EQ(log.events.count(QStringLiteral("launch")), launches);
    EXPECT_EQ(presenter.shown().last().message,
              QStringLiteral("The device service could not be started again. Quit the dashboard and start it again."));

    // A service that comes back and reports makes the count start afresh.
    TearDown();
    build({});
    controller->applicationWillFinishLaunching();
    transport_->ownerWatcher(true);
    transport_->ownerWatcher(false);
    clock.advance(1000);
    EXPECT_EQ(log.events.count(QStringLiteral("launch")), 2 + launches);
    EXPECT_EQ(controller->serviceRestartAttempts(), 1);
    notifications.post(QStringLiteral("DevicePlugin"));
    EXPECT_EQ(controller->serviceRestartAttempts(), 0);
}
