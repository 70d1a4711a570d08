// The program's command line: a library to open, --help, --version, and a
// clear message for anything else.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

TEST(CommandLine, Actions)
{
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        TCommandAction action;
    };
    const Row rows[] = {
        {"no_arguments_runs", {}, TCommandAction::Run},
        {"one_library_runs", {"Code.ini"}, TCommandAction::Run},
        {"long_help", {"--help"}, TCommandAction::ShowHelp},
        {"short_help", {"-h"}, TCommandAction::ShowHelp},
        {"long_version", {"--version"}, TCommandAction::ShowVersion},
        {"short_version", {"-v"}, TCommandAction::ShowVersion},
        {"help_wins_over_a_later_unknown_option", {"--help", "--bogus"}, TCommandAction::ShowHelp},
        {"help_wins_over_an_earlier_unknown_option", {"-platform", "--help"},
         TCommandAction::ShowHelp},
        {"version_wins_over_two_libraries", {"a.ini", "b.ini", "--version"},
         TCommandAction::ShowVersion},
        {"help_after_double_dash_is_a_file_name", {"--", "--help"}, TCommandAction::Run},
        {"unknown_option_fails", {"--bogus"}, TCommandAction::Fail},
        {"two_libraries_fail", {"a.ini", "b.ini"}, TCommandAction::Fail},
        {"empty_name_fails", {""}, TCommandAction::Fail},
        {"dash_alone_fails", {"-"}, TCommandAction::Fail},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TCommandLine request = ParseCommandLine(row.arguments);
        EXPECT_EQ(request.Action, row.action);
        EXPECT_EQ(request.Error.empty(), row.action != TCommandAction::Fail);
        if (row.action != TCommandAction::Run) {
            EXPECT_TRUE(request.Library.empty());
        }
    }
}

TEST(CommandLine, LibraryIsMadeAbsoluteAgainstTheCurrentFolder)
{
    const fs::path here = fs::current_path();
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        fs::path expected;
    };
    const Row rows[] = {
        {"relative_name", {"Code.ini"}, here / "Code.ini"},
        {"relative_with_dots", {"./sub/../Code.ini"}, here / "Code.ini"},
        {"absolute_name_kept", {"/srv/libs/Code.ini"}, "/srv/libs/Code.ini"},
        {"name_with_spaces", {"My Code.ini"}, here / "My Code.ini"},
        {"name_starting_with_dash_after_double_dash", {"--", "-odd.ini"}, here / "-odd.ini"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const TCommandLine request = ParseCommandLine(row.arguments);
        ASSERT_EQ(request.Action, TCommandAction::Run);
        EXPECT_EQ(request.Library, row.expected);
    }
    EXPECT_TRUE(ParseCommandLine(std::vector<std::string>{}).Library.empty());
}

TEST(CommandLine, AnswersAndExitCodes)
{
    struct Row {
        const char* name;
        std::vector<std::string> arguments;
        std::optional<int> exitCode;
        const char* out;  // expected start of standard output
        const char* err;  // expected start of standard error
    };
    const Row rows[] = {
        {"run_prints_nothing", {"Code.ini"}, std::nullopt, "", ""},
        {"version", {"--version"}, 0, "Tarnwick Version 2.41\n", ""},
        {"help", {"--help"}, 0, "usage: tarnwick [OPTION]... [LIBRARY.ini]\n", ""},
        {"unknown_option_names_it", {"--bogus"}, 2, "",
         "tarnwick: unknown option '--bogus'\nTry 'tarnwick --help'.\n"},
        {"two_libraries", {"a.ini", "b.ini"}, 2, "",
         "tarnwick: one library at most, 2 were given\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(AnswerCommandLine(ParseCommandLine(row.arguments), out, err), row.exitCode);
        EXPECT_EQ(out.str().rfind(row.out, 0), 0u) << out.str();
        EXPECT_EQ(err.str().rfind(row.err, 0), 0u) << err.str();
        if (!*row.out) {
            EXPECT_EQ(out.str(), "");
        }
        if (!*row.err) {
            EXPECT_EQ(err.str(), "");
        }
    }
}

TEST(CommandLine, InformationOptionsAreAnsweredBeforeQtSeesTheRest)
{
    // Qt's own options are still in argv at this point; they must neither
    // stop the program nor hide --version.
    char program[] = "tarnwick";
    char platform[] = "-platform";
    char offscreen[] = "offscreen";
    char version[] = "--version";
    char* withQtOptions[] = {program, platform, offscreen, nullptr};
    EXPECT_EQ(AnswerInformationOptions(3, withQtOptions), std::nullopt);
    char* asking[] = {program, platform, offscreen, version, nullptr};
    testing::internal::CaptureStdout();
    EXPECT_EQ(AnswerInformationOptions(4, asking), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Tarnwick Version 2.41\n");
}

}  // namespace
}  // namespace tarnwick
