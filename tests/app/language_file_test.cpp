// Language files: the captions, font, status words and positional strings
// the main window takes from them, and what a missing or partial file does.
#include "app_fixture.h"

#include "app/language_file.h"
#include "chrome/ansi_text.h"

#include <QLabel>

#include <QMenuBar>

namespace tarnwick::test {
namespace {

// Every caption the main window takes from a language file, with its key.
struct TCaptionRow {
    const char* Section;
    const char* Key;
    QString Caption;
};

std::vector<TCaptionRow> Captions(TMainForm& form)
{
    return {
        {"Menus", "File", form.File1->title()},
        {"Menus", "New", form.New1->title()},
        {"Menus", "NewFile", form.File2->text()},
        {"Menus", "NewCat", form.NewCategory1->text()},
        {"Menus", "NewCode", form.NewCode1->text()},
        {"Menus", "Open", form.Open1->title()},
        {"Menus", "Import", form.Import1->text()},
        {"Menus", "PageSetup", form.Pagesetup1->text()},
        {"Menus", "Print", form.Print1->title()},
        {"Menus", "PrintSel", form.SelectedCode1->text()},
        {"Menus", "PrintCat", form.Category2->text()},
        {"Menus", "PrintAll", form.All1->text()},
        {"Menus", "Exit", form.Exit1->text()},
        {"Menus", "Edit", form.Edit2->title()},
        {"Menus", "EditUndo", form.Undo1->text()},
        {"Menus", "EditCut", form.Cut1->text()},
        {"Menus", "EditCopy", form.Copy1->text()},
        {"Menus", "EditPaste", form.Paste1->text()},
        {"Menus", "EditDelete", form.Delete1->text()},
        {"Menus", "EditSelAll", form.SelectAll1->text()},
        {"Menus", "EditTime", form.TimeDate1->text()},
        {"Menus", "EditWrap", form.Wordwrap1->text()},
        {"Menus", "Opt", form.Options1->title()},
        {"Menus", "OptFont", form.Fonts1->title()},
        {"Menus", "OptFontCode", form.CodeWindow1->text()},
        {"Menus", "OptFontTreeCat", form.TreeviewWindow1->text()},
        {"Menus", "OptFontTreeTitle", form.TreeViewtitles1->text()},
        {"Menus", "OptOther", form.DefaultINIfile1->text()},
        {"Menus", "Help", form.Help1->title()},
        {"Menus", "HelpCon", form.Contents1->text()},
        {"Menus", "HelpIdx", form.Index1->text()},
        {"Menus", "HelpAbout", form.About1->text()},
        {"Buttons", "Open", form.btnOpen->text()},
        {"Buttons", "Copy", form.btnCopy->text()},
        {"Buttons", "Del", form.btnDelete->text()},
        {"Buttons", "Save", form.btnSave->text()},
        {"Buttons", "Help", form.btnHelp->text()},
        {"Buttons", "About", form.btnAbout->text()},
        {"Buttons", "Exit", form.btnExit->text()},
        {"Labels", "MainCatTitles", form.Label1->text()},
        {"Labels", "MainCode", form.Label2->text()},
        {"Labels", "MainCategories", form.StatusBar1->PanelText(0)},
        {"Labels", "MainTitles", form.StatusBar1->PanelText(1)},
        {"Labels", "MainCodeSize", form.StatusBar1->PanelText(2)},
    };
}

// Both shipped languages give every caption and every positional string.
TEST_F(AppFolderTest, shipped_languages_are_complete)
{
    InstallShippedLanguage("english.lng");
    InstallShippedLanguage("german.lng");
    for (const char* language : {"english", "german"}) {
        WriteFile("main.ini", std::string("[Options]\r\nHasRun1=1\r\nLangSet=") + language +
                                  "\r\n[Language Files]\r\nenglish=english.lng\r\n"
                                  "german=german.lng\r\n");
        const std::optional<TLanguageFile> file =
            TLanguageFile::Load(TLanguageFile::Locate(folder_));
        ASSERT_TRUE(file) << language;
        TMainForm& form = Form();
        for (const TCaptionRow& row : Captions(form)) {
            const std::string stored = file->Read(row.Section, row.Key, "<absent>");
            EXPECT_NE(stored, "<absent>") << language << " " << row.Key;
            EXPECT_EQ(row.Caption, AnsiToQt(stored)) << language << " " << row.Key;
        }
        EXPECT_EQ(form.LanguageStrings().size(), 29u) << language;
        for (const char* key : {"Langmsg", "DefaultF", "LoadDefaultf", "Remeber1", "Ani",
                                "AutoSave", "CloseSave", "CloseNoSave", "LangBr"})
            EXPECT_NE(file->Read("Strings", key, "<absent>"), "<absent>") << language << key;
        form_.reset();
    }
    // The German file is what it says.
    WriteFile("main.ini", "[Options]\r\nLangSet=german\r\n[Language Files]\r\ngerman=german.lng\r\n");
    EXPECT_EQ(Form().Exit1->text(), "&Beenden");
    EXPECT_EQ(Form().LanguageString(13), "Neue Kategorie");
}

TEST_F(AppFolderTest, strings_are_used_by_position_whatever_their_keys)
{
    std::string strings = "[Strings]\r\n";
    for (int i = 0; i < 29; ++i)
        strings += "k" + std::to_string(i * 7 % 29) + "=text " + std::to_string(i) + "\r\n";
    WriteFile("english.lng", strings);
    TMainForm& form = Form();
    ASSERT_EQ(form.LanguageStrings().size(), 29u);
    for (size_t i : {0u, 3u, 13u, 15u, 28u})
        EXPECT_EQ(form.LanguageString(i), "text " + std::to_string(i)) << i;
    EXPECT_THROW(form.LanguageString(29), std::out_of_range);
    // The Other options dialog's lookups by name find nothing here.
    const std::optional<TLanguageFile> file = TLanguageFile::Load(folder_ / "english.lng");
    EXPECT_EQ(file->Read("Strings", "Langmsg", "Language"), "Language");
}

TEST_F(AppFolderTest, a_file_without_menus_gives_the_table_defaults)
{
    WriteFile("english.lng", "[Buttons]\r\nOpen=\r\n[Strings]\r\na=1\r\n");
    TMainForm& form = Form();
    // The designed captions differ from the table's defaults for some items.
    EXPECT_EQ(form.SelectedCode1->text(), "Selected code");
    EXPECT_EQ(form.Exit1->text(), "E&xit");
    EXPECT_EQ(form.File1->title(), "&File");
    // A key present with an empty value gives an empty caption.
    EXPECT_EQ(form.btnOpen->text(), "");
    EXPECT_EQ(form.btnCopy->text(), "Copy");
}

TEST_F(AppFolderTest, language_font_reaches_toolbar_and_caption_strip_only)
{
    WriteFile("english.lng", "[Fonts]\r\nName=DejaVu Sans\r\nSize=10\r\nBold=1\r\nItalic=0\r\n"
                             "Underline=1\r\n[Strings]\r\na=1\r\n");
    TMainForm& form = Form();
    for (QWidget* widget : std::initializer_list<QWidget*>{
             form.btnOpen, form.btnCopy, form.btnDelete, form.btnSave, form.btnHelp,
             form.btnAbout, form.btnExit, form.Label1, form.Label2}) {
        EXPECT_EQ(widget->font().pointSize(), 10) << widget->objectName().toStdString();
        EXPECT_TRUE(widget->font().bold());
        EXPECT_TRUE(widget->font().underline());
        EXPECT_FALSE(widget->font().italic());
    }
    EXPECT_FALSE(form.TreeView1->font().bold());
}

TEST_F(AppFolderTest, a_missing_language_file_changes_nothing)
{
    InstallShippedLanguage();
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n");
    TMainForm& form = Form();
    const QString exit = form.Exit1->text();
    const std::vector<std::string> strings = form.LanguageStrings();
    ProfileWriteString((folder_ / "main.ini").string(), "Options", "LangSet", "klingon");
    ProfileWriteString((folder_ / "main.ini").string(), "Language Files", "klingon", "tlh.lng");
    form.LoadLanguageFile();
    EXPECT_EQ(form.Exit1->text(), exit);
    EXPECT_EQ(form.LanguageStrings(), strings);
    EXPECT_EQ(form.StatusBar1->PanelText(2), "Code Size");
    // A folder where the file should be counts as missing too.
    std::filesystem::create_directory(folder_ / "tlh.lng");
    form.LoadLanguageFile();
    EXPECT_EQ(form.LanguageStrings(), strings);
}

TEST_F(AppFolderTest, status_words_prefix_the_counts)
{
    WriteFile("english.lng", "[Labels]\r\nMainCategories=Kat.\r\nMainTitles=Tit.\r\n[Strings]\r\na=1\r\n");
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n[Files]\r\nDelphi Code=l.ini\r\n");
    WriteLibrary("l.ini", {{"A", "x", "1"}, {"B", "y", "2"}});
    TMainForm& form = Form();
    EXPECT_EQ(form.StatusBar1->PanelText(0), "2 Kat.");
    EXPECT_EQ(form.StatusBar1->PanelText(1), "2 Tit.");
}

TEST_F(AppFolderTest, language_file_is_found_through_main_ini)
{
    struct {
        const char* name;
        const char* settings;
        const char* file;
    } const rows[] = {
        {"no_main_ini", nullptr, "english.lng"},
        {"language_without_file_entry", "[Options]\r\nLangSet=german\r\n", "english.lng"},
        {"registered_language", "[Options]\r\nLangSet=german\r\n[Language Files]\r\nGERMAN=de\\German.LNG\r\n",
         "de/German.LNG"},
        {"default_language_registered", "[Language Files]\r\nenglish=en.lng\r\n", "en.lng"},
    };
    for (const auto& row : rows) {
        std::filesystem::remove(folder_ / "main.ini");
        if (row.settings)
            WriteFile("main.ini", row.settings);
        EXPECT_EQ(TLanguageFile::Locate(folder_), folder_ / row.file) << row.name;
    }
}

}  // namespace
}  // namespace tarnwick::test
