#include "app/code_pane_host.h"

namespace tarnwick {

TCodePaneHost::TCodePaneHost(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Memo1"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Base));
    setPalette(pal);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumWidth(50);
}

}  // namespace tarnwick
