// The follow class of a keyword table: the characters that may come after
// a word of the table, given as a one-item character specifier in a
// scheme's raw text ("[^_A-Za-z0-9]", "\s", "a-z").
//
// The notation is char_item_reader.h's; this reader accepts exactly what
// the scheme compiler accepts for the `endswith` text.
#pragma once

#include "editor/core/keywords.h"

#include <string_view>

namespace tarnwick {

// The set of characters the text names, with any negation applied; the
// empty set for an empty text (any character may follow). Raises EKeywords
// with "Characters not in correct order for range specifier", "']'
// expected", "Range error, value outwith 0 .. 255" or, for more than one
// item, "Single character specifier expected".
TCharSet ParseFollowClass(std::string_view raw);

}  // namespace tarnwick
