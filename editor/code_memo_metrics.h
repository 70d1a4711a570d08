// TCodeMemoMetrics: the editor's font measurements — line height, character
// width, whether the font is fixed-pitch, the advance of every code-page
// byte, and one font per style combination (bold, italic, underline,
// strike-out) set up so that every style keeps the character grid.
//
// The measuring font is the control's font in bold italic, so every style
// fits one cell: line height = its height + its external leading + 1. The
// font is fixed-pitch when "i" and "W" are equally wide in it; then the
// character width is the regular style's average width and every character
// is drawn with that advance. A proportional font is measured per byte.
// Until a font has been measured the cell is 7 x 17.
#pragma once

#include "editor/core/sm_settings.h"

#include <QFont>
#include <QRawFont>

#include <array>
#include <cstdint>

namespace tarnwick {

struct TCodeMemoMetrics {
    int LineHeight = 17;
    int CharWidth = 7;
    int CellWidth = 7; // width of "W" in the regular style (fixed pitch)
    int Ascent = 13;   // baseline below the band's top
    bool FixedPitch = true;
    bool Known = false; // a font has been measured
    // Pixel advance of each code-page byte in the regular style.
    std::array<int, 256> Advance{};

    TCodeMemoMetrics() { Advance.fill(7); }
    void Measure(const QFont& font);
    // The font for a set of kStyle... bits (0..15).
    const QFont& StyleFont(uint8_t style) const { return fonts_[style & 15u]; }
    // Gives every style font the pixel size it has at `dpi` dots per inch,
    // so that it draws the same size on any device (a printer whose painter
    // is scaled to screen pixels).
    void PinPixelSizes(int dpi);
    // Fixed-pitch fonts are drawn from glyph tables, one glyph per cell,
    // without shaping: the raw font of a style and the glyph of each byte
    // (0 when the font has none, which sends the run through text layout).
    const QRawFont& RawFont(uint8_t style) const { return raw_[style & 15u]; }
    quint32 Glyph(uint8_t style, unsigned char byte) const { return glyphs_[style & 15u][byte]; }

private:
    std::array<QFont, 16> fonts_;
    std::array<QRawFont, 16> raw_;
    std::array<std::array<quint32, 256>, 16> glyphs_{};
};

// A settings font description as a Qt font and back (size in points).
QFont FontFromDesc(const TSM_FontDesc& desc);
void CopyFontToDesc(const QFont& font, TSM_FontDesc& desc);

} // namespace tarnwick
