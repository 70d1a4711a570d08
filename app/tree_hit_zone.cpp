#include "app/tree_hit_zone.h"

#include "chrome/font_tree_view.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>

namespace tarnwick {

TTreeHitZone TreeHitZone(const TFontTreeView& tree, const QTreeWidgetItem* node, QPoint pos)
{
    if (!node)
        return TTreeHitZone::Nowhere;
    // The row from the node's picture rightwards; its indent lies left of it.
    const QRect row = tree.visualItemRect(node);
    if (pos.y() < row.top() || pos.y() > row.bottom())
        return TTreeHitZone::Nowhere;
    if (pos.x() < row.left()) {
        const bool hasButton = node->childCount() > 0;
        return hasButton && pos.x() >= row.left() - tree.indentation() ? TTreeHitZone::Button
                                                                         : TTreeHitZone::Indent;
    }
    QStyle* style = tree.style();
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &tree) + 1;
    QSize icon = tree.iconSize();
    if (!icon.isValid())
        icon = QSize(style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, &tree), 0);
    QFont font = tree.font();
    QColor colour;
    tree.NodeFont(node, font, colour);
    const int textWidth = QFontMetrics(font).horizontalAdvance(node->text(0));
    const int labelWidth = 2 * margin + icon.width() + 2 * margin + textWidth;
    return pos.x() < row.left() + labelWidth ? TTreeHitZone::Label : TTreeHitZone::Right;
}

}  // namespace tarnwick
