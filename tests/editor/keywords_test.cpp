// The keyword trie: longest match under state sets and follow classes, in
// both directions, and its case rules.
#include "editor/core/keywords.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

TCharSet NotIdentifier()
{
    TCharSet set;
    set.set();
    for (int c = 'a'; c <= 'z'; ++c)
        set.reset(static_cast<size_t>(c));
    for (int c = 'A'; c <= 'Z'; ++c)
        set.reset(static_cast<size_t>(c));
    for (int c = '0'; c <= '9'; ++c)
        set.reset(static_cast<size_t>(c));
    set.reset('_');
    return set;
}

// A store like a small scheme's reserved words.
void Fill(TKeywords& words)
{
    words.AddWord("begin", false, 1, {0}, NotIdentifier());
    words.AddWord("beg", false, 2, {0});
    words.AddWord("read", false, 3, {1});
    words.AddWord("read", false, 4, {2});
    words.AddWord("end", false, 5, {0}, NotIdentifier());
    words.AddWord("Case", true, 6, {0});
    words.AddWord(":=", false, 7, {0, 1});
}

TEST(Keywords, ForwardLookupPicksTheLongestQualifyingWord)
{
    struct TRow {
        const char* name;
        const char* text;
        int64_t start;
        TStateSet states;
        bool caseSensitive;
        int token;  // -1 = no word
        int length;
    };
    const std::vector<TRow> rows = {
        {"whole_word", "begin x", 0, {0}, false, 1, 5},
        {"follow_class_refuses_longer_word", "beginx", 0, {0}, false, 2, 3},
        {"word_at_end_of_text", "end", 0, {0}, false, 5, 3},
        {"insensitive_matches_upper_case", "BEGIN;", 0, {0}, false, 1, 5},
        {"prefix_only_is_no_word", "be", 0, {0}, false, -1, 1},
        {"state_not_current", "read", 0, {0}, false, -1, 1},
        {"entry_of_state_1", "read", 0, {1}, false, 3, 4},
        {"entry_of_state_2", "read", 0, {2}, false, 4, 4},
        {"first_entry_when_both_states", "read", 0, {1, 2}, false, 3, 4},
        {"mid_text", "x := y", 2, {1}, false, 7, 2},
        {"sensitive_word_exact_case", "Case", 0, {0}, true, 6, 4},
        {"sensitive_word_other_case", "case", 0, {0}, true, -1, 1},
        {"sensitive_word_under_insensitive_lookup", "Case", 0, {0}, false, -1, 1},
        {"empty_states_match_nothing", "begin", 0, {}, false, -1, 1},
        {"at_end_of_text", "end", 3, {0}, false, -1, 1},
    };
    TKeywords words;
    Fill(words);
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TStringEdStream stream(row.text, row.start);
        int length = 0;
        const TKeywordEntry* entry = words.FindWord(stream, row.caseSensitive, row.states, length);
        EXPECT_EQ(entry ? entry->Token : -1, row.token);
        EXPECT_EQ(length, row.length);
        const int64_t end = std::min<int64_t>(row.start + row.length, stream.TextLength());
        EXPECT_EQ(stream.Position(), end);
    }
}

TEST(Keywords, BackwardLookupReadsReversedWords)
{
    struct TRow {
        const char* name;
        const char* text;
        int64_t start;
        TStateSet states;
        int token;
        int length;
        int64_t position;  // where the stream is left
    };
    const std::vector<TRow> rows = {
        {"word_before_position", "x begin", 6, {0}, 1, 5, 2},
        {"stops_at_start_of_text", "begin", 4, {0}, 1, 5, 0},
        {"longest_wins", "xxbegin", 6, {0}, 1, 5, 2},
        {"shorter_when_longer_missing", "xxgin", 4, {0}, 8, 2, 3},
        {"no_match_moves_one_on", "egix", 3, {0}, -1, 1, 4},
        {"state_filter", "begin", 4, {1}, -1, 1, 5},
        {"follow_is_character_before", "xbegin", 5, {0}, 9, 6, 0},
        {"follow_refused_falls_back", "ybegin", 5, {0}, 1, 5, 1},
    };
    TKeywords words;
    words.AddWord("nigeb", false, 1, {0});
    words.AddWord("ni", false, 8, {0});
    words.AddWord("nigebx", false, 9, {0}, TCharSet().set(0));
    words.AddWord("nigeby", false, 10, {0}, TCharSet().set('q'));
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TStringEdStream stream(row.text, row.start);
        int length = 0;
        const TKeywordEntry* entry = words.FindWordBackwards(stream, false, row.states, length);
        EXPECT_EQ(entry ? entry->Token : -1, row.token);
        EXPECT_EQ(length, row.length);
        EXPECT_EQ(stream.Position(), row.position);
    }
}

TEST(Keywords, DuplicateWordsNeedDisjointStates)
{
    TKeywords words;
    words.AddWord("then", false, 1, {1});
    words.AddWord("THEN", false, 2, {2});
    try {
        words.AddWord("Then", false, 3, {0, 2});
        ADD_FAILURE() << "duplicate accepted";
    } catch (const EKeywords& e) {
        EXPECT_EQ(e.Message(), "Duplicate keyword - 'Then'");
    }
    EXPECT_EQ(words.EntryCount(), 2u);
    TStringEdStream stream("then");
    int length = 0;
    EXPECT_EQ(words.FindWord(stream, false, {0}, length), nullptr);
    // A case-sensitive word is a different word from its lower-case form.
    EXPECT_NO_THROW(words.AddWord("Then", true, 4, {1}));
}

TEST(Keywords, WideNodesAndPrefixesAllResolve)
{
    TKeywords words;
    std::vector<std::string> list;
    for (int c = 0; c < 40; ++c) {
        list.push_back(std::string("k") + static_cast<char>('0' + c));
        list.push_back(std::string("k") + static_cast<char>('0' + c) + "z");
    }
    for (size_t i = 0; i < list.size(); ++i)
        words.AddWord(list[i], true, static_cast<int>(i), {0});
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(list[i]);
        TStringEdStream stream(list[i]);
        int length = 0;
        const TKeywordEntry* entry = words.FindWord(stream, true, {0}, length);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->Token, static_cast<int>(i));
        EXPECT_EQ(length, static_cast<int>(list[i].size()));
    }
    words.Clear();
    EXPECT_TRUE(words.Empty());
    TStringEdStream stream("k0");
    int length = 0;
    EXPECT_EQ(words.FindWord(stream, true, {0}, length), nullptr);
}

TEST(Keywords, AnsiLowerCoversTheCodePage)
{
    EXPECT_EQ(AnsiLower("AbZ_09"), "abz_09");
    EXPECT_EQ(AnsiLowerChar(0xC0), 0xE0);
    EXPECT_EQ(AnsiLowerChar(0xD7), 0xD7);  // multiplication sign
    EXPECT_EQ(AnsiLowerChar(0xDE), 0xFE);
    EXPECT_EQ(AnsiLowerChar(0x8A), 0x9A);
    EXPECT_EQ(AnsiLowerChar(0x9F), 0xFF);
    EXPECT_EQ(AnsiLowerChar(0xDF), 0xDF);
}

TEST(StateSet, StoredBytesAreLeastSignificantBitFirst)
{
    TStateSet set{0, 9, 255};
    EXPECT_EQ(set.Byte(0), 0x01);
    EXPECT_EQ(set.Byte(1), 0x02);
    EXPECT_EQ(set.Byte(31), 0x80);
    TStateSet copy;
    for (int i = 0; i < TStateSet::kBytes; ++i)
        copy.SetByte(i, set.Byte(i));
    EXPECT_EQ(copy, set);
    EXPECT_TRUE(set.Meets(TStateSet{9}));
    EXPECT_FALSE(set.Meets(TStateSet{8, 10}));
    set -= TStateSet{9};
    EXPECT_FALSE(set.Contains(9));
    EXPECT_TRUE(TStateSet{}.Empty());
}

}  // namespace
}  // namespace tarnwick
