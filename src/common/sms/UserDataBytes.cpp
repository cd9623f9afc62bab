#include "common/sms/PduCodec.h"

#include <algorithm>
#include <cstring>

namespace yov::sms {

namespace {

bool copyArgumentsValid(const std::uint8_t *in, const std::uint8_t *out, int count, int outSize)
{
    return in && out && count >= 0 && count <= outSize;
}

} // namespace

int EncodeUcs2(const std::uint8_t *in, std::uint8_t *out, int count, int outSize)
{
    count &= ~1;
    if (!copyArgumentsValid(in, out, count, outSize))
        return -1;
    for (int i = 0; i < count; i += 2) {
        std::uint16_t unit;
        std::memcpy(&unit, in + i, sizeof unit);
        out[i] = static_cast<std::uint8_t>(unit >> 8);
        out[i + 1] = static_cast<std::uint8_t>(unit & 0xFF);
    }
    return count;
}

int DecodeUcs2(const std::uint8_t *in, std::uint8_t *out, int count, int outSize)
{
    count &= ~1;
    if (!copyArgumentsValid(in, out, count, outSize))
        return -1;
    for (int i = 0; i < count; i += 2) {
        const std::uint16_t unit = static_cast<std::uint16_t>(in[i] << 8 | in[i + 1]);
        std::memcpy(out + i, &unit, sizeof unit);
    }
    return count;
}

int Encode8bit(const std::uint8_t *in, std::uint8_t *out, int count, int outSize)
{
    if (!copyArgumentsValid(in, out, count, outSize))
        return -1;
    std::memmove(out, in, static_cast<std::size_t>(count));
    return count;
}

int Decode8bit(const std::uint8_t *in, std::uint8_t *out, int count, int outSize)
{
    return Encode8bit(in, out, count, outSize);
}

int findEndCusor(const std::uint8_t *bytes, int count)
{
    if (!bytes || count <= 0)
        return 0;
    const int searched = std::min(count, 180);
    int run = 0;
    for (int i = 0; i < searched; ++i) {
        run = bytes[i] == 0 ? run + 1 : 0;
        if (run == 8)
            return i - 7;
    }
    return searched;
}

} // namespace yov::sms
