#pragma once
// The SMS page's search, counts and links, without widgets.
//
// Search: a case-insensitive substring of the number, the name, the shown date or the text. The
// kind of a list says where those are: regular messages (computer inbox and outbox, SIM inbox,
// outbox and drafts) keep them in their summary, computer drafts flat.
//
// Counts: the stored parts of a computer box (a concatenated message counts its parts, a draft the
// number its state begins with) and the unread parts of an inbox.
//
// Links: addresses beginning "http://", "https://", "ftp://" or "www." (any case) up to the next
// blank, tab or line break, or to the end of the text.
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

#include <functional>

namespace ostrel {

enum SmsSearchKind {
    kSmsSearchNone = 0,
    kSmsSearchPcInbox = 1,
    kSmsSearchPcOutbox = 2,
    kSmsSearchPcDraft = 3,
    kSmsSearchSimInbox = 4,
    kSmsSearchSimOutbox = 5,
    kSmsSearchSimDraft = 6,
};

// The kind of the list of a box at a position (the computer or the SIM, boxes 0 to 2); none else.
SmsSearchKind smsSearchKindOf(int position, int box);

using SmsDateFormatter = std::function<QString(const QDateTime &)>;

// Whether the message holds the text (never for kind none or an empty text).
bool smsMessageMatches(const QVariantMap &message, SmsSearchKind kind, const QString &text, const SmsDateFormatter &formatDate);

// The matching messages, in list order. In the computer inbox each hit gets "groupindex", its
// 1-based place in the list, as text.
QVariantList smsSearchList(const QVariantList &list, SmsSearchKind kind, const QString &text, const SmsDateFormatter &formatDate);

// The parts a draft's state stands for: the decimal number it begins with ("12/12" is 12); 1 when
// the state is missing, empty or begins with no digit.
int smsDraftParts(const QVariant &stat);
// The stored parts of a computer box list (0 for any other position); box 3 counts its entries.
int smsPartsOfList(const QVariantList &list, int position, int box);
// The unread parts of a message: 1 for an unread single one, the unread parts of a concatenated one.
int smsUnreadPartsOfMessage(const QVariantMap &message);
int smsUnreadPartsOfList(const QVariantList &list);

struct SmsLink {
    QString address;
    int location = 0;
    int length = 0;
    bool operator==(const SmsLink &) const = default;
};

// The links of a text, the last one first.
QList<SmsLink> smsFindHyperlinks(const QString &text);

} // namespace ostrel
