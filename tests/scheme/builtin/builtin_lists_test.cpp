// The built-in Object Pascal scheme's lists (key assignments and their
// descriptions, code templates, auto-replace), its two copies (with and
// without the context table) and the "<Custom language>" scheme.
#include "builtin_test_util.h"

#include "editor/core/sm_colors.h"
#include "platform/keys.h"
#include "scheme/builtin/builtin_scheme.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

const TSM_Settings& Settings() { return BuiltinScheme().Settings(); }

// A binding written the way the menus show shortcuts: "Ctrl+K" and "I".
struct TNamedBinding {
    std::string first;
    std::string second;
    int code;
    bool operator==(const TNamedBinding&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TNamedBinding& b)
{
    return out << b.first << (b.second.empty() ? "" : ", " + b.second) << " -> " << b.code;
}

TEST(BuiltinLists, FortyFiveKeyBindingsInStoredOrder)
{
    std::vector<TNamedBinding> expected = {
        {"Left", "", 0},        {"Right", "", 1},       {"Home", "", 2},
        {"End", "", 3},         {"Up", "", 4},          {"Down", "", 5},
        {"PgUp", "", 6},        {"PgDn", "", 7},        {"Ctrl+Left", "", 8},
        {"Ctrl+Right", "", 9},  {"Ctrl+Home", "", 10},  {"Ctrl+End", "", 11},
        {"Ctrl+X", "", 12},     {"Ctrl+C", "", 13},     {"Ctrl+Ins", "", 13},
        {"Ctrl+V", "", 14},     {"Shift+Ins", "", 14},  {"Del", "", 15},
        {"BkSp", "", 16},       {"Ins", "", 19},        {"Ctrl+Z", "", 41},
        {"Shift+Ctrl+Z", "", 42},
    };
    for (int n = 0; n <= 9; ++n)
        expected.push_back({"Ctrl+Q", std::to_string(n), 30 + n});
    expected.push_back({"Ctrl+K", "I", 17});
    expected.push_back({"Ctrl+K", "U", 18});
    for (int n = 0; n <= 9; ++n)
        expected.push_back({"Ctrl+K", std::to_string(n), 20 + n});
    expected.push_back({"Ctrl+K", "P", 44});
    ASSERT_EQ(expected.size(), 45u);

    std::vector<TNamedBinding> actual;
    for (const TKeyBinding& b : Settings().Keys().Bindings())
        actual.push_back({ShortCutToText(b.FirstKey),
                          b.SecondKey == 0 ? "" : ShortCutToText(b.SecondKey), b.Code});
    EXPECT_EQ(actual, expected);
}

TEST(BuiltinLists, CtrlShiftZIsTheRedoShortcut)
{
    // The text form above depends on the shortcut notation; the key values
    // themselves are pinned here.
    const std::vector<TKeyBinding> bindings = Settings().Keys().Bindings();
    EXPECT_EQ(bindings[21], (TKeyBinding{static_cast<TShortCut>(scCtrl | scShift | VK_Z), 0, 42}));
    EXPECT_EQ(bindings[22], (TKeyBinding{static_cast<TShortCut>(scCtrl | VK_Q), VK_0, 30}));
    EXPECT_EQ(bindings[44], (TKeyBinding{static_cast<TShortCut>(scCtrl | VK_K), VK_P, 44}));
}

TEST(BuiltinLists, FortyThreeCommandDescriptions)
{
    std::vector<std::pair<int, std::string>> expected = {
        {0, "Cursor Left"},        {1, "Cursor Right"},        {2, "Line start"},
        {3, "Line end"},           {4, "Line up"},             {5, "Line down"},
        {6, "Page up"},            {7, "Page down"},           {8, "Word left"},
        {9, "Word right"},         {10, "Document start"},     {11, "Document end"},
        {12, "Cut to clipboard"},  {13, "Copy to clipboard"},  {14, "Paste from clipboard"},
        {15, "Delete at cursor"},  {16, "Delete before cursor"}, {17, "Indent block"},
        {18, "Un-Indent block"},   {19, "Toggle insert / override mode"},
    };
    for (int n = 0; n <= 9; ++n)
        expected.emplace_back(20 + n, "Set bookmark " + std::to_string(n));
    for (int n = 0; n <= 9; ++n)
        expected.emplace_back(30 + n, "Goto bookmark " + std::to_string(n));
    expected.emplace_back(41, "Undo");
    expected.emplace_back(42, "Redo");
    expected.emplace_back(44, "Print selection");
    EXPECT_EQ(Settings().Keys().Descriptions(), expected);
    EXPECT_EQ(Settings().Keys().GetDescription(40), "");
    EXPECT_EQ(Settings().Keys().GetDescription(43), "");
}

TEST(BuiltinLists, DeleteLineAndDeletePreviousWordAreUnbound)
{
    TKeyboardActionContoller keys;
    keys.Assign(Settings().Keys());
    TShortCut first = 1, second = 1;
    for (int code : {40, 43}) {
        EXPECT_FALSE(keys.KeyStore().FindBinding(code, first, second)) << code;
        EXPECT_EQ(first, 0) << code;
    }
    int code = -1;
    // Ctrl+Y and Ctrl+Backspace are no keys of this scheme.
    EXPECT_EQ(keys.KeyStore().Match(static_cast<TShortCut>(scCtrl | VK_Y), code),
              TKeyStore::TMatch::NotFound);
    EXPECT_EQ(keys.KeyStore().Match(static_cast<TShortCut>(scCtrl | VK_BACK), code),
              TKeyStore::TMatch::NotFound);
    EXPECT_EQ(keys.KeyStore().Match(static_cast<TShortCut>(scCtrl | VK_INSERT), code),
              TKeyStore::TMatch::Recognised);
    EXPECT_EQ(code, 13);
    EXPECT_EQ(keys.KeyStore().Match(static_cast<TShortCut>(scShift | VK_INSERT), code),
              TKeyStore::TMatch::Recognised);
    EXPECT_EQ(code, 14);
}

TEST(BuiltinLists, CodeTemplates)
{
    const TCodeTemplates& templates = Settings().Templates();
    ASSERT_EQ(templates.Count(), 2u);
    EXPECT_EQ(ShortCutToText(templates.Trigger), "Ctrl+J");
    EXPECT_EQ(templates.ExtraOption, 1);

    const TMacroEntry* casee = templates.Find("casee");
    ASSERT_NE(casee, nullptr);
    EXPECT_EQ(casee->Description, "Case with else clause");
    EXPECT_EQ(casee->Expansion, "case | of\r   :\r   :\r  else\r end;\r");

    const TMacroEntry* headgp = templates.Find("headgp");
    ASSERT_NE(headgp, nullptr);
    EXPECT_EQ(headgp->Description, "Procedure header - general");
    const std::string rule(119, '/');
    EXPECT_EQ(headgp->Expansion, rule + "\r//\r//  @procedure    |\r//  @author       Tarnwick\r"
                                        "//\r//\r//\r" + rule + "\rprocedure ");
}

TEST(BuiltinLists, AutoReplace)
{
    const TAutoReplace& list = Settings().AutoReplace();
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"(c)", "\xA9"}, {"(r)", "\xAE"}, {"(tm)", "\x99"}, {"teh", "the"}};
    std::vector<std::pair<std::string, std::string>> actual;
    for (const TMacroEntry* entry : list.List()) {
        actual.emplace_back(entry->Name, entry->Expansion);
        EXPECT_TRUE(!entry->Description || entry->Description->empty()) << entry->Name;
    }
    EXPECT_EQ(actual, expected);
    EXPECT_EQ(ShortCutToText(list.Trigger), "Ctrl+J");
    EXPECT_EQ(list.ExtraOption, 1);
    EXPECT_EQ(list.Delimiters(), ";,:.=()[]\\{Return}\\{Tab}\\{Space}");
}

TEST(BuiltinCopies, OnlyTheContextTableDiffers)
{
    TCodeMemoParser active, parser1;
    LoadBuiltinScheme(active, false);
    LoadBuiltinScheme(parser1, true);

    for (const TStateSet& set : active.Tables().ContextSets)
        EXPECT_EQ(set, TStateSet{0});
    for (const TStateSet& set : parser1.Tables().ContextSets)
        EXPECT_TRUE(set.Empty());

    // ActiveParser's copy saves exactly the embedded stream; Parser1's
    // carries 256 context sets (each a value byte and 32 bytes) more.
    const std::string activeBytes = active.SaveToBytes();
    EXPECT_EQ(activeBytes, BuiltinSchemeStream());
    TCodeMemoParser reloaded;
    reloaded.LoadFromBytes(parser1.SaveToBytes());
    for (const TStateSet& set : reloaded.Tables().ContextSets)
        EXPECT_TRUE(set.Empty());
    EXPECT_EQ(reloaded.Settings().LanguageName, "Object Pascal");

    // Both restart in the start states and tokenize alike.
    const std::string text = "property X: Integer read FX write FX; { c } $1F";
    EXPECT_EQ(Tokenize(active, text), Tokenize(parser1, text));
}

TEST(BuiltinCopies, LoadingReplacesWhateverWasThere)
{
    TCodeMemoParser parser;
    parser.CompileText("%%Words 'xyz' '' 99");
    LoadBuiltinScheme(parser, false);
    EXPECT_EQ(parser.Tables().Words.Words().size(), 27u);
    EXPECT_EQ(parser.Settings().LanguageName, "Object Pascal");
}

TEST(CustomLanguage, IsTheEmptyScheme)
{
    TCodeMemoParser parser;
    LoadBuiltinScheme(parser, false);
    MakeCustomLanguageScheme(parser);

    const TSM_Settings& s = parser.Settings();
    EXPECT_EQ(s.LanguageName, "<Custom language>");
    EXPECT_EQ(s.Margin, 2);
    EXPECT_EQ(s.GutterColor, clBtnFace);
    EXPECT_TRUE(s.Effects[0].Defined);
    for (size_t e = 1; e < s.Effects.size(); ++e)
        EXPECT_FALSE(s.Effects[e].Defined) << e;
    for (uint8_t effect : s.EffectMap)
        EXPECT_EQ(effect, 0);
    EXPECT_FALSE(s.HasKeywordTables());
    EXPECT_EQ(s.Templates().Count(), 0u);
    EXPECT_EQ(s.AutoReplace().Count(), 0u);

    const TParserTables& t = parser.Tables();
    EXPECT_TRUE(t.Words.Words().empty());
    EXPECT_EQ(t.GlobalStart.OccupiedCount(), 0);
    for (const auto& h : t.Handlers)
        EXPECT_FALSE(h);
    for (const auto& r : t.StateRecords)
        EXPECT_FALSE(r);

    // Every character is plain text.
    EXPECT_EQ(Tokenize(parser, "{x}"), (TTokens{{0, "{"}, {0, "x"}, {0, "}"}}));
}

}  // namespace
}  // namespace tarnwick::test
