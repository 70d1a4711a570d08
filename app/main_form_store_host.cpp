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

// Nothing when the language file has no such entry: a missing file must not
// stop an edit or a save.
std::string TMainFormStoreHost::LanguageString(int n) const
{
    const auto index = static_cast<size_t>(n);
    return n >= 0 && index < form_.LanguageStrings().size() ? form_.LanguageString(index)
                                                            : std::string();
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

void TMainFormStoreHost::DisableUndo()
{
    form_.SetUndoEnabled(false);
}

void TMainFormStoreHost::ClearDirty()
{
    form_.dirty_ = false;
}

}  // namespace tarnwick
