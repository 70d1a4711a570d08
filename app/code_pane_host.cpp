#include "app/code_pane_host.h"

#include "editor/code_memo.h"
#include "editor/core/memo_options.h"
#include "editor/core/sm_colors.h"

#include <QVBoxLayout>

namespace tarnwick {

namespace {

// The control settings the window is designed with: right margin at column
// 80, tab width 4, indent step 1, margin 8, gutter shown in yellow, selected
// text white on blue, and the options below. A scheme attached later brings
// its own settings object; these are the control's private ones.
constexpr uint32_t kInitialOptions =
    smoSyntaxHighlight | smoPrintWrap | smoPrintLineNos | smoPrintFilename | smoPrintDate |
    smoPrintPageNos | smoAutoIndent | smoTabToColumn | smoWordSelect | smoShowRMargin |
    smoShowGutter | smoShowWrapColumn | smoTitleAsFilename | smoProcessDroppedFiles |
    smoBlockOverwriteCursor | smoShowWrapGlyph | smoColumnTrack | smoUseTAB | smoSmartFill |
    smoOLEDragSource;
constexpr TColor kYellow = 0x00FFFF;
constexpr TColor kBlue = 0xFF0000;

void ApplyInitialSettings(TCodeMemo& memo)
{
    TSM_Settings& settings = memo.Settings();
    settings.RightMargin = 80;
    settings.SetTabDefault(4);
    settings.IndentStep = 1;
    settings.GutterColor = kYellow;
    settings.GutterColorDefault = 0;
    settings.SelTextColor = clWhite;
    settings.SelTextBack = kBlue;
    settings.SelTextColorDefault = 0;
    settings.SelTextBackDefault = 0;
    settings.WrapAtColumn = 0;
    settings.Options = kInitialOptions;
    memo.ReloadSettings();
    memo.SetMargin(8);
}

}  // namespace

TCodePaneHost::TCodePaneHost(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Memo1"));
    setMinimumWidth(50);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new TCodeMemo(this);
    ApplyInitialSettings(*view_);
    // The pane's own context menu belongs to the window.
    view_->setContextMenuPolicy(Qt::NoContextMenu);
    layout->addWidget(view_);
    setFocusProxy(view_);
}

void TCodePaneHost::SetText(std::string_view text)
{
    view_->SetText(text);
}

void TCodePaneHost::Clear()
{
    view_->SetText({});
}

std::string TCodePaneHost::Text() const
{
    return view_->Text();
}

int64_t TCodePaneHost::TextLength() const
{
    return view_->Model().TextLengthCRLF();
}

bool TCodePaneHost::Modified() const
{
    return view_->Modified();
}

int64_t TCodePaneHost::LineCount() const
{
    return view_->LineCount();
}

QWidget* TCodePaneHost::View() const
{
    return view_;
}

}  // namespace tarnwick
