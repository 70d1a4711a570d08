// A readable text form of a compiled scheme: every setting and table, one
// fact per line, for the command line, golden tests and bug reports.
//
// The text is stable: the same scheme always gives the same text (tables
// in value order, characters in code order, lists in their stored order),
// so two dumps can be compared with a plain diff. Texts and characters are
// shown between double quotes or in classes with every byte outside the
// printable ASCII range (and the quote and backslash themselves) escaped
// as \xNN or \" and \\.
//
// Layout, in this order, each part under a "# <part>" heading line:
//   settings   name, example text, wrap override, options (hex and names),
//              margins, columns, colours (hex, "default" when the default
//              flag is set), tabs, font and gutter font
//   effects    one line per defined effect: style letters (b i u s, "-"
//              for none), colours, hot spot
//   map        one line per token value mapped to an effect other than 0
//   editable styles, keyword tables (one line per table, then its words)
//   keys       "keys default" when the assignments are exactly the
//              built-in ones; otherwise the action names and bindings
//   templates, auto-replace
//   words      case flag, then each reserved word in insertion order
//   handlers   per token value
//   start      the global start table: runs of consecutive first
//              characters that share an equal record, one line per run
//   in-state   the same per state that has a table, with its range list
//   context    runs of consecutive context values with equal sets
//              (differing from the start set)
//   states     per token value: valid, added, removed sets and flags
//   sets       anchor, bound, start, custom-parse flag
// A set of states or token values reads "{0,3,5..9}"; a character class
// "[a-z_]" or "[^0-9]" ("[]" is the empty class).
//
// Raises "Invalid Set ID (%d)" when a record names a class the scheme does
// not hold (a scheme that could not be saved either).
#pragma once

#include <ostream>
#include <string>

namespace tarnwick {

class TCodeMemoParser;

void DumpScheme(const TCodeMemoParser& scheme, std::ostream& out);
std::string DumpScheme(const TCodeMemoParser& scheme);

}  // namespace tarnwick
