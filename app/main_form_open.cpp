// TMainForm: creating a library with the new-library dialog and registering
// it under File > Open.
#include "app/main_form.h"

#include "app/code_pane_host.h"
#include "app/new_library_dialog.h"
#include "chrome/ansi_text.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <QMenu>

namespace tarnwick {

void TMainForm::File2Click()
{
    TfrmNew dialog(*this, prompt_);
    dialog.exec();
}

void TMainForm::RegisterAndOpenLibrary(const std::string& title, const std::string& indexFile)
{
    // Registered libraries are looked up in the program's folder by their
    // file name alone.
    ProfileWriteString(SettingsFile(), "Files", title, ExtractFileName(indexFile));
    // A title registered before now names the new library; its old item
    // stays in the menu until the next start.
    libraryTitles_.push_back(title);
    OpenLibraryItem(AddOpenItem(title));
    Expandallnodes1Click();
}

void TMainForm::ForgetOpenSnippet()
{
    // The pane and the title it saves to change together: nothing typed now
    // goes to a title of the library shown before (an edit of that title was
    // auto-saved when the File menu opened, or is given up as a click on
    // another title gives it up).
    Memo1->Clear();
    dirty_ = false;
    btnSave->setEnabled(false);
    currentCategory_.clear();
    currentTitle_.clear();
    loadedText_.clear();
}

}  // namespace tarnwick
