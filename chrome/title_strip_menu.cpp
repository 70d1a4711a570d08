#include "chrome/title_strip_menu.h"

#include <QLinearGradient>
#include <QPainter>

namespace tarnwick {

TTitleStripMenu::TTitleStripMenu(const QString& title, QWidget* parent) : QMenu(title, parent) {}

void TTitleStripMenu::SetStripVisible(bool visible)
{
    if (visible == stripVisible_)
        return;
    stripVisible_ = visible;
    // The items move right of the band; QMenu lays its items out inside the
    // contents margins.
    QMargins margins = contentsMargins();
    margins.setLeft(visible ? kStripWidth : 0);
    setContentsMargins(margins);
    update();
}

void TTitleStripMenu::paintEvent(QPaintEvent* event)
{
    QMenu::paintEvent(event);
    if (!stripVisible_)
        return;
    QPainter painter(this);
    const QRect band(0, 0, kStripWidth, height());
    // Dark at the bottom, where the caption starts, brightening to the caption
    // colour at the top. Qt names no active-caption colour; the highlight
    // colour is the desktop's colour for the active selection and title, the
    // nearest there is.
    QLinearGradient gradient(band.bottomLeft(), band.topLeft());
    gradient.setColorAt(0.0, Qt::black);
    gradient.setColorAt(1.0, palette().color(QPalette::Active, QPalette::Highlight));
    painter.fillRect(band, gradient);

    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(kStripWidth - 9);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.translate(band.left(), band.bottom());
    painter.rotate(-90);
    // In the rotated frame x runs up the band and y across it.
    const QRect text(6, 0, band.height() - 6, kStripWidth);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, StripCaption());
}

}  // namespace tarnwick
