// What the store operations ask of the window that drives them: status-bar
// panels, language strings, the Undo command, the dirty flag, the selected
// tree node, and re-applying the settings after an import. The store knows
// nothing of windows; the main window implements this interface, tests and
// the command line use the do-nothing base.
#pragma once

#include <string>

namespace tarnwick {

class TLibraryHost {
public:
    virtual ~TLibraryHost() = default;

    // Status-bar panel `panel` (0, 1 or 2).
    virtual std::string StatusText(int /*panel*/) const { return {}; }
    virtual void SetStatusText(int /*panel*/, const std::string& /*text*/) {}
    // Entry n of the active language file's Strings section.
    virtual std::string LanguageString(int /*n*/) const { return {}; }
    // Lets pending window messages be handled (the status bar repaints). The
    // store refuses any other operation on the same library meanwhile.
    virtual void ProcessMessages() {}

    // After SaveSnippet succeeded: the Undo command is disabled and the dirty
    // flag cleared.
    virtual void DisableUndo() {}
    virtual void ClearDirty() {}
    // After DeleteCategory removed the texts: the selected tree node (the
    // category's) is deleted, and later the counts of level-0 and deeper
    // nodes are shown in panels 0 and 1.
    virtual void DeleteSelectedNode() {}
    virtual void RefreshCounts() {}
    // After CommitImport: the settings are applied again (LoadSettings).
    virtual void LoadSettings() {}
};

// The shared do-nothing host.
TLibraryHost& NullLibraryHost();

}  // namespace tarnwick
