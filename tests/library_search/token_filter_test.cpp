// The token filter: a word in a comment, a string or the code is kept only
// by the filter of its kind, in Pascal, C++, Python and SQL; token values are
// classed for every shipped scheme.
#include "../library/library_test_util.h"

#include "editor/core/sm_settings.h"
#include "library_search/library_search.h"
#include "library_search/token_kinds.h"
#include "platform/file_io.h"
#include "scheme/code_memo_parser.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tarnwick::test {
namespace {

const std::filesystem::path kScripts = TARNWICK_SCHEME_SCRIPTS;

void Compile(TCodeMemoParser& scheme, const std::string& script)
{
    scheme.CompileText(ReadWholeFile(kScripts / script), kScripts.string());
}

using TokenFilter = ScratchFolder;

TEST_F(TokenFilter, KeepsOnlyHitsOfItsKind)
{
    // Line 1 holds the word in a comment, line 2 in a string, line 3 in code.
    struct Row {
        const char* script;
        const char* text;
    };
    const Row rows[] = {
        {"ObjectPascal.txt", "{ begin }\r\nS := 'begin';\r\nbegin end;"},
        {"CPP.txt", "// begin\r\ns = \"begin\";\r\nbegin();"},
        {"Python.txt", "# begin\r\ns = 'begin'\r\nbegin()"},
        {"SQL.txt", "-- begin\r\nselect 'begin';\r\nbegin;"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.script);
        TCodeMemoParser scheme;
        Compile(scheme, row.script);
        const std::string text = row.text;
        Put(Path("lib.dat"), text + "\r\n");
        Put(Path("lib.ini"), "[C]\r\nT=0;" + std::to_string(text.size()) + "\r\n");
        const std::pair<TTokenFilter, int64_t> filters[] = {
            {TTokenFilter::Comment, 1}, {TTokenFilter::String, 2}, {TTokenFilter::Code, 3}};
        for (const auto& [filter, line] : filters) {
            TLibrarySearchOptions o;
            // Not whole words: the editor counts the apostrophe as part of a word.
            o.Pattern = "begin";
            o.Tokens = filter;
            o.Scheme = &scheme;
            o.Scope = TSearchScope::Both;  // titles are left out under a filter
            const TLibrarySearchResult r = SearchLibrary(Path("lib.ini"), o);
            ASSERT_EQ(r.Hits.size(), 1u) << "filter " << int(filter);
            EXPECT_EQ(r.Hits[0].Line, line) << "filter " << int(filter);
        }
    }
}

TEST_F(TokenFilter, AHitReachingOutOfACommentIsNotInIt)
{
    TCodeMemoParser scheme;
    Compile(scheme, "ObjectPascal.txt");
    const std::string text = "{ note } x := 1; // note";
    Put(Path("lib.dat"), text + "\r\n");
    Put(Path("lib.ini"), "[C]\r\nT=0;" + std::to_string(text.size()) + "\r\n");
    TLibrarySearchOptions o;
    o.Pattern = "note } x";
    o.Tokens = TTokenFilter::Comment;
    o.Scheme = &scheme;
    EXPECT_TRUE(SearchLibrary(Path("lib.ini"), o).Hits.empty());
    o.Pattern = "note";
    const TLibrarySearchResult r = SearchLibrary(Path("lib.ini"), o);
    ASSERT_EQ(r.Hits.size(), 2u);
    EXPECT_EQ(r.Hits[1].Column, 21);
}

TEST(TokenKinds, EveryShippedSchemeHasCommentsAndNamedStringsAreStrings)
{
    for (const auto& entry : std::filesystem::directory_iterator(kScripts)) {
        if (entry.path().extension() != ".txt")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        TCodeMemoParser scheme;
        Compile(scheme, entry.path().filename().string());
        const TSM_Settings& s = scheme.Settings();
        const TTokenKindTable table = ClassTokenValues(s);
        EXPECT_TRUE(std::count(table.begin(), table.end(), TTokenKind::Comment) > 0);
        const bool namesAString = std::any_of(s.EditableStyles.begin(), s.EditableStyles.end(),
                                              [](const TSM_EditableStyle& st) { return st.Name == "String"; });
        if (namesAString) {
            EXPECT_TRUE(std::count(table.begin(), table.end(), TTokenKind::String) > 0);
        }
    }
}

TEST(TokenKinds, AnUnnamedSchemeUsesTheIdeEffectNumbers)
{
    TSM_Settings settings;
    settings.EffectMap[7] = 5;
    settings.EffectMap[8] = 3;
    settings.EffectMap[9] = 1;
    const TTokenKindTable table = ClassTokenValues(settings);
    EXPECT_EQ(table[7], TTokenKind::Comment);
    EXPECT_EQ(table[8], TTokenKind::String);
    EXPECT_EQ(table[9], TTokenKind::Code);
    EXPECT_EQ(table[0], TTokenKind::Code);
}

}  // namespace
}  // namespace tarnwick::test
