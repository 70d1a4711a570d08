#include "editor/qt_clipboard.h"

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

std::string ToCodePage(const QString& text)
{
    return Utf16ToCp1252(std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()),
                                             static_cast<size_t>(text.size())));
}

} // namespace

bool TQtClipboard::HasText() const
{
    const QMimeData* data = Current();
    return data != nullptr && data->hasText();
}

bool TQtClipboard::HasHtml() const
{
    const QMimeData* data = Current();
    return data != nullptr && data->hasHtml();
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
    return ToCodePage(text);
}

std::string TQtClipboard::Html() const
{
    const QMimeData* data = Current();
    return data != nullptr ? ToCodePage(data->html()) : std::string();
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
    const std::u16string wide = Cp1252ToUtf16(text);
    text_ = QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
    hasText_ = true;
    Publish();
}

void TQtClipboard::PutRtf(std::string_view rtf)
{
    rtf_ = QByteArray(rtf.data(), static_cast<qsizetype>(rtf.size()));
    Publish();
}

void TQtClipboard::Publish()
{
    auto* data = new QMimeData;
    if (hasText_)
        data->setText(text_);
    if (!rtf_.isEmpty()) {
        data->setData(QStringLiteral("text/rtf"), rtf_);
        data->setData(QStringLiteral("Rich Text Format"), rtf_);
    }
    QGuiApplication::clipboard()->setMimeData(data);
}

} // namespace tarnwick
