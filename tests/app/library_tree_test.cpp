// The library tree: loading, pictures, clicks and keys that show a title's
// text in the code pane, expanding and collapsing, the context menu.
#include "app_fixture.h"

#include "app/code_pane_host.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace tarnwick::test {
namespace {

class LibraryTreeTest : public AppFolderTest {
protected:
    // A window with the shipped language file and `library` as the default
    // library, loaded at start-up.
    TMainForm& FormWith(const std::vector<TSnippet>& library)
    {
        InstallShippedLanguage();
        WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n"
                              "[Files]\r\nDelphi Code=lib.ini\r\n");
        WriteLibrary("lib.ini", library);
        return Form();
    }
    QTreeWidgetItem* Node(int category, int title = -1)
    {
        QTreeWidgetItem* node = Form().TreeView1->topLevelItem(category);
        return title < 0 ? node : node->child(title);
    }
    void Select(QTreeWidgetItem* node) { Form().TreeView1->setCurrentItem(node); }
    QImage IconImage(QTreeWidgetItem* node, QIcon::Mode mode)
    {
        return node->icon(0).pixmap(TTreeImages::kSize, mode).toImage();
    }
    QImage Picture(int index) { return Form().TreeImages().Image(index).toImage(); }
};

const std::vector<TSnippet> kLibrary = {
    {"Strings", "Trim", "function Trim(const S: string): string;\r\nbegin\r\nend;"},
    {"Strings", "Upper", "UpperCase(S)"},
    {"Files", "Size", "FileSize(F)"},
    {"Empty", "Blank", ""},
};

TEST_F(LibraryTreeTest, clicking_a_title_shows_its_text_and_its_size)
{
    TMainForm& form = FormWith(kLibrary);
    form.show();
    QTreeWidgetItem* trim = Node(2, 0);  // Empty, Files, Strings
    ASSERT_EQ(trim->text(0), "Trim");
    form.TreeView1->expandAll();
    const QPoint centre = form.TreeView1->visualItemRect(trim).center();
    QWidget* viewport = form.TreeView1->viewport();
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, centre, viewport->mapToGlobal(centre), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(viewport, &click);
    }
    EXPECT_EQ(form.Memo1->Text(), kLibrary[0].Text);
    EXPECT_FALSE(form.Memo1->Modified());
    EXPECT_EQ(form.StatusBar1->PanelText(2), "52 Characters / 3 Lines");
    EXPECT_EQ(form.CurrentCategory(), "Strings");
    EXPECT_EQ(form.CurrentTitle(), "Trim");
    EXPECT_FALSE(form.Loading());
    EXPECT_FALSE(form.Dirty());
    EXPECT_FALSE(form.btnSave->isEnabled());
    EXPECT_EQ(form.StatusBar1->PanelText(0), "3 Categories");
    EXPECT_EQ(form.StatusBar1->PanelText(1), "4 Titles");
}

TEST_F(LibraryTreeTest, clicking_a_category_empties_the_pane)
{
    TMainForm& form = FormWith(kLibrary);
    Select(Node(2, 1));
    form.TreeView1Click();
    ASSERT_EQ(form.Memo1->Text(), "UpperCase(S)");

    // A category with titles: empty pane, no current title, loading done.
    Select(Node(2));
    form.TreeView1Click();
    EXPECT_EQ(form.Memo1->Text(), "");
    EXPECT_EQ(form.CurrentTitle(), "");
    EXPECT_FALSE(form.Loading());

    // A category without titles: the same, but the loading flag stays set.
    form.TreeView1->addTopLevelItem(new QTreeWidgetItem(QStringList{"New Category"}));
    Select(form.TreeView1->topLevelItem(3));
    Select(Node(1, 0));
    form.TreeView1Click();
    Select(form.TreeView1->topLevelItem(3));
    form.TreeView1Click();
    EXPECT_EQ(form.Memo1->Text(), "");
    EXPECT_EQ(form.CurrentCategory(), "");
    EXPECT_TRUE(form.Loading());
}

TEST_F(LibraryTreeTest, empty_snippet_and_empty_tree)
{
    TMainForm& form = FormWith(kLibrary);
    Select(Node(0, 0));
    form.TreeView1Click();
    EXPECT_EQ(form.Memo1->Text(), "");
    EXPECT_EQ(form.StatusBar1->PanelText(2), "0 Characters / 1 Lines");
    EXPECT_EQ(form.CurrentTitle(), "Blank");

    form.LoadLibrary(folder_ / "missing.ini");
    EXPECT_EQ(form.TreeView1->topLevelItemCount(), 0);
    EXPECT_EQ(form.StatusBar1->PanelText(0), "0 Categories");
    EXPECT_EQ(form.StatusBar1->PanelText(1), "0 Titles");
    form.TreeView1Click();
    EXPECT_TRUE(form.Loading());
    EXPECT_EQ(form.CurrentTitle(), "Blank");
}

TEST_F(LibraryTreeTest, a_snippet_that_cannot_be_read_stops_the_click)
{
    TMainForm& form = FormWith(kLibrary);
    std::filesystem::remove(folder_ / "lib.dat");
    Select(Node(2, 0));
    EXPECT_THROW(form.TreeView1Click(), std::exception);
    EXPECT_EQ(form.CurrentTitle(), "");
}

TEST_F(LibraryTreeTest, missing_size_words_leave_text_and_title_together)
{
    // No language file: the size words cannot be produced.
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n[Files]\r\nDelphi Code=lib.ini\r\n");
    WriteLibrary("lib.ini", kLibrary);
    TMainForm& form = Form();
    Select(Node(1, 0));
    EXPECT_THROW(form.TreeView1Click(), std::out_of_range);
    EXPECT_EQ(form.Memo1->Text(), "FileSize(F)");
    EXPECT_EQ(form.CurrentCategory(), "Files");
    EXPECT_EQ(form.CurrentTitle(), "Size");
}

TEST_F(LibraryTreeTest, arrow_keys_show_the_new_selection_other_keys_do_not)
{
    TMainForm& form = FormWith(kLibrary);
    form.show();
    QApplication::setActiveWindow(&form);
    form.TreeView1->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), form.TreeView1);
    form.TreeView1->expandAll();
    Select(Node(1, 0));
    const auto press = [&](Qt::Key key, bool autoRepeat = false) {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(form.TreeView1, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(form.TreeView1, &up);
    };
    press(Qt::Key_Down);  // Files/Size -> Strings
    press(Qt::Key_Down);  // -> Strings/Trim
    EXPECT_EQ(form.CurrentTitle(), "Trim");
    // A held key is released once: the repeats show nothing in between.
    press(Qt::Key_Down, true);
    EXPECT_EQ(form.TreeView1->currentItem()->text(0), "Upper");
    EXPECT_EQ(form.CurrentTitle(), "Trim");
    press(Qt::Key_Up);
    EXPECT_EQ(form.CurrentTitle(), "Trim");
    press(Qt::Key_Home);
    EXPECT_EQ(form.TreeView1->currentItem(), Node(0));
    EXPECT_EQ(form.CurrentTitle(), "Trim");
    Select(Node(2, 1));
    form.TreeView1KeyUp(Qt::Key_Right);
    EXPECT_EQ(form.CurrentTitle(), "Upper");
}

TEST_F(LibraryTreeTest, duplicate_names_differing_in_case_appear_once)
{
    InstallShippedLanguage();
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n[Files]\r\nDelphi Code=l.ini\r\n");
    WriteFile("l.ini", "[cat]\r\nbeta=0;0\r\nAlpha=0;0\r\nBETA=0;0\r\nalpha2=0;0\r\n[CAT]\r\nx=0;0\r\n");
    TMainForm& form = Form();
    ASSERT_EQ(form.TreeView1->topLevelItemCount(), 1);
    QStringList titles;
    for (int i = 0; i < Node(0)->childCount(); ++i)
        titles << Node(0, i)->text(0);
    EXPECT_EQ(titles, QStringList({"Alpha", "alpha2", "beta"}));
    EXPECT_EQ(form.StatusBar1->PanelText(1), "3 Titles");
}

TEST_F(LibraryTreeTest, every_title_of_a_long_category_is_listed)
{
    // Far more names than the profile functions' 8,192-byte listing holds.
    std::vector<TSnippet> library;
    for (int i = 0; i < 1000; ++i)
        library.push_back({"Many", "A rather long title " + std::to_string(10000 + i), "x"});
    TMainForm& form = FormWith(library);
    EXPECT_EQ(Node(0)->childCount(), 1000);
    EXPECT_EQ(form.StatusBar1->PanelText(1), "1000 Titles");
}

TEST_F(LibraryTreeTest, pictures_follow_level_expansion_and_selection)
{
    TMainForm& form = FormWith(kLibrary);
    QTreeWidgetItem* category = Node(2);
    QTreeWidgetItem* title = Node(2, 0);
    EXPECT_EQ(IconImage(category, QIcon::Normal), Picture(0));
    EXPECT_EQ(IconImage(category, QIcon::Selected), Picture(1));
    EXPECT_EQ(IconImage(title, QIcon::Normal), Picture(3));
    EXPECT_EQ(IconImage(title, QIcon::Selected), Picture(2));
    EXPECT_NE(Picture(0), Picture(1));
    EXPECT_NE(Picture(2), Picture(3));

    form.Expandallnodes1Click();
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Node(i)->isExpanded()) << i;
        EXPECT_EQ(IconImage(Node(i), QIcon::Normal), Picture(1)) << i;
    }
    form.Collapseallnodes1Click();
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(Node(i)->isExpanded()) << i;
        EXPECT_EQ(IconImage(Node(i), QIcon::Normal), Picture(0)) << i;
    }
}

TEST_F(LibraryTreeTest, context_menu_order_and_its_save_item)
{
    TMainForm& form = FormWith(kLibrary);
    QStringList items;
    for (QAction* action : form.PopupMenu1->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(items, QStringList({"New Code", "New Category", "-", "Delete Selected", "-",
                                  "Change Title", "-", "Save", "-", "Expand all nodes",
                                  "Collapse all nodes"}));
    form.btnSave->setEnabled(true);
    form.PopupMenu1Popup();
    EXPECT_TRUE(form.SavePopup1->isEnabled());
    form.btnSave->setEnabled(false);
    form.PopupMenu1Popup();
    EXPECT_FALSE(form.SavePopup1->isEnabled());
}

TEST_F(LibraryTreeTest, loading_selects_the_first_node_without_showing_it)
{
    TMainForm& form = FormWith(kLibrary);
    EXPECT_EQ(form.TreeView1->currentItem(), Node(0));
    EXPECT_EQ(form.Memo1->Text(), "");
    EXPECT_TRUE(form.Loading());
}

// A library named on the command line opens through File > Open: found
// among the registered ones without regard to letter case, or registered
// under its file name (numbered when that title is taken).
TEST_F(LibraryTreeTest, command_line_library_is_opened_and_registered_once)
{
    TMainForm& form = FormWith(kLibrary);
    WriteLibrary("other.ini", {{"Extra", "One", "x := 1;"}});
    form.OpenLibraryFromCommandLine(folder_ / "OTHER.INI");
    EXPECT_EQ(form.CurrentLibrary().filename(), "other.ini");
    EXPECT_EQ(Setting("Files", "OTHER"), (folder_ / "OTHER.INI").string());
    ASSERT_EQ(form.TreeView1->topLevelItemCount(), 1);
    EXPECT_EQ(form.TreeView1->topLevelItem(0)->text(0), "Extra");

    // Registered now: opening it again adds no second entry.
    form.OpenLibraryFromCommandLine(folder_ / "other.ini");
    EXPECT_EQ(ProfileKeys((folder_ / "main.ini").string(), "Files").size(), 2u);

    // A library without its data file is refused with the menu's message.
    form.OpenLibraryFromCommandLine(folder_ / "absent.ini");
    EXPECT_EQ(form.CurrentLibrary().filename(), "other.ini");
    EXPECT_EQ(prompt_.Messages.size(), 1);
}

}  // namespace
}  // namespace tarnwick::test
