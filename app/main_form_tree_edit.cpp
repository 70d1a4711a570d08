// TMainForm, part 5: editing the library from the tree — new categories and
// titles, renaming a label in place, deleting, and moving a title to another
// category by drag and drop. Every change is written to the current library
// through the store before the tree shows it; a refused change leaves both
// as they were.
#include "app/main_form.h"

#include "app/code_pane_host.h"
#include "app/main_form_store_host.h"
#include "app/tree_hit_zone.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "library/library_format.h"
#include "library/library_store.h"
#include "platform/ascii_text.h"
#include "platform/errors.h"
#include "platform/file_names.h"
#include "platform/profile.h"
#include "chrome/wait_cursor.h"

#include <QDropEvent>
#include <QMenu>
#include <QMouseEvent>

namespace tarnwick {

namespace {

// The name New Code gives a title; a number follows it when the category
// already shows one of that name.
constexpr const char* kNewItem = "New Item";

// Names are one entry of the index file when they match trimmed and without
// regard to letter case.
bool SameName(std::string_view a, std::string_view b)
{
    return SameTextAscii(Trimmed(a), Trimmed(b));
}

// The child of `parent` (a top-level node when null) other than `except`
// that names the same entry as `name`.
QTreeWidgetItem* NodeNamed(const QTreeWidget& tree, const QTreeWidgetItem* parent,
                           std::string_view name, const QTreeWidgetItem* except = nullptr)
{
    const int count = parent ? parent->childCount() : tree.topLevelItemCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* node = parent ? parent->child(i) : tree.topLevelItem(i);
        if (node != except && SameName(QtToAnsi(node->text(0)), name))
            return node;
    }
    return nullptr;
}

// `base`, or "base (n)" with the first n from 2 that no sibling shows: a new
// node never shares its entry with an existing one, whose text a save to the
// new node would otherwise overwrite.
std::string UnusedName(const QTreeWidget& tree, const QTreeWidgetItem* parent,
                       const std::string& base)
{
    std::string name = base;
    for (int n = 2; NodeNamed(tree, parent, name); ++n)
        name = base + " (" + std::to_string(n) + ")";
    return name;
}

// A name the index file would not give back as written is refused: the text
// stored under it could no longer be reached.
void CheckStorableName(int level, const std::string& name)
{
    if (level == 0 && name.find(']') != std::string::npos)
        throw Exception("A category name must not contain \"]\"");
    if (level == 1 && (name.find('=') != std::string::npos || name.front() == ';' ||
                       name.front() == '['))
        throw Exception("A title must not contain \"=\" or begin with \";\" or \"[\"");
}

std::string AlreadyHolds(const std::string& category, const std::string& title)
{
    return "The category " + category + " already holds a title " + title;
}

QTreeWidgetItem* NewNode(const std::string& text, const QIcon& icon)
{
    auto* node = new QTreeWidgetItem(QStringList{AnsiToQt(text)});
    node->setIcon(0, icon);
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    return node;
}

// Hands the tree viewport's mouse and drag events to the window's handlers.
// A drop is always answered as a copy: the window moves the node itself, and
// the view must not remove the dragged row after a move.
class TTreeDragFilter : public QObject {
public:
    explicit TTreeDragFilter(TMainForm& form) : QObject(&form), form_(form) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            form_.TreeView1MouseDown(mouse->button(), mouse->position().toPoint());
            break;
        }
        case QEvent::MouseButtonRelease:
            form_.TreeView1MouseUp();
            break;
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDropEvent*>(event);
            if (form_.TreeView1DragOver(drag->source())) {
                drag->setDropAction(Qt::CopyAction);
                drag->accept();
            } else {
                drag->ignore();
            }
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            drop->setDropAction(Qt::CopyAction);
            drop->accept();
            form_.TreeView1DragDrop(drop->source(), drop->position().toPoint());
            return true;
        }
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TMainForm& form_;
};

}  // namespace

void TMainForm::ConnectTreeEditing()
{
    for (QAction* action : {File2, NewCategory1, NewCode1})
        action->setEnabled(true);
    btnDelete->setEnabled(true);
    connect(AddCategory1, &QAction::triggered, this, &TMainForm::AddCategory1Click);
    connect(NewCategory1, &QAction::triggered, this, &TMainForm::AddCategory1Click);
    connect(AddCode1, &QAction::triggered, this, &TMainForm::AddCode1Click);
    connect(NewCode1, &QAction::triggered, this, &TMainForm::AddCode1Click);
    connect(ChangeTitle1, &QAction::triggered, this, &TMainForm::ChangeTitle1Click);
    connect(DeleteSelected1, &QAction::triggered, this, &TMainForm::btnDeleteClick);
    connect(btnDelete, &QToolButton::clicked, this, &TMainForm::btnDeleteClick);
    connect(File2, &QAction::triggered, this, &TMainForm::File2Click);

    // A slow second click on the selected node edits its label; F2 does so
    // when it is released (TreeView1KeyUp).
    TreeView1->setEditTriggers(QAbstractItemView::SelectedClicked);
    TreeView1->SetLabelEditing(
        [this](QTreeWidgetItem* node) { return TreeView1Editing(node); },
        [this](QTreeWidgetItem* node, const QString& text) { return TreeView1Edited(node, text); });
    TreeView1->setDragEnabled(true);
    TreeView1->setAcceptDrops(true);
    TreeView1->setDragDropMode(QAbstractItemView::DragDrop);
    TreeView1->setDefaultDropAction(Qt::CopyAction);
    TreeView1->viewport()->installEventFilter(new TTreeDragFilter(*this));
}

void TMainForm::AddCategory1Click()
{
    TreeView1->setUpdatesEnabled(false);
    QTreeWidgetItem* category =
        NewNode(UnusedName(*TreeView1, nullptr, LanguageString(13)), treeImages_.CategoryIcon(false));
    category->addChild(NewNode(LanguageString(14), treeImages_.TitleIcon()));
    TreeView1->addTopLevelItem(category);
    TreeView1->setUpdatesEnabled(true);
    category->setExpanded(true);
    ShowCounts();
}

void TMainForm::AddCode1Click()
{
    QTreeWidgetItem* selected = TreeView1->currentItem();
    if (!selected)
        return;
    QTreeWidgetItem* category = selected->parent() ? selected->parent() : selected;
    QTreeWidgetItem* node =
        NewNode(UnusedName(*TreeView1, category, kNewItem), treeImages_.TitleIcon());
    category->addChild(node);
    category->setExpanded(true);
    TreeView1->setCurrentItem(node);
    // The empty pane belongs to the new title: what is typed into it is
    // saved there, not over the title shown before.
    Memo1->Clear();
    dirty_ = false;
    currentCategory_ = QtToAnsi(category->text(0));
    currentTitle_ = QtToAnsi(node->text(0));
    ShowCounts();
    ChangeTitle1Click();
}

void TMainForm::ChangeTitle1Click()
{
    if (QTreeWidgetItem* node = TreeView1->currentItem())
        TreeView1->editItem(node, 0);
}

bool TMainForm::TreeView1Editing(QTreeWidgetItem* node)
{
    editOldName_ = QtToAnsi(node->text(0));
    return true;
}

bool TMainForm::TreeView1Edited(QTreeWidgetItem* node, const QString& text)
{
    // The index file drops blanks around a name; the label shows what it
    // keeps.
    const std::string newName(Trimmed(QtToAnsi(text)));
    if (newName == editOldName_)
        return false;
    const int level = TFontTreeView::NodeLevel(node);
    QTreeWidgetItem* parent = node->parent();
    const std::string category = parent ? QtToAnsi(parent->text(0)) : std::string();
    try {
        if (!newName.empty())
            CheckStorableName(level, newName);
        if (!SameName(newName, editOldName_) && NodeNamed(*TreeView1, parent, newName, node))
            throw Exception(level == 0 ? "The category " + newName + " already exists"
                                       : AlreadyHolds(category, newName));
        const TWaitCursor wait;
        TLibraryStore store(currentLibrary_.string());
        if (level == 0) {
            // Renaming onto another category would merge the two.
            if (!SameName(newName, editOldName_) &&
                TIniDocument::Load(ResolveFileName(currentLibrary_.string())).HasSection(newName))
                throw Exception("The category " + newName + " already exists");
            if (!store.RenameCategory(editOldName_, newName)) {
                // A key without a value stopped the copy half-way: the tree
                // shows what the index file now holds.
                LoadLibrary(currentLibrary_);
                return false;
            }
            if (currentCategory_ == editOldName_)
                currentCategory_ = newName;
        } else {
            store.RenameTitle(category, editOldName_, newName);
            if (currentCategory_ == category && currentTitle_ == editOldName_)
                currentTitle_ = newName;
        }
    } catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
        return false;
    }
    node->setText(0, AnsiToQt(newName));
    return true;
}

void TMainForm::btnDeleteClick()
{
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (!node)
        return;
    const bool wholeCategory = node->childCount() > 0;
    const std::string text = QtToAnsi(node->text(0));
    const std::string category = node->parent() ? QtToAnsi(node->parent()->text(0)) : text;
    const QString question = AnsiToQt(LanguageString(wholeCategory ? 1 : 2)) +
                             QStringLiteral(" \n") + node->text(0);
    if (prompt_.Ask(question, TPromptButtons::YesNo) != TPromptAnswer::Yes)
        return;
    const TWaitCursor wait;
    bool shown = false;
    if (!node->parent()) {
        // A category, with its titles or without: its section goes too, so
        // that an empty category does not come back at the next load.
        shown = SameName(currentCategory_, category);
        TMainFormStoreHost host(*this);
        TLibraryStore(currentLibrary_.string(), host).DeleteCategory(category, currentLibrary_.string());
    } else {
        const std::string value =
            ProfileReadString(currentLibrary_.string(), category, text, kNoInfo);
        if (value != kNoInfo) {
            // An empty value holds no text, like "0;0".
            const TTextRange range = value.empty() ? TTextRange{} : ParseRange(value);
            TLibraryStore(currentLibrary_.string())
                .RemoveSnippetText(text, category, range.start, range.end, range.Length());
        }
        shown = currentCategory_ == category && currentTitle_ == text;
        delete node;
        ShowCounts();
    }
    // The pane no longer shows a title that is gone, and nothing typed into
    // it afterwards is saved back under that title.
    if (shown) {
        Memo1->Clear();
        dirty_ = false;
        currentCategory_.clear();
        currentTitle_.clear();
    }
}

void TMainForm::TreeView1MouseDown(Qt::MouseButton button, const QPoint& pos)
{
    if (button == Qt::LeftButton && TreeView1->itemAt(pos))
        dragArmed_ = true;
}

void TMainForm::TreeView1MouseUp()
{
    dragArmed_ = false;
}

bool TMainForm::TreeView1DragOver(const QObject* source) const
{
    return source == TreeView1 && dragArmed_ &&
           TFontTreeView::NodeLevel(TreeView1->currentItem()) == 1;
}

void TMainForm::TreeView1DragDrop(const QObject* source, const QPoint& pos)
{
    dragArmed_ = false;
    QTreeWidgetItem* moved = TreeView1->currentItem();
    QTreeWidgetItem* under = TreeView1->itemAt(pos);
    if (source != TreeView1 || !moved || !under || TFontTreeView::NodeLevel(moved) != 1)
        return;
    QTreeWidgetItem* target = under->parent() ? under->parent() : under;
    const TTreeHitZone zone = TreeHitZone(*TreeView1, under, pos);
    QTreeWidgetItem* from = moved->parent();
    if ((zone != TTreeHitZone::Label && zone != TTreeHitZone::Indent) || target == from)
        return;
    const std::string title = QtToAnsi(moved->text(0));
    const std::string oldCategory = QtToAnsi(from->text(0));
    const std::string newCategory = QtToAnsi(target->text(0));
    try {
        if (NodeNamed(*TreeView1, target, title))
            throw Exception(AlreadyHolds(newCategory, title));
        const TWaitCursor wait;
        TLibraryStore(currentLibrary_.string()).MoveTitle(oldCategory, title, newCategory);
    } catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
        return;
    }
    from->removeChild(moved);
    // On the label or picture the title becomes the category's last one; in
    // the indent it goes before the title dropped on (first when dropped on
    // the category itself).
    if (zone == TTreeHitZone::Label)
        target->addChild(moved);
    else
        target->insertChild(under == target ? 0 : target->indexOfChild(under), moved);
    target->setExpanded(true);
    TreeView1->setCurrentItem(moved);
    // A title shown in the pane is saved where it now lives.
    if (currentCategory_ == oldCategory && currentTitle_ == title)
        currentCategory_ = newCategory;
    ShowCounts();
}

}  // namespace tarnwick
