// Colour values as main.ini and the language files keep them: red in the low
// byte, then green, then blue (the high byte is not used here).
#pragma once

#include <QColor>

#include <cstdint>

namespace tarnwick {

inline QColor ColourFromValue(uint32_t value)
{
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

inline uint32_t ValueFromColour(const QColor& colour)
{
    return static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
           (static_cast<uint32_t>(colour.blue()) << 16);
}

}  // namespace tarnwick
