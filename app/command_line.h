// The program's command line: `tarnwick [LIBRARY.ini]`, `--version`, `--help`.
//
// Qt takes its own options (-platform, -style, ...) out of argc/argv when the
// application object is made, but that object cannot be made without a display.
// So the command line is read twice: AnswerInformationOptions before the
// application object exists, answering --version and --help even where there
// is no display, then ParseCommandLine on what Qt left, for the library.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tarnwick {

enum class TCommandAction { Run, ShowVersion, ShowHelp, Fail };

struct TCommandLine {
    TCommandAction Action = TCommandAction::Run;
    // The library to open at start, made absolute against the current folder;
    // empty when none was given. Whether it exists is for the opening to say.
    std::filesystem::path Library;
    // With Fail: what is wrong, as one line without the program's name.
    std::string Error;
};

// `arguments` without the program's name. --help (-h) and --version (-v)
// win wherever they stand before "--"; after "--" every word is a file name.
TCommandLine ParseCommandLine(const std::vector<std::string>& arguments);
TCommandLine ParseCommandLine(int argc, char** argv);

std::string CommandLineHelp();
std::string CommandLineVersion();

// Prints the help or the version to `out` and returns exit code 0, prints a
// Fail's error to `err` and returns 2; returns nothing for Run.
std::optional<int> AnswerCommandLine(const TCommandLine& request, std::ostream& out,
                                     std::ostream& err);

// Before the application object exists: answers --help and --version and
// returns the exit code; returns nothing for everything else, errors included,
// since an option may still be one of Qt's.
std::optional<int> AnswerInformationOptions(int argc, char** argv);

}  // namespace tarnwick
