// The mini window in the assembled dashboard against the stand-in: chosen by the stored skin and
// its UI configuration, it carries the device-state row in its pop-up window, shows the network
// text shortened and the signal picture of the device, and its own connect button connects.
#include "DashboardFixture.h"

#include "ostrel/device/init/InitController.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/neighbours/Neighbours.h"
#include "support/TestPaths.h"

#include <QAbstractButton>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

using namespace ostrel;
using namespace dashboard_test;

namespace {

QVariantMap miniButton(const char *identifier, const char *name, const char *action, const char *title)
{
    return {{QStringLiteral("itemIdentifier"), QLatin1String(identifier)},
            {QStringLiteral("itemName"), QLatin1String(name)},
            {QStringLiteral("itemAction"), QLatin1String(action)},
            {QStringLiteral("itemBtnTitle"), QLatin1String(title)}};
}

QAbstractButton *buttonWithIdentifier(QWidget *in, const char *identifier)
{
    for (QAbstractButton *b : in->findChildren<QAbstractButton *>())
        if (b->property("itemIdentifier") == QLatin1String(identifier))
            return b;
    return nullptr;
}

class DashboardMiniSkinTest : public DashboardFixture {};

} // namespace

TEST_F(DashboardMiniSkinTest, TheMiniWindowFollowsTheDeviceAndConnectsThroughItsOwnButton)
{
    const QString skin = testing_paths::fixtures() + QStringLiteral("/skin/miniSkin");
    setSettings({{QStringLiteral("UIConfig/CurrentSkinName"), skin},
                 {QStringLiteral("UIConfig/SupportSkinArray"), QVariantList{skin}},
                 {QStringLiteral("UIConfig/MiniUI"), true},
                 {QStringLiteral("UIConfig/ToolbarItems"),
                  QVariantList{miniButton("Connect", "btnMiniConnect", "btnDialConnectExt:", "Connect")}},
                 {QStringLiteral("UIConfig/TitlebarItems"),
                  QVariantList{miniButton("Close", "btnMiniClose", "closeMainPopupWindow:", "Close")}},
                 {QStringLiteral("UIConfig/MiniUIImageViews"), QVariantList{QStringLiteral("imageviewSingal")}}});
    setScenarioModem(QStringLiteral("Network"), {{QStringLiteral("Technology"), QStringLiteral("HSUPA")}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady());
    MainController *controller = main();
    ASSERT_EQ(controller->skinKind(), MainController::SkinKind::Mini) << "the mini skin was not built";
    QWidget *popup = controller->wndMainPopup;
    ASSERT_NE(popup, nullptr);
    ASSERT_NE(controller->mainStatusBar(), nullptr);
    EXPECT_EQ(controller->mainStatusBar()->window(), popup);
    ASSERT_NE(init()->statusView(), nullptr);
    EXPECT_EQ(init()->statusView()->window(), popup) << "the device-state row is not in the pop-up window";

    QWidget *window = mainWindow();
    auto *network = window->findChild<QLabel *>(QStringLiteral("labelNetworkStatus"));
    ASSERT_NE(network, nullptr);
    EXPECT_TRUE(QTest::qWaitFor([&] { return network->text() == QLatin1String("HSPA"); }, kWaitMs))
        << "network text " << network->text().toStdString();

    window->show();
    popup->show();
    saveScreenshot(window, QStringLiteral("dashboard-mini-window.png"));
    saveScreenshot(popup, QStringLiteral("dashboard-mini-popup.png"));

    QAbstractButton *connect = buttonWithIdentifier(window, "Connect");
    ASSERT_NE(connect, nullptr);
    connect->click();
    EXPECT_TRUE(QTest::qWaitFor([] { return Neighbours::dial().connectStatus() == 3; }, kWaitMs))
        << "the mini window's connect button did not connect";
    QAbstractButton *close = buttonWithIdentifier(window, "Close");
    ASSERT_NE(close, nullptr);
    close->click();
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(presenter_.count(), 0);
}
