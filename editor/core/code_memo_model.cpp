// The text model's bookkeeping, lookups, insertion and deletion.
#include "editor/core/code_memo_model.h"

#include "editor/core/text_normalise.h"

#include <cstring>

namespace tarnwick {

namespace {

// Cuts `text` into records: each ends after a CR or after kMaxRecordLen
// characters. Records after one without CR are continuation records.
struct TCutResult {
    TLineRec* First = nullptr;
    TLineRec* Last = nullptr;
    int64_t Count = 0;
    int64_t Widest = 0;
};

TCutResult CutRecords(std::string_view text)
{
    TCutResult cut;
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
    return cut;
}

}  // namespace

TCodeMemoModel::TCodeMemoModel()
    : store_(std::make_unique<TTextStore>()), undo_(std::make_unique<TUndoStack>())
{
    store_->Attach(this);
}

TCodeMemoModel::~TCodeMemoModel()
{
    store_->Detach(this);
}

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
    // Start from the nearest of the first record, the top anchor and the
    // last record found, so that edits near the view or the caret only walk
    // a few records.
    TLineLoc from{topRec_, topOffset_, topIndex_};
    if (offset < topOffset_ && topOffset_ - offset >= topOffset_ / 2)
        from = {first, 0, 0};
    if (hint_.Rec != nullptr && std::abs(offset - hint_.Start) < std::abs(offset - from.Start))
        from = hint_;
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

void TCodeMemoModel::FreeRecord(TLineRec* rec)
{
    if (rec->Tracker && OnTrackFree)
        OnTrackFree(*rec->Tracker);
    if (topRec_ == rec)
        topRec_ = nullptr;
    if (hint_.Rec == rec)
        hint_ = {};
    FreeLineRec(rec);
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
    const TLineLoc at = FindLine(offset);
    TLineRec* old = at.Rec;
    TLineRec* prev = old != nullptr ? old->Prev : nullptr;
    const auto index = static_cast<size_t>(offset - at.Start);

    std::string joined;
    if (old != nullptr) {
        const std::string_view oldText = old->View();
        joined.reserve(oldText.size() + norm.size());
        joined.append(oldText.substr(0, index)).append(norm).append(oldText.substr(index));
    }
    TCutResult cut = CutRecords(old != nullptr ? std::string_view(joined) : norm);

    if (old != nullptr) {
        // The line keeps its marks, colour overrides and tracker.
        cut.First->Marks = old->Marks;
        cut.First->Marks2 = old->Marks2;
        cut.First->LineFore = old->LineFore;
        cut.First->LineBack = old->LineBack;
        cut.First->Tracker = std::move(old->Tracker);
        if (cut.First->Tracker)
            cut.First->Tracker->Rec = cut.First;
        if (!widestDirty_ && old->Len >= widest_ && cut.Widest < old->Len)
            widestDirty_ = true;
        if (topRec_ == old)
            topRec_ = nullptr;
        else if (topRec_ != nullptr && at.Start < topOffset_) {
            topOffset_ += static_cast<int64_t>(norm.size());
            topIndex_ += cut.Count - 1;
        }
        store_->Unlink(old);
        FreeRecord(old);
        --recCount_;
    }
    store_->LinkAfter(prev, cut.First, cut.Last);
    FixContinuation(cut.First);
    FixContinuation(cut.Last->Next);
    recCount_ += cut.Count;
    charCount_ += static_cast<int64_t>(norm.size());
    if (!widestDirty_)
        widest_ = std::max(widest_, cut.Widest);

    int64_t lastStart = at.Start + static_cast<int64_t>(joined.empty() ? norm.size() : joined.size()) -
                        cut.Last->Len;
    hint_ = {cut.Last, lastStart, at.Index + cut.Count - 1};
    ShiftMarks(offset, static_cast<int64_t>(norm.size()));
    MarkChanged(at.Index);
    anchor_ = caret_ = offset + static_cast<int64_t>(norm.size());
    if (OnTextChange)
        OnTextChange(offset, static_cast<int64_t>(norm.size()));
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

    TLineRec* prev = first.Rec->Prev;
    std::unique_ptr<TLineTracker> tracker = std::move(first.Rec->Tracker);
    const uint16_t keepMarks = first.Rec->Marks;
    const int16_t keepMarks2 = first.Rec->Marks2;
    const int32_t keepFore = first.Rec->LineFore;
    const int32_t keepBack = first.Rec->LineBack;
    int64_t removed = 0;
    bool widestHit = false;
    bool anchorAfter = topRec_ != nullptr && topOffset_ > start;
    TLineRec* rec = first.Rec;
    TLineRec* stop = last.Rec->Next;
    while (rec != stop) {
        TLineRec* next = rec->Next;
        widestHit = widestHit || rec->Len >= widest_;
        if (topRec_ == rec)
            anchorAfter = false;
        store_->Unlink(rec);
        FreeRecord(rec);
        ++removed;
        rec = next;
    }
    TCutResult cut = CutRecords(joined);
    if (cut.First != nullptr) {
        cut.First->Marks = keepMarks;
        cut.First->Marks2 = keepMarks2;
        cut.First->LineFore = keepFore;
        cut.First->LineBack = keepBack;
        cut.First->Tracker = std::move(tracker);
        if (cut.First->Tracker)
            cut.First->Tracker->Rec = cut.First;
        for (TLineRec* r = cut.First; r != nullptr && r != cut.Last->Next; r = r->Next)
            r->Flags = lfRecolour | (r->Flags & lfHasTab);
        store_->LinkAfter(prev, cut.First, cut.Last);
        FixContinuation(cut.First);
        FixContinuation(cut.Last->Next);
        hint_ = {cut.First, first.Start, first.Index};
    } else {
        if (tracker && OnTrackFree)
            OnTrackFree(*tracker);
        FixContinuation(prev != nullptr ? prev->Next : store_->First());
        // The lookups above may have left the hint on a record behind the
        // range, whose start has now moved.
        hint_ = {};
    }
    recCount_ += cut.Count - removed;
    charCount_ -= length;
    if (topRec_ != nullptr && anchorAfter) {
        topOffset_ -= length;
        topIndex_ -= removed - cut.Count;
    }
    if (!widestDirty_ && widestHit && cut.Widest < widest_)
        widestDirty_ = true;
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
