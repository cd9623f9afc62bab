#include "common/sms/HexText.h"

namespace yov::sms {

int String2Bytes(const char *hex, std::uint8_t *out, int count, int outSize)
{
    if (!hex || !out || count < 0 || outSize < count / 2)
        return -1;
    const int bytes = count / 2;
    for (int i = 0; i < bytes; ++i) {
        const int high = hexDigitValue(hex[2 * i]);
        const int low = hexDigitValue(hex[2 * i + 1]);
        if (high < 0 || low < 0)
            return -1;
        out[i] = static_cast<std::uint8_t>(high << 4 | low);
    }
    return bytes;
}

int Bytes2String(const std::uint8_t *bytes, char *out, int count, int outSize)
{
    if (!bytes || !out || count < 0 || outSize <= 0 || count > (outSize - 1) / 2)
        return -1;
    for (int i = 0; i < count; ++i) {
        out[2 * i] = kUpperHexDigits[bytes[i] >> 4];
        out[2 * i + 1] = kUpperHexDigits[bytes[i] & 0x0F];
    }
    out[2 * count] = '\0';
    return 2 * count;
}

int ASCtoHex(std::uint8_t *out, int outSize, const char *hex, int count)
{
    if (!out || !hex || count < 0 || outSize <= 0 || outSize < count / 2 + 1)
        return -1;
    for (int i = 0; i < count; ++i) {
        const int value = hexDigitValue(hex[i]);
        if (value < 0)
            return -1;
        out[i / 2] |= static_cast<std::uint8_t>(i % 2 == 0 ? value << 4 : value);
    }
    return 0;
}

int HextoASC(char *out, int outSize, const std::uint8_t *bytes, int count)
{
    if (!out || !bytes || count < 0 || outSize <= 0 || count > outSize - 1)
        return -1;
    for (int i = 0; i < count; ++i) {
        const std::uint8_t byte = bytes[i / 2];
        out[i] = kUpperHexDigits[i % 2 == 0 ? byte >> 4 : byte & 0x0F];
    }
    return 0;
}

int Ucs2ToAsc(char *out, int outSize, const std::uint16_t *, int count)
{
    if (out && count >= 0 && 2LL * count < outSize)
        out[2 * count] = '\0';
    return -1;
}

} // namespace yov::sms
