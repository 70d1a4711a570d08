// TfrmImp, part 3: renaming a node of the source tree, which renames the
// category or title in the source index file at once.
#include "app/import/imp_form.h"

#include "app/import/import_trees.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "library/library_format.h"
#include "library/library_store.h"
#include "platform/ascii_text.h"
#include "platform/errors.h"
#include "platform/file_names.h"
#include "platform/profile.h"

namespace tarnwick {

void TfrmImp::Rename1Click()
{
    QTreeWidgetItem* node = TreeView2->currentItem();
    if (node == nullptr)
        return;
    // TreeView2Editing: the name the node had when editing started.
    renaming_ = node;
    oldName_ = QtToAnsi(node->text(0));
    TreeView2->editItem(node, 0);
}

void TfrmImp::TreeView2Edited(QTreeWidgetItem* node)
{
    renaming_ = nullptr;
    // The profile functions drop blanks around names; the label shows what
    // the file will hold.
    const std::string newName(Trimmed(QtToAnsi(node->text(0))));
    const QString oldLabel = AnsiToQt(oldName_);
    if (newName == oldName_) {
        node->setText(0, oldLabel);
        return;
    }
    std::string problem = RenameProblem(*node, newName);
    if (problem.empty()) {
        try {
            RenameInSource(*node, newName);
        } catch (const Exception& error) {
            problem = error.Message();
        }
    }
    if (!problem.empty()) {
        node->setText(0, oldLabel);
        ShowMessage(problem);
        return;
    }
    node->setText(0, AnsiToQt(newName));
}

// Left open by the design: a rename onto a name that already exists in the
// same place would let the renamed entry's value replace the other one (a
// category's keys would merge into the existing section), so it is refused.
// So are names the index file cannot hold as written.
std::string TfrmImp::RenameProblem(const QTreeWidgetItem& node, const std::string& newName) const
{
    if (newName.empty())
        return "A name cannot be empty.";
    const TIniDocument index = TIniDocument::Load(ResolveFileName(setup_.SourceIndex));
    const bool respelling = SameTextAscii(newName, Trimmed(oldName_));
    if (node.parent() == nullptr) {
        if (newName.find(']') != std::string::npos)
            return "A category name cannot contain \"]\".";
        if (!respelling && index.HasSection(newName))
            return "A category named \"" + newName + "\" already exists.";
        return {};
    }
    if (newName.find('=') != std::string::npos || newName.front() == ';' ||
        newName.front() == '[')
        return "A title cannot contain \"=\" or begin with \";\" or \"[\".";
    const std::string category = QtToAnsi(node.parent()->text(0));
    if (!respelling && index.Find(category, newName))
        return "The category \"" + category + "\" already holds a title named \"" + newName +
               "\".";
    return {};
}

void TfrmImp::RenameInSource(const QTreeWidgetItem& node, const std::string& newName)
{
    TLibraryStore source(setup_.SourceIndex);
    if (node.parent() == nullptr) {
        // A key without a value stops the copy half-way, as the store's
        // rename does; the node keeps its new label either way.
        source.RenameCategory(oldName_, newName);
        return;
    }
    const std::string category = QtToAnsi(node.parent()->text(0));
    // A title that has no key changes nothing: no empty entry is written.
    if (ProfileReadString(setup_.SourceIndex, category, oldName_, kNoInfo) == kNoInfo)
        return;
    source.RenameTitle(category, oldName_, newName);
}

}  // namespace tarnwick
