// Typing, auto-indent, tab-to-column and fill strings, block indent and
// unindent, word selection and the word tests.
#include "editor/core/code_memo_model.h"
#include "editor/core/editor_commands.h"
#include "editor/core/memo_options.h"
#include "memo_state.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using test::SetState;
using test::State;

void Type(TCodeMemoModel& model, std::string_view keys)
{
    for (const char c : keys)
        model.KeyPress(c == '\n' ? '\r' : c);
}

struct TypeRow {
    const char* name;
    uint32_t options;
    const char* start;
    const char* keys;
    const char* expect;
    bool overwrite = false;
};

void RunRows(const std::vector<TypeRow>& rows)
{
    for (const TypeRow& row : rows) {
        TCodeMemoModel model;
        model.Options = row.options;
        model.SetInsertMode(!row.overwrite);
        SetState(model, row.start);
        Type(model, row.keys);
        EXPECT_EQ(State(model), row.expect) << row.name;
    }
}

TEST(Typing, InsertAndOverwrite)
{
    RunRows({
        {"plain", 0, "a|c", "b", "ab|c"},
        {"replaces_selection", 0, "a^bc|d", "x", "ax|d"},
        {"enter_breaks_line", 0, "ab|cd", "\n", "ab\n|cd"},
        {"high_bytes_typed", 0, "|", "\xE9\xFF", "\xE9\xFF|"},
        {"control_chars_ignored", 0, "a|", "\x01\x1B\x7F", "a|"},
        {"over_replaces_char", 0, "a|bc", "x", "ax|c", true},
        {"over_end_of_line_inserts", 0, "ab|\ncd", "x", "abx|\ncd", true},
        {"over_end_of_text_inserts", 0, "ab|", "x", "abx|", true},
        {"over_enter_never_overwrites", 0, "a|bc", "\n", "a\n|bc", true},
        {"over_selection_replaced_once", 0, "^ab|c", "x", "x|c", true},
    });
}

TEST(Typing, ReturnsAndTabsFollowTheirSwitches)
{
    TCodeMemoModel model;
    SetState(model, "a|");
    model.WantReturns = false;
    EXPECT_FALSE(model.KeyPress('\r'));
    EXPECT_TRUE(model.KeyPress('\n')) << "Ctrl+Enter still breaks the line";
    EXPECT_EQ(State(model), "a\n|");
    model.WantReturns = true;
    EXPECT_FALSE(model.KeyPress('\n'));
    model.WantTab = false;
    EXPECT_FALSE(model.KeyPress('\t'));
    EXPECT_EQ(State(model), "a\n|");
    model.ReadOnly = true;
    EXPECT_TRUE(model.KeyPress('x'));
    EXPECT_EQ(State(model), "a\n|") << "nothing typed while ReadOnly";
}

TEST(Typing, EachKeyIsOneUndoStep)
{
    TCodeMemoModel model;
    Type(model, "abc");
    for (const char* expect : {"ab|", "a|", "|"}) {
        model.ExecuteCommand(caUNDO, false);
        EXPECT_EQ(State(model), expect);
    }
}

TEST(Typing, AutoIndent)
{
    const uint32_t ai = smoAutoIndent;
    RunRows({
        {"after_indented_line", ai, "    foo|", "\n", "    foo\n    |"},
        {"empty_line_after_indented", ai, "    foo\n|", "\n", "    foo\n\n    |"},
        {"twice_keeps_indent", ai, "    foo|", "\n\n", "    foo\n    \n    |"},
        {"after_unindented_line", ai, "foo|", "\n", "foo\n|"},
        {"caret_inside_leading_blanks", ai, "  |  foo", "\n", "  \n  |  foo"},
        {"blank_line_width", ai, "   |", "\n", "   \n   |"},
        {"tab_indent_measured_in_columns", ai, "\tfoo|", "\n", "\tfoo\n    |"},
        {"skips_blank_lines_above", ai, "  a\n   \n\n|", "\n", "  a\n   \n\n\n  |"},
        {"off", 0, "    foo|", "\n", "    foo\n|"},
        {"smart_fill", ai | smoUseTAB | smoSmartFill, "          x|", "\n",
         "          x\n\t\t  |"},
        {"use_tab_without_smart_fill", ai | smoUseTAB, "          x|", "\n",
         "          x\n          |"},
    });
}

TEST(Typing, TabKey)
{
    const uint32_t ttc = smoTabToColumn;
    RunRows({
        {"next_tab_stop", 0, "ab|", "\t", "ab  |"},
        {"use_tab_types_tab", smoUseTAB, "ab|", "\t", "ab\t|"},
        {"aligns_with_word_above", ttc, "int   x;\n|", "\t", "int   x;\n      |"},
        {"aligns_from_inside_word", ttc, "alpha beta gamma\nab|", "\t", "alpha beta gamma\nab    |"},
        {"nearest_line_above_wins", ttc, "a   b    c\nxy z\n  |", "\t", "a   b    c\nxy z\n   |"},
        {"short_lines_skipped", ttc, "a       b\nx\n  |", "\t", "a       b\nx\n        |"},
        {"no_word_after_falls_back", ttc, "abc\nab|", "\t", "abc\nab  |"},
        {"tab_to_column_beats_use_tab", ttc | smoUseTAB, "int   x;\n|", "\t", "int   x;\n      |"},
        {"word_wrap_uses_tab", ttc | smoUseTAB | smoWordWrap, "int   x;\n|", "\t", "int   x;\n\t|"},
        {"smart_fill_gap", ttc | smoUseTAB | smoSmartFill, "a         b\n|", "\t",
         "a         b\n\t\t  |"},
        {"replaces_selection", 0, "^abc|", "\t", "    |"},
    });
}

TEST(Typing, TypingPastLineEndFillsTheGap)
{
    TCodeMemoModel model;
    model.Options = smoCaretAfterEOL;
    SetState(model, "abcdef|\nab");
    model.ExecuteCommand(caDOWN, false);
    Type(model, "x");
    EXPECT_EQ(State(model), "abcdef\nab    x|");
    model.ExecuteCommand(caUNDO, false);
    EXPECT_EQ(model.Text(), "abcdef\rab") << "fill and character undo together";
}

TEST(FillString, Table)
{
    struct Row {
        const char* name;
        uint32_t options;
        int from;
        int to;
        const char* expect;
    };
    const Row rows[] = {
        {"blanks_only", 0, 0, 10, "          "},
        {"use_tab_alone_is_blanks", smoUseTAB, 0, 6, "      "},
        {"smart", smoUseTAB | smoSmartFill, 0, 10, "\t\t  "},
        {"smart_from_mid_stop", smoUseTAB | smoSmartFill, 2, 9, "\t\t "},
        {"empty_when_backwards", smoUseTAB | smoSmartFill, 5, 3, ""},
    };
    for (const Row& row : rows) {
        TCodeMemoModel model;
        model.Options = row.options;
        EXPECT_EQ(model.FillString(row.from, row.to), row.expect) << row.name;
    }
    TCodeMemoModel model;
    model.Options = smoUseTAB | smoSmartFill;
    model.Tabs().SetTabColumns("3 9");
    EXPECT_EQ(model.FillString(0, 10), "\t\t  ") << "explicit stops, then every TabDefault";
}

// ---------------------------------------------------------------- blocks

TEST(Blocks, IndentAndUnindent)
{
    struct Row {
        const char* name;
        int step;  // > 0 indents, < 0 unindents
        uint32_t options;
        bool tabs;
        const char* start;
        const char* expect;
    };
    const Row rows[] = {
        {"three_lines", 2, 0, false, "^a\nb\nc|", "^  a\n  b\n  c|"},
        {"mid_line_start", 1, 0, false, "a^a\nb|b", " a^a\n b|b"},
        {"end_at_line_start_excluded", 1, 0, false, "^a\nb\n|c", "^ a\n b\n|c"},
        {"backwards_selection", 1, 0, false, "|a\nb^b", "| a\n b^b"},
        {"tabs_need_use_tab", 1, 0, true, "^a|", "^ a|"},
        {"tabs", 2, smoUseTAB, true, "^a|", "^\t\ta|"},
        {"empty_selection_nothing", 1, 0, false, "a|b", "a|b"},
        {"un_tab_counts_as_one_character", -2, 0, false, "^\tfoo\n\tbar|", "^foo\nbar|"},
        {"un_up_to_step", -2, 0, false, "^    a\n b|", "^  a\nb|"},
        {"un_nbsp_removed", -1, 0, false, "^\xA0" "a|", "^a|"},
        {"un_caret_in_removed_blanks", -4, 0, false, "  ^  a\n  |b", "^a\n|b"},
        {"un_end_at_line_start_excluded", -2, 0, false, "^  a\n|  b", "^a\n|  b"},
    };
    for (const Row& row : rows) {
        TCodeMemoModel model;
        model.Options = row.options;
        SetState(model, row.start);
        if (row.step > 0)
            model.IndentBlock(row.step, row.tabs);
        else
            model.UnindentBlock(-row.step);
        EXPECT_EQ(State(model), row.expect) << row.name;
    }
}

TEST(Blocks, IndentCommandUsesIndentStepAndUndoesInOneStep)
{
    TCodeMemoModel model;
    model.SetIndentStep(3);
    model.SetIndentStep(20);  // out of range: ignored
    EXPECT_EQ(model.IndentStep(), 3);
    SetState(model, "^1\n2\n3\n4\n5|");
    model.ExecuteCommand(caBLOCKIND, false);
    EXPECT_EQ(State(model), "^   1\n   2\n   3\n   4\n   5|");
    model.ExecuteCommand(caUNDO, false);
    EXPECT_EQ(State(model), "^1\n2\n3\n4\n5|");
    model.ExecuteCommand(caREDO, false);
    EXPECT_EQ(model.Text(), "   1\r   2\r   3\r   4\r   5");
}

TEST(Blocks, IndentLeavesLongLineContinuationsAlone)
{
    TCodeMemoModel model;
    model.LoadFromText(std::string(5000, 'x') + "\ry");
    model.SelectAll();
    model.IndentBlock(1);
    EXPECT_EQ(model.Text(), " " + std::string(5000, 'x') + "\r y");
}

// ---------------------------------------------------------------- words

TEST(Words, SelectWord)
{
    struct Row {
        const char* name;
        const char* start;
        const char* expect;
    };
    const Row rows[] = {
        {"inside", "fo|o bar", "^foo| bar"},
        {"at_start", "foo |bar", "foo ^bar|"},
        {"just_after", "foo| bar", "^foo| bar"},
        {"word_before_blanks", "foo   |  (", "^foo|     ("},
        {"first_word_of_line", "x\n  |  bar baz", "x\n    ^bar| baz"},
        {"no_word_collapses_at_line_start", "x\n  (|)", "x\n|  ()"},
        {"apostrophe_and_dash_in_word", "say don't-st|op", "say ^don't-stop|"},
    };
    for (const Row& row : rows) {
        TCodeMemoModel model;
        SetState(model, row.start);
        model.SelectWord();
        EXPECT_EQ(State(model), row.expect) << row.name;
    }
}

TEST(Words, DefaultTests)
{
    TCodeMemoModel model;
    std::string starts, inWord;
    for (int c = 1; c < 256; ++c) {
        if (model.CharStartsWord(static_cast<unsigned char>(c)))
            starts.push_back(static_cast<char>(c));
        if (model.CharIsInWord(static_cast<unsigned char>(c)))
            inWord.push_back(static_cast<char>(c));
    }
    EXPECT_EQ(starts, "ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(inWord, "'-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ_abcdefghijklmnopqrstuvwxyz");
}

TEST(Words, HooksReplaceTheTests)
{
    TCodeMemoModel model;
    model.fn_CharIsInWord = [](unsigned char c) { return c != ' ' && c != '\r'; };
    model.fn_CharStartsWord = [](unsigned char c) { return c != ' ' && c != '\r'; };
    SetState(model, "a.b c.d|");
    model.ExecuteCommand(caWORDLEFT, false);
    EXPECT_EQ(State(model), "a.b |c.d");
    model.ExecuteCommand(caDOCSTART, false);
    model.ExecuteCommand(caWORDRIGHT, false);
    EXPECT_EQ(State(model), "a.b |c.d");
}

}  // namespace
}  // namespace tarnwick
