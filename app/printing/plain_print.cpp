// Category, All and Selected code on the printer.
#include "app/printing/plain_print.h"

#include "library/library_format.h"
#include "library/library_listing.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <QPrinter>

#include <system_error>
#include <unordered_set>

namespace tarnwick {

namespace {

// The work file exists from its creation to the end of the print, whatever
// way the print ends; a file that cannot be removed is found and replaced by
// the next print.
class TWorkFile {
public:
    explicit TWorkFile(std::filesystem::path path) : path_(std::move(path)) {}
    ~TWorkFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    TWorkFile(const TWorkFile&) = delete;
    TWorkFile& operator=(const TWorkFile&) = delete;

    void Create()
    {
        Guard("created", [&] { file_ = TFile(path_, TFileMode::Create); });
    }
    void Writeln(std::string_view line)
    {
        Guard("written", [&] {
            file_.Write(line);
            file_.Write("\r\n");
        });
    }
    // Closes the file and reads it back as printed lines.
    std::vector<std::string> ReadBack()
    {
        std::vector<std::string> lines;
        Guard("read", [&] {
            file_.Close();
            lines = SplitPrintLines(ReadWholeFile(path_));
        });
        return lines;
    }

private:
    template <typename Step> void Guard(const char* what, Step step)
    {
        try {
            step();
        }
        catch (const EInOutError& error) {
            throw EInOutError("The print work file " + path_.string() + " could not be " + what +
                                  ": " + error.what(),
                              error.ErrorCode);
        }
    }

    std::filesystem::path path_;
    TFile file_;
};

QFont BannerFont(const QFont& codeFont)
{
    QFont font = codeFont;
    font.setFamily(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    return font;
}

// The first page's heading; leaves the code font set and returns the position
// under the heading.
int PrintFirstHeading(TLinePrinter& printer, const TPlainPrintJob& job)
{
    printer.SetFont(BannerFont(job.CodeFont));
    int y = printer.Offsets().Top;
    for (const std::string_view line :
         {std::string_view(job.AppTitle), std::string_view(kBannerLines[0]),
          std::string_view(kBannerLines[1])}) {
        printer.CentredOut(y, line);
        y += printer.LineHeight();
    }
    printer.SetFont(job.CodeFont);
    return y;
}

void PrintWorkFileLines(const TPlainPrintJob& job, const std::vector<std::string>& lines,
                        const std::function<void(TLinePrinter&, int&)>& pageHeading)
{
    TLinePrinter printer(*job.Printer, job.Offsets);
    printer.BeginDoc();
    printer.SetFont(job.CodeFont);
    const int y = PrintFirstHeading(printer, job);
    printer.PrintLines(lines, y, [&](int& pos) { pageHeading(printer, pos); });
    printer.EndDoc();
}

}  // namespace

std::vector<TPrintedSnippet> CategorySnippets(const TIniDocument& index,
                                              const std::string& indexFile,
                                              const std::string& category)
{
    std::vector<TPrintedSnippet> snippets;
    std::unordered_set<std::string> seen;
    // Every title, however long the listing: a print that silently left
    // titles out would look complete.
    for (std::string& title : index.Keys(category, kWholeListing)) {
        // A title listed twice reads the same text; it is printed once.
        if (!seen.insert(UpperCaseAscii(title)).second)
            continue;
        std::string text = ReadSnippet(category, title, indexFile);
        snippets.push_back({std::move(title), std::move(text)});
    }
    return snippets;
}

bool PrintCategory(const TPlainPrintJob& job, const std::string& indexFile,
                   const std::string& category, const std::string& header,
                   const std::string& titlePrefix)
{
    const TIniDocument index = TIniDocument::Load(ResolveFileName(indexFile));
    const std::vector<TPrintedSnippet> snippets = CategorySnippets(index, indexFile, category);
    if (snippets.empty())
        return false;
    // The document is built and read back before the printer is asked for
    // anything, so that an unreadable title or work file starts no print.
    const std::string document = CategoryDocument(header, titlePrefix, snippets);
    TWorkFile work(job.WorkFile);
    work.Create();
    work.Writeln(document);
    const std::vector<std::string> lines = work.ReadBack();
    PrintWorkFileLines(job, lines, [&](TLinePrinter& printer, int& y) {
        printer.CentredOut(y, job.AppTitle);
        y += printer.LineHeight();
        printer.TextOut(y, header);
        y += 2 * printer.LineHeight();
    });
    return true;
}

bool PrintAll(const TPlainPrintJob& job, const std::string& indexFile,
              const std::function<std::string(const std::string&)>& headerOf,
              const std::string& titlePrefix)
{
    const TIniDocument index = TIniDocument::Load(ResolveFileName(indexFile));
    const std::vector<std::string> categories = SortedNames(index.SectionNames(kWholeListing));
    if (categories.empty())
        return false;
    TWorkFile work(job.WorkFile);
    work.Create();
    for (const std::string& category : categories) {
        const std::string lines = AllCategoryLines(headerOf(category), titlePrefix,
                                                   CategorySnippets(index, indexFile, category));
        // The category's lines are written as they were built: each already
        // ends in CR LF but the last, whose CR LF the write adds.
        work.Writeln(std::string_view(lines).substr(0, lines.size() - 2));
    }
    const std::vector<std::string> printed = work.ReadBack();
    PrintWorkFileLines(job, printed, [&](TLinePrinter& printer, int& y) {
        printer.CentredOut(y, job.AppTitle);
        y += printer.LineHeight();
    });
    return true;
}

void PrintSelectedCode(const TPlainPrintJob& job, const std::string& text)
{
    TLinePrinter printer(*job.Printer, job.Offsets);
    printer.BeginDoc();
    printer.SetFont(job.CodeFont);
    printer.PrintLines(SplitPrintLines(text), job.Offsets.Top, [&](int& y) {
        printer.CentredOut(y, job.AppTitle);
        y += printer.LineHeight();
    });
    printer.EndDoc();
}

}  // namespace tarnwick
