#include "DashboardFixture.h"

#include "common/PlistBridge.h"
#include "common/records/DeviceServiceBus.h"
#include "common/records/UiMsg.h"
#include "ostrel/connection/dial/DialController.h"
#include "ostrel/device/init/InitController.h"
#include "ostrel/device/main/MainController.h"
#include "ostrel/framework/language/LanguageOperation.h"
#include "ostrel/framework/message/YOVMsgCenter.h"
#include "platform/NotificationCenter.h"
#include "support/QuickScenario.h"
#include "support/TestPaths.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <optional>

using namespace ostrel;

namespace dashboard_test {

namespace {
// The web engine's sandbox cannot run as root, and these tests may: they switch it off for
// themselves (the program does so only when it runs as root, WebEngineSetup).
const bool kSandboxOff = qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
} // namespace

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
QDBusMessage control(const QString &method, const QVariantList &args)
{
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(yov::devicebus::kService),
                                                       QLatin1String(yov::devicebus::kTestPath),
                                                       QLatin1String(yov::devicebus::kTestInterface), method);
    call.setArguments(args);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 25000);
}

// A D-Bus map value, whether it came as a map or still wrapped.
QVariantMap mapOf(const QVariant &value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
    return value.toMap();
}

QVariantList listOf(const QVariant &value)
{
    if (value.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantList>(value.value<QDBusArgument>());
    return value.toList();
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

QList<QByteArray> receivedPayloads(int major, int minor)
{
    QList<QByteArray> payloads;
    const QDBusMessage reply = control(QStringLiteral("ReceivedRecords"));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return payloads;
    for (const QByteArray &bytes : qdbus_cast<QList<QByteArray>>(reply.arguments().first().value<QDBusArgument>())) {
        yov::UI_MSG msg = yov::zeroMsg();
        if (yov::msgFromBytes(bytes, msg) > 0 && msg.majorID == major && msg.minorID == minor)
            payloads << QByteArray(reinterpret_cast<const char *>(msg.data), std::clamp<int>(msg.dataLength, 0, int(sizeof msg.data)));
    }
    return payloads;
}

void DashboardFixture::SetUp()
{
    qDBusRegisterMetaType<QList<QByteArray>>();
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected());
    ASSERT_FALSE(serviceRunning()) << "a stand-in is already on this bus";
    const QString brannoc = QDir(testing_paths::binDir()).filePath(QStringLiteral("Brannoc"));
    ASSERT_TRUE(QFileInfo(brannoc).isExecutable()) << qPrintable(brannoc);
    ASSERT_TRUE(dir_.isValid());
    modemList_ = dir_.filePath(QStringLiteral("ModemList"));
    ASSERT_TRUE(copyTree(QDir(testing_paths::shareDir()).filePath(QStringLiteral("ModemList")), modemList_));
    // The shipped operator table puts the SIM's default profiles at the head of the profile list
    // at the first start. A test that brings a list of its own keeps it as written, unless it
    // switches the match on again (ImsiMatchGlobalApn).
    {
        const QString settingsPath = QDir(modemList_).filePath(QStringLiteral("settings.plist"));
        const std::optional<QVariant> shipped = yov::PlistBridge::readFile(settingsPath);
        ASSERT_TRUE(shipped.has_value());
        QVariantMap settings = shipped->toMap();
        settings.remove(QStringLiteral("ImsiMatchGlobalApn"));
        ASSERT_TRUE(yov::PlistBridge::writeFile(settingsPath, settings));
    }
    qputenv("OSTREL_MODEMLIST", modemList_.toLocal8Bit());
    qputenv("OSTREL_BRANNOC", brannoc.toLocal8Bit());
}

void DashboardFixture::TearDown()
{
    if (ownLanguageFolder_) {
        if (config_) {
            EXPECT_TRUE(config_->setConfigurationByModule(QStringLiteral("CurrentLanguage"), QStringLiteral("English")));
        }
        LanguageOperation::sharedLanguageOperation()->loadTokenList();
        qunsetenv("OSTREL_LANGUAGE_DIR");
    }
    assembly_.reset(); // stops the stand-in it started
    EXPECT_TRUE(QTest::qWaitFor([] { return !serviceRunning(); }, kWaitMs)) << "the stand-in is still running";
    scopedPresenter_.reset();
    ConfigManager::setSharedConfigManager(nullptr);
    config_.reset();
    qunsetenv("OSTREL_BRANNOC_SCENARIO");
    qunsetenv("OSTREL_BRANNOC");
    qunsetenv("OSTREL_MODEMLIST");
}

bool DashboardFixture::useGermanTokenList(const QByteArray &lines)
{
    const QString languages = dir_.filePath(QStringLiteral("Language"));
    if (!copyTree(QDir(testing_paths::shareDir()).filePath(QStringLiteral("Language")), languages)
        || !QDir(languages).mkpath(QStringLiteral("German.lproj")))
        return false;
    QFile tokens(QDir(languages).filePath(QStringLiteral("German.lproj/LanguageTokenList.txt")));
    if (!tokens.open(QIODevice::WriteOnly) || tokens.write(lines) != lines.size())
        return false;
    tokens.close();
    qputenv("OSTREL_LANGUAGE_DIR", languages.toLocal8Bit());
    ownLanguageFolder_ = true;
    return true;
}

bool DashboardFixture::changeLanguage(const QString &language)
{
    if (!config_->setConfigurationByModule(QStringLiteral("CurrentLanguage"), language))
        return false;
    LanguageOperation::sharedLanguageOperation()->loadTokenList();
    main()->notifyChangeLanguage();
    return true;
}

void DashboardFixture::setSettings(const QVariantMap &keys)
{
    const QString path = QDir(modemList_).filePath(QStringLiteral("settings.plist"));
    const std::optional<QVariant> stored = yov::PlistBridge::readFile(path);
    ASSERT_TRUE(stored.has_value());
    QVariantMap settings = stored->toMap();
    for (auto it = keys.begin(); it != keys.end(); ++it) {
        const QStringList parts = it.key().split(QLatin1Char('/'));
        if (parts.size() == 2) {
            QVariantMap module = settings.value(parts[0]).toMap();
            module.insert(parts[1], it.value());
            settings.insert(parts[0], module);
        } else {
            settings.insert(it.key(), it.value());
        }
    }
    ASSERT_TRUE(yov::PlistBridge::writeFile(path, settings));
}

void DashboardFixture::launch(const QString &scenario, bool realAlerts)
{
    const QString quick = testing_support::quickScenario(scenario, dir_.path());
    ASSERT_FALSE(quick.isEmpty()) << qPrintable(scenario);
    if (!scenarioModem_.isEmpty()) {
        QVariantMap copy = yov::PlistBridge::readFile(quick)->toMap();
        QVariantMap modem = copy.value(QStringLiteral("Modem")).toMap();
        for (auto it = scenarioModem_.begin(); it != scenarioModem_.end(); ++it) {
            QVariantMap area = modem.value(it.key()).toMap();
            const QVariantMap keys = it.value().toMap();
            for (auto key = keys.begin(); key != keys.end(); ++key)
                area.insert(key.key(), key.value());
            modem.insert(it.key(), area);
        }
        copy.insert(QStringLiteral("Modem"), modem);
        ASSERT_TRUE(yov::PlistBridge::writeFile(quick, copy));
    }
    qputenv("OSTREL_BRANNOC_SCENARIO", quick.toLocal8Bit());
    config_ = std::make_unique<ConfigManager>(modemList_);
    ConfigManager::setSharedConfigManager(config_.get());
    // As main() does before the assembly: the language of the settings.
    LanguageOperation::sharedLanguageOperation()->initLanguage();
    if (!realAlerts)
        scopedPresenter_ = std::make_unique<yov::ScopedAlertPresenter>(&presenter_);
    yov::NotificationCenter::defaultCenter().addObserver(&observer_, QStringLiteral("SimReady"), nullptr,
                                                         [this](const yov::Notification &) { ++simReady_; });
    DashboardAssembly::Options options;
    options.installAlertPresenter = realAlerts;
    assembly_ = std::make_unique<DashboardAssembly>(std::move(options));
    assembly_->mainController()->setTerminator([] {});
    assembly_->awakeFromNib();
    assembly_->launch();
}

bool DashboardFixture::waitSimReady()
{
    return QTest::qWaitFor([this] { return init()->m_SimPinState == InitController::SimReady && simReady_ > 0; },
                           kWaitMs);
}

QWidget *DashboardFixture::mainWindow() const { return assembly_->mainController()->wndMain; }

QString DashboardFixture::statusText(const char *name) const
{
    QWidget *row = init()->statusView();
    auto *label = row ? row->findChild<QLabel *>(QLatin1String(name)) : nullptr;
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

QWidget *DashboardFixture::internetPage() const { return assembly_->mainController()->tabPage(QStringLiteral("Internet")); }

QPushButton *DashboardFixture::connectButton() const
{
    QWidget *page = internetPage();
    return page ? page->findChild<QPushButton *>(QStringLiteral("m_ConnectButton")) : nullptr;
}

QString DashboardFixture::fieldText(const char *name) const
{
    QWidget *page = internetPage();
    auto *label = page ? page->findChild<QLabel *>(QLatin1String(name)) : nullptr;
    return label ? label->text() : QString();
}

void DashboardFixture::pressConnectButton(const QString &action)
{
    QPushButton *button = connectButton();
    ASSERT_NE(button, nullptr) << "no connect button on the Internet page";
    const QString title = dial()->localizedText(action);
    ASSERT_TRUE(QTest::qWaitFor([&] { return button->isEnabled() && button->text() == title; }, kWaitMs))
        << "the button shows " << qPrintable(button->text()) << (button->isEnabled() ? "" : " (disabled)")
        << ", not " << qPrintable(title);
    QTest::mouseClick(button, Qt::LeftButton);
}

QVariantList DashboardFixture::connectionRecords() const
{
    QVariantList all;
    const QStringList files = QDir(modemList_).entryList({QStringLiteral("*dialRecordData.plist")}, QDir::Files);
    for (const QString &file : files) {
        const std::optional<QVariant> stored = yov::PlistBridge::readFile(QDir(modemList_).filePath(file));
        if (stored)
            all += stored->toList();
    }
    return all;
}

int DashboardFixture::alertsAbout(const QString &file, const QString &words) const
{
    int n = 0;
    for (const yov::AlertRequest &alert : presenter_.shown())
        n += alert.message.contains(file) && alert.message.contains(words);
    return n;
}

QVariantMap DashboardFixture::storedSettings() const
{
    const std::optional<QVariant> stored =
        yov::PlistBridge::readFile(QDir(modemList_).filePath(QStringLiteral("settings.plist")));
    return stored ? stored->toMap() : QVariantMap();
}

void DashboardFixture::saveScreenshot(QWidget *widget, const QString &name)
{
    const QString path = testing_paths::screenshotPath(name);
    if (!path.isEmpty() && widget)
        widget->grab().save(path);
}

} // namespace dashboard_test
