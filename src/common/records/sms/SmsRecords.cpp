#include "common/records/sms/SmsRecords.h"

#include <QLoggingCategory>

#include <algorithm>

Q_LOGGING_CATEGORY(lcSmsRecords, "ostrel.sms.records")

namespace yov {

namespace {

// Logs a refused field and hands the reason to the caller.
std::nullopt_t refuse(const char *record, const QString &why, QString *error)
{
    const QString reason = QStringLiteral("%1 not built: %2").arg(QLatin1String(record), why);
    qCWarning(lcSmsRecords).noquote() << reason;
    if (error)
        *error = reason;
    return std::nullopt;
}

// A char[width] field from UTF-8: false when the text needs more than width - 1 bytes.
bool putWholeText(PayloadWriter &w, int offset, int width, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.size() > width - 1 || utf8.contains('\0'))
        return false;
    return w.setText(offset, width, utf8);
}

// A char[width] field cut on a character boundary when it is too long.
void putCutText(PayloadWriter &w, int offset, int width, const QString &text)
{
    w.setText(offset, width, utf8Within(text, width - 1));
}

QString tooLong(const char *field, qsizetype size, int limit, const char *unit)
{
    return QStringLiteral("%1 of %2 %4 is over %3").arg(QLatin1String(field)).arg(size).arg(limit).arg(QLatin1String(unit));
}

// A UTF-16 text with its length field, the length clamped to what the field holds.
QString readCountedText(const PayloadReader &r, int textOffset, int lengthOffset, int maxUnits)
{
    const std::int64_t length = r.int32(lengthOffset);
    return r.utf16Units(textOffset, int(std::clamp<std::int64_t>(length, 0, maxUnits)));
}

} // namespace

// ---------------------------------------------------------------------------------------------

std::optional<std::int32_t> smsExpectedType(std::uint16_t minor)
{
    using namespace smsmsg;
    switch (minor) {
    case kMinorClass0:
    case kMinorStatusReport:
    case kMinorNewSms:
    case kMinorRechargeSms:
        return kSmsTypeReport;
    case kMinorListState:
    case kMinorRestore:
    case kMinorRouting:
    case kMinorRoutingResult:
    case kMinorSendProgress:
    case kMinorReloadTcard:
    case kMinorSyncTcard:
        return std::nullopt;
    default:
        return kSmsTypeAnswer;
    }
}

bool smsTypeAccepted(std::uint16_t minor, std::int32_t type)
{
    const auto expected = smsExpectedType(minor);
    return !expected || *expected == type;
}

std::int32_t smsStoreCodeOfPosition(int position)
{
    switch (position) {
    case 1: return kSmsStoreSim;
    case 0: return kSmsStorePc;
    case 4: return kSmsStoreMe;
    case 3: return kSmsStoreTcard;
    default: return kSmsStoreNone;
    }
}

int smsPositionOfStoreCode(std::int32_t code)
{
    switch (code) {
    case kSmsStoreSim: return 1;
    case kSmsStorePc: return 0;
    case kSmsStoreMe: return 4;
    case kSmsStoreTcard: return 3;
    default: return -1;
    }
}

// ---------------------------------------------------------------------------------------------

std::optional<QByteArray> SmsSendRequest::encode(QString *error) const
{
    PayloadWriter w(kSize);
    if (!putWholeText(w, kOffCentre, kLenCentre, centre))
        return refuse("SMS send record", tooLong("SMS centre", centre.toUtf8().size(), kLenCentre - 1, "bytes"), error);
    if (text.size() > kMaxTextUnits)
        return refuse("SMS send record", tooLong("text", text.size(), kMaxTextUnits, "UTF-16 units"), error);
    if (!putWholeText(w, kOffRecipient, kLenRecipient, recipient))
        return refuse("SMS send record",
                      tooLong("recipient", recipient.toUtf8().size(), kLenRecipient - 1, "bytes"), error);
    w.setUint8(kOffReport, reportWanted ? 1 : 0);
    w.setInt32(kOffValidity, validity);
    w.setUtf16Units(kOffText, kMaxTextUnits * 2, text);
    w.setInt32(kOffTextLength, std::int32_t(text.size()));
    w.setUint8(kOffReference, reference);
    w.setUint8(kOffSave, saveInBox ? 1 : 0);
    w.setUint8(kOffNoResult, noResultWanted ? 1 : 0);
    return w.data();
}

SmsSendRequest SmsSendRequest::decode(const PayloadReader &r)
{
    SmsSendRequest s;
    s.centre = r.utf8Text(kOffCentre, kLenCentre);
    s.reportWanted = r.uint8(kOffReport) == 1;
    s.validity = r.int32(kOffValidity);
    const std::uint32_t length = r.uint32(kOffTextLength);
    s.text = r.utf16Units(kOffText, int(std::min<std::uint32_t>(length, kMaxTextUnits)));
    s.recipient = r.utf8Text(kOffRecipient, kLenRecipient);
    s.reference = r.uint8(kOffReference);
    s.saveInBox = r.uint8(kOffSave) == 1;
    s.noResultWanted = r.uint8(kOffNoResult) == 1;
    return s;
}

int SmsSendResult::sentParts() const
{
    const int n = std::clamp<int>(partCount, 0, kMaxParts);
    return int(std::count_if(outcomes.begin(), outcomes.begin() + n, [](std::int32_t o) { return o != 0; }));
}

int SmsSendResult::failedParts() const
{
    return std::clamp<int>(partCount, 0, kMaxParts) - sentParts();
}

QByteArray SmsSendResult::encode() const
{
    PayloadWriter w(kSize);
    for (int i = 0; i < kMaxParts; ++i)
        w.setInt32(kOffOutcomes + 4 * i, outcomes[size_t(i)]);
    w.setInt32(kOffPartCount, partCount);
    return w.data();
}

SmsSendResult SmsSendResult::decode(const PayloadReader &r)
{
    SmsSendResult s;
    for (int i = 0; i < kMaxParts; ++i)
        s.outcomes[size_t(i)] = r.int32(kOffOutcomes + 4 * i);
    s.partCount = std::clamp<std::int32_t>(r.int32(kOffPartCount), 0, kMaxParts);
    return s;
}

// ---------------------------------------------------------------------------------------------

QByteArray SmsDeleteRequest::encode() const
{
    return int32Words({position, box, index});
}

SmsDeleteRequest SmsDeleteRequest::decode(const PayloadReader &r)
{
    return {r.int32(0), r.int32(4), r.int32(8)};
}

QByteArray SmsCopyRequest::encode() const
{
    return int32Words({sourcePosition, sourceBox, sourceIndex, destinationPosition});
}

SmsCopyRequest SmsCopyRequest::decode(const PayloadReader &r)
{
    return {r.int32(0), r.int32(4), r.int32(8), r.int32(12)};
}

QByteArray SmsReadRequest::encode() const
{
    return int32Words({position, index});
}

SmsReadRequest SmsReadRequest::decode(const PayloadReader &r)
{
    return {r.int32(0), r.int32(4)};
}

// ---------------------------------------------------------------------------------------------

std::optional<QByteArray> SmsDraftRequest::encode(QString *error) const
{
    PayloadWriter w(kSize);
    if (text.size() > kMaxTextUnits)
        return refuse("SMS draft record", tooLong("text", text.size(), kMaxTextUnits, "UTF-16 units"), error);
    if (!putWholeText(w, kOffRecipients, kLenRecipients, recipients))
        return refuse("SMS draft record",
                      tooLong("recipient field", recipients.toUtf8().size(), kLenRecipients - 1, "bytes"), error);
    if (!putWholeText(w, kOffCentre, kLenCentre, centre))
        return refuse("SMS draft record", tooLong("SMS centre", centre.toUtf8().size(), kLenCentre - 1, "bytes"), error);
    w.setUtf16Units(kOffText, kMaxTextUnits * 2, text);
    w.setInt32(kOffTextLength, std::int32_t(text.size()));
    w.setInt32(kOffReport, reportWanted);
    w.setInt32(kOffValidity, validity);
    return w.data();
}

SmsDraftRequest SmsDraftRequest::decode(const PayloadReader &r)
{
    SmsDraftRequest d;
    const std::uint32_t length = r.uint32(kOffTextLength);
    d.text = r.utf16Units(kOffText, int(std::min<std::uint32_t>(length, kMaxTextUnits)));
    d.recipients = r.utf8Text(kOffRecipients, kLenRecipients);
    d.centre = r.utf8Text(kOffCentre, kLenCentre);
    d.reportWanted = r.int32(kOffReport);
    d.validity = r.int32(kOffValidity);
    return d;
}

// ---------------------------------------------------------------------------------------------

QByteArray SmsListState::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(0, state);
    return w.data();
}

SmsListState SmsListState::decode(const PayloadReader &r)
{
    return {r.int32(0)};
}

QByteArray SmsCapacity::encode() const
{
    return int32Words({simCapacity, simUsed, meCapacity, meUsed});
}

SmsCapacity SmsCapacity::decode(const PayloadReader &r)
{
    return {r.int32(0), r.int32(4), r.int32(8), r.int32(12)};
}

// ---------------------------------------------------------------------------------------------

std::optional<QByteArray> SmsClass0Report::encode(QString *error) const
{
    if (text.size() > kMaxTextUnits)
        return refuse("class-0 record", tooLong("text", text.size(), kMaxTextUnits, "UTF-16 units"), error);
    PayloadWriter w(kSize);
    w.setUtf16Units(kOffText, kMaxTextUnits * 2, text);
    w.setInt32(kOffTextLength, std::int32_t(text.size()));
    putCutText(w, kOffSender, kLenSender, sender);
    return w.data();
}

SmsClass0Report SmsClass0Report::decode(const PayloadReader &r)
{
    SmsClass0Report c;
    c.text = readCountedText(r, kOffText, kOffTextLength, kMaxTextUnits);
    c.sender = r.utf8Text(kOffSender, kLenSender);
    return c;
}

QByteArray SmsStatusReport::encode() const
{
    PayloadWriter w(kSize);
    w.setInt32(kOffResult, result);
    putCutText(w, kOffRecipient, kLenRecipient, recipient);
    putCutText(w, kOffTimeStamp, kLenTimeStamp, timeStamp);
    return w.data();
}

SmsStatusReport SmsStatusReport::decode(const PayloadReader &r)
{
    SmsStatusReport s;
    s.result = r.int32(kOffResult);
    s.recipient = r.utf8Text(kOffRecipient, kLenRecipient);
    s.timeStamp = r.latin1Text(kOffTimeStamp, kLenTimeStamp);
    return s;
}

std::int32_t smsDeliveryResultOfStatus(std::uint8_t tpStatus)
{
    if (tpStatus < 0x20)
        return SmsStatusReport::kDelivered;
    if (tpStatus < 0x40)
        return SmsStatusReport::kPending;
    return SmsStatusReport::kFailed;
}

// ---------------------------------------------------------------------------------------------

int MSG_REV_NEW_SMS_RES_PARA_T::concatKey() const
{
    return elementId == kElement16BitReference ? int(reference16) : int(reference8);
}

std::optional<QByteArray> MSG_REV_NEW_SMS_RES_PARA_T::encode(QString *error) const
{
    if (text.size() > kMaxTextUnits)
        return refuse("new-SMS record", tooLong("text", text.size(), kMaxTextUnits, "UTF-16 units"), error);
    PayloadWriter w(kSize);
    w.setInt32(kOffStorage, storage);
    putCutText(w, kOffSender, kLenSender, sender);
    putCutText(w, kOffTimeStamp, kLenTimeStamp, timeStamp);
    w.setUtf16Units(kOffText, kMaxTextUnits * 2, text);
    w.setInt32(kOffTextLength, std::int32_t(text.size()));
    w.setUint8(kOffReference8, reference8);
    w.setUint8(kOffTotal, total);
    w.setUint8(kOffPart, part);
    w.setUint8(kOffConcatenated, concatenated ? 1 : 0);
    w.setUint8(kOffElementId, elementId);
    w.setUint16(kOffReference16, reference16);
    return w.data();
}

MSG_REV_NEW_SMS_RES_PARA_T MSG_REV_NEW_SMS_RES_PARA_T::decode(const PayloadReader &r)
{
    MSG_REV_NEW_SMS_RES_PARA_T m;
    m.storage = r.int32(kOffStorage);
    m.sender = r.utf8Text(kOffSender, kLenSender);
    m.timeStamp = r.latin1Text(kOffTimeStamp, kLenTimeStamp);
    m.text = readCountedText(r, kOffText, kOffTextLength, kMaxTextUnits);
    m.reference8 = r.uint8(kOffReference8);
    m.total = r.uint8(kOffTotal);
    m.part = r.uint8(kOffPart);
    m.concatenated = r.uint8(kOffConcatenated) == 1;
    m.elementId = r.uint8(kOffElementId);
    m.reference16 = r.uint16(kOffReference16);
    return m;
}

// ---------------------------------------------------------------------------------------------

QByteArray SmsBroadcastReport::encode() const
{
    PayloadWriter w(kSize);
    putCutText(w, kOffOriginator, kOffText - kOffOriginator, originator);
    putCutText(w, kOffText, kSize - kOffText, text);
    return w.data();
}

SmsBroadcastReport SmsBroadcastReport::decode(const PayloadReader &r)
{
    SmsBroadcastReport b;
    b.originator = r.utf8Text(kOffOriginator, kSize - kOffOriginator);
    b.text = r.utf8Text(kOffText, kSize - kOffText);
    return b;
}

QByteArray SmsSendProgress::encode() const
{
    PayloadWriter w(kSize);
    w.setUint8(kOffPart, part);
    w.setUint8(kOffTotal, total);
    putCutText(w, kOffRecipient, kLenRecipient, recipient);
    return w.data();
}

SmsSendProgress SmsSendProgress::decode(const PayloadReader &r)
{
    return {r.uint8(kOffPart), r.uint8(kOffTotal), r.utf8Text(kOffRecipient, kLenRecipient)};
}

// ---------------------------------------------------------------------------------------------

std::optional<QByteArray> encodeSmsCentre(const QString &centre, QString *error)
{
    PayloadWriter w(kSmsCentreSize);
    if (!putWholeText(w, 0, kSmsCentreSize, centre))
        return refuse("SMS centre record", tooLong("SMS centre", centre.toUtf8().size(), kSmsCentreSize - 1, "bytes"),
                      error);
    return w.data();
}

QString decodeSmsCentre(const PayloadReader &payload)
{
    return payload.utf8Text(0, kSmsCentreSize);
}

std::optional<QByteArray> encodeSmsRestorePath(const QString &path, QString *error)
{
    PayloadWriter w(kSmsRestorePathSize);
    if (!putWholeText(w, 0, kSmsRestorePathSize, path))
        return refuse("SMS restore record", tooLong("backup path", path.toUtf8().size(), kSmsRestorePathSize - 1, "bytes"),
                      error);
    return w.data();
}

QString decodeSmsRestorePath(const PayloadReader &payload)
{
    return payload.utf8Text(0, kSmsRestorePathSize);
}

QByteArray encodeSmsInt32(std::int32_t value)
{
    return int32Words({value});
}

std::int32_t decodeSmsInt32(const PayloadReader &payload)
{
    return payload.int32(0);
}

} // namespace yov
