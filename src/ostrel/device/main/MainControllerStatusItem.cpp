// The status item's pictures: the new-message animations and the static image of the connection
// state.
#include "ostrel/device/main/MainController.h"

#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/StatusBarView.h"

#include <QMenu>

namespace ostrel {

namespace {

constexpr int kFlowValueNoticeFull = 1;
constexpr int kOrdinarySms = 2;

bool isFlowValueType(int type) { return type == 0 || type == kFlowValueNoticeFull; }

} // namespace

void MainController::startAnimationInStatusViewWithAnimaitonPath(const QString &path, int imageNumber)
{
    if (!viewSysStatusItem_)
        return;
    viewSysStatusItem_->stopAnimation();
    viewSysStatusItem_->setAnimationSequenceImageNumber(imageNumber);
    viewSysStatusItem_->setAnimationImagesPath(path);
    viewSysStatusItem_->startAnimation();
}

void MainController::statusItemOpensInbox()
{
    if (!viewSysStatusItem_)
        return;
    viewSysStatusItem_->setMenu(nullptr);
    viewSysStatusItem_->setAction([this] { gotoSMSUIOfCompleteWnd(); });
}

void MainController::freshStatusViewWhenNormalSMSArrive()
{
    startAnimationInStatusViewWithAnimaitonPath(QStringLiteral("Normal_SMS_Arrive1"), 2);
    statusItemOpensInbox();
}

void MainController::freshStatusViewWhenFlowValueSMSArrive()
{
    startAnimationInStatusViewWithAnimaitonPath(QStringLiteral("FlowValue_SMS_Arrive1"), 2);
    statusItemOpensInbox();
}

void MainController::freshStatusViewWhenNewSMSArrive()
{
    const int type = Neighbours::smsService().typeOfNewSms();
    if (isFlowValueType(type))
        freshStatusViewWhenFlowValueSMSArrive();
    else if (type == kOrdinarySms)
        freshStatusViewWhenNormalSMSArrive();
}

void MainController::freshStatusViewWhenSMSReaded()
{
    const SmsServiceInterface &service = Neighbours::smsService();
    auto unreadOfType = [&service](int t) { return service.checkPos(0, t) || service.checkPos(1, t); };
    const bool flowValueUnread = unreadOfType(0) || unreadOfType(kFlowValueNoticeFull);
    const bool ordinaryUnread = unreadOfType(kOrdinarySms);
    // The animation of the newest message's kind stays while one of that kind is unread (in the
    // computer's inbox or on the SIM); else the other kind's animation while one of that kind is
    // unread; with nothing unread the item goes back to the connection's picture.
    const bool newestIsFlowValue = isFlowValueType(service.typeOfNewSms());
    if (newestIsFlowValue ? flowValueUnread : ordinaryUnread)
        return;
    if (newestIsFlowValue ? ordinaryUnread : flowValueUnread) {
        if (newestIsFlowValue)
            freshStatusViewWhenNormalSMSArrive();
        else
            freshStatusViewWhenFlowValueSMSArrive();
        return;
    }
    freshStatusViewToStaticViewAccorindToDialStatus(Neighbours::dial().connectStatus());
}

void MainController::freshStatusViewWhenInitialController()
{
    SMSControllerInterface &sms = Neighbours::sms();
    SmsServiceInterface &service = Neighbours::smsService();
    // The unread list of the computer's inbox is built from the stored inbox, so that messages
    // left unread in an earlier run are seen at start-up too.
    auto refreshPcUnread = [&service] { return service.getUnreadSMSInPos(0, service.getPCBoxListWithBox(0)); };
    if (!sms.hasNewSMSInPos(0) && refreshPcUnread().isEmpty())
        return;
    if (service.getFlowValueInfoFromFile() != 2 && service.isOverDueFlowValueSms())
        sms.doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime();
    if (!configService().isFreshStatusViewWhenNewSMSArrive())
        return;
    refreshPcUnread();
    if (service.checkPos(0, 0) || service.checkPos(0, kFlowValueNoticeFull))
        freshStatusViewWhenFlowValueSMSArrive();
    else
        freshStatusViewWhenNormalSMSArrive();
}

bool MainController::unreadSmsWaitsIn(int position) const
{
    const SmsServiceInterface &service = Neighbours::smsService();
    return Neighbours::sms().hasNewSMSInPos(position) || service.checkPos(position, 0)
           || service.checkPos(position, kFlowValueNoticeFull) || service.checkPos(position, kOrdinarySms);
}

void MainController::freshStatusViewWhenDialStatusChanged(int status)
{
    if (!configService().isFreshStatusViewWhenConnectStatusChanged())
        return;
    if (configService().isFreshStatusViewWhenNewSMSArrive() && (unreadSmsWaitsIn(0) || unreadSmsWaitsIn(1)))
        return;
    freshStatusViewToStaticViewAccorindToDialStatus(status);
    // States between idle and connected keep the picture; the item no longer opens the inbox.
    if (status != 0 && status != 3 && viewSysStatusItem_) {
        viewSysStatusItem_->setAction({});
        viewSysStatusItem_->setMenu(menuSysStatusItem_);
    }
}

void MainController::freshStatusViewToStaticViewAccorindToDialStatus(int status)
{
    if (status == 0)
        setImageOfStatusBarViewWithImageName(QStringLiteral("SysStatusItemDisConnected.PNG"));
    else if (status == 3)
        setImageOfStatusBarViewWithImageName(QStringLiteral("SysStatusItemConnected.PNG"));
}

void MainController::setImageOfStatusBarViewWithImageName(const QString &name)
{
    if (!viewSysStatusItem_)
        return;
    viewSysStatusItem_->stopAnimation();
    const QImage image = namedImage(name);
    if (!image.isNull())
        viewSysStatusItem_->setImage(image);
    viewSysStatusItem_->setAction({});
    viewSysStatusItem_->setMenu(menuSysStatusItem_);
}

void MainController::gotoSMSUIOfCompleteWnd()
{
    if (wndCompleteMain_ && wndMain != wndCompleteMain_)
        switchToModel(CompleteModel);
    if (wndMain) {
        if (wndMain->isMinimized())
            wndMain->showNormal();
        else
            wndMain->show();
        wndMain->raise();
        wndMain->activateWindow();
    }
    notifyChangeTabViewItem(QStringLiteral("SMS"));
    Neighbours::sms().GotoInbox();
}

} // namespace ostrel
