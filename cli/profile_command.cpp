// tarnwick-cli profile: the profile functions from the command line.
#include "cli/command.h"

#include "platform/profile.h"

#include <iostream>

namespace tarnwick::cli {

namespace {

const char* const kUsage =
    "  tarnwick-cli profile get FILE SECTION KEY [DEFAULT]\n"
    "  tarnwick-cli profile set FILE SECTION KEY VALUE\n"
    "  tarnwick-cli profile sections FILE\n"
    "  tarnwick-cli profile keys FILE SECTION\n"
    "  tarnwick-cli profile delete-key FILE SECTION KEY\n"
    "  tarnwick-cli profile erase-section FILE SECTION\n"
    "  tarnwick-cli profile int FILE SECTION KEY DEFAULT\n";

void Expect(const std::vector<std::string>& args, size_t least, size_t most)
{
    if (args.size() < least || args.size() > most)
        throw UsageError{"wrong number of arguments for 'profile " + args[0] + "'"};
}

void PrintLines(const std::vector<std::string>& lines)
{
    for (const std::string& line : lines)
        std::cout << line << '\n';
}

int RunProfile(const std::vector<std::string>& args)
{
    if (args.empty())
        throw UsageError{};
    const std::string& verb = args[0];
    if (verb == "get") {
        Expect(args, 4, 5);
        std::cout << ProfileReadString(args[1], args[2], args[3], args.size() > 4 ? args[4] : "") << '\n';
    } else if (verb == "set") {
        Expect(args, 5, 5);
        ProfileWriteString(args[1], args[2], args[3], args[4]);
    } else if (verb == "sections") {
        Expect(args, 2, 2);
        PrintLines(ProfileSectionNames(args[1]));
    } else if (verb == "keys") {
        Expect(args, 3, 3);
        PrintLines(ProfileKeys(args[1], args[2]));
    } else if (verb == "delete-key") {
        Expect(args, 4, 4);
        ProfileDeleteKey(args[1], args[2], args[3]);
    } else if (verb == "erase-section") {
        Expect(args, 3, 3);
        ProfileEraseSection(args[1], args[2]);
    } else if (verb == "int") {
        Expect(args, 5, 5);
        int32_t def = 0;
        if (!TryStrToInt(args[4], def))
            throw UsageError{"DEFAULT must be a number"};
        std::cout << ProfileReadInteger(args[1], args[2], args[3], def) << '\n';
    } else {
        throw UsageError{"unknown profile command '" + verb + "'"};
    }
    return 0;
}

const bool registered = RegisterCommand({"profile", kUsage, RunProfile});

}  // namespace

}  // namespace tarnwick::cli
