// The library search: what it finds and what it must not (hits across line
// breaks or across two texts), the editor's case and whole-word rules,
// expressions, unreadable values, reading in stored order through its
// window, cancelling, and the token filter with the shipped schemes.
#include "../library/library_test_util.h"

#include "editor/core/re_parser.h"
#include "library_search/library_search.h"
#include "library_search/token_kinds.h"
#include "scheme/code_memo_parser.h"

#include <gtest/gtest.h>

#include <map>

namespace tarnwick::test {
namespace {

struct TSnippet {
    std::string category, title, text;
};

class LibrarySearch : public ScratchFolder {
protected:
    // Writes a library as the store does: texts back to back, each followed
    // by CR LF, the index listing them in the given order.
    std::string Make(const std::vector<TSnippet>& snippets)
    {
        std::string data;
        std::map<std::string, std::string> sections;
        std::vector<std::string> order;
        for (const TSnippet& s : snippets) {
            const size_t start = data.size();
            data += s.text;
            const size_t end = data.size();
            data += "\r\n";
            if (!sections.count(s.category))
                order.push_back(s.category);
            sections[s.category] += s.title + "=" + (s.text.empty() ? std::string("0;0")
                                                                    : std::to_string(start) + ";" +
                                                                          std::to_string(end)) + "\r\n";
        }
        std::string index;
        for (const std::string& c : order)
            index += "[" + c + "]\r\n" + sections[c];
        Put(Path("lib.dat"), data);
        Put(Path("lib.ini"), index);
        return Path("lib.ini");
    }

    static TLibrarySearchOptions Plain(const std::string& pattern)
    {
        TLibrarySearchOptions o;
        o.Pattern = pattern;
        return o;
    }

    // Each hit as "category/title line:column [hit]".
    static std::vector<std::string> Found(const TLibrarySearchResult& r)
    {
        std::vector<std::string> out;
        for (const TLibraryHit& h : r.Hits)
            out.push_back(h.Category + "/" + h.Title + " " + std::to_string(h.Line) + ":" + std::to_string(h.Column) +
                          " [" + h.LineText.substr(size_t(h.HitStart), size_t(h.HitLength)) + "]");
        return out;
    }
    using V = std::vector<std::string>;
};

TEST_F(LibrarySearch, FindsWhatItMustAndNothingElse)
{
    const std::string lib = Make({{"Units", "Beta", "program x;\r\nbegin\r\n  WriteLn('end');\r\nend."},
                                  {"Units", "alpha", "procedure End;\r\nbegin\r\nend;"},
                                  {"Apps", "Main", "end\r\nbegin"},
                                  {"Apps", "Empty", ""}});
    struct Row {
        const char* name;
        TLibrarySearchOptions options;
        V expected;
    };
    auto with = [](TLibrarySearchOptions o, auto change) {
        change(o);
        return o;
    };
    const std::vector<Row> rows = {
        {"plain_ignores_case_in_tree_order",
         Plain("end"),
         {"Apps/Main 1:1 [end]", "Units/alpha 1:11 [End]", "Units/alpha 3:1 [end]", "Units/Beta 3:12 [end]",
          "Units/Beta 4:1 [end]"}},
        {"match_case", with(Plain("End"), [](auto& o) { o.MatchCase = true; }), {"Units/alpha 1:11 [End]"}},
        {"a_hit_across_a_line_break_is_none", Plain("end\r\nbegin"), {}},
        {"expression_across_a_line_break_is_none",
         with(Plain("end\\s+begin"), [](auto& o) { o.RegExpr = true; }), {}},
        {"line_ends_bound_expressions",
         with(Plain("^end"), [](auto& o) { o.RegExpr = true; }),
         {"Apps/Main 1:1 [end]", "Units/alpha 3:1 [end]", "Units/Beta 4:1 [end]"}},
        {"expression_end_of_line",
         with(Plain("[a-z]+;$"), [](auto& o) { o.RegExpr = true; }),
         {"Units/alpha 1:12 [nd;]", "Units/alpha 3:1 [end;]", "Units/Beta 1:9 [x;]"}},
        {"titles_only_line_zero",
         with(Plain("a"), [](auto& o) { o.Scope = TSearchScope::Titles; }),
         {"Apps/Main 0:2 [a]", "Units/alpha 0:1 [a]", "Units/alpha 0:5 [a]", "Units/Beta 0:4 [a]"}},
        {"both_puts_the_title_first",
         with(Plain("beta"), [](auto& o) { o.Scope = TSearchScope::Both; }), {"Units/Beta 0:1 [Beta]"}},
        {"empty_pattern_finds_nothing", Plain(""), {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TLibrarySearchResult r = SearchLibrary(lib, row.options);
        EXPECT_EQ(Found(r), row.expected);
        EXPECT_TRUE(r.Problems.empty());
    }
}

TEST_F(LibrarySearch, WholeWordsAndCaseFollowTheEditor)
{
    // The editor's word characters include the apostrophe and '-'.
    const std::string lib = Make({{"C", "T", "ending end; friend-end 'end END_ end"}});
    TLibrarySearchOptions o = Plain("end");
    o.WholeWord = true;
    EXPECT_EQ(Found(SearchLibrary(lib, o)), (V{"C/T 1:8 [end]", "C/T 1:34 [end]"}));
    o.MatchCase = true;
    o.Pattern = "END";
    EXPECT_EQ(Found(SearchLibrary(lib, o)), V{});
    o.WholeWord = false;
    EXPECT_EQ(Found(SearchLibrary(lib, o)), (V{"C/T 1:29 [END]"}));
    // An expression always matches case, as in the editor.
    TLibrarySearchOptions re = Plain("END");
    re.RegExpr = true;
    EXPECT_EQ(Found(SearchLibrary(lib, re)), (V{"C/T 1:29 [END]"}));
}

TEST_F(LibrarySearch, AHitSpanningTwoTextsIsNone)
{
    // Two texts stored back to back without the usual CR LF between them.
    Put(Path("lib.dat"), "fooBARbaz");
    Put(Path("lib.ini"), "[C]\r\nA=0;3\r\nB=3;6\r\nC=6;9\r\n");
    EXPECT_EQ(Found(SearchLibrary(Path("lib.ini"), Plain("oB"))), V{});
    TLibrarySearchOptions re = Plain("o+B");
    re.RegExpr = true;
    EXPECT_EQ(Found(SearchLibrary(Path("lib.ini"), re)), V{});
    EXPECT_EQ(Found(SearchLibrary(Path("lib.ini"), Plain("bar"))), V{"C/B 1:1 [BAR]"});
}

TEST_F(LibrarySearch, LineBreaksOfEveryKindCountAsTheEditorCountsThem)
{
    // CR LF, LF CR, a lone LF and a lone CR each end one line; in the editor
    // each is one CR, which is what EditorOffset counts in.
    const std::string lib = Make({{"C", "T", "a\r\nb\n\rc\nd\re x"}});
    const TLibrarySearchResult r = SearchLibrary(lib, Plain("x"));
    ASSERT_EQ(Found(r), V{"C/T 5:3 [x]"});
    EXPECT_EQ(r.Hits[0].EditorOffset, 10);  // "a\rb\rc\rd\re x"
    EXPECT_EQ(r.Hits[0].LineText, "e x");
}

TEST_F(LibrarySearch, UnreadableValuesAreReportedOnceAndTheRestIsSearched)
{
    Put(Path("lib.dat"), "one\r\ntwo\r\n");
    Put(Path("lib.ini"), "[C]\r\nA=0;3\r\nBad=x;1\r\nWorse=7;2\r\nB=5;8\r\nFar=900;950\r\n");
    const TLibrarySearchResult r = SearchLibrary(Path("lib.ini"), Plain("o"));
    EXPECT_EQ(Found(r), (V{"C/A 1:1 [o]", "C/B 1:3 [o]"}));
    EXPECT_EQ(r.Problems, (V{"[C] Bad: 'x' is not a valid integer value",
                             "[C] Worse: '7;2' is not a valid text range"}));
}

TEST_F(LibrarySearch, OnlyTitlesThatReadsReachAreSearched)
{
    // A repeated title (letter case and blanks aside) and a category's
    // second section are never read, so they are not searched either.
    Put(Path("lib.dat"), "one\r\ntwo\r\nsix\r\n");
    Put(Path("lib.ini"), "[C]\r\nA=0;3\r\n a =5;8\r\n[D]\r\nX=10;13\r\n[c]\r\nB=5;8\r\n");
    TLibrarySearchOptions o = Plain("o|i");
    o.RegExpr = true;
    EXPECT_EQ(Found(SearchLibrary(Path("lib.ini"), o)), (V{"C/A 1:1 [o]", "D/X 1:2 [i]"}));
}

TEST_F(LibrarySearch, BadExpressionsAndMissingFilesRaise)
{
    const std::string lib = Make({{"C", "T", "text"}});
    TLibrarySearchOptions re = Plain("(a");
    re.RegExpr = true;
    EXPECT_THROW(SearchLibrary(lib, re), ERegExpr);
    std::filesystem::remove(Path("lib.dat"));
    EXPECT_THROW(SearchLibrary(lib, Plain("t")), EInOutError);
    TLibrarySearchOptions titles = Plain("T");
    titles.Scope = TSearchScope::Titles;
    EXPECT_EQ(Found(SearchLibrary(lib, titles)), V{"C/T 0:1 [T]"});
    EXPECT_TRUE(SearchLibrary(Path("none.ini"), Plain("t")).Hits.empty());
}

TEST_F(LibrarySearch, ReadsLargeLibrariesThroughItsWindowInStoredOrder)
{
    // Texts straddling the read window, one larger than it, and an index
    // that lists them out of stored order.
    std::vector<TSnippet> snippets;
    for (int i = 0; i < 40; ++i)
        snippets.push_back({"C", "t" + std::to_string(100 + i), std::string(150'000, 'x') + "needle" + std::to_string(i)});
    snippets.push_back({"C", "huge", std::string(5'000'000, 'y') + "needle"});
    std::reverse(snippets.begin(), snippets.end());
    const std::string lib = Make(snippets);
    const TLibrarySearchResult r = SearchLibrary(lib, Plain("needle"));
    ASSERT_EQ(r.Hits.size(), 41u);
    EXPECT_EQ(r.Hits.front().Title, "huge");
    EXPECT_EQ(r.Hits.front().Column, 5'000'001);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(r.Hits[size_t(i) + 1].LineText.substr(150'000), "needle" + std::to_string(i));
}

TEST_F(LibrarySearch, ACancelledSearchStops)
{
    const std::string lib = Make({{"C", "A", "x"}, {"C", "B", "x"}});
    std::atomic<bool> cancel{true};
    TLibrarySearchOptions o = Plain("x");
    o.Cancel = &cancel;
    const TLibrarySearchResult r = SearchLibrary(lib, o);
    EXPECT_TRUE(r.Cancelled);
    EXPECT_TRUE(r.Hits.empty());
}

TEST_F(LibrarySearch, HitsAreSeenAsTheyAreFound)
{
    const std::string lib = Make({{"Z", "last", "x"}, {"A", "first", "x"}});
    V seen;
    const TLibrarySearchResult r =
        SearchLibrary(lib, Plain("x"), [&](const TLibraryHit& h) { seen.push_back(h.Category); });
    EXPECT_EQ(seen, (V{"Z", "A"}));  // stored order
    EXPECT_EQ(r.Hits.front().Category, "A");  // tree order
}

}  // namespace
}  // namespace tarnwick::test
