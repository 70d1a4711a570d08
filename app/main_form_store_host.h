// TMainFormStoreHost: the main window as the library store sees it — the
// status-bar panels, the language strings, pending messages, the tree node a
// category deletion removes, and what a save turns off (Undo, the dirty
// flag).
#pragma once

#include "library/library_host.h"

namespace tarnwick {

class TMainForm;

class TMainFormStoreHost : public TLibraryHost {
public:
    explicit TMainFormStoreHost(TMainForm& form) : form_(form) {}

    std::string StatusText(int panel) const override;
    void SetStatusText(int panel, const std::string& text) override;
    std::string LanguageString(int n) const override;
    void ProcessMessages() override;
    void DeleteSelectedNode() override;
    void RefreshCounts() override;
    void DisableUndo() override;
    void ClearDirty() override;

private:
    TMainForm& form_;
};

}  // namespace tarnwick
