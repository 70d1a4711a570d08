// TREParser: compile errors with their positions, matching, recorded
// positions, and the bounds that keep hostile patterns from hanging.
#include "editor/core/re_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

struct TCompileErrorRow {
    const char* name;
    std::string pattern;
    int id;
    int position;
};

TEST(REParserTest, CompileErrorsCarryMessageAndPosition)
{
    const TCompileErrorRow rows[] = {
        {"count_max_below_min", "a{2,1}", reInvalidRange, 5},
        {"star_after_star", "a**", reNestedRepeat, 2},
        {"question_after_count", "a{2}?", reNestedRepeat, 4},
        {"open_group_never_closed", "(a", reUnmatchedParen, 2},
        {"stray_close_at_outer_level", "a)", reUnmatchedParen, 1},
        {"empty_set", "[]", reUnmatchedBracket, 1},
        {"empty_negated_set", "x[^]", reUnmatchedBracket, 3},
        {"set_without_close", "[abc", reUnmatchedBracket, 4},
        {"empty_pattern", "", reInvalidParameter, 0},
        {"star_where_atom_expected", "*a", reInvalidRepeat, 0},
        {"plus_after_bar", "a|+", reInvalidRepeat, 2},
        {"star_on_optional_group", "(a?)*", reInvalidRepeat, 4},
        {"plus_on_anchor", "^+", reInvalidRepeat, 1},
        {"open_count_on_optional_group", "(b*){2,}", reInvalidRepeat, 4},
        {"range_reversed", "[z-a]", reInvalidRange, 3},
        {"range_without_end", "[a-]", reInvalidRange, 3},
        {"count_without_number", "a{,}", reInvalidRange, 3},
        {"count_empty", "a{}", reInvalidRange, 2},
        {"count_not_closed", "a{2", reInvalidRange, 3},
        {"hex_without_digit", "a\\xg", reHexDigitExpected, 3},
        {"escape_at_end", "ab\\", reUnexpectedEnd, 3},
        {"quote_not_closed", "\"abc", reQuoteExpected, 4},
        {"ten_groups", "(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", reTooManySubExpr, 27},
        {"chained_double_bars", "a||b||c||d||e||f", reTooManySubExpr, -2},
    };
    for (const TCompileErrorRow& row : rows) {
        SCOPED_TRACE(row.name);
        TREParser parser;
        EXPECT_FALSE(parser.Compile(row.pattern));
        EXPECT_EQ(parser.Error(), row.id);
        if (row.position >= 0) {
            EXPECT_EQ(parser.ErrorPosition(), row.position);
        }
        EXPECT_THROW(parser.CompileOrThrow(row.pattern), ERegExpr);
    }
}

TEST(REParserTest, ErrorBoxPutsCaretUnderOffendingCharacter)
{
    TREParser parser;
    ASSERT_FALSE(parser.Compile("a**"));
    EXPECT_EQ(parser.ErrorBoxText(), "Nested repeat\r\na**\r\n  ^");
    ASSERT_FALSE(parser.Compile("(a"));
    EXPECT_EQ(parser.ErrorBoxText(), "Unmatched parenthesis\r\n(a\r\n  ^");
}

TEST(REParserTest, MessagesHaveTheirTexts)
{
    EXPECT_EQ(REErrorText(reNoError), "No errors detected");
    EXPECT_EQ(REErrorText(reInvalidRange), "Invalid range");
    EXPECT_EQ(REErrorText(reQuoteExpected), "' expected");
    EXPECT_EQ(REErrorText(reInternalError), "Internal error");
}

struct TMatchRow {
    const char* name;
    std::string pattern;
    std::string text;
    int64_t start;  // -1: no match
    int64_t end;
};

TEST(REParserTest, MatchesFirstOccurrenceForwards)
{
    const TMatchRow rows[] = {
        {"literal", "cd", "abcdcd", 2, 4},
        {"dot_skips_line_break", "a.c", "a\rc abc", 4, 7},
        {"escaped_n_is_the_line_break", "a\\nb", "xa\rb", 1, 4},
        {"escaped_r_is_lf", "\\r", "a\nb", 1, 2},
        {"set_and_range", "[x-z]+", "abyzxq", 2, 5},
        {"negated_set", "[^a-c]", "abcd", 3, 4},
        {"digit_class", "\\d+", "ab123c", 2, 5},
        {"not_digit_class", "\\D", "12x", 2, 3},
        {"space_class_has_cr", "a\\sb", "a\rb", 0, 3},
        {"word_class", "\\w+", "..ab_1..", 2, 6},
        {"class_inside_set", "[\\d_]+", "ab1_2c", 2, 5},
        {"star_is_greedy", "ab*", "xabbbc", 1, 5},
        {"star_backtracks_to_literal", "a.*b", "a1b2b3", 0, 5},
        {"plus_needs_one", "ab+", "a ab", 2, 4},
        {"optional", "colou?r", "color", 0, 5},
        {"alternatives", "cat|dog", "hotdog", 3, 6},
        {"group_star", "(ab)*c", "ababc", 0, 5},
        {"group_plus", "x(ab)+", "xababy", 0, 5},
        {"counted_exact", "a{3}", "aa aaaa", 3, 6},
        {"counted_range_greedy", "a{2,3}", "aaaaa", 0, 3},
        {"counted_upper_only", "ba{,2}", "baaa", 0, 3},
        {"counted_open", "(ab){2,}c", "ab abababc", 3, 10},
        {"counted_group_backtracks", "(a|ab){2}c", "aabc", 0, 4},
        {"quoted_string_is_literal", "\"a.b\"", "axb a.b", 4, 7},
        {"quoted_string_repeated", "\"ab\"+c", "ababc", 0, 5},
        {"octal_escape", "\\101", "zA", 1, 2},
        {"hex_escape", "\\x41\\x4a", "zAJ", 1, 3},
        {"escaped_blank", "a\\ b", "a b", 0, 3},
        {"caret_at_text_start", "^ab", "ab ab", 0, 2},
        {"caret_after_line_break", "^b", "ab\rb", 3, 4},
        {"caret_does_not_take_line_break", "^x", "a\rx", 2, 3},
        {"dollar_before_line_break", "b$", "bb\rc", 1, 2},
        {"dollar_at_text_end", "c$", "cxc", 2, 3},
        {"brace_at_atom_start_is_literal", "{x}", "a{x}", 1, 4},
        {"both_in_order", "ab||cd", "xxabcd", 2, 6},
        {"both_reversed", "ab||cd", "xxcdab", 2, 6},
        {"both_first_alone", "ab||cd", "xxcdxx", 2, 4},
        {"double_bar_in_set_is_literal", "[||]x", "a|x", 1, 3},
        {"no_match", "q", "abc", -1, -1},
        {"empty_match_at_end", "x*$", "ab", 2, 2},
    };
    for (const TMatchRow& row : rows) {
        SCOPED_TRACE(row.name);
        TREParser parser;
        ASSERT_TRUE(parser.Compile(row.pattern)) << parser.ErrorBoxText();
        const TStringSearchSource source(row.text);
        const bool found = parser.Exec(source, 0, true);
        EXPECT_EQ(found, row.start >= 0);
        if (found) {
            EXPECT_EQ(parser.MatchStart(), row.start);
            EXPECT_EQ(parser.MatchEnd(), row.end);
        }
    }
}

TEST(REParserTest, BackwardsTriesEachPrecedingStart)
{
    TREParser parser;
    ASSERT_TRUE(parser.Compile("ab"));
    const TStringSearchSource source("ab ab ab");
    ASSERT_TRUE(parser.Exec(source, 8, false));
    EXPECT_EQ(parser.MatchStart(), 6);
    ASSERT_TRUE(parser.Exec(source, 5, false));
    EXPECT_EQ(parser.MatchStart(), 3);
    ASSERT_TRUE(parser.Exec(source, -4, false));  // clamped to the start
    EXPECT_EQ(parser.MatchStart(), 0);
}

TEST(REParserTest, RecordsPositionBeforeEachConsumedElement)
{
    TREParser parser;
    ASSERT_TRUE(parser.Compile("(abc)(d+)x"));
    const TStringSearchSource source("..abcddx..");
    ASSERT_TRUE(parser.Exec(source, 0, true));
    ASSERT_EQ(parser.PositionCount(), 4);
    EXPECT_EQ(parser.MatchPosition(0), 2);
    EXPECT_EQ(parser.MatchPosition(1), 5);
    EXPECT_EQ(parser.MatchPosition(2), 7);
    EXPECT_EQ(parser.MatchPosition(3), 8);  // the end
    EXPECT_EQ(parser.MatchPosition(4), -1);
    EXPECT_EQ(parser.MatchPosition(255), -1);
    try {
        parser.MatchPosition(256);
        FAIL() << "index 256 accepted";
    } catch (const ERegExpr& error) {
        EXPECT_EQ(error.Message(), "Index range error");
    }
}

TEST(REParserTest, BacktrackingDropsPositionsOfFailedBranches)
{
    TREParser parser;
    ASSERT_TRUE(parser.Compile("(ab|a)(bc)"));
    const TStringSearchSource source("abc");
    ASSERT_TRUE(parser.Exec(source, 0, true));
    ASSERT_EQ(parser.PositionCount(), 3);
    EXPECT_EQ(parser.MatchPosition(0), 0);
    EXPECT_EQ(parser.MatchPosition(1), 1);
    EXPECT_EQ(parser.MatchPosition(2), 3);
}

TEST(REParserTest, ManyElementsKeepTheTrueEnd)
{
    // More consumed elements than the list holds: the end is still right.
    TREParser parser;
    ASSERT_TRUE(parser.Compile("(a.)*b"));
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "ax";
    text += "b";
    const TStringSearchSource source(text);
    ASSERT_TRUE(parser.Exec(source, 0, true));
    EXPECT_EQ(parser.MatchEnd(), static_cast<int64_t>(text.size()));
    EXPECT_EQ(parser.PositionCount(), TREParser::kMaxPositions);
    EXPECT_EQ(parser.MatchPosition(255), static_cast<int64_t>(text.size()));
}

TEST(REParserTest, ProgramHasMagicAndFitsItsSizingPass)
{
    TREParser parser;
    ASSERT_TRUE(parser.Compile("(ab|c)*d{2,5}[x-z]\"q\""));
    ASSERT_FALSE(parser.Program().empty());
    EXPECT_EQ(parser.Program()[0], TREParser::kMagic);
    EXPECT_EQ(parser.Program().size(), static_cast<size_t>(parser.ProgramSize()) + 256);
}

TEST(REParserTest, FailedCompileForgetsThePattern)
{
    TREParser parser;
    ASSERT_TRUE(parser.Compile("ab"));
    ASSERT_FALSE(parser.Compile("a**"));
    const TStringSearchSource source("ab");
    EXPECT_THROW(parser.Exec(source, 0, true), ERegExpr);
    ASSERT_TRUE(parser.Compile("ab"));
    EXPECT_TRUE(parser.Exec(source, 0, true));
}

TEST(REParserTest, HostilePatternsStopWithAnError)
{
    struct TRow {
        const char* name;
        std::string pattern;
        std::string text;
    };
    const TRow rows[] = {
        {"exponential_alternation", "(a|a)*b", std::string(40, 'a')},
        {"nested_plus", "(a+)+b", std::string(40, 'a')},
        {"long_loop", "(ab)*c", [] {
             std::string t;
             for (int i = 0; i < 5000; ++i)
                 t += "ab";
             return t;
         }()},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TREParser parser;
        parser.SetLimits(200000, 1000);
        ASSERT_TRUE(parser.Compile(row.pattern));
        const TStringSearchSource source(row.text);
        try {
            parser.Exec(source, 0, true);
            FAIL() << "no bound reached";
        } catch (const ERegExpr& error) {
            EXPECT_EQ(error.Id, reOutOfMemory);
        }
    }
}

TEST(REParserTest, DeepNestingAndLongPatternsAreRejectedCleanly)
{
    TREParser parser;
    EXPECT_FALSE(parser.Compile(std::string(100000, '(')));
    EXPECT_EQ(parser.Error(), reOutOfMemory);
    EXPECT_FALSE(parser.Compile(std::string(5000, '(')));
    EXPECT_EQ(parser.Error(), reTooManySubExpr);
    EXPECT_FALSE(parser.Compile("[a-z]{1,60000}" + std::string(3000, 'x') + "\\d{1,2}" + std::string(30000, '.')));
    EXPECT_EQ(parser.Error(), reOutOfMemory);
}

}  // namespace
}  // namespace tarnwick
