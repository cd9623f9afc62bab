// MainController: the main menus as one table, the registry through which other areas attach
// their actions to its items, and the actions of the items the main window carries out itself.
//
// Every item is named by its English title and shown localised. An item is enabled when it has
// an action (its own, or one an area attached through registerMenuItem), its area has not
// switched it off (setMenuItemEnabled), and the main window's own rules allow it (the toolbar's
// enabling, the window-mode switch, a configured link or document).
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/MainControllerText.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/LanguageOperation.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/update/AEMessage.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QUrl>

Q_DECLARE_LOGGING_CATEGORY(lcMainController)

namespace ostrel {

namespace {

using main_text::tr_;

// An item's action: a selector of MainController, an edit command for the focused widget
// ("@slot"), a submenu (">"), a separator (no title), or none (an area attaches it).
struct MenuItemDef {
    const char *title = nullptr;
    const char *action = nullptr;
};
struct MenuDef {
    const char *title;
    std::vector<MenuItemDef> items;
};

constexpr const char *kSubmenu = ">";
constexpr const char *kAreaItem = "";

const std::vector<MenuDef> &menuTable()
{
    static const std::vector<MenuDef> table = {
        {"File", {{"Close", "quitTerminal:"}, {}, {"Quit", "closeApp:"}}},
        {"Edit",
         {{"Undo", "@undo"}, {"Redo", "@redo"}, {}, {"Cut", "@cut"}, {"Copy", "@copy"}, {"Paste", "@paste"},
          {"Clear", "@clear"}, {"Delete", "@del"}, {"Select All", "@selectAll"}, {}, {"Preferences...", kAreaItem}}},
        {"Operation",
         {{"Internet", "gotoInternet:"}, {"Statistics", kAreaItem}, {"Call", kAreaItem}, {"SMS", kAreaItem},
          {"Phonebook", kAreaItem}, {"AccountBalance", kAreaItem}, {"Support", kAreaItem},
          {"HomePage", "gotoHomePage:"}, {"DialRecord", kAreaItem}}},
        {"Tools",
         {{"Language", kSubmenu}, {"PIN Operations", kSubmenu}, {}, {"Options", "gotoSetting:"},
          {"Prepaid guide", kAreaItem}}},
        {"Window",
         {{"Minimize", "minimizeMainWindow:"}, {}, {"Complete Model", "menuCompleteModelClicked:"},
          {"Simple Model", "menuSimpleModelClicked:"}, {"Minimized Model", "menuMinimizedModelClicked:"}, {},
          {"Hide", "hide:"}, {"Hide Others", "hideOtherApplications:"}, {"Show All", "unhideAllApplications:"}}},
        {"Help",
         {{"MyApp Help", "tbiMainHelpAction:"}, {"Online Help", "tbiMainOnlineHelpAction:"}, {},
          {"Diagnostics", kAreaItem}, {"Logs", kAreaItem}, {"Update", "tbiMainUpdateAction:"}, {},
          {"About...", kAreaItem}}},
    };
    return table;
}

// The six operation items, the settings item and the records item, which follow the toolbar.
const char *const kToolbarFollowers[] = {"Internet", "Statistics", "Call", "SMS", "Phonebook", "AccountBalance",
                                         "Options", "DialRecord"};

const char *kHasAction = "menuHasAction";
const char *kAreaEnabled = "menuAreaEnabled";
const char *kRuleEnabled = "menuRuleEnabled";

void refresh(QAction *item)
{
    if (!item)
        return;
    const auto on = [item](const char *name, bool fallback) {
        const QVariant v = item->property(name);
        return v.isValid() ? v.toBool() : fallback;
    };
    item->setEnabled(on(kHasAction, false) && on(kAreaEnabled, true) && on(kRuleEnabled, true));
}

} // namespace

QStringList MainController::menuTableTitles()
{
    QStringList titles;
    for (const MenuDef &menu : menuTable()) {
        titles << QString::fromLatin1(menu.title);
        for (const MenuItemDef &item : menu.items)
            if (item.title)
                titles << QString::fromLatin1(item.title);
    }
    return titles;
}

QAction *MainController::addMenuItem(QMenu *menu, const QString &english, const QString &selector)
{
    auto *action = menu->addAction(tr_(english));
    action->setProperty("englishTitle", english);
    action->setObjectName(QStringLiteral("menuItem") + english);
    if (selector.startsWith(QLatin1Char('@'))) {
        // Edit items go to the focused widget's own slot (undo, cut, paste...).
        const QByteArray slot = selector.mid(1).toLatin1();
        QObject::connect(action, &QAction::triggered, this, [slot] {
            if (QWidget *focus = QApplication::focusWidget()) {
                const int index = focus->metaObject()->indexOfMethod(slot + "()");
                if (index >= 0)
                    focus->metaObject()->method(index).invoke(focus);
            }
        });
    } else if (!selector.isEmpty()) {
        connectAction(action, selector);
    }
    action->setProperty(kHasAction, !selector.isEmpty());
    refresh(action);
    menuItems_ << action;
    return action;
}

QMenu *MainController::addMenu(QMenu *parent, QMenuBar *bar, const QString &english)
{
    QMenu *menu = parent ? parent->addMenu(tr_(english)) : bar->addMenu(tr_(english));
    menu->setObjectName(QStringLiteral("menu") + QString(english).remove(QLatin1Char(' ')));
    menu->setProperty("englishTitle", english);
    menu->menuAction()->setProperty("englishTitle", english);
    menus_ << menu;
    return menu;
}

void MainController::buildMenus(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    for (const MenuDef &def : menuTable()) {
        QMenu *menu = addMenu(nullptr, bar, QString::fromLatin1(def.title));
        for (const MenuItemDef &item : def.items) {
            if (!item.title) {
                menu->addSeparator();
                continue;
            }
            const QString title = QString::fromLatin1(item.title);
            if (QLatin1String(item.action) == QLatin1String(kSubmenu))
                addMenu(menu, nullptr, title);
            else
                addMenuItem(menu, title, QString::fromLatin1(item.action));
        }
        if (def.title == QLatin1String("Operation")) {
            menu->addSeparator();
            acceptMenuItem = addMenuItem(menu, QStringLiteral("Accept"), QString());
            rejectMenuItem = addMenuItem(menu, QStringLiteral("Reject"), QString());
        }
    }
    buildLanguageMenu();

    // The window-mode items work only where closing the window keeps the application running.
    const bool modes = configService().doNotCloseApp();
    for (const char *title : {"Complete Model", "Simple Model", "Minimized Model"})
        setMenuItemRule(QString::fromLatin1(title), modes);
    // The help items open what is configured; without it they are off, not silent.
    setMenuItemRule(QStringLiteral("MyApp Help"), !helpDocumentPath().isEmpty());
    setMenuItemRule(QStringLiteral("Online Help"), !onlineHelpLink().isEmpty());
    AEMessage *update = aeMessage_ ? aeMessage_ : AEMessage::defaultAEMessage();
    setMenuItemRule(QStringLiteral("Update"), update && update->isSupportUpdate());
}

void MainController::buildLanguageMenu()
{
    QMenu *menu = menuNamed(QStringLiteral("Language"));
    if (!menu)
        return;
    menu->clear();
    auto *group = new QActionGroup(menu);
    group->setExclusive(true);
    const QString current = yov::nsString(setting(QStringLiteral("CurrentLanguage")));
    for (const QString &language : LanguageOperation(&config()).getSupportLanguageArray()) {
        QAction *item = menu->addAction(tr_(language));
        item->setObjectName(QStringLiteral("menuLanguage") + language);
        item->setProperty("language", language);
        item->setCheckable(true);
        item->setChecked(language == current);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, this, [this, language] { changeLanguage(language); });
    }
    menu->menuAction()->setEnabled(!menu->isEmpty());
}

void MainController::changeLanguage(const QString &language)
{
    if (language == yov::nsString(setting(QStringLiteral("CurrentLanguage"))))
        return;
    // The localisation's language change: the choice is stored, its token list loaded, and every
    // controller re-words itself.
    config().setConfigurationByModule(QStringLiteral("CurrentLanguage"), language);
    if (!config().writeToFile())
        qCWarning(lcMainController) << "the language choice could not be written to settings.plist";
    LanguageOperation(&config()).loadTokenList();
    notifyChangeLanguage();
}

QMenu *MainController::menuNamed(const QString &english) const
{
    for (const auto &menu : menus_)
        if (menu && menu->property("englishTitle").toString() == english)
            return menu;
    return nullptr;
}

QAction *MainController::menuItemNamed(const QString &english) const
{
    for (const auto &item : menuItems_)
        if (item && item->property("englishTitle").toString() == english)
            return item;
    if (QMenu *languages = menuNamed(QStringLiteral("Language")))
        for (QAction *item : languages->actions())
            if (item->property("language").toString() == english)
                return item;
    return nullptr;
}

void MainController::registerMenuItem(const QString &menuTitle, const QString &item, std::function<void()> action)
{
    QAction *entry = menuItemNamed(item);
    if (!entry) {
        QMenu *menu = menuNamed(menuTitle);
        if (!menu) {
            qCWarning(lcMainController) << "no menu" << menuTitle << "for the item" << item;
            return;
        }
        entry = addMenuItem(menu, item, QString());
    }
    // An area that takes over a language item replaces the menu's own switching.
    if (entry->property("language").isValid())
        QObject::disconnect(entry, &QAction::triggered, this, nullptr);
    if (action)
        QObject::connect(entry, &QAction::triggered, this, [action = std::move(action)] { action(); });
    entry->setProperty(kHasAction, true);
    entry->setProperty(kAreaEnabled, true);
    refresh(entry);
}

void MainController::setMenuItemEnabled(const QString &item, bool enabled)
{
    if (QAction *entry = menuItemNamed(item)) {
        entry->setProperty(kAreaEnabled, enabled);
        refresh(entry);
    }
}

void MainController::setMenuItemChecked(const QString &item, bool checked)
{
    if (QAction *entry = menuItemNamed(item)) {
        entry->setCheckable(true);
        entry->setChecked(checked);
    }
}

void MainController::setMenuItemRule(const QString &item, bool enabled)
{
    if (QAction *entry = menuItemNamed(item)) {
        entry->setProperty(kRuleEnabled, enabled);
        refresh(entry);
    }
}

void MainController::menuToolbarSetEnable(bool enable)
{
    for (const char *title : kToolbarFollowers)
        setMenuItemRule(QString::fromLatin1(title), enable);
}

void MainController::Init_UIMenu()
{
    for (const auto &menu : menus_)
        if (menu)
            menu->setTitle(tr_(menu->property("englishTitle").toString()));
    for (const auto &item : menuItems_)
        if (item)
            item->setText(tr_(item->property("englishTitle").toString()));
    if (QMenu *languages = menuNamed(QStringLiteral("Language"))) {
        for (QAction *item : languages->actions())
            item->setText(tr_(item->property("language").toString()));
    }
}

// --- the items the main window carries out -----------------------------------------------------

QString MainController::helpDocumentPath() const
{
    // The help document in the configuration folder: the one the token list names, else the
    // English one.
    QString name = tr_(QStringLiteral("SpecialHelp"));
    if (name.isEmpty() || name == QLatin1String("SpecialHelp"))
        name = QStringLiteral("English_Help.pdf");
    const QString folder = config().modemListPath();
    if (folder.isEmpty() || name.contains(QLatin1Char('/')))
        return {};
    const QString path = QDir(folder).filePath(name);
    return QFileInfo(path).isFile() ? path : QString();
}

QString MainController::onlineHelpLink() const { return yov::nsString(webURLForKey(QStringLiteral("Help"))); }

void MainController::tbiMainHelpAction(QObject *)
{
    const QString path = helpDocumentPath();
    if (path.isEmpty()) {
        qCInfo(lcMainController) << "no help document in the configuration folder";
        return;
    }
    openDocument(path);
}

void MainController::tbiMainOnlineHelpAction(QObject *)
{
    const QString url = onlineHelpLink();
    if (url.isEmpty()) {
        qCInfo(lcMainController) << "no help link is configured";
        return;
    }
    openSafari(url);
}

void MainController::tbiMainUpdateAction(QObject *)
{
    AEMessage *update = aeMessage_ ? aeMessage_ : AEMessage::defaultAEMessage();
    if (!update || !update->isSupportUpdate())
        return;
    if (!update->send_ManualUpdate_Msg())
        qCWarning(lcMainController) << "the update request could not be sent";
}

void MainController::openDocument(const QString &path)
{
    if (documentOpener_) {
        documentOpener_(path);
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        qCWarning(lcMainController).noquote() << "the document could not be opened:" << path;
}

// Hide, Hide Others and Show All act on the dashboard's own windows: Hide puts every window away
// (the tray, the Dock or a second launch brings them back, as Show All does); Hide Others puts
// away every window but the main one.
void MainController::hide(QObject *) { hideWindows(false); }

void MainController::hideOtherApplications(QObject *) { hideWindows(true); }

void MainController::hideWindows(bool keepMain)
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || (keepMain && window == wndMain.data()) ||
            window->windowType() == Qt::Popup || window->windowType() == Qt::ToolTip)
            continue;
        hiddenWindows_ << window;
        window->hide();
    }
}

void MainController::unhideAllApplications(QObject *)
{
    const auto hidden = std::exchange(hiddenWindows_, {});
    for (const QPointer<QWidget> &window : hidden)
        if (window)
            window->show();
    if (wndMain) {
        if (wndMain->isHidden())
            wndMain->show();
        wndMain->raise();
        wndMain->activateWindow();
    }
}

} // namespace ostrel
