// The Options page: option bits, the enabling rules, the margin boxes with
// their range check, key filter and spin buttons, and the boxes applied
// when left.
#include "options_fixture.h"

#include "editor/core/memo_options.h"

#include <QToolButton>

namespace tarnwick::test {

class OptionsPageTest : public OptionsFixture {
protected:
    void SetUp() override
    {
        OptionsFixture::SetUp();
        Open();
        page = dialog->OptionsPage();
    }
    TOptionsPage* page = nullptr;
};

TEST_F(OptionsPageTest, CheckBoxesShowAndToggleTheirBits)
{
    struct Row {
        const char* caption;
        uint32_t bit;
    };
    const Row rows[] = {
        {"Wrap long lines", smoPrintWrap},       {"Line numbers", smoPrintLineNos},
        {"Title in header", smoPrintFilename},   {"Date in header", smoPrintDate},
        {"Page numbers", smoPrintPageNos},       {"Word wrap", smoWordWrap},
        {"Override wrapping", smoWrapOverride},  {"Auto indent", smoAutoIndent},
        {"Smart tab", smoTabToColumn},           {"Word select", smoWordSelect},
        {"Syntax highlight", smoSyntaxHighlight}, {"Visible right margin", smoShowRMargin},
        {"Visible gutter", smoShowGutter},       {"Show word-wrap column", smoShowWrapColumn},
        {"Title as filename", smoTitleAsFilename},
        {"Block cursor for Overwrite", smoBlockOverwriteCursor},
        {"Mark wrapped lines", smoShowWrapGlyph}, {"Smart fill", smoSmartFill},
        {"Use tab character", smoUseTAB},        {"Line numbers in gutter", smoLineNumbers},
        {"Show all chars", smoShowAllChars},
    };
    for (const Row& row : rows) {
        QCheckBox* box = page->Check(row.bit);
        ASSERT_NE(box, nullptr) << row.caption;
        EXPECT_EQ(box->text(), row.caption);
        const bool was = (dialog->Working().Options & row.bit) != 0;
        EXPECT_EQ(box->isChecked(), was) << row.caption;
        if (!box->isEnabled())
            continue;
        box->click();
        EXPECT_EQ((dialog->Working().Options & row.bit) != 0, !was) << row.caption;
        EXPECT_EQ(dialog->Preview().Model().Options, dialog->Working().Options) << row.caption;
        box->click();
        EXPECT_EQ((dialog->Working().Options & row.bit) != 0, was) << row.caption;
    }
    EXPECT_EQ(page->Check(smoCaretAfterEOL)->text(), "Cursor beyond EOL");
}

TEST_F(OptionsPageTest, WordWrapDisablesSmartTab)
{
    ASSERT_FALSE(page->Check(smoWordWrap)->isChecked());
    EXPECT_TRUE(page->Check(smoTabToColumn)->isEnabled());
    ClickOption(smoWordWrap);
    EXPECT_FALSE(page->Check(smoTabToColumn)->isEnabled());
    EXPECT_TRUE(dialog->Preview().WordWrap());
    ClickOption(smoWordWrap);
    EXPECT_TRUE(page->Check(smoTabToColumn)->isEnabled());
}

TEST_F(OptionsPageTest, GutterBoxRejectsValuesAboveTheRangeAndShowsThePreviousWidth)
{
    TNumberBox* box = page->GutterBox();
    const int previous = dialog->Working().Gutter;
    TypeInto(box, "250");
    EXPECT_EQ(box->Text(), QString::number(previous));
    EXPECT_EQ(dialog->Working().Gutter, previous);
    EXPECT_EQ(dialog->Preview().Gutter(), previous);

    TypeInto(box, "40");
    EXPECT_EQ(dialog->Working().Gutter, 40);
    // A width the preview refuses stays typed until the box is left.
    TypeInto(box, "3");
    EXPECT_EQ(box->Text(), "3");
    emit box->Edit()->editingFinished();
    EXPECT_EQ(box->Text(), "40");
}

TEST_F(OptionsPageTest, MarginBoxesTakeOnlyDigitsAndEditingKeys)
{
    TNumberBox* box = page->RightMarginBox();
    box->Edit()->setText("80");
    box->Edit()->end(false);
    QTest::keyClicks(box->Edit(), "a-x ");
    EXPECT_EQ(box->Text(), "80");
    QTest::keyClick(box->Edit(), Qt::Key_Backspace);
    QTest::keyClick(box->Edit(), Qt::Key_5);
    EXPECT_EQ(box->Text(), "85");
    EXPECT_EQ(dialog->Working().RightMargin, 85);
}

TEST_F(OptionsPageTest, SpinButtonsStepWithinTheRange)
{
    TNumberBox* box = page->RightMarginBox();
    TypeInto(box, "199");
    box->UpButton()->click();
    EXPECT_EQ(box->Text(), "199");
    TypeInto(box, "0");
    box->DownButton()->click();
    EXPECT_EQ(box->Text(), "0");
    box->UpButton()->click();
    EXPECT_EQ(dialog->Working().RightMargin, 1);
    box->Edit()->clear();
    box->DownButton()->click();
    EXPECT_EQ(box->Text(), "1");
}

// Boxes applied when left show what the preview accepted; a refused value
// shows its message and the old value comes back.
TEST_F(OptionsPageTest, BoxesAppliedWhenLeft)
{
    struct Row {
        const char* name;
        TNumberBox* box;
        QString typed;
        QString shown;
        bool message;
    };
    const Row rows[] = {
        {"indent_step", page->IndentStepBox(), "4", "4", false},
        {"indent_step_too_large", page->IndentStepBox(), "25", "4", false},
        {"wrap_column", page->WrapColumnBox(), "60", "60", false},
        {"tab_columns", page->TabColumnsBox(), "5 9 13", "5 9 13", false},
        {"tab_columns_not_increasing", page->TabColumnsBox(), "9 5", "5 9 13", true},
        {"tab_stop", page->TabStopBox(), "3", "3", false},
        {"tab_stop_zero", page->TabStopBox(), "0", "3", true},
    };
    for (const Row& row : rows) {
        prompt.Messages.clear();
        TypeInto(row.box, row.typed);
        emit row.box->Edit()->editingFinished();
        EXPECT_EQ(row.box->Text(), row.shown) << row.name;
        EXPECT_EQ(!prompt.Messages.empty(), row.message) << row.name;
    }
    const TSM_Settings& working = dialog->Working();
    EXPECT_EQ(working.IndentStep, 4);
    EXPECT_EQ(dialog->Preview().Model().IndentStep(), 4);
    EXPECT_EQ(working.WrapAtColumn, 60);
    EXPECT_EQ(working.TabColumnsText(), "5 9 13");
    EXPECT_EQ(working.TabDefault, 3);
    EXPECT_EQ(prompt.Messages.back(), "=Illegal default tab stop value, must be > 0");
}

}  // namespace tarnwick::test
