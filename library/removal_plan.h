// Removal of texts from a library, worked out in memory before any file is
// touched.
//
// The plan reads every title value of the index once and keeps the data file
// as a list of byte ranges of the old file. Each Remove cuts a range (in the
// coordinates of the file as it stands after the earlier removals), lowers
// every value whose start lies above the cut's start by the cut's length and
// forgets the removed title, exactly as removals done one by one on the files
// would. The result is then written in one rebuild of the data file and one
// write of the index, giving the same bytes as those single removals.
#pragma once

#include "library/library_format.h"
#include "library/library_journal.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarnwick {

class TRemovalPlan {
public:
    // Reads every value of every category (the lists are not cut by the
    // listing buffer: every offset must be lowered, not just those a window
    // would list). A category or title that occurs twice is taken once, as
    // reads see only its first occurrence. An empty value is a title without
    // text. Raises EConvertError for a value that is not two decimal numbers,
    // before anything has changed.
    TRemovalPlan(const TIniDocument& index, int64_t dataSize);

    // The title's current range; nullopt when it has no key or an empty value.
    std::optional<TTextRange> Range(std::string_view category, std::string_view title) const;
    bool HasKey(std::string_view category, std::string_view title) const;

    // Cuts [range.start, range.end) and lowers the values above it; the title's
    // key is then deleted. A range that does not lie within the data file as it
    // stands is not cut (it points at no text of this file); only the key goes.
    // Returns whether the range was cut.
    bool Remove(std::string_view category, std::string_view title, const TTextRange& range);

    // Size of the data file after the removals so far.
    int64_t DataSize() const { return size_; }
    // True when some bytes were cut.
    bool DataChanged() const { return dataChanged_; }
    // The byte ranges of the old data file that remain, in order.
    const std::vector<TPiece>& Pieces() const { return pieces_; }

    // Writes the lowered values into `index` (in place) and deletes the keys
    // of the removed titles.
    void Apply(TIniDocument& index) const;

private:
    struct TEntry {
        std::string category, title;
        TTextRange range;
        bool hasRange = false;
        bool changed = false;
        bool removed = false;
    };
    const TEntry* FindEntry(std::string_view category, std::string_view title) const;
    void Cut(int64_t from, int64_t to);

    std::vector<TEntry> entries_;
    std::unordered_map<std::string, size_t> lookup_;
    std::vector<TPiece> pieces_;
    int64_t size_ = 0;
    bool dataChanged_ = false;
};

}  // namespace tarnwick
