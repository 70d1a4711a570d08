// TCodePaneHost: the place in the main window where the code pane sits. It
// is an empty, white panel until the editor control is built into it; it holds
// no text and no editing behaviour of its own.
#pragma once

#include <QFrame>

namespace tarnwick {

class TCodePaneHost : public QFrame {
    Q_OBJECT
public:
    explicit TCodePaneHost(QWidget* parent = nullptr);
};

}  // namespace tarnwick
