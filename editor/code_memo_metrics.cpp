#include "editor/code_memo_metrics.h"

#include "chrome/ansi_text.h"

#include <QFontMetrics>
#include <QFontMetricsF>

#include <algorithm>

namespace tarnwick {

void TCodeMemoMetrics::Measure(const QFont& font)
{
    QFont measuring = font;
    measuring.setBold(true);
    measuring.setItalic(true);
    const QFontMetrics boldItalic(measuring);
    LineHeight = boldItalic.height() + std::max(0, boldItalic.leading()) + 1;
    Ascent = boldItalic.ascent();
    FixedPitch = boldItalic.horizontalAdvance(QLatin1Char('i')) ==
                 boldItalic.horizontalAdvance(QLatin1Char('W'));
    const QFontMetrics regular(font);
    if (FixedPitch) {
        CellWidth = regular.horizontalAdvance(QLatin1Char('W'));
        CharWidth = std::max(1, regular.averageCharWidth());
        Advance.fill(CharWidth);
    }
    else {
        CharWidth = std::max(1, boldItalic.averageCharWidth());
        CellWidth = CharWidth;
        for (int byte = 0; byte < 256; ++byte)
            Advance[static_cast<size_t>(byte)] = regular.horizontalAdvance(
                AnsiChars()[static_cast<size_t>(byte)]);
    }
    for (uint8_t style = 0; style < 16; ++style) {
        QFont styled = font;
        styled.setBold((style & kStyleBold) != 0);
        styled.setItalic((style & kStyleItalic) != 0);
        styled.setUnderline((style & kStyleUnderline) != 0);
        styled.setStrikeOut((style & kStyleStrikeOut) != 0);
        styled.setKerning(false);
        // Bold and italic faces of a fixed-pitch font may advance a little
        // differently; the spacing brings every glyph back to the cell.
        if (FixedPitch) {
            const qreal advance = QFontMetricsF(styled).horizontalAdvance(QLatin1Char('W'));
            styled.setLetterSpacing(QFont::AbsoluteSpacing, CharWidth - advance);
        }
        fonts_[style] = styled;
        glyphs_[style].fill(0);
        raw_[style] = FixedPitch ? QRawFont::fromFont(styled) : QRawFont();
        if (raw_[style].isValid()) {
            for (int byte = 32; byte < 256; ++byte) {
                const QList<quint32> glyph = raw_[style].glyphIndexesForString(
                    QString(AnsiChars()[static_cast<size_t>(byte)]));
                glyphs_[style][static_cast<size_t>(byte)] = glyph.size() == 1 ? glyph.front() : 0;
            }
        }
    }
    Known = true;
}

void TCodeMemoMetrics::PinPixelSizes(int dpi)
{
    for (QFont& font : fonts_)
        if (font.pointSizeF() > 0)
            font.setPixelSize(std::max(1, qRound(font.pointSizeF() * dpi / 72.0)));
}

QFont FontFromDesc(const TSM_FontDesc& desc)
{
    QFont font(AnsiToQt(desc.Name));
    font.setPointSize(std::max(1, static_cast<int>(desc.Size)));
    font.setBold((desc.Style & kStyleBold) != 0);
    font.setItalic((desc.Style & kStyleItalic) != 0);
    font.setUnderline((desc.Style & kStyleUnderline) != 0);
    font.setStrikeOut((desc.Style & kStyleStrikeOut) != 0);
    return font;
}

void CopyFontToDesc(const QFont& font, TSM_FontDesc& desc)
{
    desc.Name = QtToAnsi(font.family());
    desc.Size = font.pointSize() > 0 ? font.pointSize() : desc.Size;
}

} // namespace tarnwick
