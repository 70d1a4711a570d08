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

// Takes "--ide VERSION" out of `args` (VERSION one character, '1'..'4' being
// the versions the bridge knows); returns 0 when it is not there.
char TakeIdeOption(std::vector<std::string>& args);

}  // namespace tarnwick::cli
