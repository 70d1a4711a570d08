// What a template or auto-replace expansion does to the text, computed
// without touching it.
//
// The editor's key-down handler offers every key first to the code
// templates, then to the auto-replace list (HandleMacroKey), and only then to
// the keyboard controller. The outcome says whether the key was handled and
// holds at most one of:
//   - an expansion (TExpansion): the editor replaces [ReplaceStart,
//     ReplaceEnd) with Text as ONE undo group with code kTemplateUndoGroup
//     (16), then puts the caret at CaretAfter when it is set (collapsed
//     selection), otherwise at the end of the inserted text;
//   - a pop-up request (TPopupRequest): the editor selects [WordStart,
//     WordEnd) (shown even without focus), lists Items (description,
//     separator, name) with Preselect selected, and on Enter or double click
//     applies ExpandChosen's result; Escape closes the list; closing
//     restores the selection display and collapses the selection to its end.
// TCodeMemoModel::ApplyExpansion applies an expansion; drawing the pop-up
// belongs to the editor widget. Nothing here changes the text.
#pragma once

#include "editor/core/custom_ed_stream.h"
#include "editor/core/macro_keywords.h"
#include "editor/core/search.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tarnwick {

inline constexpr int kTemplateUndoGroup = 16;

// Without a host handler a word starts with A-Z, a-z or "_"; the test for
// the characters a word holds (DefaultCharIsInWord, with TCharTest) is the
// search's.
bool DefaultCharStartsWord(unsigned char c);

struct TExpansionContext {
    TCustomEdStream* Text = nullptr;  // the editor's text; required
    int64_t Caret = 0;                // the caret end of the selection
    TCharTest CharStartsWord;         // fn_CharStartsWord; null = default
    TCharTest CharIsInWord;           // fn_CharIsInWord; null = default
    // The visual column (TABs expanded) of an offset; null = characters
    // since the start of its line.
    std::function<int(int64_t offset)> ColumnOf;
    // OnTemplateEvent: may change the replacement of a template.
    std::function<void(const std::string& templateName, std::string& replacement)>
        OnTemplateEvent;
    // OnAutoReplace: the stream stands at the item's first character; may
    // change the replacement and the permission.
    std::function<void(TCustomEdStream& stream, const std::string& item, std::string& replaceWith,
                       bool& canReplace)>
        OnAutoReplace;
};

struct TExpansion {
    int64_t ReplaceStart = 0;
    int64_t ReplaceEnd = 0;
    std::string Text;                  // normalised; the caret marker removed
    std::optional<int64_t> CaretAfter;  // absolute offset after the insertion
    int UndoGroup = kTemplateUndoGroup;
};

struct TPopupRequest {
    std::string TypedWord;  // lower case
    int64_t WordStart = 0;
    int64_t WordEnd = 0;
    std::vector<const TMacroEntry*> Items;  // name order; valid until the list changes
    int Preselect = 0;
};

struct TMacroKeyOutcome {
    bool Handled = false;
    std::optional<TExpansion> Expansion;
    std::optional<TPopupRequest> Popup;
};

// Offers a key to `list`. When it is the list's trigger: the longest name
// ending at the caret is expanded (handled; the key is swallowed, set to 0,
// when the list swallows its trigger); with no match and a list that offers
// the pop-up, the typed word is collected (also into list.TypedWord) and a
// pop-up request made (handled and swallowed). An auto-replace match that
// is not allowed on word boundaries (or that OnAutoReplace refuses) is
// handled with no expansion.
TMacroKeyOutcome HandleMacroKey(TMacroKeywords& list, const TExpansionContext& context,
                                uint16_t& key, TShiftState shift);

// The expansion of `replacement` for the item [itemStart, context.Caret):
// the template event or the auto-replace checks, indenting, normalising and
// the caret marker, as `list`'s options say. `name` is the template's name
// (for OnTemplateEvent). Nothing when auto-replace is not allowed.
std::optional<TExpansion> ComputeExpansion(const TMacroKeywords& list,
                                           const TExpansionContext& context, int64_t itemStart,
                                           const std::string& name, std::string replacement);

// The expansion of the template picked from the pop-up: the typed word is
// replaced when the template's name contains it, otherwise the expansion is
// inserted at the caret.
std::optional<TExpansion> ExpandChosen(const TMacroKeywords& list, const TExpansionContext& context,
                                       const TPopupRequest& popup, const TMacroEntry& chosen);

// Incremental search in the pop-up: the first item whose name starts with
// `typed` (any case); -1 when none.
int FindByPrefix(const std::vector<const TMacroEntry*>& items, std::string_view typed);

}  // namespace tarnwick
