// TfrmImp, part 2: filling the two trees, the previews under them, dropping
// source titles and categories on the destination tree (and Copy, the same
// drop on its topmost node), and Undo.
#include "app/import/imp_form.h"

#include "app/import/import_trees.h"
#include "app/tree_images.h"
#include "chrome/ansi_text.h"
#include "chrome/flat_button.h"
#include "editor/code_memo.h"
#include "library/library_format.h"
#include "library/library_listing.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <QAction>

#include <filesystem>

namespace tarnwick {

namespace {

// The source index file read once for a preview or a drop, and the size of
// its data file, against which a value's range is checked.
class TSourceValues {
public:
    explicit TSourceValues(const std::string& indexFile)
        : index_(TIniDocument::Load(ResolveFileName(indexFile)))
    {
        std::error_code error;
        const auto size = std::filesystem::file_size(ResolveFileName(DataFileName(indexFile)), error);
        dataSize_ = error ? 0 : static_cast<int64_t>(size);
    }
    // The title's value, read with the default "0".
    std::string Value(const std::string& category, const std::string& title) const
    {
        return index_.ReadString(category, title, kMissingSourceValue);
    }
    bool Importable(const std::string& value) const { return IsImportableValue(value, dataSize_); }

private:
    TIniDocument index_;
    int64_t dataSize_ = 0;
};

std::string NodeName(const QTreeWidgetItem& node)
{
    return QtToAnsi(node.text(0));
}

bool IsArrowKey(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right ||
           key == Qt::Key_Down;
}

// A record that could not be written: a name or the path holds ";".
std::string UnsplittableMessage(const std::string& title)
{
    return "The title \"" + title +
           "\" cannot be imported: its name, its category or the path of its library "
           "contains \";\".";
}

}  // namespace

void TfrmImp::FillTree(QTreeWidget& tree, const std::string& indexFile)
{
    tree.clear();
    if (indexFile.empty())
        return;
    const TIniDocument index = TIniDocument::Load(ResolveFileName(indexFile));
    // Only the source tree's labels can be edited (renaming, F2).
    const Qt::ItemFlags editable = &tree == TreeView2 ? Qt::ItemIsEditable : Qt::NoItemFlags;
    const QIcon categoryIcon = images_.CategoryIcon(false);
    const QIcon titleIcon = images_.TitleIcon();
    QList<QTreeWidgetItem*> nodes;
    for (const std::string& category : SortedNames(index.SectionNames(kWholeListing))) {
        auto* node = new QTreeWidgetItem(QStringList{AnsiToQt(category)});
        node->setIcon(0, categoryIcon);
        node->setFlags(node->flags() | editable);
        QList<QTreeWidgetItem*> children;
        for (const std::string& title : SortedNames(index.Keys(category, kWholeListing))) {
            auto* child = new QTreeWidgetItem(QStringList{AnsiToQt(title)});
            child->setIcon(0, titleIcon);
            child->setFlags(child->flags() | editable);
            children.append(child);
        }
        node->addChildren(children);
        nodes.append(node);
    }
    tree.addTopLevelItems(nodes);
    if (tree.topLevelItemCount() > 0)
        tree.setCurrentItem(tree.topLevelItem(0));
}

bool TfrmImp::ReadSourceValue(const std::string& category, const std::string& title,
                              std::string& value)
{
    const TSourceValues source(setup_.SourceIndex);
    value = source.Value(category, title);
    if (source.Importable(value))
        return true;
    ShowMessage(InvalidOffsetMessage(setup_.Strings, title));
    return false;
}

void TfrmImp::TreeView2Click()
{
    const QTreeWidgetItem* node = TreeView2->currentItem();
    if (node == nullptr)
        return;
    if (node->parent() == nullptr) {
        Memo1->SetText({});
        Memo1->setEnabled(false);
        return;
    }
    Memo1->setEnabled(true);
    const std::string category = NodeName(*node->parent());
    const std::string title = NodeName(*node);
    std::string value;
    if (ReadSourceValue(category, title, value))
        Memo1->SetText(ReadSnippet(category, title, setup_.SourceIndex));
}

void TfrmImp::TreeView2KeyUp(int key)
{
    if (IsArrowKey(key))
        TreeView2Click();
}

void TfrmImp::TreeView1Click()
{
    const QTreeWidgetItem* node = TreeView1->currentItem();
    if (node == nullptr)
        return;
    if (node->childCount() > 0 || node->parent() == nullptr) {
        Memo2->SetText({});
        Memo2->setEnabled(false);
        return;
    }
    Memo2->setEnabled(true);
    const std::string category = NodeName(*node->parent());
    const std::string title = NodeName(*node);
    std::string text = ReadSnippet(category, title, setup_.DestinationIndex);
    if (text.empty()) {
        // A queued title is not in the destination yet: show the text the
        // commit will import for it, that of the last record aimed at it
        // (a title of the same name in another source category is not it).
        for (auto record = importList_.rbegin(); record != importList_.rend(); ++record) {
            if (GetField(*record, ";", 0) == category && GetField(*record, ";", 1) == title) {
                text = ReadSnippet(GetField(*record, ";", 5), GetField(*record, ";", 6),
                                   std::string(GetField(*record, ";", 4)));
                break;
            }
        }
    }
    Memo2->SetText(text);
}

void TfrmImp::TreeView1KeyUp(int key)
{
    if (IsArrowKey(key))
        TreeView1Click();
}

void TfrmImp::TreeView1Expanded(QTreeWidgetItem* node)
{
    if (node->parent() == nullptr)
        node->setIcon(0, images_.CategoryIcon(true));
}

void TfrmImp::TreeView1Collapsed(QTreeWidgetItem* node)
{
    if (node->parent() == nullptr)
        node->setIcon(0, images_.CategoryIcon(false));
}

void TfrmImp::TreeView1DragDrop(const QPoint& point)
{
    // An empty destination has no selected node: nothing can be dropped.
    QTreeWidgetItem* source = TreeView2->currentItem();
    if (TreeView1->currentItem() == nullptr || source == nullptr)
        return;
    if (source->parent() != nullptr) {
        QTreeWidgetItem* target = TreeView1->itemAt(point);
        if (target == nullptr || !DropTitle(source, target))
            return;
    } else {
        DropCategory(source);
    }
    TreeView1->viewport()->update();
    SetUndoEnabled(true);
}

bool TfrmImp::DropTitle(QTreeWidgetItem* source, QTreeWidgetItem* target)
{
    const std::string sourceCategory = NodeName(*source->parent());
    const std::string title = NodeName(*source);
    std::string value;
    if (!ReadSourceValue(sourceCategory, title, value))
        return false;
    QTreeWidgetItem* category = target->parent() ? target->parent() : target;
    const std::optional<std::string> record = ImportRecord(
        NodeName(*category), title, value, setup_.SourceIndex, sourceCategory, title);
    if (!record) {
        ShowMessage(UnsplittableMessage(title));
        return false;
    }
    auto* node = new QTreeWidgetItem(QStringList{source->text(0)});
    node->setIcon(0, images_.TitleIcon());
    category->addChild(node);
    importList_.push_back(*record);
    return true;
}

void TfrmImp::DropCategory(QTreeWidgetItem* source)
{
    const std::string category = NodeName(*source);
    const TSourceValues values(setup_.SourceIndex);
    // A second node even when the destination shows the category already:
    // the commit adds its titles to the existing one.
    auto* node = new QTreeWidgetItem(QStringList{source->text(0)});
    node->setIcon(0, images_.CategoryIcon(false));
    TreeView1->addTopLevelItem(node);
    const QIcon titleIcon = images_.TitleIcon();
    std::string skipped;
    for (int i = 0; i < source->childCount(); ++i) {
        const std::string title = NodeName(*source->child(i));
        const std::string value = values.Value(category, title);
        std::optional<std::string> record;
        if (values.Importable(value))
            record = ImportRecord(category, title, value, setup_.SourceIndex, category, title);
        if (!record) {
            skipped += title + '\r';
            continue;
        }
        auto* child = new QTreeWidgetItem(QStringList{source->child(i)->text(0)});
        child->setIcon(0, titleIcon);
        node->addChild(child);
        importList_.push_back(std::move(*record));
    }
    if (skipped.size() > 1)
        ShowMessage(SkippedMessage(setup_.Strings, skipped));
}

void TfrmImp::Copy1Click()
{
    TreeView1DragDrop(QPoint(0, 0));
}

void TfrmImp::btnUndoClick()
{
    if (QTreeWidgetItem* node = TreeView1->currentItem()) {
        const size_t removed =
            node->parent() ? RemoveQueued(importList_, NodeName(*node->parent()), NodeName(*node))
                           : RemoveQueued(importList_, NodeName(*node));
        // Queued or not, a node of a title already in the destination matches
        // no record and stays.
        if (removed > 0)
            delete node;
    }
    if (importList_.empty())
        SetUndoEnabled(false);
}

void TfrmImp::SetUndoEnabled(bool enabled)
{
    btnUndo->setEnabled(enabled);
    Delete1->setEnabled(enabled);
}

}  // namespace tarnwick
