// What the control paints: gutter, line numbers, bookmark images, the wrap
// glyph, selection colours, effect colours from the built-in scheme, the
// caret, the right-margin line, TAB expansion and the 200 % picture.
#include "memo_fixture.h"

#include "editor/core/editor_commands.h"
#include "editor/core/sm_colors.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

namespace tarnwick::test {

namespace {

const QColor kGutter(255, 255, 0);
const QColor kSilver(192, 192, 192);

QColor Qt(TColor colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

} // namespace

class PaintTest : public MemoFixture {
protected:
    void SetUp() override
    {
        MemoFixture::SetUp();
        TSM_Settings& settings = memo->Settings();
        settings.GutterColor = RGBColor(255, 255, 0);
        settings.GutterFont.Color = clBlack;
        settings.Effects[0].Fore = clBlack;
        settings.Effects[0].Back = clWhite;
        memo->SetOptions(memo->Options() | smoLineNumbers);
        // No caret in the pictures unless a test asks for the focus.
        memo->clearFocus();
    }
    QRect GutterBand(int row)
    {
        return QRect(0, row * memo->LineHeight(), memo->Gutter() - 3, memo->LineHeight());
    }
};

TEST_F(PaintTest, GutterShowsItsColourTheWhiteLineAndLineNumbers)
{
    memo->SetText("first\rsecond\r");
    const QImage shot = Shot();
    const QRect band = GutterBand(0);
    EXPECT_EQ(shot.pixelColor(band.right(), band.top() + 1), kGutter);
    EXPECT_EQ(shot.pixelColor(memo->Gutter() - 2, 3), QColor(Qt::white));
    // A number is drawn on both lines, not below the text.
    EXPECT_GT(Ink(shot, band, kGutter), 5);
    EXPECT_GT(Ink(shot, GutterBand(1), kGutter), 5);
    EXPECT_EQ(Ink(shot, GutterBand(3), QColor(Qt::white)), 0);
    // Without line numbers the gutter is plain.
    memo->SetOptions(memo->Options() & ~smoLineNumbers);
    EXPECT_EQ(Ink(Shot(), band, kGutter), 0);
}

TEST_F(PaintTest, BookmarkImageReplacesTheLineNumber)
{
    memo->SetText("one\rtwo\r");
    memo->Model().SetSelection(4, 4);
    memo->Model().ExecuteCommand(caSETBOOKMARK0 + 2, false);
    const QImage shot = Shot();
    // Bookmark 2's tag colour where the number was.
    EXPECT_GT(Count(shot, GutterBand(1), QColor(200, 110, 0)), 20);
    EXPECT_EQ(Count(shot, GutterBand(0), QColor(200, 110, 0)), 0);
    EXPECT_GT(Ink(shot, GutterBand(0), kGutter), 5);
}

TEST_F(PaintTest, SecondMarkWordDrawsItsImageBesideTheFirst)
{
    memo->SetGutter(40);
    memo->SetText("one\rtwo\r");
    memo->Model().Store().First()->Next->Marks2 = 1 << 5;  // a square, yellow
    const QImage shot = Shot();
    const int top = memo->LineHeight();
    const QColor yellow(230, 180, 0);
    EXPECT_GT(Count(shot, QRect(17, top, 15, memo->LineHeight()), yellow), 20);
    EXPECT_EQ(Count(shot, QRect(0, top, 17, memo->LineHeight()), yellow), 0);
    // No line number beside a mark.
    EXPECT_EQ(Ink(shot, QRect(0, top, 17, memo->LineHeight()), kGutter), 0);
}

TEST_F(PaintTest, ContinuationRecordsShowTheWrapGlyphWithoutANumber)
{
    memo->SetText(std::string(5000, 'x'));
    ASSERT_EQ(memo->Model().RecordCount(), 3);
    const QImage shot = Shot();
    const QColor glyph(0, 0, 128);
    EXPECT_EQ(Count(shot, GutterBand(0), glyph), 0);
    EXPECT_GT(Count(shot, GutterBand(1), glyph), 5);
    EXPECT_GT(Count(shot, GutterBand(2), glyph), 5);
    memo->SetOptions(memo->Options() & ~smoShowWrapGlyph);
    EXPECT_EQ(Count(Shot(), GutterBand(1), glyph), 0);
    EXPECT_EQ(Ink(Shot(), GutterBand(1), kGutter), 0);
}

TEST_F(PaintTest, SelectionIsDrawnInTheSelectionColours)
{
    memo->Settings().SelTextColor = RGBColor(255, 255, 255);
    memo->Settings().SelTextBack = RGBColor(0, 0, 255);
    memo->SetText("abcdef");
    memo->Model().HideSelection = false;
    memo->Model().SetSelection(1, 3);
    const QImage shot = Shot();
    const QColor blue(0, 0, 255);
    EXPECT_EQ(Count(shot, Cell(0, 0), blue), 0);
    EXPECT_GT(Count(shot, Cell(0, 1), blue), 0);
    EXPECT_GT(Count(shot, Cell(0, 1), QColor(Qt::white)), 0); // the letter
    EXPECT_GT(Count(shot, Cell(0, 2), blue), 0);
    EXPECT_EQ(Count(shot, Cell(0, 3), blue), 0);
    // With the default flag the system highlight colour is used instead.
    memo->Settings().SelTextBackDefault = 1;
    EXPECT_EQ(Count(Shot(), Cell(0, 1), blue), 0);
}

// A selection that ends on a line's last character (not its line break)
// leaves the band right of the text in the line's own background.
TEST_F(PaintTest, SelectionEndingOnTheLastCharacterDoesNotFillTheRestOfTheBand)
{
    memo->Settings().SelTextBack = RGBColor(0, 0, 255);
    memo->SetText("abc\r\ndef");
    memo->Model().HideSelection = false;
    memo->Model().SetSelection(1, 3);
    const QImage shot = Shot();
    const QColor blue(0, 0, 255);
    EXPECT_GT(Count(shot, Cell(0, 2), blue), 0);
    EXPECT_EQ(Count(shot, Cell(0, 3), blue), 0);
    EXPECT_EQ(Count(shot, Cell(0, 10), blue), 0);
}

TEST_F(PaintTest, CommentRunTakesTheCommentEffectColour)
{
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    memo->SetParser(1, &scheme);
    memo->SetActiveParser(1);
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setPointSize(10);
    font.setStyleStrategy(QFont::NoAntialias);
    memo->setFont(font);
    memo->SetText("x := 1; { note }");
    const TLineRec* rec = memo->Model().First();
    ASSERT_NE(rec->Attrs, nullptr);
    const TSM_Settings& settings = memo->Settings();
    const int commentEffect = settings.EffectMap[rec->Attrs[10]];
    const int plainEffect = settings.EffectMap[rec->Attrs[0]];
    ASSERT_NE(commentEffect, plainEffect);
    const QColor commentFore = Qt(settings.Effects[static_cast<size_t>(commentEffect)].Fore);
    const QImage shot = Shot();
    QRect comment = Cell(0, 8).united(Cell(0, 15));
    EXPECT_GT(Count(shot, comment, commentFore), 10);
    EXPECT_EQ(Count(shot, Cell(0, 0), commentFore), 0);
    memo->SetActiveParser(0);
}

TEST_F(PaintTest, CaretIsTwoPixelsOrABlockInOverwriteMode)
{
    memo->SetText("ab cd");
    Focus();
    memo->Model().SetSelection(2, 2);
    const QRect cell = Cell(0, 2);
    const QRect strip(cell.left(), cell.top() + 2, memo->CharWidth(), 1);
    EXPECT_EQ(Count(Shot(), strip, QColor(Qt::black)), 2);
    memo->Model().ExecuteCommand(caINSTOGGLE, false);
    EXPECT_EQ(Count(Shot(), strip, QColor(Qt::black)), memo->CharWidth());
    memo->SetOptions(memo->Options() & ~smoBlockOverwriteCursor);
    EXPECT_EQ(Count(Shot(), strip, QColor(Qt::black)), 2);
}

TEST_F(PaintTest, FocusLineFramesTheCaretLine)
{
    memo->SetText("a\rb\rc\r");
    Focus();
    memo->Model().SetSelection(2, 2);
    const int x = memo->TextLeft() + 20 * memo->CharWidth();
    const int top = memo->LineHeight();
    const int bottom = 2 * memo->LineHeight() - 1;
    EXPECT_EQ(Shot().pixelColor(x, top), QColor(Qt::white));
    memo->SetShowFocusLine(true);
    const QImage shot = Shot();
    EXPECT_EQ(shot.pixelColor(x, top), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(x, bottom), QColor(Qt::black));
    EXPECT_EQ(shot.pixelColor(x, top + 3), QColor(Qt::white));
}

TEST_F(PaintTest, RightMarginLineStandsAtItsColumn)
{
    memo->SetRightMargin(12);
    memo->SetText("short\r");
    const QImage shot = Shot();
    const int x = memo->TextLeft() + 12 * memo->CharWidth();
    EXPECT_EQ(shot.pixelColor(x, 2), kSilver);
    EXPECT_EQ(shot.pixelColor(x - 1, 2), QColor(Qt::white));
    memo->SetOptions(memo->Options() & ~smoShowRMargin);
    EXPECT_EQ(Shot().pixelColor(x, 2), QColor(Qt::white));
}

TEST_F(PaintTest, TabsAreExpandedToTheTabStops)
{
    memo->SetRightMargin(200);
    memo->SetText("\tX\r12\tY");
    const QImage shot = Shot();
    const QColor white(Qt::white);
    for (int column = 0; column < 4; ++column)
        EXPECT_EQ(Ink(shot, Cell(0, column), white), 0) << column;
    EXPECT_GT(Ink(shot, Cell(0, 4), white), 0);
    EXPECT_EQ(Ink(shot, Cell(1, 2), white), 0);
    EXPECT_EQ(Ink(shot, Cell(1, 3), white), 0);
    EXPECT_GT(Ink(shot, Cell(1, 4), white), 0);
}

TEST_F(PaintTest, ShowAllCharsMarksBlanksAndLineEnds)
{
    memo->SetRightMargin(200);
    memo->SetText("a b\r");
    const QColor white(Qt::white);
    EXPECT_EQ(Ink(Shot(), Cell(0, 1), white), 0);
    EXPECT_EQ(Ink(Shot(), Cell(0, 3), white), 0);
    memo->SetOptions(memo->Options() | smoShowAllChars);
    EXPECT_GT(Ink(Shot(), Cell(0, 1), white), 0);
    EXPECT_GT(Ink(Shot(), Cell(0, 3), white), 0);
}

TEST_F(PaintTest, HostsCanPaintLinesAndMarks)
{
    memo->SetRightMargin(200);
    memo->SetText("abc\rdef\r");
    memo->Model().RangeMarks().push_back({5, 7, 1});
    const QImage plain = Shot();
    // The built-in mark painter underlines the covered cells.
    const int underline = memo->LineHeight() * 2 - 2;
    EXPECT_EQ(plain.pixelColor(Cell(1, 1).left() + 1, underline), QColor(Qt::black));
    EXPECT_EQ(plain.pixelColor(Cell(1, 0).left() + 1, underline), QColor(Qt::white));
    std::vector<std::pair<QString, int64_t>> lines;
    memo->OnDrawLine = [&](const TCustomCodeMemo::TLineDrawData& data) {
        lines.emplace_back(data.Text, data.FirstOffset);
        data.Canvas->fillRect(data.Band, QColor(0, 255, 0));
        return 1;
    };
    int marks = 0;
    memo->OnDrawMark = [&](QPainter&, const TRangeMark& mark, QRect cells) {
        ++marks;
        EXPECT_EQ(mark.Tag, 1);
        EXPECT_EQ(cells, Cell(1, 1).united(Cell(1, 2)));
    };
    const QImage hosted = Shot();
    EXPECT_EQ(hosted.pixelColor(Cell(0, 0).center()), QColor(0, 255, 0));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].first, QStringLiteral("def"));
    EXPECT_EQ(lines[1].second, 4);
    EXPECT_EQ(marks, 1);
}

TEST_F(PaintTest, SamePictureAtTwiceTheScale)
{
    memo->Settings().SelTextBack = RGBColor(0, 0, 255);
    memo->Model().HideSelection = false;
    memo->SetRightMargin(20);
    memo->SetText("alpha\rbeta\r");
    memo->Model().SetSelection(0, 3);
    const QImage one = Shot(1.0);
    const QImage two = Shot(2.0);
    ASSERT_EQ(two.size(), one.size() * 2);
    // Flat areas land on the same places, each 100 % pixel as 2 x 2 pixels.
    const QPoint probes[] = {{3, 2},
                             {memo->Gutter() - 2, 5},
                             {memo->TextLeft() + 20 * memo->CharWidth(), 3},
                             {Cell(0, 1).left() + 1, Cell(0, 1).top()},
                             {Cell(3, 10).center()}};
    for (const QPoint& p : probes) {
        for (int dy = 0; dy < 2; ++dy)
            for (int dx = 0; dx < 2; ++dx)
                EXPECT_EQ(two.pixelColor(p.x() * 2 + dx, p.y() * 2 + dy), one.pixelColor(p))
                    << p.x() << "," << p.y();
    }
    // The text is drawn at the higher resolution, not scaled up: its ink
    // covers about four times as many pixels, in finer steps.
    const int inkOne = Ink(one, Cell(1, 0).united(Cell(1, 3)), QColor(Qt::white));
    const int inkTwo =
        Ink(two, QRect(Cell(1, 0).topLeft() * 2, Cell(1, 3).bottomRight() * 2), QColor(Qt::white));
    EXPECT_GT(inkTwo, inkOne * 2);
}

TEST_F(PaintTest, PaintingTouchesOnlyChangedRecords)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "line " + std::to_string(i) + "\r";
    memo->SetText(text);
    Focus();
    memo->repaint();
    EXPECT_GE(memo->LastPaintCount(), memo->VisibleLines());
    memo->Model().SetSelection(7, 7);
    QApplication::processEvents();
    QTest::keyClick(memo.get(), ::Qt::Key_Z);
    QApplication::processEvents();
    EXPECT_LE(memo->LastPaintCount(), 2);
    EXPECT_GE(memo->LastPaintCount(), 1);
}

TEST_F(PaintTest, GutterWidthOutsideItsLimitsIsIgnored)
{
    struct Row {
        const char* name;
        int width;
        int expected;
    };
    const Row rows[] = {{"between_1_and_33", 20, 34},
                        {"zero_hides", 0, 0},
                        {"forty_fits", 40, 40},
                        {"negative", -5, 40}};
    for (const Row& row : rows) {
        memo->SetGutter(row.width);
        EXPECT_EQ(memo->Gutter(), row.expected) << row.name;
    }
    Open(150, 100);
    memo->SetGutter(40); // over 20 % of the client width
    EXPECT_EQ(memo->Gutter(), 34);
}

} // namespace tarnwick::test
