// MainController: the operator's SMS and USSD shortcuts, help documents, the TV-player launcher
// and the cell-broadcast panel.
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/MainControllerText.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "platform/process/ProgramLauncher.h"

#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLoggingCategory>
#include <QPushButton>
#include <QVBoxLayout>

Q_DECLARE_LOGGING_CATEGORY(lcMainController)

namespace ostrel {

using main_text::tr_;

namespace {

int shortcutTagOf(QObject *sender)
{
    if (!sender)
        return -1;
    bool ok = false;
    const int tag = sender->property("tag").toInt(&ok);
    return ok ? tag : -1;
}

} // namespace

// --- SMS shortcuts ----------------------------------------------------------------------------------

void MainController::tbiMainSendSMS(QObject *)
{
    const QVariantMap special = yov::nsDict(setting(QStringLiteral("SMS"), QStringLiteral("SpecialSMS")));
    const QString number = yov::nsString(special.value(QStringLiteral("TO_NUMBER")));
    const QString text = yov::nsString(special.value(QStringLiteral("SMS_CONTENT")));
    if (number.isEmpty() || text.isEmpty()) {
        qCInfo(lcMainController) << "no special SMS is configured";
        return;
    }
    // Marked as sent only when the SMS area took it: a refused send (no device, a send run under
    // way) would otherwise make the operator's usage answer look expected when none can come.
    if (!Neighbours::sms().sendMessageto(number, text)) {
        qCWarning(lcMainController) << "the special SMS could not be handed to the SMS area";
        return;
    }
    Neighbours::smsService().setBAlreadySendedCheckUsageSMS(true);
}

void MainController::tbiMainSendVolStatusCheckSMS(QObject *)
{
    const QVariantMap recharge = Neighbours::smsService().processListOfRecharge();
    const QString number = yov::nsString(recharge.value(QStringLiteral("PurchargeBySMS_ServerNumber")));
    const QString text = yov::nsString(recharge.value(QStringLiteral("PurchargeBySMS_VolStatusRequire")));
    if (number.isEmpty() || text.isEmpty()) {
        qCInfo(lcMainController) << "no volume-check SMS is configured";
        return;
    }
    Neighbours::smsService().setUnshowInfoWndWhenSendSmsByFlag(true);
    if (!Neighbours::sms().sendSmsTo(number, text, false, true, false))
        qCWarning(lcMainController) << "the volume-check SMS could not be handed to the SMS area";
}

// --- USSD shortcuts ---------------------------------------------------------------------------------

void MainController::checkMyNumber(QObject *) { notificationCenter().post(QString(notifications::kUSSDBundleMessage)); }

void MainController::openUSSDWndDedeviTopup(QObject *)
{
    notificationCenter().post(QString(notifications::kUSSDBundleMessage), nullptr,
                              {{QString(notifications::kUSSDActionKey), QStringLiteral("TopUp")}});
}

void MainController::openUSSDWndDedeviCheckbalance(QObject *)
{
    notificationCenter().post(QString(notifications::kUSSDBundleMessage), nullptr,
                              {{QString(notifications::kUSSDActionKey), QStringLiteral("CheckBalance")}});
}

void MainController::openUSSDWndDedeviBuybundles(QObject *)
{
    notificationCenter().post(QString(notifications::kUSSDBundleMessage), nullptr,
                              {{QString(notifications::kUSSDActionKey), QStringLiteral("BuyBundle")}});
}

void MainController::tbiMainPopUpUssdAction(QObject *) { notificationCenter().post(QString(notifications::kOpenPopUpUssdWnd)); }

void MainController::toolbarCallUssdSheetWnd(QObject *sender)
{
    const QString identifier = sender ? sender->property("itemIdentifier").toString() : QString();
    if (identifier == QLatin1String("USSD3"))
        popUpUssdSeetWithTag(1);
    else if (identifier == QLatin1String("USSD4"))
        popUpUssdSeetWithTag(2);
}

void MainController::popUpUssdSeetWithTag(int tag)
{
    notificationCenter().post(QString(notifications::kNotifyPopupSheetUssdWndPlugin), nullptr,
                              {{QString(notifications::kUssdPopWndTagKey), tag},
                               {QString(notifications::kHostMainWndKey), QVariant::fromValue<QObject *>(wndMain.data())}});
}

void MainController::popUpRefillSheet(QObject *) { popUpUssdSeetWithTag(1); }

void MainController::popUpCheckBalanceSheet(QObject *) { popUpUssdSeetWithTag(2); }

void MainController::tbiChangeAPNSelection(QObject *) { notificationCenter().post(QString(notifications::kChangeAPNSelection)); }

// --- the operator's own windows ----------------------------------------------------------------------

QDialog *MainController::operatorTextWindow(QPointer<QDialog> &window, const QString &name, const QString &title,
                                            const QString &textKey)
{
    if (window)
        return window;
    auto *panel = new QDialog(wndMain, Qt::Dialog);
    panel->setObjectName(name);
    panel->setWindowTitle(tr_(title));
    // Wide enough for a few sentences to read as lines, not as a narrow column.
    panel->setMinimumWidth(380);
    auto *layout = new QVBoxLayout(panel);
    auto *text = new QLabel(tr_(textKey), panel);
    text->setObjectName(name + QStringLiteral("Text"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text);
    auto *buttons = new QHBoxLayout;
    buttons->setObjectName(name + QStringLiteral("Buttons"));
    buttons->addStretch(1);
    auto *close = new QPushButton(tr_("Close"), panel);
    close->setObjectName(name + QStringLiteral("Close"));
    connect(close, &QPushButton::clicked, panel, &QDialog::hide);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    window = panel;
    return panel;
}

void MainController::orderWindowFront(QWidget *window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

QDialog *MainController::balanceWindow()
{
    if (wndUSSDPopUp_)
        return wndUSSDPopUp_;
    QDialog *panel = operatorTextWindow(wndUSSDPopUp_, QStringLiteral("wndUSSDPopUp"), QStringLiteral("Balance"),
                                        QStringLiteral("STRING_BALANCE_INFO"));
    // The window's own USSD shortcuts, before its Close button.
    auto *row = panel->findChild<QHBoxLayout *>(QStringLiteral("wndUSSDPopUpButtons"));
    struct Shortcut {
        const char *name;
        const char *title;
        void (MainController::*action)(QObject *);
    };
    static const Shortcut shortcuts[] = {
        {"btnBalanceTopUp", "Top Up", &MainController::openUSSDWndDedeviTopup},
        {"btnBalanceCheck", "Check Balance", &MainController::openUSSDWndDedeviCheckbalance},
        {"btnBalanceBuyBundles", "Buy Bundles", &MainController::openUSSDWndDedeviBuybundles},
    };
    int at = 0;
    for (const Shortcut &shortcut : shortcuts) {
        auto *button = new QPushButton(tr_(QLatin1String(shortcut.title)), panel);
        button->setObjectName(QLatin1String(shortcut.name));
        const auto action = shortcut.action;
        connect(button, &QPushButton::clicked, this, [this, action] { (this->*action)(nullptr); });
        row->insertWidget(at++, button);
    }
    return panel;
}

void MainController::tbiMainUSSDPopUPAction(QObject *) { orderWindowFront(balanceWindow()); }

void MainController::closeUSSDPopUPAction(QObject *)
{
    if (wndUSSDPopUp_)
        wndUSSDPopUp_->hide();
}

void MainController::openWndDedeviQuickTips(QObject *)
{
    centerAndShow(operatorTextWindow(wndDedeviQuickTips_, QStringLiteral("wndDedeviQuickTips"),
                                     QStringLiteral("Quick Tips"), QStringLiteral("STRING_QUICK_TIPS")));
}

void MainController::showSupportWindowForViettel(QObject *)
{
    orderWindowFront(operatorTextWindow(supportWindow_, QStringLiteral("supportWindow"), QStringLiteral("Support"),
                                        QStringLiteral("STRING_SUPPORT_INFO")));
}

void MainController::showUSSDGuideWindowForViettel(QObject *)
{
    orderWindowFront(operatorTextWindow(ussdGuideWindow_, QStringLiteral("ussdGuideWindow"),
                                        QStringLiteral("USSD Guide"), QStringLiteral("STRING_USSD_GUIDE")));
}

// --- help documents and applications -----------------------------------------------------------------

void MainController::tbiMainRAVOHelpClick(QObject *)
{
    const QString localizedPath = tr_("STRING_HELP_FILE_PATH_LABLES");
    const QString name = QFileInfo(localizedPath).fileName();
    const QString folder = config().modemListPath();
    const QString path = name.isEmpty() || folder.isEmpty() ? QString() : QDir(folder).filePath(name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        qCInfo(lcMainController).noquote() << "no help document" << localizedPath << "in the configuration folder";
        return;
    }
    openDocument(path);
}

void MainController::performOpenHelpActionForViettel(QObject *sender) { openHelpDocumentByTag(shortcutTagOf(sender)); }

void MainController::openHelpDocumentByTag(int tag)
{
    const QVariantList files =
        yov::nsArray(yov::nsDict(setting(QStringLiteral("VietnamViettelKV406"))).value(QStringLiteral("HelpFileArray")));
    if (tag < 0 || tag >= files.size())
        return;
    const QString name = QFileInfo(yov::nsString(files.at(tag))).fileName();
    const QString folder = config().modemListPath();
    const QString path = name.isEmpty() || folder.isEmpty() ? QString() : QDir(folder).filePath(name);
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        qCInfo(lcMainController).noquote() << "the help document" << name << "is not in the configuration folder";
        return;
    }
    openDocument(path);
}

void MainController::registerHelpFileMenuItems()
{
    const QVariantList files =
        yov::nsArray(yov::nsDict(setting(QStringLiteral("VietnamViettelKV406"))).value(QStringLiteral("HelpFileArray")));
    for (int tag = 0; tag < files.size(); ++tag) {
        const QString title = QFileInfo(yov::nsString(files.at(tag))).completeBaseName();
        if (title.isEmpty())
            continue;
        QPointer<MainController> self(this);
        registerMenuItem(QStringLiteral("Help"), title, [self, tag] {
            if (self)
                self->openHelpDocumentByTag(tag);
        });
    }
}

void MainController::tbiMainYOVPlayerAction(QObject *)
{
    const QString name = tr_("TV Player");
    const QString program = QDir(resourcesFolder()).filePath(name + QStringLiteral(".app"));
    const bool started = yov::ProgramLauncher::launchApplication(program);
    if (started)
        qCInfo(lcMainController) << "YOVPlayer is sucessfully launched!";
    else
        qCWarning(lcMainController) << "YOVPlayer is failed to be launched!";
}

// --- the cell-broadcast panel ----------------------------------------------------------------------

void MainController::receiveSMSBroadCast(const yov::Notification &notification)
{
    const QString text = yov::nsString(notification.userInfo.value(notifications::kReceiveBroadCastText));
    if (text.isEmpty())
        return;
    setBroadcastMsg(text);
    if (!wndBroadcastReport_) {
        auto *panel = new QDialog(wndMain, Qt::Dialog);
        panel->setObjectName(QStringLiteral("wndBroadcastReport"));
        panel->setWindowTitle(tr_("Broadcast"));
        panel->setMinimumWidth(380);
        auto *layout = new QVBoxLayout(panel);
        tfdBroadCast_ = new QLabel(panel);
        tfdBroadCast_->setObjectName(QStringLiteral("tfdBroadCast"));
        tfdBroadCast_->setWordWrap(true);
        tfdBroadCast_->setTextFormat(Qt::PlainText);
        tfdBroadCast_->setTextInteractionFlags(Qt::TextSelectableByMouse);
        auto *ok = new QPushButton(tr_("OK"), panel);
        ok->setObjectName(QStringLiteral("btnBroadcastOK"));
        auto *row = new QHBoxLayout;
        row->addStretch(1);
        row->addWidget(ok);
        layout->addWidget(tfdBroadCast_);
        layout->addLayout(row);
        connect(ok, &QPushButton::clicked, this, [this] { broadcastReportOK(nullptr); });
        wndBroadcastReport_ = panel;
        tfdBroadCast_->setText(text);
    }
    wndBroadcastReport_->show();
    wndBroadcastReport_->raise();
}

void MainController::setBroadcastMsg(const QString &text)
{
    if (labelBroadCast_)
        labelBroadCast_->setText(text);
    if (tfdBroadCast_)
        tfdBroadCast_->setText(text);
}

void MainController::broadcastReportOK(QObject *)
{
    if (wndBroadcastReport_)
        wndBroadcastReport_->hide();
}

} // namespace ostrel
