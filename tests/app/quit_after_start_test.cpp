// The self-ending start used to check an installed copy: message boxes shown
// while the window is made and while it closes are dismissed, and the event
// loop ends.
#include "app/quit_after_start.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace tarnwick {
namespace {

// A main window stand-in that asks a question when it closes, as a window
// whose settings cannot be written shows an error box then.
class BoxOnClose : public QWidget {
public:
    int boxesAnswered = 0;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        QMessageBox::information(this, "close", "shown while closing");
        ++boxesAnswered;
        QWidget::closeEvent(event);
    }
};

TEST(QuitAfterStart, DoesNothingWithoutTheVariable)
{
    qunsetenv("TARNWICK_QUIT_AFTER_START");
    EXPECT_EQ(ArmQuitAfterStart(), nullptr);
}

TEST(QuitAfterStart, DismissesBoxesOfStartAndCloseThenEndsTheLoop)
{
    qputenv("TARNWICK_QUIT_AFTER_START", "1");
    std::unique_ptr<QTimer> timer(ArmQuitAfterStart());
    qunsetenv("TARNWICK_QUIT_AFTER_START");
    ASSERT_NE(timer, nullptr);

    // A box during start-up, before the event loop runs, as the first-run
    // message is shown while the main window is made.
    QMessageBox::information(nullptr, "start", "shown while starting");
    BoxOnClose window;
    window.show();
    // A guard that ends a hang as a failure instead of blocking the tests.
    bool guardFired = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] {
        guardFired = true;
        QApplication::exit(1);
    });
    guard.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(guardFired);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.boxesAnswered, 1);
}

}  // namespace
}  // namespace tarnwick
