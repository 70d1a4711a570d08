// The editor options dialog: the frame, the working copy and the pages.
#include "editor/options/options_dialog.h"

#include "chrome/prompt.h"
#include "editor/code_memo.h"
#include "editor/options/auto_correct_page.h"
#include "editor/options/highlight_page.h"
#include "editor/options/keys_page.h"
#include "editor/options/option_texts.h"
#include "editor/options/options_page.h"
#include "editor/options/scheme_swap.h"
#include "editor/options/templates_page.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarnwick {

namespace {

constexpr int kPreviewWidth = 720;

// A preview editor showing the scheme being edited.
TCodeMemo* MakePreview(TCustomCodeMemoParser& scheme, QWidget* parent)
{
    auto* preview = new TCodeMemo(parent);
    preview->setMinimumSize(360, 140);
    preview->SetParser(1, &scheme);
    preview->SetActiveParser(1);
    return preview;
}

}  // namespace

TOptionsDialog::TOptionsDialog(TCustomCodeMemoParser& scheme, TPrompt& prompt, TPropEdPages pages,
                               QWidget* parent)
    : QDialog(parent),
      swap_(std::make_unique<TSchemeSettingsSwap>(scheme)),
      prompt_(prompt),
      preview_(MakePreview(scheme, this)),
      templatePreview_(MakePreview(scheme, this)),
      tabs_(new QTabWidget(this))
{
    setWindowTitle(OptionText(sidOptionsCaption));
    const TOptionsContext context{Working(), *preview_, prompt_};
    preview_->hide();
    templatePreview_->hide();
    if ((pages & ppOPTIONS) != 0)
        tabs_->addTab(options_ = new TOptionsPage(context, tabs_), OptionText(sidPageOptions));
    if ((pages & ppHIGHLIGHTING) != 0) {
        highlight_ = new THighlightPage(context, tabs_);
        preview_->show();
        tabs_->addTab(highlight_, OptionText(sidPageHighlighting));
    }
    if ((pages & ppKEYS) != 0)
        tabs_->addTab(keys_ = new TKeysPage(context, tabs_), OptionText(sidPageKeys));
    if ((pages & ppAUTOCORRECT) != 0) {
        autoCorrect_ = new TAutoCorrectPage(context, tabs_);
        tabs_->addTab(autoCorrect_, OptionText(sidPageAutoCorrect));
    }
    if ((pages & ppTEMPLATES) != 0) {
        templates_ = new TTemplatesPage(context, *templatePreview_, tabs_);
        templatePreview_->show();
        tabs_->addTab(templates_, OptionText(sidPageTemplates));
    }

    // The Options page works through FEditor before its page has ever been
    // laid out (or when it is not shown at all); until then the preview
    // keeps a size of its own, so that its limits (the gutter at most a
    // fifth of its width) are those of a real preview.
    preview_->resize(kPreviewWidth, preview_->minimumHeight());

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(OptionText(sidOK), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(OptionText(sidCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &TOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TOptionsDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addWidget(tabs_);
    column->addWidget(buttons);
}

TOptionsDialog::~TOptionsDialog()
{
    // The previews leave the scheme before it gets its own settings back.
    preview_->SetParser(1, nullptr);
    templatePreview_->SetParser(1, nullptr);
    swap_.reset();
}

bool TOptionsDialog::Execute(TCustomCodeMemoParser& scheme, TPrompt& prompt, TPropEdPages pages,
                             QWidget* parent)
{
    TOptionsDialog dialog(scheme, prompt, pages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    dialog.Commit();
    return true;
}

TSM_Settings& TOptionsDialog::Working() { return swap_->Working(); }

void TOptionsDialog::accept()
{
    // A box still being typed in takes its value before anything is built.
    if (QWidget* focus = focusWidget())
        focus->clearFocus();
    if (keys_ != nullptr) {
        try {
            keys_->Apply();
        } catch (const EAmbigiousKeyPair& error) {
            prompt_.ShowMessage(AnsiToQt(error.Message()));
            return;
        }
    }
    QDialog::accept();
}

void TOptionsDialog::Commit() { swap_->Commit(); }

}  // namespace tarnwick
