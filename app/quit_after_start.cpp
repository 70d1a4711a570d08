#include "app/quit_after_start.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace tarnwick {

void ArmQuitAfterStart()
{
    if (qEnvironmentVariableIsEmpty("TARNWICK_QUIT_AFTER_START"))
        return;
    // A repeating timer: while the main window is being made it fires only
    // inside the nested loop of a modal box, which it closes; the first time
    // it fires with no modal box open, the start is over and the program ends.
    auto* timer = new QTimer(qApp);
    timer->setInterval(50);
    QObject::connect(timer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
            return;
        }
        QApplication::closeAllWindows();
        QApplication::quit();
    });
    timer->start();
}

}  // namespace tarnwick
