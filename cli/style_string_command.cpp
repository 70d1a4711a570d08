// tarnwick-cli scheme style-string: the registry style string of a compiled
// scheme, optionally after taking the colours of a Delphi IDE.
#include "cli/command.h"

#include "scheme/code_memo_parser.h"
#include "scheme/ide_bridge.h"
#include "scheme/style_string.h"

#include <iostream>

namespace tarnwick::cli {

namespace {

int RunStyleString(const std::vector<std::string>& args)
{
    char ideVersion = 0;
    std::vector<std::string> files;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--ide") {
            if (i + 1 == args.size() || args[i + 1].size() != 1)
                throw UsageError{"--ide needs a version 1 to 4"};
            ideVersion = args[++i][0];
        } else {
            files.push_back(args[i]);
        }
    }
    if (files.size() != 1)
        throw UsageError{"expected one compiled scheme file"};

    TCodeMemoParser scheme;
    scheme.Name = files[0];  // names the file in load errors
    std::string notice;
    scheme.OnInformation = [&notice](const std::string& text) { notice = text; };
    if (!scheme.LoadFromFile(files[0])) {
        std::cerr << notice << "\n";
        return 1;
    }
    if (ideVersion != 0)
        SetToDelphi(scheme, ideVersion);
    std::cout << StyleString(scheme.Settings()) << "\n";
    return 0;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"scheme style-string",
     "  tarnwick-cli scheme style-string [--ide 1|2|3|4] FILE.dat\n"
     "    prints the registry style string of a compiled scheme, after taking the\n"
     "    highlight settings of that Delphi version when --ide is given\n",
     RunStyleString});

}  // namespace

}  // namespace tarnwick::cli
