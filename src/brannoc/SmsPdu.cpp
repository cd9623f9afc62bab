#include "brannoc/SmsPdu.h"

#include "common/sms/GsmAlphabet.h"
#include "common/sms/PduCodec.h"
#include "common/sms/SmsLengthCount.h"

#include <QTimeZone>

#include <algorithm>
#include <cstring>

namespace brannoc {

namespace {

using yov::sms::SmsCodecOptions;
using yov::sms::SmsPduRecord;

constexpr std::uint8_t kSingleShiftElement = 0x24;
constexpr int kConcatHeaderOctets = 6;
constexpr int kPduTextSize = 2 * yov::sms::kMaxPduOctets + 1;

const std::uint16_t *unitsOf(const QString &text)
{
    return reinterpret_cast<const std::uint16_t *>(text.utf16());
}

// The national language of the single-shift element: 1 Turkish, 2 Spanish, 3 Portuguese.
std::uint8_t languageOf(const QString &identifier)
{
    if (identifier == QLatin1String("TurkishSingle"))
        return 1;
    if (identifier == QLatin1String("SpanishSingle"))
        return 2;
    if (identifier == QLatin1String("PortugueseSingle"))
        return 3;
    return 0;
}

void copyField(char *field, size_t width, const QString &text)
{
    const QByteArray bytes = text.toUtf8().left(int(width) - 1);
    std::memset(field, 0, width);
    std::memcpy(field, bytes.constData(), size_t(bytes.size()));
}

// Appends bytes to the record's user data.
class UserDataWriter {
public:
    explicit UserDataWriter(SmsPduRecord &record) : record_(record) {}
    void put(std::uint8_t b) { record_.userData[at_++] = b; }
    void put(const std::vector<std::uint8_t> &bytes)
    {
        for (std::uint8_t b : bytes)
            put(b);
    }
    void putUnits(const QString &text)
    {
        std::memcpy(record_.userData + at_, text.utf16(), size_t(text.size()) * 2);
        at_ += int(text.size()) * 2;
    }
    // The concatenation header as the codec takes it: length 5, an unused octet, element length 3,
    // reference, total, sequence.
    void putConcatHeader(std::uint8_t reference, int total, int sequence)
    {
        for (std::uint8_t b : {std::uint8_t(5), std::uint8_t(0), std::uint8_t(3), reference, std::uint8_t(total),
                               std::uint8_t(sequence)})
            put(b);
    }

private:
    SmsPduRecord &record_;
    int at_ = 0;
};

// Fills the record's user data with part index of the split; the national element is added only
// for SMS-SUBMIT (withNational).
void putPart(SmsPduRecord &r, const SmsTextSplit &split, int index, std::uint8_t reference, bool withNational)
{
    const int total = int(split.parts.size());
    const bool concatenated = total > 1;
    const SmsTextPart &part = split.parts.at(index);
    UserDataWriter data(r);
    if (split.ucs2) {
        r.dcs = 8;
        if (concatenated) {
            r.headerPresent = 1;
            data.putConcatHeader(reference, total, index + 1);
            data.put(0);
            data.put(0);
        } else {
            // The character count in host order (little-endian) ahead of the characters.
            const std::uint16_t count = std::uint16_t(part.text.size());
            data.put(std::uint8_t(count & 0xff));
            data.put(std::uint8_t(count >> 8));
        }
        data.putUnits(part.text);
        r.dataLength = std::uint16_t(part.text.size());
        return;
    }
    r.dcs = 0;
    const int septets = int(part.septets.size());
    if (withNational && split.nationalLanguage != 0) {
        r.nationalLanguage = split.nationalLanguage;
        r.headerPresent = 1;
        if (concatenated) {
            data.put(8);
            for (std::uint8_t b : {std::uint8_t(0), std::uint8_t(3), reference, std::uint8_t(total), std::uint8_t(index + 1)})
                data.put(b);
        } else {
            data.put(3);
        }
        data.put(kSingleShiftElement);
        data.put(1);
        data.put(split.nationalLanguage);
    } else if (concatenated) {
        r.headerPresent = 1;
        data.putConcatHeader(reference, total, index + 1);
    }
    data.put(part.septets);
    r.dataLength = std::uint16_t(septets);
}

} // namespace

SmsTextSplit splitSmsText(const SmsCodecOptions &options, const QString &text)
{
    SmsTextSplit split;
    const int count = int(text.size());
    const std::uint16_t *units = unitsOf(text);
    split.ucs2 = yov::sms::IfUcs2IsSMS7(options, units, count) != 1;
    const int single = yov::sms::getSingleMaxLength(options, units, count, 0);
    const int perPart = yov::sms::getSingleMaxInputLen(options, units, count);

    if (split.ucs2) {
        const int limit = count <= single ? single : perPart;
        for (int start = 0; start < count;) {
            int end = std::min(count, start + limit);
            if (end < count && text.at(end - 1).isHighSurrogate() && end - 1 > start)
                --end; // never split a surrogate pair
            split.parts.append(SmsTextPart{text.mid(start, end - start), {}});
            start = end;
        }
    } else {
        // Each character's septets, as the whole text would be converted.
        std::vector<std::vector<std::uint8_t>> elements;
        int septets = 0;
        for (int i = 0; i < count; ++i) {
            std::uint8_t buffer[4];
            const int n = std::max(0, yov::sms::Ucs2toSMS7(options, buffer, sizeof buffer, units + i, 1));
            elements.emplace_back(buffer, buffer + n);
            septets += n;
        }
        if (single != 160) // 155: a national table in force and an escaped character
            split.nationalLanguage = languageOf(options.nationalIdentifier);
        const int limit = septets <= single ? single : perPart;
        SmsTextPart part;
        for (int i = 0; i < count; ++i) {
            if (int(part.septets.size() + elements[size_t(i)].size()) > limit) {
                split.parts.append(part);
                part = {};
            }
            part.text += text.at(i);
            part.septets.insert(part.septets.end(), elements[size_t(i)].begin(), elements[size_t(i)].end());
        }
        if (!part.text.isEmpty())
            split.parts.append(part);
    }
    if (split.parts.isEmpty())
        split.parts.append(SmsTextPart{});
    return split;
}

bool isDialableNumber(const QString &number)
{
    if (number.isEmpty())
        return false;
    for (int i = 0; i < number.size(); ++i) {
        const QChar c = number.at(i);
        const bool ok = c.isDigit() || c == QLatin1Char('*') || c == QLatin1Char('#') || (c == QLatin1Char('+') && i == 0);
        if (!ok || c.unicode() > 0x7F)
            return false;
    }
    return number != QLatin1String("+");
}

std::optional<QString> encodeSubmitPdu(const SmsCodecOptions &options, const SmsTextSplit &split, int index,
                                       const SmsSubmitParams &params)
{
    if (index < 0 || index >= split.parts.size())
        return std::nullopt;
    SmsPduRecord r{};
    copyField(r.serviceCentre, sizeof r.serviceCentre, params.centre);
    copyField(r.address, sizeof r.address, params.recipient);
    r.validity = params.validity;
    r.reportRequest = params.reportWanted ? 1 : 0;
    putPart(r, split, index, params.reference, true);
    char out[kPduTextSize];
    if (yov::sms::EncodePdu_Submit(options, &r, out, sizeof out) < 0)
        return std::nullopt;
    return QString::fromLatin1(out);
}

QStringList encodeDeliverPdus(const SmsCodecOptions &options, const QString &centre, const QString &sender,
                              const QString &text, const QString &timeStamp, std::uint8_t reference)
{
    const SmsTextSplit split = splitSmsText(options, text);
    QStringList pdus;
    for (int i = 0; i < split.parts.size(); ++i) {
        SmsPduRecord r{};
        copyField(r.serviceCentre, sizeof r.serviceCentre, centre);
        copyField(r.address, sizeof r.address, sender);
        copyField(r.timeStamp, sizeof r.timeStamp, timeStamp);
        putPart(r, split, i, reference, false);
        // With a header the DELIVER encoder counts its six octets in the data length.
        if (r.headerPresent)
            r.dataLength = std::uint16_t(r.dataLength + kConcatHeaderOctets);
        char out[kPduTextSize];
        if (yov::sms::EncodePdu_Delivery(options, &r, out, sizeof out) < 0)
            return {};
        pdus << QString::fromLatin1(out);
    }
    return pdus;
}

QString smsTimeStampOf(const QDateTime &date)
{
    const int offset = date.offsetFromUtc();
    const QByteArray text = (date.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")) + QLatin1Char(' ')
                             + (offset < 0 ? QStringLiteral("-") : QString()) + QString::number(qAbs(offset) / 900))
                                .toLatin1();
    char out[16];
    if (yov::sms::EncodeTimeStrToPDUFormat(text.constData(), int(text.size()), out, sizeof out) != 14)
        return {};
    return QString::fromLatin1(out, 14);
}

QString smsTextOfRecord(const SmsCodecOptions &options, const SmsPduRecord &record, int count)
{
    if (count <= 0)
        return QString();
    switch (record.dcs) {
    case 8:
        return QString::fromUtf16(reinterpret_cast<const char16_t *>(record.userData),
                                  std::min<int>(count, sizeof record.userData) / 2);
    case 4:
        return QString::fromLatin1(reinterpret_cast<const char *>(record.userData),
                                   std::min<int>(count, sizeof record.userData));
    case 0:
        break;
    default:
        return QString();
    }
    const int septets = std::min<int>(count, sizeof record.userData);
    std::uint16_t out[sizeof record.userData];
    int n = -1;
    switch (record.nationalLanguage) {
    case 1:
        n = yov::sms::SMS7toUcs2_Turkish(out, int(std::size(out)), record.userData, septets);
        break;
    case 3:
        n = yov::sms::SMS7toUcs2_Portuguese(out, int(std::size(out)), record.userData, septets);
        break;
    case 2: {
        SmsCodecOptions spanish = options;
        spanish.nationalIdentifier = QStringLiteral("SpanishSingle");
        n = yov::sms::SMS7toUcs2(spanish, out, int(std::size(out)), record.userData, septets);
        break;
    }
    default:
        n = yov::sms::SMS7toUcs2(options, out, int(std::size(out)), record.userData, septets);
        break;
    }
    return n > 0 ? QString::fromUtf16(reinterpret_cast<const char16_t *>(out), n) : QString();
}

} // namespace brannoc
