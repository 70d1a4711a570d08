// Windowed in-order reading of a data file.
#include "library_search/sequential_texts.h"

#include "platform/file_io.h"

#include <algorithm>
#include <cstring>

namespace tarnwick {

TSequentialTexts::TSequentialTexts(TFile& data) : data_(data), size_(data.Size()) {}

std::string_view TSequentialTexts::Read(const TTextRange& range)
{
    const int64_t end = std::min(range.end, size_);
    if (range.start >= end)
        return {};
    const int64_t windowEnd = windowStart_ + static_cast<int64_t>(window_.size());
    if (range.start < windowStart_ || end > windowEnd) {
        const int64_t length = std::min(std::max<int64_t>(kWindow, end - range.start), size_ - range.start);
        window_.resize(static_cast<size_t>(length));
        data_.Seek(range.start);
        data_.ReadExactly(window_.data(), window_.size());
        windowStart_ = range.start;
    }
    std::string_view text(window_.data() + (range.start - windowStart_), static_cast<size_t>(end - range.start));
    if (const void* zero = std::memchr(text.data(), 0, text.size()))
        text = text.substr(0, static_cast<size_t>(static_cast<const char*>(zero) - text.data()));
    return text;
}

}  // namespace tarnwick
