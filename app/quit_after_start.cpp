#include "app/quit_after_start.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace tarnwick {

QTimer* ArmQuitAfterStart()
{
    if (qEnvironmentVariableIsEmpty("TARNWICK_QUIT_AFTER_START"))
        return nullptr;
    // A repeating timer: while the main window is being made it fires only
    // inside the nested loop of a modal box, which it closes. The first time
    // it fires with no modal box open, the start is over and the windows are
    // closed. Closing runs from its own event, not inside this slot, because a
    // timer does not fire again while its own slot is still running, and the
    // close may show a box (a settings file that cannot be written) the timer
    // must dismiss too.
    auto* timer = new QTimer(qApp);
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [closing = false]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
            return;
        }
        if (closing)
            return;
        closing = true;
        QTimer::singleShot(0, qApp, [] {
            QApplication::closeAllWindows();
            QApplication::quit();
        });
    });
    timer->start();
    return timer;
}

}  // namespace tarnwick
