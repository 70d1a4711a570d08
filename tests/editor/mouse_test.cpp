// The mouse side of the caret model: click counting, shift-click, drag
// pending, triple click, mouse selection, word selection, drops.
#include "editor/core/code_memo_model.h"
#include "editor/core/memo_options.h"
#include "memo_state.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using test::SetState;
using test::State;

using Press = TCodeMemoModel::TMousePress;

Press At(int64_t offset, uint64_t time, bool shift = false)
{
    Press press;
    press.Offset = offset;
    press.Time = time;
    press.Shift = shift;
    return press;
}

TEST(Mouse, ClickCounter)
{
    TCodeMemoModel model;
    SetState(model, "abc def\nxyz");
    EXPECT_EQ(model.ClickCount(), 4);
    struct Step {
        uint64_t time;
        int expect;
    };
    // Quick presses count 1, 2, 3, 4, then start again; a slow one restarts.
    const Step steps[] = {{1000, 1}, {1100, 2}, {1200, 3}, {1300, 4}, {1400, 1},
                          {1500, 2}, {5000, 1}, {5100, 2}};
    for (const Step& step : steps) {
        model.MouseDown(At(9, step.time));
        model.MouseUp(9, 0);
        EXPECT_EQ(model.ClickCount(), step.expect) << step.time;
    }
}

TEST(Mouse, PressActions)
{
    TCodeMemoModel model;
    SetState(model, "abc def\nxyz");
    EXPECT_EQ(model.MouseDown(At(2, 1000)), TCodeMemoModel::maPlaced);
    model.MouseMoveTo(6, 0);
    model.MouseUp(6, 0);
    EXPECT_EQ(State(model), "ab^c de|f\nxyz") << "dragging extends the selection";

    EXPECT_EQ(model.MouseDown(At(4, 5000)), TCodeMemoModel::maDragPending);
    model.MouseUp(4, 0);
    EXPECT_EQ(State(model), "abc |def\nxyz") << "a release without a drag places the caret";

    SetState(model, "a^bcde|f");
    EXPECT_EQ(model.MouseDown(At(0, 9000, true)), TCodeMemoModel::maExtended);
    EXPECT_EQ(State(model), "|abcde^f") << "the nearer end moves";
    model.MouseUp(0, 0);

    model.Options = smoCaretAfterEOL;
    SetState(model, "ab\ncd");
    Press past = At(2, 20000);
    past.Column = 7;
    model.MouseDown(past);
    EXPECT_EQ(model.CaretColumn(), 7) << "the caret follows the pointer past the line end";
}

TEST(Mouse, TripleClickSelectsTheLine)
{
    TCodeMemoModel model;
    SetState(model, "abc def\nxyz\n");
    model.MouseDown(At(9, 100));
    model.MouseUp(9, 0);
    model.MouseDown(At(9, 200));
    model.MouseUp(9, 0);
    EXPECT_EQ(model.MouseDown(At(10, 300)), TCodeMemoModel::maLineSelected);
    EXPECT_EQ(State(model), "abc def\n^xyz\n|");

    Press handled = At(1, 10000);
    model.MouseDown(handled);
    handled.Time += 50;
    model.MouseDown(handled);
    handled.Time += 50;
    handled.TripleClickHandled = true;
    EXPECT_EQ(model.MouseDown(handled), TCodeMemoModel::maTripleClick);
}

TEST(Mouse, DoubleClickSelectsWordWithOption)
{
    TCodeMemoModel model;
    SetState(model, "abc def");
    model.MouseDown(At(5, 100));
    model.MouseDown(At(5, 200));
    EXPECT_FALSE(model.DoubleClick()) << "smoWordSelect is off";
    model.Options = smoWordSelect;
    EXPECT_TRUE(model.DoubleClick());
    EXPECT_EQ(State(model), "abc ^def|");
}

TEST(Mouse, Drops)
{
    struct Row {
        const char* name;
        const char* start;
        int64_t at;
        bool move;
        const char* expect;
    };
    const Row rows[] = {
        {"copy_drop", "a^bc|def", 6, false, "abcdefbc|"},
        {"move_drop_after", "a^bc|def", 5, true, "adebc|f"},
        {"move_drop_before", "abc^de|f", 1, true, "ade|bcf"},
        {"drop_inside_selection", "a^bcd|ef", 2, true, "a^bcd|ef"},
    };
    for (const Row& row : rows) {
        TCodeMemoModel model;
        SetState(model, row.start);
        const std::string dragged = model.SelText();
        model.DropText(row.at, dragged, row.move);
        EXPECT_EQ(State(model), row.expect) << row.name;
        model.Undo();
        EXPECT_EQ(State(model), row.start) << row.name << ": one undo step";
    }
    TCodeMemoModel model;
    SetState(model, "a^bc|def");
    model.ReadOnly = true;
    EXPECT_FALSE(model.DropText(0, "x", false));
}

}  // namespace
}  // namespace tarnwick
