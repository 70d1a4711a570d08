// TApplication: the application object. It owns the prompt every window
// shows its message boxes and dialogs through, and it is the standard error
// handler: an exception that escapes an event handler (a menu command, a tree
// click, ...) is caught in notify, its message is shown in an error box, and
// the command that raised it ends there while the program runs on.
#pragma once

#include "chrome/prompt.h"

#include <QApplication>

#include <exception>
#include <memory>

namespace tarnwick {

class TApplication : public QApplication {
    Q_OBJECT
public:
    // The program's title, shown in message boxes and the task list.
    static constexpr const char* kTitle = "Tarnwick Version 2.41";
    // The help document opened by the Help commands, in the application folder.
    static constexpr const char* kHelpFile = "Tarnwick.html";

    // Installs TQtPrompt; `argc` must outlive the application, as Qt requires.
    TApplication(int& argc, char** argv);
    ~TApplication() override;

    static TApplication* Instance();

    TPrompt& Prompt() { return *prompt_; }
    // Replaces the prompt (tests install a scripted double). Null is ignored.
    void SetPrompt(std::unique_ptr<TPrompt> prompt);

    // Shows the message of an exception in the standard error box.
    void HandleException(const std::exception& error);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    std::unique_ptr<TPrompt> prompt_;
};

}  // namespace tarnwick
