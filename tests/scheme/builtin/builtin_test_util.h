// Helpers shared by the built-in and shipped scheme tests.
#pragma once

#include "scheme/code_memo_parser.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick::test {

// The built-in Object Pascal scheme as ActiveParser holds it, loaded once.
const TCodeMemoParser& BuiltinScheme();

// Every character of class `index` in code order ("" for kNoClass).
std::string Members(const TParserTables& tables, int index);
// Every character except those of `chars`, in code order.
std::string AllBut(std::string_view chars);

// The text read token by token after a reset with `context` (0: the start
// states): (token value, text).
using TTokens = std::vector<std::pair<int, std::string>>;
TTokens Tokenize(TCodeMemoParser& scheme, std::string_view text, int context = 0);

// The tokens other than plain text, as "text:value" separated by blanks
// (a CR inside a token shows as "|").
std::string Marked(TCodeMemoParser& scheme, std::string_view text);

}  // namespace tarnwick::test
