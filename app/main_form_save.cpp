// TMainForm, part 5: the code pane's change tracking, Save and auto-save.
//
// The pane's text goes back into the library in two ways: the Save command
// (toolbar button, the tree's "Save") and auto-save, which runs when the
// pane loses the focus or a menu of the menu bar opens while the AutoSave
// option is on. Both write through the library store; a failure is shown in
// the standard error box and leaves the edit in the pane, still marked as
// changed, so that nothing typed is lost and nothing unsaved looks saved.
#include "app/main_form.h"

#include "app/code_pane_host.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "editor/core/key_store.h"
#include "editor/core/keyboard_controller.h"
#include "app/main_form_store_host.h"
#include "library/library_store.h"
#include "chrome/wait_cursor.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>

#include <exception>
#include <functional>

namespace tarnwick {

namespace {

// Language string n, or nothing when the language file has no such entry:
// a missing file must not stop an edit or a save.
std::string LanguageText(const TMainForm& form, size_t n)
{
    return n < form.LanguageStrings().size() ? form.LanguageString(n) : std::string();
}

// Hands one widget's events to a function first.
class TEventWatcher final : public QObject {
public:
    TEventWatcher(QObject* parent, std::function<bool(QEvent*)> filter)
        : QObject(parent), filter_(std::move(filter))
    {
    }
    bool eventFilter(QObject* /*watched*/, QEvent* event) override { return filter_(event); }

private:
    std::function<bool(QEvent*)> filter_;
};

// Whether a key binding of the pane's active settings starts with `key`.
bool BindsKey(TCodeMemo& editor, TShortCut key)
{
    for (const TKeyBinding& binding : editor.Settings().Keys().KeyStore().Bindings())
        if (binding.FirstKey == key)
            return true;
    return false;
}

}  // namespace

void TMainForm::SetUndoEnabled(bool on)
{
    Undo1->setEnabled(on);
}

void TMainForm::MarkChanged()
{
    dirty_ = true;
    btnSave->setEnabled(true);
    SetUndoEnabled(true);
}

void TMainForm::Memo2Change()
{
    // Loading a title and anything before the first paint (the window
    // setting up the pane) are no edits of the user's.
    if (!painted_ || loading_ || !Memo1->Modified())
        return;
    MarkChanged();
    StatusBar1->SetPanelText(1, AnsiToQt(LanguageText(*this, 3)));
    // "Characters /" shows as "Characters ": the word up to its first blank.
    const std::string word = LanguageText(*this, 15);
    const size_t blank = word.find(' ');
    const std::string shown = blank == std::string::npos ? std::string() : word.substr(0, blank + 1);
    StatusBar1->SetPanelText(2, QString::number(Memo1->TextLength()) + QLatin1Char(' ') +
                                    AnsiToQt(shown));
}

void TMainForm::Memo2KeyDown()
{
    if (Memo1->Modified())
        MarkChanged();
}

void TMainForm::btnSaveClick()
{
    // The pane's text belongs to the title it was loaded from, the current
    // snippet, whatever node is selected now (a right click selects a node
    // without showing it). With no current title there is nothing to save
    // to: a category is shown.
    if (currentCategory_.empty() || currentTitle_.empty())
        return;
    if (!ConfirmSaveTarget())
        return;
    setCursor(Qt::WaitCursor);
    try {
        const std::string text = Memo1->Text();
        TLibraryStore(currentLibrary_.string()).StoreText(currentCategory_, currentTitle_, text);
        loadedText_ = text;
        SetUndoEnabled(false);
        btnSave->setEnabled(false);
        saveFailed_ = false;
    } catch (const std::exception& error) {
        saveFailed_ = true;
        unsetCursor();
        prompt_.ShowError(AnsiToQt(error.what()));
        return;
    }
    unsetCursor();
}

void TMainForm::Memo2Exit()
{
    // The error box of a failing save takes the focus from the pane: that
    // is no new occasion to save.
    // Nor is a question about the library that the window is asking.
    if (saving_ || askingAboutLibrary_)
        return;
    TWaitCursor busy;
    if (!autoSave_ || !dirty_)
        return;
    // With a category selected the pane has no title to go to; the edit
    // stays in the pane, still marked as changed, and nothing is written.
    if (currentCategory_.empty() || currentTitle_.empty())
        return;
    if (!ConfirmSaveTarget())
        return;
    saving_ = true;
    try {
        TMainFormStoreHost host(*this);
        const std::string text = Memo1->Text();
        TLibraryStore(currentLibrary_.string(), host)
            .SaveSnippet(currentCategory_, currentTitle_, text);
        loadedText_ = text;
        btnSave->setEnabled(false);
        saveFailed_ = false;
    } catch (const std::exception& error) {
        saveFailed_ = true;
        saving_ = false;
        prompt_.ShowError(AnsiToQt(error.what()));
        return;
    }
    saving_ = false;
}

bool TMainForm::KeepsUnsavedEdit() const
{
    return autoSave_ && dirty_ && saveFailed_;
}

void TMainForm::SelectCurrentNode()
{
    const QString category = AnsiToQt(currentCategory_);
    const QString title = AnsiToQt(currentTitle_);
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* node = TreeView1->topLevelItem(i);
        if (node->text(0) != category)
            continue;
        for (int j = 0; j < node->childCount(); ++j)
            if (node->child(j)->text(0) == title) {
                TreeView1->setCurrentItem(node->child(j));
                return;
            }
    }
}

void TMainForm::WatchCodePane()
{
    codePaneWatcher_ =
        new TEventWatcher(this, [this](QEvent* event) { return FilterCodePaneEvent(event); });
    Memo1->Editor().installEventFilter(codePaneWatcher_);
}

bool TMainForm::FilterCodePaneEvent(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Ctrl+S goes to the pane when its scheme binds the key.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_S) &&
            BindsKey(Memo1->Editor(), ShortCut('S', ssCtrl))) {
            event->accept();
            return true;
        }
    }
    // A pop-up menu over the pane (its context menu) borrows the focus
    // without the user leaving the pane; the menu bar's menus auto-save
    // when they open.
    if (event->type() == QEvent::FocusOut &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
        Memo2Exit();
    return false;
}

}  // namespace tarnwick
