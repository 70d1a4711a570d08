// The key combination box.
#include "editor/options/key_capture_edit.h"

#include "chrome/ansi_text.h"
#include "editor/qt_keys.h"

#include <QKeyEvent>

namespace tarnwick {

TKeyCaptureEdit::TKeyCaptureEdit(bool plainKeys, QWidget* parent)
    : QLineEdit(parent), plainKeys_(plainKeys)
{
    setReadOnly(true);
}

void TKeyCaptureEdit::SetShortCut(TShortCut shortCut)
{
    shortCut_ = shortCut;
    setText(AnsiToQt(ShortCutToText(shortCut)));
    emit ShortCutChanged(shortCut);
}

bool TKeyCaptureEdit::event(QEvent* event)
{
    // Tab and the dialog's shortcuts would otherwise never reach the box.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QLineEdit::event(event);
}

void TKeyCaptureEdit::keyPressEvent(QKeyEvent* event)
{
    event->accept();
    const uint16_t key = VirtualKeyFromQt(event->key(), event->modifiers());
    if (KeyName(key).empty())
        return;
    const TShiftState shift = plainKeys_ ? 0 : ShiftStateFromQt(event->modifiers());
    SetShortCut(tarnwick::ShortCut(key, shift));
}

}  // namespace tarnwick
