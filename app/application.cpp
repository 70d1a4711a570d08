#include "app/application.h"

#include "app/qt_prompt.h"
#include "chrome/ansi_text.h"
#include "platform/errors.h"

namespace tarnwick {

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), prompt_(std::make_unique<TQtPrompt>())
{
    setApplicationName(QStringLiteral("Tarnwick"));
    setApplicationDisplayName(QString::fromLatin1(kTitle));
}

TApplication::~TApplication() = default;

TApplication* TApplication::Instance()
{
    return qobject_cast<TApplication*>(QCoreApplication::instance());
}

void TApplication::SetPrompt(std::unique_ptr<TPrompt> prompt)
{
    if (prompt)
        prompt_ = std::move(prompt);
}

void TApplication::HandleException(const std::exception& error)
{
    // Our own faults carry code-page texts (file names, titles); a foreign
    // std::exception's text is treated the same way.
    prompt_->ShowError(AnsiToQt(error.what()));
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const Exception& error) {
        HandleException(error);
    } catch (const std::bad_alloc&) {
        prompt_->ShowError(QStringLiteral("Out of memory"));
    } catch (const std::exception& error) {
        HandleException(error);
    }
    // The event counts as handled: the command stopped where it failed.
    return true;
}

}  // namespace tarnwick
