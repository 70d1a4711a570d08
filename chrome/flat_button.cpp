#include "chrome/flat_button.h"

namespace tarnwick {

TFlatButton::TFlatButton(int tag, QWidget* parent) : QToolButton(parent), tag_(tag)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(20, 20));
}

void TFlatButton::enterEvent(QEnterEvent* event)
{
    QToolButton::enterEvent(event);
    emit MouseEnter(this);
}

void TFlatButton::leaveEvent(QEvent* event)
{
    QToolButton::leaveEvent(event);
    emit MouseLeave(this);
}

}  // namespace tarnwick
