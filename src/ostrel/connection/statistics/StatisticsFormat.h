#pragma once
// The texts of the statistics page's two outlines. UI-free.
//
// Formats such as "%0.2f KB" are looked up in the localisation table first (when a localizer is
// given) and filled without printf.
//
//   Period totals (autoSwitchStatisticData), from KB: below 1024 "%0.2f KB", from 1024 "%0.2f MB"
//   of KB / 1024, from 1048576 "%0.2f GB" of KB / 1048576; in bits (Internet/dataType "Kb") the
//   value is KB * 8 and the units "Kb", "Mb", "Gb". A negative amount gives no text.
//   Current connection: the units switch only above 1024 (1024 KB shows "1024.00(KB)"):
//     speed, KB/s: "%0.2f(KB/s)", above 1024 "%0.2f(MB/s)"; in bits "%0.2f(Kb/s)" of KB/s * 8;
//     volume, KB: "%0.2f(KB)", above 1024 "%0.2f(MB)", above 1048576 "%0.2f(GB)"; in bits
//     "%0.2f(Kb)" of KB * 8, above 1024 KB "%0.2f(Mb)" of KB * 8 / 1024.
#include "ostrel/connection/profile/DialProfile.h"

#include <QString>

namespace ostrel {

class StatisticsFormat {
public:
    static QString autoSwitchStatisticData(double kb, bool bits, const Localizer &localizer = {});
    // value * inUnit / outUnit.
    static double switchDataUnit(double value, double inUnit, double outUnit);
    static QString transferSpeedText(double kbPerSecond, bool bits, const Localizer &localizer = {});
    static QString transferVolumeText(double kb, bool bits, const Localizer &localizer = {});
};

} // namespace ostrel
