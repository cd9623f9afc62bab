#pragma once
// The application's controller: the launch and quit roads of the dashboard and the window that
// stands for the application.
//
// Launch: applicationWillFinishLaunching() shows the start-up splash (MAINFORM/StartupWindow) or
// the service-provider-code window (CheckSPCode), or starts the device side at once
// (runDatacard: update link, AppReady, device service restarted); applicationDidFinishLaunching()
// then runs the connection controller's launch step, the registration sheet and the configured
// window mode. With a splash or the code window the device service starts when they end.
//
// Quit: every termination request goes through terminate() -> applicationShouldTerminate(), which
// asks appShouldClose() (refused during a connection, a manual network search or a call), then may
// play the closing sound and set the device offline, posts AppWillClose, removes the run-time data
// and stops the device service.
//
// The other controllers are reached through Neighbours (connection, device state, settings, SMS,
// call). Timing goes through the controller's clock; the blocking waits at quit go through a
// replaceable blocker, and what "terminate now" and the SIGTERM exit do is replaceable too, so
// that tests run without sleeping or ending the test program.
//
// The main window's contents and its other operations are added beside this file
// (MainControllerWindow.cpp and others).
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/neighbours/MainControllerInterface.h"

#include "platform/Clock.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QCheckBox;
class QDialog;
class QLabel;
class QMainWindow;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;
class QToolButton;

namespace ostrel {

class AEMessage;
class ConfigService;
class Drawer;
class NSToolbarItemExt;
class ServiceProviderCodeWindow;
class StatusBarView;
class UserRegistrationSheet;
class WebView;

class MainController : public YOVUIController, public MainControllerInterface {
    Q_OBJECT
public:
    enum TerminateReply { TerminateCancel = 0, TerminateNow = 1 };
    enum UIModel { CompleteModel = 0, SimpleModel = 1, MiniaturizedModel = 2, NoModel = 3 };

    explicit MainController(QObject *parent = nullptr);
    MainController(const ControllerContext &context, QObject *parent = nullptr);
    ~MainController() override;

    // The one application controller (null when none exists).
    static MainController *g_MainController();

    // --- hooks (program defaults; tests replace them) --------------------------------------
    // Blocks the main thread for ms milliseconds (default: a plain sleep, no event processing).
    void setBlocker(std::function<void(int ms)> blocker) { blocker_ = std::move(blocker); }
    // "Terminate now": default QCoreApplication::exit(0).
    void setTerminator(std::function<void()> terminator) { terminator_ = std::move(terminator); }
    // The process exit after SIGTERM: default QCoreApplication::exit(status).
    void setExiter(std::function<void(int status)> exiter) { exiter_ = std::move(exiter); }
    // The update link (default AEMessage::defaultAEMessage()).
    void setAEMessage(AEMessage *message) { aeMessage_ = message; }
    // The operator switches (default: over this controller's store).
    ConfigService &configService() const;
    // Folder of the splash frames (default: the shipped resources folder).
    void setResourcesFolder(const QString &folder) { resourcesFolder_ = folder; }
    QString resourcesFolder() const;
    // The version shown on the splash when configured (default: the application version).
    void setSoftwareVersion(const QString &version) { softwareVersion_ = version; }

    // --- windows (made at nib time when nobody set them) -----------------------------------
    QPointer<QWidget> wndStartup_;
    QPointer<QLabel> imageViewStartup_;
    QPointer<QLabel> tfdStartWndInfo_;
    QPointer<QLabel> tfdSoftwareVersionAlias_;
    QPointer<QWidget> wndWelcom_;
    QPointer<QDialog> wndCloseForDidizu_;

    // --- state -----------------------------------------------------------------------------
    QList<QImage> imageArray_;
    int imageCount_ = 0;
    bool bWinWillClose_ = false;
    int wndFlag = 0;
    int modePrev = 0;
    int modeCurrent = 0;
    bool isSendingUserInfo_ = false;
    bool openURLWithAlertClicked_ = false;
    QString mainWinTitle_;
    // The splash frame counter: only grows.
    int splashFrameCounter() const { return frameCounter_; }
    bool isSplashRunning() const { return splashRunning_; }
    bool hasRunDatacard() const { return datacardRan_; }

    // --- the controller template -----------------------------------------------------------
    void initializeSkin() override;
    void initializeNibResources() override;
    void registerMessages() override;
    void initializeController() override;
    Q_INVOKABLE void updateLanguages() override;

    // ===== the main window (MainControllerWindow.cpp, MainControllerToolbar.cpp,
    // MainControllerLowPower.cpp) ==========================================================

    // Tab identifiers of the complete window's tab view (each an empty page until its area
    // fills it). Areas find their page with tabPage().
    static const QStringList &mainTabIdentifiers();
    // The page of tabviewMain with that identifier; null when there is none.
    QWidget *tabPage(const QString &identifier) const;
    // The identifier of the tab on show; empty when none.
    QString currentTabIdentifier() const;

    // The frame of a window-mode switch: the top edge and the left edge of the current window
    // stay where they are, the size is the target's (screen coordinates, y growing downwards).
    static QRect frameKeepingTopEdge(const QRect &current, const QSize &target);

    // What the low-power timer decides when it fires: send "offline" (3/4) or nothing.
    // callStage: 0 when no call; connectStatus: 0 idle, 3 connected; totalBytes: send plus
    // receive bytes of the current connection, negative when unknown; enterLPMDataKB: the
    // traffic limit in kilobytes.
    static bool lowPowerShouldGoOffline(int callStage, int connectStatus, qint64 totalBytes, double enterLPMDataKB);

    // --- toolbar ------------------------------------------------------------------------------
    QPointer<QToolBar> toolbar;
    QPointer<QAction> customLogoToolbarItem_;
    QList<NSToolbarItemExt *> toolbarItemsArray() const override;
    void loadToolBar();
    void setToolbarItemImage(const QVariantMap &entry, NSToolbarItemExt *theItem);
    void setToolbarItemAsButton(const QVariantMap &entry, NSToolbarItemExt *theItem, const QImage &theImage);
    void setToolbarItemAsPopupButton(const QVariantMap &entry, NSToolbarItemExt *theItem, const QImage &theImage);
    void setToolbarPopupButtonMenu(const QVariantList &entries, QToolButton *popupButton);
    QStringList toolbarDefaultItemIdentifiers() const;
    QStringList toolbarAllowedItemIdentifiers() const;
    // The item for the identifier (the logo item is made on demand); null when unknown.
    QAction *itemForItemIdentifier(const QString &identifier);
    void toolbarSetEnable(bool enable) override;
    void toolbarSetItemEnable(bool enable, const QString &itemIdentifer);
    void specialToolBarItemsSetEnable(bool enable);
    void resetToolBar();
    QImage providerLogoImage() const;
    void setToolbarProviderLogo(QAction *item);
    void resetProviderLogoImage(QAction *item);
    void setToolbarEnableWhenSimDetected(bool enable) override;
    void disableUSSDToolbarForMalaixiya() override;
    // Selects the first tab of the main tab view.
    void selectFirstMainTab() override;
    void setIsHiddenForUSSDActive(bool active);
    // A named image: the application's images, then the skin in use; null when none loads.
    QImage namedImage(const QString &name) const;

    Q_INVOKABLE void updateStkTooltip(const yov::Notification &notification);
    Q_INVOKABLE void dialConnectStart(const yov::Notification &notification);
    Q_INVOKABLE void isAbleToConnect(const yov::Notification &notification);
    Q_INVOKABLE void connectStatusDidChange(const yov::Notification &notification);
    // The home page: the resources' "index.html" in a web view on the "HomePage" tab, made when
    // the tab is first shown (the browser engine starts only when a page needs it); refreshWebView
    // loads it again.
    Q_INVOKABLE void refreshWebView();
    void showLocalWebUI();
    QString localWebUIPath() const;
    QPointer<WebView> webViewForShowLocalWebUI_;

    // --- tabs ---------------------------------------------------------------------------------
    Q_INVOKABLE void tabViewChangeItemAction(QObject *sender);
    Q_INVOKABLE void gotoSetting(QObject *sender);
    Q_INVOKABLE void gotoPhonebook(QObject *sender);
    Q_INVOKABLE void gotoInternet(QObject *sender);
    Q_INVOKABLE void gotoSMS(QObject *sender);
    Q_INVOKABLE void gotoDialRecord(QObject *sender);
    Q_INVOKABLE void gotoCall(QObject *sender);
    Q_INVOKABLE void gotoUSSD(QObject *sender);
    Q_INVOKABLE void gotoHomePage(QObject *sender);
    Q_INVOKABLE void tabViewItemWillChange(const yov::Notification &notification);
    Q_INVOKABLE void simCardActivity(QObject *sender);
    Q_INVOKABLE void tabViewChangeToCallAndMakeCall(QObject *sender);
    // Settings window of the simple mode: row 0..6; other rows do nothing.
    void selectModule(int row);
    void selectTabViewbyIdentifier(const QString &identifier);
    Q_INVOKABLE void showDialRecordAndSettingWindow(QObject *sender);
    Q_INVOKABLE void closeAllWindow(QObject *sender);
    // The modules of the simple mode's settings window, row by row.
    static const QStringList &settingModuleIdentifiers();
    // A cell-broadcast text (ReceiveBroadCastNotification) goes to the status row.
    void receiveSMSBroadCast(const yov::Notification &notification);
    void setBroadcastMsg(const QString &text);
    QString broadcastMessage() const;
    // The main window moved: the MMS windows follow.
    void windowDidMove(QWidget *window);
    // The skin's own toolbar view ("wndMainToolbar"), when the skin dresses the main window.
    QWidget *skinToolbarView() const { return skinToolbarView_; }
    void loadSimpleModeWording();

    // --- window modes -------------------------------------------------------------------------
    QRect rectOfwndMain_;
    QRect rectOfWndSimpleMain_;
    QRect rectOfCurrentWnd_;
    QRect getCompleteFrame() const;
    QRect getSimpleFrame() const;
    void switchToCompleteUI();
    void switchToSimPleUI();
    // Switches to the complete or simple window, announces it and stores the mode.
    void switchToModel(int model);
    void storeUIModel(int model);
    void menuModelClicked(int model);
    // The zoom (maximise) button of a main window: toggles complete <-> simple. true when it
    // switched.
    bool windowWillUseStandardFrame(QWidget *window);
    Q_INVOKABLE void menuCompleteModelClicked(QObject *sender);
    void menuCompleteModelClicked() override { menuCompleteModelClicked(nullptr); }
    Q_INVOKABLE void menuSimpleModelClicked(QObject *sender);
    Q_INVOKABLE void menuMinimizedModelClicked(QObject *sender);
    // Simple window's buttons: tag 0 SMS, 1 Phonebook, 2 Setting, 3 help, 4 DialRecord.
    Q_INVOKABLE void goBackToMainWnd(QObject *sender);
    void goBackToMainWndWithTag(int tag);
    Q_INVOKABLE void minimizeMainWindow(QObject *sender);
    Q_INVOKABLE void minimizeWindow(QObject *sender);
    Q_INVOKABLE void zoomMainWindow(QObject *sender);
    // With MAINFORM/OpenMainWindow: a minimised main window comes back (after a connect).
    void openMainWindow() override;
    void miniaturizeMainWindowWhenConnectSucced() override;
    // A minimised main window comes back on screen, in front.
    void bringMinimisedMainWindowBack();
    void postMainWindowChanged();

    // --- menus (MainControllerMenus.cpp) ------------------------------------------------------
    // The main menus are one table of items named by their English titles; other areas attach
    // their actions through the registry. An item without an action stays disabled.
    void registerMenuItem(const QString &menu, const QString &item, std::function<void()> action) override;
    void setMenuItemEnabled(const QString &item, bool enabled) override;
    // A language item is named by its language's English name.
    void setMenuItemChecked(const QString &item, bool checked) override;
    void setMenuItemTitle(const QString &item, const QString &title) override;
    // The main window's own switch of an item (toolbar rule, window modes, configured links).
    void setMenuItemRule(const QString &item, bool enabled);
    // The English titles of the table's menus and items, in order.
    static QStringList menuTableTitles();
    QMenu *menuNamed(const QString &english) const;
    QAction *menuItemNamed(const QString &english) const;
    void Init_UIMenu();
    void menuToolbarSetEnable(bool enable);
    // The "Language" menu: the offered languages; a choice goes through the language change.
    void changeLanguage(const QString &language);
    // The help document in the configuration folder ("SpecialHelp" of the token list, else
    // "English_Help.pdf"); empty when there is none.
    QString helpDocumentPath() const;
    QString onlineHelpLink() const;
    Q_INVOKABLE void tbiMainHelpAction(QObject *sender);
    Q_INVOKABLE void tbiMainOnlineHelpAction(QObject *sender);
    Q_INVOKABLE void tbiMainUpdateAction(QObject *sender);
    Q_INVOKABLE void hide(QObject *sender);
    Q_INVOKABLE void hideOtherApplications(QObject *sender);
    Q_INVOKABLE void unhideAllApplications(QObject *sender);
    // How documents are opened (default: the desktop's viewer).
    void setDocumentOpener(std::function<void(const QString &)> opener) { documentOpener_ = std::move(opener); }

    // --- title, drawer, tray -----------------------------------------------------------------
    void Init_mainWindow_nib();
    void changeMainWinTitleFont();
    // The link drawer (MAINFORM/LinkButton): the operator link buttons on the complete window's
    // right edge.
    void initDrawerProperty();
    // Opens or closes the skin's drawer (the link drawer when the skin has none), with the skin's
    // "btnDrawer" image following.
    Q_INVOKABLE void changeDrawerState(QObject *sender);
    void initSysStatusBarItem();
    void initCallMenuItemSel();
    void setCallMenuItemEnable(int acceptState, int ifSetAccept, int rejectState, int ifSetReject);
    // Where a sheet of the window hangs: below the skin's title bar when there is one.
    QRect willPositionSheet(QWidget *window, const QRect &rect) const;

    QPointer<Drawer> drawerLink;
    QPointer<StatusBarView> viewSysStatusItem_;
    QPointer<QMenu> menuSysStatusItem_;
    QPointer<QAction> acceptMenuItem;
    QPointer<QAction> rejectMenuItem;
    QString selOfAcceptMenuItem;
    QString selOfRejectMenuItem;
    QPointer<QLabel> textfieldTabviewItemTitle_;
    QPointer<QLabel> mainWinTitleField_;
    QPointer<QAbstractButton> btnUSSDActive_;
    QPointer<QAbstractButton> matrixSms_;
    QPointer<QAbstractButton> matrixPhoneBook_;
    QPointer<QAbstractButton> matrixSet_;
    QPointer<QAbstractButton> matrixHelp_;
    QPointer<QAbstractButton> matrixRecord_;
    QPointer<QWidget> wndDialRecord_;
    QPointer<QWidget> wndSetting_;
    QPointer<QLabel> lableSettingTabViewTitle_;
    QPointer<QWidget> tabViewModuleTabSetting_;

    // --- low power and device -----------------------------------------------------------------
    QPointer<QCheckBox> btnLPMStatus_;
    // The send plus receive bytes of the current connection (installed by the assembly; unset or
    // negative: unknown, which never counts as "under the limit").
    void setConnectionTrafficProvider(std::function<qint64()> provider) { trafficProvider_ = std::move(provider); }
    void windowWillMiniaturize(QWidget *window);
    void windowDidMiniaturize(QWidget *window);
    void windowDidDeminiaturize(QWidget *window);
    void checkLPM();
    void releaseTimerCheckLPM();
    bool isLPMTimerArmed() const { return timerCheckLPM_ != 0; }

    Q_INVOKABLE void deviceRemoved(const yov::Notification &notification);
    Q_INVOKABLE void devicePlugin(const yov::Notification &notification);
    Q_INVOKABLE void simReady(const yov::Notification &notification);
    void netcardChanged(int status);
    void setNetCardStatus(int status) { netCardStatus_ = status; }
    int getNetCardStatus() const { return netCardStatus_; }
    void setDeviceRemoveSign(bool sign) { deviceRemoveSign_ = sign; }
    bool getDeviceRemoveSign() const { return deviceRemoveSign_; }
    void deviceRemovedForDidizu(bool removed);
    void performEndSheet();
    void insertUSSDToobarItem(int index);

    // --- status item (MainControllerStatusItem.cpp) -----------------------------------------
    // Stops the item's animation, sets its frame count and first frame name and starts it.
    void startAnimationInStatusViewWithAnimaitonPath(const QString &path, int imageNumber);
    void freshStatusViewWhenNormalSMSArrive() override;
    void freshStatusViewWhenFlowValueSMSArrive() override;
    // The newest message's type picks the animation: flow-value (0, 1) or ordinary (2).
    void freshStatusViewWhenNewSMSArrive();
    // After reading: the animation stays while a message of the newest message's kind (flow-value
    // or ordinary) is unread, in the computer's inbox or on the SIM; else the other kind's
    // animation while one of that kind is unread; else the connection's picture.
    void freshStatusViewWhenSMSReaded();
    void freshStatusViewWhenInitialController() override;
    // A connection change (0 idle, 3 connected), with Main/Main_FreshStatusView_ConnectStatusChanged.
    void freshStatusViewWhenDialStatusChanged(int status);
    void freshStatusViewToStaticViewAccorindToDialStatus(int status) override;
    void setImageOfStatusBarViewWithImageName(const QString &name) override;
    // The complete window, on its "SMS" tab, with the inbox open.
    void gotoSMSUIOfCompleteWnd();

    // --- mini and smart skins (MainControllerMiniUI.cpp) ----------------------------------
    enum class SkinKind { Normal, Mini, Smart };
    // Which skin the skin's UI configuration asks for (MiniUI before SmartUI).
    static SkinKind skinKindOf(const QVariantMap &uiConfig);
    // The network text of the mini skin: "HSDPA" and "HSUPA" show "HSPA", "UMTS" "3G".
    static QString miniNetworkText(const QString &network);
    SkinKind skinKind() const { return skinKind_; }
    bool initializeMiniSkin();
    bool initializeSmartSkin();
    void registerUINotifications();
    Q_INVOKABLE void updateSingalStrength(const yov::Notification &notification);
    Q_INVOKABLE void updateNetworkStatus(const yov::Notification &notification);
    Q_INVOKABLE void updateRoamStatus(const yov::Notification &notification);
    Q_INVOKABLE void updateBelonetoSPN(const yov::Notification &notification);
    Q_INVOKABLE void updateLocalSPN(const yov::Notification &notification);
    Q_INVOKABLE void updateModemStatus(const yov::Notification &notification);
    Q_INVOKABLE void updateSimStatus(const yov::Notification &notification);
    Q_INVOKABLE void updateDomainName(const yov::Notification &notification);
    Q_INVOKABLE void btnDialConnectExt(QObject *sender);
    Q_INVOKABLE void closeMainPopupWindow(QObject *sender);
    QPointer<WebView> webViewInHomePage_;
    // The status bar that holds the device-state row: the pop-up window's in the mini skin, else
    // the main window's.
    QStatusBar *mainStatusBar() const;

    // --- launch road (MainController.cpp) --------------------------------------------------
    void prepareStartupWin();
    void applicationWillFinishLaunching();
    void applicationDidFinishLaunching();
    void setDiagSoftwareVersionString(QLabel *field);
    void beginStartupWin();
    void refreshImage();
    void endStartupWin();
    void runDatacard();
    void showMainUI();
    void showWelcomeWndWhenStartUI();
    void miniaturizeMainWindowWhenAppFinishLaunching();
    // The device service left the bus by itself: the device-removal road, the user told, and the
    // service started again through the message center, at most kMaxServiceRestarts times with
    // growing pauses (a device that reports again makes the count start afresh).
    static constexpr int kMaxServiceRestarts = 5;
    static constexpr int kFirstServiceRestartPauseMs = 1000;
    void deviceServiceLost();
    int serviceRestartAttempts() const { return serviceRestartAttempts_; }
    // A later launch or the tray icon: shows the window again by the window mode. Always true.
    bool applicationShouldHandleReopen(bool hasVisibleWindows = true);

    // --- quit road (MainControllerQuit.cpp) ------------------------------------------------
    // Every termination request: runs applicationShouldTerminate() and, on TerminateNow, the
    // terminator.
    void terminate() override;
    TerminateReply applicationShouldTerminate();
    bool appShouldClose();
    bool getAppCloseStateForZAR() const { return !bWinWillClose_; }
    bool windowShouldClose(QWidget *window);
    bool quitAppAlert();
    bool closeMainWindowForDidizu();
    void saveCurrentUIModelWhenAppClosed();
    // SIGTERM, on the event loop: a standing connection is ended with its record saved, the device
    // service is stopped by its process id, and the process ends with status 0. No question, no
    // AppWillClose.
    void handleTerminationSignal();

    Q_INVOKABLE void closeMainWindow(QObject *sender);
    Q_INVOKABLE void closeApp(QObject *sender);
    Q_INVOKABLE void quitTerminal(QObject *sender);
    Q_INVOKABLE void cancelCloseWindowForDidizu(QObject *sender);
    Q_INVOKABLE void quitApplicationForDidizu(QObject *sender);
    Q_INVOKABLE void shutDownDeviceForDidizu(QObject *sender);

    // ===== operator customisations (MainControllerLinks.cpp, MainControllerShortcuts.cpp) =====
    // The service-provider-code window and the registration sheet this controller installs.
    ServiceProviderCodeWindow *spCodeWindow() const { return spCodeWindow_.get(); }
    UserRegistrationSheet *registrationSheet() const { return registrationSheet_.get(); }
    bool isSendingUserInfo() const override { return isSendingUserInfo_; }
    void setIsSendingUserInfo(bool sending) override { isSendingUserInfo_ = sending; }

    // --- links to operator pages ------------------------------------------------------------
    // Operator addresses are deployment configuration: the dictionary Main/OperatorLinks (empty by
    // default); each link below names its key. Only http and https addresses are opened.
    QString operatorLink(const QString &key, const QString &path = QString()) const;
    // Opens an http or https address in the desktop's browser; anything else is logged and
    // opens nothing. True when it was handed to the browser.
    bool openOperatorAddress(const QString &address, const char *what);
    // The address of a sender's URL label (its localised form); empty without a label.
    QString urlLabelAddress(QObject *sender) const;
    // The address a drawer button opens, by its tag (11..88); empty for other tags.
    QString drawerLinkAddress(int tag) const;
    // The address of a portal menu title; empty when none is configured.
    QString tataMenuAddress(const QString &title) const;
    // The enciphered identity as an operator link carries it: the cipher's bytes in a 64-byte
    // zero-filled buffer, read as UTF-8; empty when the cipher writes nothing.
    QString encipheredLinkText(const QString &identity) const;
    // The home-page action and the TV player start their programs through the one program
    // launcher (yov::ProgramLauncher), which tests replace.

    QPointer<QObject> urlWithAlertToolBarItem_;
    QPointer<QLabel> labelForTextLinkAddress_;
    Q_INVOKABLE void tbiMainURLAction(QObject *sender);
    Q_INVOKABLE void tbiMainURLWithAlertAction(QObject *sender);
    Q_INVOKABLE void tbiMainOpenURLWithAlertAndAutoConnectAction(QObject *sender);
    Q_INVOKABLE void tbimainURLEncipherAction(QObject *sender);
    Q_INVOKABLE void tbimainURLEncipherActionExt(QObject *sender);
    Q_INVOKABLE void tbiMainHomewebAction(QObject *sender);
    Q_INVOKABLE void gotoWebsiteMainpage(QObject *sender);
    Q_INVOKABLE void openLinkPage(QObject *sender);
    Q_INVOKABLE void openIbiboWebsites(QObject *sender);
    Q_INVOKABLE void openTATAMenuLinks(QObject *sender);
    void openTATALinks(const QString &address);
    Q_INVOKABLE void openTabMenuLinks(QObject *sender);
    Q_INVOKABLE void homePageClick(QObject *sender);
    Q_INVOKABLE void open1und1URL(QObject *sender);
    Q_INVOKABLE void openMyistarURL(QObject *sender);
    // Opens or closes the link drawer; the skin's images stay as they are.
    Q_INVOKABLE void loadDrawerLinkWnd(QObject *sender);
    // The link drawer's buttons: customer service, then the links tagged 11..88 (openLinkPage).
    void buildDrawerLinkButtons(QWidget *content);
    void loadLinkButtonTitleWording();
    void setTextLinkAddressForMainPage();
    // The main page's text link and the Didizu link labels, in the status bar, when configured.
    void installOperatorLinkLabels();
    // A label made a link: the localised text, underlined, linked to the address (none: plain).
    void textFieldOpenLink(QLabel *label, const QString &text, const QString &address, int pointSize,
                                  const QString &color);
    void initMainWindowForDidizu();
    void loadKyivstarButtonToolTip();
    // The Vuzod layout (MainControllerOperatorLayout.cpp): only when the skin's UI configuration
    // sets BraVuzodUI. The Internet page takes the skin module "Main", every other page "Other".
    bool hasBraVuzodLayout() const;
    static QString braVuzodModuleForPage(const QString &page);
    void updateUIForBraVuzod(const QString &page) override;
    void updateControllersForBarVuzod(const QString &page);
    void changeDrawerBtnStyleForBraVuzod(const QString &page);
    QPointer<QLabel> labelHomeLinkForDidizu_;
    QPointer<QLabel> labelPostPaidLinkForDidizu_;
    QPointer<QLabel> labelPrePaidLinkForDidizu_;
    QPointer<QAbstractButton> btnUnderlineDialNumberForDidizu_;

    // --- shortcuts, help and the broadcast panel (MainControllerShortcuts.cpp) -----------------
    Q_INVOKABLE void tbiMainSendSMS(QObject *sender);
    Q_INVOKABLE void tbiMainSendVolStatusCheckSMS(QObject *sender);
    Q_INVOKABLE void checkMyNumber(QObject *sender);
    Q_INVOKABLE void openUSSDWndDedeviTopup(QObject *sender);
    Q_INVOKABLE void openUSSDWndDedeviCheckbalance(QObject *sender);
    Q_INVOKABLE void openUSSDWndDedeviBuybundles(QObject *sender);
    Q_INVOKABLE void tbiMainPopUpUssdAction(QObject *sender);
    Q_INVOKABLE void toolbarCallUssdSheetWnd(QObject *sender);
    void popUpUssdSeetWithTag(int tag);
    Q_INVOKABLE void popUpRefillSheet(QObject *sender);
    Q_INVOKABLE void popUpCheckBalanceSheet(QObject *sender);
    Q_INVOKABLE void tbiChangeAPNSelection(QObject *sender);
    Q_INVOKABLE void tbiMainRAVOHelpClick(QObject *sender);
    Q_INVOKABLE void performOpenHelpActionForViettel(QObject *sender);
    void openHelpDocumentByTag(int tag);
    Q_INVOKABLE void tbiMainYOVPlayerAction(QObject *sender);
    Q_INVOKABLE void broadcastReportOK(QObject *sender);
    // The operator's own windows, made on first use: the balance window (with the top-up,
    // check-balance and buy-bundles shortcuts), the quick tips, support and USSD guide windows, each
    // a localised text and a Close button.
    Q_INVOKABLE void tbiMainUSSDPopUPAction(QObject *sender);
    Q_INVOKABLE void closeUSSDPopUPAction(QObject *sender);
    Q_INVOKABLE void openWndDedeviQuickTips(QObject *sender);
    Q_INVOKABLE void showSupportWindowForViettel(QObject *sender);
    Q_INVOKABLE void showUSSDGuideWindowForViettel(QObject *sender);
    QPointer<QDialog> wndUSSDPopUp_;
    QPointer<QDialog> wndDedeviQuickTips_;
    QPointer<QDialog> supportWindow_;
    QPointer<QDialog> ussdGuideWindow_;
    // Attaches the operator's help documents (HelpFileArray) to the main menu's items.
    void registerHelpFileMenuItems();
    QPointer<QDialog> wndBroadcastReport_;
    QPointer<QLabel> tfdBroadCast_;

signals:
    // A splash frame (its index in imageArray_) was shown.
    void splashFrameShown(int index);
    void splashEnded();
    void datacardStarted();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void init();
    void buildDefaultWindows();
    // The real windows (MainControllerWindow.cpp).
    QWidget *buildCompleteWindow(const QString &title);
    QWidget *buildSimpleWindow(const QString &title);
    void buildMenus(QMainWindow *window);
    void buildSimpleModeWindows();
    void applyMainWindowSkin();
    void rebuildSkinToolbarButtons();
    void buildToolbarView(QMainWindow *window);
    QAction *addMenuItem(QMenu *menu, const QString &english, const QString &selector);
    QMenu *addMenu(QMenu *parent, QMenuBar *bar, const QString &english);
    void buildLanguageMenu();
    void hideWindows(bool keepMain);
    void openDocument(const QString &path);
    // Handles the window-state changes of the main windows; true when the event was taken.
    bool handleWindowStateChange(QWidget *window, QEvent *event);
    void maybeTakeScreenshot();
    void watchWindowClose(QWidget *window);
    void centerAndShow(QWidget *window);
    QDialog *operatorTextWindow(QPointer<QDialog> &window, const QString &name, const QString &title,
                                const QString &textKey);
    QDialog *balanceWindow();
    static void orderWindowFront(QWidget *window);
    void block(int ms);
    void scheduleServiceRestart();
    bool dialIsBusy() const;

    std::unique_ptr<ServiceProviderCodeWindow> spCodeWindow_;
    std::unique_ptr<UserRegistrationSheet> registrationSheet_;
    std::function<void(int)> blocker_;
    std::function<void()> terminator_;
    std::function<void(int)> exiter_;
    AEMessage *aeMessage_ = nullptr;
    std::unique_ptr<ConfigService> configService_;
    QString resourcesFolder_;
    QString softwareVersion_;
    std::unique_ptr<yov::RepeatingTimer> frameTimer_;
    int singleFrameEndId_ = 0;
    int frameCounter_ = 0;
    bool splashRunning_ = false;
    bool datacardRan_ = false;
    bool terminating_ = false;
    double splashDelayTime_ = 0;

    // main window
    QList<QPointer<NSToolbarItemExt>> toolbarItems_;
    QList<QPointer<QMenu>> menus_;
    QList<QPointer<QAction>> menuItems_;
    QList<QPointer<QWidget>> hiddenWindows_;
    std::function<void(const QString &)> documentOpener_;
    QPointer<QWidget> viewDrawerLinks_;
    QPointer<QDialog> devStateNotice_;
    QPointer<QLabel> labelBroadCast_;
    QPointer<QWidget> skinToolbarView_;
    std::function<qint64()> trafficProvider_;
    int timerCheckLPM_ = 0;
    int endSheetTimer_ = 0;
    int serviceRestartTimer_ = 0;
    int serviceRestartAttempts_ = 0;
    int netCardStatus_ = 0;
    bool deviceRemoveSign_ = false;
    bool switchingMode_ = false;
    bool screenshotTaken_ = false;
    SkinKind skinKind_ = SkinKind::Normal;
    QPointer<QStatusBar> miniStatusBar_;
    void statusItemOpensInbox();
    // Unread messages wait at position 0 (computer) or 1 (SIM), as the SMS page or the service knows.
    bool unreadSmsWaitsIn(int position) const;
    // The skin item's picture as the widget's background.
    void dressWithSkinImage(QWidget *widget, const QString &key);
};

} // namespace ostrel
