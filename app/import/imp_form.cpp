// TfrmImp, part 1: the controls, the menus, the captions from the language
// file, the word-wrap boxes, OK and Cancel.
#include "app/import/imp_form.h"

#include "app/import/import_trees.h"
#include "app/language_file.h"
#include "app/tree_images.h"
#include "chrome/ansi_text.h"
#include "chrome/flat_button.h"
#include "chrome/prompt.h"
#include "chrome/status_bar.h"
#include "editor/code_memo.h"
#include "editor/core/memo_options.h"
#include "library/library_format.h"

#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace tarnwick {

namespace {

const std::vector<int> kStatusPanelWidths = {110, 440};
constexpr int kButtonWidth = 72;

// A preview shows a text, nothing more: no gutter, no margin lines.
constexpr uint32_t kPreviewHidden = smoShowGutter | smoShowRMargin | smoShowWrapColumn;

TCodeMemo* NewPreview(QWidget* parent, const char* name)
{
    auto* memo = new TCodeMemo(parent);
    memo->setObjectName(QLatin1String(name));
    memo->Model().ReadOnly = true;
    memo->setContextMenuPolicy(Qt::NoContextMenu);
    memo->Settings().WrapAtColumn = 0;
    memo->SetOptions(memo->Options() & ~kPreviewHidden);
    return memo;
}

QString FileNameText(const std::string& name)
{
    return QFile::decodeName(QByteArray::fromStdString(name));
}

}  // namespace

TfrmImp::TfrmImp(TPrompt& prompt, const TTreeImages& images, TImportSetup setup,
                 TImportList& importList, QWidget* parent)
    : QDialog(parent),
      prompt_(prompt),
      images_(images),
      setup_(std::move(setup)),
      importList_(importList)
{
    setObjectName(QStringLiteral("frmImp"));
    setWindowTitle(QStringLiteral("Import"));
    resize(kWidth, kHeight);
    CreateControls();
    CreateMenus();
    ConnectHandlers();
    FormCreate();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TfrmImp::~TfrmImp() = default;

void TfrmImp::CreateControls()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* toolBar = new QHBoxLayout;
    toolBar->setContentsMargins(4, 2, 4, 2);
    const struct {
        TFlatButton** Button;
        const char* Name;
        const char* Caption;
        QStyle::StandardPixmap Icon;
    } buttons[] = {
        {&btnOK, "btnOK", "&OK", QStyle::SP_DialogOkButton},
        {&btnUndo, "btnUndo", "&Undo", QStyle::SP_ArrowBack},
        {&btnCancel, "btnCancel", "&Cancel", QStyle::SP_DialogCancelButton},
    };
    int tag = 0;
    for (const auto& def : buttons) {
        auto* button = new TFlatButton(tag++, this);
        button->setObjectName(QLatin1String(def.Name));
        button->setText(QLatin1String(def.Caption));
        button->setIcon(style()->standardIcon(def.Icon));
        button->setFixedWidth(kButtonWidth);
        toolBar->addWidget(button);
        *def.Button = button;
    }
    Label10 = new QLabel(QStringLiteral("Press F2 to rename the selected item"), this);
    Label10->setObjectName(QStringLiteral("Label10"));
    toolBar->addSpacing(12);
    toolBar->addWidget(Label10, 1);
    layout->addLayout(toolBar);

    auto* panes = new QHBoxLayout;
    panes->setContentsMargins(4, 0, 4, 4);
    GroupBox1 = new QGroupBox(QStringLiteral("Source"), this);
    GroupBox2 = new QGroupBox(QStringLiteral("Destination"), this);
    TreeView2 = new TImportSourceTree(GroupBox1);
    TreeView2->setObjectName(QStringLiteral("TreeView2"));
    Memo1 = NewPreview(GroupBox1, "Memo1");
    CheckBox1 = new QCheckBox(QStringLiteral("Wordwrap"), GroupBox1);
    TreeView1 = new TImportDestinationTree(GroupBox2);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    Memo2 = NewPreview(GroupBox2, "Memo2");
    CheckBox2 = new QCheckBox(QStringLiteral("WordWrap"), GroupBox2);
    const struct {
        QGroupBox* Box;
        QTreeWidget* Tree;
        TCodeMemo* Memo;
        QCheckBox* Wrap;
    } columns[] = {{GroupBox1, TreeView2, Memo1, CheckBox1}, {GroupBox2, TreeView1, Memo2, CheckBox2}};
    for (const auto& column : columns) {
        auto* box = new QVBoxLayout(column.Box);
        box->setContentsMargins(4, 4, 4, 4);
        box->addWidget(column.Tree, 3);
        box->addWidget(column.Memo, 2);
        box->addWidget(column.Wrap);
        panes->addWidget(column.Box, 1);
        // Both previews start wrapping with both scroll bars shown, while
        // their boxes start unchecked.
        column.Memo->SetWordWrap(true);
    }
    layout->addLayout(panes, 1);

    FriendlyStatusBar2 = new TStatusBar(kStatusPanelWidths, this);
    FriendlyStatusBar2->setObjectName(QStringLiteral("FriendlyStatusBar2"));
    FriendlyStatusBar2->SetPanelText(0, QStringLiteral("Source file"));
    FriendlyStatusBar1 = new TStatusBar(kStatusPanelWidths, this);
    FriendlyStatusBar1->setObjectName(QStringLiteral("FriendlyStatusBar1"));
    FriendlyStatusBar1->SetPanelText(0, QStringLiteral("Destination file"));
    layout->addWidget(FriendlyStatusBar2);
    layout->addWidget(FriendlyStatusBar1);
}

void TfrmImp::CreateMenus()
{
    MainMenu1 = new QMenuBar(this);
    layout()->setMenuBar(MainMenu1);
    File1 = MainMenu1->addMenu(QStringLiteral("&File"));
    Save1 = File1->addAction(QStringLiteral("Save and Close"));
    Save1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    File1->addSeparator();
    Cancel1 = File1->addAction(QStringLiteral("Cancel"));
    Cancel1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    Edit1 = MainMenu1->addMenu(setup_.EditCaption);
    Copy1 = Edit1->addAction(setup_.CopyCaption);
    Copy1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    Delete1 = Edit1->addAction(setup_.UndoCaption);
    Delete1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    Rename1 = Edit1->addAction(QStringLiteral("Rename"));
    Rename1->setShortcut(QKeySequence(Qt::Key_F2));
}

void TfrmImp::ConnectHandlers()
{
    connect(btnOK, &QToolButton::clicked, this, &TfrmImp::btnOKClick);
    connect(btnUndo, &QToolButton::clicked, this, &TfrmImp::btnUndoClick);
    connect(btnCancel, &QToolButton::clicked, this, &TfrmImp::btnCancelClick);
    connect(Save1, &QAction::triggered, this, &TfrmImp::Save1Click);
    connect(Cancel1, &QAction::triggered, this, &TfrmImp::Cancel1Click);
    connect(Copy1, &QAction::triggered, this, &TfrmImp::Copy1Click);
    connect(Delete1, &QAction::triggered, this, &TfrmImp::Delete1Click);
    connect(Rename1, &QAction::triggered, this, &TfrmImp::Rename1Click);
    connect(CheckBox1, &QCheckBox::clicked, this, &TfrmImp::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::clicked, this, &TfrmImp::CheckBox2Click);
    connect(TreeView2, &QTreeWidget::itemClicked, this, &TfrmImp::TreeView2Click);
    connect(TreeView2, &TImportSourceTree::KeyReleased, this, &TfrmImp::TreeView2KeyUp);
    connect(TreeView2, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* node) {
        if (node == renaming_)
            TreeView2Edited(node);
    });
    connect(TreeView1, &QTreeWidget::itemClicked, this, &TfrmImp::TreeView1Click);
    connect(TreeView1, &TImportDestinationTree::KeyReleased, this, &TfrmImp::TreeView1KeyUp);
    connect(TreeView1, &TImportDestinationTree::Dropped, this, &TfrmImp::TreeView1DragDrop);
    connect(TreeView1, &QTreeWidget::itemExpanded, this, &TfrmImp::TreeView1Expanded);
    connect(TreeView1, &QTreeWidget::itemCollapsed, this, &TfrmImp::TreeView1Collapsed);
}

void TfrmImp::FormCreate()
{
    SetCaptions();
    okFlag_ = false;
    FillTree(*TreeView2, setup_.SourceIndex);
    FillTree(*TreeView1, setup_.DestinationIndex);
    FriendlyStatusBar2->SetPanelText(1, FileNameText(DataFileName(setup_.SourceIndex)));
    FriendlyStatusBar1->SetPanelText(1, FileNameText(DataFileName(setup_.DestinationIndex)));
}

// Without a language file the captions of the design stay.
void TfrmImp::SetCaptions()
{
    const std::optional<TLanguageFile> file = TLanguageFile::Load(setup_.LanguageFile);
    if (!file)
        return;
    const auto text = [&](const char* section, const char* key, const char* def) {
        return AnsiToQt(file->Read(section, key, def));
    };
    btnCancel->setText(text("Buttons", "Cancel", "Cancel"));
    btnOK->setText(text("Buttons", "OK", "&OK"));
    btnUndo->setText(text("Buttons", "Undo", "&Undo"));
    File1->setTitle(text("Menus", "File", "&File"));
    Save1->setText(text("Menus", "impSaveClose", "Save and Close"));
    Cancel1->setText(text("Menus", "Cancel", "Cancel"));
    Rename1->setText(text("Menus", "Rename", "Rename"));
    const QString wrap = text("Labels", "ImportlblWrap", "Wordwrap");
    CheckBox1->setText(wrap);
    CheckBox2->setText(wrap);
    const QString destination = text("Labels", "ImportlblDest", "Destination");
    GroupBox2->setTitle(destination);
    FriendlyStatusBar1->SetPanelText(0, destination + QStringLiteral(" file"));
    const QString source = text("Labels", "ImportlblSource", "Source");
    GroupBox1->setTitle(source);
    FriendlyStatusBar2->SetPanelText(0, source + QStringLiteral(" file"));
}

void TfrmImp::SetWrap(TCodeMemo& memo, bool wrap)
{
    memo.SetWordWrap(wrap);
    memo.setHorizontalScrollBarPolicy(wrap ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAlwaysOn);
}

void TfrmImp::CheckBox1Click()
{
    SetWrap(*Memo1, CheckBox1->isChecked());
}

void TfrmImp::CheckBox2Click()
{
    SetWrap(*Memo2, CheckBox2->isChecked());
}

void TfrmImp::ShowMessage(const std::string& text)
{
    prompt_.ShowMessage(AnsiToQt(text));
}

void TfrmImp::btnOKClick()
{
    okFlag_ = true;
    accept();
}

void TfrmImp::btnCancelClick()
{
    importList_.clear();
    okFlag_ = false;
    reject();
}

}  // namespace tarnwick
