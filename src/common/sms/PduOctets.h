#pragma once
// The octet-level pieces of the PDU codec: a PDU's hexadecimal text as octets, a bounded reader
// over them, a bounded builder for the encoders, and the semi-octet digits of numbers and times.

#include "common/sms/PduCodec.h"

#include <cstdint>

namespace yov::sms::detail {

// The octets of a PDU's hexadecimal text; false for a null text, an odd count of digits, a
// character that is no digit or more than kMaxPduOctets octets.
struct PduOctets {
    std::uint8_t data[kMaxPduOctets];
    int size = 0;
};
bool pduOctetsFromHex(const char *hex, int hexLength, PduOctets &out);

// Reads octets front to back; every read checks what is left and reports false instead of
// reading past the end.
class PduReader {
public:
    PduReader(const std::uint8_t *data, int size) : data_(data), size_(size) {}

    bool octet(std::uint8_t &value)
    {
        if (pos_ >= size_)
            return false;
        value = data_[pos_++];
        return true;
    }
    // count octets, or null when fewer are left.
    const std::uint8_t *octets(int count)
    {
        if (count < 0 || count > size_ - pos_)
            return nullptr;
        const std::uint8_t *at = data_ + pos_;
        pos_ += count;
        return at;
    }
    bool skip(int count) { return count == 0 || octets(count) != nullptr; }
    const std::uint8_t *rest() const { return data_ + pos_; }
    int remaining() const { return size_ - pos_; }

private:
    const std::uint8_t *data_;
    int size_;
    int pos_ = 0;
};

// Collects the octets of a PDU being encoded; writing past kMaxPduOctets marks it failed.
class PduBuilder {
public:
    void put(std::uint8_t value)
    {
        if (size_ < kMaxPduOctets)
            data_[size_++] = value;
        else
            failed_ = true;
    }
    void put(const std::uint8_t *values, int count)
    {
        for (int i = 0; i < count; ++i)
            put(values[i]);
    }
    void fail() { failed_ = true; }
    bool failed() const { return failed_; }
    // The octets as upper-case hexadecimal text with a terminating zero: the count of digits, or -1
    // when building failed or the output is too small.
    int writeHex(char *out, int outSize) const;

private:
    std::uint8_t data_[kMaxPduOctets];
    int size_ = 0;
    bool failed_ = false;
};

// The digits of count octets of semi-octets, low nibble first, as upper-case characters; one
// trailing "F" (the filler of an odd count) dropped; at most maxChars kept, then a zero.
void semiOctetDigits(const std::uint8_t *octets, int count, char *out, int maxChars);

// The characters of count octets as they stand in the hexadecimal text (high nibble first), one
// trailing "F" dropped, then a zero. out holds 2 x count + 1 characters.
void octetsAsText(const std::uint8_t *octets, int count, char *out);

// Appends a number's characters as semi-octets, two to an octet, low nibble first, padded with F:
// digits, "*" (A), "#" (B) and the letters A-F as their value. false for any other character.
bool putSemiOctetDigits(PduBuilder &builder, const char *digits, int count);

// The length of a text field: up to its first zero, at most its width.
int fieldLength(const char *field, int width);

// Puts a zero at the end of every text field of the record.
void terminateTextFields(SmsPduRecord &record);

} // namespace yov::sms::detail
