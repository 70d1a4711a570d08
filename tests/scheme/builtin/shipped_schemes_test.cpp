// The scheme scripts shipped in the Scripts folder: each compiles, carries
// what the options dialog and the editor need, survives a save and load,
// and highlights the constructs of its language — above all those that run
// over several lines.
#include "builtin_test_util.h"

#include "platform/file_io.h"
#include "scheme/builtin/builtin_scheme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace tarnwick::test {
namespace {

const std::filesystem::path kScripts = TARNWICK_SCHEME_SCRIPTS;

std::vector<std::filesystem::path> ShippedScripts()
{
    std::vector<std::filesystem::path> scripts;
    for (const auto& entry : std::filesystem::directory_iterator(kScripts))
        if (entry.path().extension() == ".txt")
            scripts.push_back(entry.path());
    std::sort(scripts.begin(), scripts.end());
    return scripts;
}

void Compile(TCodeMemoParser& scheme, const std::filesystem::path& script)
{
    scheme.CompileText(ReadWholeFile(script), script.parent_path().string());
}

TEST(ShippedSchemes, EveryScriptCompilesCompleteAndRoundTrips)
{
    const std::vector<std::filesystem::path> scripts = ShippedScripts();
    std::set<std::string> names;
    for (const auto& path : scripts)
        names.insert(path.stem().string());
    EXPECT_EQ(names, (std::set<std::string>{
                         "Batch", "CPP", "CSharp", "CSS", "Go", "HTML", "INI", "Java",
                         "JavaScript", "JSON", "Lua", "Makefile", "Markdown", "ObjectPascal",
                         "PHP", "Perl", "Python", "Ruby", "Rust", "SQL", "SchemeScript", "Shell",
                         "TypeScript", "VisualBasic", "XML", "YAML"}));
    for (const auto& path : scripts) {
        SCOPED_TRACE(path.filename().string());
        TCodeMemoParser scheme;
        ASSERT_NO_THROW(Compile(scheme, path));
        const TSM_Settings& s = scheme.Settings();
        EXPECT_FALSE(s.LanguageName.empty());
        EXPECT_NE(s.LanguageName, "<Custom language>");
        EXPECT_NE(s.ExampleText.find('\r'), std::string::npos) << "a one-line example";
        EXPECT_TRUE(s.HasKeywordTables());
        EXPECT_GE(s.EditableStyles.size(), 4u);
        for (const TSM_EditableStyle& style : s.EditableStyles)
            EXPECT_TRUE(s.Effects[style.Effect].Defined) << style.Name;
        for (size_t v = 0; v < s.EffectMap.size(); ++v)
            EXPECT_TRUE(s.Effects[s.EffectMap[v]].Defined) << "token value " << v;
        EXPECT_GT(scheme.Tables().GlobalStart.OccupiedCount(), 0);

        const std::string saved = scheme.SaveToBytes();
        TCodeMemoParser loaded;
        ASSERT_TRUE(loaded.LoadFromBytes(saved));
        EXPECT_EQ(loaded.SaveToBytes(), saved);
    }
}

TEST(ShippedSchemes, TheObjectPascalScriptIsTheBuiltinScheme)
{
    TCodeMemoParser scheme;
    Compile(scheme, kScripts / "ObjectPascal.txt");
    EXPECT_EQ(scheme.SaveToBytes(), BuiltinSchemeStream());
}

// Each sample source, read the way the editor reads it (lines ended by CR),
// is covered by tokens without a gap, and every multi-line construct in it
// ends: after the last line the tokenizer is back in the start states.
TEST(ShippedSchemes, SampleSourcesEndInTheStartStates)
{
    const std::map<std::string, std::string> schemeFor = {
        {".pas", "ObjectPascal"}, {".c", "CPP"},     {".cpp", "CPP"},  {".py", "Python"},
        {".java", "Java"},        {".js", "JavaScript"}, {".sql", "SQL"}, {".html", "HTML"},
        {".sh", "Shell"},         {".ini", "INI"},   {".json", "JSON"}, {".xml", "XML"},
        {".vb", "VisualBasic"},   {".css", "CSS"},   {".yaml", "YAML"}, {".mk", "Makefile"},
        {".md", "Markdown"},      {".bat", "Batch"}, {".cs", "CSharp"}, {".go", "Go"},
        {".rs", "Rust"},          {".ts", "TypeScript"}, {".php", "PHP"}, {".rb", "Ruby"},
        {".pl", "Perl"},          {".lua", "Lua"},   {".txt", "SchemeScript"},
    };
    const std::filesystem::path samples = std::string(TARNWICK_TEST_DATA) + "/scheme/samples";
    std::set<std::string> covered;
    for (const auto& entry : std::filesystem::directory_iterator(samples)) {
        const std::string extension = entry.path().extension().string();
        SCOPED_TRACE(entry.path().filename().string());
        ASSERT_EQ(schemeFor.count(extension), 1u) << "no scheme for this sample";
        covered.insert(schemeFor.at(extension));

        TCodeMemoParser scheme;
        Compile(scheme, kScripts / (schemeFor.at(extension) + ".txt"));
        std::string text = ReadWholeFile(entry.path());
        std::replace(text.begin(), text.end(), '\n', '\r');
        size_t length = 0, marked = 0;
        for (const auto& [value, token] : Tokenize(scheme, text)) {
            ASSERT_GE(value, 0) << token;
            length += token.size();
            marked += value != 0 ? 1 : 0;
        }
        EXPECT_EQ(length, text.size());
        EXPECT_GT(marked, 20u);
        EXPECT_EQ(scheme.CurrentStates(), scheme.Tables().StartSet);
    }
    std::set<std::string> schemes;
    for (const auto& [extension, name] : schemeFor)
        schemes.insert(name);
    EXPECT_EQ(covered, schemes) << "a scheme without a sample";
}

struct TLanguageCase {
    const char* script;
    const char* text;
    const char* marked;
};

void PrintTo(const TLanguageCase& c, std::ostream* out) { *out << c.script << ": " << c.text; }

class ShippedLanguage : public ::testing::TestWithParam<TLanguageCase> {};

TEST_P(ShippedLanguage, Highlights)
{
    TCodeMemoParser scheme;
    Compile(scheme, kScripts / GetParam().script);
    EXPECT_EQ(Marked(scheme, GetParam().text), GetParam().marked) << GetParam().text;
}

const TLanguageCase kCases[] = {
    // C and C++: block comments and raw strings run over lines.
    {"CPP.txt", "/* a\r b */x", "/* a| b */:5 x:2"},
    {"CPP.txt", "#include <a.h>\rint x;", "#include <a.h>:6 int:8 x:2 ;:10"},
    {"CPP.txt", "R\"(a)\rb)\";", "R\"(:11 a:13 )|b:13 )\":12 ;:10"},
    {"CPP.txt", "s = \"a\\\"b\"; c = '\\n';", "s:2 =:10 \"a\\\"b\":3 ;:10 c:2 =:10 '\\n':9 ;:10"},
    {"CPP.txt", "0x1Fu + 1.5e3f // end", "0x1Fu:4 +:10 1.5e3f:4 // end:1"},
    {"CPP.txt", "return nullptr; Return", "return:7 nullptr:7 ;:10 Return:2"},
    // Python: triple-quoted strings run over lines; def and class names.
    {"Python.txt", "x = \"\"\"a\r'b'\"\"\" # c", "x:2 =:10 \"\"\"a|'b'\"\"\":5 # c:1"},
    {"Python.txt", "'''a\r\"\"\"'''y", "'''a|\"\"\"''':13 y:2"},
    {"Python.txt", "def  run(self):", "def:9 run:11 (:10 self:8 ):10 ::10"},
    {"Python.txt", "class(x)", "class:9 (:12 x:2 ):10"},
    {"Python.txt", "@app.route\rdef", "@app.route:6 def:9"},
    {"Python.txt", "if None: print(0x1F)", "if:7 None:7 ::10 print:8 (:10 0x1F:4 ):10"},
    // Java: documentation comments, text blocks, annotations.
    {"Java.txt", "/** a\r */ /**/ x", "/** a| */:6 /**/:5 x:2"},
    {"Java.txt", "s = \"\"\"\r  a\"b\r  \"\"\";", "s:2 =:10 \"\"\"|  a\"b|  \"\"\":11 ;:10"},
    {"Java.txt", "@Override public int f()",
     "@Override:9 public:7 int:8 f:2 (:10 ):10"},
    {"Java.txt", "c = 'x' + 1_000L; // n", "c:2 =:10 'x':12 +:10 1_000L:4 ;:10 // n:1"},
    // JavaScript: template literals over lines with escapes and
    // substitutions; the backquote closes only inside one.
    {"JavaScript.txt", "`a\r\\` ${x}$`;", "`:6 a|:12 \\`:13  :12 ${x}:14 $:12 `:11 ;:10"},
    {"JavaScript.txt", "const $el = null; // c", "const:7 $el:2 =:10 null:9 ;:10 // c:1"},
    {"JavaScript.txt", "/* a\r*/'b\\'c'", "/* a|*/:5 'b\\'c':3"},
    // SQL: words without regard to case, doubled quotes, parameters.
    {"SQL.txt", "Select 'it''s', \"a b\" from t -- c",
     "Select:7 'it''s':3 ,:10 \"a b\":11 from:7 t:2 -- c:1"},
    {"SQL.txt", "/* a\r*/ WHERE id = :id AND x = ?1;",
     "/* a|*/:5 WHERE:7 id:2 =:10 :id:6 AND:7 x:2 =:10 ?1:6 ;:10"},
    {"SQL.txt", "count(*) varchar", "count:8 (:10 *:10 ):10 varchar:9"},
    // HTML: tags over lines, known and unknown tag names, references.
    {"HTML.txt", "a &amp; b &c <!-- x\r-->", "&amp;:26 <!-- x|-->:1"},
    {"HTML.txt", "<p\r  class=\"x\">t</P>",
     "<:20 p:25 |  :27 class:22 =:10 \"x\":23 >:21 </:20 P:25 >:21"},
    {"HTML.txt", "<dvi id='a' w=10/>",
     "<:20 dvi:24  :27 id:22 =:10 'a':23  :27 w:22 =:10 10/:28 >:21"},
    {"HTML.txt", "<!DOCTYPE html>x", "<!DOCTYPE html>:5"},
    {"HTML.txt", "<img src=a.png alt = x>",
     "<:20 img:25  :27 src:22 =:10 a.png:28  :27 alt:22  :27 =:10  :27 x:28 >:21"},
    // Shell: variables inside double-quoted strings over lines.
    {"Shell.txt", "echo \"a $x\r${y}\\\"\" # c",
     "echo:8 \":11 a :14 $x:6 |:14 ${y}:16 \\\":13 \":12 # c:1"},
    {"Shell.txt", "cp 'a $b' `date` a#b $? 2>&1",
     "cp:2 'a $b':15 `date`:9 a#b:2 $?:6 2:4 >&:10 1:4"},
    {"Shell.txt", "if [ -f x ]; then fi", "if:7 [:10 -f:2 x:2 ]:10 ;:10 then:7 fi:7"},
    // INI: sections, keys, values; ";" starts a comment only at a key.
    {"INI.txt", "[Main]\rKey=0;12\r; c\rOn = yes please",
     "[Main]:20 Key:21 =:10 0;12:22 ; c:1 On :21 =:10  :24 yes:23  :24 please:22"},
};

INSTANTIATE_TEST_SUITE_P(Scripts, ShippedLanguage, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace tarnwick::test
