// Code templates and auto-replace: delimiter specifications, matching before
// the caret, the computed expansion, the pop-up request and the streams.
#include "editor/core/auto_replace.h"
#include "editor/core/code_templates.h"
#include "editor/core/macro_expansion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnwick {
namespace {

constexpr TShortCut Shift(uint16_t key) { return static_cast<TShortCut>(key | scShift); }

TEST(AutoReplace, DelimiterSpecificationsNameKeys)
{
    struct TRow {
        const char* name;
        std::string text;
        std::vector<TShortCut> keys;
    };
    const std::vector<TRow> rows = {
        {"default",
         std::string(kDefaultDelimiters),
         {VK_OEM_1, VK_OEM_COMMA, Shift(VK_OEM_1), VK_OEM_PERIOD, VK_OEM_PLUS, Shift(VK_9),
          Shift(VK_0), VK_OEM_4, VK_OEM_6, VK_RETURN, VK_TAB, VK_SPACE}},
        {"escapes_n_and_r_are_one_key", "\\n\\r", {VK_RETURN}},
        {"escape_s_and_t", "\\s\\t", {VK_SPACE, VK_TAB}},
        {"key_name_any_case", "\\{PageUp}\\{f12}", {VK_PRIOR, VK_F12}},
        {"key_name_keeps_letters_and_digits", "\\{page-down}", {VK_NEXT}},
        {"unknown_key_name_adds_nothing", "\\{bogus};", {VK_OEM_1}},
        {"escaped_character_has_no_modifiers", "\\(", {VK_9}},
        {"plain_character_keeps_modifiers", "(A", {Shift(VK_9), Shift(VK_A)}},
        {"each_key_once", "aa;;", {VK_A, VK_OEM_1}},
        {"trailing_backslash_is_its_key", "x\\", {VK_X, VK_OEM_5}},
        {"untypable_character_adds_nothing", "\x01\xE9", {}},
        {"empty", "", {}},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ParseDelimiters(row.text), row.keys);
    }
}

TEST(AutoReplace, BadKeySpecifierKeepsTheDelimitersInForce)
{
    TAutoReplace list;
    list.SetDelimiters(";\\{space}");
    try {
        list.SetDelimiters(",\\{space");
        ADD_FAILURE() << "bad specifier accepted";
    } catch (const EKeywords& e) {
        EXPECT_EQ(e.Message(), "Bad key specifier");
    }
    EXPECT_EQ(list.Delimiters(), ";\\{space}");
    EXPECT_TRUE(list.IsTrigger(VK_SPACE, 0));
    EXPECT_FALSE(list.IsTrigger(VK_OEM_COMMA, 0));
}

TEST(AutoReplace, TriggerUsesShiftAndCtrlOnly)
{
    TAutoReplace list;
    EXPECT_TRUE(list.IsTrigger(VK_SPACE, 0));
    EXPECT_TRUE(list.IsTrigger(VK_SPACE, ssAlt));
    EXPECT_FALSE(list.IsTrigger(VK_SPACE, ssCtrl));
    EXPECT_TRUE(list.IsTrigger(VK_9, ssShift));  // "("
    EXPECT_FALSE(list.IsTrigger(VK_9, 0));
    list.SetDelimiters("");
    EXPECT_FALSE(list.IsTrigger(VK_SPACE, 0));
    list.Clear();
    EXPECT_EQ(list.Delimiters(), kDefaultDelimiters);
}

struct TKeyResult {
    TMacroKeyOutcome outcome;
    uint16_t key;
};

TKeyResult Offer(TMacroKeywords& list, const std::string& text, int64_t caret, uint16_t key,
                 TShiftState shift, TExpansionContext context = {})
{
    TStringEdStream stream(text);
    context.Text = &stream;
    context.Caret = caret;
    TKeyResult result;
    result.outcome = HandleMacroKey(list, context, key, shift);
    result.key = key;
    return result;
}

TEST(AutoReplace, ReplacesOnlyOnWordBoundaries)
{
    struct TRow {
        const char* name;
        std::string text;
        int64_t caret;
        bool handled;
        bool replaced;
        int64_t start;
    };
    const std::vector<TRow> rows = {
        {"word_then_blank", "teh", 3, true, true, 0},
        {"after_other_text", "a teh", 5, true, true, 2},
        {"any_case", "TEH", 3, true, true, 0},
        {"word_char_before_item", "xteh", 4, true, false, 0},
        {"word_char_after_caret", "tehx", 3, true, false, 0},
        {"digit_before_item_counts_as_word", "1teh", 4, true, false, 0},
        {"punctuation_before_item", "(teh", 4, true, true, 1},
        {"no_entry", "tea", 3, false, false, 0},
        {"caret_at_start", "teh", 0, false, false, 0},
    };
    TAutoReplace list;
    list.AddEntry("teh", "the");
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        const TKeyResult result = Offer(list, row.text, row.caret, VK_SPACE, 0);
        EXPECT_EQ(result.outcome.Handled, row.handled);
        EXPECT_EQ(result.key, VK_SPACE);  // the blank is typed after the replacement
        EXPECT_FALSE(result.outcome.Popup.has_value());
        ASSERT_EQ(result.outcome.Expansion.has_value(), row.replaced);
        if (row.replaced) {
            const TExpansion& e = *result.outcome.Expansion;
            EXPECT_EQ(e.ReplaceStart, row.start);
            EXPECT_EQ(e.ReplaceEnd, row.caret);
            EXPECT_EQ(e.Text, "the");
            EXPECT_FALSE(e.CaretAfter.has_value());
            EXPECT_EQ(e.UndoGroup, 16);
        }
    }
}

TEST(AutoReplace, HostEventMayChangeOrRefuse)
{
    TAutoReplace list;
    list.AddEntry("teh", "the");
    TExpansionContext context;
    std::string seenItem;
    char seenAtStream = 0;
    context.OnAutoReplace = [&](TCustomEdStream& stream, const std::string& item,
                                std::string& replaceWith, bool& canReplace) {
        seenItem = item;
        seenAtStream = static_cast<char>(stream.Current());
        replaceWith = "THE";
        canReplace = item != "Teh";
    };
    TKeyResult result = Offer(list, "a teh", 5, VK_SPACE, 0, context);
    ASSERT_TRUE(result.outcome.Expansion.has_value());
    EXPECT_EQ(result.outcome.Expansion->Text, "THE");
    EXPECT_EQ(seenItem, "teh");
    EXPECT_EQ(seenAtStream, 't');
    result = Offer(list, "Teh", 3, VK_SPACE, 0, context);
    EXPECT_TRUE(result.outcome.Handled);
    EXPECT_FALSE(result.outcome.Expansion.has_value());
}

TEST(CodeTemplates, ExpansionIndentsAndPlacesTheCaret)
{
    TCodeTemplates list;
    list.AddTemplate("begin", "Block", "begin\r  |\rend");
    const std::string text = "    begin";
    const TKeyResult result = Offer(list, text, 9, VK_J, ssCtrl);
    EXPECT_TRUE(result.outcome.Handled);
    EXPECT_EQ(result.key, 0);
    ASSERT_TRUE(result.outcome.Expansion.has_value());
    const TExpansion& e = *result.outcome.Expansion;
    EXPECT_EQ(e.ReplaceStart, 4);
    EXPECT_EQ(e.ReplaceEnd, 9);
    EXPECT_EQ(e.Text, "begin\r      \r    end");
    ASSERT_TRUE(e.CaretAfter.has_value());
    // After the two blanks on the second line.
    EXPECT_EQ(*e.CaretAfter, 4 + 6 + 6);
}

TEST(CodeTemplates, ExpansionTextRules)
{
    struct TRow {
        const char* name;
        std::string expansion;
        bool indent;
        bool marker;
        std::string text;
        int64_t caret;  // -1 = no caret position
    };
    // Expanded after "  x" at column 2 (item "x" at offset 2).
    const std::vector<TRow> rows = {
        {"crlf_from_event_stays_one_break", "a\r\nb", true, true, "a\r  b", -1},
        {"break_at_end_gets_no_indent", "a\r", true, true, "a\r", -1},
        {"no_indent_option", "a\rb", false, true, "a\rb", -1},
        {"only_first_marker_removed", "a|b|c", true, true, "ab|c", 3},
        {"marker_option_off", "a|b", true, false, "a|b", -1},
        {"control_characters_normalised", "a\x01" "b", true, true, "a.b", -1},
        {"empty_replacement", "", true, true, "", -1},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TCodeTemplates list;
        list.IndentLines = row.indent;
        list.CaretMarker = row.marker;
        list.AddTemplate("x", "", "unused");
        TStringEdStream stream("  x");
        TExpansionContext context;
        context.Text = &stream;
        context.Caret = 3;
        context.OnTemplateEvent = [&row](const std::string& name, std::string& replacement) {
            EXPECT_EQ(name, "x");
            replacement = row.expansion;
        };
        const std::optional<TExpansion> e = ComputeExpansion(list, context, 2, "x", "unused");
        ASSERT_TRUE(e.has_value());
        EXPECT_EQ(e->Text, row.text);
        EXPECT_EQ(e->CaretAfter.value_or(-1), row.caret);
    }
}

TEST(CodeTemplates, ColumnComesFromTheHost)
{
    TCodeTemplates list;
    list.AddTemplate("if", "", "if\rthen");
    TExpansionContext context;
    // The host expands the TAB before the item: offset 3 is column 8.
    context.ColumnOf = [](int64_t offset) { return offset == 3 ? 8 : -1; };
    TKeyResult result = Offer(list, "\tx if", 5, VK_J, ssCtrl, context);
    ASSERT_TRUE(result.outcome.Expansion.has_value());
    EXPECT_EQ(result.outcome.Expansion->ReplaceStart, 3);
    EXPECT_EQ(result.outcome.Expansion->Text, "if\r        then");
    // Without a host, the column is the count of characters in the line.
    result = Offer(list, "ab\r\tx if", 8, VK_J, ssCtrl);
    ASSERT_TRUE(result.outcome.Expansion.has_value());
    EXPECT_EQ(result.outcome.Expansion->Text, "if\r   then");
}

TEST(CodeTemplates, LongestNameBeforeTheCaretWins)
{
    TCodeTemplates list;
    list.AddTemplate("if", "", "IF");
    list.AddTemplate("elif", "", "ELIF");
    list.AddTemplate("Case", "", "CASE");
    struct TRow {
        const char* name;
        std::string text;
        int64_t caret;
        std::string expansion;  // "" = no match
        int64_t start;
    };
    const std::vector<TRow> rows = {
        {"longest", "x elif", 6, "ELIF", 2},
        {"shorter_name_inside_word", "xif", 3, "IF", 1},
        {"names_any_case", "CASE", 4, "CASE", 0},
        {"caret_mid_text", "if x", 2, "IF", 0},
        {"nothing_before_caret", "if", 0, "", 0},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TStringEdStream stream(row.text);
        const auto match = list.MatchBefore(stream, row.caret);
        EXPECT_EQ(match ? match->Entry->Expansion : std::string(), row.expansion);
        if (match) {
            EXPECT_EQ(match->Start, row.start);
        }
    }
    EXPECT_TRUE(list.DeleteTemplate("ELIF"));
    EXPECT_FALSE(list.DeleteTemplate("elif"));
    TStringEdStream stream("x elif");
    const auto match = list.MatchBefore(stream, 6);
    ASSERT_TRUE(match.has_value());
    EXPECT_EQ(match->Entry->Name, "if");
    EXPECT_EQ(list.FindTemplate("CASE"), "CASE");
    EXPECT_EQ(list.FindTemplate("nope"), "");
}

TEST(CodeTemplates, NoMatchOffersThePopupList)
{
    TCodeTemplates list;
    list.AddTemplate("forloop", "For loop", "for");
    list.AddTemplate("whileloop", "While loop", "while");
    list.AddTemplate("iff", "If", "if");
    const TKeyResult result = Offer(list, "abc Whi", 7, VK_J, ssCtrl);
    EXPECT_TRUE(result.outcome.Handled);
    EXPECT_EQ(result.key, 0);
    ASSERT_TRUE(result.outcome.Popup.has_value());
    const TPopupRequest& popup = *result.outcome.Popup;
    EXPECT_EQ(popup.TypedWord, "whi");
    EXPECT_EQ(list.TypedWord, "whi");
    EXPECT_EQ(popup.WordStart, 4);
    EXPECT_EQ(popup.WordEnd, 7);
    ASSERT_EQ(popup.Items.size(), 3u);
    EXPECT_EQ(popup.Items[0]->Name, "forloop");
    EXPECT_EQ(popup.Items[popup.Preselect]->Name, "whileloop");
    EXPECT_EQ(FindByPrefix(popup.Items, "I"), 1);
    EXPECT_EQ(FindByPrefix(popup.Items, "x"), -1);

    TStringEdStream stream("abc Whi");
    TExpansionContext context;
    context.Text = &stream;
    context.Caret = 7;
    auto chosen = ExpandChosen(list, context, popup, *popup.Items[2]);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->ReplaceStart, 4);
    EXPECT_EQ(chosen->ReplaceEnd, 7);
    EXPECT_EQ(chosen->Text, "while");
    // A name without the typed word leaves the word in place.
    chosen = ExpandChosen(list, context, popup, *popup.Items[0]);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->ReplaceStart, 7);
    EXPECT_EQ(chosen->ReplaceEnd, 7);

    const TKeyResult noWord = Offer(list, "", 0, VK_J, ssCtrl);
    ASSERT_TRUE(noWord.outcome.Popup.has_value());
    EXPECT_EQ(noWord.outcome.Popup->Preselect, 0);
    EXPECT_FALSE(Offer(list, "whi", 3, VK_K, ssCtrl).outcome.Handled);
    TCodeTemplates empty;
    EXPECT_FALSE(Offer(empty, "whi", 3, VK_J, ssCtrl).outcome.Handled);
}

template <typename T>
std::string Bytes(const T& list)
{
    return list.SaveToString();
}

TEST(MacroStreams, LayoutOfTemplatesAndAutoReplace)
{
    TCodeTemplates templates;
    templates.AddTemplate("AB", "", "x");
    const std::string expected("\x01\0\0\0"
                               "\x02" "ab"
                               "\x00"
                               "\x01\0\0\0" "x"
                               "\x06\0\0\0" "Ctrl+J"
                               "\x01\0\0\0",
                               27);
    EXPECT_EQ(Bytes(templates), expected);

    TAutoReplace replace;
    replace.AddEntry("ab", "x");
    replace.SetDelimiters(";");
    EXPECT_EQ(Bytes(replace), expected + std::string("\x01;", 2));
}

TEST(MacroStreams, RoundTripKeepsEverything)
{
    TAutoReplace source;
    source.AddEntry("teh", "the");
    source.AddEntry("adn", "and\r\nmore");
    source.SetDelimiters("\\{space}\\n");
    source.Trigger = VK_F2 | scShift;
    source.ExtraOption = 7;
    TAutoReplace copy;
    copy.Assign(source);
    EXPECT_EQ(Bytes(copy), Bytes(source));
    EXPECT_EQ(copy.Delimiters(), "\\{space}\\n");
    EXPECT_EQ(copy.Trigger, VK_F2 | scShift);
    EXPECT_EQ(copy.ExtraOption, 7);
    EXPECT_EQ(copy.Find("ADN")->Expansion, "and\rmore");
    EXPECT_FALSE(copy.Find("adn")->Description.has_value());
    TStringEdStream stream("x teh");
    EXPECT_TRUE(copy.MatchBefore(stream, 5).has_value());

    TCodeTemplates templates;
    templates.AddTemplate("fn", "Function", "function |");
    TCodeTemplates templatesCopy;
    templatesCopy.Assign(templates);
    EXPECT_EQ(*templatesCopy.Find("fn")->Description, "Function");
}

TEST(MacroStreams, BadStreamsRaiseAndChangeNothing)
{
    TAutoReplace source;
    source.AddEntry("teh", "the");
    source.SetDelimiters(";,");
    const std::string good = Bytes(source);

    TAutoReplace target;
    target.AddEntry("keep", "kept");
    const std::string before = Bytes(target);
    for (size_t length = 0; length < good.size(); ++length) {
        SCOPED_TRACE(length);
        EXPECT_THROW(target.LoadFromString(good.substr(0, length)), EReadError);
        EXPECT_EQ(Bytes(target), before);
    }
    std::string badSpec = good.substr(0, good.size() - 3) + std::string("\x02\\{", 3);
    EXPECT_THROW(target.LoadFromString(badSpec), EKeywords);
    EXPECT_EQ(Bytes(target), before);
    EXPECT_THROW(target.LoadFromString(std::string("\xFF\xFF\xFF\x7F", 4)), EReadError);
    EXPECT_THROW(target.LoadFromString(std::string("\x01\0\0\0\0\0\xFF\xFF\xFF\xFF", 10)),
                 EReadError);
    EXPECT_EQ(Bytes(target), before);
    TStringEdStream stream("keep");
    EXPECT_TRUE(target.MatchBefore(stream, 4).has_value());
}

TEST(MacroStreams, AssignFromAnotherClassIsRefused)
{
    TCodeTemplates templates;
    TAutoReplace replace;
    try {
        templates.Assign(replace);
        ADD_FAILURE() << "assign accepted";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "Cannot assign TAutoReplace to TCodeTemplates");
    }
}

}  // namespace
}  // namespace tarnwick
