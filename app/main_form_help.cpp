// TMainForm, part 5: the Help menu and the toolbar's Help and About buttons.
#include "app/about_box.h"
#include "app/application.h"
#include "app/help_window.h"
#include "app/main_form.h"
#include "chrome/prompt.h"

namespace tarnwick {

namespace {

void ShowHelpTopic(TMainForm& form, TPrompt& prompt, THelpTopic topic)
{
    const std::filesystem::path document = form.AppFolder() / TApplication::kHelpFile;
    if (!THelpWindow::ShowTopic(&form, document, topic))
        prompt.ShowError(QStringLiteral("Cannot find the help file %1")
                             .arg(QString::fromStdString(document.string())));
}

}  // namespace

void TMainForm::btnHelpClick()
{
    ShowHelpTopic(*this, prompt_, THelpTopic::Contents);
}

void TMainForm::Index1Click()
{
    ShowHelpTopic(*this, prompt_, THelpTopic::Index);
}

// The box does not block the window. While one is open, asking again brings
// it to the front instead of stacking a second one with its own timer.
void TMainForm::btnAboutClick()
{
    auto* box = findChild<TAboutBox*>(QString(), Qt::FindDirectChildrenOnly);
    // A box that was closed is on its way out (it frees itself).
    if (!box || !box->isVisible())
        box = new TAboutBox(this);
    box->show();
    box->raise();
    box->activateWindow();
}

}  // namespace tarnwick
