// The operator web content of the Internet view through the assembled dashboard against the
// stand-in, with a local HTTP server for the operator's icons and a fixture operator
// configuration: the split page follows the connection, the link icons refresh 5 s after
// connecting, the billboard rolls, and the favourite hint shows.
#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/connection/view/DialOperatorContent.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/widgets/IconMatrix.h"
#include "ostrel/framework/widgets/WeblinkButton.h"
#include "ostrel/framework/widgets/WidgetUtilities.h"
#include "ostrel/settings/SettingController.h"
#include "ostrel/framework/widgets/FavoriteIconHintWindow.h"
#include "ostrel/framework/widgets/WebView.h"
#include "support/LocalHttpServer.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTabWidget>
#include <QTest>

using namespace ostrel;
using namespace dashboard_test;
using testing_support::LocalHttpServer;

namespace {

class DashboardOperatorContentTest : public DashboardFixture {
protected:
    DialOperatorContent *content() const { return assembly_->operatorContent(); }
    void waitStatus(int status)
    {
        ASSERT_TRUE(QTest::qWaitFor([&] { return dial()->connectStatus() == status; }, kWaitMs))
            << "connect status " << dial()->connectStatus();
    }
    void writePicture(const QString &name, QColor colour)
    {
        const QString path = QDir(modemList_).filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QImage image(48, 48, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(path));
    }
};

} // namespace

TEST_F(DashboardOperatorContentTest, SplitPageFollowsTheConnectionAndTheIconsRefresh)
{
    LocalHttpServer server;
    LocalHttpServer::Reply icon{"", "image/png"};
    icon.headers = "Last-Modified: Sun, 06 Nov 1994 08:49:37 GMT\r\n";
    server.route("/icons/MainimageTitle_Cropped.jpg", icon);
    // A newer promotion on the server: downloaded, then shown through its ".htm" page (no Flash here).
    LocalHttpServer::Reply promo{"FWS-not-played", "application/x-shockwave-flash"};
    promo.headers = "Last-Modified: Wed, 02 Oct 2024 10:00:00 GMT\r\n";
    server.route("/icons/promo.swf", promo);
    setSettings({{QStringLiteral("EnableSplitConnectionProcess"), true},
                 {QStringLiteral("ShouldShowFavouriteIconConfigHint"), true},
                 {QStringLiteral("Internet/Internet_isDisplayBillboard_WhenConnectSuccess"), true}});
    ASSERT_TRUE(yov::PlistBridge::writeFile(
        QDir(modemList_).filePath(QStringLiteral("IconLinks.plist")),
        QVariantList{QVariantMap{{QStringLiteral("ImageURL"), server.url("/icons/MainimageTitle_Cropped.jpg")},
                                 {QStringLiteral("ImageStorePath"), QStringLiteral("rorira/images/MainimageTitle_Cropped.jpg")},
                                 {QStringLiteral("ImageModifiedDate"), QStringLiteral("Sun, 06 Nov 1994 08:49:37 GMT")}},
                     QVariantMap{{QStringLiteral("ImageURL"), server.url("/icons/promo.swf")},
                                 {QStringLiteral("ImageStorePath"), QStringLiteral("rorira/images/promo.swf")},
                                 {QStringLiteral("ImageModifiedDate"), QStringLiteral("Sun, 06 Nov 1994 08:49:37 GMT")}}}));
    {
        QDir().mkpath(QDir(modemList_).filePath(QStringLiteral("rorira/images")));
        QFile page(QDir(modemList_).filePath(QStringLiteral("rorira/images/promo.htm")));
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
        page.write("<html><body style=\"background:#fde9c9\"><h2>Weekend offer</h2><p>10 GB for the price of 5.</p>"
                   "<a id=\"out\" href=\"http://offer.example/terms\">Terms</a></body></html>");
    }
    writePicture(QStringLiteral("fav/mail.png"), QColor(30, 120, 200));
    writePicture(QStringLiteral("fav/shop.png"), QColor(200, 120, 30));
    ASSERT_TRUE(yov::PlistBridge::writeFile(
        QDir(modemList_).filePath(QStringLiteral("FavoriteLinks.plist")),
        QVariantList{QVariantMap{{QStringLiteral("Index"), 0}, {QStringLiteral("Image"), QStringLiteral("fav/mail.png")},
                                 {QStringLiteral("Path"), QStringLiteral("http://mail.example/")}, {QStringLiteral("Type"), 1}},
                     QVariantMap{{QStringLiteral("Index"), 1}, {QStringLiteral("Image"), QStringLiteral("fav/shop.png")},
                                 {QStringLiteral("Path"), QStringLiteral("http://shop.example/")}, {QStringLiteral("Type"), 1}}}));
    for (int i = 1; i <= 3; ++i)
        writePicture(QStringLiteral("images/u%1.jpg").arg(i), QColor(80 * i, 60, 140));
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    ASSERT_NE(content(), nullptr);
    ASSERT_NE(content()->view(), nullptr);
    EXPECT_TRUE(content()->view()->isVisible());
    EXPECT_EQ(content()->selectedInternetTab(), QStringLiteral("PreInternet"));
    EXPECT_FALSE(content()->favoriteLinkButton(0)->isHidden());
    saveScreenshot(mainWindow(), QStringLiteral("dashboard-operator-split-before.png"));

    pressConnectButton(QStringLiteral("Connect"));
    waitStatus(yov::kConnectStatusConnected);
    EXPECT_EQ(content()->selectedInternetTab(), QStringLiteral("PostInternet"));
    EXPECT_TRUE(content()->isBillboardRolling());
    ASSERT_NE(content()->favoriteIconHintWindow(), nullptr);
    EXPECT_TRUE(content()->favoriteIconHintWindow()->isVisible());
    saveScreenshot(content()->favoriteIconHintWindow(), QStringLiteral("dashboard-operator-favourite-hint.png"));
    // "Do not notify me again" is kept in the settings file.
    ASSERT_NE(content()->stopNotifyHintCheckbox(), nullptr);
    content()->stopNotifyHintCheckbox()->click();
    EXPECT_FALSE(storedSettings().value(QStringLiteral("ShouldShowFavouriteIconConfigHint"), true).toBool());
    QTest::qWait(1000);
    EXPECT_TRUE(server.requested.isEmpty()) << "the icon refresh waits 5 s";
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requested.contains("/icons/MainimageTitle_Cropped.jpg"); }, kWaitMs))
        << "the icons were never refreshed";
    // Only the newer picture was fetched; it is stored and its page shown in the promotion view.
    ASSERT_TRUE(QTest::qWaitFor([&] { return content()->promoWebkitView()
                                             && content()->promoWebkitView()->url().toString().endsWith(QStringLiteral("promo.htm")); },
                                kWaitMs))
        << "the promotion was not shown";
    // A link of the split page that is not one of the icon links opens in the browser, not in place.
    WebView *promoView = content()->promoWebkitView();
    if (promoView->capabilities().scripts) {
        QStringList opened;
        YOVUIController::setUrlOpener([&opened](const QUrl &url) {
            opened << url.toString();
            return true;
        });
        ASSERT_TRUE(QTest::qWaitFor([&] { return !promoView->isLoading() && promoView->plainText().contains(QStringLiteral("Terms")); }, kWaitMs));
        promoView->evaluateJavaScript(QStringLiteral("document.getElementById('out').click()"), {});
        EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.isEmpty(); }, kWaitMs)) << "the link was not handed to the browser";
        YOVUIController::setUrlOpener({});
        EXPECT_EQ(opened, QStringList{QStringLiteral("http://offer.example/terms")});
        QTest::qWait(200);
        EXPECT_TRUE(promoView->url().toString().endsWith(QStringLiteral("promo.htm"))) << qPrintable(promoView->url().toString());
    }
    EXPECT_EQ(server.requested.count("/icons/promo.swf"), 2) << "its date, then the picture";
    EXPECT_EQ(server.requested.count("/icons/MainimageTitle_Cropped.jpg"), 1) << "not newer: only its date";
    const QVariantList links = yov::PlistBridge::readFile(QDir(modemList_).filePath(QStringLiteral("IconLinks.plist")))->toList();
    EXPECT_EQ(links.value(1).toMap().value(QStringLiteral("ImageModifiedDate")).toString(),
              QStringLiteral("Wed, 02 Oct 2024 10:00:00 GMT"));
    QTest::qWait(500);
    saveScreenshot(mainWindow(), QStringLiteral("dashboard-operator-split-after.png"));

    // The operator page's own button disconnects.
    auto *postConnect = mainWindow()->findChild<QPushButton *>(QStringLiteral("postConnectBtn_"));
    ASSERT_NE(postConnect, nullptr);
    EXPECT_TRUE(postConnect->isVisible());
    EXPECT_EQ(postConnect->text(), QStringLiteral("Disconnect"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return postConnect->isEnabled(); }, kWaitMs));
    QTest::mouseClick(postConnect, Qt::LeftButton);
    waitStatus(yov::kConnectStatusIdle);
    EXPECT_EQ(content()->selectedInternetTab(), QStringLiteral("PreInternet"));
    EXPECT_FALSE(content()->isBillboardRolling());
    EXPECT_FALSE(content()->favoriteIconHintWindow()->isVisible());
}

TEST_F(DashboardOperatorContentTest, FirstConnectionOpensTheOperatorPagesAndFetchesTheSubscriberNumber)
{
    LocalHttpServer server;
    server.route("/soap", {"<?xml version=\"1.0\"?><Envelope><Body><Reply><IMSI>262021234567890</IMSI>"
                           "<MSISDN>4917098765432</MSISDN></Reply></Body></Envelope>",
                           "text/xml"});
    // The shipped profile is "Internet"; the SIM's IMSI is 262021234567890.
    setSettings({{QStringLiteral("OpenURLSettings"),
                  QVariantList{QVariantMap{{QStringLiteral("APNProvider"), QStringLiteral("Other")},
                                           {QStringLiteral("AutoOpen"), true},
                                           {QStringLiteral("URL"), QStringLiteral("http://other.example/")}},
                               QVariantMap{{QStringLiteral("APNProvider"), QStringLiteral("Internet")},
                                           {QStringLiteral("AutoOpen"), true},
                                           {QStringLiteral("URL"), QStringLiteral("https://portal.example/welcome")}}}},
                 {QStringLiteral("Internet/IMSIAndWebPage"),
                  QVariantMap{{QStringLiteral("26202"), QStringLiteral("sim.example/network")},
                              {QStringLiteral("2620212"), QStringLiteral("https://sim.example/plan")}}},
                 {QStringLiteral("ImsiPhone"), QVariantMap{{QStringLiteral("262019999999999"), QStringLiteral("1")}}},
                 {QStringLiteral("Main/OperatorLinks"),
                  QVariantMap{{QStringLiteral("SubscriberNumberService"), server.url("/soap")}}}});
    QStringList opened;
    YOVUIController::setUrlOpener([&opened](const QUrl &url) {
        opened << url.toString();
        return true;
    });
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    EXPECT_TRUE(opened.isEmpty()) << opened.join(u' ').toStdString();

    pressConnectButton(QStringLiteral("Connect"));
    waitStatus(yov::kConnectStatusConnected);
    // The profile's page, then the longest IMSI prefix's page (its https address kept as it is).
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened.size() >= 2; }, kWaitMs)) << opened.join(u' ').toStdString();
    EXPECT_EQ(opened, (QStringList{QStringLiteral("https://portal.example/welcome"), QStringLiteral("https://sim.example/plan")}));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return storedSettings().value(QStringLiteral("ImsiPhone")).toMap().contains(QStringLiteral("262021234567890")); },
        kWaitMs))
        << "the subscriber number was never stored";
    EXPECT_EQ(storedSettings().value(QStringLiteral("ImsiPhone")).toMap().value(QStringLiteral("262021234567890")).toString(),
              QStringLiteral("4917098765432"));
    EXPECT_EQ(server.requested, QList<QByteArray>{"/soap"});
    pressConnectButton(QStringLiteral("Disconnect"));
    waitStatus(yov::kConnectStatusIdle);

    // The next connection opens the pages again but does not ask for the known number.
    pressConnectButton(QStringLiteral("Connect"));
    waitStatus(yov::kConnectStatusConnected);
    ASSERT_TRUE(QTest::qWaitFor([&] { return opened.size() >= 4; }, kWaitMs)) << opened.join(u' ').toStdString();
    QTest::qWait(300);
    EXPECT_EQ(opened.size(), 4) << "once per connection";
    EXPECT_EQ(server.requested.size(), 1) << "this SIM's number is known";
    YOVUIController::setUrlOpener({});
}

TEST_F(DashboardOperatorContentTest, AFavouriteEditedInTheSettingsIsFollowedByItsButton)
{
    setSettings({{QStringLiteral("EnableSplitConnectionProcess"), true},
                 {QStringLiteral("SettingDefaultItem"), QVariantList{QStringLiteral("System"), QStringLiteral("FavoriteLinks")}}});
    writePicture(QStringLiteral("fav/mail.png"), QColor(30, 120, 200));
    ASSERT_TRUE(yov::PlistBridge::writeFile(
        QDir(modemList_).filePath(QStringLiteral("FavoriteLinks.plist")),
        QVariantList{QVariantMap{{QStringLiteral("Index"), 0}, {QStringLiteral("Name"), QStringLiteral("Mail")},
                                 {QStringLiteral("Image"), QStringLiteral("fav/mail.png")},
                                 {QStringLiteral("Path"), QStringLiteral("http://mail.example/")}, {QStringLiteral("Type"), 1}}}));
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    WeblinkButton *button = content()->favoriteLinkButton(0);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->webLink(), QUrl(QStringLiteral("http://mail.example/")));

    SettingController *settings = assembly_->settingController();
    main()->gotoSetting(nullptr);
    QTabWidget *panels = settings->settingTabView();
    panels->setCurrentIndex(tabViewItemOfIdentifier(panels, QStringLiteral("FavoriteLinks")));
    settings->favoriteIconMatrix()->cell(0)->click();
    settings->linkPathField()->setText(QStringLiteral("http://webmail.example/"));
    auto *modify = panels->findChild<QPushButton *>(QStringLiteral("btnFavoriteLinkModify"));
    ASSERT_NE(modify, nullptr);
    modify->click();
    EXPECT_EQ(button->webLink(), QUrl(QStringLiteral("http://webmail.example/")));
}
