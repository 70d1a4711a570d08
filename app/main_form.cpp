// TMainForm, part 1: building the window (menus, toolbar, caption strip,
// panes, status bar), wiring the handlers, and the handlers that belong to the
// frame itself (resize rule, toolbar hints, tree fonts, exit).
#include "app/main_form.h"

#include "app/code_pane_host.h"
#include "app/printing/print_setup.h"
#include "chrome/ansi_text.h"
#include "chrome/prompt.h"
#include "chrome/toolbar_icons.h"
#include "editor/code_memo.h"
#include "editor/options/options_dialog.h"
#include "platform/profile.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLabel>
#include <QMenuBar>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

#include <cmath>
#include <stdexcept>

namespace tarnwick {

namespace {

constexpr double kButtonWidthFactor = 0.14082732346554017;
constexpr int kInitialTreeWidth = 152;

const std::vector<int> kStatusPanelWidths = {152, 189, 189};

}  // namespace

TMainForm::TMainForm(TPrompt& prompt, std::filesystem::path appFolder, QWidget* parent)
    : QMainWindow(parent), prompt_(prompt), appFolder_(std::move(appFolder))
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromLatin1(kCaption));
    resize(kInitialWidth, kInitialHeight);

    CreateMenus();
    CreateToolBar();
    CreatePanes();
    CreateSearchPanel();
    ConnectHandlers();
    CreateCodePaneCommands();

    // A fault during start-up (an unreadable language file, a main.ini that
    // cannot be written) is reported and the window opens all the same, with
    // whatever the sequence had set up until then.
    try {
        FormCreate();
    } catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
    }
    FormResize();
}

// The designed window exists by now (menus, toolbar, panes); this is the
// start-up sequence proper.
void TMainForm::FormCreate()
{
    // Lists and flags start empty and cleared (members); the application
    // folder came with the constructor.
    painted_ = false;
    saving_ = false;
    loading_ = true;
    dragArmed_ = false;
    LoadLanguageFile();
    dirty_ = false;
    // The caption strip sits at the top of the client panel (CreatePanes).
    libraryTitles_ = ProfileKeys(SettingsFile(), "Files");
    BuildOpenMenu();
    LoadSettings();
    RegisterSchemes();
    ApplyHighlightingSource();
    LoadCurrentScheme();
    ApplyCodeWindowFont();
}

TMainForm::~TMainForm()
{
    // The pane loses the focus while the window is taken apart: no
    // occasion to save any more.
    delete codePaneWatcher_;
    FormDestroy();
    // The pane outlives these members (Qt frees child widgets after them):
    // it lets go of the scheme objects first.
    for (int slot = 1; slot <= 3; ++slot)
        Memo1->Editor().SetParser(slot, nullptr);
}

// The code pane takes ActiveParser, Parser1 and Parser2 into its slots 1 to
// 3 and highlights with slot 1.
void TMainForm::RegisterSchemes()
{
    ActiveParser = std::make_unique<TCodeMemoParser>();
    Parser1 = std::make_unique<TCodeMemoParser>();
    Parser2 = std::make_unique<TCodeMemoParser>();
    LoadBuiltinScheme(*ActiveParser, false);
    LoadBuiltinScheme(*Parser1, true);
    MakeCustomLanguageScheme(*Parser2);
    TCodeMemo& editor = Memo1->Editor();
    editor.SetParser(1, ActiveParser.get());
    editor.SetParser(2, Parser1.get());
    editor.SetParser(3, Parser2.get());
    editor.SetActiveParser(1);
    // A scheme's edit-properties operation shows the editor options dialog.
    for (TCodeMemoParser* scheme : {ActiveParser.get(), Parser1.get(), Parser2.get()})
        scheme->OnShowOptionsDialog = [this](TCodeMemoParser& edited) {
            return TOptionsDialog::Execute(edited, prompt_, ppAllPages, this);
        };
}

void TMainForm::FormDestroy()
{
    // Leaving the program writes the options to main.ini and nothing else. A
    // failed write is reported; the window goes all the same.
    try {
        SaveSettings();
    } catch (const std::exception& error) {
        prompt_.ShowError(AnsiToQt(error.what()));
    }
}

QAction* TMainForm::AddItem(QMenu* menu, const QString& caption, const QKeySequence& shortcut)
{
    QAction* action = menu->addAction(caption);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

void TMainForm::CreateMenus()
{
    File1 = new TTitleStripMenu(QStringLiteral("&File"), this);
    File1->SetStripVisible(true);
    menuBar()->addMenu(File1);
    New1 = File1->addMenu(QStringLiteral("New"));
    File2 = AddItem(New1, QStringLiteral("File"));
    NewCategory1 = AddItem(New1, QStringLiteral("Category"));
    NewCode1 = AddItem(New1, QStringLiteral("Code"));
    Open1 = File1->addMenu(QStringLiteral("Open"));
    Import1 = AddItem(File1, QStringLiteral("Import"));
    File1->addSeparator();
    Pagesetup1 = AddItem(File1, QStringLiteral("Page setup"));
    Print1 = File1->addMenu(QStringLiteral("Print"));
    SelectedCode1 = AddItem(Print1, QStringLiteral("Selected Code"));
    Category2 = AddItem(Print1, QStringLiteral("Category"));
    All1 = AddItem(Print1, QStringLiteral("All"));
    File1->addSeparator();
    Exit1 = AddItem(File1, QStringLiteral("&Exit"));

    Edit2 = menuBar()->addMenu(QStringLiteral("&Edit"));
    Undo1 = AddItem(Edit2, QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    Cut1 = AddItem(Edit2, QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    Copy1 = AddItem(Edit2, QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    Paste1 = AddItem(Edit2, QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    Delete1 = AddItem(Edit2, QStringLiteral("De&lete"), QKeySequence(Qt::CTRL | Qt::Key_Delete));
    SelectAll1 = AddItem(Edit2, QStringLiteral("Select &All"));
    TimeDate1 = AddItem(Edit2, QStringLiteral("Time/&Date"), QKeySequence(Qt::Key_F5));
    Wordwrap1 = AddItem(Edit2, QStringLiteral("Word wrap"));
    Wordwrap1->setCheckable(true);
    Wordwrap1->setChecked(true);

    CreateSearchMenu();

    Options1 = menuBar()->addMenu(QStringLiteral("&Options"));
    Fonts1 = Options1->addMenu(QStringLiteral("Fonts"));
    CodeWindow1 = AddItem(Fonts1, QStringLiteral("Code window"));
    TreeviewWindow1 = AddItem(Fonts1, QStringLiteral("Treeview categories"));
    TreeViewtitles1 = AddItem(Fonts1, QStringLiteral("Treeview titles"));
    DefaultINIfile1 = AddItem(Options1, QStringLiteral("Other options"));

    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
    Contents1 = AddItem(Help1, QStringLiteral("Contents"));
    Index1 = AddItem(Help1, QStringLiteral("Index"));
    Help1->addSeparator();
    About1 = AddItem(Help1, QStringLiteral("About"));

    // The tree's context menu.
    PopupMenu1 = new QMenu(this);
    AddCode1 = AddItem(PopupMenu1, QStringLiteral("New Code"));
    AddCategory1 = AddItem(PopupMenu1, QStringLiteral("New Category"));
    PopupMenu1->addSeparator();
    DeleteSelected1 = AddItem(PopupMenu1, QStringLiteral("Delete Selected"));
    PopupMenu1->addSeparator();
    ChangeTitle1 = AddItem(PopupMenu1, QStringLiteral("Change Title"), QKeySequence(Qt::Key_F2));
    PopupMenu1->addSeparator();
    SavePopup1 = AddItem(PopupMenu1, QStringLiteral("Save"));
    PopupMenu1->addSeparator();
    connect(AddItem(PopupMenu1, QStringLiteral("Expand all nodes")), &QAction::triggered, this,
            &TMainForm::Expandallnodes1Click);
    connect(AddItem(PopupMenu1, QStringLiteral("Collapse all nodes")), &QAction::triggered, this,
            &TMainForm::Collapseallnodes1Click);

    // The code pane's context menu mirrors the Edit menu; it comes alive with
    // the editor control.
    PopupMenu982 = new QMenu(this);
    AddItem(PopupMenu982, QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    AddItem(PopupMenu982, QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    AddItem(PopupMenu982, QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    AddItem(PopupMenu982, QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    AddItem(PopupMenu982, QStringLiteral("Delete"), QKeySequence(Qt::Key_Delete));
    AddItem(PopupMenu982, QStringLiteral("Select &All"));
    AddItem(PopupMenu982, QStringLiteral("Time/Date"), QKeySequence(Qt::Key_F5));
    AddItem(PopupMenu982, QStringLiteral("&Wordwrap"));
    for (QAction* action : PopupMenu982->actions())
        action->setEnabled(false);

    // Work of later stages: the editor, the store, printing and the dialogs.
    for (QAction* action : {File2, NewCategory1, NewCode1, Undo1, Cut1, Copy1, Paste1, Delete1,
                            SelectAll1, TimeDate1, Wordwrap1, CodeWindow1,
                            SavePopup1})
        action->setEnabled(false);
}

void TMainForm::CreateToolBar()
{
    ToolBar1 = addToolBar(QStringLiteral("Toolbar"));
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    // Seven buttons of 14 % of the window's width fill the bar: no handle,
    // no gaps.
    ToolBar1->setMovable(false);
    ToolBar1->layout()->setSpacing(0);
    ToolBar1->layout()->setContentsMargins(0, 0, 0, 0);
    struct TButtonDef {
        TFlatButton** Button;
        const char* Caption;
        TToolbarPicture Picture;
    };
    const TButtonDef buttons[] = {
        {&btnOpen, "Open", TToolbarPicture::Open},
        {&btnCopy, "Copy", TToolbarPicture::Copy},
        {&btnDelete, "Delete", TToolbarPicture::Delete},
        {&btnSave, "Save", TToolbarPicture::Save},
        {&btnHelp, "Help", TToolbarPicture::Help},
        {&btnAbout, "About", TToolbarPicture::About},
        {&btnExit, "Exit", TToolbarPicture::Exit},
    };
    for (const TButtonDef& def : buttons) {
        auto* button = new TFlatButton(static_cast<int>(def.Picture), ToolBar1);
        button->setText(QString::fromLatin1(def.Caption));
        button->setIcon(ToolbarIcon(def.Picture));
        ToolBar1->addWidget(button);
        *def.Button = button;
    }
    for (TFlatButton* button : {btnCopy, btnDelete, btnSave})
        button->setEnabled(false);
}

void TMainForm::CreatePanes()
{
    auto* client = new QWidget(this);
    auto* layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The caption strip: one label over each pane.
    auto* panel3 = new QWidget(client);
    panel3->setObjectName(QStringLiteral("Panel3"));
    auto* strip = new QHBoxLayout(panel3);
    strip->setContentsMargins(2, 2, 2, 2);
    strip->setSpacing(0);
    Label1 = new QLabel(QStringLiteral("Categories/Titles"), panel3);
    Label2 = new QLabel(QStringLiteral("Code"), panel3);
    Label1->setFixedWidth(kInitialTreeWidth);
    strip->addWidget(Label1);
    strip->addWidget(Label2, 1);
    layout->addWidget(panel3);

    Splitter1 = new QSplitter(Qt::Horizontal, client);
    Splitter1->setChildrenCollapsible(false);
    TreeView1 = new TFontTreeView(Splitter1);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setContextMenuPolicy(Qt::CustomContextMenu);
    Memo1 = new TCodePaneHost(Splitter1);
    Memo1->setContextMenuPolicy(Qt::CustomContextMenu);
    Splitter1->addWidget(TreeView1);
    Splitter1->addWidget(Memo1);
    Splitter1->setStretchFactor(0, 0);
    Splitter1->setStretchFactor(1, 1);
    Splitter1->setSizes({kInitialTreeWidth, kInitialWidth - kInitialTreeWidth});
    layout->addWidget(Splitter1, 1);
    setCentralWidget(client);

    StatusBar1 = new TStatusBar(kStatusPanelWidths, this);
    setStatusBar(StatusBar1);
    StatusBar1->SetPanelText(0, wordCategories_);
    StatusBar1->SetPanelText(1, wordTitles_);
    StatusBar1->SetPanelText(2, wordCodeSize_);
}

void TMainForm::ConnectHandlers()
{
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(btnExit, &QToolButton::clicked, this, &TMainForm::Exit1Click);
    connect(btnOpen, &QToolButton::clicked, this, &TMainForm::btnOpenClick);
    connect(Import1, &QAction::triggered, this, &TMainForm::Import1Click);
    connect(TreeviewWindow1, &QAction::triggered, this, &TMainForm::TreeviewWindow1Click);
    connect(DefaultINIfile1, &QAction::triggered, this, &TMainForm::DefaultINIfile1Click);
    connect(TreeViewtitles1, &QAction::triggered, this, &TMainForm::TreeViewtitles1Click);
    connect(btnHelp, &QToolButton::clicked, this, &TMainForm::btnHelpClick);
    connect(Contents1, &QAction::triggered, this, &TMainForm::btnHelpClick);
    connect(Index1, &QAction::triggered, this, &TMainForm::Index1Click);
    connect(btnAbout, &QToolButton::clicked, this, &TMainForm::btnAboutClick);
    connect(About1, &QAction::triggered, this, &TMainForm::btnAboutClick);
    for (TFlatButton* button : {btnOpen, btnCopy, btnDelete, btnSave, btnHelp, btnAbout, btnExit}) {
        connect(button, &TFlatButton::MouseEnter, this, &TMainForm::btnOpenMouseEnter);
        connect(button, &TFlatButton::MouseLeave, this, &TMainForm::btnOpenMouseExit);
    }
    for (QMenu* menu : {static_cast<QMenu*>(File1), Edit2, Options1, Help1})
        connect(menu, &QMenu::aboutToShow, this, &TMainForm::MainMenu981Popup);
    connect(TreeView1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu1Popup();
        PopupMenu1->popup(TreeView1->viewport()->mapToGlobal(pos));
    });
    connect(Memo1, &QWidget::customContextMenuRequested, this, [this](const QPoint& pos) {
        PopupMenu982->popup(Memo1->mapToGlobal(pos));
    });
    connect(TreeView1, &QTreeWidget::itemClicked, this, &TMainForm::TreeView1Click);
    TreeView1->installEventFilter(this);
    // A category shows the open folder while expanded.
    connect(TreeView1, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) {
        if (TFontTreeView::NodeLevel(node) == 0)
            node->setIcon(0, treeImages_.CategoryIcon(true));
    });
    connect(TreeView1, &QTreeWidget::itemCollapsed, this, [this](QTreeWidgetItem* node) {
        if (TFontTreeView::NodeLevel(node) == 0)
            node->setIcon(0, treeImages_.CategoryIcon(false));
    });
    // Kept for SaveSettings, which runs once the window is hidden.
    connect(Splitter1, &QSplitter::splitterMoved, this,
            [this] { treeWidth_ = TreeView1->width(); });
    TreeView1->SetGetFont([this](const TNodePaintInfo& info, QFont& font, QColor& colour) {
        TreeView1GetFont(info, font, colour);
    });
    ConnectPrintHandlers();
    ConnectTreeEditing();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    // The strip label over the tree is as wide as the tree, however the
    // divider or the window moved.
    if (watched == TreeView1 && event->type() == QEvent::Resize)
        Label1->setFixedWidth(TreeView1->width());
    // A held key repeats its press but is released once. While a label is
    // being edited the editor has the focus, and its keys are its own.
    if (watched == TreeView1 && event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() && QApplication::focusWidget() == TreeView1)
            TreeView1KeyUp(key->key());
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TMainForm::FormResize()
{
    const int width = static_cast<int>(std::trunc(this->width() * kButtonWidthFactor));
    for (TFlatButton* button : {btnOpen, btnCopy, btnDelete, btnSave, btnHelp, btnAbout, btnExit})
        button->setFixedWidth(width);
}

void TMainForm::paintEvent(QPaintEvent* event)
{
    QMainWindow::paintEvent(event);
    painted_ = true;
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::MainMenu981Popup()
{
    SavePopup1->setEnabled(btnSave->isEnabled());
    ApplyMenuAnimation();
}

void TMainForm::ApplyMenuAnimation() const
{
    QApplication::setEffectEnabled(Qt::UI_AnimateMenu, animated_);
}

const std::string& TMainForm::LanguageString(size_t index) const
{
    if (index >= languageStrings_.size())
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
    return languageStrings_[index];
}

// --- toolbar hints ---

void TMainForm::btnOpenMouseEnter(TFlatButton* button)
{
    static const char* const kHints[] = {
        "Open a Tarnwick DAT file", "Copy current code", "Delete current entry",
        "Save current entry",       "View help file",    "About Tarnwick",
        "Exit Tarnwick",
    };
    hintSaved_ = StatusBar1->PanelText(0);
    const int tag = button->Tag();
    if (tag >= 0 && tag < static_cast<int>(std::size(kHints)))
        StatusBar1->SetPanelText(0, QString::fromLatin1(kHints[tag]));
}

void TMainForm::btnOpenMouseExit(TFlatButton* /*button*/)
{
    StatusBar1->SetPanelText(0, hintSaved_);
}

}  // namespace tarnwick
