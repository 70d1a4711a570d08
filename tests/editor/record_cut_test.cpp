// How edits cut a long logical line into records, and what an insertion or
// deletion leaves behind when memory runs out at any of its steps.
#include "editor/core/code_memo_model.h"
#include "editor/core/editor_commands.h"
#include "alloc_fault.h"
#include "chain_check.h"

#include <gtest/gtest.h>

#include <new>

namespace tarnwick {
namespace {

using test::ExpectConsistent;
using test::RecordLengths;

TEST(RecordCut, TypingIntoALongLineKeepsTheLoadingCut)
{
    TCodeMemoModel model;
    const std::string line(5000, 'x');
    model.LoadFromText(line);
    model.SetSelection(0, 0);
    for (int i = 0; i < 100; ++i)
        model.KeyPress('a');
    EXPECT_EQ(RecordLengths(model), (std::vector<size_t>{2047, 2047, 1006}));
    EXPECT_EQ(model.Text(), std::string(100, 'a') + line);
    EXPECT_EQ(model.SelCaret(), 100);
    ExpectConsistent(model);

    while (model.CanUndo())
        model.ExecuteCommand(caUNDO, false);
    EXPECT_EQ(model.Text(), line);
    EXPECT_EQ(model.RecordCount(), 3);
    ExpectConsistent(model);
}

TEST(RecordCut, InsertionThatOverflowsARecordRecutsItsLogicalLine)
{
    struct Row {
        const char* name;
        std::string text;
        int64_t at;
        std::string insert;
        std::vector<size_t> lengths;
    };
    const std::string longLine(5000, 'x');
    const Row rows[] = {
        {"paste_into_first_record", longLine, 10, std::string(300, 'p'), {2047, 2047, 1206}},
        {"paste_into_middle_record", longLine, 3000, std::string(300, 'p'), {2047, 2047, 1206}},
        {"paste_that_fits_stays_in_its_record", longLine, 4500, "pp", {2047, 2047, 908}},
        {"other_lines_keep_their_records", "ab\r" + longLine + "\rcd", 5, "z",
         {3, 2047, 2047, 908, 2}},
        {"break_inside_overflow_cuts_both_lines", longLine, 100,
         std::string(50, 'p') + "\r" + std::string(3000, 'q'), {151, 2047, 2047, 2047, 1759}},
    };
    for (const Row& row : rows) {
        TCodeMemoModel model;
        model.LoadFromText(row.text);
        model.SetSelection(row.at, row.at);
        model.InsertText(row.insert);
        std::string expect = row.text;
        expect.insert(static_cast<size_t>(row.at), row.insert);
        EXPECT_EQ(model.Text(), expect) << row.name;
        EXPECT_EQ(RecordLengths(model), row.lengths) << row.name;
        ExpectConsistent(model);
    }
}

TEST(RecordCut, RecutKeepsTheLinesBookmarksAndMovesTheAnchor)
{
    TCodeMemoModel model;
    model.LoadFromText(std::string(5000, 'x') + "\rtail\rend");
    model.Store().First()->Marks |= 1 << 2;
    model.Store().First()->Next->Marks |= 1 << 5;
    model.SetTopLine(3);
    model.SetSelection(0, 0);
    model.InsertText(std::string(2000, 'p'));
    EXPECT_EQ(RecordLengths(model), (std::vector<size_t>{2047, 2047, 2047, 860, 5, 3}));
    EXPECT_EQ(model.BookmarkLine(2), 0);
    EXPECT_EQ(model.BookmarkLine(5), 0) << "a bookmark on a continuation piece stays on its line";
    EXPECT_EQ(model.TopLine(), 4) << "the first visible line follows its text";
    EXPECT_EQ(model.LineByIndex(model.TopLine()).Rec->View(), "tail\r");
}

// Runs `edit` with the n-th allocation failing, for every n until it
// succeeds: a failed edit must leave text, counts, selection and heap as
// they were.
void ExpectStrongGuarantee(const char* name, const std::string& text, int64_t anchor,
                           int64_t caret, void (*edit)(TCodeMemoModel&))
{
    for (int64_t n = 0;; ++n) {
        const int64_t liveBefore = test::LiveAllocations();
        bool failed = false;
        {
            TCodeMemoModel model;
            model.LoadFromText(text);
            model.SetSelection(anchor, caret);
            test::FailAllocationAfter(n);
            try {
                edit(model);
            } catch (const std::bad_alloc&) {
                failed = true;
            }
            test::FailAllocationAfter(-1);
            if (failed) {
                EXPECT_EQ(model.Text(), text) << name << ", allocation " << n;
                EXPECT_EQ(model.SelAnchor(), anchor) << name << ", allocation " << n;
                EXPECT_EQ(model.SelCaret(), caret) << name << ", allocation " << n;
                ExpectConsistent(model);
            }
        }
        EXPECT_EQ(test::LiveAllocations(), liveBefore) << name << ": leak at allocation " << n;
        if (!failed || ::testing::Test::HasFailure())
            return;
    }
}

TEST(RecordCut, EditsThatRunOutOfMemoryChangeNothing)
{
    const std::string lines = "first line\r" + std::string(3000, 'm') + "\rlast line";
    ExpectStrongGuarantee("delete_across_lines", lines, 5, 2500,
                          [](TCodeMemoModel& m) { m.RawDeleteSelection(); });
    ExpectStrongGuarantee("delete_inside_a_record", lines, 12, 14,
                          [](TCodeMemoModel& m) { m.RawDeleteSelection(); });
    ExpectStrongGuarantee("insert_with_breaks", lines, 3, 3,
                          [](TCodeMemoModel& m) { m.RawInsertAtCaret("a\rb\rc"); });
    ExpectStrongGuarantee("insert_that_recuts_a_long_line", lines, 20, 20,
                          [](TCodeMemoModel& m) { m.RawInsertAtCaret(std::string(100, 'p')); });
}

}  // namespace
}  // namespace tarnwick
