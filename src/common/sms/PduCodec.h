#pragma once
// The SMS transfer-layer PDUs of 3GPP TS 23.040 as hexadecimal text, as AT commands in PDU mode
// carry them: decoders for SMS-DELIVER, SMS-SUBMIT, class-0 messages, status reports and
// cell-broadcast pages, encoders for SMS-SUBMIT and SMS-DELIVER, the time-stamp conversion and the
// SIM alpha identifiers.
//
// Decoding is bounded: every decoder is given the length of its text and refuses with -1 an odd
// count of digits, a character that is no digit, a text of more than kMaxPduOctets octets, a PDU
// that ends before a field it announces, a header longer than its user data, an element running
// past its header, and a user-data length whose octets exceed those left. Values that are only
// longer than their field are cut: numbers to 32 characters (a name on a character boundary),
// texts to 160 septets or 140 octets. Whatever the outcome, every text field of the record holds
// a zero within its width afterwards.
//
// Encoders write upper-case hexadecimal text with a terminating zero and return the count of
// digits; they refuse with -1 user data that the record does not hold, a part over 160 septets or
// 140 octets, a number with a character that is not a digit, "*" or "#", and too small an output.

#include "common/sms/SmsCodecOptions.h"
#include "common/sms/SmsPduRecord.h"

#include <cstdint>

namespace yov::sms {

// The longest PDU a decoder reads, service-centre part included.
inline constexpr int kMaxPduOctets = 256;

// SMS-DELIVER with its service-centre part. Clears the record first. Returns the length of the
// text (septets for 7-bit, octets for 8-bit and UCS-2), 0 for 8-bit data of class 2 (no text), -1
// for a null argument or a refused PDU.
int DecodePdu_Delivery(const SmsCodecOptions &options, const char *hex, int hexLength, SmsPduRecord *record);
// SMS-SUBMIT with its service-centre part; the message reference goes into pid and the raw DCS is
// kept. Returns as DecodePdu_Delivery.
int DecodePdu_Submit(const SmsCodecOptions &options, const char *hex, int hexLength, SmsPduRecord *record);
// SMS-DELIVER without a service-centre part (a class-0 message shown at once). 7-bit text is cut
// to 160 septets (where the other decoders give no text); behind a header it comes as UTF-16 (at
// most 80 units) and the result counts the units. Otherwise as DecodePdu_Delivery.
int Decode_Class0_PDU(const SmsCodecOptions &options, const char *hex, int hexLength, SmsPduRecord *record);
// SMS-STATUS-REPORT with its service-centre part. Returns 1; 1 for a null record, 0 for a null
// text, -1 for a refused PDU.
int STATUS_REPORT_PDU(const SmsCodecOptions &options, const char *hex, int hexLength, SmsPduRecord *record);
// A cell-broadcast page (3GPP TS 23.041): the message identifier in decimal into address, the
// content as septet values (at most 160) into userData. Returns their count; -1 for a null
// argument or a refused page.
int Decode_BroadCast_PDU(const SmsCodecOptions &options, const char *hex, int hexLength, SmsPduRecord *record);

// SMS-SUBMIT with its service-centre part, from the record:
//   dcs 0, no header            userData: dataLength septets, one per byte (nationalLanguage is
//                               not looked at)
//   dcs 0, header,              userData: the header to send (4 or 9 octets, its length octet
//     nationalLanguage 1-3      first), then dataLength septets
//   dcs 0, header               userData: header length, unused, element length, reference, total,
//                               sequence, then dataLength septets
//   dcs 8, no header            userData: a 16-bit count (host order), then the characters
//   dcs 8, header               the 6 header octets, an unused 16-bit word, dataLength characters
//   other dcs                   the octets, behind the 6 header octets when there is a header
// Characters are UTF-16 units in host order; the header is written with element id 0.
int EncodePdu_Submit(const SmsCodecOptions &options, const SmsPduRecord *record, char *out, int outSize);
// SMS-DELIVER with its service-centre part (type 0x91): the originator, PID, DCS, the 14
// time-stamp characters as they stand, the user data as for SMS-SUBMIT (dcs 8 without a header:
// dataLength characters behind a 16-bit word). With a header, dataLength counts the 6 header
// octets plus the data units, and 7-bit data starts at the septet boundary after the header.
int EncodePdu_Delivery(const SmsCodecOptions &options, const SmsPduRecord *record, char *out, int outSize);

// A time text "YYYY-MM-DD hh:mm:ss zz" (the zone in quarter hours, "-" before it for west of
// Greenwich; without it the zone is 00) to the 14 semi-octet characters of a time stamp and a
// terminating zero. Returns 14; -1 for a null argument, fewer than six numbers, a number out of
// range or an output below 15.
int EncodeTimeStrToPDUFormat(const char *text, int textLength, char *out, int outSize);

// 7-bit user data as hexadecimal text, its length octet first: the septet values behind the header
// (when headerFlag) and its fill bits, one per byte and zero-terminated; the header's concatenation
// and national-language elements go into the record (when not null). Returns the septet count, 0
// when the length octet exceeds 160, -1 for a null argument, a refused text or too small an output.
int dc7BitHexStr2Str(const char *hex, int hexLength, int headerFlag, std::uint8_t *out, int outSize,
                     SmsPduRecord *record);

// SIM alpha identifiers (3GPP TS 31.102). To: 0x80 and each character big-endian (nothing for an
// empty text); 0, or 0xFFFF for a null argument or an output below 2 x count + 1.
int utUcs2ToAlphaId(const std::uint16_t *text, int count, std::uint8_t *out, int outSize);
// From: by the first byte (below 0x80 GSM codes, 0x80, 0x81, 0x82); the character count, or 0xFFFF
// for a null argument, another first byte, an identifier shorter than its own head or too small an
// output. The counts of 0x81 and 0x82 are checked against the input and the output.
int utAlphaIdToUcs2(const SmsCodecOptions &options, const std::uint8_t *alpha, int alphaLength, std::uint16_t *out,
                    int outSize);
// Hexadecimal text of an alpha identifier ("80", "81", "82" first) or of unpacked GSM codes to a
// counted UTF-16 string: the count, then the characters. Returns 0; -1 for a null argument, a text
// of 512 characters or more, a refused text or too small an output.
int Usc2orGSM7toAscDecode(const SmsCodecOptions &options, const char *hex, int hexLength, std::uint16_t *out,
                          int outSize);

// UTF-16 units in host order (as bytes) to big-endian bytes and back, and 8-bit data as it is; an
// odd last byte of UCS-2 is left out. Return the bytes written; -1 for a null pointer, a negative
// count or too small an output.
int EncodeUcs2(const std::uint8_t *in, std::uint8_t *out, int count, int outSize);
int DecodeUcs2(const std::uint8_t *in, std::uint8_t *out, int count, int outSize);
int Encode8bit(const std::uint8_t *in, std::uint8_t *out, int count, int outSize);
int Decode8bit(const std::uint8_t *in, std::uint8_t *out, int count, int outSize);

// The position of the first run of 8 zero bytes, searched over at most 180 bytes; the count
// searched when there is none.
int findEndCusor(const std::uint8_t *bytes, int count);

} // namespace yov::sms
