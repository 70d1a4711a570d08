// TfrmNew: the new-library dialog (File > New > File). It asks for a title
// and the full name of the index file, creates the library — an index file
// with one category holding one empty title, and an empty data file beside
// it — registers it under Files in main.ini, adds it to File > Open and
// opens it. An existing index or data file is never emptied or replaced.
#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace tarnwick {

class TMainForm;
class TPrompt;

class TfrmNew : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "New INI file";

    // Captions come from the active language file of `form`'s folder.
    TfrmNew(TMainForm& form, TPrompt& prompt);

    // Browse: the save dialog's choice, with ".ini" appended unless it ends
    // in ".ini" in any letter case, goes into the file field.
    void SpeedButton1Click();
    // OK: validates; on success creates, registers and opens the library
    // and closes the dialog. Any failure leaves the dialog open.
    void Button1Click();
    void Button2Click();

    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* edtNewTitle = nullptr;
    QLineEdit* edtNewFile = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyLanguageFile();
    // The lines of the combined validation message; empty when all is well.
    QString ValidationLines(const std::string& title, const std::string& file) const;
    void CreateLibrary(const std::string& title, const std::string& indexFile);

    TMainForm& form_;
    TPrompt& prompt_;
};

}  // namespace tarnwick
