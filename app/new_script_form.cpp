// The Add new script dialog.
#include "app/new_script_form.h"

#include "app/main_form.h"
#include "app/options_form.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace tarnwick {

TfrmNewScript::TfrmNewScript(TfrmOpt& options, TPrompt& prompt)
    : QDialog(&options), options_(options), prompt_(prompt)
{
    setWindowTitle(QString::fromLatin1(kCaption));
    Edit1 = new QLineEdit(this);
    Edit2 = new QComboBox(this);
    Edit2->setEditable(true);
    Edit2->setInsertPolicy(QComboBox::NoInsert);
    const std::filesystem::path scripts = ResolveFileName("Scripts", options.MainForm().AppFolder());
    const QDir folder(QFile::decodeName(scripts.string().c_str()));
    Edit2->addItems(folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name | QDir::IgnoreCase));
    Edit2->setEditText(QString());
    Button1 = new QPushButton(QStringLiteral("&OK"), this);
    Button2 = new QPushButton(QStringLiteral("&Cancel"), this);
    Button1->setDefault(true);
    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Script name : "), this), 0, 0);
    layout->addWidget(Edit1, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Script file : "), this), 1, 0);
    layout->addWidget(Edit2, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    layout->addLayout(buttons, 2, 0, 1, 2);
    connect(Button1, &QPushButton::clicked, this, &TfrmNewScript::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TfrmNewScript::Button2Click);
}

void TfrmNewScript::Button1Click()
{
    const std::string name = QtToAnsi(Edit1->text().trimmed());
    // An empty name would be no key, and a second entry under a name
    // already registered would replace that scheme: both are refused.
    if (name.empty()) {
        prompt_.ShowError(QStringLiteral("Please enter a script name."));
        return;
    }
    for (const std::string& key : options_.SchemeKeys())
        if (SameTextAscii(key, name)) {
            prompt_.ShowError(AnsiToQt("A script named " + key + " is registered already."));
            return;
        }
    const std::filesystem::path& appFolder = options_.MainForm().AppFolder();
    std::string relative = "scripts\\" + QtToAnsi(Edit2->currentText());
    if (!FileExists(ResolveFileName(relative, appFolder))) {
        const std::string fullPath = (appFolder / "").string() + relative;
        const QString text =
            AnsiToQt("The file " + fullPath + " was not found. ") + QLatin1Char('\r') +
            QStringLiteral("Click the Retry button and enter a valid file name or") +
            QLatin1Char('\r') +
            QStringLiteral(" or click on the Cancel button to abort this operation");
        if (prompt_.Ask(text, TPromptButtons::RetryCancel) != TPromptAnswer::Retry)
            reject();
        return;
    }
    relative = ChangeFileExt(relative, ".dat");
    try {
        ProfileWriteString(options_.SettingsFile(), "Scripts", name, name + ";" + relative);
    } catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
        return;
    }
    options_.AddSchemeKey(name);
    accept();
}

void TfrmNewScript::Button2Click()
{
    reject();
}

}  // namespace tarnwick
