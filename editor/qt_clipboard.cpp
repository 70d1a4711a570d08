#include "editor/qt_clipboard.h"

#include "chrome/ansi_text.h"
#include "platform/codepage.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tarnwick {

namespace {

const QMimeData* Current()
{
    return QGuiApplication::clipboard()->mimeData();
}

// The look-alike of a character the code page lacks, or "?".
void AppendLookAlike(std::string& out, char32_t point)
{
    const QString folded = QString::fromUcs4(&point, 1).normalized(QString::NormalizationForm_KD);
    const size_t before = out.size();
    for (const char32_t part : folded.toStdU32String()) {
        if (QChar::category(part) == QChar::Mark_NonSpacing)
            continue;
        const char byte = UnicodeToCp1252(part);
        if (byte == '?' && part != U'?') {
            out.resize(before);
            break;
        }
        out += byte;
    }
    if (out.size() == before)
        out += '?';
}

} // namespace

std::string ImportedText(const QString& text)
{
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (const char32_t point : text.toStdU32String()) {
        const char byte = UnicodeToCp1252(point);
        if (byte != '?' || point == U'?')
            out += byte;
        else
            AppendLookAlike(out, point);
    }
    return out;
}

void FillMimeData(QMimeData& data, std::optional<std::string_view> text, std::string_view rtf)
{
    if (text)
        data.setText(AnsiToQt(*text));
    if (!rtf.empty()) {
        const QByteArray bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
        data.setData(QString::fromLatin1(kMimeRtf), bytes);
        data.setData(QString::fromLatin1(kMimeRtfNamed), bytes);
    }
}

bool TQtClipboard::HasText() const
{
    const QMimeData* data = Current();
    return data != nullptr && data->hasText();
}

bool TQtClipboard::HasHtml() const
{
    const QMimeData* data = Current();
    return data != nullptr &&
           (data->hasHtml() || data->hasFormat(QString::fromLatin1(kMimeHtmlNamed)));
}

std::string TQtClipboard::Text() const
{
    const QMimeData* data = Current();
    if (data == nullptr)
        return {};
    // The standard text format ends at its first NUL.
    QString text = data->text();
    const qsizetype nul = text.indexOf(QChar(0));
    if (nul >= 0)
        text.truncate(nul);
    return ImportedText(text);
}

std::string TQtClipboard::Html() const
{
    const QMimeData* data = Current();
    if (data == nullptr)
        return {};
    // A raw "HTML Format" block (header, markers and all) is UTF-8.
    const QString named = QString::fromLatin1(kMimeHtmlNamed);
    if (data->hasFormat(named))
        return ImportedText(QString::fromUtf8(data->data(named)));
    return ImportedText(data->html());
}

void TQtClipboard::Clear()
{
    text_.clear();
    rtf_.clear();
    hasText_ = false;
    QGuiApplication::clipboard()->clear();
}

void TQtClipboard::PutText(std::string_view text)
{
    text_ = text;
    hasText_ = true;
    Publish();
}

void TQtClipboard::PutRtf(std::string_view rtf)
{
    rtf_ = rtf;
    Publish();
}

void TQtClipboard::Publish()
{
    auto* data = new QMimeData;
    FillMimeData(*data, hasText_ ? std::optional<std::string_view>(text_) : std::nullopt, rtf_);
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace tarnwick
