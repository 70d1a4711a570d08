#include "app/command_line.h"

#include "app/application.h"

#include <iostream>
#include <system_error>

namespace tarnwick {

namespace {

TCommandLine Failure(std::string error)
{
    TCommandLine request;
    request.Action = TCommandAction::Fail;
    request.Error = std::move(error);
    return request;
}

std::vector<std::string> Arguments(int argc, char** argv)
{
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

}  // namespace

TCommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    std::vector<std::string> files;
    std::string unknown;
    bool optionsDone = false;
    for (const std::string& argument : arguments) {
        if (optionsDone || argument == "-" || argument.empty() || argument[0] != '-') {
            files.push_back(argument);
        } else if (argument == "--") {
            optionsDone = true;
        } else if (argument == "--help" || argument == "-h") {
            TCommandLine request;
            request.Action = TCommandAction::ShowHelp;
            return request;
        } else if (argument == "--version" || argument == "-v") {
            TCommandLine request;
            request.Action = TCommandAction::ShowVersion;
            return request;
        } else if (unknown.empty()) {
            unknown = argument;
        }
    }
    if (!unknown.empty())
        return Failure("unknown option '" + unknown + "'");
    if (files.size() > 1)
        return Failure("one library at most, " + std::to_string(files.size()) + " were given");
    TCommandLine request;
    if (files.size() == 1) {
        if (files[0].empty() || files[0] == "-")
            return Failure("'" + files[0] + "' is not a library file name");
        std::error_code ec;
        request.Library = std::filesystem::absolute(files[0], ec);
        if (ec)
            return Failure("cannot resolve '" + files[0] + "': " + ec.message());
        request.Library = request.Library.lexically_normal();
    }
    return request;
}

TCommandLine ParseCommandLine(int argc, char** argv)
{
    return ParseCommandLine(Arguments(argc, argv));
}

std::string CommandLineHelp()
{
    return "usage: tarnwick [OPTION]... [LIBRARY.ini]\n"
           "A code-snippet manager: categories and titles in a tree beside a\n"
           "syntax-highlighting editor.\n"
           "\n"
           "  LIBRARY.ini    open this library at start, registering it under\n"
           "                 File > Open when it is not there yet\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n"
           "\n"
           "Settings, language files, schemes and the sample library live in the\n"
           "application folder: $TARNWICK_HOME when set, else the program's folder\n"
           "when it may write there, else ~/.local/share/tarnwick.\n";
}

std::string CommandLineVersion()
{
    return std::string(TApplication::kTitle) + "\n";
}

std::optional<int> AnswerCommandLine(const TCommandLine& request, std::ostream& out,
                                     std::ostream& err)
{
    switch (request.Action) {
    case TCommandAction::Run: return std::nullopt;
    case TCommandAction::ShowHelp: out << CommandLineHelp(); return 0;
    case TCommandAction::ShowVersion: out << CommandLineVersion(); return 0;
    case TCommandAction::Fail:
        err << "tarnwick: " << request.Error << "\nTry 'tarnwick --help'.\n";
        return 2;
    }
    return std::nullopt;
}

std::optional<int> AnswerInformationOptions(int argc, char** argv)
{
    const TCommandLine request = ParseCommandLine(argc, argv);
    if (request.Action == TCommandAction::ShowHelp || request.Action == TCommandAction::ShowVersion)
        return AnswerCommandLine(request, std::cout, std::cerr);
    return std::nullopt;
}

}  // namespace tarnwick
