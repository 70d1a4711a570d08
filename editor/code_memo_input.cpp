// Input: Qt key events become virtual keys and a shift state and go to the
// template trigger, the auto-replace trigger and the keyboard controller in
// that order; what none of them takes is typed (code page 1252 only). Mouse
// events become offsets and columns for the model's mouse calls, plus the
// widget's own gutter, margin, margin-line dragging and hyperlink handling.
#include "editor/code_memo.h"

#include "editor/qt_keys.h"
#include "platform/codepage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>

namespace tarnwick {

namespace {

// Keys whose Shift extends the selection instead of being matched.
bool ShiftExtends(uint16_t key)
{
    switch (key) {
    case VK_BACK:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: return true;
    default: return false;
    }
}

// Modifier and lock keys alone: pressing Shift between Ctrl+K and I must not
// end the sequence, so they never reach the bindings.
bool ModifierOnly(uint16_t key)
{
    switch (key) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL: return true;
    default: return false;
    }
}

uint64_t EventTime(const QInputEvent* event)
{
    static QElapsedTimer clock = [] {
        QElapsedTimer timer;
        timer.start();
        return timer;
    }();
    return event->timestamp() != 0 ? event->timestamp() : static_cast<uint64_t>(clock.elapsed());
}

} // namespace

// ---------------------------------------------------------------- keyboard

bool TCustomCodeMemo::event(QEvent* event)
{
    // The second key of a sequence (Ctrl+K, I) belongs to the editor even
    // when the window has a shortcut on it.
    if (event->type() == QEvent::ShortcutOverride && Settings().Keys().KeyStore().InSequence()) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool TCustomCodeMemo::focusNextPrevChild(bool next)
{
    // TAB is a character while the control wants it.
    if (model_.WantTab)
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

bool TCustomCodeMemo::ProcessKey(uint16_t key, TShiftState shift)
{
    if (ProcessMacroKeys(key, shift))
        return true;
    const bool extend = ShiftExtends(key) && (shift & ssShift) != 0;
    if (ShiftExtends(key))
        shift &= static_cast<TShiftState>(~ssShift);
    pendingExtend_ = extend;
    TKeyboardActionContoller& keys = Settings().Keys();
    keys.OnRecognised = [this](int code) { model_.CommandRecognised(code, pendingExtend_); };
    bool handled = false;
    keys.ProcessKey(key, shift, handled);
    return handled;
}

void TCustomCodeMemo::keyPressEvent(QKeyEvent* event)
{
    const uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
    const TShiftState shift = ShiftStateFromQt(event->modifiers());
    emit KeyDown(key, shift);
    event->accept();
    if (ModifierOnly(key))
        return;
    if (key != 0 && ProcessKey(key, shift))
        return;
    // F3 finds the last search text again when no binding took it.
    if (key == VK_F3 && shift == 0) {
        FindNext();
        return;
    }
    // Ctrl and Alt combinations type nothing (Ctrl+Alt is AltGr on some
    // layouts and does type).
    const bool ctrl = (shift & ssCtrl) != 0;
    const bool alt = (shift & ssAlt) != 0;
    if (ctrl != alt)
        return;
    TypeText(event->text());
}

void TCustomCodeMemo::keyReleaseEvent(QKeyEvent* event)
{
    emit KeyUp(VirtualKeyFromQt(event->key(), event->modifiers()),
               ShiftStateFromQt(event->modifiers()));
    event->accept();
}

void TCustomCodeMemo::inputMethodEvent(QInputMethodEvent* event)
{
    TypeText(event->commitString());
    event->accept();
}

// Every character goes in as its code-page byte; one the code page cannot
// hold is refused with a beep rather than changed into something else.
void TCustomCodeMemo::TypeText(const QString& text)
{
    if (!isEnabled())
        return;
    const std::u32string codePoints = text.toStdU32String();
    for (const char32_t point : codePoints) {
        const char byte = UnicodeToCp1252(point);
        if (byte == '?' && point != U'?') {
            Beep();
            continue;
        }
        emit KeyPress(static_cast<unsigned char>(byte));
        model_.KeyPress(byte);
    }
}

// ---------------------------------------------------------------- mouse

TCustomCodeMemo::THit TCustomCodeMemo::HitTest(QPoint point, bool nearest)
{
    THit hit;
    const TLineRec* first = model_.First();
    if (first == nullptr) {
        hit.Offset = 0;
        hit.Line = 0;
        return hit;
    }
    const int lineHeight = metrics_.LineHeight;
    const int64_t row = point.y() < 0 ? -1 : point.y() / lineHeight;
    const int64_t lastIndex = model_.RecordCount() - 1;
    int64_t index = std::max<int64_t>(0, model_.TopLine() + row);
    const TLineLoc at = model_.LineByIndex(std::min(index, lastIndex));
    hit.Line = at.Index;
    // Below a final line break lies the empty last line.
    if (index > lastIndex && at.Rec->EndsWithCR()) {
        hit.Offset = model_.CharCount();
        hit.Column = 0;
        return hit;
    }
    const int textLeft = TextLeft();
    const int charWidth = metrics_.CharWidth;
    int column = model_.LeftColumn();
    const int dx = point.x() - textLeft;
    if (metrics_.FixedPitch) {
        column += std::max(0, (dx + (nearest ? charWidth / 2 : 0)) / charWidth);
    }
    else {
        ExpandRecord(*at.Rec);
        int x = 0;
        for (int c = model_.LeftColumn(); c < static_cast<int>(display_.size()); ++c) {
            const int advance = metrics_.Advance[displayBytes_[static_cast<size_t>(c)]];
            if (x + (nearest ? advance / 2 : advance) > dx)
                break;
            x += advance;
            ++column;
        }
        if (x < dx && column >= static_cast<int>(display_.size()))
            column += (dx - x + (nearest ? charWidth / 2 : 0)) / charWidth;
    }
    hit.Column = column;
    size_t indexIn = model_.IndexOfColumn(*at.Rec, column);
    // A TAB is left or right of the pointer by its nearer edge.
    if (nearest && indexIn < at.Rec->TextLen() && at.Rec->Text[indexIn] == '\t' &&
        column - model_.ColumnOfIndex(*at.Rec, indexIn) >
            (model_.ColumnOfIndex(*at.Rec, indexIn + 1) - model_.ColumnOfIndex(*at.Rec, indexIn)) /
                2)
        ++indexIn;
    hit.Offset = at.Start + static_cast<int64_t>(indexIn);
    return hit;
}

// Past an edge of the text area the view moves one column or one line per
// mouse message; `edge` widens the zone (margin-line dragging).
void TCustomCodeMemo::AutoScroll(QPoint point, int edge)
{
    const int textLeft = TextLeft();
    const int width = viewport()->width();
    const int height = viewport()->height();
    const int columnsEdge = edge * metrics_.CharWidth;
    const int linesEdge = edge * metrics_.LineHeight;
    bool moved = false;
    if (point.x() < textLeft + columnsEdge && model_.LeftColumn() > 0) {
        model_.SetLeftColumn(model_.LeftColumn() - 1);
        moved = true;
    }
    else if (point.x() >= width - columnsEdge && !WordWrap()) {
        model_.SetLeftColumn(model_.LeftColumn() + 1);
        moved = true;
    }
    if (point.y() < linesEdge && model_.TopLine() > 0) {
        model_.SetTopLine(model_.TopLine() - 1);
        moved = true;
    }
    else if (point.y() >= height - linesEdge && model_.TopLine() < model_.RecordCount() - 1) {
        model_.SetTopLine(model_.TopLine() + 1);
        moved = true;
    }
    if (moved) {
        UpdateScrollBars();
        RepaintAll();
    }
}

TCustomCodeMemo::TMarginDrag TCustomCodeMemo::MarginLineAt(QPoint point)
{
    const TSM_Settings& settings = Settings();
    const int textLeft = TextLeft();
    const auto over = [&](int column) {
        const int x = textLeft + (column - model_.LeftColumn()) * metrics_.CharWidth;
        return column >= model_.LeftColumn() && std::abs(point.x() - x) <= 1;
    };
    TMarginDrag found = TMarginDrag::None;
    if ((settings.Options & smoShowRMargin) != 0 && over(settings.RightMargin))
        found = TMarginDrag::RightMargin;
    else if (WordWrap() && (settings.Options & smoShowWrapColumn) != 0 &&
             settings.WrapAtColumn >= 1 && over(settings.WrapAtColumn))
        found = TMarginDrag::WrapColumn;
    if (found == TMarginDrag::None)
        return found;
    // Only right of the row's text: over text the press places the caret.
    const THit hit = HitTest(point, false);
    const TLineLoc at = model_.LineByIndex(hit.Line);
    if (at.Rec != nullptr && model_.ColumnOfIndex(*at.Rec, at.Rec->TextLen()) > hit.Column)
        return TMarginDrag::None;
    return found;
}

std::optional<std::pair<int64_t, int64_t>> TCustomCodeMemo::HotSpotRun(int64_t offset, int& token)
{
    const TSM_Settings& settings = Settings();
    const TLineLoc at = model_.FindLine(offset);
    if (at.Rec == nullptr || at.Rec->Attrs == nullptr)
        return std::nullopt;
    const auto index = static_cast<size_t>(offset - at.Start);
    if (index >= at.Rec->TextLen())
        return std::nullopt;
    token = at.Rec->Attrs[index];
    if (settings.Effects[settings.EffectMap[static_cast<size_t>(token)]].HotSpot == 0)
        return std::nullopt;
    // The run of that token value, across records.
    const TLineRec* rec = at.Rec;
    int64_t recStart = at.Start;
    size_t i = index;
    while (true) {
        if (i > 0 && rec->Attrs[i - 1] == token) {
            --i;
        }
        else if (i == 0 && rec->Prev != nullptr && rec->Prev->Attrs != nullptr &&
                 rec->Prev->Len > 0 && rec->Prev->Attrs[rec->Prev->Len - 1] == token) {
            rec = rec->Prev;
            recStart -= rec->Len;
            i = rec->Len - 1;
        }
        else {
            break;
        }
    }
    const int64_t start = recStart + static_cast<int64_t>(i);
    rec = at.Rec;
    recStart = at.Start;
    i = index;
    while (true) {
        if (i + 1 < rec->Len && rec->Attrs[i + 1] == token) {
            ++i;
        }
        else if (i + 1 >= rec->Len && rec->Next != nullptr && rec->Next->Attrs != nullptr &&
                 rec->Next->Len > 0 && rec->Next->Attrs[0] == token) {
            recStart += rec->Len;
            rec = rec->Next;
            i = 0;
        }
        else {
            break;
        }
    }
    return std::pair<int64_t, int64_t>{start, recStart + static_cast<int64_t>(i) + 1};
}

namespace {

QByteArray TextRange(const TCodeMemoModel& model, int64_t start, int64_t end)
{
    QByteArray bytes;
    TLineLoc at = model.FindLine(start);
    for (const TLineRec* rec = at.Rec; rec != nullptr && at.Start < end; rec = rec->Next) {
        const int64_t from = std::max(start, at.Start) - at.Start;
        const int64_t to = std::min(end, at.Start + rec->Len) - at.Start;
        if (to > from)
            bytes.append(rec->Text.get() + from, static_cast<qsizetype>(to - from));
        at.Start += rec->Len;
    }
    return bytes;
}

} // namespace

void TCustomCodeMemo::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    const QPoint point = event->position().toPoint();
    const TSM_Settings& settings = Settings();
    const TMarginDrag drag = MarginLineAt(point);
    if (drag != TMarginDrag::None) {
        marginDrag_ = drag;
        marginDragColumn_ = HitTest(point, true).Column;
        RepaintAll();
        return;
    }
    const int gutter = (settings.Options & smoShowGutter) != 0 ? settings.Gutter : 0;
    if (point.x() < gutter) {
        emit GutterClick(model_.GutterLineNumber(HitTest(point, false).Line));
        return;
    }
    if (point.x() < TextLeft()) {
        model_.SelectLine(HitTest(point, false).Line);
        return;
    }
    pressPoint_ = point;
    const THit hit = HitTest(point, true);
    TCodeMemoModel::TMousePress press;
    press.Offset = hit.Offset;
    press.Column = hit.Column;
    press.Shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    press.Time = EventTime(event);
    press.DoubleClickTime = static_cast<uint32_t>(QApplication::doubleClickInterval());
    press.TripleClickHandled =
        isSignalConnected(QMetaMethod::fromSignal(&TCustomCodeMemo::TripleClick));
    if (model_.MouseDown(press) == TCodeMemoModel::maTripleClick)
        emit TripleClick(point, hit.Offset);
    int token = 0;
    const THit under = HitTest(point, false);
    if (const auto run = HotSpotRun(under.Offset, token))
        emit HyperlinkClick(TextRange(model_, run->first, run->second), token);
}

void TCustomCodeMemo::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second press of a double click arrives here instead of as a press.
    mousePressEvent(event);
    if (event->button() == Qt::LeftButton && marginDrag_ == TMarginDrag::None &&
        event->position().x() >= TextLeft())
        model_.DoubleClick();
}

void TCustomCodeMemo::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    if (marginDrag_ != TMarginDrag::None) {
        AutoScroll(point, 2);
        const int column = HitTest(point, true).Column;
        if (column != marginDragColumn_) {
            marginDragColumn_ = column;
            RepaintAll();
        }
        return;
    }
    if ((event->buttons() & Qt::LeftButton) != 0) {
        if (model_.DragPending() && (Settings().Options & smoOLEDragSource) != 0 &&
            (point - pressPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            StartSelectionDrag();
            return;
        }
        if (model_.MouseSelecting()) {
            AutoScroll(point, 0);
            // The pointer is held to the fully visible cells, so following
            // it never scrolls a second time.
            const QPoint inside(
                std::clamp(point.x(), TextLeft(),
                           TextLeft() + model_.VisibleColumns * metrics_.CharWidth - 1),
                std::clamp(point.y(), 0, model_.VisibleLines * metrics_.LineHeight - 1));
            const THit hit = HitTest(inside, true);
            model_.MouseMoveTo(hit.Offset, hit.Column);
        }
        return;
    }
    // The pointer's shape tells what a press would do.
    const TSM_Settings& settings = Settings();
    const int gutter = (settings.Options & smoShowGutter) != 0 ? settings.Gutter : 0;
    Qt::CursorShape shape = Qt::IBeamCursor;
    bool hot = false;
    if (MarginLineAt(point) != TMarginDrag::None) {
        shape = Qt::SizeHorCursor;
    }
    else if (point.x() < gutter) {
        shape = Qt::ArrowCursor;
    }
    else if (point.x() >= TextLeft()) {
        const THit hit = HitTest(point, false);
        int token = 0;
        if (const auto run = HotSpotRun(hit.Offset, token)) {
            hot = true;
            if (!hoverHot_)
                emit HyperlinkHover(TextRange(model_, run->first, run->second), token);
        }
        else if ((settings.Options & smoOLEDragSource) != 0 && hit.Offset >= model_.SelStart() &&
                 hit.Offset < model_.SelEnd()) {
            shape = Qt::ArrowCursor;
        }
    }
    hoverHot_ = hot;
    if (hot)
        viewport()->setCursor(HyperCursor);
    else
        viewport()->setCursor(shape);
}

void TCustomCodeMemo::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    if (marginDrag_ != TMarginDrag::None) {
        const int column = std::max(0, HitTest(event->position().toPoint(), true).Column);
        if (marginDrag_ == TMarginDrag::RightMargin)
            SetRightMargin(column);
        else
            SetWrapAtColumn(column);
        marginDrag_ = TMarginDrag::None;
        RepaintAll();
        return;
    }
    const THit hit = HitTest(event->position().toPoint(), true);
    model_.MouseUp(hit.Offset, hit.Column);
}

} // namespace tarnwick
