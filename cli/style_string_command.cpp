// tarnwick-cli scheme style-string: the registry style string of a compiled
// scheme, optionally after taking the colours of a Delphi IDE.
#include "cli/command.h"
#include "cli/scheme_source.h"

#include "scheme/code_memo_parser.h"
#include "scheme/style_string.h"

#include <iostream>

namespace tarnwick::cli {

namespace {

int RunStyleString(const std::vector<std::string>& args)
{
    TCodeMemoParser scheme;
    LoadSchemeWithIdeOption(args, scheme);
    std::cout << StyleString(scheme.Settings()) << "\n";
    return 0;
}

[[maybe_unused]] const bool registered = RegisterCommand(
    {"scheme style-string",
     "  tarnwick-cli scheme style-string FILE.dat|--builtin [--ide 1|2|3|4]\n"
     "    prints the registry style string of a compiled scheme, after taking the\n"
     "    highlight settings of that Delphi version when --ide is given\n",
     RunStyleString});

}  // namespace

}  // namespace tarnwick::cli
