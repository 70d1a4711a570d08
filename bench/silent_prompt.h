// A prompt for the window benchmarks: answers every dialog with Cancel and
// shows nothing.
#pragma once

#include "chrome/prompt.h"

namespace tarnwick::bench {

class TSilentPrompt : public TPrompt {
public:
    void ShowMessage(const QString&) override {}
    void ShowError(const QString&) override {}
    TPromptAnswer Ask(const QString&, TPromptButtons) override { return TPromptAnswer::Cancel; }
    std::optional<QString> OpenFileName(const TFileDialogSpec&) override { return {}; }
    std::optional<QString> SaveFileName(const TFileDialogSpec&) override { return {}; }
    std::optional<TFontChoice> ChooseFont(const TFontChoice&) override { return {}; }
    std::optional<QColor> ChooseColour(const QColor&) override { return {}; }
    bool PrintDialog(QPrinter&) override { return false; }
    bool PageSetupDialog(QPrinter&) override { return false; }
};

}  // namespace tarnwick::bench
