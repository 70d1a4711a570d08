// tarnwick-cli: the headless layers (library, scheme, compressor, profile
// functions, editor text model) from the command line, for scripts and tests.
#include "cli/command.h"

#include "platform/errors.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string_view>

namespace tarnwick::cli {

namespace {
std::vector<TCliCommand>& Registry()
{
    static std::vector<TCliCommand> commands;
    return commands;
}

// The command families --help shows, in this order, each with the first
// words of its commands in the order they are listed. Commands register in
// whatever order the linker runs their files' initialisers, so the help
// text takes its order from here instead.
struct TFamily {
    const char* heading;
    std::vector<std::string_view> words;
};

const std::vector<TFamily>& Families()
{
    static const std::vector<TFamily> families = {
        {"library", {"library", "check"}},
        {"profile files", {"profile"}},
        {"schemes", {"scheme", "highlight"}},
        {"texts", {"text"}},
        {"compressor", {"compress", "decompress"}},
        {"printing", {"print"}},
    };
    return families;
}

// (family, place of the first word in it); unknown words go last.
std::pair<size_t, size_t> HelpPlace(const TCliCommand& command)
{
    const std::string_view first = std::string_view(command.name).substr(0, command.name.find(' '));
    for (size_t f = 0; f < Families().size(); ++f) {
        const auto& words = Families()[f].words;
        const auto it = std::find(words.begin(), words.end(), first);
        if (it != words.end())
            return {f, static_cast<size_t>(it - words.begin())};
    }
    return {Families().size(), 0};
}

void PrintUsage(std::ostream& out)
{
    std::vector<const TCliCommand*> sorted;
    for (const TCliCommand& command : Registry())
        sorted.push_back(&command);
    std::sort(sorted.begin(), sorted.end(), [](const TCliCommand* a, const TCliCommand* b) {
        return std::make_pair(HelpPlace(*a), a->name) < std::make_pair(HelpPlace(*b), b->name);
    });
    out << "usage:\n"
        << "  tarnwick-cli --help | --version\n";
    size_t family = SIZE_MAX;
    for (const TCliCommand* command : sorted) {
        const size_t place = HelpPlace(*command).first;
        if (place != family) {
            family = place;
            out << "\n" << (place < Families().size() ? Families()[place].heading : "other") << ":\n";
        }
        out << command->usage;
    }
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
