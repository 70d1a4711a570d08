// TWaitCursor: the hourglass over the whole application for as long as the
// guard lives, also when the work it guards raises.
#pragma once

#include <QGuiApplication>

namespace tarnwick {

class TWaitCursor {
public:
    TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;
};

}  // namespace tarnwick
