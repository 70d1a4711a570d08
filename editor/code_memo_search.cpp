// Find and replace on the control: the search message, the Find and Replace
// dialogs (created on first use, one open at a time), finding again,
// confirming each replacement and Replace All as one undo step. The search
// itself is TSearchEngine's; this file selects, asks and reports.
#include "editor/code_memo.h"

#include "chrome/ansi_text.h"
#include "editor/core/code_memo_guards.h"
#include "editor/core/model_search_source.h"
#include "chrome/wait_cursor.h"

#include <QLineEdit>

namespace tarnwick {

intptr_t TCustomCodeMemo::Search(uintptr_t flags, const char* text)
{
    const int searchFlags = static_cast<int>(flags);
    const std::string pattern = text != nullptr ? std::string(text) : std::string();
    if ((searchFlags & srchNoDialog) == 0) {
        ShowFindDialog(searchFlags, pattern);
        return 0;
    }
    request_.Text = AnsiToQt(pattern);
    request_.Flags = searchFlags & ~srchNoDialog;
    const TModelSearchSource source(model_);
    const TSearchOutcome outcome =
        search_.Search(source, request_.Flags, pattern, model_.SelStart(), model_.SelEnd());
    if (outcome.Failed()) {
        ShowExpressionError(outcome.ErrorText);
        return -1;
    }
    if (!outcome.Hit.Found())
        return -1;
    SelectHit(outcome.Hit);
    if ((request_.Flags & srchRegExpr) != 0)
        return reinterpret_cast<intptr_t>(&search_.Parser());
    return static_cast<intptr_t>(outcome.Hit.Start);
}

TSearchDialog* TCustomCodeMemo::SearchDialog(TSearchDialog::TKind kind)
{
    TSearchDialog*& dialog = kind == TSearchDialog::skFind ? findDialog_ : replaceDialog_;
    if (dialog == nullptr) {
        dialog = new TSearchDialog(kind, this);
        TSearchDialog* made = dialog;
        connect(made, &TSearchDialog::FindNextClicked, this, [this, made] {
            TakeDialogRequest(*made);
            FindNext();
        });
        connect(made, &TSearchDialog::ReplaceClicked, this, [this, made] {
            TakeDialogRequest(*made);
            Replace();
        });
        connect(made, &TSearchDialog::ReplaceAllClicked, this, [this, made] {
            TakeDialogRequest(*made);
            ReplaceAll();
        });
        // Closing keeps what the user set; the selection is hidden again as
        // it was once no dialog is open.
        connect(made, &QDialog::finished, this, [this, made] {
            TakeDialogRequest(*made);
            const bool open = (findDialog_ != nullptr && findDialog_->isVisible()) ||
                              (replaceDialog_ != nullptr && replaceDialog_->isVisible());
            if (!open) {
                model_.HideSelection = hideSelectionBefore_;
                RepaintAll();
            }
        });
    }
    return dialog;
}

void TCustomCodeMemo::OpenSearchDialog(TSearchDialog* dialog)
{
    TSearchDialog* other = dialog == findDialog_ ? replaceDialog_ : findDialog_;
    const bool otherOpen = other != nullptr && other->isVisible();
    if (!dialog->isVisible() && !otherOpen)
        hideSelectionBefore_ = model_.HideSelection;
    model_.HideSelection = false;
    if (otherOpen)
        other->hide();
    dialog->Load(request_);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->FindEdit()->setFocus();
    RepaintAll();
}

void TCustomCodeMemo::PresetRequest(int flags, const std::string& text)
{
    if (!text.empty()) {
        request_.Text = AnsiToQt(text);
    }
    else if ((flags & srchRegExpr) == 0 && model_.SelStart() < model_.SelEnd()) {
        // A multi-line selection gives its first line.
        std::string selected = model_.SelText();
        selected.resize(std::min(selected.size(), selected.find_first_of("\r\n")));
        if (!selected.empty())
            request_.Text = AnsiToQt(selected);
    }
    // The options a caller asks for are turned on; the others stay as the
    // user last left them.
    request_.Flags |= flags & (srchMatchCase | srchRegExpr);
}

void TCustomCodeMemo::ShowFindDialog(int flags, const std::string& text)
{
    PresetRequest(flags, text);
    OpenSearchDialog(SearchDialog(TSearchDialog::skFind));
}

void TCustomCodeMemo::ShowReplaceDialog(int flags)
{
    PresetRequest(flags, {});
    OpenSearchDialog(SearchDialog(TSearchDialog::skReplace));
}

void TCustomCodeMemo::TakeDialogRequest(const TSearchDialog& dialog)
{
    const TSearchRequest taken = dialog.Request();
    request_.Text = taken.Text;
    request_.Flags = taken.Flags;
    if (dialog.Kind() == TSearchDialog::skReplace)
        request_.Replacement = taken.Replacement;
}

std::string TCustomCodeMemo::SearchPattern() const
{
    return ImportedText(request_.Text);
}

void TCustomCodeMemo::SelectHit(const TSearchHit& hit)
{
    model_.SetSelection(hit.Start, hit.Start + hit.Length);
    ScrollCaretIntoView();
}

void TCustomCodeMemo::SearchFailed(const std::string& pattern)
{
    if (OnSearchFail) {
        OnSearchFail(pattern);
        return;
    }
    QWidget* dialog = replaceDialog_ != nullptr && replaceDialog_->isVisible() ? replaceDialog_
                                                                                : findDialog_;
    messages_.Message(dialog != nullptr && dialog->isVisible() ? dialog : this,
                      AnsiToQt(NotFoundText(pattern)));
}

void TCustomCodeMemo::ShowExpressionError(const std::string& text)
{
    messages_.ExpressionError(this, AnsiToQt(text));
}

bool TCustomCodeMemo::FindNext()
{
    const std::string pattern = SearchPattern();
    if (pattern.empty()) {
        ShowFindDialog();
        return false;
    }
    const TModelSearchSource source(model_);
    const TSearchOutcome outcome =
        search_.FindNext(source, request_.Flags, pattern, model_.SelStart(), model_.SelEnd());
    if (outcome.Failed()) {
        ShowExpressionError(outcome.ErrorText);
        return false;
    }
    if (!outcome.Hit.Found()) {
        SearchFailed(pattern);
        return false;
    }
    SelectHit(outcome.Hit);
    return true;
}

void TCustomCodeMemo::Replace()
{
    const std::string pattern = SearchPattern();
    if (pattern.empty() || model_.ReadOnly)
        return;
    const int flags = request_.Flags & ~srchBackwards;
    const std::string replacement = ImportedText(request_.Replacement);
    int64_t from = model_.SelStart();
    while (true) {
        const TModelSearchSource source(model_);
        const TSearchOutcome outcome = search_.Search(source, flags, pattern, from, from);
        if (outcome.Failed()) {
            ShowExpressionError(outcome.ErrorText);
            return;
        }
        if (!outcome.Hit.Found()) {
            SearchFailed(pattern);
            return;
        }
        const TSearchHit hit = outcome.Hit;
        SelectHit(hit);
        const std::string with = ExpandReplacement(replacement, search_.HitPositions(), source);
        QWidget* near = replaceDialog_ != nullptr && replaceDialog_->isVisible()
                            ? static_cast<QWidget*>(replaceDialog_)
                            : this;
        if (messages_.Confirm(near, AnsiToQt(ReplacePromptText(pattern, with)))) {
            {
                TGroupGuard group(model_, ugInsertText);
                model_.InsertText(with);
            }
            from = hit.Start + static_cast<int64_t>(with.size());
            // An empty hit replaced by nothing would be found again.
            if (hit.Length == 0 && with.empty())
                ++from;
        }
        else {
            from = hit.Start + std::max<int64_t>(hit.Length, 1);
        }
        if (from > model_.CharCount()) {
            SearchFailed(pattern);
            return;
        }
    }
}

void TCustomCodeMemo::ReplaceAll()
{
    const std::string pattern = SearchPattern();
    if (pattern.empty() || model_.ReadOnly)
        return;
    std::vector<TReplaceEdit> edits;
    try {
        const TModelSearchSource source(model_);
        edits = search_.ReplaceAll(source, request_.Flags, pattern,
                                   ImportedText(request_.Replacement), model_.SelStart());
    }
    catch (const ERegExpr& error) {
        ShowExpressionError(search_.ErrorBoxText(error, pattern));
        return;
    }
    if (edits.empty()) {
        SearchFailed(pattern);
        return;
    }
    TWaitCursor wait;
    model_.ApplyReplaceEdits(edits);
    ScrollCaretIntoView();
}

} // namespace tarnwick
