#include "cli/scheme_source.h"

#include "cli/command.h"
#include "platform/errors.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"
#include "scheme/ide_bridge.h"

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

void LoadSchemeWithIdeOption(const std::vector<std::string>& args, TCodeMemoParser& scheme)
{
    std::vector<std::string> names;
    char ideVersion = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--ide") {
            names.push_back(args[i]);
            continue;
        }
        if (i + 1 == args.size() || args[i + 1].size() != 1)
            throw UsageError{"--ide needs a version 1 to 4"};
        ideVersion = args[++i][0];
    }
    if (names.size() != 1)
        throw UsageError{"expected one compiled scheme file or --builtin"};
    LoadSchemeArgument(names[0], scheme);
    if (ideVersion != 0)
        SetToDelphi(scheme, ideVersion);
}

}  // namespace tarnwick::cli
