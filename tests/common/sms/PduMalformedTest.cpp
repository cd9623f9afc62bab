// Malformed PDUs: each is refused, nothing is written outside the record, and every text field of
// the record stays terminated. The mutation test runs every prefix and a few thousand random
// changes of the valid vectors through every decoder (under the sanitizers in CI).

#include "common/sms/PduCodec.h"

#include "PduVectors.h"
#include "SmsTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace yov::sms;
using namespace smstest;

namespace {

constexpr const char *kCentreAndOriginator = "07911326040000F0440B911346610089F6";
constexpr const char *kTime = "20806291731408";

// An 8-bit DELIVER with a header: the user-data length octet and the user data as given.
std::string eightBitDeliver(const char *userData)
{
    return std::string(kCentreAndOriginator) + "0004" + kTime + userData;
}

// A decoder that is handed a record full of guard bytes.
int decodeGuarded(Decoder decoder, const std::string &pdu, GuardedRecord &guarded)
{
    return decode(decoder, SmsCodecOptions(), pdu.data(), int(pdu.size()), guarded.record);
}

TEST(PduMalformed, EveryProperPrefixOfAWholePduIsRefused)
{
    for (const ValidPdu &valid : kValidPdus) {
        const std::string pdu = valid.pdu;
        {
            GuardedRecord whole;
            ASSERT_GE(decodeGuarded(valid.decoder, pdu, whole), 0) << pdu;
        }
        // A broadcast page is read to whatever length it has once its 6 octets are there.
        const std::size_t cutBelow = valid.decoder == Decoder::Broadcast ? 12 : pdu.size();
        for (std::size_t length = 0; length < cutBelow; length += 2) {
            GuardedRecord guarded;
            EXPECT_EQ(decodeGuarded(valid.decoder, pdu.substr(0, length), guarded), -1) << pdu << " cut at " << length;
            EXPECT_TRUE(fieldsTerminatedAndGuardIntact(guarded)) << pdu << " cut at " << length;
        }
    }
}

TEST(PduMalformed, RefusedPdus)
{
    const std::string published = kPublishedDeliver;
    std::string lowerCase = published;
    for (char &c : lowerCase)
        c = char(std::tolower(static_cast<unsigned char>(c)));

    const struct {
        const char *what;
        Decoder decoder;
        std::string pdu;
    } cases[] = {
        {"odd count of digits", Decoder::Deliver, published.substr(0, published.size() - 1)},
        {"a character that is no digit", Decoder::Deliver, published.substr(0, 20) + "G" + published.substr(21)},
        {"a blank", Decoder::Deliver, published.substr(0, 20) + " " + published.substr(21)},
        {"longer than any PDU", Decoder::Deliver, published + std::string(2 * kMaxPduOctets, '0')},
        {"centre length past the end", Decoder::Deliver, "FF" + published.substr(2)},
        {"originator length past the end", Decoder::Deliver, published.substr(0, 18) + "FF" + published.substr(20)},
        {"7-bit length past the text", Decoder::Deliver,
         published.substr(0, published.size() - 24) + "0D" + published.substr(published.size() - 22)},
        {"UCS-2 length past the text", Decoder::Deliver,
         std::string(kDeliverUcs2).replace(std::strlen(kDeliverUcs2) - 26, 2, "0E")},
        {"8-bit length past the text", Decoder::Deliver, eightBitDeliver("07" "0500032A0201")},
        {"header longer than the 8-bit data", Decoder::Deliver, eightBitDeliver("03" "0500032A0201")},
        {"header longer than the 7-bit data", Decoder::Deliver,
         std::string(kCentreAndOriginator) + "0000" + kTime + "06" "0500032A0201"},
        {"element past its header", Decoder::Deliver, eightBitDeliver("06" "0500042A0201")},
        {"element id without its length", Decoder::Deliver, eightBitDeliver("08" "0600032A020108" "41")},
        {"header flag without user data", Decoder::Deliver, eightBitDeliver("00")},
        {"SUBMIT validity octets missing", Decoder::Submit, "001907039121F30000208062"},
        {"status report without its status", Decoder::Status,
         std::string(kStatusReport).substr(0, std::strlen(kStatusReport) - 2)},
        {"class 0 length past the text", Decoder::Class0, "040B911346610089F6001020806291731408FF41"},
        {"broadcast page of 5 octets", Decoder::Broadcast, "0010123411"},
    };
    for (const auto &c : cases) {
        GuardedRecord guarded;
        EXPECT_EQ(decodeGuarded(c.decoder, c.pdu, guarded), -1) << c.what;
        EXPECT_TRUE(fieldsTerminatedAndGuardIntact(guarded)) << c.what;
    }

    GuardedRecord guarded;
    EXPECT_EQ(decodeGuarded(Decoder::Deliver, lowerCase, guarded), 12) << "lower-case digits are digits";

    std::uint8_t septets[161];
    EXPECT_EQ(dc7BitHexStr2Str("0C", 2, 0, septets, sizeof septets, nullptr), -1);
    EXPECT_EQ(dc7BitHexStr2Str("00", 2, 1, septets, sizeof septets, nullptr), -1);
    EXPECT_EQ(dc7BitHexStr2Str("", 0, 0, septets, sizeof septets, nullptr), -1);
    EXPECT_EQ(DecodePdu_Delivery(SmsCodecOptions(), nullptr, 0, &guarded.record), -1);
    EXPECT_EQ(DecodePdu_Delivery(SmsCodecOptions(), kPublishedDeliver, -2, &guarded.record), -1);
}

// Runs a text through every decoder with a guarded record.
void decodeEverywhere(const std::string &text)
{
    static const Decoder kDecoders[] = {Decoder::Deliver, Decoder::Submit, Decoder::Class0, Decoder::Status,
                                        Decoder::Broadcast};
    SmsCodecOptions options;
    options.autoDeleteVoicemail = true;
    for (const Decoder decoder : kDecoders) {
        for (bool rawNames : {false, true}) {
            options.decodePduDoNotUseSms7toUcs2 = rawNames;
            GuardedRecord guarded;
            const int result = decode(decoder, options, text.data(), int(text.size()), guarded.record);
            ASSERT_GE(result, -1) << text;
            ASSERT_LE(result, 160) << text;
            ASSERT_TRUE(fieldsTerminatedAndGuardIntact(guarded)) << text;
        }
    }
    for (int header : {0, 1}) {
        GuardedRecord guarded;
        std::uint8_t septets[162];
        septets[161] = 0xEE;
        const int n = dc7BitHexStr2Str(text.data(), int(text.size()), header, septets, 161, &guarded.record);
        ASSERT_LE(n, 160) << text;
        ASSERT_EQ(septets[161], 0xEE) << text;
        ASSERT_TRUE(fieldsTerminatedAndGuardIntact(guarded)) << text;
    }
    std::uint16_t counted[40];
    counted[39] = 0xEEEE;
    Usc2orGSM7toAscDecode(options, text.data(), int(text.size()), counted, 39);
    ASSERT_EQ(counted[39], 0xEEEE) << text;
}

TEST(PduMalformed, MutationsOfValidVectorsDecodeSafely)
{
    std::mt19937 random(0x5EED);
    const char digits[] = "0123456789ABCDEFabcdef";
    for (const ValidPdu &valid : kValidPdus) {
        const std::string pdu = valid.pdu;
        for (std::size_t length = 0; length <= pdu.size(); ++length)
            decodeEverywhere(pdu.substr(0, length));
        for (int round = 0; round < 120; ++round) {
            std::string mutated = pdu;
            const int changes = 1 + int(random() % 4);
            for (int i = 0; i < changes; ++i) {
                const std::size_t at = random() % mutated.size();
                const unsigned kind = random() % 20;
                if (kind == 0)
                    mutated[at] = 'G';
                else if (kind == 1)
                    mutated.erase(at, 1);
                else if (kind == 2)
                    mutated.insert(at, 2, digits[random() % 16]);
                else if (kind < 6 && at % 2 == 0)
                    mutated.replace(at, 2, "FF"); // a length or type octet at its largest
                else
                    mutated[at] = digits[random() % (sizeof digits - 1)];
            }
            decodeEverywhere(mutated);
        }
    }
}

} // namespace
