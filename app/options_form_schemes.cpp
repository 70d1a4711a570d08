// The "Syntax highlighting" group of the Other options dialog: choosing a
// scheme, Edit properties / Enable for D2..D4, and Add new script.
#include "app/options_form.h"

#include "app/code_pane_host.h"
#include "app/main_form.h"
#include "app/new_script_form.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "library/library_format.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"
#include "scheme/code_memo_parser.h"
#include "scheme/ide_bridge.h"

#include <QComboBox>
#include <QPushButton>
#include <QStatusBar>

namespace tarnwick {

int TfrmOpt::SelectedScheme() const
{
    // The list is editable: only text that is one of its entries selects.
    const int index = ComboBox3->findText(ComboBox3->currentText(), Qt::MatchExactly);
    if (index < 0 || index >= static_cast<int>(schemeKeys_.size()))
        return -1;
    return index;
}

void TfrmOpt::AddSchemeKey(const std::string& key)
{
    schemeKeys_.push_back(key);
    ComboBox3->addItem(AnsiToQt(key));
}

void TfrmOpt::ComboBox3Change()
{
    Button3->setText(QString::fromLatin1(kEditProperties));
    const QString entry = ComboBox3->currentText();
    FriendlyStatusBar1->showMessage(entry);
    const std::string upper = UpperCaseAscii(QtToAnsi(entry));
    for (int version = 2; version <= 4; ++version) {
        if (upper == "DELPHI " + std::to_string(version) + " REGISTRY SETTINGS") {
            Button3->setText(QStringLiteral("Enable for D%1").arg(version));
            form_.delphiVer_ = version;
            return;
        }
    }
    form_.delphiVer_ = 0;
}

void TfrmOpt::Button3Click()
{
    const int source = form_.delphiVer_;
    if (source == 0) {
        EditSchemeProperties();
        return;
    }
    if (source < 2 || source > 4)
        return;
    // An IDE version that is not installed raises its error; nothing is
    // copied then.
    try {
        SetToDelphi(*form_.ActiveParser, static_cast<char>('0' + source));
        form_.ActiveParser->Assign(*form_.Parser1);
    } catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
    }
}

void TfrmOpt::EditSchemeProperties()
{
    const int selected = SelectedScheme();
    if (selected < 0)
        return;
    const std::string key = schemeKeys_[static_cast<size_t>(selected)];
    const std::string value = ProfileReadString(settings_, "Scripts", key, "");
    const std::string schemeFile(GetField(value, ";", 1));
    if (schemeFile.empty()) {
        // Without a scheme file there is nowhere to keep the result.
        prompt_.ShowError(AnsiToQt("The scheme " + key + " names no scheme file."));
        return;
    }
    TCodeMemoParser& work = *form_.Parser1;
    work.Script = ResolveFileName(ChangeFileExt(schemeFile, ".txt"), form_.AppFolder()).string();
    try {
        // A missing script compiles nothing: the dialog shows what the work
        // scheme holds.
        work.CompileScriptFile();
    } catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
        return;
    }
    const bool confirmed = work.OnShowOptionsDialog && work.OnShowOptionsDialog(work);
    if (!confirmed) {
        form_.Memo1->Editor().SetActiveParser(1);
        return;
    }
    form_.ActiveParser->Assign(work);
    const std::string compiled = form_.ActiveParser->SaveToBytes();
    try {
        WriteFileAtomically(ResolveFileName(ChangeFileExt(schemeFile, ".dat"), form_.AppFolder()),
                            compiled);
    } catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
    }
}

void TfrmOpt::Button4Click()
{
    TfrmNewScript dialog(*this, prompt_);
    dialog.exec();
}

}  // namespace tarnwick
