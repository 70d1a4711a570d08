// TCodeMemoModel: the editor control's text model without any window — the
// per-control bookkeeping over a TTextStore (counts, widest record, top
// anchor, selection), insertion and deletion with their notifications,
// offset and column lookups, loading and saving in the four formats, the
// selection writers and the undo log; on top of them the caret, the 45
// editing commands, typing, the mouse side of selection and the message
// interface (Perform).
//
// Offsets are zero-based counts of stored characters; a line break is one
// CR. Every offset a caller passes is clamped to 0..CharCount(). The editor
// widget owns one model and forwards its messages to it.
#pragma once

#include "editor/core/code_memo_host.h"
#include "editor/core/export_highlighter.h"
#include "editor/core/line_rec.h"
#include "editor/core/selection_writer.h"
#include "editor/core/tab_stops.h"
#include "editor/core/text_store.h"
#include "editor/core/undo_stack.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick {

struct TExpansion;
struct TReplaceEdit;

enum TSaveFormat { sfTEXT, sfRTF, sfHTML, sfUNIX };
enum TSelLineStyle { lsCRLF, lsLF };

// A record found by offset or index, with its first offset and its index.
struct TLineLoc {
    TLineRec* Rec = nullptr;
    int64_t Start = 0;
    int64_t Index = 0;
};

// How a re-cut (TCodeMemoModel::Rewrap) cuts logical lines into records.
struct TWrapRule {
    // False: every logical line becomes one record, or records of
    // kMaxRecordLen characters when it is longer.
    bool Wrap = false;
    // Lines whose first character is one of these are not wrapped (the
    // caller passes the override characters only with smoWrapOverride).
    std::string Override;
    // How many characters at the start of `text` (a logical line's rest,
    // with its CR when it has one) fit on one display line; called only
    // with Wrap set. The widget measures; 0 is taken as 1.
    std::function<size_t(std::string_view text)> Fit;
};

// The length of the first display piece of `text` when `fit` characters
// fit: delimiters (bytes up to 32 and byte 160) at the cut stay at the end
// of the piece; otherwise the cut moves back to just after the nearest
// delimiter, or stays inside a word that fills the whole width. The whole
// text when everything but its CR fits. At most kMaxRecordLen.
size_t WrapCut(std::string_view text, size_t fit);

// A host's mark over a range of offsets; it follows edits.
struct TRangeMark {
    int64_t Start = 0;
    int64_t End = 0;
    int Tag = 0;
};

class TCodeMemoModel {
public:
    TCodeMemoModel();
    ~TCodeMemoModel();
    TCodeMemoModel(const TCodeMemoModel&) = delete;
    TCodeMemoModel& operator=(const TCodeMemoModel&) = delete;

    // ---- notifications ----
    // (start, extent): extent > 0 for an insertion, < 0 for a deletion;
    // clearing the whole text reports (0, 0).
    std::function<void(int64_t start, int64_t extent)> OnTextChange;
    // After an edit or selection change, once no update is open.
    std::function<void()> OnChange;
    // The system beep (undo log faults).
    std::function<void()> OnBeep;
    std::function<void(TLineTracker& tracker)> OnTrackFree;
    std::function<void(const std::string& name)> OnCustomBookmarkFree;

    // Brackets several operations so that OnChange fires once at the end.
    void BeginUpdate();
    void EndUpdate();

    // ---- text ----
    TTextStore& Store() { return *store_; }
    const TLineRec* First() const { return store_->First(); }
    int64_t CharCount() const { return charCount_; }
    int64_t RecordCount() const { return recCount_; }  // 0 for an empty text
    int64_t LineCount() const { return recCount_ > 0 ? recCount_ : 1; }
    int64_t WidestRecord() const;
    // The whole text with bare CR line ends.
    std::string Text() const;

    TLineLoc FindLine(int64_t offset) const;
    // Stops at the last record; Rec is null for an empty text.
    TLineLoc LineByIndex(int64_t index) const;
    // The first record changed since the last OnChange, as a line index
    // (-1 when none): where the widget's incremental highlighting starts.
    int64_t FirstChangedLine() const { return firstChanged_; }

    // ---- selection ----
    int64_t SelAnchor() const { return anchor_; }
    int64_t SelCaret() const { return caret_; }
    int64_t SelStart() const { return std::min(anchor_, caret_); }
    int64_t SelEnd() const { return std::max(anchor_, caret_); }
    // Both ends clamped to 0..CharCount; (0, -1) selects all.
    void SetSelection(int64_t anchor, int64_t caret);
    void SelectAll() { SetSelection(0, -1); }
    TSelLineStyle SelLineStyle = lsLF;
    int64_t SelLength() const;
    std::string SelText() const;

    // ---- editing ----
    // Inserts at the caret, replacing the selection; logged for undo.
    void InsertText(std::string_view text);
    // Inserts a stream's remaining bytes at the caret (logged as a stream).
    void InsertStream(std::istream& stream);
    // Deletes the selection; logged for undo.
    void DeleteSelection();
    bool ReadOnly = false;

    // ---- columns and tabs ----
    int ColumnOfIndex(const TLineRec& rec, size_t index) const;
    size_t IndexOfColumn(const TLineRec& rec, int column) const;
    int NextTabStop(int column) const { return tabs_.NextTabStop(column); }
    TTabStops& Tabs() { return tabs_; }
    const TTabStops& Tabs() const { return tabs_; }

    // ---- view bookkeeping ----
    int64_t TopLine() const { return topIndex_; }
    void SetTopLine(int64_t index);
    int VisibleLines = 30;
    // Moves the top line so that the caret's record is visible.
    void ScrollCaret();

    // ---- word wrap (code_memo_wrap.cpp) ----
    // Re-cuts the logical lines that hold records [firstLine, lastLine]
    // (lastLine < 0: to the end of the text). A line that is cut as it
    // already is stays untouched; otherwise its first piece keeps the
    // line's marks (without the continuation bit), colour overrides and
    // tracker, further pieces are continuation records, every new piece
    // keeps its token values and is flagged for repaint and recolouring.
    // Offsets, the selection and the top line's text stay where they were.
    // Returns the index range of the records it replaced ({-1, -1}: none).
    std::pair<int64_t, int64_t> Rewrap(int64_t firstLine, int64_t lastLine, const TWrapRule& rule);

    // ---- load and save ----
    TSaveFormat SaveFormat = sfTEXT;
    uint32_t Options = 0;  // smo... bits
    std::string FontName = "Courier New";
    int FontSize = 10;
    std::string DocTitle;
    // The HTML date text; the current local date and time when not set.
    std::function<std::string()> DateText;
    void SetHighlighter(TExportHighlighter* highlighter) { highlighter_ = highlighter; }
    TExportHighlighter* Highlighter() const { return highlighter_; }

    // Replaces the whole text; empties the undo log; caret to 0.
    void LoadFromStream(std::istream& stream);
    void LoadFromText(std::string_view bytes);
    // Raises EInOutError "File '%s' cannot be opened for reading" when the
    // file cannot be read; the text is then unchanged.
    void LoadFromFile(const std::string& name);
    // Writes the whole text in SaveFormat; empties the undo log. A null
    // stream raises ECodeMemoSave "Bad TStream instance"; a stream that
    // keeps failing, "Could not save text to stream" after three retries.
    void SaveToStream(std::ostream* stream);
    void SaveToFile(const std::string& name);
    // [SelStart, SelEnd) in the given form (colouring the lines first for
    // HTML and RTF).
    std::string WriteSelection(TWriteKind kind);
    // Test hook: when set, each save attempt's bytes pass through it and it
    // returns how many reached the stream.
    std::function<size_t(std::ostream& stream, std::string_view bytes)> SaveSink;

    // ---- undo ----
    bool Modified() const;
    // False empties the undo log; true does nothing.
    void SetModified(bool value);
    bool CanUndo() const;
    bool CanRedo() const;
    void Undo();
    void Redo();
    void ClearUndo();
    void BeginGroup(int code);
    void EndGroup(int code);
    void EnableLogging() { logging_ = true; }
    void DisableLogging() { logging_ = false; }
    bool LoggingEnabled() const { return logging_; }
    // Records an insertion of `text` at `offset` (block indent).
    void LogIndent(int64_t offset, std::string_view text);
    // Records the removal of `removed` at `offset` (block unindent).
    void LogUnindent(int64_t offset, std::string_view removed);
    // The log object; null detaches it (nothing is logged then).
    TUndoStack* UndoStack() const { return undo_.get(); }
    std::unique_ptr<TUndoStack> ReplaceUndoStack(std::unique_ptr<TUndoStack> stack);

    // ---- custom bookmarks and range marks (they follow edits) ----
    void SetCustomBookmark(const std::string& name, int64_t offset);
    std::optional<int64_t> CustomBookmark(const std::string& name) const;
    // The host's range marks; the widget draws those covering a record over
    // its text.
    std::vector<TRangeMark>& RangeMarks() { return rangeMarks_; }

    // Unlogged primitives used by the commands and the undo replay.
    void RawDeleteSelection();
    void RawInsertAtCaret(std::string_view text);

    // ================================================================
    // Caret, selection and editing commands (code_memo_commands.cpp),
    // typing and block operations (code_memo_typing.cpp), mouse and drops
    // (code_memo_mouse.cpp), the message interface (code_memo_perform.cpp).
    // ================================================================

    // ---- host ----
    TCodeMemoClipboard* Clipboard = nullptr;  // not owned; null = no clipboard
    TCodeMemoPrinter* Printer = nullptr;      // not owned; null = printing does nothing
    TCodeMemoView* View = nullptr;            // not owned; null = headless
    // Whether the font is fixed-pitch (the widget measures it); caret-after-
    // EOL mode needs both this and smoCaretAfterEOL.
    bool FixedPitch = true;
    int VisibleColumns = 80;
    int LeftColumn() const { return leftColumn_; }
    void SetLeftColumn(int column);
    // Scrolls vertically (ScrollCaret) and horizontally in steps of 8
    // columns so that the caret is in view.
    void ScrollCaretIntoView();
    // Painting-suspended flag (private message 0xC05); leaving it repaints.
    bool PaintSuspended() const { return paintSuspended_; }
    void SetPaintSuspended(bool value);

    // ---- properties ----
    bool WantTab = true;
    bool WantReturns = true;
    bool HideSelection = true;
    uint32_t ClipCopyFormats = smTEXT | smRTF;
    int IndentStep() const { return indentStep_; }
    // 1..19; other values are ignored.
    void SetIndentStep(int value);
    bool InsertMode() const { return insertMode_; }
    void SetInsertMode(bool value);

    // ---- caret state ----
    // The caret's visual column: the desired column while the caret stands
    // past a line end, else the column of the caret offset.
    int CaretColumn() const;
    bool PastLineEnd() const;
    bool CaretAfterEOL() const;
    // Moves the caret to an offset as a click does; with `extend` the
    // anchor stays. Clears the past-line-end state.
    void PlaceCaret(int64_t offset, bool extend);

    // ---- commands ----
    // Runs command 0..44 (caLEFT..caPRINTSEL); other codes do nothing.
    // Text-changing commands do nothing while ReadOnly.
    void ExecuteCommand(int code, bool extend);
    // The keyboard controller's path: OnCommandRecognised may change the
    // code first.
    void CommandRecognised(int code, bool extend);
    std::function<void(int& code)> OnCommandRecognised;

    // Bookmark n (0..9) on the caret's logical line, as a toggle; an index
    // above 9 raises ECodeMemo "Bookmark index range error".
    void SetBookmark(int index);
    void GotoBookmark(int index);
    // The line index carrying bookmark n, or -1.
    int64_t BookmarkLine(int index) const;
    std::function<void(int index)> OnBookmarkSet;

    // ---- typing ----
    // The key-press path: types `c` as insert or overwrite mode, Enter with
    // auto-indent and TAB say. Returns whether the character was taken
    // (typed or swallowed); control characters it does not type return false.
    bool KeyPress(char c);
    // The blanks (and, with smoUseTAB + smoSmartFill, TABs) that fill the
    // gap from column `from` to column `to` (empty when to <= from).
    std::string FillString(int from, int to) const;

    // ---- block operations and words ----
    // Prefix `count` blanks (TABs when `useTabs` and smoUseTAB) to every
    // line of a non-empty selection; one undo group.
    void IndentBlock(int count, bool useTabs = false);
    // Removes up to `count` leading blanks, TABs or byte 160 from every line
    // of the selection; one undo group when anything is removed.
    void UnindentBlock(int count);
    // Selects the word at or before the caret on its record.
    void SelectWord();
    // Word tests; the hooks replace the defaults when set.
    std::function<bool(unsigned char)> fn_CharIsInWord;
    std::function<bool(unsigned char)> fn_CharStartsWord;
    bool CharIsInWord(unsigned char c) const;
    bool CharStartsWord(unsigned char c) const;

    // ---- applying expansions and Replace All (code_memo_apply.cpp) ----
    // Replaces [ReplaceStart, ReplaceEnd) by the expansion's text as one
    // undo group with its group code, then puts the caret at CaretAfter (a
    // collapsed selection) or after the inserted text. Nothing while ReadOnly.
    void ApplyExpansion(const TExpansion& expansion);
    // Applies a regular-expression Replace All's edit list (offsets into the
    // text as it was, increasing, not overlapping) as one undo group with code
    // ugReplaceAll; the caret ends after the last replacement, scrolled into
    // view. Edits outside the text are skipped. Nothing while ReadOnly.
    void ApplyReplaceEdits(const std::vector<TReplaceEdit>& edits);

    // ---- clipboard and printing ----
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    bool CanPaste() const { return Clipboard != nullptr && Clipboard->HasText(); }
    // May change the paste's SourceTypes (stPlainText...).
    std::function<void(uint32_t& sourceTypes)> OnDataDrop;
    void PrintSelection();

    // ---- mouse, drag and drop (code_memo_mouse.cpp) ----
    // The widget turns pixels into an offset and a visual column and calls
    // MouseDown for every left-button press in the text (a double click's
    // press included), DoubleClick for the system double click after it,
    // MouseMoveTo while the button is down, MouseUp on release.
    enum TMouseAction { maNone, maPlaced, maExtended, maDragPending, maLineSelected, maTripleClick };
    struct TMousePress {
        int64_t Offset = 0;
        int Column = 0;                   // the pointer's column (caret-after-EOL mode)
        bool Shift = false;
        uint64_t Time = 0;                // milliseconds, any steady clock
        uint32_t DoubleClickTime = 500;   // the system double-click time
        bool TripleClickHandled = false;  // the host has OnTripleClick
    };
    // maTripleClick: the host fires OnTripleClick instead of the model
    // selecting the line.
    TMouseAction MouseDown(const TMousePress& press);
    void MouseMoveTo(int64_t offset, int column);
    void MouseUp(int64_t offset, int column);
    // Word selection (smoWordSelect) unless the click counter is 3 or 4.
    bool DoubleClick();
    int ClickCount() const { return clickCount_; }
    bool DragPending() const { return dragPending_; }
    bool MouseSelecting() const { return mouseSelecting_; }
    // The widget started a drag of the selection.
    void DragStarted() { dragPending_ = false; }
    // Selects record `line` with its CR (a press in the left margin).
    void SelectLine(int64_t line);
    // The 1-based logical line number a gutter press reports (counting only
    // records that start a logical line).
    int64_t GutterLineNumber(int64_t line) const;
    // A drop of `text` at `offset`, one undo group; `moveFromSelf`: the drag
    // came from this control's selection with a move effect, which is
    // deleted first. A drop inside the dragged selection, or while ReadOnly,
    // does nothing. Returns whether the text went in.
    bool DropText(int64_t offset, std::string_view text, bool moveFromSelf);
    // The drag of the selection ended in a move to another target.
    void DragMoved();

    // ---- attribute bytes of a line range (private messages 0xC13/0xC14) ----
    // Record indices [first, last] clamped to the text; `bytes` holds each
    // record's Len values back to back. Returns the count of bytes used.
    size_t SetLineAttrs(int64_t first, int64_t last, const uint8_t* bytes, size_t size);
    size_t GetLineAttrs(int64_t first, int64_t last, uint8_t* bytes, size_t size) const;
    // The count of attribute bytes records [first, last] take.
    size_t LineAttrsSize(int64_t first, int64_t last) const;

    // ---- the message interface ----
    // Standard edit messages and the private block 0xC00..0xC40; unknown
    // messages return 0. Pointers in wParam/lParam follow each message's
    // contract in platform/messages.h; a null pointer where one is needed
    // makes the message return 0. 0xC0D, 0xC13 and 0xC14 take their buffer
    // as a TSemBuffer (pointer and size) in lParam: 0xC0D copies the
    // selected text truncated and NUL-terminated as WM_GETTEXT does (with no
    // buffer it returns the full length); 0xC13/0xC14 move whole records'
    // bytes only, as many as fit (0xC14 with no buffer returns the size).
    // 0xC15 set: the model takes ownership of the stack passed and returns
    // the old one, which the caller then owns. 0xC10 wParam SEM_INDENT_TABS
    // indents with TABs; lParam of 0xC10/0xC11 is the count (0: IndentStep).
    // 0xC0B, 0xC0C and 0xC12 and the pixel messages go to View.
    intptr_t Perform(uint32_t msg, uintptr_t wParam, intptr_t lParam);
    // The text with CR LF line ends and its length.
    std::string TextCRLF() const;
    int64_t TextLengthCRLF() const;

private:
    // The replacement being logged, between its begin and end phases.
    struct TPending {
        int Code = 0;
        TLogRange Before;
        std::optional<std::string> Removed;
        std::optional<std::string> Inserted;
    };
    int64_t Clamp(int64_t offset) const;
    void MarkChanged(int64_t line);
    void FireChange();
    void EnsureAnchor() const;
    TLineLoc WalkTo(TLineLoc from, int64_t offset) const;
    TLineLoc WalkToIndex(TLineLoc from, int64_t index) const;
    void InsertSingle(char c);
    void InsertChunk(std::string_view raw);
    void DeleteRange(int64_t start, int64_t end);
    void ClearAll();
    void FixContinuation(TLineRec* rec);
    struct TCut;
    static void CutRecords(std::string_view text, TCut& cut);
    // The texts of records [from.Rec, to] joined, with `insert` placed at
    // the text offset `offset` (which lies inside or at the end of them).
    static std::string JoinWithInsert(const TLineLoc& from, const TLineRec* to, int64_t offset,
                                      std::string_view insert);
    // Whether `text` holds a piece of line (up to and including a CR) longer
    // than a record can hold.
    static bool HasOverlongPiece(std::string_view text);
    // Replaces records [first.Rec, last] (none when first.Rec is null: an
    // empty text) by the chain `cut`, whose text is `delta` characters
    // longer. The first new record takes over the first old one's marks,
    // colour overrides and tracker, and with `keepBookmarks` the bookmark
    // bits of the others. Nothing throws until the model is whole again.
    void SwapRecords(const TLineLoc& first, TLineRec* last, TCut& cut, int64_t delta,
                     bool keepBookmarks);
    void ShiftMarks(int64_t at, int64_t delta);
    void RemoveMarks(int64_t start, int64_t end);
    void ReplaceSelectionLogged(int code, std::string_view text);
    void LogBegin(int code, std::string_view text);
    void LogEnd(int code);
    void FailLog();
    void Replay(bool backwards);
    void UndoStep(bool& groupMode);
    void RedoStep(bool& groupMode);
    TSelectionWriter MakeWriter() const;
    void SelectNoNotify(int64_t anchor, int64_t caret);

    std::unique_ptr<TTextStore> store_;
    int64_t charCount_ = 0;
    int64_t recCount_ = 0;
    mutable int64_t widest_ = 0;
    mutable bool widestDirty_ = false;

    // Top anchor: the first visible record; topRec_ null = to be rebuilt.
    mutable TLineRec* topRec_ = nullptr;
    mutable int64_t topOffset_ = 0;
    mutable int64_t topIndex_ = 0;
    // The most recently found or edited record: lookups near the caret
    // start here instead of walking from the anchor.
    mutable TLineLoc hint_;

    int64_t anchor_ = 0;
    int64_t caret_ = 0;
    int64_t firstChanged_ = -1;
    bool changed_ = false;
    uint64_t changeCount_ = 0;  // every MarkChanged: edits and selection changes
    int updateCount_ = 0;

    TTabStops tabs_;
    TExportHighlighter* highlighter_ = nullptr;

    std::unique_ptr<TUndoStack> undo_;
    bool logging_ = true;
    bool replaying_ = false;
    std::unique_ptr<TPending> pending_;

    // Commands: where the caret stands and how vertical moves track it.
    struct TCaretLine {
        TLineLoc Loc;          // the caret's record (Rec null: empty text)
        bool Virtual = false;  // the empty position after a final CR
    };
    TCaretLine CaretLine() const;
    int64_t LastLineIndex() const;
    size_t LineEndIndex(const TLineRec& rec) const;
    int LineEndColumn(const TLineRec& rec) const;
    int CaretLineEndColumn() const;
    char CharAt(int64_t offset) const;
    int ColumnAt(int64_t offset) const;
    int PreviousIndent(const TLineRec* from) const;
    void SyncCaretState();
    // The caret state a command left behind is current while nothing (text
    // or selection) changed since.
    void RememberCaret()
    {
        lastCaret_ = caret_;
        lastChangeCount_ = changeCount_;
    }
    bool CaretStateCurrent() const { return caret_ == lastCaret_ && changeCount_ == lastChangeCount_; }
    void MoveTo(int64_t offset, bool extend);
    void CommandLeft(bool extend);
    void CommandRight(bool extend);
    void CommandLineHome(bool extend);
    void CommandLineEnd(bool extend);
    void MoveLines(int64_t delta, bool extend);
    void CommandWordLeft(bool extend);
    void CommandWordRight(bool extend);
    int64_t WordLeftFrom(int64_t offset) const;
    void CommandDocEnd(bool extend);
    void CommandDelete();
    void CommandBackspace();
    void CommandDeleteLine();
    void CommandDelPrevWord();
    void CommandUndoRedo(bool undo);
    void FillToCaret();
    TLineLoc LogicalLineStart(TLineLoc at) const;
    void TypeText(char c);
    void TabToColumn();
    int TabTarget(int column) const;
    int AutoIndentColumn() const;
    std::vector<int64_t> BlockLineStarts() const;

    void FollowPointer(int64_t offset, int column);

    int clickCount_ = 4;
    uint64_t lastClickTime_ = 0;
    int64_t lastClickLine_ = -1;
    bool dragPending_ = false;
    bool mouseSelecting_ = false;
    int desiredCol_ = 0;
    bool pastEOL_ = false;
    int trackCol_ = -1;
    int64_t trackCaret_ = -1;
    int64_t lastCaret_ = 0;
    uint64_t lastChangeCount_ = 0;
    bool insertMode_ = true;
    std::array<int64_t, 10> bookmarkPos_{};
    int indentStep_ = 1;
    int leftColumn_ = 0;
    bool paintSuspended_ = false;

    // Rewrap's scratch: piece lengths and a logical line's joined text and
    // token values, kept to avoid allocating per line.
    std::vector<size_t> wrapPieces_;
    std::string wrapText_;
    std::vector<uint8_t> wrapAttrs_;

    std::map<std::string, int64_t> customBookmarks_;
    std::vector<TRangeMark> rangeMarks_;
    std::string normBuffer_;
};

}  // namespace tarnwick
