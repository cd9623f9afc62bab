// MainController: the operator links of the main window (toolbar items, drawer buttons, portal
// menus, the main page's text link and the operator layouts' link labels).
//
// Every address goes to the desktop's browser, and only an http or https address is opened. The
// addresses come from the sender's URL label (its localised form), from the web links of the
// settings (webURLDict), or from the operator's hosts, which are deployment configuration: the
// dictionary Main/OperatorLinks, empty by default, with the paths the links add.
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/MainControllerText.h"

#include "common/TextFormat.h"
#include "common/ValueConversion.h"
#include "common/PlistBridge.h"
#include "ostrel/device/service/InitService.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/controller/Drawer.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "ostrel/framework/widgets/Buttons.h"
#include "ostrel/framework/widgets/Items.h"
#include "platform/alert/AlertPresenter.h"
#include "platform/process/ProgramLauncher.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLoggingCategory>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QUrl>

Q_DECLARE_LOGGING_CATEGORY(lcMainController)

namespace ostrel {

using main_text::tr_;

namespace {

// The identity of an enciphered link is read from a 64-byte zero-filled buffer.
constexpr int kLinkCipherBufferSize = 64;

struct DrawerLink {
    int tag;
    const char *key;
    const char *path;
    const char *title;
    const char *name;
};
// The drawer's link buttons: tag, host key of Main/OperatorLinks, the path added, button title,
// button name.
constexpr DrawerLink kDrawerLinks[] = {
    {11, "Shop", "", "CUSTOM_ESHOP_STR", "btnEShop"},
    {22, "Devices", "", "CUSTOM_MOBILE_DEVICE_STR", "btnMobileDevice"},
    {33, "PartnerPortal", "", "CUSTOM_TRAVARU_STR", "btnTravaru"},
    {44, "Signal", "", "CUSTOM_CHANGE_SIGNAL_STR", "btnChangeSignal"},
    {55, "Operator", "/guide", "CUSTOM_SERVICE_GUIDE_STR", "btnServiceGuide"},
    {66, "Operator", "/offices/payment/?from=first", "CUSTOM_FILLUP_STR", "btnFillUp"},
    {77, "MMS", "/?from=first", "CUSTOM_MMS_STR", "btnMMS"},
    {88, "InternetTelephony", "", "CUSTOM_MULTIFON_STR", "btnMultiFon"},
};

int tagOf(QObject *sender)
{
    if (!sender)
        return -1;
    bool ok = false;
    const int tag = sender->property("tag").toInt(&ok);
    return ok ? tag : -1;
}

QString titleOf(QObject *sender)
{
    if (auto *action = qobject_cast<QAction *>(sender))
        return action->property("language").toString().isEmpty() ? action->text()
                                                                  : action->property("language").toString();
    if (auto *button = qobject_cast<QAbstractButton *>(sender))
        return button->text();
    return sender ? sender->property("title").toString() : QString();
}

} // namespace

// --- addresses ------------------------------------------------------------------------------------

QString MainController::operatorLink(const QString &key, const QString &path) const
{
    const QString host = yov::nsString(yov::nsDict(setting(QStringLiteral("Main"), QStringLiteral("OperatorLinks"))).value(key));
    if (host.isEmpty())
        return {};
    QString base = host;
    while (!path.isEmpty() && base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return base + path;
}

bool MainController::openOperatorAddress(const QString &address, const char *what)
{
    if (address.isEmpty()) {
        qCInfo(lcMainController).noquote() << "no address for" << what;
        return false;
    }
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) || url.host().isEmpty()) {
        qCWarning(lcMainController).noquote() << "not an http or https address for" << what << "- nothing opened:" << address;
        return false;
    }
    openSafari(url.toString());
    return true;
}

QString MainController::urlLabelAddress(QObject *sender) const
{
    QString label;
    if (auto *item = qobject_cast<NSToolbarItemExt *>(sender))
        label = item->urlLabel();
    else if (auto *button = qobject_cast<NSButtonExt *>(sender))
        label = button->urlLabel();
    if (label.isEmpty() && sender)
        label = sender->property("urlLabel").toString();
    return label.isEmpty() ? QString() : tr_(label);
}

QString MainController::drawerLinkAddress(int tag) const
{
    for (const DrawerLink &link : kDrawerLinks)
        if (link.tag == tag)
            return operatorLink(QString::fromLatin1(link.key), QString::fromLatin1(link.path));
    return {};
}

QString MainController::tataMenuAddress(const QString &title) const
{
    static const QMap<QString, QString> portalPaths{{QStringLiteral("Market"), QStringLiteral("/3G/market.aspx")},
                                                    {QStringLiteral("Fortune"), QStringLiteral("/3G/fortune.aspx")},
                                                    {QStringLiteral("Docomics"), QStringLiteral("/3G/docomics.aspx")},
                                                    {QStringLiteral("Prayer"), QStringLiteral("/3G/prayer.aspx")}};
    if (portalPaths.contains(title))
        return operatorLink(QStringLiteral("Portal"), portalPaths.value(title));
    return operatorLink(title);
}

QString MainController::encipheredLinkText(const QString &identity) const
{
    const QByteArray cipher = InitService(&config()).encode(identity);
    // The buffer keeps its last byte zero: at most 63 bytes of cipher text, up to the first zero.
    QByteArray buffer = cipher.left(kLinkCipherBufferSize - 1);
    if (const qsizetype zero = buffer.indexOf('\0'); zero >= 0)
        buffer.truncate(zero);
    return QString::fromUtf8(buffer);
}

// --- toolbar links --------------------------------------------------------------------------------

void MainController::tbiMainURLAction(QObject *sender)
{
    const QString address = urlLabelAddress(sender);
    if (address.isEmpty())
        return;
    openOperatorAddress(address, "the toolbar link");
}

void MainController::tbiMainURLWithAlertAction(QObject *sender)
{
    if (NSRunAlertPanelExt(tr_("Warning"), tr_("STRING_URL_ALERT"), tr_("OK"), tr_("Cancel"))
        != yov::AlertPresenter::DefaultReturn)
        return;
    urlWithAlertToolBarItem_ = sender;
    if (yov::nsBool(runtimeObjectForKey(QStringLiteral("runtimeIsConnecttedFlag")))) {
        openURLWithAlertClicked_ = false;
        openOperatorAddress(urlLabelAddress(sender), "the confirmed link");
        return;
    }
    openURLWithAlertClicked_ = true;
    notificationCenter().post(QStringLiteral("dialOption"), sender);
}

void MainController::tbiMainOpenURLWithAlertAndAutoConnectAction(QObject *sender)
{
    urlWithAlertToolBarItem_ = sender;
    if (yov::nsBool(runtimeObjectForKey(QStringLiteral("runtimeIsConnecttedFlag")))) {
        openOperatorAddress(urlLabelAddress(sender), "the confirmed link");
        return;
    }
    if (NSRunAlertPanelExt(tr_("Warning"), tr_("STRING_URL_ALERT"), tr_("OK"), tr_("Cancel"))
        != yov::AlertPresenter::DefaultReturn)
        return;
    notificationCenter().post(QStringLiteral("dialOption"), sender);
    openURLWithAlertClicked_ = true;
}

void MainController::connectStatusDidChange(const yov::Notification &notification)
{
    const int status = yov::nsInt(notification.userInfo.value(QStringLiteral("ConnectStatus")));
    if (status == 3) {
        // A link confirmed while disconnected opens once, now that the connection stands.
        if (std::exchange(openURLWithAlertClicked_, false))
            openOperatorAddress(urlLabelAddress(urlWithAlertToolBarItem_), "the confirmed link");
        if (yov::nsBool(yov::nsDict(setting(QStringLiteral("KenyaDedeviKV408"))).value(QStringLiteral("OpenMainPage"))))
            gotoWebsiteMainpage(nullptr);
    } else {
        openURLWithAlertClicked_ = false;
    }
    freshStatusViewWhenDialStatusChanged(status);
}

void MainController::tbimainURLEncipherAction(QObject *sender)
{
    const QString imsi = yov::nsString(setting(QStringLiteral("simIMSI")));
    const QString label = urlLabelAddress(sender);
    if (imsi.isEmpty() || label.isEmpty())
        return;
    const QString cipher = encipheredLinkText(imsi + QLatin1Char('0'));
    if (cipher.isEmpty()) {
        qCWarning(lcMainController) << "the IMSI could not be enciphered: the link is not opened";
        return;
    }
    openOperatorAddress(label + cipher, "the enciphered link");
}

void MainController::tbimainURLEncipherActionExt(QObject *sender)
{
    const QString format = urlLabelAddress(sender);
    if (format.isEmpty())
        return;
    const QString imsi = yov::nsString(setting(QStringLiteral("simIMSI")));
    const QString imei = yov::nsString(runtimeObjectForKey(QStringLiteral("runtimeIMEI")));
    QString imsiCipher;
    QString imeiCipher;
    if (!imsi.isEmpty() && (imsiCipher = encipheredLinkText(imsi)).isEmpty()) {
        qCWarning(lcMainController) << "the IMSI could not be enciphered: the link is not opened";
        return;
    }
    if (!imei.isEmpty() && (imeiCipher = encipheredLinkText(imei)).isEmpty()) {
        qCWarning(lcMainController) << "the IMEI could not be enciphered: the link is not opened";
        return;
    }
    // The label is operator data: its "%@" are filled in order, never read as a printf format.
    openOperatorAddress(yov::formatPlaceholders(format, {imeiCipher, imsiCipher}), "the enciphered link");
}

void MainController::tbiMainHomewebAction(QObject *)
{
    const bool started = yov::ProgramLauncher::shared().startDetached(QStringLiteral("x-www-browser"), {});
    if (!started)
        qCWarning(lcMainController) << "the desktop's browser (x-www-browser) could not be started";
}

void MainController::gotoWebsiteMainpage(QObject *)
{
    openOperatorAddress(yov::nsString(webURLForKey(QStringLiteral("MainPage"))), "the operator main page");
}

// --- drawer and menu links ------------------------------------------------------------------------

void MainController::openLinkPage(QObject *sender)
{
    const int tag = tagOf(sender);
    for (const DrawerLink &link : kDrawerLinks)
        if (link.tag == tag) {
            openOperatorAddress(drawerLinkAddress(tag), "a drawer link");
            return;
        }
}

void MainController::buildDrawerLinkButtons(QWidget *content)
{
    auto *layout = new QVBoxLayout(content);
    // The customer-service button heads the list; it carries no link of its own.
    auto *service = new QToolButton(content);
    service->setObjectName(QStringLiteral("btnService"));
    layout->addWidget(service);
    for (const DrawerLink &link : kDrawerLinks) {
        auto *button = new QToolButton(content);
        button->setObjectName(QString::fromLatin1(link.name));
        button->setProperty("tag", link.tag);
        connectAction(button, QStringLiteral("openLinkPage:"));
        layout->addWidget(button);
    }
    for (QToolButton *button : content->findChildren<QToolButton *>()) {
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    layout->addStretch(1);
}

void MainController::loadLinkButtonTitleWording()
{
    if (!viewDrawerLinks_)
        return;
    for (QAbstractButton *button : viewDrawerLinks_->findChildren<QAbstractButton *>()) {
        const int tag = tagOf(button);
        if (button->objectName() == QLatin1String("btnService")) {
            button->setText(tr_("CUSTOM_SERVICE_STR"));
            continue;
        }
        for (const DrawerLink &link : kDrawerLinks)
            if (link.tag == tag)
                button->setText(tr_(link.title));
    }
}

void MainController::loadDrawerLinkWnd(QObject *)
{
    // The link drawer opens and closes like the skin's drawer, but leaves the skin's images alone.
    if (!drawerLink)
        return;
    if (drawerLink->isOpen())
        drawerLink->close();
    else
        drawerLink->open();
}

void MainController::openIbiboWebsites(QObject *sender)
{
    const int tag = tagOf(sender);
    if (tag < 91 || tag > 93)
        return;
    openOperatorAddress(operatorLink(QStringLiteral("PartnerShortLink%1").arg(tag - 90)), "a partner link");
}

void MainController::openTATAMenuLinks(QObject *sender)
{
    const QString title = titleOf(sender);
    static const QStringList titles{QStringLiteral("Gaming"),   QStringLiteral("Mail"),     QStringLiteral("Market"),
                                    QStringLiteral("Videos"),   QStringLiteral("Fortune"),  QStringLiteral("Docomics"),
                                    QStringLiteral("Prayer"),   QStringLiteral("Facebook"), QStringLiteral("Google"),
                                    QStringLiteral("LinkedIn"), QStringLiteral("Twitter"),  QStringLiteral("Gmail"),
                                    QStringLiteral("Picassa"),  QStringLiteral("MySpace"),  QStringLiteral("Mobile TV"),
                                    QStringLiteral("Youtube")};
    if (!titles.contains(title))
        return;
    openTATALinks(tataMenuAddress(title));
}

void MainController::openTATALinks(const QString &address)
{
    if (Neighbours::dial().connectStatus() != 3) {
        NSRunAlertPanelExt(tr_("Warning"), tr_("Please confirm that you have connected to internet!"), tr_("OK"));
        return;
    }
    openOperatorAddress(address, "a portal menu link");
}

void MainController::openTabMenuLinks(QObject *sender) { openOperatorAddress(titleOf(sender), "a menu link"); }

void MainController::homePageClick(QObject *) { openOperatorAddress(operatorLink(QStringLiteral("Portal")), "the portal"); }

void MainController::open1und1URL(QObject *)
{
    openOperatorAddress(operatorLink(QStringLiteral("Dashboard"), QStringLiteral("/dashboardurl")), "the dashboard page");
}

void MainController::openMyistarURL(QObject *sender)
{
    const QString path = config().getFilePathWithFileName(QStringLiteral("SpecialNeedForURL.plist"));
    const std::optional<QVariant> root = path.isEmpty() ? std::nullopt : yov::PlistBridge::readFile(path);
    const QVariantList addresses = root ? yov::nsArray(*root) : QVariantList();
    const int tag = tagOf(sender);
    if (tag < 0 || tag >= addresses.size()) {
        qCInfo(lcMainController) << "no address in SpecialNeedForURL.plist for tag" << tag;
        return;
    }
    openOperatorAddress(yov::nsString(addresses.at(tag)), "a SpecialNeedForURL.plist link");
}

// --- text links -----------------------------------------------------------------------------------

void MainController::textFieldOpenLink(QLabel *label, const QString &text, const QString &address, int pointSize,
                                       const QString &color)
{
    if (!label)
        return;
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    const QUrl url(address, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const bool linked = url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https"));
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::TextBrowserInteraction);
    label->setOpenExternalLinks(false);
    const QString shown = text.toHtmlEscaped();
    if (linked)
        label->setText(QStringLiteral("<a href=\"%1\" style=\"color:%2; text-decoration:underline\">%3</a>")
                           .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped(), color, shown));
    else
        label->setText(QStringLiteral("<span style=\"color:%1; text-decoration:underline\">%2</span>").arg(color, shown));
    label->setProperty("linkAddress", linked ? url.toString() : QString());
    if (!label->property("linkWired").toBool()) {
        label->setProperty("linkWired", true);
        QObject::connect(label, &QLabel::linkActivated, this,
                         [this](const QString &link) { openOperatorAddress(link, "a text link"); });
    }
}

void MainController::installOperatorLinkLabels()
{
    QStatusBar *bar = mainStatusBar();
    if (!bar)
        return;
    auto addLabel = [bar](QPointer<QLabel> &label, const char *name) {
        if (label)
            return;
        label = new QLabel(bar);
        label->setObjectName(QString::fromLatin1(name));
        bar->addWidget(label);
    };
    if (!InitService(&config()).getInternetAddressAtMainPage().isEmpty()) {
        addLabel(labelForTextLinkAddress_, "labelForTextLinkAddress");
        setTextLinkAddressForMainPage();
    }
    if (yov::nsBool(setting(QStringLiteral("Main"), QStringLiteral("initWindowForDidizu")))) {
        addLabel(labelHomeLinkForDidizu_, "labelHomeLinkForDidizu");
        addLabel(labelPostPaidLinkForDidizu_, "labelPostPaidLinkForDidizu");
        addLabel(labelPrePaidLinkForDidizu_, "labelPrePaidLinkForDidizu");
        initMainWindowForDidizu();
    }
}

void MainController::setTextLinkAddressForMainPage()
{
    const QString address = InitService(&config()).getInternetAddressAtMainPage();
    if (address.isEmpty() || !labelForTextLinkAddress_)
        return;
    textFieldOpenLink(labelForTextLinkAddress_, address, address, 11, QStringLiteral("#0000ff"));
}

void MainController::initMainWindowForDidizu()
{
    if (!yov::nsBool(setting(QStringLiteral("Main"), QStringLiteral("initWindowForDidizu"))))
        return;
    auto address = [this](const char *key) { return yov::nsString(setting(QStringLiteral("Main"), QString::fromLatin1(key))); };
    const QString halfBlack = QStringLiteral("rgba(0,0,0,50%)");
    textFieldOpenLink(labelHomeLinkForDidizu_, tr_("HomeLinkForDidizu"), address("HomeLinkForDidizu"), 9, halfBlack);
    textFieldOpenLink(labelPostPaidLinkForDidizu_, tr_("Click here for Didizu PostPaid bill payment"),
                      address("PostPaidLinkForDidizu"), 9, halfBlack);
    textFieldOpenLink(labelPrePaidLinkForDidizu_, tr_("Click here for Didizu PrePaid Online Recharge"),
                      address("PrePaidLinkForDidizu"), 9, halfBlack);
    if (btnUnderlineDialNumberForDidizu_) {
        QFont font = btnUnderlineDialNumberForDidizu_->font();
        font.setUnderline(true);
        btnUnderlineDialNumberForDidizu_->setFont(font);
        btnUnderlineDialNumberForDidizu_->setText(QStringLiteral("121"));
    }
}

void MainController::loadKyivstarButtonToolTip()
{
    static const char *const tips[] = {"DjuiceForKyivstar",         "MusicForKyivstar",      "GamesForKyivstar",
                                       "MyDjuiceForKyivstar",       "MusicDriveForKyivstar", "KontakeForKyivstar",
                                       "DjuiceInfoForKyivstar",     "MusicInfoForKyivstar",  "GamesInfoForKyivstar",
                                       "MyDjuiceInfoForKyivstar",   "MusicDriveInfoForKyivstar",
                                       "KontakeForInfoKyivstar"};
    for (const char *tip : tips) {
        // A button is named after the key of its tool tip ("btn" + key): a skin item of that
        // name, or a button of the main window with that object name.
        const QString key = QString::fromLatin1(tip);
        const QString name = QStringLiteral("btn") + key;
        QObject *control = yovSkinManager() ? yovSkinManager()->controllerByKey(name) : nullptr;
        if (!control && wndMain)
            control = wndMain->findChild<QAbstractButton *>(name);
        if (auto *button = qobject_cast<QWidget *>(control))
            button->setToolTip(tr_(key));
    }
}

} // namespace ostrel
