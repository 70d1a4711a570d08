// Printing the selection: the lines of the selection painted on printer
// pages by the same band painter as the screen, with the header and footer,
// line numbers and print wrap the options ask for.
//
// The painter is scaled so that one unit is one screen pixel: the screen's
// font metrics then hold on the page unchanged, and the printer's resolution
// only sharpens the output.
#include "editor/code_memo.h"

#include "chrome/ansi_text.h"
#include "editor/core/code_memo_errors.h"

#include <QDateTime>
#include <QLocale>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cstring>

namespace tarnwick {

namespace {

constexpr const char* kMsgPrinterFailed = "The printer could not begin the print job";

struct TRecordFree {
    void operator()(TLineRec* rec) const { FreeLineRec(rec); }
};
using TPrintRecord = std::unique_ptr<TLineRec, TRecordFree>;

// A temporary record for a printed piece of a line, with its token values.
TPrintRecord PieceRecord(std::string_view text, const uint8_t* attrs)
{
    TPrintRecord rec(NewLineRec(text));
    if (attrs != nullptr) {
        rec->Attrs = std::make_unique<uint8_t[]>(text.size());
        std::memcpy(rec->Attrs.get(), attrs, text.size());
    }
    return rec;
}

} // namespace

void TCustomCodeMemo::PrintSelection(QPrinter& printer)
{
    // The model works out the selection's lines and calls PrintLines.
    printTarget_ = &printer;
    try {
        model_.PrintSelection();
    }
    catch (...) {
        printTarget_ = nullptr;
        throw;
    }
    printTarget_ = nullptr;
}

void TCustomCodeMemo::PrintLines(TCodeMemoModel& /*model*/, int64_t firstLine, int64_t lastLine)
{
    if (printTarget_ != nullptr) {
        PrintRange(*printTarget_, firstLine, lastLine);
        return;
    }
    QPrinter printer(QPrinter::HighResolution);
    PrintRange(printer, firstLine, lastLine);
}

QRect TCustomCodeMemo::PrintHeaderFooter(QPainter& painter, const QRect& page, int pageNumber,
                                         bool& transparent)
{
    transparent = false;
    QRect text = page;
    if (OnPrintHeaderFooter) {
        OnPrintHeaderFooter(painter, pageNumber, text, transparent);
        return text;
    }
    const uint32_t options = Settings().Options;
    const bool title = (options & smoPrintFilename) != 0;
    const bool date = (options & smoPrintDate) != 0;
    const bool pages = (options & smoPrintPageNos) != 0;
    if (!title && !date && !pages)
        return text;
    const int lineHeight = metrics_.LineHeight;
    painter.save();
    painter.setFont(metrics_.StyleFont(Settings().Effects[0].Style));
    painter.setPen(Qt::black);
    if (title || date) {
        const QRect line(page.left(), page.top(), page.width(), lineHeight);
        if (title)
            painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter, AnsiToQt(model_.DocTitle));
        if (date) {
            const QDateTime now = QDateTime::currentDateTime();
            const QLocale locale;
            painter.drawText(line, Qt::AlignRight | Qt::AlignVCenter,
                             locale.toString(now.date(), QLocale::ShortFormat) +
                                 QStringLiteral(" - ") +
                                 locale.toString(now.time(), QLocale::ShortFormat));
        }
        painter.fillRect(QRect(page.left(), page.top() + 2 * lineHeight, page.width(), 1),
                         Qt::black);
        text.setTop(page.top() + 3 * lineHeight);
    }
    if (pages) {
        const int bottom = page.top() + page.height();
        painter.drawText(QRect(page.left(), bottom - lineHeight * 5 / 2, page.width(), lineHeight),
                         Qt::AlignHCenter | Qt::AlignTop,
                         QStringLiteral("- %1 -").arg(pageNumber));
        painter.fillRect(QRect(page.left(), bottom - 3 * lineHeight, page.width(), 1), Qt::black);
        text.setBottom(bottom - 4 * lineHeight - 1);
    }
    painter.restore();
    return text;
}

void TCustomCodeMemo::PrintRange(QPrinter& printer, int64_t firstLine, int64_t lastLine)
{
    printer.setDocName(AnsiToQt(model_.DocTitle));
    QPainter painter;
    if (!painter.begin(&printer))
        throw ECodeMemo(kMsgPrinterFailed);
    const qreal scale = printer.resolution() / static_cast<qreal>(std::max(1, logicalDpiY()));
    painter.scale(scale, scale);
    // The fonts keep their screen size in pixels on the scaled page; the
    // screen's metrics come back when the job ends.
    const TCodeMemoMetrics screen = metrics_;
    metrics_.PinPixelSizes(logicalDpiY());
    try {
        PrintPages(printer, painter, firstLine, lastLine, scale);
    }
    catch (...) {
        metrics_ = screen;
        throw;
    }
    metrics_ = screen;
    painter.end();
    RepaintAll();
}

void TCustomCodeMemo::PrintPages(QPrinter& printer, QPainter& painter, int64_t firstLine,
                                 int64_t lastLine, qreal scale)
{
    const QRect page(0, 0, static_cast<int>(printer.width() / scale),
                     static_cast<int>(printer.height() / scale));
    const uint32_t options = Settings().Options;
    const int lineHeight = metrics_.LineHeight;
    const int charWidth = metrics_.CharWidth;
    const bool numbers = (options & smoPrintLineNos) != 0;

    int pageNumber = 1;
    TBandLayout band;
    QRect textArea;
    int y = 0;
    const auto startPage = [&] {
        bool transparent = false;
        textArea = PrintHeaderFooter(painter, page, pageNumber, transparent);
        band.TextLeft = textArea.left() + (numbers ? 10 * charWidth : 0);
        band.Right = textArea.left() + textArea.width();
        band.MaxRun = std::max(1, (band.Right - band.TextLeft) / charWidth * 3 / 2);
        band.Transparent = transparent;
        y = textArea.top();
    };
    startPage();
    const auto printRecord = [&](const TLineRec& rec, int64_t lineNumber) {
        if (y + lineHeight > textArea.top() + textArea.height() && y > textArea.top()) {
            printer.newPage();
            ++pageNumber;
            startPage();
        }
        painter.save();
        painter.setClipRect(QRect(textArea.left(), y, textArea.width(), lineHeight));
        if (lineNumber > 0) {
            painter.fillRect(QRect(textArea.left(), y, band.TextLeft - textArea.left(), lineHeight),
                             Qt::white);
            painter.setFont(metrics_.StyleFont(0));
            painter.setPen(Qt::black);
            painter.drawText(QPoint(textArea.left(), y + metrics_.Ascent),
                             QString::asprintf("%6lld:", static_cast<long long>(lineNumber)));
        }
        ExpandRecord(rec);
        PaintText(painter, rec, 0, y, band);
        painter.restore();
        y += lineHeight;
    };

    const int pageColumns = std::max(1, (band.Right - band.TextLeft) / charWidth);
    const int pagePixels = std::max(1, band.Right - band.TextLeft);
    TLineLoc at = model_.LineByIndex(firstLine);
    int64_t number = at.Rec != nullptr ? LogicalLineNumber(at.Index) : 1;
    std::string text;
    std::vector<uint8_t> attrs;
    while (at.Rec != nullptr && at.Index <= lastLine) {
        if (at.Index > firstLine && !at.Rec->IsContinuation())
            ++number;
        if ((options & smoPrintWrap) == 0) {
            printRecord(*at.Rec, numbers && (at.Index == firstLine || !at.Rec->IsContinuation())
                                     ? number
                                     : 0);
            at.Rec = at.Rec->Next;
            ++at.Index;
            continue;
        }
        // The logical line's records within the range, joined and re-cut at
        // the page's width.
        text.clear();
        attrs.clear();
        bool coloured = true;
        do {
            text.append(at.Rec->View());
            coloured = coloured && at.Rec->Attrs != nullptr;
            if (coloured)
                attrs.insert(attrs.end(), at.Rec->Attrs.get(), at.Rec->Attrs.get() + at.Rec->Len);
            at.Rec = at.Rec->Next;
            ++at.Index;
        } while (at.Rec != nullptr && at.Index <= lastLine && at.Rec->IsContinuation());
        bool firstPiece = true;
        for (size_t done = 0; done < text.size();) {
            const std::string_view rest = std::string_view(text).substr(done);
            const size_t fit = metrics_.FixedPitch ? FitColumns(rest, pageColumns)
                                                   : FitPixels(rest, pagePixels);
            const size_t cut = std::max<size_t>(1, WrapCut(rest, fit));
            const TPrintRecord piece =
                PieceRecord(rest.substr(0, cut), coloured ? attrs.data() + done : nullptr);
            printRecord(*piece, numbers && firstPiece ? number : 0);
            firstPiece = false;
            done += cut;
        }
    }
}

} // namespace tarnwick
