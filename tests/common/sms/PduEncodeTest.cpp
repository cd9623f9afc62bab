// The PDU encoders, the time-stamp conversion and the SIM alpha identifiers. Every part built with
// a header is decoded back to the same header and text.

#include "common/sms/PduCodec.h"

#include "PduVectors.h"
#include "SmsTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

using namespace yov::sms;
using namespace smstest;

namespace {

constexpr const char *kConcatUserData = "120500032A0201D06536FB0DBABFE56C32"; // 05 00 03 2A 02 01, "hello world"
constexpr const char *kUcs2Text = "Привет";

SmsPduRecord emptyRecord()
{
    SmsPduRecord r;
    std::memset(&r, 0, sizeof r);
    return r;
}

void setText(char *field, std::size_t width, const char *text)
{
    std::memset(field, 0, width);
    std::memcpy(field, text, std::min(width, std::strlen(text)));
}

// userData from byte offset on: the characters of an ASCII text as septet values.
void putSeptets(SmsPduRecord &r, int offset, const char *text)
{
    std::memcpy(r.userData + offset, text, std::strlen(text));
}

void putUnits(SmsPduRecord &r, int offset, const QString &text)
{
    std::memcpy(r.userData + offset, text.utf16(), std::size_t(text.size()) * 2);
}

void putConcatHeader(SmsPduRecord &r)
{
    const std::uint8_t header[6] = {0x05, 0xFF, 0x03, 0x2A, 0x02, 0x01}; // the second octet is not used
    std::memcpy(r.userData, header, sizeof header);
    r.headerPresent = 1;
}

std::string encode(bool submit, const SmsPduRecord &r, const SmsCodecOptions &options = SmsCodecOptions())
{
    char out[512];
    std::memset(out, 'x', sizeof out);
    const int n = submit ? EncodePdu_Submit(options, &r, out, sizeof out) : EncodePdu_Delivery(options, &r, out, sizeof out);
    if (n < 0)
        return "refused";
    EXPECT_EQ(out[n], '\0');
    return std::string(out, std::size_t(n));
}

std::string submit(const SmsPduRecord &r, const SmsCodecOptions &options = SmsCodecOptions())
{
    return encode(true, r, options);
}

std::string deliver(const SmsPduRecord &r)
{
    return encode(false, r);
}

TEST(PduEncode, SubmitWithoutHeader)
{
    SmsPduRecord r = emptyRecord();
    setText(r.address, sizeof r.address, "+123");
    r.reportRequest = 1;
    r.validity = 0xAA;
    putSeptets(r, 0, "hellohello");
    r.dataLength = 10;
    EXPECT_EQ(submit(r), "003100039121F30000AA0AE8329BFD4697D9EC37");

    // A national language without the header flag sends the septets alone.
    r.nationalLanguage = 2;
    EXPECT_EQ(submit(r), "003100039121F30000AA0AE8329BFD4697D9EC37");
    r.nationalLanguage = 0;

    // Ten "@" are nine zero octets, all of them written.
    std::memset(r.userData, 0, sizeof r.userData);
    EXPECT_EQ(submit(r), "003100039121F30000AA0A000000000000000000");

    // UCS-2: a 16-bit count, then the characters.
    r.dcs = 8;
    const std::uint16_t count = 6;
    std::memcpy(r.userData, &count, sizeof count);
    putUnits(r, 2, QString::fromUtf8(kUcs2Text));
    EXPECT_EQ(submit(r), "003100039121F30008AA0C041F04400438043204350442");
}

TEST(PduEncode, ServiceCentreForms)
{
    const struct {
        const char *centre;
        bool unknownSwitch;
        const char *start;
    } cases[] = {
        {"", false, "0011"},
        {"+31624000000", false, "07911326040000F011"},
        {"0031624000000", false, "07911326040000F011"},
        {"0031624000000", true, "07811326040000F011"},
        {"31624000000", false, "07811326040000F011"},
        {"1234", false, "038121431"},
    };
    for (const auto &c : cases) {
        SmsPduRecord r = emptyRecord();
        setText(r.serviceCentre, sizeof r.serviceCentre, c.centre);
        setText(r.address, sizeof r.address, "+123");
        SmsCodecOptions options;
        options.setMsgCenterWithUnknownNum = c.unknownSwitch;
        EXPECT_EQ(submit(r, options).substr(0, std::strlen(c.start)), c.start) << c.centre;
    }
}

TEST(PduEncode, SubmitWithHeadersDecodesBackToTheSameHeaderAndText)
{
    const struct {
        const char *what;
        int dcs;
        int nationalLanguage;
        const char *header; // national: the header as sent; empty: the concatenation layout
        const char *septetsOrUnits;
        const char *userData;
    } cases[] = {
        {"7-bit concatenated", 0, 0, "", "hello world", kConcatUserData},
        {"UCS-2 concatenated", 8, 0, "", nullptr, "120500032A0201041F04400438043204350442"},
        {"4-octet national header", 0, 2, "03 25 01 02", "abc", "0803250102088BC7"},
        {"9-octet national header", 0, 3, "08 00 03 2A 02 01 25 01 03", "abc", "0E0800032A0201250103202C1E03"},
    };
    for (const auto &c : cases) {
        SmsPduRecord r = emptyRecord();
        setText(r.address, sizeof r.address, "+123");
        r.dcs = std::uint8_t(c.dcs);
        r.nationalLanguage = std::uint8_t(c.nationalLanguage);
        if (*c.header) {
            const auto header = bytesOf(c.header);
            std::memcpy(r.userData, header.data(), header.size());
            putSeptets(r, int(header.size()), c.septetsOrUnits);
            r.dataLength = std::uint16_t(std::strlen(c.septetsOrUnits));
            r.headerPresent = 1;
        } else {
            putConcatHeader(r);
            if (c.dcs == 8) {
                putUnits(r, 8, QString::fromUtf8(kUcs2Text));
                r.dataLength = 6;
            } else {
                putSeptets(r, 6, c.septetsOrUnits);
                r.dataLength = std::uint16_t(std::strlen(c.septetsOrUnits));
            }
        }
        const std::string pdu = submit(r);
        EXPECT_EQ(pdu, std::string("0051000391") + "21F300" + (c.dcs == 8 ? "08" : "00") + "00" + c.userData) << c.what;

        SmsPduRecord back;
        const int length = DecodePdu_Submit(SmsCodecOptions(), pdu.data(), int(pdu.size()), &back);
        EXPECT_STREQ(back.address, "+123") << c.what;
        EXPECT_EQ(back.headerPresent, 1) << c.what;
        EXPECT_EQ(back.nationalLanguage, c.nationalLanguage) << c.what;
        if (c.dcs == 8) {
            ASSERT_EQ(length, 12) << c.what;
            EXPECT_EQ(fromUnits(reinterpret_cast<const std::uint16_t *>(back.userData), 6), QString::fromUtf8(kUcs2Text));
        } else {
            ASSERT_EQ(length, int(std::strlen(c.septetsOrUnits))) << c.what;
            EXPECT_EQ(std::string(reinterpret_cast<const char *>(back.userData)), c.septetsOrUnits) << c.what;
        }
        if (c.nationalLanguage != 2) {
            EXPECT_EQ(back.elementId, 0) << c.what;
            EXPECT_EQ(back.reference, 0x2A) << c.what;
            EXPECT_EQ(back.total, 2) << c.what;
            EXPECT_EQ(back.sequence, 1) << c.what;
        }
    }
}

TEST(PduEncode, NineOctetNationalHeaderCountsElevenHeaderSeptets)
{
    SmsPduRecord r = emptyRecord();
    setText(r.address, sizeof r.address, "+123");
    r.headerPresent = 1;
    r.nationalLanguage = 3;
    const auto header = bytesOf("08 00 03 2A 02 01 25 01 03");
    std::memcpy(r.userData, header.data(), header.size());
    std::memset(r.userData + header.size(), 'z', 149);
    r.dataLength = 149;
    const std::string pdu = submit(r);
    EXPECT_EQ(pdu.substr(20, 2), "A0"); // 160 septets: the last "z" is kept
    SmsPduRecord back;
    ASSERT_EQ(DecodePdu_Submit(SmsCodecOptions(), pdu.data(), int(pdu.size()), &back), 149);
    EXPECT_EQ(back.userData[148], 'z');

    r.dataLength = 150;
    EXPECT_EQ(submit(r), "refused");
}

TEST(PduEncode, DeliverVectors)
{
    SmsPduRecord r = emptyRecord();
    setText(r.serviceCentre, sizeof r.serviceCentre, "31624000000");
    setText(r.address, sizeof r.address, "+31641600986");
    setText(r.timeStamp, sizeof r.timeStamp, "20806291731408");
    putSeptets(r, 0, "How are you?");
    r.dataLength = 12;
    EXPECT_EQ(deliver(r), kPublishedDeliver);

    r.dcs = 8;
    putUnits(r, 2, QString::fromUtf8(kUcs2Text));
    r.dataLength = 6;
    EXPECT_EQ(deliver(r), kDeliverUcs2);

    // With a header: dataLength counts the header's 6 octets and the septets.
    r = emptyRecord();
    setText(r.serviceCentre, sizeof r.serviceCentre, "+31624000000");
    setText(r.address, sizeof r.address, "+31641600986");
    setText(r.timeStamp, sizeof r.timeStamp, "20806291731408");
    putConcatHeader(r);
    putSeptets(r, 6, "hello world");
    r.dataLength = 6 + 11;
    const std::string pdu = deliver(r);
    EXPECT_EQ(pdu, std::string("07911326040000F0440B911346610089F6000020806291731408") + kConcatUserData);
    SmsPduRecord back;
    ASSERT_EQ(DecodePdu_Delivery(SmsCodecOptions(), pdu.data(), int(pdu.size()), &back), 11);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(back.userData)), "hello world");
    EXPECT_EQ(back.reference, 0x2A);
    EXPECT_EQ(back.sequence, 1);
}

TEST(PduEncode, RefusedRecords)
{
    const struct {
        const char *what;
        bool submitEncoder;
        std::function<void(SmsPduRecord &)> change;
    } cases[] = {
        {"161 septets", true, [](SmsPduRecord &r) { r.dataLength = 161; }},
        {"data past userData", true, [](SmsPduRecord &r) { r.dataLength = 0xFFFF; }},
        {"141 octets of 8-bit data", true, [](SmsPduRecord &r) { r.dcs = 4; r.dataLength = 141; }},
        {"71 UCS-2 characters", true, [](SmsPduRecord &r) { r.dcs = 8; const std::uint16_t n = 71; std::memcpy(r.userData, &n, 2); }},
        {"UCS-2 count past userData", true, [](SmsPduRecord &r) { r.dcs = 8; const std::uint16_t n = 0xFFFF; std::memcpy(r.userData, &n, 2); }},
        {"concatenated 7-bit over 160", true, [](SmsPduRecord &r) { putConcatHeader(r); r.dataLength = 154; }},
        {"concatenated UCS-2 over 140", true, [](SmsPduRecord &r) { putConcatHeader(r); r.dcs = 8; r.dataLength = 68; }},
        {"national header of 5 octets", true, [](SmsPduRecord &r) { r.headerPresent = 1; r.nationalLanguage = 1; r.userData[0] = 4; }},
        {"a letter in the number", true, [](SmsPduRecord &r) { setText(r.address, sizeof r.address, "+12x4"); }},
        {"a letter in the centre", true, [](SmsPduRecord &r) { setText(r.serviceCentre, sizeof r.serviceCentre, "1 2"); }},
        {"DELIVER header without its 6 octets", false, [](SmsPduRecord &r) { putConcatHeader(r); r.dataLength = 5; }},
        {"DELIVER short time stamp", false, [](SmsPduRecord &r) { setText(r.timeStamp, sizeof r.timeStamp, "2080629173"); }},
        {"DELIVER time stamp not in digits", false, [](SmsPduRecord &r) { setText(r.timeStamp, sizeof r.timeStamp, "2080629173140X"); }},
    };
    for (const auto &c : cases) {
        SmsPduRecord r = emptyRecord();
        setText(r.address, sizeof r.address, "+123");
        setText(r.timeStamp, sizeof r.timeStamp, "20806291731408");
        r.dataLength = 2;
        c.change(r);
        EXPECT_EQ(encode(c.submitEncoder, r), "refused") << c.what;
    }

    // Too small an output: nothing written past it.
    SmsPduRecord r = emptyRecord();
    setText(r.address, sizeof r.address, "+123");
    char out[28];
    std::memset(out, 'x', sizeof out);
    r.dataLength = 2;
    EXPECT_EQ(EncodePdu_Submit(SmsCodecOptions(), &r, out, 26), -1); // 26 digits and the zero
    EXPECT_EQ(out[0], 'x');
    EXPECT_EQ(EncodePdu_Submit(SmsCodecOptions(), &r, out, 27), 26);
    EXPECT_STREQ(out, "001100039121F3000000020000");
    EXPECT_EQ(EncodePdu_Submit(SmsCodecOptions(), nullptr, out, 28), -1);
}

TEST(PduEncode, TimeStampText)
{
    const struct {
        const char *text;
        const char *semiOctets; // nullptr: refused
    } cases[] = {
        {"2009-05-12 10:20:30 32", "90502101020323"},
        {"2009-05-12 10:20:30 -4", "90502101020348"},
        {"2009-05-12 10:20:30 -32", "9050210102032B"},
        {"2009-05-12 10:20:30", "90502101020300"},
        {"2023-12-31 23:59:59 0", "32211332959500"},
        {"2009-05-12 10:20", nullptr},
        {"2009-05-12 10:20:300", nullptr},
        {"2009-05-12 10:20:30 -80", nullptr},
        {"20", nullptr},
    };
    for (const auto &c : cases) {
        char out[16];
        std::memset(out, 'x', sizeof out);
        const int n = EncodeTimeStrToPDUFormat(c.text, int(std::strlen(c.text)), out, 15);
        if (!c.semiOctets) {
            EXPECT_EQ(n, -1) << c.text;
            continue;
        }
        ASSERT_EQ(n, 14) << c.text;
        EXPECT_STREQ(out, c.semiOctets) << c.text;
    }
    char small[14];
    EXPECT_EQ(EncodeTimeStrToPDUFormat("2009-05-12 10:20:30 32", 22, small, 14), -1);
}

TEST(AlphaIdentifier, BothWays)
{
    const auto text = units(QStringLiteral("AB"));
    std::uint8_t alpha[6];
    std::memset(alpha, 0xEE, sizeof alpha);
    EXPECT_EQ(utUcs2ToAlphaId(text.data(), 2, alpha, 5), 0);
    EXPECT_EQ(hexOf(alpha, 6), "8000410042EE");
    EXPECT_EQ(utUcs2ToAlphaId(text.data(), 2, alpha, 4), 0xFFFF);
    EXPECT_EQ(utUcs2ToAlphaId(text.data(), 0, alpha, 0), 0);
    EXPECT_EQ(utUcs2ToAlphaId(nullptr, 2, alpha, 5), 0xFFFF);

    const struct {
        const char *alpha;
        int outSize;
        int result;
        const char *text; // UTF-8
    } cases[] = {
        {"41 42 FF", 3, 3, "AB "},
        {"80 00 41 04 11", 2, 2, "AБ"},
        {"80 00 41 04 11", 1, 0xFFFF, nullptr},
        {"81 02 08 C1 41", 2, 2, "сA"},            // base 0x0400 OR 0x41
        {"81 02 08 1B 65 C1", 2, 2, "€с"},
        {"82 02 04 10 81 41", 2, 2, "БA"},         // base 0x0410 + 1
        {"81 05 08 C1 41", 8, 0xFFFF, nullptr},    // the count runs past the data
        {"82 03 04 10 81 41", 8, 0xFFFF, nullptr},
        {"81 02 08 C1 41", 1, 0xFFFF, nullptr},    // past the output
        {"81 02", 4, 0xFFFF, nullptr},
        {"90 00 41", 4, 0xFFFF, nullptr},
    };
    for (const auto &c : cases) {
        const auto bytes = bytesOf(c.alpha);
        std::vector<std::uint16_t> out(std::size_t(c.outSize) + 1, 0xEEEE);
        const int n = utAlphaIdToUcs2(SmsCodecOptions(), bytes.data(), int(bytes.size()), out.data(), c.outSize);
        ASSERT_EQ(n, c.result) << c.alpha;
        EXPECT_EQ(out[std::size_t(c.outSize)], 0xEEEE) << c.alpha;
        if (c.text) {
            EXPECT_EQ(fromUnits(out.data(), n), QString::fromUtf8(c.text)) << c.alpha;
        }
    }

    std::uint16_t counted[5];
    EXPECT_EQ(Usc2orGSM7toAscDecode(SmsCodecOptions(), "8000410042", 10, counted, 4), 0);
    EXPECT_EQ(counted[0], 2);
    EXPECT_EQ(fromUnits(counted + 1, 2), QStringLiteral("AB"));
    EXPECT_EQ(Usc2orGSM7toAscDecode(SmsCodecOptions(), "41421B65", 8, counted, 5), 0);
    EXPECT_EQ(counted[0], 3);
    EXPECT_EQ(fromUnits(counted + 1, 3), QString::fromUtf8("AB€"));
    EXPECT_EQ(Usc2orGSM7toAscDecode(SmsCodecOptions(), "4G", 2, counted, 4), -1);
    const std::string tooLong(512, '4');
    EXPECT_EQ(Usc2orGSM7toAscDecode(SmsCodecOptions(), tooLong.data(), 512, counted, 4), -1);
    EXPECT_EQ(Usc2orGSM7toAscDecode(SmsCodecOptions(), "414243444546", 12, counted, 4), -1);
}

TEST(UserDataBytes, ConversionsAndTheEndCursor)
{
    const std::uint16_t host[2] = {0x041F, 0x0041};
    std::uint8_t big[4];
    EXPECT_EQ(EncodeUcs2(reinterpret_cast<const std::uint8_t *>(host), big, 4, 4), 4);
    EXPECT_EQ(hexOf(big, 4), "041F0041");
    std::uint16_t back[2];
    EXPECT_EQ(DecodeUcs2(big, reinterpret_cast<std::uint8_t *>(back), 4, 4), 4);
    EXPECT_EQ(back[0], 0x041F);
    EXPECT_EQ(EncodeUcs2(big, big, 4, 3), -1);
    std::uint8_t copy[3];
    EXPECT_EQ(Encode8bit(big, copy, 3, 3), 3);
    EXPECT_EQ(Decode8bit(big, copy, 4, 3), -1);

    std::vector<std::uint8_t> bytes(200, 1);
    EXPECT_EQ(findEndCusor(bytes.data(), 200), 180);
    std::fill(bytes.begin() + 20, bytes.begin() + 27, 0);
    EXPECT_EQ(findEndCusor(bytes.data(), 200), 180);
    bytes[27] = 0;
    EXPECT_EQ(findEndCusor(bytes.data(), 200), 20);
}

} // namespace
