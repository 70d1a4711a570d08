#include "cli/scheme_source.h"

#include "cli/command.h"
#include "platform/errors.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <filesystem>

namespace tarnwick::cli {

void LoadSchemeArgument(const std::string& name, TCodeMemoParser& scheme)
{
    if (name == "--builtin") {
        scheme.Name = "ActiveParser";
        LoadBuiltinScheme(scheme, false);
        return;
    }
    if (name.empty() || name[0] == '-')
        throw UsageError{"expected a compiled scheme file or --builtin"};
    scheme.Name = std::filesystem::path(name).filename().string();
    std::string notice;
    scheme.OnInformation = [&notice](const std::string& text) { notice = text; };
    if (!scheme.LoadFromFile(name))
        throw Exception(notice);
}

char TakeIdeOption(std::vector<std::string>& args)
{
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--ide")
            continue;
        if (i + 1 == args.size() || args[i + 1].size() != 1)
            throw UsageError{"--ide needs a version 1 to 4"};
        const char version = args[i + 1][0];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i + 2));
        return version;
    }
    return 0;
}

}  // namespace tarnwick::cli
