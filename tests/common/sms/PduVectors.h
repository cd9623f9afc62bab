#pragma once
// Valid PDUs of every kind the decoders read, each written whole (no octet more than its fields
// announce), and the one call per decoder that the tables use.

#include "common/sms/PduCodec.h"

#include <cstring>

namespace smstest {

// The published SMS-DELIVER example: centre 31624000000, originator +31641600986, "How are you?".
inline constexpr const char *kPublishedDeliver = "07911326040000F0040B911346610089F60000208062917314080CC8F71D14969741F977FD07";
inline constexpr const char *kDeliverWithoutCentre = "00040B911346610089F60000208062917314080CC8F71D14969741F977FD07";
inline constexpr const char *kDeliverType81 = "07911326040000F0040B811346610089F600002080629173140802C834";
inline constexpr const char *kDeliverType90 = "07911326040000F0040B901346610089F600002080629173140802C834";
inline constexpr const char *kDeliverName7Length13 = "07911326040000F0040DD0D432BB3C7EB70100002080629173140802C834";
inline constexpr const char *kDeliverName7Length14 = "07911326040000F0040ED0D432BB3C7EB70100002080629173140802C834";
inline constexpr const char *kDeliverName8 = "07911326040000F0040ED04F78591EA6BFE500002080629173140802C834";
inline constexpr const char *kDeliverNameCafe = "07911326040000F00407D0C3B0B90000002080629173140802C834";
inline constexpr const char *kDeliverNameLong = "07911326040000F00425D06108040281402010080402814020100804020100002080629173140802C834";
inline constexpr const char *kDeliverUcs2 = "07911326040000F0040B911346610089F60008208062917314080C041F04400438043204350442";
inline constexpr const char *kDeliver8bit = "07911326040000F0040B911346610089F6000420806291731408050102616263";
inline constexpr const char *kDeliverF4 = "07911326040000F0040B911346610089F600F42080629173140803414243";
inline constexpr const char *kDeliver10 = "07911326040000F0040B911346610089F600102080629173140802C834";
inline constexpr const char *kDeliver52 = "07911326040000F0040B911346610089F600522080629173140802C834";
inline constexpr const char *kDeliverF6 = "07911326040000F0040B911346610089F600F62080629173140803414243";
inline constexpr const char *kDeliverC8 = "07911326040000F0040B911346610089F600C82080629173140802C834";
inline constexpr const char *kDeliverConcat8 = "07911326040000F0440B911346610089F60000208062917314080F0500032A0301A061391DF4769701";
inline constexpr const char *kDeliverConcat16 = "07911326040000F0440B911346610089F60000208062917314081006080412340202D0B09C0EA2DFDF";
inline constexpr const char *kDeliverPortThenConcat = "07911326040000F0440B911346610089F6000020806291731408120B05040B8423F000032A020140DF723A";
inline constexpr const char *kDeliverPortOnly = "07911326040000F0440B911346610089F60000208062917314080C0605040B8423F0D0B79C0E";
inline constexpr const char *kDeliverConcatNational = "07911326040000F0440B911346610089F60000208062917314080F0800032A02022501038019769F01";
inline constexpr const char *kDeliverConcatUcs2 = "07911326040000F0440B911346610089F6000820806291731408120500032A0201041F04400438043204350442";
inline constexpr const char *kStatusReport = "07911326040000F0062A0B911346610089F6208062917314082080629173240800";
inline constexpr const char *kClass0WithAt = "040B911346610089F600102080629173140803418010";
inline constexpr const char *kClass0HeaderLong =
    "440B911346610089F60010208062917314086B0500032A020182C221B1683C2293CA25B3E97C42A3D229B56ABD62B3DA"
    "A070482C1A8FC8A472C96C3A9FD0A8744AAD5AAFD8AC36281C128BC62332A95C329BCE27342A9D52ABD62B36AB0D0A87"
    "C4A2F1884C2A97CCA6F3098D4AA7D4AA15";
inline constexpr const char *kClass0HeaderShort = "440B911346610089F60010208062917314080C0500032B020290E94D1900";
inline constexpr const char *kClass0Ucs2 = "040B911346610089F60018208062917314080C041F04400438043204350442";
inline constexpr const char *kClass0Type90 = "040B901346610089F600102080629173140802C834";
inline constexpr const char *kClass0F4 = "040B911346610089F600F42080629173140803414243";
inline constexpr const char *kBroadcastWithAt = "001012340F1141801000000000000000";
inline constexpr const char *kSubmitAbsoluteValidity = "001907039121F300002080629173140802C834";
inline constexpr const char *kSubmitRelativeValidity = "001107039121F30000AA02C834";
inline constexpr const char *kSubmitF4 = "001107039121F300F4AA03414243";

// Originators named "A" to "ABCDEFGHIJK" (type 0xD0).
inline constexpr const char *kDeliverNames[11] = {
    "07911326040000F00402D04100002080629173140802C834",
    "07911326040000F00404D0412100002080629173140802C834",
    "07911326040000F00406D041E11000002080629173140802C834",
    "07911326040000F00407D041E1900800002080629173140802C834",
    "07911326040000F00409D041E190580400002080629173140802C834",
    "07911326040000F0040BD041E19058340200002080629173140802C834",
    "07911326040000F0040DD041E19058341E0100002080629173140802C834",
    "07911326040000F0040ED041E19058341E9100002080629173140802C834",
    "07911326040000F00410D041E19058341E914900002080629173140802C834",
    "07911326040000F00412D041E19058341E91492500002080629173140802C834",
    "07911326040000F00414D041E19058341E9149E51200002080629173140802C834",
};

// The PDUs above by the decoder that reads them, for the tables of malformed input.
enum class Decoder { Deliver, Submit, Class0, Status, Broadcast };

struct ValidPdu {
    Decoder decoder;
    const char *pdu;
};

inline constexpr ValidPdu kValidPdus[] = {
    {Decoder::Deliver, kPublishedDeliver},
    {Decoder::Deliver, kDeliverWithoutCentre},
    {Decoder::Deliver, kDeliverType81},
    {Decoder::Deliver, kDeliverType90},
    {Decoder::Deliver, kDeliverName7Length13},
    {Decoder::Deliver, kDeliverName7Length14},
    {Decoder::Deliver, kDeliverName8},
    {Decoder::Deliver, kDeliverNameCafe},
    {Decoder::Deliver, kDeliverNameLong},
    {Decoder::Deliver, kDeliverUcs2},
    {Decoder::Deliver, kDeliver8bit},
    {Decoder::Deliver, kDeliverF4},
    {Decoder::Deliver, kDeliver10},
    {Decoder::Deliver, kDeliver52},
    {Decoder::Deliver, kDeliverF6},
    {Decoder::Deliver, kDeliverC8},
    {Decoder::Deliver, kDeliverConcat8},
    {Decoder::Deliver, kDeliverConcat16},
    {Decoder::Deliver, kDeliverPortThenConcat},
    {Decoder::Deliver, kDeliverPortOnly},
    {Decoder::Deliver, kDeliverConcatNational},
    {Decoder::Deliver, kDeliverConcatUcs2},
    {Decoder::Status, kStatusReport},
    {Decoder::Class0, kClass0WithAt},
    {Decoder::Class0, kClass0HeaderLong},
    {Decoder::Class0, kClass0HeaderShort},
    {Decoder::Class0, kClass0Ucs2},
    {Decoder::Class0, kClass0Type90},
    {Decoder::Class0, kClass0F4},
    {Decoder::Broadcast, kBroadcastWithAt},
    {Decoder::Submit, kSubmitAbsoluteValidity},
    {Decoder::Submit, kSubmitRelativeValidity},
    {Decoder::Submit, kSubmitF4},
    {Decoder::Deliver, kDeliverNames[0]},
    {Decoder::Deliver, kDeliverNames[6]},
    {Decoder::Deliver, kDeliverNames[10]},
};

inline int decode(Decoder decoder, const yov::sms::SmsCodecOptions &options, const char *pdu, int length,
                  yov::sms::SmsPduRecord &record)
{
    switch (decoder) {
    case Decoder::Deliver: return yov::sms::DecodePdu_Delivery(options, pdu, length, &record);
    case Decoder::Submit: return yov::sms::DecodePdu_Submit(options, pdu, length, &record);
    case Decoder::Class0: return yov::sms::Decode_Class0_PDU(options, pdu, length, &record);
    case Decoder::Status: return yov::sms::STATUS_REPORT_PDU(options, pdu, length, &record);
    case Decoder::Broadcast: return yov::sms::Decode_BroadCast_PDU(options, pdu, length, &record);
    }
    return -2;
}

inline int decode(Decoder decoder, const yov::sms::SmsCodecOptions &options, const char *pdu,
                  yov::sms::SmsPduRecord &record)
{
    return decode(decoder, options, pdu, int(std::strlen(pdu)), record);
}

} // namespace smstest
