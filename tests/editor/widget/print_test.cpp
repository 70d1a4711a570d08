// Printing the selection to a PDF file, read back with pdftotext: which
// lines are printed, "%6d:" line numbers, the header with the document
// title, page numbers on every page, print wrap and the job's name.
#include "memo_fixture.h"

#include "editor/core/memo_options.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <set>

namespace tarnwick::test {

class PrintTest : public MemoFixture {
protected:
    void SetUp() override
    {
        MemoFixture::SetUp();
        ASSERT_TRUE(folder.isValid());
        memo->Model().DocTitle = "Demo.pas";
    }
    QString Pdf() const { return folder.filePath(QStringLiteral("out.pdf")); }
    // Prints the selection to the PDF and returns its text, page by page.
    QStringList PrintPages(uint32_t printOptions)
    {
        const uint32_t all = smoPrintLineNos | smoPrintFilename | smoPrintDate |
                             smoPrintPageNos | smoPrintWrap;
        memo->SetOptions((memo->Options() & ~all) | printOptions);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(Pdf());
        printer.setPageSize(QPageSize(QPageSize::A4));
        memo->PrintSelection(printer);
        EXPECT_EQ(printer.docName(), QStringLiteral("Demo.pas"));
        return Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), Pdf(),
                                                  QStringLiteral("-")})
            .split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    }
    static QString Run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(60000)) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput());
    }
    static QStringList Lines(const QString& page)
    {
        QStringList lines;
        for (const QString& line : page.split(QLatin1Char('\n')))
            if (!line.trimmed().isEmpty())
                lines << line.trimmed();
        return lines;
    }
    void SetLines(int count)
    {
        std::string text;
        for (int i = 1; i <= count; ++i)
            text += "line " + std::to_string(i) + "\r";
        memo->SetText(text);
    }

    QTemporaryDir folder;
};

TEST_F(PrintTest, NumberedLinesHeaderAndPageNumbersOnEveryPage)
{
    SetLines(150);
    memo->Model().SelectAll();
    const QStringList pages = PrintPages(smoPrintLineNos | smoPrintFilename | smoPrintPageNos);
    ASSERT_GE(pages.size(), 2);
    const QRegularExpression numbered(QStringLiteral("(\\d+):\\s+line (\\d+)"));
    int expected = 1;
    for (qsizetype p = 0; p < pages.size(); ++p) {
        SCOPED_TRACE(p + 1);
        const QStringList lines = Lines(pages[p]);
        EXPECT_TRUE(lines.contains(QStringLiteral("Demo.pas"))) << pages[p].toStdString();
        EXPECT_TRUE(lines.contains(QStringLiteral("- %1 -").arg(p + 1)));
        for (const QString& line : lines) {
            const QRegularExpressionMatch match = numbered.match(line);
            if (!match.hasMatch())
                continue;
            EXPECT_EQ(match.captured(1).toInt(), expected) << line.toStdString();
            EXPECT_EQ(match.captured(2).toInt(), expected);
            ++expected;
        }
    }
    EXPECT_EQ(expected, 151) << "every line printed once, numbered";
    // "%6d:": numbers right-aligned, so the colons of 9, 10 and 100 line up.
    std::set<qsizetype> colons;
    for (const QString& page : pages)
        for (const QString& line : page.split(QLatin1Char('\n')))
            for (const char* number : {"9:", "10:", "100:"})
                if (line.trimmed().startsWith(QLatin1String(number)))
                    colons.insert(line.indexOf(QLatin1Char(':')));
    EXPECT_EQ(colons.size(), 1u);
    EXPECT_TRUE(Run(QStringLiteral("pdfinfo"), {Pdf()}).contains(QStringLiteral("Demo.pas")))
        << "the document title names the job";
}

TEST_F(PrintTest, OnlyTheSelectionsLinesArePrinted)
{
    struct Row {
        const char* name;
        int64_t start;
        int64_t end;
        QStringList lines;
    };
    // "line 1\r" is 7 characters; line n starts at 7 * (n - 1).
    const Row rows[] = {
        {"middle_to_middle", 7 * 2 + 3, 7 * 4 + 2,
         {QStringLiteral("line 3"), QStringLiteral("line 4"), QStringLiteral("line 5")}},
        {"end_at_a_line_start_leaves_it_out", 7 * 2, 7 * 4,
         {QStringLiteral("line 3"), QStringLiteral("line 4")}},
        {"inside_one_line", 7 * 5 + 1, 7 * 5 + 3, {QStringLiteral("line 6")}},
    };
    SetLines(9);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        memo->Model().SetSelection(row.start, row.end);
        const QStringList pages = PrintPages(0);
        ASSERT_EQ(pages.size(), 1);
        EXPECT_EQ(Lines(pages.front()), row.lines);
    }
}

TEST_F(PrintTest, PrintWrapCutsLongLinesAtThePageWidth)
{
    std::string longLine;
    for (int i = 0; i < 60; ++i)
        longLine += "word" + std::to_string(i) + " ";
    memo->SetText(longLine + "\rshort\r");
    memo->Model().SelectAll();

    const QStringList wrapped = Lines(PrintPages(smoPrintWrap | smoPrintLineNos).front());
    ASSERT_GE(wrapped.size(), 4);
    const QRegularExpression number(QStringLiteral("^(\\d+)\\s*:\\s*"));
    EXPECT_EQ(number.match(wrapped.front()).captured(1), QStringLiteral("1"));
    EXPECT_EQ(number.match(wrapped.back()).captured(1), QStringLiteral("2"));
    // Only the first piece of the long line is numbered, and no word is cut.
    QString joined;
    for (qsizetype i = 0; i + 1 < wrapped.size(); ++i) {
        if (i > 0) {
            EXPECT_FALSE(number.match(wrapped[i]).hasMatch()) << wrapped[i].toStdString();
        }
        joined += QString(wrapped[i]).remove(number) + QLatin1Char(' ');
    }
    EXPECT_EQ(joined.simplified(), QString::fromStdString(longLine).simplified());

    const QStringList clipped = Lines(PrintPages(0).front());
    ASSERT_EQ(clipped.size(), 2);
    EXPECT_TRUE(clipped.front().startsWith(QStringLiteral("word0 word1")));
    EXPECT_FALSE(clipped.front().contains(QStringLiteral("word59")));
}

TEST_F(PrintTest, HostHeaderReplacesTheBuiltInOne)
{
    SetLines(3);
    memo->Model().SelectAll();
    std::vector<int> pagesSeen;
    memo->OnPrintHeaderFooter = [&](QPainter& canvas, int page, QRect& rect, bool&) {
        pagesSeen.push_back(page);
        canvas.drawText(rect.topLeft() + QPoint(0, 20), QStringLiteral("Custom top"));
        rect.setTop(rect.top() + 60);
    };
    const QStringList lines = Lines(PrintPages(smoPrintFilename | smoPrintPageNos).front());
    EXPECT_EQ(lines, QStringList({QStringLiteral("Custom top"), QStringLiteral("line 1"),
                                  QStringLiteral("line 2"), QStringLiteral("line 3")}));
    EXPECT_EQ(pagesSeen, std::vector<int>{1});
}

TEST_F(PrintTest, NothingIsPrintedWithoutASelection)
{
    SetLines(3);
    memo->Model().SetSelection(4, 4);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(Pdf());
    memo->PrintSelection(printer);
    EXPECT_FALSE(QFile::exists(Pdf()));
}

} // namespace tarnwick::test
