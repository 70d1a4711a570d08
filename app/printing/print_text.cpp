// Building the plain print documents and reading them back by the print line
// rule.
#include "app/printing/print_text.h"

namespace tarnwick {

namespace {

constexpr std::string_view kCRLF = "\r\n";

}  // namespace

std::string CategoryDocument(std::string_view header, std::string_view prefix,
                             const std::vector<TPrintedSnippet>& snippets)
{
    std::string out;
    out.append(header).append(kCRLF).append(kCRLF);
    for (const TPrintedSnippet& snippet : snippets) {
        // The lone CR ends the title line; the text follows on the next line
        // with no empty line between.
        out.append(prefix).append("  : ").append(snippet.Title).append("\r");
        out.append(snippet.Text).append(kCRLF).append(kCRLF).append(kCRLF);
    }
    return out;
}

std::string AllCategoryLines(std::string_view header, std::string_view prefix,
                             const std::vector<TPrintedSnippet>& snippets)
{
    std::string out;
    out.append(header).append(kCRLF).append(kCRLF);
    for (const TPrintedSnippet& snippet : snippets) {
        // CR then the line's own CR LF: the title, then one empty line.
        out.append(prefix).append(" : ").append(snippet.Title).append("\r").append(kCRLF);
        out.append(snippet.Text).append(kCRLF).append(kCRLF).append(kCRLF);
    }
    return out;
}

std::vector<std::string> SplitPrintLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t cr = bytes.find('\r', start);
        if (cr == std::string_view::npos) {
            lines.emplace_back(bytes.substr(start));
            break;
        }
        lines.emplace_back(bytes.substr(start, cr - start));
        start = cr + 1;
        if (start < bytes.size() && bytes[start] == '\n')
            ++start;
    }
    return lines;
}

std::string SelectedCodeText(std::string_view appTitle, std::string_view header,
                             std::string_view title, std::string_view paneText)
{
    std::string out;
    out.append(appTitle).append(kCRLF).append(kCRLF);
    out.append(header).append(kCRLF);
    out.append("     Title : ").append(title);
    size_t start = 0;
    while (true) {
        const size_t end = paneText.find(kCRLF, start);
        out.append(kCRLF).append("     ").append(paneText.substr(start, end - start));
        if (end == std::string_view::npos)
            break;
        start = end + kCRLF.size();
    }
    return out;
}

}  // namespace tarnwick
