// TKeyAssignDialog: the two-step wizard that asks for a key binding on the
// Key Assignments page. Step 1 takes the first key combination, step 2 an
// optional second key (without modifiers); each step has a Clear button,
// and "< Back", "Next >" (on step 2 "Finish") and Cancel move through it.
// "Next >" needs a first key.
#pragma once

#include "platform/keys.h"

#include <QDialog>

#include <optional>
#include <utility>

class QLabel;
class QPushButton;
class QStackedWidget;

namespace tarnwick {

class TKeyCaptureEdit;

class TKeyAssignDialog : public QDialog {
    Q_OBJECT
public:
    // Starts with a binding to edit (0, 0 for a new one).
    TKeyAssignDialog(TShortCut first, TShortCut second, QWidget* parent = nullptr);

    // Shows the wizard modally; the binding when the user finished it.
    static std::optional<std::pair<TShortCut, TShortCut>> Run(TShortCut first, TShortCut second,
                                                             QWidget* parent);

    TShortCut FirstKey() const;
    TShortCut SecondKey() const;
    int Step() const;  // 1 or 2
    TKeyCaptureEdit* FirstBox() { return first_; }
    TKeyCaptureEdit* SecondBox() { return second_; }
    QPushButton* BackButton() { return back_; }
    QPushButton* NextButton() { return next_; }
    QPushButton* CancelButton() { return cancel_; }

private:
    QWidget* MakeStep(const QString& instruction, TKeyCaptureEdit* box);
    void GoTo(int step);
    void NextClicked();
    void UpdateButtons();

    TKeyCaptureEdit* first_;
    TKeyCaptureEdit* second_;
    QStackedWidget* steps_;
    QPushButton* back_;
    QPushButton* next_;
    QPushButton* cancel_;
};

}  // namespace tarnwick
