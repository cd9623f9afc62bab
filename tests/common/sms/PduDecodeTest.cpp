// The PDU decoders on tables of valid vectors.

#include "common/sms/PduCodec.h"

#include "common/sms/GsmAlphabet.h"
#include "common/sms/SeptetPacking.h"

#include "PduVectors.h"
#include "SmsTestSupport.h"

#include <gtest/gtest.h>

using namespace yov::sms;
using namespace smstest;

namespace {

// The text a decoder left in userData, read the way its result counts it.
// Septets and octets are counted one per byte, UCS-2 text in octets, 7-bit class-0 text behind a
// header in UTF-16 units.
enum class TextForm { Septets, Octets, Ucs2, Units };

QString textOf(const SmsPduRecord &record, int result, TextForm form)
{
    switch (form) {
    case TextForm::Septets: {
        std::vector<std::uint16_t> out(std::size_t(result) + 1);
        const int n = SMS7toUcs2(SmsCodecOptions(), out.data(), result + 1, record.userData, result);
        return fromUnits(out.data(), std::max(n, 0));
    }
    case TextForm::Octets:
        return QString::fromLatin1(reinterpret_cast<const char *>(record.userData), result);
    case TextForm::Ucs2:
        return textOf(record, result / 2, TextForm::Units);
    case TextForm::Units: {
        std::vector<std::uint16_t> out(static_cast<std::size_t>(result));
        std::memcpy(out.data(), record.userData, out.size() * 2);
        return fromUnits(out.data(), int(out.size()));
    }
    }
    return QString();
}

struct PduDecodeCase {
    const char *what;
    Decoder decoder;
    const char *pdu;
    int result;
    const char *centre;
    const char *address;
    int dcs;
    std::uint32_t messageClass;
    TextForm form;
    const char *text; // UTF-8
};

const PduDecodeCase kPduDecodeCases[] = {
    {"published DELIVER", Decoder::Deliver, kPublishedDeliver, 12, "31624000000", "+31641600986", 0, 99,
     TextForm::Septets, "How are you?"},
    {"centre of length 00", Decoder::Deliver, kDeliverWithoutCentre, 12, "", "+31641600986", 0, 99,
     TextForm::Septets, "How are you?"},
    {"type 0x81", Decoder::Deliver, kDeliverType81, 2, "31624000000", "31641600986", 0, 99, TextForm::Septets, "Hi"},
    {"type 0x90, DELIVER", Decoder::Deliver, kDeliverType90, 2, "31624000000", "31641600986", 0, 99,
     TextForm::Septets, "Hi"},
    {"name of 7 in 14 semi-octets", Decoder::Deliver, kDeliverName7Length14, 2, "31624000000", "Telecom", 0, 99,
     TextForm::Septets, "Hi"},
    {"name of 7 in 13 semi-octets", Decoder::Deliver, kDeliverName7Length13, 2, "31624000000", "Telecom", 0, 99,
     TextForm::Septets, "Hi"},
    {"name of 8 ending in a letter", Decoder::Deliver, kDeliverName8, 2, "31624000000", "Operator", 0, 99,
     TextForm::Septets, "Hi"},
    {"DCS 08", Decoder::Deliver, kDeliverUcs2, 12, "31624000000", "+31641600986", 8, 99, TextForm::Ucs2, "Привет"},
    {"DCS 04", Decoder::Deliver, kDeliver8bit, 5, "31624000000", "+31641600986", 4, 99, TextForm::Octets,
     "\x01\x02" "abc"},
    {"DCS F4: 8-bit class 0", Decoder::Deliver, kDeliverF4, 3, "31624000000", "+31641600986", 4, 0,
     TextForm::Octets, "ABC"},
    {"DCS F6: 8-bit class 2 has no text", Decoder::Deliver, kDeliverF6, 0, "31624000000", "+31641600986", 4, 2,
     TextForm::Octets, ""},
    {"DCS 10: 7-bit class 0", Decoder::Deliver, kDeliver10, 2, "31624000000", "+31641600986", 0, 0,
     TextForm::Septets, "Hi"},
    {"DCS 52: class 2 in group 0x50", Decoder::Deliver, kDeliver52, 2, "31624000000", "+31641600986", 0, 2,
     TextForm::Septets, "Hi"},
    {"DCS C8 without the voicemail switch", Decoder::Deliver, kDeliverC8, 2, "31624000000", "+31641600986", 0, 99,
     TextForm::Septets, "Hi"},
    {"UCS-2 behind a header", Decoder::Deliver, kDeliverConcatUcs2, 12, "31624000000", "+31641600986", 8, 99,
     TextForm::Ucs2, "Привет"},
    {"SUBMIT, relative validity", Decoder::Submit, kSubmitRelativeValidity, 2, "", "+123", 0, 0,
     TextForm::Septets, "Hi"},
    {"SUBMIT, absolute validity", Decoder::Submit, kSubmitAbsoluteValidity, 2, "", "+123", 0, 0,
     TextForm::Septets, "Hi"},
    {"class 0, type 0x90 gets a plus", Decoder::Class0, kClass0Type90, 2, "", "+31641600986", 0, 0,
     TextForm::Septets, "Hi"},
    {"class 0 UCS-2", Decoder::Class0, kClass0Ucs2, 12, "", "+31641600986", 8, 0, TextForm::Ucs2, "Привет"},
    {"class 0, DCS F4 is 8-bit", Decoder::Class0, kClass0F4, 3, "", "+31641600986", 4, 0, TextForm::Octets, "ABC"},
    {"class 0, 7-bit behind a header", Decoder::Class0, kClass0HeaderShort, 4, "", "+31641600986", 0, 0,
     TextForm::Units, "Hi€@"},
};

TEST(PduDecode, Table)
{
    for (const PduDecodeCase &c : kPduDecodeCases) {
        GuardedRecord guarded;
        SmsPduRecord &r = guarded.record;
        const int result = decode(c.decoder, SmsCodecOptions(), c.pdu, r);
        ASSERT_EQ(result, c.result) << c.what;
        EXPECT_TRUE(fieldsTerminatedAndGuardIntact(guarded)) << c.what;
        if (c.decoder != Decoder::Class0) {
            EXPECT_STREQ(r.serviceCentre, c.centre) << c.what;
        }
        EXPECT_STREQ(r.address, c.address) << c.what;
        if (c.decoder == Decoder::Submit)
            continue; // the raw DCS, checked below
        EXPECT_EQ(r.dcs, c.dcs) << c.what;
        if (c.decoder == Decoder::Deliver) {
            EXPECT_EQ(r.messageClass, c.messageClass) << c.what;
        }
        EXPECT_EQ(r.pid, 0) << c.what;
        EXPECT_STREQ(r.timeStamp, "20806291731408") << c.what;
        EXPECT_EQ(textOf(r, result, c.form), QString::fromUtf8(c.text)) << c.what;
    }
}

TEST(PduDecode, SubmitKeepsTheRawDcsAndTheReferenceAndSkipsTheValidity)
{
    for (const char *pdu : {kSubmitRelativeValidity, kSubmitAbsoluteValidity}) {
        SmsPduRecord r;
        ASSERT_EQ(decode(Decoder::Submit, SmsCodecOptions(), pdu, r), 2) << pdu;
        EXPECT_EQ(r.pid, 0x07) << pdu; // the message reference
        EXPECT_EQ(r.dcs, 0x00);
        EXPECT_EQ(std::string(reinterpret_cast<const char *>(r.userData)), "Hi");
    }
    // 8-bit data in the 0xF0 group is read as octets, not as septets.
    SmsPduRecord r;
    ASSERT_EQ(decode(Decoder::Submit, SmsCodecOptions(), kSubmitF4, r), 3);
    EXPECT_EQ(r.dcs, 0xF4);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(r.userData)), "ABC");
}

TEST(PduDecode, AlphanumericNamesOfOneToElevenCharacters)
{
    for (int n = 1; n <= 11; ++n) {
        SmsPduRecord r;
        ASSERT_EQ(decode(Decoder::Deliver, SmsCodecOptions(), kDeliverNames[n - 1], r), 2) << n;
        EXPECT_EQ(std::string(r.address), std::string("ABCDEFGHIJK", std::size_t(n))) << n;
    }
    // Names are stored as UTF-8, and as the raw septets with the switch.
    SmsPduRecord r;
    ASSERT_EQ(decode(Decoder::Deliver, SmsCodecOptions(), kDeliverNameCafe, r), 2);
    EXPECT_STREQ(r.address, "Café");
    SmsCodecOptions raw;
    raw.decodePduDoNotUseSms7toUcs2 = true;
    ASSERT_EQ(decode(Decoder::Deliver, raw, kDeliverNameCafe, r), 2);
    EXPECT_STREQ(r.address, "Caf\x05");
    // "a" and twenty Δ: cut to 32 bytes on a character boundary.
    ASSERT_EQ(decode(Decoder::Deliver, SmsCodecOptions(), kDeliverNameLong, r), 2);
    EXPECT_EQ(QString::fromUtf8(r.address), QStringLiteral("a") + QString(15, QChar(0x0394)));
}

TEST(PduDecode, NumbersAreCutToThirtyTwoCharacters)
{
    // A centre and an international originator of 40 digits each.
    const std::string digits = "2143658709214365870921436587092143658709";
    const std::string pdu = "1591" + digits + "04" + "2891" + digits + "0000" "20806291731408" "02C834";
    SmsPduRecord r;
    ASSERT_EQ(decode(Decoder::Deliver, SmsCodecOptions(), pdu.c_str(), r), 2);
    EXPECT_STREQ(r.serviceCentre, "12345678901234567890123456789012");
    EXPECT_STREQ(r.address, "+1234567890123456789012345678901");
}

TEST(PduDecode, VoicemailIndicationKeepsItsDcsWithTheSwitch)
{
    SmsCodecOptions options;
    options.autoDeleteVoicemail = true;
    SmsPduRecord r;
    ASSERT_EQ(decode(Decoder::Deliver, options, kDeliverC8, r), 2);
    EXPECT_EQ(r.dcs, 0xC8);
    EXPECT_EQ(decode(Decoder::Deliver, options, kDeliver10, r), 2);
    EXPECT_EQ(r.dcs, 0x00);
}

TEST(PduDecode, Headers)
{
    const struct {
        const char *what;
        Decoder decoder;
        const char *pdu;
        int result;
        int elementId, reference, total, sequence, reference16, nationalLanguage;
        const char *text;
    } cases[] = {
        {"05 00 03", Decoder::Deliver, kDeliverConcat8, 8, 0, 0x2A, 3, 1, 0, 0, "Part one"},
        {"06 08 04", Decoder::Deliver, kDeliverConcat16, 8, 8, 0, 2, 2, 0x1234, 0, "Part two"},
        {"port before concatenation", Decoder::Deliver, kDeliverPortThenConcat, 4, 0, 0x2A, 2, 1, 0, 0, "Port"},
        {"port alone", Decoder::Deliver, kDeliverPortOnly, 4, 5, 0, 0, 0, 0, 0, "Port"},
        {"concatenation and locking shift", Decoder::Deliver, kDeliverConcatNational, 4, 0, 0x2A, 2, 2, 0, 3, "Lang"},
        {"class 0 behind a header", Decoder::Class0, kClass0HeaderShort, 4, 0, 0x2B, 2, 2, 0, 0, nullptr},
    };
    for (const auto &c : cases) {
        SmsPduRecord r;
        ASSERT_EQ(decode(c.decoder, SmsCodecOptions(), c.pdu, r), c.result) << c.what;
        EXPECT_EQ(r.headerPresent, 1) << c.what;
        EXPECT_EQ(r.elementId, c.elementId) << c.what;
        EXPECT_EQ(r.reference, c.reference) << c.what;
        EXPECT_EQ(r.total, c.total) << c.what;
        EXPECT_EQ(r.sequence, c.sequence) << c.what;
        EXPECT_EQ(r.reference16, c.reference16) << c.what;
        EXPECT_EQ(r.nationalLanguage, c.nationalLanguage) << c.what;
        if (c.text) {
            EXPECT_EQ(std::string(reinterpret_cast<const char *>(r.userData)), c.text) << c.what;
        }
    }
}

TEST(PduDecode, StatusReport)
{
    GuardedRecord guarded;
    SmsPduRecord &r = guarded.record;
    ASSERT_EQ(decode(Decoder::Status, SmsCodecOptions(), kStatusReport, r), 1);
    EXPECT_TRUE(fieldsTerminatedAndGuardIntact(guarded));
    EXPECT_STREQ(r.serviceCentre, "31624000000");
    EXPECT_STREQ(r.address, "+31641600986");
    EXPECT_STREQ(r.timeStamp, "20806291731408");
    EXPECT_STREQ(r.dischargeTime, "20806291732408");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.moreMessages, 0x04);
    EXPECT_EQ(STATUS_REPORT_PDU(SmsCodecOptions(), kStatusReport, 10, nullptr), 1);
    EXPECT_EQ(STATUS_REPORT_PDU(SmsCodecOptions(), nullptr, 10, &r), 0);
}

TEST(PduDecode, AtSignInsideTextsIsKept)
{
    // Class 0 without a header runs to its length octet: "A@B".
    SmsPduRecord r;
    ASSERT_EQ(decode(Decoder::Class0, SmsCodecOptions(), kClass0WithAt, r), 3);
    EXPECT_EQ(hexOf(r.userData, 4), "41004200");

    // A broadcast page keeps its "@" and drops only the zero fill at its end.
    ASSERT_EQ(decode(Decoder::Broadcast, SmsCodecOptions(), kBroadcastWithAt, r), 3);
    EXPECT_EQ(hexOf(r.userData, 4), "41004200");
    EXPECT_STREQ(r.address, "4660");
}

TEST(PduDecode, Class0SevenBitBehindAHeaderKeepsEightyUnits)
{
    GuardedRecord guarded;
    SmsPduRecord &r = guarded.record;
    ASSERT_EQ(decode(Decoder::Class0, SmsCodecOptions(), kClass0HeaderLong, r), 80);
    EXPECT_TRUE(fieldsTerminatedAndGuardIntact(guarded));
    QString expected;
    for (int i = 0; i < 80; ++i)
        expected += QChar('A' + i % 26);
    EXPECT_EQ(textOf(r, 80, TextForm::Units), expected);
    EXPECT_EQ(r.userData[160], 0);
    EXPECT_EQ(r.reference, 0x2A);

    // Shorter texts end in a 16-bit zero.
    ASSERT_EQ(decode(Decoder::Class0, SmsCodecOptions(), kClass0HeaderShort, r), 4);
    EXPECT_EQ(r.userData[8], 0);
    EXPECT_EQ(r.userData[9], 0);
}

// A DELIVER without its service-centre part whose 7-bit user data holds count septets of the
// alphabet, behind a header when one is given.
std::string sevenBitDeliver(const char *firstOctet, const std::vector<std::uint8_t> &header, int count)
{
    const int headerSeptets = (int(header.size()) * 8 + 6) / 7;
    const int length = headerSeptets + count;
    std::vector<std::uint8_t> ud(std::size_t(length * 7 + 7) / 8, 0);
    std::copy(header.begin(), header.end(), ud.begin());
    std::vector<std::uint8_t> septets;
    for (int i = 0; i < count; ++i)
        septets.push_back(std::uint8_t('A' + i % 26));
    packSeptetsAtBit(septets.data(), count, 7 * headerSeptets, ud.data(), int(ud.size()));
    const std::uint8_t lengthOctet = std::uint8_t(length);
    return std::string(firstOctet) + "0B911346610089F6" "0010" "20806291731408" + hexOf(&lengthOctet, 1)
        + hexOf(ud.data(), int(ud.size()));
}

TEST(PduDecode, Class0SevenBitTextIsCutTo160Septets)
{
    QString alphabet;
    for (int i = 0; i < 160; ++i)
        alphabet += QChar('A' + i % 26);

    GuardedRecord plain;
    const std::string withoutHeader = sevenBitDeliver("04", {}, 170);
    ASSERT_EQ(decode(Decoder::Class0, SmsCodecOptions(), withoutHeader.c_str(), plain.record), 160);
    EXPECT_TRUE(fieldsTerminatedAndGuardIntact(plain));
    EXPECT_EQ(textOf(plain.record, 160, TextForm::Septets), alphabet);

    GuardedRecord headed;
    const std::string withHeader = sevenBitDeliver("44", bytesOf("05 00 03 2A 02 01"), 170);
    ASSERT_EQ(decode(Decoder::Class0, SmsCodecOptions(), withHeader.c_str(), headed.record), 80);
    EXPECT_TRUE(fieldsTerminatedAndGuardIntact(headed));
    EXPECT_EQ(textOf(headed.record, 80, TextForm::Units), alphabet.left(80));
    EXPECT_EQ(headed.record.sequence, 1);

    // The same user data in an SMS-DELIVER gives no text.
    SmsPduRecord deliver;
    ASSERT_EQ(decode(Decoder::Deliver, SmsCodecOptions(), ("00" + withoutHeader).c_str(), deliver), 0);
    EXPECT_EQ(deliver.userData[0], 0);
}

TEST(PduDecode, SeptetUserDataAlone)
{
    std::uint8_t out[161];
    SmsPduRecord r;
    std::memset(&r, 0, sizeof r);
    // Header 05 00 03 2A 02 01 and "hello world" from the next septet boundary.
    const char *ud = "120500032A0201D06536FB0DBABFE56C32";
    ASSERT_EQ(dc7BitHexStr2Str(ud, int(std::strlen(ud)), 1, out, sizeof out, &r), 11);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(out)), "hello world");
    EXPECT_EQ(r.reference, 0x2A);
    EXPECT_EQ(r.total, 2);
    // A length octet above 160 gives 0.
    const std::string tooLong = "A1" + std::string(2 * 141, '0');
    EXPECT_EQ(dc7BitHexStr2Str(tooLong.data(), int(tooLong.size()), 0, out, sizeof out, nullptr), 0);
    EXPECT_EQ(dc7BitHexStr2Str(ud, int(std::strlen(ud)), 1, out, 11, nullptr), -1); // no room for the zero
}

} // namespace
