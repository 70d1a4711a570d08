// TMainForm: the main window. It owns the run-time state of a session (the
// application folder, the current library and snippet, the flags, the
// in-memory options and the tree fonts), the library tree, the code pane, the
// menus, the toolbar and the status bar.
//
// The window is built in several files: main_form.cpp (the frame: menus,
// toolbar, panes, status bar, hints, resize rule, shutdown),
// main_form_settings.cpp (start-up, main.ini, the File > Open items, the
// schemes registered in main.ini), main_form_tree.cpp (the library tree),
// main_form_language.cpp (the language file), main_form_tree_edit.cpp (new,
// renamed, deleted and moved categories and titles), main_form_open.cpp
// (the new-library dialog's registration), main_form_save.cpp (change
// tracking, Save and auto-save), main_form_edit.cpp (the Edit menu),
// main_form_pane_look.cpp (the code pane's font and colours),
// main_form_watch.cpp (following changes made by other programs),
// main_form_print.cpp (printing), main_form_help.cpp (help and About) and
// main_form_search.cpp (the Search menu and the Find in library panel); File >
// Import is in import/. Commands whose dialogs are not built yet are present
// but disabled.
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
#include <optional>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QTreeWidgetItem;
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
class TLibraryWatch;
struct TListedCategory;
class TPrintSetup;
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
    // Options > Other options: the modal Other options dialog.
    void DefaultINIfile1Click();

    // --- library tree ---
    // Fills the tree from the index file at `indexFile` and makes it the
    // current library. A missing file gives an empty tree.
    void LoadLibrary(const std::filesystem::path& indexFile);
    // Shows the selected title's text in the code pane (a category empties
    // it) and refreshes the counts; waits first while a save is running.
    void TreeView1Click();
    // A released key while the tree has the focus: arrows show the newly
    // selected node as a click would; Delete deletes it and F2 edits its
    // label.
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

    // --- printing (main_form_print.cpp) ---
    void Pagesetup1Click();
    // The Print submenu opens: Selected code is offered for a title only.
    void Print1Click();
    void SelectedCode1Click();
    void Category2Click();
    void All1Click();
    // File > Print > Highlighted booklet: the selected category or the whole
    // library as a PDF highlighted by the active scheme.
    void HighlightedBooklet1Click();
    // The printer and offsets of the plain prints.
    TPrintSetup& PrintSetup();

    // --- library tree editing (main_form_tree_edit.cpp) ---
    // Each change goes to the current library at once, through the store,
    // and the tree, the counts and the code pane follow it.
    void AddCategory1Click();
    void AddCode1Click();
    // Starts editing the selected node's label.
    void ChangeTitle1Click();
    // Label editing starts: the node's text is remembered as the old name.
    bool TreeView1Editing(QTreeWidgetItem* node);
    // Label editing ends with `text`: renames the category or title in the
    // library and on the node. A refused name is reported and leaves both as
    // they were; false then, and when nothing changed.
    bool TreeView1Edited(QTreeWidgetItem* node, const QString& text);
    // Deletes the selected category or title after a Yes to the question.
    void btnDeleteClick();
    void TreeView1MouseDown(Qt::MouseButton button, const QPoint& pos);
    void TreeView1MouseUp();
    // Whether a drag from `source` may be dropped on the tree.
    bool TreeView1DragOver(const QObject* source) const;
    // Moves the selected title to the category at `pos` (viewport
    // coordinates) by the hit zone there.
    void TreeView1DragDrop(const QObject* source, const QPoint& pos);

    // --- new and open library (main_form_open.cpp) ---
    void File2Click();
    // Registers the library `indexFile` under `title` in main.ini, adds its
    // File > Open item and opens it through that item; then every node is
    // expanded and the code pane is emptied, with no current snippet.
    void RegisterAndOpenLibrary(const std::string& title, const std::string& indexFile);
    // Empties the pane and leaves no current title, before another library
    // is opened (File > Open, the Open button, a new library).
    void ForgetOpenSnippet();

    // --- commands ---
    void btnOpenClick();
    // File > Import: the source library's data file is chosen, the import
    // dialog queues what to copy, and OK commits it to the current library.
    void Import1Click();
    void Exit1Click();
    void TreeviewWindow1Click();
    void TreeViewtitles1Click();
    // Help button and Help > Contents; Help > Index; About button and
    // Help > About (main_form_help.cpp).
    void btnHelpClick();
    void Index1Click();
    void btnAboutClick();
    void btnOpenMouseEnter(TFlatButton* button);
    void btnOpenMouseExit(TFlatButton* button);

    // --- code pane: change tracking, Save and auto-save (main_form_save.cpp) ---
    void Memo2Change();
    // Any key in the pane: its KeyDown, KeyPress and KeyUp.
    void Memo2KeyDown();
    void Memo2Exit();
    // Writes the pane's text to the current snippet; nothing without one.
    void btnSaveClick();
    bool Saving() const { return saving_; }

    // --- edit commands (main_form_edit.cpp) ---
    void btnCopyClick();
    void Undo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void SelectAll1Click();
    void TimeDate1Click();
    // Runs after Qt toggled the item's check: the pane follows the check.
    void Wordwrap1Click();
    void Edit2Click();
    void PopupMenu982Popup();

    // --- the code pane's font and colours (main_form_pane_look.cpp) ---
    void CodeWindow1Click();

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
    QAction* HighlightedBooklet1 = nullptr;
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
    QAction* SaveShortcut1 = nullptr;  // Ctrl+S, as the Save button

    QMenu* PopupMenu1 = nullptr;    // the tree's context menu
    QAction* AddCode1 = nullptr;    // its "New Code"
    QAction* AddCategory1 = nullptr;  // its "New Category"
    QAction* DeleteSelected1 = nullptr;
    QAction* ChangeTitle1 = nullptr;
    QAction* SavePopup1 = nullptr;  // its "Save" item
    QMenu* PopupMenu982 = nullptr;  // the code pane's context menu

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class TMainFormStoreHost;
    friend class TfrmOpt;  // its OK sets the in-memory options
    // Writes the window's placement under Options when Remember is on,
    // else deletes those keys.
    void SavePlacement(const std::string& settings);
    void FormCreate();
    void RegisterSchemes();
    void FormDestroy();
    void CreateMenus();
    void CreateToolBar();
    void CreatePanes();
    void ConnectHandlers();
    void ConnectPrintHandlers();
    // Prints nothing and says why in the status bar.
    void ShowNothingPrinted(const QString& reason);
    QAction* AddItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {});
    void FormResize();
    void MainMenu981Popup();
    void TreeView1GetFont(const TNodePaintInfo& info, QFont& font, QColor& colour) const;
    void ApplyTreeFontSize();
    void ShowCounts();
    void ShowSnippetSize();
    // Replaces the tree's nodes with the listing (nothing selected).
    void FillTree(const std::vector<TListedCategory>& listing);

    // --- following changes made elsewhere (main_form_watch.cpp) ---
    void WatchCurrentLibrary();
    void LibraryChangedElsewhere();
    void FollowTreeChanges();
    void FollowOpenSnippet();
    // Asks whether the user keeps their edit of a title another program
    // changed; true keeps it.
    bool KeepOwnEdit();
    // Before a save: true when the open title still exists, or when the
    // user agrees to recreate it after another program removed it.
    bool ConfirmSaveTarget();
    bool HasUnsavedEdit() const;
    void ReloadOpenSnippet(const std::string& text);
    static bool TitleExists(const std::string& library, const std::string& category,
                            const std::string& title);
    void ApplyPlacement(int left, int top, int width, int height);
    // The font dialog preset with `target`; on OK the choice is written
    // under `prefix` and `charsetKey` in Fonts and kept in `target`. True
    // when the user confirmed.
    bool ChooseTreeFont(TTreeFont& target, const char* prefix, const char* charsetKey);
    void ApplyMenuAnimation() const;
    void CreateCodePaneCommands();
    void SetUndoEnabled(bool on);
    void MarkChanged();
    // An auto-save failed and its edit is still in the pane: the tree does
    // not replace it with another title.
    bool KeepsUnsavedEdit() const;
    void SelectCurrentNode();
    void WatchCodePane();
    bool FilterCodePaneEvent(QEvent* event);
    void InsertAsOneStep(const std::string& text);
    void ApplyCodeWindowFont();
    void ApplyHighlightingSource();
    void ConnectTreeEditing();
    QAction* AddOpenItem(const std::string& title);
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
    bool saveFailed_ = false;  // the last save of the pane's text failed
    QObject* codePaneWatcher_ = nullptr;  // the pane's focus and shortcut filter
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
    std::optional<TTreeFont> codeFont_;  // the CodeWin keys, once a font was picked

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
    QActionGroup* openGroup_ = nullptr;  // the Open menu's library items
    std::string editOldName_;  // the label's text when its editing started
    QString hintSaved_;  // status panel 0 while a toolbar hint is shown
    TLibraryWatch* libraryWatch_ = nullptr;
    // The open snippet's text as the library held it when the pane last
    // took it: a change elsewhere is told from the user's own edits by it.
    std::string loadedText_;
    // While the window asks about a change made elsewhere: no auto-save and
    // no second question.
    bool askingAboutLibrary_ = false;
    std::unique_ptr<TPrintSetup> printSetup_;
};

}  // namespace tarnwick
