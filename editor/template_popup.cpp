#include "editor/template_popup.h"

#include "chrome/ansi_text.h"
#include "editor/core/macro_expansion.h"
#include "editor/qt_clipboard.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace tarnwick {

namespace {

constexpr int kDescriptionRole = Qt::UserRole;
constexpr int kNameRole = Qt::UserRole + 1;

QFont BoldOf(QFont font)
{
    font.setBold(true);
    return font;
}

// Draws a row: the description at 2 pixels, the name in bold at the name
// column, both in the selection colours when selected.
class TTemplateRowPainter : public QStyledItemDelegate {
public:
    explicit TTemplateRowPainter(TTemplatePopup* list) : QStyledItemDelegate(list), list_(list) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override
    {
        const bool selected = (option.state & QStyle::State_Selected) != 0;
        const QPalette& pal = option.palette;
        painter->save();
        painter->fillRect(option.rect, selected ? pal.color(QPalette::Highlight)
                                                : pal.color(QPalette::Base));
        painter->setPen(selected ? pal.color(QPalette::HighlightedText)
                                 : pal.color(QPalette::Text));
        QRect text = option.rect;
        text.setLeft(option.rect.left() + 2);
        painter->setFont(list_->font());
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                          index.data(kDescriptionRole).toString());
        text.setLeft(option.rect.left() + list_->NameLeft());
        painter->setFont(BoldOf(list_->font()));
        painter->drawText(text, Qt::AlignLeft | Qt::AlignVCenter, index.data(kNameRole).toString());
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return {list_->NameLeft(), QFontMetrics(BoldOf(list_->font())).height() + 2};
    }

private:
    TTemplatePopup* list_;
};

} // namespace

TTemplatePopup::TTemplatePopup(QWidget* editor) : QListWidget(editor)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    setFont(font);
    setFrameShape(QFrame::Box);
    setLineWidth(1);
    setUniformItemSizes(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new TTemplateRowPainter(this));
    hide();
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit TemplateChosen(row(item)); });
}

void TTemplatePopup::Fill(const std::vector<const TMacroEntry*>& items, int preselect)
{
    clear();
    items_ = items;
    typed_.clear();
    const QFontMetrics regular(font());
    const QFontMetrics bold(BoldOf(font()));
    int widestDescription = 0;
    int widestName = 0;
    for (const TMacroEntry* entry : items_) {
        const QString description = AnsiToQt(entry->Description.value_or(std::string()));
        const QString name = AnsiToQt(entry->Name);
        widestDescription = std::max(widestDescription, regular.horizontalAdvance(description));
        widestName = std::max(widestName, bold.horizontalAdvance(name));
        auto* item = new QListWidgetItem(description + QStringLiteral(" | ") + name, this);
        item->setData(kDescriptionRole, description);
        item->setData(kNameRole, name);
    }
    nameLeft_ = widestDescription + 24;
    const int rowHeight = bold.height() + 2;
    const int rows = std::min(static_cast<int>(items_.size()), 12);
    const int frame = 2 * frameWidth();
    const int scrollBar = static_cast<int>(items_.size()) > rows ? 16 : 0;
    resize(widestDescription + widestName + 48 + frame + scrollBar, rows * rowHeight + frame);
    setCurrentRow(std::clamp(preselect, 0, std::max(0, static_cast<int>(items_.size()) - 1)));
}

void TTemplatePopup::Popup(int x, int lineTop, int lineBottom)
{
    const QWidget* editor = parentWidget();
    const int room = editor->height();
    int y = lineBottom;
    if (y + height() > room && lineTop - height() >= 0)
        y = lineTop - height();
    x = std::clamp(x, 0, std::max(0, editor->width() - width()));
    y = std::clamp(y, 0, std::max(0, room - height()));
    move(x, y);
    show();
    raise();
    setFocus(Qt::PopupFocusReason);
    scrollToItem(currentItem());
}

void TTemplatePopup::Close()
{
    if (isHidden())
        return;
    hide();
    emit Closed();
}

void TTemplatePopup::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (currentRow() >= 0)
            emit TemplateChosen(currentRow());
        return;
    case Qt::Key_Escape: Close(); return;
    case Qt::Key_Backspace:
        if (!typed_.empty())
            typed_.pop_back();
        return;
    default: break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.front().isPrint() &&
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
        typed_ += ImportedText(text);
        const int found = FindByPrefix(items_, typed_);
        if (found >= 0)
            setCurrentRow(found);
        return;
    }
    QListWidget::keyPressEvent(event);
}

void TTemplatePopup::focusOutEvent(QFocusEvent* event)
{
    QListWidget::focusOutEvent(event);
    Close();
}

} // namespace tarnwick
