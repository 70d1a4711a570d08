#include "chrome/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tarnwick {

namespace {

// The drawings use a 24 x 24 grid; the painter is scaled to the size asked.
constexpr qreal kGrid = 24.0;

const QColor kOutline(0x3a, 0x3a, 0x3a);

QPen Outline(qreal width = 1.0)
{
    return QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void DrawOpen(QPainter& p)
{
    // A folder: the back with its tab, and the front leaning open.
    QPainterPath back;
    back.moveTo(2.5, 5.5);
    back.lineTo(9, 5.5);
    back.lineTo(11, 7.5);
    back.lineTo(20.5, 7.5);
    back.lineTo(20.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    p.setPen(Outline());
    p.setBrush(QColor(0xd9, 0xa4, 0x2c));
    p.drawPath(back);
    QPainterPath front;
    front.moveTo(2.5, 19.5);
    front.lineTo(6, 10.5);
    front.lineTo(22.5, 10.5);
    front.lineTo(19.5, 19.5);
    front.closeSubpath();
    p.setBrush(QColor(0xf5, 0xcd, 0x5b));
    p.drawPath(front);
}

void DrawPage(QPainter& p, const QRectF& page)
{
    p.setPen(Outline());
    p.setBrush(Qt::white);
    p.drawRect(page);
    p.setPen(QPen(QColor(0x6f, 0x8f, 0xbf), 1.0));
    for (qreal y = page.top() + 3; y < page.bottom() - 1.5; y += 2.5)
        p.drawLine(QPointF(page.left() + 2, y), QPointF(page.right() - 2, y));
}

void DrawCopy(QPainter& p)
{
    // Two sheets, the copy overlapping the original.
    DrawPage(p, QRectF(3.5, 2.5, 11, 14));
    DrawPage(p, QRectF(9.5, 7.5, 11, 14));
}

void DrawDelete(QPainter& p)
{
    // A waste bin: lid with its handle, and a ribbed body.
    p.setPen(Outline());
    p.setBrush(QColor(0xb8, 0xbe, 0xc6));
    QPainterPath body;
    body.moveTo(5.5, 7.5);
    body.lineTo(18.5, 7.5);
    body.lineTo(17, 21.5);
    body.lineTo(7, 21.5);
    body.closeSubpath();
    p.drawPath(body);
    p.drawRect(QRectF(3.5, 4.5, 17, 3));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(9.5, 2.5, 5, 2));
    p.setPen(QPen(QColor(0x6a, 0x70, 0x78), 1.2));
    for (qreal x : {9.5, 12.0, 14.5})
        p.drawLine(QPointF(x, 10), QPointF(x, 19));
}

void DrawSave(QPainter& p)
{
    // A diskette: blue case, metal shutter at the top, white label below.
    p.setPen(Outline());
    p.setBrush(QColor(0x2f, 0x62, 0xb0));
    QPainterPath disk;
    disk.moveTo(3.5, 3.5);
    disk.lineTo(18, 3.5);
    disk.lineTo(20.5, 6);
    disk.lineTo(20.5, 20.5);
    disk.lineTo(3.5, 20.5);
    disk.closeSubpath();
    p.drawPath(disk);
    p.setBrush(QColor(0xd4, 0xd8, 0xde));
    p.drawRect(QRectF(7.5, 3.5, 9, 6));
    p.setBrush(QColor(0x2f, 0x62, 0xb0));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(13, 4.5, 2, 4));
    p.setPen(Outline());
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6.5, 13.5, 11, 7));
}

// A round badge with a white sign on it.
void DrawBadge(QPainter& p, const QColor& colour)
{
    p.setPen(Outline());
    p.setBrush(colour);
    p.drawEllipse(QRectF(2.5, 2.5, 19, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
}

void DrawHelp(QPainter& p)
{
    DrawBadge(p, QColor(0x2f, 0x62, 0xb0));
    // The question mark: a hook drawn as a thick stroke, then its dot.
    QPainterPath hook;
    hook.moveTo(8.8, 9.5);
    hook.cubicTo(8.8, 5.5, 15.2, 5.5, 15.2, 9.2);
    hook.cubicTo(15.2, 11.8, 12, 11.8, 12, 14.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 17.6), 1.5, 1.5);
}

void DrawAbout(QPainter& p)
{
    DrawBadge(p, QColor(0x1f, 0x8a, 0x70));
    // The letter i: its dot and its stem.
    p.drawEllipse(QPointF(12, 7.6), 1.7, 1.7);
    p.drawRoundedRect(QRectF(10.4, 10.5, 3.2, 8.5), 1.2, 1.2);
}

void DrawExit(QPainter& p)
{
    // An open door with an arrow leaving through it.
    p.setPen(Outline());
    p.setBrush(QColor(0x8b, 0x5a, 0x2b));
    p.drawRect(QRectF(3.5, 2.5, 10, 19));
    p.setBrush(QColor(0xf2, 0xe6, 0xd0));
    p.drawRect(QRectF(5.5, 4.5, 6, 15));
    p.setPen(QPen(QColor(0xc0, 0x2b, 0x2b), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(9, 12), QPointF(20.5, 12));
    p.drawLine(QPointF(17, 8.5), QPointF(20.5, 12));
    p.drawLine(QPointF(17, 15.5), QPointF(20.5, 12));
}

QPixmap Draw(TToolbarPicture picture, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    switch (picture) {
    case TToolbarPicture::Open: DrawOpen(p); break;
    case TToolbarPicture::Copy: DrawCopy(p); break;
    case TToolbarPicture::Delete: DrawDelete(p); break;
    case TToolbarPicture::Save: DrawSave(p); break;
    case TToolbarPicture::Help: DrawHelp(p); break;
    case TToolbarPicture::About: DrawAbout(p); break;
    case TToolbarPicture::Exit: DrawExit(p); break;
    }
    return pixmap;
}

}  // namespace

const char* ToolbarIconName(TToolbarPicture picture)
{
    switch (picture) {
    case TToolbarPicture::Open: return "document-open";
    case TToolbarPicture::Copy: return "edit-copy";
    case TToolbarPicture::Delete: return "edit-delete";
    case TToolbarPicture::Save: return "document-save";
    case TToolbarPicture::Help: return "help-contents";
    case TToolbarPicture::About: return "help-about";
    case TToolbarPicture::Exit: return "application-exit";
    }
    return "";
}

QIcon DrawnToolbarIcon(TToolbarPicture picture)
{
    QIcon icon;
    for (int size : {16, 20, 24, 32, 48})
        icon.addPixmap(Draw(picture, size));
    return icon;
}

QIcon ToolbarIcon(TToolbarPicture picture)
{
    return QIcon::fromTheme(QString::fromLatin1(ToolbarIconName(picture)),
                            DrawnToolbarIcon(picture));
}

}  // namespace tarnwick
