#include "common/sms/GsmAlphabet.h"

#include "common/sms/GsmAlphabetRules.h"
#include "common/sms/GsmAlphabetTables.h"
#include "common/util/KLog.h"

#include <algorithm>

namespace yov::sms {

namespace {

const QString kSpanishSingle = QStringLiteral("SpanishSingle");
const QString kTurkishSingle = QStringLiteral("TurkishSingle");
const QString kPortugueseSingle = QStringLiteral("PortugueseSingle");

constexpr int kNoCode = -1;

template <std::size_t N>
constexpr int singleShiftCodeOf(const std::array<SingleShiftPair, N> &table, std::uint16_t character)
{
    for (const SingleShiftPair &pair : table) {
        if (pair.character == character)
            return pair.code;
    }
    return kNoCode;
}

template <std::size_t N>
constexpr int singleShiftCharacterOf(const std::array<SingleShiftPair, N> &table, std::uint8_t code)
{
    for (const SingleShiftPair &pair : table) {
        if (pair.code == code)
            return pair.character;
    }
    return kNoCode;
}

// The code of each character below U+0100 in a single-shift table (the first pair that holds it),
// looked up once here instead of searching the table for every character of a text.
template <std::size_t N>
constexpr std::array<std::int16_t, 256> singleShiftCodesBelow0100(const std::array<SingleShiftPair, N> &table)
{
    std::array<std::int16_t, 256> codes{};
    for (int c = 0; c < 256; ++c)
        codes[c] = static_cast<std::int16_t>(singleShiftCodeOf(table, static_cast<std::uint16_t>(c)));
    return codes;
}

constexpr auto kSpanishCodes = singleShiftCodesBelow0100(SpanishSigleTable);
constexpr auto kPortugueseCodes = singleShiftCodesBelow0100(PotugueseSigleTable);

bool inSpanishOrPortugueseTable(std::uint16_t character)
{
    if (character < 256)
        return kSpanishCodes[character] != kNoCode || kPortugueseCodes[character] != kNoCode;
    return singleShiftCodeOf(SpanishSigleTable, character) != kNoCode
        || singleShiftCodeOf(PotugueseSigleTable, character) != kNoCode;
}

bool forcedToUcs2(const detail::AlphabetRules &rules, std::uint16_t character)
{
    return rules.needUcs2ForSingleCharacter && inSpanishOrPortugueseTable(character);
}

// Characters below U+0100 that are always sent escaped.
int fixedEscapeCodeBelow0100(std::uint16_t character)
{
    switch (character) {
    case 0x000C: return 0x0A;
    case 0x005B: return 0x3C;
    case 0x005C: return 0x2F;
    case 0x005D: return 0x3E;
    case 0x005E: return 0x14;
    case 0x007B: return 0x28;
    case 0x007C: return 0x40;
    case 0x007D: return 0x29;
    case 0x007E: return 0x3D;
    case 0x00A4: return 0x65;
    default: return kNoCode;
    }
}

// Characters above U+00FF that 7-bit carries: the Greek capitals of the default alphabet with small
// psi and theta, the Turkish letters (always escaped) and the euro sign.
struct WideCharacterCode {
    std::uint16_t character;
    std::uint8_t code;
    bool escaped;
};
constexpr WideCharacterCode kWideCharacterCodes[] = {
    {0x0394, 0x10, false}, {0x03A6, 0x12, false}, {0x0393, 0x13, false}, {0x039B, 0x14, false},
    {0x03A9, 0x15, false}, {0x03A0, 0x16, false}, {0x03C8, 0x17, false}, {0x03A3, 0x18, false},
    {0x03B8, 0x19, false}, {0x039E, 0x1A, false},
    {0x011E, 0x47, true}, {0x011F, 0x67, true}, {0x0130, 0x49, true}, {0x0131, 0x69, true},
    {0x015E, 0x53, true}, {0x015F, 0x73, true}, {0x20AC, 0x65, true},
};

const WideCharacterCode *wideCharacterCode(std::uint16_t character)
{
    for (const WideCharacterCode &entry : kWideCharacterCodes) {
        if (entry.character == character)
            return &entry;
    }
    return nullptr;
}

// The escaped codes whose character is fixed before any national table is searched.
int fixedEscapedCharacter(const detail::AlphabetRules &rules, std::uint8_t code)
{
    switch (code) {
    case 0x47:
    case 0x64: return 0x011E;
    case 0x49: return rules.spanishOrPortuguese() ? 0x00CD : 0x0130;
    case 0x53: return 0x015E;
    case 0x63: return 0x00E7;
    case 0x65: return 0x20AC;
    case 0x67: return 0x011F;
    case 0x69: return rules.spanishOrPortuguese() ? 0x00ED : 0x0131;
    case 0x73: return 0x015F;
    default: return kNoCode;
    }
}

int nationalSingleShiftCharacter(detail::NationalTable national, std::uint8_t code)
{
    switch (national) {
    case detail::NationalTable::Turkish: return singleShiftCharacterOf(TurkishSigleTable, code);
    case detail::NationalTable::Spanish: return singleShiftCharacterOf(SpanishSigleTable, code);
    case detail::NationalTable::Portuguese: return singleShiftCharacterOf(PotugueseSigleTable, code);
    case detail::NationalTable::None: break;
    }
    return kNoCode;
}

// The fixed list of one escape pair's decoder.
std::uint16_t escapePairFixedCharacter(std::uint8_t code)
{
    switch (code) {
    case 0x14: return 0x005E;
    case 0x28: return 0x007B;
    case 0x29: return 0x007D;
    case 0x2F: return 0x005C;
    case 0x3C: return 0x005B;
    case 0x3D: return 0x007E;
    case 0x3E: return 0x005D;
    case 0x40: return 0x007C;
    case 0x41: return 0x00C1;
    case 0x47:
    case 0x64: return 0x011E;
    case 0x49: return 0x0130;
    case 0x4F: return 0x00D3;
    case 0x53: return 0x015E;
    case 0x55: return 0x00DA;
    case 0x61: return 0x00E1;
    case 0x63: return 0x00E7;
    case 0x65: return 0x00A4;
    case 0x67: return 0x011F;
    case 0x69: return 0x0131;
    case 0x6F: return 0x00F3;
    case 0x73: return 0x015F;
    case 0x75: return 0x00FA;
    default: return 0x0020;
    }
}

template <std::size_t N>
int decodeWithLockingTable(const std::array<std::uint16_t, N> &table, std::uint16_t *out, int capacity,
                           const std::uint8_t *bytes, int count)
{
    if (!out || !bytes || count < 0 || capacity <= 0 || capacity < count)
        return -1;
    for (int i = 0; i < count; ++i)
        out[i] = bytes[i] < 0x80 ? table[bytes[i]] : std::uint16_t(0x0020);
    return count;
}

} // namespace

namespace detail {

AlphabetRules alphabetRules(const SmsCodecOptions &options)
{
    AlphabetRules rules;
    const QString &id = options.nationalIdentifier;
    if (id == kSpanishSingle)
        rules.national = NationalTable::Spanish;
    else if (id == kPortugueseSingle)
        rules.national = NationalTable::Portuguese;
    else if (id == kTurkishSingle)
        rules.national = NationalTable::Turkish;
    rules.needUcs2ForSingleCharacter = options.needUcs2EncodingForSingleCharacter;
    return rules;
}

bool characterFitsSms7(const AlphabetRules &rules, std::uint16_t c)
{
    if (c > 0xFF)
        return wideCharacterCode(c) != nullptr;
    if (forcedToUcs2(rules, c))
        return false;
    if (c == 0x0020 || c == 0x00B0 || c == 0x00E7 || fixedEscapeCodeBelow0100(c) != kNoCode)
        return true;
    if (rules.national == NationalTable::Spanish && kSpanishCodes[c] != kNoCode)
        return true;
    if (rules.national == NationalTable::Portuguese && kPortugueseCodes[c] != kNoCode)
        return true;
    return newUcs2ToGsm[c] != 0x20;
}

int encodeCharacterSms7(const AlphabetRules &rules, std::uint16_t c, std::uint8_t out[2])
{
    int escaped = kNoCode;
    if (c <= 0xFF) {
        if (forcedToUcs2(rules, c)) {
            out[0] = 0x20;
            return 1;
        }
        escaped = fixedEscapeCodeBelow0100(c);
        if (escaped == kNoCode && c == 0x00E7)
            escaped = rules.spanishOrPortuguese() ? 0x09 : 0x63;
        if (escaped == kNoCode && rules.national == NationalTable::Spanish)
            escaped = kSpanishCodes[c];
        if (escaped == kNoCode && rules.national == NationalTable::Portuguese)
            escaped = kPortugueseCodes[c];
        if (escaped == kNoCode) {
            out[0] = newUcs2ToGsm[c];
            return 1;
        }
    } else {
        const WideCharacterCode *wide = wideCharacterCode(c);
        if (!wide) {
            out[0] = 0x20;
            return 1;
        }
        if (!wide->escaped) {
            out[0] = wide->code;
            return 1;
        }
        escaped = wide->code;
    }
    out[0] = 0x1B;
    out[1] = static_cast<std::uint8_t>(escaped);
    return 2;
}

int septetLengthOf(const AlphabetRules &rules, std::uint16_t c)
{
    if (c > 0xFF) {
        const WideCharacterCode *wide = wideCharacterCode(c);
        return wide ? (wide->escaped ? 2 : 1) : 0;
    }
    // One table of 256 lengths for each combination of national table and switch.
    constexpr int kNationalTables = 4;
    using LengthTable = std::array<std::uint8_t, 256>;
    static const std::array<LengthTable, 2 * kNationalTables> tables = [] {
        std::array<LengthTable, 2 * kNationalTables> built{};
        for (int national = 0; national < kNationalTables; ++national) {
            for (int needUcs2 = 0; needUcs2 < 2; ++needUcs2) {
                AlphabetRules each;
                each.national = static_cast<NationalTable>(national);
                each.needUcs2ForSingleCharacter = needUcs2 != 0;
                for (int character = 0; character < 256; ++character) {
                    std::uint8_t bytes[2];
                    const auto unit = static_cast<std::uint16_t>(character);
                    built[2 * national + needUcs2][character] = static_cast<std::uint8_t>(
                        characterFitsSms7(each, unit) ? encodeCharacterSms7(each, unit, bytes) : 0);
                }
            }
        }
        return built;
    }();
    return tables[2 * static_cast<int>(rules.national) + (rules.needUcs2ForSingleCharacter ? 1 : 0)][c];
}

std::uint16_t decodeEscapedCode(const AlphabetRules &rules, std::uint8_t code)
{
    if (code >= 0x80)
        return 0x0020;
    int character = fixedEscapedCharacter(rules, code);
    if (character == kNoCode)
        character = nationalSingleShiftCharacter(rules.national, code);
    if (character == kNoCode)
        character = extGsmToUcs2[code];
    return static_cast<std::uint16_t>(character);
}

} // namespace detail

bool hasNationalId(const QString &identifier)
{
    return identifier == kSpanishSingle || identifier == kTurkishSingle || identifier == kPortugueseSingle;
}

bool isSingleCharacter(const QString &identifier, std::uint16_t character)
{
    if (identifier == kPortugueseSingle)
        return singleShiftCodeOf(PotugueseSigleTable, character) != kNoCode;
    if (identifier == kSpanishSingle)
        return singleShiftCodeOf(SpanishSigleTable, character) != kNoCode;
    ShowKLog("only support spanish and portuguese!");
    return false;
}

bool needUcs2EncodingForSingleCharacter(const SmsCodecOptions &options, std::uint16_t character)
{
    return options.needUcs2EncodingForSingleCharacter && inSpanishOrPortugueseTable(character);
}

int IfUcs2IsSMS7(const SmsCodecOptions &options, const std::uint16_t *text, int count)
{
    if (!text || count < 0)
        return -1;
    const detail::AlphabetRules rules = detail::alphabetRules(options);
    for (int i = 0; i < count; ++i) {
        if (!detail::characterFitsSms7(rules, text[i]))
            return 0;
    }
    return 1;
}

int ifUcs2IsSpecial(const std::uint16_t *text, int count)
{
    if (!text || count < 0)
        return -1;
    for (int i = 0; i < count; ++i) {
        if (std::find(kSpecialCharacters.begin(), kSpecialCharacters.end(), text[i]) == kSpecialCharacters.end())
            return 0;
    }
    return 1;
}

int has0x1b(const std::uint8_t *bytes, int count)
{
    if (!bytes || count <= 0)
        return 0;
    return std::find(bytes, bytes + count, std::uint8_t(0x1B)) != bytes + count ? 1 : 0;
}

int Ucs2toSMS7(const SmsCodecOptions &options, std::uint8_t *out, int outSize, const std::uint16_t *text, int count)
{
    if (!out || !text || count < 0 || outSize <= 0 || outSize / 2 < count)
        return -1;
    const detail::AlphabetRules rules = detail::alphabetRules(options);
    int written = 0;
    for (int i = 0; i < count; ++i)
        written += detail::encodeCharacterSms7(rules, text[i], out + written);
    return written;
}

int SMS7toUcs2(const SmsCodecOptions &options, std::uint16_t *out, int capacity, const std::uint8_t *bytes, int count)
{
    if (!out || !bytes || count < 0 || capacity <= 0 || capacity < count)
        return -1;
    const detail::AlphabetRules rules = detail::alphabetRules(options);
    int written = 0;
    for (int i = 0; i < count; ++i) {
        if (bytes[i] != 0x1B)
            out[written++] = detail::decodePlainCode(bytes[i]);
        else if (i + 1 == count)
            out[written++] = 0x001B;
        else
            out[written++] = detail::decodeEscapedCode(rules, bytes[++i]);
    }
    return written;
}

int SMS7toUcs2_Turkish(std::uint16_t *out, int capacity, const std::uint8_t *bytes, int count)
{
    return decodeWithLockingTable(newGsmToUcs2_TurkishLock, out, capacity, bytes, count);
}

int SMS7toUcs2_Portuguese(std::uint16_t *out, int capacity, const std::uint8_t *bytes, int count)
{
    return decodeWithLockingTable(newGsmToUcs2_PortugueseLock, out, capacity, bytes, count);
}

int CharacterUcs2ToSms7(const SmsCodecOptions &options, std::uint16_t character, std::uint8_t *out, int outSize)
{
    if (!out || outSize < 2)
        return -1;
    const detail::AlphabetRules rules = detail::alphabetRules(options);
    if (character <= 0xFF && !forcedToUcs2(rules, character)) {
        int code = kNoCode;
        switch (character) {
        case 0x00C1: code = 0x41; break;
        case 0x00CD: code = 0x49; break;
        case 0x00D3: code = 0x4F; break;
        case 0x00DA: code = 0x55; break;
        case 0x00E1: code = 0x61; break;
        case 0x00ED: code = 0x69; break;
        case 0x00F3: code = 0x6F; break;
        case 0x00FA: code = 0x75; break;
        default: break;
        }
        if (code != kNoCode) {
            out[0] = 0x1B;
            out[1] = static_cast<std::uint8_t>(code);
            return 2;
        }
    }
    return detail::encodeCharacterSms7(rules, character, out);
}

std::uint16_t CharacterSms7ToUcs2(const SmsCodecOptions &options, const std::uint8_t *pair)
{
    if (!pair || pair[0] != 0x1B)
        return 0x0020;
    if (pair[1] == 0x0A)
        return 0x000C;
    const int national = nationalSingleShiftCharacter(detail::alphabetRules(options).national, pair[1]);
    if (national != kNoCode)
        return static_cast<std::uint16_t>(national);
    return escapePairFixedCharacter(pair[1]);
}

std::uint16_t CharacterSms7ToUcs2_Old(const std::uint8_t *pair)
{
    if (!pair || pair[0] != 0x1B)
        return 0x0020;
    return escapePairFixedCharacter(pair[1]);
}

} // namespace yov::sms
