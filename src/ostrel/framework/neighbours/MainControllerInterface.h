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
#include <QList>
#include <QString>

#include <functional>

namespace ostrel {

class NSToolbarItemExt;

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

    // Enables or disables every toolbar item and the menu entries that mirror them.
    virtual void toolbarSetEnable(bool enable) = 0;
    // Enables or disables the toolbar by SIM presence when the skin asks for it.
    virtual void setToolbarEnableWhenSimDetected(bool enable) = 0;
    // The operator layout of the USSD toolbar item.
    virtual void disableUSSDToolbarForMalaixiya() = 0;
    // Selects the first tab of the main window.
    virtual void selectFirstMainTab() = 0;
    // The main toolbar's items (each with its view under the property "itemView"); none without
    // a main window.
    virtual QList<NSToolbarItemExt *> toolbarItemsArray() const { return {}; }
    // The status item (nothing where there is none; the defaults do nothing).
    // The new-message animations: "Normal_SMS_Arrive1" / "FlowValue_SMS_Arrive1", two frames each; a
    // click then opens the SMS inbox of the complete window.
    virtual void freshStatusViewWhenNormalSMSArrive() {}
    virtual void freshStatusViewWhenFlowValueSMSArrive() {}
    // The static image of the connection state (0 idle, 3 connected; other states keep the image).
    virtual void freshStatusViewToStaticViewAccorindToDialStatus(int) {}
    // A fixed image by name ("SysStatusItem.PNG").
    virtual void setImageOfStatusBarViewWithImageName(const QString &) {}
    // At the main window's start and once at the end of the SMS page's start: an overdue
    // flow-value message is handled and the new-message animation starts when unread messages
    // wait in the computer's inbox (the stored inbox is read again for this).
    virtual void freshStatusViewWhenInitialController() {}
    // Whether the registration SMS are being sent (the SMS page offers "send" only when not).
    virtual bool isSendingUserInfo() const { return false; }
    virtual void setIsSendingUserInfo(bool) {}
    // Puts or takes the check mark of a menu item (named as registerMenuItem names it).
    virtual void setMenuItemChecked(const QString &item, bool checked) { (void)item; (void)checked; }
    // Gives a menu item (named as registerMenuItem names it) a title that is shown as it is, in every
    // language, instead of its translated name.
    virtual void setMenuItemTitle(const QString &item, const QString &title) { (void)item; (void)title; }
    // Lays the main window out for the page (the operator's layout of that page, where it has one).
    virtual void updateUIForBraVuzod(const QString &page) { (void)page; }
    // Switches the main window to its complete model (nothing without a main window).
    virtual void menuCompleteModelClicked() {}
};

class DefaultMainController : public MainControllerInterface {
public:
    void registerMenuItem(const QString &, const QString &, std::function<void()>) override {}
    void setMenuItemEnabled(const QString &, bool) override {}
    void openMainWindow() override {}
    void terminate() override {}
    void miniaturizeMainWindowWhenConnectSucced() override {}
    void toolbarSetEnable(bool) override {}
    void setToolbarEnableWhenSimDetected(bool) override {}
    void disableUSSDToolbarForMalaixiya() override {}
    void selectFirstMainTab() override {}
    bool isSendingUserInfo() const override { return sendingUserInfo_; }
    void setIsSendingUserInfo(bool sending) override { sendingUserInfo_ = sending; }

private:
    bool sendingUserInfo_ = false;
};

} // namespace ostrel
