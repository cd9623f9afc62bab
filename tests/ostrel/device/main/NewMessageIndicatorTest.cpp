// The new-message indicator (four frames, two per second) and the status item's pictures: the
// new-message animations, the after-reading and set-up rules and the connection's image.
#include "MainControllerFixture.h"

#include "ostrel/device/main/animationView.h"
#include "ostrel/framework/widgets/StatusBarView.h"

#include <QMainWindow>
#include <QTest>

#include <set>
#include <utility>

using maintest::MainControllerTest;

namespace {

QImage solid(int width, QColor colour)
{
    QImage image(width, 12, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

struct RecordingSms : ostrel::DefaultSMSController {
    int inboxOpens = 0;
    int overdueHandled = 0;
    bool unread[2] = {false, false};
    void GotoInbox() override { ++inboxOpens; }
    bool hasNewSMSInPos(int position) const override { return position >= 0 && position < 2 && unread[position]; }
    void doWithPcUnreadFlowValueSMSAndRefreshStatusWhenFlowAlertOverTime() override { ++overdueHandled; }
};

struct FakeSmsService : ostrel::DefaultSmsService {
    int newest = 2;
    std::set<std::pair<int, int>> unreadTypes; // (position, type)
    int flowValueInfo = 0;
    bool overdue = false;
    int typeOfNewSms() const override { return newest; }
    bool checkPos(int position, int type) const override { return unreadTypes.count({position, type}) > 0; }
    int getFlowValueInfoFromFile() const override { return flowValueInfo; }
    bool isOverDueFlowValueSms() const override { return overdue; }
    // Messages of these types stored unread in the computer's inbox: refreshing the computer's
    // unread list finds them.
    std::set<int> storedUnreadTypes;
    QVariantList getPCBoxListWithBox(int box) override
    {
        QVariantList list;
        if (box == 0)
            for (int type : storedUnreadTypes)
                list << QVariantMap{{QStringLiteral("type"), type}};
        return list;
    }
    QVariantList getUnreadSMSInPos(int position, const QVariantList &inBoxList) override
    {
        if (position == 0)
            for (const QVariant &entry : inBoxList)
                unreadTypes.insert({0, entry.toMap().value(QStringLiteral("type")).toInt()});
        return position == 0 ? inBoxList : QVariantList();
    }
};

} // namespace

// --- the indicator ---------------------------------------------------------------------------------

TEST(NewMessageIndicator, FrameNamesFollowTheFirstFrameName)
{
    const struct {
        const char *path;
        QStringList names;
    } cases[] = {
        {"Normal_SMS_Arrive1",
         {"Normal_SMS_Arrive1.PNG", "Normal_SMS_Arrive2.PNG", "Normal_SMS_Arrive3.PNG", "Normal_SMS_Arrive4.PNG"}},
        {"x1", {"x1.PNG", "x2.PNG", "x3.PNG", "x4.PNG"}},
        {"", {}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ostrel::animationView::frameNames(QLatin1String(c.path)), c.names) << c.path;
}

TEST(NewMessageIndicator, ShowsFramesOneToFourInTurnAtHalfASecondAndRebuildsOnlyForANewPath)
{
    testing_support::ManualClock clock;
    ostrel::animationView view(nullptr, clock);
    QStringList asked;
    const QList<QColor> colours{Qt::red, Qt::green, Qt::blue, Qt::yellow};
    view.setImageProvider([&](const QString &name) {
        asked << name;
        const int frame = name.at(name.size() - 5).digitValue(); // "...<n>.PNG"
        return solid(10 + frame, colours.value(frame - 1));
    });
    view.resize(20, 12);
    view.setImagePath(QStringLiteral("Normal_SMS_Arrive1"));
    EXPECT_EQ(asked.size(), 4);
    view.setImagePath(QStringLiteral("Normal_SMS_Arrive1"));
    EXPECT_EQ(view.buildCount(), 1) << "the same path again rebuilt the frames";
    EXPECT_EQ(asked.size(), 4);

    view.startAnimation();
    EXPECT_TRUE(view.isVisible());
    QList<int> shown;
    for (int step = 0; step < 5; ++step) {
        clock.advance(499);
        const int before = view.frameIndex();
        clock.advance(1);
        EXPECT_NE(view.frameIndex(), before) << "the frame changed before 0.5 s or not at all";
        shown << view.frameIndex() + 1;
    }
    EXPECT_EQ(shown, (QList<int>{1, 2, 3, 4, 1}));
    // what is drawn is the frame on show
    EXPECT_EQ(view.grab().toImage().pixelColor(2, 2), QColor(Qt::red));
}

TEST(NewMessageIndicator, MissingFrameDrawsNothingAndAnEmptyPathBuildsNothing)
{
    testing_support::ManualClock clock;
    QWidget host;
    host.resize(40, 40);
    host.setStyleSheet(QStringLiteral("background: white"));
    auto *view = new ostrel::animationView(&host, clock);
    view->setGeometry(0, 0, 20, 12);
    int calls = 0;
    view->setImageProvider([&](const QString &name) {
        ++calls;
        return name.endsWith(QLatin1String("3.PNG")) ? QImage() : solid(20, Qt::red);
    });
    view->setImagePath(QString());
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(view->buildCount(), 0);
    view->setImagePath(QStringLiteral("n1"));
    view->startAnimation();
    clock.advance(1500); // frames 1, 2, 3
    EXPECT_EQ(view->frameIndex(), 2);
    EXPECT_TRUE(view->frameImage(2).isNull());
    EXPECT_NE(host.grab().toImage().pixelColor(2, 2), QColor(Qt::red)) << "a missing frame drew something";
}

TEST(NewMessageIndicator, ClickStopsHidesAndOpensTheInboxMinimiseOnlyStops)
{
    RecordingSms sms;
    ostrel::Neighbours::installDefaults(nullptr);
    ostrel::Neighbours::setSms(&sms);
    testing_support::ManualClock clock;
    ostrel::animationView view(nullptr, clock);
    view.setImageProvider([](const QString &) { return solid(10, Qt::red); });
    view.setImagePath(QStringLiteral("n1"));
    view.resize(10, 12);

    view.startAnimation();
    view.stopAnimationWhenMinimizeWnd();
    EXPECT_FALSE(view.isAnimating());
    EXPECT_TRUE(view.isVisible()) << "minimising hid the indicator";

    view.startAnimation();
    QTest::mouseClick(&view, Qt::LeftButton);
    EXPECT_FALSE(view.isAnimating());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(sms.inboxOpens, 1);
    const int index = view.frameIndex();
    clock.advance(2000);
    EXPECT_EQ(view.frameIndex(), index) << "frames go on after the click";
    ostrel::Neighbours::installDefaults(nullptr);
}

// --- the status item ---------------------------------------------------------------------------

class StatusItemTest : public MainControllerTest {
protected:
    // Distinct images, told apart by their width.
    void writeStatusImages()
    {
        const QString folder = QDir(resources_).filePath(QStringLiteral("skin/defaultSkin"));
        QDir().mkpath(folder);
        const std::pair<const char *, int> images[] = {
            {"SysStatusItem.PNG", 18},          {"SysStatusItemConnected.PNG", 19}, {"SysStatusItemDisConnected.PNG", 20},
            {"Normal_SMS_Arrive1.PNG", 21},     {"Normal_SMS_Arrive2.PNG", 22},     {"FlowValue_SMS_Arrive1.PNG", 23},
            {"FlowValue_SMS_Arrive2.PNG", 24},
        };
        for (const auto &[name, width] : images)
            ASSERT_TRUE(solid(width, QColor(width * 5, 40, 90)).save(folder + QLatin1Char('/') + QLatin1String(name), "PNG"));
    }

    void buildWithItem(bool freshOnConnect, bool freshOnNewSms)
    {
        writeStatusImages();
        ostrel::Neighbours::setSms(&sms);
        ostrel::Neighbours::setSmsService(&service);
        build({{QStringLiteral("NeedSystemStatusItem"), true},
               {QStringLiteral("Main"), QVariantMap{{QStringLiteral("Main_FreshStatusView_ConnectStatusChanged"), freshOnConnect},
                                                    {QStringLiteral("Main_FreshStatusView_NewSMSArrive"), freshOnNewSms},
                                                    {QStringLiteral("Main_UIModel"), 0}}}});
        ostrel::Neighbours::setSms(&sms);
        ostrel::Neighbours::setSmsService(&service);
        ASSERT_TRUE(controller->viewSysStatusItem_);
    }

    ostrel::StatusBarView *item() const { return controller->viewSysStatusItem_; }
    bool shows(const char *name) const { return item()->displayedImage() == controller->namedImage(QLatin1String(name)); }
    // "connected", "disconnected", "start", "normal", "flow" or "?".
    QString picture() const
    {
        if (item()->isAnimationRunning()) {
            const QString path = item()->getAnimationImagesPath();
            return path == QLatin1String("Normal_SMS_Arrive1")      ? QStringLiteral("normal")
                   : path == QLatin1String("FlowValue_SMS_Arrive1") ? QStringLiteral("flow")
                                                                    : QStringLiteral("?");
        }
        if (shows("SysStatusItemConnected.PNG"))
            return QStringLiteral("connected");
        if (shows("SysStatusItemDisConnected.PNG"))
            return QStringLiteral("disconnected");
        if (shows("SysStatusItem.PNG"))
            return QStringLiteral("start");
        return QStringLiteral("?");
    }
    void postConnectStatus(int status)
    {
        notifications.post(QStringLiteral("ConnectStatusDidChange"), nullptr, {{QStringLiteral("ConnectStatus"), status}});
    }

    RecordingSms sms;
    FakeSmsService service;
};

TEST_F(StatusItemTest, NewMessageAnimatesTwoFramesByTypeAndAClickOpensTheInboxOfTheCompleteWindow)
{
    buildWithItem(true, true);
    const struct {
        int type;
        const char *picture;
    } cases[] = {{0, "flow"}, {1, "flow"}, {2, "normal"}};
    for (const auto &c : cases) {
        service.newest = c.type;
        controller->freshStatusViewWhenNewSMSArrive();
        EXPECT_EQ(picture(), QLatin1String(c.picture)) << "type " << c.type;
        EXPECT_EQ(item()->frameCount(), 2);
    }
    clock.advance(500);
    EXPECT_TRUE(shows("Normal_SMS_Arrive1.PNG"));
    clock.advance(500);
    EXPECT_TRUE(shows("Normal_SMS_Arrive2.PNG"));
    clock.advance(500);
    EXPECT_TRUE(shows("Normal_SMS_Arrive1.PNG"));

    controller->switchToModel(ostrel::MainController::SimpleModel);
    ASSERT_NE(controller->wndMain, controller->wndCompleteMain_);
    QTest::mouseClick(item(), Qt::LeftButton);
    EXPECT_EQ(controller->wndMain, controller->wndCompleteMain_);
    EXPECT_EQ(controller->currentTabIdentifier(), QStringLiteral("SMS"));
    EXPECT_EQ(sms.inboxOpens, 1);
}

TEST_F(StatusItemTest, ConnectionImageFollowsTheStateUnlessUnreadMessagesKeepTheAnimation)
{
    const struct {
        bool freshOnConnect;
        bool freshOnNewSms;
        bool unreadPc;
        bool unreadSim;
        int status;
        const char *picture;
    } cases[] = {
        {true, false, false, false, 3, "connected"},
        {true, false, false, false, 0, "disconnected"},
        {true, false, true, false, 0, "disconnected"}, // unread messages count only with the SMS switch
        {true, false, false, false, 1, "normal"},      // other states keep what is shown
        {true, true, false, false, 3, "connected"},
        {true, true, true, false, 3, "normal"},
        {true, true, false, true, 0, "normal"},
        {false, false, false, false, 3, "normal"}, // the switch is off
    };
    for (const auto &c : cases) {
        TearDown();
        SetUp();
        sms = RecordingSms();
        service = FakeSmsService();
        buildWithItem(c.freshOnConnect, c.freshOnNewSms);
        sms.unread[0] = c.unreadPc;
        sms.unread[1] = c.unreadSim;
        controller->freshStatusViewWhenNormalSMSArrive();
        postConnectStatus(c.status);
        EXPECT_EQ(picture(), QLatin1String(c.picture))
            << c.freshOnConnect << c.freshOnNewSms << c.unreadPc << c.unreadSim << " status " << c.status;
        if (c.freshOnConnect && !(c.freshOnNewSms && (c.unreadPc || c.unreadSim)) && c.status == 1) {
            QTest::mouseClick(item(), Qt::LeftButton);
            EXPECT_EQ(sms.inboxOpens, 0) << "after a change between idle and connected the item still opens the inbox";
            if (item()->menu())
                item()->menu()->close();
        }
        if (QLatin1String(c.picture) == QLatin1String("connected")) {
            EXPECT_EQ(item()->menu(), controller->menuSysStatusItem_.data()) << "the static item lost its menu";
            QTest::mouseClick(item(), Qt::LeftButton);
            EXPECT_EQ(sms.inboxOpens, 0) << "the static item still opens the inbox";
            if (item()->menu())
                item()->menu()->close();
        }
    }
}

TEST_F(StatusItemTest, AfterReadingTheAnimationStaysWhileItsKindIsUnreadElseTheOtherKindElseTheConnection)
{
    const struct {
        int newest;
        std::set<std::pair<int, int>> unread;
        const char *picture;
    } cases[] = {
        {2, {{0, 2}}, "flow"},          // an ordinary message still unread on the computer: unchanged
        {2, {{1, 2}}, "flow"},          // ... on the SIM
        {2, {{0, 1}}, "flow"},          // none of its kind, a flow-value notice unread: that kind
        {2, {{0, 2}, {0, 1}}, "flow"},  // both kinds unread: unchanged
        {2, {}, "disconnected"},        // nothing unread
        {0, {{1, 0}}, "flow"},          // unchanged
        {0, {{0, 2}}, "normal"},        // the other kind
        {1, {{0, 0}}, "flow"},          // a flow-value notice of another level is the same kind
        {1, {}, "disconnected"},
    };
    for (const auto &c : cases) {
        TearDown();
        SetUp();
        sms = RecordingSms();
        service = FakeSmsService();
        buildWithItem(true, true);
        controller->freshStatusViewWhenFlowValueSMSArrive();
        service.newest = c.newest;
        service.unreadTypes = c.unread;
        controller->freshStatusViewWhenSMSReaded();
        EXPECT_EQ(picture(), QLatin1String(c.picture)) << "newest type " << c.newest << ", " << c.unread.size() << " unread";
    }
}

TEST_F(StatusItemTest, AtSetUpUnreadInboxMessagesStartTheAnimationOfTheirKind)
{
    const struct {
        bool unreadPc;
        bool freshOnNewSms;
        int flowValueInfo;
        bool overdue;
        std::set<std::pair<int, int>> unread;
        const char *picture;
        int overdueHandled;
    } cases[] = {
        {false, true, 0, true, {{0, 0}}, "start", 0}, // nothing unread in the computer's inbox
        {true, true, 0, false, {{0, 2}}, "normal", 0},
        {true, true, 0, false, {{0, 1}}, "flow", 0},
        {true, true, 0, false, {{1, 0}}, "normal", 0}, // a SIM notice does not count here
        {true, true, 0, true, {{0, 0}}, "flow", 1},
        {true, true, 2, true, {{0, 2}}, "normal", 0}, // flow-value state 2: no overdue handling
        {true, false, 0, true, {{0, 0}}, "start", 1}, // the overdue message is handled, no animation
    };
    for (const auto &c : cases) {
        TearDown();
        SetUp();
        sms = RecordingSms();
        service = FakeSmsService();
        buildWithItem(true, c.freshOnNewSms);
        sms.unread[0] = c.unreadPc;
        service.flowValueInfo = c.flowValueInfo;
        service.overdue = c.overdue;
        service.unreadTypes = c.unread;
        ostrel::Neighbours::main().freshStatusViewWhenInitialController();
        EXPECT_EQ(picture(), QLatin1String(c.picture)) << c.unreadPc << c.freshOnNewSms << c.flowValueInfo << c.overdue;
        EXPECT_EQ(sms.overdueHandled, c.overdueHandled);
    }
}

TEST_F(StatusItemTest, WithoutAnItemEveryOperationDoesNothing)
{
    build({});
    ASSERT_FALSE(controller->viewSysStatusItem_);
    controller->freshStatusViewWhenNormalSMSArrive();
    controller->freshStatusViewToStaticViewAccorindToDialStatus(3);
    controller->setImageOfStatusBarViewWithImageName(QStringLiteral("SysStatusItem.PNG"));
    controller->freshStatusViewWhenSMSReaded();
    postConnectStatus(3);
    EXPECT_FALSE(controller->viewSysStatusItem_);
}

// At start-up the computer's stored inbox is read: messages left unread there start the animation
// of their kind, even before the SMS page knows of them.
TEST_F(StatusItemTest, AtStartUpMessagesStoredUnreadStartTheAnimation)
{
    const struct {
        bool unreadPc; // as the SMS page tells
        std::set<int> stored;
        bool freshOnNewSms;
        const char *picture;
    } cases[] = {
        {false, {}, true, "start"},
        {false, {2}, true, "normal"},
        {false, {1}, true, "flow"},
        {false, {0, 2}, true, "flow"},
        {true, {}, true, "normal"},
        {false, {2}, false, "start"}, // the switch is off
    };
    for (const auto &c : cases) {
        TearDown();
        SetUp();
        sms = RecordingSms();
        service = FakeSmsService();
        sms.unread[0] = c.unreadPc;
        service.storedUnreadTypes = c.stored;
        beforeWake = [this] {
            ostrel::Neighbours::setSms(&sms);
            ostrel::Neighbours::setSmsService(&service);
        };
        buildWithItem(true, c.freshOnNewSms);
        beforeWake = nullptr;
        EXPECT_EQ(picture(), QLatin1String(c.picture)) << c.unreadPc << " stored " << c.stored.size() << c.freshOnNewSms;
    }
}
