#include "common/sms/PduOctets.h"

#include "common/sms/HexText.h"

#include <cstring>

namespace yov::sms::detail {

bool pduOctetsFromHex(const char *hex, int hexLength, PduOctets &out)
{
    out.size = 0;
    if (!hex || hexLength < 0 || hexLength % 2 != 0 || hexLength / 2 > kMaxPduOctets)
        return false;
    const int converted = String2Bytes(hex, out.data, hexLength, kMaxPduOctets);
    if (converted < 0)
        return false;
    out.size = converted;
    return true;
}

int PduBuilder::writeHex(char *out, int outSize) const
{
    if (failed_)
        return -1;
    return Bytes2String(data_, out, size_, outSize);
}

void semiOctetDigits(const std::uint8_t *octets, int count, char *out, int maxChars)
{
    int chars = 2 * count;
    if (chars > 0 && (octets[count - 1] >> 4) == 0x0F)
        --chars;
    if (chars > maxChars)
        chars = maxChars;
    for (int i = 0; i < chars; ++i) {
        const std::uint8_t octet = octets[i / 2];
        out[i] = kUpperHexDigits[i % 2 == 0 ? octet & 0x0F : octet >> 4];
    }
    out[chars] = '\0';
}

void octetsAsText(const std::uint8_t *octets, int count, char *out)
{
    int chars = 2 * count;
    for (int i = 0; i < chars; ++i) {
        const std::uint8_t octet = octets[i / 2];
        out[i] = kUpperHexDigits[i % 2 == 0 ? octet >> 4 : octet & 0x0F];
    }
    if (chars > 0 && out[chars - 1] == 'F')
        --chars;
    out[chars] = '\0';
}

namespace {
int semiOctetValue(char c)
{
    if (c == '*')
        return 0x0A;
    if (c == '#')
        return 0x0B;
    return hexDigitValue(c);
}
} // namespace

bool putSemiOctetDigits(PduBuilder &builder, const char *digits, int count)
{
    for (int i = 0; i < count; i += 2) {
        const int low = semiOctetValue(digits[i]);
        const int high = i + 1 < count ? semiOctetValue(digits[i + 1]) : 0x0F;
        if (low < 0 || high < 0)
            return false;
        builder.put(static_cast<std::uint8_t>(high << 4 | low));
    }
    return true;
}

int fieldLength(const char *field, int width)
{
    const void *zero = std::memchr(field, 0, static_cast<std::size_t>(width));
    return zero ? static_cast<int>(static_cast<const char *>(zero) - field) : width;
}

void terminateTextFields(SmsPduRecord &record)
{
    record.serviceCentre[sizeof record.serviceCentre - 1] = '\0';
    record.address[sizeof record.address - 1] = '\0';
    record.timeStamp[sizeof record.timeStamp - 1] = '\0';
    record.userData[sizeof record.userData - 1] = 0;
    record.dischargeTime[sizeof record.dischargeTime - 1] = '\0';
}

} // namespace yov::sms::detail
