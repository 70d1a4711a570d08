// TMainForm, File > Import: choosing the source library, running the import
// dialog and committing what it queued to the current library.
#include "app/main_form.h"

#include "app/import/imp_form.h"
#include "app/language_file.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "library/library_format.h"
#include "library/library_host.h"
#include "library/library_store.h"
#include "platform/file_names.h"

#include <QCoreApplication>
#include <QFile>
#include <QMenu>

namespace tarnwick {

namespace {

// The main window as the store sees it while an import is committed.
class TImportCommitHost : public TLibraryHost {
public:
    explicit TImportCommitHost(TMainForm& form) : form_(form) {}

    std::string StatusText(int panel) const override
    {
        return QtToAnsi(form_.StatusBar1->PanelText(panel));
    }
    void SetStatusText(int panel, const std::string& text) override
    {
        form_.StatusBar1->SetPanelText(panel, AnsiToQt(text));
    }
    std::string LanguageString(int n) const override
    {
        return std::string(StringAt(form_.LanguageStrings(), static_cast<size_t>(n)));
    }
    void ProcessMessages() override { QCoreApplication::processEvents(); }
    void LoadSettings() override { form_.LoadSettings(); }

private:
    TMainForm& form_;
};

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code error;
    if (std::filesystem::equivalent(a, b, error))
        return true;
    const auto canonicalA = std::filesystem::weakly_canonical(a, error);
    const auto canonicalB = std::filesystem::weakly_canonical(b, error);
    return !error && canonicalA == canonicalB;
}

// Whether the source index file names the library open as the destination:
// its index file or its data file is the same file.
bool IsCurrentLibrary(const std::string& sourceIndex, const std::string& currentIndex)
{
    if (currentIndex.empty())
        return false;
    return SameFile(ResolveFileName(sourceIndex), ResolveFileName(currentIndex)) ||
           SameFile(ResolveFileName(DataFileName(sourceIndex)),
                    ResolveFileName(DataFileName(currentIndex)));
}

// One line per record the commit found no source entry for.
std::string SkippedRecords(const std::vector<std::string>& records)
{
    std::string list;
    for (const std::string& record : records)
        list += std::string(GetField(record, ";", 5)) + " / " +
                std::string(GetField(record, ";", 6)) + '\r';
    return list;
}

}  // namespace

void TMainForm::Import1Click()
{
    TFileDialogSpec request;
    request.Title = QStringLiteral("Import DAT files");
    request.Filter = QStringLiteral("Tarnwick files (*.dat *.DAT)");
    const std::optional<QString> chosen = prompt_.OpenFileName(request);
    if (!chosen)
        return;

    TImportSetup setup;
    setup.SourceIndex = std::filesystem::path(QFile::encodeName(*chosen).toStdString())
                            .replace_extension(".ini")
                            .string();
    setup.DestinationIndex = currentLibrary_.string();
    // Reading and appending the same two files at once would import the
    // library into itself; refused before anything is shown.
    if (IsCurrentLibrary(setup.SourceIndex, setup.DestinationIndex)) {
        prompt_.ShowMessage(QStringLiteral("\"%1\" is the library open now. A library cannot "
                                           "be imported into itself: open another library "
                                           "first, or choose another file to import.")
                                .arg(*chosen));
        return;
    }
    setup.LanguageFile = TLanguageFile::Locate(appFolder_).string();
    setup.Strings = languageStrings_;
    setup.EditCaption = Edit2->title();
    setup.CopyCaption = Copy1->text();
    setup.UndoCaption = Undo1->text();

    TImportList importList;
    bool ok = false;
    {
        TfrmImp dialog(prompt_, treeImages_, std::move(setup), importList, this);
        dialog.exec();
        ok = dialog.OkFlag();
    }
    if (!ok)
        return;
    TImportCommitHost host(*this);
    const std::vector<std::string> skipped =
        TLibraryStore(currentLibrary_.string(), host).CommitImport(importList);
    if (!skipped.empty())
        prompt_.ShowMessage(AnsiToQt(SkippedMessage(languageStrings_, SkippedRecords(skipped))));
}

}  // namespace tarnwick
