// TMemoMessages: the message boxes the editor control shows itself (search
// not found, the regular-expression error box, the replace confirmation).
// They go through the host's TPrompt when it gave one, so the program and
// tests answer them; without one the control shows Qt boxes of its own.
#pragma once

#include "chrome/prompt.h"

#include <QString>

class QWidget;

namespace tarnwick {

class TMemoMessages {
public:
    // Not owned; null = the control's own boxes.
    TPrompt* Prompt = nullptr;

    void Message(QWidget* owner, const QString& text);
    // The error box of a bad expression: message, pattern and a line with
    // "^" under the fault, shown in a fixed-pitch font so the caret lines up.
    void ExpressionError(QWidget* owner, const QString& text);
    // A Yes/No question shown near `near` (the dialog that asked); true for
    // Yes. Closing the box answers No.
    bool Confirm(QWidget* near, const QString& text);
};

} // namespace tarnwick
