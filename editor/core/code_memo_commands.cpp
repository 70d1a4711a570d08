// The editor's command set: caret movement (desired column, column
// tracking, caret-after-EOL), deletion commands, bookmarks, undo/redo,
// the clipboard and printing of the selection.
#include "editor/core/code_memo_guards.h"
#include "editor/core/code_memo_model.h"

#include "editor/core/code_memo_errors.h"
#include "editor/core/editor_commands.h"
#include "editor/core/memo_options.h"

#include <new>

namespace tarnwick {

namespace {

// The furthest the caret may stand right of a line end.
constexpr int kMaxDesiredColumn = static_cast<int>(kMaxRecordLen);

constexpr std::string_view kStartFragment = "<!--StartFragment-->";
constexpr std::string_view kEndFragment = "<!--EndFragment-->";

}  // namespace

// ---------------------------------------------------------------- caret state

TCodeMemoModel::TCaretLine TCodeMemoModel::CaretLine() const
{
    TCaretLine line;
    if (store_->First() == nullptr)
        return line;
    line.Loc = FindLine(caret_);
    line.Virtual = caret_ == charCount_ && line.Loc.Rec->Next == nullptr &&
                   line.Loc.Rec->EndsWithCR();
    return line;
}

int64_t TCodeMemoModel::LastLineIndex() const
{
    if (store_->First() == nullptr)
        return 0;
    const TLineLoc last = LineByIndex(recCount_ - 1);
    return last.Index + (last.Rec->EndsWithCR() ? 1 : 0);
}

size_t TCodeMemoModel::LineEndIndex(const TLineRec& rec) const
{
    return rec.TextLen();
}

int TCodeMemoModel::LineEndColumn(const TLineRec& rec) const
{
    return ColumnOfIndex(rec, rec.TextLen());
}

int TCodeMemoModel::CaretLineEndColumn() const
{
    const TCaretLine line = CaretLine();
    return line.Loc.Rec == nullptr || line.Virtual ? 0 : LineEndColumn(*line.Loc.Rec);
}

char TCodeMemoModel::CharAt(int64_t offset) const
{
    if (offset < 0 || offset >= charCount_)
        return '\0';
    const TLineLoc at = FindLine(offset);
    return at.Rec->Text[static_cast<size_t>(offset - at.Start)];
}

int TCodeMemoModel::ColumnAt(int64_t offset) const
{
    if (store_->First() == nullptr)
        return 0;
    const TLineLoc at = FindLine(offset);
    const int64_t index = Clamp(offset) - at.Start;
    if (index >= at.Rec->Len && at.Rec->EndsWithCR())  // the empty line after a final CR
        return 0;
    return ColumnOfIndex(*at.Rec, static_cast<size_t>(index));
}

bool TCodeMemoModel::CaretAfterEOL() const
{
    return (Options & smoCaretAfterEOL) != 0 && FixedPitch;
}

bool TCodeMemoModel::PastLineEnd() const
{
    return pastEOL_ && CaretStateCurrent() && CaretAfterEOL();
}

int TCodeMemoModel::CaretColumn() const
{
    return PastLineEnd() ? desiredCol_ : ColumnAt(caret_);
}

// The commands keep the desired column and the past-line-end flag for the
// caret they placed last; when something else moved the caret since (a
// click, a message, an edit from outside), both start afresh from the
// caret offset.
void TCodeMemoModel::SyncCaretState()
{
    if (!CaretStateCurrent() || !CaretAfterEOL()) {
        pastEOL_ = false;
        desiredCol_ = ColumnAt(caret_);
        RememberCaret();
    }
}

void TCodeMemoModel::MoveTo(int64_t offset, bool extend)
{
    offset = Clamp(offset);
    SetSelection(extend ? anchor_ : offset, offset);
    RememberCaret();
    if (!pastEOL_)
        desiredCol_ = ColumnAt(caret_);
    ScrollCaretIntoView();
    if (View != nullptr)
        View->Invalidate();
}

void TCodeMemoModel::PlaceCaret(int64_t offset, bool extend)
{
    pastEOL_ = false;
    MoveTo(offset, extend);
}

void TCodeMemoModel::SetLeftColumn(int column)
{
    leftColumn_ = std::max(column, 0);
    if (View != nullptr)
        View->Invalidate();
}

void TCodeMemoModel::ScrollCaretIntoView()
{
    ScrollCaret();
    // The empty line after a final CR has no record of its own; it is one
    // below the last record and must fit in the view too.
    if (CaretLine().Virtual && recCount_ - TopLine() >= std::max(VisibleLines, 1))
        SetTopLine(recCount_ - std::max(VisibleLines, 1) + 1);
    const int column = CaretColumn();
    const int visible = std::max(VisibleColumns, 1);
    if ((Options & smoWordWrap) != 0 && column < visible) {
        leftColumn_ = 0;
        return;
    }
    // Steps of 8 columns, so that typing at the right edge does not scroll
    // on every key.
    if (column < leftColumn_)
        leftColumn_ = std::max(0, leftColumn_ - ((leftColumn_ - column + 7) / 8) * 8);
    else if (column >= leftColumn_ + visible)
        leftColumn_ += ((column - leftColumn_ - visible) / 8 + 1) * 8;
}

void TCodeMemoModel::SetPaintSuspended(bool value)
{
    if (value == paintSuspended_)
        return;
    paintSuspended_ = value;
    // Suspending painting also holds back the change notification.
    if (value) {
        BeginUpdate();
    } else {
        EndUpdate();
        if (View != nullptr)
            View->Invalidate();
    }
}

void TCodeMemoModel::SetIndentStep(int value)
{
    if (value >= 1 && value <= 19)
        indentStep_ = value;
}

void TCodeMemoModel::SetInsertMode(bool value)
{
    insertMode_ = value;
    if (View != nullptr)
        View->Invalidate();
}

// ---------------------------------------------------------------- dispatch

void TCodeMemoModel::CommandRecognised(int code, bool extend)
{
    if (OnCommandRecognised)
        OnCommandRecognised(code);
    ExecuteCommand(code, extend);
}

void TCodeMemoModel::ExecuteCommand(int code, bool extend)
{
    if (!IsCommandCode(code))
        return;
    SyncCaretState();
    switch (code) {
    case caLEFT: CommandLeft(extend); break;
    case caRIGHT: CommandRight(extend); break;
    case caLINEHOME: CommandLineHome(extend); break;
    case caLINEEND: CommandLineEnd(extend); break;
    case caUP: MoveLines(-1, extend); break;
    case caDOWN: MoveLines(1, extend); break;
    case caPAGEUP:
        SetTopLine(TopLine() - std::max(VisibleLines, 1));
        MoveLines(-std::max(VisibleLines, 1), extend);
        break;
    case caPAGEDOWN:
        SetTopLine(TopLine() + std::max(VisibleLines, 1));
        MoveLines(std::max(VisibleLines, 1), extend);
        break;
    case caWORDLEFT: CommandWordLeft(extend); break;
    case caWORDRIGHT: CommandWordRight(extend); break;
    case caDOCSTART: PlaceCaret(0, extend); break;
    case caDOCEND: CommandDocEnd(extend); break;
    case caCUT: CutToClipboard(); break;
    case caCOPY: CopyToClipboard(); break;
    case caPASTE: PasteFromClipboard(); break;
    case caDELETE: CommandDelete(); break;
    case caBACKSPACE: CommandBackspace(); break;
    case caBLOCKIND: IndentBlock(indentStep_, false); break;
    case caBLOCKUND: UnindentBlock(indentStep_); break;
    case caINSTOGGLE: SetInsertMode(!insertMode_); break;
    case caDELETELINE: CommandDeleteLine(); break;
    case caUNDO: CommandUndoRedo(true); break;
    case caREDO: CommandUndoRedo(false); break;
    case caDELPREVWORD: CommandDelPrevWord(); break;
    case caPRINTSEL: PrintSelection(); break;
    default:
        if (code >= caSETBOOKMARK0 && code <= caSETBOOKMARK9)
            SetBookmark(code - caSETBOOKMARK0);
        else if (code >= caGOTOBOOKMARK0 && code <= caGOTOBOOKMARK9)
            GotoBookmark(code - caGOTOBOOKMARK0);
        break;
    }
}

// ---------------------------------------------------------------- movement

void TCodeMemoModel::CommandLeft(bool extend)
{
    if (PastLineEnd()) {
        const int endColumn = CaretLineEndColumn();
        if (--desiredCol_ <= endColumn) {
            pastEOL_ = false;
            desiredCol_ = endColumn;
        }
        MoveTo(caret_, extend);
        return;
    }
    MoveTo(caret_ - 1, extend);
}

void TCodeMemoModel::CommandRight(bool extend)
{
    if (CaretAfterEOL()) {
        const TCaretLine line = CaretLine();
        // Only a hard line end (or the text's end) opens the virtual space;
        // the end of a continuation piece runs on into the next record.
        bool atEnd = line.Loc.Rec == nullptr || line.Virtual;
        int endColumn = 0;
        if (!atEnd) {
            const TLineRec& rec = *line.Loc.Rec;
            endColumn = LineEndColumn(rec);
            atEnd = (rec.EndsWithCR() || rec.Next == nullptr) &&
                    caret_ - line.Loc.Start >= static_cast<int64_t>(rec.TextLen());
        }
        if (atEnd) {
            desiredCol_ = std::min(desiredCol_ + 1, kMaxDesiredColumn);
            pastEOL_ = desiredCol_ > endColumn;
            MoveTo(caret_, extend);
            return;
        }
    }
    MoveTo(caret_ + 1, extend);
}

void TCodeMemoModel::CommandLineHome(bool extend)
{
    const TCaretLine line = CaretLine();
    if (line.Loc.Rec == nullptr || line.Virtual)
        return;
    PlaceCaret(line.Loc.Start, extend);
}

void TCodeMemoModel::CommandLineEnd(bool extend)
{
    const TCaretLine line = CaretLine();
    if (line.Loc.Rec == nullptr || line.Virtual)
        return;
    const TLineRec& rec = *line.Loc.Rec;
    size_t index = LineEndIndex(rec);
    while (index > 0 && (rec.Text[index - 1] == ' ' || rec.Text[index - 1] == '\t'))
        --index;
    PlaceCaret(line.Loc.Start + static_cast<int64_t>(index), extend);
}

void TCodeMemoModel::MoveLines(int64_t delta, bool extend)
{
    if (store_->First() == nullptr)
        return;
    const TCaretLine line = CaretLine();
    const int64_t from = line.Loc.Index + (line.Virtual ? 1 : 0);
    const int64_t target = std::clamp<int64_t>(from + delta, 0, LastLineIndex());
    if (target == from)
        return;
    const int column = CaretColumn();
    // A run of vertical moves remembers where it began; any other caret
    // placement since the last vertical move starts a new run.
    if (trackCol_ < 0 || trackCaret_ != caret_)
        trackCol_ = column;
    const int want = (Options & smoColumnTrack) != 0 ? trackCol_ : column;

    int64_t offset = charCount_;
    pastEOL_ = false;
    if (target >= recCount_) {
        // The empty line after a final CR.
        if (CaretAfterEOL() && want > 0) {
            pastEOL_ = true;
            desiredCol_ = want;
        }
    } else {
        const TLineLoc to = LineByIndex(target);
        const TLineRec& rec = *to.Rec;
        size_t index = IndexOfColumn(rec, want);
        if (!rec.EndsWithCR() && rec.Next != nullptr && index >= rec.Len)
            index = rec.Len - 1u;
        if (CaretAfterEOL() && want > LineEndColumn(rec)) {
            pastEOL_ = true;
            desiredCol_ = std::min(want, kMaxDesiredColumn);
            index = rec.TextLen();
        }
        offset = to.Start + static_cast<int64_t>(index);
    }
    MoveTo(offset, extend);
    trackCaret_ = caret_;
}

int64_t TCodeMemoModel::WordLeftFrom(int64_t offset) const
{
    int64_t at = Clamp(offset);
    while (at > 0 && !CharIsInWord(static_cast<unsigned char>(CharAt(at - 1))))
        --at;
    while (at > 0 && CharIsInWord(static_cast<unsigned char>(CharAt(at - 1))))
        --at;
    return at;
}

void TCodeMemoModel::CommandWordLeft(bool extend)
{
    const int64_t to = WordLeftFrom(caret_);
    if (to != caret_)
        PlaceCaret(to, extend);
}

void TCodeMemoModel::CommandWordRight(bool extend)
{
    int64_t at = caret_;
    const auto c = [this](int64_t offset) { return static_cast<unsigned char>(CharAt(offset)); };
    if (at < charCount_ && CharStartsWord(c(at)))
        ++at;
    while (at < charCount_ && CharIsInWord(c(at)))
        ++at;
    while (at < charCount_ && !CharIsInWord(c(at)))
        ++at;
    PlaceCaret(at, extend);
}

void TCodeMemoModel::CommandDocEnd(bool extend)
{
    PlaceCaret(charCount_, extend);
}

// ---------------------------------------------------------------- editing

// Fills the virtual space between the line end and the caret's desired
// column, so that what comes next lands where the caret is shown.
void TCodeMemoModel::FillToCaret()
{
    if (!PastLineEnd())
        return;
    const int from = CaretLineEndColumn();
    const int to = desiredCol_;
    pastEOL_ = false;
    InsertText(FillString(from, to));
    RememberCaret();
}

void TCodeMemoModel::CommandDelete()
{
    if (ReadOnly)
        return;
    if (anchor_ == caret_ && caret_ >= charCount_)
        return;
    {
        TUpdateGuard update(*this);
        TGroupGuard group(*this, ugDelete);
        if (anchor_ == caret_) {
            FillToCaret();
            SelectNoNotify(caret_, caret_ + 1);
        }
        DeleteSelection();
    }
    PlaceCaret(caret_, false);
}

void TCodeMemoModel::CommandBackspace()
{
    if (ReadOnly)
        return;
    if (PastLineEnd()) {
        CommandLeft(false);
        return;
    }
    if (anchor_ == caret_ && caret_ == 0)
        return;
    {
        TUpdateGuard update(*this);
        TGroupGuard group(*this, ugDelete);
        if (anchor_ == caret_)
            SelectNoNotify(caret_, caret_ - 1);
        DeleteSelection();
    }
    PlaceCaret(caret_, false);
}

void TCodeMemoModel::CommandDeleteLine()
{
    if (ReadOnly || anchor_ != caret_)
        return;
    const TCaretLine line = CaretLine();
    if (line.Loc.Rec == nullptr || line.Virtual)
        return;
    {
        TUpdateGuard update(*this);
        TGroupGuard group(*this, ugDelete);
        SelectNoNotify(line.Loc.Start, line.Loc.Start + line.Loc.Rec->Len);
        DeleteSelection();
    }
    PlaceCaret(caret_, false);
}

void TCodeMemoModel::CommandDelPrevWord()
{
    if (WordLeftFrom(caret_) == caret_)
        return;
    if (ReadOnly) {
        // Only the deletion is barred; the word is still selected.
        CommandWordLeft(true);
        return;
    }
    TUpdateGuard update(*this);
    TGroupGuard group(*this, ugDelPrevWord);
    CommandWordLeft(true);
    CommandDelete();
}

void TCodeMemoModel::CommandUndoRedo(bool undo)
{
    if (undo)
        Undo();
    else
        Redo();
    PlaceCaret(caret_, anchor_ != caret_);
}

// ---------------------------------------------------------------- bookmarks

TLineLoc TCodeMemoModel::LogicalLineStart(TLineLoc at) const
{
    while (at.Rec != nullptr && at.Rec->IsContinuation() && at.Rec->Prev != nullptr) {
        at.Rec = at.Rec->Prev;
        at.Start -= at.Rec->Len;
        --at.Index;
    }
    return at;
}

int64_t TCodeMemoModel::BookmarkLine(int index) const
{
    if (index < 0 || index > 9)
        throw ECodeMemo(kMsgBookmarkRange);
    const auto bit = static_cast<uint16_t>(1u << index);
    int64_t line = 0;
    for (const TLineRec* rec = store_->First(); rec != nullptr; rec = rec->Next, ++line) {
        if ((rec->Marks & bit) != 0)
            return line;
    }
    return -1;
}

void TCodeMemoModel::SetBookmark(int index)
{
    if (index < 0 || index > 9)
        throw ECodeMemo(kMsgBookmarkRange);
    const TCaretLine caret = CaretLine();
    if (caret.Loc.Rec == nullptr || caret.Virtual)
        return;
    const TLineLoc line = (Options & smoWordWrap) != 0 ? LogicalLineStart(caret.Loc) : caret.Loc;
    const auto bit = static_cast<uint16_t>(1u << index);
    TLineRec& rec = *line.Rec;
    rec.Flags |= lfRepaint;
    if (View != nullptr)
        View->Invalidate();
    if ((rec.Marks & bit) != 0) {
        rec.Marks &= static_cast<uint16_t>(~bit);
        return;
    }
    for (TLineRec* other = store_->First(); other != nullptr; other = other->Next) {
        if ((other->Marks & bit) != 0) {
            other->Marks &= static_cast<uint16_t>(~bit);
            other->Flags |= lfRepaint;
        }
    }
    // One numbered bookmark per line.
    rec.Marks = static_cast<uint16_t>((rec.Marks & ~kBookmarkMask) | bit);
    bookmarkPos_[static_cast<size_t>(index)] = caret_ - line.Start + 1;
    if (OnBookmarkSet)
        OnBookmarkSet(index);
}

void TCodeMemoModel::GotoBookmark(int index)
{
    const int64_t lineIndex = BookmarkLine(index);
    if (lineIndex < 0)
        return;
    const TLineLoc line = LineByIndex(lineIndex);
    // The remembered position, kept within the logical line (a wrapped
    // line's later pieces included).
    int64_t length = 0;
    for (const TLineRec* rec = line.Rec; rec != nullptr; rec = rec->Next) {
        length += static_cast<int64_t>(rec->TextLen());
        if (rec->EndsWithCR() || rec->Next == nullptr || !rec->Next->IsContinuation())
            break;
    }
    const int64_t position = std::clamp<int64_t>(bookmarkPos_[static_cast<size_t>(index)] - 1, 0, length);
    PlaceCaret(line.Start + position, false);
    SetTopLine(lineIndex - VisibleLines / 2);
}

// ---------------------------------------------------------------- clipboard

void TCodeMemoModel::CopyToClipboard()
{
    // An empty selection leaves the clipboard as it is rather than wiping it.
    if (Clipboard == nullptr || anchor_ == caret_)
        return;
    Clipboard->Clear();
    if ((ClipCopyFormats & smTEXT) != 0)
        Clipboard->PutText(WriteSelection(wkCRLF));
    if ((ClipCopyFormats & smRTF) != 0)
        Clipboard->PutRtf(WriteSelection(wkRTF));
}

void TCodeMemoModel::CutToClipboard()
{
    if (ReadOnly || Clipboard == nullptr || anchor_ == caret_)
        return;
    {
        TUpdateGuard update(*this);
        TGroupGuard group(*this, ugCut);
        CopyToClipboard();
        DeleteSelection();
    }
    PlaceCaret(caret_, false);
}

void TCodeMemoModel::PasteFromClipboard()
{
    if (ReadOnly || Clipboard == nullptr)
        return;
    uint32_t types = (Clipboard->HasText() ? stPlainText : 0u) | (Clipboard->HasHtml() ? stHtml : 0u);
    if (types == 0)
        return;
    if (OnDataDrop)
        OnDataDrop(types);
    std::string text;
    try {
        if ((types & stPlainText) != 0) {
            text = Clipboard->Text();
        } else if ((types & stHtml) != 0) {
            text = Clipboard->Html();
            if ((types & (stHtmlFromTag | stHtmlFragment)) != 0) {
                const size_t tag = text.find('<');
                if (tag != std::string::npos)
                    text.erase(0, tag);
            }
            if ((types & stHtmlFragment) != 0) {
                const size_t start = text.find(kStartFragment);
                if (start != std::string::npos) {
                    const size_t from = start + kStartFragment.size();
                    const size_t end = text.find(kEndFragment, from);
                    text = text.substr(from, end == std::string::npos ? std::string::npos : end - from);
                }
            }
        }
    } catch (const std::bad_alloc&) {
        throw ECodeMemo(kMsgClipBuffer);
    }
    // Clipboard text ends at its NUL.
    const size_t nul = text.find('\0');
    if (nul != std::string::npos)
        text.resize(nul);
    if (text.empty())
        return;
    {
        TPaintGuard paint(*this);
        TGroupGuard group(*this, ugPaste);
        InsertText(text);
    }
    PlaceCaret(caret_, false);
}

// ---------------------------------------------------------------- printing

void TCodeMemoModel::PrintSelection()
{
    if (Printer == nullptr || anchor_ == caret_)
        return;
    const int64_t first = FindLine(SelStart()).Index;
    const TLineLoc end = FindLine(SelEnd());
    int64_t last = end.Index;
    // A selection that ends on a line's first character leaves that line out.
    if (last > first && SelEnd() == end.Start)
        --last;
    Printer->PrintLines(*this, first, last);
}

}  // namespace tarnwick
