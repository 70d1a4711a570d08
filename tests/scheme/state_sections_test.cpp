// %%States and %%Containers entries as the section parsers hand them on.
#include "scheme/compiler_error.h"
#include "scheme/state_sections.h"
#include "scheme/sym_compiler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

std::string States(const TStateSet& set)
{
    std::string out;
    for (int n = 0; n < 256; ++n) {
        if (set.Contains(n))
            out += (out.empty() ? "" : ",") + std::to_string(n);
    }
    return "{" + out + "}";
}

// Every entry of the script's first section as "token +{..} -{..} flags c",
// '|'-separated, then "; next <code>" for the token left current, or the
// error's message.
std::string Read(const std::string& script)
{
    TSYM_Compiler compiler(script, "");
    std::string out;
    const auto sink = [&out](const TStateChangeEntry& e) {
        out += (out.empty() ? "" : "|") + std::to_string(e.token) + " +" + States(e.added) +
               " -" + States(e.removed) + " " + std::to_string(e.flags) +
               (e.container ? " c" : "") + (e.clearsChanges ? " clear" : "");
    };
    try {
        if (compiler.Next() == tkStatesSection)
            ReadStatesSection(compiler, sink);
        else
            ReadContainersSection(compiler, sink);
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

class StateSections : public ::testing::TestWithParam<TRow> {};

TEST_P(StateSections, Read)
{
    EXPECT_EQ(Read(GetParam().script), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, StateSections,
    ::testing::Values(
        TRow{"changes_in_any_order", "%%States 5 ( +[1] -[2 3] +4 )",
             "5 +{1,4} -{2,3} 0; next 0"},
        TRow{"push_before", "%%States 5 push ( +1 )", "5 +{1} -{} 1; next 0"},
        TRow{"pop_before", "%%States 5 pop ( -1 )", "5 +{} -{1} 2; next 0"},
        TRow{"flag_after_replaces_flag_before", "%%States 5 pop ( +1 ) push",
             "5 +{1} -{} 4; next 0"},
        // A single value is a whole expression: "+3 -1" adds state 2.
        TRow{"value_runs_on_as_expression", "%%States 5 ( +3 -1 )", "5 +{2} -{} 0; next 0"},
        TRow{"pop_after_empties_changes", "%%States 5 push ( +[1] -2 ) pop",
             "5 +{} -{} 8 clear; next 0"},
        TRow{"empty_changes_and_repeated_section_word",
             "%%States 1 () %%states 2 (+3) %%Map", "1 +{} -{} 0|2 +{3} -{} 0; next 28"},
        TRow{"containers_take_no_flags", "%%Containers 7 ( +1 ) push",
             "7 +{1} -{} 0 c; next 79"},
        TRow{"missing_open_parenthesis", "%%States 5 +1", "error: '(' expected"},
        TRow{"missing_close_parenthesis", "%%States 5 ( +1 %%Map", "error: ')' expected"},
        TRow{"token_value_out_of_range", "%%States 256 ()",
             "error: Range error, value outwith 0 .. 255"},
        TRow{"state_out_of_range", "%%Containers 1 ( +300 )",
             "error: Range error, value outwith 0 .. 255"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick
