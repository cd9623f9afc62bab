#include "ostrel/settings/NetworkModeTables.h"

#include "common/ValueConversion.h"

#include <QVariantMap>

namespace ostrel::netmode {

namespace {
const PreferredMode *modeOfTag(int tag)
{
    for (const PreferredMode &m : kPreferredModes)
        if (m.tag == tag)
            return &m;
    return nullptr;
}
} // namespace

int deviceCodeOfTag(int tag)
{
    const PreferredMode *m = modeOfTag(tag);
    return m && tag < kOfferedModeCount ? m->deviceCode : 2;
}

QString titleOfTag(int tag)
{
    const PreferredMode *m = modeOfTag(tag);
    return m ? QString::fromLatin1(m->title) : QString();
}

QString selectNameOfTag(int tag)
{
    const PreferredMode *m = modeOfTag(tag);
    return m && m->selectName ? QString::fromLatin1(m->selectName) : QString();
}

QString findModeSelectionTitle(int tag) { return titleOfTag(tag >= 1 && tag <= 3 ? tag : 0); }

QList<int> offeredModeTags(const QVariant &networkSelectMode)
{
    QList<int> tags;
    const bool listed = networkSelectMode.typeId() == QMetaType::QVariantList
                        || networkSelectMode.typeId() == QMetaType::QStringList;
    QStringList names;
    for (const QVariant &v : yov::nsArray(networkSelectMode))
        names << yov::nsString(v);
    for (int tag = 0; tag < kOfferedModeCount; ++tag)
        if (!listed || names.contains(selectNameOfTag(tag)))
            tags << tag;
    return tags;
}

std::optional<int> tagOfModeReport(int selected, int pref, int mode)
{
    if (selected == 0) {
        if (mode == 1)
            return 0;
        if (mode == 2)
            return 1;
        if (mode == 0)
            return pref == 1 ? 2 : (pref == 0 || pref == 2 ? std::optional<int>(3) : std::nullopt);
        return std::nullopt;
    }
    if (selected == 1) {
        if (pref == 1)
            return 2;
        if (pref == 2)
            return 3;
        if (pref == 0) {
            if (mode == 0)
                return 3;
            if (mode == 1)
                return 0;
            if (mode == 2)
                return 1;
        }
    }
    return std::nullopt;
}

int tagOfIceraModeReport(int mode, bool twoGOnlyIf3GPrefSwitch, bool stored3GPreferred)
{
    if (twoGOnlyIf3GPrefSwitch && stored3GPreferred && mode == 0)
        return kTag3GPreferred;
    switch (mode) {
    case 0:
    case 1:
    case 2:
        return mode;
    default:
        return kTag3GPreferred;
    }
}

int cdmaValueOfTag(int tag)
{
    switch (tag) {
    case 0:
        return 8;
    case 1:
        return 2;
    case 2:
        return 4;
    default:
        return 0;
    }
}

std::optional<int> cdmaTagOfValue(int value)
{
    switch (value) {
    case 8:
        return 0;
    case 2:
        return 1;
    case 4:
        return 2;
    default:
        return std::nullopt;
    }
}

int getFrequencyTag(const QString &name)
{
    for (int i = 0; i < int(std::size(kNetworkFrequencyString)); ++i)
        if (name == QLatin1String(kNetworkFrequencyString[i]))
            return i;
    return -1;
}

int searchModeFor(const SearchModeSwitches &switches, SearchSend send, int selectedTag)
{
    if (switches.d3uFromKV402)
        return 3;
    if (send == SearchSend::ManualSearch && switches.noNetWorkSelectMode)
        return 3;
    if (send == SearchSend::BackToAuto && switches.sendYSNT000AfterRegisterNetworkManually)
        return 4;
    if (switches.setSearchNetMode2GOnlyIfChoose3GPref && selectedTag == kTag3GPreferred)
        return 0;
    return selectedTag;
}

BandMatrixLayout bandMatrixLayout(const QVariant &frequencySetting, int rows)
{
    BandMatrixLayout layout;
    const QVariantList entries = yov::nsArray(frequencySetting);
    // A missing array, an empty one and one that does not fit the matrix all hide the band box.
    if (entries.isEmpty() || entries.size() != rows)
        return layout;
    layout.shown = true;
    int defaultRow = 0;
    for (const QVariant &value : entries) {
        const QVariantMap entry = value.toMap();
        const int row = yov::nsInt(entry.value(QStringLiteral("Index")));
        if (row < 0 || row >= rows)
            continue;
        BandCell cell;
        cell.row = row;
        cell.tag = getFrequencyTag(yov::nsString(entry.value(QStringLiteral("Frequency"))));
        cell.title = yov::nsString(entry.value(QStringLiteral("Title")));
        cell.enabled = cell.tag >= 0;
        layout.cells << cell;
        if (yov::nsBool(entry.value(QStringLiteral("IsDefault"))))
            defaultRow = row;
    }
    layout.selectedRow = defaultRow;
    return layout;
}

std::optional<int> bandReportTag(int type, int module, int dataLength, int value)
{
    if (type != 1 || module != 3 || dataLength < 4)
        return std::nullopt;
    return value;
}

std::optional<int> connectTypeOfNetDeviceInfo(int type, int dataLength, int ndisWord)
{
    if (type == 2 || dataLength < 8)
        return std::nullopt;
    return ndisWord != 0 ? 1 : 0;
}

std::optional<int> roamingImsiTag(const QString &imsi, const QString &iccid, const QStringList &homePrefixes,
                                  const QStringList &roamingPrefixes)
{
    if (imsi.size() < 5)
        return std::nullopt;
    const QString prefix = imsi.left(5);
    if (prefix == QLatin1String("40467") && iccid.mid(4, 2) != QLatin1String("67"))
        return 1;
    if (homePrefixes.contains(prefix))
        return 0;
    if (roamingPrefixes.contains(prefix))
        return 1;
    return 0;
}

} // namespace ostrel::netmode
