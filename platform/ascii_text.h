// Small text helpers shared by the file formats (profile and registry files,
// library values, key names, the journal): trimming, prefix tests that ignore
// ASCII letter case, and decimal numbers.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick {

// `text` without the characters of `blanks` at either end (a view into it).
std::string_view Trimmed(std::string_view text, std::string_view blanks = " \t");

// True when `text` starts with `prefix`, ASCII letters compared without case.
bool StartsWithAscii(std::string_view text, std::string_view prefix);

// A signed decimal number that fits 32 bits: an optional '+' or '-', then at
// least one digit, nothing else (no blanks). False, with `value` untouched,
// for anything else.
bool TryParseInt32(std::string_view text, int32_t& value);

}  // namespace tarnwick
