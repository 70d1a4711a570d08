// TMainForm, part 5: the Search menu and the Find in library panel docked
// under the tree — opening it, and showing a chosen hit: its title selected
// and loaded as a click would, the hit selected in the code pane.
#include "app/main_form.h"

#include "app/code_pane_host.h"
#include "app/language_file.h"
#include "app/search_panel.h"
#include "chrome/ansi_text.h"
#include "editor/code_memo.h"
#include "platform/messages.h"
#include "scheme/code_memo_parser.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSplitter>

namespace tarnwick {

void TMainForm::CreateSearchMenu()
{
    Search1 = menuBar()->addMenu(QStringLiteral("Search"));
    Find1 = AddItem(Search1, QStringLiteral("Find"), QKeySequence(Qt::CTRL | Qt::Key_F));
    FindNext1 = AddItem(Search1, QStringLiteral("Find Next"), QKeySequence(Qt::Key_F3));
    FindPrevious1 = AddItem(Search1, QStringLiteral("Find Previous"), QKeySequence(Qt::SHIFT | Qt::Key_F3));
    Replace1 = AddItem(Search1, QStringLiteral("Replace"), QKeySequence(Qt::CTRL | Qt::Key_H));
    Search1->addSeparator();
    FindInLibrary1 =
        AddItem(Search1, QStringLiteral("Find in library"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    // Find and Replace are the code pane's own dialogs, for the open snippet.
    connect(Find1, &QAction::triggered, this, [this] { Memo1->Editor().ShowFindDialog(); });
    connect(Replace1, &QAction::triggered, this, [this] { Memo1->Editor().ShowReplaceDialog(); });
    connect(FindNext1, &QAction::triggered, this, [this] { FindNext1Click(1); });
    connect(FindPrevious1, &QAction::triggered, this, [this] { FindNext1Click(-1); });
    connect(FindInLibrary1, &QAction::triggered, this, &TMainForm::FindInLibrary1Click);
}

void TMainForm::CreateSearchPanel()
{
    // The tree and the panel share the left side of the window, one above the other.
    auto* left = new QSplitter(Qt::Vertical);
    left->setChildrenCollapsible(false);
    Splitter1->replaceWidget(0, left);
    left->addWidget(TreeView1);
    SearchPanel1 = new TSearchPanel(left);
    left->addWidget(SearchPanel1);
    left->setStretchFactor(0, 1);
    left->setStretchFactor(1, 1);
    SearchPanel1->hide();
    SearchPanel1->Library = [this] { return currentLibrary_.string(); };
    SearchPanel1->Scheme = [this] {
        // The worker tokenizes with a copy: the pane's scheme keeps state
        // while it highlights.
        auto scheme = std::make_unique<TCodeMemoParser>();
        if (!ActiveParser || !scheme->LoadFromBytes(ActiveParser->SaveToBytes()))
            return std::unique_ptr<TCodeMemoParser>();
        return scheme;
    };
    SearchPanel1->OnHitChosen = [this](const TLibraryHit& hit) { ShowSearchHit(hit); };
}

void TMainForm::ApplySearchLanguage(const TLanguageFile& file)
{
    const std::pair<QAction*, std::pair<const char*, const char*>> captions[] = {
        {Search1->menuAction(), {"Menu", "Search"}},
        {Find1, {"Find", "&Find..."}},
        {FindNext1, {"FindNext", "Find &Next"}},
        {FindPrevious1, {"FindPrev", "Find &Previous"}},
        {Replace1, {"Replace", "&Replace..."}},
        {FindInLibrary1, {"FindInLib", "Find in &library"}},
    };
    for (const auto& [action, key] : captions)
        action->setText(AnsiToQt(file.Read("Search", key.first, key.second)));
    SearchPanel1->ApplyLanguage(file);
}

void TMainForm::FindInLibrary1Click()
{
    SearchPanel1->show();
    SearchPanel1->Edit->setFocus();
    SearchPanel1->Edit->selectAll();
}

void TMainForm::FindNext1Click(int direction)
{
    // With the library's hits listed, F3 steps through them; otherwise it is
    // the code pane's own find next.
    if (SearchPanel1->isVisible() && SearchPanel1->HitCount() > 0) {
        SearchPanel1->StepHit(direction);
        return;
    }
    // The pane's last request, in the direction asked for.
    TCodeMemo& editor = Memo1->Editor();
    TSearchRequest request = editor.SearchRequest();
    const int backwards = direction < 0 ? srchBackwards : 0;
    request.Flags = (request.Flags & ~srchBackwards) | backwards;
    editor.SetSearchRequest(request);
    editor.FindNext();
}

void TMainForm::ShowSearchHit(const TLibraryHit& hit)
{
    const QString category = AnsiToQt(hit.Category);
    const QString title = AnsiToQt(hit.Title);
    QTreeWidgetItem* node = nullptr;
    for (int i = 0; i < TreeView1->topLevelItemCount() && node == nullptr; ++i) {
        QTreeWidgetItem* parent = TreeView1->topLevelItem(i);
        if (parent->text(0) != category)
            continue;
        for (int j = 0; j < parent->childCount() && node == nullptr; ++j)
            if (parent->child(j)->text(0) == title)
                node = parent->child(j);
    }
    if (node == nullptr)
        return;  // the tree no longer shows it
    if (TreeView1->currentItem() != node || currentTitle_ != hit.Title || currentCategory_ != hit.Category) {
        TreeView1->setCurrentItem(node);
        TreeView1Click();
    }
    if (hit.EditorOffset >= 0) {
        TCodeMemo& editor = Memo1->Editor();
        editor.Perform(EM_SETSEL, uintptr_t(hit.EditorOffset), intptr_t(hit.EditorOffset + hit.HitLength));
        editor.Perform(EM_SCROLLCARET, 0, 0);
        // The pane shows its selection while it has the focus.
        Memo1->View()->setFocus();
    }
}

}  // namespace tarnwick
