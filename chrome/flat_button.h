// TFlatButton: a toolbar button drawn flat until the mouse is over it, with a
// picture above its caption. It never takes the keyboard focus, so clicking it
// leaves the focus (and any pending auto-save) where it was. It reports the
// mouse entering and leaving, which the main window uses for status hints, and
// carries a Tag number that tells the buttons apart in shared handlers.
#pragma once

#include <QToolButton>

namespace tarnwick {

class TFlatButton : public QToolButton {
    Q_OBJECT
public:
    explicit TFlatButton(int tag, QWidget* parent = nullptr);

    int Tag() const { return tag_; }

signals:
    void MouseEnter(tarnwick::TFlatButton* button);
    void MouseLeave(tarnwick::TFlatButton* button);

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    int tag_;
};

}  // namespace tarnwick
