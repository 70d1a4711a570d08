// The Other options dialog: what it shows of main.ini, what OK writes and
// applies, the language choice, and Cancel.
#include "app/options_form.h"

#include "app_fixture.h"
#include "app/code_pane_host.h"
#include "editor/code_memo.h"
#include "platform/file_io.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QTest>
#include <QToolButton>

namespace tarnwick::test {
namespace {

class OptionsFormTest : public AppFolderTest {
protected:
    TfrmOpt& Dialog()
    {
        if (!dialog_)
            dialog_ = std::make_unique<TfrmOpt>(Form(), prompt_);
        return *dialog_;
    }
    void TearDown() override
    {
        dialog_.reset();
        AppFolderTest::TearDown();
    }
    std::unique_ptr<TfrmOpt> dialog_;
};

TEST_F(OptionsFormTest, ok_writes_every_option_and_the_window_takes_them)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nRemember=0\r\nLeft=5\r\nTop=6\r\nWidth=700\r\n"
                          "Height=500\r\nWindowState=0\r\nHighlighting=1\r\n"
                          "[Files]\r\nMine=mine.ini\r\nOther=other.ini\r\n");
    TfrmOpt& dialog = Dialog();
    // No AutoSave key: start-up treats it as off, the dialog as on.
    EXPECT_FALSE(Form().AutoSaveOption());
    EXPECT_TRUE(dialog.CheckBox4->isChecked());
    EXPECT_TRUE(dialog.CheckBox3->isChecked());
    EXPECT_FALSE(dialog.CheckBox5->isEnabled());
    EXPECT_EQ(dialog.ComboBox1->count(), 2);
    EXPECT_EQ(dialog.ComboBox1->itemText(1), "Other");

    dialog.ComboBox1->setCurrentIndex(1);
    dialog.CheckBox3->setChecked(false);
    dialog.Button1Click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Setting("Options", "AutoSave"), "1");
    EXPECT_EQ(Setting("Options", "Highlighting"), "0");
    EXPECT_EQ(Setting("Options", "Animated"), "0");
    EXPECT_EQ(Setting("Options", "DefaultIni"), "Other");
    EXPECT_EQ(Setting("Options", "DelphiVer"), "0");
    EXPECT_EQ(Setting("Options", "LangSet"), "english.lng");
    for (const char* key : {"Left", "Top", "Width", "Height", "WindowState"})
        EXPECT_EQ(Setting("Options", key), "<absent>") << key;
    EXPECT_TRUE(Form().AutoSaveOption());
    EXPECT_FALSE(Form().Animated());
    EXPECT_EQ(Form().DefaultLibraryTitle(), "Other");
    EXPECT_EQ(Form().CurrentLibrary().filename(), "other.ini");
}

TEST_F(OptionsFormTest, ok_with_remember_writes_the_placement)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n");
    TfrmOpt& dialog = Dialog();
    dialog.CheckBox2->setChecked(true);
    dialog.Button1Click();
    EXPECT_EQ(Setting("Options", "Remember"), "1");
    EXPECT_EQ(Setting("Options", "Width"), std::to_string(Form().width()));
    EXPECT_EQ(Setting("Options", "WindowState"), "0");
}

TEST_F(OptionsFormTest, a_failed_write_stops_ok_and_keeps_the_dialog)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nAutoSave=0\r\n");
    TfrmOpt& dialog = Dialog();
    dialog.CheckBox4->setChecked(true);
    SetFileFaultHook([](TFileOp op, const std::filesystem::path&) {
        return op == TFileOp::Write || op == TFileOp::Rename;
    });
    dialog.Button1Click();
    SetFileFaultHook(nullptr);
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_EQ(prompt_.Errors[0], "Unable to write to " + QString::fromStdString(Form().SettingsFile()));
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(Setting("Options", "Highlighting"), "<absent>");
    EXPECT_FALSE(Form().AutoSaveOption());
}

TEST_F(OptionsFormTest, cancel_writes_nothing_and_restores_the_scheme_slot)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n");
    TfrmOpt& dialog = Dialog();
    const std::string before = Settings();
    dialog.CheckBox1->setChecked(true);
    Form().Memo1->Editor().SetActiveParser(2);
    dialog.Button2Click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Settings(), before);
    EXPECT_EQ(Form().Memo1->Editor().ActiveParser(), 1);
}

TEST_F(OptionsFormTest, captions_and_hints_come_from_the_language_file)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLangSet=pirate\r\n"
                          "[Language Files]\r\npirate=pirate.lng\r\n");
    WriteFile("pirate.lng", "[Labels]\r\nDFile=Treasure :\r\nASave=Stow\r\nImportlblFile=chart\r\n"
                            "[Strings]\r\nLangmsg=Tongue\r\nAutoSave=Stow it all\r\n");
    TfrmOpt& dialog = Dialog();
    EXPECT_EQ(dialog.Label1->text(), "Treasure :");
    EXPECT_EQ(dialog.CheckBox4->text(), "Stow");
    EXPECT_EQ(dialog.CheckBox3->text(), "Animate menus");
    EXPECT_EQ(dialog.Label2->text(), "Tongue");
    EXPECT_EQ(dialog.Label3->text(), "Tongue chart");
    EXPECT_EQ(dialog.Edit1->text(), "pirate");
    EXPECT_EQ(dialog.ComboBox2->currentText(), "pirate.lng");

    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(dialog.CheckBox4, &enter);
    EXPECT_EQ(dialog.FriendlyStatusBar1->currentMessage(), "Stow it all");
    QApplication::sendEvent(dialog.Button2, &enter);
    EXPECT_EQ(dialog.FriendlyStatusBar1->currentMessage(), "Close window without saving settings");
}

TEST_F(OptionsFormTest, the_pick_only_boxes_take_no_typing)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nDefaultIni=Mine\r\n");
    TfrmOpt& dialog = Dialog();
    dialog.ComboBox1->lineEdit()->setFocus();
    QTest::keyClicks(dialog.ComboBox1->lineEdit(), "xyz");
    EXPECT_EQ(dialog.ComboBox1->currentText(), "Mine");
}

TEST_F(OptionsFormTest, browsing_to_a_language_file_elsewhere_registers_it_by_name)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n[Language Files]\r\nenglish=english.lng\r\n");
    TfrmOpt& dialog = Dialog();
    prompt_.FileNames.push_back(QStringLiteral("/elsewhere/lang/german.lng"));
    dialog.SpeedButton1Click();
    EXPECT_EQ(dialog.ComboBox2->currentText(), "german.lng");
    EXPECT_EQ(dialog.Edit1->text(), "german");
    dialog.Button1Click();
    EXPECT_EQ(Setting("Language Files", "german"), "german.lng");
    EXPECT_EQ(Setting("Options", "LangSet"), "german");

    // Cancelled browsing changes nothing.
    TfrmOpt again(Form(), prompt_);
    again.SpeedButton1Click();
    EXPECT_EQ(again.Edit1->text(), "german");
}

TEST_F(OptionsFormTest, choosing_a_listed_language_file_names_its_language)
{
    struct Row {
        const char* name;
        const char* pick;
        const char* language;
    };
    const Row rows[] = {
        {"one name", "english.lng", "english"},
        {"two names: the later wins", "shared.lng", "second"},
    };
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n[Language Files]\r\nenglish=english.lng\r\n"
                          "first=shared.lng\r\nsecond=shared.lng\r\n");
    TfrmOpt& dialog = Dialog();
    for (const Row& row : rows) {
        dialog.ComboBox2->setCurrentIndex(dialog.ComboBox2->findText(row.pick));
        dialog.ComboBox2Change();
        EXPECT_EQ(dialog.Edit1->text(), row.language) << row.name;
    }
    // A file no language has: the user is asked to name it.
    dialog.ComboBox2->setEditText(QStringLiteral("new.lng"));
    dialog.ComboBox2Change();
    EXPECT_EQ(dialog.Edit1->text(), dialog.Label2->text());
}

TEST_F(OptionsFormTest, other_options_opens_the_dialog_modally)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n");
    TMainForm& form = Form();
    ASSERT_TRUE(form.DefaultINIfile1->isEnabled());
    QString caption;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TfrmOpt*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        caption = dialog->windowTitle();
        dialog->Button2Click();
    });
    form.DefaultINIfile1->trigger();
    EXPECT_EQ(caption, "Options");
}

}  // namespace
}  // namespace tarnwick::test
