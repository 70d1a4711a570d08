// The application folder: where main.ini, the language files, Scripts/, the
// bundled libraries and the help document live. It is the executable's folder
// unless the environment variable TARNWICK_HOME names another (tests, installs).
#pragma once

#include <filesystem>

namespace tarnwick {

std::filesystem::path ApplicationFolder();

}  // namespace tarnwick
