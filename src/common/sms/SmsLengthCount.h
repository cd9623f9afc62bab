#pragma once
// The character and part counts of an SMS text as the editor shows them; both sides of the device
// link count with these, so that the editor and the device service agree.
//
// A text goes in 7-bit when IfUcs2IsSMS7 says so; its length is then the septet count (escaped
// characters count two), otherwise the count of UTF-16 units.
//
//   case                                       single   per part of a long message
//   UCS-2                                      70       67
//   7-bit, national table in force, escaped    155      149
//   7-bit otherwise                            160      153
//
// Parts are ceil(length / single) up to the single length and ceil(length / per part) above it;
// an empty text has 0 parts.

#include "common/sms/SmsCodecOptions.h"

#include <cstdint>

namespace yov::sms {

// The septet count for a 7-bit text, else the count of units.
int getInputTextNum(const SmsCodecOptions &options, const std::uint16_t *text, int count);
// The number of parts.
int getInputPackNum(const SmsCodecOptions &options, const std::uint16_t *text, int count);
// Characters per part of a long message: 67, 149 or 153.
int getSingleMaxInputLen(const SmsCodecOptions &options, const std::uint16_t *text, int count);
// getSingleMaxInputLen times the maximum number of parts.
int getMaxTextNum(const SmsCodecOptions &options, const std::uint16_t *text, int count, int maxParts);
// flag 0: characters of a single message (70, 155 or 160); otherwise getSingleMaxInputLen.
int getSingleMaxLength(const SmsCodecOptions &options, const std::uint16_t *text, int count, int flag);
// How many leading characters of a text over the limit (maximum parts times the characters per
// part) to keep: the limit itself for UCS-2, else the longest prefix, at most count - 1 characters,
// whose septets stay within the limit. An empty text gives 0.
int cutMaxTextLen(const SmsCodecOptions &options, const std::uint16_t *text, int count, int maxParts);

} // namespace yov::sms
