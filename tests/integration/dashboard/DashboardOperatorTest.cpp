// The operator parts of the main window through the assembled dashboard against the stand-in: the
// service-provider-code window holds the device service back until a valid code picks the
// profile the device then dials with, the registration sheet over the main window, the skin's
// drawer with its page buttons, and the operator's own windows opened from the toolbar.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/ServiceProviderCodeWindow.h"
#include "ostrel/device/main/UserRegistrationSheet.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/framework/controller/Drawer.h"
#include "ostrel/framework/neighbours/NeighbourNotifications.h"
#include "ostrel/framework/widgets/Items.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

#include <sys/stat.h>
#include <QTest>

using namespace ostrel;
using namespace dashboard_test;

namespace {

QVariantMap offeredProfile(const QString &name, const QString &apn)
{
    return {{QStringLiteral("provider"), name},
            {QStringLiteral("telNumber"), QStringLiteral("*99#")},
            {QStringLiteral("apnName"), apn},
            {QStringLiteral("apnFlag"), 1}};
}

QVariantMap toolbarEntry(const QString &identifier, const QString &label, const QString &action)
{
    return {{QStringLiteral("itemIdentifier"), identifier},
            {QStringLiteral("itemLabel"), label},
            {QStringLiteral("itemAction"), action}};
}

// A picture of the main window with another window of the dashboard drawn where it stands
// relative to it (a sheet over it, a drawer beside it), saved into $OSTREL_TEST_SCREENSHOTS.
void saveScreenshotWith(QWidget *main, QWidget *other, const QString &name)
{
    const QString path = testing_paths::screenshotPath(name);
    if (path.isEmpty() || !main || !other)
        return;
    const QRect mainFrame = main->frameGeometry();
    const QPoint at = other->frameGeometry().topLeft() - mainFrame.topLeft();
    const QRect all = QRect(QPoint(0, 0), mainFrame.size()).united(QRect(at, other->frameGeometry().size()));
    QImage picture(all.size(), QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.drawPixmap(-all.topLeft(), main->grab());
    painter.drawPixmap(at - all.topLeft(), other->grab());
    painter.end();
    picture.save(path);
}

// The colour a button shows a few pixels inside its top-left corner (its skin image, not its title).
QColor shownColour(QWidget *widget)
{
    return widget->grab().toImage().pixelColor(3, 3);
}

class DashboardOperatorTest : public DashboardFixture {
protected:
    QString deviceApn() const
    {
        return mapOf(modemState(QStringLiteral("Connection")).value(QStringLiteral("DialParams")))
            .value(QStringLiteral("Apn"))
            .toString();
    }
    // The shipped toolbar with the given items appended.
    QVariantList toolbarWith(const QVariantList &extra) const
    {
        return yov::PlistBridge::readFile(QDir(modemList_).filePath(QStringLiteral("settings.plist")))
                   ->toMap()
                   .value(QStringLiteral("toolBarItems"))
                   .toList()
               + extra;
    }
    // The toolbar item with that identifier, once it can be pressed.
    NSToolbarItemExt *toolbarItem(const QString &identifier)
    {
        NSToolbarItemExt *found = nullptr;
        for (NSToolbarItemExt *item : main()->toolbarItemsArray())
            if (item->objectName() == identifier)
                found = item;
        if (found && !QTest::qWaitFor([found] { return found->isEnabled(); }, kWaitMs))
            ADD_FAILURE() << identifier.toStdString() << " never became enabled";
        return found;
    }
};

} // namespace

TEST_F(DashboardOperatorTest, ServiceProviderCodeWindowPicksTheProfileBeforeTheDeviceStarts)
{
    setSettings({{QStringLiteral("CheckSPCode"), true},
                 {QStringLiteral("AllDialConfig"),
                  QVariantList{offeredProfile(QStringLiteral("Alpha"), QStringLiteral("alpha.apn")),
                               offeredProfile(QStringLiteral("Beta"), QStringLiteral("beta.apn"))}},
                 {QStringLiteral("AllSPCodeIndex"),
                  QVariantMap{{QStringLiteral("4242"), QVariantMap{{QStringLiteral("Index"), 1}}}}}});
    launch(QStringLiteral("default.plist"));
    ServiceProviderCodeWindow *window = main()->spCodeWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(window->window(), nullptr) << "no code window";
    EXPECT_TRUE(window->window()->isVisible());
    EXPECT_EQ(mainWindow()->windowOpacity(), 0.0);
    saveScreenshot(window->window(), QStringLiteral("service-provider-code-window.png"));
    QTest::qWait(300);
    EXPECT_FALSE(serviceRunning()) << "the stand-in waits for the code";

    // A wrong code: told, the window stays, still no device service.
    window->codeField()->setText(QStringLiteral("1"));
    window->okButton()->click();
    EXPECT_TRUE(presenter_.messages().contains(QStringLiteral("Invalid service provider code")));
    ASSERT_NE(window->window(), nullptr);
    EXPECT_FALSE(serviceRunning());

    window->codeField()->setText(QStringLiteral("4242"));
    window->okButton()->click();
    EXPECT_EQ(window->window(), nullptr);
    EXPECT_EQ(mainWindow()->windowOpacity(), 1.0);
    const QString file = QDir(modemList_).filePath(QStringLiteral("dialConfig.plist"));
    const QVariantList stored = yov::PlistBridge::readFile(file)->toList();
    ASSERT_EQ(stored.size(), 1);
    EXPECT_EQ(stored.first().toMap().value(QStringLiteral("apnName")).toString(), QStringLiteral("beta.apn"));
    struct stat info {};
    ASSERT_EQ(::stat(QFile::encodeName(file).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_FALSE(storedSettings().value(QStringLiteral("CheckSPCode")).toBool());
    ASSERT_TRUE(QTest::qWaitFor([] { return serviceRunning(); }, kWaitMs)) << "the stand-in never started";
    ASSERT_TRUE(waitSimReady());
    EXPECT_TRUE(QTest::qWaitFor([this] { return deviceApn() == QLatin1String("beta.apn"); }, kWaitMs))
        << "the device holds " << deviceApn().toStdString();
}

TEST_F(DashboardOperatorTest, RegistrationSheetOpensOverTheMainWindowAndStoresTheAnswers)
{
    setSettings({{QStringLiteral("Main/Main_RegisteUserInfo_IfNeeded"), true},
                 {QStringLiteral("Main/Main_sendUserInfoToNumber_IfNeeded"), QStringLiteral("12345")},
                 {QStringLiteral("Main/Main_FirstTimeSendUserInfo"), true}});
    launch(QStringLiteral("default.plist"));
    UserRegistrationSheet *sheet = main()->registrationSheet();
    ASSERT_NE(sheet->sheet(), nullptr) << "no registration sheet";
    EXPECT_TRUE(sheet->sheet()->isVisible());
    EXPECT_EQ(sheet->sheet()->parentWidget(), mainWindow());
    sheet->emailField()->setText(QStringLiteral("name@mail.example.com"));
    // The contact field keeps ten characters; a wrong one is told through the dashboard's alert and
    // keeps the sheet, a wrong date also puts the pattern back in its field.
    sheet->contactField()->setText(QStringLiteral("012345678901"));
    EXPECT_EQ(sheet->contactField()->text(), QStringLiteral("0123456789"));
    sheet->contactField()->setText(QStringLiteral("012345678"));
    sheet->clickOKofUserRegisteWnd();
    EXPECT_TRUE(presenter_.messages().contains(QStringLiteral("Contact incorrect format!")))
        << presenter_.messages().join(u'|').toStdString();
    ASSERT_NE(sheet->sheet(), nullptr);
    sheet->contactField()->setText(QStringLiteral("0123456789"));
    sheet->dobField()->setText(QStringLiteral("31/13/1999"));
    sheet->clickOKofUserRegisteWnd();
    EXPECT_TRUE(presenter_.messages().contains(QStringLiteral("Dob incorrect format!")));
    EXPECT_EQ(sheet->dobField()->text(), QStringLiteral("dd/mm/yyyy"));
    ASSERT_NE(sheet->sheet(), nullptr);
    EXPECT_FALSE(storedSettings().value(QStringLiteral("Main")).toMap().contains(QStringLiteral("Main_UserMailInfo")))
        << "nothing is stored before all three fields pass";
    sheet->dobField()->setText(QStringLiteral("31/12/1999"));
    saveScreenshotWith(mainWindow(), sheet->sheet(), QStringLiteral("registration-sheet-main-window.png"));
    saveScreenshot(sheet->sheet(), QStringLiteral("registration-sheet.png"));
    sheet->clickOKofUserRegisteWnd();
    EXPECT_EQ(sheet->sheet(), nullptr);
    EXPECT_TRUE(main()->isSendingUserInfo());
    const QVariantMap stored = storedSettings().value(QStringLiteral("Main")).toMap();
    EXPECT_EQ(stored.value(QStringLiteral("Main_UserMailInfo")).toString(), QStringLiteral("Email name@mail.example.com"));
    EXPECT_EQ(stored.value(QStringLiteral("Main_UserDOBInfo")).toString(), QStringLiteral("DOB 31/12/1999"));
    EXPECT_FALSE(stored.value(QStringLiteral("Main_FirstTimeSendUserInfo")).toBool());
}

TEST_F(DashboardOperatorTest, ConfirmedToolbarLinkConnectsAndOpensOnceConnected)
{
    // The shipped toolbar with one operator link that asks before it connects.
    QVariantList items = yov::PlistBridge::readFile(QDir(modemList_).filePath(QStringLiteral("settings.plist")))
                             ->toMap()
                             .value(QStringLiteral("toolBarItems"))
                             .toList();
    items.append(QVariantMap{{QStringLiteral("itemIdentifier"), QStringLiteral("OperatorPortal")},
                             {QStringLiteral("itemLabel"), QStringLiteral("Portal")},
                             {QStringLiteral("itemAction"), QStringLiteral("tbiMainURLWithAlertAction:")},
                             {QStringLiteral("urlLabel"), QStringLiteral("http://127.0.0.1:9/portal")}});
    setSettings({{QStringLiteral("toolBarItems"), items}});
    QStringList opened;
    YOVUIController::setUrlOpener([&opened](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    NSToolbarItemExt *portal = nullptr;
    for (NSToolbarItemExt *item : main()->toolbarItemsArray())
        if (item->objectName() == QLatin1String("OperatorPortal"))
            portal = item;
    ASSERT_NE(portal, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([portal] { return portal->isEnabled(); }, kWaitMs));
    // The link connects as the Internet page's button would: once that button offers to connect.
    QPushButton *connect = connectButton();
    ASSERT_NE(connect, nullptr);
    const QString offer = dial()->localizedText(QStringLiteral("Connect"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return connect->isEnabled() && connect->text() == offer; }, kWaitMs));

    portal->trigger(); // the question is answered with OK
    EXPECT_TRUE(presenter_.messages().contains(QStringLiteral("This page needs an Internet connection. Connect and open it?")))
        << presenter_.messages().join(u'|').toStdString();
    EXPECT_TRUE(opened.isEmpty()) << "the page waits for the connection";
    EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == 3; }, kWaitMs)) << "never connected: " << presenter_.messages().join(u'|').toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&opened] { return !opened.isEmpty(); }, kWaitMs));
    QTest::qWait(500);
    YOVUIController::setUrlOpener({});
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://127.0.0.1:9/portal")}) << "opened once";
}

TEST_F(DashboardOperatorTest, TheSkinDrawerOpensBesideTheWindowAndItsPageButtonsSwitchThePage)
{
    // A skin with a drawer of page buttons and the per-page layout that marks the page on show.
    const QString skin = testing_paths::fixtures() + QStringLiteral("/skin/drawerSkin");
    auto offsets = [](const char *module, int leading, int trailing) {
        return QVariantMap{{QStringLiteral("ItemName"), QString::fromLatin1(module)},
                           {QStringLiteral("LeadingOffset"), leading},
                           {QStringLiteral("TrailingOffset"), trailing}};
    };
    const QVariantMap drawerInfo{{QStringLiteral("OriginWidth"), 140}, {QStringLiteral("OriginHeight"), 220},
                                 {QStringLiteral("MinWidth"), 140},    {QStringLiteral("MinHeight"), 220},
                                 {QStringLiteral("MaxWidth"), 200},    {QStringLiteral("MaxHeight"), 400},
                                 {QStringLiteral("LeadingOffset"), 12}, {QStringLiteral("TrailingOffset"), 12},
                                 {QStringLiteral("OffsetInfoArray"), QVariantList{offsets("Main", 12, 12), offsets("Other", 40, 20)}}};
    QVariantList drawerItems;
    for (const char *page : {"Internet", "SMS", "Phonebook", "Setting"})
        drawerItems << QVariantMap{{QStringLiteral("itemIdentifier"), QString::fromLatin1(page)},
                                   {QStringLiteral("itemName"), QStringLiteral("btn") + QString::fromLatin1(page)},
                                   {QStringLiteral("itemAction"), QStringLiteral("goto%1:").arg(QString::fromLatin1(page))},
                                   {QStringLiteral("itemBtnTitle"), QString::fromLatin1(page)}};
    setSettings({{QStringLiteral("UIConfig"), QVariantMap{{QStringLiteral("CurrentSkinName"), skin},
                                                          {QStringLiteral("BraVuzodUI"), true},
                                                          {QStringLiteral("DrawerInfoDict"), drawerInfo},
                                                          {QStringLiteral("DrawerItems"), drawerItems}}},
                 {QStringLiteral("toolBarItems"),
                  toolbarWith({toolbarEntry(QStringLiteral("Drawer"), QStringLiteral("Links"), QStringLiteral("changeDrawerState:"))})}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow() && mainWindow()->isVisible(); }, kWaitMs));
    Drawer *drawer = main()->drawerMain;
    ASSERT_NE(drawer, nullptr) << "the skin's drawer was not made";
    // The device side starts with the drawer open on the window's right edge.
    ASSERT_TRUE(QTest::qWaitFor([drawer] { return drawer->isVisible(); }, kWaitMs));
    QMap<QString, QAbstractButton *> buttons;
    for (QAbstractButton *button : drawer->contentView()->findChildren<QAbstractButton *>())
        buttons.insert(button->property("itemIdentifier").toString(), button);
    ASSERT_EQ(buttons.keys(), (QStringList{QStringLiteral("Internet"), QStringLiteral("Phonebook"), QStringLiteral("SMS"),
                                           QStringLiteral("Setting")}));

    // The toolbar's drawer item closes it and opens it again.
    NSToolbarItemExt *drawerItem = toolbarItem(QStringLiteral("Drawer"));
    ASSERT_NE(drawerItem, nullptr);
    drawerItem->trigger();
    EXPECT_FALSE(drawer->isVisible());
    drawerItem->trigger();
    EXPECT_TRUE(drawer->isVisible());
    const QColor in(30, 150, 60);
    const QColor out(160, 160, 160);
    auto expectChosen = [&](const QString &page) {
        for (auto it = buttons.cbegin(); it != buttons.cend(); ++it)
            EXPECT_EQ(shownColour(it.value()), it.key() == page ? in : out) << it.key().toStdString() << " on " << page.toStdString();
    };
    auto expectBeside = [&](int leading) {
        const QRect frame = mainWindow()->frameGeometry();
        EXPECT_EQ(drawer->geometry().left(), frame.right() + 1);
        EXPECT_EQ(drawer->geometry().top(), frame.top() + leading);
    };
    expectChosen(QStringLiteral("Internet"));
    expectBeside(12);

    // A page button switches the page; the drawer marks it and takes the other pages' offsets.
    buttons.value(QStringLiteral("SMS"))->click();
    EXPECT_EQ(main()->currentTabIdentifier(), QStringLiteral("SMS"));
    expectChosen(QStringLiteral("SMS"));
    expectBeside(40);
    saveScreenshotWith(mainWindow(), drawer, QStringLiteral("skin-drawer-beside-main-window.png"));

    buttons.value(QStringLiteral("Setting"))->click();
    EXPECT_EQ(main()->currentTabIdentifier(), QStringLiteral("Setting"));
    expectChosen(QStringLiteral("Setting"));
    buttons.value(QStringLiteral("Internet"))->click();
    EXPECT_EQ(main()->currentTabIdentifier(), QStringLiteral("Internet"));
    expectChosen(QStringLiteral("Internet"));
    expectBeside(12);

    drawerItem->trigger();
    EXPECT_FALSE(drawer->isVisible());
}

TEST_F(DashboardOperatorTest, TheOperatorWindowsOpenFromTheToolbar)
{
    setSettings({{QStringLiteral("toolBarItems"),
                  toolbarWith({toolbarEntry(QStringLiteral("Balance"), QStringLiteral("Balance"), QStringLiteral("tbiMainUSSDPopUPAction:")),
                               toolbarEntry(QStringLiteral("QuickTips"), QStringLiteral("Quick Tips"), QStringLiteral("openWndDedeviQuickTips:")),
                               toolbarEntry(QStringLiteral("Support"), QStringLiteral("Support"), QStringLiteral("showSupportWindowForViettel:")),
                               toolbarEntry(QStringLiteral("UssdGuide"), QStringLiteral("USSD Guide"), QStringLiteral("showUSSDGuideWindowForViettel:"))})}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow() && mainWindow()->isVisible(); }, kWaitMs));
    QStringList actions;
    main()->notificationCenter().addObserver(&observer_, QStringLiteral("USSDBundleMessage"), nullptr,
                                             [&actions](const yov::Notification &n) {
                                                 actions << n.userInfo.value(QStringLiteral("Action")).toString();
                                             });

    struct Case {
        const char *item;
        const char *window;
        const char *title;
        const char *text;
    };
    const Case cases[] = {
        {"Balance", "wndUSSDPopUp", "Balance", "Top up your account, check your balance or buy a data bundle."},
        {"QuickTips", "wndDedeviQuickTips", "Quick Tips", "Connect from the Internet page."},
        {"Support", "supportWindow", "Support", "call your operator's customer service."},
        {"UssdGuide", "ussdGuideWindow", "USSD Guide", "Type a USSD code such as *101#"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.item);
        NSToolbarItemExt *item = toolbarItem(QString::fromLatin1(c.item));
        ASSERT_NE(item, nullptr);
        item->trigger();
        QDialog *window = mainWindow()->findChild<QDialog *>(QString::fromLatin1(c.window));
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([window] { return window->isVisible(); }, kWaitMs));
        EXPECT_EQ(window->windowTitle(), QString::fromLatin1(c.title));
        auto *text = window->findChild<QLabel *>(QString::fromLatin1(c.window) + QStringLiteral("Text"));
        ASSERT_NE(text, nullptr);
        EXPECT_TRUE(text->text().contains(QString::fromUtf8(c.text))) << text->text().toStdString();
        saveScreenshot(window, QStringLiteral("operator-window-%1.png").arg(QString::fromLatin1(c.item)));

        if (qstrcmp(c.item, "Balance") == 0) {
            // The balance window's own shortcuts ask the USSD area for the action.
            for (const char *button : {"btnBalanceTopUp", "btnBalanceCheck", "btnBalanceBuyBundles"}) {
                auto *b = window->findChild<QPushButton *>(QString::fromLatin1(button));
                ASSERT_NE(b, nullptr) << button;
                b->click();
            }
            EXPECT_EQ(actions, (QStringList{QStringLiteral("TopUp"), QStringLiteral("CheckBalance"), QStringLiteral("BuyBundle")}));
        }
        // Close takes the window away; the toolbar item brings the same window back.
        auto *close = window->findChild<QPushButton *>(QString::fromLatin1(c.window) + QStringLiteral("Close"));
        ASSERT_NE(close, nullptr);
        close->click();
        EXPECT_FALSE(window->isVisible());
        item->trigger();
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(mainWindow()->findChildren<QDialog *>(QString::fromLatin1(c.window)).size(), 1);
        close->click();
    }
}

TEST_F(DashboardOperatorTest, TheLinkDrawerOpensTheOperatorPagesOfItsButtons)
{
    setSettings({{QStringLiteral("MAINFORM/LinkButton"), true},
                 {QStringLiteral("Main/OperatorLinks"),
                  QVariantMap{{QStringLiteral("Shop"), QStringLiteral("http://127.0.0.1:9/shop")},
                              {QStringLiteral("Operator"), QStringLiteral("https://127.0.0.1:9/")},
                              {QStringLiteral("Signal"), QStringLiteral("javascript:alert(1)")}}},
                 {QStringLiteral("toolBarItems"),
                  toolbarWith({toolbarEntry(QStringLiteral("Links"), QStringLiteral("Links"), QStringLiteral("loadDrawerLinkWnd:"))})}});
    QStringList opened;
    YOVUIController::setUrlOpener([&opened](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow() && mainWindow()->isVisible(); }, kWaitMs));
    Drawer *drawer = main()->drawerLink;
    ASSERT_NE(drawer, nullptr) << "no link drawer";
    EXPECT_FALSE(drawer->isVisible());
    NSToolbarItemExt *links = toolbarItem(QStringLiteral("Links"));
    ASSERT_NE(links, nullptr);
    links->trigger();
    ASSERT_TRUE(QTest::qWaitFor([drawer] { return drawer->isVisible(); }, kWaitMs));
    EXPECT_EQ(drawer->geometry().left(), mainWindow()->frameGeometry().right() + 1);

    // The buttons in order, titled from the token list.
    QStringList titles;
    for (QAbstractButton *button : drawer->contentView()->findChildren<QAbstractButton *>())
        titles << button->text();
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Customer service"), QStringLiteral("E-shop"),
                                   QStringLiteral("Mobile devices"), QStringLiteral("Partner portal"),
                                   QStringLiteral("Signal"), QStringLiteral("Service guide"), QStringLiteral("Top up"),
                                   QStringLiteral("MMS"), QStringLiteral("Internet telephony")}));
    saveScreenshotWith(mainWindow(), drawer, QStringLiteral("link-drawer-beside-main-window.png"));

    // Configured http(s) hosts open with the button's path; a script address or no host opens nothing.
    for (const char *name : {"btnService", "btnEShop", "btnChangeSignal", "btnServiceGuide", "btnFillUp", "btnMultiFon"}) {
        auto *button = drawer->findChild<QAbstractButton *>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }
    YOVUIController::setUrlOpener({});
    EXPECT_EQ(opened, (QStringList{QStringLiteral("http://127.0.0.1:9/shop"), QStringLiteral("https://127.0.0.1:9/guide"),
                                   QStringLiteral("https://127.0.0.1:9/offices/payment/?from=first")}));
    links->trigger();
    EXPECT_FALSE(drawer->isVisible());
}

TEST_F(DashboardOperatorTest, ACellBroadcastShowsItsPanelUntilOK)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return mainWindow() && mainWindow()->isVisible(); }, kWaitMs));
    const QString text = QStringLiteral("Network maintenance tonight from 01:00 to 03:00.");
    // A broadcast without text shows nothing.
    main()->notificationCenter().post(QString(notifications::kReceiveBroadCast), nullptr, {});
    EXPECT_EQ(mainWindow()->findChild<QDialog *>(QStringLiteral("wndBroadcastReport")), nullptr);

    main()->notificationCenter().post(QString(notifications::kReceiveBroadCast), nullptr,
                                      {{QString(notifications::kReceiveBroadCastText), text}});
    auto *panel = mainWindow()->findChild<QDialog *>(QStringLiteral("wndBroadcastReport"));
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    auto *shown = panel->findChild<QLabel *>(QStringLiteral("tfdBroadCast"));
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->text(), text);
    EXPECT_EQ(main()->broadcastMessage(), text);
    saveScreenshot(panel, QStringLiteral("broadcast-panel.png"));

    auto *ok = panel->findChild<QPushButton *>(QStringLiteral("btnBroadcastOK"));
    ASSERT_NE(ok, nullptr);
    ok->click();
    EXPECT_FALSE(panel->isVisible());
    // The next broadcast reuses the panel with its own text.
    main()->notificationCenter().post(QString(notifications::kReceiveBroadCast), nullptr,
                                      {{QString(notifications::kReceiveBroadCastText), QStringLiteral("Second")}});
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(shown->text(), QStringLiteral("Second"));
    EXPECT_EQ(mainWindow()->findChildren<QDialog *>(QStringLiteral("wndBroadcastReport")).size(), 1);
}
