// "SettingsChanged" on the session bus: sent after a successful write when
// SynchronousControllerAndUI is on, and a reload when another program sends it.
#include "ConfigTestSupport.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>

using namespace config_test;
using ostrel::ConfigManager;

namespace {

const char *const kPath = "/org/ostrel/Settings";
const char *const kInterface = "org.ostrel.Settings";
const char *const kMember = "SettingsChanged";

// Another program on the bus: sends and counts "SettingsChanged".
class OtherProgram : public QObject {
    Q_OBJECT
public:
    OtherProgram() : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("other")))
    {
        bus.connect(QString(), kPath, kInterface, kMember, this, SLOT(onSignal(QDBusMessage)));
    }
    ~OtherProgram() override { QDBusConnection::disconnectFromBus(QStringLiteral("other")); }

    bool connected() const { return bus.isConnected(); }
    bool broadcast() { return bus.send(QDBusMessage::createSignal(kPath, kInterface, kMember)); }

    QDBusConnection bus;
    QList<QDBusMessage> received;

signals:
    void signalReceived();

public slots:
    void onSignal(const QDBusMessage &m)
    {
        received.append(m);
        emit signalReceived();
    }
};

class SettingsBroadcastTest : public ConfigStoreTest {
protected:
    void SetUp() override
    {
        if (!QDBusConnection::sessionBus().isConnected())
            GTEST_SKIP() << "no session bus (run under scripts/with-session-bus)";
        ASSERT_TRUE(other.connected());
    }
    OtherProgram other;
};

QVariantMap syncSettings(bool on)
{
    return {
        {"SynchronousControllerAndUI", on},
        {"Main", QVariantMap{{"Main_UIModel", qint64(0)}}},
    };
}

} // namespace

TEST_F(SettingsBroadcastTest, AnotherProgramsSignalReloadsNestedChanges)
{
    auto &s = open(syncSettings(true));
    QSignalSpy reloaded(&s, &ConfigManager::settingsReloaded);

    QVariantMap changed = syncSettings(true);
    changed.insert("Setting", QVariantMap{{"Inner", QVariantMap{{"List", QVariantList{"a", "b"}}}}});
    changed.insert("Main", QVariantMap{{"Main_UIModel", qint64(2)}});
    writeSettings(changed);
    ASSERT_TRUE(other.broadcast());
    ASSERT_TRUE(reloaded.wait(5000));

    EXPECT_EQ(s.getConfigurationByModuleAndKey("Main", "Main_UIModel"), QVariant(qint64(2)));
    EXPECT_EQ(s.getConfigurationByModuleAndKey("Setting", "Inner"),
              QVariant(QVariantMap{{"List", QVariantList{"a", "b"}}}));
    // nested modules stay changeable after the reload
    ASSERT_TRUE(s.updateModule("Setting", [](QVariant &m) {
        QVariantMap map = m.toMap();
        QVariantMap inner = map.value("Inner").toMap();
        inner.insert("List", QVariantList{"c"});
        map.insert("Inner", inner);
        m = map;
    }));
    ASSERT_TRUE(s.writeToFile());
    EXPECT_EQ(readSettingsFile().value("Setting").toMap().value("Inner").toMap().value("List"),
              QVariant(QVariantList{"c"}));
}

TEST_F(SettingsBroadcastTest, OwnBroadcastDoesNotReload)
{
    auto &s = open(syncSettings(true));
    QSignalSpy reloaded(&s, &ConfigManager::settingsReloaded);
    QSignalSpy heard(&other, &OtherProgram::signalReceived);

    ASSERT_TRUE(s.writeToFile());
    ASSERT_TRUE(heard.wait(5000)); // the bus has now handed the store its own broadcast too
    ASSERT_EQ(other.received.size(), 1);
    EXPECT_TRUE(other.received.first().arguments().isEmpty()); // no settings on the bus

    // A later signal from the other program reaches the store after its own one.
    ASSERT_TRUE(other.broadcast());
    ASSERT_TRUE(reloaded.wait(5000));
    QCoreApplication::processEvents();
    EXPECT_EQ(reloaded.count(), 1);
}

TEST_F(SettingsBroadcastTest, OnlySuccessfulWritesWithTheSwitchOnAreAnnounced)
{
    auto &s = open(syncSettings(false));
    QSignalSpy heard(&other, &OtherProgram::signalReceived);
    QSignalSpy reloaded(&s, &ConfigManager::settingsReloaded);

    ASSERT_TRUE(s.writeToFile()); // switch off: silent
    ASSERT_TRUE(other.broadcast()); // switch off: not observed
    ASSERT_TRUE(heard.wait(5000));
    ASSERT_EQ(other.received.size(), 1);

    ASSERT_TRUE(s.setConfigurationByModule("SynchronousControllerAndUI", true));
    const QString blocker = dir.filePath("blocker");
    ASSERT_TRUE(writeBytes(blocker, "x"));
    s.setConfigFilePath(blocker + "/settings.plist", "settings.plist");
    EXPECT_FALSE(s.writeToFile()); // failed: silent

    s.setConfigFilePath(settingsPath(), "settings.plist");
    ASSERT_TRUE(s.writeToFile());
    ASSERT_TRUE(heard.wait(5000));
    QCoreApplication::processEvents();
    ASSERT_EQ(other.received.size(), 2);
    EXPECT_NE(other.received.last().service(), other.bus.baseService());
    EXPECT_EQ(reloaded.count(), 0);
}

#include "SettingsBroadcastTest.moc"
