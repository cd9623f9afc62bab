// The PDU encoders and the time-stamp conversion. The user data is taken from the record only as
// far as userData holds it, and a PDU is written only when it fits the output whole.

#include "common/sms/PduCodec.h"

#include "common/sms/HexText.h"
#include "common/sms/PduOctets.h"
#include "common/sms/SeptetPacking.h"

#include <algorithm>
#include <cstring>

namespace yov::sms {

namespace {

using detail::PduBuilder;

constexpr int kMaxUserDataSeptets = 160;
constexpr int kMaxUserDataOctets = 140;
constexpr int kConcatHeaderOctets = 6;
constexpr int kUserDataSize = sizeof(SmsPduRecord::userData);

enum class UserDataUnits { Septets, Ucs2, Octets };

// The user data of one part: an optional header and the data behind it.
struct UserDataLayout {
    const std::uint8_t *header = nullptr;
    int headerOctets = 0;
    const std::uint8_t *data = nullptr;
    int units = 0; // septets, characters or octets
    UserDataUnits kind = UserDataUnits::Octets;
};

// Whether units of unitSize bytes, from offset on, stay inside userData.
bool userDataHolds(int offset, int units, int unitSize)
{
    return units >= 0 && offset + units * unitSize <= kUserDataSize;
}

// Writes the length octet and the user data. 7-bit data starts at the septet boundary after the
// header, and the length then counts header and data septets. false for a part over 160 septets or
// 140 octets.
bool putUserData(PduBuilder &builder, const UserDataLayout &layout)
{
    if (layout.kind == UserDataUnits::Septets) {
        const int headerSeptets = (layout.headerOctets * 8 + 6) / 7;
        const int length = headerSeptets + layout.units;
        if (length > kMaxUserDataSeptets)
            return false;
        std::uint8_t packed[kMaxUserDataOctets] = {};
        const int octets = (length * 7 + 7) / 8;
        if (layout.headerOctets > 0)
            std::memcpy(packed, layout.header, static_cast<std::size_t>(layout.headerOctets));
        packSeptetsAtBit(layout.data, layout.units, headerSeptets * 7, packed, octets);
        builder.put(static_cast<std::uint8_t>(length));
        builder.put(packed, octets);
        return true;
    }
    const int dataOctets = layout.kind == UserDataUnits::Ucs2 ? 2 * layout.units : layout.units;
    const int length = layout.headerOctets + dataOctets;
    if (length > kMaxUserDataOctets)
        return false;
    builder.put(static_cast<std::uint8_t>(length));
    if (layout.headerOctets > 0)
        builder.put(layout.header, layout.headerOctets);
    if (layout.kind == UserDataUnits::Ucs2) {
        std::uint8_t bigEndian[kMaxUserDataOctets];
        EncodeUcs2(layout.data, bigEndian, dataOctets, sizeof bigEndian);
        builder.put(bigEndian, dataOctets);
    } else {
        builder.put(layout.data, dataOctets);
    }
    return true;
}

UserDataUnits unitsOfDcs(std::uint8_t dcs)
{
    return dcs == 0 ? UserDataUnits::Septets : dcs == 8 ? UserDataUnits::Ucs2 : UserDataUnits::Octets;
}

// The concatenation header as userData holds it, written with element id 0.
void concatHeaderOf(const SmsPduRecord &record, std::uint8_t (&header)[kConcatHeaderOctets])
{
    std::memcpy(header, record.userData, kConcatHeaderOctets);
    header[1] = 0x00;
}

// The layout of a part with a concatenation header whose data starts in userData at dataOffset for
// septets and octets, at dataOffset + 2 for characters (behind an unused 16-bit word).
bool headedLayout(const SmsPduRecord &record, const std::uint8_t *header, int units, UserDataLayout &layout)
{
    layout.kind = unitsOfDcs(record.dcs);
    layout.header = header;
    layout.headerOctets = kConcatHeaderOctets;
    const int offset = layout.kind == UserDataUnits::Ucs2 ? kConcatHeaderOctets + 2 : kConcatHeaderOctets;
    const int unitSize = layout.kind == UserDataUnits::Ucs2 ? 2 : 1;
    if (!userDataHolds(offset, units, unitSize))
        return false;
    layout.data = record.userData + offset;
    layout.units = units;
    return true;
}

enum class CentrePrefix { None, Plus, DoubleZero };

// The service-centre number of the record: its digits without a leading "+" (and, when asked,
// without a leading "00"), and which prefix it had.
struct ServiceCentreNumber {
    const char *digits;
    int count;
    CentrePrefix prefix;
};

ServiceCentreNumber serviceCentreOf(const SmsPduRecord &r, bool dropDoubleZero)
{
    ServiceCentreNumber centre{r.serviceCentre, detail::fieldLength(r.serviceCentre, sizeof r.serviceCentre),
                               CentrePrefix::None};
    if (centre.count > 0 && centre.digits[0] == '+') {
        centre = {centre.digits + 1, centre.count - 1, CentrePrefix::Plus};
    } else if (dropDoubleZero && centre.count >= 2 && centre.digits[0] == '0' && centre.digits[1] == '0') {
        centre = {centre.digits + 2, centre.count - 2, CentrePrefix::DoubleZero};
    }
    return centre;
}

// The service-centre part: "00" when there is no number, else its length in octets (type octet
// included), the type and the digits.
bool putServiceCentre(PduBuilder &builder, const char *digits, int count, std::uint8_t type)
{
    if (count == 0 && type == 0) {
        builder.put(0x00);
        return true;
    }
    builder.put(static_cast<std::uint8_t>((count + 1) / 2 + 1));
    builder.put(type);
    return detail::putSemiOctetDigits(builder, digits, count);
}

// A destination or originator: the digit count, 0x91 with a leading "+" (left out), else 0x81.
bool putAddress(PduBuilder &builder, const char *field, int width)
{
    int count = detail::fieldLength(field, width);
    const bool international = count > 0 && field[0] == '+';
    if (international) {
        ++field;
        --count;
    }
    builder.put(static_cast<std::uint8_t>(count));
    builder.put(international ? 0x91 : 0x81);
    return detail::putSemiOctetDigits(builder, field, count);
}

} // namespace

int EncodePdu_Submit(const SmsCodecOptions &options, const SmsPduRecord *record, char *out, int outSize)
{
    if (!record || !out)
        return -1;
    const SmsPduRecord &r = *record;
    PduBuilder builder;

    // A centre given with "00" or "+" is sent without it as an international number ("00" as an
    // unknown one with the switch); any other as an unknown one.
    const ServiceCentreNumber centre = serviceCentreOf(r, true);
    std::uint8_t centreType = centre.count > 0 || centre.prefix != CentrePrefix::None ? 0x81 : 0;
    if (centre.prefix == CentrePrefix::Plus)
        centreType = 0x91;
    else if (centre.prefix == CentrePrefix::DoubleZero)
        centreType = options.setMsgCenterWithUnknownNum ? 0x81 : 0x91;
    if (!putServiceCentre(builder, centre.digits, centre.count, centreType))
        return -1;

    // A 7-bit part with a header and a national language: userData starts with the whole header to
    // send (4 or 9 octets). Without the header flag the language is not looked at.
    const bool header = r.headerPresent == 1;
    const bool national = header && r.dcs == 0 && r.nationalLanguage >= 1 && r.nationalLanguage <= 3;
    builder.put(static_cast<std::uint8_t>(0x11 | (r.reportRequest == 1 ? 0x20 : 0) | (header ? 0x40 : 0)));
    builder.put(0x00);
    if (!putAddress(builder, r.address, sizeof r.address))
        return -1;
    builder.put(r.pid);
    builder.put(r.dcs);
    builder.put(r.validity);

    UserDataLayout layout;
    std::uint8_t concatHeader[kConcatHeaderOctets];
    if (national) {
        const int headerOctets = r.userData[0] + 1;
        if ((headerOctets != 4 && headerOctets != 9) || !userDataHolds(headerOctets, r.dataLength, 1))
            return -1;
        layout = {r.userData, headerOctets, r.userData + headerOctets, r.dataLength, UserDataUnits::Septets};
    } else if (header) {
        concatHeaderOf(r, concatHeader);
        if (!headedLayout(r, concatHeader, r.dataLength, layout))
            return -1;
    } else if (r.dcs == 8) {
        std::uint16_t count = 0;
        std::memcpy(&count, r.userData, sizeof count);
        if (!userDataHolds(2, count, 2))
            return -1;
        layout = {nullptr, 0, r.userData + 2, count, UserDataUnits::Ucs2};
    } else {
        if (!userDataHolds(0, r.dataLength, 1))
            return -1;
        layout = {nullptr, 0, r.userData, r.dataLength, unitsOfDcs(r.dcs)};
    }
    if (!putUserData(builder, layout))
        return -1;
    return builder.writeHex(out, outSize);
}

int EncodePdu_Delivery(const SmsCodecOptions &, const SmsPduRecord *record, char *out, int outSize)
{
    if (!record || !out)
        return -1;
    const SmsPduRecord &r = *record;
    PduBuilder builder;

    // The centre is always an international number.
    const ServiceCentreNumber centre = serviceCentreOf(r, false);
    if (!putServiceCentre(builder, centre.digits, centre.count,
                          centre.count > 0 || centre.prefix != CentrePrefix::None ? 0x91 : 0))
        return -1;

    const bool header = r.headerPresent == 1;
    builder.put(header ? 0x44 : 0x04);
    if (!putAddress(builder, r.address, sizeof r.address))
        return -1;
    builder.put(r.pid);
    builder.put(r.dcs);

    // The time stamp's 14 characters, two to an octet, as they stand.
    if (detail::fieldLength(r.timeStamp, sizeof r.timeStamp) < 14)
        return -1;
    std::uint8_t time[7];
    if (String2Bytes(r.timeStamp, time, 14, sizeof time) != 7)
        return -1;
    builder.put(time, 7);

    UserDataLayout layout;
    std::uint8_t concatHeader[kConcatHeaderOctets];
    if (header) {
        // dataLength counts the header's 6 octets and the data units behind it.
        concatHeaderOf(r, concatHeader);
        if (r.dataLength < kConcatHeaderOctets
            || !headedLayout(r, concatHeader, r.dataLength - kConcatHeaderOctets, layout))
            return -1;
    } else {
        layout.kind = unitsOfDcs(r.dcs);
        const int offset = layout.kind == UserDataUnits::Ucs2 ? 2 : 0;
        if (!userDataHolds(offset, r.dataLength, layout.kind == UserDataUnits::Ucs2 ? 2 : 1))
            return -1;
        layout.data = r.userData + offset;
        layout.units = r.dataLength;
    }
    if (!putUserData(builder, layout))
        return -1;
    return builder.writeHex(out, outSize);
}

int EncodeTimeStrToPDUFormat(const char *text, int textLength, char *out, int outSize)
{
    if (!text || !out || textLength < 2 || outSize < 15)
        return -1;
    // The numbers from the third character on (the century left out): year, month, day, hour,
    // minute, second and the zone in quarter hours, apart by blanks, "-" or ":". A "-" before the
    // zone makes it negative.
    int numbers[7] = {};
    int found = 0;
    bool negativeZone = false;
    int i = 2;
    while (found < 7 && i < textLength) {
        bool minus = false;
        while (i < textLength && (text[i] == ' ' || text[i] == '-' || text[i] == ':')) {
            minus = minus || text[i] == '-';
            ++i;
        }
        int value = 0;
        int digits = 0;
        while (i < textLength && text[i] >= '0' && text[i] <= '9') {
            value = std::min(value * 10 + (text[i] - '0'), 1000);
            ++digits;
            ++i;
        }
        if (digits == 0)
            break;
        if (found == 6)
            negativeZone = minus;
        numbers[found++] = value;
    }
    if (found < 6)
        return -1;
    for (int n = 0; n < 7; ++n) {
        if (numbers[n] > 99)
            return -1;
    }
    if (negativeZone && numbers[6] > 79)
        return -1;
    for (int n = 0; n < 7; ++n) {
        // Semi-octet order: the units digit first.
        out[2 * n] = static_cast<char>('0' + numbers[n] % 10);
        out[2 * n + 1] = static_cast<char>('0' + numbers[n] / 10);
    }
    if (negativeZone)
        out[13] = kUpperHexDigits[(numbers[6] / 10) | 0x08];
    out[14] = '\0';
    return 14;
}

} // namespace yov::sms
