#include "ostrel/app/DashboardAssembly.h"

#include "common/BuildInfo.h"
#include "ostrel/app/UnreadableSettingsAlert.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/records/DialRecordController.h"
#include "ostrel/connection/statistics/StatisticsPage.h"
#include "ostrel/connection/statistics/statisticSource.h"
#include "ostrel/connection/statistics/statisticsView.h"
#include "ostrel/connection/statistics/transferSource.h"
#include "ostrel/connection/speedtest/SpeedTestController.h"
#include "ostrel/connection/view/DialOperatorContent.h"
#include "ostrel/connection/view/InternetView.h"
#include "ostrel/connection/view/LimitWindows.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/picker/ContactPicker.h"
#include "ostrel/framework/update/AEMessage.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/NotificationCoverage.h"
#include "ostrel/framework/controller/UIManagerSkinAccess.h"
#include "ostrel/framework/controller/YOVAlertPanel.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/language/Language.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/skin/YOVUIManager.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/webengine/WebEngineSetup.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/phonebook/PBController.h"
#include "ostrel/settings/SettingController.h"
#include "ostrel/phonebook/page/PBRecordActions.h"
#include "ostrel/phonebook/page/PBWindow.h"
#include "ostrel/sms/page/SMSController.h"
#include "ostrel/sms/page/SmsPageView.h"
#include "ostrel/sms/service/SmsService.h"
#include "platform/alert/AlertPresenter.h"
#include "platform/power/LogindSleepWatcher.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <QLayout>

Q_LOGGING_CATEGORY(lcAssembly, "ostrel.app")

namespace ostrel {

namespace {

// Logs the device service's handshake (1/0) until the device-state controller handles it.
class DeviceServiceLog : public QObject {
public:
    explicit DeviceServiceLog(YOVMsgCenter *center) : center_(center)
    {
        center_->registerObserver(this, &DeviceServiceLog::handshake, 1, 0);
    }
    void handshake(const yov::Notification &notification)
    {
        yov::UI_MSG msg;
        center_->getMsgPackage(&msg, &notification);
        qCInfo(lcAssembly) << "device service handshake received, result" << int(msg.result);
    }

private:
    YOVMsgCenter *center_;
};

} // namespace

DashboardAssembly::DashboardAssembly() : DashboardAssembly(Options{}) {}

DashboardAssembly::DashboardAssembly(Options options) : msgCenter_(std::move(options.msgCenter))
{
    QCoreApplication::setApplicationVersion(yov::BuildInfo::version());
    createSharedObjects(options.loadSkin, options.installAlertPresenter);
    createControllers();
}

DashboardAssembly::~DashboardAssembly()
{
    sleepWatcher_.reset(); // gives its lock back; it calls into the connection
    speedTestController_.reset();
    phonebookActions_.reset();
    phonebookWindow_.reset();
    smsController_.reset();
    smsService_.reset();
    contactPicker_.reset();
    phonebookController_.reset();
    recordController_.reset();
    transferSource_.reset();
    statisticSource_.reset();
    if (operatorContent_) {
        dialController_->setOperatorContent(nullptr);
        operatorContent_.reset();
    }
    dialController_.reset();
    initController_.reset();
    settingController_.reset();
    mainController_.reset();
    Neighbours::installDefaults(nullptr);
    if (alertPresenter_)
        yov::AlertPresenter::setShared(nullptr);
    alertPresenter_.reset();
    alertPanel_.reset();
    ControllerContext::shared() = ControllerContext{};
    deviceServiceLog_.reset();
    msgCenter_.reset(); // stops the device service it started
    language_.reset();
    skinAccess_.reset();
    skinManager_.reset();
    UIManager::setDefaultLanguageProvider({});
    WebEngineSetup::uninstallWebViews();
}

void DashboardAssembly::createSharedObjects(bool loadSkin, bool installAlertPresenter)
{
    if (!msgCenter_)
        msgCenter_ = std::make_unique<YOVMsgCenter>();
    deviceServiceLog_ = std::make_unique<DeviceServiceLog>(msgCenter_.get());

    // SkinInfo_<language> follows the language of the token list in use.
    UIManager::setDefaultLanguageProvider(&ConfigService::activeTokenListLanguage);
    YOVUIManager::Options skinOptions;
    skinOptions.loadLastUsedSkin = loadSkin;
    skinManager_ = std::make_unique<YOVUIManager>(skinOptions);
    if (loadSkin && !skinManager_->hasSkin())
        qCWarning(lcAssembly) << "no skin could be loaded: the windows keep their built-in look";
    skinManager_->installNodeImageResolver();
    WebEngineSetup::installWebViews();
    skinAccess_ = std::make_unique<UIManagerSkinAccess>(skinManager_.get());
    language_ = std::make_unique<Language>();

    ControllerContext &context = ControllerContext::shared();
    context = ControllerContext{};
    context.msgCenter = msgCenter_.get();
    context.skinManager = skinAccess_.get();
    context.language = language_.get();
    notificationCoverage_ = std::make_unique<NotificationCoverage>();
    context.notificationCoverage = notificationCoverage_.get();

    alertPanel_ = std::make_unique<YOVAlertPanel>(context);
    if (installAlertPresenter) {
        alertPresenter_ = std::make_unique<SkinnedAlertPresenter>();
        yov::AlertPresenter::setShared(alertPresenter_.get());
    }
    Neighbours::installDefaults(msgCenter_.get());
}

void DashboardAssembly::createControllers()
{
    const ControllerContext &context = ControllerContext::shared();
    mainController_ = std::make_unique<MainController>(context);
    // Controllers of later areas are created here and install themselves in Neighbours.
    settingController_ = std::make_unique<SettingController>(context);
    settingController_->install();
    initController_ = std::make_unique<InitController>(context);
    initController_->setUpdateLink(AEMessage::defaultAEMessage());
    dialController_ = std::make_unique<DialController>(context);
    recordController_ = std::make_unique<DialRecordController>(context);
    speedTestController_ = std::make_unique<SpeedTestController>(context);
    statisticSource_ = std::make_unique<statisticSource>(context);
    transferSource_ = std::make_unique<transferSource>(context);
    recordController_->setStatisticsForm(statisticSource_.get());
    phonebookController_ = std::make_unique<PBController>(context);
    PBPage::Layout phonebookLayout;
    phonebookLayout.tree = true;
    phonebookWindow_ = std::make_unique<PBWindow>(phonebookController_.get(), phonebookLayout);
    phonebookActions_ = std::make_unique<PBRecordActions>(phonebookWindow_.get());
    smsService_ = std::make_unique<SmsService>(context.config, context.clock);
    // The application icon of a flow-value alert ("flow75.png", "flow100.png") and, once the period
    // ended, the normal one again ("icon.icns.png").
    smsService_->setApplicationIconHook([](const QString &image) {
        const QImage icon = ResourcePaths::applicationImage(QFileInfo(image).baseName());
        if (!icon.isNull())
            QApplication::setWindowIcon(QIcon(QPixmap::fromImage(icon)));
    });
    smsController_ = std::make_unique<SMSController>(context);
    contactPicker_ = std::make_unique<ContactPicker>();

    MainController *main = mainController_.get();
    initController_->netCardStatusHook = [main] { return main->getNetCardStatus(); };
    initController_->toolbarSetEnableHook = [main](bool enable) { main->toolbarSetEnable(enable); };
    initController_->toolbarSetItemEnableHook = [main](bool enable, const QString &identifier) {
        main->toolbarSetItemEnable(enable, identifier);
    };
    initController_->selectMainTabHook = [main](const QString &identifier) { main->selectTabViewbyIdentifier(identifier); };
    DialController *dial = dialController_.get();
    initController_->disableConnectButtonsHook = [dial] { dial->setConnectBtnEnable(false); };
    initController_->clearBroadcastMessageHook = [main] { main->setBroadcastMsg(QString()); };
    main->setConnectionTrafficProvider([dial] { return dial->getCurrentTotalData(); });
    // The quit once a disconnect for closing is under way goes through the quit road too; it is
    // asked for inside a device record's handler, so the road (which may ask the user) runs on
    // the next turn of the event loop, with the device link flowing.
    dial->setTerminator([main] { QTimer::singleShot(0, main, [main] { main->terminate(); }); });
}

// Puts the device-state status row into the main window's status bar and the Internet page into
// its tab, once the windows exist.
void DashboardAssembly::connectMainWindow()
{
    initController_->wndMain = mainController_->wndMain;
    dialController_->wndMain = mainController_->wndMain;
    recordController_->wndMain = mainController_->wndMain;
    recordController_->tabviewMain = mainController_->tabviewMain;
    statisticSource_->wndMain = mainController_->wndMain;
    transferSource_->wndMain = mainController_->wndMain;
    alertPanel_->wndMain = mainController_->wndMain; // alerts are centred on it
    if (QStatusBar *bar = mainController_->mainStatusBar()) {
        if (QWidget *status = initController_->statusView())
            bar->addPermanentWidget(status);
    }
    if (InternetView *internet = installInternetView(dialController_.get(), mainController_->tabviewMain)) {
        // The operator's web content of the Internet view, below the view, before the connection
        // controller runs its start-up steps.
        operatorContent_ = std::make_unique<DialOperatorContent>(dialController_.get());
        operatorContent_->installInto(internet->parentWidget());
        dialController_->setOperatorContent(operatorContent_.get());
    }
    installLimitWindows(dialController_.get(), mainController_->wndMain);
    settingController_->wndMain = mainController_->wndMain;
    settingController_->tabviewMain = mainController_->tabviewMain;
    settingController_->setSettingPage(mainController_->tabPage(QStringLiteral("Setting")));
    if (QWidget *phonebook = mainController_->tabPage(QStringLiteral("Phonebook"))) {
        auto *layout = phonebook->layout() ? phonebook->layout() : new QVBoxLayout(phonebook);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(phonebookWindow_->takePage());
    }
    // The statistics page before the records tab: the tab puts its way back at the page's foot.
    speedGraph_ = installStatisticsPage(mainController_->tabviewMain, statisticSource_.get(), transferSource_.get());
    if (speedGraph_) {
        QObject::connect(dialController_.get(), &DialController::speedPoint, speedGraph_, &statisticsView::setSpeedPointSend);
        QObject::connect(dialController_.get(), &DialController::speedGraphCleared, speedGraph_, &statisticsView::setUndisplay);
    }
}

void DashboardAssembly::awakeFromNib()
{
    if (awoken_)
        return;
    awoken_ = true;
    msgCenter_->awakeFromNib();
    alertPanel_->awakeFromNib();
    mainController_->awakeFromNib();
    connectMainWindow();
    initController_->awakeFromNib();
    dialController_->awakeFromNib();
    settingController_->awakeFromNib();
    // The settings controls the device-state controller keeps the states of move into their
    // panels, the same objects: the PIN options into "Security", the roaming switches into
    // "Network"; the rest of its options view (lock tip, own number) follows the PIN options.
    if (QWidget *security = settingController_->securityHostArea()) {
        if (QWidget *pin = initController_->pinOptionsBox())
            security->layout()->addWidget(pin);
        if (QWidget *rest = initController_->deviceOptionsView())
            security->layout()->addWidget(rest);
    }
    settingController_->setPinAutoValidationBox(initController_->pinAutoValidationBox());
    settingController_->setRoamSwitches(initController_->nRoamSwitch(), initController_->iRoamSwitch());
    recordController_->awakeFromNib();
    statisticSource_->awakeFromNib();
    transferSource_->awakeFromNib();
    phonebookController_->wndMain = mainController_->wndMain;
    phonebookController_->tabviewMain = mainController_->tabviewMain;
    phonebookController_->awakeFromNib();
    smsController_->wndMain = mainController_->wndMain;
    smsController_->tabviewMain = mainController_->tabviewMain;
    smsController_->awakeFromNib();
    if (QWidget *smsTab = mainController_->tabPage(QStringLiteral("SMS"))) {
        auto *layout = smsTab->layout() ? smsTab->layout() : new QVBoxLayout(smsTab);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(smsController_->takePage());
    }
    speedTestController_->awakeFromNib();
    notificationCoverage_->settle();
}

void DashboardAssembly::launch()
{
    awakeFromNib();
    mainController_->applicationWillFinishLaunching();
    mainController_->applicationDidFinishLaunching(); // with the connection controller's launch step
    // Sleep and wake: before sleep an NDIS connection is ended (then logind may go on), after
    // wake a fresh automatic attempt.
    DialController *dial = dialController_.get();
    sleepWatcher_ = std::make_unique<yov::LogindSleepWatcher>(
        yov::LogindSleepWatcher::Handlers{[dial] { dial->machineWillSleep(); }, [dial] { dial->machineDidWake(); }},
        QStringLiteral("Ostrel"), QStringLiteral("Ending the data connection before sleep"));
    // Once the windows are up: what became of a settings.plist that could not be read, and
    // whether it can be written (told now when the start-up's writes failed, else at the first
    // write that fails).
    QTimer::singleShot(0, mainController_.get(), [this] {
        ConfigManager *config = ConfigManager::sharedConfigManager();
        showUnreadableSettingsAlert(config->settingsRecovery());
        QObject::connect(config, &ConfigManager::settingsNotWritten, mainController_.get(), &showUnwritableSettingsAlert,
                         Qt::QueuedConnection);
        if (const QString error = config->lastWriteError(); !error.isEmpty())
            showUnwritableSettingsAlert(config->configFilePathOfKey(QStringLiteral("settings.plist")), error);
    });
}

} // namespace ostrel
