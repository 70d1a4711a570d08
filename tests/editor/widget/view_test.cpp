// The view around the painting: metrics, word wrap at the window's width and
// its re-cutting after edits and resizes, incremental highlighting through
// Qt edits, scroll ranges and keeping the caret in view, reloading settings.
#include "memo_fixture.h"

#include "editor/core/editor_commands.h"
#include "platform/messages.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <QScrollBar>
#include <QTimer>

namespace tarnwick::test {

namespace {

// A scheme that reports itself busy for a number of calls, then reads every
// character as a token of value 1.
class BusyScheme final : public TCustomCodeMemoParser {
public:
    mutable int BusyCalls = 0;
    const TStateSet& AnchorSet() const override { return anchors_; }
    void ResetTokenizer(int) override {}
    int ReadToken(TCodeMemoClient*, TCustomEdStream& stream, int& length) override
    {
        stream.Advance();
        length = 1;
        return 1;
    }
    bool InContainer() const override { return false; }
    bool Busy() const override { return BusyCalls > 0 && BusyCalls-- > 0; }
    bool Bound() const override { return false; }

private:
    TStateSet anchors_{0, 1};
};

std::vector<std::string> Records(const TCodeMemoModel& model)
{
    std::vector<std::string> records;
    for (const TLineRec* rec = model.First(); rec != nullptr; rec = rec->Next)
        records.emplace_back(rec->View());
    return records;
}

} // namespace

using ViewTest = MemoFixture;

TEST_F(ViewTest, MetricsFollowTheFont)
{
    TCodeMemo fresh;
    EXPECT_EQ(fresh.Metrics().Known, true); // measured from its own font at creation
    const QFontMetrics boldItalic([&] {
        QFont font = memo->font();
        font.setBold(true);
        font.setItalic(true);
        return font;
    }());
    EXPECT_TRUE(memo->Metrics().FixedPitch);
    EXPECT_EQ(memo->LineHeight(), boldItalic.height() + std::max(0, boldItalic.leading()) + 1);
    EXPECT_EQ(memo->CharWidth(), QFontMetrics(memo->font()).averageCharWidth());
    EXPECT_EQ(memo->VisibleColumns(),
              (memo->viewport()->width() - memo->TextLeft()) / memo->CharWidth());
    EXPECT_EQ(memo->TextLeft(), memo->Margin() + memo->Gutter());
    // The font change went into the settings.
    EXPECT_EQ(memo->Settings().Font.Name, "DejaVu Sans Mono");
    TCodeMemoMetrics unmeasured;
    EXPECT_EQ(unmeasured.CharWidth, 7);
    EXPECT_EQ(unmeasured.LineHeight, 17);
}

TEST_F(ViewTest, ProportionalFontIsMeasuredPerCharacter)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSize(10);
    memo->setFont(font);
    ASSERT_FALSE(memo->Metrics().FixedPitch);
    memo->SetText("iiiWWW\tx\r");
    const auto at = [&](int64_t offset) { return memo->PointFromChar(offset)->x(); };
    EXPECT_LT(at(1) - at(0), at(4) - at(3)); // "i" is narrower than "W"
    for (int64_t offset = 0; offset < 8; ++offset)
        EXPECT_EQ(memo->CharFromPoint(QPoint(at(offset) + 1, 3)), offset) << offset;
    memo->SetWordWrap(true);
    EXPECT_EQ(memo->Model().RecordCount(), 1);
    (void)Shot();
}

TEST_F(ViewTest, WordWrapCutsAtTheWindowWidthAndAgainOnResize)
{
    const int columns = memo->VisibleColumns();
    std::string line;
    while (static_cast<int>(line.size()) < columns * 3)
        line += "word ";
    memo->SetText(line + "\rnext\r");
    memo->SetWordWrap(true);
    const std::vector<std::string> records = Records(memo->Model());
    ASSERT_GE(records.size(), 4u);
    for (size_t i = 0; i + 2 < records.size(); ++i)
        EXPECT_LE(static_cast<int>(records[i].size()), columns) << i;
    EXPECT_EQ(records.back(), "next\r");
    memo->resize(memo->width() * 2, memo->height());
    QApplication::processEvents();
    EXPECT_LT(Records(memo->Model()).size(), records.size());
    memo->SetWordWrap(false);
    EXPECT_EQ(Records(memo->Model()).size(), 2u);
    EXPECT_EQ(memo->Model().Text(), line + "\rnext\r");
}

TEST_F(ViewTest, TypingInAWrappedLineCutsItAgain)
{
    memo->SetWrapAtColumn(10);
    memo->SetWordWrap(true);
    memo->SetText("aaaa bbbb cccc\r");
    EXPECT_EQ(Records(memo->Model()), (std::vector<std::string>{"aaaa bbbb ", "cccc\r"}));
    Focus();
    memo->Model().SetSelection(0, 0);
    QTest::keyClicks(memo.get(), QStringLiteral("xx "));
    EXPECT_EQ(Records(memo->Model()), (std::vector<std::string>{"xx aaaa ", "bbbb cccc\r"}));
    EXPECT_EQ(memo->Model().SelCaret(), 3);
}

TEST_F(ViewTest, WrapColumnLineIsDottedAtItsColumn)
{
    memo->SetWrapAtColumn(12);
    memo->SetWordWrap(true);
    memo->SetText("ab\r");
    const QImage shot = Shot();
    const int x = memo->TextLeft() + 12 * memo->CharWidth();
    int silver = 0;
    for (int y = 0; y < memo->LineHeight(); ++y)
        silver += shot.pixelColor(x, y) == QColor(192, 192, 192) ? 1 : 0;
    EXPECT_GT(silver, memo->LineHeight() / 3);
    EXPECT_LT(silver, memo->LineHeight());
}

TEST_F(ViewTest, EditsRecolourTheFollowingLines)
{
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    memo->SetParser(1, &scheme);
    memo->SetActiveParser(1);
    memo->SetText("begin\rx := 1;\rend;\r");
    const auto tokenAt = [&](int64_t line) {
        return memo->Model().LineByIndex(line).Rec->Attrs[0];
    };
    const uint8_t plain = tokenAt(1);
    Focus();
    memo->Model().SetSelection(0, 0);
    QTest::keyClicks(memo.get(), QStringLiteral("{"));
    const uint8_t comment = tokenAt(0);
    EXPECT_NE(comment, plain);
    EXPECT_EQ(tokenAt(1), comment);
    EXPECT_EQ(tokenAt(2), comment);
    QTest::keyClick(memo.get(), ::Qt::Key_Z, ::Qt::ControlModifier);
    EXPECT_EQ(tokenAt(1), plain);
    memo->SetActiveParser(0);
}

TEST_F(ViewTest, TokenSeenHookMayChangeTokenValues)
{
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    int seen = 0;
    memo->OnTokenSeen = [&](int& token, int64_t start, int64_t end) {
        ++seen;
        EXPECT_LT(start, end);
        token = 42;
    };
    memo->SetParser(1, &scheme);
    memo->SetActiveParser(1);
    memo->SetText("x := 1;");
    EXPECT_GT(seen, 2);
    EXPECT_EQ(memo->Model().First()->Attrs[0], 42);
    memo->SetActiveParser(0);
}

TEST_F(ViewTest, TwoEditorsOnOneSchemeBothRewrapWhenItIsReapplied)
{
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    TCodeMemo second;
    second.resize(400, 220);
    second.show();
    for (TCodeMemo* editor : {memo.get(), &second}) {
        editor->SetParser(1, &scheme);
        editor->SetActiveParser(1);
        editor->SetText("aaaa bbbb cccc dddd\r");
    }
    scheme.Settings().Options |= smoWordWrap;
    scheme.Settings().WrapAtColumn = 10;
    scheme.ReapplyToEditors();
    EXPECT_EQ(memo->Model().RecordCount(), 2);
    EXPECT_EQ(second.Model().RecordCount(), 2);
    EXPECT_TRUE(second.WordWrap());
}

TEST_F(ViewTest, DestroyedSchemeFallsBackToPrivateSettingsKeepingTheText)
{
    auto scheme = std::make_unique<TCodeMemoParser>();
    LoadBuiltinScheme(*scheme, false);
    memo->SetParser(1, scheme.get());
    memo->SetActiveParser(1);
    memo->SetText("begin { x } end;\r");
    ASSERT_NE(memo->Model().First()->Attrs, nullptr);
    scheme.reset();
    EXPECT_EQ(memo->Parser(1), nullptr);
    EXPECT_EQ(memo->Model().Text(), "begin { x } end;\r");
    EXPECT_EQ(memo->Model().First()->Attrs, nullptr);
    memo->Model().SetSelection(0, 0);
    Focus();
    QTest::keyClicks(memo.get(), QStringLiteral("x"));
    EXPECT_EQ(memo->Model().Text(), "xbegin { x } end;\r");
    (void)Shot();
}

TEST_F(ViewTest, BusySchemeIsWaitedForWhileMessagesAreDispatched)
{
    BusyScheme scheme;
    memo->SetParser(1, &scheme);
    memo->SetActiveParser(1);
    scheme.BusyCalls = 3;
    bool dispatched = false;
    QTimer::singleShot(0, memo.get(), [&] { dispatched = true; });
    memo->SetText("ab");
    EXPECT_TRUE(dispatched);
    EXPECT_EQ(memo->Model().First()->Attrs[1], 1);
    // A scheme that never becomes free does not hang the editor.
    scheme.BusyCalls = 1 << 30;
    memo->SetText("cd");
    EXPECT_EQ(memo->Model().First()->Attrs[0], 1);
    memo->SetActiveParser(0);
}

TEST_F(ViewTest, SchemeWithoutHighlightingOptionLeavesTextUncoloured)
{
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    scheme.Settings().Options &= ~smoSyntaxHighlight;
    memo->SetParser(1, &scheme);
    memo->SetActiveParser(1);
    memo->SetText("{ x }");
    EXPECT_EQ(memo->Model().First()->Attrs, nullptr);
    memo->SetActiveParser(0);
}

TEST_F(ViewTest, VerticalScrollRangeUsesThe32000LineScale)
{
    std::string text;
    for (int i = 0; i < 70000; ++i)
        text += "x\r";
    memo->SetText(text);
    const int64_t scale = 70000 / 32000 + 1;
    QScrollBar* bar = memo->verticalScrollBar();
    EXPECT_EQ(bar->maximum(), (70000 - memo->VisibleLines()) / scale);
    bar->setValue(1000);
    EXPECT_EQ(memo->TopLine(), 1000 * scale);
}

TEST_F(ViewTest, CaretIsScrolledIntoViewInStepsOfEightColumns)
{
    memo->SetText(std::string(300, 'a'));
    Focus();
    const int visible = memo->VisibleColumns();
    memo->Model().SetSelection(visible + 3, visible + 3);
    QTest::keyClick(memo.get(), ::Qt::Key_Right);
    EXPECT_EQ(memo->LeftColumn() % 8, 0);
    EXPECT_GT(memo->LeftColumn(), 0);
    EXPECT_GE(visible + 4, memo->LeftColumn());
    EXPECT_LT(visible + 4, memo->LeftColumn() + visible);
    EXPECT_EQ(memo->horizontalScrollBar()->value(), memo->LeftColumn());
}

TEST_F(ViewTest, ReloadMessageTakesTheSettingsFont)
{
    memo->Settings().Font.Size = 20;
    const int before = memo->LineHeight();
    EXPECT_EQ(memo->Perform(SEM_RELOADSETTINGS, 0, 0), 1);
    EXPECT_GT(memo->LineHeight(), before);
    EXPECT_EQ(memo->font().pointSize(), 20);
}

TEST_F(ViewTest, LeavingSuspendedPaintingRepaintsEverything)
{
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "line\r";
    memo->SetText(text);
    memo->repaint();
    memo->Perform(SEM_PAINTSUSPENDED, SEM_SET, 1);
    memo->Model().SetSelection(3, 3);
    memo->viewport()->repaint();
    EXPECT_EQ(memo->LastPaintCount(), 0);
    memo->Perform(SEM_PAINTSUSPENDED, SEM_SET, 0);
    QApplication::processEvents();
    EXPECT_GE(memo->LastPaintCount(), memo->VisibleLines());
}

TEST_F(ViewTest, OptionsMessageSwitchesWordWrap)
{
    memo->SetWrapAtColumn(5);
    memo->SetText("aaaa bbbb\r");
    memo->Perform(SEM_OPTIONS, SEM_SET, static_cast<intptr_t>(memo->Options() | smoWordWrap));
    EXPECT_TRUE(memo->WordWrap());
    EXPECT_EQ(memo->Model().RecordCount(), 2);
}

} // namespace tarnwick::test
