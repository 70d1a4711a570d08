#include "app/main_form_store_host.h"

#include "app/main_form.h"
#include "chrome/ansi_text.h"

#include <QCoreApplication>

namespace tarnwick {

std::string TMainFormStoreHost::StatusText(int panel) const
{
    return QtToAnsi(form_.StatusBar1->PanelText(panel));
}

void TMainFormStoreHost::SetStatusText(int panel, const std::string& text)
{
    form_.StatusBar1->SetPanelText(panel, AnsiToQt(text));
}

std::string TMainFormStoreHost::LanguageString(int n) const
{
    return form_.LanguageString(static_cast<size_t>(n));
}

void TMainFormStoreHost::ProcessMessages()
{
    QCoreApplication::processEvents();
}

void TMainFormStoreHost::DeleteSelectedNode()
{
    delete form_.TreeView1->currentItem();
}

void TMainFormStoreHost::RefreshCounts()
{
    form_.ShowCounts();
}

}  // namespace tarnwick
