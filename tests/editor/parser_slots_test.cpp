// Scheme slots: choosing the settings an editor paints with, sharing a
// scheme's settings between editors, falling back when a scheme goes away,
// and the scheme base's editor bookkeeping.
#include "editor/core/code_memo_errors.h"
#include "editor/core/code_memo_parser_base.h"
#include "editor/core/parser_slots.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tarnwick {
namespace {

// A scheme with no tokenizer behind it: everything is one plain token.
class PlainScheme : public TCustomCodeMemoParser {
public:
    const TStateSet& AnchorSet() const override { return anchor_; }
    void ResetTokenizer(int) override {}
    int ReadToken(TCodeMemoClient* editor, TCustomEdStream& stream, int& length) override
    {
        AttachEditor(editor);
        stream.Advance();
        length = 1;
        return 0;
    }
    bool InContainer() const override { return false; }
    bool Busy() const override { return false; }
    bool Bound() const override { return false; }

private:
    TStateSet anchor_{0};
};

// An editor's view of its slots: what it was told to reload.
struct Editor {
    TParserSlots slots;
    std::vector<bool> reloads;  // the rewrap flag of each reload
    Editor()
    {
        slots.OnReload = [this](bool rewrap) { reloads.push_back(rewrap); };
    }
};

TEST(ParserSlots, TwoEditorsShareASchemesSettingsAndBothRewrap)
{
    PlainScheme scheme;
    Editor one, two;
    for (Editor* e : {&one, &two}) {
        e->slots.SetParser(1, &scheme);
        e->slots.SetActiveParser(1);
        EXPECT_EQ(&e->slots.Settings(), &scheme.Settings());
    }
    EXPECT_EQ(scheme.Settings().EditorCount(), 2);
    EXPECT_TRUE(scheme.Settings().FontsBuilt());

    one.reloads.clear();
    two.reloads.clear();
    scheme.Settings().Options |= smoWordWrap;
    scheme.ReapplyToEditors();
    EXPECT_EQ(one.reloads, std::vector<bool>{true});
    EXPECT_EQ(two.reloads, std::vector<bool>{true});

    // Re-applying again with nothing changed reloads without re-wrapping.
    scheme.ReapplyToEditors();
    EXPECT_EQ(one.reloads, (std::vector<bool>{true, false}));
}

TEST(ParserSlots, DestroyedSchemeFallsBackToPrivateSettings)
{
    Editor editor;
    editor.slots.PrivateSettings().Margin = 5;
    {
        PlainScheme scheme;
        scheme.Settings().Options |= smoWordWrap;
        editor.slots.SetParser(2, &scheme);
        editor.slots.SetParser(3, &scheme);
        editor.slots.SetActiveParser(2);
        EXPECT_EQ(&editor.slots.Settings(), &scheme.Settings());
        editor.reloads.clear();
    }
    EXPECT_EQ(editor.slots.Parser(2), nullptr);
    EXPECT_EQ(editor.slots.Parser(3), nullptr);
    EXPECT_EQ(editor.slots.ActiveScheme(), nullptr);
    EXPECT_EQ(editor.slots.Settings().Margin, 5);
    EXPECT_EQ(editor.reloads, std::vector<bool>{true}) << "word wrap went off again";
    EXPECT_TRUE(editor.slots.PrivateSettings().IsAttached(&editor.slots));
}

TEST(ParserSlots, IndexOutOfRangeChangesNothing)
{
    Editor editor;
    PlainScheme scheme;
    editor.slots.SetParser(1, &scheme);
    editor.slots.SetActiveParser(1);
    for (int bad : {-1, 7}) {
        try {
            editor.slots.SetActiveParser(bad);
            ADD_FAILURE() << bad << ": no error";
        } catch (const ECodeMemo& e) {
            EXPECT_STREQ(e.what(), "Parser index out of range");
        }
        EXPECT_THROW(editor.slots.SetParser(bad, &scheme), ECodeMemo);
    }
    EXPECT_THROW(editor.slots.Parser(0), ECodeMemo);
    EXPECT_EQ(editor.slots.ActiveParser(), 1);
    editor.slots.SetActiveParser(0);
    EXPECT_EQ(&editor.slots.Settings(), &editor.slots.PrivateSettings()) << "0 = no highlighting";
}

TEST(ParserSlots, EmptyingTheActiveSlotAndSwitchingSchemes)
{
    Editor editor;
    PlainScheme a, b;
    editor.slots.SetParser(1, &a);
    editor.slots.SetActiveParser(1);
    editor.slots.SetParser(1, &b);
    EXPECT_EQ(&editor.slots.Settings(), &b.Settings());
    EXPECT_FALSE(a.IsAttached(&editor.slots));
    EXPECT_FALSE(a.Settings().IsAttached(&editor.slots));
    EXPECT_TRUE(b.Settings().IsAttached(&editor.slots));
    editor.slots.SetParser(1, nullptr);
    EXPECT_EQ(&editor.slots.Settings(), &editor.slots.PrivateSettings());
    EXPECT_FALSE(b.IsAttached(&editor.slots));
}

TEST(ParserSlots, OptionsDialogWorkingCopyIsSwappedInAndBack)
{
    PlainScheme scheme;
    Editor main;
    main.slots.SetParser(1, &scheme);
    main.slots.SetActiveParser(1);
    Editor preview;

    // The dialog: a working copy and only its preview editor while open.
    auto working = std::make_unique<TSM_Settings>();
    working->Assign(scheme.Settings());
    auto original = scheme.ReplaceSettings(std::move(working));
    auto mainEditors = scheme.ReplaceEditors({});
    preview.slots.SetParser(1, &scheme);
    preview.slots.SetActiveParser(1);
    scheme.Settings().RightMargin = 100;
    EXPECT_EQ(preview.slots.Settings().RightMargin, 100);
    EXPECT_EQ(original->RightMargin, 80) << "the original is untouched while the dialog runs";
    EXPECT_FALSE(original->IsAttached(&preview.slots));
    EXPECT_EQ(scheme.Settings().EditorCount(), 1) << "only the preview editor while open";

    // OK: copy back, restore the settings object and the editor list.
    original->Assign(scheme.Settings());
    preview.slots.SetParser(1, nullptr);
    scheme.ReplaceSettings(std::move(original));
    scheme.ReplaceEditors(mainEditors);
    scheme.ReapplyToEditors();
    EXPECT_EQ(main.slots.Settings().RightMargin, 100);
    EXPECT_EQ(&main.slots.Settings(), &scheme.Settings());
    EXPECT_TRUE(scheme.Settings().IsAttached(&main.slots));
}

// An editor whose re-apply fails does not stop the others; the failure is
// raised once all have been asked.
TEST(ParserSlots, ReapplyGoesOnAfterAFailingEditor)
{
    struct Failing : TCodeMemoClient {
        void SchemeChanged(TCustomCodeMemoParser&) override { throw ECodeMemo("broken editor"); }
    } failing;
    struct Counting : TCodeMemoClient {
        int calls = 0;
        void SchemeChanged(TCustomCodeMemoParser&) override { ++calls; }
    } counting;
    PlainScheme scheme;
    scheme.AttachEditor(&failing);
    scheme.AttachEditor(&counting);
    scheme.AttachEditor(&counting);
    EXPECT_EQ(scheme.Editors().size(), 2u);
    EXPECT_THROW(scheme.ReapplyToEditors(), ECodeMemo);
    EXPECT_EQ(counting.calls, 1);
    scheme.DetachEditor(&failing);
    EXPECT_FALSE(scheme.Settings().IsAttached(&failing));
    scheme.DetachEditor(&failing);
}

TEST(ParserSlots, EditorGoingFirstDetachesFromEverySchemeThatHoldsIt)
{
    PlainScheme inSlot, served;
    {
        Editor editor;
        editor.slots.SetParser(4, &inSlot);
        TStringEdStream text("ab");
        int length = 0;
        served.ReadToken(&editor.slots, text, length);
        EXPECT_TRUE(served.IsAttached(&editor.slots)) << "reading a token attaches the editor";
        EXPECT_TRUE(inSlot.IsAttached(&editor.slots));
    }
    EXPECT_TRUE(served.Editors().empty());
    EXPECT_TRUE(inSlot.Editors().empty());
    EXPECT_EQ(served.Settings().EditorCount(), 0);
    EXPECT_EQ(inSlot.Settings().EditorCount(), 0);
}

}  // namespace
}  // namespace tarnwick
