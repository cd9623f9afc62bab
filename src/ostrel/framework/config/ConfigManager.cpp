#include "ostrel/framework/config/ConfigManager.h"

#include "common/ModemListResolver.h"
#include "common/PlistBridge.h"
#include "common/ValueConversion.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QHash>
#include <QDBusMessage>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMutex>
#include <QMutexLocker>
#include <QStringList>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>

Q_LOGGING_CATEGORY(lcConfig, "ostrel.config")

namespace ostrel {

namespace {

const QString kSettingsKey = QStringLiteral("settings.plist");
const QString kModemListPathKey = QStringLiteral("ModemListPath");
const QString kSyncKey = QStringLiteral("SynchronousControllerAndUI");

const QString kBroadcastPath = QStringLiteral("/org/ostrel/Settings");
const QString kBroadcastInterface = QStringLiteral("org.ostrel.Settings");
const QString kBroadcastMember = QStringLiteral("SettingsChanged");

// The data files every area finds through the path table, keyed as the areas name them.
const char *const kFileKeys[] = {
    "settings.plist",
    "dialConfig.plist",
    "dialRecordData.plist",
    "dialRecordBackData.plist",
    "SmsList_Sim.plist",
    "SmsList_ME.plist",
    "SmsList_PC.plist",
    "smsReportsBoxData.plist",
    "phoneBook.plist",
    "callRecordData.plist",
    "browserList.plist",
    "/sound/online.wav",
    "/sound/offline.wav",
    "/sound/call.wav",
    "/sound/sms.wav",
    "SystemInfomation.xml",
    "videocall/",
    "voicecall/",
    "CSVLog",
    "DiagInfo.txt",
    "SIM_Items.plist",
    "ME_Items.plist",
    "/Update",
    "LocalInfo.plist",
    "/Update/UpdateCfg.ini",
    "/Update/UpdateCfg.plist",
    "/Update/LocalInfo.plist",
    "/Update/IMEIInfo.plist",
    "LastDownload.plist",
    "/Sources",
    "WebLinkInfo.plist",
    "/PhonebookBackup",
};
static_assert(sizeof(kFileKeys) / sizeof(kFileKeys[0]) == 32);

// Joins a folder and a name as path components: no doubled and no trailing "/".
QString joinPath(const QString &folder, const QString &name)
{
    QString base = folder;
    while (base.size() > 1 && base.endsWith(QLatin1Char('/')))
        base.chop(1);
    QString part = name;
    while (part.startsWith(QLatin1Char('/')))
        part.remove(0, 1);
    while (part.endsWith(QLatin1Char('/')))
        part.chop(1);
    if (part.isEmpty())
        return base;
    if (base.endsWith(QLatin1Char('/')))
        return base + part;
    return base + QLatin1Char('/') + part;
}

QString expandTilde(const QString &path)
{
    if (path == QLatin1String("~"))
        return QDir::homePath();
    if (path.startsWith(QLatin1String("~/")))
        return QDir::homePath() + path.mid(1);
    return path;
}

// Containers are kept as QVariantMap / QVariantList at every level, so that the module kind is
// told by one type test and nested changes work the same way everywhere.
QVariant normalised(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QVariantMap: {
        QVariantMap map = value.toMap();
        for (auto it = map.begin(); it != map.end(); ++it)
            *it = normalised(*it);
        return map;
    }
    case QMetaType::QVariantHash: {
        const QVariantHash hash = value.toHash();
        QVariantMap map;
        for (auto it = hash.cbegin(); it != hash.cend(); ++it)
            map.insert(it.key(), normalised(it.value()));
        return map;
    }
    case QMetaType::QVariantList: {
        QVariantList list = value.toList();
        for (auto &item : list)
            item = normalised(item);
        return list;
    }
    case QMetaType::QStringList: {
        QVariantList list;
        for (const auto &s : value.toStringList())
            list.append(s);
        return list;
    }
    default:
        return value;
    }
}

bool isDict(const QVariant &v) { return v.typeId() == QMetaType::QVariantMap; }
bool isArray(const QVariant &v) { return v.typeId() == QMetaType::QVariantList; }

// Reads settings.plist; nullopt when it is missing, does not parse or is not a dictionary.
std::optional<QVariantMap> readSettings(const QString &path)
{
    if (path.isEmpty())
        return std::nullopt;
    QString error;
    const auto value = yov::PlistBridge::readFile(path, &error);
    if (!value) {
        qCWarning(lcConfig).noquote() << "Can not read" << path << ":" << error;
        return std::nullopt;
    }
    if (!isDict(*value)) {
        qCWarning(lcConfig).noquote() << "Settings file" << path << "is not a dictionary";
        return std::nullopt;
    }
    return normalised(*value).toMap();
}

std::atomic<bool> g_noBusLogged{false};

} // namespace

// Receives "SettingsChanged" from the session bus in the store's own thread.
class ConfigBusListener : public QObject {
    Q_OBJECT
public:
    explicit ConfigBusListener(std::function<void(const QDBusMessage &)> handler)
        : handler_(std::move(handler)) {}

public slots:
    void onSettingsChanged(const QDBusMessage &message) { handler_(message); }

private:
    std::function<void(const QDBusMessage &)> handler_;
};

struct ConfigManager::Private {
    mutable QRecursiveMutex mutex;

    QString folder;                 // empty: no ModemList folder
    bool hasPathTable = false;
    QHash<QString, QString> pathTable;
    QVariantMap settings;
    QString templateFolder; // the shipped settings.plist's folder
    SettingsRecovery recovery;
    bool unreadableOnDisk = false; // settings.plist could not be read and stays: never written over

    // Writes are ordered by the generation of the snapshot they carry: an older snapshot never
    // replaces a newer one on disk.
    QMutex writeMutex;
    quint64 snapshotGeneration = 0; // under mutex
    quint64 writtenGeneration = 0;  // under writeMutex
    QString lastWriteError;         // under writeMutex; empty while writes succeed

    // The store's own bus connection (so that its own broadcasts can be told from others').
    QMutex busMutex;
    bool busTried = false;
    bool busUp = false;
    QString busName;
    QString ownUniqueName;
    bool listening = false;
    ConfigBusListener *listener = nullptr; // lives in the store's thread

    bool syncEnabledLocked() const { return yov::nsBool(settings.value(kSyncKey)); }
    QString settingsPathLocked() const
    {
        return hasPathTable ? pathTable.value(kSettingsKey) : QString();
    }
};

namespace {
QMutex g_sharedMutex;
ConfigManager *g_override = nullptr;
std::unique_ptr<ConfigManager> g_default;
} // namespace

ConfigManager *ConfigManager::sharedConfigManager()
{
    QMutexLocker lock(&g_sharedMutex);
    if (g_override)
        return g_override;
    if (!g_default)
        g_default = std::make_unique<ConfigManager>(yov::ModemListResolver::modemListPath());
    return g_default.get();
}

void ConfigManager::setSharedConfigManager(ConfigManager *manager)
{
    std::unique_ptr<ConfigManager> old;
    {
        QMutexLocker lock(&g_sharedMutex);
        g_override = manager;
        if (!manager)
            old = std::move(g_default);
    }
}

ConfigManager::ConfigManager(const QString &modemListPath, QObject *parent)
    : ConfigManager(modemListPath, yov::ModemListResolver::templatePath(yov::ModemListResolver::currentInputs()), parent)
{
}

ConfigManager::ConfigManager(const QString &modemListPath, const QString &templateFolder, QObject *parent)
    : QObject(parent), d(new Private)
{
    d->folder = expandTilde(modemListPath);
    if (!d->folder.isEmpty() && !QDir(d->folder).exists()) {
        qCWarning(lcConfig).noquote() << "ModemList folder" << d->folder << "does not exist";
        d->folder.clear();
    }
    if (d->folder.isEmpty())
        qCWarning(lcConfig, "Can not find ModemList path!!!");

    d->templateFolder = templateFolder;
    initPathDict();
    loadSettingsAtStart(templateFolder);

    d->listener = new ConfigBusListener([this](const QDBusMessage &message) {
        QString own;
        {
            QMutexLocker lock(&d->busMutex);
            own = d->ownUniqueName;
        }
        if (message.service() == own)
            return; // our own broadcast: memory already holds what was written
        bool sync = false;
        {
            QMutexLocker lock(&d->mutex);
            sync = d->syncEnabledLocked();
        }
        if (sync)
            resetSettings();
    });
    d->listener->setParent(this);

    if (d->syncEnabledLocked())
        startListening();
}

ConfigManager::~ConfigManager()
{
    QString busName;
    {
        QMutexLocker lock(&d->busMutex);
        if (d->busUp)
            busName = d->busName;
    }
    if (!busName.isEmpty())
        QDBusConnection::disconnectFromBus(busName);
    delete d->listener;
    delete d;
}

QString ConfigManager::modemListPath() const
{
    QMutexLocker lock(&d->mutex);
    return d->folder;
}

bool ConfigManager::initPathDict()
{
    QMutexLocker lock(&d->mutex);
    d->pathTable.clear();
    if (d->folder.isEmpty()) {
        d->hasPathTable = false;
        return false;
    }
    d->pathTable.insert(kModemListPathKey, d->folder);
    for (const char *key : kFileKeys) {
        const QString k = QString::fromLatin1(key);
        d->pathTable.insert(k, joinPath(d->folder, k));
    }
    d->hasPathTable = true;
    return true;
}

QString ConfigManager::configFilePathOfKey(const QString &key) const
{
    QMutexLocker lock(&d->mutex);
    if (key.isNull() || !d->hasPathTable)
        return QString();
    return d->pathTable.value(key);
}

QString ConfigManager::getFilePathWithFileName(const QString &name) const
{
    QMutexLocker lock(&d->mutex);
    if (d->folder.isEmpty() || name.isNull())
        return QString();
    return joinPath(d->folder, name);
}

void ConfigManager::setConfigFilePath(const QString &path, const QString &key)
{
    QMutexLocker lock(&d->mutex);
    if (path.isNull() || key.isNull() || !d->hasPathTable)
        return;
    d->pathTable.insert(key, path);
}

QVariantMap ConfigManager::getConfiguration() const
{
    QMutexLocker lock(&d->mutex);
    return d->settings;
}

QVariant ConfigManager::getConfigurationByModule(const QString &module) const
{
    QMutexLocker lock(&d->mutex);
    if (module.isNull() || d->settings.isEmpty()) {
        qCDebug(lcConfig, "nil"); // a read of an empty store: every switch falls back to its default
        return QVariant();
    }
    return d->settings.value(module);
}

QVariant ConfigManager::getConfigurationByModuleAndKey(const QString &module, const QString &key) const
{
    QMutexLocker lock(&d->mutex);
    if (module.isNull() || key.isNull() || d->settings.isEmpty())
        return QVariant();
    const auto it = d->settings.constFind(module);
    if (it == d->settings.cend())
        return QVariant();
    const QVariant &value = *it;
    if (isDict(value)) {
        const QVariantMap &dict = *static_cast<const QVariantMap *>(value.constData());
        return dict.value(key);
    }
    if (isArray(value)) {
        const QVariantList &list = *static_cast<const QVariantList *>(value.constData());
        for (const QVariant &item : list) {
            if (item.typeId() == QMetaType::QString && item.toString() == key)
                return item;
        }
        return QVariant();
    }
    return QVariant();
}

bool ConfigManager::setConfigurationByModule(const QString &module, const QVariant &value)
{
    if (module.isNull() || !value.isValid())
        return false;
    const QVariant stored = normalised(value);
    bool startSync = false;
    {
        QMutexLocker lock(&d->mutex);
        if (!d->hasPathTable)
            return false;
        d->settings.insert(module, stored);
        startSync = module == kSyncKey && d->syncEnabledLocked();
    }
    if (startSync)
        startListening();
    return true;
}

bool ConfigManager::setConfigurationByModuleKeyAndValue(const QString &module, const QString &key,
                                                        const QVariant &value)
{
    if (module.isNull() || key.isNull() || !value.isValid())
        return false;
    const QVariant stored = normalised(value);
    QMutexLocker lock(&d->mutex);
    if (!d->hasPathTable)
        return false;
    auto it = d->settings.find(module);
    if (it == d->settings.end())
        return false;
    QVariant &moduleValue = *it;
    if (isDict(moduleValue)) {
        auto *dict = static_cast<QVariantMap *>(moduleValue.data());
        dict->insert(key, stored);
    } else if (isArray(moduleValue)) {
        auto *list = static_cast<QVariantList *>(moduleValue.data());
        if (!list->contains(stored))
            list->append(stored);
    }
    return true;
}

bool ConfigManager::removeConfigurationByModule(const QString &module)
{
    QMutexLocker lock(&d->mutex);
    if (module.isNull() || d->settings.isEmpty())
        return false;
    d->settings.remove(module);
    return true;
}

bool ConfigManager::removeConfigurationByModuleAndKey(const QString &module, const QString &key)
{
    QMutexLocker lock(&d->mutex);
    if (module.isNull() || key.isNull() || d->settings.isEmpty())
        return false;
    auto it = d->settings.find(module);
    if (it == d->settings.end())
        return false;
    if (isDict(*it))
        static_cast<QVariantMap *>(it->data())->remove(key);
    return true;
}

bool ConfigManager::updateModule(const QString &module, const std::function<void(QVariant &)> &change)
{
    if (module.isNull() || !change)
        return false;
    QMutexLocker lock(&d->mutex);
    auto it = d->settings.find(module);
    if (it == d->settings.end())
        return false;
    QVariant value = *it;
    change(value);
    // The change may have removed the module meanwhile (a call back into the store).
    if (value.isValid())
        d->settings.insert(module, normalised(value));
    else
        d->settings.remove(module);
    return true;
}

bool ConfigManager::writeToFile()
{
    QVariantMap snapshot;
    QString path;
    quint64 generation = 0;
    {
        QMutexLocker lock(&d->mutex);
        path = d->settingsPathLocked();
        if (path.isEmpty()) {
            qCWarning(lcConfig, "No settings path: settings are not written");
            return false;
        }
        if (d->unreadableOnDisk) {
            qCWarning(lcConfig).noquote() << path << "could not be read and is kept as it is: settings are not written";
            return false;
        }
        snapshot = d->settings;
        generation = ++d->snapshotGeneration;
    }

    bool written = false;
    {
        QMutexLocker lock(&d->writeMutex);
        if (generation < d->writtenGeneration)
            return true; // a newer state, which holds this one, is already on disk
        QString error;
        written = yov::PlistBridge::writeFile(path, snapshot, &error);
        if (!written) {
            qCWarning(lcConfig).noquote() << "Can not write" << path << ":" << error;
            const bool first = d->lastWriteError.isEmpty();
            d->lastWriteError = error.isEmpty() ? QStringLiteral("unknown error") : error;
            const QString reason = d->lastWriteError;
            lock.unlock();
            if (first)
                emit settingsNotWritten(path, reason);
            return false;
        }
        d->writtenGeneration = generation;
        d->lastWriteError.clear();
    }

    if (yov::nsBool(snapshot.value(kSyncKey)))
        broadcastSettingsChanged();
    return true;
}

void ConfigManager::loadSettingsAtStart(const QString &templateFolder)
{
    const QString path = d->settingsPathLocked();
    std::optional<QVariantMap> loaded = readSettings(path);
    const QFileInfo file(path);
    if (!loaded && file.exists()) {
        // Damaged contents are moved aside for the template's copy; a file that cannot even be
        // opened, or the template folder's own file, is left where it is.
        const QString shippedFolder = QFileInfo(templateFolder).canonicalFilePath();
        const bool isTemplateItself = !shippedFolder.isEmpty() && shippedFolder == QFileInfo(d->folder).canonicalFilePath();
        if (file.isFile() && file.isReadable() && !isTemplateItself) {
            const QString shipped = templateFolder.isEmpty() ? QString() : joinPath(templateFolder, kSettingsKey);
            d->recovery = SettingsRecovery::recover(path, shipped, QDateTime::currentDateTime());
            if (d->recovery.templateInstalled)
                loaded = readSettings(path);
        } else {
            d->recovery.settingsFile = path;
        }
        d->unreadableOnDisk = d->recovery.unreadableCopy.isEmpty();
    }
    if (loaded)
        d->settings = *loaded;
}

QVariant ConfigManager::shippedConfigurationByModule(const QString &module) const
{
    QString folder;
    {
        QMutexLocker lock(&d->mutex);
        folder = d->templateFolder;
    }
    if (folder.isEmpty())
        return {};
    const std::optional<QVariantMap> shipped = readSettings(joinPath(folder, kSettingsKey));
    return shipped ? shipped->value(module) : QVariant();
}

QString ConfigManager::lastWriteError() const
{
    QMutexLocker lock(&d->writeMutex);
    return d->lastWriteError;
}

SettingsRecovery ConfigManager::settingsRecovery() const
{
    QMutexLocker lock(&d->mutex);
    return d->recovery;
}

void ConfigManager::resetSettings()
{
    QString path;
    {
        QMutexLocker lock(&d->mutex);
        path = d->settingsPathLocked();
    }
    const auto loaded = readSettings(path);
    if (!loaded) {
        qCWarning(lcConfig, "Settings not reloaded: the store keeps its contents");
        return;
    }
    bool sync = false;
    {
        QMutexLocker lock(&d->mutex);
        d->settings = *loaded;
        d->unreadableOnDisk = false;
        sync = d->syncEnabledLocked();
    }
    if (sync)
        startListening();
    emit settingsReloaded();
}

bool ConfigManager::ensureBus()
{
    QMutexLocker lock(&d->busMutex);
    if (d->busTried)
        return d->busUp;
    d->busTried = true;
    d->busName = QStringLiteral("ostrel-config-%1").arg(quintptr(this), 0, 16);
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, d->busName);
    if (!bus.isConnected()) {
        QDBusConnection::disconnectFromBus(d->busName);
        if (!g_noBusLogged.exchange(true))
            qCWarning(lcConfig).noquote() << "No session bus: settings changes are not shared with other programs:"
                                          << bus.lastError().message();
        return false;
    }
    d->ownUniqueName = bus.baseService();
    d->busUp = true;
    return true;
}

void ConfigManager::startListening()
{
    if (!ensureBus())
        return;
    QMutexLocker lock(&d->busMutex);
    if (d->listening)
        return;
    QDBusConnection bus(d->busName);
    d->listening = bus.connect(QString(), kBroadcastPath, kBroadcastInterface, kBroadcastMember, d->listener,
                               SLOT(onSettingsChanged(QDBusMessage)));
    if (!d->listening)
        qCWarning(lcConfig, "Can not listen to SettingsChanged on the session bus");
}

void ConfigManager::broadcastSettingsChanged()
{
    startListening(); // the switch may have been turned on after the store was created
    if (!ensureBus())
        return;
    QDBusConnection bus(d->busName);
    const QDBusMessage signal = QDBusMessage::createSignal(kBroadcastPath, kBroadcastInterface, kBroadcastMember);
    if (!bus.send(signal))
        qCWarning(lcConfig).noquote() << "Can not send SettingsChanged:" << bus.lastError().message();
}

} // namespace ostrel

#include "ConfigManager.moc"
