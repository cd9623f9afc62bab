// SIM alpha identifiers (3GPP TS 31.102): GSM codes, or UCS-2 in one of three forms.

#include "common/sms/PduCodec.h"

#include "common/sms/GsmAlphabet.h"
#include "common/sms/GsmAlphabetRules.h"
#include "common/sms/HexText.h"

namespace yov::sms {

namespace {

constexpr int kAlphaRefused = 0xFFFF;
constexpr int kMaxAlphaHexChars = 512;

// The 0x81 and 0x82 forms: a character count, a base, then one byte per character (0x80 and above:
// an offset from the base; below: a GSM code, an escape taking two bytes). A count that the input
// does not hold, or the output cannot take, is refused.
int decodeAlphaWithBase(const detail::AlphabetRules &rules, const std::uint8_t *alpha, int alphaLength, int pos,
                        int count, unsigned base, bool addOffset, std::uint16_t *out, int outSize)
{
    if (count > outSize)
        return kAlphaRefused;
    for (int written = 0; written < count; ++written) {
        if (pos >= alphaLength)
            return kAlphaRefused;
        const std::uint8_t byte = alpha[pos++];
        if (byte >= 0x80) {
            const unsigned offset = byte & 0x7Fu;
            out[written] = static_cast<std::uint16_t>(addOffset ? base + offset : (base | offset));
        } else if (byte != 0x1B) {
            out[written] = detail::decodePlainCode(byte);
        } else if (pos < alphaLength) {
            out[written] = detail::decodeEscapedCode(rules, alpha[pos++]);
        } else {
            out[written] = 0x001B;
        }
    }
    return count;
}

} // namespace

int utUcs2ToAlphaId(const std::uint16_t *text, int count, std::uint8_t *out, int outSize)
{
    if (!text || !out || count < 0)
        return kAlphaRefused;
    if (count == 0)
        return 0;
    if (outSize <= 0 || count > (outSize - 1) / 2)
        return kAlphaRefused;
    out[0] = 0x80;
    for (int i = 0; i < count; ++i) {
        out[1 + 2 * i] = static_cast<std::uint8_t>(text[i] >> 8);
        out[2 + 2 * i] = static_cast<std::uint8_t>(text[i] & 0xFF);
    }
    return 0;
}

int utAlphaIdToUcs2(const SmsCodecOptions &options, const std::uint8_t *alpha, int alphaLength, std::uint16_t *out,
                    int outSize)
{
    if (!alpha || !out || alphaLength <= 0 || outSize <= 0)
        return kAlphaRefused;
    const detail::AlphabetRules rules = detail::alphabetRules(options);
    switch (alpha[0]) {
    case 0x80: {
        const int count = (alphaLength - 1) / 2;
        if (count > outSize)
            return kAlphaRefused;
        for (int i = 0; i < count; ++i)
            out[i] = static_cast<std::uint16_t>(alpha[1 + 2 * i] << 8 | alpha[2 + 2 * i]);
        return count;
    }
    case 0x81:
        if (alphaLength < 3)
            return kAlphaRefused;
        return decodeAlphaWithBase(rules, alpha, alphaLength, 3, alpha[1], unsigned(alpha[2]) << 7, false, out,
                                   outSize);
    case 0x82:
        if (alphaLength < 4)
            return kAlphaRefused;
        return decodeAlphaWithBase(rules, alpha, alphaLength, 4, alpha[1], unsigned(alpha[2]) << 8 | alpha[3], true,
                                   out, outSize);
    default:
        break;
    }
    if (alpha[0] >= 0x80)
        return kAlphaRefused;
    const int count = SMS7toUcs2(options, out, outSize, alpha, alphaLength);
    return count < 0 ? kAlphaRefused : count;
}

int Usc2orGSM7toAscDecode(const SmsCodecOptions &options, const char *hex, int hexLength, std::uint16_t *out,
                          int outSize)
{
    if (!hex || !out || hexLength < 0 || hexLength >= kMaxAlphaHexChars || outSize < 1)
        return -1;
    std::uint8_t bytes[kMaxAlphaHexChars / 2];
    const int count = String2Bytes(hex, bytes, hexLength, sizeof bytes);
    if (count < 0)
        return -1;
    int characters = 0;
    if (count > 0 && bytes[0] >= 0x80 && bytes[0] <= 0x82) {
        characters = utAlphaIdToUcs2(options, bytes, count, out + 1, outSize - 1);
        if (characters == kAlphaRefused)
            return -1;
    } else if (count > 0) {
        characters = SMS7toUcs2(options, out + 1, outSize - 1, bytes, count);
        if (characters < 0)
            return -1;
    }
    out[0] = static_cast<std::uint16_t>(characters);
    return 0;
}

} // namespace yov::sms
