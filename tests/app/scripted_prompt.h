// A TPrompt for tests: records every box shown and answers dialogs from
// what the test queued (cancel when nothing is queued).
#pragma once

#include "chrome/prompt.h"

#include <QPrinter>
#include <QStringList>

#include <deque>
#include <vector>

namespace tarnwick::test {

class TScriptedPrompt : public TPrompt {
public:
    QStringList Messages;
    QStringList Errors;
    QStringList Questions;
    std::deque<TPromptAnswer> Answers;
    std::deque<QString> FileNames;
    std::deque<TFontChoice> Fonts;
    // Answers of the print and page-setup dialogs, true = confirmed;
    // PrintRanges records the range each print dialog was opened with.
    std::deque<bool> PrintAnswers;
    std::deque<bool> PageSetupAnswers;
    std::vector<int> PrintRanges;

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
    bool PrintDialog(QPrinter& printer) override
    {
        PrintRanges.push_back(static_cast<int>(printer.printRange()));
        return NextAnswer(PrintAnswers);
    }
    bool PageSetupDialog(QPrinter&) override { return NextAnswer(PageSetupAnswers); }

private:
    static bool NextAnswer(std::deque<bool>& answers)
    {
        if (answers.empty())
            return false;
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
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
