// TTemplatePopup: the list of code templates the editor offers when the
// trigger key follows a word that names no template. A child of the editor
// without a 3D border, in Arial 8 point; each row shows a template's
// description and, in bold, its name in a second column. Typing letters
// moves to the first name starting with them, Enter or a double click picks
// the selected template, Escape (or leaving the list) closes it.
#pragma once

#include "editor/core/macro_keywords.h"

#include <QListWidget>

#include <vector>

namespace tarnwick {

class TTemplatePopup : public QListWidget {
    Q_OBJECT
public:
    explicit TTemplatePopup(QWidget* editor);

    // One row per entry, sized to the widest description and name, with
    // row `preselect` selected. The entries must outlive the list's use.
    void Fill(const std::vector<const TMacroEntry*>& items, int preselect);
    // Shows the list at `x` under the caret's line [lineTop, lineBottom),
    // above it when there is no room below, kept inside the editor.
    void Popup(int x, int lineTop, int lineBottom);
    // The letters typed into the list so far.
    const std::string& Typed() const { return typed_; }
    // The column where names start (the widest description + 24).
    int NameLeft() const { return nameLeft_; }

signals:
    void TemplateChosen(int row);
    void Closed();

public slots:
    void Close();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    std::vector<const TMacroEntry*> items_;
    std::string typed_;
    int nameLeft_ = 0;
};

} // namespace tarnwick
