#include "app/code_pane_host.h"

#include "chrome/ansi_text.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace tarnwick {

namespace {

// The view keeps one line per block; every stored line end becomes one LF.
QString ToViewText(std::string_view text)
{
    std::string lines;
    lines.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            lines += '\n';
        } else {
            lines += text[i];
        }
    }
    return AnsiToQt(lines);
}

}  // namespace

TCodePaneHost::TCodePaneHost(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Memo1"));
    setMinimumWidth(50);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new QPlainTextEdit(this);
    view_->setReadOnly(true);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Keep the text selectable and the caret visible in a read-only view.
    view_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont font(QStringLiteral("Courier New"), 10);
    font.setStyleHint(QFont::Monospace);
    view_->setFont(font);
    // The pane's own context menu belongs to the window.
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(view_);
    setFocusProxy(view_);
}

void TCodePaneHost::SetText(std::string_view text)
{
    view_->setPlainText(ToViewText(text));
    view_->document()->setModified(false);
}

void TCodePaneHost::Clear()
{
    view_->clear();
    view_->document()->setModified(false);
}

std::string TCodePaneHost::Text() const
{
    QString text = view_->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return QtToAnsi(text);
}

bool TCodePaneHost::Modified() const
{
    return view_->document()->isModified();
}

int64_t TCodePaneHost::LineCount() const
{
    return view_->document()->blockCount();
}

QWidget* TCodePaneHost::View() const
{
    return view_;
}

}  // namespace tarnwick
