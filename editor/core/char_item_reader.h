// One item of a character specifier, the notation scheme scripts use for
// classes of characters ('a', 'a-z', '[^\]\t]', '\x41'); the scheme compiler
// and the keyword tables' follow classes both read it.
//
// An item is:
//   - a single character, optionally escaped;
//   - a range "a-z" (either end may be escaped); the end must not be below the
//     start;
//   - a bracketed class "[...]" of characters and ranges, negated by a '^'
//     right after the '['; it ends at the first unescaped ']', and a '-' just
//     before that ']' is an ordinary character.
// Escapes: \0..\7 start an octal number (digits 0..7), \b 8, \e 27, \n 13,
// \r 10, \s 32, \t 9, \x \X \u \U start a hexadecimal number, a backslash
// before any other character stands for that character (so \[ and \] are the
// brackets, inside a class or outside it). \x, \X, \u, \U with no digit after
// them stand for the letter itself; a final lone backslash stands for itself.
// The text given is the raw text, with its backslashes as written; every
// index is checked against it, as it may end anywhere.
#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>

namespace tarnwick {

struct TCharItem {
    std::bitset<256> chars;  // the characters named, before negation
    bool negated = false;
};

// What is wrong with an item; callers turn it into their own message.
enum class TCharItemFault {
    RangeOrder,    // "Characters not in correct order for range specifier"
    CloseBracket,  // "']' expected"
    ValueRange,    // "Range error, value outwith 0 .. 255"
};
struct ECharItemFault {
    TCharItemFault fault;
};

// Reads the item that starts at raw[pos] into `item` and moves `pos` past it.
// Returns false (and leaves `item`) when pos is at or past the end. Raises
// ECharItemFault.
bool ReadCharItem(std::string_view raw, size_t& pos, TCharItem& item);

}  // namespace tarnwick
