// The value of a hexadecimal digit, for the many small readers of escaped and
// hexadecimal text (profile values, registry files, scheme scripts, search
// patterns and replacements).
#pragma once

namespace tarnwick {

// 0..15 for '0'..'9', 'a'..'f', 'A'..'F'; -1 for any other character.
constexpr int HexDigit(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

}  // namespace tarnwick
