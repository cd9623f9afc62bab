// The whole dashboard in this process against the stand-in modem on the test's own session bus:
// start-up, the status row, connecting and disconnecting through the Internet page on both roads,
// the PIN sheet, and the roaming alert, used through the windows as a user would.
#include "common/PlistBridge.h"
#include "common/ValueConversion.h"
#include "common/records/DeviceServiceBus.h"
#include "common/records/UiMsg.h"
#include "common/records/connection/ConnectionRecords.h"
#include "ostrel/app/DashboardAssembly.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/init/InitWindows.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/config/ConfigManager.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "platform/NotificationCenter.h"
#include "platform/alert/AlertPresenter.h"
#include "support/QuickScenario.h"
#include "support/ScriptedAlertPresenter.h"
#include "support/TestPaths.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

using namespace ostrel;

namespace {

constexpr int kWaitMs = 15000;

bool copyTree(const QString &from, const QString &to)
{
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo &entry : QDir(from).entryInfoList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString target = QDir(to).filePath(entry.fileName());
        if (entry.isDir() ? !copyTree(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
    return true;
}

bool serviceRunning()
{
    return QDBusConnection::sessionBus().interface()->isServiceRegistered(QLatin1String(yov::devicebus::kService));
}

// The stand-in's test-control interface.
QDBusMessage control(const QString &method, const QVariantList &args = {})
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(yov::devicebus::kService),
                                                       QLatin1String(yov::devicebus::kTestPath),
                                                       QLatin1String(yov::devicebus::kTestInterface), method);
    call.setArguments(args);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 5000);
}

// A D-Bus map value, whether it came as a map or still wrapped.
QVariantMap mapOf(const QVariant &value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    return value.toMap();
}

QVariantMap modemState(const QString &area)
{
    const QDBusMessage reply = control(QStringLiteral("ModemState"), {area});
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return {};
    return mapOf(reply.arguments().first());
}

// The IDs ("major/minor") of the requests the stand-in received so far.
QStringList receivedIds()
{
    const QDBusMessage reply = control(QStringLiteral("ReceivedRecords"));
    QStringList ids;
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return ids;
    const auto records = qdbus_cast<QList<QByteArray>>(reply.arguments().first().value<QDBusArgument>());
    for (const QByteArray &record : records) {
        std::uint16_t major = 0, minor = 0;
        if (yov::msgHead(record, &major, &minor))
            ids << QStringLiteral("%1/%2").arg(major).arg(minor);
    }
    return ids;
}

class DashboardEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        qDBusRegisterMetaType<QList<QByteArray>>();
        ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
        ASSERT_FALSE(serviceRunning()) << "a stand-in is already on this bus";
        const QString brannoc = QDir(testing_paths::binDir()).filePath(QStringLiteral("Brannoc"));
        ASSERT_TRUE(QFileInfo(brannoc).isExecutable()) << qPrintable(brannoc);
        ASSERT_TRUE(dir_.isValid());
        modemList_ = dir_.filePath(QStringLiteral("ModemList"));
        ASSERT_TRUE(copyTree(QDir(testing_paths::shareDir()).filePath(QStringLiteral("ModemList")), modemList_));
        qputenv("OSTREL_MODEMLIST", modemList_.toLocal8Bit());
        qputenv("OSTREL_BRANNOC", brannoc.toLocal8Bit());
    }

    void TearDown() override
    {
        assembly_.reset(); // stops the stand-in it started
        EXPECT_TRUE(QTest::qWaitFor([] { return !serviceRunning(); }, kWaitMs)) << "the stand-in is still running";
        scopedPresenter_.reset();
        ConfigManager::setSharedConfigManager(nullptr);
        config_.reset();
        qunsetenv("OSTREL_BRANNOC_SCENARIO");
        qunsetenv("OSTREL_BRANNOC");
        qunsetenv("OSTREL_MODEMLIST");
    }

    // Top-level keys written into the copied settings before the dashboard reads them.
    void setSettings(const QVariantMap &keys)
    {
        const QString path = QDir(modemList_).filePath(QStringLiteral("settings.plist"));
        const std::optional<QVariant> stored = yov::PlistBridge::readFile(path);
        ASSERT_TRUE(stored.has_value());
        QVariantMap settings = stored->toMap();
        for (auto it = keys.begin(); it != keys.end(); ++it)
            settings.insert(it.key(), it.value());
        ASSERT_TRUE(yov::PlistBridge::writeFile(path, settings));
    }

    // Builds the dashboard, wakes it and launches it against the named scenario.
    void launch(const QString &scenario)
    {
        const QString quick = testing_support::quickScenario(scenario, dir_.path());
        ASSERT_FALSE(quick.isEmpty()) << qPrintable(scenario);
        qputenv("OSTREL_BRANNOC_SCENARIO", quick.toLocal8Bit());
        config_ = std::make_unique<ConfigManager>(modemList_);
        ConfigManager::setSharedConfigManager(config_.get());
        scopedPresenter_ = std::make_unique<yov::ScopedAlertPresenter>(&presenter_);
        yov::NotificationCenter::defaultCenter().addObserver(&observer_, QStringLiteral("SimReady"), nullptr,
                                                             [this](const yov::Notification &) { ++simReady_; });
        DashboardAssembly::Options options;
        options.installAlertPresenter = false;
        assembly_ = std::make_unique<DashboardAssembly>(std::move(options));
        assembly_->mainController()->setTerminator([] {});
        assembly_->awakeFromNib();
        assembly_->launch();
    }

    InitController *init() const { return assembly_->initController(); }
    DialController *dial() const { return assembly_->dialController(); }

    QString statusText(const char *name) const
    {
        QWidget *row = init()->statusView();
        auto *label = row ? row->findChild<QLabel *>(QLatin1String(name)) : nullptr;
        return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
    }

    QWidget *internetPage() const { return assembly_->mainController()->tabPage(QStringLiteral("Internet")); }
    QPushButton *connectButton() const
    {
        QWidget *page = internetPage();
        return page ? page->findChild<QPushButton *>(QStringLiteral("m_ConnectButton")) : nullptr;
    }
    QString fieldText(const char *name) const
    {
        QWidget *page = internetPage();
        auto *label = page ? page->findChild<QLabel *>(QLatin1String(name)) : nullptr;
        return label ? label->text() : QString();
    }

    bool waitSimReady()
    {
        return QTest::qWaitFor([this] { return init()->m_SimPinState == InitController::SimReady && simReady_ > 0; },
                               kWaitMs);
    }

    // Presses the Internet page's button once it offers the action (its title) and can be pressed.
    void pressConnectButton(const QString &action)
    {
        QPushButton *button = connectButton();
        ASSERT_NE(button, nullptr) << "no connect button on the Internet page";
        const QString title = dial()->localizedText(action);
        ASSERT_TRUE(QTest::qWaitFor([&] { return button->isEnabled() && button->text() == title; }, kWaitMs))
            << "the button shows " << qPrintable(button->text()) << (button->isEnabled() ? "" : " (disabled)")
            << ", not " << qPrintable(title);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    // The records of finished connections, over every record file in the ModemList folder.
    QVariantList connectionRecords() const
    {
        QVariantList all;
        const QStringList files =
            QDir(modemList_).entryList({QStringLiteral("*dialRecordData.plist")}, QDir::Files);
        for (const QString &file : files) {
            const std::optional<QVariant> stored = yov::PlistBridge::readFile(QDir(modemList_).filePath(file));
            if (stored)
                all += stored->toList();
        }
        return all;
    }

    // One connection through the Internet page: connect, traffic, disconnect, one record.
    void connectAndDisconnect(const QString &expectedRoad)
    {
        ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
        const QString idleText = fieldText("m_FluxForReceive");
        pressConnectButton(QStringLiteral("Connect"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusConnected; },
                                    kWaitMs))
            << "connect status " << dial()->connectStatus();
        EXPECT_EQ(modemState(QStringLiteral("Connection")).value(QStringLiteral("Road")).toString(), expectedRoad);
        EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->receivedBytes() > 0 && dial()->sentBytes() > 0; },
                                    kWaitMs))
            << "no traffic counted";
        EXPECT_TRUE(QTest::qWaitFor([&] { return fieldText("m_FluxForReceive") != idleText; }, kWaitMs))
            << "the download field stayed " << qPrintable(idleText);
        const qint64 received = dial()->receivedBytes();
        EXPECT_TRUE(QTest::qWaitFor([&] { return dial()->receivedBytes() > received; }, kWaitMs))
            << "the counters do not move";
        // A connection that lasted at least a second.
        EXPECT_TRUE(QTest::qWaitFor([this] { return dial()->connectSeconds() >= 1; }, kWaitMs));

        pressConnectButton(QStringLiteral("Disconnect"));
        ASSERT_TRUE(QTest::qWaitFor([this] { return dial()->connectStatus() == yov::kConnectStatusIdle; }, kWaitMs))
            << "connect status " << dial()->connectStatus();
        EXPECT_TRUE(QTest::qWaitFor([] {
            return !yov::nsBool(modemState(QStringLiteral("Connection")).value(QStringLiteral("LinkUp")));
        }, kWaitMs)) << "the stand-in's link is still up";

        QVariantList records;
        EXPECT_TRUE(QTest::qWaitFor([&] { return !(records = connectionRecords()).isEmpty(); }, kWaitMs))
            << "no connection record was written";
        ASSERT_EQ(records.size(), 1);
        EXPECT_EQ(QDir(modemList_).entryList({QStringLiteral("*dialRecordData.plist")}, QDir::Files),
                  QStringList{QStringLiteral("dialRecordData.plist")})
            << "the default record file (the per-SIM name is an operator variant's)";
        const QVariantMap record = records.first().toMap();
        EXPECT_GT(yov::nsLongLong(record.value(QStringLiteral("connecttime"))), 0) << "record " << qPrintable(
            QString::fromUtf8(yov::PlistBridge::toXml(record).value_or(QByteArray())));
        EXPECT_GT(yov::nsDouble(record.value(QStringLiteral("receivebyte"))), 0.0);
    }

    QTemporaryDir dir_;
    QString modemList_;
    std::unique_ptr<ConfigManager> config_;
    testing_support::ScriptedAlertPresenter presenter_;
    std::unique_ptr<yov::ScopedAlertPresenter> scopedPresenter_;
    QObject observer_;
    int simReady_ = 0;
    std::unique_ptr<DashboardAssembly> assembly_;
};

} // namespace

TEST_F(DashboardEndToEndTest, DefaultStartUpShowsTheNetworkAndConnectsOverPpp)
{
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";

    EXPECT_TRUE(QTest::qWaitFor([this] { return statusText("labelInitLocalSPN").contains(QLatin1String("Vandrel")); },
                                kWaitMs))
        << "operator shown: " << qPrintable(statusText("labelInitLocalSPN"));
    EXPECT_TRUE(QTest::qWaitFor([this] { return statusText("labelInitNetwork") == QLatin1String("UMTS"); }, kWaitMs))
        << "technology shown: " << qPrintable(statusText("labelInitNetwork"));
    // CSQ 20 is full signal: the top level of the signal image in the status row.
    const auto signalImage = [this] {
        auto *image = init()->statusView()->window()->findChild<QLabel *>(QStringLiteral("imageRssiStatus"));
        return image ? image->property("imageName").toString() : QStringLiteral("<no signal image>");
    };
    EXPECT_TRUE(QTest::qWaitFor([&] { return signalImage() == QLatin1String("rssi6"); }, kWaitMs))
        << "signal image " << qPrintable(signalImage());
    EXPECT_EQ(init()->m_SignalStrength, 5);

    // The dial parameters of the chosen profile reach the stand-in.
    EXPECT_TRUE(QTest::qWaitFor([] { return receivedIds().contains(QStringLiteral("257/60")); }, kWaitMs))
        << qPrintable(receivedIds().join(QLatin1Char(' ')));
    EXPECT_TRUE(QTest::qWaitFor([] {
        return !mapOf(modemState(QStringLiteral("Connection")).value(QStringLiteral("DialParams"))).isEmpty();
    }, kWaitMs));

    connectAndDisconnect(QStringLiteral("PPP"));
    EXPECT_EQ(presenter_.count(), 0) << qPrintable(presenter_.shown().first().message);
}

TEST_F(DashboardEndToEndTest, ConnectsAndCountsTrafficOverNdis)
{
    setSettings({{QStringLiteral("ConnectType"), qint64(yov::kConnectTypeNDIS)}});
    launch(QStringLiteral("default.plist"));
    connectAndDisconnect(QStringLiteral("NDIS"));
    EXPECT_EQ(presenter_.count(), 0) << qPrintable(presenter_.shown().first().message);
}

TEST_F(DashboardEndToEndTest, PinSheetUnlocksTheSim)
{
    launch(QStringLiteral("pin-required.plist"));
    ASSERT_TRUE(QTest::qWaitFor([this] { return init()->pinWindow() && init()->pinWindow()->isVisible(); }, kWaitMs))
        << "the PIN sheet never appeared";
    EXPECT_NE(init()->m_SimPinState, InitController::SimReady);
    PinWindow *sheet = init()->pinWindow();
    QTest::keyClicks(sheet->m_PinCode, QStringLiteral("1234"));
    QTest::mouseClick(sheet->btnOK, Qt::LeftButton);
    EXPECT_TRUE(waitSimReady()) << "the SIM did not become ready after the PIN";
    EXPECT_TRUE(receivedIds().contains(QStringLiteral("4/10"))) << "the PIN never went to the modem";
    EXPECT_TRUE(QTest::qWaitFor([this] { return !init()->pinWindow() || !init()->pinWindow()->isVisible(); }, kWaitMs))
        << "the PIN sheet stays open";
    const QVariantMap sim = modemState(QStringLiteral("Sim"));
    EXPECT_EQ(sim.value(QStringLiteral("Lock")).toString(), QStringLiteral("Ready"));
    EXPECT_EQ(yov::nsInt(sim.value(QStringLiteral("PinRemain"))), 3) << "the PIN was not taken at the first try";
}

TEST_F(DashboardEndToEndTest, RoamingRaisesTheRoamingAlert)
{
    // The roaming alert is the operator's choice; the shipped settings leave it off.
    setSettings({{QStringLiteral("enableRoamAlert"), true}});
    launch(QStringLiteral("default.plist"));
    ASSERT_TRUE(waitSimReady()) << "the SIM never became ready";
    ASSERT_TRUE(QTest::qWaitFor([this] { return statusText("labelInitLocalSPN").contains(QLatin1String("Vandrel")); },
                                kWaitMs));
    EXPECT_EQ(presenter_.count(), 0) << "an alert on the home network";

    const QDBusMessage reply =
        control(QStringLiteral("SetModemState"), {QStringLiteral("Network"), QVariantMap{{QStringLiteral("Roaming"), true}}});
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << qPrintable(reply.errorMessage());

    EXPECT_TRUE(QTest::qWaitFor([this] { return presenter_.count() > 0; }, kWaitMs)) << "no alert was raised";
    bool roamAlert = false;
    QStringList shown;
    for (const yov::AlertRequest &alert : presenter_.shown()) {
        shown << alert.title + QStringLiteral(": ") + alert.message;
        roamAlert = roamAlert || alert.message.contains(QLatin1String("roam"), Qt::CaseInsensitive) ||
                    alert.title.contains(QLatin1String("roam"), Qt::CaseInsensitive);
    }
    EXPECT_TRUE(roamAlert) << qPrintable(shown.join(QLatin1String(" | ")));
}
