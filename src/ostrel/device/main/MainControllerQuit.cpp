// MainController: the quit road, the window close rule and the SIGTERM exit.
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/MainControllerText.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/ResourcePaths.h"

#include <QCloseEvent>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

Q_DECLARE_LOGGING_CATEGORY(lcMainController)

namespace ostrel {

namespace {

using main_text::tr_;

int alert(const char *title, const char *message, const char *defaultButton, const char *alternate = nullptr)
{
    return NSRunAlertPanelExt(tr_(title), tr_(message), tr_(defaultButton),
                              alternate ? tr_(alternate) : QString());
}

void alertManualSelecting()
{
    alert("Warning", "You are manually selecting a network,please first finish it!", "ok");
}

void alertCalling() { alert("Warning", "You are dialing now,please hangup first!", "ok"); }

} // namespace

bool MainController::dialIsBusy() const { return Neighbours::dial().GetisDialNow(); }

void MainController::terminate()
{
    if (terminating_)
        return;
    if (applicationShouldTerminate() != TerminateNow)
        return;
    terminating_ = true;
    if (terminator_)
        terminator_();
}

MainController::TerminateReply MainController::applicationShouldTerminate()
{
    if (!appShouldClose())
        return TerminateCancel;
    if (yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("closeUISoundEnable")))) {
        if (wndMain)
            wndMain->setEnabled(false); // no second close while the sound plays
        playCloseSound();
    }
    if (yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("setDeviceOfflineWhileQuitUI")))) {
        Neighbours::init().setDeviceOffline();
        block(1000);
    }
    notifyAppWillClose();
    deleteRuntimeDictionary();
    if (YOVMsgCenter *center = yovMsgCenter())
        center->stopMsgServer();
    return TerminateNow;
}

bool MainController::appShouldClose()
{
    ConfigService &switches = configService();
    if (switches.isCloseUIIfDeviceRemoved()) {
        // Quitting without a question: a standing connection is ended and its record saved now,
        // since nothing will be left to do it once the application has gone.
        DialControllerInterface &dial = Neighbours::dial();
        if (dial.GetisDialNow() || dial.connectStatus() != 0)
            dial.endConnectionForQuit();
        return true;
    }
    if (dialIsBusy()) {
        if (yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("CloseAppWihoutQueryConnection"))))
            return getAppCloseStateForZAR();
        alert("Warning", "You are currently connected. Please disconnect first!", "OK");
        return false;
    }
    if (Neighbours::setting().isManualSelecting()) {
        alertManualSelecting();
        return false;
    }
    if (Neighbours::call().callStage() != 0) {
        alertCalling();
        return false;
    }
    if (yov::nsBool(setting(QStringLiteral("specialSoftVersion"), QStringLiteral("RAVO_TIM")))) {
        if (alert("Warning", "Close the software?", "OK", "Cancel") == 0)
            return false;
        config().setConfigurationByModule(QStringLiteral("IMSI"), QString());
        if (!config().writeToFile())
            qCWarning(lcMainController) << "settings.plist could not be written after clearing the IMSI";
    }
    if (Neighbours::smsService().sendingSMSInBackGround())
        Neighbours::smsService().setUnshowInfoWndWhenSendSmsByFlag(false);
    if (switches.getUIModelConfig() != NoModel)
        saveCurrentUIModelWhenAppClosed();
    return true;
}

void MainController::saveCurrentUIModelWhenAppClosed() { configService().saveCurrentUIModel(modeCurrent); }

bool MainController::windowShouldClose(QWidget *window)
{
    Q_UNUSED(window)
    if (configService().doNotCloseApp()) {
        wndFlag = 0;
        if (wndMain)
            wndMain->hide();
        return false;
    }
    if (dialIsBusy()) {
        if (yov::nsBool(setting(QStringLiteral("MAINFORM"), QStringLiteral("CloseAppWihoutQueryConnection")))) {
            if (alert("Warning", "It has an active connection.Are you sure you hold fast to finish the applications?",
                      "OK", "Cancel") != 0) {
                bWinWillClose_ = true;
                notifyAppWillClose();
            }
            return false;
        }
        alert("Warning", "You are currently connected. Please disconnect first!", "OK");
        return false;
    }
    if (Neighbours::setting().isManualSelecting()) {
        alertManualSelecting();
        return false;
    }
    if (Neighbours::call().callStage() != 0) {
        alertCalling();
        return false;
    }
    // The window closes only with the application: a quit the user refused (or a rule stopped)
    // leaves the window on screen instead of an application running without one.
    terminate();
    return terminating_;
}

bool MainController::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Close && !terminating_ &&
        (watched == wndCompleteMain_.data() || watched == wndSimpleMain_.data())) {
        if (!windowShouldClose(qobject_cast<QWidget *>(watched))) {
            event->ignore();
            return true;
        }
    }
    if (event->type() == QEvent::WindowStateChange && handleWindowStateChange(qobject_cast<QWidget *>(watched), event))
        return true;
    if (event->type() == QEvent::Move && (watched == wndCompleteMain_.data() || watched == wndSimpleMain_.data()))
        windowDidMove(static_cast<QWidget *>(watched));
    return YOVUIController::eventFilter(watched, event);
}

bool MainController::quitAppAlert()
{
    if (!yov::nsBool(setting(QStringLiteral("qutiUITips"))))
        return true;
    return alert("Tips", "Exit the Connection Manager?", "OK", "Cancel") != 0;
}

bool MainController::closeMainWindowForDidizu()
{
    if (!yov::nsBool(setting(QStringLiteral("Main"), QStringLiteral("CloseUIForDidizu"))))
        return true;
    if (!wndCloseForDidizu_) {
        auto *sheet = new QDialog(wndMain);
        sheet->setObjectName(QStringLiteral("wndCloseForDidizu"));
        sheet->setWindowModality(Qt::WindowModal);
        auto *layout = new QVBoxLayout(sheet);
        auto *row = new QHBoxLayout;
        auto *image = new QLabel(sheet);
        image->setObjectName(QStringLiteral("imageViewCloseForDidizu"));
        const QImage mark = ResourcePaths::applicationImage(QStringLiteral("QueryMark"));
        if (!mark.isNull())
            image->setPixmap(QPixmap::fromImage(mark));
        auto *label = new QLabel(sheet);
        label->setObjectName(QStringLiteral("labelCloseForDidizu"));
        label->setWordWrap(true);
        label->setText(tr_("Do you want to shut down the device completely after quiting the application?\n"
                           "Note:After shuting down the device completely, you need to remove the devicee and "
                           "reinsert into computer to use it again."));
        row->addWidget(image);
        row->addWidget(label, 1);
        layout->addLayout(row);
        auto *buttons = new QHBoxLayout;
        auto *cancel = new QPushButton(tr_("Cancel"), sheet);
        auto *quit = new QPushButton(tr_("Quit"), sheet);
        auto *shutDown = new QPushButton(tr_("Shut down"), sheet);
        buttons->addWidget(cancel);
        buttons->addStretch();
        buttons->addWidget(quit);
        buttons->addWidget(shutDown);
        layout->addLayout(buttons);
        connectAction(cancel, QStringLiteral("cancelCloseWindowForDidizu:"));
        connectAction(quit, QStringLiteral("quitApplicationForDidizu:"));
        connectAction(shutDown, QStringLiteral("shutDownDeviceForDidizu:"));
        wndCloseForDidizu_ = sheet;
    }
    wndCloseForDidizu_->open();
    return false;
}

void MainController::closeMainWindow(QObject *)
{
    if (quitAppAlert() && closeMainWindowForDidizu())
        terminate();
}

void MainController::closeApp(QObject *) { terminate(); }

void MainController::quitTerminal(QObject *) { windowShouldClose(wndMain); }

void MainController::cancelCloseWindowForDidizu(QObject *)
{
    if (wndCloseForDidizu_)
        wndCloseForDidizu_->reject();
}

void MainController::quitApplicationForDidizu(QObject *)
{
    if (wndCloseForDidizu_)
        wndCloseForDidizu_->accept();
    terminate();
}

void MainController::shutDownDeviceForDidizu(QObject *)
{
    if (wndCloseForDidizu_)
        wndCloseForDidizu_->accept();
    terminate();
}

void MainController::handleTerminationSignal()
{
    qCInfo(lcMainController) << "termination signal: ending";
    // A standing connection is ended and its record saved now: nothing is left to do it once the
    // process has gone.
    DialControllerInterface &dial = Neighbours::dial();
    if (dial.GetisDialNow() || dial.connectStatus() != 0)
        dial.endConnectionForQuit();
    if (YOVMsgCenter *center = yovMsgCenter())
        center->stopMsgServer();
    terminating_ = true;
    if (exiter_)
        exiter_(0);
}

} // namespace ostrel
