// The script reader's preprocessor: macros, conditionals and includes.
#include "reader_test_util.h"

#include "platform/file_io.h"
#include "scheme/sym_compiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using testing::ReadError;

// The numbers a script reads as, blank-separated, or the error's message.
std::string Numbers(std::string_view script, const std::string& folder = {})
{
    TSYM_Compiler reader(script, folder);
    std::string out;
    try {
        while (reader.Next() != tkEOF) {
            if (!out.empty())
                out += ' ';
            out += reader.At(tkNumber) ? std::to_string(reader.Number()) : "?";
        }
    } catch (const ECompilerError& e) {
        return "error: " + e.Detail;
    }
    return out;
}

struct TPreRow {
    const char* name;
    const char* script;
    const char* numbers;
};

class Preprocessor : public ::testing::TestWithParam<TPreRow> {};

TEST_P(Preprocessor, Reads)
{
    EXPECT_EQ(Numbers(GetParam().script), GetParam().numbers);
}

INSTANTIATE_TEST_SUITE_P(
    Directives, Preprocessor,
    ::testing::Values(
        TPreRow{"define_and_use", "#define TEN 10 \r\nTEN ten", "10 10"},
        TPreRow{"define_text_is_rest_of_line", "#define PAIR \xA0 1 2\t \r\nPAIR 3", "1 2 3"},
        TPreRow{"redefine_replaces", "#define A 1\r\n#define A 2\r\nA", "2"},
        TPreRow{"macro_in_macro", "#define A B+1\r\n#define B 2\r\n(A)", "? 2 ? 1 ?"},
        TPreRow{"define_to_itself_is_ignored", "#define A 1\r\n#define A a\r\nA", "1"},
        TPreRow{"self_define_leaves_name_undefined", "#define X X\r\n#ifdef X\r\n1\r\n#endif 2", "2"},
        TPreRow{"builtin_ver200_is_defined", "#ifdef ver200\r\n1\r\n#else\r\n2\r\n#endif", "1"},
        TPreRow{"ifndef_takes_else", "#ifndef clRed 1 #else 2 #endif", "2"},
        TPreRow{"directives_anywhere_white_space_stands", "1 #define Q 7\r\nQ", "1 7"},
        TPreRow{"nested_skipped_conditionals_pair_up",
                "#ifdef NOPE 1 #ifdef clRed 2 #else 3 #endif 4 #else 5 #endif 6", "5 6"},
        TPreRow{"else_inside_skipped_region_changes_nothing",
                "#ifdef NOPE #ifndef NOPE 1 #else 2 #endif #endif 3", "3"},
        TPreRow{"skipped_region_reads_no_strings", "#ifdef NOPE ' #endif 1", "1"},
        TPreRow{"skipped_region_ignores_bad_include_and_define", "#ifdef NOPE #include x #define\r\n#endif 4", "4"},
        TPreRow{"skipped_region_does_not_define", "#ifdef NOPE #define Z 1\r\n#endif #ifdef Z 1 #endif 2", "2"},
        TPreRow{"directive_names_are_case_sensitive", "#DEFINE", "error: Unknown character in input stream: #$23"},
        TPreRow{"comment_inside_macro_ends_with_it", "#define C 5 // five\r\nC 6", "5 6"},
        TPreRow{"recursion_reported_in_lower_case", "#define X Y\r\n#define Y X\r\nx",
                "error: Recursive expansion of macro 'x'"},
        TPreRow{"define_without_name", "#define 1", "error: Macro name expected"},
        TPreRow{"ifdef_without_name", "#ifdef (", "error: Macro name expected after #ifdef"},
        TPreRow{"ifndef_without_name", "#ifndef", "error: Macro name expected after #ifdef"},
        TPreRow{"else_without_conditional", "1 #else", "error: #else without #ifdef or #ifndef"},
        TPreRow{"endif_without_conditional", "#endif", "error: #endif without #ifdef or #ifndef"},
        TPreRow{"include_not_enclosed", "#include x.txt",
                "error: #include filename not enclosed in \"...\" or <...>"},
        TPreRow{"include_not_terminated_on_line", "#include \"x.txt\r\n\"",
                "error: #include filename missing terminating \""},
        TPreRow{"include_angle_not_terminated", "#include <x.txt",
                "error: #include filename missing terminating >"},
        TPreRow{"only_comments_and_directives", "/* c */ #define A 1 // x\r\n#ifdef A #endif", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Preprocessor, ErrorPositionIsInTheScriptNotInTheMacroText)
{
    EXPECT_EQ(ReadError("#define BAD 1 @\r\n  BAD"),
              "** ERROR near line 2, Column 6: Unknown character in input stream: #$40");
}

TEST(Preprocessor, ExponentialMacrosStopWithAnError)
{
    std::string script = "#define M0 1 1 1 1 1 1 1 1\r\n";
    for (int i = 1; i < 12; ++i)
        script += "#define M" + std::to_string(i) + " M" + std::to_string(i - 1) + " M" +
                  std::to_string(i - 1) + " M" + std::to_string(i - 1) + " M" +
                  std::to_string(i - 1) + "\r\n";
    script += "M11";
    EXPECT_EQ(Numbers(script), "error: Macro expansion too long");
}

TEST(Preprocessor, LongMacroChainsStopWithAnError)
{
    std::string script;
    for (int i = 0; i < 1000; ++i)
        script += "#define M" + std::to_string(i) + " M" + std::to_string(i + 1) + "\r\n";
    script += "M0";
    EXPECT_EQ(Numbers(script), "error: Macro expansion nested too deeply");
}

TEST(Preprocessor, ConditionalsNestDeeply)
{
    std::string script;
    for (int i = 0; i < 5000; ++i)
        script += "#ifdef clRed ";
    script += "1 ";
    for (int i = 0; i < 5000; ++i)
        script += "#endif ";
    TSYM_Compiler reader(script, "");
    EXPECT_EQ(reader.Next(), tkNumber);
    EXPECT_EQ(reader.Next(), tkEOF);
    EXPECT_EQ(reader.OpenConditionals(), 0u);
}

class Includes : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = fs::temp_directory_path() / ("tarnwick-includes-" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "Scripts");
    }
    void TearDown() override { fs::remove_all(root_); }
    void Write(const std::string& name, const std::string& text)
    {
        WriteFileAtomically(root_ / "Scripts" / name, text);
    }
    std::string Folder() const { return (root_ / "Scripts").string(); }

    fs::path root_;
};

TEST_F(Includes, AngleNamesLookInTheScriptFolderWhateverTheirCase)
{
    Write("Colours.txt", "#define INK 7\r\n3");
    EXPECT_EQ(Numbers("#include <colours.TXT> 4 INK", Folder()), "3 4 7");
    EXPECT_EQ(Numbers("#include <Colours.txt>", Folder() + "/"), "3");
}

TEST_F(Includes, QuotedNamesAreUsedAsGiven)
{
    Write("abs.txt", "9");
    EXPECT_EQ(Numbers("#include \"" + (root_ / "scripts" / "ABS.txt").string() + "\""), "9");
}

TEST_F(Includes, MissingFileNamesTheDelimitersAndTheName)
{
    EXPECT_EQ(Numbers("#include <none.txt>", Folder()),
              "error: Unable to open #include file <none.txt>");
    EXPECT_EQ(Numbers("#include \"\"", Folder()), "error: Unable to open #include file \"\"");
    EXPECT_EQ(Numbers("#include <Scripts>", root_.string()),
              "error: Unable to open #include file <Scripts>");
}

TEST_F(Includes, IncludingAFileAlreadyOpenIsRecursion)
{
    Write("self.txt", "1 #include <SELF.txt>");
    const std::string result = Numbers("#include <self.txt>", Folder());
    EXPECT_EQ(result.rfind("error: Recursive expansion of macro '-file-: ", 0), 0u) << result;
}

TEST_F(Includes, ErrorsInsideAnIncludeArePlacedAtTheDirective)
{
    Write("bad.txt", "\r\n\r\n @");
    EXPECT_EQ(ReadError("1\r\n#include <bad.txt>", Folder()),
              "** ERROR near line 2, Column 19: Unknown character in input stream: #$40");
}

TEST_F(Includes, NestingIsLimited)
{
    for (int i = 0; i < 40; ++i)
        Write("n" + std::to_string(i) + ".txt", "#include <n" + std::to_string(i + 1) + ".txt>");
    Write("n40.txt", "1");
    EXPECT_EQ(Numbers("#include <n0.txt>", Folder()), "error: #include files nested too deeply");
    EXPECT_EQ(Numbers("#include <n20.txt>", Folder()), "1");
}

}  // namespace
}  // namespace tarnwick
