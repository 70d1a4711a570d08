// The compiled schemes as the build installs them in Scripts/: each loads,
// draws its example text with no character of a kind the language has a
// token for left as plain text, keeps its bytes through save and load, and
// never pops a state set it did not push, whatever context the editor
// restarts it in. Then, per language, the constructs that are easy to get
// wrong: those that run over lines, nest, or end by indentation.
#include "builtin_test_util.h"

#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace tarnwick::test {
namespace {

const std::filesystem::path kInstalled = std::filesystem::path(TARNWICK_APP_FOLDER) / "Scripts";

// Which characters of an example text may stay plain text (token value 0).
bool OnlyBlanks(char c) { return c == ' ' || c == '\t' || c == '\r'; }
// Prose is plain text in Markdown; markup characters never are.
bool ProseButNoMarkup(char c) { return std::strchr("*_`#[]<>!\\&|~", c) == nullptr; }

struct TShippedScheme {
    const char* name;
    bool (*mayStayPlain)(char);
};

void PrintTo(const TShippedScheme& s, std::ostream* out) { *out << s.name; }

const TShippedScheme kSchemes[] = {
    {"Batch", OnlyBlanks},       {"CSS", OnlyBlanks},          {"JSON", OnlyBlanks},
    {"Makefile", OnlyBlanks},    {"Markdown", ProseButNoMarkup}, {"VisualBasic", OnlyBlanks},
    {"XML", OnlyBlanks},         {"YAML", OnlyBlanks},
};

class ShippedScheme : public ::testing::TestWithParam<TShippedScheme> {
protected:
    void SetUp() override
    {
        bytes_ = ReadWholeFile(kInstalled / (std::string(GetParam().name) + ".dat"));
        ASSERT_TRUE(scheme_.LoadFromBytes(bytes_)) << GetParam().name;
    }
    std::string bytes_;
    TCodeMemoParser scheme_;
};

TEST_P(ShippedScheme, ExampleTextLeavesNothingPlainThatHasAToken)
{
    const std::string example = scheme_.Settings().ExampleText;
    ASSERT_FALSE(example.empty());
    size_t length = 0;
    for (const auto& [value, token] : Tokenize(scheme_, example)) {
        ASSERT_GE(value, 0) << token;
        length += token.size();
        if (value != 0)
            continue;
        for (char c : token)
            EXPECT_TRUE(GetParam().mayStayPlain(c)) << "plain text \"" << token << "\"";
    }
    EXPECT_EQ(length, example.size());
}

TEST_P(ShippedScheme, SaveLoadSaveKeepsEveryByte)
{
    const std::string saved = scheme_.SaveToBytes();
    EXPECT_EQ(saved, bytes_);
    TCodeMemoParser reloaded;
    ASSERT_TRUE(reloaded.LoadFromBytes(saved));
    EXPECT_EQ(reloaded.SaveToBytes(), saved);
}

// Closing brackets, quotes and block ends with nothing open before them, read
// after a reset with every context value: the schemes that save state sets
// on a stack must not pop one they did not push ("Stack underflow").
TEST_P(ShippedScheme, StrayClosersFromAnyContextPopNothingUnpushed)
{
    const std::string text = "}])>;\r}}]])) \"'`\r\t)}\r---\r```\r~~~\rendef\r:\r$)\r";
    for (int context = 0; context < 256; ++context) {
        SCOPED_TRACE(context);
        TTokens tokens;
        ASSERT_NO_THROW(tokens = Tokenize(scheme_, text, context));
        size_t length = 0;
        for (const auto& [value, token] : tokens)
            length += value >= 0 ? token.size() : 0;
        EXPECT_EQ(length, text.size());
    }
}

INSTANTIATE_TEST_SUITE_P(Installed, ShippedScheme, ::testing::ValuesIn(kSchemes),
                         [](const auto& info) { return std::string(info.param.name); });

struct TConstructCase {
    const char* label;
    const char* scheme;
    const char* text;
    const char* marked;
};

void PrintTo(const TConstructCase& c, std::ostream* out) { *out << c.label; }

class ShippedConstruct : public ::testing::TestWithParam<TConstructCase> {};

TEST_P(ShippedConstruct, Highlights)
{
    TCodeMemoParser scheme;
    ASSERT_TRUE(scheme.LoadFromBytes(
        ReadWholeFile(kInstalled / (std::string(GetParam().scheme) + ".dat"))));
    EXPECT_EQ(Marked(scheme, GetParam().text), GetParam().marked) << GetParam().text;
}

const TConstructCase kConstructs[] = {
    {"JsonKeysAndValuesByNesting", "JSON", "{\"a\": [\"b\", {\"c\": \"d\"}], \"e\": null}",
     "{:11 \"a\":2 ::14  :16 [:12 \"b\":3 ,:10  :16 {:11 \"c\":2 ::14  :16 \"d\":3 }:13 ]:13 ,:15 "
     " :16 \"e\":2 ::14  :16 null:7 }:13"},
    {"JsonStrayCloserIsNoJson", "JSON", "} 1 ] x", "1:4 x:17"},
    {"XmlCDataAndCommentOverLines", "XML", "<a><![CDATA[x<y\r]]><!--c\r--></a>",
     "<:20 a:24 >:21 <![CDATA[x<y|]]>:3 <!--c|-->:1 </:20 a:24 >:21"},
    {"XmlNamespaceDeclaration", "XML", "<p:x xmlns:p=\"u\"/>",
     "<:20 p:x:24  :27 xmlns:30 :p:22 =:10 \"u\":23 />:21"},
    {"VbNestedInterpolatedString", "VisualBasic", "x = $\"a{If(b, $\"c{d}\", \"e\")}f\"",
     "x:2 =:10 $\":12 a:14 {:16 If:7 (:10 b:2 ,:10  :18 $\":12 c:14 {:16 d:2 }:17 \":13 ,:10 "
     " :18 \"e\":3 ):10 }:17 f:14 \":13"},
    {"VbStringOverLinesAndRemComment", "VisualBasic", "s = \"a\rb\" REM c\rRemark",
     "s:2 =:10 \"a|b\":3 REM c:1 Remark:2"},
    {"VbHexDateAndDirective", "VisualBasic", "#If X Then\rd = #1/2/2024# + &HFFUL",
     "#If X Then:6 d:2 =:10 #1/2/2024#:11 +:10 &HFFUL:4"},
    {"CssNestedRuleReturnsToDeclarations", "CSS", "a{&:hover{b:c}d:1px}",
     "a:2 {:22 &:31 :hover:7 {:23 b:11 ::28 c:12 }:27 d:11 ::28 1px:4 }:27"},
    {"CssMediaHoldsRulesFontFaceDeclarations", "CSS", "@media x{p{}}@font-face{src:y}",
     "@media:16  :21 x:12 {:24 p:2 {:22 }:27 }:27 @font-face:17 {:25 src:11 ::28 y:12 }:27"},
    {"CssOddCharacterInABlockStaysInIt", "CSS", "a{b:$x}c", "a:2 {:22 b:11 ::28 $:10 x:12 }:27 c:2"},
    {"CssImportEndsAtSemicolon", "CSS", "@import 'a';b{}", "@import:16  :21 'a':3 ;:30 b:2 {:22 }:27"},
    {"YamlBlockScalarEndsByIndentation", "YAML", "a:\r  b: |\r    x\r\r    y\r  c: 1",
     "a:2 ::11 |  :42 b:2 ::11 |:52 |    x:16 |    y:16 |  :42 c:2 ::11 1:4"},
    {"YamlFlowCollectionNestsAndCloses", "YAML", "a: [b, {c: 1}]\rd: e",
     "a:2 ::11 [:14 b:13 ,:10  :10 {:14 c:13 ::10  :10 1:4 }:15 ]:15 |:40 d:2 ::11 e:13"},
    {"YamlPipeInsideAValueIsText", "YAML", "a: x | y", "a:2 ::11 x:13 |:13 y:13"},
    {"MarkdownFenceOverLinesWithLanguage", "Markdown", "```js\r*a*\r```\r*b*",
     "```:20 js:33 |:31 *a*:22 |```:21 |:18 *b*:7"},
    {"MarkdownUnderscoreInsideAWordIsText", "Markdown", "snake_case _em_",
     "snake_case:19 _em_:7"},
    {"MarkdownLinkWithTarget", "Markdown", "[a](b) [c]: d",
     "[a]:11 (b):12 [c]:11 : d:27"},
    {"BatchEchoTextAndUnclosedQuote", "Batch", "echo a %x% \"b\r& dir",
     "echo:12  a :13 %x%:6  :13 \":16 b:19 |:18 &:10 dir:8"},
    {"BatchForVariablesAndLabel", "Batch", "for %%f in (*) do call :sub %%~nxf",
     "for:7 %%f:20 in:7 (:10 *:2 ):10 do:7 call:7 :sub:5 %%~nxf:21"},
    {"MakefileRecipeLinesAndNestedReferences", "Makefile", "a: b\r\t@cc $(x $(y))\rc = d",
     "a:2 ::10 b:2 |\t@:15 cc :16 $(:18 x:20  :21 $(:18 y:20 ):19 ):19 |:17 c:2 =:11  d:12"},
    {"MakefileBracketsInsideAReferencePairUp", "Makefile", "$(if x,(a),b) c",
     "$(:18 if:8  :21 x:20 ,:10 (:32 a:20 ):19 ,:10 b:20 ):19 c:2"},
    {"MakefileDefineBlockUpToEndef", "Makefile", "define X\ra: b\rendef\rY := 1",
     "define:22  X:24 |a: b:24 |endef:23 Y:2 :=:11  1:12"},
};

INSTANTIATE_TEST_SUITE_P(Languages, ShippedConstruct, ::testing::ValuesIn(kConstructs),
                         [](const auto& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace tarnwick::test
