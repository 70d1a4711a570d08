// The built-in scheme's auto-replace list and templates driving the editor
// model the way the key-down handler chains them: offer the key, apply the
// expansion as one undo step, then let the key be typed unless swallowed.
#include "editor/core/code_memo_model.h"
#include "editor/core/ed_stream.h"
#include "editor/core/macro_expansion.h"
#include "platform/keys.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <gtest/gtest.h>

namespace tarnwick::test {

namespace {

// Offers `key` to `list` with the caret at the end of the model's text and
// applies what comes back; returns the key as the list left it.
uint16_t PressAtEnd(TMacroKeywords& list, TCodeMemoModel& model, uint16_t key, TShiftState shift)
{
    model.SetSelection(model.CharCount(), model.CharCount());
    TEdStream stream(model);
    TExpansionContext context;
    context.Text = &stream;
    context.Caret = model.SelCaret();
    const TMacroKeyOutcome outcome = HandleMacroKey(list, context, key, shift);
    EXPECT_TRUE(outcome.Handled);
    if (outcome.Expansion)
        model.ApplyExpansion(*outcome.Expansion);
    return key;
}

}  // namespace

TEST(BuiltinEditing, TehFollowedByABlankBecomesThe)
{
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    TCodeMemoModel model;
    model.LoadFromText("x := teh");
    const uint16_t key = PressAtEnd(scheme.Settings().AutoReplace(), model, VK_SPACE, 0);
    EXPECT_EQ(model.Text(), "x := the");
    ASSERT_EQ(key, VK_SPACE);  // the delimiter is not swallowed: it is typed next
    model.KeyPress(' ');
    EXPECT_EQ(model.Text(), "x := the ");
    model.Undo();
    EXPECT_EQ(model.Text(), "x := the");
    model.Undo();
    EXPECT_EQ(model.Text(), "x := teh");
}

TEST(BuiltinEditing, CtrlJExpandsTheCaseTemplateWithTheCaretAtTheMarker)
{
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    TCodeMemoModel model;
    model.LoadFromText("casee");
    const uint16_t key = PressAtEnd(scheme.Settings().Templates(), model, VK_J, ssCtrl);
    EXPECT_EQ(key, 0);  // the trigger is swallowed
    EXPECT_EQ(model.Text().substr(0, 9), "case  of\r");
    EXPECT_EQ(model.SelCaret(), 5);
    EXPECT_EQ(model.SelAnchor(), 5);
    model.Undo();
    EXPECT_EQ(model.Text(), "casee");
}

}  // namespace tarnwick::test
