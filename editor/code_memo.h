// TCustomCodeMemo / TCodeMemo: the editor control on screen. A
// QAbstractScrollArea that owns the headless model (TCodeMemoModel) and only
// paints it, turns Qt input into the model's keys and mouse calls, and talks
// to the platform (fonts, scroll bars, cursors, the beep). Every change of
// the text goes through the model's commands and Perform.
//
// Geometry: the viewport shows display records (line records) one line
// height apart from the top line down; left of the text area sit the gutter
// (Gutter pixels, with smoShowGutter) and the margin band (Margin pixels).
// Columns are display columns (TABs expanded); with a fixed-pitch font every
// column is CharWidth() pixels wide.
//
// After every edit, load, scheme change and resize the widget re-cuts the
// changed logical lines (word wrap), runs the incremental highlighting pass
// and asks Qt to repaint only the rows whose records changed (or the whole
// view when it scrolled or its look changed).
#pragma once

#include "editor/code_memo_metrics.h"
#include "editor/core/code_memo_host.h"
#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"
#include "editor/core/parser_slots.h"
#include "editor/options/prop_ed_pages.h"
#include "editor/qt_clipboard.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick {

class TGutterImages;

class TCustomCodeMemo : public QAbstractScrollArea, private TCodeMemoView {
    Q_OBJECT
public:
    explicit TCustomCodeMemo(QWidget* parent = nullptr);
    ~TCustomCodeMemo() override;

    TCodeMemoModel& Model() { return model_; }
    const TCodeMemoModel& Model() const { return model_; }
    // The message interface: the model's messages, with the pixel and
    // reload messages answered here.
    intptr_t Perform(uint32_t msg, uintptr_t wParam, intptr_t lParam);

    // ---- text (single-byte code page 1252, any line ends) ----
    void SetText(std::string_view bytes);
    // The whole text with CR LF line ends.
    std::string Text() const { return model_.TextCRLF(); }
    bool Modified() const { return model_.Modified(); }
    int64_t LineCount() const { return model_.LineCount(); }

    // ---- schemes and settings ----
    // Slots 1..6; other numbers raise ECodeMemo "Parser index out of range".
    TCustomCodeMemoParser* Parser(int slot) const { return slots_.Parser(slot); }
    void SetParser(int slot, TCustomCodeMemoParser* scheme) { slots_.SetParser(slot, scheme); }
    int ActiveParser() const { return slots_.ActiveParser(); }
    void SetActiveParser(int index) { slots_.SetActiveParser(index); }
    // The settings object in use (the active scheme's, or the private one).
    TSM_Settings& Settings() { return slots_.Settings(); }
    // Takes the settings again after they were changed directly (private
    // message 0xC12): font, metrics, options, colours, wrap, recolouring.
    void ReloadSettings() override;

    uint32_t Options() { return Settings().Options; }
    void SetOptions(uint32_t options);
    bool WordWrap() { return (Options() & smoWordWrap) != 0; }
    void SetWordWrap(bool on);
    int WrapAtColumn() { return Settings().WrapAtColumn; }
    void SetWrapAtColumn(int column);
    std::string WrapOverride() { return Settings().WrapOverride; }
    void SetWrapOverride(const std::string& chars);
    int Gutter() { return Settings().Gutter; }
    // Accepted only when 0, or from 34 up to 20% of the client width.
    void SetGutter(int width);
    int Margin() { return Settings().Margin; }
    // Ignored when larger than the character width (or negative).
    void SetMargin(int pixels);
    int RightMargin() { return Settings().RightMargin; }
    void SetRightMargin(int column);
    // Painting and change notifications held back (private message
    // 0xC05); leaving the state repaints everything.
    void SetPaintSuspended(bool on);
    bool ShowFocusLine() const { return showFocusLine_; }
    void SetShowFocusLine(bool on);
    QCursor HyperCursor = QCursor(Qt::PointingHandCursor);
    // The pages the editor options dialog shows when opened for this editor.
    TPropEdPages VisiblePropEdPages = ppAllPages;

    // ---- view ----
    int64_t TopLine() const { return model_.TopLine(); }
    void SetTopLine(int64_t line);
    int LeftColumn() const { return model_.LeftColumn(); }
    void SetLeftColumn(int column);
    void ScrollCaretIntoView();
    // Client point of the offset's cell (top left); nothing when the offset
    // lies above the top line or left of the left column (EM_POSFROMCHAR).
    std::optional<QPoint> PointFromChar(int64_t offset);
    // The offset whose cell holds the point; -1 right of the last visible
    // column, left of the text area or below the last visible line
    // (EM_CHARFROMPOS).
    int64_t CharFromPoint(QPoint point);
    // Runs the highlighting pass from a record, or over the whole text.
    void RecolourFrom(int64_t line);
    void RecolourAll();

    // ---- metrics ----
    const TCodeMemoMetrics& Metrics() const { return metrics_; }
    int LineHeight() const { return metrics_.LineHeight; }
    int CharWidth() const { return metrics_.CharWidth; }
    int TextLeft();
    int VisibleColumns() const { return model_.VisibleColumns; }
    int VisibleLines() const { return model_.VisibleLines; }

    // ---- painting and highlighting hooks ----
    struct TLineDrawData {
        QPainter* Canvas = nullptr;
        const QString& Text;     // the display text (TABs expanded, no line break)
        QRect Band;              // the band's text area
        int64_t FirstOffset = 0; // offset of the record's first character
        int LeftColumn = 0;
    };
    // Called before a band's text is painted; non-zero: it painted the text
    // itself (the range marks and margin lines are still drawn).
    std::function<int(const TLineDrawData& data)> OnDrawLine;
    // Draws a range mark over the cells it covers in one band; without it
    // the mark is underlined.
    std::function<void(QPainter& painter, const TRangeMark& mark, QRect cells)> OnDrawMark;
    // Each token the highlighting pass reads; it may change the value.
    std::function<void(int& tokenValue, int64_t extentStart, int64_t extentEnd)> OnTokenSeen;

    // A settings colour as painted: system colours come from the palette.
    QColor Colour(uint32_t colour) const;

    // ---- for benchmarks and tests ----
    // Records painted by the last paint event.
    int LastPaintCount() const { return lastPaintCount_; }
    // The number of beeps so far (refused characters, undo faults).
    int BeepCount() const { return beeps_; }

signals:
    void Change();                    // the text or selection changed
    void Exit();                      // the control lost the focus
    void KeyDown(int key, int shift); // virtual key, TShiftState
    void KeyPress(int character);     // the code-page byte typed
    void KeyUp(int key, int shift);
    void GutterClick(qint64 lineNo); // 1-based logical line
    void TripleClick(QPoint point, qint64 offset);
    void BookmarkSet(int index);
    // A click on a hot-spot run: its text (code-page bytes) and token value.
    void HyperlinkClick(const QByteArray& data, int type);
    void HyperlinkHover(const QByteArray& data, int type);

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // TCodeMemoView
    void Invalidate() override;
    int64_t PosFromChar(int64_t offset) override;
    int64_t CharFromPos(int x, int y) override;
    intptr_t SelectParser(intptr_t slot) override;

    // ---- code_memo.cpp ----
    void TextChanged(int64_t start, int64_t extent);
    void ModelChanged();
    void SettingsChanged(TSM_Change change);
    void Reload(bool rewrap);
    void ApplySettingsToModel();
    void Remeasure();
    void UpdateVisibleCounts();
    void UpdateScrollBars();
    // Asks Qt to repaint what changed since the last paint.
    void Refresh();
    void RepaintAll();
    void Beep();

    // ---- code_memo_wrap.cpp ----
    TWrapRule MakeWrapRule();
    size_t FitColumns(std::string_view text, int columns) const;
    size_t FitPixels(std::string_view text, int pixels) const;
    void RewrapRange(int64_t firstLine, int64_t lastLine);
    void RewrapAll();

    // ---- code_memo_highlight.cpp ----
    void Highlight(int64_t firstChanged);
    THighlightPass* Pass();

    // ---- code_memo_paint.cpp ----
    void PaintRow(QPainter& painter, TLineRec& rec, int64_t recStart, int64_t index, int y);
    void PaintGutter(QPainter& painter, const TLineRec& rec, int64_t lineNumber, int y);
    void ExpandRecord(const TLineRec& rec);
    void PaintText(QPainter& painter, const TLineRec& rec, int64_t recStart, int y);
    void PaintMarks(QPainter& painter, const TLineRec& rec, int64_t recStart, int y);
    void PaintCaret(QPainter& painter);
    bool DrawGlyphs(QPainter& painter, uint8_t style, int from, int to, QPoint origin);
    int64_t LogicalLineNumber(int64_t index);
    QColor EffectFore(int effect) const;
    QColor EffectBack(int effect) const;

    // ---- code_memo_input.cpp ----
    struct THit {
        int64_t Offset = -1;
        int Column = 0;
        int64_t Line = -1;
    };
    // The record, offset and column under a client point (rounded to the
    // nearest character boundary when `nearest`).
    THit HitTest(QPoint point, bool nearest);
    bool ProcessKey(uint16_t key, TShiftState shift);
    void TypeText(const QString& text);
    void AutoScroll(QPoint point, int edge);
    enum class TMarginDrag { None, RightMargin, WrapColumn };
    TMarginDrag MarginLineAt(QPoint point);
    std::optional<std::pair<int64_t, int64_t>> HotSpotRun(int64_t offset, int& token);

    TQtClipboard clipboard_;
    TCodeMemoModel model_;
    TParserSlots slots_;
    std::unique_ptr<THighlightPass> pass_;
    TCustomCodeMemoParser* passScheme_ = nullptr;
    int busyRounds_ = 0;
    bool passRunning_ = false;
    TCodeMemoMetrics metrics_;
    std::unique_ptr<TGutterImages> images_;
    QFont gutterFont_;

    // What the last paint showed, so that Refresh repaints only rows that
    // differ.
    struct TShown {
        int64_t Top = -1;
        int Left = -1;
        int64_t SelStart = 0;
        int64_t SelEnd = 0;
        int64_t Caret = 0;
        int64_t Records = 0;
    } shown_;
    bool fullRepaint_ = true;
    bool syncingBars_ = false;
    bool applyingFont_ = false;
    bool showFocusLine_ = false;
    int lastPaintCount_ = 0;
    int beeps_ = 0;

    // Changes since the last notification: the offsets to re-cut.
    int64_t changeLo_ = -1;
    int64_t changeHi_ = -1;
    bool inChange_ = false;

    // The logical line number of a record, remembered for the gutter.
    int64_t numberIndex_ = -1;
    int64_t numberValue_ = 0;
    int64_t numberOffset_ = 0;

    // Display scratch, grown as needed and kept between paints.
    QString display_;
    std::vector<unsigned char> displayBytes_;
    std::vector<quint32> glyphIndexes_;
    std::vector<QPointF> glyphPositions_;
    std::vector<uint8_t> displayAttrs_;
    std::vector<int> columnOfIndex_;

    // Mouse state.
    TMarginDrag marginDrag_ = TMarginDrag::None;
    int marginDragColumn_ = -1;
    bool hoverHot_ = false;
    // The Shift state of the key being processed, for the command it runs.
    bool pendingExtend_ = false;
};

// The control as the windows use it.
class TCodeMemo : public TCustomCodeMemo {
    Q_OBJECT
public:
    using TCustomCodeMemo::TCustomCodeMemo;
};

} // namespace tarnwick
