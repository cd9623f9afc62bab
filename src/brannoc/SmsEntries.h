#pragma once
// The message dictionaries the simulated modem writes into the SMS list files, built through the
// message model (common/sms/YOVMessageModelManager) so that the dashboard reads back exactly what
// was stored:
//   - a regular entry: the model's conversion of the message, its parts in sequence order, each
//     part of a concatenated message with "refIndex" and "totalNum"; the computer's entries carry
//     "IMSI". SIM and device-memory drafts are regular entries with "stat" 2.
//   - a flat draft (the computer's and the card's "DraftBox"): "date", "messagetext",
//     "mobilephone" and "stat" ("" for one part, "n/n" for more).

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantMap>

namespace brannoc {

// One stored part of a message.
struct SmsStoredPart {
    QString text;
    QString number;
    QString centre;
    QString pdu;
    QDateTime date;
    int pid = 0;
    int dcs = 0;
    int stat = 0;
    int box = 0;
    int seq = 1;       // from 1
    int reference = 0;
    int total = 1;
};

// A regular entry of the parts (sorted by sequence number here). concatenated: the parts belong to
// a concatenated message (also a single part that announced more). A non-empty imsi is stored as
// "IMSI".
QVariantMap smsRegularEntry(QList<SmsStoredPart> parts, bool concatenated, const QString &imsi = QString());

// A flat draft of the computer or the card.
QVariantMap smsFlatDraftEntry(const QString &text, const QString &recipients, const QDateTime &date, int partCount);

// Whether an entry is in the flat layout (it has no "smsInfo").
bool isFlatEntry(const QVariantMap &entry);
bool isConcatenatedEntry(const QVariantMap &entry);

// The stored parts of a regular entry, in the order stored; empty for a flat one.
QList<SmsStoredPart> smsStoredParts(const QVariantMap &entry);

// Places an entry takes in a store: its parts for a concatenated entry, else 1.
int smsEntryPlaces(const QVariantMap &entry);
// Places taken by every box of a list.
int smsListPlaces(const QVariantMap &list);

// The entry's summary values as the model reads them.
QString smsEntryNumber(const QVariantMap &entry);
int smsEntryStatus(const QVariantMap &entry);
QDateTime smsEntryDate(const QVariantMap &entry);
QString smsEntryText(const QVariantMap &entry);

// Gives every part of every regular entry of a list the entry's place in its box as "index", the
// stored index the model reads for a single message and the device takes in its records (the
// device's own SIM and device-memory lists).
void renumberSmsList(QVariantMap &list);

// Sets "stat" on the entry's summary and on each of its parts.
void setSmsEntryStatus(QVariantMap &entry, int stat);

} // namespace brannoc
