// TMainForm, printing: page setup, the Print submenu and its three plain
// prints (Selected code, Category, All).
//
// Where a print has nothing to print (no node selected, a category without
// titles, an empty library) it prints nothing and says why in the status
// bar. Every fault stops the print with the error box; the library is only
// read.
#include "app/main_form.h"

#include "app/booklet/booklet.h"
#include "app/code_pane_host.h"
#include "app/printing/plain_print.h"
#include "app/printing/print_setup.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "scheme/code_memo_parser.h"
#include "chrome/wait_cursor.h"

#include <QMenu>
#include <QPrinter>
#include <QTreeWidgetItem>

namespace tarnwick {

namespace {

constexpr int kStatusMessageTime = 8000;  // milliseconds

// The header of a category: the label and the name in upper case, letters
// of the code page included.
std::string CategoryHeader(const std::string& category)
{
    return QtToAnsi(AnsiToQt(std::string(kCategoryLabel) + category).toUpper());
}

TPlainPrintJob PlainPrintJob(TMainForm& form)
{
    return {&form.PrintSetup().Printer(), form.Memo1->Editor().font(), form.PrintSetup().Offsets(),
            TMainForm::kCaption, form.AppFolder() / kWorkFileName};
}

// With no printer on the system the plain prints write a PDF file; its name
// is asked for each print, so that no print overwrites an earlier one
// unasked. False when the user cancels.
bool ChoosePdfFile(TPrompt& prompt, QPrinter& printer, const QString& suggestion)
{
    if (!NeedsPdfFileName(printer))
        return true;
    const auto file = prompt.SaveFileName({QStringLiteral("Print to PDF file"),
                                           QStringLiteral("PDF files (*.pdf)"),
                                           QStringLiteral("pdf"),
                                           suggestion + QStringLiteral(".pdf"),
                                           {}});
    if (file)
        printer.setOutputFileName(*file);
    return file.has_value();
}

// Gives a PDF printer its file name back once the print is over.
class TPdfFileReset {
public:
    explicit TPdfFileReset(QPrinter& printer) : printer_(printer), reset_(NeedsPdfFileName(printer))
    {
    }
    ~TPdfFileReset()
    {
        if (reset_)
            printer_.setOutputFileName({});
    }
    TPdfFileReset(const TPdfFileReset&) = delete;
    TPdfFileReset& operator=(const TPdfFileReset&) = delete;

private:
    QPrinter& printer_;
    bool reset_;
};

}  // namespace

void TMainForm::ConnectPrintHandlers()
{
    HighlightedBooklet1 = AddItem(Print1, QStringLiteral("Highlighted booklet\u2026"));
    connect(Pagesetup1, &QAction::triggered, this, &TMainForm::Pagesetup1Click);
    connect(Print1, &QMenu::aboutToShow, this, &TMainForm::Print1Click);
    connect(SelectedCode1, &QAction::triggered, this, &TMainForm::SelectedCode1Click);
    connect(Category2, &QAction::triggered, this, &TMainForm::Category2Click);
    connect(All1, &QAction::triggered, this, &TMainForm::All1Click);
    connect(HighlightedBooklet1, &QAction::triggered, this, &TMainForm::HighlightedBooklet1Click);
}

TPrintSetup& TMainForm::PrintSetup()
{
    if (!printSetup_)
        printSetup_ = std::make_unique<TPrintSetup>();
    return *printSetup_;
}

void TMainForm::ShowNothingPrinted(const QString& reason)
{
    StatusBar1->showMessage(QStringLiteral("Nothing printed: ") + reason, kStatusMessageTime);
}

void TMainForm::Pagesetup1Click()
{
    if (prompt_.PageSetupDialog(PrintSetup().Printer()))
        PrintSetup().ConfirmPageSetup();
}

void TMainForm::Print1Click()
{
    const QTreeWidgetItem* node = TreeView1->currentItem();
    SelectedCode1->setEnabled(node != nullptr && node->parent() != nullptr);
}

void TMainForm::SelectedCode1Click()
{
    const QTreeWidgetItem* node = TreeView1->currentItem();
    if (node == nullptr || node->parent() == nullptr) {
        ShowNothingPrinted(QStringLiteral("select a title to print its code"));
        return;
    }
    try {
        const std::string text =
            SelectedCodeText(kCaption, CategoryHeader(QtToAnsi(node->parent()->text(0))),
                             QtToAnsi(node->text(0)), Memo1->Text());
        QPrinter& printer = PrintSetup().Printer();
        printer.setPrintRange(QPrinter::Selection);
        const bool confirmed = prompt_.PrintDialog(printer);
        printer.setPrintRange(QPrinter::AllPages);
        if (!confirmed)
            return;
        const TWaitCursor wait;
        PrintSelectedCode(PlainPrintJob(*this), text);
    }
    catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
    }
}

void TMainForm::Category2Click()
{
    const QTreeWidgetItem* node = TreeView1->currentItem();
    if (node == nullptr) {
        ShowNothingPrinted(QStringLiteral("no category is selected"));
        return;
    }
    if (node->childCount() == 0 && node->parent() != nullptr)
        node = node->parent();
    const std::string category = QtToAnsi(node->text(0));
    try {
        const std::string prefix = LanguageString(17);
        QPrinter& printer = PrintSetup().Printer();
        const TPdfFileReset reset(printer);
        if (!ChoosePdfFile(prompt_, printer, node->text(0)))
            return;
        const TWaitCursor wait;
        if (!PrintCategory(PlainPrintJob(*this), currentLibrary_.string(), category,
                           CategoryHeader(category), prefix))
            ShowNothingPrinted(QStringLiteral("the category ") + node->text(0) +
                               QStringLiteral(" has no titles"));
    }
    catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
    }
}

void TMainForm::All1Click()
{
    try {
        const std::string prefix = LanguageString(12);
        QPrinter& printer = PrintSetup().Printer();
        const TPdfFileReset reset(printer);
        if (!ChoosePdfFile(prompt_, printer, QStringLiteral("Library")))
            return;
        const TWaitCursor wait;
        if (!PrintAll(PlainPrintJob(*this), currentLibrary_.string(), CategoryHeader, prefix))
            ShowNothingPrinted(QStringLiteral("the library has no categories"));
    }
    catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
    }
}

void TMainForm::HighlightedBooklet1Click()
{
    // With a node selected the user chooses between its category and the
    // whole library; with none the booklet holds the whole library.
    std::string category;
    if (const QTreeWidgetItem* node = TreeView1->currentItem()) {
        if (node->parent() != nullptr)
            node = node->parent();
        const QString question = QStringLiteral("Make the booklet of the category %1 only?\n"
                                                "(No: the whole library)")
                                     .arg(node->text(0));
        if (prompt_.Ask(question, TPromptButtons::YesNo) == TPromptAnswer::Yes)
            category = QtToAnsi(node->text(0));
    }
    try {
        const std::vector<TBookletEntry> entries =
            BookletEntries(currentLibrary_.string(), category);
        if (entries.empty()) {
            ShowNothingPrinted(category.empty() ? QStringLiteral("the library has no titles")
                                                : QStringLiteral("the category has no titles"));
            return;
        }
        const QString suggestion =
            category.empty() ? QStringLiteral("Library") : AnsiToQt(category);
        const auto file = prompt_.SaveFileName({QStringLiteral("Save highlighted booklet"),
                                                QStringLiteral("PDF files (*.pdf)"),
                                                QStringLiteral("pdf"),
                                                suggestion + QStringLiteral(".pdf"),
                                                {}});
        if (!file)
            return;
        const TWaitCursor wait;
        TBookletOptions options;
        options.Scheme = ActiveParser.get();
        const QFont font = Memo1->Editor().font();
        options.FontName = QtToAnsi(font.family());
        options.FontSize = font.pointSize();
        options.Caption = kCaption;
        WriteBookletPdf(file->toStdString(), entries, options);
        StatusBar1->showMessage(QStringLiteral("Highlighted booklet of %1 snippets written to %2")
                                    .arg(entries.size())
                                    .arg(*file),
                                kStatusMessageTime);
    }
    catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
    }
}

}  // namespace tarnwick
