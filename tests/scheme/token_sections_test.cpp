// %%Words, %%Handlers and %%Tokens entries as the section parsers hand them on.
#include "scheme/compiler_error.h"
#include "scheme/sym_compiler.h"
#include "scheme/token_sections.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

// A class as its members among printable ASCII ("^" first when negated).
std::string Chars(const TCharClass& item)
{
    std::string out = item.negated ? "^" : "";
    for (int c = 32; c < 127; ++c) {
        if (item.chars.Contains(uint8_t(c)))
            out += char(c);
    }
    return out;
}

std::string States(const TStateSet& set)
{
    std::string out;
    for (int n = 0; n < 256; ++n) {
        if (set.Contains(n))
            out += (out.empty() ? "" : ",") + std::to_string(n);
    }
    return "{" + out + "}";
}

std::string Matcher(const TMatcherSpec& m)
{
    std::string out = m.custom ? "match" + std::to_string(m.number)
                      : m.routine ? "routine" + std::to_string(m.number)
                                  : "[" + Chars(m.chars) + "]";
    return out + (m.repeat ? "*" : "");
}

std::string Terminator(const TTerminatorSpec& t)
{
    std::string out;
    if (t.routine) {
        out = t.custom ? "match" + std::to_string(t.number) : "routine" + std::to_string(t.number);
    } else {
        for (const TCharClass& item : t.chars)
            out += "[" + Chars(item) + "]";
    }
    return out.empty() ? "-" : out + (t.include ? " incl" : "");
}

std::string Read(const std::string& script)
{
    TSYM_Compiler compiler(script, "");
    std::string out;
    const auto add = [&out](const std::string& entry) {
        out += (out.empty() ? "" : "|") + entry;
    };
    try {
        switch (compiler.Next()) {
        case tkWordsSection:
            ReadWordsSection(compiler, [&](const TWordEntry& e) {
                add(e.word + " " + (e.hasFollow ? Chars(e.follow) : "any") + " " +
                    std::to_string(e.token) + " " + States(e.states));
            });
            break;
        case tkHandlersSection:
            ReadHandlersSection(compiler, [&](const THandlerEntry& e) {
                add(std::to_string(e.token) + " " + Matcher(e.body) + " " +
                    Terminator(e.terminator));
            });
            break;
        default:
            ReadTokensSection(compiler, [&](const TTokenEntry& e) {
                add(std::to_string(e.token) + " start[" + Chars(e.start) + "] " +
                    Matcher(e.body) + " " + Terminator(e.terminator) + " " + States(e.states) +
                    (e.inState >= 0 ? " in" + std::to_string(e.inState) : ""));
            });
            break;
        }
    } catch (const ECompilerError& e) {
        return "error: " + e.Detail;
    }
    return out + "; next " + std::to_string(compiler.Token());
}

struct TRow {
    const char* name;
    const char* script;
    const char* entries;
};

class TokenSections : public ::testing::TestWithParam<TRow> {};

TEST_P(TokenSections, Read)
{
    EXPECT_EQ(Read(GetParam().script), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, TokenSections,
    ::testing::Values(
        TRow{"words_with_follow_class_and_states",
             "%%Words 'Begin' '[^a-z]' 1 'end' '' 2 [1 2] %%Map",
             "Begin ^abcdefghijklmnopqrstuvwxyz 1 {0}|end any 2 {1,2}; next 28"},
        TRow{"word_value_takes_escapes", "%%Words 'a\\x42' '' 3", "aB any 3 {0}; next 0"},
        TRow{"word_follow_with_two_items", "%%Words 'a' 'bc' 1",
             "error: Single character specifier expected"},
        TRow{"word_without_follow_string", "%%Words 'a' 1", "error: String value expected"},
        TRow{"handler_class_body_and_terminator", "%%Handlers 3 '[0-9]' * 'e+' 1",
             "3 [0123456789]* [e][+] incl; next 0"},
        TRow{"handler_routine_body_without_terminator", "%%Handler 4 _PASCAL_CHAR 5 'x'",
             "4 routine0 -|5 [x] -; next 0"},
        TRow{"handler_match_takes_only_star", "%%Handlers 6 match(7) *",
             "6 match7* -; next 0"},
        TRow{"handler_terminator_of_five_items", "%%Handlers 3 'a' 'abcde' 0",
             "error: Maximum of 4 character specifier allowed"},
        TRow{"token_standard_kind", "%%Tokens 1 __STD_NUMBER [3]",
             "1 start[0123456789] routine9 - {0,3}; next 0"},
        TRow{"token_kind_out_of_range", "%%Tokens 1 21", "error: Script syntax error"},
        TRow{"token_with_class_body", "%%Tokens 2 '/' '[^*]' * '*/' 1",
             "2 start[/] [^*]* [*][/] incl {0}; next 0"},
        TRow{"token_with_routine_terminator", "%%Tokens 2 'a' 1 2 0",
             "2 start[a] routine1 routine2 {0}; next 0"},
        TRow{"token_with_match", "%%Tokens 3 '#' match(9) [4]",
             "3 start[#] match9 - {0,4}; next 0"},
        TRow{"token_needs_terminator", "%%Tokens 2 'a' 'b' %%Map", "error: Expression expected"},
        TRow{"token_start_of_two_items", "%%Tokens 2 'ab' 'b' 'c' 0",
             "error: Single character specifier expected"},
        TRow{"in_state_group", "%%Tokens InState 5 ( 1 __STD_IDENTIFIER 2 '\"' '[^\"]' '\"' 1 )",
             "1 start[ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz] routine3 - {5} in5|"
             "2 start[\"] [^\"] [\"] incl {5} in5; next 0"},
        TRow{"in_state_group_not_closed", "%%Tokens InState 5 ( 1 16 %%Map",
             "error: ')' expected"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick
