// The template pop-up list: Ctrl+J after a word that names no template
// lists the scheme's templates with the first one containing the word
// selected; typing searches by name, Enter or a double click expands the
// chosen template (one undo step), Escape closes the list.
#include "memo_fixture.h"

#include "editor/template_popup.h"

namespace tarnwick::test {

class TemplatePopupTest : public MemoFixture {
protected:
    void SetUp() override
    {
        MemoFixture::SetUp();
        TCodeTemplates& templates = memo->Settings().Templates();
        templates.AddTemplate("begin", "begin end block", "begin\r  |\rend");
        templates.AddTemplate("ifthen", "if statement", "if | then");
        templates.AddTemplate("whiledo", "while loop", "while | do");
        Focus();
    }
    void Type(const QString& text) { QTest::keyClicks(memo.get(), text); }
    void CtrlJ() { QTest::keyClick(memo.get(), ::Qt::Key_J, ::Qt::ControlModifier); }
    std::string Text() { return memo->Model().Text(); }
    TTemplatePopup* Popup() { return memo->TemplatePopup(); }
};

TEST_F(TemplatePopupTest, ListsTheTemplatesWithTheWordsTemplateSelected)
{
    memo->SetText("x\r");
    memo->Model().SetSelection(2, 2);
    Type(QStringLiteral("then"));
    CtrlJ();
    ASSERT_NE(Popup(), nullptr);
    ASSERT_TRUE(Popup()->isVisible());
    ASSERT_EQ(Popup()->count(), 3);
    EXPECT_EQ(Popup()->currentRow(), 1) << "ifthen is the first name holding 'then'";
    EXPECT_EQ(memo->Model().SelStart(), 2);
    EXPECT_EQ(memo->Model().SelEnd(), 6) << "the typed word is selected";
    EXPECT_FALSE(memo->Model().HideSelection);
    EXPECT_TRUE(Popup()->hasFocus());
    // Under the caret's line and inside the editor.
    const QRect box = Popup()->geometry();
    EXPECT_TRUE(memo->rect().contains(box)) << box.x() << "," << box.y();
    EXPECT_GE(box.top(), memo->viewport()->y() + 2 * memo->LineHeight());
    EXPECT_GT(Popup()->NameLeft(), 24);

    QTest::keyClick(Popup(), ::Qt::Key_Return);
    EXPECT_FALSE(Popup() != nullptr && Popup()->isVisible());
    EXPECT_EQ(Text(), "x\rif  then");
    EXPECT_EQ(memo->Model().SelStart(), 5);
    EXPECT_EQ(memo->Model().SelEnd(), 5) << "the caret stands at the marker";
    EXPECT_TRUE(memo->Model().HideSelection);
    EXPECT_TRUE(memo->hasFocus());
    memo->Model().Undo();
    EXPECT_EQ(Text(), "x\rthen") << "the expansion is one undo step";
}

TEST_F(TemplatePopupTest, TypingSearchesByNameAndAnUnrelatedWordStays)
{
    memo->SetText("");
    Type(QStringLiteral("xyz"));
    CtrlJ();
    ASSERT_NE(Popup(), nullptr);
    EXPECT_EQ(Popup()->currentRow(), 0) << "no name holds 'xyz': the first item";
    QTest::keyClicks(Popup(), QStringLiteral("wh"));
    EXPECT_EQ(Popup()->currentRow(), 2);
    QTest::keyClick(Popup(), ::Qt::Key_Return);
    EXPECT_EQ(Text(), "xyzwhile  do");
    EXPECT_EQ(memo->Model().SelCaret(), 9);
}

TEST_F(TemplatePopupTest, EscapeClosesAndCollapsesTheSelectionToItsEnd)
{
    memo->SetText("");
    Type(QStringLiteral("be"));
    CtrlJ();
    ASSERT_NE(Popup(), nullptr);
    QTest::keyClick(Popup(), ::Qt::Key_Escape);
    EXPECT_TRUE(Popup() == nullptr || !Popup()->isVisible());
    EXPECT_EQ(Text(), "be");
    EXPECT_EQ(memo->Model().SelStart(), 2);
    EXPECT_EQ(memo->Model().SelEnd(), 2);
}

TEST_F(TemplatePopupTest, DoubleClickExpandsAndAReusedListKeepsWorking)
{
    memo->Settings().Templates().RecreatePopup = false;
    memo->SetText("");
    CtrlJ();
    TTemplatePopup* first = Popup();
    ASSERT_NE(first, nullptr);
    emit first->itemDoubleClicked(first->item(0));
    EXPECT_EQ(Text(), "begin\r  \rend");
    EXPECT_EQ(memo->Model().SelCaret(), 8);
    CtrlJ();
    EXPECT_EQ(Popup(), first) << "the list is reused";
    EXPECT_TRUE(first->isVisible());
}

TEST_F(TemplatePopupTest, TemplateKeyWithoutTemplatesBeeps)
{
    memo->Settings().Templates().Clear();
    memo->SetText("abc");
    memo->Model().SetSelection(3, 3);
    const int beeps = memo->BeepCount();
    CtrlJ();
    EXPECT_EQ(memo->BeepCount(), beeps + 1);
    EXPECT_EQ(Popup(), nullptr);
    EXPECT_EQ(Text(), "abc");
}

} // namespace tarnwick::test
