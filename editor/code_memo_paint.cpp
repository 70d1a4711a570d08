// Painting: one band of LineHeight pixels per display record from the top
// line down — gutter, margin band, text runs coloured through the effect map
// and the selection, the show-all-characters glyphs, the right-margin and
// wrap-column lines — then the focus lines and the caret.
#include "editor/code_memo.h"

#include "chrome/ansi_text.h"
#include "editor/gutter_images.h"

#include <QGlyphRun>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <array>
#include <bit>

namespace tarnwick {

namespace {

const QColor kSilver(192, 192, 192);

QColor Inverse(const QColor& colour)
{
    return QColor(255 - colour.red(), 255 - colour.green(), 255 - colour.blue());
}

} // namespace

QColor TCustomCodeMemo::Colour(uint32_t colour) const
{
    if (!IsSystemColor(colour))
        return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    const QPalette& pal = palette();
    switch (SystemColorIndex(colour)) {
    case SystemColorIndex(clScrollBar): return pal.color(QPalette::Mid);
    case SystemColorIndex(clWindow): return pal.color(QPalette::Base);
    case SystemColorIndex(clWindowText): return pal.color(QPalette::Text);
    case SystemColorIndex(clHighlight): return pal.color(QPalette::Highlight);
    case SystemColorIndex(clHighlightText): return pal.color(QPalette::HighlightedText);
    case SystemColorIndex(clBtnFace): return pal.color(QPalette::Button);
    default: return pal.color(QPalette::WindowText);
    }
}

// An effect's colours; a default flag takes effect 0's colour, and effect 0
// itself then takes the system window colours.
QColor TCustomCodeMemo::EffectFore(int effect) const
{
    const TSM_Settings& settings = const_cast<TCustomCodeMemo*>(this)->Settings();
    const TSM_Effect& e = settings.Effects[static_cast<size_t>(effect)];
    if (e.ForeDefault == 0)
        return Colour(e.Fore);
    const TSM_Effect& base = settings.Effects[0];
    return effect == 0 || base.ForeDefault != 0 ? Colour(clWindowText) : Colour(base.Fore);
}

QColor TCustomCodeMemo::EffectBack(int effect) const
{
    const TSM_Settings& settings = const_cast<TCustomCodeMemo*>(this)->Settings();
    const TSM_Effect& e = settings.Effects[static_cast<size_t>(effect)];
    if (e.BackDefault == 0)
        return Colour(e.Back);
    const TSM_Effect& base = settings.Effects[0];
    return effect == 0 || base.BackDefault != 0 ? Colour(clWindow) : Colour(base.Back);
}

void TCustomCodeMemo::paintEvent(QPaintEvent* event)
{
    lastPaintCount_ = 0;
    if (model_.PaintSuspended())
        return;
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int lineHeight = metrics_.LineHeight;
    const int width = viewport()->width();
    const int height = viewport()->height();

    TLineLoc at = model_.LineByIndex(model_.TopLine());
    int64_t number = at.Rec != nullptr ? LogicalLineNumber(at.Index) : 1;
    int y = 0;
    while (at.Rec != nullptr && y < height) {
        if (at.Index > model_.TopLine() && !at.Rec->IsContinuation())
            ++number;
        if (area.intersects(QRect(0, y, width, lineHeight))) {
            PaintRow(painter, *at.Rec, at.Start, number, y);
            ++lastPaintCount_;
        }
        at.Rec->Flags &= ~(lfRepaint | lfRecolour | lfPainted);
        y += lineHeight;
        at.Start += at.Rec->Len;
        at.Rec = at.Rec->Next;
        ++at.Index;
    }
    if (y < height)
        painter.fillRect(QRect(0, y, width, height - y), EffectBack(0));

    if (showFocusLine_ && hasFocus()) {
        const auto caret = PointFromChar(model_.SelCaret());
        if (caret) {
            painter.setPen(Inverse(EffectBack(0)));
            const int left = TextLeft();
            painter.drawLine(left, caret->y(), width, caret->y());
            painter.drawLine(left, caret->y() + lineHeight - 1, width, caret->y() + lineHeight - 1);
        }
    }
    // The margin line being dragged, inverted, at the pointer's column.
    if (marginDrag_ != TMarginDrag::None) {
        const int x = TextLeft() + (marginDragColumn_ - model_.LeftColumn()) * metrics_.CharWidth;
        painter.save();
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(QRect(x, 0, 1, height), Qt::white);
        painter.restore();
    }
    PaintCaret(painter);
    PaintDropCaret(painter);

    shown_.Top = model_.TopLine();
    shown_.Left = model_.LeftColumn();
    shown_.Records = model_.RecordCount();
    const bool showSel = hasFocus() || !model_.HideSelection;
    shown_.SelStart = showSel ? model_.SelStart() : 0;
    shown_.SelEnd = showSel ? model_.SelEnd() : 0;
    shown_.Caret = model_.SelCaret();
    fullRepaint_ = false;
}

// The logical line number of record `index`: records that start a logical
// line, counted from the nearest number worked out before.
int64_t TCustomCodeMemo::LogicalLineNumber(int64_t index)
{
    TLineLoc from{model_.Store().First(), 0, 0};
    int64_t number = 1;
    if (numberIndex_ >= 0 && numberIndex_ <= index) {
        from = model_.LineByIndex(numberIndex_);
        number = numberValue_;
    }
    while (from.Rec != nullptr && from.Index < index && from.Rec->Next != nullptr) {
        from.Start += from.Rec->Len;
        from.Rec = from.Rec->Next;
        ++from.Index;
        if (!from.Rec->IsContinuation())
            ++number;
    }
    numberIndex_ = from.Index;
    numberValue_ = number;
    numberOffset_ = from.Start;
    return number;
}

void TCustomCodeMemo::PaintGutter(QPainter& painter, const TLineRec& rec, int64_t lineNumber, int y)
{
    const TSM_Settings& settings = Settings();
    const int gutter = settings.Gutter;
    const int lineHeight = metrics_.LineHeight;
    // Images taller than the line are cut to the band.
    painter.save();
    painter.setClipRect(QRect(0, y, gutter, lineHeight));
    painter.fillRect(QRect(0, y, gutter, lineHeight), settings.GutterColorDefault != 0
                                                          ? Colour(clScrollBar)
                                                          : Colour(settings.GutterColor));
    if (gutter > 9)
        painter.fillRect(QRect(gutter - 2, y, 1, lineHeight), Qt::white);
    const qreal ratio = painter.device()->devicePixelRatioF();
    const int imageY = y + std::max(0, (lineHeight - kGutterImageHeight) / 2);
    uint16_t marks = rec.Marks;
    if ((settings.Options & smoShowWrapGlyph) == 0)
        marks &= static_cast<uint16_t>(~kMarkContinuation);
    if (marks != 0) {
        const int bit = std::bit_width(marks) - 1;
        const QImage& image = bit == 12 ? images_->Image(TGutterImages::WrapGlyph, 0, ratio)
                                        : images_->Image(TGutterImages::MarkList, bit, ratio);
        painter.drawImage(QPoint(1, imageY), image);
    }
    const auto marks2 = static_cast<uint16_t>(rec.Marks2);
    if (marks2 != 0)
        painter.drawImage(QPoint(17, imageY), images_->Image(TGutterImages::SecondList,
                                                             std::bit_width(marks2) - 1, ratio));
    if ((settings.Options & smoLineNumbers) != 0 && rec.Marks == 0 && rec.Marks2 == 0) {
        QString text = QString::number(lineNumber);
        if (text.size() > 7)
            text = text.right(7);
        painter.setFont(gutterFont_);
        painter.setPen(Colour(settings.GutterFont.Color));
        painter.drawText(QRect(2, y, gutter - 4, lineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         text);
    }
    painter.restore();
}

// The record as it is shown: TABs become blanks up to the next tab stop;
// token values are spread the same way; columnOfIndex_ maps each character
// index (and the index after the last) to its display column.
void TCustomCodeMemo::ExpandRecord(const TLineRec& rec)
{
    const size_t len = rec.TextLen();
    const int columns = rec.HasTab() ? model_.ColumnOfIndex(rec, len) : static_cast<int>(len);
    display_.resize(columns);
    displayBytes_.resize(static_cast<size_t>(columns));
    displayAttrs_.resize(static_cast<size_t>(columns));
    columnOfIndex_.resize(static_cast<size_t>(rec.Len) + 1);
    const std::array<QChar, 256>& chars = AnsiChars();
    QChar* out = display_.data();
    const uint8_t* attrs = rec.Attrs.get();
    int column = 0;
    for (size_t i = 0; i < len; ++i) {
        columnOfIndex_[i] = column;
        const auto c = static_cast<unsigned char>(rec.Text[i]);
        const uint8_t token = attrs != nullptr ? attrs[i] : 0;
        if (c == '\t') {
            const int next = model_.NextTabStop(column);
            for (; column < next; ++column) {
                out[column] = QLatin1Char(' ');
                displayBytes_[static_cast<size_t>(column)] = ' ';
                displayAttrs_[static_cast<size_t>(column)] = token;
            }
        }
        else {
            out[column] = chars[c];
            displayBytes_[static_cast<size_t>(column)] = c;
            displayAttrs_[static_cast<size_t>(column)] = token;
            ++column;
        }
    }
    for (size_t i = len; i <= rec.Len; ++i)
        columnOfIndex_[i] = column + static_cast<int>(i - len);
}

void TCustomCodeMemo::PaintRow(QPainter& painter, TLineRec& rec, int64_t recStart,
                               int64_t lineNumber, int y)
{
    const TSM_Settings& settings = Settings();
    const uint32_t options = settings.Options;
    const int lineHeight = metrics_.LineHeight;
    const int width = viewport()->width();
    const int textLeft = TextLeft();
    const int gutter = (options & smoShowGutter) != 0 ? settings.Gutter : 0;
    if (gutter > 0)
        PaintGutter(painter, rec, lineNumber, y);
    if (settings.Margin > 0)
        painter.fillRect(QRect(gutter, y, settings.Margin, lineHeight),
                         settings.MarginColorDefault != 0 ? EffectBack(0)
                                                          : Colour(settings.MarginColor));

    ExpandRecord(rec);
    const int left = model_.LeftColumn();
    const int charWidth = metrics_.CharWidth;
    const QRect band(textLeft, y, width - textLeft, lineHeight);
    painter.save();
    painter.setClipRect(band);
    const bool drawn =
        OnDrawLine && OnDrawLine(TLineDrawData{&painter, display_, band, recStart, left}) != 0;
    if (!drawn)
        PaintText(painter, rec, recStart, y, ScreenBand());
    PaintMarks(painter, rec, recStart, y);

    // Right margin and wrap column.
    const int visible = model_.VisibleColumns;
    const int rightMargin = settings.RightMargin;
    if ((options & smoShowRMargin) != 0 && rightMargin >= left && rightMargin < left + visible) {
        const int mx = textLeft + (rightMargin - left) * charWidth;
        painter.fillRect(QRect(mx, y, 1, lineHeight), kSilver);
    }
    const int wrapColumn = settings.WrapAtColumn;
    if ((options & smoWordWrap) != 0 && (options & smoShowWrapColumn) != 0 && wrapColumn >= 1 &&
        wrapColumn >= left && wrapColumn < left + visible) {
        const int wx = textLeft + (wrapColumn - left) * charWidth;
        // Dots on every other pixel, in step with the band so bands join up.
        for (int dy = (y & 1); dy < lineHeight; dy += 2)
            painter.fillRect(QRect(wx, y + dy, 1, 1), kSilver);
    }
    painter.restore();
}

// A fixed-pitch run straight from the glyph table, one cell per glyph;
// false when the font lacks a glyph of the run (then text layout draws it).
bool TCustomCodeMemo::DrawGlyphs(QPainter& painter, uint8_t style, int from, int to, QPoint origin)
{
    if (!metrics_.FixedPitch || !metrics_.RawFont(style).isValid())
        return false;
    const auto count = static_cast<size_t>(to - from);
    glyphIndexes_.resize(count);
    if (glyphPositions_.size() < count) {
        const size_t old = glyphPositions_.size();
        glyphPositions_.resize(count);
        for (size_t i = old; i < count; ++i)
            glyphPositions_[i] = QPointF(0, 0);
    }
    for (size_t i = 0; i < count; ++i) {
        const quint32 glyph = metrics_.Glyph(style, displayBytes_[static_cast<size_t>(from) + i]);
        if (glyph == 0)
            return false;
        glyphIndexes_[i] = glyph;
        glyphPositions_[i] = QPointF(static_cast<qreal>(i) * metrics_.CharWidth, 0);
    }
    QGlyphRun run;
    run.setRawFont(metrics_.RawFont(style));
    run.setRawData(glyphIndexes_.data(), glyphPositions_.data(), static_cast<int>(count));
    run.setUnderline((style & kStyleUnderline) != 0);
    run.setStrikeOut((style & kStyleStrikeOut) != 0);
    painter.drawGlyphRun(origin, run);
    return true;
}

// The text of a band in runs of equal colouring, then the show-all glyphs.
TCustomCodeMemo::TBandLayout TCustomCodeMemo::ScreenBand()
{
    TBandLayout band;
    band.TextLeft = TextLeft();
    band.Right = viewport()->width();
    band.LeftColumn = model_.LeftColumn();
    band.MaxRun = std::max(1, model_.VisibleColumns * 3 / 2);
    band.Selection = hasFocus() || !model_.HideSelection;
    band.ShowAll = (Settings().Options & smoShowAllChars) != 0 && band.LeftColumn == 0;
    return band;
}

void TCustomCodeMemo::PaintText(QPainter& painter, const TLineRec& rec, int64_t recStart, int y,
                                const TBandLayout& band)
{
    const TSM_Settings& settings = Settings();
    const uint32_t options = settings.Options;
    const int lineHeight = metrics_.LineHeight;
    const int width = band.Right;
    const int textLeft = band.TextLeft;
    const int columns = static_cast<int>(display_.size());
    const int left = band.LeftColumn;
    const int charWidth = metrics_.CharWidth;
    // The selection in display columns; a selected line break shows as one
    // selected cell after the text.
    const bool showSel = band.Selection;
    int selFrom = 0;
    int selTo = 0;
    bool breakSelected = false;
    if (showSel && model_.SelStart() < model_.SelEnd()) {
        const int64_t s = std::clamp<int64_t>(model_.SelStart() - recStart, 0, rec.Len);
        const int64_t e = std::clamp<int64_t>(model_.SelEnd() - recStart, 0, rec.Len);
        if (s < e) {
            selFrom = columnOfIndex_[static_cast<size_t>(s)];
            selTo = std::min(columnOfIndex_[static_cast<size_t>(e)], columns);
            breakSelected = rec.EndsWithCR() && e == rec.Len;
        }
    }
    const QColor selFore =
        settings.SelTextColorDefault != 0 ? Colour(clHighlightText) : Colour(settings.SelTextColor);
    const QColor selBack =
        settings.SelTextBackDefault != 0 ? Colour(clHighlight) : Colour(settings.SelTextBack);
    const auto effectOf = [&](uint8_t token) {
        const uint8_t effect = settings.EffectMap[token];
        return settings.Effects[effect].Defined ? effect : uint8_t{0};
    };
    const QColor lineFore =
        rec.LineFore >= 0 ? Colour(static_cast<uint32_t>(rec.LineFore)) : QColor();
    const QColor lineBack =
        rec.LineBack >= 0 ? Colour(static_cast<uint32_t>(rec.LineBack)) : QColor();

    // A fixed-pitch run is cut to what fits the band.
    const int maxRun = band.MaxRun;
    int column = left;
    int x = textLeft;
    QColor back = lineBack.isValid() ? lineBack : EffectBack(0);
    const bool showAll = band.ShowAll;
    // Transparent text leaves the page's background as it is.
    const auto fill = [&](const QRect& rect, const QColor& colour) {
        if (!band.Transparent)
            painter.fillRect(rect, colour);
    };
    while (column < columns && x < width) {
        const uint8_t token = displayAttrs_[static_cast<size_t>(column)];
        const bool selected = column >= selFrom && column < selTo;
        int end = column + 1;
        while (end < columns && displayAttrs_[static_cast<size_t>(end)] == token &&
               (end >= selFrom && end < selTo) == selected)
            ++end;
        if (metrics_.FixedPitch)
            end = std::min(end, column + maxRun);
        const uint8_t effect = effectOf(token);
        QColor fore;
        if (selected) {
            fore = selFore;
            back = selBack;
        }
        else {
            fore = lineFore.isValid() ? lineFore : EffectFore(effect);
            back = lineBack.isValid() ? lineBack : EffectBack(effect);
        }
        const QString run = QString::fromRawData(display_.constData() + column, end - column);
        painter.setFont(metrics_.StyleFont(settings.Effects[effect].Style));
        const int runWidth = metrics_.FixedPitch ? (end - column) * charWidth
                                                 : painter.fontMetrics().horizontalAdvance(run);
        fill(QRect(x, y, runWidth, lineHeight), back);
        painter.setPen(fore);
        if (!DrawGlyphs(painter, settings.Effects[effect].Style, column, end,
                        QPoint(x, y + metrics_.Ascent)))
            painter.drawText(QPoint(x, y + metrics_.Ascent), run);
        if (showAll) {
            // Blanks as a raised dot, in the inverse of the run's background.
            painter.setPen(Inverse(back));
            for (int c = column; c < end; ++c)
                if (display_[c] == QLatin1Char(' '))
                    painter.drawPoint(x + (c - column) * charWidth + charWidth / 2,
                                      y + metrics_.Ascent - lineHeight / 4);
        }
        x += runWidth;
        column = end;
        if (!selected)
            back = lineBack.isValid() ? lineBack : EffectBack(effect);
    }
    if (breakSelected && x < width) {
        fill(QRect(x, y, charWidth, lineHeight), selBack);
        x += charWidth;
    }
    // Right of the text the band takes the line's last effect, whether or not
    // the selection ended on the text's last character.
    back = columns > 0 ? EffectBack(effectOf(displayAttrs_[static_cast<size_t>(columns - 1)]))
                       : EffectBack(0);
    if (lineBack.isValid())
        back = lineBack;
    if (x < width)
        fill(QRect(x, y, width - x, lineHeight), back);

    if (showAll) {
        painter.setPen(QPen(Inverse(back), 1));
        // TABs: an arrow across the TAB's extent.
        for (size_t i = 0; i < rec.TextLen(); ++i) {
            if (rec.Text[i] != '\t')
                continue;
            const int from = textLeft + columnOfIndex_[i] * charWidth;
            const int to = textLeft + columnOfIndex_[i + 1] * charWidth;
            const int mid = y + lineHeight / 2;
            painter.drawLine(from + 2, mid, to - 2, mid);
            painter.drawLine(to - 5, mid - 3, to - 2, mid);
            painter.drawLine(to - 5, mid + 3, to - 2, mid);
        }
        // Line ends: a pilcrow for a hard break, a down-left hook for a soft one.
        const int endX = textLeft + columns * charWidth;
        if (rec.EndsWithCR()) {
            painter.drawText(QPoint(endX, y + metrics_.Ascent), QString(QChar(0x00B6)));
        }
        else if ((options & smoWordWrap) != 0 && rec.Next != nullptr &&
                 rec.Next->IsContinuation()) {
            const int mid = y + lineHeight / 2;
            painter.drawLine(endX + charWidth / 2, y + 3, endX + charWidth / 2, mid);
            painter.drawLine(endX + 1, mid, endX + charWidth / 2, mid);
        }
    }
}

// Range marks over the cells they cover: the host's painter, or an
// underline in the text colour.
void TCustomCodeMemo::PaintMarks(QPainter& painter, const TLineRec& rec, int64_t recStart, int y)
{
    const int64_t recEnd = recStart + rec.Len;
    const int textLeft = TextLeft();
    const int left = model_.LeftColumn();
    for (const TRangeMark& mark : model_.RangeMarks()) {
        if (mark.End <= recStart || mark.Start >= recEnd)
            continue;
        const auto from = static_cast<size_t>(std::max(mark.Start, recStart) - recStart);
        const auto to = static_cast<size_t>(std::min(mark.End, recEnd) - recStart);
        const int x1 = textLeft + (columnOfIndex_[from] - left) * metrics_.CharWidth;
        const int x2 = textLeft + (columnOfIndex_[to] - left) * metrics_.CharWidth;
        const QRect cells(x1, y, std::max(x2 - x1, 1), metrics_.LineHeight);
        if (OnDrawMark)
            OnDrawMark(painter, mark, cells);
        else
            painter.fillRect(QRect(cells.left(), cells.bottom() - 1, cells.width(), 1),
                             EffectFore(0));
    }
}

void TCustomCodeMemo::PaintCaret(QPainter& painter)
{
    if (!hasFocus())
        return;
    const int64_t caret = model_.SelCaret();
    const TLineLoc at = model_.FindLine(caret);
    int64_t index = at.Index;
    int column = model_.CaretColumn();
    // The empty position after a final line break has a row of its own.
    if (at.Rec != nullptr && at.Rec->Next == nullptr && at.Rec->EndsWithCR() &&
        caret == at.Start + at.Rec->Len) {
        ++index;
        column = 0;
    }
    const int64_t row = index - model_.TopLine();
    if (row < 0 || row > model_.VisibleLines + 1)
        return;
    const int y = static_cast<int>(row) * metrics_.LineHeight;
    const int x = TextLeft() + (column - model_.LeftColumn()) * metrics_.CharWidth;
    if (x < TextLeft() || x >= viewport()->width() || y >= viewport()->height())
        return;
    int caretWidth = 2;
    if (!model_.InsertMode() && (model_.Options & smoBlockOverwriteCursor) != 0) {
        caretWidth = metrics_.CharWidth;
        if (!metrics_.FixedPitch && at.Rec != nullptr &&
            caret - at.Start < static_cast<int64_t>(at.Rec->TextLen()))
            caretWidth =
                metrics_.Advance[static_cast<unsigned char>(at.Rec->Text[caret - at.Start])];
    }
    painter.save();
    painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    painter.fillRect(QRect(x, y, caretWidth, metrics_.LineHeight), Qt::white);
    painter.restore();
}

// ---------------------------------------------------------------- pixel messages

std::optional<QPoint> TCustomCodeMemo::PointFromChar(int64_t offset)
{
    const TLineLoc at = model_.FindLine(offset);
    if (at.Rec == nullptr)
        return QPoint(TextLeft(), 0);
    offset = std::clamp<int64_t>(offset, 0, model_.CharCount());
    int64_t index = at.Index;
    int column = model_.ColumnOfIndex(*at.Rec, static_cast<size_t>(offset - at.Start));
    if (at.Rec->Next == nullptr && at.Rec->EndsWithCR() && offset == at.Start + at.Rec->Len) {
        ++index;
        column = 0;
    }
    const int64_t row = index - model_.TopLine();
    const int columnsIn = column - model_.LeftColumn();
    if (row < 0 || columnsIn < 0 || row > 0x7FFF)
        return std::nullopt;
    int x = TextLeft() + columnsIn * metrics_.CharWidth;
    if (!metrics_.FixedPitch) {
        ExpandRecord(*at.Rec);
        const std::string_view text = at.Rec->View();
        x = TextLeft();
        for (size_t i = 0; i < static_cast<size_t>(offset - at.Start) && i < at.Rec->TextLen();
             ++i) {
            if (columnOfIndex_[i] < model_.LeftColumn())
                continue;
            x += text[i] == '\t'
                     ? (columnOfIndex_[i + 1] - columnOfIndex_[i]) * metrics_.Advance[' ']
                     : metrics_.Advance[static_cast<unsigned char>(text[i])];
        }
    }
    return QPoint(x, static_cast<int>(row) * metrics_.LineHeight);
}

int64_t TCustomCodeMemo::PosFromChar(int64_t offset)
{
    const auto point = PointFromChar(offset);
    if (!point || point->x() > 0xFFFF)
        return -1;
    return (static_cast<int64_t>(point->y()) << 16) | point->x();
}

int64_t TCustomCodeMemo::CharFromPoint(QPoint point)
{
    const int textLeft = TextLeft();
    if (point.x() < textLeft || point.y() < 0 ||
        point.x() >= textLeft + model_.VisibleColumns * metrics_.CharWidth ||
        point.y() >= model_.VisibleLines * metrics_.LineHeight)
        return -1;
    return HitTest(point, false).Offset;
}

int64_t TCustomCodeMemo::CharFromPos(int x, int y)
{
    return CharFromPoint(QPoint(x, y));
}

} // namespace tarnwick
