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

class TFontTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TFontTreeView(QWidget* parent = nullptr);

    // Replaces the callback; an empty callback paints every node in the
    // tree's own font and colour.
    void SetGetFont(TGetNodeFont callback);

    // The font and colour a node is painted with, as the callback gives them.
    void NodeFont(const QTreeWidgetItem* node, QFont& font, QColor& colour) const;

    // Depth of a node: 0 for a top-level node. A null node gives -1.
    static int NodeLevel(const QTreeWidgetItem* node);

private:
    TGetNodeFont getFont_;
};

}  // namespace tarnwick
