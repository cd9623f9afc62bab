#include "ostrel/device/network/NetworkEffects.h"

#include "common/ValueConversion.h"
#include "common/records/UiMsg.h"
#include "ostrel/framework/config/ConfigManager.h"

namespace ostrel {

QString signalImageName(int level)
{
    return QStringLiteral("rssi%1").arg(level + 1);
}

QVariantList NetworkEffects::posted(const QString &name) const
{
    QVariantList values;
    for (const StateNotification &n : notifications) {
        if (n.name == name)
            values.append(n.value);
    }
    return values;
}

ReceivedRecord ReceivedRecord::fromBytes(const QByteArray &record)
{
    const yov::PayloadReader whole(record);
    ReceivedRecord r;
    r.moduleID = whole.int32(4);
    r.type = whole.int32(12);
    r.result = std::int8_t(whole.uint8(16));
    r.platformFlag = whole.uint8(yov::kUiMsgPlatformFlagOffset) == '1';
    r.data = yov::PayloadReader::ofRecord(record);
    return r;
}

namespace netconfig {

ConfigManager *store(ConfigManager *s)
{
    return s ? s : ConfigManager::sharedConfigManager();
}

QVariant value(ConfigManager *s, const char *module, const char *key)
{
    ConfigManager *m = store(s);
    if (!key)
        return m->getConfigurationByModule(QString::fromLatin1(module));
    return m->getConfigurationByModuleAndKey(QString::fromLatin1(module), QString::fromLatin1(key));
}

bool flag(ConfigManager *s, const char *module, const char *key)
{
    return yov::nsBool(value(s, module, key));
}

bool topFlag(ConfigManager *s, const char *key)
{
    return yov::nsBool(value(s, key, nullptr));
}

bool writeNow(ConfigManager *s, const char *module, const char *key, const QVariant &v)
{
    ConfigManager *m = store(s);
    const bool set = key ? m->setConfigurationByModuleKeyAndValue(QString::fromLatin1(module), QString::fromLatin1(key), v)
                         : m->setConfigurationByModule(QString::fromLatin1(module), v);
    return set && m->writeToFile();
}

} // namespace netconfig
} // namespace ostrel
