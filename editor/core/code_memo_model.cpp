// The text model's bookkeeping, lookups, insertion and deletion.
#include "editor/core/code_memo_model.h"

#include "editor/core/text_normalise.h"

#include <cstring>

namespace tarnwick {

namespace {

// Frees a chain of records that was never linked into the store.
void FreeChain(TLineRec* rec)
{
    while (rec != nullptr) {
        TLineRec* next = rec->Next;
        FreeLineRec(rec);
        rec = next;
    }
}

}  // namespace

// A chain of new records, owned until the store takes it over, so that a
// throw while it is being built frees what was built so far.
struct TCodeMemoModel::TCut {
    TLineRec* First = nullptr;
    TLineRec* Last = nullptr;
    int64_t Count = 0;
    int64_t Widest = 0;
    int64_t Length = 0;

    TCut() = default;
    TCut(const TCut&) = delete;
    TCut& operator=(const TCut&) = delete;
    ~TCut() { FreeChain(First); }
    // Whether a record other than the last ends without a CR, that is, the
    // text held a piece of line longer than a record.
    bool Overflows() const
    {
        for (const TLineRec* rec = First; rec != Last; rec = rec->Next) {
            if (!rec->EndsWithCR())
                return true;
        }
        return false;
    }
};

// Cuts `text` as loading does: each record ends after a CR or after
// kMaxRecordLen characters. Records after one without CR are continuation
// records.
void TCodeMemoModel::CutRecords(std::string_view text, TCut& cut)
{
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t room = std::min(kMaxRecordLen, text.size() - pos);
        const void* cr = std::memchr(text.data() + pos, kCR, room);
        const size_t len =
            cr != nullptr ? static_cast<size_t>(static_cast<const char*>(cr) - (text.data() + pos)) + 1
                          : room;
        TLineRec* rec = NewLineRec(text.substr(pos, len));
        if (cut.Last != nullptr) {
            cut.Last->Next = rec;
            rec->Prev = cut.Last;
            if (!cut.Last->EndsWithCR())
                rec->Marks = kMarkContinuation;
        } else {
            cut.First = rec;
        }
        cut.Last = rec;
        ++cut.Count;
        cut.Widest = std::max<int64_t>(cut.Widest, rec->Len);
        pos += len;
    }
    cut.Length += static_cast<int64_t>(text.size());
}

TCodeMemoModel::TCodeMemoModel()
    : store_(std::make_unique<TTextStore>()), undo_(std::make_unique<TUndoStack>())
{
}

TCodeMemoModel::~TCodeMemoModel() = default;

// ---------------------------------------------------------------- updates

void TCodeMemoModel::BeginUpdate()
{
    ++updateCount_;
}

void TCodeMemoModel::EndUpdate()
{
    if (updateCount_ > 0)
        --updateCount_;
    FireChange();
}

void TCodeMemoModel::MarkChanged(int64_t line)
{
    changed_ = true;
    ++changeCount_;
    if (line >= 0 && (firstChanged_ < 0 || line < firstChanged_))
        firstChanged_ = line;
}

void TCodeMemoModel::FireChange()
{
    if (updateCount_ > 0 || !changed_)
        return;
    changed_ = false;
    if (OnChange)
        OnChange();
    firstChanged_ = -1;
}

// ---------------------------------------------------------------- lookups

int64_t TCodeMemoModel::Clamp(int64_t offset) const
{
    return offset < 0 ? 0 : offset > charCount_ ? charCount_ : offset;
}

int64_t TCodeMemoModel::WidestRecord() const
{
    if (widestDirty_) {
        int64_t widest = 0;
        for (const TLineRec* rec = store_->First(); rec != nullptr; rec = rec->Next)
            widest = std::max<int64_t>(widest, rec->Len);
        widest_ = widest;
        widestDirty_ = false;
    }
    return widest_;
}

std::string TCodeMemoModel::Text() const
{
    std::string text;
    text.reserve(static_cast<size_t>(charCount_));
    for (const TLineRec* rec = store_->First(); rec != nullptr; rec = rec->Next)
        text.append(rec->View());
    return text;
}

TLineLoc TCodeMemoModel::WalkTo(TLineLoc at, int64_t offset) const
{
    while (offset >= at.Start + at.Rec->Len && at.Rec->Next != nullptr) {
        at.Start += at.Rec->Len;
        at.Rec = at.Rec->Next;
        ++at.Index;
    }
    while (offset < at.Start && at.Rec->Prev != nullptr) {
        at.Rec = at.Rec->Prev;
        at.Start -= at.Rec->Len;
        --at.Index;
    }
    return at;
}

TLineLoc TCodeMemoModel::WalkToIndex(TLineLoc at, int64_t index) const
{
    while (at.Index < index && at.Rec->Next != nullptr) {
        at.Start += at.Rec->Len;
        at.Rec = at.Rec->Next;
        ++at.Index;
    }
    while (at.Index > index && at.Rec->Prev != nullptr) {
        at.Rec = at.Rec->Prev;
        at.Start -= at.Rec->Len;
        --at.Index;
    }
    return at;
}

void TCodeMemoModel::EnsureAnchor() const
{
    if (topRec_ != nullptr || store_->First() == nullptr)
        return;
    const int64_t index = std::clamp<int64_t>(topIndex_, 0, recCount_ - 1);
    TLineLoc from{store_->First(), 0, 0};
    if (hint_.Rec != nullptr && std::abs(hint_.Index - index) < index)
        from = hint_;
    const TLineLoc at = WalkToIndex(from, index);
    topRec_ = at.Rec;
    topOffset_ = at.Start;
    topIndex_ = at.Index;
}

TLineLoc TCodeMemoModel::FindLine(int64_t offset) const
{
    TLineRec* first = store_->First();
    if (first == nullptr)
        return {};
    offset = Clamp(offset);
    if (hint_.Rec != nullptr &&
        ((offset >= hint_.Start && offset < hint_.Start + hint_.Rec->Len) ||
         (offset >= hint_.Start && hint_.Rec->Next == nullptr)))
        return hint_;
    EnsureAnchor();
    // Start from the nearest of the first record, the top anchor, the last
    // record found and the text's last record, so that edits near the view
    // or the caret, and look-ups near the end, only walk a few records.
    TLineLoc from{topRec_, topOffset_, topIndex_};
    if (offset < topOffset_ && topOffset_ - offset >= topOffset_ / 2)
        from = {first, 0, 0};
    if (hint_.Rec != nullptr && std::abs(offset - hint_.Start) < std::abs(offset - from.Start))
        from = hint_;
    TLineRec* last = store_->Last();
    const int64_t lastStart = charCount_ - static_cast<int64_t>(last->Len);
    if (std::abs(offset - lastStart) < std::abs(offset - from.Start))
        from = {last, lastStart, recCount_ - 1};
    hint_ = WalkTo(from, offset);
    return hint_;
}

TLineLoc TCodeMemoModel::LineByIndex(int64_t index) const
{
    if (store_->First() == nullptr)
        return {};
    index = std::clamp<int64_t>(index, 0, recCount_ - 1);
    EnsureAnchor();
    TLineLoc from{store_->First(), 0, 0};
    if (std::abs(index - topIndex_) < index)
        from = {topRec_, topOffset_, topIndex_};
    if (hint_.Rec != nullptr && std::abs(index - hint_.Index) < std::abs(index - from.Index))
        from = hint_;
    TLineRec* last = store_->Last();
    if (recCount_ - 1 - index < std::abs(index - from.Index))
        from = {last, charCount_ - static_cast<int64_t>(last->Len), recCount_ - 1};
    hint_ = WalkToIndex(from, index);
    return hint_;
}

void TCodeMemoModel::SetTopLine(int64_t index)
{
    if (recCount_ == 0) {
        topIndex_ = 0;
        topRec_ = nullptr;
        return;
    }
    const TLineLoc at = LineByIndex(index);
    topRec_ = at.Rec;
    topOffset_ = at.Start;
    topIndex_ = at.Index;
}

void TCodeMemoModel::ScrollCaret()
{
    const TLineLoc at = FindLine(caret_);
    const int visible = std::max(VisibleLines, 1);
    if (at.Index < topIndex_)
        SetTopLine(at.Index);
    else if (at.Index >= topIndex_ + visible)
        SetTopLine(at.Index - visible + 1);
}

// ---------------------------------------------------------------- columns

int TCodeMemoModel::ColumnOfIndex(const TLineRec& rec, size_t index) const
{
    index = std::min<size_t>(index, rec.Len);
    if (!rec.HasTab())
        return static_cast<int>(index);
    int column = 0;
    for (size_t i = 0; i < index; ++i)
        column = rec.Text[i] == '\t' ? tabs_.NextTabStop(column) : column + 1;
    return column;
}

size_t TCodeMemoModel::IndexOfColumn(const TLineRec& rec, int column) const
{
    const size_t textLen = rec.TextLen();
    if (column <= 0)
        return 0;
    if (!rec.HasTab())
        return std::min<size_t>(static_cast<size_t>(column), textLen);
    int at = 0;
    for (size_t i = 0; i < textLen; ++i) {
        const int next = rec.Text[i] == '\t' ? tabs_.NextTabStop(at) : at + 1;
        if (column < next)
            return i;
        at = next;
    }
    return textLen;
}

// ---------------------------------------------------------------- selection

void TCodeMemoModel::SelectNoNotify(int64_t anchor, int64_t caret)
{
    if (anchor == 0 && caret == -1) {
        anchor_ = 0;
        caret_ = charCount_;
    } else {
        anchor_ = Clamp(anchor);
        caret_ = Clamp(caret);
    }
}

void TCodeMemoModel::SetSelection(int64_t anchor, int64_t caret)
{
    const int64_t oldAnchor = anchor_;
    const int64_t oldCaret = caret_;
    SelectNoNotify(anchor, caret);
    if (anchor_ != oldAnchor || caret_ != oldCaret) {
        MarkChanged(-1);
        FireChange();
    }
}

int64_t TCodeMemoModel::SelLength() const
{
    const int64_t length = SelEnd() - SelStart();
    if (SelLineStyle == lsLF || length == 0)
        return length;
    int64_t breaks = 0;
    TLineLoc at = FindLine(SelStart());
    for (const TLineRec* rec = at.Rec; rec != nullptr && at.Start < SelEnd(); rec = rec->Next) {
        if (rec->EndsWithCR() && at.Start + rec->Len - 1 >= SelStart() &&
            at.Start + rec->Len - 1 < SelEnd())
            ++breaks;
        at.Start += rec->Len;
    }
    return length + breaks;
}

std::string TCodeMemoModel::SelText() const
{
    const TLineLoc at = FindLine(SelStart());
    return MakeWriter().Write(at.Rec, at.Start, SelStart(), SelEnd(),
                              SelLineStyle == lsCRLF ? wkCRLF : wkBareCR);
}

// ---------------------------------------------------------------- marks

void TCodeMemoModel::ShiftMarks(int64_t at, int64_t delta)
{
    for (auto& [name, offset] : customBookmarks_) {
        if (offset >= at)
            offset += delta;
    }
    for (TRangeMark& mark : rangeMarks_) {
        if (mark.Start >= at)
            mark.Start += delta;
        if (mark.End >= at)
            mark.End += delta;
    }
}

void TCodeMemoModel::RemoveMarks(int64_t start, int64_t end)
{
    const int64_t length = end - start;
    for (auto it = customBookmarks_.begin(); it != customBookmarks_.end();) {
        if (it->second >= start && it->second < end) {
            const std::string name = it->first;
            it = customBookmarks_.erase(it);
            if (OnCustomBookmarkFree)
                OnCustomBookmarkFree(name);
            continue;
        }
        if (it->second >= end)
            it->second -= length;
        ++it;
    }
    for (TRangeMark& mark : rangeMarks_) {
        for (int64_t* end_ : {&mark.Start, &mark.End}) {
            if (*end_ >= end)
                *end_ -= length;
            else if (*end_ > start)
                *end_ = start;
        }
    }
}

void TCodeMemoModel::SetCustomBookmark(const std::string& name, int64_t offset)
{
    customBookmarks_[name] = Clamp(offset);
}

std::optional<int64_t> TCodeMemoModel::CustomBookmark(const std::string& name) const
{
    const auto it = customBookmarks_.find(name);
    if (it == customBookmarks_.end())
        return std::nullopt;
    return it->second;
}

// ---------------------------------------------------------------- insertion

void TCodeMemoModel::FixContinuation(TLineRec* rec)
{
    if (rec == nullptr)
        return;
    if (rec->Prev != nullptr && !rec->Prev->EndsWithCR())
        rec->Marks |= kMarkContinuation;
    else
        rec->Marks &= static_cast<uint16_t>(~kMarkContinuation);
}

void TCodeMemoModel::RawInsertAtCaret(std::string_view text)
{
    if (text.empty())
        return;
    if (anchor_ != caret_)
        RawDeleteSelection();
    if (text.size() == 1) {
        InsertSingle(text[0]);
        return;
    }
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t n = SafeChunkLength(text.substr(pos));
        InsertChunk(text.substr(pos, n));
        pos += n;
    }
}

void TCodeMemoModel::InsertSingle(char c)
{
    if (c == '\n')
        c = kCR;
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 && c != '\t' && c != kCR)
        c = '.';
    const TLineLoc at = FindLine(caret_);
    const auto index = static_cast<size_t>(caret_ - at.Start);
    // A plain character inside a record that has room is spliced in place,
    // without re-cutting lines.
    if (c == kCR || at.Rec == nullptr || index >= at.Rec->Len || at.Rec->Len >= kMaxRecordLen) {
        const char text[1] = {c};
        InsertChunk(std::string_view(text, 1));
        return;
    }
    TLineRec& rec = *at.Rec;
    auto buffer = std::make_unique<char[]>(rec.Len + 2u);
    std::memcpy(buffer.get(), rec.Text.get(), index);
    buffer[index] = c;
    std::memcpy(buffer.get() + index + 1, rec.Text.get() + index, rec.Len - index);
    buffer[rec.Len + 1u] = '\0';
    rec.Text = std::move(buffer);
    ++rec.Len;
    rec.Attrs.reset();
    rec.Flags |= lfRepaint | lfRecolour | (c == '\t' ? lfHasTab : 0u);
    ++charCount_;
    if (!widestDirty_)
        widest_ = std::max<int64_t>(widest_, rec.Len);
    if (topRec_ != nullptr && at.Start < topOffset_)
        ++topOffset_;
    hint_ = at;
    ShiftMarks(caret_, 1);
    MarkChanged(at.Index);
    const int64_t offset = caret_;
    anchor_ = caret_ = caret_ + 1;
    if (OnTextChange)
        OnTextChange(offset, 1);
}

void TCodeMemoModel::InsertChunk(std::string_view raw)
{
    NormaliseInput(raw, normBuffer_);
    const std::string_view norm = normBuffer_;
    if (norm.empty())
        return;
    const int64_t offset = caret_;
    const auto delta = static_cast<int64_t>(norm.size());
    TLineLoc from = FindLine(offset);
    TLineRec* to = from.Rec;
    std::string joined = JoinWithInsert(from, to, offset, norm);
    const bool recut = to != nullptr && HasOverlongPiece(joined);
    if (recut) {
        // Re-cutting only the caret's record would leave a short piece
        // behind at every insertion into a full record; the whole logical
        // line is cut again as loading cuts it.
        from = LogicalLineStart(from);
        while (!to->EndsWithCR() && to->Next != nullptr)
            to = to->Next;
        joined = JoinWithInsert(from, to, offset, norm);
    }
    TCut cut;
    CutRecords(joined, cut);
    SwapRecords(from, to, cut, delta, recut);
    ShiftMarks(offset, delta);
    MarkChanged(from.Index);
    anchor_ = caret_ = offset + delta;
    if (OnTextChange)
        OnTextChange(offset, delta);
}

std::string TCodeMemoModel::JoinWithInsert(const TLineLoc& from, const TLineRec* to, int64_t offset,
                                           std::string_view insert)
{
    std::string joined;
    for (const TLineRec* rec = from.Rec; rec != nullptr; rec = rec->Next) {
        joined.append(rec->View());
        if (rec == to)
            break;
    }
    joined.insert(static_cast<size_t>(offset - from.Start), insert);
    return joined;
}

bool TCodeMemoModel::HasOverlongPiece(std::string_view text)
{
    size_t run = 0;
    for (const char c : text) {
        ++run;
        if (c == kCR) {
            if (run > kMaxRecordLen)
                return true;
            run = 0;
        }
    }
    return run > kMaxRecordLen;
}

void TCodeMemoModel::SwapRecords(const TLineLoc& first, TLineRec* last, TCut& cut, int64_t delta,
                                 bool keepBookmarks)
{
    TLineRec* prev = first.Rec != nullptr ? first.Rec->Prev : nullptr;
    int64_t removed = 0;
    uint16_t bookmarks = 0;
    bool widestHit = false;
    bool anchorRemoved = false;
    if (first.Rec != nullptr) {
        for (TLineRec* rec = first.Rec;; rec = rec->Next) {
            ++removed;
            widestHit = widestHit || rec->Len >= widest_;
            anchorRemoved = anchorRemoved || rec == topRec_;
            bookmarks |= rec->Marks & kBookmarkMask;
            if (rec == last)
                break;
        }
        store_->Unlink(first.Rec, last);
    }
    TCut gone;
    gone.First = first.Rec;

    TLineRec* newFirst = cut.First;
    TLineRec* newLast = cut.Last;
    if (newFirst != nullptr) {
        if (first.Rec != nullptr) {
            // The line keeps its marks, colour overrides and tracker.
            newFirst->Marks = first.Rec->Marks;
            if (keepBookmarks)
                newFirst->Marks |= bookmarks;
            newFirst->Marks2 = first.Rec->Marks2;
            newFirst->LineFore = first.Rec->LineFore;
            newFirst->LineBack = first.Rec->LineBack;
            newFirst->Tracker = std::move(first.Rec->Tracker);
            if (newFirst->Tracker)
                newFirst->Tracker->Rec = newFirst;
        }
        store_->LinkAfter(prev, newFirst, newLast);
        cut.First = cut.Last = nullptr;
        FixContinuation(newFirst);
    }
    if (newLast != nullptr)
        FixContinuation(newLast->Next);
    else
        FixContinuation(prev != nullptr ? prev->Next : store_->First());

    recCount_ += cut.Count - removed;
    charCount_ += delta;
    if (anchorRemoved) {
        topRec_ = nullptr;
    } else if (topRec_ != nullptr && topOffset_ > first.Start) {
        topOffset_ += delta;
        topIndex_ += cut.Count - removed;
    }
    if (!widestDirty_) {
        if (widestHit && cut.Widest < widest_)
            widestDirty_ = true;
        else
            widest_ = std::max(widest_, cut.Widest);
    }
    // Lookups may have left the hint on a record behind the range, whose
    // start has now moved.
    if (newLast != nullptr)
        hint_ = {newLast, first.Start + cut.Length - newLast->Len, first.Index + cut.Count - 1};
    else
        hint_ = {};

    // The model is whole again; the host drops the trackers of the records
    // that went, and `gone` frees them even if it throws.
    for (TLineRec* rec = gone.First; rec != nullptr; rec = rec->Next) {
        if (rec->Tracker && OnTrackFree)
            OnTrackFree(*rec->Tracker);
    }
}

// ---------------------------------------------------------------- deletion

void TCodeMemoModel::RawDeleteSelection()
{
    const int64_t start = SelStart();
    const int64_t end = SelEnd();
    if (start < end)
        DeleteRange(start, end);
    anchor_ = caret_ = start;
}

void TCodeMemoModel::ClearAll()
{
    for (TLineRec* rec = store_->First(); rec != nullptr; rec = rec->Next) {
        if (rec->Tracker && OnTrackFree)
            OnTrackFree(*rec->Tracker);
    }
    store_->Clear();
    charCount_ = recCount_ = 0;
    widest_ = 0;
    widestDirty_ = false;
    topRec_ = nullptr;
    topOffset_ = topIndex_ = 0;
    hint_ = {};
    anchor_ = caret_ = 0;
    rangeMarks_.clear();
    auto bookmarks = std::move(customBookmarks_);
    customBookmarks_.clear();
    for (const auto& entry : bookmarks) {
        if (OnCustomBookmarkFree)
            OnCustomBookmarkFree(entry.first);
    }
    MarkChanged(0);
    if (OnTextChange)
        OnTextChange(0, 0);
}

void TCodeMemoModel::DeleteRange(int64_t start, int64_t end)
{
    start = Clamp(start);
    end = Clamp(end);
    if (start >= end)
        return;
    const int64_t length = end - start;
    if (length == charCount_) {
        ClearAll();
        return;
    }
    const TLineLoc first = FindLine(start);
    TLineLoc last = FindLine(end);
    // A range that ends exactly where a record starts leaves that record
    // alone, so the following line keeps its own marks and tracker.
    if (last.Rec != first.Rec && end == last.Start && last.Rec->Prev != nullptr) {
        last.Rec = last.Rec->Prev;
        last.Start -= last.Rec->Len;
        --last.Index;
    }
    const auto headLen = static_cast<size_t>(start - first.Start);
    const auto tailFrom = static_cast<size_t>(std::min<int64_t>(end - last.Start, last.Rec->Len));
    std::string joined;
    joined.append(first.Rec->View().substr(0, headLen));
    joined.append(last.Rec->View().substr(tailFrom));

    TCut cut;
    CutRecords(joined, cut);
    for (TLineRec* r = cut.First; r != nullptr; r = r->Next)
        r->Flags = lfRecolour | (r->Flags & lfHasTab);
    SwapRecords(first, last.Rec, cut, -length, false);
    RemoveMarks(start, end);
    MarkChanged(first.Index);
    anchor_ = caret_ = start;
    if (OnTextChange)
        OnTextChange(start, -length);
}

// ---------------------------------------------------------------- editing

void TCodeMemoModel::InsertText(std::string_view text)
{
    if (ReadOnly)
        return;
    ReplaceSelectionLogged(kTransText, text);
}

void TCodeMemoModel::DeleteSelection()
{
    if (ReadOnly || anchor_ == caret_)
        return;
    ReplaceSelectionLogged(kTransText, {});
}

}  // namespace tarnwick
