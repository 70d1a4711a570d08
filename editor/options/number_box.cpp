// The number box of the options page: key filter and spin buttons.
#include "editor/options/number_box.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tarnwick {

namespace {

constexpr int kSpinLow = 0;
constexpr int kSpinHigh = 199;

// Keys that move between controls or close the dialog always pass, so that
// the box never traps the keyboard.
bool IsNavigationKey(int key)
{
    return key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Return ||
           key == Qt::Key_Enter || key == Qt::Key_Escape;
}

QToolButton* MakeSpinButton(Qt::ArrowType arrow, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    return button;
}

}  // namespace

TNumberBox::TNumberBox(std::initializer_list<int> keys, bool spin, QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), keys_(keys)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(edit_);
    edit_->installEventFilter(this);
    setFocusProxy(edit_);
    connect(edit_, &QLineEdit::textEdited, this, &TNumberBox::Edited);
    connect(edit_, &QLineEdit::editingFinished, this, &TNumberBox::Left);
    if (!spin)
        return;
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(0);
    up_ = MakeSpinButton(Qt::UpArrow, this);
    down_ = MakeSpinButton(Qt::DownArrow, this);
    buttons->addWidget(up_);
    buttons->addWidget(down_);
    row->addLayout(buttons);
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TNumberBox::Show(int value) { ShowText(QString::number(value)); }

void TNumberBox::ShowText(const QString& text)
{
    if (edit_->text() != text)
        edit_->setText(text);
}

std::optional<int> TNumberBox::Value() const
{
    bool ok = false;
    const int value = edit_->text().trimmed().toInt(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

void TNumberBox::Step(int delta)
{
    const std::optional<int> value = Value();
    const int next = value ? std::clamp(*value + delta, kSpinLow, kSpinHigh) : 1;
    edit_->setText(QString::number(next));
    emit Edited();
    // A spin is a finished change: the owner shows what it accepted.
    emit Left();
}

bool TNumberBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != edit_ || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* press = static_cast<QKeyEvent*>(event);
    const int key = press->key();
    const bool digit = key >= Qt::Key_0 && key <= Qt::Key_9 &&
                       (press->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
    const bool separator =
        separators_ && (key == Qt::Key_Space || key == Qt::Key_Semicolon);
    const bool allowed = digit || separator || IsNavigationKey(key) ||
                         std::find(keys_.begin(), keys_.end(), key) != keys_.end();
    return !allowed;  // a refused key is eaten
}

}  // namespace tarnwick
