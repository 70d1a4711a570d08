// The editor's commands: movement, deletion, bookmarks, clipboard, printing.
#include "editor/core/code_memo_errors.h"
#include "editor/core/code_memo_model.h"
#include "editor/core/editor_commands.h"
#include "editor/core/memo_options.h"
#include "memo_state.h"

#include <gtest/gtest.h>

#include <new>

namespace tarnwick {
namespace {

using test::SetState;
using test::State;

struct CommandRow {
    const char* name;
    int code;
    bool extend;
    const char* start;
    const char* expect;
    uint32_t options = 0;
};

void RunRows(const std::vector<CommandRow>& rows)
{
    for (const CommandRow& row : rows) {
        TCodeMemoModel model;
        model.Options = row.options;
        SetState(model, row.start);
        model.ExecuteCommand(row.code, row.extend);
        EXPECT_EQ(State(model), row.expect) << row.name;
        // An edit is one undo step that brings back text and selection;
        // a command that changes nothing logs nothing.
        if (std::string_view(row.expect) == row.start) {
            EXPECT_FALSE(model.Modified()) << row.name;
        } else if (model.Modified()) {
            model.ExecuteCommand(caUNDO, false);
            EXPECT_EQ(State(model), row.start) << row.name;
        }
    }
}

TEST(Commands, Movement)
{
    RunRows({
        {"left_stops_at_start", caLEFT, false, "|abc", "|abc"},
        {"left_collapses_selection", caLEFT, false, "a^bc|", "ab|c"},
        {"right_stops_at_end", caRIGHT, false, "abc|", "abc|"},
        {"right_crosses_line_break", caRIGHT, false, "a|\nb", "a\n|b"},
        {"home", caLINEHOME, false, "x\n  ab|c", "x\n|  abc"},
        {"home_on_empty_last_position", caLINEHOME, false, "ab\n|", "ab\n|"},
        {"end_skips_trailing_blanks_and_tab", caLINEEND, false, "|abc  \t\nx", "abc|  \t\nx"},
        {"up_same_column", caUP, false, "abc\nde|f", "ab|c\ndef"},
        {"up_on_first_line_changes_nothing", caUP, false, "a^b|c\nx", "a^b|c\nx"},
        {"down_to_shorter_line", caDOWN, false, "abcdef|\nab", "abcdef\nab|"},
        {"down_on_last_line_changes_nothing", caDOWN, false, "abc\nd|ef", "abc\nd|ef"},
        {"down_past_final_break", caDOWN, false, "abc\nd|ef\n", "abc\ndef\n|"},
        {"down_into_tab_lands_on_it", caDOWN, false, "ab|c\n\tx", "abc\n|\tx"},
        {"down_extends", caDOWN, true, "a|bc\ndef", "a^bc\nd|ef"},
        {"up_from_empty_last_position", caUP, false, "abc\n|", "|abc\n"},
        {"word_left_to_word_start", caWORDLEFT, false, "foo bar|", "foo |bar"},
        {"word_left_over_blanks", caWORDLEFT, false, "foo  |bar", "|foo  bar"},
        {"word_left_over_line_break", caWORDLEFT, false, "foo\n|bar", "|foo\nbar"},
        {"word_right_from_word_start", caWORDRIGHT, false, "|foo bar", "foo |bar"},
        {"word_right_from_blank", caWORDRIGHT, false, "foo| bar", "foo |bar"},
        {"word_right_across_lines", caWORDRIGHT, false, "fo|o\n  bar", "foo\n  |bar"},
        {"word_right_to_end", caWORDRIGHT, false, "foo b|", "foo b|"},
        {"doc_end", caDOCEND, false, "|ab\ncd", "ab\ncd|"},
        {"doc_end_extends", caDOCEND, true, "a|b\ncd", "a^b\ncd|"},
        {"code_outside_range_does_nothing", 45, false, "a|b", "a|b"},
    });
}

TEST(Commands, ColumnTrackReturnsToStartColumn)
{
    struct Row {
        const char* name;
        uint32_t options;
        int64_t expectColumn;
    };
    for (const Row& row : {Row{"tracking", smoColumnTrack, 10}, Row{"not_tracking", 0, 3}}) {
        TCodeMemoModel model;
        model.Options = row.options;
        SetState(model, "0123456789|ABC\nabc\n01234567890123456789");
        model.ExecuteCommand(caDOWN, false);
        EXPECT_EQ(model.CaretColumn(), 3) << row.name;
        model.ExecuteCommand(caDOWN, false);
        EXPECT_EQ(model.CaretColumn(), row.expectColumn) << row.name;
    }
}

TEST(Commands, CaretAfterEndOfLine)
{
    TCodeMemoModel model;
    model.Options = smoCaretAfterEOL;
    SetState(model, "ab|\ncd");
    model.ExecuteCommand(caRIGHT, false);
    EXPECT_TRUE(model.PastLineEnd());
    EXPECT_EQ(model.SelCaret(), 2) << "the offset stays at the line end";
    model.ExecuteCommand(caRIGHT, false);
    EXPECT_EQ(model.CaretColumn(), 4);
    model.ExecuteCommand(caLEFT, false);
    EXPECT_EQ(model.CaretColumn(), 3);
    model.ExecuteCommand(caLEFT, false);
    EXPECT_FALSE(model.PastLineEnd());
    EXPECT_EQ(model.CaretColumn(), 2);
    model.ExecuteCommand(caLEFT, false);
    EXPECT_EQ(State(model), "a|b\ncd");

    // Vertical moves keep the column past a shorter line's end.
    SetState(model, "abcdef|\nab");
    model.ExecuteCommand(caDOWN, false);
    EXPECT_TRUE(model.PastLineEnd());
    EXPECT_EQ(model.CaretColumn(), 6);
    EXPECT_EQ(model.SelCaret(), 9);
    model.ExecuteCommand(caLINEHOME, false);
    EXPECT_FALSE(model.PastLineEnd());

    // An edit from outside the commands ends the virtual position, even
    // when the caret comes back to the same offset.
    SetState(model, "ab|\ncd");
    model.ExecuteCommand(caRIGHT, false);
    model.SetSelection(0, 0);
    model.InsertText("z");
    model.SetSelection(2, 2);
    EXPECT_FALSE(model.PastLineEnd());

    // Deleting past the line end joins the next line at the caret's column.
    SetState(model, "ab|\ncd");
    model.ExecuteCommand(caRIGHT, false);
    model.ExecuteCommand(caRIGHT, false);
    model.ExecuteCommand(caDELETE, false);
    EXPECT_EQ(State(model), "ab  |cd");
    model.ExecuteCommand(caUNDO, false);
    EXPECT_EQ(model.Text(), "ab\rcd") << "fill and join undo as one step";
}

TEST(Commands, PagingAndScrollingFollowTheCaret)
{
    TCodeMemoModel model;
    model.VisibleLines = 3;
    SetState(model, "|0\n1\n2\n3\n4\n5\n6\n7\n8\n9");
    model.ExecuteCommand(caPAGEDOWN, false);
    EXPECT_EQ(model.FindLine(model.SelCaret()).Index, 3);
    EXPECT_EQ(model.TopLine(), 3);
    model.ExecuteCommand(caPAGEDOWN, true);
    EXPECT_EQ(model.FindLine(model.SelCaret()).Index, 6);
    EXPECT_EQ(model.SelAnchor(), 6) << "extend keeps the anchor";
    model.ExecuteCommand(caPAGEUP, false);
    EXPECT_EQ(model.FindLine(model.SelCaret()).Index, 3);
    EXPECT_EQ(model.TopLine(), 3);

    model.VisibleColumns = 10;
    SetState(model, "|0\n1\n2\n3\n" + std::string(30, 'x') + "\n");
    model.ExecuteCommand(caDOCEND, false);
    EXPECT_EQ(model.TopLine(), 3) << "the empty last line is the bottom row";
    model.ExecuteCommand(caUP, false);
    model.ExecuteCommand(caLINEEND, false);
    EXPECT_EQ(model.LeftColumn(), 24) << "steps of 8 columns until column 30 shows";
    model.ExecuteCommand(caLINEHOME, false);
    EXPECT_EQ(model.LeftColumn(), 0);
    model.ExecuteCommand(caDOCSTART, false);
    EXPECT_EQ(model.TopLine(), 0);
}

TEST(Commands, Editing)
{
    RunRows({
        {"delete_char", caDELETE, false, "a|bc", "a|c"},
        {"delete_line_break", caDELETE, false, "ab|\ncd", "ab|cd"},
        {"delete_at_end", caDELETE, false, "abc|", "abc|"},
        {"backspace_char", caBACKSPACE, false, "ab|c", "a|c"},
        {"backspace_joins_lines", caBACKSPACE, false, "ab\n|cd", "ab|cd"},
        {"backspace_at_start", caBACKSPACE, false, "|abc", "|abc"},
        {"delete_line", caDELETELINE, false, "ab\nc|d\nef", "ab\n|ef"},
        {"delete_last_line", caDELETELINE, false, "ab\nc|d", "ab\n|"},
        {"delete_line_needs_empty_selection", caDELETELINE, false, "ab\n^c|d", "ab\n^c|d"},
        {"delete_line_on_empty_last_position", caDELETELINE, false, "ab\n|", "ab\n|"},
        {"del_prev_word", caDELPREVWORD, false, "foo bar|", "foo |"},
        {"del_prev_word_with_blanks", caDELPREVWORD, false, "foo bar  |", "foo |"},
        {"del_prev_word_at_start", caDELPREVWORD, false, "|foo", "|foo"},
        {"del_prev_word_across_break", caDELPREVWORD, false, "foo\n|bar", "|bar"},
        {"delete_in_empty_text", caDELETE, false, "|", "|"},
        {"unindent_nothing", caBLOCKUND, false, "a^b|", "a^b|"},
    });
}

TEST(Commands, ReadOnlyBlocksTextChanges)
{
    const int codes[] = {caCUT,       caPASTE,       caDELETE, caBACKSPACE, caBLOCKIND,
                         caBLOCKUND,  caDELETELINE,  caUNDO,   caREDO};
    for (const int code : codes) {
        TCodeMemoModel model;
        SetState(model, "  a^b|c\n  de");
        model.ReadOnly = true;
        model.ExecuteCommand(code, false);
        EXPECT_EQ(model.Text(), "  abc\r  de") << code;
    }
    TCodeMemoModel model;
    SetState(model, "foo bar|");
    model.ReadOnly = true;
    model.ExecuteCommand(caDELPREVWORD, false);
    EXPECT_EQ(State(model), "foo |bar^") << "the word is selected, not deleted";
}

// ---------------------------------------------------------------- bookmarks

TEST(Bookmarks, ToggleOnePerLineAndMove)
{
    TCodeMemoModel model;
    std::vector<int> fired;
    model.OnBookmarkSet = [&](int index) { fired.push_back(index); };
    SetState(model, "a|b\ncd");
    model.ExecuteCommand(caSETBOOKMARK0 + 3, false);
    model.ExecuteCommand(caSETBOOKMARK0 + 3, false);
    EXPECT_EQ(model.BookmarkLine(3), -1) << "setting twice on one line removes it";
    model.SetBookmark(1);
    model.SetBookmark(2);
    EXPECT_EQ(model.BookmarkLine(1), -1) << "a line holds one numbered bookmark";
    model.ExecuteCommand(caDOWN, false);
    model.SetBookmark(2);
    EXPECT_EQ(model.BookmarkLine(2), 1) << "the bookmark moved";
    EXPECT_EQ(model.First()->Marks & kBookmarkMask, 0);
    EXPECT_EQ(fired, (std::vector<int>{3, 1, 2, 2})) << "the toggle off fires nothing";
}

TEST(Bookmarks, GotoRestoresPositionAndCentres)
{
    TCodeMemoModel model;
    model.VisibleLines = 4;
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "l" + std::to_string(10 + i) + "\n";
    SetState(model, text);
    model.SetSelection(10 * 4 + 2, 10 * 4 + 2);
    model.ExecuteCommand(caSETBOOKMARK0 + 5, false);
    model.ExecuteCommand(caDOCSTART, false);
    model.ExecuteCommand(caGOTOBOOKMARK0 + 5, false);
    EXPECT_EQ(model.SelCaret(), 10 * 4 + 2);
    EXPECT_EQ(model.TopLine(), 8) << "the line is centred";

    // The remembered position is cut back to a line that got shorter.
    SetState(model, "abcdef|\nx");
    model.SetBookmark(0);
    model.SetSelection(2, 6);
    model.DeleteSelection();
    model.GotoBookmark(0);
    EXPECT_EQ(State(model), "ab|\nx");
    model.ExecuteCommand(caGOTOBOOKMARK0 + 7, false);  // never set: nothing
    EXPECT_EQ(State(model), "ab|\nx");
    EXPECT_THROW(model.GotoBookmark(-1), ECodeMemo);
    try {
        model.SetBookmark(10);
        FAIL();
    } catch (const ECodeMemo& e) {
        EXPECT_STREQ(e.what(), "Bookmark index range error");
    }
}

// ---------------------------------------------------------------- clipboard

class FakeClipboard : public TCodeMemoClipboard {
public:
    std::string text, html, rtf;
    bool hasHtml = false;
    bool failAlloc = false;

    bool HasText() const override { return !text.empty(); }
    bool HasHtml() const override { return hasHtml; }
    std::string Text() const override
    {
        if (failAlloc)
            throw std::bad_alloc();
        return text;
    }
    std::string Html() const override { return html; }
    void Clear() override { text.clear(), rtf.clear(), hasHtml = false; }
    void PutText(std::string_view t) override { text = t; }
    void PutRtf(std::string_view r) override { rtf = r; }
};

TEST(Clipboard, CopyCutAndPaste)
{
    TCodeMemoModel model;
    FakeClipboard clip;
    model.Clipboard = &clip;
    SetState(model, "a^b\nc|d");
    model.ExecuteCommand(caCOPY, false);
    EXPECT_EQ(clip.text, "b\r\nc");
    EXPECT_EQ(clip.rtf.rfind("{\\rtf1", 0), 0u);
    model.ClipCopyFormats = smTEXT;
    model.SetSelection(1, 1);
    model.ExecuteCommand(caCOPY, false);
    EXPECT_EQ(clip.text, "b\r\nc") << "an empty selection leaves the clipboard alone";

    SetState(model, "a^bc|d");
    model.ExecuteCommand(caCUT, false);
    EXPECT_EQ(State(model), "a|d");
    EXPECT_TRUE(clip.rtf.empty());
    clip.text = "x\r\ny";
    model.ExecuteCommand(caPASTE, false);
    EXPECT_EQ(State(model), "ax\ny|d");
    EXPECT_FALSE(model.PaintSuspended());
    model.ExecuteCommand(caUNDO, false);
    EXPECT_EQ(State(model), "a|d") << "paste undoes in one step";
    model.ExecuteCommand(caUNDO, false);
    EXPECT_EQ(State(model), "a^bc|d") << "cut undoes in one step";
}

TEST(Clipboard, PasteSources)
{
    const std::string html = "Version:0.9\r\n<html><!--StartFragment--><b>x</b><!--EndFragment--></html>";
    struct Row {
        const char* name;
        bool hasText;
        uint32_t ask;  // bits OnDataDrop adds
        std::string expect;
    };
    const Row rows[] = {
        {"text_preferred", true, 0, "plain"},
        {"html_whole", false, 0, html},
        {"html_from_first_tag", false, stHtmlFromTag, html.substr(html.find('<'))},
        {"html_fragment", false, stHtmlFragment, "<b>x</b>"},
    };
    for (const Row& row : rows) {
        TCodeMemoModel model;
        FakeClipboard clip;
        clip.text = row.hasText ? "plain" : "";
        clip.html = html;
        clip.hasHtml = true;
        model.Clipboard = &clip;
        model.OnDataDrop = [&](uint32_t& types) { types |= row.ask; };
        model.PasteFromClipboard();
        EXPECT_EQ(model.TextCRLF(), row.expect) << row.name;
    }
}

TEST(Clipboard, PasteBufferFailureRaises)
{
    TCodeMemoModel model;
    FakeClipboard clip;
    clip.text = "x";
    clip.failAlloc = true;
    model.Clipboard = &clip;
    SetState(model, "a|");
    try {
        model.PasteFromClipboard();
        FAIL() << "expected ECodeMemo";
    } catch (const ECodeMemo& e) {
        EXPECT_STREQ(e.what(), "Cannot alloc memory for buffer!!");
    }
    EXPECT_EQ(State(model), "a|");
}

// ---------------------------------------------------------------- printing

class FakePrinter : public TCodeMemoPrinter {
public:
    std::vector<std::pair<int64_t, int64_t>> jobs;
    void PrintLines(TCodeMemoModel&, int64_t first, int64_t last) override
    {
        jobs.emplace_back(first, last);
    }
};

TEST(Printing, SelectionLines)
{
    struct Row {
        const char* name;
        const char* start;
        std::vector<std::pair<int64_t, int64_t>> jobs;
    };
    const Row rows[] = {
        {"middle_lines", "a\nb^b\ncc|\nd", {{1, 2}}},
        {"ends_at_line_start", "a\n^bb\ncc\n|d", {{1, 2}}},
        {"within_one_line", "a\nb^b|", {{1, 1}}},
        {"empty_selection_prints_nothing", "a\nb|b", {}},
    };
    for (const Row& row : rows) {
        TCodeMemoModel model;
        FakePrinter printer;
        model.Printer = &printer;
        SetState(model, row.start);
        model.ExecuteCommand(caPRINTSEL, false);
        EXPECT_EQ(printer.jobs, row.jobs) << row.name;
    }
}

}  // namespace
}  // namespace tarnwick
