// Qt key and mouse events driving the control: two-key commands, Shift
// with movement keys, undo, templates and auto-replace of the built-in
// scheme, the code page for typed text, clicks, double clicks and drags.
#include "memo_fixture.h"

#include "editor/core/code_memo_errors.h"
#include "platform/messages.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QSignalSpy>

namespace tarnwick::test {

class InputTest : public MemoFixture {
protected:
    void SetUp() override
    {
        MemoFixture::SetUp();
        Focus();
    }
    void Key(int key, ::Qt::KeyboardModifiers modifiers = ::Qt::NoModifier)
    {
        QTest::keyClick(memo.get(), static_cast<::Qt::Key>(key), modifiers);
    }
    void UseBuiltinScheme()
    {
        LoadBuiltinScheme(scheme, false);
        memo->SetParser(1, &scheme);
        memo->SetActiveParser(1);
    }
    std::string Text() { return memo->Model().Text(); }

    TCodeMemoParser scheme;
};

TEST_F(InputTest, CtrlKThenIIndentsTheSelectedBlock)
{
    memo->SetText("abc\rdef\r");
    memo->Model().SetSelection(0, 5);
    Key(::Qt::Key_K, ::Qt::ControlModifier);
    Key(::Qt::Key_I);
    EXPECT_EQ(Text(), " abc\r def\r");
}

TEST_F(InputTest, SecondKeyOfASequenceIgnoresShift)
{
    memo->SetText("abc\r");
    memo->Model().SetSelection(0, 2);
    Key(::Qt::Key_K, ::Qt::ControlModifier);
    Key(::Qt::Key_I, ::Qt::ShiftModifier);
    EXPECT_EQ(Text(), " abc\r");
}

TEST_F(InputTest, CtrlKThenXTypesTheX)
{
    memo->SetText("ab");
    memo->Model().SetSelection(2, 2);
    Key(::Qt::Key_K, ::Qt::ControlModifier);
    QTest::keyClicks(memo.get(), QStringLiteral("x"));
    EXPECT_EQ(Text(), "abx");
}

TEST_F(InputTest, ShiftRightExtendsTheSelection)
{
    memo->SetText("hello");
    Key(::Qt::Key_Right, ::Qt::ShiftModifier);
    Key(::Qt::Key_Right, ::Qt::ShiftModifier);
    EXPECT_EQ(memo->Model().SelAnchor(), 0);
    EXPECT_EQ(memo->Model().SelCaret(), 2);
    Key(::Qt::Key_Right);
    EXPECT_EQ(memo->Model().SelAnchor(), 3);
    EXPECT_EQ(memo->Model().SelCaret(), 3);
}

TEST_F(InputTest, CtrlZUndoesTyping)
{
    memo->SetText("ab");
    memo->Model().SetSelection(2, 2);
    QTest::keyClicks(memo.get(), QStringLiteral("cd"));
    EXPECT_EQ(Text(), "abcd");
    Key(::Qt::Key_Z, ::Qt::ControlModifier);
    EXPECT_EQ(Text(), "abc");
    Key(::Qt::Key_Z, ::Qt::ControlModifier | ::Qt::ShiftModifier);
    EXPECT_EQ(Text(), "abcd");
}

TEST_F(InputTest, CtrlJExpandsTheCaseTemplate)
{
    UseBuiltinScheme();
    memo->SetText("casee");
    memo->Model().SetSelection(5, 5);
    Key(::Qt::Key_J, ::Qt::ControlModifier);
    EXPECT_EQ(Text().substr(0, 9), "case  of\r");
    EXPECT_EQ(memo->Model().SelCaret(), 5);
    Key(::Qt::Key_Z, ::Qt::ControlModifier);
    EXPECT_EQ(Text(), "casee");
}

TEST_F(InputTest, AutoReplaceCorrectsTehWhenTheBlankIsTyped)
{
    UseBuiltinScheme();
    QTest::keyClicks(memo.get(), QStringLiteral("x := teh "));
    EXPECT_EQ(Text(), "x := the ");
}

TEST_F(InputTest, EnterAndTabAreTyped)
{
    memo->SetText("    abc");
    memo->Model().SetSelection(7, 7);
    // Auto-indent fills with a TAB (smoUseTAB with smoSmartFill).
    Key(::Qt::Key_Return);
    EXPECT_EQ(Text(), "    abc\r\t");
    memo->SetOptions(memo->Options() & ~smoTabToColumn);
    Key(::Qt::Key_Tab);
    EXPECT_EQ(Text(), "    abc\r\t\t");
    // Without WantTab the key moves the focus and types nothing.
    memo->Model().WantTab = false;
    QLineEdit other;
    other.show();
    memo->setFocus();
    Key(::Qt::Key_Tab);
    EXPECT_EQ(Text(), "    abc\r\t\t");
}

TEST_F(InputTest, TypedTextGoesThroughTheCodePage)
{
    struct Row {
        const char* name;
        QString typed;
        std::string text;
        int beeps;
    };
    const Row rows[] = {
        {"latin1_letter", QStringLiteral("\u00e9"), "\xe9", 0},
        {"euro_sign", QStringLiteral("\u20ac"), "\x80", 0},
        {"not_in_code_page_is_refused", QStringLiteral("\u0142"), "", 1},
        {"question_mark_itself", QStringLiteral("?"), "?", 0},
        {"outside_the_basic_plane", QString::fromUcs4(U"\U0001F600", 1), "", 1},
    };
    for (const Row& row : rows) {
        memo->SetText("");
        const int before = memo->BeepCount();
        QKeyEvent press(QEvent::KeyPress, 0, ::Qt::NoModifier, row.typed);
        QApplication::sendEvent(memo.get(), &press);
        EXPECT_EQ(Text(), row.text) << row.name;
        EXPECT_EQ(memo->BeepCount() - before, row.beeps) << row.name;
    }
}

TEST_F(InputTest, DoubleClickSelectsAWord)
{
    memo->SetText("hello world");
    const QPoint point = Cell(0, 7).center();
    QTest::mouseDClick(memo->viewport(), ::Qt::LeftButton, ::Qt::NoModifier, point);
    EXPECT_EQ(memo->Model().SelStart(), 6);
    EXPECT_EQ(memo->Model().SelEnd(), 11);
}

TEST_F(InputTest, ClickPlacesTheCaretAndShiftClickExtends)
{
    memo->SetText("one two three");
    QTest::mouseClick(memo->viewport(), ::Qt::LeftButton, ::Qt::NoModifier,
                      Cell(0, 4).topLeft() + QPoint(1, 2));
    EXPECT_EQ(memo->Model().SelCaret(), 4);
    EXPECT_EQ(memo->Model().SelAnchor(), 4);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(memo->viewport(), ::Qt::LeftButton, ::Qt::ShiftModifier,
                      Cell(0, 9).topLeft() + QPoint(1, 2));
    EXPECT_EQ(memo->Model().SelAnchor(), 4);
    EXPECT_EQ(memo->Model().SelCaret(), 9);
}

TEST_F(InputTest, DragSelectsAndScrolls)
{
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += "row " + std::to_string(i) + "\r";
    memo->SetText(text);
    QWidget* view = memo->viewport();
    QTest::mousePress(view, ::Qt::LeftButton, ::Qt::NoModifier,
                      Cell(0, 1).topLeft() + QPoint(1, 2));
    const QPoint below(Cell(0, 2).center().x(), view->height() + 10);
    for (int i = 0; i < 5; ++i) {
        QMouseEvent move(QEvent::MouseMove, below, view->mapToGlobal(below), ::Qt::NoButton,
                         ::Qt::LeftButton, ::Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    QTest::mouseRelease(view, ::Qt::LeftButton, ::Qt::NoModifier, below);
    EXPECT_EQ(memo->TopLine(), 5);
    EXPECT_EQ(memo->Model().SelAnchor(), 1);
    const TLineLoc caretLine = memo->Model().FindLine(memo->Model().SelCaret());
    EXPECT_EQ(caretLine.Index, memo->TopLine() + memo->VisibleLines() - 1);
}

TEST_F(InputTest, GutterClickReportsTheLineAndMarginClickSelectsIt)
{
    memo->SetText("aa\rbb\rcc\r");
    QSignalSpy gutter(memo.get(), &TCustomCodeMemo::GutterClick);
    QTest::mouseClick(memo->viewport(), ::Qt::LeftButton, ::Qt::NoModifier,
                      QPoint(5, memo->LineHeight() + 3));
    ASSERT_EQ(gutter.count(), 1);
    EXPECT_EQ(gutter.at(0).at(0).toLongLong(), 2);
    QTest::mouseClick(memo->viewport(), ::Qt::LeftButton, ::Qt::NoModifier,
                      QPoint(memo->TextLeft() - 1, 2 * memo->LineHeight() + 3));
    EXPECT_EQ(memo->Model().SelStart(), 6);
    EXPECT_EQ(memo->Model().SelEnd(), 9);
}

TEST_F(InputTest, DraggingTheRightMarginLineMovesIt)
{
    memo->SetText("ab\r");
    memo->SetRightMargin(10);
    QWidget* view = memo->viewport();
    const int y = 3;
    const QPoint grab(memo->TextLeft() + 10 * memo->CharWidth(), y);
    QTest::mousePress(view, ::Qt::LeftButton, ::Qt::NoModifier, grab);
    const QPoint to(memo->TextLeft() + 15 * memo->CharWidth(), y);
    QMouseEvent move(QEvent::MouseMove, to, view->mapToGlobal(to), ::Qt::NoButton, ::Qt::LeftButton,
                     ::Qt::NoModifier);
    QApplication::sendEvent(view, &move);
    QTest::mouseRelease(view, ::Qt::LeftButton, ::Qt::NoModifier, to);
    EXPECT_EQ(memo->RightMargin(), 15);
    EXPECT_EQ(Text(), "ab\r");
}

TEST_F(InputTest, PixelMessagesMapOffsetsAndPoints)
{
    memo->SetText("abc\rdefgh\r");
    const intptr_t packed = memo->Perform(EM_POSFROMCHAR, 6, 0);
    ASSERT_NE(packed, -1);
    const QPoint point(static_cast<int>(packed & 0xFFFF), static_cast<int>(packed >> 16));
    EXPECT_EQ(point, Cell(1, 2).topLeft());
    EXPECT_EQ(memo->Perform(EM_CHARFROMPOS, 0, (point.y() + 2) << 16 | (point.x() + 1)), 6);
    // Left of the text area and below the last visible line: -1.
    EXPECT_EQ(memo->Perform(EM_CHARFROMPOS, 0, (2 << 16) | 1), -1);
    EXPECT_EQ(memo->Perform(EM_CHARFROMPOS, 0, (4000 << 16) | 100), -1);
}

TEST_F(InputTest, CopyAndPasteGoThroughTheSystemClipboard)
{
    memo->SetText("alpha beta\r");
    memo->Model().SetSelection(0, 5);
    Key(::Qt::Key_C, ::Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("alpha"));
    EXPECT_FALSE(
        QGuiApplication::clipboard()->mimeData()->data(QStringLiteral("text/rtf")).isEmpty());
    memo->Model().SetSelection(11, 11);
    Key(::Qt::Key_V, ::Qt::ControlModifier);
    EXPECT_EQ(Text(), "alpha beta\ralpha");
    QGuiApplication::clipboard()->setText(QStringLiteral("caf\u00e9\r\nx"));
    Key(::Qt::Key_V, ::Qt::ControlModifier);
    EXPECT_EQ(Text(), "alpha beta\ralphacaf\xe9\rx");
}

TEST_F(InputTest, ClickOnAHotSpotRunReportsItsTextAndToken)
{
    TSM_Settings& settings = memo->Settings();
    settings.Effects[5].Defined = true;
    settings.Effects[5].HotSpot = 1;
    settings.EffectMap[7] = 5;
    memo->SetText("see http://x.org now");
    const uint8_t attrs[] = {0, 0, 0, 0, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 0, 0, 0, 0};
    TLineRec* rec = memo->Model().Store().First();
    rec->Attrs = std::make_unique<uint8_t[]>(sizeof attrs);
    std::copy(std::begin(attrs), std::end(attrs), rec->Attrs.get());
    QSignalSpy clicks(memo.get(), &TCustomCodeMemo::HyperlinkClick);
    QTest::mouseClick(memo->viewport(), ::Qt::LeftButton, ::Qt::NoModifier, Cell(0, 8).center());
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toByteArray(), QByteArray("http://x.org"));
    EXPECT_EQ(clicks.at(0).at(1).toInt(), 7);
    EXPECT_EQ(memo->Model().SelCaret(), 8);
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(memo->viewport(), ::Qt::LeftButton, ::Qt::NoModifier, Cell(0, 1).center());
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(InputTest, ThirdQuickClickSelectsTheRecord)
{
    memo->SetText("one two\rthree\r");
    const QPoint point = Cell(0, 5).center();
    QWidget* view = memo->viewport();
    // Press, release, double click, release, press: 40 ms apart.
    const QEvent::Type steps[] = {QEvent::MouseButtonPress,    QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonPress,    QEvent::MouseButtonRelease};
    ulong time = 100000;
    for (const QEvent::Type type : steps) {
        const bool down = type != QEvent::MouseButtonRelease;
        QMouseEvent event(type, point, view->mapToGlobal(point), ::Qt::LeftButton,
                          down ? ::Qt::LeftButton : ::Qt::NoButton, ::Qt::NoModifier);
        event.setTimestamp(time += 40);
        QApplication::sendEvent(view, &event);
    }
    EXPECT_EQ(memo->Model().SelStart(), 0);
    EXPECT_EQ(memo->Model().SelEnd(), 8);
}

TEST_F(InputTest, ActiveParserOutsideItsRangeIsRefused)
{
    EXPECT_THROW(
        {
            try {
                memo->SetActiveParser(7);
            }
            catch (const ECodeMemo& error) {
                EXPECT_STREQ(error.what(), "Parser index out of range");
                throw;
            }
        },
        ECodeMemo);
    EXPECT_EQ(memo->ActiveParser(), 0);
}

} // namespace tarnwick::test
