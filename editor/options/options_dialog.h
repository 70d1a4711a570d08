// TOptionsDialog ("Editor Options"): edits the settings of one highlighting
// scheme on up to five pages — Options, Highlighting, Key assignments, Auto
// correct and Code templates.
//
// The dialog works on a working copy of the scheme's settings: while it is
// open the scheme holds the copy and serves only the dialog's two preview
// editors (FEditor on the Highlighting page, showing the scheme's example
// text, and the template preview on the Code Templates page), so every
// change shows in them at once. OK first builds the new key assignments;
// a collision shows the duplicate message and keeps the dialog open.
// Execute copies the working copy into the scheme only after OK; whatever
// happens, destroying the dialog gives the scheme back its own settings
// object and editor list.
#pragma once

#include "editor/options/options_context.h"
#include "editor/options/prop_ed_pages.h"

#include <QDialog>

#include <memory>

class QTabWidget;

namespace tarnwick {

class TAutoCorrectPage;
class TCustomCodeMemoParser;
class THighlightPage;
class TKeysPage;
class TOptionsPage;
class TSchemeSettingsSwap;
class TTemplatesPage;

class TOptionsDialog : public QDialog {
    Q_OBJECT
public:
    TOptionsDialog(TCustomCodeMemoParser& scheme, TPrompt& prompt,
                   TPropEdPages pages = ppAllPages, QWidget* parent = nullptr);
    ~TOptionsDialog() override;

    // Shows the dialog modally for `scheme`; after OK the scheme's settings
    // hold the edit and the answer is true. The caller re-applies the
    // scheme to its editors (and saves it where it keeps it).
    static bool Execute(TCustomCodeMemoParser& scheme, TPrompt& prompt,
                        TPropEdPages pages = ppAllPages, QWidget* parent = nullptr);

    // OK: builds the key assignments and closes with Accepted, or shows the
    // duplicate message and stays open.
    void accept() override;
    // Copies the working copy into the scheme's own settings object.
    void Commit();

    TSM_Settings& Working();
    QTabWidget* Tabs() { return tabs_; }
    TCodeMemo& Preview() { return *preview_; }
    TCodeMemo& TemplatePreview() { return *templatePreview_; }
    // Null for a page that is not shown.
    TOptionsPage* OptionsPage() { return options_; }
    THighlightPage* HighlightPage() { return highlight_; }
    TKeysPage* KeysPage() { return keys_; }
    TAutoCorrectPage* AutoCorrectPage() { return autoCorrect_; }
    TTemplatesPage* TemplatesPage() { return templates_; }

private:
    std::unique_ptr<TSchemeSettingsSwap> swap_;
    TPrompt& prompt_;
    TCodeMemo* preview_;
    TCodeMemo* templatePreview_;
    QTabWidget* tabs_;
    TOptionsPage* options_ = nullptr;
    THighlightPage* highlight_ = nullptr;
    TKeysPage* keys_ = nullptr;
    TAutoCorrectPage* autoCorrect_ = nullptr;
    TTemplatesPage* templates_ = nullptr;
};

}  // namespace tarnwick
