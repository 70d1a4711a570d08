// What the built-in Object Pascal scheme makes of Pascal text: comments,
// hexadecimal numbers, character codes, and the property and exports
// directives that are words only inside their declarations.
#include "builtin_test_util.h"

#include "scheme/builtin/builtin_scheme.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

class BuiltinTokens : public ::testing::Test {
protected:
    void SetUp() override { LoadBuiltinScheme(scheme, false); }
    // The effect each token is drawn with.
    int EffectOf(int tokenValue) const
    {
        return scheme.Settings().EffectMap[static_cast<size_t>(tokenValue)];
    }
    TCodeMemoParser scheme;
};

TEST_F(BuiltinTokens, CommentsEndWhereTheirKindEnds)
{
    EXPECT_EQ(Tokenize(scheme, "{ x }a"), (TTokens{{8, "{ x }"}, {2, "a"}}));
    EXPECT_EQ(Tokenize(scheme, "// x\ra"), (TTokens{{1, "// x"}, {0, "\r"}, {2, "a"}}));
    EXPECT_EQ(Tokenize(scheme, "(* x *)a"), (TTokens{{9, "(* x *)"}, {2, "a"}}));
    EXPECT_EQ(Tokenize(scheme, "(* a\r} *)"), (TTokens{{9, "(* a\r} *)"}}));
    for (int comment : {1, 8, 9})
        EXPECT_EQ(EffectOf(comment), 5) << comment;
    const TSM_Effect& effect = scheme.Settings().Effects[5];
    EXPECT_EQ(effect.Style, kStyleItalic);
    EXPECT_EQ(effect.Fore, 0xFF0000u);
}

TEST_F(BuiltinTokens, NumbersStringsAndCharacterCodes)
{
    EXPECT_EQ(Tokenize(scheme, "$1F;"), (TTokens{{6, "$1F"}, {20, ";"}}));
    EXPECT_EQ(EffectOf(6), 4);
    EXPECT_EQ(Tokenize(scheme, "#13#$0D"), (TTokens{{11, "#13"}, {12, "#$0D"}}));
    EXPECT_EQ(EffectOf(11), 3);
    EXPECT_EQ(EffectOf(12), 3);
    EXPECT_EQ(Tokenize(scheme, "'it''s'"), (TTokens{{3, "'it''s'"}}));
    EXPECT_EQ(Tokenize(scheme, "12.5e3"), (TTokens{{4, "12.5e3"}}));
    EXPECT_EQ(Tokenize(scheme, "a:=b..c"),
              (TTokens{{2, "a"}, {10, ":="}, {2, "b"}, {10, ".."}, {2, "c"}}));
}

TEST_F(BuiltinTokens, ReservedWordsIgnoreCaseAndNeedAWordEnd)
{
    EXPECT_EQ(Tokenize(scheme, "BEGIN Begin1 end"),
              (TTokens{{7, "BEGIN"}, {0, " "}, {2, "Begin1"}, {0, " "}, {7, "end"}}));
}

// The tokens of `text` other than plain text (value 0).
std::vector<std::pair<std::string, int>> Marked(const TTokens& tokens)
{
    std::vector<std::pair<std::string, int>> marked;
    for (const auto& [value, text] : tokens)
        if (value != 0)
            marked.emplace_back(text, value);
    return marked;
}

TEST_F(BuiltinTokens, PropertyDirectivesAreWordsUntilTheSemicolon)
{
    // "property" leaves state 0, where the start tokens and most words are
    // valid, so inside the declaration only its directives and the closing
    // semicolon stand out.
    const std::string decl = "property P: Integer read F write F default 0 stored True;";
    const std::vector<std::pair<std::string, int>> expected = {
        {"property", 21}, {"read", 23}, {"write", 24}, {"default", 22}, {"stored", 25},
        {";", 20},
        // Back in state 0: read is a reserved word there too, the others are
        // identifiers.
        {"read", 7}, {"write", 2}, {"default", 2}, {"stored", 2},
    };
    EXPECT_EQ(Marked(Tokenize(scheme, decl + " read write default stored")), expected);
    for (int directive : {21, 22, 23, 24, 25})
        EXPECT_EQ(EffectOf(directive), 7) << directive;
}

TEST_F(BuiltinTokens, ExportDirectivesAreWordsUntilTheSemicolon)
{
    std::vector<std::pair<std::string, int>> marked =
        Marked(Tokenize(scheme, "exports F name 'f' index 1 resident; name"));
    // resident is a word of both the state-0 and the state-2 table; either
    // way it is drawn bold.
    ASSERT_EQ(marked.size(), 9u);
    EXPECT_EQ(marked[6].first, "resident");
    EXPECT_EQ(EffectOf(marked[6].second), 7);
    marked.erase(marked.begin() + 6);
    const std::vector<std::pair<std::string, int>> expected = {
        {"exports", 26}, {"F", 2}, {"name", 27}, {"'f'", 3}, {"index", 28}, {"1", 4},
        {";", 20}, {"name", 2},
    };
    EXPECT_EQ(marked, expected);
}

}  // namespace
}  // namespace tarnwick::test
