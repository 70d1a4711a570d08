// The editor's message interface and the Lines view built on it.
#include "editor/core/code_memo_model.h"
#include "editor/core/code_memo_strings.h"
#include "editor/core/memo_options.h"
#include "memo_state.h"
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sstream>

namespace tarnwick {
namespace {

using test::SetState;
using test::State;

intptr_t P(const void* pointer)
{
    return reinterpret_cast<intptr_t>(pointer);
}

TEST(Perform, TextMessages)
{
    TCodeMemoModel model;
    EXPECT_EQ(model.Perform(WM_SETTEXT, 0, P("ab\r\ncd\n")), 1);
    EXPECT_EQ(model.Text(), "ab\rcd\r");
    EXPECT_EQ(model.Perform(WM_GETTEXTLENGTH, 0, 0), 8);

    char buffer[16];
    EXPECT_EQ(model.Perform(WM_GETTEXT, sizeof buffer, P(buffer)), 8);
    EXPECT_STREQ(buffer, "ab\r\ncd\r\n");
    char small[4];
    EXPECT_EQ(model.Perform(WM_GETTEXT, sizeof small, P(small)), 3) << "truncated, NUL kept";
    EXPECT_STREQ(small, "ab\r");
    EXPECT_EQ(model.Perform(WM_GETTEXT, 0, P(small)), 0);
    EXPECT_EQ(model.Perform(WM_GETTEXT, 8, 0), 0) << "null buffer";

    EXPECT_EQ(model.Perform(WM_SETTEXT, 0, 0), 1);
    EXPECT_EQ(model.CharCount(), 0) << "null empties the text";
}

TEST(Perform, LineMessages)
{
    TCodeMemoModel model;
    EXPECT_EQ(model.Perform(EM_GETLINECOUNT, 0, 0), 1) << "an empty text reports one line";
    EXPECT_EQ(model.Perform(EM_LINEINDEX, 0, 0), 0);
    SetState(model, "abc\nde|\nf");
    EXPECT_EQ(model.Perform(EM_GETLINECOUNT, 0, 0), 3);

    struct Row {
        const char* name;
        TMessage msg;
        intptr_t wParam;
        intptr_t expect;
    };
    const Row rows[] = {
        {"index_of_line_1", EM_LINEINDEX, 1, 4},
        {"index_of_caret_line", EM_LINEINDEX, -1, 4},
        {"index_past_end", EM_LINEINDEX, 3, -1},
        {"length_without_cr", EM_LINELENGTH, 0, 3},
        {"length_of_caret_line", EM_LINELENGTH, -1, 2},
        {"length_of_last_line", EM_LINELENGTH, 8, 1},
        {"line_of_offset", EM_LINEFROMCHAR, 6, 1},
        {"line_of_caret", EM_LINEFROMCHAR, -1, 1},
        {"line_of_offset_past_end", EM_LINEFROMCHAR, 99, 2},
    };
    for (const Row& row : rows)
        EXPECT_EQ(model.Perform(row.msg, static_cast<uintptr_t>(row.wParam), 0), row.expect) << row.name;

    char buffer[8] = {};
    const uint16_t size = 2;
    std::memcpy(buffer, &size, sizeof size);
    EXPECT_EQ(model.Perform(EM_GETLINE, 0, P(buffer)), 2) << "limited by the size word";
    EXPECT_EQ(std::string(buffer, 2), "ab");
    const uint16_t big = 8;
    std::memcpy(buffer, &big, sizeof big);
    EXPECT_EQ(model.Perform(EM_GETLINE, 0, P(buffer)), 3);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    EXPECT_EQ(model.Perform(EM_GETLINE, 3, P(buffer)), 0) << "past the end";
    EXPECT_EQ(model.Perform(EM_GETLINE, 0, 0), 0) << "null buffer";
}

TEST(Perform, SelectionMessages)
{
    TCodeMemoModel model;
    SetState(model, "hello\nworld");
    model.Perform(EM_SETSEL, 0, -1);
    EXPECT_EQ(model.SelStart(), 0);
    EXPECT_EQ(model.SelEnd(), 11);
    model.Perform(EM_SETSEL, 8, 2);
    uint32_t start = 0;
    uint32_t end = 0;
    EXPECT_EQ(model.Perform(EM_GETSEL, reinterpret_cast<uintptr_t>(&start), P(&end)), 2 | (8 << 16));
    EXPECT_EQ(start, 2u);
    EXPECT_EQ(end, 8u);
    model.Perform(EM_SETSEL, 3, 999);
    EXPECT_EQ(model.SelEnd(), 11) << "clamped to the text";

    int32_t pair[2] = {1, 4};
    EXPECT_EQ(model.Perform(SEM_SELECTION, SEM_SET, P(pair)), 1);
    pair[0] = pair[1] = 0;
    model.Perform(SEM_SELECTION, 0, P(pair));
    EXPECT_EQ(pair[0], 1);
    EXPECT_EQ(pair[1], 4);
    EXPECT_EQ(model.Perform(SEM_SELECTION, 0, 0), 0) << "null pair";

    model.Perform(EM_SETSEL, 3, 8);
    EXPECT_EQ(model.Perform(SEM_GETSELTEXT, 1, 0), 6);
    std::string text(7, 'x');
    TSemBuffer whole{text.data(), text.size()};
    EXPECT_EQ(model.Perform(SEM_GETSELTEXT, 1, P(&whole)), 6);
    EXPECT_EQ(text, std::string("lo\r\nwo\0", 7));
    EXPECT_EQ(model.Perform(SEM_GETSELTEXT, 0, 0), 5) << "bare CR";

    std::ostringstream out;
    EXPECT_EQ(model.Perform(SEM_SELTOSTREAM, SEM_STREAM_LF, P(&out)), 5);
    EXPECT_EQ(out.str(), "lo\nwo");
    EXPECT_EQ(model.Perform(SEM_SELTOSTREAM, 3, P(&out)), 0) << "unknown format";
}

TEST(Perform, EditingMessages)
{
    TCodeMemoModel model;
    SetState(model, "a^b|c");
    model.Perform(EM_REPLACESEL, 0, P("XY"));
    EXPECT_EQ(State(model), "aXY|c");
    model.Perform(SEM_INSERTTEXT, 0, P("1\r\n2"));
    EXPECT_EQ(State(model), "aXY1\n2|c");
    std::istringstream in("s");
    model.Perform(SEM_INSERTSTREAM, 0, P(&in));
    EXPECT_EQ(State(model), "aXY1\n2s|c");
    EXPECT_EQ(model.Perform(EM_CANUNDO, 0, 0), 1);
    EXPECT_EQ(model.Perform(EM_GETMODIFY, 0, 0), 1);
    model.Perform(EM_UNDO, 0, 0);
    model.Perform(WM_UNDO, 0, 0);
    EXPECT_EQ(State(model), "aXY|c");
    EXPECT_EQ(model.Perform(SEM_CANREDO, 0, 0), 1);
    model.Perform(SEM_REDO, 0, 0);
    EXPECT_EQ(model.Text(), "aXY1\r2c");
    EXPECT_EQ(model.Perform(SEM_MODIFIED, SEM_SET, 0), 0);
    EXPECT_EQ(model.Perform(EM_CANUNDO, 0, 0), 0);

    SetState(model, "^a\nb|");
    model.Perform(SEM_INDENT, 0, 2);
    EXPECT_EQ(model.Text(), "  a\r  b");
    model.Perform(SEM_UNINDENT, 0, 0);  // IndentStep (1)
    EXPECT_EQ(model.Text(), " a\r b");
    model.Options |= smoUseTAB;
    model.Perform(SEM_INDENT, SEM_INDENT_TABS, 1);
    EXPECT_EQ(model.Text(), "\t a\r\t b");
    EXPECT_EQ(model.Perform(SEM_INSERTTEXT, 0, 0), 0) << "null text";
}

TEST(Perform, BufferMessagesNeverWritePastTheGivenSize)
{
    TCodeMemoModel model;
    SetState(model, "^hello\nworld|");
    struct Row {
        const char* name;
        uint32_t msg;
        size_t size;
        intptr_t result;
        std::string written;
    };
    const Row rows[] = {
        {"seltext_truncated_with_nul", SEM_GETSELTEXT, 4, 3, std::string("hel\0", 4)},
        {"seltext_one_byte_is_only_nul", SEM_GETSELTEXT, 1, 0, std::string("\0", 1)},
        {"seltext_zero_size_writes_nothing", SEM_GETSELTEXT, 0, 0, ""},
        {"attrs_stop_before_a_record_that_does_not_fit", SEM_GETATTRS, 8, 6,
         std::string(6, '\0')},
        {"attrs_too_small_for_any_record", SEM_GETATTRS, 5, 0, ""},
    };
    for (const Row& row : rows) {
        std::string buffer(row.size + 8, '#');
        TSemBuffer arg{buffer.data(), row.size};
        EXPECT_EQ(model.Perform(row.msg, row.msg == SEM_GETSELTEXT ? 1 : 0, P(&arg)), row.result)
            << row.name;
        EXPECT_EQ(buffer.substr(0, row.written.size()), row.written) << row.name;
        EXPECT_EQ(buffer.substr(row.written.size()), std::string(buffer.size() - row.written.size(), '#'))
            << row.name << ": bytes past the written part are untouched";
    }
    EXPECT_EQ(model.Perform(SEM_GETATTRS, 0, 0), 11) << "no buffer: the size needed";

    uint8_t values[11] = {1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2};
    TSemBuffer shortBuffer{values, 8};
    EXPECT_EQ(model.Perform(SEM_SETATTRS, 0, P(&shortBuffer)), 6)
        << "reads only the records that fit in the given size";
}

TEST(Perform, ViewAndStateMessages)
{
    TCodeMemoModel model;
    SetState(model, "0\n1\n2\n3\n4\n5\n6\n7\n8\n9");
    model.Perform(SEM_TOPLINE, SEM_SET, 4);
    model.Perform(EM_LINESCROLL, 3, -2);
    EXPECT_EQ(model.Perform(EM_GETFIRSTVISIBLELINE, 0, 0), 2);
    EXPECT_EQ(model.Perform(SEM_LEFTCOLUMN, 0, 0), 3);

    int changes = 0;
    model.OnChange = [&] { ++changes; };
    model.Perform(SEM_PAINTSUSPENDED, SEM_SET, 1);
    model.Perform(EM_SETSEL, 1, 3);
    EXPECT_EQ(changes, 0) << "notifications wait while painting is suspended";
    model.Perform(SEM_PAINTSUSPENDED, SEM_SET, 0);
    EXPECT_EQ(changes, 1);

    EXPECT_STREQ(reinterpret_cast<const char*>(model.Perform(SEM_VERSION, 0, 0)),
                 "<TCodeMemo>:3.00.00");
    EXPECT_EQ(model.Perform(EM_POSFROMCHAR, 0, 0), -1) << "no view";
    EXPECT_EQ(model.Perform(EM_CANPASTE, 0, 0), 0) << "no clipboard";
}

TEST(Perform, AttributeBytes)
{
    TCodeMemoModel model;
    SetState(model, "ab\ncde\nf");
    uint8_t all[] = {1, 2, 3, 4, 5, 6, 7, 8};
    TSemBuffer allBuffer{all, sizeof all};
    EXPECT_EQ(model.Perform(SEM_SETATTRS, 0, P(&allBuffer)), 8);
    const int32_t lines[2] = {1, 1};
    uint8_t back[4] = {};
    TSemBuffer backBuffer{back, sizeof back};
    EXPECT_EQ(model.Perform(SEM_GETATTRS, reinterpret_cast<uintptr_t>(lines), P(&backBuffer)), 4);
    EXPECT_EQ(std::vector<uint8_t>(back, back + 4), (std::vector<uint8_t>{4, 5, 6, 7}));

    model.SetSelection(0, 0);
    model.InsertText("z");  // drops line 0's token values
    uint8_t line0[4] = {9, 9, 9, 9};
    TSemBuffer line0Buffer{line0, sizeof line0};
    const int32_t first[2] = {0, 0};
    EXPECT_EQ(model.Perform(SEM_GETATTRS, reinterpret_cast<uintptr_t>(first), P(&line0Buffer)), 4);
    EXPECT_EQ(std::vector<uint8_t>(line0, line0 + 4), (std::vector<uint8_t>{0, 0, 0, 0}));

    const int32_t wild[2] = {-5, 99};
    EXPECT_EQ(model.LineAttrsSize(wild[0], wild[1]), 9u) << "clamped to the text";
    EXPECT_EQ(model.SetLineAttrs(0, 2, all, 3), 0u) << "a short buffer writes no partial record";
}

TEST(Perform, UndoStackObject)
{
    TCodeMemoModel model;
    SetState(model, "a|");
    model.InsertText("b");
    auto* own = reinterpret_cast<TUndoStack*>(model.Perform(SEM_UNDOSTACK, 0, 0));
    ASSERT_NE(own, nullptr);
    std::unique_ptr<TUndoStack> old(reinterpret_cast<TUndoStack*>(
        model.Perform(SEM_UNDOSTACK, SEM_SET, P(nullptr))));
    EXPECT_EQ(old.get(), own);
    model.InsertText("c");  // not logged: no stack
    EXPECT_FALSE(model.CanUndo());
    std::unique_ptr<TUndoStack> none(reinterpret_cast<TUndoStack*>(
        model.Perform(SEM_UNDOSTACK, SEM_SET, P(old.release()))));
    EXPECT_EQ(none, nullptr);
    model.Undo();
    EXPECT_EQ(model.Text(), "ac") << "the restored log undoes its own entry";
}

// ---------------------------------------------------------------- Lines

TEST(Lines, ListOperations)
{
    TCodeMemoModel model;
    TCodeMemoStrings lines(model);
    EXPECT_EQ(lines.Count(), 0);
    lines.Add("one");
    lines.Add("three");
    lines.Insert(1, "two");
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Get(1), "two");
    EXPECT_EQ(lines.Text(), "one\r\ntwo\r\nthree");
    lines.Put(2, "3");
    lines.Delete(0);
    EXPECT_EQ(model.Text(), "two\r3");
    lines.Delete(1);
    EXPECT_EQ(model.Text(), "two\r");
    EXPECT_EQ(lines.Count(), 1);
    lines.Add("x");
    EXPECT_EQ(model.Text(), "two\rx") << "no empty line appears after a final break";
    lines.Clear();
    EXPECT_EQ(lines.Count(), 0);
    lines.Assign({"a", "", "c"});
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Get(1), "");
}

TEST(Lines, IndexOutOfBounds)
{
    TCodeMemoModel model;
    TCodeMemoStrings lines(model);
    lines.SetText("a\r\nb");
    for (const int64_t bad : {-1, 2}) {
        EXPECT_THROW(lines.Get(bad), EStringListError) << bad;
        EXPECT_THROW(lines.Delete(bad), EStringListError) << bad;
    }
    EXPECT_THROW(lines.Insert(3, "x"), EStringListError);
    EXPECT_EQ(model.Text(), "a\rb");
}

TEST(Lines, UpdateBracketsNest)
{
    TCodeMemoModel model;
    TCodeMemoStrings lines(model);
    int changes = 0;
    model.OnChange = [&] { ++changes; };
    lines.BeginUpdate();
    lines.BeginUpdate();
    lines.Add("a");
    lines.EndUpdate();
    EXPECT_EQ(changes, 0);
    lines.EndUpdate();
    EXPECT_EQ(changes, 1);
    lines.EndUpdate();  // unmatched: harmless
    EXPECT_FALSE(model.PaintSuspended());
}

}  // namespace
}  // namespace tarnwick
