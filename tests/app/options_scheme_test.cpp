// The "Syntax highlighting" group of the Other options dialog and the Add
// new script dialog: the scheme list, the highlighting source a choice sets,
// Edit properties, Enable for D2..D4 and registering a script.
#include "app_fixture.h"
#include "pane_pixels.h"

#include "app/code_pane_host.h"
#include "app/new_script_form.h"
#include "app/options_form.h"
#include "editor/code_memo.h"
#include "platform/file_io.h"
#include "scheme/code_memo_parser.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

namespace tarnwick::test {
namespace {

const char* const kBasicScript =
    "/* Basic */\r\n";

class OptionsSchemeTest : public AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        std::filesystem::create_directories(folder_ / "Scripts");
    }
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
    void Choose(const QString& entry)
    {
        Dialog().ComboBox3->setCurrentIndex(Dialog().ComboBox3->findText(entry));
        Dialog().ComboBox3Change();
    }
    void InstallShippedScheme(const char* name)
    {
        std::filesystem::copy_file(std::filesystem::path(TARNWICK_APP_FOLDER) / "Scripts" / name,
                                   folder_ / "Scripts" / name);
    }
    std::unique_ptr<TfrmOpt> dialog_;
};

TEST_F(OptionsSchemeTest, first_start_lists_the_registry_entries_and_a_choice_sets_the_source)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n");
    WriteFile("Scripts/Basic.txt", kBasicScript);
    Form();
    ProfileWriteString((folder_ / "main.ini").string(), "Scripts", "Basic", "Basic;scripts\\Basic.dat");
    ProfileWriteString((folder_ / "main.ini").string(), "Scripts", "Odd", "dELPHI 3 rEGISTRY sETTINGS");
    Form().LoadCurrentScheme();
    TfrmOpt& dialog = Dialog();
    ASSERT_EQ(dialog.ComboBox3->count(), 5);
    EXPECT_EQ(dialog.ComboBox3->itemText(0), "Delphi 2 Registry Settings");
    EXPECT_EQ(dialog.ComboBox3->itemText(2), "Delphi 4 Registry Settings");
    EXPECT_EQ(dialog.Button3->text(), "Edit properties");

    struct Row {
        const char* name;
        const char* entry;
        const char* caption;
        int source;
    };
    const Row rows[] = {
        {"Delphi 3", "Delphi 3 Registry Settings", "Enable for D3", 3},
        {"an ordinary scheme afterwards", "Basic", "Edit properties", 0},
        {"Delphi 2", "Delphi 2 Registry Settings", "Enable for D2", 2},
        {"Delphi 3 in another letter case", "dELPHI 3 rEGISTRY sETTINGS", "Enable for D3", 3},
        {"Delphi 4", "Delphi 4 Registry Settings", "Enable for D4", 4},
    };
    for (const Row& row : rows) {
        Choose(row.entry);
        EXPECT_EQ(dialog.Button3->text(), row.caption) << row.name;
        EXPECT_EQ(Form().HighlightingSource(), row.source) << row.name;
    }
    // OK keeps the registry source and loads no compiled scheme.
    dialog.Button1Click();
    EXPECT_EQ(Setting("Options", "DelphiVer"), "4");
    EXPECT_EQ(Setting("Options", "CurrentParser"), "Delphi4");
}

TEST_F(OptionsSchemeTest, enable_without_that_ide_shows_the_error_and_copies_nothing)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n");
    TfrmOpt& dialog = Dialog();
    const std::string before = Form().ActiveParser->SaveToBytes();
    Choose(QStringLiteral("Delphi 3 Registry Settings"));
    dialog.Button3Click();
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_EQ(prompt_.Errors[0], "Delphi 3.x is not installed");
    EXPECT_EQ(Form().ActiveParser->SaveToBytes(), before);
}

TEST_F(OptionsSchemeTest, a_new_script_gets_its_compiled_file_when_edit_properties_is_confirmed)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n");
    std::filesystem::copy_file(std::filesystem::path(TARNWICK_RESOURCES) / "schemes" / "Python.txt",
                               folder_ / "Scripts" / "Basic.txt");
    TfrmOpt& dialog = Dialog();
    TfrmNewScript add(dialog, prompt_);
    EXPECT_GE(add.Edit2->findText(QStringLiteral("Basic.txt")), 0);
    add.Edit1->setText(QStringLiteral("Basic"));
    add.Edit2->setEditText(QStringLiteral("Basic.txt"));
    add.Button1Click();
    EXPECT_EQ(add.result(), QDialog::Accepted);
    EXPECT_EQ(Setting("Scripts", "Basic"), "Basic;scripts\\Basic.dat");
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Scripts" / "Basic.dat"));
    ASSERT_EQ(dialog.ComboBox3->itemText(3), "Basic");
    EXPECT_EQ(dialog.SchemeKeys().back(), "Basic");

    // Edit properties declined: nothing written.
    bool answer = false;
    Form().Parser1->OnShowOptionsDialog = [&](TCodeMemoParser&) { return answer; };
    Choose(QStringLiteral("Basic"));
    dialog.Button3Click();
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Scripts" / "Basic.dat"));
    answer = true;
    dialog.Button3Click();
    EXPECT_TRUE(prompt_.Errors.empty());
    ASSERT_TRUE(std::filesystem::exists(folder_ / "Scripts" / "Basic.dat"));
    EXPECT_EQ(ReadFile("Scripts/Basic.dat"), Form().Parser1->SaveToBytes());
    EXPECT_EQ(Form().ActiveParser->SaveToBytes(), Form().Parser1->SaveToBytes());
}

TEST_F(OptionsSchemeTest, a_compile_error_writes_nothing_and_leaves_the_active_scheme)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n[Scripts]\r\nBad=Bad;scripts\\Bad.dat\r\n");
    WriteFile("Scripts/Bad.txt", "%%Nonsense\r\n");
    TfrmOpt& dialog = Dialog();
    const std::string before = Form().ActiveParser->SaveToBytes();
    bool shown = false;
    Form().Parser1->OnShowOptionsDialog = [&](TCodeMemoParser&) { return shown = true; };
    Choose(QStringLiteral("Bad"));
    dialog.Button3Click();
    EXPECT_EQ(prompt_.Errors.size(), 1);
    EXPECT_FALSE(shown);
    EXPECT_FALSE(std::filesystem::exists(folder_ / "Scripts" / "Bad.dat"));
    EXPECT_EQ(Form().ActiveParser->SaveToBytes(), before);
}

TEST_F(OptionsSchemeTest, add_new_script_refuses_what_it_cannot_register)
{
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\n");
    WriteFile("Scripts/Basic.txt", kBasicScript);
    TfrmOpt& dialog = Dialog();
    struct Row {
        const char* name;
        const char* script;
        const char* file;
        TPromptAnswer answer;
        int result;
    };
    const Row rows[] = {
        {"empty name", "", "Basic.txt", TPromptAnswer::Cancel, 0},
        {"name already a key, any case", "delphi2", "Basic.txt", TPromptAnswer::Cancel, 0},
        {"missing file, retry", "Lua", "Lua.txt", TPromptAnswer::Retry, 0},
        {"missing file, cancel", "Lua", "Lua.txt", TPromptAnswer::Cancel, QDialog::Rejected},
    };
    for (const Row& row : rows) {
        const std::string before = Settings();
        prompt_.Errors.clear();
        prompt_.Questions.clear();
        prompt_.Answers = {row.answer};
        TfrmNewScript add(dialog, prompt_);
        add.Edit1->setText(QString::fromLatin1(row.script));
        add.Edit2->setEditText(QString::fromLatin1(row.file));
        add.Button1Click();
        EXPECT_EQ(add.result(), row.result) << row.name;
        EXPECT_EQ(Settings(), before) << row.name;
        EXPECT_EQ(prompt_.Errors.size() + prompt_.Questions.size(), 1u) << row.name;
    }
    EXPECT_EQ(prompt_.Questions[0],
              "The file " + QString::fromStdString((folder_ / "").string()) +
                  "scripts\\Lua.txt was not found. \rClick the Retry button and enter a valid "
                  "file name or\r or click on the Cancel button to abort this operation");
    EXPECT_EQ(dialog.ComboBox3->count(), 3);
}

// The darkest grey level of the pane's text area, past the caret's column:
// black text gives about 0, the Python scheme's grey comments about 128.
int DarkestText(TCodeMemo& editor)
{
    const QImage image = editor.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = editor.TextLeft() + 10; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

TEST_F(OptionsSchemeTest, a_chosen_scheme_highlights_the_open_snippet_after_ok)
{
    InstallShippedLanguage();
    InstallShippedScheme("Python.dat");
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n[Files]\r\nDelphi Code=lib.ini\r\n"
                          "[Scripts]\r\nPython=Python;scripts\\Python.dat\r\n");
    WriteLibrary("lib.ini", {{"Py", "Note", "# only a remark here"}});
    TMainForm& form = Form();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTreeWidgetItem* node = form.TreeView1->topLevelItem(0)->child(0);
    form.TreeView1->setCurrentItem(node);
    form.TreeView1Click();
    TCodeMemo& editor = form.Memo1->Editor();
    // The built-in Object Pascal scheme draws this line in black.
    EXPECT_LT(DarkestText(editor), 60);

    Choose(QStringLiteral("Python"));
    Dialog().Button1Click();
    EXPECT_EQ(Setting("Options", "CurrentParser"), "Python");
    EXPECT_EQ(form.CurrentTitle(), "Note");
    // Now it is a comment, in the scheme's grey.
    const int darkest = DarkestText(editor);
    EXPECT_GT(darkest, 100);
    EXPECT_LT(darkest, 150);
}

TEST_F(OptionsSchemeTest, the_shipped_c_scheme_is_listed_by_its_name_and_highlights_c)
{
    InstallShippedLanguage();
    InstallShippedScheme("CPP.dat");
    WriteFile("main.ini", ReadWholeFile(std::filesystem::path(TARNWICK_BUNDLE) / "main.ini"));
    ProfileWriteString((folder_ / "main.ini").string(), "Options", "HasRun1", "1");
    ProfileWriteString((folder_ / "main.ini").string(), "Files", "Delphi Code", "lib.ini");
    WriteLibrary("lib.ini", {{"C", "Note", "/* only a remark */"}});
    TMainForm& form = Form();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    form.TreeView1->setCurrentItem(form.TreeView1->topLevelItem(0)->child(0));
    form.TreeView1Click();
    TCodeMemo& editor = form.Memo1->Editor();
    EXPECT_EQ(ColouredPixels(editor), 0);

    ASSERT_GE(Dialog().ComboBox3->findText(QStringLiteral("C and C++")), 0);
    Choose(QStringLiteral("C and C++"));
    Dialog().Button1Click();
    EXPECT_EQ(Setting("Options", "CurrentParser"), "CPP");
    EXPECT_GT(ColouredPixels(editor), 20);
}

}  // namespace
}  // namespace tarnwick::test
