// A TPrompt for tests: records every box shown and answers dialogs from
// what the test queued (cancel when nothing is queued).
#pragma once

#include "chrome/prompt.h"

#include <QStringList>

#include <deque>

namespace tarnwick::test {

class TScriptedPrompt : public TPrompt {
public:
    QStringList Messages;
    QStringList Errors;
    QStringList Questions;
    std::deque<TPromptAnswer> Answers;
    std::deque<QString> FileNames;
    std::deque<TFontChoice> Fonts;

    void ShowMessage(const QString& text) override { Messages << text; }
    void ShowError(const QString& text) override { Errors << text; }
    TPromptAnswer Ask(const QString& text, TPromptButtons buttons) override
    {
        Questions << text;
        if (Answers.empty())
            return buttons == TPromptButtons::YesNo ? TPromptAnswer::No : TPromptAnswer::Cancel;
        const TPromptAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    std::optional<QString> OpenFileName(const TFileDialogSpec&) override { return NextFile(); }
    std::optional<QString> SaveFileName(const TFileDialogSpec&) override { return NextFile(); }
    std::optional<TFontChoice> ChooseFont(const TFontChoice&) override
    {
        if (Fonts.empty())
            return std::nullopt;
        TFontChoice choice = Fonts.front();
        Fonts.pop_front();
        return choice;
    }
    std::optional<QColor> ChooseColour(const QColor&) override { return std::nullopt; }
    bool PrintDialog(QPrinter&) override { return false; }
    bool PageSetupDialog(QPrinter&) override { return false; }

private:
    std::optional<QString> NextFile()
    {
        if (FileNames.empty())
            return std::nullopt;
        QString name = FileNames.front();
        FileNames.pop_front();
        return name;
    }
};

}  // namespace tarnwick::test
