// The built-in Object Pascal scheme, table by table: settings, effects and
// editable styles, the map, words, handlers, start tokens, keyword tables,
// state records and sets.
#include "builtin_test_util.h"

#include "editor/core/sm_colors.h"

#include <gtest/gtest.h>

#include <map>

namespace tarnwick::test {
namespace {

const TSM_Settings& Settings() { return BuiltinScheme().Settings(); }
const TParserTables& Tables() { return BuiltinScheme().Tables(); }

TEST(BuiltinSettings, DisplayValues)
{
    const TSM_Settings& s = Settings();
    EXPECT_EQ(s.LanguageName, "Object Pascal");
    EXPECT_EQ(s.ExampleText,
              "(* Syntax Highlighting *)\rprogram test;\rvar a: string;\r    b: integer;\r"
              "begin\r  b := 0;\r  a := '';\r  while b < 10 do begin\r"
              "    a := a + IntoToStr(b);\r    inc(b);\r   end;\rend.");
    EXPECT_EQ(s.WrapOverride, ">|:");
    EXPECT_EQ(s.Options, 0x3FFDBF0u);
    EXPECT_EQ(s.Margin, 8);
    EXPECT_EQ(s.RightMargin, 80);
    EXPECT_EQ(s.WrapAtColumn, 0);
    EXPECT_EQ(s.Gutter, 34);
    EXPECT_EQ(s.IndentStep, 1);
    EXPECT_EQ(s.MarginColor, 0xFFFFFFu);
    EXPECT_EQ(s.GutterColor, 0x00FFFFu);
    EXPECT_EQ(s.SelTextColor, 0xFFFFFFu);
    EXPECT_EQ(s.SelTextBack, 0xFF0000u);
    EXPECT_EQ(s.TabDefault, 4);
    for (int32_t column : s.TabColumns)
        EXPECT_EQ(column, -1);
    EXPECT_EQ(s.Font.Name, "Courier New");
    EXPECT_EQ(s.Font.Size, 10);
    EXPECT_EQ(s.Font.CharSet, 0);
    EXPECT_TRUE(s.MarginColorDefault);
    EXPECT_TRUE(s.SelTextColorDefault);
    EXPECT_TRUE(s.SelTextBackDefault);
    EXPECT_TRUE(s.GutterColorDefault);
    EXPECT_EQ(s.GutterFont, (TSM_FontDesc{"MS Sans Serif", 8, 1, 0, clWindowText}));
    EXPECT_EQ(Tables().Words.CaseFlag, 0);
}

TEST(BuiltinSettings, EffectsAndEditableStyles)
{
    constexpr uint8_t plain = 0, italic = kStyleItalic, bold = kStyleBold;
    // effect -> (style, foreground or -1 for the default colour)
    const std::map<int, std::pair<uint8_t, int64_t>> expected = {
        {0, {plain, -1}},          {2, {plain, -1}}, {3, {italic, -1}}, {4, {plain, 0x008000}},
        {5, {italic, 0xFF0000}},   {7, {bold, -1}},  {10, {plain, -1}},
    };
    for (int e = 0; e < kEffectCount; ++e) {
        const TSM_Effect& effect = Settings().Effects[static_cast<size_t>(e)];
        const auto it = expected.find(e);
        if (it == expected.end()) {
            EXPECT_FALSE(effect.Defined) << "effect " << e;
            continue;
        }
        ASSERT_TRUE(effect.Defined) << "effect " << e;
        EXPECT_EQ(effect.Style, it->second.first) << "effect " << e;
        if (it->second.second < 0) {
            EXPECT_TRUE(effect.ForeDefault) << "effect " << e;
        } else {
            EXPECT_FALSE(effect.ForeDefault) << "effect " << e;
            EXPECT_EQ(effect.Fore, it->second.second) << "effect " << e;
        }
        EXPECT_TRUE(effect.BackDefault) << "effect " << e;
        EXPECT_FALSE(effect.HotSpot) << "effect " << e;
    }
    const std::vector<TSM_EditableStyle> expectedStyles = {
        {"Reserved word", 7}, {"Comment", 5}, {"Identifier", 2}, {"String", 3},
        {"Number", 4},        {"Symbols", 10}, {"Default", 0}};
    EXPECT_EQ(Settings().EditableStyles, expectedStyles);
}

TEST(BuiltinSettings, TokenToEffectMap)
{
    const std::map<int, int> mapped = {
        {1, 5},  {2, 2},  {3, 3},  {4, 4},  {5, 5},  {6, 4},  {7, 7},  {8, 5},  {9, 5},
        {10, 10}, {11, 3}, {12, 3}, {20, 10}, {21, 7}, {22, 7}, {23, 7}, {24, 7}, {25, 7},
        {26, 7}, {27, 7}, {28, 7}, {29, 7},
    };
    for (int v = 0; v < 256; ++v) {
        const auto it = mapped.find(v);
        EXPECT_EQ(Settings().EffectMap[static_cast<size_t>(v)], it == mapped.end() ? 0 : it->second)
            << "token value " << v;
    }
}

TEST(BuiltinTables, TwentySevenWordsInOrder)
{
    struct TWord {
        const char* word;
        int token;
        TStateSet states;
        const char* follow;
    };
    const std::string hex = "0123456789ABCDEFabcdef";
    const std::vector<TWord> expected = {
        {"//", 1, {0}, ""},  {"{", 8, {0}, ""},   {"(*", 9, {0}, ""},  {":=", 10, {0}, ""},
        {"+", 10, {0}, ""},  {"-", 10, {0}, ""},  {"*", 10, {0}, ""},  {"/", 10, {0}, ""},
        {"=", 10, {0}, ""},  {"<>", 10, {0}, ""}, {"<", 10, {0}, ""},  {">", 10, {0}, ""},
        {"<=", 10, {0}, ""}, {">=", 10, {0}, ""}, {"(", 10, {0}, ""},  {")", 10, {0}, ""},
        {"[", 10, {0}, ""},  {"]", 10, {0}, ""},  {".", 10, {0}, ""},  {"..", 10, {0}, ""},
        {"^", 10, {0}, ""},  {",", 10, {0}, ""},  {":", 10, {0}, ""},  {"@", 10, {0}, ""},
        {";", 20, {0, 1}, ""}, {"#", 11, {0}, "0123456789"}, {"#$", 12, {0}, hex.c_str()},
    };
    const std::vector<TEndStyleObject>& words = Tables().Words.Words();
    ASSERT_EQ(words.size(), expected.size());
    for (size_t i = 0; i < words.size(); ++i) {
        EXPECT_EQ(words[i].Word, expected[i].word) << i;
        EXPECT_EQ(words[i].Token, expected[i].token) << expected[i].word;
        EXPECT_EQ(words[i].States, expected[i].states) << expected[i].word;
        EXPECT_EQ(Members(Tables(), words[i].FollowClass), expected[i].follow) << expected[i].word;
    }
}

TEST(BuiltinTables, Handlers)
{
    const std::string digits = "0123456789", hex = "0123456789ABCDEFabcdef";
    struct THandler {
        int token;
        std::string body;
        bool repeat;
        std::vector<std::string> terminator;
        bool include;
    };
    const std::vector<THandler> expected = {
        {1, AllBut("\r"), true, {"\r"}, false},
        {8, AllBut("}"), true, {"}"}, true},
        {9, AllBut(""), true, {"*", ")"}, true},
        {11, digits, false, {AllBut(digits)}, false},
        {12, hex, false, {AllBut(hex)}, false},
    };
    int count = 0;
    for (const auto& h : Tables().Handlers)
        count += h ? 1 : 0;
    EXPECT_EQ(count, 5);
    for (const THandler& want : expected) {
        const auto& h = Tables().Handlers[static_cast<size_t>(want.token)];
        ASSERT_TRUE(h) << "handler " << want.token;
        EXPECT_FALSE(h->Body.Routine) << want.token;
        EXPECT_EQ(Members(Tables(), h->Body.ClassIndex), want.body) << want.token;
        EXPECT_EQ(h->Body.Repeat != 0, want.repeat) << want.token;
        EXPECT_FALSE(h->Terminator.Routine) << want.token;
        ASSERT_EQ(h->Terminator.Count, want.terminator.size()) << want.token;
        for (size_t i = 0; i < want.terminator.size(); ++i) {
            EXPECT_EQ(Members(Tables(), h->Terminator.Classes[i]), want.terminator[i])
                << want.token;
        }
        EXPECT_EQ(h->Terminator.Include != 0, want.include) << want.token;
    }
}

TEST(BuiltinTables, SixtyNineStartTokens)
{
    const TParserTables& t = Tables();
    EXPECT_EQ(t.GlobalStart.OccupiedCount(), 69);
    EXPECT_TRUE(t.NoInStateTables);
    EXPECT_TRUE(t.InStateSet.Empty());

    const std::string blanks = "\t\r ", hex = "0123456789ABCDEFabcdef";
    for (char c : blanks) {
        const TTokenRecord* r = t.StartRecord(t.GlobalStart, static_cast<uint8_t>(c));
        ASSERT_NE(r, nullptr) << int(c);
        EXPECT_EQ(r->Token, 0);
        EXPECT_FALSE(r->Start.Routine);
        EXPECT_EQ(Members(t, r->Body.ClassIndex), blanks);
        EXPECT_TRUE(r->Body.Repeat);
        ASSERT_EQ(r->Terminator.Count, 1);
        EXPECT_EQ(Members(t, r->Terminator.Classes[0]), AllBut(blanks));
        EXPECT_FALSE(r->Terminator.Include);
    }
    const TTokenRecord* dollar = t.StartRecord(t.GlobalStart, '$');
    ASSERT_NE(dollar, nullptr);
    EXPECT_EQ(dollar->Token, 6);
    EXPECT_EQ(Members(t, dollar->Body.ClassIndex), hex);
    EXPECT_FALSE(dollar->Body.Repeat);
    ASSERT_EQ(dollar->Terminator.Count, 1);
    EXPECT_EQ(Members(t, dollar->Terminator.Classes[0]), AllBut(hex));
    EXPECT_FALSE(dollar->Terminator.Include);

    // The standard kinds: one routine record per kind, shared by its start
    // characters.
    const struct {
        std::string starts;
        int token;
        int kind;
    } kinds[] = {
        {"'", 3, 12},
        {".0123456789", 4, 11},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz", 2, 10},
    };
    for (const auto& kind : kinds) {
        const TTokenRecord* first = t.StartRecord(t.GlobalStart, uint8_t(kind.starts[0]));
        ASSERT_NE(first, nullptr) << kind.token;
        EXPECT_TRUE(first->Start.Routine) << kind.token;
        EXPECT_FALSE(first->Start.Custom) << kind.token;
        for (char c : kind.starts) {
            const TTokenRecord* r = t.StartRecord(t.GlobalStart, static_cast<uint8_t>(c));
            ASSERT_NE(r, nullptr) << c;
            EXPECT_EQ(*r, *first) << c;
            EXPECT_EQ(r->Token, kind.token) << c;
        }
    }
    for (int c = 0; c < 256; ++c) {
        const TTokenRecord* r = t.StartRecord(t.GlobalStart, static_cast<uint8_t>(c));
        if (r != nullptr) {
            EXPECT_EQ(r->Valid, TStateSet{0}) << c;
        }
    }
}

TEST(BuiltinTables, ThreeKeywordTables)
{
    const std::vector<TSM_KeywordTable>& tables = Settings().KeywordTables();
    ASSERT_EQ(tables.size(), 3u);
    const TStateSet states[] = {{0}, {1}, {2}};
    const size_t counts[] = {89, 4, 3};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(tables[i].States, states[i]) << i;
        EXPECT_EQ(tables[i].FollowText, "[^_A-Za-z0-9]") << i;
        EXPECT_EQ(tables[i].CaseFlag, 0) << i;
        EXPECT_EQ(tables[i].Words.size(), counts[i]) << i;
    }
    const std::vector<TSM_KeywordWord>& pascal = tables[0].Words;
    EXPECT_EQ(pascal.front(), (TSM_KeywordWord{"and", 7}));
    EXPECT_EQ(pascal[86], (TSM_KeywordWord{"xor", 7}));
    EXPECT_EQ(pascal[87], (TSM_KeywordWord{"exports", 26}));
    EXPECT_EQ(pascal[88], (TSM_KeywordWord{"property", 21}));
    std::map<std::string, int> byWord;
    for (const TSM_KeywordWord& w : pascal)
        byWord[w.Word] = w.Token;
    EXPECT_EQ(byWord.size(), 89u) << "a word is listed twice";
    for (const char* word : {"begin", "end", "read", "resident", "threadvar", "absolute",
                             "automated", "dispid", "resourcestring", "nodefault", "inline"})
        EXPECT_EQ(byWord[word], 7) << word;
    for (const char* notThere : {"write", "default", "stored", "name", "index"})
        EXPECT_EQ(byWord.count(notThere), 0u) << notThere;

    EXPECT_EQ(tables[1].Words, (std::vector<TSM_KeywordWord>{
                                   {"default", 22}, {"read", 23}, {"write", 24}, {"stored", 25}}));
    EXPECT_EQ(tables[2].Words, (std::vector<TSM_KeywordWord>{
                                   {"name", 27}, {"index", 28}, {"resident", 29}}));
}

TEST(BuiltinTables, StateRecordsAndSets)
{
    const TParserTables& t = Tables();
    const TTokenStateRecord semicolon{{0, 1}, {0}, {1, 2}, 0, 0, 0};
    const TTokenStateRecord property{{0}, {1}, {0}, 0, 0, 0};
    const TTokenStateRecord exports{{0}, {2}, {}, 0, 0, 0};
    for (int v = 0; v < 256; ++v) {
        const auto& r = t.StateRecords[static_cast<size_t>(v)];
        if (v == 20) {
            EXPECT_EQ(r, semicolon);
        } else if (v == 21) {
            EXPECT_EQ(r, property);
        } else if (v == 26) {
            EXPECT_EQ(r, exports);
        } else if (r) {
            // Words and start tokens leave a record behind: state 0, no change.
            EXPECT_EQ(*r, (TTokenStateRecord{{0}, {}, {}, 0, 1, 0})) << "token value " << v;
        }
    }
    EXPECT_EQ(t.AnchorSet, TStateSet{0});
    EXPECT_TRUE(t.BoundSet.Empty());
    EXPECT_EQ(t.StartSet, TStateSet{0});
    EXPECT_EQ(t.CustomParse, 0);
}

}  // namespace
}  // namespace tarnwick::test
