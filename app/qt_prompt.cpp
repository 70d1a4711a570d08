#include "app/qt_prompt.h"

#include "app/printing/page_setup_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace tarnwick {

QWidget* TQtPrompt::Owner() const
{
    if (owner_)
        return owner_.data();
    return QApplication::activeWindow();
}

void TQtPrompt::ShowMessage(const QString& text)
{
    QMessageBox::information(Owner(), QApplication::applicationDisplayName(), text);
}

void TQtPrompt::ShowError(const QString& text)
{
    QMessageBox::critical(Owner(), QApplication::applicationDisplayName(), text);
}

TPromptAnswer TQtPrompt::Ask(const QString& text, TPromptButtons buttons)
{
    const QString title = QApplication::applicationDisplayName();
    if (buttons == TPromptButtons::RetryCancel) {
        const auto answer = QMessageBox::critical(Owner(), title, text,
                                                  QMessageBox::Retry | QMessageBox::Cancel);
        return answer == QMessageBox::Retry ? TPromptAnswer::Retry : TPromptAnswer::Cancel;
    }
    const auto answer =
        QMessageBox::question(Owner(), title, text, QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Yes ? TPromptAnswer::Yes : TPromptAnswer::No;
}

namespace {

std::optional<QString> RunFileDialog(QWidget* owner, const TFileDialogSpec& request,
                                     QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(owner, request.Title, request.Folder, request.Filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (!request.DefaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.DefaultExtension);
    if (!request.InitialName.isEmpty())
        dialog.selectFile(request.InitialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace

std::optional<QString> TQtPrompt::OpenFileName(const TFileDialogSpec& request)
{
    return RunFileDialog(Owner(), request, QFileDialog::AcceptOpen);
}

std::optional<QString> TQtPrompt::SaveFileName(const TFileDialogSpec& request)
{
    return RunFileDialog(Owner(), request, QFileDialog::AcceptSave);
}

std::optional<TFontChoice> TQtPrompt::ChooseFont(const TFontChoice& initial)
{
    // Qt's font dialog has no colour or script choice; both keep their
    // initial values.
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial.Font, Owner());
    if (!ok)
        return std::nullopt;
    TFontChoice choice = initial;
    choice.Font = font;
    return choice;
}

std::optional<QColor> TQtPrompt::ChooseColour(const QColor& initial)
{
    const QColor colour = QColorDialog::getColor(initial, Owner());
    if (!colour.isValid())
        return std::nullopt;
    return colour;
}

bool TQtPrompt::PrintDialog(QPrinter& printer)
{
    QPrintDialog dialog(&printer, Owner());
    // A print of the selection offers that range only, already chosen.
    if (printer.printRange() == QPrinter::Selection) {
        dialog.setOptions(QAbstractPrintDialog::PrintSelection | QAbstractPrintDialog::PrintToFile |
                          QAbstractPrintDialog::PrintShowPageSize);
        dialog.setPrintRange(QAbstractPrintDialog::Selection);
    }
    return dialog.exec() == QDialog::Accepted;
}

bool TQtPrompt::PageSetupDialog(QPrinter& printer)
{
    TPageSetupDialog dialog(printer, Owner());
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tarnwick
