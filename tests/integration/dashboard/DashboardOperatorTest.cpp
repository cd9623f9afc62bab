// The operator parts of the main window through the assembled dashboard against the stand-in: the
// service-provider-code window holds the device service back until a valid code picks the
// profile the device then dials with, and the registration sheet over the main window.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/device/main/ServiceProviderCodeWindow.h"
#include "ostrel/device/main/UserRegistrationSheet.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/framework/widgets/Items.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
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

class DashboardOperatorTest : public DashboardFixture {
protected:
    QString deviceApn() const
    {
        return mapOf(modemState(QStringLiteral("Connection")).value(QStringLiteral("DialParams")))
            .value(QStringLiteral("Apn"))
            .toString();
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
    sheet->contactField()->setText(QStringLiteral("0123456789"));
    sheet->dobField()->setText(QStringLiteral("31/12/1999"));
    saveScreenshot(mainWindow(), QStringLiteral("registration-sheet-main-window.png"));
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
    // The connection needs the packet domain, which the registration after the SIM brings.
    ASSERT_TRUE(QTest::qWaitFor([this] { return init()->hasPSDomain(); }, kWaitMs));

    portal->trigger(); // the question is answered with OK
    EXPECT_TRUE(presenter_.messages().contains(QStringLiteral("This page needs an Internet connection. Connect and open it?")))
        << presenter_.messages().join(u'|').toStdString();
    EXPECT_TRUE(opened.isEmpty()) << "the page waits for the connection";
    EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == 3; }, kWaitMs)) << "never connected";
    EXPECT_TRUE(QTest::qWaitFor([&opened] { return !opened.isEmpty(); }, kWaitMs));
    QTest::qWait(500);
    YOVUIController::setUrlOpener({});
    EXPECT_EQ(opened, QStringList{QStringLiteral("http://127.0.0.1:9/portal")}) << "opened once";
}
