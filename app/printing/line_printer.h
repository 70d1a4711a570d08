// TLinePrinter: text on a printer placed line by line, as the plain prints
// (Selected code, Category, All) lay out their pages. Positions are printer
// units (the printer's device pixels) counted from the printable area's
// top-left corner; a line is drawn with its top at the given position.
//
// Faults of the printer raise EPrinter; a document that is begun and not
// ended when the object goes away is aborted, so a failed print never leaves
// half a document in the spooler.
#pragma once

#include "platform/errors.h"

#include <QFont>
#include <QPainter>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class QPrinter;

namespace tarnwick {

class EPrinter : public Exception {
public:
    using Exception::Exception;
};

// Where printing starts on a page, in printer units: 0 and 0 until page setup
// has been confirmed.
struct TPrintOffsets {
    int Left = 0;
    int Top = 0;
};

class TLinePrinter {
public:
    TLinePrinter(QPrinter& printer, TPrintOffsets offsets);
    ~TLinePrinter();
    TLinePrinter(const TLinePrinter&) = delete;
    TLinePrinter& operator=(const TLinePrinter&) = delete;

    // Raises EPrinter when the printer refuses the document or a page.
    void BeginDoc();
    void NewPage();
    void EndDoc();

    void SetFont(const QFont& font);
    // The height of "X" in the current font.
    int LineHeight() const;
    int PageWidth() const;
    int PageHeight() const;
    TPrintOffsets Offsets() const { return offsets_; }

    // A line of code-page bytes with its top at `y`: at the left offset, or
    // centred on the page (x = (page width - text width) / 2, truncated, plus
    // the left offset).
    void TextOut(int y, std::string_view line);
    void CentredOut(int y, std::string_view line);

    // Prints `lines` from position `y` on, one line height apart. After a
    // line that takes the position past the page height, the next line goes
    // to a new page: the position restarts at the top offset and `heading`
    // prints the page heading and advances it.
    void PrintLines(const std::vector<std::string>& lines, int y,
                    const std::function<void(int& y)>& heading);

private:
    QPrinter& printer_;
    TPrintOffsets offsets_;
    QPainter painter_;
};

// The printable form of a line: code-page bytes as Unicode, TABs expanded to
// the next multiple of eight columns, other control characters left out (a
// printer has no glyph for them).
QString PrintableLine(std::string_view line);

// The offsets for page margins given in thousandths of an inch from the
// paper's edges: the margin in printer units (margin x dots per inch / 1000,
// truncated) less the distance from the paper's edge to the printable area,
// which the printer cannot reach anyway; never below 0. So the text lands at
// the chosen distance from the paper's edge on any printer.
TPrintOffsets MarginOffsets(const QPrinter& printer, int leftThousandths, int topThousandths);

}  // namespace tarnwick
