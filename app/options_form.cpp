// The Other options dialog: its controls, main.ini reading, the language
// choice and the OK sequence. The scheme group is in options_form_schemes.cpp.
#include "app/options_form.h"

#include "app/language_file.h"
#include "app/main_form.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "app/code_pane_host.h"
#include "platform/file_names.h"
#include "platform/profile.h"
#include "scheme/code_memo_parser.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace tarnwick {

namespace {

bool ReadBool(const std::string& settings, const char* key, bool def)
{
    return ProfileReadInteger(settings, "Options", key, def ? 1 : 0) != 0;
}

void WriteBool(const std::string& settings, const char* key, bool value)
{
    ProfileWriteString(settings, "Options", key, value ? "1" : "0");
}

// A combo box whose value is picked from its list only: its text field
// takes no typing.
QComboBox* PickOnlyBox(QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->lineEdit()->setReadOnly(true);
    return box;
}

}  // namespace

void TMainForm::DefaultINIfile1Click()
{
    TfrmOpt dialog(*this, prompt_);
    dialog.exec();
}

TfrmOpt::TfrmOpt(TMainForm& form, TPrompt& prompt)
    : QDialog(&form), form_(form), prompt_(prompt),
      settings_(TLanguageFile::SettingsFile(form.AppFolder()).string())
{
    setWindowTitle(QString::fromLatin1(kCaption));
    CreateControls();
    FormCreate();
    FillFromMainWindow();
}

void TfrmOpt::CreateControls()
{
    auto* files = new QGroupBox(QStringLiteral("Files"), this);
    Label1 = new QLabel(QStringLiteral("Default file : "), files);
    ComboBox1 = PickOnlyBox(files);
    CheckBox1 = new QCheckBox(QStringLiteral("Auto-Load"), files);
    auto* filesLayout = new QGridLayout(files);
    filesLayout->addWidget(Label1, 0, 0);
    filesLayout->addWidget(ComboBox1, 0, 1);
    filesLayout->addWidget(CheckBox1, 1, 1);

    auto* look = new QGroupBox(QStringLiteral("Interface"), this);
    CheckBox2 = new QCheckBox(QStringLiteral("Remember"), look);
    CheckBox3 = new QCheckBox(QStringLiteral("Animate menus"), look);
    CheckBox4 = new QCheckBox(QStringLiteral("Auto-Save"), look);
    CheckBox5 = new QCheckBox(QStringLiteral("For future use"), look);
    CheckBox5->setEnabled(false);
    auto* lookLayout = new QGridLayout(look);
    lookLayout->addWidget(CheckBox2, 0, 0);
    lookLayout->addWidget(CheckBox3, 0, 1);
    lookLayout->addWidget(CheckBox4, 1, 0);
    lookLayout->addWidget(CheckBox5, 1, 1);

    auto* language = new QGroupBox(QStringLiteral("Language"), this);
    Label2 = new QLabel(QStringLiteral("Selected Language"), language);
    Edit1 = new QLineEdit(language);
    Label3 = new QLabel(QStringLiteral("Selected Language file"), language);
    ComboBox2 = PickOnlyBox(language);
    SpeedButton1 = new QToolButton(language);
    SpeedButton1->setText(QStringLiteral("---"));
    auto* languageLayout = new QGridLayout(language);
    languageLayout->addWidget(Label2, 0, 0);
    languageLayout->addWidget(Edit1, 0, 1);
    languageLayout->addWidget(Label3, 1, 0);
    languageLayout->addWidget(ComboBox2, 1, 1);
    languageLayout->addWidget(SpeedButton1, 1, 2);

    auto* schemes = new QGroupBox(QStringLiteral("Syntax highlighting"), this);
    ComboBox3 = new QComboBox(schemes);
    ComboBox3->setEditable(true);
    ComboBox3->setInsertPolicy(QComboBox::NoInsert);
    Button3 = new QPushButton(QString::fromLatin1(kEditProperties), schemes);
    Button4 = new QPushButton(QStringLiteral("Add new script"), schemes);
    auto* schemesLayout = new QHBoxLayout(schemes);
    schemesLayout->addWidget(ComboBox3, 1);
    schemesLayout->addWidget(Button3);
    schemesLayout->addWidget(Button4);

    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button2 = new QPushButton(QStringLiteral("&Cancel"), this);
    Button1->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    FriendlyStatusBar1 = new QStatusBar(this);
    FriendlyStatusBar1->setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* group : {files, look, language, schemes})
        layout->addWidget(group);
    layout->addLayout(buttons);
    layout->addWidget(FriendlyStatusBar1);

    for (QComboBox* box : {ComboBox1, ComboBox2}) {
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
    }
    connect(Button1, &QPushButton::clicked, this, &TfrmOpt::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmOpt::Button2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TfrmOpt::SpeedButton1Click);
    connect(ComboBox2, &QComboBox::activated, this, &TfrmOpt::ComboBox2Change);
    connect(ComboBox3, &QComboBox::activated, this, &TfrmOpt::ComboBox3Change);
    connect(Button3, &QPushButton::clicked, this, &TfrmOpt::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TfrmOpt::Button4Click);
}

void TfrmOpt::FormCreate()
{
    // The scheme part: the Scripts keys beside the scheme list, the
    // highlighting source and the pane's slot for Cancel.
    schemeKeys_ = ProfileKeys(settings_, "Scripts");
    form_.delphiVer_ = ProfileReadInteger(settings_, "Options", "DelphiVer", 0);
    savedSlot_ = form_.Memo1->Editor().ActiveParser();

    ComboBox1->setEditText(AnsiToQt(ProfileReadString(settings_, "Options", "DefaultIni", "")));
    CheckBox1->setChecked(ReadBool(settings_, "LoadDefault", false));
    CheckBox2->setChecked(ReadBool(settings_, "Remember", false));
    CheckBox3->setChecked(ReadBool(settings_, "Animated", true));
    // Unlike start-up, the dialog shows an absent AutoSave as on.
    CheckBox4->setChecked(ReadBool(settings_, "AutoSave", true));
    ReadLanguagePart();
}

void TfrmOpt::ReadLanguagePart()
{
    const std::vector<std::string> names = ProfileKeys(settings_, "Language Files");
    const std::string language = ProfileReadString(settings_, "Options", "LangSet", "english.lng");
    Edit1->setText(AnsiToQt(language));
    const std::string languageFile =
        ProfileReadString(settings_, "Language Files", language, "english.lng");
    for (const std::string& name : names)
        ComboBox2->addItem(AnsiToQt(ProfileReadString(settings_, "Language Files", name, "english")));
    ComboBox2->setEditText(AnsiToQt(names.empty() ? std::string("english.lng") : languageFile));
    ApplyLanguageFile(languageFile);
}

void TfrmOpt::ApplyLanguageFile(const std::string& languageFile)
{
    const std::optional<TLanguageFile> file =
        TLanguageFile::Load(ResolveFileName(languageFile, form_.AppFolder()));
    const auto text = [&](const char* section, const char* key, const char* def) {
        return AnsiToQt(file ? file->Read(section, key, def) : std::string(def));
    };
    Label1->setText(text("Labels", "DFile", "Default file :"));
    CheckBox1->setText(text("Labels", "ALoad", "Auto-Load"));
    CheckBox2->setText(text("Labels", "Remember", "Remember"));
    CheckBox3->setText(text("Labels", "AniMnu", "Animate menus"));
    CheckBox4->setText(text("Labels", "ASave", "Auto-Save"));
    const QString languageWord = text("Strings", "Langmsg", "Language");
    Label2->setText(languageWord);
    Label3->setText(languageWord + QLatin1Char(' ') + text("Labels", "ImportlblFile", "file"));
    hints_ = {
        {Label1, text("Strings", "DefaultF", "Set default file")},
        {ComboBox1, text("Strings", "DefaultF", "Set default file")},
        {CheckBox1, text("Strings", "LoadDefaultf", "Load default file at application start-up")},
        {CheckBox2, text("Strings", "Remeber1", "Remeber last position and size")},
        {CheckBox3, text("Strings", "Ani", "Disable or enable menu animations")},
        {CheckBox4, text("Strings", "AutoSave", "Automatically save changes")},
        {SpeedButton1, text("Strings", "LangBr", "Browse for language file")},
        {Button1, text("Strings", "CloseSave", "Close window and save settings")},
        {Button2, text("Strings", "CloseNoSave", "Close window without saving settings")},
    };
    for (const auto& [control, hint] : hints_) {
        static_cast<QWidget*>(control)->setMouseTracking(true);
        control->installEventFilter(this);
    }
}

void TfrmOpt::FillFromMainWindow()
{
    for (const std::string& name : form_.SchemeNames())
        ComboBox3->addItem(AnsiToQt(name));
    ComboBox3->setCurrentIndex(form_.CurrentSchemeIndex());
    for (const std::string& title : form_.libraryTitles_)
        ComboBox1->addItem(AnsiToQt(title));
}

bool TfrmOpt::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
        for (QComboBox* box : {ComboBox1, ComboBox2})
            if (watched == box || watched == box->lineEdit())
                return type == QEvent::KeyPress;
    }
    if (type == QEvent::MouseMove || type == QEvent::Enter) {
        const auto hint = hints_.find(watched);
        if (hint != hints_.end())
            FriendlyStatusBar1->showMessage(hint->second);
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmOpt::ComboBox2Change()
{
    const QString text = ComboBox2->currentText();
    if (ComboBox2->findText(text, Qt::MatchFixedString) < 0) {
        // A file of no language yet: the user names the language.
        Edit1->setText(Label2->text());
        Edit1->setFocus();
        Edit1->selectAll();
        return;
    }
    const std::string file = QtToAnsi(text);
    for (const std::string& name : ProfileKeys(settings_, "Language Files"))
        if (ProfileReadString(settings_, "Language Files", name, "") == file)
            Edit1->setText(AnsiToQt(name));
}

void TfrmOpt::SpeedButton1Click()
{
    TFileDialogSpec request;
    request.Title = QString::fromLatin1(kBrowseTitle);
    request.Filter = QStringLiteral("Language files|*.lng");
    const std::optional<QString> chosen = prompt_.OpenFileName(request);
    if (!chosen)
        return;
    // Only the name counts: language files are looked up in the
    // application folder.
    const std::string name = ExtractFileName(QtToAnsi(*chosen));
    ComboBox2->setEditText(AnsiToQt(name));
    ComboBox2Change();
    Edit1->setText(AnsiToQt(ChangeFileExt(name, "")));
    Edit1->setFocus();
    Edit1->selectAll();
}

void TfrmOpt::Button1Click()
{
    QApplication::processEvents();
    const int selected = SelectedScheme();
    // Typed text that names no scheme keeps the current one.
    std::string schemeKey = ProfileReadString(settings_, "Options", "CurrentParser", "");
    if (selected >= 0) {
        form_.currentSchemeIndex_ = selected;
        schemeKey = schemeKeys_[static_cast<size_t>(selected)];
    }
    try {
        WriteOptions(schemeKey);
        form_.SavePlacement(settings_);
    } catch (const std::exception& error) {
        // The writes stop here; the dialog stays for another try.
        prompt_.ShowError(AnsiToQt(error.what()));
        return;
    }
    if (form_.delphiVer_ == 0) {
        form_.LoadCurrentScheme();
        form_.ActiveParser->ReapplyToEditors();
        form_.LoadLanguageFile();
    }
    form_.LoadSettings();
    form_.ApplyHighlightingSource();
    QApplication::processEvents();
    accept();
}

void TfrmOpt::WriteOptions(const std::string& schemeKey)
{
    const std::string language = QtToAnsi(Edit1->text());
    ProfileWriteString(settings_, "Options", "DelphiVer", std::to_string(form_.delphiVer_));
    ProfileWriteString(settings_, "Options", "Highlighting", "0");
    ProfileWriteString(settings_, "Options", "LangSet", language);
    // An empty language name cannot be a key: nothing is registered then,
    // and LangSet names no language, so the default captions show.
    if (!language.empty())
        ProfileWriteString(settings_, "Language Files", language, QtToAnsi(ComboBox2->currentText()));
    ProfileWriteString(settings_, "Options", "CurrentParser", schemeKey);
    ProfileWriteString(settings_, "Options", "DefaultIni", QtToAnsi(ComboBox1->currentText()));
    WriteBool(settings_, "LoadDefault", CheckBox1->isChecked());
    WriteBool(settings_, "Remember", CheckBox2->isChecked());
    WriteBool(settings_, "Animated", CheckBox3->isChecked());
    WriteBool(settings_, "AutoSave", CheckBox4->isChecked());

    form_.loadDefault_ = CheckBox1->isChecked();
    form_.remember_ = CheckBox2->isChecked();
    form_.animated_ = CheckBox3->isChecked();
    form_.autoSaveOption_ = CheckBox4->isChecked();
    form_.autoSave_ = form_.autoSaveOption_;
    form_.defaultIni_ = QtToAnsi(ComboBox1->currentText());
}

void TfrmOpt::Button2Click()
{
    form_.Memo1->Editor().SetActiveParser(savedSlot_);
    reject();
}

}  // namespace tarnwick
