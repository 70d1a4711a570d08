// Applying what the template, auto-replace and Replace All logic computed
// (they only compute, see macro_expansion.h and search.h) to the text, each
// as one undo step.
#include "editor/core/code_memo_guards.h"
#include "editor/core/code_memo_model.h"
#include "editor/core/macro_expansion.h"
#include "editor/core/search_replace.h"

namespace tarnwick {

void TCodeMemoModel::ApplyExpansion(const TExpansion& expansion)
{
    if (ReadOnly)
        return;
    TUpdateGuard update(*this);
    TGroupGuard group(*this, expansion.UndoGroup);
    SetSelection(expansion.ReplaceStart, expansion.ReplaceEnd);
    InsertText(expansion.Text);
    if (expansion.CaretAfter)
        SetSelection(*expansion.CaretAfter, *expansion.CaretAfter);
    ScrollCaretIntoView();
}

void TCodeMemoModel::ApplyReplaceEdits(const std::vector<TReplaceEdit>& edits)
{
    if (ReadOnly || edits.empty())
        return;
    TUpdateGuard update(*this);
    TGroupGuard group(*this, ugReplaceAll);
    // Each edit's offset moves by what the edits before it added or removed.
    int64_t shift = 0;
    int64_t lastEnd = 0;
    int64_t caret = -1;
    for (const TReplaceEdit& edit : edits) {
        const int64_t start = edit.Start + shift;
        if (edit.Start < lastEnd || edit.Length < 0 || start < 0 ||
            start + edit.Length > CharCount())
            continue;
        SetSelection(start, start + edit.Length);
        const int64_t before = CharCount();
        InsertText(edit.Text);
        const int64_t added = CharCount() - before;
        shift += added;
        lastEnd = edit.Start + edit.Length;
        caret = start + edit.Length + added;
    }
    if (caret >= 0) {
        SetSelection(caret, caret);
        ScrollCaretIntoView();
    }
}

}  // namespace tarnwick
