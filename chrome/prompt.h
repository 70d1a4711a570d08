// TPrompt: every modal interaction of the windows with the user — message
// boxes, questions, and the open, save, font, colour, print and page-setup
// dialogs — goes through this one interface. The program uses TQtPrompt;
// tests substitute a scripted double that records what was shown and answers
// as told.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <optional>

class QPrinter;

namespace tarnwick {

enum class TPromptAnswer { Ok, Yes, No, Retry, Cancel };

enum class TPromptButtons { YesNo, RetryCancel };

// What an open or save dialog starts with. `Filter` uses Qt's notation
// ("INI Files (*.ini)").
struct TFileDialogSpec {
    QString Title;
    QString Filter;
    QString DefaultExtension;  // without the dot; appended when the user gives none
    QString InitialName;
    QString Folder;
};

// A font as the font dialog edits it: the font itself with its style, plus
// the text colour and the character set the settings file keeps.
struct TFontChoice {
    QFont Font;
    QColor Colour;
    int Charset = 1;
};

class TPrompt {
public:
    virtual ~TPrompt() = default;

    // A plain message box with an OK button.
    virtual void ShowMessage(const QString& text) = 0;
    // The standard error box: a fault that stopped the command.
    virtual void ShowError(const QString& text) = 0;
    // A question with the given buttons; closing the box answers No or Cancel.
    virtual TPromptAnswer Ask(const QString& text, TPromptButtons buttons) = 0;

    // Each returns nothing when the user cancels.
    virtual std::optional<QString> OpenFileName(const TFileDialogSpec& request) = 0;
    virtual std::optional<QString> SaveFileName(const TFileDialogSpec& request) = 0;
    virtual std::optional<TFontChoice> ChooseFont(const TFontChoice& initial) = 0;
    virtual std::optional<QColor> ChooseColour(const QColor& initial) = 0;
    // Run on `printer`'s settings; true when the user confirmed. A printer
    // whose print range is Selection is offered that range only.
    virtual bool PrintDialog(QPrinter& printer) = 0;
    virtual bool PageSetupDialog(QPrinter& printer) = 0;
};

}  // namespace tarnwick
