// In-memory simulation of text removals (see removal_plan.h).
#include "library/removal_plan.h"

#include "platform/file_names.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace tarnwick {

namespace {

constexpr size_t kUnlimited = std::numeric_limits<size_t>::max();

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// Names are matched as the index file matches them: trimmed, ASCII case
// folded.
std::string LookupKey(std::string_view category, std::string_view title)
{
    std::string key = UpperCaseAscii(Trimmed(category));
    key += '\0';
    key += UpperCaseAscii(Trimmed(title));
    return key;
}

}  // namespace

TRemovalPlan::TRemovalPlan(const TIniDocument& index, int64_t dataSize) : size_(dataSize)
{
    if (dataSize > 0)
        pieces_.push_back({0, dataSize});
    std::unordered_set<std::string> seenCategories;
    for (const std::string& category : index.SectionNames(kUnlimited)) {
        if (!seenCategories.insert(UpperCaseAscii(category)).second)
            continue;
        for (const std::string& title : index.Keys(category, kUnlimited)) {
            std::string key = LookupKey(category, title);
            if (lookup_.count(key))
                continue;
            TEntry entry;
            entry.category = category;
            entry.title = title;
            const std::string value = index.ReadString(category, title, "");
            if (!value.empty()) {
                entry.range = ParseRange(value);
                entry.hasRange = true;
            }
            lookup_.emplace(std::move(key), entries_.size());
            entries_.push_back(std::move(entry));
        }
    }
}

const TRemovalPlan::TEntry* TRemovalPlan::FindEntry(std::string_view category,
                                                   std::string_view title) const
{
    auto it = lookup_.find(LookupKey(category, title));
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
    auto it = lookup_.find(LookupKey(category, title));
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
