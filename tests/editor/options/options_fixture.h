// The editor options dialog opened on the built-in Object Pascal scheme,
// with a code editor showing that scheme (the window's editor), a scripted
// prompt, and helpers to read the scheme's settings stream and to answer
// the modal boxes the dialog opens.
#pragma once

#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "editor/options/auto_correct_page.h"
#include "editor/options/highlight_page.h"
#include "editor/options/keys_page.h"
#include "editor/options/number_box.h"
#include "editor/options/options_dialog.h"
#include "editor/options/options_page.h"
#include "editor/options/templates_page.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace tarnwick::test {

// Records the messages it is shown and answers colour boxes from a queue.
class TOptionsPrompt : public TPrompt {
public:
    void ShowMessage(const QString& text) override { Messages.push_back(text); }
    void ShowError(const QString& text) override { Messages.push_back(text); }
    TPromptAnswer Ask(const QString&, TPromptButtons) override { return TPromptAnswer::No; }
    std::optional<QString> OpenFileName(const TFileDialogSpec&) override { return std::nullopt; }
    std::optional<QString> SaveFileName(const TFileDialogSpec&) override { return std::nullopt; }
    std::optional<TFontChoice> ChooseFont(const TFontChoice&) override { return std::nullopt; }
    std::optional<QColor> ChooseColour(const QColor&) override
    {
        if (Colours.empty())
            return std::nullopt;
        const QColor colour = Colours.front();
        Colours.pop_front();
        return colour;
    }
    bool PrintDialog(QPrinter&) override { return false; }
    bool PageSetupDialog(QPrinter&) override { return false; }

    std::vector<QString> Messages;
    std::deque<QColor> Colours;
};

class OptionsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadBuiltinScheme(scheme, false);
        editor = std::make_unique<TCodeMemo>();
        editor->resize(500, 300);
        editor->SetParser(1, &scheme);
        editor->SetActiveParser(1);
        original = &scheme.Settings();
        before = Stream();
    }

    void TearDown() override
    {
        dialog.reset();
        editor.reset();
    }

    // The scheme's settings stream as it stands.
    std::string Stream() const { return scheme.Settings().SaveToString(); }

    void Open(TPropEdPages pages = ppAllPages)
    {
        dialog = std::make_unique<TOptionsDialog>(scheme, prompt, pages);
        dialog->resize(820, 620);
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    }

    // OK as Execute does it: the dialog accepts, the edit is committed and
    // the dialog is destroyed. False when the dialog stayed open.
    bool Ok()
    {
        dialog->accept();
        if (dialog->result() != QDialog::Accepted)
            return false;
        dialog->Commit();
        dialog.reset();
        return true;
    }

    void Cancel()
    {
        dialog->reject();
        dialog.reset();
    }

public:
    // Runs `answer` on the next modal dialog once it is shown (for the key
    // wizard opened by a button).
    static void WhenModal(std::function<void(QWidget*)> answer)
    {
        QTimer::singleShot(0, [answer = std::move(answer)] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            answer(modal);
        });
    }

    // ---- changes made through the pages' controls ----
    void ClickOption(uint32_t bit) { dialog->OptionsPage()->Check(bit)->click(); }

    // Types into a number box over its whole text.
    static void TypeInto(TNumberBox* box, const QString& text)
    {
        box->Edit()->selectAll();
        QTest::keyClicks(box->Edit(), text);
    }

    // Selects the element of that caption on the Highlighting page.
    void SelectElement(const QString& caption)
    {
        QListWidget* list = dialog->HighlightPage()->Elements();
        const QList<QListWidgetItem*> found = list->findItems(caption, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << caption.toStdString();
        list->setCurrentItem(found.front());
    }

    void ChooseForeground(const QString& element, QColor colour)
    {
        SelectElement(element);
        prompt.Colours.push_back(colour);
        dialog->HighlightPage()->ForegroundButton()->click();
    }

    void DeleteFirstKeyOf(int code)
    {
        TKeysPage* page = dialog->KeysPage();
        ASSERT_TRUE(page->SelectCommand(code));
        page->Keys()->setCurrentRow(0);
        page->DeleteButton()->click();
    }

    void AddAutoCorrect(const QString& word, const QString& replacement)
    {
        TAutoCorrectPage* page = dialog->AutoCorrectPage();
        page->WordBox()->setText(word);
        page->ReplacementBox()->setText(replacement);
        page->AddButton()->click();
    }

    void AddTemplate(const QString& name, const QString& description, const std::string& text)
    {
        TTemplatesPage* page = dialog->TemplatesPage();
        page->NameBox()->setText(name);
        page->DescriptionBox()->setText(description);
        page->Preview().SetText(text);
        page->AddButton()->click();
    }

    TCodeMemoParser scheme;
    std::unique_ptr<TCodeMemo> editor;
    TOptionsPrompt prompt;
    std::unique_ptr<TOptionsDialog> dialog;
    const TSM_Settings* original = nullptr;
    std::string before;
};

}  // namespace tarnwick::test
