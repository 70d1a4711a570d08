// In-memory simulation of text removals (see removal_plan.h).
#include "library/removal_plan.h"


#include <algorithm>

namespace tarnwick {

TRemovalPlan::TRemovalPlan(const TIniDocument& index, int64_t dataSize) : size_(dataSize)
{
    if (dataSize > 0)
        pieces_.push_back({0, dataSize});
    for (TTitleValue& title : ReadableTitles(index)) {
        TEntry entry;
        entry.category = std::move(title.category);
        entry.title = std::move(title.title);
        if (!title.value.empty()) {
            entry.range = ParseRange(title.value);
            entry.hasRange = true;
        }
        lookup_.emplace(TitleKey(entry.category, entry.title), entries_.size());
        entries_.push_back(std::move(entry));
    }
}

const TRemovalPlan::TEntry* TRemovalPlan::FindEntry(std::string_view category,
                                                   std::string_view title) const
{
    auto it = lookup_.find(TitleKey(category, title));
    if (it == lookup_.end() || entries_[it->second].removed)
        return nullptr;
    return &entries_[it->second];
}

std::optional<TTextRange> TRemovalPlan::Range(std::string_view category,
                                              std::string_view title) const
{
    const TEntry* entry = FindEntry(category, title);
    if (!entry || !entry->hasRange)
        return std::nullopt;
    return entry->range;
}

bool TRemovalPlan::HasKey(std::string_view category, std::string_view title) const
{
    return FindEntry(category, title) != nullptr;
}

void TRemovalPlan::Cut(int64_t from, int64_t to)
{
    std::vector<TPiece> kept;
    kept.reserve(pieces_.size() + 1);
    int64_t pos = 0;  // offset of the piece in the file as it stands
    for (const TPiece& piece : pieces_) {
        const int64_t length = piece.to - piece.from;
        if (pos < from)
            kept.push_back({piece.from, piece.from + std::min(length, from - pos)});
        if (pos + length > to) {
            const int64_t skip = std::max<int64_t>(0, to - pos);
            kept.push_back({piece.from + skip, piece.to});
        }
        pos += length;
    }
    pieces_ = std::move(kept);
}

bool TRemovalPlan::Remove(std::string_view category, std::string_view title,
                          const TTextRange& range)
{
    bool cut = false;
    if (range.LiesWithin(size_)) {
        const int64_t length = range.Length();
        if (length > 0) {
            Cut(range.start, range.end);
            size_ -= length;
            dataChanged_ = true;
            for (TEntry& entry : entries_) {
                if (entry.removed || !entry.hasRange || entry.range.start <= range.start)
                    continue;
                entry.range.start -= length;
                entry.range.end -= length;
                entry.changed = true;
            }
        }
        cut = true;
    }
    auto it = lookup_.find(TitleKey(category, title));
    if (it != lookup_.end())
        entries_[it->second].removed = true;
    return cut;
}

void TRemovalPlan::Apply(TIniDocument& index) const
{
    for (const TEntry& entry : entries_) {
        if (entry.removed)
            index.DeleteKey(entry.category, entry.title);
        else if (entry.changed)
            index.WriteString(entry.category, entry.title,
                              FormatRange(entry.range.start, entry.range.end));
    }
}

}  // namespace tarnwick
