// Printing lines of text with page breaks and headings.
#include "app/printing/line_printer.h"

#include "chrome/ansi_text.h"

#include <QFontMetrics>
#include <QPrinter>

#include <algorithm>
#include <array>
#include <cstdint>

namespace tarnwick {

namespace {

constexpr int kTabWidth = 8;

}  // namespace

TLinePrinter::TLinePrinter(QPrinter& printer, TPrintOffsets offsets)
    : printer_(printer), offsets_(offsets)
{
}

TLinePrinter::~TLinePrinter()
{
    if (painter_.isActive()) {
        printer_.abort();
        painter_.end();
    }
}

void TLinePrinter::BeginDoc()
{
    if (!painter_.begin(&printer_)) {
        const QString target = printer_.outputFormat() == QPrinter::PdfFormat
                                   ? printer_.outputFileName()
                                   : printer_.printerName();
        throw EPrinter("The printer could not start the document (" + QtToAnsi(target) + ")");
    }
}

void TLinePrinter::NewPage()
{
    if (!printer_.newPage())
        throw EPrinter("The printer could not start a new page");
}

void TLinePrinter::EndDoc()
{
    if (!painter_.end())
        throw EPrinter("The printer could not finish the document");
}

void TLinePrinter::SetFont(const QFont& font)
{
    painter_.setFont(font);
}

int TLinePrinter::LineHeight() const
{
    return painter_.fontMetrics().height();
}

int TLinePrinter::PageWidth() const
{
    return printer_.width();
}

int TLinePrinter::PageHeight() const
{
    return printer_.height();
}

void TLinePrinter::TextOut(int y, std::string_view line)
{
    painter_.drawText(offsets_.Left, y + painter_.fontMetrics().ascent(), PrintableLine(line));
}

void TLinePrinter::CentredOut(int y, std::string_view line)
{
    const QString text = PrintableLine(line);
    const int width = painter_.fontMetrics().horizontalAdvance(text);
    painter_.drawText((PageWidth() - width) / 2 + offsets_.Left,
                      y + painter_.fontMetrics().ascent(), text);
}

void TLinePrinter::PrintLines(const std::vector<std::string>& lines, int y,
                              const std::function<void(int& y)>& heading)
{
    bool pageFull = false;
    for (const std::string& line : lines) {
        // The page is changed only when another line follows, so a document
        // that just fills its last page does not end on a page holding only
        // the heading.
        if (pageFull) {
            NewPage();
            y = offsets_.Top;
            heading(y);
        }
        TextOut(y, line);
        y += LineHeight();
        pageFull = y > PageHeight();
    }
}

QString PrintableLine(std::string_view line)
{
    QString out;
    out.reserve(static_cast<qsizetype>(line.size()));
    const std::array<QChar, 256>& chars = AnsiChars();
    for (const char byte : line) {
        const auto c = static_cast<unsigned char>(byte);
        if (c == '\t') {
            do
                out += QLatin1Char(' ');
            while (out.size() % kTabWidth != 0);
        }
        else if (c >= 32) {
            out += chars[c];
        }
    }
    return out;
}

TPrintOffsets MarginOffsets(const QPrinter& printer, int leftThousandths, int topThousandths)
{
    const QRect printable = printer.pageLayout().paintRectPixels(printer.resolution());
    const auto offset = [](int thousandths, int dpi, int unreachable) {
        return std::max(0, static_cast<int>(int64_t{thousandths} * dpi / 1000) - unreachable);
    };
    return {offset(leftThousandths, printer.logicalDpiX(), printable.left()),
            offset(topThousandths, printer.logicalDpiY(), printable.top())};
}

}  // namespace tarnwick
