#pragma once
// The base of every screen controller of the dashboard.
//
// A controller is created with the shared objects of the program (ControllerContext), gets its
// windows and views set by whoever builds them, and then runs awakeFromNib() once: the template
// steps initializeSkin, initializeNibResources, registerMessages, initializeController and
// loadCommonBundle, in that order, then its language registration and the base notification table.
//
// Notification tables are data: rows of (handler name, notification name). A handler is a slot or
// Q_INVOKABLE method of the controller taking `const yov::Notification &`, found by name at
// registration; a row whose handler the controller lacks is skipped (and logged, or left to the
// NotificationCoverage of the context, which logs only rows that no controller handles). Actions named in
// the configuration (itemAction, menuItemAction) reach only slots or invokable methods through
// performAction(); an unknown name is logged and does nothing.
//
// Texts that come from settings or token lists are never used as printf formats: placeholders are
// filled by yov::formatPlaceholders().
#include "ostrel/framework/controller/Drawer.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "platform/NotificationCenter.h"

#include <QDateTime>
#include <QFont>
#include <QList>
#include <QLoggingCategory>
#include <QObject>
#include <QPointer>
#include <QSizeF>
#include <QString>
#include <QTabWidget>
#include <QUrl>
#include <QVariantMap>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class QAction;
class QMenu;

namespace yov { class Clock; }

Q_DECLARE_LOGGING_CATEGORY(lcController)

namespace ostrel {

class ConfigManager;
class Language;
class NotificationCoverage;
class PluginHost;
class TabPluginInterface;
class YOVMsgCenter;

// A row of a notification table: the handler's name as the configuration and the tables write it
// ("deviceRemoved:"; the part before the first colon names the method) and the notification name.
// A table ends with a row whose selector is null.
struct NotificationTableRow {
    const char *selector;
    const char *notification;
};

// The base table: handlers that subclasses may implement for the application-wide notifications.
extern const NotificationTableRow yovUINotificationTable[];
// The table that every window-owning controller registers: changeMainWindowOfApp: /
// "MainwindOfAppChanged".
extern const NotificationTableRow mainWindowChangeNotificationTable[];

// The shared objects of the program, handed to every controller at its creation.
struct ControllerContext {
    ConfigManager *config = nullptr;                   // null: ConfigManager::sharedConfigManager()
    YOVMsgCenter *msgCenter = nullptr;
    SkinManagerAccess *skinManager = nullptr;
    Language *language = nullptr;
    yov::NotificationCenter *notificationCenter = nullptr; // null: the default center
    yov::Clock *clock = nullptr;                       // null: the system clock
    // Where table rows without a handler are judged over all controllers; null: each controller
    // logs its own skipped rows.
    NotificationCoverage *notificationCoverage = nullptr;

    // The context that new controllers take; the program fills it before creating them.
    static ControllerContext &shared();
};

class YOVUIController : public QObject {
    Q_OBJECT
public:
    explicit YOVUIController(QObject *parent = nullptr);
    YOVUIController(const ControllerContext &context, QObject *parent = nullptr);
    ~YOVUIController() override;

    // --- windows and views (set by whoever builds them) -----------------------------------
    QPointer<QWidget> wndMain;
    QPointer<QWidget> wndSimpleMain_;
    QPointer<QWidget> wndCompleteMain_;
    QPointer<QTabWidget> tabviewMain;
    QPointer<QTabWidget> tabviewSetting;
    QPointer<QWidget> wndMainPopup;
    QPointer<Drawer> drawerMain;
    QPointer<QWidget> currentMainWnd;
    QPointer<QWidget> viewCurrent_;

    ConfigManager &config() const { return *config_; }
    YOVMsgCenter *yovMsgCenter() const { return yovMsgCenter_; }
    SkinManagerAccess *yovSkinManager() const { return yovSkinManager_; }
    Language *yovLanguage() const { return yovLanguage_; }
    yov::NotificationCenter &notificationCenter() const { return *notificationCenter_; }
    yov::Clock &clock() const { return *clock_; }

    // --- life cycle -------------------------------------------------------------------------
    // Runs the template (see above). A controller runs it once.
    virtual void awakeFromNib();
    virtual void initializeSkin() {}
    virtual void initializeNibResources() {}
    virtual void registerMessages() {}
    virtual void initializeController() {}
    virtual void loadCommonBundle() {}
    // Re-localises the controller's texts; runs at once when registered and on every language
    // change.
    Q_INVOKABLE virtual void updateLanguages() {}

    // Observes each row's notification (from any sender) with the controller's handler of that
    // name. false for a null table; rows without a handler are skipped (and go to the context's
    // notification coverage).
    bool registerNotification(const NotificationTableRow *table);

    // --- application-wide notifications -----------------------------------------------------
    void notifyDeviceRemoved();
    void notifyDevicePlugin();
    void notifySimReady();
    void notifyAppReady();
    void notifyAppWillClose();
    void notifyDataServiceSwitch(bool on);
    void notifyChangeTabViewItem(const QString &identifier);
    void notifyChangeLanguage();

    // Handler of "MainwindOfAppChanged" {"window": QWidget*}: the window becomes wndMain, after the
    // sheets of the former main window are closed.
    Q_INVOKABLE void changeMainWindowOfApp(const yov::Notification &notification);
    // Closes the sheets (window-modal windows) of wndMain, the innermost first.
    void closeAllSheetsOfMainWnd();

    // --- actions ----------------------------------------------------------------------------
    // Calls the slot or invokable method named by the selector ("name:" with the sender as a
    // QObject* argument, else "name" without arguments). false, logged, for an unknown name.
    bool performAction(const QString &selector, QObject *sender = nullptr);
    // Makes a click of the button (a trigger of the action) perform the selector.
    void connectAction(QAbstractButton *button, const QString &selector);
    void connectAction(QAction *action, const QString &selector);
    // The base's menu action: nothing.
    Q_INVOKABLE virtual void menuItemAction(QObject *sender) { Q_UNUSED(sender) }

    // --- controls from UIConfig -------------------------------------------------------------
    QVariantMap uiConfigDict() const;
    bool initializeBtnsOfView(QWidget *view, const QString &key);
    bool initializeLabelsOfView(QWidget *view, const QString &key);
    bool initializeTabViewItemOfView(QTabWidget *tabView, const QString &key);
    bool initializeImageViewOfView(QWidget *view, const QString &key);
    bool initializeNSMatrixOfView(QWidget *view, const QString &key);
    bool initializeNSBoxOfView(QWidget *view, const QString &key);
    QWidget *createNSViewExtByKey(const QString &key, QWidget *superView);
    QWidget *createNSImageViewByKey(const QString &key, QWidget *superView);
    // Registers the control under the key (with reload) inside the superview; the control is
    // deleted when the registration fails.
    bool registerController(QObject *control, const QString &key, QWidget *superview);

    QMenu *createPopUpMenuFromConfig(const QVariantList &entries);
    QAction *createMenuItem(const QVariantMap &entry, QMenu *menu);

    void updateLanguagesOfDynamicItem(const QString &key);
    void updateMenuLanguage(const QVariantList &entries);
    void updateDynamicControllersByKey(const QString &key);
    void setDynamicControllersEnabledByKey(const QString &key, bool enabled);
    void updateDynamicItemsByModule(const QString &imageName);

    void initializeDrawer();
    void updateDrawerOffsetByWindow(const QString &windowName);
    void changeMainTabViewItemSize(const QString &identifier);

    bool hasModuleWith(const QString &identifier) const;

    // --- utilities --------------------------------------------------------------------------
    // Opens the URL in the desktop's default browser; nothing for a text that is not a URL.
    void openSafari(const QString &url);
    QVariant webURLForKey(const QString &key) const;
    // Opens the web link of the sender's item identifier, filled with the run-time phone number
    // and IMEI.
    Q_INVOKABLE void tbiMainURLActionExt(QObject *sender);
    QString formatStringFromDate(const QDateTime &date) const;
    QString getControlWordingValueByKey(const QString &key, int module) const;
    // The characters of the text that belong to the set, in order, at most length of them; empty
    // for an empty text or no set.
    static QString trimString(const QString &text, const std::function<bool(QChar)> &set, int length);

    // --- run-time dictionary ----------------------------------------------------------------
    QVariantMap runtimeDictionary();
    QVariant runtimeObjectForKey(const QString &key) const;
    void setRuntimeObject(const QVariant &value, const QString &key);
    bool deleteRuntimeDictionary();
    // Removes the run-time data from the given store (the shared one for null) and writes it;
    // for the program's start and quit, when no controller may exist yet.
    static bool removeRuntimeData(ConfigManager *config = nullptr);

    // --- sounds -----------------------------------------------------------------------------
    void playSound(int type);
    void playSound(int type, double seconds);
    void playShortSound(int type);
    void stopSound();
    void stopSound(int type);
    void playCloseSound();
    void experienceIncomingcallSond(int type);
    bool isSoundMute(int type) const;
    void setSoundType(int type, bool mute);
    QString soundFileName(int type) const;
    void setSoundFileName(int type, const QString &path);
    QString filenameKeyOfSound(int type) const;

    // --- plug-ins ---------------------------------------------------------------------------
    QVariantMap objectsDict() const;
    // Loads the plug-in and shows its view in the tab of tabviewMain with that identifier; false,
    // and the tab as it was, when the tab or the plug-in is missing.
    bool loadPlugin(const QString &bundleName, const QString &tabIdentifier);
    TabPluginInterface *bundleInstance() const { return bundleInstance_; }
    QWidget *viewOfOldTabViewItem() const { return viewOfOldTavViewItem_; }

    // --- program-wide hooks -----------------------------------------------------------------
    // How URLs are opened (the desktop's browser by default; tests record them).
    static void setUrlOpener(std::function<bool(const QUrl &)> opener);
    // The controls the builders make (defaults: NSFlickerButton, NSViewExt, NSImageView).
    struct ControlFactory {
        std::function<QAbstractButton *()> button;
        std::function<QWidget *()> viewExt;
        std::function<QWidget *()> imageView;
    };
    static void setControlFactory(const ControlFactory &factory);

    // Fonts from Main/TextFont.
    std::optional<QFont> font() const { return font_; }
    QString fontName() const { return fontName_; }
    float fontSize() const { return fontSize_; }
    QString customDateFormat() const { return customDateFormat_; }

    // --- alerts -----------------------------------------------------------------------------
    // The non-blocking alert (see the free function below); the answer is dropped when this
    // controller is gone by then.
    void NSBeginAlertPanelExt(const QString &title, const QString &message, const QString &defaultButton,
                              const QString &alternateButton, std::function<void(int)> onAnswer);

protected:
    // The controller's requests to the device service, through the message center's catalogued
    // send (YOVMsgCenter::sendCatalogued: the same arguments, checked at compile time); a request
    // that was not delivered is logged. False without a message center.
    template <std::uint16_t Major, std::uint16_t Minor, typename... Args>
    bool sendRequest(const Args &...args)
    {
        const bool sent = yovMsgCenter_ && yovMsgCenter_->template sendCatalogued<Major, Minor>(args...);
        if (!sent)
            reportRequestNotSent(Major, Minor);
        return sent;
    }

    QVariantList uiConfigList(const QString &key) const;
    // The top-level "toolBarItems" list; the shipped list when the setting is there but not a list.
    QVariantList toolbarItemsSetting() const;
    QVariant setting(const QString &key) const;
    QVariant setting(const QString &module, const QString &key) const;
    void writeSettings();

private:
    void reportRequestNotSent(int major, int minor) const;
    void cancelDelayedStops();
    int findHandler(const char *selector, bool withArgument) const;

    ConfigManager *config_ = nullptr;
    YOVMsgCenter *yovMsgCenter_ = nullptr;
    SkinManagerAccess *yovSkinManager_ = nullptr;
    Language *yovLanguage_ = nullptr;
    yov::NotificationCenter *notificationCenter_ = nullptr;
    NotificationCoverage *notificationCoverage_ = nullptr;
    yov::Clock *clock_ = nullptr;

    QPointer<QWidget> viewOfOldTavViewItem_;
    std::unique_ptr<PluginHost> loadedBundle_;
    TabPluginInterface *bundleInstance_ = nullptr;
    QString customDateFormat_;
    std::optional<QFont> font_;
    QString fontName_;
    float fontSize_ = 0;
    QList<int> delayedStops_;
};

// The dashboard's alerts, through the installed yov::AlertPresenter (the skinned panel, else the
// system alert). The answer is 1 for the default button, 0 for the alternate one; an empty
// alternate shows only the default button.
//
// NSRunAlertPanelExt blocks in a nested event loop until the answer comes: only for alerts that
// a user's action raises, never from a device-record handler (it would stall the device link; it
// logs a warning when it happens).
int NSRunAlertPanelExt(const QString &title, const QString &message, const QString &defaultButton,
                       const QString &alternateButton = QString());
// NSBeginAlertPanelExt shows the same alert and returns at once; the answer reaches onAnswer later,
// on the main thread (an alert closed another way answers as its alternate button when it has
// one, else as its default one). What follows the answer goes into onAnswer.
void NSBeginAlertPanelExt(const QString &title, const QString &message, const QString &defaultButton,
                          const QString &alternateButton, std::function<void(int)> onAnswer = {});

} // namespace ostrel
