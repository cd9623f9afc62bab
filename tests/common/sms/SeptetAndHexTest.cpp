// Septet packing and hexadecimal text, both ways.

#include "common/sms/HexText.h"
#include "common/sms/SeptetPacking.h"

#include "SmsTestSupport.h"

#include <gtest/gtest.h>

using namespace yov::sms;
using smstest::bytesOf;
using smstest::hexOf;

namespace {

std::vector<std::uint8_t> septetsOf(const char *text, int zerosBehind)
{
    std::vector<std::uint8_t> septets(text, text + std::strlen(text));
    septets.insert(septets.end(), std::size_t(zerosBehind), 0);
    return septets;
}

TEST(SeptetPacking, Encode7bitVectors)
{
    const struct {
        const char *septets;
        int zerosBehind;
        const char *packed;
    } cases[] = {
        {"hellohello", 1, "E8329BFD4697D9EC37"},
        {"hellohello", 0, "E8329BFD4697D9EC"},
        {"12345678", 1, "31D98C56B3DD70"},
        {"1", 0, ""},
        {"1", 1, "31"},
    };
    for (const auto &c : cases) {
        const auto septets = septetsOf(c.septets, c.zerosBehind);
        std::vector<std::uint8_t> out(septets.size() + 1, 0xEE);
        const int n = Encode7bit(septets.data(), out.data(), int(septets.size()), int(septets.size()));
        EXPECT_EQ(hexOf(out.data(), n), c.packed) << c.septets << " + " << c.zerosBehind;
        EXPECT_EQ(out[std::size_t(n)], 0xEE) << c.septets;
    }
    // Ten "@" are ten zero septets: nine zero octets with the zero behind them.
    const std::vector<std::uint8_t> at(11, 0);
    std::uint8_t out[16];
    EXPECT_EQ(Encode7bit(at.data(), out, 11, sizeof out), 9);

    const auto septets = septetsOf("12345678", 1);
    EXPECT_EQ(Encode7bit(septets.data(), out, 9, 6), -1);
    EXPECT_EQ(Encode7bit(septets.data(), out, 0, sizeof out), -1);
    EXPECT_EQ(Encode7bit(nullptr, out, 9, sizeof out), -1);
}

TEST(SeptetPacking, Decode7bitVectors)
{
    const auto packed = bytesOf("E8329BFD4697D9EC37");
    std::uint8_t out[12];
    std::memset(out, 0xEE, sizeof out);
    ASSERT_EQ(Decode7bit(packed.data(), out, 9, sizeof out), 10);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(out), 10), "hellohello");
    EXPECT_EQ(out[10], 0);
    EXPECT_EQ(out[11], 0xEE);

    // Seven octets holding seven septets and a zero: eight septets, the last 0.
    const auto seven = bytesOf("31D98C56B3DD00");
    ASSERT_EQ(Decode7bit(seven.data(), out, 7, sizeof out), 8);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(out), 7), "1234567");
    EXPECT_EQ(out[7], 0);

    EXPECT_EQ(Decode7bit(seven.data(), out, 7, 8), -1); // no room for the terminator
    EXPECT_EQ(Decode7bit(nullptr, out, 7, sizeof out), -1);
}

TEST(SeptetPacking, Get7bitCharReadsOnlyWhatTheInputHolds)
{
    const auto packed = bytesOf("E8329BFD4697D9EC37");
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(get7bitChar(packed.data(), 9, 7 * i), std::uint8_t("hellohello"[i])) << i;
    const std::uint8_t one = 0xFF;
    EXPECT_EQ(get7bitChar(&one, 1, 5), 0x07);
    EXPECT_EQ(get7bitChar(&one, 1, 8), 0);
}

TEST(HexText, BothWays)
{
    std::uint8_t bytes[4];
    std::memset(bytes, 0xEE, sizeof bytes);
    EXPECT_EQ(String2Bytes("0aFf7", bytes, 5, 2), 2); // lower case and an odd last digit
    EXPECT_EQ(hexOf(bytes, 2), "0AFF");
    EXPECT_EQ(bytes[2], 0xEE);
    EXPECT_EQ(String2Bytes("0G", bytes, 2, 4), -1);
    EXPECT_EQ(String2Bytes("0 ", bytes, 2, 4), -1);
    EXPECT_EQ(String2Bytes("0011", bytes, 4, 1), -1);
    EXPECT_EQ(String2Bytes(nullptr, bytes, 2, 4), -1);
    EXPECT_EQ(String2Bytes("", bytes, 0, 0), 0);

    char text[8];
    std::memset(text, 'x', sizeof text);
    const auto three = bytesOf("00 AB 7F");
    EXPECT_EQ(Bytes2String(three.data(), text, 3, 7), 6);
    EXPECT_STREQ(text, "00AB7F");
    EXPECT_EQ(Bytes2String(three.data(), text, 3, 6), -1);
    EXPECT_EQ(Bytes2String(three.data(), text, 0, 0), -1);

    std::uint8_t nibbles[3] = {0, 0, 0};
    EXPECT_EQ(ASCtoHex(nibbles, 3, "a1B", 3), 0);
    EXPECT_EQ(hexOf(nibbles, 3), "A1B000");
    EXPECT_EQ(ASCtoHex(nibbles, 2, "a1B", 3), 0);
    EXPECT_EQ(ASCtoHex(nibbles, 1, "a1B", 3), -1);
    EXPECT_EQ(ASCtoHex(nibbles, 3, "a1?", 3), -1);

    char digits[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(HextoASC(digits, 4, three.data() + 1, 3), 0);
    EXPECT_EQ(std::string(digits, 4), "AB7x");
    EXPECT_EQ(HextoASC(digits, 3, three.data(), 3), -1);

    char ascii[5] = {'x', 'x', 'x', 'x', 'x'};
    const std::uint16_t ucs2[2] = {'a', 'b'};
    EXPECT_EQ(Ucs2ToAsc(ascii, 5, ucs2, 2), -1);
    EXPECT_EQ(ascii[4], '\0');
    EXPECT_EQ(ascii[0], 'x');
    EXPECT_EQ(Ucs2ToAsc(ascii, 4, ucs2, 2), -1); // no room: nothing written
}

} // namespace
