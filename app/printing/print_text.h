// The texts the plain prints are made of: the Category document, the lines the
// All print writes to the work file, the rule by which the work file is read
// back into printed lines, and the text of a Selected code print.
//
// Texts are code-page bytes as the library stores them. A snippet's text keeps
// its own line ends (CR LF between lines).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

struct TPrintedSnippet {
    std::string Title;
    std::string Text;
};

// "Category : " and the name, as the caller has put it in upper case: the
// caller does the case conversion because it knows the code page.
inline constexpr std::string_view kCategoryLabel = "Category : ";

// The Category document: the header, CR LF, CR LF; then per snippet `prefix`,
// "  : ", the title, a lone CR, the text and CR LF three times. Written to the
// work file as one line (the caller adds the final CR LF).
std::string CategoryDocument(std::string_view header, std::string_view prefix,
                             const std::vector<TPrintedSnippet>& snippets);

// What the All print writes for one category, each written line ending in
// CR LF: the header followed by an empty line; per snippet `prefix`, " : ",
// the title and a CR; then the text followed by CR LF, CR LF.
std::string AllCategoryLines(std::string_view header, std::string_view prefix,
                             const std::vector<TPrintedSnippet>& snippets);

// The printed lines of a work file: a line ends at a CR, and an LF directly
// after that CR is skipped; an LF anywhere else is part of the line. Bytes
// after the last CR form a last line when there are any.
std::vector<std::string> SplitPrintLines(std::string_view bytes);

// The Selected code text, CR LF between lines: the application title, an
// empty line, the category header, "     Title : " and the title, then each
// line of `paneText` (CR LF separated) preceded by five spaces.
std::string SelectedCodeText(std::string_view appTitle, std::string_view header,
                             std::string_view title, std::string_view paneText);

}  // namespace tarnwick
