// A start that ends by itself, for the check of an installed copy: with the
// environment variable TARNWICK_QUIT_AFTER_START set, every message box of
// the start-up is dismissed as if the user pressed Escape, and the main window
// is closed as soon as the event loop runs, so that the program goes through
// its whole start and shutdown (settings read and written) without a user.
#pragma once

class QTimer;

namespace tarnwick {

// Does nothing and returns null unless TARNWICK_QUIT_AFTER_START is set and
// not empty. Call it once the application object exists and before the main
// window is made. The returned timer belongs to the application object.
QTimer* ArmQuitAfterStart();

}  // namespace tarnwick
