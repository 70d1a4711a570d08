// Editing the library from the tree: new categories and titles, renaming,
// deleting and moving by drag and drop, each checked against the files.
#include "app_fixture.h"

#include "app/code_pane_host.h"
#include "app/tree_hit_zone.h"
#include "library/library_check.h"
#include "library/library_format.h"
#include "library/library_store.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QLineEdit>

#include <functional>
#include <map>

namespace tarnwick::test {
namespace {

const std::vector<TSnippet> kLibrary = {
    {"Strings", "Trim", "function Trim(const S: string): string;\r\nbegin\r\nend;"},
    {"Strings", "Upper", "UpperCase(S)"},
    {"Files", "Size", "FileSize(F)"},
    {"Empty", "Blank", ""},
};

class TreeEditTest : public AppFolderTest {
public:
    // A shown window with the shipped language file and `library` as the
    // default library, loaded at start-up when `load` is set.
    TMainForm& FormWith(const std::vector<TSnippet>& library, bool load = true)
    {
        // Rows of a table share the folder.
        if (!std::filesystem::exists(folder_ / "english.lng"))
            InstallShippedLanguage();
        WriteFile("main.ini", std::string("[Options]\r\nHasRun1=1\r\nLoadDefault=") +
                                  (load ? "1" : "0") + "\r\n[Files]\r\nDelphi Code=lib.ini\r\n");
        WriteLibrary("lib.ini", library);
        TMainForm& form = Form();
        form.show();
        form.TreeView1->expandAll();
        return form;
    }
    TFontTreeView* Tree() { return Form().TreeView1; }
    // The node `title` of `category`, or the category itself.
    QTreeWidgetItem* Node(const QString& category, const QString& title = {})
    {
        QTreeWidget* tree = Form().TreeView1;
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* node = tree->topLevelItem(i);
            if (node->text(0) != category)
                continue;
            if (title.isEmpty())
                return node;
            for (int j = 0; j < node->childCount(); ++j)
                if (node->child(j)->text(0) == title)
                    return node->child(j);
        }
        return nullptr;
    }
    bool Rename(QTreeWidgetItem* node, const QString& text)
    {
        Form().TreeView1Editing(node);
        return Form().TreeView1Edited(node, text);
    }
    std::string Index() const { return ReadFile("lib.ini"); }
    std::string Data() const { return ReadFile("lib.dat"); }
    std::string Lib() const { return (folder_ / "lib.ini").string(); }
    // Every title of the index file with its text, as "category/title".
    std::map<std::string, std::string> Texts() const
    {
        std::map<std::string, std::string> texts;
        for (const std::string& category : ProfileSectionNames(Lib()))
            for (const std::string& title : ProfileKeys(Lib(), category))
                texts[category + "/" + title] = ReadSnippet(category, title, Lib());
        return texts;
    }
    void ExpectConsistent() const
    {
        const TLibraryCheck check = CheckLibrary(Lib());
        EXPECT_TRUE(check.Consistent()) << (check.problems.empty() ? "" : check.problems[0]);
    }
    // A point in the tree's viewport: on the node's label, or `dx` pixels
    // left of its picture.
    QPoint OnLabel(QTreeWidgetItem* node)
    {
        const QRect rect = Form().TreeView1->visualItemRect(node);
        return {rect.left() + 24, rect.center().y()};
    }
    QPoint LeftOf(QTreeWidgetItem* node, int dx)
    {
        const QRect rect = Form().TreeView1->visualItemRect(node);
        return {rect.left() - dx, rect.center().y()};
    }
    // Drags the selected node and drops it at `pos`, as the tree's drag
    // events would.
    void DragTo(QTreeWidgetItem* node, QPoint pos)
    {
        TMainForm& form = Form();
        form.TreeView1->setCurrentItem(node);
        form.TreeView1MouseDown(Qt::LeftButton, OnLabel(node));
        ASSERT_TRUE(form.TreeView1DragOver(form.TreeView1));
        form.TreeView1DragDrop(form.TreeView1, pos);
    }
};

TEST_F(TreeEditTest, new_category_is_written_when_its_title_is_renamed)
{
    // The default library is the target even while the tree is empty.
    TMainForm& form = FormWith(kLibrary, false);
    ASSERT_EQ(form.TreeView1->topLevelItemCount(), 0);
    const std::string index = Index();
    form.AddCategory1Click();
    ASSERT_EQ(form.TreeView1->topLevelItemCount(), 1);
    QTreeWidgetItem* category = form.TreeView1->topLevelItem(0);
    EXPECT_EQ(category->text(0), "New Category");
    ASSERT_EQ(category->childCount(), 1);
    EXPECT_EQ(category->child(0)->text(0), "New Title");
    EXPECT_TRUE(category->isExpanded());
    EXPECT_EQ(form.StatusBar1->PanelText(0), "1 Categories");
    EXPECT_EQ(form.StatusBar1->PanelText(1), "1 Titles");
    EXPECT_EQ(Index(), index);

    EXPECT_TRUE(Rename(category->child(0), "Hello"));
    EXPECT_EQ(ProfileReadString(Lib(), "New Category", "Hello", "<absent>"), "0;0");
    EXPECT_EQ(Index().substr(0, index.size()), index);
    ExpectConsistent();

    // A second one does not share the first one's entry.
    form.AddCategory1Click();
    EXPECT_EQ(form.TreeView1->topLevelItem(1)->text(0), "New Category (2)");

    // The next start shows what was written.
    CloseForm();
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n[Files]\r\nDelphi Code=lib.ini\r\n");
    EXPECT_NE(Node("New Category", "Hello"), nullptr);
}

TEST_F(TreeEditTest, new_code_edits_its_label_and_its_text_reads_back)
{
    TMainForm& form = FormWith(kLibrary);
    form.TreeView1->setCurrentItem(Node("Files", "Size"));
    form.TreeView1Click();
    ASSERT_EQ(form.Memo1->Text(), "FileSize(F)");
    QApplication::setActiveWindow(&form);
    form.AddCode1Click();
    QTreeWidgetItem* node = form.TreeView1->currentItem();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->text(0), "New Item");
    EXPECT_EQ(node->parent(), Node("Files"));
    EXPECT_EQ(form.Memo1->Text(), "");
    EXPECT_EQ(form.CurrentTitle(), "New Item");
    EXPECT_EQ(form.StatusBar1->PanelText(1), "5 Titles");

    // The label editor is open: typing a name and Enter renames.
    auto* editor = form.TreeView1->viewport()->findChild<QLineEdit*>();
    ASSERT_NE(editor, nullptr);
    editor->setText("Greeting");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(editor, &enter);
    // The view commits the edit once the editor has handled the key.
    QApplication::processEvents();
    EXPECT_EQ(node->text(0), "Greeting");
    EXPECT_EQ(ProfileReadString(Lib(), "Files", "Greeting", "<absent>"), "0;0");
    EXPECT_EQ(form.CurrentCategory(), "Files");
    EXPECT_EQ(form.CurrentTitle(), "Greeting");

    // A text typed into the pane and saved reads back byte for byte, and a
    // click shows it again.
    form.show();
    form.repaint();
    form.Memo1->View()->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(form.Memo1->View(), "Hello");
    QTest::keyClick(form.Memo1->View(), Qt::Key_Return);
    QTest::keyClicks(form.Memo1->View(), "caf");
    QKeyEvent eacute(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)));
    QApplication::sendEvent(form.Memo1->View(), &eacute);
    QTest::keyClicks(form.Memo1->View(), ";");
    form.btnSaveClick();
    const std::string text = "Hello\r\ncaf\xE9;";
    EXPECT_EQ(ReadSnippet("Files", "Greeting", Lib()), text);
    form.TreeView1->setCurrentItem(node);
    form.TreeView1Click();
    EXPECT_EQ(form.Memo1->Text(), text);
    ExpectConsistent();

    // On a category, New Code adds to it; with nothing selected, nothing.
    form.TreeView1->setCurrentItem(Node("Files"));
    form.AddCode1Click();
    EXPECT_EQ(Node("Files")->childCount(), 3);
    form.TreeView1->setCurrentItem(nullptr);
    form.AddCode1Click();
    EXPECT_EQ(Node("Files")->childCount(), 3);
}

TEST_F(TreeEditTest, renames_keep_every_text)
{
    struct TRow {
        const char* name;
        QString category, title, newName;
        std::string renamedKey;  // "category/title" of the renamed entry afterwards
    };
    const TRow rows[] = {
        {"category", "Strings", "", "Text", "Text/Trim"},
        {"title", "Strings", "Trim", "TrimAll", "Strings/TrimAll"},
        {"title_case_only", "Strings", "Trim", "TRIM", "Strings/TRIM"},
        {"category_case_only", "Strings", "", "STRINGS", "STRINGS/Upper"},
        {"blanks_are_dropped", "Files", "Size", "  Length ", "Files/Length"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        FormWith(kLibrary);
        std::map<std::string, std::string> expected;
        for (const auto& [key, text] : Texts()) {
            const std::string oldKey = row.category.toStdString() + "/" + row.title.toStdString();
            std::string moved = key;
            if (row.title.isEmpty() && key.rfind(row.category.toStdString() + "/", 0) == 0)
                moved = row.renamedKey.substr(0, row.renamedKey.find('/')) +
                        key.substr(key.find('/'));
            else if (key == oldKey)
                moved = row.renamedKey;
            expected[moved] = text;
        }
        QTreeWidgetItem* node = Node(row.category, row.title);
        ASSERT_NE(node, nullptr);
        EXPECT_TRUE(Rename(node, row.newName));
        EXPECT_EQ(node->text(0), row.newName.trimmed());
        EXPECT_EQ(Texts(), expected);
        EXPECT_TRUE(prompt_.Errors.isEmpty());
        ExpectConsistent();
        CloseForm();
    }
}

TEST_F(TreeEditTest, renaming_the_shown_title_moves_the_current_snippet_along)
{
    TMainForm& form = FormWith(kLibrary);
    form.TreeView1->setCurrentItem(Node("Strings", "Trim"));
    form.TreeView1Click();
    Rename(Node("Strings", "Upper"), "Up");
    EXPECT_EQ(form.CurrentTitle(), "Trim");
    Rename(Node("Strings", "Trim"), "Cut");
    EXPECT_EQ(form.CurrentTitle(), "Cut");
    Rename(Node("Strings"), "Text");
    EXPECT_EQ(form.CurrentCategory(), "Text");
    Rename(Node("Files"), "Disk");
    EXPECT_EQ(form.CurrentCategory(), "Text");
}

TEST_F(TreeEditTest, unchanged_or_refused_renames_change_no_file)
{
    struct TRow {
        const char* name;
        QString category, title, newName;
        bool reported;
    };
    const TRow rows[] = {
        {"same_text", "Strings", "Trim", "Trim", false},
        {"same_after_trimming", "Strings", "Trim", " Trim ", false},
        {"onto_existing_title", "Strings", "Trim", "Upper", true},
        {"onto_existing_title_other_case", "Strings", "Trim", "upper", true},
        {"onto_existing_category", "Strings", "", "files", true},
        {"empty_title", "Strings", "Trim", "", true},
        {"blank_category", "Files", "", "   ", true},
        {"title_with_equals", "Strings", "Trim", "a=b", true},
        {"title_starting_a_comment", "Strings", "Trim", ";x", true},
        {"category_with_bracket", "Files", "", "a]b", true},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        FormWith(kLibrary);
        const std::string index = Index();
        const std::string data = Data();
        QTreeWidgetItem* node = Node(row.category, row.title);
        ASSERT_NE(node, nullptr);
        const QString before = node->text(0);
        EXPECT_FALSE(Rename(node, row.newName));
        EXPECT_EQ(node->text(0), before);
        EXPECT_EQ(Index(), index);
        EXPECT_EQ(Data(), data);
        EXPECT_EQ(prompt_.Errors.size(), row.reported ? 1 : 0);
        prompt_.Errors.clear();
        CloseForm();
    }
}

TEST_F(TreeEditTest, a_title_only_the_index_holds_is_not_overwritten_by_a_rename)
{
    FormWith(kLibrary);
    // Another program added a title the tree does not show yet.
    ProfileWriteString(Lib(), "Strings", "Hidden", "0;3");
    const std::string index = Index();
    EXPECT_FALSE(Rename(Node("Strings", "Trim"), "Hidden"));
    EXPECT_EQ(Index(), index);
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_EQ(prompt_.Errors[0], "The category Strings already holds a title Hidden");
}

TEST_F(TreeEditTest, deleting_removes_exactly_the_texts_asked_for)
{
    struct TRow {
        const char* name;
        QString category, title;
        std::vector<std::string> gone;
        const char* question;
    };
    const TRow rows[] = {
        {"title", "Strings", "Trim", {"Strings/Trim"}, "Delete this title? \nTrim"},
        {"category", "Strings", "", {"Strings/Trim", "Strings/Upper"},
         "Delete this category and all of its titles? \nStrings"},
        {"empty_snippet", "Empty", "Blank", {"Empty/Blank"}, "Delete this title? \nBlank"},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TMainForm& form = FormWith(kLibrary);
        std::map<std::string, std::string> expected = Texts();
        for (const std::string& key : row.gone)
            expected.erase(key);
        form.TreeView1->setCurrentItem(Node(row.category, row.title));
        prompt_.Answers = {TPromptAnswer::Yes};
        form.btnDeleteClick();
        ASSERT_EQ(prompt_.Questions.size(), 1);
        EXPECT_EQ(prompt_.Questions[0], row.question);
        EXPECT_EQ(Node(row.category, row.title), nullptr);
        EXPECT_EQ(Texts(), expected);
        ExpectConsistent();
        EXPECT_EQ(form.StatusBar1->PanelText(1),
                  QString::number(4 - row.gone.size()) + QStringLiteral(" Titles"));
        prompt_.Questions.clear();
        CloseForm();
    }
}

TEST_F(TreeEditTest, deleting_needs_a_yes_and_a_tree_only_title_writes_nothing)
{
    TMainForm& form = FormWith(kLibrary);
    const std::string index = Index();
    const std::string data = Data();
    form.TreeView1->setCurrentItem(Node("Files", "Size"));
    prompt_.Answers = {TPromptAnswer::No};
    form.btnDeleteClick();
    EXPECT_NE(Node("Files", "Size"), nullptr);

    form.AddCode1Click();
    ASSERT_EQ(form.TreeView1->currentItem()->text(0), "New Item");
    prompt_.Answers = {TPromptAnswer::Yes};
    form.btnDeleteClick();
    EXPECT_EQ(Node("Files", "New Item"), nullptr);
    EXPECT_EQ(Index(), index);
    EXPECT_EQ(Data(), data);
    // Nothing typed into the pane now goes to the deleted title.
    EXPECT_EQ(form.CurrentTitle(), "");
}

TEST_F(TreeEditTest, deleting_the_shown_title_empties_the_pane)
{
    TMainForm& form = FormWith(kLibrary);
    form.TreeView1->setCurrentItem(Node("Strings", "Upper"));
    form.TreeView1Click();
    ASSERT_EQ(form.Memo1->Text(), "UpperCase(S)");
    prompt_.Answers = {TPromptAnswer::Yes};
    form.btnDeleteClick();
    EXPECT_EQ(form.Memo1->Text(), "");
    EXPECT_EQ(form.CurrentCategory(), "");
    EXPECT_EQ(form.CurrentTitle(), "");
}

TEST_F(TreeEditTest, delete_and_f2_keys_reach_their_commands)
{
    TMainForm& form = FormWith(kLibrary);
    QApplication::setActiveWindow(&form);
    form.TreeView1->setFocus();
    form.TreeView1->setCurrentItem(Node("Files", "Size"));
    QKeyEvent del(QEvent::KeyRelease, Qt::Key_Delete, Qt::NoModifier);
    QApplication::sendEvent(form.TreeView1, &del);
    EXPECT_EQ(prompt_.Questions.size(), 1);
    QKeyEvent f2(QEvent::KeyRelease, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(form.TreeView1, &f2);
    EXPECT_NE(form.TreeView1->viewport()->findChild<QLineEdit*>(), nullptr);
}

TEST_F(TreeEditTest, dropping_a_title_on_another_category_moves_it)
{
    TMainForm& form = FormWith(kLibrary);
    const std::map<std::string, std::string> before = Texts();
    QTreeWidgetItem* trim = Node("Strings", "Trim");
    DragTo(trim, OnLabel(Node("Files", "Size")));
    EXPECT_EQ(trim->parent(), Node("Files"));
    EXPECT_EQ(Node("Files")->indexOfChild(trim), 1);
    EXPECT_EQ(form.TreeView1->currentItem(), trim);
    EXPECT_EQ(ProfileReadString(Lib(), "Strings", "Trim", "<absent>"), "<absent>");
    EXPECT_EQ(ReadSnippet("Files", "Trim", Lib()), before.at("Strings/Trim"));
    ExpectConsistent();

    // In the indent of a title: just before that title.
    QTreeWidgetItem* upper = Node("Strings", "Upper");
    DragTo(upper, LeftOf(Node("Files", "Size"), 10));
    EXPECT_EQ(Node("Files")->indexOfChild(upper), 0);
    EXPECT_EQ(ReadSnippet("Files", "Upper", Lib()), "UpperCase(S)");
    EXPECT_EQ(prompt_.Errors.size(), 0);
}

TEST_F(TreeEditTest, drops_that_move_nothing)
{
    struct TRow {
        const char* name;
        QString category, title;  // the dragged node
        std::function<QPoint(TreeEditTest&)> where;
        bool reported;
    };
    const TRow rows[] = {
        {"own_category", "Strings", "Trim",
         [](TreeEditTest& t) { return t.OnLabel(t.Node("Strings")); }, false},
        {"own_sibling", "Strings", "Trim",
         [](TreeEditTest& t) { return t.OnLabel(t.Node("Strings", "Upper")); }, false},
        {"expand_button", "Strings", "Trim",
         [](TreeEditTest& t) { return t.LeftOf(t.Node("Files"), 5); }, false},
        {"right_of_the_label", "Strings", "Trim",
         [](TreeEditTest& t) {
             const QRect rect = t.Tree()->visualItemRect(t.Node("Files"));
             return QPoint(rect.left() + 200, rect.center().y());
         },
         false},
        {"no_node", "Strings", "Trim", [](TreeEditTest&) { return QPoint(5, 2000); }, false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.name);
        TMainForm& form = FormWith(kLibrary);
        form.resize(700, 400);
        const std::string index = Index();
        QTreeWidgetItem* node = Node(row.category, row.title);
        QTreeWidgetItem* parent = node->parent();
        const int position = parent->indexOfChild(node);
        DragTo(node, row.where(*this));
        EXPECT_EQ(node->parent(), parent);
        EXPECT_EQ(parent->indexOfChild(node), position);
        EXPECT_EQ(Index(), index);
        EXPECT_EQ(prompt_.Errors.size(), row.reported ? 1 : 0);
        CloseForm();
    }
}

TEST_F(TreeEditTest, a_move_onto_an_existing_title_is_refused)
{
    FormWith({{"A", "Same", "one"}, {"A", "Hidden", "two"}, {"B", "same", "three"}});
    const std::string index = Index();
    QTreeWidgetItem* same = Node("A", "Same");
    DragTo(same, OnLabel(Node("B")));
    EXPECT_EQ(same->parent(), Node("A"));
    EXPECT_EQ(Index(), index);
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_EQ(prompt_.Errors[0], "The category B already holds a title Same");

    // A title only the index file holds yet: the store refuses the same way.
    ProfileWriteString(Lib(), "B", "HIDDEN", "0;0");
    const std::string written = Index();
    QTreeWidgetItem* hidden = Node("A", "Hidden");
    DragTo(hidden, OnLabel(Node("B", "same")));
    EXPECT_EQ(hidden->parent(), Node("A"));
    EXPECT_EQ(Index(), written);
    ASSERT_EQ(prompt_.Errors.size(), 2);
    EXPECT_EQ(prompt_.Errors[1], "The category B already holds a title Hidden");
}

TEST_F(TreeEditTest, moving_a_title_that_was_never_saved_writes_an_empty_snippet)
{
    TMainForm& form = FormWith(kLibrary);
    form.TreeView1->setCurrentItem(Node("Files"));
    form.AddCode1Click();
    QTreeWidgetItem* item = Node("Files", "New Item");
    DragTo(item, OnLabel(Node("Empty")));
    EXPECT_EQ(item->parent(), Node("Empty"));
    EXPECT_EQ(ProfileReadString(Lib(), "Empty", "New Item", "<absent>"), "0;0");
    // The pane's title moved along: a save goes to where it now is.
    EXPECT_EQ(form.CurrentCategory(), "Empty");
    ExpectConsistent();
}

TEST_F(TreeEditTest, only_a_title_dragged_from_the_tree_is_accepted)
{
    TMainForm& form = FormWith(kLibrary);
    form.TreeView1->setCurrentItem(Node("Files"));
    form.TreeView1MouseDown(Qt::LeftButton, OnLabel(Node("Files")));
    EXPECT_FALSE(form.TreeView1DragOver(form.TreeView1));
    form.TreeView1->setCurrentItem(Node("Files", "Size"));
    EXPECT_TRUE(form.TreeView1DragOver(form.TreeView1));
    EXPECT_FALSE(form.TreeView1DragOver(form.Memo1));
    form.TreeView1MouseUp();
    EXPECT_FALSE(form.TreeView1DragOver(form.TreeView1));
}

TEST_F(TreeEditTest, hit_zones_of_a_category_and_a_title)
{
    TMainForm& form = FormWith(kLibrary);
    const TFontTreeView& tree = *form.TreeView1;
    QTreeWidgetItem* files = Node("Files");
    QTreeWidgetItem* size = Node("Files", "Size");
    const QRect row = tree.visualItemRect(size);
    EXPECT_EQ(TreeHitZone(tree, files, OnLabel(files)), TTreeHitZone::Label);
    EXPECT_EQ(TreeHitZone(tree, files, LeftOf(files, 3)), TTreeHitZone::Button);
    EXPECT_EQ(TreeHitZone(tree, size, LeftOf(size, 3)), TTreeHitZone::Indent);
    EXPECT_EQ(TreeHitZone(tree, size, {row.left() + 2, row.center().y()}), TTreeHitZone::Label);
    EXPECT_EQ(TreeHitZone(tree, size, {row.left() + 300, row.center().y()}), TTreeHitZone::Right);
    EXPECT_EQ(TreeHitZone(tree, size, {row.left() + 2, row.bottom() + 30}), TTreeHitZone::Nowhere);
    EXPECT_EQ(TreeHitZone(tree, nullptr, {0, 0}), TTreeHitZone::Nowhere);
}

}  // namespace
}  // namespace tarnwick::test
