// Windows file names on a Linux file system.
//
// Stored names (in main.ini, library values, scheme includes) use '\' and were
// matched without regard to letter case. ResolveFileName turns such a name into
// the Linux path of the file that exists on disk, folder by folder; the parts
// that do not exist yet keep the letter case given, so a new file is created
// with the name the user typed. Every file access of the program goes through
// this one resolver.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tarnwick {

// Both '\' and '/' separate folders. A leading separator makes the name
// absolute; a drive prefix such as "C:" is dropped and the rest is taken from
// the root (there are no drives here). A relative name is resolved against
// `base` (the current folder when empty). When several entries of a folder
// differ only in letter case, the exact spelling wins, otherwise the first in
// byte order, so the choice is the same on every run.
std::filesystem::path ResolveFileName(std::string_view name,
                                      const std::filesystem::path& base = {});

// The name with its extension (from the last '.' after the last separator)
// replaced by `extension`, which includes its dot. A name without extension
// gets it appended. Works on stored names as well as Linux paths.
std::string ChangeFileExt(std::string_view name, std::string_view extension);

// The part after the last separator ('\' or '/').
std::string ExtractFileName(std::string_view name);

// The part up to and including the last separator; empty when there is none.
std::string ExtractFilePath(std::string_view name);

// ASCII letter folding, as names in files and on disk are compared.
bool SameTextAscii(std::string_view a, std::string_view b);
std::string UpperCaseAscii(std::string_view text);

}  // namespace tarnwick
