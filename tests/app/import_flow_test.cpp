// File > Import end to end: the open dialog, the refusal of the library open
// as the destination, the modal dialog driven by drops, and the commit after
// OK (or none after Cancel and the close box); renaming in the source tree.
#include "import_fixture.h"

#include "chrome/status_bar.h"

#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>

#include <functional>

namespace tarnwick::test {
namespace {

// Texts as they come: several lines, tabs, bytes above 127, an empty one.
const std::vector<TSnippet> kSource = {
    {"Pascal", "Hello", "program Hello;\r\nbegin\r\n\tWriteLn('\xE4\xF6\xFC');\r\nend."},
    {"Pascal", "Empty", ""},
    {"Pascal", "Unit", "unit U;\r\ninterface\r\nimplementation\r\nend."},
    {"Shell", "List", "ls -l | sort\r\n"},
};
const std::vector<TSnippet> kDestination = {
    {"Pascal", "Hello", "old hello"},
    {"Main", "Kept", "kept text"},
};

class ImportFlowTest : public ImportDialogTest {
protected:
    void SetUp() override
    {
        ImportDialogTest::SetUp();
        InstallShippedLanguage();
        WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n"
                              "[Files]\r\nDelphi Code=dst.ini\r\n");
        WriteLibrary("src.ini", kSource);
        WriteLibrary("dst.ini", kDestination);
    }

    // File > Import with `file` chosen in the open dialog; `act` drives the
    // import dialog while it is shown. Returns whether it was shown.
    bool Import(const std::string& file, const std::function<void(TfrmImp&)>& act)
    {
        Form();
        prompt_.FileNames.push_back(QString::fromStdString(Path(file)));
        bool shown = false;
        QTimer driver;
        driver.setSingleShot(true);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<TfrmImp*>(QApplication::activeModalWidget());
            if (dialog == nullptr)
                return;
            shown = true;
            active_ = dialog;
            act(*dialog);
            active_ = nullptr;
            // A dialog the test left open is closed with its close box.
            if (dialog->isVisible())
                dialog->close();
        });
        driver.start(0);
        Form().Import1->trigger();
        return shown;
    }
};

TEST_F(ImportFlowTest, ok_commits_every_queued_text_byte_for_byte)
{
    EXPECT_TRUE(Import("src.dat", [&](TfrmImp& dialog) {
        EXPECT_EQ(dialog.FriendlyStatusBar2->PanelText(1), QString::fromStdString(Path("src.dat")));
        DragOnto(Source(0), Destination(0));        // a second "Pascal" node
        DragOnto(Source(1, 0), Destination(0, 0));  // Shell / List into Main
        dialog.btnOKClick();
    }));
    ExpectConsistent("dst.ini");
    for (const TSnippet& snippet : kSource) {
        if (snippet.Category == "Pascal") {
            EXPECT_EQ(Text("dst.ini", "Pascal", snippet.Title), snippet.Text) << snippet.Title;
        }
    }
    EXPECT_EQ(Text("dst.ini", "Main", "List"), "ls -l | sort\r\n");
    EXPECT_EQ(Text("dst.ini", "Main", "Kept"), "kept text");
    EXPECT_TRUE(prompt_.Messages.isEmpty());
    EXPECT_TRUE(prompt_.Errors.isEmpty());
}

TEST_F(ImportFlowTest, close_box_and_cancel_import_nothing)
{
    const std::string index = ReadFile("dst.ini");
    const std::string data = ReadFile("dst.dat");
    for (const bool cancel : {false, true}) {
        EXPECT_TRUE(Import("src.dat", [&](TfrmImp& dialog) {
            DragOnto(Source(0), Destination(0));
            if (cancel)
                dialog.btnCancelClick();
        }));
        EXPECT_EQ(ReadFile("dst.ini"), index);
        EXPECT_EQ(ReadFile("dst.dat"), data);
    }
}

TEST_F(ImportFlowTest, ok_with_an_empty_list_only_reapplies_the_settings)
{
    const std::string index = ReadFile("dst.ini");
    const std::string data = ReadFile("dst.dat");
    Form().TreeView1->clear();
    EXPECT_TRUE(Import("src.dat", [](TfrmImp& dialog) { dialog.Save1->trigger(); }));
    EXPECT_EQ(ReadFile("dst.ini"), index);
    EXPECT_EQ(ReadFile("dst.dat"), data);
    // The default library was loaded into the tree again.
    EXPECT_EQ(Form().TreeView1->topLevelItemCount(), 2);
}

TEST_F(ImportFlowTest, cancelled_open_dialog_shows_nothing)
{
    const std::string index = ReadFile("dst.ini");
    Form().Import1->trigger();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(ReadFile("dst.ini"), index);
    EXPECT_TRUE(prompt_.Messages.isEmpty());
}

TEST_F(ImportFlowTest, the_library_open_as_destination_is_refused_before_the_dialog)
{
    for (const char* file : {"dst.dat", "DST.DAT", "dst.ini"}) {
        prompt_.Messages.clear();
        EXPECT_FALSE(Import(file, [](TfrmImp&) {})) << file;
        ASSERT_EQ(prompt_.Messages.size(), 1) << file;
        EXPECT_TRUE(prompt_.Messages[0].contains("cannot be imported into itself")) << file;
    }
}

TEST_F(ImportFlowTest, record_whose_source_entry_is_gone_is_skipped_and_listed)
{
    EXPECT_TRUE(Import("src.dat", [&](TfrmImp& dialog) {
        DragOnto(Source(1, 0), Destination(0));  // Shell / List
        DragOnto(Source(0, 0), Destination(0));  // Pascal / Empty
        // Renamed after it was queued: the record keeps the old name.
        ProfileWriteString(Path("src.ini"), "Shell", "Listing",
                           ProfileReadString(Path("src.ini"), "Shell", "List", ""));
        ProfileDeleteKey(Path("src.ini"), "Shell", "List");
        dialog.btnOKClick();
    }));
    ExpectConsistent("dst.ini");
    EXPECT_EQ(ProfileReadString(Path("dst.ini"), "Main", "List", "NO_INFO"), "NO_INFO");
    EXPECT_NE(ProfileReadString(Path("dst.ini"), "Main", "Empty", "NO_INFO"), "NO_INFO");
    EXPECT_EQ(Text("dst.ini", "Main", "Empty"), "");
    ASSERT_EQ(prompt_.Messages.size(), 1);
    EXPECT_EQ(prompt_.Messages[0],
              "These titles already exist and were skipped: \r\rShell / List\r");
}

// Renaming in the source tree through F2's command and the label editor.
class ImportRenameTest : public ImportDialogTest {
protected:
    void SetUp() override
    {
        ImportDialogTest::SetUp();
        WriteLibrary("src.ini", {{"A", "alpha", "alpha text"},
                                 {"A", "beta", "beta text"},
                                 {"AB", "gamma", "gamma text"}});
        WriteLibrary("dst.ini", {{"Main", "Kept", "kept"}});
    }
    // Edits the node's label to `name` and accepts it with Return.
    void Rename(QTreeWidgetItem* node, const QString& name)
    {
        Dialog().TreeView2->setCurrentItem(node);
        Dialog().Rename1->trigger();
        auto* editor = Dialog().TreeView2->findChild<QLineEdit*>();
        ASSERT_NE(editor, nullptr);
        editor->setText(name);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(editor, &enter);
        QApplication::processEvents();  // the delegate commits in a queued call
        // The closed editor goes now, so the next rename finds its own.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

TEST_F(ImportRenameTest, refused_names_change_nothing)
{
    struct Row {
        const char* name;
        int category, title;
        const char* newName;
        const char* message;  // nullptr: no message
    };
    const Row rows[] = {
        {"title_to_its_own_name", 0, 0, "alpha", nullptr},
        {"title_to_its_own_name_with_blanks", 0, 0, " alpha ", nullptr},
        {"title_to_an_existing_title", 0, 0, "BETA", "already holds a title named \"BETA\""},
        {"title_to_nothing", 0, 0, "  ", "cannot be empty"},
        {"title_with_an_equals_sign", 0, 0, "a=b", "cannot contain \"=\""},
        {"title_starting_a_section", 0, 0, "[x", "cannot contain \"=\""},
        {"category_to_an_existing_category", 0, -1, "ab", "named \"ab\" already exists"},
        {"category_with_a_bracket", 0, -1, "x]y", "cannot contain \"]\""},
    };
    const std::string index = ReadFile("src.ini");
    for (const Row& row : rows) {
        prompt_.Messages.clear();
        dialog_.reset();
        QTreeWidgetItem* node = row.title < 0 ? Source(row.category) : Source(row.category, row.title);
        const QString before = node->text(0);
        Rename(node, QString::fromLatin1(row.newName));
        EXPECT_EQ(ReadFile("src.ini"), index) << row.name;
        EXPECT_EQ(node->text(0), before) << row.name;
        if (row.message) {
            ASSERT_EQ(prompt_.Messages.size(), 1) << row.name;
            EXPECT_TRUE(prompt_.Messages[0].contains(QString::fromLatin1(row.message)))
                << row.name << ": " << prompt_.Messages[0].toStdString();
        } else {
            EXPECT_TRUE(prompt_.Messages.isEmpty()) << row.name;
        }
    }
}

TEST_F(ImportRenameTest, renames_change_the_source_index_at_once)
{
    const std::string alpha = ProfileReadString(Path("src.ini"), "A", "alpha", "");
    Rename(Source(0, 0), "first");
    EXPECT_EQ(Source(0, 0)->text(0), "first");
    EXPECT_EQ(ProfileReadString(Path("src.ini"), "A", "first", ""), alpha);
    EXPECT_EQ(ProfileReadString(Path("src.ini"), "A", "alpha", "NO_INFO"), "NO_INFO");

    Rename(Source(0, 1), "Beta");  // only the letter case changes
    EXPECT_EQ(TIniDocument::Load(Path("src.ini")).Keys("A"),
              std::vector<std::string>({"first", "Beta"}));

    Rename(Source(1), "Greek");
    EXPECT_EQ(Source(1)->text(0), "Greek");
    EXPECT_EQ(TIniDocument::Load(Path("src.ini")).SectionNames(),
              std::vector<std::string>({"A", "Greek"}));
    EXPECT_EQ(Text("src.ini", "Greek", "gamma"), "gamma text");
    ExpectConsistent("src.ini");
    EXPECT_TRUE(prompt_.Messages.isEmpty());
}

TEST_F(ImportRenameTest, title_without_a_key_keeps_its_new_label_and_changes_nothing)
{
    Dialog();
    ProfileDeleteKey(Path("src.ini"), "A", "beta");
    const std::string index = ReadFile("src.ini");
    Rename(Source(0, 1), "delta");
    EXPECT_EQ(Source(0, 1)->text(0), "delta");
    EXPECT_EQ(ReadFile("src.ini"), index);
}

TEST_F(ImportRenameTest, queued_records_keep_the_names_they_were_queued_with)
{
    DragOnto(Source(0, 0), Destination(0));
    Rename(Source(0, 0), "first");
    EXPECT_EQ(list_, TImportList({"Main;alpha;0;10;" + Path("src.ini") + ";A;alpha"}));
}

}  // namespace
}  // namespace tarnwick::test
