// The tokenizer running a Pascal scheme: comments, numbers, strings,
// character codes, keyword tables and the property/exports directives.
#include "tests/scheme/tokenizer/test_schemes.h"
#include "scheme/builtin/builtin_scheme.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

class PascalTokens : public ::testing::Test {
protected:
    void SetUp() override { LoadBuiltinScheme(parser, false); }
    std::string Of(std::string_view text) { return Pieces(parser, text); }
    TCodeMemoParser parser;
};

TEST_F(PascalTokens, CommentsNumbersStringsAndCodes)
{
    const struct {
        const char* text;
        const char* pieces;
    } cases[] = {
        {"{ x }", "{ x }:8"},
        {"{ x }y", "{ x }:8 y:2"},
        {"{ a\rb }c", "{ a|b }:8 c:2"},
        {"{ open", "{ open:8"},
        {"// x\ry", "// x:1 |:0 y:2"},
        {"// x", "// x:1"},
        {"//", "//:1"},
        {"(* x *)", "(* x *):9"},
        {"(* x *)z", "(* x *):9 z:2"},
        {"(*)", "(*):9"},
        {"(* a\r*)", "(* a|*):9"},
        {"(a)", "(:10 a:2 ):10"},
        {"$1F", "$1F:6"},
        {"$1F;", "$1F:6 ;:20"},
        {"$g", "$:0 g:2"},
        {"$", "$:0"},
        {"#13", "#13:11"},
        {"#13#10", "#13:11 #10:11"},
        {"#$0D", "#$0D:12"},
        {"#$0d;", "#$0d:12 ;:20"},
        {"#x", "#:0 x:2"},
        {"#$x", "#:0 $:0 x:2"},
        {"'it''s'", "'it''s':3"},
        {"'a'b", "'a':3 b:2"},
        {"'open\rx", "'open:3 |:0 x:2"},
        {"''", "'':3"},
        {"12.5e3", "12.5e3:4"},
        {"1..9", "1:4 ..:10 9:4"},
        {"3.x", "3:4 .:10 x:2"},
        {"2e", "2:4 e:2"},
        {"1E+5", "1E+5:4"},
        {"a := b;", "a:2  :0 :=:10  :0 b:2 ;:20"},
        {"x<=y<>z", "x:2 <=:10 y:2 <>:10 z:2"},
        {" \t\r  ", " \t|  :0"},
        {"\x80\xE9", "\x80:0 \xE9:0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Of(c.text), c.pieces) << "text: " << c.text;
}

TEST_F(PascalTokens, KeywordTablesFollowTheCaseRuleAndTheFollowClass)
{
    EXPECT_EQ(Of("begin BEGIN Begin"), "begin:7  :0 BEGIN:7  :0 Begin:7");
    EXPECT_EQ(Of("beginx begin_ begin1"), "beginx:2  :0 begin_:2  :0 begin1:2");
    EXPECT_EQ(Of("end."), "end:7 .:10");
    EXPECT_EQ(Of("end"), "end:7");  // the end of the text follows every word
    EXPECT_EQ(Of("xor2 xor"), "xor2:2  :0 xor:7");
}

TEST_F(PascalTokens, PropertyDirectivesHoldUntilTheSemicolon)
{
    // After `property` (adds state 1, removes 0) only the state-1 words and
    // ";" are recognised; everything else comes back as single characters.
    EXPECT_EQ(Of("property read write;"),
              "property:21  :0 read:23  :0 write:24 ;:20");
    EXPECT_EQ(Of("property default stored;"), "property:21  :0 default:22  :0 stored:25 ;:20");
    EXPECT_EQ(Of("property X:"), "property:21  :0 X:0 ::0");
    // ";" restores state 0: the directives are plain identifiers again,
    // except `read`, which is also a state-0 reserved word.
    EXPECT_EQ(Of("property a; read write default stored"),
              "property:21  :0 a:0 ;:20  :0 read:7  :0 write:2  :0 default:2  :0 stored:2");
    EXPECT_EQ(Of("write"), "write:2");
}

TEST_F(PascalTokens, ExportsDirectivesHoldUntilTheSemicolon)
{
    // `exports` adds state 2 without removing 0: Pascal goes on as usual and
    // the export directives are recognised too.
    // `resident` is a state-0 word as well, and in state 2 the state-0 table
    // comes first because both tables are asked in one store: it stays a
    // reserved word (7), drawn bold like the directives (29).
    EXPECT_EQ(Of("exports f name 'g' index 3 resident; name"),
              "exports:26  :0 f:2  :0 name:27  :0 'g':3  :0 index:28  :0 3:4  :0 "
              "resident:7 ;:20  :0 name:2");
    EXPECT_EQ(Of("index"), "index:2");
}

TEST_F(PascalTokens, StateAfterSemicolonIsTheStartSet)
{
    Tokens(parser, "property a; ");
    EXPECT_EQ(parser.CurrentStates(), TStateSet{0});
    Tokens(parser, "property a ");
    EXPECT_EQ(parser.CurrentStates(), TStateSet{1});
    Tokens(parser, "exports a ");
    EXPECT_EQ(parser.CurrentStates(), (TStateSet{0, 2}));
}

TEST_F(PascalTokens, EveryCharacterIsCoveredExactlyOnce)
{
    std::string text;
    for (int c = 1; c < 256; ++c)
        text += static_cast<char>(c);
    text += "{ (* ' // \r #$ #1 $z 1.e }";
    const std::vector<TTok> tokens = Tokens(parser, text);
    int64_t expected = 0;
    for (const TTok& t : tokens) {
        ASSERT_EQ(t.Start, expected);
        ASSERT_GE(t.Length, 1);
        ASSERT_GE(t.Value, 0);
        ASSERT_LE(t.Value, 255);
        expected += t.Length;
    }
    EXPECT_EQ(expected, static_cast<int64_t>(text.size()));
}

}  // namespace
}  // namespace tarnwick::test
