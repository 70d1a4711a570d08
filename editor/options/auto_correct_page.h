// The Auto Correct page of the editor options dialog: the auto-replace
// entries of the working copy (word and replacement), the "Replace" and
// "With" boxes with Add, Replace and Delete, and the "Act key(s)" box that
// holds the delimiter specification.
#pragma once

#include "editor/options/options_context.h"

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tarnwick {

class TAutoCorrectPage : public QWidget {
    Q_OBJECT
public:
    TAutoCorrectPage(const TOptionsContext& context, QWidget* parent = nullptr);

    QTreeWidget* Entries() { return entries_; }
    QLineEdit* WordBox() { return word_; }
    QLineEdit* ReplacementBox() { return replacement_; }
    QLineEdit* DelimiterBox() { return delimiters_; }
    QPushButton* AddButton() { return add_; }
    QPushButton* ReplaceButton() { return replace_; }
    QPushButton* DeleteButton() { return delete_; }

    void Fill();

private:
    // Lists the entries again and selects the one named `name`.
    void ShowEntries(const std::string& name);
    void EntrySelected();
    void AddClicked();
    void ReplaceClicked();
    void DeleteClicked();
    void DelimitersLeft();

    TOptionsContext context_;
    QTreeWidget* entries_;
    QLineEdit* word_;
    QLineEdit* replacement_;
    QLineEdit* delimiters_;
    QPushButton* add_;
    QPushButton* replace_;
    QPushButton* delete_;
};

}  // namespace tarnwick
