// The Auto Correct and Code Templates pages: entries listed, added,
// replaced and deleted, the delimiter box, the hotkey, and a template
// added in the dialog expanding in an editor after OK.
#include "options_fixture.h"

#include "editor/options/key_capture_edit.h"

namespace tarnwick::test {

namespace {

QStringList Names(QTreeWidget* list)
{
    QStringList names;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        names << list->topLevelItem(i)->text(0);
    return names;
}

}  // namespace

using ListsPageTest = OptionsFixture;

TEST_F(ListsPageTest, AutoCorrectAddReplaceAndDelete)
{
    Open();
    TAutoCorrectPage* page = dialog->AutoCorrectPage();
    TAutoReplace& list = dialog->Working().AutoReplace();
    AddAutoCorrect("Teh", "the");
    EXPECT_EQ(page->Entries()->currentItem()->text(0), "teh");
    EXPECT_EQ(page->Entries()->currentItem()->text(1), "the");
    page->WordBox()->setText("adn");
    page->ReplacementBox()->setText("and");
    page->ReplaceButton()->click();
    EXPECT_EQ(list.Find("teh"), nullptr);
    ASSERT_NE(list.Find("adn"), nullptr);
    EXPECT_EQ(list.Find("adn")->Expansion, "and");
    EXPECT_TRUE(Names(page->Entries()).contains("adn"));
    page->DeleteButton()->click();
    EXPECT_EQ(list.Find("adn"), nullptr);
    // An empty word adds nothing.
    const size_t count = list.Count();
    AddAutoCorrect("  ", "x");
    EXPECT_EQ(list.Count(), count);
}

TEST_F(ListsPageTest, DelimiterBoxSetsTheSpecificationOrShowsTheFault)
{
    Open();
    QLineEdit* box = dialog->AutoCorrectPage()->DelimiterBox();
    TAutoReplace& list = dialog->Working().AutoReplace();
    EXPECT_EQ(box->text(), AnsiToQt(list.Delimiters()));
    box->setText(";\\{Space}");
    emit box->editingFinished();
    EXPECT_EQ(list.Delimiters(), ";\\{Space}");
    box->setText(";\\{Space");
    emit box->editingFinished();
    ASSERT_EQ(prompt.Messages.size(), 1u);
    EXPECT_EQ(prompt.Messages[0], "Bad key specifier");
    EXPECT_EQ(list.Delimiters(), ";\\{Space}");
    EXPECT_EQ(box->text(), ";\\{Space}");
}

TEST_F(ListsPageTest, TemplatesAddReplaceDeleteAndHotkey)
{
    Open();
    TTemplatesPage* page = dialog->TemplatesPage();
    TCodeTemplates& list = dialog->Working().Templates();
    EXPECT_EQ(page->HotkeyBox()->text(), "Ctrl+J");
    AddTemplate("wl", "while loop", "while | do\r\nbegin\r\nend;");
    ASSERT_NE(list.Find("wl"), nullptr);
    EXPECT_EQ(list.Find("wl")->Expansion, "while | do\rbegin\rend;");
    EXPECT_EQ(page->Templates()->currentItem()->text(1), "while loop");

    // Selecting a template shows it in the boxes and the preview.
    page->Templates()->setCurrentItem(nullptr);
    page->Templates()->setCurrentItem(page->Templates()->findItems("wl", Qt::MatchExactly)[0]);
    EXPECT_EQ(page->NameBox()->text(), "wl");
    EXPECT_EQ(page->Preview().Model().Text(), "while | do\rbegin\rend;");

    page->NameBox()->setText("wh");
    page->ReplaceButton()->click();
    EXPECT_EQ(list.Find("wl"), nullptr);
    ASSERT_NE(list.Find("wh"), nullptr);
    page->DeleteButton()->click();
    EXPECT_EQ(list.Find("wh"), nullptr);

    QTest::keyClick(page->HotkeyBox(), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(list.Trigger, ShortCut(VK_SPACE, ssCtrl));
}

TEST_F(ListsPageTest, NewTemplateExpandsInAnEditorAfterOk)
{
    Open();
    AddTemplate("hw", "Hello", "hello world");
    ASSERT_TRUE(Ok());
    scheme.ReapplyToEditors();
    editor->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    QTest::keyClicks(editor.get(), "hw");
    QTest::keyClick(editor.get(), Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(editor->Model().Text(), "hello world");
}

}  // namespace tarnwick::test
