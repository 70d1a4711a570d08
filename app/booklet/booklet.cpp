// Laying out and painting the highlighted booklet.
#include "app/booklet/booklet.h"

#include "editor/core/code_memo_model.h"
#include "editor/core/code_memo_parser_base.h"
#include "editor/core/scheme_highlighter.h"
#include "editor/core/sm_settings.h"
#include "library/library_format.h"
#include "library/library_listing.h"
#include "platform/codepage.h"
#include "platform/errors.h"
#include "platform/file_names.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetrics>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

#include <algorithm>
#include <memory>

namespace tarnwick {

namespace {

constexpr int kPdfResolution = 300;
constexpr double kPdfMarginMillimetres = 15;
const char* const kHeadingFamily = "Sans Serif";

QString FromAnsi(std::string_view bytes)
{
    return QString::fromStdU16String(Cp1252ToUtf16(bytes));
}

// The page's regions in device pixels: the heading line, the body and the
// foot line.
struct TPageFrame {
    QFont HeadingFont;
    QFont TitleFont;
    double LineHeight = 0;
    QRectF Heading;
    QRectF Body;
    QRectF Foot;
};

TPageFrame MakeFrame(QPagedPaintDevice& device)
{
    TPageFrame frame;
    frame.HeadingFont = QFont(QString::fromLatin1(kHeadingFamily), 9);
    frame.TitleFont = QFont(QString::fromLatin1(kHeadingFamily), 9, QFont::Bold);
    frame.LineHeight = QFontMetricsF(frame.HeadingFont, &device).height();
    const double width = device.width();
    const double height = device.height();
    frame.Heading = QRectF(0, 0, width, frame.LineHeight);
    frame.Body = QRectF(0, 2 * frame.LineHeight, width, height - 4 * frame.LineHeight);
    frame.Foot = QRectF(0, height - frame.LineHeight, width, frame.LineHeight);
    return frame;
}

// One snippet as a laid-out document.
std::unique_ptr<QTextDocument> SnippetDocument(QPagedPaintDevice& device, const TPageFrame& frame,
                                               const TBookletEntry& entry,
                                               const TBookletOptions& options,
                                               TExportHighlighter* highlighter)
{
    TCodeMemoModel model;
    model.LoadFromText(entry.Text);
    model.FontName = options.FontName;
    model.FontSize = options.FontSize;
    model.DocTitle = entry.Title;
    model.DateText = [] { return std::string(); };
    model.SetHighlighter(highlighter);
    model.SelectAll();
    std::string html = model.WriteSelection(wkHTML);
    // The writer ends its lines with CR LF; Qt's parser would break a
    // preformatted line at each of the two.
    html.erase(std::remove(html.begin(), html.end(), '\r'), html.end());
    // Preformatted text keeps its spacing but wraps at the page's edge.
    const size_t pre = html.find("<PRE>");
    if (pre != std::string::npos)
        html.replace(pre, 5, "<PRE style=\"white-space: pre-wrap\">");

    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&device);
    document->setDocumentMargin(0);
    QFont font(FromAnsi(options.FontName), options.FontSize);
    font.setStyleHint(QFont::Monospace);
    document->setDefaultFont(font);
    document->setPageSize(frame.Body.size());
    // The writer escapes every byte above 127 as a character reference, so
    // the HTML is plain ASCII.
    document->setHtml(QString::fromLatin1(html.data(), static_cast<qsizetype>(html.size())));
    return document;
}

class TBookletPainter {
public:
    TBookletPainter(QPagedPaintDevice& device, const TPageFrame& frame, const QString& caption)
        : device_(device), frame_(frame), caption_(caption)
    {
        if (!painter_.begin(&device))
            throw Exception("The booklet could not be started on its output");
    }

    QPainter& Painter() { return painter_; }

    // Starts page `number` (from 1) with its heading and foot.
    void StartPage(int number, const QString& left, const QString& right)
    {
        if (number > 1 && !device_.newPage())
            throw Exception("The booklet could not start page " + std::to_string(number));
        painter_.setPen(Qt::black);
        painter_.setFont(frame_.TitleFont);
        painter_.drawText(frame_.Heading, Qt::AlignLeft | Qt::AlignVCenter, left);
        painter_.setFont(frame_.HeadingFont);
        painter_.drawText(frame_.Heading, Qt::AlignRight | Qt::AlignVCenter, right);
        const double rule = frame_.Heading.bottom() + frame_.LineHeight / 2;
        painter_.drawLine(QPointF(0, rule), QPointF(frame_.Heading.width(), rule));
        painter_.drawText(frame_.Foot, Qt::AlignHCenter | Qt::AlignVCenter,
                          QStringLiteral("Page %1").arg(number));
    }

    void End()
    {
        if (!painter_.end())
            throw Exception("The booklet could not be finished on its output");
    }

    const QString& Caption() const { return caption_; }

private:
    QPagedPaintDevice& device_;
    const TPageFrame& frame_;
    QString caption_;
    QPainter painter_;
};

// A line of the contents: a category name, or a title with its page.
struct TContentsRow {
    QString Text;
    int Page = 0;  // 0: a category row
};

std::vector<TContentsRow> ContentsRows(const std::vector<TBookletEntry>& entries)
{
    std::vector<TContentsRow> rows;
    const std::string* category = nullptr;
    for (const TBookletEntry& entry : entries) {
        if (category == nullptr || *category != entry.Category) {
            if (category != nullptr)
                rows.push_back({});
            rows.push_back({FromAnsi(entry.Category), 0});
            category = &entry.Category;
        }
        rows.push_back({FromAnsi(entry.Title), -1});
    }
    return rows;
}

// Rows on the first contents page, under the "Contents" heading, and on each
// further one.
int RowsPerPage(const TPageFrame& frame, bool first)
{
    const int rows = static_cast<int>(frame.Body.height() / frame.LineHeight);
    return std::max(1, first ? rows - 2 : rows);
}

int ContentsPageCount(const TPageFrame& frame, size_t rowCount)
{
    int pages = 1;
    size_t room = static_cast<size_t>(RowsPerPage(frame, true));
    while (room < rowCount) {
        room += static_cast<size_t>(RowsPerPage(frame, false));
        ++pages;
    }
    return pages;
}

void PaintContents(TBookletPainter& out, const TPageFrame& frame,
                   const std::vector<TContentsRow>& rows, int pageCount)
{
    QPainter& painter = out.Painter();
    const double indent = frame.LineHeight * 1.5;
    size_t row = 0;
    for (int page = 1; page <= pageCount; ++page) {
        out.StartPage(page, out.Caption(), QString());
        double y = frame.Body.top();
        if (page == 1) {
            QFont big = frame.TitleFont;
            big.setPointSizeF(big.pointSizeF() * 1.5);
            painter.setFont(big);
            painter.drawText(QRectF(0, y, frame.Body.width(), frame.LineHeight * 1.5),
                             Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Contents"));
            y += 2 * frame.LineHeight;
        }
        for (int n = RowsPerPage(frame, page == 1); n > 0 && row < rows.size(); --n, ++row) {
            const TContentsRow& line = rows[row];
            const QRectF box(0, y, frame.Body.width(), frame.LineHeight);
            if (line.Page == 0) {
                painter.setFont(frame.TitleFont);
                painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, line.Text);
            }
            else if (line.Page > 0) {
                painter.setFont(frame.HeadingFont);
                const QRectF title = box.adjusted(indent, 0, -4 * frame.LineHeight, 0);
                painter.drawText(title, Qt::AlignLeft | Qt::AlignVCenter,
                                 QFontMetricsF(frame.HeadingFont, painter.device())
                                     .elidedText(line.Text, Qt::ElideRight, title.width()));
                painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter,
                                 QString::number(line.Page));
            }
            y += frame.LineHeight;
        }
    }
}

void PaintSnippet(TBookletPainter& out, const TPageFrame& frame, const TBookletEntry& entry,
                  QTextDocument& document, int firstPage)
{
    QPainter& painter = out.Painter();
    const int pages = std::max(1, document.pageCount());
    for (int i = 0; i < pages; ++i) {
        out.StartPage(firstPage + i, FromAnsi(entry.Title), FromAnsi(entry.Category));
        const QRectF clip(0, i * frame.Body.height(), frame.Body.width(), frame.Body.height());
        painter.save();
        painter.translate(frame.Body.left(), frame.Body.top() - clip.top());
        painter.setClipRect(clip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
    }
}

}  // namespace

std::vector<TBookletEntry> BookletEntries(const std::string& indexFile, const std::string& category)
{
    std::vector<TBookletEntry> entries;
    for (TListedCategory& listed : ListLibrary(indexFile)) {
        if (!category.empty() && !SameTextAscii(listed.name, category))
            continue;
        for (std::string& title : listed.titles) {
            std::string text = ReadSnippet(listed.name, title, indexFile);
            entries.push_back({listed.name, std::move(title), std::move(text)});
        }
    }
    return entries;
}

std::vector<int> PaintBooklet(QPagedPaintDevice& device, const std::vector<TBookletEntry>& entries,
                              const TBookletOptions& options)
{
    TBookletOptions settings = options;
    if (settings.Scheme != nullptr && settings.FontName.empty()) {
        settings.FontName = settings.Scheme->Settings().Font.Name;
        settings.FontSize = settings.Scheme->Settings().Font.Size;
    }
    if (settings.FontName.empty())
        settings.FontName = "Courier New";
    if (settings.FontSize <= 0)
        settings.FontSize = 10;
    std::unique_ptr<TSchemeHighlighter> highlighter;
    if (settings.Scheme != nullptr)
        highlighter = std::make_unique<TSchemeHighlighter>(*settings.Scheme);

    const TPageFrame frame = MakeFrame(device);
    std::vector<std::unique_ptr<QTextDocument>> documents;
    documents.reserve(entries.size());
    for (const TBookletEntry& entry : entries)
        documents.push_back(SnippetDocument(device, frame, entry, settings, highlighter.get()));

    std::vector<TContentsRow> rows = ContentsRows(entries);
    const int contentsPages = ContentsPageCount(frame, rows.size());
    std::vector<int> starts;
    starts.reserve(entries.size());
    int page = contentsPages + 1;
    for (const auto& document : documents) {
        starts.push_back(page);
        page += std::max(1, document->pageCount());
    }
    size_t next = 0;
    for (TContentsRow& row : rows) {
        if (row.Page < 0)
            row.Page = starts[next++];
    }

    TBookletPainter out(device, frame, FromAnsi(settings.Caption));
    PaintContents(out, frame, rows, contentsPages);
    for (size_t i = 0; i < entries.size(); ++i)
        PaintSnippet(out, frame, entries[i], *documents[i], starts[i]);
    out.End();
    return starts;
}

std::vector<int> WriteBookletPdf(const std::filesystem::path& pdf,
                                 const std::vector<TBookletEntry>& entries,
                                 const TBookletOptions& options)
{
    QPdfWriter writer(QString::fromStdString(pdf.string()));
    writer.setResolution(kPdfResolution);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(kPdfMarginMillimetres, kPdfMarginMillimetres,
                                    kPdfMarginMillimetres, kPdfMarginMillimetres),
                          QPageLayout::Millimeter);
    writer.setTitle(FromAnsi(options.Caption));
    return PaintBooklet(writer, entries, options);
}

}  // namespace tarnwick
