// tarnwick-cli: the headless layers (library, scheme, compressor, profile
// functions, editor text model) from the command line, for scripts and tests.
#include "cli/command.h"

#include "platform/errors.h"

#include <cstdio>
#include <exception>
#include <iostream>

namespace tarnwick::cli {

namespace {
std::vector<TCliCommand>& Registry()
{
    static std::vector<TCliCommand> commands;
    return commands;
}

void PrintUsage(std::ostream& out)
{
    out << "usage:\n"
        << "  tarnwick-cli --help | --version\n";
    for (const TCliCommand& command : Registry())
        out << command.usage;
}
}  // namespace

bool RegisterCommand(TCliCommand command)
{
    Registry().push_back(std::move(command));
    return true;
}

const std::vector<TCliCommand>& Commands()
{
    return Registry();
}

}  // namespace tarnwick::cli

int main(int argc, char** argv)
{
    using namespace tarnwick::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--version" || args[0] == "-v")) {
        std::cout << "tarnwick-cli " TARNWICK_VERSION "\n";
        return 0;
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        PrintUsage(args.empty() ? std::cerr : std::cout);
        return args.empty() ? 2 : 0;
    }
    const TCliCommand* chosen = nullptr;
    size_t words = 0;
    for (const TCliCommand& command : Commands()) {
        if (args.size() >= 2 && command.name == args[0] + " " + args[1]) {
            chosen = &command;
            words = 2;
            break;
        }
        if (command.name == args[0] && !chosen) {
            chosen = &command;
            words = 1;
        }
    }
    if (chosen) {
        const TCliCommand& command = *chosen;
        try {
            return command.run(std::vector<std::string>(args.begin() + std::ptrdiff_t(words), args.end()));
        } catch (const UsageError& error) {
            if (!error.detail.empty())
                std::cerr << "tarnwick-cli: " << error.detail << "\n";
            std::cerr << "usage:\n" << command.usage;
            return 2;
        } catch (const tarnwick::Exception& error) {
            std::cout.flush();
            std::cerr << error.what() << "\n";
            return 1;
        } catch (const std::exception& error) {
            std::cout.flush();
            std::cerr << error.what() << "\n";
            return 1;
        }
    }
    std::cerr << "tarnwick-cli: unknown command '" << args[0] << "'\n";
    PrintUsage(std::cerr);
    return 2;
}
