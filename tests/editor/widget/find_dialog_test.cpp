// The Find and Replace dialogs on the control: finding hit after hit, the
// not-found message and OnSearchFail, the error box of a bad expression with
// its caret under the fault, the confirmation loop of Replace, Replace All as
// one undo step, F3, and the dialogs' own state (one open at a time,
// remembered texts, the selection shown meanwhile).
#include "memo_fixture.h"

#include "platform/messages.h"
#include "tests/app/scripted_prompt.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

namespace tarnwick::test {

class FindDialogTest : public MemoFixture {
protected:
    void SetUp() override
    {
        MemoFixture::SetUp();
        memo->SetPrompt(&prompt);
    }
    std::string Text() { return memo->Model().Text(); }
    std::pair<int64_t, int64_t> Selection()
    {
        return {memo->Model().SelStart(), memo->Model().SelEnd()};
    }
    // Opens a dialog, fills it as a user would and presses a button.
    void Press(TSearchDialog::TKind kind, const QString& text, bool regExpr,
               QPushButton* (TSearchDialog::*button)() const, const QString& with = {})
    {
        if (kind == TSearchDialog::skFind)
            memo->ShowFindDialog();
        else
            memo->ShowReplaceDialog();
        TSearchDialog* dialog =
            kind == TSearchDialog::skFind ? memo->FindDialog() : memo->ReplaceDialog();
        ASSERT_NE(dialog, nullptr);
        dialog->FindEdit()->setText(text);
        if (dialog->ReplaceEdit() != nullptr)
            dialog->ReplaceEdit()->setText(with);
        dialog->findChildren<QCheckBox*>().at(2)->setChecked(regExpr);
        (dialog->*button)()->click();
    }

    TScriptedPrompt prompt;
};

TEST_F(FindDialogTest, BadExpressionShowsTheErrorBoxWithTheCaretUnderTheFault)
{
    struct Row {
        const char* name;
        QString pattern;
        QString message;
    };
    const Row rows[] = {
        {"reversed_range", QStringLiteral("a{2,1}"), QStringLiteral("Invalid range")},
        {"nested_repeat", QStringLiteral("xa**"), QStringLiteral("Nested repeat")},
        {"open_group", QStringLiteral("b(a"), QStringLiteral("Unmatched parenthesis")},
        {"empty_set", QStringLiteral("[]"), QStringLiteral("Unmatched bracket")},
    };
    memo->SetText("aaa bbb\r");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        prompt.Errors.clear();
        Press(TSearchDialog::skFind, row.pattern, true, &TSearchDialog::FindNextButton);
        ASSERT_EQ(prompt.Errors.size(), 1);
        const QStringList lines = prompt.Errors.front().split(QStringLiteral("\r\n"));
        ASSERT_EQ(lines.size(), 3);
        EXPECT_EQ(lines[0], row.message);
        EXPECT_EQ(lines[1], row.pattern);
        // Blanks up to the fault, then the caret, inside the pattern's width.
        const qsizetype caret = lines[2].indexOf(QLatin1Char('^'));
        EXPECT_EQ(lines[2], QString(caret, QLatin1Char(' ')) + QLatin1Char('^'));
        EXPECT_LE(caret, row.pattern.size());
        EXPECT_TRUE(prompt.Messages.isEmpty()) << "an error is not also 'not found'";
    }
    // The fault of "xa**" is the second star.
    Press(TSearchDialog::skFind, QStringLiteral("xa**"), true, &TSearchDialog::FindNextButton);
    EXPECT_EQ(prompt.Errors.back().split(QStringLiteral("\r\n"))[2], QStringLiteral("   ^"));
}

TEST_F(FindDialogTest, FindNextSelectsEachHitOnceThenSaysNotFound)
{
    memo->SetText("end ending\rend;\r");
    memo->ShowFindDialog(0, "end");
    memo->FindDialog()->findChildren<QCheckBox*>().at(0)->setChecked(true);  // whole word
    memo->FindDialog()->FindNextButton()->click();
    EXPECT_EQ(Selection(), std::make_pair(int64_t{0}, int64_t{3}));
    memo->FindDialog()->FindNextButton()->click();
    EXPECT_EQ(Selection(), std::make_pair(int64_t{11}, int64_t{14}));
    memo->FindDialog()->FindNextButton()->click();
    EXPECT_EQ(Selection(), std::make_pair(int64_t{11}, int64_t{14})) << "a miss keeps the hit";
    EXPECT_EQ(prompt.Messages, QStringList{QStringLiteral("Search string \"end\" not found.")});

    std::vector<std::string> failed;
    memo->OnSearchFail = [&failed](const std::string& text) { failed.push_back(text); };
    memo->FindNext();
    EXPECT_EQ(failed, std::vector<std::string>{"end"});
    EXPECT_EQ(prompt.Messages.size(), 1) << "OnSearchFail replaces the message";
}

TEST_F(FindDialogTest, SearchingUpwardsAndF3FindAgain)
{
    memo->SetText("ab ab ab");
    memo->Model().SetSelection(8, 8);
    memo->SetSearchRequest({QStringLiteral("ab"), {}, srchBackwards});
    Focus();
    QTest::keyClick(memo.get(), ::Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(int64_t{6}, int64_t{8}));
    QTest::keyClick(memo.get(), ::Qt::Key_F3);
    EXPECT_EQ(Selection(), std::make_pair(int64_t{3}, int64_t{5}));
    memo->SetSearchRequest({QStringLiteral("AB"), {}, srchMatchCase});
    QTest::keyClick(memo.get(), ::Qt::Key_F3);
    EXPECT_EQ(prompt.Messages.size(), 1) << "match case finds no AB";
}

TEST_F(FindDialogTest, OneDialogAtATimeRememberingTextsAndShowingTheSelection)
{
    memo->SetText("alpha beta\rgamma\r");
    memo->Model().SetSelection(6, 13);  // "beta", the line break and "ga"
    ASSERT_TRUE(memo->Model().HideSelection);
    memo->ShowFindDialog(srchMatchCase);
    TSearchDialog* find = memo->FindDialog();
    EXPECT_FALSE(find->isModal());
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->FindEdit()->text(), QStringLiteral("beta")) << "the selection's first line";
    EXPECT_TRUE(find->findChildren<QCheckBox*>().at(1)->isChecked()) << "match case preset";
    EXPECT_FALSE(memo->Model().HideSelection) << "the selection shows while a dialog is open";

    memo->ShowReplaceDialog();
    EXPECT_FALSE(find->isVisible());
    TSearchDialog* replace = memo->ReplaceDialog();
    EXPECT_TRUE(replace->isVisible());
    replace->FindEdit()->setText(QStringLiteral("gamma"));
    replace->ReplaceEdit()->setText(QStringLiteral("delta"));
    replace->FindNextButton()->click();
    replace->reject();
    EXPECT_TRUE(memo->Model().HideSelection) << "hidden again once both are closed";

    memo->Model().SetSelection(0, 0);
    memo->ShowFindDialog();
    EXPECT_EQ(memo->FindDialog(), find) << "created once and reused";
    EXPECT_EQ(find->FindEdit()->text(), QStringLiteral("gamma"));
    find->reject();
    memo->ShowReplaceDialog();
    EXPECT_EQ(replace->ReplaceEdit()->text(), QStringLiteral("delta"));
}

TEST_F(FindDialogTest, ReplaceAsksForEachHit)
{
    memo->SetText("a1 a2 a3");
    prompt.Answers = {TPromptAnswer::Yes, TPromptAnswer::No, TPromptAnswer::Yes};
    Press(TSearchDialog::skReplace, QStringLiteral("a"), false, &TSearchDialog::ReplaceButton,
          QStringLiteral("bb"));
    EXPECT_EQ(Text(), "bb1 a2 bb3");
    const QString question = QStringLiteral("Replace this occurence of 'a' with 'bb' ?");
    EXPECT_EQ(prompt.Questions, QStringList({question, question, question}));
    EXPECT_EQ(prompt.Messages, QStringList{QStringLiteral("Search string \"a\" not found.")});
    // Each replacement is its own undo step.
    memo->Model().Undo();
    EXPECT_EQ(Text(), "bb1 a2 a3");
}

TEST_F(FindDialogTest, ExpressionReplaceExpandsGroupsPerHit)
{
    memo->SetText("x=1; y=22;");
    prompt.Answers = {TPromptAnswer::Yes, TPromptAnswer::Yes};
    Press(TSearchDialog::skReplace, QStringLiteral("(\\w+)(=)(\\w+)"), true,
          &TSearchDialog::ReplaceButton, QStringLiteral("%3%2%1"));
    EXPECT_EQ(Text(), "1=x; 22=y;");
    EXPECT_EQ(prompt.Questions.at(1),
              QStringLiteral("Replace this occurence of '(\\w+)(=)(\\w+)' with '22=y' ?"));
}

TEST_F(FindDialogTest, ReplaceAllIsOneUndoStep)
{
    struct Row {
        const char* name;
        std::string text;
        QString pattern;
        bool regExpr;
        QString with;
        std::string result;
    };
    const Row rows[] = {
        {"expression_percent", "aaa", QStringLiteral("a"), true, QStringLiteral("%%"), "%%%"},
        {"plain_over_lines", "ab\rxab\rab", QStringLiteral("ab"), false, QStringLiteral("c"),
         "c\rxc\rc"},
        {"expression_line_break", "a\rb\rc", QStringLiteral("\\n"), true, QStringLiteral(","),
         "a,b,c"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        memo->SetText(row.text);
        Press(TSearchDialog::skReplace, row.pattern, row.regExpr,
              &TSearchDialog::ReplaceAllButton, row.with);
        EXPECT_EQ(Text(), row.result);
        EXPECT_TRUE(prompt.Questions.isEmpty());
        memo->Model().Undo();
        EXPECT_EQ(Text(), row.text);
        EXPECT_FALSE(memo->Model().CanUndo());
    }
    memo->SetText("xyz");
    Press(TSearchDialog::skReplace, QStringLiteral("q"), false, &TSearchDialog::ReplaceAllButton,
          QStringLiteral("r"));
    EXPECT_EQ(prompt.Messages.back(), QStringLiteral("Search string \"q\" not found."));
}

TEST_F(FindDialogTest, SearchMessageWithoutDialog)
{
    memo->SetText("one two two");
    const auto search = [this](uintptr_t flags, const char* text) {
        return memo->Perform(SEM_SEARCH, flags | srchNoDialog, reinterpret_cast<intptr_t>(text));
    };
    EXPECT_EQ(search(0, "two"), 4);
    EXPECT_EQ(Selection(), std::make_pair(int64_t{4}, int64_t{7}));
    EXPECT_EQ(search(srchRegExpr, "t[w]o"), reinterpret_cast<intptr_t>(&memo->SearchEngine().Parser()));
    EXPECT_EQ(Selection(), std::make_pair(int64_t{8}, int64_t{11}));
    EXPECT_EQ(search(0, "three"), -1);
    EXPECT_EQ(search(0, "two"), -1) << "the selection ends at the end of the text";
    memo->Model().SetSelection(0, 0);
    EXPECT_EQ(search(srchRegExpr, "(a"), -1);
    EXPECT_EQ(prompt.Errors.size(), 1);
    EXPECT_EQ(memo->FindDialog(), nullptr) << "no dialog was opened";
    memo->Perform(SEM_SEARCH, srchMatchCase, reinterpret_cast<intptr_t>("one"));
    ASSERT_NE(memo->FindDialog(), nullptr);
    EXPECT_EQ(memo->FindDialog()->FindEdit()->text(), QStringLiteral("one"));
}

} // namespace tarnwick::test
