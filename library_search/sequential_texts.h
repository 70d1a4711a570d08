// Reading snippet texts from a data file in stored order through one window
// of a few megabytes: each byte is read once when the ranges asked for come
// in ascending order, and at most the window (or one text larger than it) is
// held in memory.
#pragma once

#include "library/library_format.h"

#include <string>
#include <string_view>

namespace tarnwick {

class TFile;

class TSequentialTexts {
public:
    static constexpr size_t kWindow = size_t{4} << 20;

    // `data` must stay open while texts are read.
    explicit TSequentialTexts(TFile& data);

    // The text of `range` as ReadSnippet reads it: fewer bytes when the file
    // ends first, cut before the first byte 0. The view stays valid until the
    // next call. The range must be proper (start >= 0, end >= start).
    std::string_view Read(const TTextRange& range);

private:
    TFile& data_;
    int64_t size_;
    int64_t windowStart_ = 0;
    std::string window_;
};

}  // namespace tarnwick
