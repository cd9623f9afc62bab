// MainController: low-power mode while the main window is minimised, and the reactions to the
// device being removed, plugged in and ready.
#include "ostrel/device/main/MainController.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/update/AEMessage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QVBoxLayout>

Q_DECLARE_LOGGING_CATEGORY(lcMainController)

namespace ostrel {

namespace {

QWidget *visibleSheetOf(QWidget *window)
{
    if (!window)
        return nullptr;
    const auto children = window->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child->isWindow() && child->isVisible() &&
            (child->windowModality() == Qt::WindowModal || (child->windowFlags() & Qt::Sheet) == Qt::Sheet))
            return child;
    }
    return nullptr;
}

void endSheet(QWidget *sheet)
{
    if (!sheet)
        return;
    if (auto *dialog = qobject_cast<QDialog *>(sheet))
        dialog->done(QDialog::Rejected);
    else
        sheet->hide();
}

} // namespace

// --- low power ---------------------------------------------------------------------------------

bool MainController::lowPowerShouldGoOffline(int callStage, int connectStatus, qint64 totalBytes,
                                             double enterLPMDataKB)
{
    if (callStage != 0)
        return false;
    if (connectStatus == 0)
        return true;
    if (connectStatus == 3)
        return totalBytes >= 0 && double(totalBytes) <= enterLPMDataKB * 1024.0;
    return false;
}

void MainController::windowWillMiniaturize(QWidget *window) { Q_UNUSED(window) }

void MainController::windowDidMiniaturize(QWidget *window)
{
    Q_UNUSED(window)
    Neighbours::sms().stopAnimationWhenMinimizeWithNewSms();
    const QVariant hasLPM = setting(QStringLiteral("LPMinfo"), QStringLiteral("hasLPMmode"));
    if (hasLPM.isValid() && btnLPMStatus_ && btnLPMStatus_->isChecked()) {
        releaseTimerCheckLPM();
        const double seconds = yov::nsDouble(setting(QStringLiteral("LPMinfo"), QStringLiteral("enterLPMTime")));
        const qint64 ms = qMax<qint64>(0, qint64(seconds * 1000.0 + 0.5));
        timerCheckLPM_ = clock().schedule(ms, this, [this] {
            timerCheckLPM_ = 0;
            checkLPM();
        });
    }
    configService().saveCurrentUIModel(MiniaturizedModel);
    modeCurrent = MiniaturizedModel;
}

void MainController::checkLPM()
{
    const double limitKB = yov::nsDouble(setting(QStringLiteral("LPMinfo"), QStringLiteral("enterLPMData")));
    const qint64 bytes = trafficProvider_ ? trafficProvider_() : -1;
    if (lowPowerShouldGoOffline(Neighbours::call().callStage(), Neighbours::dial().connectStatus(), bytes, limitKB)) {
        qCInfo(lcMainController) << "low-power mode: setting the device offline";
        Neighbours::init().setDeviceOffline();
    }
}

void MainController::releaseTimerCheckLPM()
{
    if (timerCheckLPM_)
        clock().cancel(timerCheckLPM_);
    timerCheckLPM_ = 0;
}

void MainController::windowDidDeminiaturize(QWidget *window)
{
    Q_UNUSED(window)
    Neighbours::sms().startAnimationWhenMaximizeWithNewSms();
    const QVariant hasLPM = setting(QStringLiteral("LPMinfo"), QStringLiteral("hasLPMmode"));
    if (hasLPM.isValid() && btnLPMStatus_ && btnLPMStatus_->isChecked()) {
        releaseTimerCheckLPM();
        Neighbours::init().setDeviceOnline();
    }
}

// --- device ------------------------------------------------------------------------------------

void MainController::deviceRemoved(const yov::Notification &)
{
    deviceRemovedForDidizu(true);
    netcardChanged(1);

    if (configService().isCloseUIIfDeviceRemoved()) {
        if (wndMain && wndMain->isVisible()) {
            endSheet(visibleSheetOf(visibleSheetOf(wndMain)));
            endSheet(visibleSheetOf(wndMain));
        }
        terminate();
        return;
    }

    // The innermost visible sheet goes, unless it is the profile sheet ("DialConfig").
    QWidget *innermost = wndMain;
    for (QWidget *sheet = visibleSheetOf(wndMain); sheet; sheet = visibleSheetOf(sheet)) {
        innermost = sheet;
        if (innermost == wndMain)
            break;
    }
    if (innermost && innermost != wndMain.data() && innermost->windowTitle() != QLatin1String("DialConfig"))
        endSheet(innermost);
    // A visible application-modal window is stopped.
    if (QWidget *modal = QApplication::activeModalWidget();
        modal && modal->isVisible() && modal->windowModality() == Qt::ApplicationModal &&
        modal->windowTitle() != QLatin1String("DialConfig"))
        endSheet(modal);

    if (configService().isSkinVersionForDEdorud()) {
        insertUSSDToobarItem(1);
        setIsHiddenForUSSDActive(false);
    }
    AEMessage *update = aeMessage_ ? aeMessage_ : AEMessage::defaultAEMessage();
    if (update && update->isSupportUpdate())
        update->send_DeviceOut_Msg();
    if (YOVMsgCenter *center = yovMsgCenter()) {
        // 8/58: module 0, type 2, result -1, no data, as the catalogue gives it.
        if (!center->sendCatalogued<8, 58>())
            qCWarning(lcMainController) << "the device-out record could not be sent";
    }
}

void MainController::devicePlugin(const yov::Notification &) { netcardChanged(2); }

void MainController::simReady(const yov::Notification &) { netcardChanged(12); }

void MainController::netcardChanged(int status)
{
    netCardStatus_ = status;
    deviceRemoveSign_ = false;
    if (status == 2 || status == 12)
        serviceRestartAttempts_ = 0; // the device service is back and reports
    switch (status) {
    case 2:
        setToolbarEnableWhenSimDetected(false);
        break;
    case 12:
        setToolbarEnableWhenSimDetected(true);
        deviceRemovedForDidizu(false);
        Neighbours::registrationSheet().sendUserInfoIfNeededAndSendFailedBefore();
        toolbarSetItemEnable(true, QStringLiteral("RECHARGE"));
        break;
    case 1:
        setToolbarEnableWhenSimDetected(false);
        toolbarSetItemEnable(false, QStringLiteral("RECHARGE"));
        break;
    default:
        break;
    }
}

void MainController::deviceRemovedForDidizu(bool removed)
{
    if (!yov::nsBool(setting(QStringLiteral("Main"), QStringLiteral("DeviceRemovedForDidizu"))))
        return;
    if (deviceRemoveSign_) {
        performEndSheet();
        return;
    }
    if (netCardStatus_ != 12)
        return;
    if (!devStateNotice_) {
        // The notice shares the closing sheet's window: a label on a small sheet.
        auto *sheet = new QDialog(wndMain);
        sheet->setObjectName(QStringLiteral("viewOfDevStateChangeForDidizu"));
        sheet->setWindowModality(Qt::WindowModal);
        auto *layout = new QVBoxLayout(sheet);
        auto *label = new QLabel(sheet);
        label->setObjectName(QStringLiteral("labelDevStateChangeForDidizu"));
        layout->addWidget(label);
        devStateNotice_ = sheet;
    }
    if (auto *label = devStateNotice_->findChild<QLabel *>(QStringLiteral("labelDevStateChangeForDidizu")))
        label->setText(Map_Name_Item_of_IndexString(removed ? QStringLiteral("The device has been disconnected or is unavailable.")
                                                            : QStringLiteral("Detecting device...")));
    devStateNotice_->show();
    if (endSheetTimer_)
        clock().cancel(endSheetTimer_);
    endSheetTimer_ = clock().schedule(2000, this, [this] {
        endSheetTimer_ = 0;
        performEndSheet();
    });
}

void MainController::performEndSheet()
{
    if (devStateNotice_ && devStateNotice_->findChild<QLabel *>(QStringLiteral("labelDevStateChangeForDidizu")))
        devStateNotice_->hide();
}

} // namespace ostrel
