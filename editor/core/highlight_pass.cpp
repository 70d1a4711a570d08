// Incremental highlighting over the line records.
#include "editor/core/highlight_pass.h"

#include "editor/core/ed_stream.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tarnwick {

namespace {

// The token value just before character `i` of `rec`, 0 when there is none.
int ValueBefore(const TLineRec* rec, int64_t i)
{
    if (i > 0)
        return rec->Attrs ? rec->Attrs[i - 1] : 0;
    const TLineRec* prev = rec->Prev;
    return prev != nullptr && prev->Attrs && prev->Len > 0 ? prev->Attrs[prev->Len - 1] : 0;
}

// Collects token values record by record and stores each record's values
// once it is complete.
class TAttrWriter {
public:
    TAttrWriter(std::vector<uint8_t>& scratch, TLineRec* rec, int64_t recStart, int64_t index,
                int64_t offset)
        : scratch_(scratch), rec_(rec), recStart_(recStart), index_(index)
    {
        Begin();
        // The part of the record before the restart point keeps its values.
        filled_ = offset - recStart_;
        if (filled_ > 0)
            std::memcpy(scratch_.data(), rec_->Attrs.get(), static_cast<size_t>(filled_));
    }

    // Writes `value` over [from, to); `onComplete(rec, index, same, atEnd)`
    // is called for every record completed, `atEnd` telling whether `to`
    // is that record's end. Returns false when `onComplete` asks to stop.
    template <class F>
    bool Write(uint8_t value, int64_t from, int64_t to, F&& onComplete)
    {
        int64_t pos = from;
        while (rec_ != nullptr && pos < to) {
            const int64_t end = recStart_ + rec_->Len;
            const int64_t upto = std::min(to, end);
            // Tokens are short: a plain loop beats a call for most of them.
            uint8_t* out = scratch_.data() + (pos - recStart_);
            const auto n = static_cast<size_t>(upto - pos);
            if (n <= 16) {
                for (size_t i = 0; i < n; ++i)
                    out[i] = value;
            } else {
                std::memset(out, value, n);
            }
            filled_ = upto - recStart_;
            pos = upto;
            if (upto < end)
                break;
            const bool same = Store();
            if (!onComplete(rec_, index_, same, to == end))
                return false;
            recStart_ = end;
            rec_ = rec_->Next;
            ++index_;
            Begin();
        }
        return true;
    }

private:
    void Begin()
    {
        filled_ = 0;
        if (rec_ != nullptr && scratch_.size() < rec_->Len)
            scratch_.resize(rec_->Len);
    }

    // Puts the collected values in place; true when they equal the old ones.
    bool Store()
    {
        const size_t n = rec_->Len;
        if (rec_->Attrs && std::memcmp(rec_->Attrs.get(), scratch_.data(), n) == 0) {
            rec_->Flags |= lfRepaint;
            return true;
        }
        if (!rec_->Attrs)
            rec_->Attrs = std::make_unique<uint8_t[]>(n);
        std::memcpy(rec_->Attrs.get(), scratch_.data(), n);
        rec_->Flags |= lfRepaint;
        return false;
    }

    std::vector<uint8_t>& scratch_;
    TLineRec* rec_;
    int64_t recStart_;
    int64_t index_;
    int64_t filled_ = 0;
};

}  // namespace

THighlightPass::THighlightPass(TCustomCodeMemoParser& scheme, TCodeMemoClient* editor)
    : scheme_(scheme), editor_(editor)
{
}

THighlightPass::TRestart THighlightPass::FindRestart(TLineRec* rec, int64_t recStart,
                                                     int64_t index) const
{
    if (!rec->Attrs)
        return {rec, recStart, index, recStart, ValueBefore(rec, 0)};
    const TStateSet& anchors = scheme_.AnchorSet();
    // Backwards from the record's last character to an anchor value.
    int64_t i = rec->Len - 1;
    for (;;) {
        while (i < 0) {
            if (rec->Prev == nullptr)
                return {rec, recStart, index, recStart, 0};
            rec = rec->Prev;
            recStart -= rec->Len;
            --index;
            if (!rec->Attrs)
                return {rec, recStart, index, recStart, ValueBefore(rec, 0)};
            i = rec->Len - 1;
        }
        if (anchors.Contains(rec->Attrs[i]))
            break;
        --i;
    }
    // Back to the first character of that value's run.
    const uint8_t value = rec->Attrs[i];
    for (;;) {
        while (i > 0 && rec->Attrs[i - 1] == value)
            --i;
        const TLineRec* prev = rec->Prev;
        if (i > 0 || prev == nullptr || !prev->Attrs || prev->Len == 0 ||
            prev->Attrs[prev->Len - 1] != value)
            break;
        rec = rec->Prev;
        recStart -= rec->Len;
        --index;
        i = rec->Len - 1;
    }
    return {rec, recStart, index, recStart + i, ValueBefore(rec, i)};
}

THighlightResult THighlightPass::Run(TLineRec* first, int64_t textLength,
                                     const THighlightSpan& span)
{
    if (first == nullptr || span.Changed == nullptr)
        return {};
    TLineRec* rec = span.Changed;
    int64_t recStart = span.ChangedStart;
    int64_t index = span.ChangedIndex;
    if (rec->Prev == nullptr) {
        // Nothing before the change: whatever values the record holds are
        // those of an earlier text or scheme.
        return Scan(first, textLength, {rec, recStart, index, recStart, 0}, MustScanTo(span));
    }
    rec = rec->Prev;
    recStart -= rec->Len;
    --index;
    return Scan(first, textLength, FindRestart(rec, recStart, index), MustScanTo(span));
}

int64_t THighlightPass::MustScanTo(const THighlightSpan& span)
{
    // Saturating: RunAll passes a window that reaches past every record.
    constexpr int64_t kQuarter = std::numeric_limits<int64_t>::max() / 4;
    const int64_t last = std::clamp<int64_t>(span.LastVisible, 0, kQuarter);
    const int64_t firstVisible = std::clamp<int64_t>(span.FirstVisible, 0, last);
    const int64_t changed = std::clamp<int64_t>(span.ChangedIndex, 0, kQuarter);
    return std::max(changed + (last - firstVisible + 1), last) + 2;
}

THighlightResult THighlightPass::RunAll(TLineRec* first, int64_t textLength)
{
    THighlightSpan all;
    all.Changed = first;
    all.LastVisible = std::numeric_limits<int64_t>::max();
    return Run(first, textLength, all);
}

THighlightResult THighlightPass::Scan(TLineRec* first, int64_t textLength, const TRestart& from,
                                      int64_t mustScanTo)
{
    while (scheme_.Busy() && ProcessMessages && ProcessMessages()) {
    }
    TEdStream stream(first, textLength);
    stream.Seek(from.Offset);
    scheme_.ResetTokenizer(from.Context);

    THighlightResult result;
    TAttrWriter writer(scratch_, from.Rec, from.RecStart, from.Index, from.Offset);
    bool inside = false;  // reading a container's inside
    int64_t containerStart = 0;
    int64_t containerEnd = 0;
    uint8_t containerValue = 0;

    const auto completed = [&](TLineRec*, int64_t index, bool same, bool atTokenEnd) {
        if (result.FirstLine < 0)
            result.FirstLine = index;
        result.LastLine = index;
        return !(index > mustScanTo && same && atTokenEnd && !inside && !scheme_.Bound());
    };

    try {
        while (!stream.AtEnd()) {
            const int64_t a = stream.Position();
            int length = 0;
            int value = scheme_.ReadToken(editor_, stream, length);
            int64_t b = stream.Position();
            if (b <= a) {
                // Never stall, whatever the scheme answers.
                stream.Seek(a + 1);
                b = stream.Position();
            }
            const bool inContainer = scheme_.InContainer();
            if (!inside) {
                if (inContainer) {
                    if (OnTokenSeen)
                        OnTokenSeen(value, a, b);
                    inside = true;
                    containerStart = a;
                    containerEnd = b;
                    containerValue = static_cast<uint8_t>(value >= 0 && value <= 255 ? value : 0);
                    stream.Seek(a);
                    continue;
                }
            } else {
                if (inContainer && b >= containerEnd && a > containerStart) {
                    inside = false;
                    stream.Seek(a);
                    continue;
                }
                if (value == 0)
                    value = containerValue;
                if (!inContainer)
                    inside = false;
            }
            if (OnTokenSeen)
                OnTokenSeen(value, a, b);
            if (value < 0 || value > 255)
                value = 0;
            result.CharsRead = b - from.Offset;
            if (!writer.Write(static_cast<uint8_t>(value), a, b, completed))
                break;
        }
    } catch (...) {
        scheme_.ResetTokenizer(0);
        throw;
    }
    scheme_.ResetTokenizer(0);
    return result;
}

}  // namespace tarnwick
