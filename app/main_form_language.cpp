// TMainForm, part 3: the language file — captions of the menus, toolbar,
// caption strip and status bar, the language font and the language strings.
#include "app/main_form.h"

#include "app/language_file.h"
#include "chrome/ansi_text.h"

#include <QLabel>
#include <QMenu>

namespace tarnwick {

void TMainForm::LoadLanguageFile()
{
    ApplyLanguageFile(TLanguageFile::Locate(appFolder_));
}

void TMainForm::ApplyLanguageFile(const std::filesystem::path& path)
{
    const std::optional<TLanguageFile> file = TLanguageFile::Load(path);
    if (!file)
        return;
    languageStrings_ = file->Strings();
    const TLanguageFont languageFont = file->Font();

    struct TCaption {
        QAction* Target;
        const char* Key;
        const char* Default;
    };
    const TCaption menus[] = {
        {File1->menuAction(), "File", "&File"},
        {New1->menuAction(), "New", "New"},
        {File2, "NewFile", "File"},
        {NewCategory1, "NewCat", "Category"},
        {NewCode1, "NewCode", "Code"},
        {Open1->menuAction(), "Open", "Open"},
        {Import1, "Import", "Import"},
        {Pagesetup1, "PageSetup", "Page setup"},
        {Print1->menuAction(), "Print", "Print"},
        {SelectedCode1, "PrintSel", "Selected code"},
        {Category2, "PrintCat", "Category"},
        {All1, "PrintAll", "All"},
        {Exit1, "Exit", "E&xit"},
        {Edit2->menuAction(), "Edit", "&Edit"},
        {Undo1, "EditUndo", "&Undo"},
        {Cut1, "EditCut", "Cu&t"},
        {Copy1, "EditCopy", "&Copy"},
        {Paste1, "EditPaste", "&Paste"},
        {Delete1, "EditDelete", "De&lete"},
        {SelectAll1, "EditSelAll", "Select &All"},
        {TimeDate1, "EditTime", "Time/&Date"},
        {Wordwrap1, "EditWrap", "Word wrap"},
        {Options1->menuAction(), "Opt", "&Options"},
        {Fonts1->menuAction(), "OptFont", "Fonts"},
        {CodeWindow1, "OptFontCode", "Code window"},
        {TreeviewWindow1, "OptFontTreeCat", "Treeview categories"},
        {TreeViewtitles1, "OptFontTreeTitle", "Treeview titles"},
        {DefaultINIfile1, "OptOther", "Other options"},
        {Help1->menuAction(), "Help", "&Help"},
        {Contents1, "HelpCon", "Contents"},
        {Index1, "HelpIdx", "Index"},
        {About1, "HelpAbout", "About"},
    };
    for (const TCaption& caption : menus)
        caption.Target->setText(AnsiToQt(file->Read("Menus", caption.Key, caption.Default)));

    struct TButtonCaption {
        TFlatButton* Target;
        const char* Key;
        const char* Default;
    };
    const TButtonCaption buttons[] = {
        {btnOpen, "Open", "Open"}, {btnCopy, "Copy", "Copy"},    {btnDelete, "Del", "Delete"},
        {btnSave, "Save", "Save"}, {btnHelp, "Help", "Help"},    {btnAbout, "About", "About"},
        {btnExit, "Exit", "Exit"},
    };
    for (const TButtonCaption& caption : buttons)
        caption.Target->setText(AnsiToQt(file->Read("Buttons", caption.Key, caption.Default)));

    ApplySearchLanguage(*file);
    Label1->setText(AnsiToQt(file->Read("Labels", "MainCatTitles", "Categories/Titles")));
    Label2->setText(AnsiToQt(file->Read("Labels", "MainCode", "Code")));
    wordCategories_ = AnsiToQt(file->Read("Labels", "MainCategories", "Categories"));
    wordTitles_ = AnsiToQt(file->Read("Labels", "MainTitles", "Titles"));
    wordCodeSize_ = AnsiToQt(file->Read("Labels", "MainCodeSize", "Code Size"));
    StatusBar1->SetPanelText(0, wordCategories_);
    StatusBar1->SetPanelText(1, wordTitles_);
    StatusBar1->SetPanelText(2, wordCodeSize_);

    QFont font(AnsiToQt(languageFont.Name));
    if (languageFont.Size > 0)
        font.setPointSize(languageFont.Size);
    font.setBold(languageFont.Style & 1);
    font.setItalic(languageFont.Style & 2);
    font.setUnderline(languageFont.Style & 4);
    font.setStrikeOut(languageFont.Style & 8);
    for (const TButtonCaption& caption : buttons)
        caption.Target->setFont(font);
    Label1->setFont(font);
    Label2->setFont(font);
}

}  // namespace tarnwick
