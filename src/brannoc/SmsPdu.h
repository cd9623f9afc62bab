#pragma once
// What the simulated modem does with SMS PDUs, all through the shared codec (common/sms): split a
// text into the parts the editor counts, encode each part as an SMS-SUBMIT (to send it) or an
// SMS-DELIVER (a message that arrives), and decode what arrives into texts.

#include "common/sms/SmsCodecOptions.h"
#include "common/sms/SmsPduRecord.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace brannoc {

// One part of a split text: its characters and their coding units (septet values, an escaped
// character taking two, for 7-bit; nothing for UCS-2, where the characters are the units).
struct SmsTextPart {
    QString text;
    std::vector<std::uint8_t> septets;
};

struct SmsTextSplit {
    bool ucs2 = false;
    // 7-bit with a national table in force and an escaped character: the parts carry the
    // single-shift element of the table.
    std::uint8_t nationalLanguage = 0;
    QList<SmsTextPart> parts; // at least one (an empty text is one empty part)
};

// Splits a text into the parts the SMS editor counts for it (single length 160, 155 or 70, then
// 153, 149 or 67 per part), never inside an escape or a surrogate pair.
SmsTextSplit splitSmsText(const yov::sms::SmsCodecOptions &options, const QString &text);

// Whether a number can be dialled: digits, "*" and "#", with a "+" only in front.
bool isDialableNumber(const QString &number);

struct SmsSubmitParams {
    QString centre;
    QString recipient;
    std::uint8_t validity = 0;
    bool reportWanted = false;
    std::uint8_t reference = 0; // used from two parts on
};

// The SMS-SUBMIT PDU (hexadecimal text) of part index (from 0) of a split; nullopt when the codec
// refuses (a number it cannot encode).
std::optional<QString> encodeSubmitPdu(const yov::sms::SmsCodecOptions &options, const SmsTextSplit &split, int index,
                                       const SmsSubmitParams &params);

// The SMS-DELIVER PDUs of a text arriving from sender, one per part, with the given service-centre
// time stamp (14 semi-octet characters) and concatenation reference. Empty when the codec refuses.
QStringList encodeDeliverPdus(const yov::sms::SmsCodecOptions &options, const QString &centre, const QString &sender,
                              const QString &text, const QString &timeStamp, std::uint8_t reference);

// A date as the 14 semi-octet characters of a service-centre time stamp, in its own time zone.
QString smsTimeStampOf(const QDateTime &date);

// The text of a decoded DELIVER or SUBMIT record (count: what the decoder returned): septets by
// the record's national language, else by the configured table; UCS-2 and 8-bit as they are.
QString smsTextOfRecord(const yov::sms::SmsCodecOptions &options, const yov::sms::SmsPduRecord &record, int count);

} // namespace brannoc
