// tarnwick-cli is a set of sub-commands; each lives in its own file and
// registers itself here, so adding one touches nothing else.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tarnwick::cli {

// Thrown by a command for a malformed command line; main prints the usage
// text of that command and exits with status 2.
struct UsageError {
    std::string detail;
};

struct TCliCommand {
    // First word on the command line, or the first two separated by one space
    // ("text search"): a two-word name is tried before a one-word one.
    std::string name;
    std::string usage;  // one or more lines, each starting "tarnwick-cli <name> ..."
    // Runs with the words after the name; returns the exit status. Program
    // faults are thrown as tarnwick::Exception (printed, exit 1).
    std::function<int(const std::vector<std::string>& args)> run;
};

// Adds a command; call from a static object's constructor in the command's file.
bool RegisterCommand(TCliCommand command);
const std::vector<TCliCommand>& Commands();

}  // namespace tarnwick::cli
