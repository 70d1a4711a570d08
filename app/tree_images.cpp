#include "app/tree_images.h"

#include <QPainter>
#include <QPolygonF>

namespace tarnwick {

namespace {

QPixmap Blank()
{
    QPixmap pixmap(TTreeImages::kSize, TTreeImages::kSize);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

QPixmap Folder(bool open)
{
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QColor(0x80, 0x60, 0x00));
    painter.setBrush(QColor(0xE8, 0xC0, 0x40));
    // The back with its tab.
    painter.drawPolygon(QPolygonF({{1.5, 3.5}, {6.5, 3.5}, {7.5, 5.5}, {14.5, 5.5},
                                   {14.5, 13.5}, {1.5, 13.5}}));
    if (open) {
        // The front flap tilted open.
        painter.setBrush(QColor(0xFF, 0xE0, 0x70));
        painter.drawPolygon(QPolygonF({{1.5, 13.5}, {4.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}}));
    } else {
        painter.drawLine(QPointF(1.5, 7.5), QPointF(14.5, 7.5));
    }
    return pixmap;
}

QPixmap Page(bool marked)
{
    QPixmap pixmap = Blank();
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    painter.setBrush(Qt::white);
    // A sheet with its top right corner folded.
    painter.drawPolygon(
        QPolygonF({{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}}));
    painter.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
    painter.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
    // Lines of text.
    painter.setPen(marked ? QColor(0x00, 0x00, 0xC0) : QColor(0x90, 0x90, 0x90));
    for (int y = 7; y <= 12; y += 2)
        painter.drawLine(5, y, 11, y);
    if (marked) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xFF, 0xD0, 0x00));
        painter.drawEllipse(QPointF(11.5, 12.5), 3, 3);
    }
    return pixmap;
}

}  // namespace

TTreeImages::TTreeImages()
{
    images_[0] = Folder(false);
    images_[1] = Folder(true);
    images_[2] = Page(true);
    images_[3] = Page(false);
}

const QPixmap& TTreeImages::Image(int index) const
{
    return images_[index >= 0 && index < 4 ? index : 3];
}

QIcon TTreeImages::CategoryIcon(bool expanded) const
{
    QIcon icon(images_[expanded ? 1 : 0]);
    icon.addPixmap(images_[1], QIcon::Selected);
    return icon;
}

QIcon TTreeImages::TitleIcon() const
{
    QIcon icon(images_[3]);
    icon.addPixmap(images_[2], QIcon::Selected);
    return icon;
}

}  // namespace tarnwick
