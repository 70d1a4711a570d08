// TPageSetupDialog: the page setup of the plain prints. It offers the
// printer (the system's printers, or a PDF file), the paper size and the
// orientation; the four margins are shown fixed at 1000 thousandths of an
// inch and cannot be edited (the platform's dialog cannot lock them). On OK
// the choices become the printer's settings.
#pragma once

#include <QDialog>

class QComboBox;
class QPrinter;
class QRadioButton;

namespace tarnwick {

class TPageSetupDialog : public QDialog {
    Q_OBJECT
public:
    TPageSetupDialog(QPrinter& printer, QWidget* parent = nullptr);

    // Writes the choices to the printer; run by accept().
    void ApplyToPrinter();
    void accept() override;

    QComboBox* PrinterBox = nullptr;
    QComboBox* PaperBox = nullptr;
    QRadioButton* Portrait = nullptr;
    QRadioButton* Landscape = nullptr;

private:
    QPrinter& printer_;
};

}  // namespace tarnwick
