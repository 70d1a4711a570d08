// TKeyCaptureEdit: a box that shows the key combination last pressed in it
// ("Ctrl+K", "Shift+F3") instead of typing. Used by the key-assignment
// wizard and by the template hotkey. Every key is taken, Tab and Escape
// included; modifier keys alone change nothing.
#pragma once

#include "platform/keys.h"

#include <QLineEdit>

namespace tarnwick {

class TKeyCaptureEdit : public QLineEdit {
    Q_OBJECT
public:
    // With `plainKeys` the modifiers are dropped (second keys of a
    // sequence never carry them).
    explicit TKeyCaptureEdit(bool plainKeys, QWidget* parent = nullptr);

    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    void Clear() { SetShortCut(0); }

signals:
    void ShortCutChanged(TShortCut shortCut);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TShortCut shortCut_ = 0;
    bool plainKeys_;
};

}  // namespace tarnwick
