// TfrmNewScript: "Add new script" of the Other options dialog. It registers
// a scheme script of the Scripts folder under Scripts in main.ini; the
// compiled scheme file is made later, when Edit properties is confirmed.
#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace tarnwick {

class TfrmOpt;
class TPrompt;

class TfrmNewScript : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Add new script";

    TfrmNewScript(TfrmOpt& options, TPrompt& prompt);

    void Button1Click();  // OK
    void Button2Click();  // Cancel

    QLineEdit* Edit1 = nullptr;  // script name
    // Script file: lists the .txt scripts of the Scripts folder; any name
    // may be typed.
    QComboBox* Edit2 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;

private:
    TfrmOpt& options_;
    TPrompt& prompt_;
};

}  // namespace tarnwick
