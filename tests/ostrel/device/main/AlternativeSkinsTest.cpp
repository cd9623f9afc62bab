// The mini and smart windows: which skin is built, what each holds, the mini window's state
// display and the fall-back to the normal window for a skin that lacks an item.
#include "MainControllerFixture.h"
#include "support/TestPaths.h"

#include "ostrel/framework/controller/UIManagerSkinAccess.h"
#include "ostrel/framework/skin/YOVUIManager.h"
#include "ostrel/framework/widgets/WebView.h"
#include "ostrel/framework/widgets/WebViewUtilities.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabWidget>
#include <QUrl>

using maintest::MainControllerTest;
using Kind = ostrel::MainController::SkinKind;

namespace {

QVariantMap button(const char *identifier, const char *name, const char *action, const char *title = nullptr)
{
    QVariantMap entry{{QStringLiteral("itemIdentifier"), QLatin1String(identifier)},
                      {QStringLiteral("itemName"), QLatin1String(name)},
                      {QStringLiteral("itemAction"), QLatin1String(action)}};
    if (title)
        entry.insert(QStringLiteral("itemBtnTitle"), QLatin1String(title));
    return entry;
}

QVariantMap miniUIConfig()
{
    return {{QStringLiteral("MiniUI"), true},
            {QStringLiteral("ToolbarItems"), QVariantList{button("Connect", "btnMiniConnect", "btnDialConnectExt:", "Connect")}},
            {QStringLiteral("TitlebarItems"), QVariantList{button("Close", "btnMiniClose", "closeMainPopupWindow:")}},
            {QStringLiteral("MiniUIImageViews"), QVariantList{QStringLiteral("imageviewSingal")}}};
}

QVariantMap smartUIConfig()
{
    return {{QStringLiteral("SmartUI"), true},
            {QStringLiteral("btnsInViewTopFixed"),
             QVariantList{button("Connect", "btnDialConnectExt", "btnDialConnectExt:", "Connect")}},
            {QStringLiteral("labesInViewTopFixed"),
             QVariantList{QVariantMap{{QStringLiteral("itemName"), QStringLiteral("labelSmartTitle")},
                                      {QStringLiteral("itemStringValue"), QStringLiteral("Mobile Partner")}}}},
            {QStringLiteral("labelsInViewBottomFixed"),
             QVariantList{QVariantMap{{QStringLiteral("itemName"), QStringLiteral("labelSmartFoot")},
                                      {QStringLiteral("itemStringValue"), QStringLiteral("Ready")}}}}};
}

} // namespace

TEST(AlternativeSkins, MiniNetworkTextShortensTheThirdGenerationNames)
{
    const struct {
        const char *network;
        const char *shown;
    } cases[] = {{"HSUPA", "HSPA"}, {"HSDPA", "HSPA"}, {"UMTS", "3G"}, {"GPRS", "GPRS"}, {"HSPA+", "HSPA+"}, {"", ""}};
    for (const auto &c : cases)
        EXPECT_EQ(ostrel::MainController::miniNetworkText(QLatin1String(c.network)), QLatin1String(c.shown)) << c.network;
}

TEST(AlternativeSkins, TheUIConfigurationChoosesTheSkin)
{
    const struct {
        QVariantMap config;
        Kind kind;
    } cases[] = {
        {{{"MiniUI", true}}, Kind::Mini},
        {{{"SmartUI", true}}, Kind::Smart},
        {{{"MiniUI", true}, {"SmartUI", true}}, Kind::Mini},
        {{{"MiniUI", "NO"}, {"SmartUI", false}}, Kind::Normal},
        {{}, Kind::Normal},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ostrel::MainController::skinKindOf(c.config), c.kind);
}

class AlternativeSkinTest : public MainControllerTest {
protected:
    void buildWithSkin(const QString &skinFolder, const QVariantMap &uiConfig)
    {
        options_.config = &skinConfig_;
        options_.loadLastUsedSkin = false;
        manager_ = std::make_unique<ostrel::YOVUIManager>(options_);
        ASSERT_TRUE(manager_->loadUIResource(skinFolder));
        access_ = std::make_unique<ostrel::UIManagerSkinAccess>(manager_.get());
        skinAccess = access_.get();
        build({{QStringLiteral("UIConfig"), uiConfig}, {QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_UIModel"), 0}}}});
    }
    void TearDown() override
    {
        controller.reset();
        skinAccess = nullptr;
        access_.reset();
        manager_.reset();
        MainControllerTest::TearDown();
    }
    QMainWindow *mainWindow() const { return qobject_cast<QMainWindow *>(controller->wndCompleteMain_.data()); }
    QAbstractButton *buttonNamed(QWidget *in, const char *identifier) const
    {
        for (QAbstractButton *b : in->findChildren<QAbstractButton *>())
            if (b->property("itemIdentifier") == QLatin1String(identifier))
                return b;
        return nullptr;
    }

    QTemporaryDir skinSettings_;
    ostrel::ConfigManager skinConfig_{skinSettings_.path()};
    ostrel::YOVUIManager::Options options_;
    std::unique_ptr<ostrel::YOVUIManager> manager_;
    std::unique_ptr<ostrel::UIManagerSkinAccess> access_;
};

TEST_F(AlternativeSkinTest, MiniSkinPutsStatusAndTabsIntoThePopUpAndFollowsSignalAndNetwork)
{
    buildWithSkin(testing_paths::fixtures() + QStringLiteral("/skin/miniSkin"), miniUIConfig());
    ASSERT_EQ(controller->skinKind(), Kind::Mini);
    QWidget *popup = controller->wndMainPopup;
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->size(), QSize(520, 380));
    EXPECT_EQ(controller->tabviewMain->window(), popup) << "the tabs are not in the pop-up window";
    ASSERT_NE(controller->mainStatusBar(), nullptr);
    EXPECT_EQ(controller->mainStatusBar()->window(), popup) << "the status row is not in the pop-up window";
    EXPECT_EQ(mainWindow()->centralWidget()->size(), QSize(320, 90));

    // the state display
    auto *network = mainWindow()->findChild<QLabel *>(QStringLiteral("labelNetworkStatus"));
    ASSERT_NE(network, nullptr);
    const struct {
        const char *network;
        const char *shown;
    } cases[] = {{"HSUPA", "HSPA"}, {"UMTS", "3G"}, {"GPRS", "GPRS"}};
    for (const auto &c : cases) {
        notifications.post(QStringLiteral("init_NetworkStatus"), nullptr, {{QStringLiteral("init_NetworkStatus"), QString::fromLatin1(c.network)}});
        EXPECT_EQ(network->text(), QLatin1String(c.shown));
    }
    auto *signal = qobject_cast<QWidget *>(controller->yovSkinManager()->controllerByKey(QStringLiteral("imageviewSingal")));
    ASSERT_NE(signal, nullptr) << "no signal image";
    const QImage before = signal->grab().toImage();
    notifications.post(QStringLiteral("init_SingalStrength"), nullptr, {{QStringLiteral("init_SingalStrength"), 5}});
    EXPECT_NE(signal->grab().toImage(), before) << "the signal image did not change with the signal";

    // the buttons: connect posts dialOption, close hides the pop-up
    QStringList dialOptions;
    QObject watcher;
    notifications.addObserver(&watcher, QStringLiteral("dialOption"), nullptr,
                              [&](const yov::Notification &n) { dialOptions << n.name; });
    QAbstractButton *connect = buttonNamed(mainWindow(), "Connect");
    ASSERT_NE(connect, nullptr);
    connect->click();
    EXPECT_EQ(dialOptions.size(), 1);
    popup->show();
    QAbstractButton *close = buttonNamed(mainWindow(), "Close");
    ASSERT_NE(close, nullptr);
    close->click();
    EXPECT_FALSE(popup->isVisible());

    mainWindow()->show();
    popup->show();
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("mini-skin-window.png")); !path.isEmpty())
        mainWindow()->grab().save(path);
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("mini-skin-popup.png")); !path.isEmpty())
        popup->grab().save(path);
}

TEST_F(AlternativeSkinTest, SmartSkinStacksThreeViewsAndOpensOnTheHomePageWithItsWebView)
{
    QFile page(QDir(resources_).filePath(QStringLiteral("index.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body><h1>Welcome</h1><p>The operator's home page.</p></body></html>");
    page.close();
    ostrel::WebViewUtilities::sharedManager()->setAllowedFolders({dir_.path()});
    buildWithSkin(testing_paths::fixtures() + QStringLiteral("/skin/smartSkin"), smartUIConfig());
    ASSERT_EQ(controller->skinKind(), Kind::Smart);
    QWidget *central = mainWindow()->centralWidget();
    EXPECT_EQ(central->size(), QSize(600, 480));
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("HomePage"));
    ASSERT_TRUE(controller->webViewInHomePage_);
    EXPECT_EQ(controller->webViewInHomePage_->parentWidget(), controller->tabPage(QStringLiteral("HomePage")));
    QWidget *middle = controller->tabviewMain->parentWidget();
    ASSERT_NE(middle, nullptr);
    EXPECT_EQ(middle->geometry(), QRect(0, 90, 600, 350)) << "the middle view is not between the fixed ones";
    QAbstractButton *connect = buttonNamed(central, "Connect");
    ASSERT_NE(connect, nullptr);
    EXPECT_EQ(connect->parentWidget()->geometry(), QRect(0, 0, 600, 90)) << "the connect button is not in the top view";
    EXPECT_TRUE(controller->webViewInHomePage_->url().isLocalFile()) << "the home page was not loaded";

    mainWindow()->show();
    if (const QString path = testing_paths::screenshotPath(QStringLiteral("smart-skin-window.png")); !path.isEmpty())
        mainWindow()->grab().save(path);
    ostrel::WebViewUtilities::sharedManager()->setAllowedFolders({});
}

TEST_F(AlternativeSkinTest, ASkinLackingAnItemLeavesTheNormalWindow)
{
    // the smart skin has no pop-up window for the mini window; the mini skin no top view
    const struct {
        const char *skin;
        QVariantMap config;
    } cases[] = {{"smartSkin", miniUIConfig()}, {"miniSkin", smartUIConfig()}};
    for (const auto &c : cases) {
        TearDown();
        SetUp();
        buildWithSkin(testing_paths::fixtures() + QStringLiteral("/skin/") + QLatin1String(c.skin), c.config);
        EXPECT_EQ(controller->skinKind(), Kind::Normal) << c.skin;
        EXPECT_FALSE(controller->wndMainPopup) << c.skin;
        EXPECT_FALSE(controller->webViewInHomePage_) << c.skin;
        EXPECT_EQ(controller->tabviewMain->window(), mainWindow()) << c.skin;
        EXPECT_EQ(controller->mainStatusBar(), mainWindow()->statusBar()) << c.skin;
    }
}

TEST_F(AlternativeSkinTest, HomePageStaysEmptyWithoutItsFileAndLoadsWhenTheLinkIconsAreRefreshed)
{
    ostrel::WebViewUtilities::sharedManager()->setAllowedFolders({dir_.path()});
    buildWithSkin(testing_paths::fixtures() + QStringLiteral("/skin/smartSkin"), smartUIConfig());
    ASSERT_TRUE(controller->webViewInHomePage_);
    EXPECT_TRUE(controller->webViewInHomePage_->url().isEmpty());

    QFile page(QDir(resources_).filePath(QStringLiteral("index.html")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html><body>Later</body></html>");
    page.close();
    notifications.post(QStringLiteral("LoadImageFormURLOver"));
    EXPECT_EQ(QFileInfo(controller->webViewInHomePage_->url().toLocalFile()).canonicalFilePath(),
              QFileInfo(page).canonicalFilePath());
    ostrel::WebViewUtilities::sharedManager()->setAllowedFolders({});
}
