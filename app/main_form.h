// TMainForm: the main window. It owns the run-time state of a session (the
// application folder, the current library and snippet, the flags, the
// in-memory options and the tree fonts), the library tree, the code pane, the
// menus, the toolbar and the status bar.
//
// This stage builds the frame: menus, toolbar, caption strip, tree, code pane
// host and status bar; the language file; the start-up and shutdown settings
// in main.ini; the File > Open library items, the Open button and the tree's
// loading from an index file; the tree font commands and the toolbar hints.
// Commands whose work belongs to the editor, the store, printing or the
// dialogs are present but disabled.
#pragma once

#include "chrome/flat_button.h"
#include "chrome/font_tree_view.h"
#include "chrome/status_bar.h"
#include "chrome/title_strip_menu.h"

#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

namespace tarnwick {

class TCodePaneHost;
class TPrompt;

// A tree font as main.ini keeps it. Colour: red in the low byte, then green,
// then blue. Style: bold 1, italic 2, underline 4, strike-out 8.
struct TTreeFont {
    std::string Name = "MS Sans Serif";
    int Size = 10;
    uint32_t Colour = 255;
    int Style = 0;
    int Charset = 1;
};

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "Tarnwick Version 2.41";
    static constexpr int kInitialWidth = 544;
    static constexpr int kInitialHeight = 420;

    // Runs the start-up sequence (language file, Open menu, settings).
    // `prompt` must outlive the window.
    TMainForm(TPrompt& prompt, std::filesystem::path appFolder, QWidget* parent = nullptr);
    ~TMainForm() override;

    // --- start-up, settings and shutdown ---
    void LoadSettings();
    void SaveSettings();
    void BuildOpenMenu();
    void OpenLibraryItem(QAction* item);
    void LoadLanguageFile();
    void ApplyLanguageFile(const std::filesystem::path& path);

    // --- library tree ---
    // Fills the tree from the index file at `indexFile` and makes it the
    // current library. A missing file gives an empty tree.
    void LoadLibrary(const std::filesystem::path& indexFile);
    void Expandallnodes1Click();
    void Collapseallnodes1Click();

    // --- commands ---
    void btnOpenClick();
    void Exit1Click();
    void TreeviewWindow1Click();
    void TreeViewtitles1Click();
    void btnOpenMouseEnter(TFlatButton* button);
    void btnOpenMouseExit(TFlatButton* button);

    // --- state, for the commands of later stages and for tests ---
    const std::filesystem::path& AppFolder() const { return appFolder_; }
    std::string SettingsFile() const;
    const std::filesystem::path& CurrentLibrary() const { return currentLibrary_; }
    // Language string `index`; raises when the list has no such entry.
    const std::string& LanguageString(size_t index) const;
    const std::vector<std::string>& LanguageStrings() const { return languageStrings_; }
    const TTreeFont& CategoryFont() const { return categoryFont_; }
    const TTreeFont& TitleFont() const { return titleFont_; }
    int HighlightingSource() const { return delphiVer_; }
    bool Animated() const { return animated_; }

    TFontTreeView* TreeView1 = nullptr;
    TCodePaneHost* Memo1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QLabel* Label1 = nullptr;  // caption strip over the tree
    QLabel* Label2 = nullptr;  // caption strip over the code pane
    QSplitter* Splitter1 = nullptr;

    TFlatButton* btnOpen = nullptr;
    TFlatButton* btnCopy = nullptr;
    TFlatButton* btnDelete = nullptr;
    TFlatButton* btnSave = nullptr;
    TFlatButton* btnHelp = nullptr;
    TFlatButton* btnAbout = nullptr;
    TFlatButton* btnExit = nullptr;

    TTitleStripMenu* File1 = nullptr;
    QMenu* New1 = nullptr;
    QAction* File2 = nullptr;  // File > New > File
    QAction* NewCategory1 = nullptr;
    QAction* NewCode1 = nullptr;
    QMenu* Open1 = nullptr;
    QAction* Import1 = nullptr;
    QAction* Pagesetup1 = nullptr;
    QMenu* Print1 = nullptr;
    QAction* SelectedCode1 = nullptr;
    QAction* Category2 = nullptr;
    QAction* All1 = nullptr;
    QAction* Exit1 = nullptr;

    QMenu* Edit2 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Cut1 = nullptr;
    QAction* Copy1 = nullptr;
    QAction* Paste1 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* SelectAll1 = nullptr;
    QAction* TimeDate1 = nullptr;
    QAction* Wordwrap1 = nullptr;

    QMenu* Search1 = nullptr;

    QMenu* Options1 = nullptr;
    QMenu* Fonts1 = nullptr;
    QAction* CodeWindow1 = nullptr;
    QAction* TreeviewWindow1 = nullptr;
    QAction* TreeViewtitles1 = nullptr;
    QAction* DefaultINIfile1 = nullptr;  // Options > Other options

    QMenu* Help1 = nullptr;
    QAction* Contents1 = nullptr;
    QAction* Index1 = nullptr;
    QAction* About1 = nullptr;

    QMenu* PopupMenu1 = nullptr;    // the tree's context menu
    QAction* SavePopup1 = nullptr;  // its "Save" item
    QMenu* PopupMenu982 = nullptr;  // the code pane's context menu

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void FormCreate();
    void CreateMenus();
    void CreateToolBar();
    void CreatePanes();
    void ConnectHandlers();
    QAction* AddItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {});
    void FormResize();
    void MainMenu981Popup();
    void TreeView1GetFont(const TNodePaintInfo& info, QFont& font, QColor& colour) const;
    void ApplyTreeFontSize();
    void ShowCounts();
    void ChooseTreeFont(TTreeFont& target, const char* prefix, const char* charsetKey);
    void ApplyMenuAnimation() const;

    TPrompt& prompt_;
    std::filesystem::path appFolder_;

    std::filesystem::path currentLibrary_;
    std::string currentCategory_;
    std::string currentTitle_;
    bool painted_ = false;
    bool loading_ = true;
    bool saving_ = false;
    bool dirty_ = false;
    bool dragArmed_ = false;
    bool autoSave_ = false;
    int delphiVer_ = 0;
    int treeWidth_ = 152;  // the divider's position as last set or dragged

    // The in-memory options (the design keeps them on hidden controls).
    std::string defaultIni_ = "Delphi Code";  // Edit1
    bool loadDefault_ = false;                // CheckBox1
    bool remember_ = false;                   // CheckBox2
    bool animated_ = true;                    // CheckBox3
    bool autoSaveOption_ = false;             // CheckBox4

    TTreeFont categoryFont_;
    TTreeFont titleFont_;

    std::vector<std::string> libraryTitles_;
    std::vector<std::string> categories_;
    std::vector<std::string> titles_;
    std::vector<std::string> languageStrings_;
    QString wordCategories_ = QStringLiteral("Categories");
    QString wordTitles_ = QStringLiteral("Titles");
    QString wordCodeSize_ = QStringLiteral("Code Size");
    QPointer<QAction> openChecked_;  // the Open menu's item of the library shown
    QString hintSaved_;  // status panel 0 while a toolbar hint is shown
};

}  // namespace tarnwick
