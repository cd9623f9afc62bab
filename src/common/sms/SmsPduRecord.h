#pragma once
// The one parameter record of the PDU codec, for both directions. Text fields are zero-terminated
// 8-bit strings; after any decoder call each of them holds a zero within its width.

#include <cstddef>
#include <cstdint>

namespace yov::sms {

struct SmsPduRecord {
    char serviceCentre[36];     // SMS centre number as digits (decoders write at most 32 characters)
    char address[45];           // originator, destination or recipient; "+" marks an international
                                // number; the name of an alphanumeric originator (UTF-8)
    std::uint8_t pid;           // TP-PID (the SUBMIT decoder puts the message reference here)
    std::uint8_t dcs;           // TP-DCS for the encoders; the decoders put the coding: 0 7-bit,
                                // 4 8-bit, 8 UCS-2
    std::uint8_t validity;      // TP-VP, relative format, for the SUBMIT encoder
    std::uint8_t reportRequest; // 1: ask for a status report (SUBMIT encoder)
    char timeStamp[30];         // TP-SCTS as its 14 semi-octet characters in PDU order
    std::uint8_t userData[161]; // decoders: the text; encoders: the user data, laid out by coding
    char dischargeTime[15];     // TP-DT of a status report, 14 characters
    std::uint8_t status;        // TP-ST of a status report
    std::uint8_t headerPresent; // 1: the user data starts with a header (TP-UDHI)
    std::uint8_t elementId;     // the concatenation element found (0 or 8), else the first element
    std::uint8_t reference;     // 8-bit concatenation reference
    std::uint8_t total;         // number of parts
    std::uint8_t sequence;      // number of this part
    std::uint16_t dataLength;   // length of the user data to encode (septets, octets or characters)
    std::uint16_t reference16;  // 16-bit concatenation reference
    std::uint8_t moreMessages;  // status report: the first octet AND 0x04
    std::uint32_t messageClass; // message class 0-3 from the DCS, 99 when the DCS gives none
    std::uint8_t nationalLanguage; // national language shift: 0 none, 1 Turkish, 2 Spanish, 3 Portuguese
};

inline constexpr std::uint32_t kNoMessageClass = 99;

} // namespace yov::sms
