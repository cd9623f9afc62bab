#include "common/sms/SeptetPacking.h"

#include <algorithm>

namespace yov::sms {

int Encode7bit(const std::uint8_t *septets, std::uint8_t *out, int count, int outSize)
{
    if (!septets || !out || count < 1)
        return -1;
    const int octets = count - (count + 7) / 8;
    if (outSize < octets)
        return -1;
    std::fill(out, out + octets, std::uint8_t(0));
    packSeptetsAtBit(septets, count, 0, out, octets);
    return octets;
}

void packSeptetsAtBit(const std::uint8_t *septets, int count, int firstBit, std::uint8_t *out, int outOctets)
{
    for (int i = 0; i < count; ++i) {
        const int bit = firstBit + 7 * i;
        const int index = bit / 8;
        const int shift = bit % 8;
        const unsigned septet = septets[i] & 0x7Fu;
        if (index < outOctets)
            out[index] |= static_cast<std::uint8_t>(septet << shift);
        if (shift > 1 && index + 1 < outOctets)
            out[index + 1] |= static_cast<std::uint8_t>(septet >> (8 - shift));
    }
}

int Decode7bit(const std::uint8_t *octets, std::uint8_t *out, int count, int outSize)
{
    if (!octets || !out || count < 0)
        return -1;
    const int septets = count + count / 7;
    if (outSize <= septets)
        return -1;
    int written = 0;
    unsigned carry = 0;
    int shift = 0;
    for (int i = 0; i < count; ++i) {
        const unsigned octet = octets[i];
        out[written++] = static_cast<std::uint8_t>(((octet << shift) | carry) & 0x7F);
        carry = octet >> (7 - shift);
        if (++shift == 7) {
            out[written++] = static_cast<std::uint8_t>(carry);
            carry = 0;
            shift = 0;
        }
    }
    out[written] = 0;
    return written;
}

std::uint8_t get7bitChar(const std::uint8_t *octets, int count, int bit)
{
    if (!octets || bit < 0)
        return 0;
    const int index = bit / 8;
    const int shift = bit % 8;
    const unsigned low = index < count ? octets[index] : 0u;
    const unsigned high = index + 1 < count ? octets[index + 1] : 0u;
    return static_cast<std::uint8_t>(((low >> shift) | (high << (8 - shift))) & 0x7F);
}

} // namespace yov::sms
