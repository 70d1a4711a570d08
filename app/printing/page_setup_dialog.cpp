// The page setup dialog of the plain prints.
#include "app/printing/page_setup_dialog.h"

#include "app/printing/print_setup.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tarnwick {

namespace {

// The printer box's entry for PDF output; its data is the empty name.
const char* const kPdfEntry = "PDF file";

const QPageSize::PageSizeId kPaperSizes[] = {
    QPageSize::A4, QPageSize::Letter, QPageSize::Legal,     QPageSize::A3,
    QPageSize::A5, QPageSize::B5,     QPageSize::Executive,
};

}  // namespace

TPageSetupDialog::TPageSetupDialog(QPrinter& printer, QWidget* parent)
    : QDialog(parent), printer_(printer)
{
    setWindowTitle(QStringLiteral("Page setup"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    PrinterBox = new QComboBox(this);
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        PrinterBox->addItem(name, name);
    PrinterBox->addItem(QString::fromLatin1(kPdfEntry), QString());
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat;
    const int current = PrinterBox->findData(pdf ? QString() : printer.printerName());
    PrinterBox->setCurrentIndex(current >= 0 ? current : PrinterBox->count() - 1);
    form->addRow(QStringLiteral("Printer"), PrinterBox);

    PaperBox = new QComboBox(this);
    for (const QPageSize::PageSizeId id : kPaperSizes)
        PaperBox->addItem(QPageSize::name(id), static_cast<int>(id));
    const int paper = PaperBox->findData(static_cast<int>(printer.pageLayout().pageSize().id()));
    PaperBox->setCurrentIndex(paper >= 0 ? paper : 0);
    form->addRow(QStringLiteral("Paper"), PaperBox);

    auto* orientation = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* orientationLayout = new QHBoxLayout(orientation);
    Portrait = new QRadioButton(QStringLiteral("Portrait"), orientation);
    Landscape = new QRadioButton(QStringLiteral("Landscape"), orientation);
    orientationLayout->addWidget(Portrait);
    orientationLayout->addWidget(Landscape);
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? Landscape : Portrait)
        ->setChecked(true);
    layout->addWidget(orientation);

    auto* margins = new QGroupBox(QStringLiteral("Margins (thousandths of an inch)"), this);
    auto* marginForm = new QFormLayout(margins);
    for (const char* side : {"Left", "Right", "Top", "Bottom"}) {
        auto* box = new QSpinBox(margins);
        box->setRange(0, 100000);
        box->setValue(TPrintSetup::kMarginThousandths);
        box->setEnabled(false);
        marginForm->addRow(QString::fromLatin1(side), box);
    }
    layout->addWidget(margins);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TPageSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TPageSetupDialog::reject);
    layout->addWidget(buttons);
}

void TPageSetupDialog::ApplyToPrinter()
{
    const QString name = PrinterBox->currentData().toString();
    if (name.isEmpty()) {
        UsePdfOutput(printer_, {});
    }
    else {
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setPrinterName(name);
    }
    printer_.setPageSize(
        QPageSize(static_cast<QPageSize::PageSizeId>(PaperBox->currentData().toInt())));
    printer_.setPageOrientation(Landscape->isChecked() ? QPageLayout::Landscape
                                                       : QPageLayout::Portrait);
}

void TPageSetupDialog::accept()
{
    ApplyToPrinter();
    QDialog::accept();
}

}  // namespace tarnwick
