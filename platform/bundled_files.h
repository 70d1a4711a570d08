// Where the files shipped with the program (language files, Scripts/, the
// sample library, the bundled main.ini, the help document) are found.
//
// A build folder keeps them beside the executables. An installed copy keeps
// the executables in <prefix>/bin and the shipped files in
// <prefix>/share/tarnwick, so that the package follows the file-system
// layout every Linux distribution uses; the folder is found from the
// executable's own location, which makes the install relocatable (a prefix
// under the user's home works as /usr does).
#pragma once

#include <filesystem>

namespace tarnwick {

// The folder of the running executable (the current folder when the
// executable's path cannot be read).
std::filesystem::path ExecutableFolder();

// The bundled-files folder for an executable in `executableFolder`:
// `executableFolder`/../share/tarnwick when that is a folder, otherwise
// `executableFolder` itself.
std::filesystem::path BundledFilesFolder(const std::filesystem::path& executableFolder);

// BundledFilesFolder(ExecutableFolder()).
std::filesystem::path BundledFilesFolder();

}  // namespace tarnwick
