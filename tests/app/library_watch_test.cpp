// The window following changes another program makes to its library: the
// file watch itself, then the tree and the code pane as tarnwick-cli changes
// the library under them.
#include "app_fixture.h"

#include "app/code_pane_host.h"
#include "app/library_watch.h"
#include "app/search_panel.h"
#include "editor/code_memo.h"
#include "library/library_format.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <cstdlib>
#include <functional>

namespace tarnwick::test {
namespace {

// Lets events run until `done` holds or five seconds have gone by.
bool WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

// Lets events run for longer than a burst takes to settle.
void Settle()
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 3 * TLibraryWatch::kSettleMilliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

class LibraryWatchTest : public AppFolderTest {};

TEST_F(LibraryWatchTest, reports_a_replaced_index_once_and_ignores_work_files)
{
    WriteLibrary("lib.ini", {{"C", "T", "text"}});
    TLibraryWatch watch;
    QSignalSpy changed(&watch, &TLibraryWatch::Changed);
    watch.Watch(folder_ / "lib.ini", folder_ / "lib.dat");

    // Files beside the library that are not the library: a lock file, a
    // journal that comes and goes.
    WriteFile("lib.lck", "");
    WriteFile("lib.jnl", "x");
    std::filesystem::remove(folder_ / "lib.jnl");
    Settle();
    EXPECT_EQ(changed.count(), 0);

    // A store operation's way of replacing the index: a new file renamed
    // over it (the old file's watch goes with it), after the data file.
    WriteFile("lib.dat", "text\r\nmore\r\n");
    WriteFile("lib.new", "[C]\r\nT=0;4\r\nU=6;10\r\n");
    std::filesystem::rename(folder_ / "lib.new", folder_ / "lib.ini");
    ASSERT_TRUE(WaitFor([&] { return changed.count() > 0; }));
    Settle();
    EXPECT_EQ(changed.count(), 1);

    // The replaced file is watched again.
    WriteFile("lib.new", "[C]\r\nT=0;4\r\n");
    std::filesystem::rename(folder_ / "lib.new", folder_ / "lib.ini");
    EXPECT_TRUE(WaitFor([&] { return changed.count() == 2; }));

    // What the window acknowledged is not reported again; an empty path
    // stops the watch.
    watch.Acknowledge();
    watch.Watch({}, {});
    WriteFile("lib.ini", "[C]\r\n");
    Settle();
    EXPECT_EQ(changed.count(), 2);
}

class WindowFollowsTest : public AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        InstallShippedLanguage();
        WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n"
                              "[Files]\r\nDelphi Code=lib.ini\r\n");
        WriteLibrary("lib.ini", {{"Files", "Size", "FileSize(F)"},
                                 {"Strings", "Trim", "Trim(S)"},
                                 {"Strings", "Upper", "UpperCase(S)"}});
    }
    // Runs tarnwick-cli on the library, as another program would.
    void Cli(const std::string& arguments)
    {
        const std::string command = std::string(TARNWICK_CLI) + " library " + arguments;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    std::string Index() const { return (folder_ / "lib.ini").string(); }
    // Opens the window with Strings > Trim shown in the pane.
    TMainForm& ShowTrim()
    {
        TMainForm& form = Form();
        QTreeWidgetItem* strings = form.TreeView1->topLevelItem(1);
        strings->setExpanded(true);
        form.TreeView1->setCurrentItem(strings->child(0));
        form.TreeView1Click();
        EXPECT_EQ(form.Memo1->Text(), "Trim(S)");
        return form;
    }
    // Shown, painted and with the pane's text edited by keys, as the user
    // edits it (auto-save off, so the edit stays unsaved).
    TMainForm& EditTrim(const char* typed)
    {
        TMainForm& form = ShowTrim();
        form.show();
        form.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
        form.repaint();
        form.Memo1->View()->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(form.Memo1->View(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(form.Memo1->View(), typed);
        EXPECT_TRUE(form.Dirty());
        return form;
    }
    std::string Stored(const char* category, const char* title)
    {
        return ReadSnippet(category, title, Index());
    }
    static QStringList Titles(const TMainForm& form, int category)
    {
        QStringList titles;
        const QTreeWidgetItem* node = form.TreeView1->topLevelItem(category);
        for (int i = 0; i < node->childCount(); ++i)
            titles << node->child(i)->text(0);
        return titles;
    }
};

TEST_F(WindowFollowsTest, tree_and_untouched_pane_follow_keeping_selection_and_expansion)
{
    TMainForm& form = ShowTrim();
    Cli("append " + Index() + " Strings Pad 'Pad(S)'");
    Cli("save " + Index() + " Strings Trim 'TrimLeft(S)'");
    ASSERT_TRUE(WaitFor([&] { return form.Memo1->Text() == "TrimLeft(S)"; }));
    ASSERT_TRUE(WaitFor([&] { return Titles(form, 1).size() == 3; }));

    EXPECT_EQ(Titles(form, 1), (QStringList{"Pad", "Trim", "Upper"}));
    EXPECT_TRUE(form.TreeView1->topLevelItem(1)->isExpanded());
    EXPECT_FALSE(form.TreeView1->topLevelItem(0)->isExpanded());
    ASSERT_NE(form.TreeView1->currentItem(), nullptr);
    EXPECT_EQ(form.TreeView1->currentItem()->text(0), "Trim");
    EXPECT_EQ(form.CurrentTitle(), "Trim");
    EXPECT_FALSE(form.Dirty());
    EXPECT_TRUE(prompt_.Questions.isEmpty());
    EXPECT_TRUE(prompt_.Errors.isEmpty());
}

TEST_F(WindowFollowsTest, a_change_to_another_title_leaves_the_pane_alone)
{
    TMainForm& form = ShowTrim();
    form.Memo1->Editor().SetTopLine(0);
    Cli("save " + Index() + " Files Size 'FileSize(G)'");
    Cli("rename-title " + Index() + " Strings Upper Lower");
    ASSERT_TRUE(WaitFor([&] { return Titles(form, 1).contains("Lower"); }));
    EXPECT_EQ(form.Memo1->Text(), "Trim(S)");
    EXPECT_EQ(form.TreeView1->currentItem()->text(0), "Trim");
}

TEST_F(WindowFollowsTest, a_title_removed_elsewhere_leaves_the_pane_and_selects_its_category)
{
    TMainForm& form = ShowTrim();
    Cli("remove " + Index() + " Strings Trim");
    ASSERT_TRUE(WaitFor([&] { return Titles(form, 1) == QStringList{"Upper"}; }));
    EXPECT_TRUE(WaitFor([&] { return form.CurrentTitle().empty(); }));
    EXPECT_EQ(form.Memo1->Text(), "");
    ASSERT_NE(form.TreeView1->currentItem(), nullptr);
    EXPECT_EQ(form.TreeView1->currentItem()->text(0), "Strings");
}

TEST_F(WindowFollowsTest, the_library_search_panel_searches_again)
{
    TMainForm& form = ShowTrim();
    form.FindInLibrary1Click();
    form.SearchPanel1->Edit->setText("Trim");
    form.SearchPanel1->StartSearch();
    form.SearchPanel1->WaitForSearch();
    ASSERT_EQ(form.SearchPanel1->HitCount(), 1);
    Cli("append " + Index() + " Files Trimmed 'Trim(T)'");
    ASSERT_TRUE(WaitFor([&] {
        form.SearchPanel1->WaitForSearch();
        return form.SearchPanel1->HitCount() == 2;
    }));
}

TEST_F(WindowFollowsTest, opening_another_library_leaves_no_title_to_save_into)
{
    // A title of the same name in the library opened next must not receive
    // what the pane held or what is typed after the open.
    WriteLibrary("other.ini", {{"Strings", "Trim", "other"}});
    TMainForm& form = EditTrim(" mine");
    prompt_.FileNames = {QString::fromStdString((folder_ / "other.ini").string())};
    form.btnOpenClick();
    EXPECT_EQ(form.CurrentTitle(), "");
    EXPECT_EQ(form.Memo1->Text(), "");
    QTest::keyClicks(form.Memo1->View(), "typed after the open");
    form.btnSaveClick();
    EXPECT_EQ(ReadSnippet("Strings", "Trim", (folder_ / "other.ini").string()), "other");
}

TEST_F(WindowFollowsTest, an_unsaved_edit_is_kept_and_saved_over_the_other_version_on_request)
{
    TMainForm& form = EditTrim(" mine");
    Cli("save " + Index() + " Strings Trim 'theirs'");
    prompt_.Answers = {TPromptAnswer::No};  // keep my edit
    ASSERT_TRUE(WaitFor([&] { return !prompt_.Questions.isEmpty(); }));
    EXPECT_TRUE(prompt_.Questions.front().contains("changed by another program"));
    EXPECT_EQ(form.Memo1->Text(), "Trim(S) mine");
    EXPECT_EQ(Stored("Strings", "Trim"), "Trim(S) mine");
    // The window's own save is not taken for another change.
    Settle();
    EXPECT_EQ(prompt_.Questions.size(), 1);
}

TEST_F(WindowFollowsTest, an_unsaved_edit_gives_way_to_the_other_version_on_request)
{
    TMainForm& form = EditTrim(" mine");
    prompt_.Answers = {TPromptAnswer::Yes};  // take theirs
    Cli("save " + Index() + " Strings Trim 'theirs'");
    ASSERT_TRUE(WaitFor([&] { return form.Memo1->Text() == "theirs"; }));
    EXPECT_EQ(prompt_.Questions.size(), 1);
    EXPECT_EQ(Stored("Strings", "Trim"), "theirs");

    // No question for a change elsewhere once the pane holds no edit.
    Cli("save " + Index() + " Strings Trim 'theirs again'");
    ASSERT_TRUE(WaitFor([&] { return form.Memo1->Text() == "theirs again"; }));
    EXPECT_EQ(prompt_.Questions.size(), 1);
}

TEST_F(WindowFollowsTest, saving_a_title_removed_elsewhere_asks_before_recreating_it)
{
    TMainForm& form = EditTrim(" mine");
    Cli("remove " + Index() + " Strings Trim");
    ASSERT_TRUE(WaitFor([&] { return Titles(form, 1) == QStringList{"Upper"}; }));
    // The edit stays in the pane, with the title it belongs to.
    EXPECT_EQ(form.Memo1->Text(), "Trim(S) mine");
    EXPECT_EQ(form.CurrentTitle(), "Trim");

    prompt_.Answers = {TPromptAnswer::No};
    form.btnSaveClick();
    ASSERT_EQ(prompt_.Questions.size(), 1);
    EXPECT_TRUE(prompt_.Questions.back().contains("removed from the library"));
    EXPECT_EQ(Stored("Strings", "Trim"), "");
    EXPECT_TRUE(form.Dirty());

    prompt_.Answers = {TPromptAnswer::Yes};
    form.btnSaveClick();
    EXPECT_EQ(prompt_.Questions.size(), 2);
    EXPECT_EQ(Stored("Strings", "Trim"), "Trim(S) mine");
    EXPECT_TRUE(WaitFor([&] { return Titles(form, 1) == (QStringList{"Trim", "Upper"}); }));
}

}  // namespace
}  // namespace tarnwick::test
