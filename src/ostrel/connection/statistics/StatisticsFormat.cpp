#include "ostrel/connection/statistics/StatisticsFormat.h"

#include "ostrel/connection/dial/ConnectionFormat.h"

namespace ostrel {

QString StatisticsFormat::autoSwitchStatisticData(double kb, bool bits, const Localizer &localizer)
{
    if (kb < 0)
        return QString();
    if (bits)
        return formatTransferData(kb * 8.0 * 1024.0, {QStringLiteral("%0.2f Kb"), QStringLiteral("%0.2f Mb"), QStringLiteral("%0.2f Gb")},
                                  localizer);
    return formatTransferData(kb * 1024.0, {QStringLiteral("%0.2f KB"), QStringLiteral("%0.2f MB"), QStringLiteral("%0.2f GB")},
                              localizer);
}

double StatisticsFormat::switchDataUnit(double value, double inUnit, double outUnit) { return value * inUnit / outUnit; }

QString StatisticsFormat::transferSpeedText(double kbPerSecond, bool bits, const Localizer &localizer)
{
    if (bits)
        return formatReal(localized(localizer, QStringLiteral("%0.2f(Kb/s)")), kbPerSecond * 8.0);
    if (kbPerSecond > 1024.0)
        return formatReal(localized(localizer, QStringLiteral("%0.2f(MB/s)")), kbPerSecond / 1024.0);
    return formatReal(localized(localizer, QStringLiteral("%0.2f(KB/s)")), kbPerSecond);
}

QString StatisticsFormat::transferVolumeText(double kb, bool bits, const Localizer &localizer)
{
    if (bits) {
        if (kb > 1024.0)
            return formatReal(localized(localizer, QStringLiteral("%0.2f(Mb)")), kb * 8.0 / 1024.0);
        return formatReal(localized(localizer, QStringLiteral("%0.2f(Kb)")), kb * 8.0);
    }
    if (kb > 1048576.0)
        return formatReal(localized(localizer, QStringLiteral("%0.2f(GB)")), kb / 1024.0 / 1024.0);
    if (kb > 1024.0)
        return formatReal(localized(localizer, QStringLiteral("%0.2f(MB)")), kb / 1024.0);
    return formatReal(localized(localizer, QStringLiteral("%0.2f(KB)")), kb);
}

} // namespace ostrel
