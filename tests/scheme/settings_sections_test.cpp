// The settings-side sections compiled into a scheme: %%Language, %%Map,
// %%Effects, %%KwTables, %%Keys, %%AutoReplace and %%Templates — what each
// entry stores, the defaults, and every message an entry can raise.
#include "platform/keys.h"
#include "scheme/code_memo_parser.h"
#include "scheme/compiler_error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

namespace tarnwick {
namespace {

using TCheck = std::function<void(const TCodeMemoParser&)>;

struct TValueRow {
    const char* name;
    const char* script;
    TCheck check;
};

class SettingsSectionValues : public ::testing::TestWithParam<TValueRow> {};

TEST_P(SettingsSectionValues, Stored)
{
    TCodeMemoParser p;
    try {
        p.CompileText(GetParam().script);
    } catch (const ECompilerError& error) {
        FAIL() << error.what();
    }
    GetParam().check(p);
}

const TSM_Settings& S(const TCodeMemoParser& p) { return p.Settings(); }
const TParserTables& T(const TCodeMemoParser& p) { return p.Tables(); }

const std::string kName255 = "%%Keys caCUT '" + std::string(255, 'a') + "'";

std::vector<TKeyBinding> Bindings(std::initializer_list<TKeyBinding> list) { return list; }

INSTANTIATE_TEST_SUITE_P(
    Sections, SettingsSectionValues,
    ::testing::Values(
        // ---- %%Language ----
        TValueRow{"name_and_wrapoverride_keep_35_characters",
                  "%%Language name = '1234567890123456789012345678901234567890'"
                  " wrapoverride = '12345678901234567890123456789012345XYZ'",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(S(p).LanguageName, "12345678901234567890123456789012345");
                      EXPECT_EQ(S(p).WrapOverride, "12345678901234567890123456789012345");
                  }},
        TValueRow{"last_entry_wins",
                  "%%Language name = 'a' %%language name = 'b' gutter = 3 gutter = 4",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(S(p).LanguageName, "b");
                      EXPECT_EQ(S(p).Gutter, 4);
                  }},
        TValueRow{"scalar_entries",
                  "%%Language options = __DEFAULT_OPTIONS or __OPT_WORDWRAP exampletext = 'a\\nb'"
                  " wordwrapcolumn = 70 rightmargin = 60 marginwidth = 5 indentstep = 20"
                  " fontname = 'Fixed' fontsize = 12 fontcharset = OEM_CHARSET tabdefault = 8",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(S(p).Options, 0x3FFDBF0u | 0x400u);
                      EXPECT_EQ(S(p).ExampleText, "a\rb");
                      EXPECT_EQ(S(p).WrapAtColumn, 70);
                      EXPECT_EQ(S(p).RightMargin, 60);
                      EXPECT_EQ(S(p).Margin, 5);
                      EXPECT_EQ(S(p).IndentStep, 20);
                      EXPECT_EQ(S(p).Font, (TSM_FontDesc{"Fixed", 12, 255, 0, clWindowText}));
                      EXPECT_EQ(S(p).TabDefault, 8);
                  }},
        TValueRow{"colours_with_and_without_default_flag",
                  "%%Language seltextcolor = [*] clRed seltextback = clBlue"
                  " guttercolor = [ * ] clLime margincolor = clGray",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(S(p).SelTextColor, 0x0000FFu);
                      EXPECT_EQ(S(p).SelTextColorDefault, 1);
                      EXPECT_EQ(S(p).SelTextBack, 0xFF0000u);
                      EXPECT_EQ(S(p).SelTextBackDefault, 0);
                      EXPECT_EQ(S(p).GutterColor, 0x00FF00u);
                      EXPECT_EQ(S(p).GutterColorDefault, 1);
                      EXPECT_EQ(S(p).MarginColor, 0x808080u);
                      EXPECT_EQ(S(p).MarginColorDefault, 0);
                  }},
        TValueRow{"tabcolumns_raw_text", "%%Language tabcolumns = '5 9;13'",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(S(p).TabColumnsText(), "5 9 13");
                      EXPECT_EQ(S(p).TabColumns[0], 4);
                  }},
        TValueRow{"startstate_value_adds_set_replaces",
                  "%%Language startstate = 3 boundstates = 4",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(T(p).StartSet, (TStateSet{0, 3}));
                      EXPECT_EQ(T(p).BoundSet, (TStateSet{4}));
                      // Unmentioned context values restart in the start states.
                      EXPECT_EQ(T(p).ContextSets[9], (TStateSet{0, 3}));
                  }},
        TValueRow{"startstate_set_replaces", "%%Language startstate = [3] boundstates = [1 2]",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(T(p).StartSet, (TStateSet{3}));
                      EXPECT_EQ(T(p).BoundSet, (TStateSet{1, 2}));
                  }},
        TValueRow{"anchor_empty_set_becomes_zero", "%%Language anchor = [ ]",
                  [](const TCodeMemoParser& p) { EXPECT_EQ(T(p).AnchorSet, (TStateSet{0})); }},
        TValueRow{"anchor_value_and_set", "%%Language anchor = 7 anchor = [1, 2]",
                  [](const TCodeMemoParser& p) { EXPECT_EQ(T(p).AnchorSet, (TStateSet{1, 2})); }},
        TValueRow{"editable_styles_with_optional_commas",
                  "%%Language editablestyles ('Comment', 1), ('A long style name of thirty', 2)"
                  " ('Third' , 3) editablestyles ('Fourth', 4)",
                  [](const TCodeMemoParser& p) {
                      ASSERT_EQ(S(p).EditableStyles.size(), 4u);
                      EXPECT_EQ(S(p).EditableStyles[0], (TSM_EditableStyle{"Comment", 1}));
                      EXPECT_EQ(S(p).EditableStyles[1].Name, "A long style name of thir");
                      EXPECT_EQ(S(p).EditableStyles[3], (TSM_EditableStyle{"Fourth", 4}));
                  }},
        TValueRow{"context_states",
                  "%%Language startstate = [5] contextstates = ( 1 2 [3] ), ( 4 ) (6, 7 [ ])",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(T(p).ContextSets[1], (TStateSet{3}));
                      EXPECT_EQ(T(p).ContextSets[2], (TStateSet{3}));
                      EXPECT_EQ(T(p).ContextSets[4], (TStateSet{5}));
                      EXPECT_EQ(T(p).ContextSets[7], (TStateSet{5}));
                      EXPECT_EQ(T(p).ContextSets[200], (TStateSet{5}));
                  }},
        TValueRow{"gutter_font_entries",
                  "%%Language GutterFontName = 'Arial' GutterFontSize = 9 GutterFontColor = clRed"
                  " GutterFontStyle [fsBold, fsUnderline] GutterFontStyle = [fsItalic]",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(S(p).GutterFont,
                                (TSM_FontDesc{"Arial", 9, kDefaultCharset, kStyleItalic, 0xFF}));
                  }},
        TValueRow{"case_flag_decides_how_words_are_stored",
                  "%%Words 'BEGIN' '' 1 %%Language case = __sensitive %%Words 'End' '' 2"
                  " %%KwTables forstate [] endswith '' ( 3 is 'Word' )",
                  [](const TCodeMemoParser& p) {
                      ASSERT_EQ(T(p).Words.Words().size(), 2u);
                      EXPECT_EQ(T(p).Words.Words()[0].Word, "begin");
                      EXPECT_EQ(T(p).Words.Words()[1].Word, "End");
                      ASSERT_EQ(S(p).KeywordTables().size(), 1u);
                      EXPECT_EQ(S(p).KeywordTables()[0].CaseFlag, 1);
                  }},
        TValueRow{"no_section_is_the_empty_scheme", "// nothing\r\n#define X 1\r\n",
                  [](const TCodeMemoParser& p) {
                      TCodeMemoParser empty;
                      empty.Tables().FinishCompile();
                      EXPECT_EQ(p.SaveToBytes(), empty.SaveToBytes());
                  }},
        // ---- %%Map and %%Effects ----
        TValueRow{"map_entries", "%%Map 3 1 4 (1+1) %%map 3 5",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(S(p).EffectMap[3], 5);
                      EXPECT_EQ(S(p).EffectMap[4], 2);
                      EXPECT_EQ(S(p).EffectMap[5], 0);
                  }},
        TValueRow{"effect_with_every_part",
                  "%%Effects 1 [fsBold, fsStrikeout, 7, 8] clRed * clWhite 'HotSpot'"
                  " 2 [] 0 clBlack * 0 [] 1 2 0 [fsItalic] 3 4",
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(S(p).Effects[1], (TSM_Effect{0x89, 0xFF, 0xFFFFFF, 1, 0, 1, true}));
                      EXPECT_EQ(S(p).Effects[2], (TSM_Effect{0, 0, 0, 0, 1, 0, true}));
                      // Effect 0 may be redefined; the last definition stands.
                      EXPECT_EQ(S(p).Effects[0], (TSM_Effect{kStyleItalic, 3, 4, 0, 0, 0, true}));
                      EXPECT_FALSE(S(p).Effects[3].Defined);
                  }},
        // ---- %%KwTables ----
        TValueRow{"keyword_tables",
                  "%%KwTables forstate [1, 2] endswith '[^a-z]' ( 5 is 'if', 'then' 6 is 'x\\n' )"
                  " forstate [ ] endswith '' ( ) forstate [2 1] endswith '' ( 7 is 'y' )",
                  [](const TCodeMemoParser& p) {
                      const auto& tables = S(p).KeywordTables();
                      ASSERT_EQ(tables.size(), 2u);
                      // The same state set replaces the earlier table.
                      EXPECT_EQ(tables[0].States, (TStateSet{1, 2}));
                      EXPECT_EQ(tables[0].FollowText, "");
                      EXPECT_EQ(tables[0].Words, (std::vector<TSM_KeywordWord>{{"y", 7}}));
                      EXPECT_EQ(tables[1].States, (TStateSet{0}));
                  }},
        TValueRow{"keyword_words_are_raw_text",
                  "%%KwTables forstate [1] endswith '[^a-z]' ( 5 is 'if', 'x\\n' )",
                  [](const TCodeMemoParser& p) {
                      const auto& table = S(p).KeywordTables().at(0);
                      EXPECT_EQ(table.FollowText, "[^a-z]");
                      EXPECT_EQ(table.Words,
                                (std::vector<TSM_KeywordWord>{{"if", 5}, {"x\\n", 5}}));
                  }},
        // ---- %%Keys ----
        TValueRow{"keys_replace_the_defaults",
                  "%%Keys caCUT ( [ctrl] 'x' | [shift, alt] DELETE ) 'Cut'"
                  " caCOPY ( [ctrl] 'K', 'c' ) caUNDO 'Undo only' 99",
                  [](const TCodeMemoParser& p) {
                      const TKeyboardActionContoller& keys = S(p).Keys();
                      EXPECT_EQ(keys.Descriptions(),
                                (std::vector<std::pair<int, std::string>>{{12, "Cut"},
                                                                          {41, "Undo only"}}));
                      std::vector<TKeyBinding> bindings = keys.Bindings();
                      std::sort(bindings.begin(), bindings.end(), [](auto& a, auto& b) {
                          return a.FirstKey < b.FirstKey;
                      });
                      EXPECT_EQ(bindings, Bindings({{0x4000 | 'K', 'C', 13},
                                                    {0x4000 | 'X', 0, 12},
                                                    {0x202E | 0x8000, 0, 12}}));
                  }},
        TValueRow{"second_keys_section_leaves_only_its_bindings",
                  "%%Keys caCUT ( [ctrl] 'X' ) 'Cut' %%Map 1 1 %%Keys caPASTE 'Paste'"
                  " %%keys caCOPY ( [ctrl] 'C' )",
                  [](const TCodeMemoParser& p) {
                      const TKeyboardActionContoller& keys = S(p).Keys();
                      EXPECT_TRUE(keys.Descriptions().empty());
                      EXPECT_EQ(keys.Bindings(), Bindings({{0x4000 | 'C', 0, 13}}));
                  }},
        // ---- %%AutoReplace and %%Templates ----
        TValueRow{"auto_replace",
                  "%%AutoReplace 'teh' = 'the' actionkeys = ';\\{Tab}' 'a\\n' = 'b\\tc'",
                  [](const TCodeMemoParser& p) {
                      const TAutoReplace& list = S(p).AutoReplace();
                      EXPECT_EQ(list.Delimiters(), ";\\{Tab}");
                      ASSERT_NE(list.Find("teh"), nullptr);
                      EXPECT_EQ(list.Find("teh")->Expansion, "the");
                      ASSERT_NE(list.Find("a\r"), nullptr);
                      EXPECT_EQ(list.Find("a\r")->Expansion, "b\tc");
                  }},
        TValueRow{"texts_of_255_characters_fit",
                  kName255.c_str(),
                  [](const TCodeMemoParser& p) {
                      EXPECT_EQ(S(p).Keys().GetDescription(12), std::string(255, 'a'));
                  }},
        TValueRow{"second_auto_replace_section_restores_default_keys",
                  "%%AutoReplace actionkeys = 'x' 'a' = 'b' %%AutoReplace 'c' = 'd'",
                  [](const TCodeMemoParser& p) {
                      const TAutoReplace& list = S(p).AutoReplace();
                      EXPECT_EQ(list.Delimiters(), kDefaultDelimiters);
                      EXPECT_EQ(list.Count(), 1u);
                      EXPECT_EQ(list.Find("a"), nullptr);
                  }},
        TValueRow{"templates",
                  "%%Templates 'for' ('for loop') = 'for | do' 'if' = 'if then'"
                  " hotkey = ( [ctrl shift] 'T' )",
                  [](const TCodeMemoParser& p) {
                      const TCodeTemplates& list = S(p).Templates();
                      EXPECT_EQ(list.Count(), 2u);
                      ASSERT_NE(list.Find("for"), nullptr);
                      EXPECT_EQ(list.Find("for")->Description, "for loop");
                      EXPECT_EQ(list.Find("if")->Description, "");
                      EXPECT_EQ(list.FindTemplate("IF"), "if then");
                      EXPECT_EQ(ShortCutToText(list.Trigger), "Shift+Ctrl+T");
                  }},
        TValueRow{"second_templates_section_clears_the_first",
                  "%%Templates 'a' = 'b' hotkey = ( F2 ) %%Templates 'c' = 'd'",
                  [](const TCodeMemoParser& p) {
                      const TCodeTemplates& list = S(p).Templates();
                      EXPECT_EQ(list.Count(), 1u);
                      EXPECT_EQ(ShortCutToText(list.Trigger), "Ctrl+J");
                  }}),
    [](const auto& info) { return std::string(info.param.name); });

struct TErrorRow {
    const char* name;
    const char* script;
    const char* message;
};

// One message per condition; the compile golden files hold one script per
// message as well, so the rows here are the further conditions.
class SettingsSectionErrors : public ::testing::TestWithParam<TErrorRow> {};

TEST_P(SettingsSectionErrors, Raised)
{
    TCodeMemoParser p;
    try {
        p.CompileText(GetParam().script);
        ADD_FAILURE() << "compiled";
    } catch (const ECompilerError& error) {
        EXPECT_EQ(error.Detail, GetParam().message);
    }
}

const std::string kLong(256, 'a');
const std::string kLongActionKeys = "%%AutoReplace actionkeys = '" + kLong + "'";
const std::string kLongWord = "%%AutoReplace '" + kLong + "' = 'x'";
const std::string kLongTemplate = "%%Templates 'a' ('" + kLong + "') = 'x'";
const std::string kLongActionName = "%%Keys caCUT '" + kLong + "'";

INSTANTIATE_TEST_SUITE_P(
    Sections, SettingsSectionErrors,
    ::testing::Values(
        TErrorRow{"language_missing_expression", "%%Language gutter = 'x'",
                  "Expression expected"},
        TErrorRow{"fontcharset_above_255", "%%Language fontcharset = 256",
                  "Range error, value outwith 0 .. 255"},
        TErrorRow{"colour_flag_not_closed", "%%Language seltextcolor = [* clRed",
                  "']' expected"},
        TErrorRow{"editable_style_not_closed", "%%Language editablestyles ('a', 1",
                  "')' expected"},
        TErrorRow{"editable_styles_take_no_equals", "%%Language editablestyles = ('a', 1)",
                  "'(' expected"},
        TErrorRow{"context_group_not_closed", "%%Language contextstates = (1 [3] %%Map",
                  "')' expected"},
        TErrorRow{"context_value_above_255", "%%Language contextstates = (256)",
                  "Range error, value outwith 0 .. 255"},
        TErrorRow{"bad_tab_columns", "%%Language tabcolumns = '9 5'",
                  "Tab columns must be in order and unique"},
        TErrorRow{"tab_columns_need_raw_string", "%%Language tabcolumns = 5",
                  "String value expected"},
        TErrorRow{"bad_default_tab", "%%Language tabdefault = 0",
                  "=Illegal default tab stop value, must be > 0"},
        TErrorRow{"gutter_font_style_needs_brackets", "%%Language GutterFontStyle = 1",
                  "'[' expected"},
        TErrorRow{"set_not_closed", "%%Language startstate = [1 2", "']' expected"},
        TErrorRow{"map_token_above_255", "%%Map 256 1", "Range error, value outwith 0 .. 255"},
        TErrorRow{"map_effect_above_255", "%%Map 1 256", "Range error, value outwith 0 .. 255"},
        TErrorRow{"map_effect_missing", "%%Map 1 %%Effects", "Expression expected"},
        TErrorRow{"effect_above_255", "%%Effects 256 [] 0 0",
                  "Range error, value outwith 0 .. 255"},
        TErrorRow{"effect_style_list_not_closed", "%%Effects 1 [1 0 0", "']' expected"},
        TErrorRow{"effect_style_not_a_value", "%%Effects 1 ['b'] 0 0", "Bad font style specifier"},
        TErrorRow{"effect_style_trailing_comma", "%%Effects 1 [1,] 0 0",
                  "Bad font style specifier"},
        TErrorRow{"effect_other_string", "%%Effects 1 [] 0 0 'link'", "Script syntax error"},
        TErrorRow{"effect_background_missing", "%%Effects 1 [] 0 *", "Expression expected"},
        TErrorRow{"kwtable_missing_open_bracket", "%%KwTables forstate 1] endswith '' ()",
                  "']' expected"},
        TErrorRow{"kwtable_missing_close_bracket", "%%KwTables forstate [1 endswith '' ()",
                  "']' expected"},
        TErrorRow{"kwtable_missing_endswith", "%%KwTables forstate [1] '' ()", "'[' expected"},
        TErrorRow{"kwtable_endswith_not_a_string", "%%KwTables forstate [1] endswith 5 ()",
                  "String value expected"},
        TErrorRow{"kwtable_missing_is", "%%KwTables forstate [1] endswith '' ( 5 'if' )",
                  "String value expected"},
        TErrorRow{"kwtable_missing_open_paren", "%%KwTables forstate [1] endswith '' 5 is 'a'",
                  "'(' expected"},
        TErrorRow{"kwtable_not_closed", "%%KwTables forstate [1] endswith '' ( 5 is 'a' %%Map",
                  "')' expected"},
        TErrorRow{"kwtable_follow_of_two_items", "%%KwTables forstate [1] endswith 'ab' ()",
                  "Single character specifier expected"},
        TErrorRow{"key_string_empty", "%%Keys caCUT ( '' )", "Single character specifier expected"},
        TErrorRow{"key_string_long", "%%Keys caCUT ( 'ab' )",
                  "Single character specifier expected"},
        TErrorRow{"key_above_255", "%%Keys caCUT ( 256 )", "Range error, value outwith 0 .. 255"},
        TErrorRow{"second_key_missing", "%%Keys caCUT ( 'K', )", "Key specification required"},
        TErrorRow{"key_modifiers_not_closed", "%%Keys caCUT ( [ctrl 'X' )", "']' expected"},
        TErrorRow{"key_bindings_not_closed", "%%Keys caCUT ( 'X' 'Cut'", "')' expected"},
        TErrorRow{"key_bound_twice",
                  "%%Keys caCUT ( [ctrl] 'X' ) 'Cut' caCOPY ( [ctrl] 'X' ) 'Copy'",
                  // The name follows the bindings, so the new action has none yet.
                  "Duplicate key sequence definition for\r\n\"\" and \"Cut\""},
        TErrorRow{"auto_replace_missing_equals", "%%AutoReplace 'a' 'b'", "'=' expected"},
        TErrorRow{"auto_replace_missing_replacement", "%%AutoReplace 'a' = 5",
                  "String value expected"},
        TErrorRow{"action_keys_missing_equals", "%%AutoReplace actionkeys ';'", "'=' expected"},
        TErrorRow{"action_keys_bad_key_name", "%%AutoReplace actionkeys = '\\{Tab'",
                  "Bad key specifier"},
        TErrorRow{"action_keys_too_long", kLongActionKeys.c_str(),
                  "String longer than 255 characters"},
        TErrorRow{"auto_replace_word_too_long", kLongWord.c_str(),
                  "String longer than 255 characters"},
        TErrorRow{"template_description_too_long", kLongTemplate.c_str(),
                  "String longer than 255 characters"},
        TErrorRow{"action_name_too_long", kLongActionName.c_str(),
                  "String longer than 255 characters"},
        TErrorRow{"template_missing_equals", "%%Templates 'a' ('b') 'c'", "'=' expected"},
        TErrorRow{"template_description_not_closed", "%%Templates 'a' ('b' = 'c'",
                  "')' expected"},
        TErrorRow{"template_description_not_a_string", "%%Templates 'a' (5) = 'c'",
                  "String value expected"},
        TErrorRow{"hotkey_missing_equals", "%%Templates hotkey ( F2 )", "'=' expected"},
        TErrorRow{"hotkey_missing_paren", "%%Templates hotkey = F2", "'(' expected"},
        TErrorRow{"hotkey_without_key_name", "%%Templates hotkey = ( [ctrl] 7 )",
                  "Template hotkey must be a key with a name"},
        TErrorRow{"hotkey_not_closed", "%%Templates hotkey = ( F2 'a' = 'b'", "')' expected"}),
    [](const auto& info) { return std::string(info.param.name); });

// A compile error names the line and column where it was found, and the
// scheme keeps what was compiled before it.
TEST(SettingsSections, ErrorPositionAndPartialScheme)
{
    TCodeMemoParser p;
    try {
        p.CompileText("%%Language\r\n  name = 'Kept'\r\n  indentstep = 30 gutter = 1\r\n");
        FAIL();
    } catch (const ECompilerError& error) {
        // The reader has looked one token ahead when the value is checked.
        EXPECT_STREQ(error.what(),
                     "** ERROR near line 3, Column 25: Range error, value outwith 0 .. 20");
    }
    EXPECT_EQ(p.Settings().LanguageName, "Kept");
    EXPECT_EQ(p.LastLine, 2);
    EXPECT_EQ(p.LastColumn, 24);
}

}  // namespace
}  // namespace tarnwick
