// Find in library end to end, offscreen: the menu opens the panel, typing
// searches after the pause, a chosen hit loads its title and selects the hit
// in the code pane; F3 steps on across snippets; the token filter uses the
// pane's scheme.
#include "app_fixture.h"

#include "app/code_pane_host.h"
#include "app/search_panel.h"
#include "editor/code_memo.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTreeWidget>

namespace tarnwick::test {
namespace {

class SearchPanelTest : public AppFolderTest {
protected:
    TMainForm& FormWith(const std::vector<TSnippet>& library)
    {
        InstallShippedLanguage();
        WriteFile("main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n"
                              "[Files]\r\nDelphi Code=lib.ini\r\n");
        WriteLibrary("lib.ini", library);
        return Form();
    }
    // Types into the panel as a user does and waits for the search to end.
    void Type(TSearchPanel& panel, const QString& text)
    {
        for (const QChar c : text) {
            for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
                QKeyEvent key(type, 0, Qt::NoModifier, QString(c));
                QApplication::sendEvent(panel.Edit, &key);
            }
        }
        panel.WaitForSearch();
    }
    static std::pair<int64_t, int64_t> Selection(TMainForm& form)
    {
        const TCodeMemoModel& model = form.Memo1->Editor().Model();
        return {model.SelStart(), model.SelEnd()};
    }
};

const std::vector<TSnippet> kLibrary = {
    {"Strings", "Trim", "function Trim(const S: string): string;\r\nbegin\r\n  { trim both ends }\r\nend;"},
    {"Strings", "Upper", "UpperCase(S) // trim first"},
    {"Files", "Size", "FileSize(F)"},
};

TEST_F(SearchPanelTest, typing_finds_hits_and_choosing_one_selects_it_in_the_code_pane)
{
    TMainForm& form = FormWith(kLibrary);
    form.show();
    EXPECT_TRUE(form.Search1->menuAction()->isEnabled());
    EXPECT_FALSE(form.SearchPanel1->isVisible());
    form.FindInLibrary1->trigger();
    TSearchPanel& panel = *form.SearchPanel1;
    ASSERT_TRUE(panel.isVisible());

    Type(panel, QStringLiteral("trim"));
    ASSERT_EQ(panel.HitCount(), 3u);  // Trim's line 1 and comment, Upper's comment
    ASSERT_EQ(panel.Results->topLevelItemCount(), 2);
    EXPECT_EQ(panel.Results->topLevelItem(0)->text(0), "Strings / Trim");
    EXPECT_EQ(panel.Results->topLevelItem(0)->childCount(), 2);

    // Enter on the second hit: "  { trim both ends }", line 3, column 5.
    panel.Results->setCurrentItem(panel.Results->topLevelItem(0)->child(1));
    panel.Results->setFocus();
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent enter(type, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(panel.Results, &enter);
    }
    EXPECT_EQ(form.CurrentTitle(), "Trim");
    EXPECT_EQ(form.TreeView1->currentItem()->text(0), "Trim");
    // "function Trim(const S: string): string;" is 39 characters and a CR,
    // "begin" 5 and a CR; then "  { " before the hit.
    EXPECT_EQ(Selection(form), (std::pair<int64_t, int64_t>{40 + 6 + 4, 40 + 6 + 8}));

    // F3 goes on to the next snippet's hit.
    form.FindNext1->trigger();
    EXPECT_EQ(form.CurrentTitle(), "Upper");
    EXPECT_EQ(Selection(form), (std::pair<int64_t, int64_t>{16, 20}));
    // Shift+F3 comes back.
    form.FindPrevious1->trigger();
    EXPECT_EQ(form.CurrentTitle(), "Trim");
    EXPECT_EQ(Selection(form), (std::pair<int64_t, int64_t>{50, 54}));
}

TEST_F(SearchPanelTest, the_token_filter_and_a_new_keystroke_start_again)
{
    TMainForm& form = FormWith(kLibrary);
    form.show();
    form.FindInLibrary1->trigger();
    TSearchPanel& panel = *form.SearchPanel1;
    panel.Tokens->setCurrentIndex(1);  // in comments, by the pane's Pascal scheme
    Type(panel, QStringLiteral("tri"));
    EXPECT_EQ(panel.HitCount(), 2u);
    Type(panel, QStringLiteral("mx"));  // "trimx" finds nothing
    EXPECT_EQ(panel.HitCount(), 0u);
    EXPECT_EQ(panel.Results->topLevelItemCount(), 0);
    EXPECT_FALSE(panel.Busy());
}

}  // namespace
}  // namespace tarnwick::test
