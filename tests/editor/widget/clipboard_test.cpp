// The control and the system clipboard: what Copy and Cut put there (text
// with CR LF, RTF that a word processor opens as styled text), what Paste
// takes (text before HTML, the HTML cutting rules), text from other
// programs in the code page, and the undo steps.
#include "memo_fixture.h"
#include "rtf_reader.h"

#include "editor/qt_clipboard.h"
#include "platform/messages.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <QClipboard>
#include <QMimeData>
#include <QTextBlock>

namespace tarnwick::test {

namespace {

void SetClipboard(const std::vector<std::pair<QString, QByteArray>>& formats)
{
    auto* data = new QMimeData;
    for (const auto& [type, bytes] : formats)
        data->setData(type, bytes);
    QGuiApplication::clipboard()->setMimeData(data);
}

const QMimeData& Clip()
{
    return *QGuiApplication::clipboard()->mimeData();
}

} // namespace

class ClipboardTest : public MemoFixture {
protected:
    void SetUp() override
    {
        MemoFixture::SetUp();
        QGuiApplication::clipboard()->clear();
    }
    std::string Text() { return memo->Model().Text(); }
};

TEST_F(ClipboardTest, CopyPutsCrLfTextAndRtfThatOpensAsStyledText)
{
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    memo->SetParser(1, &scheme);
    memo->SetActiveParser(1);
    memo->SetText("begin\r  x := 1;\rend;\r");
    memo->Model().SelectAll();
    memo->Perform(WM_COPY, 0, 0);

    EXPECT_EQ(Clip().text(), QStringLiteral("begin\r\n  x := 1;\r\nend;\r\n"));
    const QByteArray rtf = Clip().data(QString::fromLatin1(kMimeRtf));
    ASSERT_FALSE(rtf.isEmpty());
    EXPECT_EQ(Clip().data(QString::fromLatin1(kMimeRtfNamed)), rtf);

    QTextDocument document;
    ReadRtf(rtf, document);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("begin\n  x := 1;\nend;\n"));
    // The keyword keeps the scheme's style, the plain text does not.
    const TSM_Settings& settings = memo->Settings();
    const uint8_t keywordStyle =
        settings.Effects[settings.EffectMap[memo->Model().First()->Attrs[0]]].Style;
    ASSERT_NE(keywordStyle & kStyleBold, 0) << "the built-in scheme shows keywords in bold";
    const QTextCharFormat begin = document.begin().begin().fragment().charFormat();
    EXPECT_EQ(document.begin().begin().fragment().text(), QStringLiteral("begin"));
    EXPECT_EQ(begin.fontWeight(), QFont::Bold);
    QTextCursor x(&document);
    x.setPosition(9);  // inside "x" on the second line
    EXPECT_NE(x.charFormat().fontWeight(), QFont::Bold);
}

TEST_F(ClipboardTest, ClipCopyFormatsChoosesWhatCopyPuts)
{
    struct Row {
        const char* name;
        uint32_t formats;
        bool text;
        bool rtf;
    };
    const Row rows[] = {
        {"text_and_rtf", smTEXT | smRTF, true, true},
        {"text_only", smTEXT, true, false},
        {"rtf_only", smRTF, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QGuiApplication::clipboard()->setText(QStringLiteral("old"));
        memo->SetText("abc");
        memo->Model().ClipCopyFormats = row.formats;
        memo->Model().SelectAll();
        memo->Perform(WM_COPY, 0, 0);
        EXPECT_EQ(Clip().hasText(), row.text);
        EXPECT_EQ(Clip().hasFormat(QString::fromLatin1(kMimeRtf)), row.rtf);
        EXPECT_NE(Clip().text(), QStringLiteral("old"));
    }
}

TEST_F(ClipboardTest, PasteTakesTextBeforeHtmlAndCutsHtmlAsAsked)
{
    const QByteArray html = "Version:0.9\r\nStartHTML:1\r\n<html><body><!--StartFragment-->"
                            "<b>x</b><!--EndFragment--></body></html>";
    struct Row {
        const char* name;
        std::vector<std::pair<QString, QByteArray>> formats;
        uint32_t added;  // what the host's OnDataDrop asks for
        std::string pasted;
    };
    const Row rows[] = {
        {"plain_text_preferred",
         {{QStringLiteral("text/plain"), "plain"}, {QStringLiteral("text/html"), "<i>h</i>"}},
         0,
         "plain"},
        {"html_block_as_stored", {{QStringLiteral("text/html"), html}}, 0, html.toStdString()},
        {"html_from_first_tag",
         {{QStringLiteral("text/html"), html}},
         stHtmlFromTag,
         "<html><body><!--StartFragment--><b>x</b><!--EndFragment--></body></html>"},
        {"html_fragment_only", {{QStringLiteral("text/html"), html}}, stHtmlFragment, "<b>x</b>"},
        {"raw_html_format_block",
         {{QString::fromLatin1(kMimeHtmlNamed), html}},
         stHtmlFragment,
         "<b>x</b>"},
        {"nothing_usable", {{QStringLiteral("image/png"), "\x89PNG"}}, 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        memo->SetText("");
        const uint32_t added = row.added;
        memo->Model().OnDataDrop = [added](uint32_t& types) { types |= added; };
        SetClipboard(row.formats);
        memo->Perform(WM_PASTE, 0, 0);
        std::string expected = row.pasted;
        std::erase(expected, '\n');  // CR LF is one line break
        EXPECT_EQ(Text(), expected);
        if (!expected.empty()) {
            EXPECT_TRUE(memo->Model().CanUndo());
            memo->Model().Undo();
            EXPECT_EQ(Text(), "") << "a paste is one undo step";
        }
    }
}

TEST_F(ClipboardTest, TextFromOtherProgramsKeepsWhatTheCodePageCanShow)
{
    struct Row {
        const char* name;
        QString pasted;
        std::string stored;
    };
    const Row rows[] = {
        {"code_page_text_unchanged", QStringLiteral("caf\u00e9 \u20ac5 \u201cq\u201d"),
         "caf\xe9 \x80" "5 \x93q\x94"},
        {"accents_taken_off", QStringLiteral("\u0101\u0107"), "ac"},
        {"ligature_unfolded", QStringLiteral("\ufb01ne"), "fine"},
        {"no_look_alike", QStringLiteral("a\u4e2db"), "a?b"},
        {"question_mark_itself", QStringLiteral("why?"), "why?"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        memo->SetText("");
        QGuiApplication::clipboard()->setText(row.pasted);
        memo->Perform(WM_PASTE, 0, 0);
        EXPECT_EQ(Text(), row.stored);
    }
}

TEST_F(ClipboardTest, CutAndPasteMoveTextBetweenControlsAsOneUndoStepEach)
{
    TCodeMemo other;
    memo->SetText("one two\rthree");
    other.SetText("x");
    memo->Model().SetSelection(4, 12);
    memo->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(Text(), "one e");
    other.Model().SetSelection(1, 1);
    other.Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(other.Model().Text(), "xtwo\rthre");
    memo->Model().Undo();
    EXPECT_EQ(Text(), "one two\rthree");
    other.Model().Undo();
    EXPECT_EQ(other.Model().Text(), "x");
}

TEST_F(ClipboardTest, ReadOnlyControlCopiesButNeitherCutsNorPastes)
{
    memo->SetText("keep");
    memo->Model().ReadOnly = true;
    memo->Model().SelectAll();
    memo->Perform(WM_CUT, 0, 0);
    EXPECT_EQ(Text(), "keep");
    memo->Perform(WM_COPY, 0, 0);
    EXPECT_EQ(Clip().text(), QStringLiteral("keep"));
    memo->Model().SetSelection(4, 4);
    memo->Perform(WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "keep");
}

} // namespace tarnwick::test
