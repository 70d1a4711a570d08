// The tarnwick program: the application object with its standard error
// handler, and the main window.
#include "app/application.h"
#include "app/command_line.h"
#include "app/main_form.h"
#include "app/qt_prompt.h"
#include "app/quit_after_start.h"
#include "platform/app_folder.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv)
{
    if (const auto exitCode = tarnwick::AnswerInformationOptions(argc, argv))
        return *exitCode;
    tarnwick::TApplication app(argc, argv);
    const tarnwick::TCommandLine request = tarnwick::ParseCommandLine(argc, argv);
    if (const auto exitCode = tarnwick::AnswerCommandLine(request, std::cout, std::cerr))
        return *exitCode;
    tarnwick::ArmQuitAfterStart();
    try {
        tarnwick::TMainForm form(app.Prompt(), tarnwick::ApplicationFolder());
        if (auto* prompt = dynamic_cast<tarnwick::TQtPrompt*>(&app.Prompt()))
            prompt->SetOwner(&form);
        form.show();
        if (!request.Library.empty())
            form.OpenLibraryFromCommandLine(request.Library);
        return app.exec();
    } catch (const std::exception& error) {
        // A fault while the window is being created: there is no window to
        // run, but the user still learns why.
        app.HandleException(error);
        return 1;
    }
}
