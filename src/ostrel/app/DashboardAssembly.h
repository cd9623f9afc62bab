#pragma once
// The assembly of the dashboard: it creates the shared objects (message center, skin manager,
// language object, alert panel), fills ControllerContext::shared(), installs the neighbour
// defaults, creates every controller that exists, connects their pointers and wakes them in one
// fixed order:
//
//   1. the message center (its receive-guard switch)
//   2. the alert panel (the skinned alert window)
//   3. MainController (windows, splash, its notification tables)
//   4. InitController (device state: its sheets hang on the main window)
//   5. DialController (connection: its Internet page goes into the main window's "Internet" tab)
//   5a. SettingController (the settings page in the "Setting" tab; created before InitController)
//   6. DialRecordController (the connection records, their tab, totals, resets and limit settings)
//   7. statisticSource and transferSource (the outlines of the "Statistics" page)
//   8. PBController (phonebook: contacts, number lookup) with its page (PBWindow, in the main
//      window's "Phonebook" tab, with the storage tree PBSource)
//   9. SMSController (SMS lists, counts and capacity, and its page in the main window's "SMS"
//      tab with the storage tree SmsSource), over the SMS service
//   10. ContactPicker (the contact-selection windows the pages open; nothing to wake)
//   11. SpeedTestController (the operator speed test's list, result upload and log)
//
// Once all are awake, the notification-table rows that no controller handles are logged, once each
// (a row that one controller lacks and another handles is no fault).
//
// A controller added later is created in createControllers() and woken in awakeFromNib() at the
// place this list gives it. The windows of the launch road come afterwards, from launch().
#include <QLoggingCategory>
#include <QObject>
#include <memory>

Q_DECLARE_LOGGING_CATEGORY(lcAssembly)

namespace yov { class AlertPresenter; class NotificationCenter; }
namespace yov { class LogindSleepWatcher; }

namespace ostrel {

class ContactPicker;
class DialController;
class DialOperatorContent;
class SpeedTestController;
class DialRecordController;
class InitController;
class Language;
class MainController;
class NotificationCoverage;
class PBController;
class SettingController;
class PBWindow;
class PBRecordActions;
class SMSController;
class SmsService;
class SkinManagerAccess;
class SkinnedAlertPresenter;
class statisticSource;
class statisticsView;
class transferSource;
class YOVAlertPanel;
class YOVMsgCenter;
class YOVUIManager;

class DashboardAssembly {
public:
    struct Options {
        // The message center; null: the program's own (session bus, real launcher).
        std::unique_ptr<YOVMsgCenter> msgCenter;
        // Load the skin of the configuration (off in tests that need no skin files).
        bool loadSkin = true;
        // Route the dashboard's alerts to the skinned panel (off when a test installs its own).
        bool installAlertPresenter = true;
    };

    DashboardAssembly();
    explicit DashboardAssembly(Options options);
    ~DashboardAssembly();
    DashboardAssembly(const DashboardAssembly &) = delete;
    DashboardAssembly &operator=(const DashboardAssembly &) = delete;

    // Wakes the shared objects and the controllers in the order above (once).
    void awakeFromNib();
    // The launch: will-finish then did-finish launching.
    void launch();

    YOVMsgCenter *msgCenter() const { return msgCenter_.get(); }
    MainController *mainController() const { return mainController_.get(); }
    InitController *initController() const { return initController_.get(); }
    DialController *dialController() const { return dialController_.get(); }
    DialOperatorContent *operatorContent() const { return operatorContent_.get(); }
    DialRecordController *recordController() const { return recordController_.get(); }
    statisticSource *statisticsController() const { return statisticSource_.get(); }
    transferSource *transferController() const { return transferSource_.get(); }
    // The speed graph of the "Statistics" page (once the windows exist).
    statisticsView *speedGraph() const { return speedGraph_; }
    PBController *phonebookController() const { return phonebookController_.get(); }
    PBWindow *phonebookWindow() const { return phonebookWindow_.get(); }
    PBRecordActions *phonebookActions() const { return phonebookActions_.get(); }
    SMSController *smsController() const { return smsController_.get(); }
    SmsService *smsService() const { return smsService_.get(); }
    // The contact picker that the pages open (Neighbours::contactPicker()).
    ContactPicker *contactPicker() const { return contactPicker_.get(); }
    YOVAlertPanel *alertPanel() const { return alertPanel_.get(); }
    SettingController *settingController() const { return settingController_.get(); }
    // The computer's sleep and wake as logind tells them (once launched; off without logind).
    yov::LogindSleepWatcher *sleepWatcher() const { return sleepWatcher_.get(); }
    SpeedTestController *speedTestController() const { return speedTestController_.get(); }
    // Which notification-table rows the controllers handle.
    const NotificationCoverage *notificationCoverage() const { return notificationCoverage_.get(); }

private:
    void createSharedObjects(bool loadSkin, bool installAlertPresenter);
    void createControllers();
    void connectMainWindow();

    std::unique_ptr<NotificationCoverage> notificationCoverage_;
    std::unique_ptr<YOVMsgCenter> msgCenter_;
    std::unique_ptr<YOVUIManager> skinManager_;
    std::unique_ptr<SkinManagerAccess> skinAccess_;
    std::unique_ptr<Language> language_;
    std::unique_ptr<YOVAlertPanel> alertPanel_;
    std::unique_ptr<SkinnedAlertPresenter> alertPresenter_;
    std::unique_ptr<QObject> deviceServiceLog_;
    std::unique_ptr<MainController> mainController_;
    std::unique_ptr<SettingController> settingController_;
    std::unique_ptr<InitController> initController_;
    std::unique_ptr<DialController> dialController_;
    std::unique_ptr<DialOperatorContent> operatorContent_;
    std::unique_ptr<DialRecordController> recordController_;
    std::unique_ptr<statisticSource> statisticSource_;
    std::unique_ptr<transferSource> transferSource_;
    statisticsView *speedGraph_ = nullptr; // owned by its page
    std::unique_ptr<PBController> phonebookController_;
    std::unique_ptr<PBWindow> phonebookWindow_;
    std::unique_ptr<PBRecordActions> phonebookActions_;
    std::unique_ptr<SmsService> smsService_;
    std::unique_ptr<SMSController> smsController_;
    std::unique_ptr<ContactPicker> contactPicker_;
    std::unique_ptr<yov::LogindSleepWatcher> sleepWatcher_;
    std::unique_ptr<SpeedTestController> speedTestController_;
    bool awoken_ = false;
};

} // namespace ostrel
