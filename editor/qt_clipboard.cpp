#include "editor/qt_clipboard.h"

#include "chrome/ansi_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace tarnwick {

namespace {

const QMimeData* Current()
{
    return QGuiApplication::clipboard()->mimeData();
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
    return QtToAnsi(text);
}

std::string TQtClipboard::Html() const
{
    const QMimeData* data = Current();
    return data != nullptr ? QtToAnsi(data->html()) : std::string();
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
    text_ = AnsiToQt(text);
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
