// Plain and regular-expression search driving, whole words, skip-table
// caching, replacement expansion and Replace All.
#include "editor/core/search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace tarnwick {
namespace {

// The text cut into short pieces, as the editor's line records deliver it.
class TPiecedSource final : public TSearchSource {
public:
    TPiecedSource(std::string text, int64_t pieceSize) : text_(std::move(text)), size_(pieceSize) {}
    int64_t Length() const override { return static_cast<int64_t>(text_.size()); }
    std::string_view PieceAt(int64_t offset, int64_t& pieceStart) const override
    {
        pieceStart = offset - offset % size_;
        return std::string_view(text_).substr(static_cast<size_t>(pieceStart), static_cast<size_t>(size_));
    }

private:
    std::string text_;
    int64_t size_;
};

int64_t NaiveFind(const std::string& text, const std::string& pattern, int64_t from, bool forward, bool matchCase)
{
    const std::string t = matchCase ? text : UpperText(text);
    const std::string p = matchCase ? pattern : UpperText(pattern);
    const int64_t n = static_cast<int64_t>(t.size());
    const int64_t m = static_cast<int64_t>(p.size());
    if (forward) {
        for (int64_t s = std::max<int64_t>(from, 0); s + m <= n; ++s)
            if (t.compare(static_cast<size_t>(s), static_cast<size_t>(m), p) == 0)
                return s;
        return -1;
    }
    for (int64_t s = std::min(from, n - m); s >= 0; --s)
        if (t.compare(static_cast<size_t>(s), static_cast<size_t>(m), p) == 0)
            return s;
    return -1;
}

TEST(SearchTest, HorspoolAgreesWithNaiveSearchInBothDirectionsAndCaseModes)
{
    std::mt19937 random(20261207);
    const std::string alphabet = "abAB\xe9\xc9\r";
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 40, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        std::string pattern(1 + random() % 4, ' ');
        for (char& c : pattern)
            c = alphabet[random() % alphabet.size()];
        const bool forward = random() % 2 == 0;
        const bool matchCase = random() % 2 == 0;
        const int64_t from = static_cast<int64_t>(random() % (text.size() + 3)) - 1;
        TSkipTable table;
        table.Prepare(pattern, matchCase);
        const TPiecedSource source(text, 3);
        TSourceCursor cursor(source);
        ASSERT_EQ(HorspoolFind(cursor, table, from, forward, matchCase),
                  NaiveFind(text, pattern, from, forward, matchCase))
            << "text '" << text << "' pattern '" << pattern << "' from " << from << " forward " << forward
            << " case " << matchCase;
    }
}

TEST(SearchTest, SkipTablesAreBuiltOnlyForANewPattern)
{
    TSkipTable table;
    table.Prepare("Begin", true);
    table.Prepare("Begin", true);
    EXPECT_EQ(table.Builds, 1);
    table.Prepare("BEGIN", false);  // same pattern once upper-cased
    EXPECT_EQ(table.Builds, 1);
    table.Prepare("BEGIN", true);
    EXPECT_EQ(table.Builds, 2);
}

struct TFindRow {
    const char* name;
    int flags;
    std::string pattern;
    std::string text;
    int64_t from;
    int64_t start;
    int64_t length;
};

TEST(SearchTest, FindFromHonoursFlags)
{
    const TFindRow rows[] = {
        {"ignores_case_by_default", 0, "BEGIN", "x begin", 0, 2, 5},
        {"match_case", srchMatchCase, "BEGIN", "begin BEGIN", 0, 6, 5},
        {"accented_letters_fold", 0, "\xc9t\xc9", "\xe9t\xe9", 0, 0, 3},
        {"whole_word_skips_ending", srchWholeWord, "end", "ending end;", 0, 7, 3},
        {"whole_word_hyphen_is_in_word", srchWholeWord, "end", "end-x end", 0, 6, 3},
        {"whole_word_backwards", srchWholeWord | srchBackwards, "end", "end ending", 10, 0, 3},
        {"backwards_last_at_or_before", srchBackwards, "ab", "ab ab ab", 5, 3, 2},
        {"regex_forward", srchRegExpr, "b+", "abbb", 0, 1, 3},
        {"regex_backwards", srchRegExpr | srchBackwards, "b+", "abbab", 4, 4, 1},
        {"regex_newline", srchRegExpr, "x\\ny", "x\ry", 0, 0, 3},
        {"not_found", 0, "zz", "abc", 0, -1, 0},
    };
    for (const TFindRow& row : rows) {
        SCOPED_TRACE(row.name);
        TSearchEngine engine;
        const TStringSearchSource source(row.text);
        const TSearchHit hit = engine.FindFrom(source, row.flags, row.pattern, row.from);
        EXPECT_EQ(hit.Start, row.start);
        if (hit.Found()) {
            EXPECT_EQ(hit.Length, row.length);
        }
    }
}

TEST(SearchTest, FindNextVisitsEveryHitOnce)
{
    struct TRow {
        const char* name;
        int flags;
        std::string pattern;
        std::string text;
        std::vector<int64_t> starts;
    };
    const TRow rows[] = {
        {"plain_forward", 0, "ab", "ab xab ab", {0, 4, 7}},
        {"plain_overlapping", 0, "aa", "aaa", {0, 1}},
        {"plain_backward", srchBackwards, "ab", "ab xab ab", {7, 4, 0}},
        {"regex_forward_no_overlap", srchRegExpr, "a+", "aaa b aa", {0, 6}},
        {"regex_empty_matches_move_on", srchRegExpr, "x*", "ab", {0, 1, 2}},
        {"regex_adjacent_hits", srchRegExpr, "a", "aaa", {0, 1, 2}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TSearchEngine engine;
        const TStringSearchSource source(row.text);
        int64_t sel = (row.flags & srchBackwards) ? source.Length() : 0;
        int64_t selEnd = sel;
        std::vector<int64_t> starts;
        for (int guard = 0; guard < 20; ++guard) {
            const TSearchOutcome outcome = engine.FindNext(source, row.flags, row.pattern, sel, selEnd);
            ASSERT_FALSE(outcome.Failed());
            if (!outcome.Hit.Found())
                break;
            starts.push_back(outcome.Hit.Start);
            sel = outcome.Hit.Start;
            selEnd = sel + outcome.Hit.Length;
        }
        EXPECT_EQ(starts, row.starts);
    }
}

TEST(SearchTest, SearchWithoutDialogStartsFromTheSelection)
{
    TSearchEngine engine;
    const TStringSearchSource source("ab ab ab");
    // Plain forward starts at the selection's start, so the selected hit is found again.
    EXPECT_EQ(engine.Search(source, srchNoDialog, "ab", 3, 5).Hit.Start, 3);
    // An expression starts at its end.
    EXPECT_EQ(engine.Search(source, srchNoDialog | srchRegExpr, "ab", 3, 5).Hit.Start, 6);
    // Backwards starts before the selection.
    EXPECT_EQ(engine.Search(source, srchNoDialog | srchBackwards, "ab", 3, 5).Hit.Start, 0);
    EXPECT_EQ(engine.Search(source, srchNoDialog | srchRegExpr | srchBackwards, "ab", 3, 5).Hit.Start, 0);
    // Nothing past the ends, nothing for an empty pattern.
    EXPECT_FALSE(engine.Search(source, srchNoDialog, "ab", 6, 8).Hit.Found());
    EXPECT_FALSE(engine.Search(source, srchNoDialog | srchBackwards, "ab", 0, 2).Hit.Found());
    EXPECT_FALSE(engine.Search(source, srchNoDialog, "", 0, 0).Hit.Found());
}

TEST(SearchTest, BadExpressionGivesErrorBoxAndNoHit)
{
    TSearchEngine engine;
    const TStringSearchSource source("aaa");
    const TSearchOutcome outcome = engine.Search(source, srchNoDialog | srchRegExpr, "a{2,1}", 0, 0);
    EXPECT_FALSE(outcome.Hit.Found());
    EXPECT_EQ(outcome.ErrorText, "Invalid range\r\na{2,1}\r\n     ^");
}

TEST(SearchTest, MessagesAreComposed)
{
    EXPECT_EQ(NotFoundText("foo"), "Search string \"foo\" not found.");
    EXPECT_EQ(ReplacePromptText("a", "b"), "Replace this occurence of 'a' with 'b' ?");
}

TEST(SearchTest, ReplacementExpansion)
{
    const std::string text = "abcdef";
    const TStringSearchSource source(text);
    const std::vector<int64_t> positions = {0, 2, 3, 6};
    struct TRow {
        const char* name;
        std::string replacement;
        std::string expected;
    };
    const TRow rows[] = {
        {"percent_percent", "%%", "%"},
        {"groups", "%3-%1-%2", "def-ab-c"},
        {"group_past_recorded", "<%4>", "<>"},
        {"percent_other", "%x%", "x%"},
        {"percent_zero", "%0", "0"},
        {"group_number_stops_at_255", "%256", "6"},
        {"line_break_escapes", "a\\nb\\rc", "a\rb\rc"},
        {"blank_tab", "\\s\\t", " \t"},
        {"hex_and_octal", "\\x41\\102\\x", "ABx"},
        {"doubled_backslash", "\\\\", "\\"},
        {"control_character_becomes_dot", "\\b\\f", ".."},
        {"other_escape_is_itself", "\\q", "q"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ExpandReplacement(row.replacement, positions, source), row.expected);
    }
}

struct TReplaceRow {
    const char* name;
    int flags;
    std::string pattern;
    std::string replacement;
    std::string text;
    std::string expected;
};

TEST(SearchTest, ReplaceAllCollectsThenApplies)
{
    const TReplaceRow rows[] = {
        {"regex_percent", srchRegExpr, "a", "%%", "aaa", "%%%"},
        {"regex_elements", srchRegExpr, "(\\w+)(=)(\\w+)", "%3%2%1", "x=1; yy=22", "1=x; 22=yy"},
        {"regex_empty_matches", srchRegExpr, "x*", "-", "ab", "-a-b-"},
        {"regex_growing_replacement", srchRegExpr, "a", "aa", "aba", "aabaa"},
        {"plain_case_insensitive", 0, "end", "END", "end End ending", "END END ENDing"},
        {"plain_whole_word", srchWholeWord, "end", "x", "end ending end;", "x ending x;"},
        {"plain_replacement_holds_pattern", srchMatchCase, "a", "ba", "aa", "baba"},
        {"plain_delete", 0, "a", "", "aab", "b"},
        {"line_breaks", srchRegExpr, "\\n", ";\\n", "a\rb", "a;\rb"},
    };
    for (const TReplaceRow& row : rows) {
        SCOPED_TRACE(row.name);
        TSearchEngine engine;
        const TStringSearchSource source(row.text);
        const auto edits = engine.ReplaceAll(source, row.flags, row.pattern, row.replacement, 0);
        EXPECT_EQ(ApplyEdits(row.text, edits), row.expected);
    }
}

TEST(SearchTest, ReplaceAllWithNothingFoundHasNoEdits)
{
    TSearchEngine engine;
    const TStringSearchSource source("abc");
    EXPECT_TRUE(engine.ReplaceAll(source, srchRegExpr, "z", "y", 0).empty());
    EXPECT_THROW(engine.ReplaceAll(source, srchRegExpr, "(", "y", 0), ERegExpr);
}

TEST(SearchTest, PiecedSourceFindsWhatOneBufferFinds)
{
    std::mt19937 random(7);
    const std::string alphabet = "ab c\r_1";
    const char* patterns[] = {"a+b", "^b", "c$", "[ab]{2,3}", "(ab|ba)+", "\\w+\\s", "a.c", "b||c"};
    for (int round = 0; round < 300; ++round) {
        std::string text(random() % 60, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        const TStringSearchSource whole(text);
        const TPiecedSource pieced(text, 1 + random() % 5);
        for (const char* pattern : patterns) {
            for (const int flags : {int{srchRegExpr}, srchRegExpr | srchBackwards}) {
                TSearchEngine a;
                TSearchEngine b;
                const int64_t from = (flags & srchBackwards) ? static_cast<int64_t>(text.size()) : 0;
                const TSearchHit x = a.FindFrom(whole, flags, pattern, from);
                const TSearchHit y = b.FindFrom(pieced, flags, pattern, from);
                ASSERT_EQ(x.Start, y.Start) << pattern << " in '" << text << "'";
                ASSERT_EQ(x.Length, y.Length) << pattern << " in '" << text << "'";
            }
        }
    }
}

}  // namespace
}  // namespace tarnwick
