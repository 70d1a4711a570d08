// The script language's fixed vocabulary: the reserved words with their token
// codes, and the built-in identifiers (predefined macros) with their values.
#pragma once

#include <cstdint>
#include <span>

namespace tarnwick {

class TWordStore;

struct TReservedWord {
    const char* word;
    int code;  // a TSymToken
};

// Every reserved word and punctuation mark of the language.
std::span<const TReservedWord> ReservedWords();

struct TBuiltinIdentifier {
    const char* name;
    int64_t value;  // the macro text is this number in decimal
};

// Every built-in identifier with a numeric value (`ver200`, defined to its own
// name, is not in this list; PreloadMacros adds it).
std::span<const TBuiltinIdentifier> BuiltinIdentifiers();

// Fills a reserved-word table with ReservedWords().
void PreloadReservedWords(TWordStore& store);
// Fills a macro table with every built-in identifier.
void PreloadMacros(TWordStore& store);

}  // namespace tarnwick
