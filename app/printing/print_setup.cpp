// The printer of the plain prints and its offsets.
#include "app/printing/print_setup.h"

#include <QPrinter>

namespace tarnwick {

TPrintSetup::TPrintSetup() = default;
TPrintSetup::~TPrintSetup() = default;

QPrinter& TPrintSetup::Printer()
{
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // Printing starts at the corner of what the printer can reach; on a
        // PDF page that is the paper's corner.
        if (printer_->outputFormat() == QPrinter::PdfFormat)
            UsePdfOutput(*printer_, {});
    }
    return *printer_;
}

void TPrintSetup::ConfirmPageSetup()
{
    offsets_ = MarginOffsets(Printer(), kMarginThousandths, kMarginThousandths);
    confirmed_ = true;
}

void UsePdfOutput(QPrinter& printer, const QString& fileName)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0));
    printer.setOutputFileName(fileName);
}

bool NeedsPdfFileName(const QPrinter& printer)
{
    return printer.outputFormat() == QPrinter::PdfFormat && printer.outputFileName().isEmpty();
}

}  // namespace tarnwick
