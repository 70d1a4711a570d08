// The application folder: where main.ini, the language files, Scripts/, the
// bundled libraries and the help document live.
//
// It is, in this order of precedence:
//  - the folder named by the environment variable TARNWICK_HOME (tests, or a
//    user who keeps several set-ups);
//  - the folder of the shipped files (the executable's folder in a build,
//    <prefix>/share/tarnwick for an installed copy: BundledFilesFolder), when
//    the program may write there (a build folder, a copy unpacked in the
//    user's files);
//  - otherwise (an installed copy) a per-user folder, $XDG_DATA_HOME/tarnwick
//    or ~/.local/share/tarnwick, created when needed and filled with a copy of
//    every shipped file that it lacks. Files already there are the user's and
//    are never replaced.
#pragma once

#include <filesystem>
#include <string>

namespace tarnwick {

std::filesystem::path ApplicationFolder();

// What the choice is made from; ApplicationFolder takes these from the
// environment and the running executable.
struct TAppFolderSources {
    std::string Home;         // TARNWICK_HOME
    std::filesystem::path ExecutableFolder;  // where the shipped files are
    bool ExecutableFolderWritable = true;
    std::string XdgDataHome;  // XDG_DATA_HOME
    std::string UserHome;     // HOME
};

// The application folder for `sources`, filling the per-user folder when that
// is the one chosen. When no per-user folder can be made, the executable's
// folder is used as it is.
std::filesystem::path ChooseApplicationFolder(const TAppFolderSources& sources);

// Copies into `target` each bundled file of `bundle` that `target` lacks:
// regular files that are not executable, and the contents of sub-folders in
// the same way. A file that cannot be copied is left out; the program then
// finds it missing as it would any other file.
void FillFromBundle(const std::filesystem::path& bundle, const std::filesystem::path& target);

}  // namespace tarnwick
