// TMainForm, part 4: the library tree — loading it from an index file, a
// click on a node (the title's text into the code pane), the keys, expanding
// and collapsing, the per-node fonts and the counts in the status bar.
#include "app/main_form.h"

#include "app/code_pane_host.h"
#include "app/colour_value.h"
#include "chrome/ansi_text.h"
#include "library/library_format.h"
#include "library/library_listing.h"
#include "platform/file_names.h"

#include <QCoreApplication>
#include <QMenu>


namespace tarnwick {

namespace {

constexpr uint32_t kSelectedColour = 65535;  // yellow

}  // namespace

void TMainForm::LoadLibrary(const std::filesystem::path& indexFile)
{
    TreeView1->clear();
    currentLibrary_ = indexFile;
    WatchCurrentLibrary();
    // Every name of the file, past the profile functions' listing buffer:
    // a name cut from the tree would be out of the user's reach.
    FillTree(ListLibrary(indexFile.string(), kWholeListing));
    // Selecting the first node shows nothing in the code pane yet.
    if (TreeView1->topLevelItemCount() > 0)
        TreeView1->setCurrentItem(TreeView1->topLevelItem(0));
}

void TMainForm::FillTree(const std::vector<TListedCategory>& listing)
{
    categories_.clear();
    titles_.clear();
    TreeView1->setUpdatesEnabled(false);
    TreeView1->clear();
    const QIcon categoryIcon = treeImages_.CategoryIcon(false);
    const QIcon titleIcon = treeImages_.TitleIcon();
    QList<QTreeWidgetItem*> nodes;
    nodes.reserve(static_cast<qsizetype>(listing.size()));
    for (const TListedCategory& category : listing) {
        categories_.push_back(category.name);
        auto* node = new QTreeWidgetItem(QStringList{AnsiToQt(category.name)});
        node->setIcon(0, categoryIcon);
        node->setFlags(node->flags() | Qt::ItemIsEditable);
        titles_ = category.titles;
        QList<QTreeWidgetItem*> children;
        children.reserve(static_cast<qsizetype>(titles_.size()));
        for (const std::string& title : titles_) {
            auto* child = new QTreeWidgetItem(QStringList{AnsiToQt(title)});
            child->setIcon(0, titleIcon);
            child->setFlags(child->flags() | Qt::ItemIsEditable);
            children.append(child);
        }
        node->addChildren(children);
        nodes.append(node);
    }
    TreeView1->addTopLevelItems(nodes);
    TreeView1->setUpdatesEnabled(true);
    ShowCounts();
}

void TMainForm::TreeView1Click()
{
    // A save started from the code pane may still be writing.
    while (saving_)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // An edit whose auto-save failed stays with its title (the error box
    // said why).
    if (KeepsUnsavedEdit()) {
        SelectCurrentNode();
        return;
    }
    loading_ = true;
    dirty_ = false;
    btnSave->setEnabled(false);
    QTreeWidgetItem* node = TreeView1->currentItem();
    if (TreeView1->topLevelItemCount() == 0 || node == nullptr)
        return;
    if (node->childCount() > 0 || node->parent() == nullptr) {
        Memo1->Clear();
        currentCategory_.clear();
        currentTitle_.clear();
        // An empty category leaves the counts and the loading flag as they are.
        if (node->childCount() == 0)
            return;
    } else {
        const std::string category = QtToAnsi(node->parent()->text(0));
        const std::string title = QtToAnsi(node->text(0));
        loadedText_ = ReadSnippet(category, title, currentLibrary_.string());
        Memo1->SetText(loadedText_);
        // The pane and the title it is saved to change together, even when
        // the size below cannot be shown.
        currentCategory_ = category;
        currentTitle_ = title;
        ShowSnippetSize();
    }
    ShowCounts();
    loading_ = false;
}

void TMainForm::ShowSnippetSize()
{
    const QString text = QString::number(Memo1->Text().size()) + QLatin1Char(' ') +
                         AnsiToQt(LanguageString(15)) + QLatin1Char(' ') +
                         QString::number(Memo1->LineCount()) + QLatin1Char(' ') +
                         AnsiToQt(LanguageString(16));
    StatusBar1->SetPanelText(2, text);
}

void TMainForm::TreeView1KeyUp(int key)
{
    switch (key) {
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down:
        TreeView1Click();
        break;
    case Qt::Key_Delete:
        btnDeleteClick();
        break;
    case Qt::Key_F2:
        ChangeTitle1Click();
        break;
    default:
        break;
    }
}

void TMainForm::ShowCounts()
{
    const int categories = TreeView1->topLevelItemCount();
    int titles = 0;
    for (int i = 0; i < categories; ++i)
        titles += TreeView1->topLevelItem(i)->childCount();
    StatusBar1->SetPanelText(0, QString::number(categories) + QLatin1Char(' ') + wordCategories_);
    StatusBar1->SetPanelText(1, QString::number(titles) + QLatin1Char(' ') + wordTitles_);
}

void TMainForm::TreeView1GetFont(const TNodePaintInfo& info, QFont& font, QColor& colour) const
{
    const TTreeFont* source = nullptr;
    if (info.Level == 0)
        source = &categoryFont_;
    else if (info.Level == 1)
        source = &titleFont_;
    if (source) {
        font.setFamily(AnsiToQt(source->Name));
        if (source->Size > 0)
            font.setPointSize(source->Size);
        font.setBold(source->Style & 1);
        font.setItalic(source->Style & 2);
        font.setUnderline(source->Style & 4);
        font.setStrikeOut(source->Style & 8);
        colour = ColourFromValue(source->Colour);
    }
    if (info.Selected)
        colour = ColourFromValue(kSelectedColour);
}

void TMainForm::ApplyTreeFontSize()
{
    // Rows are as tall as the tree's own font makes them: the larger size
    // leaves room for both kinds of node.
    QFont font = TreeView1->font();
    const int size = std::max(categoryFont_.Size, titleFont_.Size);
    if (size > 0)
        font.setPointSize(size);
    TreeView1->setFont(font);
    TreeView1->viewport()->update();
}

// Node by node, so that each category's picture follows.
void TMainForm::Expandallnodes1Click()
{
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
        TreeView1->topLevelItem(i)->setExpanded(true);
}

void TMainForm::Collapseallnodes1Click()
{
    for (int i = 0; i < TreeView1->topLevelItemCount(); ++i)
        TreeView1->topLevelItem(i)->setExpanded(false);
}

void TMainForm::PopupMenu1Popup()
{
    SavePopup1->setEnabled(btnSave->isEnabled());
}

}  // namespace tarnwick
