// The compiled schemes as the build puts them into the Scripts folder: each
// loads, is the compiled form of its script, survives save → load → save
// unchanged, and highlights its own example text with no character left as
// plain text where the language has a token for it; a restart anywhere colours
// as the whole pass did, and no stray closer pops a state set nobody pushed.
// Then, per language, the constructs that run over lines, nest, end by
// indentation or need more than one token to say.
#include "builtin_test_util.h"

#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace tarnwick::test {
namespace {

const std::filesystem::path kSources = TARNWICK_SCHEME_SCRIPTS;
const std::filesystem::path kInstalled = TARNWICK_INSTALLED_SCRIPTS;

// Which characters of an example text may stay plain text (token value 0).
bool OnlyBlanks(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
// Prose is plain text in Markdown; markup characters never are.
bool ProseButNoMarkup(char c) { return std::strchr("*_`#[]<>!\\&|~", c) == nullptr; }

// A shipped scheme, the golden sample of its language, and which characters
// of its example text may stay in token value 0: those the language gives no
// token of their own.
struct TShippedFile {
    const char* name;
    const char* sample;
    bool (*mayStayPlain)(char);
    // False for schemes whose states follow the position in a line (Markdown
    // knows whether it stands at a line start, a Makefile whether a recipe
    // line may follow): their example text ends in a state of its own.
    bool endsInStartStates = true;
};

void PrintTo(const TShippedFile& f, std::ostream* out) { *out << f.name; }

const TShippedFile kFiles[] = {
    {"CSharp", "LibraryExport.cs", OnlyBlanks},
    {"Go", "word_count.go", OnlyBlanks},
    {"Rust", "snippet_index.rs", OnlyBlanks},
    {"TypeScript", "snippet_store.ts", OnlyBlanks},
    {"PHP", "category_report.php", OnlyBlanks},
    {"Ruby", "library_stats.rb", OnlyBlanks},
    {"Perl", "title_index.pl", OnlyBlanks},
    {"Lua", "config_loader.lua", OnlyBlanks},
    {"SchemeScript", "tiny_language.txt", OnlyBlanks},
    {"Batch", "backup_libraries.bat", OnlyBlanks},
    {"CSS", "code_pane.css", OnlyBlanks},
    {"JSON", "library_settings.json", OnlyBlanks},
    {"Makefile", "snippets.mk", OnlyBlanks, false},
    {"Markdown", "user_guide.md", ProseButNoMarkup, false},
    {"VisualBasic", "SnippetIndex.vb", OnlyBlanks},
    {"XML", "library_export.xml", OnlyBlanks},
    {"YAML", "release_pipeline.yaml", OnlyBlanks},
};

class ShippedFile : public ::testing::TestWithParam<TShippedFile> {
protected:
    std::filesystem::path Dat() const
    {
        return kInstalled / (std::string(GetParam().name) + ".dat");
    }
};

TEST_P(ShippedFile, IsTheCompiledScriptAndRoundTrips)
{
    const std::string installed = ReadWholeFile(Dat());
    TCodeMemoParser loaded;
    ASSERT_TRUE(loaded.LoadFromBytes(installed));
    const std::string saved = loaded.SaveToBytes();
    EXPECT_EQ(saved, installed);
    TCodeMemoParser reloaded;
    ASSERT_TRUE(reloaded.LoadFromBytes(saved));
    EXPECT_EQ(reloaded.SaveToBytes(), saved);

    const std::filesystem::path script = kSources / (std::string(GetParam().name) + ".txt");
    TCodeMemoParser compiled;
    compiled.CompileText(ReadWholeFile(script), kSources.string());
    EXPECT_EQ(compiled.SaveToBytes(), installed) << "Scripts/ holds a stale compiled scheme";
}

TEST_P(ShippedFile, ExampleTextHasNoPlainCharacterButBlanks)
{
    TCodeMemoParser scheme;
    ASSERT_TRUE(scheme.LoadFromFile(Dat()));
    const std::string example = scheme.Settings().ExampleText;
    ASSERT_GT(example.size(), 200u);
    size_t offset = 0;
    for (const auto& [value, token] : Tokenize(scheme, example)) {
        for (const char c : token) {
            if (value == 0) {
                EXPECT_TRUE(GetParam().mayStayPlain(c))
                    << "plain '" << c << "' in \"" << token << "\" at " << offset;
            }
        }
        offset += token.size();
    }
    EXPECT_EQ(offset, example.size());
    // Every construct the example opens it also closes.
    if (GetParam().endsInStartStates) {
        EXPECT_EQ(scheme.CurrentStates(), scheme.Tables().StartSet);
    }
}

// The token values of the whole text, one per character.
std::vector<int> StoredValues(const TCodeMemoModel& model)
{
    std::vector<int> out;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next)
        for (size_t i = 0; i < rec->Len; ++i)
            out.push_back(rec->Attrs ? rec->Attrs[i] : -1);
    return out;
}

// The editor recolours from a restart point before a changed line, chosen by
// the scheme's anchor set and started with its context sets. From whichever
// line of the sample it restarts, it must colour as the pass over the whole
// text did: no restart point may lie where the state set (or the state stack)
// that a construct built up cannot be recovered.
void ExpectRestartsColourAsTheWholePass(TCodeMemoParser& scheme, const std::string& text)
{
    TCodeMemoModel model;
    model.LoadFromText(text);
    THighlightPass pass(scheme);
    pass.RunAll(model.Store().First(), model.CharCount());
    const std::vector<int> whole = StoredValues(model);
    int64_t index = 0;
    int64_t start = 0;
    for (TLineRec* rec = model.Store().First(); rec != nullptr; rec = rec->Next, ++index) {
        pass.Run(model.Store().First(), model.CharCount(), {rec, start, index, index, index});
        ASSERT_EQ(StoredValues(model), whole) << "restarting before line " << index + 1;
        start += static_cast<int64_t>(rec->Len);
    }
}

TEST_P(ShippedFile, RestartAtAnyLineColoursAsTheWholePass)
{
    TCodeMemoParser scheme;
    ASSERT_TRUE(scheme.LoadFromFile(Dat()));
    ExpectRestartsColourAsTheWholePass(
        scheme,
        ReadWholeFile(std::string(TARNWICK_TEST_DATA) + "/scheme/samples/" + GetParam().sample));
}

// The same on seeded random texts made of the pieces that open and close
// constructs in these languages: no order of openers, closers and line ends
// may leave a restart point in a state the restart cannot recover, nor pop
// an empty state stack.
TEST_P(ShippedFile, RestartsAgreeOnRandomTexts)
{
    static const char* const kPieces[] = {
        "\n", "\n", " ", " ", "x", "EOT", "1.5", ",", ";", "(", ")", "[", "]", "{", "}",
        "\"", "'", "`", "\\", "#", "$a", "@b", "%c", "/", "//", "/*", "*/", "/**", "(/",
        "=~ /", "${", "#{", "{$", "<<~EOT", "<<EOT", "<<'EOT'", "<<~'EOT'", "<<<EOT\n",
        "<<<'EOT'\n", "\"\"\"", "@\"", "$\"", "r#\"", "\"#", "[[", "]]", "--[==[", "]==]", "[===[",
        "]===]", "--[====[", "]====]", "?>", "<?php", "%w[", "=begin", "=end", "=pod", "=cut",
        "s/", "'\\'", "'a'", "[^", "%%Words",
    };
    TCodeMemoParser scheme;
    ASSERT_TRUE(scheme.LoadFromFile(Dat()));
    std::mt19937 random(21);
    for (int round = 0; round < 100; ++round) {
        std::string text;
        while (text.size() < 400)
            text += kPieces[random() % std::size(kPieces)];
        SCOPED_TRACE(text);
        ExpectRestartsColourAsTheWholePass(scheme, text);
    }
}

// Closing brackets, quotes and block ends with nothing open before them, read
// after a reset with every context value: the schemes that save state sets
// on a stack must not pop one they did not push ("Stack underflow").
TEST_P(ShippedFile, StrayClosersFromAnyContextPopNothingUnpushed)
{
    const std::string text = "}])>;\r}}]])) \"'`\r\t)}\r---\r```\r~~~\rendef\r:\r$)\r";
    TCodeMemoParser scheme_;
    ASSERT_TRUE(scheme_.LoadFromFile(Dat()));
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

INSTANTIATE_TEST_SUITE_P(Scripts, ShippedFile, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

// A string continued over lines loses the backslash that begins the
// continued text (so that "\    " keeps the blanks after it): a continued
// line that starts with an escape such as \n or \t must write its backslash
// twice, or the example text and the templates get a plain "n" or "t".
TEST(ShippedScripts, ContinuedLinesKeepTheirEscapes)
{
    for (const auto& entry : std::filesystem::directory_iterator(kSources)) {
        if (entry.path().extension() != ".txt")
            continue;
        const std::string script = ReadWholeFile(entry.path());
        size_t line = 1;
        bool continued = false;
        for (size_t at = 0; at < script.size(); ++line) {
            const size_t end = std::min(script.find('\n', at), script.size());
            std::string_view text(script.data() + at, end - at);
            if (!text.empty() && text.back() == '\r')
                text.remove_suffix(1);
            const size_t first = text.find_first_not_of(" \t");
            if (continued && first != std::string_view::npos && first + 1 < text.size() &&
                text[first] == '\\') {
                EXPECT_NE(std::string_view(" \\\\").find(text[first + 1]), std::string_view::npos)
                    << entry.path().filename().string() << " line " << line << ": " << text;
            }
            continued = !text.empty() && text.back() == '\\';
            at = end + 1;
        }
    }
}

struct TConstructCase {
    const char* name;
    const char* scheme;
    const char* text;
    const char* marked;
};

void PrintTo(const TConstructCase& c, std::ostream* out) { *out << c.name; }

class ShippedConstruct : public ::testing::TestWithParam<TConstructCase> {};

TEST_P(ShippedConstruct, Highlights)
{
    TCodeMemoParser scheme;
    ASSERT_TRUE(scheme.LoadFromFile(kInstalled / (std::string(GetParam().scheme) + ".dat")));
    EXPECT_EQ(Marked(scheme, GetParam().text), GetParam().marked) << GetParam().text;
}

const TConstructCase kConstructs[] = {
    {"go_raw_string_over_lines", "Go", "s := `a\\\r\"b`", "s:2 :=:10 `a\\|\"b`:6"},
    {"go_numbers_and_fraction", "Go", "0x1F_FF 1.5e3 3i", "0x1F_FF:4 1:4 .5e3:4 3i:4"},
    {"go_selector_is_no_number", "Go", "a.b", "a:2 .:10 b:2"},
    {"rust_nested_block_comment", "Rust", "/* a /* b */ c */x",
     "/*:5  a :12 /*:5  b :12 */:11  c :12 */:11 x:2"},
    {"rust_doc_block_with_nested_comment", "Rust", "/** a /* b */ c */x",
     "/**:25  a :26 /*:5  b :12 */:11  c :26 */:27 x:2"},
    {"rust_raw_string_with_hashes", "Rust", "r#\"a \"b\" c\"#;", "r#\"a \"b\" c\"#:17 ;:10"},
    {"rust_raw_string_two_hashes", "Rust", "r##\"x\"#\"##", "r##\"x\"#\"##:18"},
    {"rust_char_and_lifetime", "Rust", "'a' &'a str '\\n' '\\''",
     "'a':20 &:10 'a:23 str:8 '\\n':21 '\\'':22"},
    {"rust_string_over_lines", "Rust", "\"a\\\"\rb\"", "\":13 a:3 \\\":15 |b:3 \":14"},
    {"rust_range_is_no_fraction", "Rust", "0..10", "0:4 ..:10 10:4"},
    {"csharp_verbatim_doubled_quotes", "CSharp", "@\"a\"\"\rb\"", "@\":14 a:3 \"\":18 |b:3 \":17"},
    {"csharp_interpolation", "CSharp", "$\"{x,3} {{y}}\\n\"",
     "$\":15 {x,3}:19  :3 {{:18 y:3 }}:18 \\n:18 \":17"},
    {"csharp_raw_string", "CSharp", "\"\"\"\r a\"b\r\"\"\";", "\"\"\"| a\"b|\"\"\":13 ;:10"},
    {"csharp_directive_and_doc", "CSharp", "#if DEBUG\r/// <p>",
     "#if DEBUG:11 /// <p>:6"},
    {"typescript_template_and_decorator", "TypeScript", "@Input() x = `a${b}\r`;",
     "@Input:17 (:10 ):10 x:2 =:10 `:6 a:12 ${b}:14 |:12 `:11 ;:10"},
    {"typescript_regex_after_equals_not_division", "TypeScript", "r = /[/]\\//g; a / b / c",
     "r:2 = :18 /:23 [:20 /:19 ]:21 \\/:13 /:22 g:2 ;:10 a:2 /:10 b:2 /:10 c:2"},
    {"typescript_comment_after_comma_is_no_regex", "TypeScript", "a, // b\rc = /* d */ 1",
     "a:2 ,:10 // b:1 c:2 =:10 /* d */:5 1:4"},
    {"typescript_regex_left_open_ends_at_line_end", "TypeScript", "f(/a\rb)",
     "f:2 (:18 /:23 a:19 |:22 b:2 ):10"},
    {"typescript_private_and_bigint", "TypeScript", "this.#n = 10n;",
     "this:7 .:10 #n:2 =:10 10n:4 ;:10"},
    {"php_heredoc_ends_at_label", "PHP", "$s = <<<EOT\rSELECT $a\r  EOT;\r$b",
     "$s:11 =:10 <<<EOT|:21 SELECT:24  :28 $a:11 |:23   :22 EOT:24 ;:27 $b:11"},
    {"php_nowdoc_shows_no_variables", "PHP", "<<<'EOT'\ra $b\rEOT;",
     "<<<'EOT'|:31 a:25  $b:22 |:23 EOT:24 ;:27"},
    {"php_strings_over_lines", "PHP", "'a\\'\rb' \"{$c} $d\\n\"",
     "':19 a:3 \\':15 |b:3 ':20 \":17 {$c}:16  :3 $d:11 \\n:15 \":18"},
    {"php_text_outside_tags", "PHP", "?>\r<b><?= $x ?>",
     "?>:13 |:14 <:14 b>:14 <?=:12 $x:11 ?>:13"},
    {"ruby_heredoc_after_code", "Ruby", "f(<<~EOS, 1)\r  x #{y}\r  EOS\rz",
     "f:2 (:10 <<~EOS:24 ,:10 1:4 ):10 |:25   :26 x:29  :26 #{y}:13 |:27   :26 EOS:28 |:30 z:2"},
    {"ruby_quoted_label_has_no_holes", "Ruby", "x(<<~'EOS')\r  #{y}\r  EOS\r",
     "x:2 (:10 <<~'EOS':38 ):10 |:39   :26 #:29 {y}:26 |:27   :26 EOS:28 |:30"},
    {"ruby_symbols_and_variables", "Ruby", ":a? @b @@c $d A::B",
     ":a?:6 @b:11 @@c:11 $d:11 A:32 :::10 B:32"},
    {"ruby_percent_literal", "Ruby", "%w[a b] %q(c)", "%w[a b]:20 %q(c):19"},
    {"perl_pattern_after_match", "Perl", "$x =~ /a\\/b/i",
     "$x:11 =~ /:37 a:36 \\/:12 b:36 /:35 i:2"},
    {"perl_pattern_after_paren_division_elsewhere", "Perl", "split(/,/, $a / 2)",
     "split:8 (/:32 ,:36 /:35 ,:10 $a:11 /:10 2:4 ):10"},
    {"perl_substitution", "Perl", "s/a/b/g", "s/:33 a:36 /:34 b:36 /:35 g:2"},
    {"perl_heredoc", "Perl", "print <<\"END\";\r$a b\rEND\rz",
     "print:8 <<\"END\":24 ;:10 |:25 $a:39  b:26 |:27 END:28 |:30 z:2"},
    {"perl_variables", "Perl", "%h $#a @b $_", "%h:38 $#a:11 @b:11 $_:11"},
    {"lua_long_brackets_with_levels", "Lua", "--[==[ a ]] ]==]x [=[b]]]=]",
     "--[==[ a ]] ]==]:11 x:2 [=[b]]]=]:14"},
    {"lua_level_three_bracket_over_lines", "Lua", "[===[a]==]\r]===]x",
     "[===[:16 a:25 ]:25 ==:25 ]:25 |:25 ]===]:26 x:2"},
    {"lua_concat_and_label", "Lua", "a..b ::top::", "a:2 ..:10 b:2 ::top:::20"},
    {"scheme_section_and_string", "SchemeScript", "%%Words\r  'a[^\\n]' '' 7",
     "%%Words:7 ':11 a:3 [^:14 \\n:13 ]:14 ':12 ':11 ':12 7:4"},
    {"scheme_directive_and_builtin", "SchemeScript", "#define X 1\rclRed InState",
     "#define X 1:6 clRed:9 InState:8"},
    {"JsonKeysAndValuesByNesting", "JSON", "{\"a\": [\"b\", {\"c\": \"d\"}], \"e\": null}",
     "{:11 \"a\":2 ::14  :16 [:12 \"b\":3 ,:10  :16 {:11 \"c\":2 ::14  :16 \"d\":3 }:13 ]:13 ,:15 "
     " :16 \"e\":2 ::14  :16 null:7 }:13"},
    {"JsonStrayCloserIsNoJson", "JSON", "} 1 ] x", " :18 1:4  :18  :18 x:17"},
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
    {"VbHoleAndStringHaveNoPlainText", "VisualBasic", "$\"}{a{.:\r#}\"",
     "$\":12 }:14 {:16 a:2 {:10 .:10 ::10 |:18 #:10 }:17 \":13"},
    {"CssNestedRuleReturnsToDeclarations", "CSS", "a{&:hover{b:c}d:1px}",
     "a:2 {:22 &:31 :hover:7 {:23 b:11 ::28 c:12 }:27 d:11 ::28 1px:4 }:27"},
    {"CssMediaHoldsRulesFontFaceDeclarations", "CSS", "@media x{p{}}@font-face{src:y}",
     "@media:16  :21 x:12 {:24 p:2 {:22 }:27 }:27 @font-face:17 {:25 src:11 ::28 y:12 }:27"},
    {"CssOddCharacterInABlockStaysInIt", "CSS", "a{b:$x}c", "a:2 {:22 b:11 ::28 $:10 x:12 }:27 c:2"},
    {"CssImportEndsAtSemicolon", "CSS", "@import 'a';b{}", "@import:16  :21 'a':3 ;:30 b:2 {:22 }:27"},
    {"CssAtInANestedSelectorIsNoPlainText", "CSS", "a{&@b{}}",
     "a:2 {:22 &:31 @:10 b:2 {:23 }:27 }:27"},
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
    {"MakefileDollarBeforeNoNameIsText", "Makefile", "a: b\r\t$ \"$ \"$(x $ y)\rc = $ d",
     "a:2 ::10 b:2 |\t:14 $ :16 \":28 $ :3 \":29 $(:18 x:20  :21 $:20  :21 y:20 ):19 |:17 c:2 =:11 "
     " :12 $ d:12"},
};

INSTANTIATE_TEST_SUITE_P(Languages, ShippedConstruct, ::testing::ValuesIn(kConstructs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick::test
