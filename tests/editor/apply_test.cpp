// Searching the control's own text (record pieces) and applying template
// expansions and regular-expression Replace All as single undo steps.
#include "editor/core/code_memo_model.h"
#include "editor/core/macro_expansion.h"
#include "editor/core/model_search_source.h"
#include "editor/core/search.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

// Lines longer than a record, so hits straddle record ends.
std::string LongLinesText()
{
    std::string text;
    for (int line = 0; line < 6; ++line) {
        for (int i = 0; i < 700; ++i)
            text += (i % 7 == 3) ? "proc(" : "abc ";
        text += '\r';
    }
    return text;
}

TEST(ModelSearchSource, FindsWhatTheWholeTextHolds)
{
    TCodeMemoModel model;
    model.LoadFromText(LongLinesText());
    ASSERT_GT(model.RecordCount(), 6);
    const std::string whole = model.Text();
    const TModelSearchSource records(model);
    const TStringSearchSource flat(whole);
    ASSERT_EQ(records.Length(), flat.Length());

    for (const int flags : {0, int(srchRegExpr), int(srchBackwards), int(srchMatchCase | srchWholeWord)}) {
        SCOPED_TRACE(flags);
        const std::string pattern = (flags & srchRegExpr)    ? "c p[a-z]+\\("
                                    : (flags & srchWholeWord) ? "abc"
                                                              : "c proc(";
        TSearchEngine a;
        TSearchEngine b;
        int64_t from = (flags & srchBackwards) ? records.Length() - 1 : 0;
        int hits = 0;
        for (;;) {
            const TSearchHit x = a.FindFrom(records, flags, pattern, from);
            const TSearchHit y = b.FindFrom(flat, flags, pattern, from);
            ASSERT_EQ(x.Start, y.Start);
            ASSERT_EQ(x.Length, y.Length);
            if (!x.Found())
                break;
            ++hits;
            from = (flags & srchBackwards) ? x.Start - 1 : x.Start + 1;
            if (from < 0)
                break;
        }
        EXPECT_GT(hits, 100);
    }
}

TEST(ModelApply, ReplaceAllIsOneUndoStep)
{
    TCodeMemoModel model;
    const std::string original = LongLinesText();
    model.LoadFromText(original);
    const std::string before = model.Text();

    TSearchEngine engine;
    const TModelSearchSource source(model);
    const std::vector<TReplaceEdit> edits =
        engine.ReplaceAll(source, srchRegExpr, "p([a-z]+)\\(", "%1-\\n", 0);
    ASSERT_FALSE(edits.empty());
    const std::string expected = ApplyEdits(before, edits);

    model.ApplyReplaceEdits(edits);
    EXPECT_EQ(model.Text(), expected);
    EXPECT_EQ(model.SelStart(), model.SelEnd());
    const TReplaceEdit& last = edits.back();
    const int64_t lastEnd = static_cast<int64_t>(expected.size()) -
                            (static_cast<int64_t>(before.size()) - (last.Start + last.Length));
    EXPECT_EQ(model.SelCaret(), lastEnd);

    model.Undo();
    EXPECT_EQ(model.Text(), before);
    model.Redo();
    EXPECT_EQ(model.Text(), expected);
}

TEST(ModelApply, ReplaceEditsOutsideTheTextAreSkipped)
{
    TCodeMemoModel model;
    model.LoadFromText("one two three");
    model.ApplyReplaceEdits({{4, 3, "2"}, {5, 1, "x"}, {100, 2, "y"}, {8, 5, "3"}});
    EXPECT_EQ(model.Text(), "one 2 3");
    model.ReadOnly = true;
    model.ApplyReplaceEdits({{0, 3, "1"}});
    EXPECT_EQ(model.Text(), "one 2 3");
}

TEST(ModelApply, ExpansionReplacesTheWordAndPlacesTheCaret)
{
    TCodeMemoModel model;
    model.LoadFromText("x := teh");
    model.SetSelection(8, 8);
    TExpansion expansion;
    expansion.ReplaceStart = 5;
    expansion.ReplaceEnd = 8;
    expansion.Text = "case  of\r";
    expansion.CaretAfter = 10;
    model.ApplyExpansion(expansion);
    EXPECT_EQ(model.Text(), "x := case  of\r");
    EXPECT_EQ(model.SelStart(), 10);
    EXPECT_EQ(model.SelEnd(), 10);

    expansion.CaretAfter.reset();
    expansion.ReplaceStart = 0;
    expansion.ReplaceEnd = 1;
    expansion.Text = "yy";
    model.ApplyExpansion(expansion);
    EXPECT_EQ(model.Text(), "yy := case  of\r");
    EXPECT_EQ(model.SelCaret(), 2);

    model.Undo();
    EXPECT_EQ(model.Text(), "x := case  of\r");
    model.Undo();
    EXPECT_EQ(model.Text(), "x := teh");
}

}  // namespace
}  // namespace tarnwick
