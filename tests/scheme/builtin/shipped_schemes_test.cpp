// The scheme scripts shipped in the Scripts folder: each compiles, carries
// what the options dialog and the editor need, survives a save and load,
// and highlights the constructs of its language — above all those that run
// over several lines.
#include "builtin_test_util.h"

#include "platform/file_io.h"
#include "scheme/builtin/builtin_scheme.h"

#include <gtest/gtest.h>

#include <filesystem>
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
    EXPECT_EQ(names, (std::set<std::string>{"CPP", "HTML", "INI", "Java", "JavaScript",
                                            "ObjectPascal", "Python", "SQL", "Shell"}));
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

// The tokens other than plain text, as "text:value" separated by blanks
// (a CR inside a token shows as "|").
std::string Marked(TCodeMemoParser& scheme, std::string_view text)
{
    std::string out;
    for (auto [value, token] : Tokenize(scheme, text)) {
        if (value == 0)
            continue;
        for (char& c : token)
            if (c == '\r')
                c = '|';
        out += (out.empty() ? "" : " ") + token + ":" + std::to_string(value);
    }
    return out;
}

struct TLanguageCase {
    const char* script;
    const char* text;
    const char* marked;
};

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
};

INSTANTIATE_TEST_SUITE_P(Scripts, ShippedLanguage, ::testing::ValuesIn(kCases));

}  // namespace
}  // namespace tarnwick::test
