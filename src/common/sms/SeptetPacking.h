#pragma once
// Packing of 7-bit septets into octets and back (3GPP TS 23.038), one septet value per byte on
// the unpacked side.

#include <cstdint>

namespace yov::sms {

// Packs count septets from bit 0 and writes the octets they fill whole: count - ceil(count / 8)
// octets, the bits of the last septet that reach into an unfinished octet are not written. A caller
// that wants the complete packing of n septets passes n + 1 with a zero septet behind them.
// Returns the octets written; -1 for a null pointer, a count below 1 or too small an output.
int Encode7bit(const std::uint8_t *septets, std::uint8_t *out, int count, int outSize);

// Unpacks count octets into count + count / 7 septets and a terminating zero byte. Returns the
// septet count; -1 for a null pointer, a negative count or too small an output.
int Decode7bit(const std::uint8_t *octets, std::uint8_t *out, int count, int outSize);

// Writes count septets (their low 7 bits) into out at bit positions firstBit, firstBit + 7, ...,
// ORing them into what out holds; bits that fall at or past outOctets are left out. The packers of
// this folder (Encode7bit and the PDU encoders) all go through it.
void packSeptetsAtBit(const std::uint8_t *septets, int count, int firstBit, std::uint8_t *out, int outOctets);

// The septet that starts at bit position bit of count octets. An octet the input does not hold
// reads as 0.
std::uint8_t get7bitChar(const std::uint8_t *octets, int count, int bit);

} // namespace yov::sms
