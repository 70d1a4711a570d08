// TPrintSetup: the printer the plain prints go to and the offsets at which
// they start on a page. The printer is made at first use: the system's
// default printer, or PDF output when the system has no printer. Page setup
// changes its printer, paper and orientation; the margins stay fixed at one
// inch (1000 thousandths) on every side.
#pragma once

#include "app/printing/line_printer.h"

#include <memory>

class QPrinter;
class QString;

namespace tarnwick {

class TPrintSetup {
public:
    static constexpr int kMarginThousandths = 1000;

    TPrintSetup();
    ~TPrintSetup();

    QPrinter& Printer();
    // 0 and 0 until ConfirmPageSetup.
    TPrintOffsets Offsets() const { return offsets_; }
    // Page setup was confirmed: the offsets follow the fixed margins on the
    // printer and paper now chosen.
    void ConfirmPageSetup();
    bool Confirmed() const { return confirmed_; }

private:
    std::unique_ptr<QPrinter> printer_;
    TPrintOffsets offsets_;
    bool confirmed_ = false;
};

// Makes `printer` write the PDF file `fileName` (none: asked for at each
// print). A PDF page has no unprintable border, so the printer gets no
// margins of its own.
void UsePdfOutput(QPrinter& printer, const QString& fileName);

// True when `printer` writes a PDF file but has no file name yet.
bool NeedsPdfFileName(const QPrinter& printer);

}  // namespace tarnwick
