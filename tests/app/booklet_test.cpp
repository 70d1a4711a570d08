// The highlighted booklet: its contents page, the heading of every page and
// the highlighting, read back from the PDF.
#include "app/booklet/booklet.h"
#include "app_fixture.h"
#include "pdf_text.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <QImage>

#include <algorithm>
#include <map>
#include <regex>

namespace tarnwick::test {
namespace {

using Lines = std::vector<std::string>;

class BookletTest : public AppFolderTest {
protected:
    std::filesystem::path Pdf() const { return folder_ / "booklet.pdf"; }
    // Title -> page number, as the contents pages list them.
    std::map<std::string, int> Contents(const std::vector<Lines>& pages, int contentsPages) const
    {
        std::map<std::string, int> listed;
        static const std::regex row(R"(^\s+(\S.*\S)\s{2,}(\d+)$)");
        for (int p = 0; p < contentsPages; ++p) {
            for (const std::string& line : pages[static_cast<size_t>(p)]) {
                std::smatch m;
                if (std::regex_match(line, m, row))
                    listed[m[1].str()] = std::stoi(m[2].str());
            }
        }
        return listed;
    }
};

std::string NumberedLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += (i > 1 ? "\r\n" : "") + ("x := " + std::to_string(i) + ";");
    return text;
}

TEST_F(BookletTest, ContentsListEveryTitleWithThePageItStartsOn)
{
    WriteLibrary("lib.ini", {{"Zeta", "last one", "begin end;"},
                             {"alpha", "Long", NumberedLines(200)},
                             {"alpha", "brief", "procedure P;"},
                             {"alpha", "Another", "{ comment }"}});
    const std::vector<TBookletEntry> entries = BookletEntries((folder_ / "lib.ini").string());
    ASSERT_EQ(entries.size(), 4u);
    // The tree's order: categories, then titles, without regard to case.
    EXPECT_EQ(entries[0].Title, "Another");
    EXPECT_EQ(entries[1].Title, "brief");
    EXPECT_EQ(entries[2].Title, "Long");
    EXPECT_EQ(entries[3].Category, "Zeta");

    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    TBookletOptions options;
    options.Scheme = &scheme;
    const std::vector<int> starts = WriteBookletPdf(Pdf(), entries, options);
    const std::vector<Lines> pages = PdfPages(Pdf());
    ASSERT_EQ(starts.size(), 4u);
    // The long snippet takes more than one page.
    EXPECT_GT(starts[3] - starts[2], 1);
    EXPECT_EQ(static_cast<int>(pages.size()), starts[3]);

    const std::map<std::string, int> listed = Contents(pages, starts[0] - 1);
    ASSERT_EQ(listed.size(), 4u);
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& title = entries[i].Title;
        ASSERT_TRUE(listed.count(title)) << title;
        EXPECT_EQ(listed.at(title), starts[i]) << title;
    }
    // Every page of a snippet names its title and category in its heading
    // and its number at the foot; the title's first page is the listed one.
    for (size_t i = 0; i < entries.size(); ++i) {
        const int last =
            i + 1 < entries.size() ? starts[i + 1] - 1 : static_cast<int>(pages.size());
        for (int page = starts[i]; page <= last; ++page) {
            const Lines lines = Trimmed(pages[static_cast<size_t>(page - 1)]);
            ASSERT_FALSE(lines.empty());
            EXPECT_TRUE(std::regex_match(lines.front(),
                                         std::regex(entries[i].Title + " +" + entries[i].Category)))
                << "page " << page << ": " << lines.front();
            EXPECT_NE(std::find(lines.begin(), lines.end(), "Page " + std::to_string(page)),
                      lines.end())
                << "page " << page;
        }
    }
    // Nothing of the long text is lost across its pages.
    std::string all;
    for (int page = starts[2]; page < starts[3]; ++page)
        for (const std::string& line : pages[static_cast<size_t>(page - 1)])
            all += line + "\n";
    for (int i = 1; i <= 200; ++i)
        EXPECT_NE(all.find("x := " + std::to_string(i) + ";"), std::string::npos) << i;
}

TEST_F(BookletTest, OneCategoryAndHighlightedText)
{
    WriteLibrary("lib.ini", {{"Main", "Keywords", "begin\r\n  begin end;\r\nend;"},
                             {"Other", "Skipped", "x"}});
    const auto entries = BookletEntries((folder_ / "lib.ini").string(), "main");
    ASSERT_EQ(entries.size(), 1u);
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    TBookletOptions options;
    options.Scheme = &scheme;
    WriteBookletPdf(Pdf(), entries, options);
    const auto pages = PdfPages(Pdf());
    ASSERT_EQ(pages.size(), 2u);
    // The keywords are set in bold by the built-in scheme: the page carries
    // a bold monospaced font besides the regular one.
    const std::string fonts = RunCommand("pdffonts '" + Pdf().string() + "' 2>/dev/null");
    EXPECT_NE(fonts.find("Mono-Bold"), std::string::npos) << fonts;
}

TEST_F(BookletTest, MissingDataFileIsReportedAndNothingIsWritten)
{
    WriteFile("lib.ini", "[Main]\r\nT=0;3\r\n");
    EXPECT_THROW(BookletEntries((folder_ / "lib.ini").string()), Exception);
    EXPECT_TRUE(BookletEntries((folder_ / "none.ini").string()).empty());
}

}  // namespace
}  // namespace tarnwick::test
