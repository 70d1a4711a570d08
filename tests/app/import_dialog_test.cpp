// The import dialog: its look at creation, queueing by drag and drop and
// Copy, Undo, the previews and the messages, and what a commit of the queue
// leaves in the destination library.
#include "import_fixture.h"

#include "editor/code_memo.h"
#include "chrome/status_bar.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

namespace tarnwick::test {
namespace {

const std::vector<TSnippet> kSource = {
    {"b", "Second", "second text"},
    {"A", "Zeta", "zeta text\r\nwith two lines"},
    {"A", "alpha", "alpha text"},
    {"AB", "Other", "other text"},
    {"c", "Last", "last"},
};
const std::vector<TSnippet> kDestination = {
    {"A", "Stored", "stored text"},
    {"Main", "Kept", "kept text"},
};

class ImportQueueTest : public ImportDialogTest {
protected:
    void SetUp() override
    {
        ImportDialogTest::SetUp();
        WriteLibrary("src.ini", kSource);
        WriteLibrary("dst.ini", kDestination);
    }
};

TEST_F(ImportQueueTest, dialog_opens_with_both_trees_sorted_and_the_design_state)
{
    TfrmImp& dialog = Dialog();
    EXPECT_EQ(dialog.windowTitle(), "Import");
    EXPECT_EQ(dialog.size(), QSize(602, 465));
    EXPECT_FALSE(dialog.OkFlag());
    ASSERT_EQ(dialog.TreeView2->topLevelItemCount(), 4);
    EXPECT_EQ(Source(0)->text(0), "A");
    EXPECT_EQ(Labels(Source(0)), QStringList({"alpha", "Zeta"}));
    EXPECT_EQ(Source(1)->text(0), "AB");
    EXPECT_EQ(Source(2)->text(0), "b");
    EXPECT_EQ(Source(3)->text(0), "c");
    EXPECT_EQ(TopLabels(), QStringList({"A", "Main"}));
    EXPECT_EQ(dialog.TreeView2->currentItem(), Source(0));
    EXPECT_EQ(dialog.TreeView1->currentItem(), Destination(0));
    EXPECT_TRUE(dialog.Memo1->WordWrap());
    EXPECT_TRUE(dialog.Memo2->WordWrap());
    EXPECT_FALSE(dialog.CheckBox1->isChecked());
    EXPECT_FALSE(dialog.CheckBox2->isChecked());
    EXPECT_EQ(dialog.Label10->text(), "Press F2 to rename the selected item");
    EXPECT_EQ(dialog.FriendlyStatusBar2->PanelText(0), "Source file");
    EXPECT_EQ(dialog.FriendlyStatusBar2->PanelText(1), QString::fromStdString(Path("src.dat")));
    EXPECT_EQ(dialog.FriendlyStatusBar1->PanelText(0), "Destination file");
    EXPECT_EQ(dialog.FriendlyStatusBar1->PanelText(1), QString::fromStdString(Path("dst.dat")));
    EXPECT_EQ(dialog.Save1->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(dialog.Cancel1->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_EQ(dialog.Copy1->shortcut(), QKeySequence("Ctrl+C"));
    EXPECT_EQ(dialog.Delete1->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(dialog.Rename1->shortcut(), QKeySequence("F2"));
    EXPECT_EQ(dialog.Edit1->title(), "&Edit");
}

TEST_F(ImportQueueTest, pictures_follow_the_main_tree_and_destination_expansion)
{
    const auto image = [&](QTreeWidgetItem* node, QIcon::Mode mode) {
        return node->icon(0).pixmap(TTreeImages::kSize, mode).toImage();
    };
    EXPECT_EQ(image(Source(0), QIcon::Normal), images_.Image(0).toImage());
    EXPECT_EQ(image(Source(0), QIcon::Selected), images_.Image(1).toImage());
    EXPECT_EQ(image(Source(0, 0), QIcon::Normal), images_.Image(3).toImage());
    EXPECT_EQ(image(Source(0, 0), QIcon::Selected), images_.Image(2).toImage());
    Destination(0)->setExpanded(true);
    EXPECT_EQ(image(Destination(0), QIcon::Normal), images_.Image(1).toImage());
    Destination(0)->setExpanded(false);
    EXPECT_EQ(image(Destination(0), QIcon::Normal), images_.Image(0).toImage());
}

TEST_F(ImportQueueTest, captions_come_from_the_language_file)
{
    WriteFile("english.lng", "[Buttons]\r\nOK=&Fine\r\nUndo=Back\r\nCancel=Stop\r\n"
                             "[Menus]\r\nFile=Datei\r\nimpSaveClose=Keep\r\nCancel=Drop\r\n"
                             "Rename=Name\r\n[Labels]\r\nImportlblWrap=Wrap\r\n"
                             "ImportlblDest=Target\r\nImportlblSource=Origin\r\n");
    TfrmImp& dialog = Dialog();
    const std::pair<QString, QString> rows[] = {
        {dialog.btnOK->text(), "&Fine"},
        {dialog.btnUndo->text(), "Back"},
        {dialog.btnCancel->text(), "Stop"},
        {dialog.File1->title(), "Datei"},
        {dialog.Save1->text(), "Keep"},
        {dialog.Cancel1->text(), "Drop"},
        {dialog.Rename1->text(), "Name"},
        {dialog.CheckBox1->text(), "Wrap"},
        {dialog.CheckBox2->text(), "Wrap"},
        {dialog.GroupBox2->title(), "Target"},
        {dialog.FriendlyStatusBar1->PanelText(0), "Target file"},
        {dialog.GroupBox1->title(), "Origin"},
        {dialog.FriendlyStatusBar2->PanelText(0), "Origin file"},
    };
    for (const auto& [shown, expected] : rows)
        EXPECT_EQ(shown, expected);
}

TEST_F(ImportQueueTest, word_wrap_boxes_set_their_preview)
{
    TfrmImp& dialog = Dialog();
    dialog.CheckBox1->click();
    EXPECT_TRUE(dialog.Memo1->WordWrap());
    EXPECT_EQ(dialog.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    dialog.CheckBox1->click();
    EXPECT_FALSE(dialog.Memo1->WordWrap());
    EXPECT_EQ(dialog.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_TRUE(dialog.Memo2->WordWrap());
}

TEST_F(ImportQueueTest, dropped_title_is_queued_under_the_target_category)
{
    struct Row {
        const char* name;
        int targetTitle;  // -1: the category node itself
    };
    for (const Row& row : {Row{"on_the_category", -1}, Row{"on_a_title_of_it", 0}}) {
        list_.clear();
        dialog_.reset();
        EXPECT_TRUE(DragOnto(Source(0, 1), Destination(0, row.targetTitle))) << row.name;
        EXPECT_EQ(list_, TImportList({Record("A", "A", "Zeta")})) << row.name;
        EXPECT_EQ(Labels(Destination(0)), QStringList({"Stored", "Zeta"})) << row.name;
        EXPECT_TRUE(Dialog().btnUndo->isEnabled()) << row.name;
    }
    Commit();
    EXPECT_EQ(Text("dst.ini", "A", "Zeta"), "zeta text\r\nwith two lines");
    EXPECT_EQ(Text("dst.ini", "A", "Stored"), "stored text");
}

TEST_F(ImportQueueTest, empty_destination_accepts_nothing)
{
    WriteFile("dst.ini", "");
    WriteFile("dst.dat", "");
    TfrmImp& dialog = Dialog();
    EXPECT_EQ(dialog.TreeView1->topLevelItemCount(), 0);
    DragOnto(Source(0, 0), nullptr);
    DragOnto(Source(0), nullptr);
    dialog.TreeView2->setCurrentItem(Source(1));
    dialog.Copy1->trigger();
    EXPECT_TRUE(list_.empty());
    EXPECT_EQ(dialog.TreeView1->topLevelItemCount(), 0);
}

TEST_F(ImportQueueTest, drops_that_find_no_node_or_are_not_from_the_source_tree_do_nothing)
{
    TfrmImp& dialog = Dialog();
    dialog.TreeView2->setCurrentItem(Source(0, 0));
    // Below the last node.
    dialog.TreeView1DragDrop(QPoint(5, dialog.TreeView1->viewport()->height() - 2));
    QMimeData text;
    text.setText(QStringLiteral("a file from elsewhere"));
    EXPECT_FALSE(Drop(dialog.TreeView1->visualItemRect(Destination(0)).center(), &text));
    EXPECT_TRUE(list_.empty());
    EXPECT_EQ(Destination(0)->childCount(), 1);
}

TEST_F(ImportQueueTest, category_whose_name_exists_shows_a_second_node_and_merges_on_commit)
{
    WriteLibrary("src.ini", {{"A", "Stored", "new stored text"}, {"A", "Fresh", "fresh text"}});
    EXPECT_TRUE(DragOnto(Source(0), Destination(1)));
    EXPECT_EQ(TopLabels(), QStringList({"A", "Main", "A"}));
    EXPECT_EQ(Labels(Destination(2)), QStringList({"Fresh", "Stored"}));
    ASSERT_EQ(list_.size(), 2u);
    Commit();
    EXPECT_EQ(Text("dst.ini", "A", "Stored"), "new stored text");
    EXPECT_EQ(Text("dst.ini", "A", "Fresh"), "fresh text");
    EXPECT_EQ(Text("dst.ini", "Main", "Kept"), "kept text");
    EXPECT_EQ(TIniDocument::Load(Path("dst.ini")).SectionNames(),
              std::vector<std::string>({"A", "Main"}));
}

TEST_F(ImportQueueTest, one_title_dropped_twice_is_two_records_and_one_undo_takes_both)
{
    DragOnto(Source(0, 0), Destination(1));
    DragOnto(Source(0, 0), Destination(1));
    ASSERT_EQ(list_.size(), 2u);
    EXPECT_EQ(Labels(Destination(1)), QStringList({"Kept", "alpha", "alpha"}));
    Dialog().TreeView1->setCurrentItem(Destination(1, 2));
    Dialog().btnUndoClick();
    EXPECT_TRUE(list_.empty());
    EXPECT_EQ(Labels(Destination(1)), QStringList({"Kept", "alpha"}));
    EXPECT_FALSE(Dialog().btnUndo->isEnabled());
    EXPECT_FALSE(Dialog().Delete1->isEnabled());
}

TEST_F(ImportQueueTest, undo_on_a_category_leaves_the_records_of_a_longer_name)
{
    DragOnto(Source(0), Destination(0));  // A
    DragOnto(Source(1), Destination(0));  // AB
    ASSERT_EQ(list_.size(), 3u);
    Dialog().TreeView1->setCurrentItem(Destination(2));  // the new "A"
    Dialog().Delete1->trigger();
    EXPECT_EQ(list_, TImportList({Record("AB", "AB", "Other")}));
    EXPECT_EQ(TopLabels(), QStringList({"A", "Main", "AB"}));
    EXPECT_TRUE(Dialog().btnUndo->isEnabled());
}

TEST_F(ImportQueueTest, undo_is_case_sensitive_and_leaves_stored_titles)
{
    WriteLibrary("src.ini", {{"main", "x", "x text"}});
    DragOnto(Source(0), Destination(0));  // a new node "main"
    Dialog().TreeView1->setCurrentItem(Destination(1));  // "Main"
    Dialog().btnUndoClick();
    Dialog().TreeView1->setCurrentItem(Destination(1, 0));  // "Kept", stored
    Dialog().btnUndoClick();
    EXPECT_EQ(list_, TImportList({Record("main", "main", "x")}));
    EXPECT_EQ(TopLabels(), QStringList({"A", "Main", "main"}));
    EXPECT_EQ(Labels(Destination(1)), QStringList({"Kept"}));
    EXPECT_TRUE(Dialog().btnUndo->isEnabled());
}

TEST_F(ImportQueueTest, undo_with_an_empty_list_only_disables_itself)
{
    TfrmImp& dialog = Dialog();
    EXPECT_TRUE(dialog.btnUndo->isEnabled());
    dialog.TreeView1->setCurrentItem(Destination(0));
    dialog.btnUndoClick();
    EXPECT_FALSE(dialog.btnUndo->isEnabled());
    EXPECT_EQ(TopLabels(), QStringList({"A", "Main"}));
}

TEST_F(ImportQueueTest, copy_drops_on_the_topmost_visible_node)
{
    TfrmImp& dialog = Dialog();
    dialog.TreeView2->setCurrentItem(Source(2, 0));  // b / Second
    dialog.Copy1->trigger();
    EXPECT_EQ(list_, TImportList({Record("A", "b", "Second")}));
    EXPECT_EQ(Labels(Destination(0)), QStringList({"Stored", "Second"}));
}

TEST_F(ImportQueueTest, invalid_offsets_are_refused_with_one_message_each)
{
    WriteFile("src.ini", "[A]\r\nBad=x;3\r\nPast=0;999\r\nGood=0;3\r\nWrong=1;y\r\n");
    WriteFile("src.dat", "abc\r\n");
    const QString message = "The title \"Bad\" is damaged.\rIt was not imported.";
    // Preview: the message, and the preview left as it was.
    Dialog().TreeView2->setCurrentItem(Source(0, 1));  // Good
    Dialog().TreeView2Click();
    EXPECT_EQ(Dialog().Memo1->Text(), "abc");
    Dialog().TreeView2->setCurrentItem(Source(0, 0));  // Bad
    Dialog().TreeView2Click();
    EXPECT_EQ(prompt_.Messages, QStringList({message}));
    EXPECT_EQ(Dialog().Memo1->Text(), "abc");
    // Drop of the title: no node, no record.
    DragOnto(Source(0, 0), Destination(0));
    EXPECT_EQ(prompt_.Messages.size(), 2);
    EXPECT_TRUE(list_.empty());
    EXPECT_EQ(Destination(0)->childCount(), 1);
    // Drop of the category: the good title queued, the others listed once.
    prompt_.Messages.clear();
    DragOnto(Source(0), Destination(0));
    EXPECT_EQ(prompt_.Messages, QStringList({"Skipped: \r\rBad\rPast\rWrong\r"}));
    EXPECT_EQ(Labels(Destination(2)), QStringList({"Good"}));
    Commit();
    EXPECT_EQ(Text("dst.ini", "A", "Good"), "abc");
}

TEST_F(ImportQueueTest, names_that_would_break_the_record_are_not_queued)
{
    WriteLibrary("src.ini", {{"A;B", "T", "t text"}, {"C", "x;y", "xy"}, {"C", "z", "z text"}});
    DragOnto(Source(0, 0), Destination(0));
    EXPECT_EQ(prompt_.Messages.size(), 1);
    DragOnto(Source(1), Destination(0));
    EXPECT_EQ(prompt_.Messages.last(), "Skipped: \r\rx;y\r");
    EXPECT_EQ(list_, TImportList({Record("C", "C", "z")}));
}

TEST_F(ImportQueueTest, previews_show_source_texts_and_queued_titles)
{
    WriteLibrary("src.ini", {{"AB", "Other", "other text"},
                             {"Z", "Other", "wrong one"},
                             {"A", "Zeta", "zeta text"}});
    TfrmImp& dialog = Dialog();
    dialog.TreeView2->setCurrentItem(Source(0, 0));
    dialog.TreeView2Click();
    EXPECT_TRUE(dialog.Memo1->isEnabled());
    EXPECT_EQ(dialog.Memo1->Text(), "zeta text");
    dialog.TreeView2->setCurrentItem(Source(0));
    dialog.TreeView2Click();
    EXPECT_FALSE(dialog.Memo1->isEnabled());
    EXPECT_EQ(dialog.Memo1->Text(), "");

    dialog.TreeView1->setCurrentItem(Destination(1, 0));
    dialog.TreeView1Click();
    EXPECT_EQ(dialog.Memo2->Text(), "kept text");
    // "Other" of AB queued into Main shows its own text, not that of the
    // same-named title of Z.
    DragOnto(Source(1, 0), Destination(1));
    dialog.TreeView1->setCurrentItem(Destination(1, 1));
    dialog.TreeView1Click();
    EXPECT_TRUE(dialog.Memo2->isEnabled());
    EXPECT_EQ(dialog.Memo2->Text(), "other text");
    dialog.TreeView1->setCurrentItem(Destination(1));
    dialog.TreeView1Click();
    EXPECT_FALSE(dialog.Memo2->isEnabled());
}

TEST_F(ImportQueueTest, ok_cancel_and_the_close_box_set_the_flag)
{
    DragOnto(Source(0, 0), Destination(0));
    Dialog().btnOKClick();
    EXPECT_TRUE(Dialog().OkFlag());
    EXPECT_EQ(list_.size(), 1u);

    dialog_.reset();
    Dialog().close();
    EXPECT_FALSE(Dialog().OkFlag());

    dialog_.reset();
    Dialog().Cancel1->trigger();
    EXPECT_FALSE(Dialog().OkFlag());
    EXPECT_TRUE(list_.empty());
}

}  // namespace
}  // namespace tarnwick::test
