// The main window's frame: captions from the language file, toolbar and
// status bar layout, start-up and shutdown settings, the tree.
#include "app_fixture.h"

#include "platform/file_io.h"
#include "platform/profile.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QToolBar>

namespace tarnwick::test {
namespace {

QStringList MenuBarTitles(TMainForm& form)
{
    QStringList titles;
    for (QAction* action : form.menuBar()->actions())
        titles << action->text();
    return titles;
}

TEST_F(AppFolderTest, captions_come_from_the_shipped_language_file)
{
    InstallShippedLanguage();
    TMainForm& form = Form();
    EXPECT_EQ(MenuBarTitles(form),
              QStringList({"&File", "&Edit", "Search", "&Options", "&Help"}));
    struct {
        const char* name;
        QAction* item;
        const char* caption;
    } const rows[] = {
        {"print_selected", form.SelectedCode1, "Selected code"},
        {"exit", form.Exit1, "E&xit"},
        {"word_wrap", form.Wordwrap1, "Word wrap"},
        {"category_font", form.TreeviewWindow1, "Treeview categories"},
        {"other_options", form.DefaultINIfile1, "Other options"},
        {"help_index", form.Index1, "Index"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row.item->text(), row.caption) << row.name;
    EXPECT_EQ(form.Label1->text(), "Categories/Titles");
    EXPECT_EQ(form.btnDelete->text(), "Delete");
    // The shipped file supplies every message the program uses by position.
    EXPECT_GE(form.LanguageStrings().size(), 29u);
    EXPECT_EQ(form.LanguageString(13), "New Category");
}

TEST_F(AppFolderTest, translated_captions_replace_the_designed_ones)
{
    WriteFile("main.ini", "[Options]\r\nLangSet=deutsch\r\n[Language Files]\r\ndeutsch=Deutsch.LNG\r\n");
    WriteFile("deutsch.lng",
              "[Menus]\nFile=&Datei\nExit=&Beenden\nPrintSel=Auswahl\n"
              "[Buttons]\nDel=L\xf6schen\n"
              "[Labels]\nMainCategories=Kategorien\nMainCode=Quelltext\n"
              "[Fonts]\nBold=1\nSize=10\n"
              "[Strings]\nzero=null\none=eins\nzero=zwei\n");
    TMainForm& form = Form();
    EXPECT_EQ(form.File1->title(), "&Datei");
    EXPECT_EQ(form.Exit1->text(), "&Beenden");
    EXPECT_EQ(form.SelectedCode1->text(), "Auswahl");
    EXPECT_EQ(form.btnDelete->text(), QString::fromUtf8("L\u00f6schen"));
    EXPECT_EQ(form.Label2->text(), "Quelltext");
    EXPECT_EQ(form.StatusBar1->PanelText(0), "Kategorien");
    // Keys absent from the file take the table's defaults.
    EXPECT_EQ(form.Edit2->title(), "&Edit");
    EXPECT_TRUE(form.btnOpen->font().bold());
    EXPECT_EQ(form.Label1->font().pointSize(), 10);
    // Entries are taken in file order; a repeated key yields the first value.
    EXPECT_EQ(form.LanguageStrings(), (std::vector<std::string>{"null", "eins", "null"}));
}

TEST_F(AppFolderTest, missing_language_file_keeps_designed_captions_and_no_strings)
{
    TMainForm& form = Form();
    EXPECT_EQ(form.Exit1->text(), "&Exit");
    EXPECT_TRUE(form.LanguageStrings().empty());
    EXPECT_THROW(form.LanguageString(28), std::out_of_range);
}

TEST_F(AppFolderTest, status_bar_has_three_fixed_panels)
{
    InstallShippedLanguage();
    TMainForm& form = Form();
    ASSERT_EQ(form.StatusBar1->PanelCount(), 3);
    const int widths[] = {152, 189, 189};
    const char* words[] = {"Categories", "Titles", "Code Size"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(form.StatusBar1->PanelWidth(i), widths[i]) << i;
        EXPECT_EQ(form.StatusBar1->PanelText(i), words[i]) << i;
    }
    EXPECT_EQ(form.StatusBar1->PanelText(3), "");
}

TEST_F(AppFolderTest, toolbar_buttons_follow_the_window_width)
{
    InstallShippedLanguage();
    TMainForm& form = Form();
    QStringList captions;
    for (QAction* action : form.ToolBar1->actions())
        if (auto* button = qobject_cast<TFlatButton*>(form.ToolBar1->widgetForAction(action)))
            captions << button->text();
    EXPECT_EQ(captions,
              QStringList({"Open", "Copy", "Delete", "Save", "Help", "About", "Exit"}));
    EXPECT_EQ(form.btnOpen->width(), 76);
    form.show();
    form.resize(1000, 500);
    QCoreApplication::processEvents();
    EXPECT_EQ(form.btnOpen->width(), 140);
    EXPECT_EQ(form.btnExit->maximumWidth(), 140);
    // The caption strip's label over the tree is as wide as the tree.
    EXPECT_EQ(form.Label1->width(), form.TreeView1->width());
}

TEST_F(AppFolderTest, toolbar_hint_replaces_and_restores_panel_zero)
{
    InstallShippedLanguage();
    TMainForm& form = Form();
    form.StatusBar1->SetPanelText(0, "7 Categories");
    form.btnOpenMouseEnter(form.btnSave);
    EXPECT_EQ(form.StatusBar1->PanelText(0), "Save current entry");
    form.btnOpenMouseExit(form.btnSave);
    EXPECT_EQ(form.StatusBar1->PanelText(0), "7 Categories");
}

TEST_F(AppFolderTest, unwritable_settings_are_reported_and_the_window_still_opens)
{
    InstallShippedLanguage();
    SetFileFaultHook([](TFileOp op, const std::filesystem::path&) {
        return op == TFileOp::Write || op == TFileOp::Rename;
    });
    TMainForm& form = Form();
    SetFileFaultHook(nullptr);
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_TRUE(prompt_.Errors[0].startsWith("Unable to write to")) << prompt_.Errors[0].toStdString();
    EXPECT_EQ(form.Exit1->text(), "E&xit");
    EXPECT_EQ(form.StatusBar1->PanelCount(), 3);
}

TEST_F(AppFolderTest, tree_font_size_is_the_larger_of_both)
{
    WriteFile("main.ini", "[Options]\nHasRun1=1\n[Fonts]\nTreeWinSize=8\nTreeTitleSize=14\n");
    EXPECT_EQ(Form().TreeView1->font().pointSize(), 14);
}

TEST_F(AppFolderTest, library_tree_is_sorted_and_counted)
{
    InstallShippedLanguage();
    WriteFile("main.ini", "[Options]\nHasRun1=1\nLoadDefault=1\n[Files]\nDelphi Code=lib.ini\n");
    WriteFile("lib.ini", "[b]\nz=0;0\ny=0;0\n[A]\nx=0;0\n[c]\n[B]\nw=0;0\n");
    TMainForm& form = Form();
    QStringList categories;
    for (int i = 0; i < form.TreeView1->topLevelItemCount(); ++i)
        categories << form.TreeView1->topLevelItem(i)->text(0);
    EXPECT_EQ(categories, QStringList({"A", "b", "c"}));
    EXPECT_EQ(form.TreeView1->topLevelItem(1)->child(0)->text(0), "y");
    EXPECT_EQ(form.StatusBar1->PanelText(0), "3 Categories");
    EXPECT_EQ(form.StatusBar1->PanelText(1), "3 Titles");
    EXPECT_EQ(form.TreeView1->currentItem(), form.TreeView1->topLevelItem(0));
}

TEST_F(AppFolderTest, default_library_is_current_even_when_not_loaded)
{
    WriteFile("main.ini", "[Options]\nHasRun1=1\n[Files]\nDelphi Code=Sub\\Lib.ini\n");
    TMainForm& form = Form();
    EXPECT_EQ(form.TreeView1->topLevelItemCount(), 0);
    EXPECT_EQ(form.CurrentLibrary(), folder_ / "Sub" / "Lib.ini");
}

TEST_F(AppFolderTest, open_menu_checks_only_the_exact_default_title)
{
    WriteFile("main.ini", "[Options]\nHasRun1=1\nDefaultIni=Delphi Code\n"
                          "[Files]\nDELPHI CODE=a.ini\nWeb & Net=b.ini\n");
    TMainForm& form = Form();
    const QList<QAction*> items = form.Open1->actions();
    ASSERT_EQ(items.size(), 2);
    EXPECT_FALSE(items[0]->isChecked());
    EXPECT_EQ(items[1]->text(), "Web && Net");
    EXPECT_EQ(form.windowTitle(), "Tarnwick Version 2.41");
}

TEST_F(AppFolderTest, open_item_without_data_file_reports_and_changes_nothing)
{
    InstallShippedLanguage();
    WriteFile("main.ini", "[Options]\nHasRun1=1\n[Files]\nDelphi Code=a.ini\nOther=b.ini\n");
    WriteFile("a.ini", "[Cat]\nT=0;0\n");
    WriteFile("a.dat", "");
    WriteFile("b.ini", "[Other]\nU=0;0\n");
    TMainForm& form = Form();
    const QList<QAction*> items = form.Open1->actions();
    ASSERT_EQ(items.size(), 2);
    items[1]->trigger();
    ASSERT_EQ(prompt_.Messages.size(), 1);
    EXPECT_EQ(prompt_.Messages[0].toStdString(), form.LanguageString(28));
    EXPECT_TRUE(items[0]->isChecked());
    EXPECT_FALSE(items[1]->isChecked());
    EXPECT_EQ(form.CurrentLibrary(), folder_ / "a.ini");

    WriteFile("b.dat", "");
    items[1]->trigger();
    EXPECT_TRUE(items[1]->isChecked());
    EXPECT_EQ(form.TreeView1->topLevelItem(0)->text(0), "Other");
    EXPECT_EQ(form.windowTitle(), "Tarnwick Version 2.41 - Other");
}

TEST_F(AppFolderTest, nodes_take_their_level_font_and_selection_is_yellow)
{
    WriteFile("main.ini", "[Options]\nHasRun1=1\nLoadDefault=1\n[Files]\nDelphi Code=l.ini\n"
                          "[Fonts]\nTreeWinColor=0x00FF00\nTreeWinBold=1\nTreeTitleColor=16711680\n");
    WriteFile("l.ini", "[Cat]\nTitle=0;0\n");
    TMainForm& form = Form();
    QTreeWidgetItem* category = form.TreeView1->topLevelItem(0);
    QTreeWidgetItem* title = category->child(0);
    form.TreeView1->setCurrentItem(title);
    QFont font;
    QColor colour;
    form.TreeView1->NodeFont(category, font, colour);
    EXPECT_EQ(colour, QColor(0, 0xFF, 0));
    EXPECT_TRUE(font.bold());
    form.TreeView1->NodeFont(title, font, colour);
    EXPECT_EQ(colour, QColor(255, 255, 0));
    form.TreeView1->clearSelection();
    form.TreeView1->NodeFont(title, font, colour);
    EXPECT_EQ(colour, QColor(0, 0, 255));
}

TEST_F(AppFolderTest, category_font_command_writes_its_keys)
{
    WriteFile("main.ini", "[Options]\nHasRun1=1\n[Fonts]\nTreeTitleSize=9\n");
    TFontChoice choice;
    choice.Font = QFont("DejaVu Sans", 16);
    choice.Font.setItalic(true);
    choice.Colour = QColor(1, 2, 3);
    prompt_.Fonts.push_back(choice);
    TMainForm& form = Form();
    form.TreeviewWindow1Click();
    const std::string settings = (folder_ / "main.ini").string();
    EXPECT_EQ(ProfileReadString(settings, "Fonts", "TreeWinItalic", ""), "1");
    EXPECT_EQ(ProfileReadString(settings, "Fonts", "TreeWinBold", ""), "0");
    EXPECT_EQ(ProfileReadString(settings, "Fonts", "TreeWinSize", ""), "16");
    EXPECT_EQ(ProfileReadString(settings, "Fonts", "TreeWinColor", ""), "197121");
    EXPECT_EQ(ProfileReadString(settings, "Fonts", "TreeCatFontSet", ""), "1");
    EXPECT_EQ(form.CategoryFont().Size, 16);
    EXPECT_EQ(form.TreeView1->font().pointSize(), 16);

    // Cancelling changes nothing.
    form.TreeViewtitles1Click();
    EXPECT_EQ(ProfileReadString(settings, "Fonts", "TreeTitleName", "none"), "none");
}

}  // namespace
}  // namespace tarnwick::test
