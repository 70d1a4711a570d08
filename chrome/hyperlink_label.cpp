#include "chrome/hyperlink_label.h"

#include <QMouseEvent>

namespace tarnwick {

THyperlinkLabel::THyperlinkLabel(const QString& caption, const QString& address, QWidget* parent)
    : QLabel(caption, parent), address_(address)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette pal = palette();
    pal.setColor(QPalette::WindowText, pal.color(QPalette::Link));
    setPalette(pal);
    setToolTip(address);
}

void THyperlinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    // Only a release over the label counts, as with a button.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit Activated(address_);
}

}  // namespace tarnwick
