// The credentials sheet between the connect button and the connect road, the roaming alert's
// accept wording, and the disconnect after a time without network service.
#include "DialHarness.h"

#include "common/records/Payload.h"
#include "ostrel/framework/switches/ConfigService.h"
#include "ostrel/framework/widgets/ResourcePaths.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace ostrel;
using dialtest::Harness;

namespace {

QVariantMap askingProfile(const QVariantMap &more = {})
{
    QVariantMap p{{QStringLiteral("provider"), QStringLiteral("Vandrel Ask")},
                  {QStringLiteral("apnName"), QStringLiteral("ask.vandrel")},
                  {QStringLiteral("telNumber"), QStringLiteral("*99#")},
                  {QStringLiteral("askUsernameFlag"), true},
                  {QStringLiteral("accountName"), QStringLiteral("stored")},
                  {QStringLiteral("password"), QStringLiteral("storedpw")},
                  {QStringLiteral("saveUsernameFlag"), 1}};
    for (auto it = more.begin(); it != more.end(); ++it)
        p.insert(it.key(), it.value());
    return p;
}

const QVariantMap kCheckAccount{{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("CheckAPNAccount"), true}}}};

yov::MSG_APN_SET_REQ_PARA_T lastDialParams(const Harness &h)
{
    return yov::MSG_APN_SET_REQ_PARA_T::decode(yov::PayloadReader(h.lastPayload(257, 60)));
}

} // namespace

TEST(DialConnectButtonTest, CredentialsSheetSendsTheTypedValuesAndKeepsThemOnlyWhenAsked)
{
    struct Case {
        const char *what;
        bool save;
        QString storedName;
        QString storedPassword;
        int storedFlag;
    };
    const Case cases[] = {
        {"save box off", false, QString(), QString(), 0},
        {"save box on", true, QStringLiteral("typed"), QStringLiteral("secret"), 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(kCheckAccount, {askingProfile()});
        h.ready();
        QStringList sheet;
        QObject::connect(h.dial.get(), &DialController::credentialsSheetRequested,
                         [&](const QString &user, const QString &password, bool save) {
                             sheet << user << password << (save ? QStringLiteral("save") : QStringLiteral("nosave"));
                         });
        h.transport->sent.clear();
        h.pressConnect();
        EXPECT_EQ(sheet, QStringList({QStringLiteral("stored"), QStringLiteral("storedpw"), QStringLiteral("save")}));
        EXPECT_EQ(h.count(258, 65), 0) << "the request stops at the sheet";
        ASSERT_TRUE(h.dial->credentialsSheetOpen());

        h.dial->checkWindowOK(QStringLiteral("typed"), QStringLiteral("secret"), c.save);
        const yov::MSG_APN_SET_REQ_PARA_T sent = lastDialParams(h);
        EXPECT_EQ(sent.userName, QStringLiteral("typed"));
        EXPECT_EQ(sent.password, QStringLiteral("secret"));
        h.dial->checkWindowOK(QStringLiteral("typed"), QStringLiteral("secret"), c.save); // a second OK
        h.clock.advance(DialController::kDialOptionDelayMs);
        EXPECT_EQ(h.count(258, 65), 1) << "one connect request";
        EXPECT_EQ(h.count(258, 66), 0) << "nothing cancels the dial";
        EXPECT_EQ(h.dial->connectStatus(), yov::kConnectStatusConnecting);

        const auto stored = yov::PlistBridge::readFile(h.dir.filePath(QStringLiteral("dialConfig.plist")));
        ASSERT_TRUE(stored.has_value());
        const QVariantMap profile = stored->toList().value(0).toMap();
        EXPECT_EQ(profile.value(QStringLiteral("accountName")).toString(), c.storedName);
        EXPECT_EQ(profile.value(QStringLiteral("password")).toString(), c.storedPassword);
        EXPECT_EQ(profile.value(QStringLiteral("saveUsernameFlag")).toInt(), c.storedFlag);
        EXPECT_EQ(QFile(h.dir.filePath(QStringLiteral("dialConfig.plist"))).permissions() & 0x0077, 0)
            << "the profile file stays readable by the user alone";
    }
}

TEST(DialConnectButtonTest, NoSheetWithoutAProfileThatAsksAndCancelEndsTheRequest)
{
    struct Case {
        const char *what;
        QVariantMap settings;
        QVariantList profiles;
        bool sheet;
    };
    const Case cases[] = {
        {"switch off", {}, {askingProfile()}, false},
        {"profile does not ask", kCheckAccount, {askingProfile({{QStringLiteral("askUsernameFlag"), false}})}, false},
        {"empty profile list", kCheckAccount, {}, false},
        {"profile asks", kCheckAccount, {askingProfile()}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(c.settings, c.profiles);
        h.ready();
        int sheets = 0;
        QObject::connect(h.dial.get(), &DialController::credentialsSheetRequested, [&] { ++sheets; });
        h.transport->sent.clear();
        h.pressConnect();
        EXPECT_EQ(sheets, c.sheet ? 1 : 0);
        EXPECT_EQ(h.count(258, 65), c.sheet ? 0 : 1);
        if (c.sheet) {
            h.dial->checkWindowCancel();
            h.clock.advance(1000);
            EXPECT_EQ(h.count(258, 65), 0);
            EXPECT_EQ(h.count(257, 60), 0) << "Cancel sends nothing";
            h.dial->checkWindowOK(QStringLiteral("late"), QStringLiteral("late"), false);
            h.clock.advance(DialController::kDialOptionDelayMs);
            EXPECT_EQ(h.count(258, 65), 0) << "an OK after Cancel does nothing";
        }
    }
}

TEST(DialConnectButtonTest, RoamingAlertAcceptWording)
{
    for (bool cont : {false, true}) {
        Harness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("RoamAlertContinue"), cont}}}});
        h.ready();
        h.device.roaming = 0;
        h.alerts.setHoldOpen(true);
        h.pressConnect();
        ASSERT_EQ(h.alerts.count(), 1);
        EXPECT_EQ(h.alerts.shown()[0].defaultButton, cont ? QStringLiteral("Continue") : QStringLiteral("OK"));
    }
}

TEST(DialConnectButtonTest, NoServiceWhileConnectedEndsTheConnectionOnce)
{
    {
        SCOPED_TRACE("service lost for the whole interval");
        Harness h({{QStringLiteral("ServiceTimerInterval"), 5}});
        h.ready();
        h.pressConnect();
        h.pppStatus(yov::kPppRunning, 1);
        h.dial->monitorNetworkService(false);
        h.clock.advance(3000);
        h.dial->monitorNetworkService(false); // a repeated report starts no second timer
        h.clock.advance(2500);
        EXPECT_EQ(h.count(258, 66), 1);
        h.clock.advance(10000);
        EXPECT_EQ(h.count(258, 66), 1);
    }
    {
        SCOPED_TRACE("service back before the end: the connection stays");
        Harness h;
        h.ready();
        h.pressConnect();
        h.pppStatus(yov::kPppRunning, 1);
        h.dial->monitorNetworkService(false);
        h.clock.advance(59000);
        h.dial->monitorNetworkService(true);
        h.clock.advance(120000);
        EXPECT_EQ(h.count(258, 66), 0);
        EXPECT_FALSE(h.dial->networkServiceTimerRunning());
    }
    {
        SCOPED_TRACE("not connected: no timer");
        Harness h;
        h.ready();
        h.dial->monitorNetworkService(false);
        EXPECT_FALSE(h.dial->networkServiceTimerRunning());
    }
}

TEST(DialConnectButtonTest, LanguageChangeKeepsWhatEachStateShows)
{
    struct Case {
        const char *what;
        QVariantMap internet;
        std::function<void(Harness &)> reach;
    };
    const Case cases[] = {
        {"idle", {}, [](Harness &h) { h.ready(); }},
        {"idle, Connect disabled", {}, [](Harness &h) {
             h.dial->receiveDeviceOn();
             h.dial->setConnectBtnEnable(false);
         }},
        {"connecting, no Cancel yet", {}, [](Harness &h) {
             h.ready();
             h.pressConnect();
         }},
        {"connecting, Cancel offered", {}, [](Harness &h) {
             h.ready();
             h.pressConnect();
             h.pppStatus(yov::kPppNetwork);
         }},
        {"connected", {}, [](Harness &h) {
             h.ready();
             h.pressConnect();
             h.pppStatus(yov::kPppRunning, 1);
         }},
        {"connected with the APN", {{QStringLiteral("Internet_AppendingApnInfoForConnectStateWhenConnected"), true}},
         [](Harness &h) {
             h.ready();
             h.pressConnect();
             h.pppStatus(yov::kPppRunning, 1);
         }},
        {"disconnecting", {}, [](Harness &h) {
             h.ready();
             h.pressConnect();
             h.pppStatus(yov::kPppRunning, 1);
             h.pressConnect();
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Harness h({{QStringLiteral("Internet"), c.internet}});
        c.reach(h);
        h.clock.advance(50); // the requests of the state change are out
        const DialDisplay before = h.dial->display();
        const int sentBefore = int(h.transport->sent.size());
        h.dial->updateLanguages();
        EXPECT_EQ(h.dial->display().connectButtonTitle, before.connectButtonTitle);
        EXPECT_EQ(h.dial->display().stateText, before.stateText);
        EXPECT_EQ(h.dial->display().connectButtonEnabled, before.connectButtonEnabled);
        EXPECT_EQ(int(h.transport->sent.size()), sentBefore) << "a language change sends nothing";
    }
}

TEST(DialConnectButtonTest, IdleWithConnectDisabledShowsTheDeviceLine)
{
    Harness h({{QStringLiteral("ShowModemAndSimStateBasisDeviceStateWhenKV424"), true}});
    h.dial->receiveDeviceOn();
    h.dial->setConnectBtnEnable(false);
    h.dial->initConnectStatusWording();
    EXPECT_TRUE(h.dial->display().stateText.isEmpty());
    EXPECT_EQ(h.dial->display().modemAndSimState, QStringLiteral("Dial_tfdDeviceNotDetected"));
    h.dial->setConnectBtnEnable(true);
    h.dial->initConnectStatusWording();
    EXPECT_EQ(h.dial->display().stateText, QStringLiteral("Idle"));
}

TEST(DialConnectButtonTest, ButtonImageByStateLanguageFirstAndAMissingFileKeepsTheImage)
{
    QTemporaryDir resources;
    const auto image = [&](const QString &name, Qt::GlobalColor colour) {
        QImage img(8, 8, QImage::Format_ARGB32);
        img.fill(colour);
        ASSERT_TRUE(img.save(resources.filePath(name)));
    };
    image(QStringLiteral("connect.png"), Qt::green);
    image(QStringLiteral("Germanconnect.png"), Qt::yellow);
    image(QStringLiteral("disconnect.png"), Qt::red);
    image(QStringLiteral("cancel.png"), Qt::blue);
    QDir(resources.path()).mkpath(QStringLiteral("German.lproj"));
    const QString previousResources = ResourcePaths::resourcesPath();
    const QString previousTokens = ConfigService::activeTokenListPath();
    ResourcePaths::setResourcesPath(resources.path());
    ConfigService::setActiveTokenListPath(resources.filePath(QStringLiteral("German.lproj/LanguageTokenList.txt")));

    Harness h({{QStringLiteral("Internet"), QVariantMap{{QStringLiteral("ConnectBtnDisplayWithImage"), true},
                                                        {QStringLiteral("Internet_notDisplayWordingForConnectBtn"), true},
                                                        {QStringLiteral("ConnectButton_imageName"), QStringLiteral("connect.png")},
                                                        {QStringLiteral("DisconnectButton_imageName"), QStringLiteral("disconnect.png")},
                                                        {QStringLiteral("CancelButton_imageName"), QStringLiteral("missing.png")},
                                                        {QStringLiteral("ConnectDisabledButton_imageName"), QStringLiteral("../cancel.png")}}}});
    h.ready();
    EXPECT_EQ(h.dial->display().connectButtonImage, resources.filePath(QStringLiteral("Germanconnect.png")))
        << "the language's image wins";
    h.pressConnect();
    EXPECT_EQ(h.dial->display().connectButtonImage, resources.filePath(QStringLiteral("Germanconnect.png")))
        << "a missing file keeps the image; a path is no name";
    h.pppStatus(yov::kPppRunning, 1);
    EXPECT_EQ(h.dial->display().connectButtonImage, resources.filePath(QStringLiteral("disconnect.png")))
        << "the plain name without a language file";
    h.dial->updateLanguages();
    EXPECT_TRUE(h.dial->display().connectButtonTitle.isEmpty()) << "an image and no title";

    ResourcePaths::setResourcesPath(previousResources);
    ConfigService::setActiveTokenListPath(previousTokens);
}
