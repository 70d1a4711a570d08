// The new-library dialog and opening a library: validation, the file names
// it makes, registration under Files and File > Open, and the Open button.
#include "app_fixture.h"

#include "app/code_pane_host.h"
#include "app/new_library_dialog.h"
#include "library/library_check.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

namespace tarnwick::test {
namespace {

class NewLibraryTest : public AppFolderTest {
protected:
    TMainForm& StartForm()
    {
        InstallShippedLanguage();
        WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n"
                              "[Files]\r\nDelphi Code=lib.ini\r\n");
        WriteLibrary("lib.ini", {{"Main", "One", "first"}});
        return Form();
    }
    // Fills the dialog's fields and presses OK; true when the dialog closed.
    bool Create(TfrmNew& dialog, const QString& title, const QString& file)
    {
        dialog.edtNewTitle->setText(title);
        dialog.edtNewFile->setText(file);
        dialog.Button1Click();
        return dialog.result() == QDialog::Accepted;
    }
    QString InFolder(const std::string& name) const
    {
        return QString::fromStdString((folder_ / name).string());
    }
    QStringList OpenItems()
    {
        QStringList items;
        for (QAction* item : Form().Open1->actions())
            items << item->text();
        return items;
    }
};

TEST_F(NewLibraryTest, empty_fields_give_one_combined_message_and_the_dialog_stays)
{
    TMainForm& form = StartForm();
    TfrmNew dialog(form, prompt_);
    EXPECT_FALSE(Create(dialog, "", ""));
    ASSERT_EQ(prompt_.Messages.size(), 1);
    EXPECT_EQ(prompt_.Messages[0], "The library cannot be created : \n\n"
                                   "\nPlease enter a title for the library."
                                   "\nPlease enter a file name for the library."
                                   "\nThe folder of the file name does not exist.");

    // A name without a folder, and a folder that does not exist.
    for (const QString& file : {QStringLiteral("tools"), InFolder("nowhere/tools.ini")}) {
        prompt_.Messages.clear();
        EXPECT_FALSE(Create(dialog, "  Tools ", file));
        ASSERT_EQ(prompt_.Messages.size(), 1);
        EXPECT_EQ(prompt_.Messages[0], "The library cannot be created : \n\n"
                                       "\nThe folder of the file name does not exist.");
        EXPECT_EQ(dialog.edtNewFile->text(), file);
    }
    EXPECT_EQ(Setting("Files", "Tools"), "<absent>");
}

TEST_F(NewLibraryTest, file_names_the_dialog_makes)
{
    struct TRow {
        const char* name;
        std::string typed;   // in the application folder's "sub" folder
        std::string index;   // the index file made there
        std::string data;
    };
    const TRow rows[] = {
        {"no_extension", "tools", "tools.ini", "tools.dat"},
        {"lower_case_extension", "web.ini", "web.ini", "web.dat"},
        {"upper_case_extension_gets_another", "web.INI", "web.INI.ini", "web.INI.dat"},
        {"two_dots", "web.old", "web.old.ini", "web.old.dat"},
    };
    std::filesystem::create_directory(folder_ / "sub");
    TMainForm& form = StartForm();
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TfrmNew dialog(form, prompt_);
        EXPECT_TRUE(Create(dialog, QString::fromLatin1(row.name), InFolder("sub/" + row.typed)));
        EXPECT_EQ(ReadFile("sub/" + row.index), "[New Category]\r\nNew Title=0;0\r\n");
        EXPECT_TRUE(std::filesystem::exists(folder_ / "sub" / row.data));
        EXPECT_EQ(std::filesystem::file_size(folder_ / "sub" / row.data), 0u);
        EXPECT_EQ(Setting("Files", row.name), row.index);
        // Outside the program's folder the Open menu does not find it.
        ASSERT_FALSE(prompt_.Messages.isEmpty());
        EXPECT_EQ(prompt_.Messages.back().toStdString(), form.LanguageString(28));
        prompt_.Messages.clear();
    }
    EXPECT_EQ(OpenItems().size(), 5);
}

TEST_F(NewLibraryTest, browse_appends_ini_unless_it_is_there_in_any_case)
{
    TMainForm& form = StartForm();
    TfrmNew dialog(form, prompt_);
    prompt_.FileNames = {InFolder("a.INI"), InFolder("b"), InFolder("c.ini")};
    const QString expected[] = {InFolder("a.INI"), InFolder("b.ini"), InFolder("c.ini")};
    for (const QString& name : expected) {
        dialog.SpeedButton1Click();
        EXPECT_EQ(dialog.edtNewFile->text(), name);
    }
    // Cancelled: the field keeps its text.
    dialog.SpeedButton1Click();
    EXPECT_EQ(dialog.edtNewFile->text(), InFolder("c.ini"));
}

TEST_F(NewLibraryTest, an_existing_library_file_is_never_replaced)
{
    TMainForm& form = StartForm();
    WriteFile("only_data.dat", "precious");
    const std::string index = ReadFile("lib.ini");
    const std::string data = ReadFile("lib.dat");
    for (const char* name : {"lib.ini", "LIB.ini", "lib", "only_data.ini"}) {
        SCOPED_TRACE(name);
        TfrmNew dialog(form, prompt_);
        EXPECT_FALSE(Create(dialog, "Again", InFolder(name)));
        ASSERT_EQ(prompt_.Messages.size(), 1);
        EXPECT_TRUE(prompt_.Messages[0].contains("already exists"));
        prompt_.Messages.clear();
    }
    EXPECT_EQ(ReadFile("lib.ini"), index);
    EXPECT_EQ(ReadFile("lib.dat"), data);
    EXPECT_EQ(ReadFile("only_data.dat"), "precious");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "only_data.ini"));
    EXPECT_EQ(Setting("Files", "Again"), "<absent>");
}

TEST_F(NewLibraryTest, a_library_made_in_the_program_folder_opens_now_and_after_a_restart)
{
    TMainForm& form = StartForm();
    form.TreeView1->setCurrentItem(form.TreeView1->topLevelItem(0)->child(0));
    form.TreeView1Click();
    ASSERT_EQ(form.Memo1->Text(), "first");
    {
        TfrmNew dialog(form, prompt_);
        EXPECT_EQ(dialog.windowTitle(), "New INI file");
        EXPECT_EQ(dialog.Label1->text(), "Title :");
        EXPECT_EQ(dialog.Button1->text(), "&OK");
        EXPECT_TRUE(Create(dialog, "Mine", InFolder("mine")));
    }
    EXPECT_TRUE(prompt_.Messages.isEmpty());
    EXPECT_EQ(form.CurrentLibrary(), folder_ / "mine.ini");
    EXPECT_EQ(form.windowTitle(), "Tarnwick Version 2.41 - Mine");
    ASSERT_EQ(form.TreeView1->topLevelItemCount(), 1);
    QTreeWidgetItem* category = form.TreeView1->topLevelItem(0);
    EXPECT_EQ(category->text(0), "New Category");
    EXPECT_TRUE(category->isExpanded());
    ASSERT_EQ(category->childCount(), 1);
    EXPECT_EQ(category->child(0)->text(0), "New Title");
    EXPECT_EQ(form.Memo1->Text(), "");
    EXPECT_EQ(form.CurrentTitle(), "");
    EXPECT_EQ(OpenItems(), QStringList({"Delphi Code", "Mine"}));
    EXPECT_TRUE(form.Open1->actions()[1]->isChecked());
    EXPECT_FALSE(form.Open1->actions()[0]->isChecked());
    form.TreeView1->setCurrentItem(category->child(0));
    form.TreeView1Click();
    EXPECT_EQ(form.Memo1->Text(), "");
    EXPECT_TRUE(CheckLibrary((folder_ / "mine.ini").string()).Consistent());

    CloseForm();
    EXPECT_EQ(OpenItems(), QStringList({"Delphi Code", "Mine"}));
    EXPECT_EQ(Form().CurrentLibrary(), folder_ / "lib.ini");
    Form().Open1->actions()[1]->trigger();
    EXPECT_EQ(Form().CurrentLibrary(), folder_ / "mine.ini");
    EXPECT_EQ(Form().TreeView1->topLevelItem(0)->text(0), "New Category");
}

TEST_F(NewLibraryTest, a_title_registered_before_is_repointed_and_listed_twice)
{
    TMainForm& form = StartForm();
    {
        // The dialog is the window's child: it goes before the window does.
        TfrmNew dialog(form, prompt_);
        EXPECT_TRUE(Create(dialog, "Delphi Code", InFolder("second.ini")));
    }
    EXPECT_EQ(Setting("Files", "Delphi Code"), "second.ini");
    EXPECT_EQ(OpenItems(), QStringList({"Delphi Code", "Delphi Code"}));
    EXPECT_EQ(form.CurrentLibrary(), folder_ / "second.ini");
    CloseForm();
    EXPECT_EQ(OpenItems(), QStringList({"Delphi Code"}));
}

TEST_F(NewLibraryTest, enter_moves_through_the_fields_without_creating)
{
    TMainForm& form = StartForm();
    TfrmNew dialog(form, prompt_);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.edtNewTitle->setFocus();
    for (QWidget* next : {static_cast<QWidget*>(dialog.edtNewFile),
                          static_cast<QWidget*>(dialog.Button1)}) {
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(QApplication::focusWidget(), &enter);
        EXPECT_EQ(QApplication::focusWidget(), next);
    }
    EXPECT_TRUE(prompt_.Messages.isEmpty());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(NewLibraryTest, file_new_file_shows_the_dialog_modally)
{
    TMainForm& form = StartForm();
    QString caption;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<TfrmNew*>(QApplication::activeModalWidget())) {
            caption = dialog->windowTitle();
            dialog->Button2Click();
        }
    });
    ASSERT_TRUE(form.File2->isEnabled());
    form.File2->trigger();
    EXPECT_EQ(caption, "New INI file");
    EXPECT_EQ(form.CurrentLibrary(), folder_ / "lib.ini");
}

TEST_F(NewLibraryTest, open_button_loads_any_library_and_changes_no_setting)
{
    TMainForm& form = StartForm();
    WriteLibrary("elsewhere.ini", {{"Far", "Away", "x"}});
    const std::string settings = Settings();
    prompt_.FileNames = {InFolder("elsewhere.ini")};
    form.btnOpenClick();
    EXPECT_EQ(form.CurrentLibrary(), folder_ / "elsewhere.ini");
    EXPECT_EQ(form.TreeView1->topLevelItem(0)->text(0), "Far");
    EXPECT_EQ(form.windowTitle(), "Tarnwick Version 2.41 - Delphi Code");
    EXPECT_EQ(Settings(), settings);
    // Cancelled: nothing changes.
    form.btnOpenClick();
    EXPECT_EQ(form.CurrentLibrary(), folder_ / "elsewhere.ini");
}

}  // namespace
}  // namespace tarnwick::test
