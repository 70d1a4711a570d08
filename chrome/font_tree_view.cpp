#include "chrome/font_tree_view.h"

#include <QHeaderView>
#include <QMetaProperty>
#include <QStyledItemDelegate>

namespace tarnwick {

// Applies the owner's per-node font to both the painting and the row height,
// and passes label editing through the owner's callbacks.
class TNodeFontDelegate : public QStyledItemDelegate {
public:
    explicit TNodeFontDelegate(TFontTreeView* tree) : QStyledItemDelegate(tree), tree_(tree) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QTreeWidgetItem* node = tree_->itemFromIndex(index);
        if (tree_->editing_ && node && !tree_->editing_(node))
            return nullptr;
        return QStyledItemDelegate::createEditor(parent, option, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override
    {
        QTreeWidgetItem* node = tree_->itemFromIndex(index);
        if (!tree_->edited_ || !node) {
            QStyledItemDelegate::setModelData(editor, model, index);
            return;
        }
        const QByteArray property = editor->metaObject()->userProperty().name();
        tree_->edited_(node, editor->property(property.constData()).toString());
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const QTreeWidgetItem* node = tree_->itemFromIndex(index);
        if (!node)
            return;
        QFont font = tree_->font();
        QColor colour = tree_->palette().color(QPalette::Text);
        tree_->NodeFont(node, font, colour);
        option->font = font;
        option->fontMetrics = QFontMetrics(font);
        option->palette.setColor(QPalette::Text, colour);
        option->palette.setColor(QPalette::HighlightedText, colour);
    }

private:
    TFontTreeView* tree_;
};

TFontTreeView::TFontTreeView(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setIndentation(19);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    setUniformRowHeights(false);
    // Long names scroll sideways instead of being cut short.
    setTextElideMode(Qt::ElideNone);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setItemDelegate(new TNodeFontDelegate(this));
    // Keep the selected node visibly highlighted while another control has
    // the focus.
    QPalette pal = palette();
    pal.setColor(QPalette::Inactive, QPalette::Highlight,
                 pal.color(QPalette::Active, QPalette::Highlight));
    setPalette(pal);
}

void TFontTreeView::SetGetFont(TGetNodeFont callback)
{
    getFont_ = std::move(callback);
    viewport()->update();
}

void TFontTreeView::SetLabelEditing(TNodeEditing editing, TNodeEdited edited)
{
    editing_ = std::move(editing);
    edited_ = std::move(edited);
}

void TFontTreeView::NodeFont(const QTreeWidgetItem* node, QFont& font, QColor& colour) const
{
    if (!getFont_ || !node)
        return;
    TNodePaintInfo info;
    info.Node = node;
    info.Level = NodeLevel(node);
    info.Selected = node->isSelected();
    getFont_(info, font, colour);
}

int TFontTreeView::NodeLevel(const QTreeWidgetItem* node)
{
    int level = -1;
    for (; node; node = node->parent())
        ++level;
    return level;
}

}  // namespace tarnwick
