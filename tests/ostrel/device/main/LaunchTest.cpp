// The launch road: start-up order, the splash timing and the window mode.
#include "MainControllerFixture.h"

#include <QMainWindow>

using namespace maintest;

namespace {

QVariantMap startupWindow(const QVariantMap &startup) { return {{QStringLiteral("StartupWindow"), startup}}; }

} // namespace

TEST_F(MainControllerTest, WithoutSplashAppReadyComesBeforeTheServiceRestart)
{
    build({});
    controller->applicationWillFinishLaunching();
    const int ready = log.indexOf(QStringLiteral("AppReady"));
    const int stop = log.indexOf(QStringLiteral("owner")); // stopMsgServer asks who owns the name
    const int launch = log.indexOf(QStringLiteral("launch"));
    ASSERT_GE(ready, 0) << log.events.join(u',').toStdString();
    EXPECT_LT(ready, stop);
    EXPECT_LT(stop, launch);
    EXPECT_TRUE(controller->hasRunDatacard());
}

TEST_F(MainControllerTest, ServiceProviderCodeWindowDelaysTheStartUntilItCloses)
{
    struct HeldWindow : ostrel::ServiceProviderCodeWindowInterface {
        std::function<void()> closed;
        void openCheckSPCodeWindow(QWidget *, std::function<void()> c) override { closed = std::move(c); }
    } window;
    build({{QStringLiteral("CheckSPCode"), true}});
    ostrel::Neighbours::setSpCodeWindow(&window);
    controller->applicationWillFinishLaunching();
    EXPECT_FALSE(launched());
    ASSERT_TRUE(window.closed);
    window.closed();
    EXPECT_TRUE(launched());
    ostrel::Neighbours::setSpCodeWindow(nullptr);
}

struct SplashCase {
    const char *name;
    int imageCount;    // frames on disk and in ImageCount
    QVariant displayCount; // invalid: key missing
    double delayTime;
    qint64 stillRunningAt; // ms: the service has not started yet
    qint64 endsAt;         // ms: the splash is over and the service started
    QList<int> frames;     // frames shown, in order
};

TEST_F(MainControllerTest, SplashTimingAndServiceStartAfterIt)
{
    const SplashCase cases[] = {
        {"three frames twice at 10 per second", 3, 2, 10.0, 699, 700, {0, 1, 2, 0, 1, 2}},
        {"single frame for 2 s", 1, 1, 2.0, 1999, 2000, {0}},
        {"display count missing ends at the first tick", 3, QVariant(), 10.0, 99, 100, {}},
    };
    for (const SplashCase &c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        log.events.clear();
        frames.clear();
        const QString folder = QStringLiteral("frames%1").arg(c.imageCount);
        writeFrames(folder, c.imageCount);
        QVariantMap startup{{QStringLiteral("ImageCount"), c.imageCount},
                            {QStringLiteral("DicName"), folder},
                            {QStringLiteral("DelayTime"), c.delayTime}};
        if (c.displayCount.isValid())
            startup.insert(QStringLiteral("DisplayCount"), c.displayCount);
        build({{QStringLiteral("MAINFORM"), startupWindow(startup)}});
        ASSERT_TRUE(controller->wndStartup_);
        EXPECT_EQ(controller->wndMain->windowOpacity(), 0.0);

        controller->applicationWillFinishLaunching();
        controller->applicationDidFinishLaunching();
        clock.advance(c.stillRunningAt);
        EXPECT_FALSE(launched()) << "the device service starts only after the splash";
        EXPECT_TRUE(controller->wndStartup_);
        clock.advance(c.endsAt - c.stillRunningAt);
        EXPECT_TRUE(launched());
        // (compared as vectors: QList<int>'s == of two empty lists trips the sanitizer in Qt 6.4)
        EXPECT_EQ(std::vector<int>(frames.begin(), frames.end()), std::vector<int>(c.frames.begin(), c.frames.end()));
        EXPECT_FALSE(controller->wndStartup_);
        EXPECT_EQ(controller->wndMain->windowOpacity(), 1.0);
        EXPECT_LT(log.indexOf(QStringLiteral("AppReady")), log.indexOf(QStringLiteral("launch")));
        const int before = frames.size();
        clock.advance(5000);
        EXPECT_EQ(frames.size(), before) << "no frame after the end";
        EXPECT_EQ(log.events.count(QStringLiteral("launch")), 1);
    }
}

TEST_F(MainControllerTest, MissingSplashFrameCancelsTheSplash)
{
    writeFrames(QStringLiteral("partial"), 2); // ImageCount says 3
    build({{QStringLiteral("MAINFORM"),
            startupWindow({{QStringLiteral("ImageCount"), 3}, {QStringLiteral("DicName"), QStringLiteral("partial")},
                           {QStringLiteral("DisplayCount"), 2}, {QStringLiteral("DelayTime"), 10.0}})}});
    EXPECT_FALSE(controller->wndStartup_);
    EXPECT_EQ(controller->wndMain->windowOpacity(), 1.0);
    controller->applicationWillFinishLaunching();
    EXPECT_TRUE(launched());
    EXPECT_TRUE(frames.isEmpty());
}

TEST_F(MainControllerTest, WindowModeAtLaunch)
{
    struct ModeCase {
        QVariant model;
        int expectedCurrent;
        bool simple;
    };
    // A missing mode (the switch's 3) and one outside 0..2 are taken as the default: the complete
    // window shows (nothing shown would leave a dashboard nobody can see).
    const ModeCase cases[] = {{QVariant(), 0, false}, {7, 0, false}, {0, 0, false}, {1, 1, true}};
    for (const ModeCase &c : cases) {
        SCOPED_TRACE(c.model.toString().toStdString());
        TearDown();
        log.events.clear();
        QVariantMap main;
        if (c.model.isValid())
            main.insert(QStringLiteral("Main_UIModel"), c.model);
        build({{QStringLiteral("Main"), main}});
        controller->applicationWillFinishLaunching();
        controller->applicationDidFinishLaunching();
        EXPECT_EQ(dial.launchSteps, 1) << "the connection controller's launch step runs once";
        EXPECT_TRUE(log.events.contains(QStringLiteral("MainwindOfAppChanged")));
        EXPECT_EQ(controller->wndFlag, 1);
        EXPECT_EQ(controller->modeCurrent, c.expectedCurrent);
        QWidget *expected = c.simple ? controller->wndSimpleMain_.data() : controller->wndCompleteMain_.data();
        EXPECT_EQ(controller->wndMain.data(), expected);
        EXPECT_TRUE(expected->isVisible());
        EXPECT_EQ(lastNotification.userInfo.value(QStringLiteral("window")).value<QObject *>(), expected);
        dial.launchSteps = 0;
    }
}

TEST_F(MainControllerTest, MainWindowHasTheTabView)
{
    build({});
    auto *window = qobject_cast<QMainWindow *>(controller->wndCompleteMain_.data());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(controller->tabviewMain);
    EXPECT_EQ(controller->tabviewMain->objectName(), QStringLiteral("tabviewMain"));
    EXPECT_TRUE(window->centralWidget()->isAncestorOf(controller->tabviewMain.data()));
}

TEST_F(MainControllerTest, ReopenShowsTheWindowHiddenByTheCloseButton)
{
    build({{QStringLiteral("Main"),
            QVariantMap{{QStringLiteral("Main_UIModel"), 0},
                        {QStringLiteral("Main_MinimizeMainWnd_IfClickCloseButton"), true}}}});
    controller->applicationWillFinishLaunching();
    controller->applicationDidFinishLaunching();
    ASSERT_TRUE(controller->wndCompleteMain_->isVisible());
    EXPECT_FALSE(controller->windowShouldClose(controller->wndMain));
    EXPECT_EQ(controller->wndFlag, 0);
    EXPECT_FALSE(controller->wndCompleteMain_->isVisible());
    EXPECT_EQ(terminations, 0);
    EXPECT_TRUE(controller->applicationShouldHandleReopen(false));
    EXPECT_EQ(controller->wndFlag, 1);
    EXPECT_TRUE(controller->wndCompleteMain_->isVisible());
}
