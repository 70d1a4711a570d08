// Word wrap: re-cutting logical lines into display records. The widget
// measures how much of a line fits its wrap width; the cut itself (the
// delimiter rule) and the relinking of records happen here, so the model's
// counts, top anchor and lookups stay consistent.
#include "editor/core/code_memo_model.h"

#include <cstring>

namespace tarnwick {

namespace {

bool IsWrapDelimiter(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u <= 32 || u == 160;
}

} // namespace

size_t WrapCut(std::string_view text, size_t fit)
{
    const size_t textLen = !text.empty() && text.back() == kCR ? text.size() - 1 : text.size();
    if (fit >= textLen)
        return std::min(text.size(), kMaxRecordLen);
    fit = std::clamp<size_t>(fit, 1, kMaxRecordLen);
    size_t cut = fit;
    if (IsWrapDelimiter(text[cut])) {
        while (cut < text.size() && IsWrapDelimiter(text[cut]))
            ++cut;
        return std::min(cut, kMaxRecordLen);
    }
    size_t back = cut;
    while (back > 0 && !IsWrapDelimiter(text[back - 1]))
        --back;
    return back > 0 ? back : cut;
}

std::pair<int64_t, int64_t> TCodeMemoModel::Rewrap(int64_t firstLine, int64_t lastLine,
                                                   const TWrapRule& rule)
{
    std::pair<int64_t, int64_t> replaced{-1, -1};
    TLineLoc newTop;
    if (store_->First() == nullptr)
        return replaced;
    EnsureAnchor();
    const int64_t topOffset = topOffset_;
    const int64_t last = lastLine < 0 ? recCount_ - 1 : std::min(lastLine, recCount_ - 1);
    TLineLoc at = LogicalLineStart(LineByIndex(firstLine));
    const bool topAfterStart = topOffset >= at.Start;
    bool topDone = !topAfterStart;
    int64_t oldIndex = at.Index; // index of at.Rec before this call
    int64_t newIndex = at.Index;

    while (at.Rec != nullptr && oldIndex <= last) {
        // The records of one logical line: up to one that ends with a CR.
        TLineRec* head = at.Rec;
        TLineRec* tail = head;
        int64_t count = 1;
        size_t length = head->Len;
        bool allAttrs = head->Attrs != nullptr;
        while (!tail->EndsWithCR() && tail->Next != nullptr) {
            tail = tail->Next;
            ++count;
            length += tail->Len;
            allAttrs = allAttrs && tail->Attrs != nullptr;
        }
        std::string_view text;
        if (count == 1) {
            text = head->View();
        }
        else {
            wrapText_.clear();
            for (TLineRec* r = head; r != tail->Next; r = r->Next)
                wrapText_.append(r->View());
            text = wrapText_;
        }

        wrapPieces_.clear();
        const bool overridden =
            !text.empty() && rule.Override.find(text.front()) != std::string::npos;
        if (!rule.Wrap || overridden || !rule.Fit) {
            for (size_t pos = 0; pos < length; pos += kMaxRecordLen)
                wrapPieces_.push_back(std::min(kMaxRecordLen, length - pos));
        }
        else {
            for (size_t pos = 0; pos < length;) {
                const std::string_view rest = text.substr(pos);
                const size_t piece =
                    std::max<size_t>(WrapCut(rest, std::max<size_t>(rule.Fit(rest), 1)), 1);
                wrapPieces_.push_back(piece);
                pos += piece;
            }
        }

        bool same = static_cast<int64_t>(wrapPieces_.size()) == count;
        {
            const TLineRec* r = head;
            for (size_t i = 0; same && i < wrapPieces_.size(); ++i, r = r->Next)
                same = r->Len == wrapPieces_[i];
        }
        TLineRec* next = tail->Next;
        const int64_t lineStart = at.Start;
        if (same) {
            // The top record stays; only records before it changed in number.
            if (!topDone && topOffset < lineStart + static_cast<int64_t>(length)) {
                topDone = true;
                topIndex_ += newIndex - oldIndex;
            }
            newIndex += count;
        }
        else {
            if (allAttrs) {
                wrapAttrs_.clear();
                for (TLineRec* r = head; r != next; r = r->Next)
                    wrapAttrs_.insert(wrapAttrs_.end(), r->Attrs.get(), r->Attrs.get() + r->Len);
            }
            if (count == 1) {
                wrapText_.assign(text);
                text = wrapText_;
            }
            // New pieces first, then the old records go.
            TLineRec* first = nullptr;
            TLineRec* lastPiece = nullptr;
            size_t pos = 0;
            int64_t made = 0;
            int64_t widest = 0;
            for (const size_t piece : wrapPieces_) {
                TLineRec* rec = NewLineRec(text.substr(pos, piece));
                if (allAttrs) {
                    rec->Attrs = std::make_unique<uint8_t[]>(piece);
                    std::memcpy(rec->Attrs.get(), wrapAttrs_.data() + pos, piece);
                }
                if (lastPiece != nullptr) {
                    lastPiece->Next = rec;
                    rec->Prev = lastPiece;
                    rec->Marks = kMarkContinuation;
                }
                else {
                    first = rec;
                }
                const int64_t pieceStart = lineStart + static_cast<int64_t>(pos);
                if (!topDone && topOffset < pieceStart + static_cast<int64_t>(piece)) {
                    topDone = true;
                    newTop = {rec, pieceStart, newIndex + made};
                }
                ++made;
                lastPiece = rec;
                widest = std::max<int64_t>(widest, rec->Len);
                pos += piece;
            }
            first->Marks = static_cast<uint16_t>(head->Marks & ~kMarkContinuation);
            first->Marks2 = head->Marks2;
            first->LineFore = head->LineFore;
            first->LineBack = head->LineBack;
            first->Tracker = std::move(head->Tracker);
            if (first->Tracker)
                first->Tracker->Rec = first;

            TLineRec* prev = head->Prev;
            TLineRec* lastOld = head;
            bool widestHit = head->Len >= widest_;
            while (lastOld->Next != next) {
                lastOld = lastOld->Next;
                widestHit = widestHit || lastOld->Len >= widest_;
            }
            store_->Unlink(head, lastOld);
            for (TLineRec* r = head; r != nullptr;) {
                TLineRec* after = r->Next;
                FreeLineRec(r);
                r = after;
            }
            store_->LinkAfter(prev, first, lastPiece);
            const auto pieces = static_cast<int64_t>(wrapPieces_.size());
            recCount_ += pieces - count;
            if (!widestDirty_) {
                if (widestHit && widest < widest_)
                    widestDirty_ = true;
                else
                    widest_ = std::max(widest_, widest);
            }
            if (replaced.first < 0)
                replaced.first = newIndex;
            replaced.second = newIndex + pieces - 1;
            newIndex += pieces;
        }
        oldIndex += count;
        at = {next, lineStart + static_cast<int64_t>(length), newIndex};
    }

    // The top line keeps showing the same text: its record may have been
    // replaced, or records before it added or removed.
    if (newTop.Rec != nullptr) {
        topRec_ = newTop.Rec;
        topOffset_ = newTop.Start;
        topIndex_ = newTop.Index;
    }
    else if (!topDone) {
        topIndex_ += newIndex - oldIndex;
    }
    hint_ = {};
    return replaced;
}

} // namespace tarnwick
