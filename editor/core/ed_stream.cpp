// The character stream over line records.
#include "editor/core/ed_stream.h"

#include "editor/core/code_memo_model.h"

#include <algorithm>
#include <cstring>

namespace tarnwick {

TEdStream::TEdStream(const TLineRec* first, int64_t textLength) : first_(first), rec_(first)
{
    length_ = first ? std::max<int64_t>(textLength, 0) : 0;
    Locate();
}

TEdStream::TEdStream(const TCodeMemoModel& model) : TEdStream(model.First(), model.CharCount()) {}

void TEdStream::Locate()
{
    if (rec_ == nullptr) {
        SetChunk(nullptr, 0, 0);
        return;
    }
    // Far backwards: the head is nearer than walking back record by record.
    if (pos_ < recStart_ / 2) {
        rec_ = first_;
        recStart_ = 0;
    }
    // Forwards: past empty records too, so that a position inside the text
    // always lies in a record with characters.
    while (pos_ >= recStart_ + rec_->Len && rec_->Next != nullptr) {
        recStart_ += rec_->Len;
        rec_ = rec_->Next;
    }
    while (pos_ < recStart_ && rec_->Prev != nullptr) {
        rec_ = rec_->Prev;
        recStart_ -= rec_->Len;
    }
    if (pos_ < recStart_) {
        // A chain whose first record is not first_ cannot happen through
        // the public constructors; restart from the head to stay safe.
        rec_ = first_;
        recStart_ = 0;
        while (pos_ >= recStart_ + rec_->Len && rec_->Next != nullptr) {
            recStart_ += rec_->Len;
            rec_ = rec_->Next;
        }
    }
    const int64_t chainEnd = recStart_ + rec_->Len;
    if (rec_->Next == nullptr && chainEnd < length_) {
        length_ = chainEnd;
        pos_ = std::min(pos_, length_);
    }
    SetChunk(rec_->Text.get(), recStart_, std::min<int64_t>(rec_->Len, length_ - recStart_));
}

size_t TEdStream::Read(void* buffer, size_t count)
{
    auto* out = static_cast<char*>(buffer);
    size_t copied = 0;
    while (copied < count && pos_ < length_ && rec_ != nullptr) {
        const int64_t index = pos_ - recStart_;
        const int64_t available = std::min<int64_t>(rec_->Len - index, length_ - pos_);
        if (available <= 0)
            break;
        const size_t take = std::min(count - copied, static_cast<size_t>(available));
        std::memcpy(out + copied, rec_->Text.get() + index, take);
        copied += take;
        Seek(pos_ + static_cast<int64_t>(take));
    }
    return copied;
}

int64_t TEdStream::Seek(int64_t offset, TSeekOrigin origin)
{
    int64_t base = 0;
    if (origin == soFromCurrent)
        base = pos_;
    else if (origin == soFromEnd)
        base = length_;
    // Saturate instead of overflowing on absurd offsets.
    int64_t target = 0;
    if (__builtin_add_overflow(base, offset, &target))
        target = offset < 0 ? 0 : length_;
    TCustomEdStream::Seek(target);
    return pos_;
}

size_t TEdStream::Write(const void*, size_t)
{
    throw EStreamError("Cannot write to a read-only stream");
}

}  // namespace tarnwick
