#include "ostrel/connection/dial/ConnectionFormat.h"

#include "common/ValueConversion.h"
#include "ostrel/framework/config/ConfigManager.h"

namespace ostrel {

namespace {

QVariant value(ConfigManager *config, const char *module, const char *key)
{
    return config ? config->getConfigurationByModuleAndKey(QLatin1String(module), QLatin1String(key)) : QVariant();
}

} // namespace

ConnectionUnits ConnectionUnits::read(ConfigManager *store)
{
    ConfigManager *config = store ? store : ConfigManager::sharedConfigManager();
    ConnectionUnits u;
    u.dataWithMB = yov::nsBool(value(config, "Internet", "DataWithMB"));
    u.dataTypeKb = yov::nsString(value(config, "Internet", "dataType")) == QLatin1String("Kb");
    u.speedUnitKBit = yov::nsBool(value(config, "Internet", "SpeedUnitKBit"))
                      || yov::nsString(value(config, "Record", "ConnectRateUnit")) == QLatin1String("Kbps");
    u.speedUnitOnlyKBit = yov::nsBool(value(config, "Internet", "SpeedUnitOnlyKBit"));
    u.initDataWithKB = yov::nsBool(value(config, "Internet", "InitDataWithKB"));
    u.quarterHours = yov::nsBool(value(config, "Record", "connectTimeincreaseState"));
    return u;
}

QString formatReal(const QString &format, double v)
{
    const QString number = QString::number(v, 'f', 2);
    for (const char *token : {"%0.2f", "%.2f", "%f"}) {
        const int at = format.indexOf(QLatin1String(token));
        if (at >= 0) {
            QString out = format;
            out.replace(at, int(qstrlen(token)), number);
            return out;
        }
    }
    return format;
}

QString formatTransferData(double v, const QStringList &formats, const Localizer &localizer)
{
    if (v < 0 || formats.size() < 3)
        return QString();
    const double k = v / 1024.0;
    if (k < 1024.0)
        return formatReal(localized(localizer, formats[0]), k);
    if (k < 1024.0 * 1024.0)
        return formatReal(localized(localizer, formats[1]), k / 1024.0);
    return formatReal(localized(localizer, formats[2]), k / 1024.0 / 1024.0);
}

QString formatTransferData(double bytes, const ConnectionUnits &units, const Localizer &localizer)
{
    if (units.dataWithMB)
        return formatReal(QStringLiteral("%0.2f"), bytes / 1024.0 / 1024.0);
    if (units.dataTypeKb)
        return formatTransferData(bytes * 8.0, {QStringLiteral("%0.2f Kb"), QStringLiteral("%0.2f Mb"), QStringLiteral("%0.2f Gb")},
                                  localizer);
    return formatTransferData(bytes, {QStringLiteral("%0.2f KB"), QStringLiteral("%0.2f MB"), QStringLiteral("%0.2f GB")},
                              localizer);
}

bool speedPointsInKilobits(const ConnectionUnits &units) { return units.speedUnitKBit || units.speedUnitOnlyKBit; }

QString formatTransferSpeed(double bytesPerSecond, const ConnectionUnits &units, const Localizer &localizer)
{
    if (units.speedUnitKBit)
        return formatTransferData(bytesPerSecond * 8.0,
                                  {QStringLiteral("%0.2f Kb/s"), QStringLiteral("%0.2f Mb/s"), QStringLiteral("%0.2f Gb/s")},
                                  localizer);
    if (units.speedUnitOnlyKBit)
        return formatReal(localized(localizer, QStringLiteral("%0.2f Kbit/s")), bytesPerSecond * 8.0 / 1024.0);
    return formatTransferData(bytesPerSecond,
                              {QStringLiteral("%0.2f KB/s"), QStringLiteral("%0.2f MB/s"), QStringLiteral("%0.2f GB/s")},
                              localizer);
}

qint64 countedConnectSeconds(qint64 seconds, bool quarterHours)
{
    if (seconds < 0)
        seconds = 0;
    if (!quarterHours)
        return seconds;
    return (seconds / 900 + 1) * 900;
}

QString kbpsText(double bytesPerSecond)
{
    return QStringLiteral("%1 Kbps").arg(QString::number(bytesPerSecond * 8.0 / 1024.0, 'f', 2));
}

} // namespace ostrel
