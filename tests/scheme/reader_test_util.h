// Helpers for the script reader's tests: token dumps and error capture.
#pragma once

#include "scheme/compiler_error.h"
#include "scheme/sym_compiler.h"

#include <string>
#include <string_view>

namespace tarnwick::testing {

// One token as text: "number 255", "string 'a\n' = 61 0d", "word %%map",
// "identifier foo", "unknown 23", "eof".
std::string DescribeToken(const TSYM_Compiler& reader);

// Every token of the script, one per line, each prefixed with the 1-based
// line and column after it ("3:7 number 5"); an error ends the dump with
// "error: <full message>". With `strict`, identifiers and unknown characters
// raise their errors (as for the section parsers).
std::string DumpTokens(std::string_view script, const std::string& folder = {},
                       bool strict = false);

// The full error text a script raises while all its tokens are read with
// Next() (identifiers rejected); empty when it raises none.
std::string ReadError(std::string_view script, const std::string& folder = {});

}  // namespace tarnwick::testing
