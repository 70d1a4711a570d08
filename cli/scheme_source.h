// How tarnwick-cli commands name a scheme: "--builtin" for the built-in
// Object Pascal scheme, otherwise a compiled scheme file. Every command that
// reads a scheme loads it here.
#pragma once

#include <string>
#include <vector>

namespace tarnwick {
class TCodeMemoParser;
}

namespace tarnwick::cli {

// Loads the named scheme. A file's scheme is named after the file, so load
// errors name it; a file too old to read raises the notice it gave. A name
// starting with "-" (other than --builtin) is a usage error.
void LoadSchemeArgument(const std::string& name, TCodeMemoParser& scheme);

// A command line of one scheme name and an optional "--ide VERSION": loads
// the scheme, then takes that Delphi version's highlight settings
// (SetToDelphi) when asked.
void LoadSchemeWithIdeOption(const std::vector<std::string>& args, TCodeMemoParser& scheme);

}  // namespace tarnwick::cli
