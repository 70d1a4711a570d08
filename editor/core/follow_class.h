// The follow class of a keyword table: the characters that may come after
// a word of the table, given as a one-item character specifier in a
// scheme's raw text ("[^_A-Za-z0-9]", "\s", "a-z").
//
// An item is a single character, a range "a-z" or a bracketed class "[...]"
// negated by a leading '^'. Escapes: \0..\7 start an octal number, \b 8,
// \e 27, \n 13, \r 10, \s 32, \t 9, \x \X \u \U start a hexadecimal number
// (the letter itself when no digit follows), a backslash before any other
// character stands for that character. This reader accepts exactly what
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
