// TMacroKeywords: a list of named text expansions matched backwards from
// the caret — the common base of the code templates and the auto-replace
// list.
//
// Entries are kept sorted by name; names are lower-cased and compared
// without regard to case. Each name is also stored reversed in the keyword
// trie, so the word that ends at the caret is found by reading the text
// backwards (longest name wins). Expansions are stored normalised: every
// line break is one CR.
//
// Stream format (little-endian):
//   entry count (32 bits); per entry: name (1-byte length + characters),
//   description (1-byte length + characters; 0 = none), expansion (32-bit
//   length + characters);
//   trigger shortcut as its display text (32-bit length + characters,
//   "Ctrl+J"); the extra option (32 bits).
// Derived lists append their own fields. Reading replaces the whole list; a
// short or inconsistent stream raises EReadError and the list keeps what it
// had. Names and descriptions longer than 255 characters are cut to 255 when
// written.
#pragma once

#include "editor/core/keywords.h"
#include "platform/keys.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

struct TMacroEntry {
    std::string Name;                        // lower case
    std::optional<std::string> Description;  // none for auto-replace entries
    std::string Expansion;                   // normalised
};

// Where a name matched before the caret: the item is [Start, Start + Length).
struct TMacroMatch {
    const TMacroEntry* Entry = nullptr;
    int64_t Start = 0;
    int64_t Length = 0;
};

class TMacroKeywords : public TKeywords {
public:
    const char* ClassName() const override { return "TMacroKeywords"; }
    std::unique_ptr<TSM_Base> NewInstance() const override;
    void WriteToStream(TSMStreamWriter& stream) const override;
    void ReadFromStream(TSMStreamReader& stream) override;

    // Adds an entry, replacing one of the same name (any case). An empty
    // name is listed but can never match text.
    void AddMacro(std::string_view name, std::optional<std::string_view> description,
                  std::string_view expansion);
    // False when no entry has that name.
    bool DeleteMacro(std::string_view name);
    // Drops every entry (the trigger and options stay).
    void Clear() override;
    const TMacroEntry* Find(std::string_view name) const;
    // The entries in name order.
    std::vector<const TMacroEntry*> List() const;
    size_t Count() const { return entries_.size(); }

    // True when the key in that shift state fires the list.
    virtual bool IsTrigger(uint16_t key, TShiftState shift) const;

    // The longest name that ends just before `caret` (matched backwards,
    // without regard to case); nothing at the start of the text.
    std::optional<TMacroMatch> MatchBefore(TCustomEdStream& text, int64_t caret) const;

    // The trigger (default Ctrl+J; 0 = none).
    TShortCut Trigger = static_cast<TShortCut>(VK_J | scCtrl);
    // Options: swallow the trigger key, indent the expansion's later lines
    // to the item's column, honour the "|" caret marker, offer the pop-up
    // list, recreate the pop-up for each use.
    bool SwallowKey = true;
    bool IndentLines = true;
    bool CaretMarker = true;
    bool PopupList = true;
    bool RecreatePopup = true;
    // Kept only to be saved and loaded again.
    int32_t ExtraOption = 1;

    // The word typed before the caret, collected for the pop-up list.
    std::string TypedWord;

protected:
    std::string AssignErrorText(const TSM_Base& source) const override;
    // The fields a derived list appends to the stream. ReadTail reads into
    // this object, which is a fresh scratch list.
    virtual void WriteTail(TSMStreamWriter&) const {}
    virtual void ReadTail(TSMStreamReader&) {}
    // Takes over the entries, trigger, extra option and derived fields of
    // `other` (a scratch list of the same class that was read successfully).
    virtual void TakeFrom(TMacroKeywords& other);

private:
    void RebuildWords();

    std::map<std::string, TMacroEntry> entries_;
};

}  // namespace tarnwick
