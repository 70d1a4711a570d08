// The Highlighting page: the element list, what each element shows, colour
// changes painted in the preview at once, default boxes, font changes and
// a press in the preview selecting the element under it.
#include "options_fixture.h"

#include <QComboBox>
#include <QImage>
#include <QTabWidget>

#include <cstdlib>

namespace tarnwick::test {

namespace {

// Pixels of an image within a small distance of `colour` (text edges may
// be smoothed) inside `rect`.
int Near(const QImage& image, QRect rect, QColor colour)
{
    int count = 0;
    rect = rect.intersected(image.rect());
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += std::abs(pixel.red() - colour.red()) + std::abs(pixel.green() - colour.green()) +
                                 std::abs(pixel.blue() - colour.blue()) <
                             24
                         ? 1
                         : 0;
        }
    }
    return count;
}

}  // namespace

class HighlightPageTest : public OptionsFixture {
protected:
    void SetUp() override
    {
        OptionsFixture::SetUp();
        Open();
        dialog->Tabs()->setCurrentWidget(dialog->HighlightPage());
        page = dialog->HighlightPage();
        QApplication::processEvents();
    }
    // One text row of the preview, as painted.
    QRect Row(int row)
    {
        TCodeMemo& preview = dialog->Preview();
        return QRect(preview.TextLeft(), row * preview.LineHeight(),
                     preview.viewport()->width() - preview.TextLeft(), preview.LineHeight());
    }
    QImage Picture() { return dialog->Preview().viewport()->grab().toImage(); }
    THighlightPage* page = nullptr;
};

TEST_F(HighlightPageTest, ElementsAreTheEditableStylesThenTheThreeFixedOnes)
{
    QStringList captions;
    for (int i = 0; i < page->Elements()->count(); ++i)
        captions << page->Elements()->item(i)->text();
    EXPECT_EQ(captions, (QStringList{"Reserved word", "Comment", "Identifier", "String", "Number",
                                     "Symbols", "Default", "Selected text", "Left margin",
                                     "Gutter"}));
}

// A colour button is usable only where the element has that colour and its
// default box is not ticked.
TEST_F(HighlightPageTest, EachKindOfElementShowsItsControls)
{
    struct Row {
        const char* element;
        bool attributes;
        bool foreground;
    };
    const Row rows[] = {
        {"Comment", true, true},
        {"Selected text", false, true},
        {"Left margin", false, false},
        {"Gutter", false, false},
    };
    for (const Row& row : rows) {
        SelectElement(row.element);
        EXPECT_EQ(page->StyleBox(kStyleBold)->isEnabled(), row.attributes) << row.element;
        EXPECT_EQ(page->ForeDefaultBox()->isEnabled(), row.foreground) << row.element;
        EXPECT_TRUE(page->BackDefaultBox()->isEnabled()) << row.element;
        EXPECT_EQ(page->ForegroundButton()->isEnabled(),
                  row.foreground && !page->ForeDefaultBox()->isChecked())
            << row.element;
        EXPECT_EQ(page->BackgroundButton()->isEnabled(), !page->BackDefaultBox()->isChecked())
            << row.element;
    }
}

TEST_F(HighlightPageTest, ChoosingACommentColourRepaintsTheCommentInThePreview)
{
    const QColor green(0, 170, 0);
    // The example text starts with a comment line.
    ASSERT_EQ(dialog->Preview().Model().Text().substr(0, 2), "(*");
    EXPECT_EQ(Near(Picture(), Row(0), green), 0);
    ChooseForeground("Comment", green);
    const QImage picture = Picture();
    EXPECT_GT(Near(picture, Row(0), green), 20);
    // The other lines are not comments.
    EXPECT_EQ(Near(picture, Row(1), green), 0);
}

TEST_F(HighlightPageTest, DefaultBoxesAndAttributesAreStoredPerElement)
{
    SelectElement("Gutter");
    const bool gutterDefault = page->BackDefaultBox()->isChecked();
    page->BackDefaultBox()->click();
    EXPECT_EQ(page->BackgroundButton()->isEnabled(), gutterDefault);
    EXPECT_EQ(dialog->Working().GutterColorDefault != 0, !gutterDefault);

    SelectElement("Comment");
    const bool italic = page->StyleBox(kStyleItalic)->isChecked();
    const bool foreDefault = page->ForeDefaultBox()->isChecked();
    page->StyleBox(kStyleItalic)->click();
    page->ForeDefaultBox()->click();
    EXPECT_EQ(page->ForegroundButton()->isEnabled(), foreDefault);

    SelectElement("Gutter");
    EXPECT_EQ(page->BackDefaultBox()->isChecked(), !gutterDefault);
    SelectElement("Comment");
    EXPECT_EQ(page->StyleBox(kStyleItalic)->isChecked(), !italic);
    EXPECT_EQ(page->ForeDefaultBox()->isChecked(), !foreDefault);
}

TEST_F(HighlightPageTest, FontSizeGoesToTheWorkingCopyAndThePreview)
{
    const int before = dialog->Preview().LineHeight();
    QComboBox* sizes = page->FontSizes();
    sizes->setCurrentText("20");
    emit sizes->activated(sizes->currentIndex());
    EXPECT_EQ(dialog->Working().Font.Size, 20);
    EXPECT_GT(dialog->Preview().LineHeight(), before);
    // A size that is not a number leaves the size as it was.
    sizes->setCurrentText("big");
    emit sizes->lineEdit()->editingFinished();
    EXPECT_EQ(dialog->Working().Font.Size, 20);
    EXPECT_EQ(sizes->currentText(), "20");
}

TEST_F(HighlightPageTest, PressInThePreviewSelectsTheElementUnderTheCaret)
{
    TCodeMemo& preview = dialog->Preview();
    // Row 1 is "program test;": a reserved word first; row 0 a comment.
    const QPoint reserved(preview.TextLeft() + preview.CharWidth() * 2 + 1,
                          preview.LineHeight() + preview.LineHeight() / 2);
    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, reserved);
    EXPECT_EQ(page->Elements()->currentItem()->text(), "Reserved word");
    const QPoint comment(preview.TextLeft() + preview.CharWidth() * 4 + 1,
                         preview.LineHeight() / 2);
    QTest::mouseClick(preview.viewport(), Qt::LeftButton, {}, comment);
    EXPECT_EQ(page->Elements()->currentItem()->text(), "Comment");
}

}  // namespace tarnwick::test
