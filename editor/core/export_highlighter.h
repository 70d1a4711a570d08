// What the HTML and RTF writers need from a highlighter: colouring of the
// lines (token values into each record's Attrs), the token-to-effect map and
// the effects' colours and styles. Without a highlighter every character is
// written with effect 0, black on white.
#pragma once

#include "editor/core/line_rec.h"

#include <cstdint>

namespace tarnwick {

// Effect style bits.
inline constexpr uint8_t fsBold = 1;
inline constexpr uint8_t fsItalic = 2;
inline constexpr uint8_t fsUnderline = 4;
inline constexpr uint8_t fsStrikeOut = 8;

struct TTextEffect {
    int32_t Fore = 0x000000;  // colour, red in the low byte
    int32_t Back = 0xFFFFFF;
    uint8_t Style = 0;
    bool Defined = false;
};

class TExportHighlighter {
public:
    virtual ~TExportHighlighter() = default;
    // Writes token values into Attrs of every record from `first` on.
    virtual void ColourLines(TLineRec* first) = 0;
    // The effect a token value is shown with (0..255).
    virtual uint8_t EffectOfToken(uint8_t tokenValue) const = 0;
    virtual TTextEffect Effect(uint8_t effect) const = 0;
};

}  // namespace tarnwick
