// The plain prints of a library: Category and All go through the work file
// "tmp.prn" in the application folder and are read back by the print line
// rule (print_text.h); Selected code prints the code pane's text.
//
// Page layout: the first page of Category and All opens with the application
// title and the two banner lines, centred in an 8-point "MS Sans Serif" (the
// code font's other attributes kept); then the lines in the code font at the
// left offset. A new page starts with the application title centred and, for
// Category, the category header under it.
//
// Faults: a work file that cannot be written or read raises an error naming
// the file; printer faults raise EPrinter; an unreadable title raises the
// store's error. In every case the print stops, nothing is left in the
// spooler, the work file is removed and the library is not touched.
#pragma once

#include "app/printing/line_printer.h"
#include "app/printing/print_text.h"

#include <QFont>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

class QPrinter;

namespace tarnwick {

class TIniDocument;

struct TPlainPrintJob {
    QPrinter* Printer = nullptr;
    QFont CodeFont;
    TPrintOffsets Offsets;
    std::string AppTitle;
    std::filesystem::path WorkFile;  // "tmp.prn" in the application folder
};

// The two lines under the application title on a first page.
inline constexpr const char* kBannerLines[2] = {
    "Your code snippets, organised by category",
    "Printed from a Tarnwick library",
};

// The work file's name in the application folder.
inline constexpr const char* kWorkFileName = "tmp.prn";

// Prints every title of `category` in the index file's order, each line of a
// title prefixed by `titlePrefix` (language string 17). `header` is the
// category header already in upper case. False, with nothing printed, when
// the category has no titles in the index file.
bool PrintCategory(const TPlainPrintJob& job, const std::string& indexFile,
                   const std::string& category, const std::string& header,
                   const std::string& titlePrefix);

// Prints every category of the library in the tree's sorted order, titles
// in the index file's order, prefixed by `titlePrefix` (language string 12).
// `headerOf` gives a category's header in upper case. False, with nothing
// printed, when the library has no categories. Categories without titles
// print their header.
bool PrintAll(const TPlainPrintJob& job, const std::string& indexFile,
              const std::function<std::string(const std::string&)>& headerOf,
              const std::string& titlePrefix);

// Prints `text` (SelectedCodeText) from the offsets on, continuing on new
// pages under the application title when it is longer than a page.
void PrintSelectedCode(const TPlainPrintJob& job, const std::string& text);

// The titles of `category` in `index` (the loaded index file `indexFile`),
// in file order, each at its first occurrence, with their texts read through
// ReadSnippet.
std::vector<TPrintedSnippet> CategorySnippets(const TIniDocument& index,
                                              const std::string& indexFile,
                                              const std::string& category);

}  // namespace tarnwick
