// Texts of the scheme compiler's messages: string-table lookups and a small
// formatter for their templates.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace tarnwick {

using TMessageArg = std::variant<int64_t, std::string>;

// Fills a message template: "%d" takes an integer, "%s" a text, "%.2x" an
// integer in at least two lower-case hexadecimal digits, taken from `args` in
// order. Anything else, "%%" included, is copied as it stands (in the
// compiler's templates "%%" is literal text of the message). A placeholder
// with no argument left, or one whose argument has the wrong kind, is copied
// as it stands, so a template never reads past its arguments.
std::string FormatTemplate(std::string_view pattern, std::initializer_list<TMessageArg> args);

// The compiler message with string-table number `id`, filled from `args`.
std::string CompilerMessage(int id, std::initializer_list<TMessageArg> args = {});

// The full error text: "** ERROR near line %d, Column %d: %s".
std::string CompilerErrorText(int line, int column, const std::string& message);

}  // namespace tarnwick
