// The editor settings object: reset values, the settings block (layout,
// round trip, versions, malformed input), keyword tables, tab stops,
// attached editors and effect fonts.
#include "editor/core/code_memo_errors.h"
#include "editor/core/follow_class.h"
#include "editor/core/sm_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

std::string Save(const TSM_Settings& settings, int version = kNoStreamVersion)
{
    std::string bytes;
    TSMStreamWriter writer(bytes);
    settings.WriteToStream(writer, version);
    return bytes;
}

// Reads `bytes`; true when all of them were consumed.
bool Load(TSM_Settings& settings, std::string_view bytes, int version = kNoStreamVersion)
{
    TSMStreamReader reader(bytes);
    settings.ReadFromStream(reader, version);
    return reader.AtEnd();
}

// Every part of the block away from its reset value.
void Fill(TSM_Settings& s)
{
    s.ExampleText = "begin\rend.";
    s.LanguageName = "Object Pascal";
    s.WrapOverride = ">";
    s.Options = kOptionsReset | smoWordWrap;
    s.Margin = 8;
    s.RightMargin = 72;
    s.WrapAtColumn = 60;
    s.Gutter = 40;
    s.IndentStep = 3;
    s.MarginColor = 0x123456;
    s.GutterColor = 0x00FFFF;
    s.SelTextColor = clWhite;
    s.SelTextBack = 0xFF0000;
    s.SetTabDefault(8);
    s.Effects[5] = {kStyleItalic, 0xFF0000, clWhite, 0, 1, 0, true};
    s.Effects[7] = {kStyleBold, clBlack, clWhite, 1, 1, 1, true};
    s.EffectMap[1] = 5;
    s.EffectMap[255] = 7;
    s.AddEditableStyle("Comment", 5);
    s.AddEditableStyle("Reserved word", 7);
    s.SetTabColumnsText("5 9 20");
    s.Font = {"Lucida Console", 12, kAnsiCharset, 0, clWindowText};
    s.MarginColorDefault = 1;
    s.GutterColorDefault = 1;
    s.AddKeywordTable({}, "[^_A-Za-z0-9]", 0, {{"Begin", 7}, {"end", 7}});
    s.AddKeywordTable({1}, "", 1, {{"read", 23}});
    s.AutoReplace().AddEntry("teh", "the");
    s.AutoReplace().SetDelimiters(";,");
    s.Templates().AddTemplate("cls", "class declaration", "type\r  T| = class\rend;");
    s.Keys().AddBinding(static_cast<TShortCut>(VK_Q | scCtrl), VK_X, 3);
    s.SetGutterFont({"Arial", 9, kAnsiCharset, kStyleBold, 0x0000FF});
}

TEST(Settings, ResetValues)
{
    TSM_Settings s;
    EXPECT_EQ(s.LanguageName, "<Custom language>") << "from the string table";
    EXPECT_EQ(s.Options & (smoWordWrap | smoWrapOverride), 0u);
    EXPECT_TRUE(s.Effects[0].Defined);
    EXPECT_FALSE(s.Effects[1].Defined);
    EXPECT_EQ(s.AutoReplace().Delimiters(), kDefaultDelimiters);
    EXPECT_EQ(s.Keys().SaveToString(), DefaultKeyboardController().SaveToString())
        << "a reset object writes the default keys byte for byte";

    Fill(s);
    s.Reset();
    TSM_Settings fresh;
    EXPECT_TRUE(static_cast<const TSM_Values&>(s) == static_cast<const TSM_Values&>(fresh));
    EXPECT_EQ(Save(s), Save(fresh));
}

// The first fields of a reset object's block, byte by byte: three strings,
// the eleven integers, then effect 0 as the only defined effect.
TEST(Settings, BlockStartsWithStringsIntegersAndEffects)
{
    TSM_Settings s;
    const std::string bytes = Save(s);
    std::string expect;
    auto i32 = [&](uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8)
            expect.push_back(static_cast<char>((v >> shift) & 0xFF));
    };
    auto str = [&](std::string_view text) {
        i32(static_cast<uint32_t>(text.size()));
        expect += text;
    };
    str("");
    str("<Custom language>");
    str(">|:");
    for (uint32_t v : {0x3FFDBF0u, 2u, 80u, 0u, 34u, 1u, 0xFFFFFFu, clBtnFace, clHighlightText,
                       clHighlight, 4u})
        i32(v);
    i32(1);                       // defined effects
    expect += std::string("\0\0", 2);  // number 0, no style
    i32(clBlack);
    i32(clWhite);
    expect += std::string(3, '\0');  // default and hot-spot flags
    i32(1);                          // defined
    i32(0);                          // map entries
    i32(0);                          // editable styles
    for (int i = 0; i < kTabStopCount; ++i)
        i32(0xFFFFFFFFu);
    ASSERT_GE(bytes.size(), expect.size());
    EXPECT_EQ(bytes.substr(0, expect.size()), expect);
}

TEST(Settings, RoundTripIsByteIdenticalAndKeepsEverything)
{
    TSM_Settings source;
    Fill(source);
    const std::string first = Save(source);

    TSM_Settings copy;
    EXPECT_TRUE(Load(copy, first)) << "every byte of the block is consumed";
    EXPECT_EQ(Save(copy), first);
    EXPECT_TRUE(static_cast<const TSM_Values&>(copy) == static_cast<const TSM_Values&>(source));
    EXPECT_EQ(copy.KeywordTables(), source.KeywordTables());
    EXPECT_EQ(copy.TabColumnsText(), "5 9 20");
    EXPECT_EQ(copy.AutoReplace().Delimiters(), ";,");
    EXPECT_EQ(copy.Templates().FindTemplate("CLS"), "type\r  T| = class\rend;");
    EXPECT_EQ(copy.Keys().Bindings(), source.Keys().Bindings());
    EXPECT_EQ(copy.GutterFont.Name, "Arial");
}

TEST(Settings, Version50HasNoGutterFontAndKeepsTheCurrentOne)
{
    TSM_Settings source;
    Fill(source);
    const std::string v50 = Save(source, 50);
    const std::string v51 = Save(source, 51);
    EXPECT_LT(v50.size(), v51.size());
    EXPECT_EQ(v51.substr(0, v50.size()), v50);

    TSM_Settings target;
    const TSM_FontDesc own{"Tahoma", 7, kDefaultCharset, kStyleItalic, 0x808080};
    target.SetGutterFont(own);
    EXPECT_TRUE(Load(target, v50, 50));
    EXPECT_EQ(target.GutterFont, own);
    EXPECT_EQ(target.LanguageName, "Object Pascal");
    EXPECT_EQ(Save(target, 50), v50);

    // The StreamVersion member drives the plain stream calls.
    target.StreamVersion = 51;
    EXPECT_EQ(target.SaveToString(), Save(target, 51));
    target.StreamVersion = 50;
    target.LoadFromString(v50);
    EXPECT_EQ(target.GutterFont, own);
}

TEST(Settings, TruncatedBlockRaisesAndChangesNothing)
{
    TSM_Settings source;
    Fill(source);
    const std::string bytes = Save(source);

    TSM_Settings target;
    target.LanguageName = "unchanged";
    const std::string before = Save(target);
    for (size_t length = 0; length < bytes.size(); ++length) {
        EXPECT_THROW(Load(target, std::string_view(bytes).substr(0, length)), Exception)
            << "prefix of " << length << " bytes";
        ASSERT_EQ(Save(target), before) << "prefix of " << length << " bytes";
    }
}

// Patches a reset object's block at a field and expects the read to fail
// with `message` (empty: any message), the target unchanged.
TEST(Settings, MalformedFieldsRaiseClearErrors)
{
    TSM_Settings reset;
    const std::string base = Save(reset);
    // Offsets in a reset object's block.
    const size_t ints = 4 + 4 + 17 + 4 + 3;
    const size_t tabDefault = ints + 10 * 4;
    const size_t effectCount = ints + 11 * 4;
    const size_t styleCount = effectCount + 4 + 17 + 4;
    const size_t tabTable = styleCount + 4;

    auto put32 = [](std::string bytes, size_t at, uint32_t v) {
        std::string le;
        for (int shift = 0; shift < 32; shift += 8)
            le.push_back(static_cast<char>((v >> shift) & 0xFF));
        return bytes.replace(at, 4, le);
    };
    struct Row {
        const char* name;
        std::string bytes;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"negative_string_length", put32(base, 0, 0xFFFFFFFF), "Stream read error"},
        {"huge_string_length", put32(base, 4, 0x7FFFFFFF), "Stream read error"},
        {"zero_tab_default", put32(base, tabDefault, 0),
         "=Illegal default tab stop value, must be > 0"},
        {"forged_effect_count", put32(base, effectCount, 0x10000000), "Stream read error"},
        {"twenty_six_styles", put32(base, styleCount, 26), "Stream read error"},
        {"tab_stops_out_of_order",
         put32(put32(base, tabTable, 8), tabTable + 4, 4), "Tab columns must be in order and unique"},
        {"tab_stop_after_end", put32(base, tabTable + 8, 9),
         "Tab columns must be in order and unique"},
        {"trailing_garbage_is_left_unread", base + "xyz", ""},
    };
    for (const Row& row : rows) {
        TSM_Settings target;
        target.Margin = 99;
        const std::string before = Save(target);
        if (row.message.empty()) {
            EXPECT_FALSE(Load(target, row.bytes)) << row.name;
            continue;
        }
        try {
            Load(target, row.bytes);
            ADD_FAILURE() << row.name << ": no error";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), row.message) << row.name;
        }
        EXPECT_EQ(Save(target), before) << row.name;
    }
}

TEST(Settings, KeywordTablesReplaceOverlapAndLimit)
{
    TSM_Settings s;
    s.AddKeywordTable({}, "", 0, {{"old", 1}});
    EXPECT_EQ(s.KeywordTables()[0].States, TStateSet{0}) << "empty set means {0}";

    s.AddKeywordTable({0}, "", 0, {{"new", 2}});
    ASSERT_EQ(s.KeywordTables().size(), 1u) << "equal set replaces";
    EXPECT_EQ(s.KeywordTables()[0].Words[0].Word, "new");

    EXPECT_THROW(
        {
            try {
                s.AddKeywordTable({0, 1}, "", 0, {{"x", 3}});
            } catch (const EKeywords& e) {
                EXPECT_STREQ(e.what(), "Ambigious key table state definition");
                throw;
            }
        },
        EKeywords);

    for (int state = 1; state < kMaxKeywordTables; ++state)
        s.AddKeywordTable({state}, "", 0, {{"w", state}});
    EXPECT_EQ(s.KeywordTables().size(), 21u);
    s.AddKeywordTable({20}, "", 0, {{"again", 9}});  // replacing is still allowed
    try {
        s.AddKeywordTable({21}, "", 0, {{"w", 1}});
        ADD_FAILURE() << "a 22nd table was accepted";
    } catch (const EKeywords& e) {
        EXPECT_STREQ(e.what(), "Too many keyword tables declared");
    }
    EXPECT_EQ(s.KeywordTables().size(), 21u);

    // Bad tables leave the tables and the store as they were.
    const auto tables = s.KeywordTables();
    EXPECT_THROW(s.AddKeywordTable({0}, "z-a", 0, {{"w", 1}}), EKeywords);
    EXPECT_THROW(s.AddKeywordTable({0}, "", 0, {{"w", 256}}), EKeywords);
    EXPECT_THROW(s.AddKeywordTable({0}, "", 0, {{"w", 1}, {"W", 2}}), EKeywords)
        << "same word twice in a case-insensitive table";
    EXPECT_EQ(s.KeywordTables(), tables);
}

TEST(Settings, KeywordStoreFollowsCaseAndFollowClass)
{
    TSM_Settings s;
    s.AddKeywordTable({0}, "[^_A-Za-z0-9]", 0, {{"Begin", 7}});
    s.AddKeywordTable({1}, "", 1, {{"Read", 23}});
    struct Row {
        const char* name;
        const char* text;
        bool caseSensitive;
        TStateSet states;
        int token;  // 0: no match
    };
    const Row rows[] = {
        {"lower_cased_word_matches_any_case", "BEGIN x", false, {0}, 7},
        {"case_sensitive_scheme_needs_lower_case", "BEGIN x", true, {0}, 0},
        {"follow_class_refuses_identifier_char", "begin_x", false, {0}, 0},
        {"word_at_end_of_text", "begin", false, {0}, 7},
        {"other_state_not_matched", "begin ", false, {1}, 0},
        {"case_sensitive_table_keeps_case", "Read;", true, {1}, 23},
        {"case_sensitive_table_other_case", "read;", true, {1}, 0},
    };
    for (const Row& row : rows) {
        TStringEdStream stream(row.text);
        int length = 0;
        const TKeywordEntry* entry =
            s.KeywordStore().FindWord(stream, row.caseSensitive, row.states, length);
        EXPECT_EQ(entry ? entry->Token : 0, row.token) << row.name;
    }
}

TEST(Settings, FollowClassParser)
{
    auto chars = [](std::string_view text) {
        TCharSet set;
        for (char c : text)
            set.set(static_cast<unsigned char>(c));
        return set;
    };
    struct Row {
        const char* name;
        const char* raw;
        TCharSet expect;
    };
    const Row rows[] = {
        {"empty_means_any", "", TCharSet()},
        {"single", "x", chars("x")},
        {"range", "a-c", chars("abc")},
        {"escaped_blank", "\\s", chars(" ")},
        {"octal_and_hex", "[\\101\\x42]", chars("AB")},
        {"dash_before_bracket", "[a-]", chars("a-")},
        {"negated", "[^a]", ~chars("a")},
    };
    for (const Row& row : rows)
        EXPECT_EQ(ParseFollowClass(row.raw), row.expect) << row.name;

    const std::pair<const char*, const char*> errors[] = {
        {"z-a", "Characters not in correct order for range specifier"},
        {"[abc", "']' expected"},
        {"ab", "Single character specifier expected"},
        {"\\x100", "Range error, value outwith 0 .. 255"},
    };
    for (const auto& [raw, message] : errors) {
        try {
            ParseFollowClass(raw);
            ADD_FAILURE() << raw << ": no error";
        } catch (const EKeywords& e) {
            EXPECT_EQ(e.Message(), message) << raw;
        }
    }
}

TEST(Settings, TabColumnsTextAndErrorsKeepOldStops)
{
    TSM_Settings s;
    s.SetTabColumnsText("5 9;20");
    EXPECT_EQ(s.TabColumns[2], 19);
    EXPECT_EQ(s.TabColumnsText(), "5 9 20");
    EXPECT_THROW(s.SetTabColumnsText("9 5"), ECodeMemo);
    EXPECT_EQ(s.TabColumnsText(), "5 9 20");
}

class RecordingEditor : public TCodeMemoClient {
public:
    void SettingsChanged(TSM_Settings&, TSM_Change change) override { changes.push_back(change); }
    std::vector<TSM_Change> changes;
};

TEST(Settings, AttachedEditorsOwnTheEffectFonts)
{
    TSM_Settings s;
    s.Effects[7] = {kStyleBold, clBlack, clWhite, 0, 0, 0, true};
    RecordingEditor a, b;
    EXPECT_FALSE(s.FontsBuilt());
    s.AttachEditor(&a);
    s.AttachEditor(&a);
    s.AttachEditor(&b);
    EXPECT_EQ(s.EditorCount(), 2) << "attaching twice counts once";
    ASSERT_NE(s.EffectFont(7), nullptr);
    EXPECT_EQ(s.EffectFont(7)->Style, kStyleBold);
    EXPECT_EQ(s.EffectFont(7)->Name, "Courier New");
    EXPECT_EQ(s.EffectFont(8), nullptr) << "undefined effect";

    s.SetGutterFont({"Arial", 8, kAnsiCharset, 0, clBlack});
    s.EffectsChanged();
    const std::vector<TSM_Change> expect{TSM_Change::smcGutterFont, TSM_Change::smcEffects};
    EXPECT_EQ(a.changes, expect);
    EXPECT_EQ(b.changes, expect);

    // Reading a block keeps the editors and rebuilds the fonts from it.
    TSM_Settings italic;
    italic.Effects[7] = {kStyleItalic, clBlack, clWhite, 0, 0, 0, true};
    s.Assign(italic);
    EXPECT_EQ(s.EditorCount(), 2);
    ASSERT_NE(s.EffectFont(7), nullptr);
    EXPECT_EQ(s.EffectFont(7)->Style, kStyleItalic);

    s.DetachEditor(&a);
    EXPECT_TRUE(s.FontsBuilt());
    s.DetachEditor(&b);
    s.DetachEditor(&b);
    EXPECT_FALSE(s.FontsBuilt());
    EXPECT_EQ(s.EffectFont(7), nullptr);
}

TEST(Settings, AssignCopiesAllAndRefusesOtherClasses)
{
    TSM_Settings source;
    Fill(source);
    TSM_Settings target;
    int recognised = -1;
    target.Keys().OnRecognised = [&](int code) { recognised = code; };
    target.Assign(source);
    EXPECT_EQ(Save(target), Save(source));
    ASSERT_TRUE(target.Keys().OnRecognised) << "the editor's callback stays";
    target.Keys().OnRecognised(5);
    EXPECT_EQ(recognised, 5);

    TCodeTemplates templates;
    try {
        target.Assign(templates);
        ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_STREQ(e.what(), "Cannot assign a TCodeTemplates to TSM_Settings");
    }
    EXPECT_EQ(Save(target), Save(source));

    std::unique_ptr<TSM_Base> clone = source.Clone();
    EXPECT_EQ(clone->SaveToString(), source.SaveToString());
}

}  // namespace
}  // namespace tarnwick
