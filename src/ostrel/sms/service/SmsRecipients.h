#pragma once
// The recipient field of the SMS editor: the filter that keeps what the user types to numbers
// joined by the phone separator, and the split of the field into single recipients.

#include <QString>
#include <QStringList>

namespace ostrel {

// A number keeps at most this many characters: the send record's recipient field holds 40 bytes.
inline constexpr int kSmsMaxRecipientLength = 40;
// Receivers per message when SMS/ReceverMaxNumber is missing.
inline constexpr int kSmsDefaultMaxReceivers = 20;

struct SmsRecipientFilter {
    QString text;           // the rebuilt field
    bool tooMany = false;   // a separator past the limit was typed: the rest was dropped
};

// Rebuilds the field: digits, "+" and the separator's first character stay; a separator at the
// start or right after another one goes; a number keeps at most 40 characters; at most limit
// separators are kept and a further one drops the rest of the text (tooMany).
SmsRecipientFilter filterRecipientText(const QString &text, const QString &separator, int limit);

// The recipients of the field: each segment before a separator (an empty one too), then the rest
// after the last separator when there is one.
QStringList splitRecipients(const QString &text, const QString &separator);

// Whether the field holds nothing but spaces (or nothing).
bool isBlankRecipientField(const QString &text);

} // namespace ostrel
