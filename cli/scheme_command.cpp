// tarnwick-cli scheme compile / scheme dump: compiling a scheme script into
// its compiled ".dat" form, and showing a compiled scheme as text.
#include "cli/command.h"
#include "cli/scheme_source.h"

#include "platform/errors.h"
#include "platform/file_io.h"
#include "scheme/code_memo_parser.h"
#include "scheme/scheme_dump.h"

#include <filesystem>
#include <iostream>

namespace tarnwick::cli {

namespace {

namespace fs = std::filesystem;

int RunCompile(const std::vector<std::string>& args)
{
    std::string script;
    std::string output;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "-o") {
            if (i + 1 == args.size())
                throw UsageError{"-o needs a file name"};
            output = args[++i];
        } else if (script.empty()) {
            script = args[i];
        } else {
            throw UsageError{"expected one script"};
        }
    }
    if (script.empty())
        throw UsageError{"expected a script"};
    if (output.empty())
        output = fs::path(script).replace_extension(".dat").string();

    TCodeMemoParser scheme;
    scheme.Name = fs::path(script).filename().string();
    // #include <name> looks in the script's folder; #include "name" is taken
    // as given, so relative to the current folder.
    scheme.CompileText(ReadWholeFile(script), fs::path(script).parent_path().string());
    scheme.SaveToFile(output);
    std::cout << output << ": " << fs::file_size(output) << " bytes\n";
    return 0;
}

int RunDump(const std::vector<std::string>& args)
{
    TCodeMemoParser scheme;
    LoadSchemeWithIdeOption(args, scheme);
    DumpScheme(scheme, std::cout);
    return 0;
}

[[maybe_unused]] const bool registered =
    RegisterCommand({"scheme compile",
                     "  tarnwick-cli scheme compile SCRIPT [-o OUT]\n"
                     "    compiles a scheme script into OUT (default: SCRIPT with .dat)\n",
                     RunCompile}) &&
    RegisterCommand({"scheme dump",
                     "  tarnwick-cli scheme dump FILE|--builtin [--ide 1|2|3|4]\n"
                     "    prints every setting and table of a compiled scheme, after taking the\n"
                     "    highlight settings of that Delphi version when --ide is given\n",
                     RunDump});

}  // namespace

}  // namespace tarnwick::cli
