#include "editor/gutter_images.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace tarnwick {

namespace {

// Bookmarks: a tag in the colour of its digit group with the digit on it.
void DrawBookmark(QPainter& painter, int index)
{
    static const std::array<QColor, 4> colours{QColor(0, 120, 215), QColor(16, 140, 60),
                                               QColor(200, 110, 0), QColor(150, 40, 160)};
    QPainterPath tag;
    tag.moveTo(1, 1);
    tag.lineTo(13, 1);
    tag.lineTo(13, 15);
    tag.lineTo(7, 11);
    tag.lineTo(1, 15);
    tag.closeSubpath();
    painter.setPen(QPen(QColor(40, 40, 40), 1));
    painter.setBrush(colours[static_cast<size_t>(index) % colours.size()]);
    painter.drawPath(tag);
    if (index <= 9) {
        QFont font(QStringLiteral("Sans"));
        font.setPixelSize(9);
        font.setBold(true);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRectF(1, 1, 12, 10), Qt::AlignCenter, QString::number(index));
    }
}

// Second-list images: a filled shape whose form and colour follow the index.
void DrawSecond(QPainter& painter, int index)
{
    static const std::array<QColor, 4> colours{QColor(210, 30, 30), QColor(230, 180, 0),
                                               QColor(30, 150, 200), QColor(90, 90, 90)};
    painter.setPen(QPen(QColor(30, 30, 30), 1));
    painter.setBrush(colours[static_cast<size_t>(index / 4) % colours.size()]);
    switch (index % 4) {
    case 0: painter.drawEllipse(QRectF(2, 3, 10, 10)); break;
    case 1: painter.drawRect(QRectF(2.5, 3.5, 9, 9)); break;
    case 2: {
        const QPointF arrow[] = {{3, 2}, {12, 8}, {3, 14}};
        painter.drawPolygon(arrow, 3);
        break;
    }
    default: {
        const QPointF diamond[] = {{7.5, 2}, {13, 8}, {7.5, 14}, {2, 8}};
        painter.drawPolygon(diamond, 4);
        break;
    }
    }
}

// The wrap glyph: an arrow that comes down and turns left, as text that
// continues from the record above.
void DrawWrapGlyph(QPainter& painter)
{
    painter.setPen(QPen(QColor(0, 0, 128), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath bend;
    bend.moveTo(11.5, 2);
    bend.lineTo(11.5, 10);
    bend.lineTo(4, 10);
    painter.drawPath(bend);
    painter.setBrush(QColor(0, 0, 128));
    const QPointF head[] = {{2, 10}, {6, 7}, {6, 13}};
    painter.drawPolygon(head, 3);
}

} // namespace

const QImage& TGutterImages::Image(TList list, int index, qreal ratio)
{
    const std::pair<int, int> key{static_cast<int>(list) * 64 + index,
                                  static_cast<int>(std::lround(ratio * 100))};
    auto it = cache_.find(key);
    if (it == cache_.end())
        it = cache_.emplace(key, Draw(list, index, ratio)).first;
    return it->second;
}

QImage TGutterImages::Draw(TList list, int index, qreal ratio)
{
    QImage image(static_cast<int>(std::ceil(kGutterImageWidth * ratio)),
                 static_cast<int>(std::ceil(kGutterImageHeight * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (list) {
    case MarkList: DrawBookmark(painter, index); break;
    case SecondList: DrawSecond(painter, index); break;
    case WrapGlyph: DrawWrapGlyph(painter); break;
    }
    return image;
}

} // namespace tarnwick
