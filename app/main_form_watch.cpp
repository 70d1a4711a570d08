// TMainForm, part 5: following changes that another program makes to the
// library the window shows. The tree is rebuilt when the categories or
// titles changed, keeping the selected node (by category and title) and
// which categories are expanded; the open snippet is reloaded when its text
// changed and the pane holds no edit of the user's.
#include "app/main_form.h"

#include "app/code_pane_host.h"
#include "app/library_watch.h"
#include "app/search_panel.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "library/library_format.h"
#include "library/library_listing.h"
#include "library/library_lock.h"
#include "platform/profile.h"
#include "library/library_journal.h"
#include "platform/file_names.h"

#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>

#include <set>

namespace tarnwick {

namespace {

// What the tree shows: each category's name with its titles, in tree order.
using TTreeShape = std::vector<std::pair<QString, QStringList>>;

TTreeShape ShapeOf(const QTreeWidget& tree)
{
    TTreeShape shape;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* category = tree.topLevelItem(i);
        QStringList titles;
        for (int j = 0; j < category->childCount(); ++j)
            titles << category->child(j)->text(0);
        shape.emplace_back(category->text(0), titles);
    }
    return shape;
}

// While the window's own work is under way the check waits this long and
// tries again, so that it never looks at a library half way through a save.
constexpr int kBusyRetryMilliseconds = 100;

}  // namespace

void TMainForm::WatchCurrentLibrary()
{
    if (!libraryWatch_) {
        libraryWatch_ = new TLibraryWatch(this);
        connect(libraryWatch_, &TLibraryWatch::Changed, this, &TMainForm::LibraryChangedElsewhere);
    }
    if (currentLibrary_.empty()) {
        libraryWatch_->Watch({}, {});
        return;
    }
    const TLibraryFiles files = TLibraryFiles::For(currentLibrary_.string());
    libraryWatch_->Watch(files.index, files.data);
}

void TMainForm::LibraryChangedElsewhere()
{
    if (currentLibrary_.empty())
        return;
    if (saving_ || askingAboutLibrary_) {
        QTimer::singleShot(kBusyRetryMilliseconds, this, &TMainForm::LibraryChangedElsewhere);
        return;
    }
    try {
        FollowTreeChanges();
        FollowOpenSnippet();
        // Listed hits point into the texts as they were: search again.
        if (!SearchPanel1->isHidden() && !SearchPanel1->Edit->text().isEmpty())
            SearchPanel1->StartSearch();
    } catch (const std::exception& error) {
        // A library that cannot be read just now (held by another program
        // past the lock's wait, or half written by a tool that takes no
        // lock) is looked at again at its next change.
        StatusBar1->SetPanelText(2, AnsiToQt(error.what()));
    }
}

void TMainForm::FollowTreeChanges()
{
    const std::vector<TListedCategory> listing =
        ListLibrary(currentLibrary_.string(), kWholeListing);
    TTreeShape after;
    for (const TListedCategory& category : listing) {
        QStringList titles;
        for (const std::string& title : category.titles)
            titles << AnsiToQt(title);
        after.emplace_back(AnsiToQt(category.name), titles);
    }
    if (after == ShapeOf(*TreeView1))
        return;

    // Where the user is: the selected node and the expanded categories.
    QString selectedCategory, selectedTitle;
    if (const QTreeWidgetItem* node = TreeView1->currentItem()) {
        selectedCategory = node->parent() ? node->parent()->text(0) : node->text(0);
        if (node->parent())
            selectedTitle = node->text(0);
    }
    std::set<QString> expanded;
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
        if (TreeView1->topLevelItem(i)->isExpanded())
            expanded.insert(TreeView1->topLevelItem(i)->text(0));
    const int scroll = TreeView1->verticalScrollBar()->value();

    // Rebuilding selects nothing and so loads nothing into the pane.
    const QSignalBlocker quiet(TreeView1);
    FillTree(listing);
    QTreeWidgetItem* select = nullptr;
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* category = TreeView1->topLevelItem(i);
        if (expanded.count(category->text(0)) > 0)
            category->setExpanded(true);
        if (category->text(0) != selectedCategory)
            continue;
        select = category;
        for (int j = 0; j < category->childCount(); ++j)
            if (category->child(j)->text(0) == selectedTitle)
                select = category->child(j);
    }
    if (select)
        TreeView1->setCurrentItem(select);
    TreeView1->verticalScrollBar()->setValue(scroll);
}

void TMainForm::FollowOpenSnippet()
{
    if (currentTitle_.empty())
        return;
    const std::string library = currentLibrary_.string();
    if (!TitleExists(library, currentCategory_, currentTitle_)) {
        // The title was removed or renamed elsewhere. An edit of the user's
        // stays in the pane (saving it asks whether to recreate the title);
        // an untouched text goes, as the title it showed has gone.
        if (!HasUnsavedEdit()) {
            Memo1->Clear();
            currentCategory_.clear();
            currentTitle_.clear();
            loadedText_.clear();
            ShowSnippetSize();
        }
        StatusBar1->SetPanelText(1, tr("The open snippet was removed by another program"));
        return;
    }
    const std::string stored = ReadSnippet(currentCategory_, currentTitle_, library);
    if (stored == loadedText_)
        return;  // other titles changed; the one shown is as it was loaded
    if (stored == Memo1->Text()) {
        loadedText_ = stored;  // the window's own save
        return;
    }
    // The user's edit, if any: typed since the title was loaded or saved.
    if (HasUnsavedEdit() && KeepOwnEdit()) {
        btnSaveClick();
        return;
    }
    ReloadOpenSnippet(stored);
}

bool TMainForm::HasUnsavedEdit() const
{
    // Typed since the title was loaded or last saved.
    return dirty_ && Memo1->Text() != loadedText_;
}

bool TMainForm::ConfirmSaveTarget()
{
    try {
        if (TitleExists(currentLibrary_.string(), currentCategory_, currentTitle_))
            return true;
    } catch (const std::exception&) {
        return true;  // the save itself reports what is wrong with the library
    }
    // A nested save (the box takes the focus from the pane) is not one.
    if (askingAboutLibrary_)
        return false;
    const QScopedValueRollback asking(askingAboutLibrary_, true);
    const QString question =
        tr("\"%1\" in \"%2\" was removed from the library by another program.\n\n"
           "Save your text as this title again?")
            .arg(AnsiToQt(currentTitle_), AnsiToQt(currentCategory_));
    return prompt_.Ask(question, TPromptButtons::YesNo) == TPromptAnswer::Yes;
}

bool TMainForm::KeepOwnEdit()
{
    // Closing the box keeps the user's edit: it is what they are looking at,
    // and the other version was named to them.
    const QString question =
        tr("\"%1\" was changed by another program while you were editing it.\n\n"
           "Take the other program's version and discard your edit?\n"
           "No keeps your edit and saves it over the other version.")
            .arg(AnsiToQt(currentTitle_));
    const QScopedValueRollback asking(askingAboutLibrary_, true);
    return prompt_.Ask(question, TPromptButtons::YesNo) != TPromptAnswer::Yes;
}

void TMainForm::ReloadOpenSnippet(const std::string& text)
{
    TCodeMemo& editor = Memo1->Editor();
    const int64_t topLine = editor.TopLine();
    loading_ = true;
    Memo1->SetText(text);
    editor.SetTopLine(std::min(topLine, Memo1->LineCount() - 1));
    loadedText_ = text;
    dirty_ = false;
    btnSave->setEnabled(false);
    ShowSnippetSize();
    loading_ = false;
}

bool TMainForm::TitleExists(const std::string& library, const std::string& category,
                            const std::string& title)
{
    const TLibraryFiles files = TLibraryFiles::For(library);
    const TLibraryLock lock(files, TLockKind::Shared);
    return TIniDocument::Load(files.index).Find(category, title).has_value();
}

}  // namespace tarnwick
