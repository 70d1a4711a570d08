// The highlighted booklet: snippets of a library laid out as a paged
// document, each snippet highlighted by a scheme, behind a contents page.
//
// Layout: the contents pages come first ("Contents", then each category
// with its titles and the page number on which each title starts); then
// every snippet starts on a new page. Every page carries a heading line, the
// snippet's title at the left and its category at the right (the contents
// pages: the booklet's caption), and its page number at the foot. Long
// lines wrap at the page's width, so no code runs off the page.
//
// A snippet's text is written by the editor's HTML writer (with the
// scheme's colours and font styles) and laid out by Qt's text engine, so the
// booklet shows what an HTML export of the snippet shows.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class QPagedPaintDevice;

namespace tarnwick {

class TCustomCodeMemoParser;

struct TBookletEntry {
    std::string Category;
    std::string Title;
    std::string Text;  // code-page bytes, CR LF between lines
};

struct TBookletOptions {
    // The scheme that highlights the snippets; null prints them plain.
    TCustomCodeMemoParser* Scheme = nullptr;
    // The snippets' font; the scheme's editor font when empty.
    std::string FontName;
    int FontSize = 0;
    std::string Caption = "Tarnwick Version 2.41";
};

// The snippets of `category` (every category when empty) of the library
// whose index file is `indexFile`, in the tree's order: categories and titles
// sorted without regard to letter case. Raises the store's errors.
std::vector<TBookletEntry> BookletEntries(const std::string& indexFile,
                                          const std::string& category = {});

// Lays the booklet out and paints it on `device`, which must not be painted
// on yet. Returns, per entry, the page (from 1) on which it starts. Raises
// Exception when the device refuses to be painted on or to add a page.
std::vector<int> PaintBooklet(QPagedPaintDevice& device, const std::vector<TBookletEntry>& entries,
                              const TBookletOptions& options);

// The booklet as a PDF file at `pdf` (A4, 300 dots per inch, margins of
// 15 mm); an existing file is replaced.
std::vector<int> WriteBookletPdf(const std::filesystem::path& pdf,
                                 const std::vector<TBookletEntry>& entries,
                                 const TBookletOptions& options);

}  // namespace tarnwick
