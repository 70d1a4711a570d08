// Page setup and the plain prints (Selected code, Category, All), printed to
// PDF offscreen and read back with pdftotext.
#include "app/code_pane_host.h"
#include "app/printing/plain_print.h"
#include "app/printing/print_setup.h"
#include "app_fixture.h"
#include "editor/code_memo.h"
#include "pdf_text.h"

#include <QPrinter>

#include <algorithm>
#include <functional>
#include <map>

namespace tarnwick::test {
namespace {

using Lines = std::vector<std::string>;

const char* const kBanner0 = kBannerLines[0];
const char* const kBanner1 = kBannerLines[1];

class PlainPrintTest : public AppFolderTest {
protected:
    void Open(const std::vector<TSnippet>& snippets)
    {
        InstallShippedLanguage();
        WriteLibrary("lib.ini", snippets);
        Form().LoadLibrary(folder_ / "lib.ini");
        UsePdfOutput(Form().PrintSetup().Printer(), Pdf());
    }
    QString Pdf() const { return QString::fromStdString((folder_ / "out.pdf").string()); }
    bool Printed() const { return std::filesystem::exists(folder_ / "out.pdf"); }
    std::vector<Lines> Pages() const { return PdfPages(folder_ / "out.pdf"); }
    // The page's lines without indentation, runs of blanks as one (the
    // reader guesses the columns of a monospaced text only roughly), and
    // without the empty lines pdftotext adds at its end.
    Lines Page(size_t index) const
    {
        const auto pages = Pages();
        if (index >= pages.size())
            return {};
        Lines lines = Trimmed(pages[index]);
        for (std::string& line : lines)
            line.erase(std::unique(line.begin(), line.end(),
                                   [](char a, char b) { return a == ' ' && b == ' '; }),
                       line.end());
        while (!lines.empty() && lines.back().empty())
            lines.pop_back();
        return lines;
    }
    void Select(const char* text)
    {
        const auto found = Form().TreeView1->findItems(QString::fromLatin1(text),
                                                       Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(found.size(), 1) << text;
        Form().TreeView1->setCurrentItem(found.front());
    }
    QString StatusMessage() { return Form().StatusBar1->currentMessage(); }
};

TEST_F(PlainPrintTest, CategoryOfThreeSnippetsPrintsHeaderTitlesAndTexts)
{
    // The category's name has lower-case letters: its header is printed in
    // upper case, the titles as they are stored.
    Open({{"Main snippets", "first One", "alpha\r\nbeta"},
          {"Main snippets", "Second", "gamma"},
          {"Main snippets", "third", "delta\r\n\tindented"}});
    Select("Second");
    Form().Category2Click();
    ASSERT_TRUE(prompt_.Errors.isEmpty()) << prompt_.Errors.join('\n').toStdString();
    ASSERT_EQ(Pages().size(), 1u);
    EXPECT_EQ(Page(0),
              (Lines{"Tarnwick Version 2.41", kBanner0, kBanner1, "CATEGORY : MAIN SNIPPETS", "",
                     "Title : first One", "alpha", "beta", "", "", "Title : Second", "gamma", "",
                     "", "Title : third", "delta", "indented"}));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "tmp.prn"));
}

TEST_F(PlainPrintTest, AllPrintsEveryCategoryInSortedOrder)
{
    Open({{"b", "t1", "one"}, {"A", "t2", "two\r\nlines"}, {"c", "t3", ""}});
    Form().All1Click();
    ASSERT_TRUE(prompt_.Errors.isEmpty()) << prompt_.Errors.join('\n').toStdString();
    EXPECT_EQ(Page(0), (Lines{"Tarnwick Version 2.41",
                              kBanner0,
                              kBanner1,
                              "CATEGORY : A",
                              "",
                              "Snippet : t2",
                              "",
                              "two",
                              "lines",
                              "",
                              "",
                              "CATEGORY : B",
                              "",
                              "Snippet : t1",
                              "",
                              "one",
                              "",
                              "",
                              "CATEGORY : C",
                              "",
                              "Snippet : t3"}));
    EXPECT_FALSE(std::filesystem::exists(folder_ / "tmp.prn"));
}

TEST_F(PlainPrintTest, LongCategoryBreaksPagesUnderTheHeading)
{
    std::string text;
    for (int i = 1; i <= 150; ++i)
        text += (i > 1 ? "\r\n" : "") + ("line " + std::to_string(1000 + i));
    Open({{"Long", "Lines", text}});
    Select("Long");
    Form().Category2Click();
    const auto pages = Pages();
    ASSERT_GE(pages.size(), 3u);
    // Each further page opens with the title and the category header.
    for (size_t p = 1; p < pages.size(); ++p) {
        const Lines lines = Page(p);
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[0], "Tarnwick Version 2.41") << "page " << p + 1;
        EXPECT_EQ(lines[1], "CATEGORY : LONG") << "page " << p + 1;
    }
    // Every line is printed once, in order. The last line of a page is the
    // one after which the position passes the page's height: it is printed
    // at its place even where it runs past the paper's bottom edge, so the
    // text reader may miss it, and only it.
    struct TPlace {
        int Page;
        double Y;
    };
    std::map<int, TPlace> placed;
    for (const TPdfWord& word : PdfWords(folder_ / "out.pdf"))
        if (word.Text.size() == 4 && word.Text[0] == '1')
            placed[std::stoi(word.Text)] = {word.Page, word.YMin};
    const double pageHeight =
        Form().PrintSetup().Printer().pageLayout().fullRect(QPageLayout::Point).height();
    const double lineHeight = placed.at(1002).Y - placed.at(1001).Y;
    for (int n = 1002; n <= 1150; ++n) {
        if (placed.count(n) == 0) {
            ASSERT_TRUE(placed.count(n - 1) && placed.count(n + 1)) << n;
            EXPECT_EQ(placed[n + 1].Page, placed[n - 1].Page + 1) << n;
            EXPECT_GT(placed[n - 1].Y + 2 * lineHeight, pageHeight) << n;
            continue;
        }
        const TPlace before = placed.count(n - 1) ? placed[n - 1] : placed[n - 2];
        if (placed[n].Page == before.Page)
            EXPECT_GT(placed[n].Y, before.Y) << n;
        else
            EXPECT_EQ(placed[n].Page, before.Page + 1) << n;
    }
    EXPECT_EQ(placed[1150].Page, static_cast<int>(pages.size()));
}

TEST_F(PlainPrintTest, PageSetupMovesTheTextOneInchIn)
{
    Open({{"Main", "T", "code"}});
    Select("T");
    const auto header = [this] {
        for (const TPdfWord& word : PdfWords(folder_ / "out.pdf"))
            if (word.Text == "CATEGORY")
                return word;
        return TPdfWord{};
    };
    const auto topmost = [this] {
        double y = 1e9;
        for (const TPdfWord& word : PdfWords(folder_ / "out.pdf"))
            y = std::min(y, word.YMin);
        return y;
    };

    // Before page setup the text starts at the page's top-left corner (the
    // reader measures a word from the top of its glyphs, a little under the
    // top of its line).
    Form().Category2Click();
    EXPECT_LT(header().XMin, 3.0);
    EXPECT_LT(topmost(), 12.0);
    const double headerTop = header().YMin;

    // A cancelled page setup changes nothing; a confirmed one puts the text
    // one inch (72 points) from the paper's left and top edges.
    Form().Pagesetup1Click();
    EXPECT_EQ(Form().PrintSetup().Offsets().Left, 0);
    prompt_.PageSetupAnswers = {true};
    Form().Pagesetup1Click();
    Form().Category2Click();
    EXPECT_NEAR(header().XMin, 72.0, 1.5);
    EXPECT_NEAR(header().YMin - headerTop, 72.0, 1.5);
}

TEST_F(PlainPrintTest, SelectedCodePrintsThePaneWithUnsavedEdits)
{
    Open({{"tools", "Helper", "stored line"}});
    Select("Helper");
    Form().TreeView1Click();
    TCodeMemoModel& model = Form().Memo1->Editor().Model();
    model.ReadOnly = false;
    model.SetSelection(model.CharCount(), model.CharCount());
    model.InsertText("\rtyped, not saved");

    // A cancelled print dialog prints nothing.
    Form().SelectedCode1Click();
    EXPECT_FALSE(Printed());
    prompt_.PrintAnswers = {true};
    Form().SelectedCode1Click();
    EXPECT_EQ(prompt_.PrintRanges, (std::vector<int>{QPrinter::Selection, QPrinter::Selection}));
    ASSERT_TRUE(prompt_.Errors.isEmpty()) << prompt_.Errors.join('\n').toStdString();
    EXPECT_EQ(Page(0), (Lines{"Tarnwick Version 2.41", "", "CATEGORY : TOOLS", "Title : Helper",
                              "stored line", "typed, not saved"}));
    // The library still holds the stored text.
    EXPECT_EQ(ReadFile("lib.dat"), "stored line\r\n");
}

TEST_F(PlainPrintTest, SelectedCodeIsOfferedForATitleOnly)
{
    Open({{"Main", "T", "x"}});
    struct TRow {
        const char* Name;
        const char* Node;  // null: no node selected
        bool Enabled;
    };
    const TRow rows[] = {
        {"title", "T", true}, {"category", "Main", false}, {"none", nullptr, false}};
    for (const TRow& row : rows) {
        if (row.Node != nullptr)
            Select(row.Node);
        else
            Form().TreeView1->setCurrentItem(nullptr);
        Form().Print1Click();
        EXPECT_EQ(Form().SelectedCode1->isEnabled(), row.Enabled) << row.Name;
    }
}

TEST_F(PlainPrintTest, NothingToPrintIsSaidInTheStatusBar)
{
    Open({{"Main", "T", "x"}});
    // A category without titles (only in the index file's sections).
    WriteFile("lib.ini", ReadFile("lib.ini") + "[Bare]\r\n");
    Form().LoadLibrary(folder_ / "lib.ini");

    Form().TreeView1->setCurrentItem(nullptr);
    Form().Category2Click();
    EXPECT_TRUE(StatusMessage().contains("no category is selected"));
    Form().SelectedCode1Click();
    EXPECT_TRUE(StatusMessage().contains("select a title"));
    Select("Bare");
    Form().Category2Click();
    EXPECT_TRUE(StatusMessage().contains("has no titles"));
    EXPECT_FALSE(Printed());
    EXPECT_TRUE(prompt_.Errors.isEmpty());
}

TEST_F(PlainPrintTest, FaultsStopThePrintAndLeaveTheLibraryAlone)
{
    Open({{"Main", "T", "x"}, {"Bad", "Broken", "y"}});
    const std::string data = ReadFile("lib.dat");
    struct TRow {
        const char* Name;
        std::function<void()> Arrange;
        const char* Message;
    };
    const TRow rows[] = {
        {"work_file_cannot_be_created",
         [&] { std::filesystem::create_directory(folder_ / "tmp.prn"); }, "tmp.prn"},
        {"printer_cannot_start",
         [&] {
             UsePdfOutput(Form().PrintSetup().Printer(),
                          QString::fromStdString((folder_ / "no" / "such" / "x.pdf").string()));
         },
         "could not start the document"},
    };
    for (const TRow& row : rows) {
        prompt_.Errors.clear();
        row.Arrange();
        Select("Main");
        Form().Category2Click();
        ASSERT_EQ(prompt_.Errors.size(), 1) << row.Name;
        EXPECT_TRUE(prompt_.Errors.front().contains(row.Message))
            << row.Name << ": " << prompt_.Errors.front().toStdString();
        std::filesystem::remove(folder_ / "tmp.prn");
        EXPECT_FALSE(Printed()) << row.Name;
    }
    // A title whose value is not a range stops the print with the store's
    // message before anything is printed.
    UsePdfOutput(Form().PrintSetup().Printer(), Pdf());
    WriteFile("lib.ini", "[Main]\r\nT=0;1\r\n[Bad]\r\nBroken=x;3\r\n");
    prompt_.Errors.clear();
    Select("Broken");
    Form().Category2Click();
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_EQ(prompt_.Errors.front(), "'x' is not a valid integer value");
    EXPECT_FALSE(Printed());
    EXPECT_FALSE(std::filesystem::exists(folder_ / "tmp.prn"));
    EXPECT_EQ(ReadFile("lib.dat"), data);
}

}  // namespace
}  // namespace tarnwick::test
