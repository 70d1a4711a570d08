// Character specifiers: the strings of a scheme script that describe classes
// of characters ('a', 'a-z', '[^\]\t]', '\x41'). A specifier string is a
// sequence of items, each one class, in the notation of
// editor/core/char_item_reader.h.
#pragma once

#include "scheme/set256.h"

#include <cstddef>
#include <string_view>
#include <vector>

namespace tarnwick {

// One class of characters: a character belongs to it when its bit in
// `chars` differs from `negated`.
struct TCharClass {
    TSet256 chars;
    bool negated = false;

    bool Contains(unsigned char c) const { return chars.Contains(c) != negated; }
    friend bool operator==(const TCharClass&, const TCharClass&) = default;
};

// Reads the item that starts at raw[pos] into `item` and moves `pos` past it.
// Returns false (and leaves `item`) when pos is at or past the end.
// Raises ECharSpecifier: "Characters not in correct order for range
// specifier" for a range whose end is below its start, "']' expected" for a
// class that is not closed, "Range error, value outwith 0 .. 255" for an
// escaped number above 255.
bool ReadCharSpecItem(std::string_view raw, size_t& pos, TCharClass& item);

// Every item of the text, in order; at most `limit` + 1 are read, so a caller
// that allows `limit` items can tell that there are too many without the
// whole text being parsed.
std::vector<TCharClass> ReadCharSpecItems(std::string_view raw, size_t limit = SIZE_MAX - 1);

}  // namespace tarnwick
