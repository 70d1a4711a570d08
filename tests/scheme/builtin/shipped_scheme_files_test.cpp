// The compiled schemes as the build puts them into the Scripts folder: each
// loads, is the compiled form of its script, survives save → load → save
// unchanged, and highlights its own example text with no character left as
// plain text where the language has a token for it. Then, per language, the
// constructs that run over lines or need more than one token to say.
#include "builtin_test_util.h"

#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"
#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace tarnwick::test {
namespace {

const std::filesystem::path kSources = TARNWICK_SCHEME_SCRIPTS;
const std::filesystem::path kInstalled = TARNWICK_INSTALLED_SCRIPTS;

// A shipped scheme, the golden sample of its language, and the characters
// of its example text that may stay in token value 0 besides blanks and line
// ends: those the language gives no token of their own.
struct TShippedFile {
    const char* name;
    const char* sample;
    const char* plainChars;
};

void PrintTo(const TShippedFile& f, std::ostream* out) { *out << f.name; }

const TShippedFile kFiles[] = {
    {"CSharp", "LibraryExport.cs", ""},
    {"Go", "word_count.go", ""},
    {"Rust", "snippet_index.rs", ""},
    {"TypeScript", "snippet_store.ts", ""},
    {"PHP", "category_report.php", ""},
    {"Ruby", "library_stats.rb", ""},
    {"Perl", "title_index.pl", ""},
    {"Lua", "config_loader.lua", ""},
    {"SchemeScript", "tiny_language.txt", ""},
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
    const std::string allowed = std::string(" \t\r\n") + GetParam().plainChars;
    size_t offset = 0;
    for (const auto& [value, token] : Tokenize(scheme, example)) {
        for (const char c : token) {
            if (value == 0) {
                EXPECT_NE(allowed.find(c), std::string::npos)
                    << "plain '" << c << "' in \"" << token << "\" at " << offset;
            }
        }
        offset += token.size();
    }
    EXPECT_EQ(offset, example.size());
    // Every construct the example opens it also closes.
    EXPECT_EQ(scheme.CurrentStates(), scheme.Tables().StartSet);
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
};

INSTANTIATE_TEST_SUITE_P(Languages, ShippedConstruct, ::testing::ValuesIn(kConstructs),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarnwick::test
