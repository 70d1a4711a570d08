// TCustomCodeMemo: construction, settings and schemes, the view state
// (top line, left column, scroll bars), and turning model notifications
// into re-cutting, highlighting and repaint requests.
#include "editor/code_memo.h"

#include "editor/gutter_images.h"
#include "editor/template_popup.h"
#include "platform/messages.h"

#include <QApplication>
#include <QResizeEvent>
#include <QScrollBar>

#include <algorithm>
#include <initializer_list>

namespace tarnwick {

namespace {

// Vertical scroll-bar values are divided by this, so a text of any length
// fits the bar's range.
int64_t VerticalScale(int64_t records)
{
    return records / 32000 + 1;
}

} // namespace

TCustomCodeMemo::TCustomCodeMemo(QWidget* parent)
    : QAbstractScrollArea(parent), images_(std::make_unique<TGutterImages>())
{
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);
    // Text and files may be dropped on the control.
    viewport()->setAcceptDrops(true);
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    model_.View = this;
    model_.Clipboard = &clipboard_;
    model_.Printer = this;
    model_.SetHighlighter(this);
    model_.OnTextChange = [this](int64_t start, int64_t extent) { TextChanged(start, extent); };
    model_.OnChange = [this] { ModelChanged(); };
    model_.OnBeep = [this] { Beep(); };
    model_.OnBookmarkSet = [this](int index) { emit BookmarkSet(index); };
    slots_.OnReload = [this](bool rewrap) { Reload(rewrap); };
    slots_.OnSettingsChanged = [this](TSM_Change change) { SettingsChanged(change); };
    slots_.ChooseSettings();
}

TCustomCodeMemo::~TCustomCodeMemo()
{
    // The key controller may be a shared scheme's; its callback must not
    // outlive this editor (every editor sets it again before each key).
    Settings().Keys().OnRecognised = nullptr;
    // The pop-up and the dialogs must not call back into a control that is
    // half destroyed (the pop-up closes itself when it loses the focus).
    for (QObject* child : std::initializer_list<QObject*>{popup_, findDialog_, replaceDialog_})
        if (child != nullptr)
            child->disconnect(this);
    model_.View = nullptr;
    model_.Clipboard = nullptr;
    model_.Printer = nullptr;
    model_.SetHighlighter(nullptr);
    model_.OnTextChange = nullptr;
    model_.OnChange = nullptr;
    slots_.OnReload = nullptr;
    slots_.OnSettingsChanged = nullptr;
}

intptr_t TCustomCodeMemo::Perform(uint32_t msg, uintptr_t wParam, intptr_t lParam)
{
    switch (msg) {
    case SEM_OPTIONS:
        if ((wParam & SEM_SET) != 0)
            SetOptions(static_cast<uint32_t>(lParam));
        return static_cast<intptr_t>(Options());
    case SEM_PAINTSUSPENDED:
        if ((wParam & SEM_SET) != 0)
            SetPaintSuspended(lParam != 0);
        return model_.PaintSuspended() ? 1 : 0;
    default: return model_.Perform(msg, wParam, lParam);
    }
}

void TCustomCodeMemo::SetText(std::string_view bytes)
{
    model_.LoadFromText(bytes);
}

// ---------------------------------------------------------------- settings

void TCustomCodeMemo::ApplySettingsToModel()
{
    TSM_Settings& settings = Settings();
    model_.Options = settings.Options;
    model_.SetIndentStep(settings.IndentStep);
    model_.Tabs().SetTabDefault(std::max(1, static_cast<int>(settings.TabDefault)));
    model_.Tabs().SetTabColumns(settings.TabColumnsText());
}

void TCustomCodeMemo::Reload(bool rewrap)
{
    TSM_Settings& settings = Settings();
    ApplySettingsToModel();
    // The scheme's font replaces the control's when they differ.
    QFont wanted = FontFromDesc(settings.Font);
    wanted.setStyleHint(QFont::TypeWriter);
    if (wanted.family() != font().family() || wanted.pointSize() != font().pointSize()) {
        const bool blocked = applyingFont_;
        applyingFont_ = true;
        setFont(wanted);
        applyingFont_ = blocked;
    }
    Remeasure();
    // A pass waiting for a busy scheme may have dispatched the message that
    // led here; it is not destroyed under its own feet (Pass() makes a new
    // one once it has finished).
    if (!passRunning_)
        pass_.reset();
    passScheme_ = nullptr;
    for (TLineRec* rec = model_.Store().First(); rec != nullptr; rec = rec->Next) {
        rec->Attrs.reset();
        rec->Flags |= lfRepaint | lfRecolour;
    }
    if (rewrap || WordWrap())
        RewrapAll();
    RecolourAll();
    UpdateScrollBars();
    RepaintAll();
    emit Change();
}

void TCustomCodeMemo::ReloadSettings()
{
    Reload(true);
}

void TCustomCodeMemo::SettingsChanged(TSM_Change change)
{
    if (change == TSM_Change::smcAll) {
        Reload(true);
        return;
    }
    if (change == TSM_Change::smcGutterFont)
        gutterFont_ = FontFromDesc(Settings().GutterFont);
    RepaintAll();
}

intptr_t TCustomCodeMemo::SelectParser(intptr_t slot)
{
    SetActiveParser(static_cast<int>(slot));
    return 1;
}

void TCustomCodeMemo::SetOptions(uint32_t options)
{
    const uint32_t old = Settings().Options;
    Settings().Options = options;
    model_.Options = options;
    if (((old ^ options) & smoWordWrap) != 0) {
        model_.SetLeftColumn(0);
        RewrapAll();
    }
    if (((old ^ options) & smoSyntaxHighlight) != 0)
        Reload(false);
    UpdateVisibleCounts();
    UpdateScrollBars();
    RepaintAll();
}

void TCustomCodeMemo::SetWordWrap(bool on)
{
    SetOptions(on ? Options() | smoWordWrap : Options() & ~smoWordWrap);
}

void TCustomCodeMemo::SetWrapAtColumn(int column)
{
    Settings().WrapAtColumn = std::max(0, column);
    if (WordWrap())
        RewrapAll();
    RepaintAll();
}

void TCustomCodeMemo::SetWrapOverride(const std::string& chars)
{
    Settings().WrapOverride = chars;
    if (WordWrap())
        RewrapAll();
    RepaintAll();
}

void TCustomCodeMemo::SetGutter(int width)
{
    if (width < 0 || (width > 0 && width < 34) || width > viewport()->width() / 5)
        return;
    Settings().Gutter = width;
    UpdateVisibleCounts();
    if (WordWrap() && WrapAtColumn() == 0)
        RewrapAll();
    RepaintAll();
}

void TCustomCodeMemo::SetMargin(int pixels)
{
    if (pixels < 0 || pixels > metrics_.CharWidth)
        return;
    Settings().Margin = pixels;
    UpdateVisibleCounts();
    RepaintAll();
}

void TCustomCodeMemo::SetRightMargin(int column)
{
    Settings().RightMargin = std::max(0, column);
    RepaintAll();
}

void TCustomCodeMemo::SetPaintSuspended(bool on)
{
    const bool was = model_.PaintSuspended();
    model_.SetPaintSuspended(on);
    if (was && !on) {
        UpdateScrollBars();
        RepaintAll();
    }
}

void TCustomCodeMemo::SetShowFocusLine(bool on)
{
    showFocusLine_ = on;
    RepaintAll();
}

void TCustomCodeMemo::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() != QEvent::FontChange)
        return;
    // The control's own font change goes into the settings; a change made
    // while taking the settings' font does not come back.
    if (!applyingFont_)
        CopyFontToDesc(font(), Settings().Font);
    Remeasure();
    for (TLineRec* rec = model_.Store().First(); rec != nullptr; rec = rec->Next)
        rec->Flags |= lfRecolour;
    if (WordWrap())
        RewrapAll();
    RepaintAll();
}

void TCustomCodeMemo::Remeasure()
{
    metrics_.Measure(font());
    gutterFont_ = FontFromDesc(Settings().GutterFont);
    model_.FixedPitch = metrics_.FixedPitch;
    UpdateVisibleCounts();
}

// ---------------------------------------------------------------- view state

int TCustomCodeMemo::TextLeft()
{
    const TSM_Settings& settings = Settings();
    return settings.Margin + ((settings.Options & smoShowGutter) != 0 ? settings.Gutter : 0);
}

void TCustomCodeMemo::UpdateVisibleCounts()
{
    if (!metrics_.Known) {
        model_.VisibleColumns = 80;
        model_.VisibleLines = 40;
        return;
    }
    model_.VisibleColumns = std::max(1, (viewport()->width() - TextLeft()) / metrics_.CharWidth);
    model_.VisibleLines = std::max(1, viewport()->height() / metrics_.LineHeight);
}

void TCustomCodeMemo::UpdateScrollBars()
{
    if (model_.PaintSuspended())
        return;
    syncingBars_ = true;
    const int64_t records = model_.LineCount();
    const int64_t scale = VerticalScale(records);
    const int64_t visible = model_.VisibleLines;
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, static_cast<int>(std::max<int64_t>(0, records - visible) / scale));
    vertical->setPageStep(static_cast<int>(std::max<int64_t>(1, visible / scale)));
    vertical->setSingleStep(1);
    vertical->setValue(static_cast<int>(model_.TopLine() / scale));
    QScrollBar* horizontal = horizontalScrollBar();
    const int columns = model_.VisibleColumns;
    const int widest =
        WordWrap() ? 0 : static_cast<int>(std::min<int64_t>(model_.WidestRecord(), 1 << 20));
    horizontal->setRange(0, std::max(0, widest - columns + 1));
    horizontal->setPageStep(std::max(1, columns));
    horizontal->setValue(model_.LeftColumn());
    syncingBars_ = false;
}

void TCustomCodeMemo::scrollContentsBy(int /*dx*/, int /*dy*/)
{
    if (syncingBars_)
        return;
    const int64_t scale = VerticalScale(model_.LineCount());
    const int64_t top = static_cast<int64_t>(verticalScrollBar()->value()) * scale;
    if (top != model_.TopLine())
        model_.SetTopLine(top);
    if (horizontalScrollBar()->value() != model_.LeftColumn())
        model_.SetLeftColumn(horizontalScrollBar()->value());
    RepaintAll();
}

void TCustomCodeMemo::SetTopLine(int64_t line)
{
    model_.SetTopLine(std::clamp<int64_t>(line, 0, std::max<int64_t>(0, model_.RecordCount() - 1)));
    UpdateScrollBars();
    RepaintAll();
}

void TCustomCodeMemo::SetLeftColumn(int column)
{
    model_.SetLeftColumn(column);
    UpdateScrollBars();
    RepaintAll();
}

void TCustomCodeMemo::ScrollCaretIntoView()
{
    model_.ScrollCaretIntoView();
    UpdateScrollBars();
    Refresh();
}

void TCustomCodeMemo::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateVisibleCounts();
    if (WordWrap() && WrapAtColumn() == 0 && event->size().width() != event->oldSize().width())
        RewrapAll();
    // Rows that came into view are coloured as far as they need to be.
    Highlight(model_.TopLine());
    UpdateScrollBars();
    RepaintAll();
}

void TCustomCodeMemo::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    RepaintAll();
}

void TCustomCodeMemo::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    RepaintAll();
    emit Exit();
}

// ---------------------------------------------------------------- notifications

void TCustomCodeMemo::TextChanged(int64_t start, int64_t extent)
{
    // The whole text was replaced or cleared: everything is new.
    if (extent == 0) {
        changeLo_ = 0;
        changeHi_ = INT64_MAX;
    }
    else {
        const int64_t lo = start;
        const int64_t hi = extent > 0 ? start + extent : start;
        if (changeLo_ < 0) {
            changeLo_ = lo;
            changeHi_ = hi;
        }
        else {
            if (changeHi_ != INT64_MAX && changeHi_ > start)
                changeHi_ = std::max(start, changeHi_ + extent);
            changeLo_ = std::min(changeLo_, lo);
            changeHi_ = std::max(changeHi_, hi);
        }
    }
    if (numberIndex_ >= 0 && start <= numberOffset_)
        numberIndex_ = -1;
}

void TCustomCodeMemo::ModelChanged()
{
    if (changeLo_ >= 0) {
        const int64_t lo = changeLo_;
        const int64_t hi = std::min(changeHi_, model_.CharCount());
        changeLo_ = changeHi_ = -1;
        int64_t first = model_.FirstChangedLine();
        if (WordWrap()) {
            const int64_t lastLine = model_.FindLine(hi).Index;
            const auto replaced =
                model_.Rewrap(model_.FindLine(lo).Index, lastLine, MakeWrapRule());
            if (replaced.first >= 0) {
                numberIndex_ = -1;
                first = first < 0 ? replaced.first : std::min(first, replaced.first);
                model_.ScrollCaret();
            }
        }
        if (first < 0)
            first = model_.FindLine(lo).Index;
        Highlight(first);
        UpdateScrollBars();
    }
    Refresh();
    emit Change();
}

void TCustomCodeMemo::Invalidate()
{
    Refresh();
}

void TCustomCodeMemo::RepaintAll()
{
    fullRepaint_ = true;
    viewport()->update();
}

void TCustomCodeMemo::Refresh()
{
    if (model_.PaintSuspended())
        return;
    if (fullRepaint_ || shown_.Top != model_.TopLine() || shown_.Left != model_.LeftColumn() ||
        shown_.Records != model_.RecordCount()) {
        UpdateScrollBars();
        RepaintAll();
        return;
    }
    const bool showSel = hasFocus() || !model_.HideSelection;
    const int64_t selStart = showSel ? model_.SelStart() : 0;
    const int64_t selEnd = showSel ? model_.SelEnd() : 0;
    const int64_t caret = model_.SelCaret();
    const int lineHeight = metrics_.LineHeight;
    const int width = viewport()->width();
    // Whether a record's share of a selection changed.
    const auto share = [](int64_t start, int64_t end, int64_t s, int64_t e) {
        return std::pair<int64_t, int64_t>{std::clamp(s, start, end), std::clamp(e, start, end)};
    };
    TLineLoc at = model_.LineByIndex(model_.TopLine());
    int y = 0;
    for (int row = 0; at.Rec != nullptr && row < model_.VisibleLines + 2; ++row) {
        const int64_t end = at.Start + at.Rec->Len;
        const bool last = at.Rec->Next == nullptr;
        const auto holds = [&](int64_t offset) {
            return offset >= at.Start && (offset < end || (last && offset == end));
        };
        const bool holdsCaret = holds(caret) || holds(shown_.Caret);
        const bool dirty = (at.Rec->Flags & (lfRepaint | lfRecolour | lfPainted)) != 0 ||
                           share(at.Start, end, selStart, selEnd) !=
                               share(at.Start, end, shown_.SelStart, shown_.SelEnd) ||
                           holdsCaret;
        if (dirty)
            viewport()->update(0, y, width, lineHeight);
        y += lineHeight;
        at.Start = end;
        at.Rec = at.Rec->Next;
    }
    // The empty line after a final line break holds the caret at the end.
    if (y < viewport()->height())
        viewport()->update(0, y, width, lineHeight);
}

void TCustomCodeMemo::Beep()
{
    ++beeps_;
    QApplication::beep();
}

} // namespace tarnwick
