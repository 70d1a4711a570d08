// TCodeMemoModel: the editor control's text model without any window — the
// per-control bookkeeping over a TTextStore (counts, widest record, top
// anchor, selection), insertion and deletion with their notifications,
// offset and column lookups, loading and saving in the four formats, the
// selection writers and the undo log.
//
// Offsets are zero-based counts of stored characters; a line break is one
// CR. Every offset a caller passes is clamped to 0..CharCount(). The editor
// widget owns one model and forwards its messages to it.
#pragma once

#include "editor/core/export_highlighter.h"
#include "editor/core/line_rec.h"
#include "editor/core/selection_writer.h"
#include "editor/core/tab_stops.h"
#include "editor/core/text_store.h"
#include "editor/core/undo_stack.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

enum TSaveFormat { sfTEXT, sfRTF, sfHTML, sfUNIX };
enum TSelLineStyle { lsCRLF, lsLF };

// A record found by offset or index, with its first offset and its index.
struct TLineLoc {
    TLineRec* Rec = nullptr;
    int64_t Start = 0;
    int64_t Index = 0;
};

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
    // (-1 when none).
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
    std::vector<TRangeMark>& RangeMarks() { return rangeMarks_; }

    // Unlogged primitives used by the commands and the undo replay.
    void RawDeleteSelection();
    void RawInsertAtCaret(std::string_view text);

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
    void FreeRecord(TLineRec* rec);
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
    int updateCount_ = 0;

    TTabStops tabs_;
    TExportHighlighter* highlighter_ = nullptr;

    std::unique_ptr<TUndoStack> undo_;
    bool logging_ = true;
    bool replaying_ = false;
    std::unique_ptr<TPending> pending_;

    std::map<std::string, int64_t> customBookmarks_;
    std::vector<TRangeMark> rangeMarks_;
    std::string normBuffer_;
};

}  // namespace tarnwick
