// The plain print documents and the line rule they are read back with.
#include "app/printing/print_text.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

using Lines = std::vector<std::string>;

struct TSplitCase {
    const char* Name;
    std::string Bytes;
    Lines Expected;
};

// Test listings show the row's name instead of its bytes.
void PrintTo(const TSplitCase& row, std::ostream* out)
{
    *out << row.Name;
}

class SplitPrintLinesTest : public ::testing::TestWithParam<TSplitCase> {};

TEST_P(SplitPrintLinesTest, FollowsTheLineRule)
{
    EXPECT_EQ(SplitPrintLines(GetParam().Bytes), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SplitPrintLinesTest,
    ::testing::Values(TSplitCase{"empty_file_has_no_lines", "", {}},
                      TSplitCase{"crlf_ends_a_line", "a\r\nb\r\n", {"a", "b"}},
                      TSplitCase{"lone_cr_ends_a_line", "a\rb\r", {"a", "b"}},
                      TSplitCase{"lone_lf_stays_in_the_line", "a\nb\r\n", {"a\nb"}},
                      TSplitCase{"cr_cr_lf_gives_an_empty_line", "t\r\r\nx\r\n", {"t", "", "x"}},
                      TSplitCase{"lf_cr_keeps_the_lf", "\n\r\n", {"\n"}},
                      TSplitCase{"bytes_after_the_last_cr_form_a_line", "a\r\nrest", {"a", "rest"}},
                      TSplitCase{"empty_lines_survive", "\r\n\r\n", {"", ""}}),
    [](const auto& info) { return info.param.Name; });

TEST(PrintDocumentTest, CategoryGivesTitleThenTextThenTwoEmptyLines)
{
    // The work file holds the document as one written line.
    const std::string file =
        CategoryDocument("CATEGORY : MAIN", "Title", {{"One", "a\r\nb"}, {"Two", "c"}}) + "\r\n";
    EXPECT_EQ(SplitPrintLines(file), (Lines{"CATEGORY : MAIN", "", "Title  : One", "a", "b", "", "",
                                            "Title  : Two", "c", "", "", ""}));
}

TEST(PrintDocumentTest, AllGivesTitleEmptyLineTextAndTwoEmptyLines)
{
    std::string file = AllCategoryLines("CATEGORY : A", "Snippet", {{"One", "x\r\ny"}});
    file += AllCategoryLines("CATEGORY : B", "Snippet", {{"Empty", ""}});
    EXPECT_EQ(SplitPrintLines(file),
              (Lines{"CATEGORY : A", "", "Snippet : One", "", "x", "y", "", "", "CATEGORY : B", "",
                     "Snippet : Empty", "", "", "", ""}));
}

TEST(PrintDocumentTest, SelectedCodeIndentsEveryLineOfThePane)
{
    EXPECT_EQ(SelectedCodeText("App", "CATEGORY : C", "T", "one\r\n\r\nthree"),
              "App\r\n\r\nCATEGORY : C\r\n     Title : T\r\n     one\r\n     \r\n     three");
    EXPECT_EQ(SelectedCodeText("App", "H", "T", ""), "App\r\n\r\nH\r\n     Title : T\r\n     ");
}

}  // namespace
}  // namespace tarnwick
