#pragma once
// The texts of the connection display: data amounts, speeds and durations, in the units the
// operator configured. UI-free.
//
// Formats such as "%0.2f KB" are looked up in the localisation table first; the number is put in
// place of the first "%0.2f" (or "%.2f", "%f") without printf, so a localised text is never used
// as a format.
#include "ostrel/connection/profile/DialProfile.h"

#include <QString>
#include <QStringList>

namespace ostrel {

class ConfigManager;

struct ConnectionUnits {
    bool dataWithMB = false;        // Internet/DataWithMB
    bool dataTypeKb = false;        // Internet/dataType == "Kb"
    bool speedUnitKBit = false;     // Internet/SpeedUnitKBit or Record/ConnectRateUnit == "Kbps"
    bool speedUnitOnlyKBit = false; // Internet/SpeedUnitOnlyKBit
    bool initDataWithKB = false;    // Internet/InitDataWithKB
    bool quarterHours = false;      // Record/connectTimeincreaseState

    static ConnectionUnits read(ConfigManager *store = nullptr);
};

// The number (two decimals) in place of the format's "%0.2f", "%.2f" or "%f".
QString formatReal(const QString &format, double value);

// Empty for a negative value or fewer than three formats; k = value / 1024: below 1024 the first
// format with k, below 1024 * 1024 the second with k / 1024, else the third with k / 1024 / 1024.
QString formatTransferData(double value, const QStringList &formats, const Localizer &localizer = {});
// Bytes as the data fields show them.
QString formatTransferData(double bytes, const ConnectionUnits &units, const Localizer &localizer = {});
// Whether the speed graph is fed kilobits per second (bytes per second / 128) rather than
// kilobytes per second (/ 1024).
bool speedPointsInKilobits(const ConnectionUnits &units);
// Bytes per second as the speed fields show them.
QString formatTransferSpeed(double bytesPerSecond, const ConnectionUnits &units, const Localizer &localizer = {});

// The duration that is shown and stored: with quarter hours the next multiple of 900 above the
// seconds (0 s counts as 900, 900 s as 1800), else the seconds themselves.
qint64 countedConnectSeconds(qint64 seconds, bool quarterHours);

// "%0.2f Kbps" of bytes per second * 8 / 1024 (the SendSpeedData values).
QString kbpsText(double bytesPerSecond);

} // namespace ostrel
