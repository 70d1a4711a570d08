// The undo log: transactions, groups, replay, redo, trimming and faults.
#include "editor/core/code_memo_errors.h"
#include "editor/core/code_memo_model.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

void Type(TCodeMemoModel& model, char c)
{
    model.BeginGroup(ugTyping);
    model.InsertText(std::string(1, c));
    model.EndGroup(ugTyping);
}

TEST(Undo, TypingThreeKeysUndoesOneAtATime)
{
    TCodeMemoModel model;
    for (char c : {'a', 'b', 'c'})
        Type(model, c);
    EXPECT_TRUE(model.Modified());
    for (const char* expect : {"ab", "a", ""}) {
        model.Undo();
        EXPECT_EQ(model.Text(), expect);
    }
    EXPECT_FALSE(model.Modified()) << "undoing everything clears Modified";
    EXPECT_FALSE(model.CanUndo());
    for (const char* expect : {"a", "ab", "abc"}) {
        model.Redo();
        EXPECT_EQ(model.Text(), expect);
    }
    EXPECT_FALSE(model.CanRedo());
}

TEST(Undo, PasteOverSelectionRestoresAndReselects)
{
    struct Row {
        const char* name;
        int64_t anchor;
        int64_t caret;
    };
    for (const Row row : {Row{"left_to_right", 2, 7}, Row{"right_to_left", 7, 2}}) {
        TCodeMemoModel model;
        model.LoadFromText("0123456789");
        model.SetSelection(row.anchor, row.caret);
        model.BeginGroup(ugPaste);
        model.InsertText("PASTED\nTEXT");
        model.EndGroup(ugPaste);
        EXPECT_EQ(model.Text(), "01PASTED\rTEXT789") << row.name;
        model.Undo();
        EXPECT_EQ(model.Text(), "0123456789") << row.name;
        EXPECT_EQ(model.SelAnchor(), row.anchor) << row.name;
        EXPECT_EQ(model.SelCaret(), row.caret) << row.name;
        model.Redo();
        EXPECT_EQ(model.Text(), "01PASTED\rTEXT789") << row.name;
    }
}

TEST(Undo, IndentGroupOfFiveLinesIsOneStep)
{
    TCodeMemoModel model;
    model.LoadFromText("a\rb\r\tc\rd\re");
    model.SetSelection(0, 9);
    model.BeginGroup(ugBlockIndent);
    // Prefix each line as block indent does, bottom line first so earlier
    // offsets stay valid.
    for (int64_t offset : {9, 7, 4, 2, 0}) {
        model.DisableLogging();
        model.SetSelection(offset, offset);
        model.RawInsertAtCaret("  ");
        model.EnableLogging();
        model.LogIndent(offset, "  ");
    }
    model.EndGroup(ugBlockIndent);
    EXPECT_EQ(model.Text(), "  a\r  b\r  \tc\r  d\r  e");
    model.Undo();
    EXPECT_EQ(model.Text(), "a\rb\r\tc\rd\re");
    EXPECT_FALSE(model.CanUndo());
    model.Redo();
    EXPECT_EQ(model.Text(), "  a\r  b\r  \tc\r  d\r  e");
}

TEST(Undo, UnindentBringsBackTabs)
{
    TCodeMemoModel model;
    model.LoadFromText("\tx");
    model.BeginGroup(ugBlockUnindent);
    model.DisableLogging();
    model.SetSelection(0, 1);
    model.RawDeleteSelection();
    model.EnableLogging();
    model.LogUnindent(0, "\t");
    model.EndGroup(ugBlockUnindent);
    EXPECT_EQ(model.Text(), "x");
    model.Undo();
    EXPECT_EQ(model.Text(), "\tx");
}

TEST(Undo, NewEditAfterUndoDropsRedo)
{
    TCodeMemoModel model;
    model.InsertText("one");
    model.InsertText(" two");
    model.Undo();
    EXPECT_TRUE(model.CanRedo());
    model.InsertText("!");
    EXPECT_FALSE(model.CanRedo());
    EXPECT_EQ(model.Text(), "one!");
    model.Redo();
    EXPECT_EQ(model.Text(), "one!");
}

TEST(Undo, SaveAndModifiedFalseEmptyTheLog)
{
    TCodeMemoModel model;
    model.InsertText("abc");
    std::ostringstream out;
    model.SaveToStream(&out);
    EXPECT_FALSE(model.Modified());
    model.Undo();
    EXPECT_EQ(model.Text(), "abc");

    model.InsertText("d");
    model.SetModified(true);
    EXPECT_TRUE(model.Modified());
    model.SetModified(false);
    EXPECT_FALSE(model.CanUndo());
}

TEST(Undo, StreamInsertUndoesAndRedoes)
{
    TCodeMemoModel model;
    model.LoadFromText("head tail");
    model.SetSelection(5, 5);
    std::istringstream in("middle\r\n");
    model.InsertStream(in);
    EXPECT_EQ(model.Text(), "head middle\rtail");
    model.Undo();
    EXPECT_EQ(model.Text(), "head tail");
    model.Redo();
    EXPECT_EQ(model.Text(), "head middle\rtail");
}

TEST(UndoStack, PushDropsRedoAndCountsCost)
{
    std::vector<int64_t> freed;
    TUndoStack stack;
    stack.SetOnFree([&](TStackItem& item) { freed.push_back(static_cast<TLogEntry&>(item).A); });
    stack.PushTransaction(kTransText, {0, 0}, std::nullopt, std::string("abcd"), {4, 4});
    EXPECT_EQ(stack.Size(), 6u);
    EXPECT_EQ(stack.Count(), 6u);
    // Six nodes of 16 plus items: marker 16, range 16, null text 16,
    // text 16+4, range 16, marker 16.
    EXPECT_EQ(stack.TotalCost(), 6 * 16 + 16 * 6 + 4);
    stack.TakeDown();
    stack.TakeDown();
    EXPECT_FALSE(stack.AtTop());
    stack.PushTransaction(kTransText, {1, 1}, std::nullopt, std::nullopt, {1, 1});
    EXPECT_EQ(stack.Size(), 10u);
    EXPECT_EQ(freed.size(), 2u);
    EXPECT_TRUE(stack.AtTop());
}

TEST(UndoStack, TrimDropsWholeTransactionsFromTheBottom)
{
    TUndoStack stack;
    for (int i = 0; i < 5; ++i)
        stack.PushTransaction(kTransText, {i, i}, std::nullopt, std::string(10, 'x'), {i, i});
    const int64_t one = stack.TotalCost() / 5;
    stack.CostLimit = one * 2;
    stack.Trim();
    EXPECT_EQ(stack.Size(), 12u);
    EXPECT_LE(stack.TotalCost(), stack.CostLimit);
    const auto* bottom = static_cast<const TLogEntry*>(stack.Bottom());
    EXPECT_EQ(bottom->Kind, TLogKind::Marker);
}

TEST(UndoStack, Faults)
{
    TUndoStack stack;
    try {
        stack.TakeDown();
        ADD_FAILURE();
    } catch (const ECodeMemo& e) {
        EXPECT_EQ(e.Message(), kMsgStackUnderflow);
    }
    stack.OpenGroup(ugTyping, {0, 0});
    try {
        stack.TakeDownAs(TLogKind::Range);
        ADD_FAILURE();
    } catch (const ECodeMemo& e) {
        EXPECT_EQ(e.Message(), kMsgBadStackState);
    }
}

TEST(Undo, CorruptLogIsEmptiedWithABeep)
{
    TCodeMemoModel model;
    model.InsertText("abc");
    int beeps = 0;
    model.OnBeep = [&] { ++beeps; };
    // A closing marker whose code differs from its opening one.
    auto stack = std::make_unique<TUndoStack>();
    stack->PushTransaction(kTransText, {0, 0}, std::nullopt, std::string("abc"), {3, 3});
    stack->TakeDown();
    auto bad = std::make_unique<TLogEntry>();
    bad->Kind = TLogKind::Marker;
    bad->A = kTransStream;
    stack->Push(std::move(bad));
    model.ReplaceUndoStack(std::move(stack));
    model.Undo();
    EXPECT_EQ(beeps, 1);
    EXPECT_FALSE(model.CanUndo());
    EXPECT_EQ(model.UndoStack()->Size(), 0u);
}

TEST(Undo, DetachedLogRecordsNothing)
{
    TCodeMemoModel model;
    auto old = model.ReplaceUndoStack(nullptr);
    ASSERT_NE(old, nullptr);
    model.InsertText("x");
    EXPECT_FALSE(model.Modified());
    model.Undo();
    EXPECT_EQ(model.Text(), "x");
}

TEST(Undo, GroupsDoNotNest)
{
    TCodeMemoModel model;
    model.BeginGroup(ugCut);
    model.InsertText("a");
    model.BeginGroup(ugTyping);  // ignored: a group is open
    model.InsertText("b");
    model.EndGroup(ugTyping);    // ignored: another code
    model.InsertText("c");
    model.EndGroup(ugCut);
    model.Undo();
    EXPECT_EQ(model.Text(), "");
}

}  // namespace
}  // namespace tarnwick
