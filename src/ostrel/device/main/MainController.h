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

#include "platform/Clock.h"

#include <QImage>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>

class QDialog;
class QLabel;
class QMainWindow;

namespace ostrel {

class AEMessage;
class ConfigService;

class MainController : public YOVUIController {
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
    void initializeNibResources() override;
    void registerMessages() override;

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
    // A later launch or the tray icon: shows the window again by the window mode. Always true.
    bool applicationShouldHandleReopen(bool hasVisibleWindows = true);

    // --- quit road (MainControllerQuit.cpp) ------------------------------------------------
    // Every termination request: runs applicationShouldTerminate() and, on TerminateNow, the
    // terminator.
    void terminate();
    TerminateReply applicationShouldTerminate();
    bool appShouldClose();
    bool getAppCloseStateForZAR() const { return !bWinWillClose_; }
    bool windowShouldClose(QWidget *window);
    bool quitAppAlert();
    bool closeMainWindowForDidizu();
    void saveCurrentUIModelWhenAppClosed();
    // SIGTERM, on the event loop: a running dial is asked to disconnect, the device service is
    // stopped by its process id, and the process ends with status 0. No AppWillClose, no saving.
    void handleTerminationSignal();

    Q_INVOKABLE void closeMainWindow(QObject *sender);
    Q_INVOKABLE void closeApp(QObject *sender);
    Q_INVOKABLE void quitTerminal(QObject *sender);
    Q_INVOKABLE void cancelCloseWindowForDidizu(QObject *sender);
    Q_INVOKABLE void quitApplicationForDidizu(QObject *sender);
    Q_INVOKABLE void shutDownDeviceForDidizu(QObject *sender);

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
    void watchWindowClose(QWidget *window);
    void centerAndShow(QWidget *window);
    void block(int ms);
    bool dialIsBusy() const;

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
};

} // namespace ostrel
