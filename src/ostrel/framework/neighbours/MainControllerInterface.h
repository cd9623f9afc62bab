#pragma once
// What the rest of the dashboard asks of the main window's controller (MainController).
//
// The menus are the main window's table; areas never edit it. An area attaches its action to an
// item of the table (named by its English title) or appends an item of its own to a menu, and
// switches items on and off, through the registry below.
//
// Items are named by their English titles. An item of the main window's table that no area has
// attached an action to stays disabled; setMenuItemEnabled switches an attached item (or an item
// the main window acts on itself) on and off, and the main window's own enabling rules still
// apply on top of it.
//
// DefaultMainController: there is no main window; it keeps nothing and does nothing.
#include <QString>

#include <functional>

namespace ostrel {

class MainControllerInterface {
public:
    virtual ~MainControllerInterface() = default;

    // Attaches action to the item titled item of the menu titled menu and enables it; an item the
    // menu does not have is appended to it, localised.
    virtual void registerMenuItem(const QString &menu, const QString &item, std::function<void()> action) = 0;
    virtual void setMenuItemEnabled(const QString &item, bool enabled) = 0;

    // Brings a minimised main window back on screen and in front, when the configuration asks for
    // it (after a connect, or a failed attempt that will be retried).
    virtual void openMainWindow() = 0;
    // Asks the application to quit: every quit goes through the main window's quit road and its
    // rules (refused during a connection, a manual network search or a call).
    virtual void terminate() = 0;
    // Miniaturises the main window after a successful connect, when the configuration asks for it.
    virtual void miniaturizeMainWindowWhenConnectSucced() = 0;

    // The status item (nothing where there is none; the defaults do nothing).
    // The new-message animations: "Normal_SMS_Arrive1" / "FlowValue_SMS_Arrive1", two frames each; a
    // click then opens the SMS inbox of the complete window.
    virtual void freshStatusViewWhenNormalSMSArrive() {}
    virtual void freshStatusViewWhenFlowValueSMSArrive() {}
    // The static image of the connection state (0 idle, 3 connected; other states keep the image).
    virtual void freshStatusViewToStaticViewAccorindToDialStatus(int) {}
    // A fixed image by name ("SysStatusItem.PNG").
    virtual void setImageOfStatusBarViewWithImageName(const QString &) {}
    // Once at the end of the SMS page's start: an overdue flow-value message is handled and the
    // new-message animation starts when unread messages wait.
    virtual void freshStatusViewWhenInitialController() {}
};

class DefaultMainController : public MainControllerInterface {
public:
    void registerMenuItem(const QString &, const QString &, std::function<void()>) override {}
    void setMenuItemEnabled(const QString &, bool) override {}
    void openMainWindow() override {}
    void terminate() override {}
    void miniaturizeMainWindowWhenConnectSucced() override {}
};

} // namespace ostrel
