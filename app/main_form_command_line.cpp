// TMainForm: opening the library named on the program's command line.
#include "app/main_form.h"

#include "chrome/ansi_text.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace tarnwick {

namespace {

// Stored library names are matched as the Windows version matched them:
// without regard to letter case.
bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b)
{
    return SameTextAscii(a.lexically_normal().string(), b.lexically_normal().string());
}

}  // namespace

void TMainForm::OpenLibraryFromCommandLine(const std::filesystem::path& indexFile)
{
    const std::string settings = SettingsFile();
    std::string title;
    for (const std::string& key : libraryTitles_) {
        const std::string value = ProfileReadString(settings, "Files", key, "");
        if (!value.empty() && SamePath(ResolveFileName(value, appFolder_), indexFile)) {
            title = key;
            break;
        }
    }
    if (title.empty()) {
        // A library not registered yet is registered under its file name,
        // numbered when another library already has that title.
        const std::string stem = indexFile.stem().string();
        title = stem.empty() ? "Library" : stem;
        for (int n = 2; std::find(libraryTitles_.begin(), libraryTitles_.end(), title) !=
                        libraryTitles_.end();
             ++n)
            title = stem + " (" + std::to_string(n) + ")";
        ProfileWriteString(settings, "Files", title, indexFile.string());
        libraryTitles_ = ProfileKeys(settings, "Files");
        BuildOpenMenu();
    }
    for (QAction* item : Open1->actions()) {
        if (QtToAnsi(item->data().toString()) == title) {
            OpenLibraryItem(item);
            return;
        }
    }
}

}  // namespace tarnwick
