// Where on a node of the library tree a point lies, as a drop onto the tree
// needs to know it: on the node's picture or label, in the indent to the
// left of it, on its expand button, or to the right of its label.
#pragma once

#include <QPoint>

class QTreeWidgetItem;

namespace tarnwick {

class TFontTreeView;

enum class TTreeHitZone { Label, Indent, Button, Right, Nowhere };

// `pos` is in the tree's viewport coordinates. The expand button is the
// indentation step just left of a node that has children; the rest of the
// space left of the picture is indent. The label ends where its text, in the
// node's own font, ends.
TTreeHitZone TreeHitZone(const TFontTreeView& tree, const QTreeWidgetItem* node, QPoint pos);

}  // namespace tarnwick
