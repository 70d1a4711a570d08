// TMainForm: the main window. It owns the run-time state of a session (the
// application folder, the current library and snippet, the flags, the
// in-memory options and the tree fonts), the library tree, the code pane, the
// menus, the toolbar and the status bar.
//
// The window is built in five files: main_form.cpp (the frame: menus,
// toolbar, panes, status bar, hints, resize rule, shutdown),
// main_form_settings.cpp (start-up, main.ini, the File > Open items, the
// schemes registered in main.ini), main_form_tree.cpp (the library tree),
// main_form_language.cpp (the language file) and main_form_search.cpp (the
// Search menu and the Find in library panel). Commands whose work belongs to
// the editor, the store, printing or the dialogs are present but disabled.
#pragma once

#include "app/tree_images.h"
#include "chrome/flat_button.h"
#include "chrome/font_tree_view.h"
#include "chrome/status_bar.h"
#include "chrome/title_strip_menu.h"

#include <QMainWindow>
#include <QPointer>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QSplitter;
class QToolBar;

namespace tarnwick {

class TCodePaneHost;
class TLanguageFile;
class TSearchPanel;
struct TLibraryHit;
class TCodeMemoParser;
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

    // Runs the start-up sequence (language file, Open menu, settings,
    // schemes). `prompt` must outlive the window.
    TMainForm(TPrompt& prompt, std::filesystem::path appFolder, QWidget* parent = nullptr);
    // Runs FormDestroy: the options go to main.ini.
    ~TMainForm() override;

    // --- start-up, settings and shutdown ---
    void LoadSettings();
    void SaveSettings();
    void BuildOpenMenu();
    void OpenLibraryItem(QAction* item);
    // Opens the library whose index file the command line named, through
    // its File > Open item; a library not yet under Files is registered
    // there first (titled after its file name). A missing data file gets the
    // same message as the menu gives.
    void OpenLibraryFromCommandLine(const std::filesystem::path& indexFile);
    void LoadLanguageFile();
    void ApplyLanguageFile(const std::filesystem::path& path);
    // Rebuilds the scheme lists from the Scripts section and finds the
    // current scheme named by CurrentParser.
    void LoadCurrentScheme();
    // Loads the compiled scheme `file` (relative to the application folder,
    // as Scripts stores it) into ActiveParser; a missing file leaves
    // ActiveParser as it was. The display name is not used.
    void LoadCompiledScheme(const std::string& file, const std::string& name);

    // --- library tree ---
    // Fills the tree from the index file at `indexFile` and makes it the
    // current library. A missing file gives an empty tree.
    void LoadLibrary(const std::filesystem::path& indexFile);
    // Shows the selected title's text in the code pane (a category empties
    // it) and refreshes the counts; waits first while a save is running.
    void TreeView1Click();
    // A released key while the tree has the focus: arrows show the newly
    // selected node as a click would.
    void TreeView1KeyUp(int key);
    void Expandallnodes1Click();
    // --- search (main_form_search.cpp) ---
    // Shows the Find in library panel and puts the focus in its text box.
    void FindInLibrary1Click();
    // F3 (direction 1) / Shift+F3 (-1): the next or previous library hit
    // while the panel lists some, else the editor's find next hook.
    void FindNext1Click(int direction);
    // Selects the hit's title in the tree, loads it as a click does and
    // selects the hit in the code pane.
    void ShowSearchHit(const TLibraryHit& hit);
    void Collapseallnodes1Click();
    void PopupMenu1Popup();

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
    // The title the code pane shows, as (category, title); empty when none.
    const std::string& CurrentCategory() const { return currentCategory_; }
    const std::string& CurrentTitle() const { return currentTitle_; }
    bool Loading() const { return loading_; }
    bool Dirty() const { return dirty_; }
    bool Painted() const { return painted_; }
    // Language string `index`; raises when the list has no such entry.
    const std::string& LanguageString(size_t index) const;
    const std::vector<std::string>& LanguageStrings() const { return languageStrings_; }
    const TTreeFont& CategoryFont() const { return categoryFont_; }
    const TTreeFont& TitleFont() const { return titleFont_; }
    int HighlightingSource() const { return delphiVer_; }
    bool Animated() const { return animated_; }
    // The in-memory options.
    const std::string& DefaultLibraryTitle() const { return defaultIni_; }
    bool LoadDefault() const { return loadDefault_; }
    bool Remember() const { return remember_; }
    bool AutoSaveOption() const { return autoSaveOption_; }
    // The schemes registered under Scripts, in file order, and the one named
    // by CurrentParser.
    const std::vector<std::string>& SchemeNames() const { return schemeNames_; }
    const std::vector<std::string>& SchemeFiles() const { return schemeFiles_; }
    int CurrentSchemeIndex() const { return currentSchemeIndex_; }
    const std::string& CurrentSchemeName() const { return currentSchemeName_; }
    const std::string& CurrentSchemeFile() const { return currentSchemeFile_; }
    const TTreeImages& TreeImages() const { return treeImages_; }

    // The code pane's scheme objects, in its slots 1 to 3. ActiveParser
    // highlights the pane; it and Parser1 start with the built-in Object
    // Pascal scheme, Parser2 with the empty "<Custom language>" one.
    std::unique_ptr<TCodeMemoParser> ActiveParser;
    std::unique_ptr<TCodeMemoParser> Parser1;
    std::unique_ptr<TCodeMemoParser> Parser2;

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
    QAction* Find1 = nullptr;
    QAction* FindNext1 = nullptr;
    QAction* FindPrevious1 = nullptr;
    QAction* Replace1 = nullptr;
    QAction* FindInLibrary1 = nullptr;
    TSearchPanel* SearchPanel1 = nullptr;  // Find in library, under the tree

    // Hooks for the code pane's own Find and Replace dialogs (Search > Find,
    // Replace, and Find Next / Previous while no library hits are listed):
    // connect them to the editor control's dialogs for the open snippet.
    // Until they are set these items do nothing.
    std::function<void()> OnEditorFind;
    std::function<void()> OnEditorReplace;
    std::function<void(int direction)> OnEditorFindNext;

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
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void RegisterSchemes();
    void FormDestroy();
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
    void ShowSnippetSize();
    void ApplyPlacement(int left, int top, int width, int height);
    void ChooseTreeFont(TTreeFont& target, const char* prefix, const char* charsetKey);
    void ApplyMenuAnimation() const;
    void CreateSearchMenu();
    void CreateSearchPanel();
    void ApplySearchLanguage(const TLanguageFile& file);

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
    std::vector<std::string> schemeNames_;
    std::vector<std::string> schemeFiles_;
    int currentSchemeIndex_ = 0;
    std::string currentSchemeName_;
    std::string currentSchemeFile_;
    TTreeImages treeImages_;
    QString wordCategories_ = QStringLiteral("Categories");
    QString wordTitles_ = QStringLiteral("Titles");
    QString wordCodeSize_ = QStringLiteral("Code Size");
    QPointer<QAction> openChecked_;  // the Open menu's item of the library shown
    QString hintSaved_;  // status panel 0 while a toolbar hint is shown
};

}  // namespace tarnwick
