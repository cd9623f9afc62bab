#pragma once
// The text and CSV exports of connection records. UI-free: the caller hands in the localised
// column names and how dates and data amounts are shown.
//
// Both have a header line of the six column names and one line per record, the fields in the
// order of DialRecordFile::recordFileHeaderKeys(); a missing value, or any value of a record that
// is not a dictionary, gives an empty field; "connecttime" shows as "%02d:%02d:%02d".
//   Text: every field followed by two tabs. "receivebyte" and "sendbyte" as stored, or, with
//         dataInMBText, as the data text of the stored KB (the connection view's "1.50 MB").
//   CSV:  every field followed by ","; data amounts always as the data text. A field holding a
//         comma, a double quote or a line break is enclosed in double quotes with its inner
//         double quotes doubled (RFC 4180): names, but also dates and amounts, whose localised
//         forms may hold a comma.
// Lines end with a line feed; the text is UTF-8.
#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <QVariantList>

#include <functional>

namespace ostrel {

struct DialRecordExportFormat {
    QStringList columnNames;                           // the six localised column names
    std::function<QString(const QDateTime &)> date;    // a date as the dashboard shows it
    std::function<QString(double bytes)> data;         // a data amount as the connection view shows it
    bool dataInMBText = false;                         // the text export shows data amounts as data texts
};

class DialRecordExport {
public:
    static QByteArray text(const QVariantList &records, const DialRecordExportFormat &format);
    static QByteArray csv(const QVariantList &records, const DialRecordExportFormat &format);
    // One CSV field (formatWordsForCSV).
    static QString csvField(const QString &text);
    // The text of one field of a record as the records table shows it: dates through the date
    // form, "connecttime" as "%02d:%02d:%02d", data amounts as data texts, anything else as
    // stored; empty when missing or when the record is not a dictionary.
    static QString cellText(const QVariant &record, const QString &key, const DialRecordExportFormat &format);
};

} // namespace ostrel
