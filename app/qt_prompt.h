// TQtPrompt: the program's own TPrompt, showing Qt's standard dialogs over
// the window it was given (or the active window).
#pragma once

#include "chrome/prompt.h"

#include <QPointer>
#include <QWidget>

namespace tarnwick {

class TQtPrompt : public TPrompt {
public:
    // Dialogs are centred over `owner` when it is set.
    void SetOwner(QWidget* owner) { owner_ = owner; }

    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    TPromptAnswer Ask(const QString& text, TPromptButtons buttons) override;
    std::optional<QString> OpenFileName(const TFileDialogSpec& request) override;
    std::optional<QString> SaveFileName(const TFileDialogSpec& request) override;
    std::optional<TFontChoice> ChooseFont(const TFontChoice& initial) override;
    std::optional<QColor> ChooseColour(const QColor& initial) override;
    bool PrintDialog(QPrinter& printer) override;
    bool PageSetupDialog(QPrinter& printer) override;

private:
    QWidget* Owner() const;
    QPointer<QWidget> owner_;
};

}  // namespace tarnwick
