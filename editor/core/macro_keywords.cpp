// Expansion lists: entries, backward matching and the common stream form.
#include "editor/core/macro_keywords.h"

#include "editor/core/text_normalise.h"

#include <algorithm>

namespace tarnwick {

namespace {

const TStateSet kMacroStates{0};

std::string Reversed(std::string_view text) { return std::string(text.rbegin(), text.rend()); }

}  // namespace

std::unique_ptr<TSM_Base> TMacroKeywords::NewInstance() const
{
    return std::make_unique<TMacroKeywords>();
}

std::string TMacroKeywords::AssignErrorText(const TSM_Base& source) const
{
    return std::string("Cannot assign ") + source.ClassName() + " to " + ClassName();
}

void TMacroKeywords::AddMacro(std::string_view name, std::optional<std::string_view> description,
                              std::string_view expansion)
{
    std::string key = AnsiLower(name);
    TMacroEntry entry;
    entry.Name = key;
    if (description)
        entry.Description = std::string(*description);
    entry.Expansion = NormaliseInput(expansion);
    const bool known = entries_.count(key) != 0;
    entries_[key] = std::move(entry);
    if (!known)
        AddWord(Reversed(key), false, 0, kMacroStates);
}

bool TMacroKeywords::DeleteMacro(std::string_view name)
{
    if (entries_.erase(AnsiLower(name)) == 0)
        return false;
    // The trie cannot drop a word; it is rebuilt from the remaining names.
    RebuildWords();
    return true;
}

void TMacroKeywords::RebuildWords()
{
    ClearWords();
    for (const auto& [name, entry] : entries_)
        AddWord(Reversed(name), false, 0, kMacroStates);
}

void TMacroKeywords::Clear()
{
    entries_.clear();
    ClearWords();
}

const TMacroEntry* TMacroKeywords::Find(std::string_view name) const
{
    const auto it = entries_.find(AnsiLower(name));
    return it == entries_.end() ? nullptr : &it->second;
}

std::vector<const TMacroEntry*> TMacroKeywords::List() const
{
    std::vector<const TMacroEntry*> list;
    list.reserve(entries_.size());
    for (const auto& [name, entry] : entries_)
        list.push_back(&entry);
    return list;
}

bool TMacroKeywords::IsTrigger(uint16_t key, TShiftState shift) const
{
    return Trigger != 0 && ShortCut(key, shift) == Trigger;
}

std::optional<TMacroMatch> TMacroKeywords::MatchBefore(TCustomEdStream& text, int64_t caret) const
{
    if (caret <= 0 || caret > text.TextLength() || Empty())
        return std::nullopt;
    const int64_t saved = text.Position();
    text.Seek(caret - 1);
    int length = 0;
    const TKeywordEntry* word = FindWordBackwards(text, false, kMacroStates, length);
    std::optional<TMacroMatch> match;
    if (word) {
        const int64_t start = caret - length;
        std::string name;
        for (int64_t pos = start; pos < caret; ++pos)
            name.push_back(static_cast<char>(AnsiLowerChar(text.CharAt(pos))));
        if (const TMacroEntry* entry = Find(name))
            match = TMacroMatch{entry, start, length};
    }
    text.Seek(saved);
    return match;
}

void TMacroKeywords::WriteToStream(TSMStreamWriter& stream) const
{
    stream.I32(static_cast<int32_t>(entries_.size()));
    for (const auto& [name, entry] : entries_) {
        stream.ShortString(name);
        stream.ShortString(entry.Description.value_or(std::string()));
        stream.LongString(entry.Expansion);
    }
    stream.LongString(ShortCutToText(Trigger));
    stream.I32(ExtraOption);
    WriteTail(stream);
}

void TMacroKeywords::ReadFromStream(TSMStreamReader& stream)
{
    std::unique_ptr<TSM_Base> fresh = NewInstance();
    auto& scratch = static_cast<TMacroKeywords&>(*fresh);
    // Smallest entry: two empty short strings and an empty long string.
    const int32_t count = stream.Count(6);
    for (int32_t i = 0; i < count; ++i) {
        std::string name = stream.ShortString();
        std::string description = stream.ShortString();
        std::string expansion = stream.LongString();
        std::optional<std::string_view> described;
        if (!description.empty())
            described = description;
        scratch.AddMacro(name, described, expansion);
    }
    scratch.Trigger = TextToShortCut(stream.LongString());
    scratch.ExtraOption = stream.I32();
    scratch.ReadTail(stream);
    TakeFrom(scratch);
}

void TMacroKeywords::TakeFrom(TMacroKeywords& other)
{
    entries_.swap(other.entries_);
    SwapWords(other);
    Trigger = other.Trigger;
    ExtraOption = other.ExtraOption;
}

}  // namespace tarnwick
