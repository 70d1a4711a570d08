// TfrmImp: the import dialog. It shows the source library (TreeView2, with
// the preview Memo1) beside the current library (TreeView1, with Memo2).
// Dragging a source title or category onto the destination tree queues it in
// the import list; Undo takes queued items out again; renaming (F2) works on
// the source tree and changes the source index file at once. Nothing is
// written to the destination while the dialog is open: the main window
// commits the list when the dialog closed with OK (OkFlag).
//
// The dialog is built in three files: imp_form.cpp (controls, menus,
// captions, the word-wrap boxes, OK and Cancel), imp_form_queue.cpp (filling
// the trees, the previews, dropping, Copy and Undo) and imp_form_rename.cpp
// (renaming in the source tree).
#pragma once

#include "app/import/import_records.h"

#include <QDialog>

#include <string>
#include <vector>

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QMenu;
class QMenuBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarnwick {

class TCodeMemo;
class TFlatButton;
class TImportDestinationTree;
class TImportSourceTree;
class TPrompt;
class TStatusBar;
class TTreeImages;

// What the main window hands the dialog.
struct TImportSetup {
    std::string SourceIndex;       // the source index file (full path)
    std::string DestinationIndex;  // the current library's index file
    std::string LanguageFile;      // located as the main window locates it
    std::vector<std::string> Strings;  // the active language strings
    // The current captions of the main window's Edit menu and its Copy and
    // Undo items.
    QString EditCaption = QStringLiteral("&Edit");
    QString CopyCaption = QStringLiteral("&Copy");
    QString UndoCaption = QStringLiteral("&Undo");
};

class TfrmImp : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 602;
    static constexpr int kHeight = 465;

    // Runs FormCreate. `prompt`, `images` and `importList` must outlive the
    // dialog; the list is expected empty and receives the queued records.
    TfrmImp(TPrompt& prompt, const TTreeImages& images, TImportSetup setup,
            TImportList& importList, QWidget* parent = nullptr);
    ~TfrmImp() override;

    // True once OK closed the dialog; false after Cancel, the close box or
    // Escape.
    bool OkFlag() const { return okFlag_; }

    // --- handlers ---
    void TreeView2Click();
    void TreeView2KeyUp(int key);
    void TreeView1Click();
    void TreeView1KeyUp(int key);
    // A drop at `point` (viewport coordinates of the destination tree).
    void TreeView1DragDrop(const QPoint& point);
    void TreeView1Expanded(QTreeWidgetItem* node);
    void TreeView1Collapsed(QTreeWidgetItem* node);
    void TreeView2Edited(QTreeWidgetItem* node);
    void CheckBox1Click();
    void CheckBox2Click();
    void btnOKClick();
    void btnUndoClick();
    void btnCancelClick();
    void Save1Click() { btnOKClick(); }
    void Cancel1Click() { btnCancelClick(); }
    // Copy: a drop on the destination tree's topmost visible node.
    void Copy1Click();
    // Edit > Undo.
    void Delete1Click() { btnUndoClick(); }
    // Starts editing the selected source node's label.
    void Rename1Click();

    TImportSourceTree* TreeView2 = nullptr;
    TCodeMemo* Memo1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    TImportDestinationTree* TreeView1 = nullptr;
    TCodeMemo* Memo2 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QGroupBox* GroupBox1 = nullptr;  // "Source"
    QGroupBox* GroupBox2 = nullptr;  // "Destination"
    TFlatButton* btnOK = nullptr;
    TFlatButton* btnUndo = nullptr;
    TFlatButton* btnCancel = nullptr;
    TStatusBar* FriendlyStatusBar2 = nullptr;  // source file
    TStatusBar* FriendlyStatusBar1 = nullptr;  // destination file
    QLabel* Label10 = nullptr;

    QMenuBar* MainMenu1 = nullptr;
    QMenu* File1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Cancel1 = nullptr;
    QMenu* Edit1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Delete1 = nullptr;  // Edit > Undo
    QAction* Rename1 = nullptr;

private:
    void FormCreate();
    void CreateControls();
    void CreateMenus();
    void ConnectHandlers();
    void SetCaptions();
    void FillTree(QTreeWidget& tree, const std::string& indexFile);
    void SetWrap(TCodeMemo& memo, bool wrap);
    void ShowMessage(const std::string& text);
    // The Undo button and Edit > Undo together.
    void SetUndoEnabled(bool enabled);
    // The title's value in the source index file, read with the default "0",
    // and whether it may be previewed and queued (the message is shown when
    // not).
    bool ReadSourceValue(const std::string& category, const std::string& title,
                         std::string& value);
    // False when nothing was queued (the message is shown).
    bool DropTitle(QTreeWidgetItem* source, QTreeWidgetItem* target);
    void DropCategory(QTreeWidgetItem* source);
    // Why a new name cannot be taken, or the empty text when it can.
    std::string RenameProblem(const QTreeWidgetItem& node, const std::string& newName) const;
    void RenameInSource(const QTreeWidgetItem& node, const std::string& newName);

    TPrompt& prompt_;
    const TTreeImages& images_;
    TImportSetup setup_;
    TImportList& importList_;
    bool okFlag_ = false;
    // The source node being renamed and its name when editing started.
    QTreeWidgetItem* renaming_ = nullptr;
    std::string oldName_;
};

}  // namespace tarnwick
