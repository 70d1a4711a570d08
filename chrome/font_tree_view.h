// TFontTreeView: a tree control that asks its owner, before each node is
// painted, for that node's font and text colour. The owner's callback starts
// from a copy of the tree's own font and colour and changes what it wants.
// The tree keeps its selection highlighted when it loses the focus.
#pragma once

#include <QTreeWidget>

#include <functional>

namespace tarnwick {

struct TNodePaintInfo {
    const QTreeWidgetItem* Node = nullptr;
    int Level = 0;          // 0 for top-level nodes
    bool Selected = false;
};

using TGetNodeFont = std::function<void(const TNodePaintInfo& info, QFont& font, QColor& colour)>;

// Label editing: the first is asked when editing of a node's label starts
// (false: no editing); the second gets the text the user confirmed and
// decides what becomes of it (false: the label keeps its text; true: the
// owner has set the label). A cancelled edit calls neither.
using TNodeEditing = std::function<bool(QTreeWidgetItem* node)>;
using TNodeEdited = std::function<bool(QTreeWidgetItem* node, const QString& text)>;

class TFontTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TFontTreeView(QWidget* parent = nullptr);

    // Replaces the callback; an empty callback paints every node in the
    // tree's own font and colour.
    void SetGetFont(TGetNodeFont callback);

    // Replaces both label-editing callbacks; empty ones let every edit
    // through unchanged.
    void SetLabelEditing(TNodeEditing editing, TNodeEdited edited);

    // The font and colour a node is painted with, as the callback gives them.
    void NodeFont(const QTreeWidgetItem* node, QFont& font, QColor& colour) const;

    // Depth of a node: 0 for a top-level node. A null node gives -1.
    static int NodeLevel(const QTreeWidgetItem* node);

private:
    friend class TNodeFontDelegate;
    TGetNodeFont getFont_;
    TNodeEditing editing_;
    TNodeEdited edited_;
};

}  // namespace tarnwick
