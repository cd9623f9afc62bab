#include "ostrel/framework/config/YOVDatacardConfig.h"

#include "common/PlistBridge.h"
#include "ostrel/framework/config/ConfigManager.h"

#include <QLoggingCategory>
#include <QMutex>
#include <QMutexLocker>
#include <QVariantMap>

Q_DECLARE_LOGGING_CATEGORY(lcConfig)

namespace ostrel {

namespace {

// Index 1 is one name, the two run together: stored data refers to it as it stands.
const char *const kConfigListNames[] = {
    "settings.plist",
    "config.plistdialRecordData.plist",
    "callRecordData.plist",
    "dialConfig.plist",
    "phoneBook.plist",
    "smsInBoxData.plist",
    "smsOutBoxData.plist",
    "smsDraftBoxData.plist",
    "smsImportantBoxData.plist",
    "smsDeletedBoxData.plist",
    "smsReportsBoxData.plist",
    "dataCardConfig.plist",
    "Help.pdf",
};
constexpr int kConfigListCount = int(sizeof(kConfigListNames) / sizeof(kConfigListNames[0]));
static_assert(kConfigListCount == 13);

QMutex g_mutex;
bool g_initialized = false;
QString g_workPath;

} // namespace

void YOVDatacardConfig::initGlobal()
{
    {
        QMutexLocker lock(&g_mutex);
        if (g_initialized)
            return;
    }
    // Resolved outside the lock: the shared store may be created here.
    const QString path = defaultConfigListName(0);
    QMutexLocker lock(&g_mutex);
    if (g_initialized)
        return;
    g_workPath = path;
    g_initialized = true;
}

void YOVDatacardConfig::freeGlobal()
{
    QMutexLocker lock(&g_mutex);
    g_initialized = false;
}

bool YOVDatacardConfig::isInitialize()
{
    QMutexLocker lock(&g_mutex);
    return g_initialized;
}

QString YOVDatacardConfig::configListName(int index)
{
    if (index < 0 || index >= kConfigListCount)
        return QString();
    return QString::fromLatin1(kConfigListNames[index]);
}

QString YOVDatacardConfig::defaultConfigListName(int index)
{
    const QString name = configListName(index);
    if (name.isNull())
        return QString();
    const QString folder = ConfigManager::sharedConfigManager()->configFilePathOfKey(QStringLiteral("ModemListPath"));
    if (folder.isEmpty())
        return QString();
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

void YOVDatacardConfig::setSettingDictWorkPath(const QString &path)
{
    QMutexLocker lock(&g_mutex);
    g_workPath = path;
}

QString YOVDatacardConfig::settingDictWorkPath()
{
    QMutexLocker lock(&g_mutex);
    return g_workPath;
}

QVariant YOVDatacardConfig::settingDictKey(const QString &key)
{
    const QString path = settingDictWorkPath();
    if (key.isNull() || path.isEmpty())
        return QVariant();
    const auto value = yov::PlistBridge::readFile(path);
    if (!value || value->typeId() != QMetaType::QVariantMap)
        return QVariant();
    return value->toMap().value(key);
}

bool YOVDatacardConfig::setSettingDictKey(const QString &key, const QVariant &value)
{
    const QString path = settingDictWorkPath();
    if (key.isNull() || !value.isValid() || path.isEmpty())
        return false;
    // One writer at a time, so two read-change-write rounds do not lose each other's key.
    static QMutex writeMutex;
    QMutexLocker lock(&writeMutex);
    QString error;
    const auto current = yov::PlistBridge::readFile(path, &error);
    if (!current || current->typeId() != QMetaType::QVariantMap) {
        qCWarning(lcConfig).noquote() << "Can not read" << path << "as a dictionary; key" << key << "not written";
        return false;
    }
    QVariantMap dict = current->toMap();
    dict.insert(key, value);
    if (!yov::PlistBridge::writeFile(path, dict, &error))
        qCWarning(lcConfig).noquote() << "Can not write" << path << ":" << error;
    return false;
}

} // namespace ostrel
