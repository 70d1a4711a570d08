// The Key Assignments page and the key-assignment wizard: commands and the
// keys they use, Add.../Edit.../Delete, the wizard's two steps, and OK
// refusing a binding that collides with others.
#include "options_fixture.h"

#include "chrome/ansi_text.h"

#include "editor/core/editor_commands.h"
#include "editor/options/key_assign_dialog.h"
#include "editor/options/key_capture_edit.h"

#include <QLabel>

#include <algorithm>

namespace tarnwick::test {

namespace {

// Answers the wizard: the first key, then (when given) a second, Finish.
void AnswerWizard(Qt::Key key, Qt::KeyboardModifiers modifiers, Qt::Key second = Qt::Key_unknown)
{
    OptionsFixture::WhenModal([=](QWidget* modal) {
        auto* wizard = static_cast<TKeyAssignDialog*>(modal);
        QTest::keyClick(wizard->FirstBox(), key, modifiers);
        wizard->NextButton()->click();
        if (second != Qt::Key_unknown)
            QTest::keyClick(wizard->SecondBox(), second);
        wizard->NextButton()->click();
    });
}

QStringList Items(QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

}  // namespace

class KeysPageTest : public OptionsFixture {
protected:
    void SetUp() override
    {
        OptionsFixture::SetUp();
        Open();
        page = dialog->KeysPage();
    }
    TKeysPage* page = nullptr;
};

TEST_F(KeysPageTest, CommandsAreSortedDescriptionsWithTheirKeys)
{
    const QStringList commands = Items(page->Commands());
    EXPECT_EQ(static_cast<size_t>(commands.size()), dialog->Working().Keys().Descriptions().size());
    QStringList sorted = commands;
    std::sort(sorted.begin(), sorted.end(),
              [](const QString& a, const QString& b) { return QtToAnsi(a) < QtToAnsi(b); });
    EXPECT_EQ(commands, sorted);
    ASSERT_TRUE(page->SelectCommand(caBLOCKIND));
    EXPECT_TRUE(Items(page->Keys()).contains("Ctrl+K, I"));
    EXPECT_EQ(page->AddButton()->text(), "Add...");
    EXPECT_EQ(page->EditButton()->text(), "Edit...");
    EXPECT_EQ(page->DeleteButton()->text(), "Delete");
}

TEST_F(KeysPageTest, AddEditAndDeleteChangeTheCommandsKeys)
{
    ASSERT_TRUE(page->SelectCommand(caBLOCKIND));
    const int count = page->Keys()->count();
    AnswerWizard(Qt::Key_F7, Qt::ShiftModifier);
    page->AddButton()->click();
    ASSERT_EQ(page->Keys()->count(), count + 1);
    EXPECT_EQ(page->Keys()->currentItem()->text(), "Shift+F7");

    // Second keys drop their modifiers.
    WhenModal([](QWidget* modal) {
        auto* wizard = static_cast<TKeyAssignDialog*>(modal);
        EXPECT_EQ(wizard->FirstBox()->text(), "Shift+F7");
        wizard->FirstBox()->Clear();
        EXPECT_FALSE(wizard->NextButton()->isEnabled());
        QTest::keyClick(wizard->FirstBox(), Qt::Key_Q, Qt::ControlModifier);
        wizard->NextButton()->click();
        QTest::keyClick(wizard->SecondBox(), Qt::Key_W, Qt::ControlModifier);
        wizard->NextButton()->click();
    });
    page->EditButton()->click();
    EXPECT_EQ(page->Keys()->currentItem()->text(), "Ctrl+Q, W");

    page->DeleteButton()->click();
    EXPECT_EQ(page->Keys()->count(), count);
    ASSERT_TRUE(Ok());
    TShortCut first = 0;
    TShortCut second = 0;
    for (bool found = scheme.Settings().Keys().FindBinding(caBLOCKIND, first, second); found;
         found = scheme.Settings().Keys().FindNextBinding(caBLOCKIND, first, second))
        EXPECT_NE(first, ShortCut(VK_Q, ssCtrl));
}

TEST_F(KeysPageTest, CtrlKAloneWhileCtrlKSequencesExistFailsAtOk)
{
    ASSERT_TRUE(page->SelectCommand(caUNDO));
    AnswerWizard(Qt::Key_K, Qt::ControlModifier);
    page->AddButton()->click();
    ASSERT_TRUE(Items(page->Keys()).contains("Ctrl+K"));
    const std::string working = dialog->Working().SaveToString();

    dialog->accept();
    ASSERT_EQ(prompt.Messages.size(), 1u);
    EXPECT_TRUE(prompt.Messages[0].startsWith("Duplicate key sequence definition for\r\n\""))
        << prompt.Messages[0].toStdString();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(dialog->Working().SaveToString(), working);

    // Taking the binding away again lets OK through.
    page->DeleteButton()->click();
    EXPECT_FALSE(Items(page->Keys()).contains("Ctrl+K"));
    EXPECT_TRUE(Ok());
}

TEST_F(KeysPageTest, WizardStepsTextsAndButtons)
{
    TKeyAssignDialog wizard(0, 0);
    wizard.show();
    EXPECT_EQ(wizard.Step(), 1);
    EXPECT_FALSE(wizard.BackButton()->isEnabled());
    EXPECT_FALSE(wizard.NextButton()->isEnabled());
    EXPECT_EQ(wizard.NextButton()->text(), "Next >");
    const QList<QLabel*> labels = wizard.findChildren<QLabel*>();
    QStringList texts;
    for (const QLabel* label : labels)
        texts << label->text();
    EXPECT_TRUE(texts.contains("Press the first key combination until the correct key sequence "
                               "appears then press the NEXT button"));
    EXPECT_TRUE(texts.contains("If the key sequence requires a 2nd key press then enter the key "
                               "now. Press the FINISH button to accept changes"));

    // Modifier keys alone show nothing; Tab is taken as a key.
    QTest::keyClick(wizard.FirstBox(), Qt::Key_Control, Qt::ControlModifier);
    EXPECT_EQ(wizard.FirstKey(), 0);
    QTest::keyClick(wizard.FirstBox(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(wizard.FirstBox()->text(), "Ctrl+Tab");
    wizard.NextButton()->click();
    EXPECT_EQ(wizard.Step(), 2);
    EXPECT_EQ(wizard.NextButton()->text(), "Finish");
    wizard.BackButton()->click();
    EXPECT_EQ(wizard.Step(), 1);
    EXPECT_EQ(wizard.FirstKey(), ShortCut(VK_TAB, ssCtrl));
    wizard.CancelButton()->click();
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
}

}  // namespace tarnwick::test
