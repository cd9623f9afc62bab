#pragma once
// The "Network" panel's tables and rules without widgets: preferred-mode tags and their device
// codes, how the device's mode reports select a tag, the CDMA preference values, the frequency
// band names, the search mode sent with 513/76 and 513/78, the band matrix built from the
// settings' FrequencySetting array, and which roaming identity an IMSI stands for.
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace ostrel::netmode {

// Preferred-mode tags; the tag is also the search mode the device is sent.
struct PreferredMode {
    int tag;
    const char *title;      // English; localised when shown
    const char *selectName; // its name in the settings array NetworkSelectMode (none for 4)
    int deviceCode;         // getCurrentNetWorkPreferedMode
};
inline constexpr PreferredMode kPreferredModes[] = {
    {0, "2G Only", "Only2G", 0},
    {1, "3G Only", "Only3G", 1},
    {2, "2G Preferred", "2GPref", 3},
    {3, "3G Preferred", "3GPref", 2},
    {4, "Automatic", nullptr, 2},
};
// The matrix rows the panel offers before NetworkSelectMode trims them (tags 0-3).
inline constexpr int kOfferedModeCount = 4;
inline constexpr int kTag3GPreferred = 3;

// The device code of a tag; 2 for any tag other than 0-3.
int deviceCodeOfTag(int tag);
// The English title of a tag; empty for none.
QString titleOfTag(int tag);
// The NetworkSelectMode name of a tag 0-3; empty otherwise.
QString selectNameOfTag(int tag);
// The diagnostics window's English title: tags 1-3 their own, every other "2G Only".
QString findModeSelectionTitle(int tag);
// The tags of the rows kept when the settings list the offered modes (names "Only2G"...): every
// row whose name is missing is dropped. Without the array (not a list) all rows stay.
QList<int> offeredModeTags(const QVariant &networkSelectMode);

// The tag a general mode report (selected mode, preference, mode) selects; none for a
// combination outside the table.
std::optional<int> tagOfModeReport(int selected, int pref, int mode);
// The tag a mode report selects on chipset family 1: with the 2G-only-if-3G-preferred switch, a
// stored preference of 3G Preferred and mode 0, tag 3; else mode 1, 2, 0 give 1, 2, 0, any
// other 3.
int tagOfIceraModeReport(int mode, bool twoGOnlyIf3GPrefSwitch, bool stored3GPreferred);

// CDMA preference: row 0 "CDMA Automatic" 8, row 1 "1x Only" 2, row 2 "EVDO Only" 4; any other
// tag sends 0.
inline constexpr const char *kCdmaTitles[3] = {"CDMA Automatic", "1x Only", "EVDO Only"};
int cdmaValueOfTag(int tag);
// The row a reported CDMA value selects; none for a value outside 8, 2, 4.
std::optional<int> cdmaTagOfValue(int value);

// The band table: the index is the band tag.
inline constexpr const char *kNetworkFrequencyString[11] = {
    "UMTS_850_1900_2100",
    "UMTS_850_GSM_900_1800",
    "UMTS_2100_GSM_900_1800",
    "UMTS_850_2100_GSM_900_1800",
    "UMTS_850_1900_GSM_850_1900",
    "UMTS_850_GSM_850_900_1800_1900",
    "UMTS_2100_GSM_850_900_1800_1900",
    "UMTS_850_2100_GSM_850_900_1800_1900",
    "UMTS_900_GSM_850_900_1800_1900",
    "UMTS_900_2100_GSM_850_900_1800_1900",
    "UMTS_1900_GSM_850_900_1800_1900",
};
// The index of the name (exact compare), -1 for a name outside the table.
int getFrequencyTag(const QString &name);

// The search mode 513/76 and 513/78 carry, worked out at each send.
enum class SearchSend {
    ManualSearch, // 513/78
    BackToAuto,   // 513/76 returning to automatic selection after a manual registration
    ModeChange,   // any other 513/76
};
struct SearchModeSwitches {
    bool d3uFromKV402 = false;                          // specialSoftVersion/D3UFromKV402
    bool noNetWorkSelectMode = false;                   // Setting/noNetWorkSelectMode
    bool sendYSNT000AfterRegisterNetworkManually = false; // Setting/SendYSNT000AfterRegisterNetworkManually
    bool setSearchNetMode2GOnlyIfChoose3GPref = false;  // Setting/Setting_SetSearchNetMode2GOnly_IfChoose3GPref
};
int searchModeFor(const SearchModeSwitches &switches, SearchSend send, int selectedTag);

// The band matrix as the settings' FrequencySetting array fills a matrix of `rows` rows.
struct BandCell {
    int row = 0;
    int tag = -1;      // -1: a name outside the table; the cell is then shown disabled
    QString title;     // English, localised when shown
    bool enabled = true;
};
struct BandMatrixLayout {
    bool shown = false; // false: the band box and matrix are hidden
    QList<BandCell> cells;
    int selectedRow = 0;
};
// Missing, empty or of another count than rows: hidden. Otherwise each entry fills the row its
// "Index" names (entries whose Index lies outside the matrix fill nothing); the row of the last
// entry marked "IsDefault" is selected (row 0 when none is).
BandMatrixLayout bandMatrixLayout(const QVariant &frequencySetting, int rows);

// The band tag of a 513/81 report that is the settings' own (type 1, module 3, at least 4 bytes
// of data); none for any other record.
std::optional<int> bandReportTag(int type, int module, int dataLength, int value);

// The connection type a 258/74 answer sets (1 NDIS when its second int32 is non-zero, else 0);
// none for a type 2 answer or one shorter than 8 bytes.
std::optional<int> connectTypeOfNetDeviceInfo(int type, int dataLength, int ndisWord);

// Which identity of a dual-identity SIM the IMSI stands for: 0 home, 1 roaming. None for an IMSI
// shorter than five characters. With "40467" and ICCID characters 5-6 (a missing character
// compares as unequal) other than "67": roaming. Otherwise home when IMSIHomeCfg holds the
// prefix, roaming when only IMSIRoamingCfg does, else home.
std::optional<int> roamingImsiTag(const QString &imsi, const QString &iccid, const QStringList &homePrefixes,
                                  const QStringList &roamingPrefixes);

} // namespace ostrel::netmode
