// The update link against a recording peer that owns the update manager's bus name on a second
// connection of this process (each test runs on a session bus of its own).
#include "ostrel/framework/update/UpdateFixture.h"
#include "support/UpdatePeer.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>

namespace {

template <typename Pred>
bool waitFor(Pred pred, int ms = 5000)
{
    QDeadlineTimer deadline(ms);
    while (!pred()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

class UpdateLinkBusTest : public UpdateFixture {
protected:
    void SetUp() override
    {
        UpdateFixture::SetUp();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "no session bus";
        writePlist(QStringLiteral("LocalInfo.plist"), {{QStringLiteral("UI_VERSION"), QStringLiteral("1.2.03")},
                                                       {QStringLiteral("FW"), QStringLiteral("11.608")}});
        writePlist(QStringLiteral("IMEIInfo.plist"), {{QStringLiteral("IMEI"), QStringLiteral("356938035643809")},
                                                      {QStringLiteral("IMEI_ISLOCKED"), true}});
    }
    void startPeer() { ASSERT_TRUE(recorder_.start()) << "the update manager's name cannot be had"; }

    // Everything sent before this marker has arrived once the marker has: the bus keeps the order
    // of one sender's messages to one receiver.
    QList<QVariantMap> drain()
    {
        const QVariantMap marker{{QStringLiteral("CMD_ID"), qint64(99)}};
        EXPECT_TRUE(link_->SendMessage(marker));
        EXPECT_TRUE(waitFor([this, &marker] { return !recorder_.received.isEmpty() && recorder_.received.last() == marker; }));
        QList<QVariantMap> got = recorder_.received;
        if (!got.isEmpty())
            got.removeLast();
        recorder_.received.clear();
        return got;
    }

    testing_support::UpdatePeer recorder_;
};

QVariantMap with(QVariantMap base, const QVariantMap &more)
{
    for (auto it = more.cbegin(); it != more.cend(); ++it)
        base.insert(it.key(), it.value());
    return base;
}

TEST_F(UpdateLinkBusTest, DictionaryOfEveryCommand)
{
    startPeer();
    ostrel::AEMessage &link = open({{QStringLiteral("AUTOUPDATE_ENABLE"), true}, {QStringLiteral("NewUpdate"), true}});
    int status = 3;
    link.setConnectStatusHook([&status] { return status; });

    const QVariantMap local{{"UI_VERSION", "1.2.03"}, {"FW", "11.608"}, {"UNSIGNED_ID", "356938035643809"}};
    const QVariantMap lang{{"UI_Language", "fr"}};

    EXPECT_TRUE(link.send_Init_Msg());
    EXPECT_TRUE(link.send_ManualUpdate_Msg());
    EXPECT_TRUE(link.send_FirmwareUpdate_Msg());
    EXPECT_TRUE(link.send_AutoUpdate_Msg());
    EXPECT_TRUE(link.send_DeviceOK_Msg());
    EXPECT_TRUE(link.send_DeviceOut_Msg());
    const QList<QVariantMap> got = drain();
    ASSERT_EQ(got.size(), 6);
    EXPECT_EQ(got[0], (QVariantMap{{"CMD_ID", qint64(1)}}));
    EXPECT_EQ(got[1], with(with(local, lang), {{"CMD_ID", qint64(2)}, {"UPDATE_MODE", qint64(1)}, {"DEVICE_STATE", false},
                                              {"WHETHER_AUTO", "0"}, {"CONNECT", qint64(1)}}));
    EXPECT_EQ(got[2], with(with(local, lang), {{"CMD_ID", qint64(2)}, {"UPDATE_MODE", qint64(3)}, {"DEVICE_STATE", false},
                                              {"kPath", "/opt/ostrel/share/ostrel"}, {"CONNECT", qint64(1)}}));
    EXPECT_EQ(got[3], with(with(local, lang), {{"CMD_ID", qint64(2)}, {"UPDATE_MODE", qint64(3)}, {"DEVICE_STATE", false},
                                              {"WHETHER_AUTO", "1"}}));
    EXPECT_EQ(got[4], with(with(local, lang), {{"CMD_ID", qint64(3)}, {"DEVICE_STATE", true}}));
    EXPECT_EQ(got[5], with(with(local, lang), {{"CMD_ID", qint64(3)}, {"DEVICE_STATE", false}}));
    EXPECT_TRUE(recorder_.malformed.isEmpty());

    // Without NewUpdate and with the connection idle (the hook's default): no WHETHER_AUTO, no CONNECT.
    store_->setConfigurationByModule(QStringLiteral("NewUpdate"), false);
    status = 0;
    link.send_ManualUpdate_Msg();
    link.setConnectStatusHook({});
    link.send_FirmwareUpdate_Msg();
    const QList<QVariantMap> plain = drain();
    ASSERT_EQ(plain.size(), 2);
    EXPECT_FALSE(plain[0].contains(QStringLiteral("WHETHER_AUTO")));
    EXPECT_FALSE(plain[0].contains(QStringLiteral("CONNECT")));
    EXPECT_FALSE(plain[1].contains(QStringLiteral("CONNECT")));
}

TEST_F(UpdateLinkBusTest, GateTable)
{
    startPeer();
    const qint64 day = 24LL * 3600 * 1000;
    enum Send { Init, Manual, Firmware, Auto, DeviceOK, DeviceOut };
    const char *names[] = {"Init", "Manual", "Firmware", "Auto", "DeviceOK", "DeviceOut"};
    struct Case {
        QVariant autoUpdate;
        double daysSinceCheck; // interval checked against UpdateTime this many days ago
        std::array<bool, 6> sent;
    } cases[] = {
        {true, 30.4, {true, true, true, true, true, true}},
        {true, 29.4, {true, true, false, false, false, true}},
        {true, -1.0, {true, true, false, false, false, true}},
        {false, 30.4, {false, true, false, false, false, true}},
        {QStringLiteral("no"), 30.4, {false, true, false, false, false, true}},
        {QVariant(), 30.4, {false, true, false, false, false, true}},
    };
    for (const Case &c : cases) {
        QVariantMap settings{{QStringLiteral("CheckIntervalDays"), true},
                             {QStringLiteral("UpdateTime"), clock_.now().addMSecs(-qint64(c.daysSinceCheck * day))}};
        if (c.autoUpdate.isValid())
            settings.insert(QStringLiteral("AUTOUPDATE_ENABLE"), c.autoUpdate);
        ostrel::AEMessage &link = open(settings);
        for (int s = Init; s <= DeviceOut; ++s) {
            switch (s) {
            case Init: link.send_Init_Msg(); break;
            case Manual: link.send_ManualUpdate_Msg(); break;
            case Firmware: link.send_FirmwareUpdate_Msg(); break;
            case Auto: link.send_AutoUpdate_Msg(); break;
            case DeviceOK: link.send_DeviceOK_Msg(); break;
            case DeviceOut: link.send_DeviceOut_Msg(); break;
            }
            const QList<QVariantMap> got = drain();
            EXPECT_EQ(got.size(), c.sent[s] ? 1 : 0)
                << names[s] << " with AUTOUPDATE_ENABLE " << c.autoUpdate.toString().toStdString() << ", "
                << c.daysSinceCheck << " days";
        }
    }
}

TEST_F(UpdateLinkBusTest, DeviceStateFollowsEvenWhenNotSent)
{
    startPeer();
    ostrel::AEMessage &link = open({{QStringLiteral("AUTOUPDATE_ENABLE"), false}});
    EXPECT_FALSE(link.send_DeviceOK_Msg());
    EXPECT_TRUE(link.isDeviceReady());
    link.send_ManualUpdate_Msg();
    QList<QVariantMap> got = drain();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].value(QStringLiteral("DEVICE_STATE")), true);

    link.send_DeviceOut_Msg();
    EXPECT_FALSE(link.isDeviceReady());
    got = drain();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].value(QStringLiteral("DEVICE_STATE")), false);
}

TEST_F(UpdateLinkBusTest, DeviceReadySendsStateThenUpdateRequest)
{
    startPeer();
    ostrel::AEMessage &link = open({{QStringLiteral("AUTOUPDATE_ENABLE"), true}});
    link.dealWithDeviceReady();
    const QList<QVariantMap> got = drain();
    ASSERT_EQ(got.size(), 2);
    EXPECT_EQ(got[0].value(QStringLiteral("CMD_ID")), qint64(3));
    EXPECT_EQ(got[1].value(QStringLiteral("CMD_ID")), qint64(2));
    EXPECT_EQ(got[1].value(QStringLiteral("DEVICE_STATE")), true);
}

TEST_F(UpdateLinkBusTest, LaunchHookWritesVersionStartsKestrinAndSendsInit)
{
    startPeer();
    const QString bin = QDir(modemList_.path()).filePath(QStringLiteral("bin"));
    ASSERT_TRUE(QDir().mkpath(bin));
    QFile program(QDir(bin).filePath(QStringLiteral("kestrin")));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.close();
    program.setPermissions(program.permissions() | QFileDevice::ExeOwner);

    ostrel::AEMessage &link = open({{QStringLiteral("AUTOUPDATE_ENABLE"), true}});
    link.ApplicationFinishLaunchHook();
    EXPECT_EQ(readPlist(QStringLiteral("LocalInfo.plist")).value(QStringLiteral("UI_VERSION")), QStringLiteral("1.2.03"));
    ASSERT_EQ(launched_.size(), 1);
    const QList<QVariantMap> got = drain();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0], (QVariantMap{{"CMD_ID", qint64(1)}}));
}

TEST_F(UpdateLinkBusTest, MessagesWhileNobodyListensAreDropped)
{
    ostrel::AEMessage &link = open({{QStringLiteral("AUTOUPDATE_ENABLE"), true}});
    EXPECT_TRUE(link.send_Init_Msg()); // handed to the bus, which has no receiver for it
    link.send_DeviceOut_Msg();
    startPeer();
    link.send_ManualUpdate_Msg();
    const QList<QVariantMap> got = drain();
    ASSERT_EQ(got.size(), 1);
    EXPECT_EQ(got[0].value(QStringLiteral("UPDATE_MODE")), qint64(1));
}

} // namespace

