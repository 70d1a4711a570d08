// The script reader's lexical layer: tokens, strings and escapes, expressions
// and sets, and the errors they raise with their positions.
#include "reader_test_util.h"

#include "scheme/builtin_identifiers.h"
#include "scheme/compiler_error.h"
#include "scheme/sym_compiler.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

using testing::DumpTokens;
using testing::ReadError;

struct TTokenRow {
    const char* name;
    const char* script;
    const char* tokens;  // DumpTokens without the position prefixes
};

std::string WithoutPositions(const std::string& dump)
{
    std::string out;
    size_t start = 0;
    while (start < dump.size()) {
        const size_t end = dump.find('\n', start);
        std::string line = dump.substr(start, end - start);
        const size_t blank = line.find(' ');
        if (line.rfind("error:", 0) != 0 && blank != std::string::npos)
            line = line.substr(blank + 1);
        out += (out.empty() ? "" : "|") + line;
        start = end + 1;
    }
    return out;
}

class Tokens : public ::testing::TestWithParam<TTokenRow> {};

TEST_P(Tokens, ReadAsExpected)
{
    EXPECT_EQ(WithoutPositions(DumpTokens(GetParam().script)), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Lexer, Tokens,
    ::testing::Values(
        TTokenRow{"reserved_words_ignore_case", "%%LANGUAGE Name %%Handler %%handlers",
                  "word %%language|word name|word %%handler|word %%handler|eof"},
        TTokenRow{"word_must_not_run_into_identifier_characters", "pushed push_ pop",
                  "identifier pushed|identifier push_|word pop|eof"},
        TTokenRow{"punctuation_needs_no_blanks", "[1,2](3)=*|?",
                  "word [|number 1|word ,|number 2|word ]|word (|number 3|word )|word =|"
                  "word *|word ||word ?|eof"},
        TTokenRow{"builtin_identifier_is_its_number", "clRed CLRED __OPT_SHOW_RIGHT_MARGIN",
                  "number 255|number 255|number 32768|eof"},
        TTokenRow{"comments_and_lone_slash", "/* a\r\n ** */1// x\r\n2/**/ /",
                  "number 1|number 2|unknown 2f|eof"},
        TTokenRow{"unterminated_comment_ends_input", "1 /* never closed", "number 1|eof"},
        TTokenRow{"minus_is_an_operator_not_a_sign", "-12", "word -|number 12|eof"},
        TTokenRow{"number_wraps_at_32_bits", "4294967297", "number 1|eof"},
        TTokenRow{"white_space_includes_byte_160", "1\xA0\t2", "number 1|number 2|eof"},
        TTokenRow{"hash_without_directive", "#pragma", "unknown 23|identifier pragma|eof"},
        TTokenRow{"ver200_expands_to_itself_once", "ver200",
                  "error: ** ERROR near line 1, Column 7: Recursive expansion of macro 'ver200'"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Lexer, BuiltinIdentifiersAreReachableAndHaveTheirValues)
{
    // A built-in whose name were also a reserved word could never be read.
    TWordStore reserved;
    PreloadReservedWords(reserved);
    for (const TBuiltinIdentifier& id : BuiltinIdentifiers())
        EXPECT_FALSE(reserved.Exists(id.name)) << id.name;

    int32_t defaults = 0;
    for (int32_t bit = 0x10; bit <= 0x2000000; bit <<= 1) {
        if (bit != 0x400 && bit != 0x2000)
            defaults |= bit;
    }
    const struct {
        const char* name;
        int32_t value;
    } rows[] = {{"__DEFAULT_OPTIONS", defaults}, {"clBlue", 0xFF0000}, {"caPRINTSEL", 44},
                {"caGOTOBOOKMARK9", 39},         {"F12", 123},         {"OEM_CHARSET", 255},
                {"__STD_C_STRING_SQ", 20},       {"_default_gutter", 34}};
    for (const auto& row : rows) {
        TSYM_Compiler reader(row.name, "");
        ASSERT_EQ(reader.Next(), tkNumber) << row.name;
        EXPECT_EQ(reader.Number(), row.value) << row.name;
    }
}

TEST(Lexer, ZeroByteInsideTheScriptIsReportedNotTreatedAsTheEnd)
{
    const std::string script("1\0 2", 4);
    EXPECT_EQ(ReadError(script),
              "** ERROR near line 1, Column 3: Unknown character in input stream: #$00");
}

struct TStringRow {
    const char* name;
    const char* script;
    const char* value;
};

class StringValues : public ::testing::TestWithParam<TStringRow> {};

TEST_P(StringValues, DecodeAsExpected)
{
    TSYM_Compiler reader(GetParam().script, "");
    ASSERT_EQ(reader.Next(), tkString);
    EXPECT_EQ(reader.StringValue(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Strings, StringValues,
    ::testing::Values(
        TStringRow{"n_is_carriage_return", R"('a\nb')", "a\rb"},
        TStringRow{"r_is_line_feed", R"('\r\R')", "\n\n"},
        TStringRow{"hex_and_octal", R"('\x41\101')", "AA"},
        TStringRow{"named_escapes_either_case", R"('\b\E\s\T')", "\x08\x1B \t"},
        TStringRow{"escaped_quote_stays_in_string", R"('it\'s')", "it's"},
        TStringRow{"other_escape_is_the_character", R"('\q\\')", "q\\"},
        TStringRow{"x_without_digits_is_x", R"('\xg')", "xg"},
        TStringRow{"line_break_is_kept", "'a\r\nb'", "a\r\nb"},
        TStringRow{"continuation_drops_break_and_indent", "'ab\\\r\n   \r\n\t cd'", "abcd"},
        TStringRow{"continuation_keeps_blank_after_backslash", "'ab\\\r\n    \\ cd'", "ab cd"},
        TStringRow{"missing_quote_ends_at_end_of_input", "'abc", "abc"},
        TStringRow{"final_backslash_dropped", "'abc\\", "abc"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Strings, EscapeAboveByteRangeIsAnError)
{
    TSYM_Compiler reader(R"('\777')", "");
    ASSERT_EQ(reader.Next(), tkString);
    EXPECT_THROW(reader.StringValue(), ECompilerError);
}

TEST(Strings, LinesInsideAStringAreCounted)
{
    TSYM_Compiler reader("'a\r\nb\r\nc' x", "");
    reader.Next();
    EXPECT_EQ(reader.Line(), 2);
    EXPECT_EQ(reader.Column(), 2);
}

struct TExpressionRow {
    const char* name;
    const char* script;
    int32_t value;
    const char* after;  // the token left current, described
};

class Expressions : public ::testing::TestWithParam<TExpressionRow> {};

TEST_P(Expressions, Evaluate)
{
    TSYM_Compiler reader(GetParam().script, "");
    reader.Next();
    EXPECT_EQ(reader.ReadExpression(), GetParam().value);
    EXPECT_EQ(testing::DescribeToken(reader), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Values, Expressions,
    ::testing::Values(
        TExpressionRow{"macro_plus_number", "clRed+1", 256, "eof"},
        TExpressionRow{"parentheses_and_or", "(1 or 4) - 1", 4, "eof"},
        TExpressionRow{"left_to_right", "10 - 2 - 3", 5, "eof"},
        TExpressionRow{"wraps_below_zero", "0 - 1", -1, "eof"},
        TExpressionRow{"stops_at_other_token", "3 + 4 ]", 7, "word ]"},
        TExpressionRow{"option_bits", "__OPT_WORDWRAP or __OPT_USE_TAB", 0x800400, "eof"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Values, SetsAndValueLists)
{
    TSYM_Compiler reader("[1, 3 5+1] [] 7 [0 255] 1,2 3 ]", "");
    reader.Next();
    const TStateSet a = reader.ReadSet();
    EXPECT_EQ(a, (TStateSet{1, 3, 6}));
    EXPECT_TRUE(reader.ReadSet().Empty());
    bool wasSet = true;
    EXPECT_EQ(reader.ReadValueOrSet(&wasSet), (TStateSet{7}));
    EXPECT_FALSE(wasSet);
    EXPECT_EQ(reader.ReadValueOrSet(&wasSet), (TStateSet{0, 255}));
    EXPECT_TRUE(wasSet);
    EXPECT_EQ(reader.ReadValueList(), (std::vector<int32_t>{1, 2, 3}));
}

struct TErrorRow {
    const char* name;
    const char* script;
    const char* message;
};

// Reads one set, expression or token sequence per row, as the section
// parsers would, and compares the full error text.
class Errors : public ::testing::TestWithParam<TErrorRow> {};

TEST_P(Errors, Report)
{
    TSYM_Compiler reader(GetParam().script, "");
    std::string message;
    try {
        reader.Next();
        if (reader.At(tkOpenBracket))
            reader.ReadSet(false);
        else if (reader.At(tkNumber) || reader.At(tkOpenParen) || reader.At(tkMinus))
            reader.ReadExpression(0, 255);
        else
            while (reader.Next() != tkEOF) {
            }
    } catch (const ECompilerError& e) {
        message = e.what();
    }
    EXPECT_EQ(message, GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Reader, Errors,
    ::testing::Values(
        TErrorRow{"unknown_identifier", "\r\n  foo",
                  "** ERROR near line 2, Column 6: Identifier \"foo\" Unknown"},
        TErrorRow{"unknown_character", "1 @", 
                  "** ERROR near line 1, Column 4: Unknown character in input stream: #$40"},
        TErrorRow{"high_unknown_character", "1 \xE9",
                  "** ERROR near line 1, Column 4: Unknown character in input stream: #$e9"},
        TErrorRow{"set_value_out_of_range", "[1 256]",
                  "** ERROR near line 1, Column 8: Range error, value outwith 0 .. 255"},
        TErrorRow{"set_not_closed", "[1 2 %%map",
                  "** ERROR near line 1, Column 11: ']' expected"},
        TErrorRow{"empty_set_not_allowed_here", "[]",
                  "** ERROR near line 1, Column 3: Expression expected"},
        TErrorRow{"trailing_comma_in_set", "[1,]",
                  "** ERROR near line 1, Column 5: Expression expected"},
        TErrorRow{"expression_starts_with_minus", "-1",
                  "** ERROR near line 1, Column 2: Expression expected"},
        TErrorRow{"parenthesis_not_closed", "(1 + 2",
                  "** ERROR near line 1, Column 7: Expression expected"},
        TErrorRow{"operator_without_term", "(1 + )",
                  "** ERROR near line 1, Column 7: Expression expected"},
        TErrorRow{"value_out_of_range", "clRed + 1",
                  "** ERROR near line 1, Column 10: Range error, value outwith 0 .. 255"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Reader, DeepParenthesesStopWithAnErrorInsteadOfExhaustingTheStack)
{
    const std::string script = std::string(100000, '(') + "1";
    TSYM_Compiler reader(script, "");
    reader.Next();
    try {
        reader.ReadExpression();
        FAIL() << "no error";
    } catch (const ECompilerError& e) {
        EXPECT_EQ(e.Detail, "Expression expected");
    }
}

TEST(Reader, CharacterSpecifiersThroughTheReader)
{
    TSYM_Compiler reader("1", "");
    EXPECT_TRUE(reader.SingleCharSpec("a").Contains('a'));
    EXPECT_THROW(reader.SingleCharSpec(""), ECompilerError);
    EXPECT_THROW(reader.SingleCharSpec("ab"), ECompilerError);
    EXPECT_EQ(reader.CharSpecItems("abcd", 4, 0).size(), 4u);
    try {
        reader.CharSpecItems("abcde", 4, 4109);
        FAIL() << "no error";
    } catch (const ECompilerError& e) {
        EXPECT_EQ(e.Detail, "Maximum of 4 character specifier allowed");
    }
    try {
        reader.SingleCharSpec("z-a");
        FAIL() << "no error";
    } catch (const ECompilerError& e) {
        EXPECT_EQ(std::string(e.what()),
                  "** ERROR near line 1, Column 1: Characters not in correct order for range "
                  "specifier");
    }
}

}  // namespace
}  // namespace tarnwick
