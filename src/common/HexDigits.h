#pragma once
// One hexadecimal digit each way, for the readers of hexadecimal text from the device.

namespace yov {

// The value of a digit 0-9, A-F or a-f; -1 for any other character.
constexpr int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

inline constexpr char kUpperHexDigits[] = "0123456789ABCDEF";

} // namespace yov
