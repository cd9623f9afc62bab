#pragma once
// The rules of the diagnostics sheet that need no window: the serving cell's text, the cell
// details report, the export text, the one-line report, and the modem driver's version.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariant>

#include <optional>
#include <utility>

namespace ostrel {

// The cell ID text kept by CellId/ShowLastNum: its last n characters, the whole text when n is
// below 1 or not below the text's length, or when the key is absent (invalid).
QString cellIdAfterShowLastNum(const QString &text, const QVariant &showLastNum);
// A hexadecimal text's value when it is a number other than 0; nothing otherwise.
std::optional<qulonglong> nonZeroHexValue(const QString &text);

// The cell details of a 7/56 report (384 bytes), as the sheet shows them.
struct CellDetails {
    QString rac, frequency, channel, rxQual, rxLev;
};
inline constexpr int kCellDetailsSize = 384;
// Nothing for a report with a non-zero result or one too short to hold the fields.
std::optional<CellDetails> parseCellDetails(const QByteArray &payload, int result);

// One row of the export: its label and value; a heading has no value (nullopt).
using DiagExportRow = std::pair<QString, std::optional<QString>>;
// Headings: the label, five blanks, a line feed; items: eight blanks, the label, five blanks, the
// value, a line feed. Rows with a null label are skipped.
QString diagExportText(const QList<DiagExportRow> &rows);

// The one-line report: cell ID, LAC, RSSI, RSCP, Ec/No (each without its unit, "Null" when empty),
// PS attachment, APN and "YOV " with the device name.
QString diagReportText(const QString &cellId, const QString &lac, const QString &rssi, const QString &rscp,
                       const QString &ecno, const QString &attachment, const QString &apn, const QString &deviceName);

// The version of the kernel module bound to the modem's USB interfaces, looked up under sysRoot
// (normally "/sys"): the module's "version" file, else (a module built into the kernel's tree)
// the running kernel's release, kernelRelease; empty when no such module is bound.
QString dataCardDriverVersion(const QString &sysRoot, const QString &kernelRelease);

} // namespace ostrel
