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
#include "editor/core/ed_stream.h"
#include "editor/core/highlight_pass.h"
#include "editor/core/macro_expansion.h"
#include "editor/core/parser_slots.h"
#include "editor/options/prop_ed_pages.h"
#include "editor/core/search.h"
#include "editor/find_dialogs.h"
#include "editor/memo_messages.h"
#include "editor/qt_clipboard.h"

#include <QAbstractScrollArea>
#include <QCursor>
#include <QPointF>
#include <QStringList>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class QMimeData;
class QPrinter;

namespace tarnwick {

class TGutterImages;
class TTemplatePopup;

class TCustomCodeMemo : public QAbstractScrollArea,
                        private TCodeMemoView,
                        private TCodeMemoPrinter,
                        private TExportHighlighter {
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
    // ---- find and replace (code_memo_search.cpp) ----
    // The host's prompt for the control's message boxes (not found, the
    // expression error box, the replace confirmation); null = the control's
    // own boxes.
    void SetPrompt(TPrompt* prompt) { messages_.Prompt = prompt; }
    // Opens the find dialog and closes the replace dialog. Its text is
    // `text` when given, else the selection's first line when the selection
    // is not empty and `flags` (TSearchFlag bits) does not ask for an
    // expression, else the last one searched for; srchMatchCase and
    // srchRegExpr in `flags` turn those options on, the others keep their
    // last state. The selection stays shown while a dialog is open.
    void ShowFindDialog(int flags = 0, const std::string& text = {});
    // Opens the replace dialog and closes the find dialog.
    void ShowReplaceDialog(int flags = 0);
    // Finds the next hit of the last request (the find dialog's Find Next,
    // F3): never the hit found last time again. A hit is selected and
    // scrolled into view; otherwise the not-found message or OnSearchFail,
    // or the error box of a bad expression. Without a request yet it opens
    // the find dialog. Returns whether it found a hit.
    bool FindNext();
    // From the selection's start to the end of the text: selects each hit
    // and asks "Replace this occurence of '%s' with '%s' ?"; Yes replaces
    // it (one undo step), No skips it; the not-found message ends the loop.
    void Replace();
    // Every hit from the selection's start replaced without asking, as one
    // undo step; the view scrolls to the last replacement.
    void ReplaceAll();
    // Replaces the built-in not-found message; gets the search text.
    std::function<void(const std::string& searchString)> OnSearchFail;
    const TSearchRequest& SearchRequest() const { return request_; }
    void SetSearchRequest(const TSearchRequest& request) { request_ = request; }
    // The dialogs once created (null before), for the window and tests.
    TSearchDialog* FindDialog() const { return findDialog_; }
    TSearchDialog* ReplaceDialog() const { return replaceDialog_; }
    TSearchEngine& SearchEngine() { return search_; }

    // ---- drag and drop (code_memo_drag.cpp) ----
    // Files dropped on the control, with smoProcessDroppedFiles: their
    // paths and the drop point in viewport coordinates.
    std::function<void(const QStringList& files, QPoint point)> OnFilesDropped;
    // What a drag of the selection carries: the text with CR LF line ends,
    // its RTF when ClipCopyFormats holds smRTF, and this control's mark, by
    // which a drop knows that the drag came from here. The caller owns it.
    QMimeData* SelectionMimeData();
    // The drag of the selection ended with the target's answer: a move to
    // another target removes the dragged text, as one undo step; a drop back
    // onto this control already moved it.
    void SelectionDragEnded(Qt::DropAction action);

    // ---- the template pop-up list (code_memo_templates.cpp) ----
    // The list while it exists (null before its first use, and after each
    // use when the templates ask for a new list every time).
    TTemplatePopup* TemplatePopup() const { return popup_; }

    // ---- printing the selection (code_memo_print.cpp) ----
    // Prints the lines of the selection (from the selection start's line to
    // the selection end's, without that one when the selection ends at its
    // first character) on `printer`, with the document title as the job's name; caPRINTSEL does
    // the same on the default printer. No gutter, margin band, caret, marks
    // or glyphs; colours follow the effects as on screen. The header and
    // footer come from OnPrintHeaderFooter, or as smoPrintFilename,
    // smoPrintDate and smoPrintPageNos say; smoPrintLineNos puts "%6d:"
    // before each logical line; smoPrintWrap re-cuts lines at the page's
    // width, else they are clipped at its right edge. Nothing without a
    // selection. Raises ECodeMemo when the printer cannot begin the job.
    void PrintSelection(QPrinter& printer);
    // Draws a page's header and footer on `canvas` (page 1, 2, ...):
    // receives the page's rectangle in `renderRect` and leaves there the
    // rectangle for the text; `transparentText` set: text backgrounds are
    // not painted.
    std::function<void(QPainter& canvas, int page, QRect& renderRect, bool& transparentText)>
        OnPrintHeaderFooter;

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
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // TCodeMemoView
    void Invalidate() override;
    int64_t PosFromChar(int64_t offset) override;
    int64_t CharFromPos(int x, int y) override;
    intptr_t SelectParser(intptr_t slot) override;
    // The search message: with srchNoDialog a search now (the expression
    // parser on an expression's hit, the offset on a plain hit, -1 when
    // nothing was found), else the find dialog.
    intptr_t Search(uintptr_t flags, const char* text) override;

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
    // TExportHighlighter: the RTF and HTML writers (copy, drag, save) colour
    // the text and take the effects as the screen shows them.
    void ColourLines(TLineRec* first) override;
    uint8_t EffectOfToken(uint8_t tokenValue) const override;
    TTextEffect Effect(uint8_t effect) const override;
    void Highlight(int64_t firstChanged);
    THighlightPass* Pass();

    // ---- code_memo_paint.cpp ----
    void PaintRow(QPainter& painter, TLineRec& rec, int64_t recStart, int64_t index, int y);
    void PaintGutter(QPainter& painter, const TLineRec& rec, int64_t lineNumber, int y);
    void ExpandRecord(const TLineRec& rec);
    // Where and how PaintText draws a band: in the window's text area, or
    // on a printed page.
    struct TBandLayout {
        int TextLeft = 0;         // x of column LeftColumn
        int Right = 0;            // the band ends here
        int LeftColumn = 0;
        int MaxRun = 1;           // fixed-pitch runs are cut to this many columns
        bool Selection = false;   // the selection in its colours
        bool ShowAll = false;     // the show-all-characters glyphs
        bool Transparent = false; // backgrounds left unpainted
    };
    TBandLayout ScreenBand();
    void PaintText(QPainter& painter, const TLineRec& rec, int64_t recStart, int y,
                   const TBandLayout& band);
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

    // ---- code_memo_search.cpp ----
    TSearchDialog* SearchDialog(TSearchDialog::TKind kind);
    // The dialog's starting text and preset options.
    void PresetRequest(int flags, const std::string& text);
    void OpenSearchDialog(TSearchDialog* dialog);
    void TakeDialogRequest(const TSearchDialog& dialog);
    std::string SearchPattern() const;
    // Selects a hit and scrolls it into view.
    void SelectHit(const TSearchHit& hit);
    void SearchFailed(const std::string& pattern);
    void ShowExpressionError(const std::string& text);

    // ---- code_memo_print.cpp ----
    // TCodeMemoPrinter: on the printer PrintSelection gave, else (caPRINTSEL)
    // on the default printer.
    void PrintLines(TCodeMemoModel& model, int64_t firstLine, int64_t lastLine) override;
    QPrinter* printTarget_ = nullptr;
    void PrintRange(QPrinter& printer, int64_t firstLine, int64_t lastLine);
    void PrintPages(QPrinter& printer, QPainter& painter, int64_t firstLine, int64_t lastLine,
                    qreal scale);
    // Draws a page's header and footer; returns the rectangle for text.
    QRect PrintHeaderFooter(QPainter& painter, const QRect& page, int pageNumber,
                            bool& transparent);

    // ---- code_memo_templates.cpp ----
    // The expansion context of the text at the caret, read through `stream`.
    TExpansionContext ExpansionContext(TEdStream& stream);
    // Offers a key to the templates and the auto-replace list; true when one
    // of them took it.
    bool ProcessMacroKeys(uint16_t& key, TShiftState shift);
    void ShowTemplatePopup(TMacroKeywords& list, TPopupRequest request);
    void TemplateChosen(int row);
    void TemplatePopupClosed();

    TTemplatePopup* popup_ = nullptr;  // a child of this control
    TMacroKeywords* popupList_ = nullptr;
    TPopupRequest popupRequest_;
    bool popupHideSelection_ = true;

    // ---- code_memo_drag.cpp ----
    void StartSelectionDrag();
    // Whether the drag came from this control.
    bool DragFromHere(const QMimeData& data) const;
    // The files of a drop the host takes (smoProcessDroppedFiles and
    // OnFilesDropped), else nothing.
    QStringList DroppedFiles(const QMimeData& data) const;
    // What a drop would do: Copy with Ctrl or when the source cannot move;
    // Ignore when the control takes nothing from it.
    Qt::DropAction DropAction(const QDropEvent& event) const;
    void SetDropOffset(int64_t offset);
    void PaintDropCaret(QPainter& painter);

    TQtClipboard clipboard_;
    TMemoMessages messages_;
    TSearchEngine search_;
    TSearchRequest request_;
    TSearchDialog* findDialog_ = nullptr;    // owned by this control (Qt parent)
    TSearchDialog* replaceDialog_ = nullptr;
    bool hideSelectionBefore_ = true;
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
    QPoint pressPoint_;
    bool droppedOnSelf_ = false;
    int64_t dropOffset_ = -1; // where a hovering drag would drop, or -1
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
