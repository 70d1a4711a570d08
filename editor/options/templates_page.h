// The Code Templates page of the editor options dialog: the templates of
// the working copy (name and description), the "Name" and "Description"
// boxes, the template preview editor holding the expansion, Add, Replace
// and Delete, and the "Hotkey" box with the trigger shortcut.
#pragma once

#include "editor/options/options_context.h"

#include <QWidget>

#include <string>

class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace tarnwick {

class TKeyCaptureEdit;

class TTemplatesPage : public QWidget {
    Q_OBJECT
public:
    // `preview` is the template preview editor; the dialog owns its scheme
    // slot.
    TTemplatesPage(const TOptionsContext& context, TCodeMemo& preview, QWidget* parent = nullptr);

    QTreeWidget* Templates() { return templates_; }
    QLineEdit* NameBox() { return name_; }
    QLineEdit* DescriptionBox() { return description_; }
    TCodeMemo& Preview() { return preview_; }
    TKeyCaptureEdit* HotkeyBox() { return hotkey_; }
    QPushButton* AddButton() { return add_; }
    QPushButton* ReplaceButton() { return replace_; }
    QPushButton* DeleteButton() { return delete_; }

    void Fill();

private:
    void ShowTemplates(const std::string& name);
    void TemplateSelected();
    void AddClicked();
    void ReplaceClicked();
    void DeleteClicked();
    // Stores the boxes and the preview's text as a template; false when the
    // name is empty.
    bool Store();

    TOptionsContext context_;
    TCodeMemo& preview_;
    QTreeWidget* templates_;
    QLineEdit* name_;
    QLineEdit* description_;
    TKeyCaptureEdit* hotkey_;
    QPushButton* add_;
    QPushButton* replace_;
    QPushButton* delete_;
};

}  // namespace tarnwick
