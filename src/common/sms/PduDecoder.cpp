// The PDU decoders. Every length read from a PDU is checked against the octets it holds before
// anything behind it is read; a field that does not fit refuses the whole PDU.

#include "common/sms/PduCodec.h"

#include "common/sms/GsmAlphabet.h"
#include "common/sms/PduOctets.h"
#include "common/sms/SeptetPacking.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace yov::sms {

namespace {

using detail::PduOctets;
using detail::PduReader;

constexpr int kCoding7bit = 0;
constexpr int kCoding8bit = 4;
constexpr int kCodingUcs2 = 8;

constexpr int kMaxNumberChars = 32;
constexpr int kMaxTextSeptets = 160;
constexpr int kMaxTextOctets = 140;
constexpr int kClass0HeaderTextUnits = 80; // UTF-16 units that fit userData

// Puts a zero at the end of every text field when the decoder returns, whatever it returns.
class PduRecordTerminator {
public:
    explicit PduRecordTerminator(SmsPduRecord *record) : record_(record) {}
    ~PduRecordTerminator()
    {
        if (record_)
            detail::terminateTextFields(*record_);
    }
    PduRecordTerminator(const PduRecordTerminator &) = delete;
    PduRecordTerminator &operator=(const PduRecordTerminator &) = delete;

private:
    SmsPduRecord *record_;
};

// A PDU's octets and a reader over them; the record's text fields are terminated when it goes.
class PduBeingDecoded {
public:
    PduBeingDecoded(SmsPduRecord *record, const char *hex, int hexLength)
        : terminator_(record)
        , valid_(detail::pduOctetsFromHex(hex, hexLength, octets_))
        , reader_(octets_.data, octets_.size)
    {
    }
    // false for text that is no PDU: odd, not hexadecimal, or too long.
    bool valid() const { return valid_; }
    PduReader &reader() { return reader_; }

private:
    PduRecordTerminator terminator_;
    PduOctets octets_;
    bool valid_;
    PduReader reader_;
};

// Who gets a "+" in front of the number: the DELIVER decoder only type 0x91, the others every
// number of the international type.
enum class InternationalPlus { ForType91Only, ForInternationalType };

int codingOfDcs(std::uint8_t dcs)
{
    const int group = dcs & 0xF0;
    if (group <= 0x70) {
        switch ((dcs >> 2) & 0x03) {
        case 1: return kCoding8bit;
        case 2: return kCodingUcs2;
        default: return kCoding7bit;
        }
    }
    if (group == 0xE0)
        return kCodingUcs2;
    if (group == 0xF0)
        return (dcs & 0x04) ? kCoding8bit : kCoding7bit;
    return kCoding7bit;
}

// The general data-coding groups with their class bit (0x10, 0x30, 0x50, 0x70) and group 0xF0.
std::uint32_t messageClassOfDcs(std::uint8_t dcs)
{
    const int group = dcs & 0xF0;
    if ((group <= 0x70 && (group & 0x10)) || group == 0xF0)
        return dcs & 0x03;
    return kNoMessageClass;
}

bool isActiveVoicemailIndication(std::uint8_t dcs)
{
    return dcs == 0xC8 || dcs == 0xD8 || dcs == 0xE8;
}

// UTF-16 units as UTF-8, whole characters only, at most maxBytes, then a zero.
void utf8Bounded(const std::uint16_t *units, int count, char *out, int maxBytes)
{
    int used = 0;
    for (int i = 0; i < count; ++i) {
        const unsigned c = units[i];
        char bytes[3];
        int n = 0;
        if (c < 0x80) {
            bytes[n++] = static_cast<char>(c);
        } else if (c < 0x800) {
            bytes[n++] = static_cast<char>(0xC0 | (c >> 6));
            bytes[n++] = static_cast<char>(0x80 | (c & 0x3F));
        } else {
            bytes[n++] = static_cast<char>(0xE0 | (c >> 12));
            bytes[n++] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            bytes[n++] = static_cast<char>(0x80 | (c & 0x3F));
        }
        if (used + n > maxBytes)
            break;
        std::memcpy(out + used, bytes, static_cast<std::size_t>(n));
        used += n;
    }
    out[used] = '\0';
}

// An alphanumeric address: digitCount semi-octets hold digitCount x 4 / 7 septets; a zero septet at
// the end is the padding of a name whose bits end inside the last octet.
void decodeAlphanumericAddress(const SmsCodecOptions &options, const std::uint8_t *octets, int octetCount,
                               int digitCount, char *out)
{
    constexpr int kMaxSeptets = 255 * 4 / 7;
    std::uint8_t septets[kMaxSeptets];
    int count = digitCount * 4 / 7;
    for (int i = 0; i < count; ++i)
        septets[i] = get7bitChar(octets, octetCount, 7 * i);
    if (count > 0 && septets[count - 1] == 0)
        --count;
    if (options.decodePduDoNotUseSms7toUcs2) {
        const int kept = std::min(count, kMaxNumberChars);
        std::memcpy(out, septets, static_cast<std::size_t>(kept));
        out[kept] = '\0';
        return;
    }
    std::uint16_t units[kMaxSeptets];
    const int unitCount = SMS7toUcs2(options, units, kMaxSeptets, septets, count);
    utf8Bounded(units, std::max(unitCount, 0), out, kMaxNumberChars);
}

bool readAddress(PduReader &reader, const SmsCodecOptions &options, InternationalPlus plusRule, char *out)
{
    std::uint8_t digitCount = 0;
    std::uint8_t type = 0;
    if (!reader.octet(digitCount) || !reader.octet(type))
        return false;
    const int octetCount = (digitCount + 1) / 2;
    const std::uint8_t *octets = reader.octets(octetCount);
    if (!octets)
        return false;
    if ((type & 0x50) == 0x50) {
        decodeAlphanumericAddress(options, octets, octetCount, digitCount, out);
        return true;
    }
    // The digits (semi-octets can hold no "+"), behind a "+" for an international number; 32
    // characters at most in all.
    const bool plus = plusRule == InternationalPlus::ForType91Only ? type == 0x91 : (type & 0x70) == 0x10;
    if (plus)
        out[0] = '+';
    detail::semiOctetDigits(octets, octetCount, out + (plus ? 1 : 0), kMaxNumberChars - (plus ? 1 : 0));
    return true;
}

bool readServiceCentre(PduReader &reader, char *out)
{
    out[0] = '\0';
    std::uint8_t length = 0;
    if (!reader.octet(length))
        return false;
    if (length == 0)
        return true;
    const std::uint8_t *octets = reader.octets(length);
    if (!octets)
        return false;
    detail::semiOctetDigits(octets + 1, length - 1, out, kMaxNumberChars);
    return true;
}

// The 14 characters of a time stamp as they stand in the PDU.
bool readTimeText(PduReader &reader, char *out)
{
    const std::uint8_t *octets = reader.octets(7);
    if (!octets)
        return false;
    detail::octetsAsText(octets, 7, out);
    return true;
}

// The elements of a user-data header (header points at its length octet; headerOctets counts it
// too): the first concatenation element and the national locking shift, wherever they stand.
// false, with nothing written, when an element runs past the header.
bool readHeaderElements(const std::uint8_t *header, int headerOctets, SmsPduRecord *record, bool setNational)
{
    int firstId = -1;
    int concatId = -1;
    std::uint8_t reference = 0, total = 0, sequence = 0;
    std::uint16_t reference16 = 0;
    int language = 0;
    for (int pos = 1; pos < headerOctets;) {
        if (headerOctets - pos < 2)
            return false;
        const std::uint8_t id = header[pos];
        const int length = header[pos + 1];
        const std::uint8_t *value = header + pos + 2;
        if (length > headerOctets - pos - 2)
            return false;
        if (firstId < 0)
            firstId = id;
        if (concatId < 0 && id == 0x00 && length >= 3) {
            concatId = id;
            reference = value[0];
            total = value[1];
            sequence = value[2];
        } else if (concatId < 0 && id == 0x08 && length >= 4) {
            concatId = id;
            reference16 = static_cast<std::uint16_t>(value[0] << 8 | value[1]);
            total = value[2];
            sequence = value[3];
        }
        if (id == 0x25 && language == 0)
            language = (length >= 1 && value[0] >= 1 && value[0] <= 3) ? value[0] : 1;
        pos += 2 + length;
    }
    if (!record)
        return true;
    record->elementId = static_cast<std::uint8_t>(concatId >= 0 ? concatId : std::max(firstId, 0));
    if (concatId == 0x00)
        record->reference = reference;
    if (concatId == 0x08)
        record->reference16 = reference16;
    if (concatId >= 0) {
        record->total = total;
        record->sequence = sequence;
    }
    if (setNational)
        record->nationalLanguage = static_cast<std::uint8_t>(language);
    return true;
}

// What 7-bit user data of more than 160 septets gives: no text, or its first 160 septets.
enum class LongSeptetText { None, CutTo160 };

// 7-bit user data (ud: the octets behind the length octet): the septets behind the header and its
// fill bits into out, zero-terminated. The count, -1 when refused.
int decodeSeptetUserData(const std::uint8_t *ud, int available, int udl, bool header, std::uint8_t *out, int outSize,
                         SmsPduRecord *record, LongSeptetText longText = LongSeptetText::None)
{
    const int octets = (udl * 7 + 7) / 8;
    if (octets > available)
        return -1;
    if (udl > kMaxTextSeptets && longText == LongSeptetText::None)
        return 0;
    int headerSeptets = 0;
    if (header) {
        if (udl == 0)
            return -1;
        const int headerOctets = ud[0] + 1;
        headerSeptets = (headerOctets * 8 + 6) / 7;
        if (headerSeptets > udl || !readHeaderElements(ud, headerOctets, record, true))
            return -1;
    }
    const int count = std::min(udl - headerSeptets, kMaxTextSeptets);
    if (count >= outSize)
        return -1;
    for (int i = 0; i < count; ++i)
        out[i] = get7bitChar(ud, octets, 7 * (headerSeptets + i));
    out[count] = 0;
    return count;
}

// 8-bit or UCS-2 user data: the octets behind the header, at most 140. false when refused.
bool locateOctetText(const std::uint8_t *ud, int available, int udl, bool header, SmsPduRecord *record,
                     const std::uint8_t *&text, int &length)
{
    if (udl > available)
        return false;
    int headerOctets = 0;
    if (header) {
        if (udl == 0)
            return false;
        headerOctets = ud[0] + 1;
        if (headerOctets > udl || !readHeaderElements(ud, headerOctets, record, false))
            return false;
    }
    text = ud + headerOctets;
    length = std::min(udl - headerOctets, kMaxTextOctets);
    return true;
}

// 8-bit text as it is, UCS-2 as host-order UTF-16, each followed by a zero.
int storeOctetText(int coding, const std::uint8_t *text, int length, SmsPduRecord &record)
{
    if (coding == kCodingUcs2) {
        length &= ~1;
        DecodeUcs2(text, record.userData, length, sizeof record.userData);
        record.userData[length] = 0;
        record.userData[length + 1] = 0;
        return length;
    }
    Decode8bit(text, record.userData, length, sizeof record.userData);
    record.userData[length] = 0;
    return length;
}

// The text of a DELIVER or SUBMIT by its coding: septet values for 7-bit, octets otherwise.
int decodeUserDataText(int coding, PduReader &reader, int udl, SmsPduRecord &record)
{
    const bool header = record.headerPresent != 0;
    if (coding == kCoding7bit) {
        return decodeSeptetUserData(reader.rest(), reader.remaining(), udl, header, record.userData,
                                    sizeof record.userData, &record);
    }
    const std::uint8_t *text = nullptr;
    int length = 0;
    if (!locateOctetText(reader.rest(), reader.remaining(), udl, header, &record, text, length))
        return -1;
    return storeOctetText(coding, text, length, record);
}

// What the SUBMIT and class-0 decoders both write, cleared before they decode.
void clearMessageFields(SmsPduRecord &record)
{
    std::memset(record.address, 0, sizeof record.address);
    std::memset(record.userData, 0, sizeof record.userData);
    record.pid = 0;
    record.dcs = 0;
    record.headerPresent = 0;
    record.elementId = 0;
    record.reference = 0;
    record.total = 0;
    record.sequence = 0;
    record.reference16 = 0;
    record.nationalLanguage = 0;
}

struct DeliverHead {
    std::uint8_t dcs = 0;
    std::uint8_t udl = 0;
};

// From the first octet to the user-data length, as an SMS-DELIVER has them.
bool readDeliverHead(PduReader &reader, const SmsCodecOptions &options, InternationalPlus plusRule,
                     SmsPduRecord &record, DeliverHead &head)
{
    std::uint8_t first = 0;
    if (!reader.octet(first))
        return false;
    record.headerPresent = (first & 0x40) ? 1 : 0;
    return readAddress(reader, options, plusRule, record.address) && reader.octet(record.pid)
        && reader.octet(head.dcs) && readTimeText(reader, record.timeStamp) && reader.octet(head.udl);
}

} // namespace

int DecodePdu_Delivery(const SmsCodecOptions &options, const char *hex, int hexLength, SmsPduRecord *record)
{
    if (!hex || !record)
        return -1;
    std::memset(record, 0, sizeof *record);
    PduBeingDecoded pdu(record, hex, hexLength);
    PduReader &reader = pdu.reader();
    DeliverHead head;
    if (!pdu.valid())
        return -1;
    if (!readServiceCentre(reader, record->serviceCentre)
        || !readDeliverHead(reader, options, InternationalPlus::ForType91Only, *record, head))
        return -1;
    const int coding = codingOfDcs(head.dcs);
    record->messageClass = messageClassOfDcs(head.dcs);
    record->dcs = static_cast<std::uint8_t>(
        options.autoDeleteVoicemail && isActiveVoicemailIndication(head.dcs) ? head.dcs : coding);
    if (coding == kCoding8bit && record->messageClass == 2) {
        const std::uint8_t *text = nullptr;
        int length = 0;
        const bool header = record->headerPresent != 0;
        return locateOctetText(reader.rest(), reader.remaining(), head.udl, header, record, text, length) ? 0 : -1;
    }
    return decodeUserDataText(coding, reader, head.udl, *record);
}

int DecodePdu_Submit(const SmsCodecOptions &options, const char *hex, int hexLength, SmsPduRecord *record)
{
    if (!hex || !record)
        return -1;
    clearMessageFields(*record);
    std::memset(record->serviceCentre, 0, sizeof record->serviceCentre);
    PduBeingDecoded pdu(record, hex, hexLength);
    PduReader &reader = pdu.reader();
    if (!pdu.valid())
        return -1;
    std::uint8_t first = 0, protocol = 0, dcs = 0, udl = 0;
    if (!readServiceCentre(reader, record->serviceCentre) || !reader.octet(first))
        return -1;
    record->headerPresent = (first & 0x40) ? 1 : 0;
    if (!reader.octet(record->pid)
        || !readAddress(reader, options, InternationalPlus::ForInternationalType, record->address)
        || !reader.octet(protocol) || !reader.octet(dcs))
        return -1;
    // Validity period: one octet in the relative format, seven in the enhanced and absolute ones.
    const int validityFormat = first & 0x18;
    const int validityOctets = validityFormat == 0 ? 0 : validityFormat == 0x10 ? 1 : 7;
    if (!reader.skip(validityOctets) || !reader.octet(udl))
        return -1;
    record->dcs = dcs;
    return decodeUserDataText(codingOfDcs(dcs), reader, udl, *record);
}

int Decode_Class0_PDU(const SmsCodecOptions &options, const char *hex, int hexLength, SmsPduRecord *record)
{
    if (!hex || !record)
        return -1;
    clearMessageFields(*record);
    std::memset(record->timeStamp, 0, sizeof record->timeStamp);
    PduBeingDecoded pdu(record, hex, hexLength);
    PduReader &reader = pdu.reader();
    DeliverHead head;
    if (!pdu.valid() || !readDeliverHead(reader, options, InternationalPlus::ForInternationalType, *record, head))
        return -1;
    const int coding = codingOfDcs(head.dcs);
    record->dcs = static_cast<std::uint8_t>(coding);
    if (coding != kCoding7bit)
        return decodeUserDataText(coding, reader, head.udl, *record);
    // 7-bit text is cut to 160 septets.
    if (!record->headerPresent) {
        return decodeSeptetUserData(reader.rest(), reader.remaining(), head.udl, false, record->userData,
                                    sizeof record->userData, record, LongSeptetText::CutTo160);
    }

    // 7-bit text behind a header is handed on as UTF-16.
    std::uint8_t septets[kMaxTextSeptets + 1];
    const int count = decodeSeptetUserData(reader.rest(), reader.remaining(), head.udl, true, septets,
                                           sizeof septets, record, LongSeptetText::CutTo160);
    if (count <= 0)
        return count;
    std::uint16_t units[kMaxTextSeptets];
    const int converted = SMS7toUcs2(options, units, kMaxTextSeptets, septets, count);
    const int kept = std::clamp(converted, 0, kClass0HeaderTextUnits);
    std::memcpy(record->userData, units, sizeof(std::uint16_t) * static_cast<std::size_t>(kept));
    if (kept < kClass0HeaderTextUnits) {
        const std::uint16_t zero = 0;
        std::memcpy(record->userData + 2 * kept, &zero, sizeof zero);
    }
    return kept;
}

int STATUS_REPORT_PDU(const SmsCodecOptions &options, const char *hex, int hexLength, SmsPduRecord *record)
{
    if (!record)
        return 1;
    if (!hex)
        return 0;
    std::memset(record->serviceCentre, 0, sizeof record->serviceCentre);
    std::memset(record->address, 0, sizeof record->address);
    std::memset(record->timeStamp, 0, sizeof record->timeStamp);
    std::memset(record->dischargeTime, 0, sizeof record->dischargeTime);
    record->moreMessages = 0;
    record->status = 0;
    PduBeingDecoded pdu(record, hex, hexLength);
    PduReader &reader = pdu.reader();
    std::uint8_t first = 0;
    if (!pdu.valid() || !readServiceCentre(reader, record->serviceCentre) || !reader.octet(first))
        return -1;
    record->moreMessages = first & 0x04;
    if (!reader.skip(1) || !readAddress(reader, options, InternationalPlus::ForInternationalType, record->address)
        || !readTimeText(reader, record->timeStamp) || !readTimeText(reader, record->dischargeTime)
        || !reader.octet(record->status))
        return -1;
    return 1;
}

int Decode_BroadCast_PDU(const SmsCodecOptions &, const char *hex, int hexLength, SmsPduRecord *record)
{
    if (!hex || !record)
        return -1;
    std::memset(record->address, 0, sizeof record->address);
    std::memset(record->userData, 0, sizeof record->userData);
    PduBeingDecoded pdu(record, hex, hexLength);
    PduReader &reader = pdu.reader();
    const std::uint8_t *identifier = nullptr;
    if (!pdu.valid() || !reader.skip(2) || !(identifier = reader.octets(2)) || !reader.skip(2))
        return -1;
    std::snprintf(record->address, sizeof record->address, "%d", identifier[0] << 8 | identifier[1]);
    // The content is 7-bit whatever the DCS says; zero septets inside it are "@", those at its end
    // are the fill of the page.
    int count = std::min(reader.remaining() * 8 / 7, kMaxTextSeptets);
    for (int i = 0; i < count; ++i)
        record->userData[i] = get7bitChar(reader.rest(), reader.remaining(), 7 * i);
    while (count > 0 && record->userData[count - 1] == 0)
        --count;
    record->userData[count] = 0;
    return count;
}

int dc7BitHexStr2Str(const char *hex, int hexLength, int headerFlag, std::uint8_t *out, int outSize,
                     SmsPduRecord *record)
{
    if (!hex || !out)
        return -1;
    PduBeingDecoded userData(record, hex, hexLength);
    PduReader &reader = userData.reader();
    std::uint8_t length = 0;
    if (!userData.valid() || !reader.octet(length))
        return -1;
    return decodeSeptetUserData(reader.rest(), reader.remaining(), length, headerFlag != 0, out, outSize, record);
}

} // namespace yov::sms
