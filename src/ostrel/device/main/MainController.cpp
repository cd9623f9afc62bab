// MainController: creation, nib-time set-up and the launch road.
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/ServiceProviderCodeWindow.h"
#include "ostrel/device/main/UserRegistrationSheet.h"

#include "common/InstallLayout.h"
#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/update/AEMessage.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/framework/widgets/StatusBarView.h"
#include "ostrel/framework/controller/Drawer.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/widgets/NSViewExt.h"
#include "ostrel/framework/widgets/NSWindowExt.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMainWindow>
#include <QPixmap>
#include <QScreen>
#include <QTabWidget>
#include <QThread>
#include <QVBoxLayout>

Q_LOGGING_CATEGORY(lcMainController, "ostrel.main")

namespace ostrel {

namespace {

MainController *g_mainController = nullptr;

QString localized(const QString &english) { return Map_Name_Item_of_IndexString(english); }

} // namespace

MainController::MainController(QObject *parent) : YOVUIController(parent) { init(); }

MainController::MainController(const ControllerContext &context, QObject *parent)
    : YOVUIController(context, parent)
{
    init();
}

MainController::~MainController()
{
    if (g_mainController == this)
        g_mainController = nullptr;
    if (&Neighbours::main() == this)
        Neighbours::setMain(nullptr);
    if (&Neighbours::spCodeWindow() == spCodeWindow_.get())
        Neighbours::setSpCodeWindow(nullptr);
    if (&Neighbours::registrationSheet() == registrationSheet_.get())
        Neighbours::setRegistrationSheet(nullptr);
    frameTimer_.reset();
    if (singleFrameEndId_)
        clock().cancel(singleFrameEndId_);
    releaseTimerCheckLPM();
    if (endSheetTimer_)
        clock().cancel(endSheetTimer_);
    if (serviceRestartTimer_)
        clock().cancel(serviceRestartTimer_);
    delete viewSysStatusItem_.data();
    delete menuSysStatusItem_.data();
    delete drawerLink.data();
    delete devStateNotice_.data();
    // The windows have no parent: they are this controller's.
    delete wndCloseForDidizu_.data();
    delete wndStartup_.data();
    delete wndWelcom_.data();
    delete wndSetting_.data();
    delete wndDialRecord_.data();
    if (wndSimpleMain_ != wndCompleteMain_)
        delete wndSimpleMain_.data();
    delete wndCompleteMain_.data();
}

MainController *MainController::g_MainController() { return g_mainController; }

void MainController::init()
{
    g_mainController = this;
    Neighbours::setMain(this);
    bWinWillClose_ = false;
    openURLWithAlertClicked_ = false;
    mainWinTitle_.clear();
    isSendingUserInfo_ = false;
    setRuntimeObject(false, QStringLiteral("IsConnectBtnEnable"));
    blocker_ = [](int ms) { QThread::msleep(ulong(ms)); };
    terminator_ = [] { QCoreApplication::exit(0); };
    exiter_ = [](int status) { QCoreApplication::exit(status); };
    spCodeWindow_ = std::make_unique<ServiceProviderCodeWindow>(*this);
    Neighbours::setSpCodeWindow(spCodeWindow_.get());
    registrationSheet_ = std::make_unique<UserRegistrationSheet>(*this);
    Neighbours::setRegistrationSheet(registrationSheet_.get());
}

ConfigService &MainController::configService() const
{
    if (!configService_)
        const_cast<MainController *>(this)->configService_ = std::make_unique<ConfigService>(&config());
    return *configService_;
}

QString MainController::resourcesFolder() const
{
    return resourcesFolder_.isEmpty() ? ResourcePaths::resourcesPath() : resourcesFolder_;
}

void MainController::block(int ms)
{
    if (blocker_)
        blocker_(ms);
}

// --- nib time ------------------------------------------------------------------------------

void MainController::initializeNibResources()
{
    buildDefaultWindows();
    Init_mainWindow_nib();
    Init_UIMenu();
    if (yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("LinkButton"))))
        initDrawerProperty();
    prepareStartupWin();
    if (&Neighbours::spCodeWindow() == spCodeWindow_.get())
        spCodeWindow_->initCheckSPCodeWin(wndMain);
    // The skin's drawer (UIConfig/DrawerInfoDict) with its DrawerItems buttons, beside wndMain.
    initializeDrawer();
    setToolbarEnableWhenSimDetected(false);
    if (wndMain) {
        if (QScreen *screen = QGuiApplication::primaryScreen()) {
            QRect frame = wndMain->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            wndMain->move(frame.topLeft());
        }
    }
    initSysStatusBarItem();
    initCallMenuItemSel();
    const bool alternativeSkin = (skinKind_ == SkinKind::Mini && initializeMiniSkin())
                                 || (skinKind_ == SkinKind::Smart && initializeSmartSkin());
    if (!alternativeSkin) {
        skinKind_ = SkinKind::Normal;
        applyMainWindowSkin();
    }
}

void MainController::registerMessages()
{
    if (YOVMsgCenter *center = yovMsgCenter())
        QObject::connect(center, &YOVMsgCenter::msgServerLost, this, &MainController::deviceServiceLost,
                         Qt::UniqueConnection);
    notificationCenter().addObserver(this, notifications::kReceiveBroadCast, nullptr,
                                     [this](const yov::Notification &n) { receiveSMSBroadCast(n); });
    notificationCenter().addObserver(this, QStringLiteral("LoadImageFormURLOver"), nullptr,
                                     [this](const yov::Notification &) { refreshWebView(); });
    static const NotificationTableRow table[] = {
        {"updateStkTooltip:", "UpdateStkToolTip"},
        {"changeMainWindowOfApp:", "MainwindOfAppChanged"},
        {nullptr, nullptr},
    };
    registerNotification(table);
}

void MainController::initializeController()
{
    // The mini and smart windows carry their own buttons.
    if (skinKind_ == SkinKind::Normal
        && (!yovSkinManager() || !yovSkinManager()->hasKey(QStringLiteral("wndMainToolbar"))))
        loadToolBar();
    if (yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("TooBarEnableBySimStatus")))) {
        toolbarSetEnable(false);
    } else {
        toolbarSetEnable(true);
        setToolbarEnableWhenSimDetected(false);
    }
    disableUSSDToolbarForMalaixiya();
    if (wndCompleteMain_)
        rectOfwndMain_ = wndCompleteMain_->geometry();
    if (wndSimpleMain_)
        rectOfWndSimpleMain_ = wndSimpleMain_->geometry();
    // The status item shows the new-message animation for messages left unread.
    freshStatusViewWhenInitialController();
    toolbarSetItemEnable(false, QStringLiteral("RECHARGE"));
    installOperatorLinkLabels();
    loadKyivstarButtonToolTip();
    registerHelpFileMenuItems();
    // The tab on show gets its title and its toolbar item now: the tab notifications are
    // observed only from the end of the wake-up.
    yov::Notification note;
    note.userInfo.insert(QStringLiteral("TabViewItemWillChange"), currentTabIdentifier());
    tabViewItemWillChange(note);
}

void MainController::updateLanguages()
{
    resetToolBar();
    Init_mainWindow_nib();
    Init_UIMenu();
    loadSimpleModeWording();
    if (yov::nsBool(setting(QStringLiteral("ProviderLogoLocalize"))))
        resetProviderLogoImage(customLogoToolbarItem_);
    if (textfieldTabviewItemTitle_ && !currentTabIdentifier().isEmpty())
        textfieldTabviewItemTitle_->setText(localized(currentTabIdentifier() + QStringLiteral("_TITLE")));
    for (const char *key : {"ToolbarItems", "DrawerItems", "TitlebarItems", "RightbarItems"})
        updateLanguagesOfDynamicItem(QString::fromLatin1(key));
}

void MainController::buildDefaultWindows()
{
    const QString title = QCoreApplication::applicationName().isEmpty() ? QStringLiteral("Ostrel")
                                                                        : QCoreApplication::applicationName();
    if (!wndCompleteMain_)
        wndCompleteMain_ = buildCompleteWindow(title);
    if (!wndSimpleMain_)
        wndSimpleMain_ = buildSimpleWindow(title);
    if (!wndMain)
        wndMain = wndCompleteMain_;
    watchWindowClose(wndCompleteMain_);
    watchWindowClose(wndSimpleMain_);
    buildSimpleModeWindows();

    // The application's icon, on every window and in the desktop's task switcher.
    const QImage icon = namedImage(QStringLiteral("AppIcon"));
    if (!icon.isNull()) {
        const QIcon windowIcon(QPixmap::fromImage(icon));
        QApplication::setWindowIcon(windowIcon);
        for (QWidget *window : {wndCompleteMain_.data(), wndSimpleMain_.data()})
            if (window)
                window->setWindowIcon(windowIcon);
    }

    // The welcome window, when the skin has one: its picture, on top of the main window, closed
    // by the user.
    if (!wndWelcom_ && yovSkinManager() && yovSkinManager()->hasKey(QStringLiteral("wndWelcom"))) {
        auto *welcome = new NSWindow(nullptr, Qt::Dialog | Qt::WindowStaysOnTopHint);
        welcome->setObjectName(QStringLiteral("wndWelcom"));
        welcome->setAttribute(Qt::WA_DeleteOnClose, false);
        welcome->setContentView(new NSViewExt);
        if (yovSkinManager()->registerController(welcome, QStringLiteral("wndWelcom"), true)) {
            if (QWidget *content = welcome->contentView(); content && !content->size().isEmpty())
                welcome->setFixedSize(content->size());
            welcome->setWindowTitle(localized(QStringLiteral("Title")));
            wndWelcom_ = welcome;
        } else {
            delete welcome;
        }
    }

    if (!wndStartup_) {
        auto *splash = new QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint);
        splash->setObjectName(QStringLiteral("wndStartup"));
        auto *layout = new QVBoxLayout(splash);
        layout->setContentsMargins(0, 0, 0, 0);
        imageViewStartup_ = new QLabel(splash);
        tfdStartWndInfo_ = new QLabel(splash);
        tfdSoftwareVersionAlias_ = new QLabel(splash);
        tfdSoftwareVersionAlias_->setObjectName(QStringLiteral("tfdSoftwareVersionAlias"));
        layout->addWidget(imageViewStartup_, 1);
        layout->addWidget(tfdStartWndInfo_);
        layout->addWidget(tfdSoftwareVersionAlias_);
        wndStartup_ = splash;
    }
}

void MainController::watchWindowClose(QWidget *window)
{
    if (window)
        window->installEventFilter(this);
}

void MainController::centerAndShow(QWidget *window)
{
    if (!window)
        return;
    if (QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
    window->showNormal();
    window->raise();
    window->activateWindow();
}

void MainController::prepareStartupWin()
{
    const QVariantMap info = configService().getStartupInfo();
    auto dropSplash = [this] {
        if (wndStartup_) {
            wndStartup_->close();
            wndStartup_->deleteLater();
        }
        wndStartup_ = nullptr;
        imageArray_.clear();
    };
    if (info.isEmpty()) {
        dropSplash();
        return;
    }
    imageCount_ = qMax(0, yov::nsInt(info.value(QStringLiteral("ImageCount"))));
    imageArray_.clear();
    const QString folderName = yov::nsString(info.value(QStringLiteral("DicName")));
    QStringList paths;
    if (!folderName.isEmpty()) {
        const QString folder = QDir(resourcesFolder()).filePath(folderName);
        for (int i = 1; i <= imageCount_; ++i)
            paths << folder + QStringLiteral("/%1.png").arg(i);
    } else {
        imageCount_ = 1;
        paths << QDir(resourcesFolder()).filePath(QStringLiteral("Startup.PNG"));
    }
    for (const QString &path : paths) {
        QImage image(path);
        if (image.isNull()) {
            qCWarning(lcMainController).noquote() << "start-up frame missing or unreadable:" << path << "- no splash";
            dropSplash();
            imageCount_ = 0;
            return;
        }
        imageArray_ << image;
    }
    const QString info_ = yov::nsString(info.value(QStringLiteral("StartWndInfo")));
    if (!info_.isEmpty() && tfdStartWndInfo_)
        tfdStartWndInfo_->setText(localized(info_));
    if (wndMain)
        wndMain->setWindowOpacity(0.0);
    if (wndStartup_ && !imageArray_.isEmpty()) {
        const QSize size = imageArray_.last().size();
        if (imageViewStartup_)
            imageViewStartup_->setFixedSize(size);
        wndStartup_->adjustSize();
    }
}

// --- launch --------------------------------------------------------------------------------

void MainController::applicationWillFinishLaunching()
{
    if (!configService().getStartupInfo().isEmpty()) {
        setDiagSoftwareVersionString(tfdSoftwareVersionAlias_);
        beginStartupWin();
    } else if (yov::nsBool(setting(QStringLiteral("CheckSPCode")))) {
        QPointer<MainController> self(this);
        Neighbours::spCodeWindow().openCheckSPCodeWindow(wndMain, [self] {
            if (self)
                self->runDatacard();
        });
    } else {
        runDatacard();
    }
    miniaturizeMainWindowWhenAppFinishLaunching();
}

void MainController::setDiagSoftwareVersionString(QLabel *field)
{
    if (!field || !configService().startupWindowControlGetSoftwareVersionString())
        return;
    const QString version = softwareVersion_.isEmpty() ? QCoreApplication::applicationVersion() : softwareVersion_;
    if (!version.isEmpty())
        field->setText(version);
}

void MainController::beginStartupWin()
{
    if (configService().getStartupInfo().isEmpty())
        return;
    if (!wndStartup_) {
        endStartupWin();
        return;
    }
    splashDelayTime_ = configService().getStartupViewDelayTime();
    splashRunning_ = true;
    wndStartup_->setWindowOpacity(1.0);
    centerAndShow(wndStartup_);

    if (imageCount_ >= 2) {
        // DelayTime is frames per second; 0 (or nonsense) plays 100 frames per second.
        const double rate = splashDelayTime_ > 0 ? splashDelayTime_ : 100.0;
        const int intervalMs = qMax(1, int(1000.0 / rate + 0.5));
        frameTimer_ = std::make_unique<yov::RepeatingTimer>(clock(), this, [this] { refreshImage(); });
        frameTimer_->start(intervalMs);
        return;
    }
    // One frame: it stays DelayTime seconds.
    const QImage frame = imageArray_.value(0);
    int delayMs = 0;
    if (!frame.isNull()) {
        if (imageViewStartup_)
            imageViewStartup_->setPixmap(QPixmap::fromImage(frame));
        wndStartup_->update();
        emit splashFrameShown(0);
        delayMs = splashDelayTime_ > 0 ? int(splashDelayTime_ * 1000.0 + 0.5) : 0;
    }
    singleFrameEndId_ = clock().schedule(delayMs, this, [this] {
        singleFrameEndId_ = 0;
        endStartupWin();
    });
}

void MainController::refreshImage()
{
    if (!splashRunning_ || imageCount_ <= 0)
        return;
    const int n = frameCounter_;
    const int index = n % imageCount_;
    const QImage frame = imageArray_.value(index);
    const int displayCount = configService().getDisplayStartupFlashTimes();
    if (qint64(displayCount) * imageCount_ <= n || frame.isNull()) {
        if (frameTimer_)
            frameTimer_->stop();
        clock().schedule(0, this, [this] { endStartupWin(); });
        return;
    }
    if (imageViewStartup_)
        imageViewStartup_->setPixmap(QPixmap::fromImage(frame));
    if (wndStartup_)
        wndStartup_->update();
    ++frameCounter_;
    emit splashFrameShown(index);
}

void MainController::endStartupWin()
{
    if (datacardRan_)
        return; // the splash ends once
    splashRunning_ = false;
    frameTimer_.reset();
    imageArray_.clear();
    if (wndStartup_) {
        wndStartup_->close();
        wndStartup_->deleteLater();
    }
    wndStartup_ = nullptr;
    if (wndMain)
        wndMain->setWindowOpacity(1.0);
    emit splashEnded();
    runDatacard();
}

void MainController::runDatacard()
{
    if (datacardRan_)
        return;
    datacardRan_ = true;

    if (yov::nsBool(setting(QStringLiteral("IconChangeWithConnected")))) {
        const QImage icon = ResourcePaths::applicationImage(QStringLiteral("unConnectIcons"));
        if (!icon.isNull())
            QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    }
    AEMessage *update = aeMessage_ ? aeMessage_ : AEMessage::defaultAEMessage();
    if (update && update->isSupportUpdate())
        update->ApplicationFinishLaunchHook();
    notifyChangeLanguage();
    notifyAppReady();
    if (YOVMsgCenter *center = yovMsgCenter()) {
        center->stopMsgServer();
        if (!center->startMsgServer())
            qCWarning(lcMainController).noquote() << "the device service could not be started:"
                                                  << center->msgServerPath();
    }
    const QVariant acceptMouse = setting(QStringLiteral("MAINFORM"), QStringLiteral("acceptMouseMovedEvent"));
    if (acceptMouse.isValid() && wndMain)
        wndMain->setMouseTracking(yov::nsBool(acceptMouse));
    if (drawerMain)
        drawerMain->open();
    emit datacardStarted();
}

// --- the device service lost ------------------------------------------------------------------

void MainController::deviceServiceLost()
{
    if (terminating_)
        return;
    // Without its service the device is gone: the removal road ends a connection (its record is
    // saved), resets the device state and greys out what needs the device.
    qCWarning(lcMainController) << "the device service stopped: the device counts as removed";
    notifyDeviceRemoved();
    const YOVMsgCenter *center = yovMsgCenter();
    const QString message = center && center->lostForNoAnswer()
                                ? QStringLiteral("The device service stopped answering. The dashboard is starting it again.")
                                : QStringLiteral("The device service stopped. The dashboard is starting it again.");
    NSBeginAlertPanelExt(localized(QStringLiteral("Warning")), localized(message), localized(QStringLiteral("OK")), QString(), {});
    scheduleServiceRestart();
}

void MainController::scheduleServiceRestart()
{
    if (serviceRestartTimer_ || terminating_)
        return;
    if (serviceRestartAttempts_ >= kMaxServiceRestarts) {
        qCWarning(lcMainController) << "the device service could not be started again after"
                                    << serviceRestartAttempts_ << "tries";
        NSBeginAlertPanelExt(
            localized(QStringLiteral("Warning")),
            localized(QStringLiteral("The device service could not be started again. Quit the dashboard and start it again.")),
            localized(QStringLiteral("OK")), QString(), {});
        return;
    }
    // Growing pauses: 1 s, 2 s, 4 s, ...
    const int pauseMs = kFirstServiceRestartPauseMs << serviceRestartAttempts_;
    ++serviceRestartAttempts_;
    serviceRestartTimer_ = clock().schedule(pauseMs, this, [this] {
        serviceRestartTimer_ = 0;
        YOVMsgCenter *center = yovMsgCenter();
        if (terminating_ || !center || center->isMsgServerUp())
            return;
        qCInfo(lcMainController) << "starting the device service again, try" << serviceRestartAttempts_;
        if (!center->startMsgServer())
            scheduleServiceRestart();
    });
}

void MainController::applicationDidFinishLaunching()
{
    Neighbours::dial().applicationDidFinishLaunchingInDialController();
    Neighbours::registrationSheet().openUserRegisteWndIfNeedRegiste(wndMain);
    showMainUI();
    showWelcomeWndWhenStartUI();
}

void MainController::showMainUI()
{
    wndFlag = 1;
    // A missing window mode (3) or one outside 0..2 is the default: the complete window. (Showing
    // nothing left the user with a dashboard that cannot be seen.)
    int model = configService().getUIModelConfig();
    if (model < CompleteModel || model > MiniaturizedModel)
        model = CompleteModel;
    switch (model) {
    case CompleteModel:
        centerAndShow(wndCompleteMain_);
        modeCurrent = modePrev = CompleteModel;
        wndMain = wndCompleteMain_;
        break;
    case SimpleModel:
        centerAndShow(wndSimpleMain_);
        modeCurrent = modePrev = SimpleModel;
        wndMain = wndSimpleMain_;
        break;
    case MiniaturizedModel:
        if (wndMain)
            wndMain->showMinimized();
        modePrev = MiniaturizedModel;
        break;
    default:
        return;
    }
    postMainWindowChanged();
    maybeTakeScreenshot();
}

void MainController::showWelcomeWndWhenStartUI()
{
    if (!wndWelcom_)
        return;
    const QPointF origin = Neighbours::sms().centerTheNewSMSArriveWnd(QSizeF(wndWelcom_->size()));
    wndWelcom_->move(origin.toPoint());
    // At the panels' level (above the main window), without holding the rest of the dashboard.
    wndWelcom_->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    wndWelcom_->show();
    wndWelcom_->raise();
}

void MainController::miniaturizeMainWindowWhenAppFinishLaunching()
{
    if (yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("MiniaturizeMainWindow"))) && wndMain)
        wndMain->showMinimized();
}

bool MainController::applicationShouldHandleReopen(bool hasVisibleWindows)
{
    Q_UNUSED(hasVisibleWindows)
    qCInfo(lcMainController) << "reopen requested";
    if (!hiddenWindows_.isEmpty())
        unhideAllApplications(nullptr); // the windows put away by "Hide"
    if (configService().getUIModelConfig() == MiniaturizedModel) {
        if (modePrev == SimpleModel) {
            configService().saveCurrentUIModel(SimpleModel);
            modeCurrent = SimpleModel;
            if (wndCompleteMain_)
                wndCompleteMain_->hide();
            centerAndShow(wndSimpleMain_);
        } else if (modePrev == CompleteModel) {
            configService().saveCurrentUIModel(CompleteModel);
            modeCurrent = CompleteModel;
            if (wndSimpleMain_)
                wndSimpleMain_->hide();
            centerAndShow(wndCompleteMain_);
        } else {
            if (wndCompleteMain_)
                wndCompleteMain_->hide();
            if (wndSimpleMain_)
                wndSimpleMain_->hide();
            centerAndShow(wndCompleteMain_);
        }
        return true;
    }
    if (configService().doNotCloseApp() && wndFlag == 0) {
        wndFlag = 1;
        if (modeCurrent == CompleteModel)
            centerAndShow(wndCompleteMain_);
        else if (modeCurrent == SimpleModel)
            centerAndShow(wndSimpleMain_);
    }
    // Whatever the mode, the window that stands for the application comes forward.
    if (wndMain && wndMain->isVisible()) {
        if (wndMain->isMinimized())
            wndMain->showNormal();
        wndMain->raise();
        wndMain->activateWindow();
    }
    return true;
}

} // namespace ostrel
