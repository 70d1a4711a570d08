// Colours of the editor settings: 32-bit values, red in the low byte, then
// green, then blue. A value with the top bit set names a system colour by
// its index in the low byte (0x8000000F is the button face); the widget
// layer turns such values into the platform's palette colours.
#pragma once

#include <cstdint>

namespace tarnwick {

using TColor = uint32_t;

inline constexpr TColor kSystemColorFlag = 0x80000000u;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clScrollBar = kSystemColorFlag | 0;
inline constexpr TColor clWindow = kSystemColorFlag | 5;
inline constexpr TColor clWindowText = kSystemColorFlag | 8;
inline constexpr TColor clHighlight = kSystemColorFlag | 13;
inline constexpr TColor clHighlightText = kSystemColorFlag | 14;
inline constexpr TColor clBtnFace = kSystemColorFlag | 15;

inline constexpr bool IsSystemColor(TColor color) { return (color & kSystemColorFlag) != 0; }
// The system colour index of a system colour value (0..255).
inline constexpr int SystemColorIndex(TColor color) { return static_cast<int>(color & 0xFF); }

inline constexpr TColor RGBColor(uint8_t red, uint8_t green, uint8_t blue)
{
    return TColor{red} | (TColor{green} << 8) | (TColor{blue} << 16);
}

}  // namespace tarnwick
