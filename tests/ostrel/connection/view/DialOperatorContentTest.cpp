// The operator content of the Internet view over a DialController on the in-process transport and
// a manual clock: the first-connected actions and their order, the split page, the billboard, the
// favourites and their hint, the pages for the profile and the IMSI, the subscriber number by SOAP
// against a local server, the compact skin's status line, the link policy and the embedded page.
#include "DialHarness.h"

#include "common/ValueConversion.h"
#include "ostrel/connection/view/DialOperatorContent.h"
#include "ostrel/framework/controller/SkinManagerAccess.h"
#include "ostrel/framework/controller/YOVUIController.h"
#include "ostrel/framework/language/Lingrove.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/weblinks/DownloadUtilities.h"
#include "ostrel/framework/weblinks/WeblinkUpdateUtilities.h"
#include "ostrel/framework/widgets/FavoriteIconHintWindow.h"
#include "ostrel/framework/widgets/ResourcePaths.h"
#include "ostrel/framework/widgets/WeblinkButton.h"
#include "ostrel/framework/widgets/WebViewUtilities.h"
#include "support/LocalHttpServer.h"
#include "support/TestPaths.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QTest>

#include <gtest/gtest.h>

using namespace ostrel;
using dialtest::Harness;
using testing_support::LocalHttpServer;

namespace {

// The skin items of the compact skin, by key.
class FakeSkin : public SkinManagerAccess {
public:
    QHash<QString, QObject *> controls;
    QStringList images;
    bool registerController(QObject *control, const QString &key, bool) override
    {
        controls.insert(key, control);
        return true;
    }
    bool updateItem(QObject *) override { return true; }
    QObject *controllerByKey(const QString &key) const override { return controls.value(key); }
    bool hasKey(const QString &key) const override { return controls.contains(key); }
    bool setImageForKey(const QString &key, const QString &image, bool) override
    {
        images << key + QLatin1Char('=') + image;
        return true;
    }
};

class SettingRecorder : public dialtest::FakeSetting {
public:
    QList<int> launches;
    void checkLauchWebLinksAtMoment(int moment) override { launches << moment; }
};

void writeImage(const QString &path, QColor color)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImage image(30, 10, QImage::Format_RGB32);
    image.fill(color);
    ASSERT_TRUE(image.save(path));
}

struct ContentHarness {
    explicit ContentHarness(QVariantMap settings, FakeSkin *skin = nullptr)
        : h(settings, Harness::defaultProfiles(), skin, [this](DialController &dial) {
              page = std::make_unique<QWidget>();
              new QVBoxLayout(page.get());
              main = std::make_unique<QTabWidget>();
              dial.tabviewMain = main.get();
              downloader.setModemListFolder(h.dir.path());
              content = std::make_unique<DialOperatorContent>(&dial, &updater, &downloader);
              content->installInto(page.get());
              dial.setOperatorContent(content.get());
          })
    {
        WebViewUtilities::sharedManager()->setAllowedFolders({h.dir.path()});
        Neighbours::setSetting(&setting);
        YOVUIController::setUrlOpener([this](const QUrl &url) {
            opened << url.toString();
            return true;
        });
        h.ready();
    }
    ~ContentHarness()
    {
        YOVUIController::setUrlOpener({});
        WebViewUtilities::sharedManager()->setAllowedFolders({});
        h.dial->setOperatorContent(nullptr);
        content.reset();
    }
    void connect()
    {
        h.pressConnect();
        h.pppStatus(yov::kPppRunning, 1, 10, 10);
    }
    void disconnect()
    {
        h.pressConnect();
        h.pppStatus(yov::kPppIdle);
    }
    QString file(const QString &name) const { return h.dir.filePath(name); }

    DownloadUtilities downloader;
    WeblinkUpdateUtilities updater{&downloader};
    SettingRecorder setting;
    std::unique_ptr<QWidget> page;
    std::unique_ptr<QTabWidget> main;
    QStringList opened;
    std::unique_ptr<DialOperatorContent> content;
    Harness h;
};

QVariantMap soapService(const LocalHttpServer &server)
{
    return {{QStringLiteral("OperatorLinks"),
             QVariantMap{{QStringLiteral("SubscriberNumberService"), server.url("/soap")}}}};
}

} // namespace

TEST(DialOperatorContentTest, FirstConnectedActionsRunOncePerConnectionInOrder)
{
    QStringList steps;
    ContentHarness c({});
    c.content->setStepRecorder([&](const QString &step) { steps << step; });
    c.connect();
    c.h.pppStatus(yov::kPppRunning, 2, 20, 20); // a further connected report
    const QStringList order{QStringLiteral("playShortSound"), QStringLiteral("switchInternetTabAction"),
                            QStringLiteral("launchURLAtFirstAPN"), QStringLiteral("checkIsOpenSpecialURL"),
                            QStringLiteral("smartUIAttachWebViewOpenURL"), QStringLiteral("indonesiaDAZWebBackground"),
                            QStringLiteral("downloadAdImageFile"), QStringLiteral("openWebPageWithSIM"),
                            QStringLiteral("sendIMSIToHttpServerBySoap"), QStringLiteral("displaySpecialWebView"),
                            QStringLiteral("imageDownloadFinishForBillboard")};
    EXPECT_EQ(steps, order);
    c.disconnect();
    steps.clear();
    c.connect();
    EXPECT_EQ(steps, order) << "the next connection runs them again";
}

TEST(DialOperatorContentTest, SplitPageFollowsTheConnectionAndRefreshesTheIcons)
{
    LocalHttpServer server;
    server.route("/icon1.jpg", {"", "image/jpeg"});
    ContentHarness c({{QStringLiteral("EnableSplitConnectionProcess"), true}});
    yov::PlistBridge::writeFile(c.file(QStringLiteral("IconLinks.plist")),
                                QVariantList{QVariantMap{{QStringLiteral("ImageURL"), server.url("/icon1.jpg")},
                                                         {QStringLiteral("ImageStorePath"), QStringLiteral("rorira/images/icon1.jpg")}}});
    c.updater.loadcfg();
    EXPECT_EQ(c.updater.cfgFile(), c.file(QStringLiteral("IconLinks.plist")));
    EXPECT_EQ(c.content->selectedInternetTab(), QStringLiteral("PreInternet"));
    EXPECT_TRUE(QFileInfo(c.file(QStringLiteral("rorira/images"))).isDir());

    c.connect();
    EXPECT_EQ(c.content->selectedInternetTab(), QStringLiteral("PostInternet"));
    EXPECT_EQ(c.setting.launches, QList<int>{1});
    ASSERT_NE(c.content->promoWebkitView(), nullptr);
    c.h.pppStatus(yov::kPppRunning, 2, 20, 20);
    EXPECT_EQ(c.setting.launches, QList<int>{1}) << "once per connection";
    // (each delivered record moves the clock a few milliseconds on)
    c.h.clock.advance(DialOperatorContent::kUpdateWebLinkDelayMs - 500);
    QTest::qWait(100);
    EXPECT_TRUE(server.requested.isEmpty());
    c.h.clock.advance(500);
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.requested.contains("/icon1.jpg"); }, 5000));

    // Without configured frames the two web views wait, hidden, for a page: the operator's main
    // picture beneath the home-page view stays in sight until its banner comes.
    ASSERT_NE(c.content->homepageView(), nullptr);
    EXPECT_TRUE(c.content->homepageView()->isHidden());
    EXPECT_TRUE(c.content->promoWebkitView()->isHidden());
    writeImage(c.file(QStringLiteral("rorira/images/MainimageTitle_Cropped.jpg")), Qt::green);
    c.content->loadIconImageAccordingProperty(
        {{QStringLiteral("ImageStorePath"), QStringLiteral("rorira/images/MainimageTitle_Cropped.jpg")}});
    auto *picture = c.page->findChild<QLabel *>(QStringLiteral("bgupWeblinkView_"));
    ASSERT_NE(picture, nullptr);
    EXPECT_FALSE(picture->pixmap().isNull());
    EXPECT_TRUE(c.content->homepageView()->isHidden());
    QFile banner(c.file(QStringLiteral("rorira/images/smallbanner.htm")));
    ASSERT_TRUE(banner.open(QIODevice::WriteOnly));
    banner.write("<html><body>banner</body></html>");
    banner.close();
    c.content->loadIconImageAccordingProperty(
        {{QStringLiteral("ImageStorePath"), QStringLiteral("rorira/images/smallbanner.swf")}});
    EXPECT_FALSE(c.content->homepageView()->isHidden());

    // The post-connection button is enabled and disabled with the connect buttons.
    auto *post = c.page->findChild<QPushButton *>(QStringLiteral("postConnectBtn_"));
    ASSERT_NE(post, nullptr);
    c.h.dial->setConnectBtnEnable(false);
    EXPECT_FALSE(post->isEnabled());
    c.h.dial->setConnectBtnEnable(true);
    EXPECT_TRUE(post->isEnabled());

    c.disconnect();
    EXPECT_EQ(c.content->selectedInternetTab(), QStringLiteral("PreInternet"));
}

TEST(DialOperatorContentTest, BillboardRollsWhileConnectedAndStopsOnTheDefault)
{
    ResourcePaths::setResourcesPath(testing_paths::sourceResources());
    ContentHarness c({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("Internet_isDisplayBillboard_WhenConnectSuccess"), true}}}});
    for (int i = 1; i <= 3; ++i)
        writeImage(c.file(QStringLiteral("images/u%1.jpg").arg(i)), QColor(i * 60, 0, 0));
    EXPECT_TRUE(c.content->billboardPicture().endsWith(QStringLiteral("DataInterfaceBack.jpg")));
    c.connect();
    EXPECT_TRUE(c.content->isBillboardRolling());
    EXPECT_EQ(c.content->billboardIndex(), 1);
    QStringList shown;
    for (int i = 0; i < 4; ++i) {
        c.h.clock.advance(DialOperatorContent::kBillboardIntervalMs);
        shown << QFileInfo(c.content->billboardPicture()).baseName();
    }
    EXPECT_EQ(shown, (QStringList{QStringLiteral("u2"), QStringLiteral("u3"), QStringLiteral("u1"), QStringLiteral("u2")}));
    // A missing picture leaves the one shown.
    QFile::remove(c.file(QStringLiteral("images/u3.jpg")));
    c.h.clock.advance(DialOperatorContent::kBillboardIntervalMs);
    EXPECT_EQ(QFileInfo(c.content->billboardPicture()).baseName(), QStringLiteral("u2"));

    c.disconnect();
    EXPECT_FALSE(c.content->isBillboardRolling());
    EXPECT_TRUE(c.content->billboardPicture().endsWith(QStringLiteral("DataInterfaceBack.jpg")));
    ResourcePaths::setResourcesPath(QString());
}

TEST(DialOperatorContentTest, FavouritesAndTheirHint)
{
    ContentHarness c({{QStringLiteral("EnableSplitConnectionProcess"), true},
                      {QStringLiteral("ShouldShowFavouriteIconConfigHint"), true},
                      {QStringLiteral("Main"), QVariantMap{{QStringLiteral("OperatorLinks"),
                                                            QVariantMap{{QStringLiteral("HomePage"), QStringLiteral("http://home.example/")}}}}}});
    writeImage(c.file(QStringLiteral("fav/mail.png")), Qt::blue);
    yov::PlistBridge::writeFile(
        c.file(QStringLiteral("FavoriteLinks.plist")),
        QVariantList{QVariantMap{{QStringLiteral("Index"), 0}, {QStringLiteral("Image"), QStringLiteral("fav/mail.png")},
                                 {QStringLiteral("Path"), QStringLiteral("http://mail.example/")}, {QStringLiteral("Type"), 1}},
                     QVariantMap{{QStringLiteral("Index"), 1}, {QStringLiteral("Image"), QStringLiteral("fav/missing.png")},
                                 {QStringLiteral("Path"), QStringLiteral("/usr/bin/tool")}, {QStringLiteral("Type"), 0}},
                     QVariantMap{{QStringLiteral("Index"), 9}, {QStringLiteral("Image"), QStringLiteral("fav/mail.png")}}});
    c.content->loadFavoritesLinkPropeties();
    EXPECT_FALSE(c.content->favoriteLinkButton(0)->isHidden());
    EXPECT_EQ(c.content->favoriteLinkButton(0)->webLink(), QUrl(QStringLiteral("http://mail.example/")));
    EXPECT_EQ(c.content->favoriteLinkButton(0)->linkType(), 1);
    EXPECT_TRUE(c.content->favoriteLinkButton(1)->isHidden()) << "no image: hidden";
    for (int i = 2; i < 6; ++i)
        EXPECT_TRUE(c.content->favoriteLinkButton(i)->isHidden()) << i;
    EXPECT_EQ(c.content->customLinkButton(0)->linkType(), 1);
    EXPECT_EQ(c.content->customLinkButton(0)->webLink(), QUrl(QStringLiteral("http://home.example/")));
    EXPECT_TRUE(c.content->customLinkButton(1)->isHidden()) << "no address configured";

    // The icons' Flash files: never played; the ".htm" page beside one is shown instead.
    QDir().mkpath(c.file(QStringLiteral("rorira/images")));
    for (const char *name : {"rorira/images/icon1.swf", "rorira/images/icon1.htm", "rorira/images/background.swf"}) {
        QFile f(c.file(QLatin1String(name)));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("<html><body>icon</body></html>");
    }
    c.content->loadFavouriteBtnWebKitViews();
    ASSERT_NE(c.content->favouriteIconWebView(0), nullptr);
    EXPECT_TRUE(c.content->favouriteIconWebView(0)->url().toString().endsWith(QStringLiteral("icon1.htm")));
    ASSERT_NE(c.content->favouriteIconWebView(1), nullptr) << "the background is tried for the others";
    EXPECT_TRUE(c.content->favouriteIconWebView(1)->url().isEmpty()) << "no .htm page beside it: left empty";

    QWidget mainWindow;
    mainWindow.setGeometry(100, 100, 800, 600);
    c.h.dial->wndMain = &mainWindow;
    c.connect();
    FavoriteIconHintWindow *hint = c.content->favoriteIconHintWindow();
    ASSERT_NE(hint, nullptr);
    EXPECT_TRUE(hint->isVisible());
    // Centred on the main window, 165 right and 65 down (skin coordinates grow upward).
    EXPECT_EQ(hint->pos(), QPoint(100 + (800 - hint->width()) / 2 + 165, 100 + (600 - hint->height()) / 2 + 65));
    c.content->stopNotifyHintCheckbox()->setChecked(true);
    EXPECT_FALSE(yov::nsBool(c.h.store->getConfigurationByModule(QStringLiteral("ShouldShowFavouriteIconConfigHint"))));
    EXPECT_FALSE(yov::PlistBridge::readFile(c.file(QStringLiteral("settings.plist")))->toMap().value(QStringLiteral("ShouldShowFavouriteIconConfigHint")).toBool());
    c.disconnect();
    EXPECT_FALSE(hint->isVisible());
    c.connect();
    EXPECT_FALSE(hint->isVisible()) << "ticked: not shown again";
    c.content->stopNotifyHintCheckbox()->setChecked(false);
    EXPECT_TRUE(yov::nsBool(c.h.store->getConfigurationByModule(QStringLiteral("ShouldShowFavouriteIconConfigHint"))));
    c.h.dial->wndMain = nullptr;

    // Another language: the fixed links' titles and the hint's texts follow it.
    QFile list(c.file(QStringLiteral("LanguageTokenList.txt")));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("\"Home\" = \"Startseite\";\n\"Do not notify me again\" = \"Nicht mehr anzeigen\";\n");
    list.close();
    ASSERT_TRUE(Lingrove_Init(list.fileName()));
    c.h.dial->updateLanguages();
    EXPECT_EQ(c.content->customLinkButton(0)->text(), QStringLiteral("Startseite"));
    EXPECT_EQ(c.content->stopNotifyHintCheckbox()->text(), QStringLiteral("Nicht mehr anzeigen"));
    Lingrove_Init(QString());
}

TEST(DialOperatorContentTest, HintAsASubviewOfTheMainWindow)
{
    ContentHarness c({{QStringLiteral("EnableSplitConnectionProcess"), true},
                      {QStringLiteral("ShouldShowFavouriteIconConfigHint"), true},
                      {QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_addHintWindowIntoMainWnd_IfNeedMoveWithMainWnd"), true}}}});
    QWidget mainWindow;
    mainWindow.setGeometry(100, 100, 800, 600);
    c.h.dial->wndMain = &mainWindow;
    c.content->hintFavoriteIconConfigrable();
    QWidget *view = mainWindow.findChild<QWidget *>(QStringLiteral("favoriteIconHintView_"));
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->isHidden());
    const QSize v = view->size();
    const QPointF skin((800 - v.width()) * 0.5 + 173, (600 - v.height()) * 0.5 - 45);
    EXPECT_EQ(view->pos(), QPointF(skin.x(), 600 - skin.y() - v.height()).toPoint());
    c.content->closefavoriteIconHintWindow();
    EXPECT_TRUE(view->isHidden());
    c.content->hintFavoriteIconConfigrable();
    EXPECT_FALSE(view->isHidden()) << "shown again, not added twice";
    EXPECT_EQ(mainWindow.findChildren<QWidget *>(QStringLiteral("favoriteIconHintView_")).size(), 1);
    c.h.dial->wndMain = nullptr;
}

TEST(DialOperatorContentTest, PagesForTheProfileAndTheImsi)
{
    ContentHarness c({{QStringLiteral("OpenURLSettings"),
                       QVariantList{QVariantMap{{QStringLiteral("APNProvider"), QStringLiteral("Vandrel Web")},
                                                {QStringLiteral("AutoOpen"), false},
                                                {QStringLiteral("URL"), QStringLiteral("http://profile.example/")}}}},
                      {QStringLiteral("IMSI"), QStringLiteral("262011234567890")},
                      {QStringLiteral("Internet"),
                       QVariantMap{{QStringLiteral("IMSIAndWebPage"),
                                    QVariantMap{{QStringLiteral("262"), QStringLiteral("country.example")},
                                                {QStringLiteral("26201"), QStringLiteral("https://operator.example/")}}}}}});
    c.connect();
    EXPECT_EQ(c.opened, QStringList{QStringLiteral("https://operator.example/")}) << "AutoOpen NO opens nothing";
    c.disconnect();

    c.h.store->setConfigurationByModule(QStringLiteral("OpenURLSettings"),
                                         QVariantList{QVariantMap{{QStringLiteral("APNProvider"), QStringLiteral("Vandrel Web")},
                                                                  {QStringLiteral("AutoOpen"), true},
                                                                  {QStringLiteral("URL"), QStringLiteral("http://profile.example/")}}});
    c.opened.clear();
    c.connect();
    EXPECT_EQ(c.opened, (QStringList{QStringLiteral("http://profile.example/"), QStringLiteral("https://operator.example/")}));
}

TEST(DialOperatorContentTest, SubscriberNumberBySoapIsStoredAndNotAskedAgain)
{
    LocalHttpServer server;
    server.route("/soap", {"<?xml version=\"1.0\"?><Envelope><Body><Reply><IMSI>262011234567890</IMSI>"
                           "<MSISDN>4915112345678</MSISDN></Reply></Body></Envelope>",
                           "text/xml"});
    ContentHarness c({{QStringLiteral("IMSI"), QStringLiteral("262011234567890")},
                      {QStringLiteral("ImsiPhone"), QVariantMap{{QStringLiteral("000"), QStringLiteral("1")}}},
                      {QStringLiteral("Main"), soapService(server)}});
    QStringList received;
    c.h.notifications.addObserver(&c.h.observer, QStringLiteral("receivePhoneNumberFromSoapServer"), nullptr,
                                  [&](const yov::Notification &n) {
                                      received << n.userInfo.value(QStringLiteral("receivePhoneNumberFromSoapServer")).toString();
                                  });
    c.connect();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !received.isEmpty(); }, 5000));
    EXPECT_EQ(received, QStringList{QStringLiteral("4915112345678")});
    EXPECT_EQ(server.requested, QList<QByteArray>{"/soap"});
    const QVariantMap table = yov::PlistBridge::readFile(c.file(QStringLiteral("settings.plist")))
                                  ->toMap().value(QStringLiteral("ImsiPhone")).toMap();
    EXPECT_EQ(table.value(QStringLiteral("262011234567890")).toString(), QStringLiteral("4915112345678"));
    c.disconnect();
    c.connect();
    QTest::qWait(200);
    EXPECT_EQ(server.requested.size(), 1) << "this SIM's number is known";
}

namespace {
QStringList g_warnings;
void keepWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg)
        g_warnings << message;
}
} // namespace

TEST(DialOperatorContentTest, AFailedSoapRequestReachesItsHandler)
{
    LocalHttpServer server;
    server.route("/soap", {"fault", "text/plain", "500 Internal Server Error"});
    ContentHarness c({{QStringLiteral("IMSI"), QStringLiteral("262011234567890")},
                      {QStringLiteral("ImsiPhone"), QVariantMap{}},
                      {QStringLiteral("Main"), soapService(server)}});
    g_warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepWarnings);
    c.connect();
    const bool told = QTest::qWaitFor([&] { return g_warnings.join(QLatin1Char('\n')).contains(QStringLiteral("could not be reached")); }, 5000);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(told);
    EXPECT_FALSE(ConfigService(c.h.store.get()).isImsiPhoneDictContainCertainImsi(QStringLiteral("262011234567890")));
}

TEST(DialOperatorContentTest, CompactSkinStatusLineAndPhoneNumber)
{
    FakeSkin skin;
    QWidget window;
    auto *label = new QLabel(&window);
    auto *connectExt = new QPushButton(&window);
    auto *top = new QWidget(&window);
    top->resize(300, 80);
    auto *home = new QWidget(&window);
    home->resize(400, 200);
    skin.controls.insert(QStringLiteral("labelDeviceStutas"), label);
    skin.controls.insert(QStringLiteral("btnDialConnectExt"), connectExt);
    skin.controls.insert(QStringLiteral("webViewInTopFixed"), top);
    skin.controls.insert(QStringLiteral("webViewInHomePage"), home);
    ContentHarness c({{QStringLiteral("UIConfig"), QVariantMap{{QStringLiteral("SmartUI"), true}}},
                      {QStringLiteral("IMSI"), QStringLiteral("510101234567890")},
                      {QStringLiteral("Main"), QVariantMap{{QStringLiteral("OperatorLinks"),
                                                            QVariantMap{{QStringLiteral("SmartPortal"), QStringLiteral("http://127.0.0.1:9")}}}}},
                      {QStringLiteral("Internet"), QVariantMap{{QStringLiteral("Internet_IsDisplayPhoneNumber_WhenConnectedOrDisconnected"), true}}}},
                     &skin);
    EXPECT_EQ(c.content->getPhoneNumber(), QStringLiteral("SmartNet"));
    c.h.dial->setRuntimeObject(QStringLiteral("62"), QStringLiteral("runtimePhoneNumber"));
    EXPECT_EQ(c.content->getPhoneNumber(), QStringLiteral("62"));
    c.h.dial->setRuntimeObject(QStringLiteral("628123456789"), QStringLiteral("runtimePhoneNumber"));
    EXPECT_EQ(c.content->getPhoneNumber(), QStringLiteral("08123456789"));

    c.content->displayPhoneNumberForSmart();
    EXPECT_EQ(label->text(), QStringLiteral("08123456789"));
    EXPECT_EQ(label->size(), QSize(175, 46));
    EXPECT_TRUE(label->alignment() & Qt::AlignRight);
    EXPECT_TRUE(label->font().bold());

    // Connected: the operator's two pages over the skin items, with the number and the IMSI.
    c.connect();
    ASSERT_EQ(top->findChildren<WebView *>().size(), 1);
    ASSERT_EQ(home->findChildren<WebView *>().size(), 1);
    EXPECT_EQ(top->findChild<WebView *>()->url().toString(),
              QStringLiteral("http://127.0.0.1:9/ibro-fe/pages/ibro/extender1.xhtml?msisdn=628123456789&imsi=510101234567890"));
    EXPECT_TRUE(home->findChild<WebView *>()->url().toString().contains(QStringLiteral("extender2.xhtml?msisdn=")));
    c.disconnect();
    EXPECT_TRUE(top->findChildren<WebView *>().isEmpty()) << "detached when the connection ends";
    EXPECT_EQ(label->text(), QStringLiteral("08123456789")) << "a user disconnect shows the number";

    // A failed attempt: two rows, the localised text, and the skin button says "Connect".
    c.h.pressConnect();
    c.h.pppStatus(yov::kPppIdle);
    EXPECT_EQ(label->text(), QStringLiteral("Can not connect, please try again"));
    EXPECT_EQ(label->size(), QSize(180, 59));
    EXPECT_TRUE(label->alignment() & Qt::AlignLeft);
    EXPECT_EQ(label->font().pointSize(), 16);
    EXPECT_EQ(connectExt->text(), QStringLiteral("Connect"));
    EXPECT_TRUE(skin.images.contains(QStringLiteral("webViewInHomePage=freeToFun_HomePage.png")));
    EXPECT_TRUE(skin.images.contains(QStringLiteral("webViewInTopFixed=freeToFun.png"))) << "the earlier user disconnect";
}

TEST(DialOperatorContentTest, LinkPolicyAndEmbeddedPage)
{
    ContentHarness c({{QStringLiteral("EnableSplitConnectionProcess"), true},
                      {QStringLiteral("EmbedWebViewURL"), QStringLiteral("http://127.0.0.1:1/embedded")},
                      {QStringLiteral("WebViewURL"), QStringLiteral("http://127.0.0.1:1/special")},
                      {QStringLiteral("WebViewRectInSuperView"),
                       QVariantMap{{QStringLiteral("InSuperViewLeft"), 5}, {QStringLiteral("InSuperViewBottom"), 6},
                                   {QStringLiteral("DecreasedHeight"), 7}, {QStringLiteral("DecreasedWidth"), 8}}}});
    yov::PlistBridge::writeFile(c.file(QStringLiteral("IconLinks.plist")),
                                QVariantList{QVariantMap{{QStringLiteral("ImageURL"), QStringLiteral("http://icons.example/promo.htm")}}});
    c.updater.loadcfg();
    EXPECT_TRUE(c.content->decidePolicyForNavigation(nullptr, QUrl(QStringLiteral("http://icons.example/promo.htm"))));
    EXPECT_FALSE(c.content->decidePolicyForNavigation(nullptr, QUrl(QStringLiteral("http://elsewhere.example/"))));
    EXPECT_EQ(c.opened, QStringList{QStringLiteral("http://elsewhere.example/")});

    // Shown at start and again after connecting: one view, not two.
    WebView *first = c.content->embeddedWebView();
    ASSERT_NE(first, nullptr);
    c.connect();
    QWidget *container = c.page->findChild<QWidget *>(QStringLiteral("viewContainerEmbedInUI_"));
    ASSERT_NE(container, nullptr);
    EXPECT_EQ(container->findChildren<WebView *>().size(), 1);
    EXPECT_EQ(c.content->getRectInSuperView(), QRectF(5, 6, 7, 8));
    // Without EnableAllowScrollOfWBV the embedded page does not scroll; the special view never does.
    ASSERT_NE(c.content->embeddedWebView(), nullptr);
    EXPECT_FALSE(c.content->embeddedWebView()->allowsScrolling());
    ASSERT_NE(c.content->specialWebView(), nullptr);
    EXPECT_FALSE(c.content->specialWebView()->allowsScrolling());
}
