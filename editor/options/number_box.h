// TNumberBox: a one-line box for a number on the options page, with a key
// filter and, optionally, a pair of spin buttons.
//
// The filter lets through only digits and the editing keys the box was made
// with (plus the keys that move between controls: Tab, Shift+Tab, Return,
// Escape). The spin buttons step the number by 1 within 0..199; an empty
// box steps to 1. The box does not judge values: its owner listens to
// Edited (each change by the user, typed or spun) and Left (the box lost the
// focus or Return was pressed) and writes back what was accepted.
#pragma once

#include <QLineEdit>
#include <QWidget>

#include <initializer_list>
#include <optional>
#include <vector>

class QToolButton;

namespace tarnwick {

class TNumberBox : public QWidget {
    Q_OBJECT
public:
    // `keys`: the Qt keys accepted besides the digits.
    TNumberBox(std::initializer_list<int> keys, bool spin, QWidget* parent = nullptr);

    QLineEdit* Edit() { return edit_; }
    QString Text() const { return edit_->text(); }
    // Shows a value without raising Edited.
    void Show(int value);
    void ShowText(const QString& text);
    // The box's number; nothing when it is empty or not a number.
    std::optional<int> Value() const;
    // Lets the filter through blanks and ';' as well (lists of numbers).
    void AllowSeparators() { separators_ = true; }
    QToolButton* UpButton() { return up_; }
    QToolButton* DownButton() { return down_; }

signals:
    void Edited();
    void Left();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Step(int delta);

    QLineEdit* edit_;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    std::vector<int> keys_;
    bool separators_ = false;
};

}  // namespace tarnwick
