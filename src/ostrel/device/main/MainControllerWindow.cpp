// MainController: the complete and the simple main window, the menus, the tabs, the window modes,
// the drawer of operator links and the tray item.
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/MainControllerText.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/Drawer.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/skin/UIManager.h"
#include "ostrel/framework/skin/YOVUIManager.h"
#include "ostrel/framework/widgets/Items.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/StatusBarView.h"
#include "ostrel/framework/widgets/WebView.h"
#include "ostrel/framework/widgets/WebViewUtilities.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

Q_DECLARE_LOGGING_CATEGORY(lcMainController)

namespace ostrel {

namespace {

using main_text::tr_;

} // namespace

// --- tabs ------------------------------------------------------------------------------------

const QStringList &MainController::mainTabIdentifiers()
{
    static const QStringList identifiers = {QStringLiteral("Internet"),   QStringLiteral("SMS"),
                                            QStringLiteral("Phonebook"),  QStringLiteral("Call"),
                                            QStringLiteral("USSD1"),      QStringLiteral("DialRecord"),
                                            QStringLiteral("Statistics"), QStringLiteral("Setting"),
                                            QStringLiteral("HomePage")};
    return identifiers;
}

QWidget *MainController::tabPage(const QString &identifier) const
{
    return viewOfIdentifier(tabviewMain, identifier);
}

QString MainController::currentTabIdentifier() const
{
    if (!tabviewMain || !tabviewMain->currentWidget())
        return {};
    return tabViewItemIdentifier(tabviewMain->currentWidget());
}

// --- building the windows --------------------------------------------------------------------

QWidget *MainController::buildCompleteWindow(const QString &title)
{
    auto *window = new QMainWindow;
    window->setObjectName(QStringLiteral("wndCompleteMain"));
    window->setWindowTitle(title);
    window->setAttribute(Qt::WA_DeleteOnClose, false);

    auto *central = new QWidget(window);
    central->setObjectName(QStringLiteral("viewMainContent"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *titleField = new QLabel(central);
    titleField->setObjectName(QStringLiteral("mainWinTitle"));
    titleField->setAlignment(Qt::AlignCenter);
    titleField->hide();
    layout->addWidget(titleField);
    mainWinTitleField_ = titleField;

    auto *tabTitle = new QLabel(central);
    tabTitle->setObjectName(QStringLiteral("lableTabviewTitle"));
    tabTitle->setContentsMargins(14, 8, 14, 8);
    tabTitle->setAutoFillBackground(true);
    QPalette band = tabTitle->palette();
    band.setColor(QPalette::Window, QColor(0x1c, 0x34, 0x56));
    band.setColor(QPalette::WindowText, Qt::white);
    tabTitle->setPalette(band);
    // A skin with an item for the title dresses it (font, text colour); otherwise the built-in look.
    if (!yovSkinManager() || !yovSkinManager()->registerController(tabTitle, QStringLiteral("lableTabviewTitle"), true)) {
        QFont font = tabTitle->font();
        font.setPixelSize(15);
        font.setBold(true);
        tabTitle->setFont(font);
    }
    layout->addWidget(tabTitle);
    textfieldTabviewItemTitle_ = tabTitle;

    if (!tabviewMain)
        tabviewMain = new QTabWidget(central);
    tabviewMain->setParent(central);
    tabviewMain->setObjectName(QStringLiteral("tabviewMain"));
    tabviewMain->tabBar()->hide(); // the toolbar switches the tabs
    tabviewMain->setDocumentMode(true);
    for (const QString &identifier : mainTabIdentifiers()) {
        if (tabPage(identifier))
            continue;
        auto *page = new QWidget;
        page->setObjectName(QStringLiteral("tabPage") + identifier);
        page->setStyleSheet(QStringLiteral("QWidget#tabPage%1 { background: #f6f8fb; }").arg(identifier));
        auto *item = new NSTabViewItem(identifier, page, tabviewMain);
        item->setLabel(tr_(identifier));
        setTabViewItemIdentifier(page, identifier);
        item->addToTabView(tabviewMain);
    }
    layout->addWidget(tabviewMain, 1);
    window->setCentralWidget(central);

    auto *status = new QStatusBar(window);
    status->setObjectName(QStringLiteral("wndMainStatusView"));
    status->setSizeGripEnabled(false);
    // The USSD button that stands in for the connect button in one operator layout (hidden
    // unless that layout asks for it).
    auto *ussd = new QPushButton(tr_(QStringLiteral("USSD1")), status);
    ussd->setObjectName(QStringLiteral("btnUSSDActive"));
    ussd->hide();
    ussd->setEnabled(false);
    connectAction(ussd, QStringLiteral("gotoUSSD:"));
    status->addWidget(ussd);
    btnUSSDActive_ = ussd;
    auto *broadcast = new QLabel(status);
    broadcast->setObjectName(QStringLiteral("labelBroadCast"));
    status->addWidget(broadcast, 1);
    labelBroadCast_ = broadcast;
    if (setting(QStringLiteral("LPMinfo"), QStringLiteral("hasLPMmode")).isValid()) {
        auto *lpm = new QCheckBox(status);
        lpm->setObjectName(QStringLiteral("btnLPMStatus"));
        lpm->setChecked(yov::nsBool(setting(QStringLiteral("LPMinfo"), QStringLiteral("hasLPMmode"))));
        status->addPermanentWidget(lpm);
        btnLPMStatus_ = lpm;
    }
    window->setStatusBar(status);

    buildMenus(window);
    window->resize(760, 540);
    window->setMinimumSize(560, 400);
    return window;
}

QWidget *MainController::buildSimpleWindow(const QString &title)
{
    auto *window = new QWidget(nullptr, Qt::Window);
    window->setObjectName(QStringLiteral("wndSimpleMain"));
    window->setWindowTitle(title);
    auto *layout = new QHBoxLayout(window);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(8);
    struct Cell {
        QPointer<QAbstractButton> *slot;
        const char *name;
        const char *image;
        const char *label;
        int tag;
    };
    const Cell cells[] = {
        {&matrixSms_, "matrixSms", "tbSMS", "SMS", 0},
        {&matrixPhoneBook_, "matrixPhoneBook", "tbPhonebook", "Phonebook", 1},
        {&matrixSet_, "matrixSet", "tbSetting", "Settings", 2},
        {&matrixHelp_, "matrixHelp", "tbHelp", "Help", 3},
        {&matrixRecord_, "matrixRecord", "tbDialRecord", "DialRecord", 4},
    };
    for (const Cell &cell : cells) {
        auto *button = new QToolButton(window);
        button->setObjectName(QString::fromLatin1(cell.name));
        button->setProperty("tag", cell.tag);
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRaise(true);
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        button->setText(tr_(QString::fromLatin1(cell.label)));
        const QImage image = namedImage(QString::fromLatin1(cell.image));
        if (!image.isNull()) {
            button->setIcon(QIcon(QPixmap::fromImage(image)));
            button->setIconSize(image.size());
        }
        connectAction(button, QStringLiteral("goBackToMainWnd:"));
        layout->addWidget(button);
        *cell.slot = button;
    }
    window->adjustSize();
    window->setFixedSize(window->sizeHint());
    return window;
}

// --- nib-time texts ----------------------------------------------------------------------------

void MainController::Init_mainWindow_nib()
{
    const QString title = tr_(QStringLiteral("Title"));
    if (wndCompleteMain_)
        wndCompleteMain_->setWindowTitle(title);
    if (wndSimpleMain_)
        wndSimpleMain_->setWindowTitle(title);
    if (btnLPMStatus_)
        btnLPMStatus_->setText(tr_(QStringLiteral("Low-power mode when minimized")));
    loadLinkButtonTitleWording();
    changeMainWinTitleFont();
}

void MainController::changeMainWinTitleFont()
{
    const QVariantMap font = yov::nsDict(setting(QStringLiteral("Main"), QStringLiteral("ChangeMainWinTitleFont")));
    if (font.isEmpty() || !mainWinTitleField_ || !wndCompleteMain_)
        return;
    // The window manager draws the title bar: the title goes into a centred field at the top of
    // the window, in the configured font, and the window title is left empty.
    QFont f(yov::nsString(font.value(QStringLiteral("FontName"))));
    const double size = yov::nsDouble(font.value(QStringLiteral("FontSize")));
    if (size > 0)
        f.setPointSizeF(size);
    mainWinTitleField_->setFont(f);
    mainWinTitleField_->setText(tr_(QStringLiteral("Title")));
    mainWinTitleField_->show();
    wndCompleteMain_->setWindowTitle(QString());
}

// --- tabs --------------------------------------------------------------------------------------

void MainController::tabViewChangeItemAction(QObject *sender)
{
    if (!sender)
        return;
    QString identifier = sender->property("itemIdentifier").toString();
    if (identifier.isEmpty())
        identifier = sender->objectName();
    notifyChangeTabViewItem(identifier);
}

void MainController::gotoSetting(QObject *) { notifyChangeTabViewItem(QStringLiteral("Setting")); }

void MainController::selectFirstMainTab()
{
    if (tabviewMain && tabviewMain->count() > 0)
        tabviewMain->setCurrentIndex(0);
}
void MainController::gotoPhonebook(QObject *) { notifyChangeTabViewItem(QStringLiteral("Phonebook")); }
void MainController::gotoInternet(QObject *) { notifyChangeTabViewItem(QStringLiteral("Internet")); }
void MainController::gotoSMS(QObject *) { notifyChangeTabViewItem(QStringLiteral("SMS")); }
void MainController::gotoDialRecord(QObject *) { notifyChangeTabViewItem(QStringLiteral("DialRecord")); }
void MainController::gotoCall(QObject *) { notifyChangeTabViewItem(QStringLiteral("Call")); }
void MainController::gotoUSSD(QObject *) { notifyChangeTabViewItem(QStringLiteral("USSD1")); }
void MainController::gotoHomePage(QObject *) { notifyChangeTabViewItem(QStringLiteral("HomePage")); }

void MainController::tabViewItemWillChange(const yov::Notification &notification)
{
    const QString identifier = yov::nsString(notification.userInfo.value(QStringLiteral("TabViewItemWillChange")));
    if (identifier.isEmpty())
        return;
    if (identifier == QLatin1String("HomePage")) {
        changeMainTabViewItemSize(identifier);
        showLocalWebUI();
    }
    if (textfieldTabviewItemTitle_)
        textfieldTabviewItemTitle_->setText(tr_(identifier + QStringLiteral("_TITLE")));
    // The toolbar shows which tab is on.
    for (const auto &item : toolbarItems_) {
        if (item && item->isCheckable())
            item->setChecked(item->objectName() == identifier);
    }
    updateUIForBraVuzod(identifier);
}

void MainController::simCardActivity(QObject *)
{
    notifyChangeTabViewItem(QStringLiteral("Call"));
    const QString number = yov::nsString(setting(QStringLiteral("Call"), QStringLiteral("ActivatingForSIM")));
    notificationCenter().post(notifications::kMakeCallWithPhoneNumber, this,
                              {{notifications::kMakeCallNumberKey, number}});
}

void MainController::tabViewChangeToCallAndMakeCall(QObject *)
{
    const QString number = yov::nsString(setting(QStringLiteral("Call"), QStringLiteral("phoneNumberToCall")));
    if (number.isEmpty())
        return;
    notifyChangeTabViewItem(QStringLiteral("Call"));
    notificationCenter().post(notifications::kMakeCallWithPhoneNumber, this,
                              {{notifications::kMakeCallNumberKey, number}});
}

void MainController::selectModule(int row)
{
    static const char *const rows[] = {"Connection", "Selection", "Preference", "Sounds",
                                       "Security",   "System",    "Update settings"};
    if (row < 0 || row > 6)
        return;
    selectTabViewbyIdentifier(QString::fromLatin1(rows[row]));
}

void MainController::selectTabViewbyIdentifier(const QString &identifier)
{
    if (auto *tabs = qobject_cast<QTabWidget *>(tabViewModuleTabSetting_.data())) {
        const int index = tabViewItemOfIdentifier(tabs, identifier);
        if (index >= 0)
            tabs->setCurrentIndex(index);
    }
    if (lableSettingTabViewTitle_)
        lableSettingTabViewTitle_->setText(tr_(identifier));
}

void MainController::showDialRecordAndSettingWindow(QObject *sender)
{
    const QString identifier = sender ? sender->property("itemIdentifier").toString() : QString();
    QWidget *window = identifier == QLatin1String("DialRecord") ? wndDialRecord_.data()
                      : identifier == QLatin1String("Settings") ? wndSetting_.data()
                                                                : nullptr;
    if (!window)
        return;
    const QPointF origin = Neighbours::sms().centerTheNewSMSArriveWnd(QSizeF(window->size()));
    window->move(origin.toPoint());
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    window->show();
    window->raise();
    if (wndMain)
        wndMain->hide();
}

void MainController::closeAllWindow(QObject *sender)
{
    if (auto *widget = qobject_cast<QWidget *>(sender))
        widget->window()->hide();
    if (wndMain) {
        wndMain->show();
        wndMain->raise();
    }
}

void MainController::loadSimpleModeWording()
{
    const std::pair<QAbstractButton *, const char *> tips[] = {
        {matrixSms_, "SMS"}, {matrixPhoneBook_, "Phonebook"}, {matrixSet_, "Settings"},
        {matrixHelp_, "Help"}, {matrixRecord_, "DialRecord"}};
    for (const auto &[button, text] : tips) {
        if (!button)
            continue;
        button->setToolTip(tr_(QString::fromLatin1(text)));
        button->setText(tr_(QString::fromLatin1(text)));
    }
}

// --- window modes ------------------------------------------------------------------------------

QRect MainController::frameKeepingTopEdge(const QRect &current, const QSize &target)
{
    return QRect(current.topLeft(), target);
}

QRect MainController::getCompleteFrame() const
{
    const QRect current = wndMain ? wndMain->geometry() : QRect();
    return frameKeepingTopEdge(current, rectOfwndMain_.size());
}

QRect MainController::getSimpleFrame() const
{
    const QRect current = wndMain ? wndMain->geometry() : QRect();
    return frameKeepingTopEdge(current, rectOfWndSimpleMain_.size());
}

void MainController::switchToCompleteUI()
{
    if (!wndCompleteMain_)
        return;
    rectOfCurrentWnd_ = getCompleteFrame();
    switchingMode_ = true;
    if (wndSimpleMain_)
        wndSimpleMain_->hide();
    wndCompleteMain_->setGeometry(rectOfCurrentWnd_);
    wndCompleteMain_->showNormal();
    wndCompleteMain_->raise();
    switchingMode_ = false;
    wndMain = wndCompleteMain_;
}

void MainController::switchToSimPleUI()
{
    if (!wndSimpleMain_)
        return;
    rectOfCurrentWnd_ = getSimpleFrame();
    switchingMode_ = true;
    if (wndCompleteMain_)
        wndCompleteMain_->hide();
    wndSimpleMain_->setWindowTitle(tr_(QStringLiteral("Title")));
    wndSimpleMain_->setGeometry(rectOfCurrentWnd_);
    wndSimpleMain_->showNormal();
    wndSimpleMain_->raise();
    switchingMode_ = false;
    wndMain = wndSimpleMain_;
}

void MainController::postMainWindowChanged()
{
    QVariantMap info;
    info.insert(QStringLiteral("window"), QVariant::fromValue<QObject *>(wndMain.data()));
    notificationCenter().post(QStringLiteral("MainwindOfAppChanged"), nullptr, info);
}

bool MainController::windowWillUseStandardFrame(QWidget *window)
{
    if (!window)
        return false;
    if (window == wndCompleteMain_.data()) {
        switchToModel(SimpleModel);
        return true;
    }
    if (window == wndSimpleMain_.data()) {
        switchToModel(CompleteModel);
        return true;
    }
    return false;
}

// Turns the other main window into the given one (complete or simple), announces it and stores
// the mode.
void MainController::switchToModel(int model)
{
    if (model == CompleteModel)
        switchToCompleteUI();
    else
        switchToSimPleUI();
    postMainWindowChanged();
    storeUIModel(model);
}

void MainController::storeUIModel(int model)
{
    configService().saveCurrentUIModel(model);
    modePrev = modeCurrent = model;
}

void MainController::menuCompleteModelClicked(QObject *)
{
    menuModelClicked(CompleteModel);
}

void MainController::menuSimpleModelClicked(QObject *)
{
    menuModelClicked(SimpleModel);
}

// The window-mode menu items: from the miniaturised mode the window of the earlier mode comes back
// first and then turns into the chosen one; otherwise the other window turns into it.
void MainController::menuModelClicked(int model)
{
    if (!configService().doNotCloseApp() || wndFlag != 1)
        return;
    if (configService().getUIModelConfig() == MiniaturizedModel) {
        const int earlier = modePrev == CompleteModel ? CompleteModel : SimpleModel;
        wndMain = earlier == CompleteModel ? wndCompleteMain_ : wndSimpleMain_;
        centerAndShow(wndMain);
        if (earlier != model) {
            if (model == CompleteModel)
                switchToCompleteUI();
            else
                switchToSimPleUI();
        }
        postMainWindowChanged();
        storeUIModel(model);
    } else if (wndMain == (model == CompleteModel ? wndSimpleMain_ : wndCompleteMain_)) {
        switchToModel(model);
    } else {
        storeUIModel(model);
    }
}

void MainController::menuMinimizedModelClicked(QObject *)
{
    if (!configService().doNotCloseApp() || wndFlag != 1)
        return;
    modePrev = modeCurrent;
    if (wndMain)
        wndMain->showMinimized();
}

void MainController::goBackToMainWnd(QObject *sender)
{
    goBackToMainWndWithTag(sender ? sender->property("tag").toInt() : -1);
}

void MainController::goBackToMainWndWithTag(int tag)
{
    if (wndMain != wndSimpleMain_ || !wndSimpleMain_)
        return;
    if (configService().getUIModelConfig() != MiniaturizedModel) {
        switchToModel(CompleteModel);
    }
    switch (tag) {
    case 0: gotoSMS(nullptr); break;
    case 1: gotoPhonebook(nullptr); break;
    case 2: gotoSetting(nullptr); break;
    case 3: tbiMainHelpAction(nullptr); break;
    case 4: gotoDialRecord(nullptr); break;
    default: break;
    }
}

void MainController::minimizeMainWindow(QObject *)
{
    if (wndMain)
        wndMain->showMinimized();
}

void MainController::minimizeWindow(QObject *sender)
{
    if (auto *widget = qobject_cast<QWidget *>(sender))
        widget->window()->showMinimized();
}

void MainController::zoomMainWindow(QObject *sender)
{
    if (sender)
        bringMinimisedMainWindowBack();
}

void MainController::openMainWindow()
{
    if (yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("OpenMainWindow"))))
        bringMinimisedMainWindowBack();
}

void MainController::bringMinimisedMainWindowBack()
{
    if (wndMain && wndMain->isMinimized()) {
        wndMain->showNormal();
        wndMain->raise();
        wndMain->activateWindow();
    }
}

void MainController::miniaturizeMainWindowWhenConnectSucced()
{
    if (yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("MainForm_miniaturizeWindowAtConnectSucced"))) &&
        wndMain)
        wndMain->showMinimized();
}

bool MainController::handleWindowStateChange(QWidget *window, QEvent *event)
{
    if (switchingMode_ || (window != wndCompleteMain_.data() && window != wndSimpleMain_.data()))
        return false;
    const auto *change = static_cast<QWindowStateChangeEvent *>(event);
    const Qt::WindowStates now = window->windowState();
    const Qt::WindowStates before = change->oldState();
    if ((now & Qt::WindowMaximized) && !(before & Qt::WindowMaximized)) {
        // The zoom button switches between the complete and the simple window.
        QTimer::singleShot(0, this, [this, w = QPointer<QWidget>(window)] {
            if (!w)
                return;
            w->setWindowState(w->windowState() & ~Qt::WindowMaximized);
            windowWillUseStandardFrame(w);
        });
        return false;
    }
    if ((now & Qt::WindowMinimized) && !(before & Qt::WindowMinimized)) {
        windowWillMiniaturize(window);
        windowDidMiniaturize(window);
    } else if (!(now & Qt::WindowMinimized) && (before & Qt::WindowMinimized)) {
        windowDidDeminiaturize(window);
    }
    return false;
}

// --- home page ---------------------------------------------------------------------------------

QString MainController::localWebUIPath() const
{
    return QDir(resourcesFolder()).filePath(QStringLiteral("index.html"));
}

void MainController::showLocalWebUI()
{
    if (!webViewForShowLocalWebUI_) {
        QWidget *page = tabPage(QStringLiteral("HomePage"));
        if (!page || !QFileInfo(localWebUIPath()).isFile())
            return;
        WebView *view = WebViewUtilities::createWebView(page);
        view->setObjectName(QStringLiteral("webViewForShowLocalWebUI"));
        auto *layout = page->layout() ? page->layout() : new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(view);
        webViewForShowLocalWebUI_ = view;
    }
    refreshWebView();
}

void MainController::refreshWebView()
{
    if (!webViewForShowLocalWebUI_ && !webViewInHomePage_)
        return;
    const QString page = localWebUIPath();
    if (!QFileInfo(page).isFile()) {
        qCInfo(lcMainController).noquote() << "no home page at" << page << ": the web view stays empty";
        return;
    }
    WebView *home = webViewForShowLocalWebUI_ ? webViewForShowLocalWebUI_.data() : webViewInHomePage_.data();
    WebViewUtilities::sharedManager()->LoadURL(page, home);
}

// --- drawer, tray, call items, sheets ------------------------------------------------------------

void MainController::initDrawerProperty()
{
    if (!wndCompleteMain_)
        return;
    if (!drawerLink) {
        drawerLink = new Drawer(QSizeF(328, 413), wndCompleteMain_);
        drawerLink->setObjectName(QStringLiteral("drawerLink"));
        auto *content = new QWidget(drawerLink);
        content->setObjectName(QStringLiteral("viewDrawerLinks"));
        buildDrawerLinkButtons(content);
        drawerLink->setContentView(content);
        viewDrawerLinks_ = content;
        loadLinkButtonTitleWording();
    }
    drawerLink->setParentWindow(wndCompleteMain_);
    drawerLink->setContentSize(QSizeF(328, 413));
    drawerLink->setMinContentSize(QSizeF(328, 413));
    drawerLink->setMaxContentSize(QSizeF(400, 413));
    drawerLink->setLeadingOffset(60);
    drawerLink->setTrailingOffset(30);
}

void MainController::changeDrawerState(QObject *)
{
    // The skin's drawer when the skin made one, else the link drawer.
    Drawer *drawer = drawerMain ? drawerMain.data() : drawerLink.data();
    if (!drawer)
        return;
    if (drawer->isOpen()) {
        drawer->close();
        if (yovSkinManager())
            yovSkinManager()->setImageForKey(QStringLiteral("btnDrawer"), QStringLiteral("Right"), true);
    } else {
        drawer->open();
        if (yovSkinManager())
            yovSkinManager()->setImageForKey(QStringLiteral("btnDrawer"), QStringLiteral("Left"), true);
    }
}

void MainController::initSysStatusBarItem()
{
    if (!yov::nsBool(setting(QStringLiteral("NeedSystemStatusItem"))) || viewSysStatusItem_)
        return;
    auto *view = new StatusBarView(nullptr, clock());
    view->setObjectName(QStringLiteral("viewSysStatusItem"));
    view->setImageProvider([this](const QString &name) { return namedImage(name); });
    const QImage image = namedImage(QStringLiteral("SysStatusItem.PNG"));
    if (!image.isNull()) {
        if (!menuSysStatusItem_) {
            auto *menu = new QMenu;
            menu->setObjectName(QStringLiteral("menuSysStatusItem"));
            QAction *open = menu->addAction(tr_(QStringLiteral("Open")));
            QObject::connect(open, &QAction::triggered, this, [this] { applicationShouldHandleReopen(true); });
            menu->addSeparator();
            QAction *quit = menu->addAction(tr_(QStringLiteral("Quit")));
            connectAction(quit, QStringLiteral("closeApp:"));
            menuSysStatusItem_ = menu;
        }
        view->setImage(image);
        view->setMenu(menuSysStatusItem_);
    }
    // Without a tray on the desktop the view stays unseen: nothing else depends on it.
    if (!view->statusItem())
        qCInfo(lcMainController) << "the desktop has no system tray: no status item";
    viewSysStatusItem_ = view;
}

void MainController::initCallMenuItemSel()
{
    selOfAcceptMenuItem = QStringLiteral("selectDialCallStyle:");
    selOfRejectMenuItem = QStringLiteral("hangClicked:");
    setCallMenuItemEnable(0, 1, 0, 1);
}

void MainController::setCallMenuItemEnable(int acceptState, int ifSetAccept, int rejectState, int ifSetReject)
{
    auto apply = [this](QAction *item, bool on, bool accept) {
        if (!item)
            return;
        QObject::disconnect(item, &QAction::triggered, this, nullptr);
        item->setEnabled(on);
        if (!on)
            return;
        QObject::connect(item, &QAction::triggered, this, [accept, item] {
            if (accept)
                Neighbours::call().selectDialCallStyle(item);
            else
                Neighbours::call().hangClicked(item);
        });
    };
    if (ifSetAccept == 1)
        apply(acceptMenuItem, acceptState != 0, true);
    if (ifSetReject == 1)
        apply(rejectMenuItem, rejectState != 0, false);
}

QRect MainController::willPositionSheet(QWidget *window, const QRect &rect) const
{
    Q_UNUSED(window)
    QRect result = rect;
    if (yovSkinManager() && yovSkinManager()->hasKey(QStringLiteral("wndMainTitlebar"))) {
        if (auto *titlebar = qobject_cast<QWidget *>(yovSkinManager()->controllerByKey(QStringLiteral("wndMainTitlebar"))))
            result.translate(0, titlebar->height());
    }
    return result;
}

void MainController::maybeTakeScreenshot()
{
    const QString path = qEnvironmentVariable("OSTREL_SCREENSHOT");
    if (path.isEmpty() || screenshotTaken_ || !wndMain)
        return;
    screenshotTaken_ = true;
    QTimer::singleShot(1500, this, [this, path] {
        if (!wndMain)
            return;
        if (!wndMain->grab().save(path))
            qCWarning(lcMainController).noquote() << "the screenshot could not be saved:" << path;
    });
}

// --- the windows of the simple mode ------------------------------------------------------------

void MainController::buildSimpleModeWindows()
{
    if (!wndSetting_) {
        // The settings window of the simple mode: the modules on the left, their pages on the
        // right (each an empty page until the settings area fills it).
        auto *window = new QWidget(nullptr, Qt::Window);
        window->setObjectName(QStringLiteral("wndOfSetting"));
        window->setWindowTitle(tr_(QStringLiteral("Settings")));
        auto *layout = new QGridLayout(window);
        auto *modules = new QListWidget(window);
        modules->setObjectName(QStringLiteral("tableSettingModules"));
        auto *title = new QLabel(window);
        title->setObjectName(QStringLiteral("lableSettingTabViewTitle"));
        auto *tabs = new QTabWidget(window);
        tabs->setObjectName(QStringLiteral("tabViewModuleTabSetting"));
        tabs->tabBar()->hide();
        for (const QString &module : settingModuleIdentifiers()) {
            modules->addItem(tr_(module));
            auto *page = new QWidget;
            page->setObjectName(QStringLiteral("settingPage") + QString(module).remove(QLatin1Char(' ')));
            setTabViewItemIdentifier(page, module);
            tabs->addTab(page, tr_(module));
        }
        modules->setFixedWidth(170);
        QObject::connect(modules, &QListWidget::currentRowChanged, this, [this](int row) { selectModule(row); });
        auto *close = new QPushButton(tr_(QStringLiteral("Close")), window);
        close->setObjectName(QStringLiteral("btnCloseSetting"));
        connectAction(close, QStringLiteral("closeAllWindow:"));
        layout->addWidget(modules, 0, 0, 2, 1);
        layout->addWidget(title, 0, 1);
        layout->addWidget(tabs, 1, 1);
        layout->addWidget(close, 2, 1, Qt::AlignRight);
        window->resize(620, 420);
        wndSetting_ = window;
        tabViewModuleTabSetting_ = tabs;
        lableSettingTabViewTitle_ = title;
        modules->setCurrentRow(0);
    }
    if (!wndDialRecord_) {
        // The records window of the simple mode: the records area fills its page.
        auto *window = new QWidget(nullptr, Qt::Window);
        window->setObjectName(QStringLiteral("wndOfdialRecord"));
        window->setWindowTitle(tr_(QStringLiteral("DialRecord_TITLE")));
        auto *layout = new QVBoxLayout(window);
        auto *page = new QWidget(window);
        page->setObjectName(QStringLiteral("viewOfdialRecord"));
        layout->addWidget(page, 1);
        auto *close = new QPushButton(tr_(QStringLiteral("Close")), window);
        close->setObjectName(QStringLiteral("btnCloseDialRecord"));
        connectAction(close, QStringLiteral("closeAllWindow:"));
        layout->addWidget(close, 0, Qt::AlignRight);
        window->resize(620, 420);
        wndDialRecord_ = window;
    }
}

const QStringList &MainController::settingModuleIdentifiers()
{
    static const QStringList modules = {QStringLiteral("Connection"), QStringLiteral("Selection"),
                                        QStringLiteral("Preference"), QStringLiteral("Sounds"),
                                        QStringLiteral("Security"),   QStringLiteral("System"),
                                        QStringLiteral("Update settings")};
    return modules;
}

// --- skin entries of the main window -----------------------------------------------------------

namespace {

// The skin item's picture as the background of a widget laid out by Qt (its frame stays the
// layout's).
void dressWithItemImage(SkinManagerAccess *skin, QWidget *widget, const QString &key)
{
    auto *manager = skin ? qobject_cast<UIManager *>(skin->managerObject()) : nullptr;
    if (!manager || !widget)
        return;
    const QImage image = manager->itemImage(widget, key);
    if (image.isNull())
        return;
    QPalette palette = widget->palette();
    palette.setBrush(QPalette::Window, QBrush(image.scaled(widget->size().expandedTo(image.size()))));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

} // namespace

void MainController::dressWithSkinImage(QWidget *widget, const QString &key)
{
    dressWithItemImage(yovSkinManager(), widget, key);
}

void MainController::applyMainWindowSkin()
{
    SkinManagerAccess *skin = yovSkinManager();
    auto *window = qobject_cast<QMainWindow *>(wndCompleteMain_.data());
    // A skin dresses the main window when it brings the window's own toolbar view; any other
    // skin (the default one among them) leaves the window its native look.
    if (!skin || !window || !skin->hasKey(QStringLiteral("wndMainToolbar")))
        return;
    QWidget *central = window->centralWidget();
    auto *layout = central ? qobject_cast<QVBoxLayout *>(central->layout()) : nullptr;
    if (!layout)
        return;
    if (!skinToolbarView_) {
        if (QWidget *view = createNSViewExtByKey(QStringLiteral("wndMainToolbar"), central)) {
            view->setMinimumHeight(view->height());
            layout->insertWidget(0, view);
            skinToolbarView_ = view;
            rebuildSkinToolbarButtons();
        }
    }
    const std::pair<QWidget *, const char *> parts[] = {
        {central, "wndMain"},
        {mainWinTitleField_, "wndMainTitlebar"},
        {tabviewMain, "wndMainTabview"},
        {window->statusBar(), "wndMainStatusView"},
        {labelBroadCast_, "labelBroadCast"},
    };
    for (const auto &[widget, key] : parts) {
        const QString name = QString::fromLatin1(key);
        if (!widget || !skin->hasKey(name))
            continue;
        skin->registerController(widget, name, true);
        dressWithItemImage(skin, widget, name);
        if (widget == mainWinTitleField_.data())
            widget->show();
    }
    if (tabviewMain && skin->hasKey(QStringLiteral("wndMainTabviewBack")))
        dressWithItemImage(skin, tabviewMain, QStringLiteral("wndMainTabviewBack"));
    notifyChangeTabViewItem(QStringLiteral("Internet"));
}

void MainController::rebuildSkinToolbarButtons()
{
    if (!skinToolbarView_)
        return;
    for (QAbstractButton *button : skinToolbarView_->findChildren<QAbstractButton *>(QString(), Qt::FindDirectChildrenOnly))
        delete button;
    initializeBtnsOfView(skinToolbarView_, QStringLiteral("ToolbarItems"));
}

// --- broadcast messages and moves ----------------------------------------------------------------

QString MainController::broadcastMessage() const { return labelBroadCast_ ? labelBroadCast_->text() : QString(); }

void MainController::windowDidMove(QWidget *window)
{
    Neighbours::mms().windowDidMove(window);
}

} // namespace ostrel
