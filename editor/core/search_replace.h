// Replacement texts: expansion of "%N", "%%" and backslash escapes against a
// match's recorded positions, and the edit list Replace All produces.
#pragma once

#include "editor/core/search_source.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The replacement text for one match. `positions` are the match's recorded
// positions (-1 for none): "%N" (N = 1..255, up to three digits) is the text
// between positions N-1 and N, empty when either is missing or they are out
// of order; "%%" is "%"; "%" before any other character is that character.
// Escapes: \n CR, \r LF, \s blank, \t TAB, \f form feed, \b backspace, \0..\7
// octal (up to 3 digits), \x with 1 or 2 hex digits, \\ a backslash; any
// other escaped character is itself. The result is normalised as inserted
// text is (CR LF and LF become CR; other control characters but TAB become
// "."), so its length is what the insertion adds.
std::string ExpandReplacement(std::string_view replacement, const std::vector<int64_t>& positions,
                              const TSearchSource& text);

// One replacement: `Length` characters at `Start` (an offset into the text as
// it was before any edit of the list) become `Text`.
struct TReplaceEdit {
    int64_t Start = 0;
    int64_t Length = 0;
    std::string Text;
};

// Applies edits given in increasing, non-overlapping order, each at its
// offset shifted by the length changes of the edits before it; edits that
// overlap an earlier one or lie outside the text are skipped.
std::string ApplyEdits(std::string_view text, const std::vector<TReplaceEdit>& edits);

}  // namespace tarnwick
