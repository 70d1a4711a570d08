// TfrmOpt: the Other options dialog (Options > Other options). It shows the
// default library and whether it loads at start-up, the interface options,
// the language and the highlighting scheme as main.ini holds them; OK writes
// them all and makes the main window apply them again, Cancel writes
// nothing. Choosing a scheme and Edit properties act at once (see
// ComboBox3Change and Button3Click).
#pragma once

#include <QDialog>

#include <map>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace tarnwick {

class TMainForm;
class TPrompt;

class TfrmOpt : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Options";
    static constexpr const char* kBrowseTitle = "Select new language file";
    static constexpr const char* kEditProperties = "Edit properties";

    // Reads main.ini and the language file, then shows the main window's
    // schemes and library titles.
    TfrmOpt(TMainForm& form, TPrompt& prompt);

    void Button1Click();  // OK
    void Button2Click();  // Cancel
    void ComboBox2Change();
    void SpeedButton1Click();
    void ComboBox3Change();
    void Button3Click();  // Edit properties / Enable for D2..D4
    void Button4Click();  // Add new script

    // Registers a scheme added by the Add new script dialog.
    void AddSchemeKey(const std::string& key);
    const std::vector<std::string>& SchemeKeys() const { return schemeKeys_; }
    TMainForm& MainForm() { return form_; }
    const std::string& SettingsFile() const { return settings_; }

    QLabel* Label1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* ComboBox2 = nullptr;
    QToolButton* SpeedButton1 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QPushButton* Button3 = nullptr;
    QPushButton* Button4 = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QStatusBar* FriendlyStatusBar1 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void FormCreate();
    void ReadLanguagePart();
    void ApplyLanguageFile(const std::string& languageFile);
    void FillFromMainWindow();
    // The scheme list's entry the user picked; -1 when the typed text names
    // none of them.
    int SelectedScheme() const;
    void EditSchemeProperties();
    void WriteOptions(const std::string& schemeKey);

    TMainForm& form_;
    TPrompt& prompt_;
    std::string settings_;  // main.ini in the application folder
    std::vector<std::string> schemeKeys_;  // the Scripts keys, beside ComboBox3's entries
    int savedSlot_ = 1;  // the code pane's active scheme slot when the dialog opened
    std::map<QObject*, QString> hints_;
};

}  // namespace tarnwick
