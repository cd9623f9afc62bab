// The two alternative skins of the main window: the mini skin (a small window with a pop-up
// window that holds the status row and the tabs) and the smart skin (three stacked views with a
// home page). Which one is built is the skin's UI configuration's choice (MiniUI, SmartUI); a
// skin that lacks an item either names leaves the normal window in place.
#include "ostrel/device/main/MainController.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/widgets/WebView.h"
#include "ostrel/framework/widgets/WebViewUtilities.h"

#include <QLabel>
#include <QLoggingCategory>
#include <QMainWindow>
#include <QStatusBar>
#include <QVBoxLayout>

Q_DECLARE_LOGGING_CATEGORY(lcMainController)

namespace ostrel {

namespace {

// The skin items each alternative skin is built from; without any of them it is not built.
QStringList requiredSkinItems(MainController::SkinKind kind)
{
    switch (kind) {
    case MainController::SkinKind::Mini:
        return {QStringLiteral("wndMain"), QStringLiteral("wndMainPopup"), QStringLiteral("wndMainStatusView"),
                QStringLiteral("wndMainTabview")};
    case MainController::SkinKind::Smart:
        return {QStringLiteral("wndMain"), QStringLiteral("viewTopFixed"), QStringLiteral("viewMiddleChangeable"),
                QStringLiteral("viewBottomFixed"), QStringLiteral("wndMainTabview")};
    case MainController::SkinKind::Normal:
        break;
    }
    return {};
}

// Hides the window's own contents, so that the skin's views stand alone in it.
void hideOwnContents(QWidget *central)
{
    for (QObject *child : central->children())
        if (auto *widget = qobject_cast<QWidget *>(child); widget && widget->isWindow() == false)
            widget->hide();
}

// The window takes the size the skin gives its content.
void fitWindowToContent(QMainWindow *window, QWidget *central)
{
    central->setFixedSize(central->size());
    window->setMinimumSize(0, 0);
    window->adjustSize();
}

} // namespace

MainController::SkinKind MainController::skinKindOf(const QVariantMap &uiConfig)
{
    if (yov::nsBool(uiConfig.value(QStringLiteral("MiniUI"))))
        return SkinKind::Mini;
    if (yov::nsBool(uiConfig.value(QStringLiteral("SmartUI"))))
        return SkinKind::Smart;
    return SkinKind::Normal;
}

QString MainController::miniNetworkText(const QString &network)
{
    if (network == QLatin1String("HSDPA") || network == QLatin1String("HSUPA"))
        return QStringLiteral("HSPA");
    if (network == QLatin1String("UMTS"))
        return QStringLiteral("3G");
    return network;
}

void MainController::initializeSkin()
{
    if (!yovSkinManager())
        return;
    SkinKind kind = skinKindOf(uiConfigDict());
    for (const QString &key : requiredSkinItems(kind)) {
        if (!yovSkinManager()->hasKey(key)) {
            qCWarning(lcMainController).noquote()
                << "the skin has no item" << key << "for its" << (kind == SkinKind::Mini ? "mini" : "smart")
                << "window: the normal window is used";
            kind = SkinKind::Normal;
            break;
        }
    }
    skinKind_ = kind;
}

QStatusBar *MainController::mainStatusBar() const
{
    if (miniStatusBar_)
        return miniStatusBar_;
    if (auto *window = qobject_cast<QMainWindow *>(wndCompleteMain_.data()))
        return window->statusBar();
    return nullptr;
}

bool MainController::initializeMiniSkin()
{
    SkinManagerAccess *skin = yovSkinManager();
    auto *window = qobject_cast<QMainWindow *>(wndCompleteMain_.data());
    QWidget *central = window ? window->centralWidget() : nullptr;
    if (!skin || !central || !tabviewMain)
        return false;
    registerUINotifications();

    auto *popup = new QWidget(window, Qt::Tool | Qt::FramelessWindowHint);
    popup->setObjectName(QStringLiteral("wndMainPopup"));
    skin->registerController(popup, QStringLiteral("wndMainPopup"), true);
    dressWithSkinImage(popup, QStringLiteral("wndMainPopup"));
    wndMainPopup = popup;

    auto *status = new QStatusBar(popup);
    status->setObjectName(QStringLiteral("wndMainStatusView"));
    status->setSizeGripEnabled(false);
    skin->registerController(status, QStringLiteral("wndMainStatusView"), true);
    dressWithSkinImage(status, QStringLiteral("wndMainStatusView"));
    miniStatusBar_ = status;
    if (window->statusBar())
        window->statusBar()->hide();

    tabviewMain->setParent(popup);
    skin->registerController(tabviewMain, QStringLiteral("wndMainTabview"), true);
    tabviewMain->show();

    hideOwnContents(central);
    skin->registerController(central, QStringLiteral("wndMain"), true);
    dressWithSkinImage(central, QStringLiteral("wndMain"));
    fitWindowToContent(window, central);
    initializeBtnsOfView(central, QStringLiteral("TitlebarItems"));
    initializeBtnsOfView(central, QStringLiteral("ToolbarItems"));
    initializeImageViewOfView(central, QStringLiteral("MiniUIImageViews"));
    // The network text, where the skin places one.
    if (skin->hasKey(QStringLiteral("labelNetworkStatus"))) {
        auto *network = new QLabel(central);
        network->setObjectName(QStringLiteral("labelNetworkStatus"));
        if (!registerController(network, QStringLiteral("labelNetworkStatus"), central))
            qCInfo(lcMainController) << "the network text could not be placed";
    }
    return true;
}

bool MainController::initializeSmartSkin()
{
    SkinManagerAccess *skin = yovSkinManager();
    auto *window = qobject_cast<QMainWindow *>(wndCompleteMain_.data());
    QWidget *central = window ? window->centralWidget() : nullptr;
    if (!skin || !central || !tabviewMain)
        return false;
    registerUINotifications();
    hideOwnContents(central);
    skin->registerController(central, QStringLiteral("wndMain"), true);
    dressWithSkinImage(central, QStringLiteral("wndMain"));
    fitWindowToContent(window, central);

    QWidget *top = createNSViewExtByKey(QStringLiteral("viewTopFixed"), central);
    initializeBtnsOfView(top, QStringLiteral("btnsInViewTopFixed"));
    initializeLabelsOfView(top, QStringLiteral("labesInViewTopFixed"));
    initializeImageViewOfView(top, QStringLiteral("imageViewsInViewTopFixed"));
    if (top && skin->hasKey(QStringLiteral("webViewInTopFixed"))) {
        WebView *web = WebViewUtilities::createWebView(top);
        web->setObjectName(QStringLiteral("webViewInTopFixed"));
        if (!registerController(web, QStringLiteral("webViewInTopFixed"), top))
            qCInfo(lcMainController) << "the top view's web view could not be placed";
    }

    QWidget *middle = createNSViewExtByKey(QStringLiteral("viewMiddleChangeable"), central);
    if (middle) {
        tabviewMain->setParent(middle);
        skin->registerController(tabviewMain, QStringLiteral("wndMainTabview"), true);
        initializeTabViewItemOfView(tabviewMain, QStringLiteral("tabViewItemArray"));
        tabviewMain->show();
    }

    QWidget *bottom = createNSViewExtByKey(QStringLiteral("viewBottomFixed"), central);
    initializeBtnsOfView(bottom, QStringLiteral("btnsInViewBottomFixed"));
    initializeLabelsOfView(bottom, QStringLiteral("labelsInViewBottomFixed"));

    if (QWidget *page = tabPage(QStringLiteral("HomePage"))) {
        WebView *web = WebViewUtilities::createWebView(page);
        web->setObjectName(QStringLiteral("webViewInHomePage"));
        auto *layout = page->layout() ? page->layout() : new QVBoxLayout(page);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(web);
        if (skin->hasKey(QStringLiteral("webViewInHomePage")))
            skin->registerController(web, QStringLiteral("webViewInHomePage"), true);
        webViewInHomePage_ = web;
        webViewForShowLocalWebUI_ = web; // the home page of every skin is this one view
        changeMainTabViewItemSize(QStringLiteral("HomePage"));
        refreshWebView();
    }
    notifyChangeTabViewItem(QStringLiteral("HomePage"));
    return true;
}

void MainController::registerUINotifications()
{
    static const NotificationTableRow table[] = {
        {"updateSingalStrength:", "init_SingalStrength"},
        {"updateRoamStatus:", "init_RoamStatus"},
        {"updateBelonetoSPN:", "init_BeloneToSPN"},
        {"updateModemStatus:", "init_ModemConnected"},
        {"updateSimStatus:", "init_SimStatus"},
        {"updateNetworkStatus:", "init_NetworkStatus"},
        {"updateDomainName:", "init_DomainName"},
        {"updateLocalSPN:", "init_LocalSPN"},
        {nullptr, nullptr},
    };
    registerNotification(table);
}

void MainController::updateSingalStrength(const yov::Notification &notification)
{
    if (!yovSkinManager())
        return;
    const int level = yov::nsInt(notification.userInfo.value(QStringLiteral("init_SingalStrength")));
    yovSkinManager()->setImageForKey(QStringLiteral("imageviewSingal"), QString::number(level), true);
}

void MainController::updateNetworkStatus(const yov::Notification &notification)
{
    if (!yovSkinManager())
        return;
    auto *label = qobject_cast<QLabel *>(yovSkinManager()->controllerByKey(QStringLiteral("labelNetworkStatus")));
    if (!label)
        return;
    label->setText(miniNetworkText(yov::nsString(notification.userInfo.value(QStringLiteral("init_NetworkStatus")))));
    yovSkinManager()->updateItem(label);
}

// The mini skin shows nothing of these states.
void MainController::updateRoamStatus(const yov::Notification &) {}
void MainController::updateBelonetoSPN(const yov::Notification &) {}
void MainController::updateLocalSPN(const yov::Notification &) {}
void MainController::updateModemStatus(const yov::Notification &) {}
void MainController::updateSimStatus(const yov::Notification &) {}
void MainController::updateDomainName(const yov::Notification &) {}

void MainController::btnDialConnectExt(QObject *sender)
{
    notificationCenter().post(QStringLiteral("dialOption"), sender);
}

void MainController::closeMainPopupWindow(QObject *)
{
    if (wndMainPopup)
        wndMainPopup->hide();
}

} // namespace ostrel
