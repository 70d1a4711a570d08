// The code pane inside the main window: change tracking, Save and auto-save
// against the library files, the Edit menu and its context-menu twins, the
// Copy button, Time/Date, Word wrap, the code-window font, the resize rule
// and the highlighting the pane starts with.
#include "app_fixture.h"
#include "pane_pixels.h"

#include "app/code_pane_host.h"
#include "editor/code_memo.h"
#include "editor/core/editor_commands.h"
#include "editor/core/memo_options.h"
#include "library/library_format.h"
#include "library/library_store.h"
#include "platform/messages.h"
#include "scheme/code_memo_parser.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTest>

namespace tarnwick::test {
namespace {

const std::vector<TSnippet> kLibrary = {
    {"Strings", "Trim", "function Trim(const S: string): string;\r\nbegin\r\nend;"},
    {"Strings", "Upper", "UpperCase(S)"},
    {"Files", "Size", "FileSize(F)"},
};

class CodePaneTest : public AppFolderTest {
protected:
    // A window over `library` (loaded at start-up) with AutoSave as given.
    TMainForm& FormWith(bool autoSave, const std::vector<TSnippet>& library = kLibrary)
    {
        if (!std::filesystem::exists(folder_ / "english.lng"))
            InstallShippedLanguage();
        WriteFile("main.ini", std::string("[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\nAutoSave=") +
                                  (autoSave ? "1" : "0") + "\r\n[Files]\r\nDelphi Code=lib.ini\r\n");
        WriteLibrary("lib.ini", library);
        return Form();
    }
    // Shown, painted and active, so that focus changes happen as on screen.
    void ShowActive()
    {
        TMainForm& form = Form();
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        form.repaint();
        ASSERT_TRUE(form.Painted());
    }
    QTreeWidgetItem* Node(const QString& category, const QString& title = {})
    {
        for (int i = 0; i < Form().TreeView1->topLevelItemCount(); ++i) {
            QTreeWidgetItem* node = Form().TreeView1->topLevelItem(i);
            if (node->text(0) != category)
                continue;
            for (int j = 0; j < node->childCount() && !title.isEmpty(); ++j)
                if (node->child(j)->text(0) == title)
                    return node->child(j);
            return node;
        }
        return nullptr;
    }
    // A click in the tree as the user makes it: the tree takes the focus
    // (the pane loses it), then the click shows the node.
    void ClickNode(QTreeWidgetItem* node)
    {
        ASSERT_NE(node, nullptr);
        Form().TreeView1->setFocus(Qt::MouseFocusReason);
        Form().TreeView1->setCurrentItem(node);
        Form().TreeView1Click();
    }
    void FocusPane()
    {
        Form().Memo1->View()->setFocus(Qt::MouseFocusReason);
        ASSERT_TRUE(Form().Memo1->View()->hasFocus());
    }
    // Typed at the end of the pane's text.
    void TypeAtEnd(const char* text)
    {
        TCodeMemo& editor = Form().Memo1->Editor();
        editor.Model().SetSelection(editor.Model().CharCount(), editor.Model().CharCount());
        QTest::keyClicks(&editor, QString::fromLatin1(text));
    }
    std::string Snippet(const std::string& category, const std::string& title)
    {
        return ReadSnippet(category, title, (folder_ / "lib.ini").string());
    }
};

TEST_F(CodePaneTest, a_change_before_the_first_paint_does_not_mark_the_title_dirty)
{
    TMainForm& form = FormWith(true);
    form.TreeView1->setCurrentItem(Node("Strings", "Upper"));
    form.TreeView1Click();
    ASSERT_FALSE(form.Painted());
    form.Memo1->Editor().Model().InsertText("X");
    EXPECT_TRUE(form.Memo1->Modified());
    EXPECT_FALSE(form.Dirty());
    EXPECT_FALSE(form.btnSave->isEnabled());

    // Once painted, the same change is an edit.
    ShowActive();
    form.Memo1->Editor().Model().InsertText("Y");
    EXPECT_TRUE(form.Dirty());
    EXPECT_TRUE(form.btnSave->isEnabled());
    EXPECT_TRUE(form.Undo1->isEnabled());
    EXPECT_EQ(form.StatusBar1->PanelText(1), "Code modified");
    EXPECT_EQ(form.StatusBar1->PanelText(2), "14 Characters ");
}

TEST_F(CodePaneTest, loading_a_title_is_no_edit)
{
    TMainForm& form = FormWith(true);
    ShowActive();
    ClickNode(Node("Strings", "Trim"));
    ClickNode(Node("Files", "Size"));
    EXPECT_FALSE(form.Dirty());
    EXPECT_FALSE(form.btnSave->isEnabled());
    EXPECT_FALSE(form.Undo1->isEnabled());
}

TEST_F(CodePaneTest, typed_keys_mark_the_title_dirty)
{
    TMainForm& form = FormWith(false);
    ShowActive();
    ClickNode(Node("Files", "Size"));
    TypeAtEnd(";");
    EXPECT_EQ(form.Memo1->Text(), "FileSize(F);");
    EXPECT_TRUE(form.Dirty());
    EXPECT_TRUE(form.btnSave->isEnabled());
    EXPECT_TRUE(form.Undo1->isEnabled());
}

TEST_F(CodePaneTest, auto_save_writes_the_first_title_before_the_click_loads_the_second)
{
    TMainForm& form = FormWith(true);
    ShowActive();
    ClickNode(Node("Strings", "Upper"));
    FocusPane();
    TypeAtEnd(";");
    ClickNode(Node("Files", "Size"));
    EXPECT_EQ(Snippet("Strings", "Upper"), "UpperCase(S);");
    EXPECT_EQ(Snippet("Files", "Size"), "FileSize(F)");
    EXPECT_EQ(form.Memo1->Text(), "FileSize(F)");
    EXPECT_FALSE(form.Dirty());
    EXPECT_FALSE(form.btnSave->isEnabled());
    EXPECT_FALSE(form.Undo1->isEnabled());
    EXPECT_TRUE(prompt_.Errors.isEmpty());
}

TEST_F(CodePaneTest, without_auto_save_the_edit_is_discarded)
{
    TMainForm& form = FormWith(false);
    ShowActive();
    const std::string index = ReadFile("lib.ini");
    const std::string data = ReadFile("lib.dat");
    ClickNode(Node("Strings", "Upper"));
    FocusPane();
    TypeAtEnd(";");
    ClickNode(Node("Files", "Size"));
    ClickNode(Node("Strings", "Upper"));
    EXPECT_EQ(form.Memo1->Text(), "UpperCase(S)");
    EXPECT_EQ(ReadFile("lib.ini"), index);
    EXPECT_EQ(ReadFile("lib.dat"), data);
}

TEST_F(CodePaneTest, auto_save_with_a_category_selected_writes_nothing_and_keeps_the_text)
{
    TMainForm& form = FormWith(true);
    ShowActive();
    const std::string index = ReadFile("lib.ini");
    const std::string data = ReadFile("lib.dat");
    ClickNode(Node("Strings"));
    FocusPane();
    TypeAtEnd("orphan");
    ASSERT_TRUE(form.Dirty());
    form.TreeView1->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(form.Memo1->Text(), "orphan");
    EXPECT_TRUE(form.Dirty());
    EXPECT_EQ(ReadFile("lib.ini"), index);
    EXPECT_EQ(ReadFile("lib.dat"), data);
    EXPECT_TRUE(prompt_.Errors.isEmpty());
}

TEST_F(CodePaneTest, a_failed_auto_save_says_why_and_keeps_the_edit_with_its_title)
{
    TMainForm& form = FormWith(true);
    ShowActive();
    ClickNode(Node("Strings", "Upper"));
    FocusPane();
    TypeAtEnd(";");
    // The title's value is damaged behind the window's back.
    const std::string index = ReadFile("lib.ini");
    std::string damaged = index;
    damaged.replace(damaged.find("Upper=") + 6, 1, "x");
    WriteFile("lib.ini", damaged);

    ClickNode(Node("Files", "Size"));
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_TRUE(prompt_.Errors[0].contains("is not a valid integer value")) << prompt_.Errors[0].toStdString();
    EXPECT_EQ(form.Memo1->Text(), "UpperCase(S);");
    EXPECT_EQ(form.CurrentTitle(), "Upper");
    EXPECT_EQ(form.TreeView1->currentItem(), Node("Strings", "Upper"));
    EXPECT_TRUE(form.Dirty());
    EXPECT_TRUE(form.btnSave->isEnabled());
    EXPECT_FALSE(form.Saving());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(ReadFile("lib.ini"), damaged);

    // Mended, the next focus change saves it.
    WriteFile("lib.ini", index);
    FocusPane();
    ClickNode(Node("Files", "Size"));
    EXPECT_EQ(Snippet("Strings", "Upper"), "UpperCase(S);");
    EXPECT_EQ(form.Memo1->Text(), "FileSize(F)");
}

TEST_F(CodePaneTest, a_failed_save_says_why_and_keeps_save_enabled)
{
    TMainForm& form = FormWith(false);
    ShowActive();
    ClickNode(Node("Strings", "Upper"));
    TypeAtEnd(";");
    std::filesystem::remove(folder_ / "lib.dat");
    form.btnSaveClick();
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_EQ(form.Memo1->Text(), "UpperCase(S);");
    EXPECT_TRUE(form.btnSave->isEnabled());
    EXPECT_TRUE(form.Undo1->isEnabled());
    EXPECT_EQ(form.cursor().shape(), Qt::ArrowCursor);
}

// Save must leave the files exactly as the store's own operations do: the
// old text removed (offsets after it lowered) and the new one appended, or
// only appended when the title holds no text.
TEST_F(CodePaneTest, save_writes_the_library_as_remove_and_append_do)
{
    struct TRow {
        const char* Name;
        QString Category, Title;
        std::string Category8, Title8;
    };
    const TRow rows[] = {
        {"title_with_text", "Strings", "Trim", "Strings", "Trim"},
        {"empty_title", "Files", "Empty", "Files", "Empty"},
    };
    std::vector<TSnippet> library = kLibrary;
    library.push_back({"Files", "Empty", ""});
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        form_.reset();
        TMainForm& form = FormWith(false, library);
        if (row.Title == "Empty") {
            std::string index = ReadFile("lib.ini");
            index.replace(index.find("Empty=") + 6, index.find("\r\n", index.find("Empty=")) -
                                                          index.find("Empty=") - 6,
                          "0;0");
            WriteFile("lib.ini", index);
        }
        ShowActive();
        ClickNode(Node(row.Category, row.Title));
        TypeAtEnd("// saved");
        const std::string text = form.Memo1->Text();

        // The expected files: the store's operations on a copy.
        const std::filesystem::path copy = folder_ / "copy";
        std::filesystem::create_directories(copy);
        std::filesystem::copy_file(folder_ / "lib.ini", copy / "lib.ini",
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::copy_file(folder_ / "lib.dat", copy / "lib.dat",
                                   std::filesystem::copy_options::overwrite_existing);
        const std::string copyIndex = (copy / "lib.ini").string();
        const std::string value =
            ProfileReadString(copyIndex, row.Category8, row.Title8, "NO_INFO");
        TLibraryStore store(copyIndex);
        if (value != "NO_INFO" && value != "0;0") {
            const int64_t start = std::stoll(std::string(GetField(value, ";", 0)));
            const int64_t end = std::stoll(std::string(GetField(value, ";", 1)));
            store.RemoveSnippetText(row.Title8, row.Category8, start, end, end - start);
        }
        store.AppendSnippet(row.Category8, row.Title8, text, (copy / "lib.dat").string(),
                            copyIndex);

        form.btnSaveClick();
        EXPECT_TRUE(prompt_.Errors.isEmpty());
        EXPECT_EQ(ReadFile("lib.ini"), ReadFile("copy/lib.ini"));
        EXPECT_EQ(ReadFile("lib.dat"), ReadFile("copy/lib.dat"));
        EXPECT_EQ(Snippet(row.Category8, row.Title8), text);
        EXPECT_FALSE(form.btnSave->isEnabled());
        EXPECT_FALSE(form.Undo1->isEnabled());
        // Save leaves the dirty flag and the status bar alone.
        EXPECT_TRUE(form.Dirty());
        EXPECT_EQ(form.StatusBar1->PanelText(1), "Code modified");
    }
}

TEST_F(CodePaneTest, save_goes_to_the_title_the_pane_shows_not_a_title_only_selected)
{
    TMainForm& form = FormWith(false);
    ShowActive();
    ClickNode(Node("Strings", "Upper"));
    TypeAtEnd(";");
    // A right click selects a node without showing it.
    form.TreeView1->setCurrentItem(Node("Files", "Size"));
    form.SavePopup1->setEnabled(true);
    form.SavePopup1->trigger();
    EXPECT_EQ(Snippet("Strings", "Upper"), "UpperCase(S);");
    EXPECT_EQ(Snippet("Files", "Size"), "FileSize(F)");
}

TEST_F(CodePaneTest, ctrl_s_saves_unless_the_pane_binds_it)
{
    TMainForm& form = FormWith(false);
    ShowActive();
    ClickNode(Node("Strings", "Upper"));
    FocusPane();
    TypeAtEnd(";");
    QTest::keyClick(&form.Memo1->Editor(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Snippet("Strings", "Upper"), "UpperCase(S);");
    EXPECT_EQ(form.Memo1->Text(), "UpperCase(S);");

    // Bound in the pane (here to the end of the text), the key stays there.
    TCodeMemo& editor = form.Memo1->Editor();
    editor.Settings().Keys().KeyStore().AddBinding(ShortCut('S', ssCtrl), 0, caDOCEND);
    editor.Model().SetSelection(0, 0);
    TypeAtEnd("!");
    editor.Model().SetSelection(0, 0);
    QTest::keyClick(&editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(editor.Model().SelCaret(), editor.Model().CharCount());
    EXPECT_EQ(Snippet("Strings", "Upper"), "UpperCase(S);");
}

TEST_F(CodePaneTest, opening_a_menu_of_the_menu_bar_auto_saves)
{
    struct TRow {
        const char* Name;
        QMenu* TMainForm::*Menu;
        bool AutoSave;
        bool Saved;
    };
    const TRow rows[] = {
        {"edit_menu", &TMainForm::Edit2, true, true},
        {"options_menu", &TMainForm::Options1, true, true},
        {"help_menu", &TMainForm::Help1, true, true},
        {"edit_menu_without_auto_save", &TMainForm::Edit2, false, false},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        form_.reset();
        TMainForm& form = FormWith(row.AutoSave);
        ShowActive();
        ClickNode(Node("Strings", "Upper"));
        FocusPane();
        TypeAtEnd(";");
        QMenu* menu = form.*row.Menu;
        menu->popup(form.mapToGlobal(QPoint(10, 10)));
        menu->hide();
        EXPECT_EQ(Snippet("Strings", "Upper"), row.Saved ? "UpperCase(S);" : "UpperCase(S)");
        EXPECT_EQ(form.Dirty(), !row.Saved);
        EXPECT_EQ(form.btnSave->isEnabled(), !row.Saved);
    }
}

TEST_F(CodePaneTest, the_file_menu_auto_saves_too)
{
    TMainForm& form = FormWith(true);
    ShowActive();
    ClickNode(Node("Strings", "Upper"));
    FocusPane();
    TypeAtEnd(";");
    form.File1->popup(form.mapToGlobal(QPoint(10, 10)));
    form.File1->hide();
    EXPECT_EQ(Snippet("Strings", "Upper"), "UpperCase(S);");
}

TEST_F(CodePaneTest, copy_leaves_the_whole_snippet_on_the_clipboard)
{
    TMainForm& form = FormWith(false);
    ShowActive();
    ClickNode(Node("Strings", "Trim"));
    TCodeMemo& editor = form.Memo1->Editor();
    editor.Model().SetSelection(0, 8);  // "function"
    form.btnCopy->click();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text().toStdString(), kLibrary[0].Text);
    const QByteArray rtf = data->data(QStringLiteral("text/rtf"));
    EXPECT_TRUE(rtf.startsWith("{\\rtf")) << rtf.left(40).toStdString();
    EXPECT_TRUE(rtf.contains("Trim")) << rtf.toStdString();
    EXPECT_EQ(editor.Model().SelStart(), 0);
    EXPECT_EQ(editor.Model().SelEnd(), editor.Model().CharCount());
}

TEST_F(CodePaneTest, edit_commands_and_their_context_menu_twins)
{
    TMainForm& form = FormWith(false);
    ShowActive();
    ClickNode(Node("Strings", "Upper"));
    TCodeMemo& editor = form.Memo1->Editor();
    const QList<QAction*> popup = form.PopupMenu982->actions();
    ASSERT_EQ(popup.size(), 8);
    EXPECT_FALSE(popup[0]->isEnabled());

    editor.Model().SetSelection(0, 5);  // "Upper"
    popup[1]->trigger();                // Cut
    EXPECT_EQ(form.Memo1->Text(), "Case(S)");
    EXPECT_TRUE(form.Undo1->isEnabled());
    editor.Model().SetSelection(7, 7);
    form.Paste1->trigger();
    EXPECT_EQ(form.Memo1->Text(), "Case(S)Upper");
    editor.Model().SetSelection(0, 4);
    popup[4]->trigger();  // Delete
    EXPECT_EQ(form.Memo1->Text(), "(S)Upper");
    popup[5]->trigger();  // Select All
    EXPECT_EQ(editor.Model().SelLength(), editor.Model().CharCount());

    // The context menu's Undo comes alive when it opens over a changed text.
    emit form.PopupMenu982->aboutToShow();
    EXPECT_TRUE(popup[0]->isEnabled());
    popup[0]->trigger();
    EXPECT_EQ(form.Memo1->Text(), "Case(S)Upper");
    form.Undo1->trigger();
    form.Undo1->trigger();
    EXPECT_EQ(form.Memo1->Text(), "UpperCase(S)");
}

TEST_F(CodePaneTest, time_and_date_replace_the_selection_as_one_undo_step)
{
    TMainForm& form = FormWith(false);
    ShowActive();
    ClickNode(Node("Strings", "Upper"));
    TCodeMemo& editor = form.Memo1->Editor();
    editor.Model().SetSelection(0, 5);
    form.TimeDate1->trigger();
    const std::string text = form.Memo1->Text();
    const QDate today = QDate::currentDate();
    EXPECT_NE(text.find(std::to_string(today.year() % 100)), std::string::npos) << text;
    EXPECT_EQ(text.substr(text.size() - 7), "Case(S)");
    EXPECT_NE(text.find(' '), std::string::npos);
    editor.Perform(EM_UNDO, 0, 0);
    EXPECT_EQ(form.Memo1->Text(), "UpperCase(S)");
}

TEST_F(CodePaneTest, word_wrap_starts_checked_over_an_unwrapped_pane)
{
    TMainForm& form = FormWith(false);
    TCodeMemo& editor = form.Memo1->Editor();
    EXPECT_TRUE(form.Wordwrap1->isChecked());
    EXPECT_FALSE(editor.WordWrap());
    form.Wordwrap1->trigger();
    EXPECT_FALSE(form.Wordwrap1->isChecked());
    EXPECT_FALSE(editor.WordWrap());
    form.Wordwrap1->trigger();
    EXPECT_TRUE(editor.WordWrap());
    form.PopupMenu982->actions().back()->trigger();
    EXPECT_FALSE(form.Wordwrap1->isChecked());
    EXPECT_FALSE(editor.WordWrap());
}

TEST_F(CodePaneTest, toolbar_buttons_take_their_share_of_the_window_width)
{
    TMainForm& form = FormWith(false);
    form.show();
    const std::pair<int, int> rows[] = {{1000, 140}, {700, 98}, {1200, 168}};
    for (const auto& [width, button] : rows) {
        form.resize(width, 500);
        QApplication::processEvents();
        ASSERT_EQ(form.width(), width);
        for (TFlatButton* b : {form.btnOpen, form.btnSave, form.btnExit})
            EXPECT_EQ(b->width(), button) << width;
    }
}

TEST_F(CodePaneTest, the_code_window_font_is_stored_and_comes_back_at_the_next_start)
{
    TMainForm& form = FormWith(false);
    TFontChoice choice;
    choice.Font = QFont(QStringLiteral("DejaVu Sans Mono"));
    choice.Font.setPointSize(13);
    choice.Font.setBold(true);
    choice.Font.setUnderline(true);
    choice.Colour = QColor(0, 0, 255);
    choice.Charset = 238;
    prompt_.Fonts.push_back(choice);
    form.CodeWindow1->trigger();
    const std::pair<const char*, const char*> keys[] = {
        {"CodeWinName", "DejaVu Sans Mono"}, {"CodeWinSize", "13"},     {"CodeWinBold", "1"},
        {"CodeWinItalic", "0"},              {"CodeWinUnderLine", "1"}, {"CodeWinStrikeOut", "0"},
        {"CodeWinColor", "16711680"},        {"CodeWinScript", "238"}};
    for (const auto& [key, value] : keys)
        EXPECT_EQ(Setting("Fonts", key), value) << key;
    EXPECT_EQ(form.Memo1->Editor().Settings().Font.Name, "DejaVu Sans Mono");
    EXPECT_EQ(form.Memo1->Editor().Settings().Font.Size, 13);

    CloseForm();
    TMainForm& again = Form();
    const TSM_FontDesc& font = again.Memo1->Editor().Settings().Font;
    EXPECT_EQ(font.Name, "DejaVu Sans Mono");
    EXPECT_EQ(font.Size, 13);
    EXPECT_EQ(font.Style, 1 | 4);

    // A cancelled dialog changes nothing.
    again.CodeWindow1->trigger();
    EXPECT_EQ(Setting("Fonts", "CodeWinSize"), "13");
}

TEST_F(CodePaneTest, an_ide_colour_source_that_is_missing_is_reported_and_start_up_goes_on)
{
    InstallShippedLanguage();
    WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\nDelphiVer=3\r\n"
                          "[Files]\r\nDelphi Code=lib.ini\r\n");
    WriteLibrary("lib.ini", kLibrary);
    TMainForm& form = Form();
    ASSERT_EQ(prompt_.Errors.size(), 1);
    EXPECT_EQ(prompt_.Errors[0], "Delphi 3.x is not installed");
    EXPECT_EQ(form.TreeView1->topLevelItemCount(), 2);
    EXPECT_EQ(form.Memo1->Editor().Parser(1), form.ActiveParser.get());
    EXPECT_EQ(form.HighlightingSource(), 3);
}

TEST_F(CodePaneTest, the_first_start_highlights_with_the_built_in_scheme)
{
    TMainForm& form = FormWith(false, {{"Demo", "Hello",
                                        "{ says hello }\r\nbegin\r\n  "
                                        "WriteLn('Hello'); // greet\r\nend."}});
    ShowActive();
    ClickNode(Node("Demo", "Hello"));
    TCodeMemo& editor = form.Memo1->Editor();
    EXPECT_EQ(editor.Parser(1), form.ActiveParser.get());
    EXPECT_EQ(editor.ActiveParser(), 1);
    EXPECT_GT(ColouredPixels(editor), 20);

    // Without highlighting the same text is black on white.
    editor.SetOptions(editor.Options() & ~smoSyntaxHighlight);
    EXPECT_EQ(ColouredPixels(editor), 0);
}

}  // namespace
}  // namespace tarnwick::test
