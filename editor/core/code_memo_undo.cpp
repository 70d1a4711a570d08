// The text model's undo log: logging each replacement as a transaction,
// groups, and the replay that undo and redo run.
#include "editor/core/code_memo_model.h"

#include "editor/core/code_memo_errors.h"

#include <istream>
#include <iterator>

namespace tarnwick {

void TCodeMemoModel::FailLog()
{
    pending_.reset();
    if (undo_)
        undo_->Reset();
    if (OnBeep)
        OnBeep();
    throw ECodeMemo(kMsgBadTransaction);
}

void TCodeMemoModel::LogBegin(int code, std::string_view text)
{
    if (pending_)
        FailLog();
    pending_ = std::make_unique<TPending>();
    pending_->Code = code;
    pending_->Before = {anchor_, caret_};
    if (anchor_ != caret_) {
        const TLineLoc at = FindLine(SelStart());
        pending_->Removed = MakeWriter().Write(at.Rec, at.Start, SelStart(), SelEnd(), wkBareCR);
    }
    pending_->Inserted = std::string(text);
}

void TCodeMemoModel::LogEnd(int code)
{
    if (!pending_ || pending_->Code != code)
        FailLog();
    std::unique_ptr<TPending> done = std::move(pending_);
    undo_->PushTransaction(code, done->Before, std::move(done->Removed), std::move(done->Inserted),
                           {anchor_, caret_});
}

void TCodeMemoModel::ReplaceSelectionLogged(int code, std::string_view text)
{
    if (text.empty() && anchor_ == caret_)
        return;
    const bool log = logging_ && !replaying_ && undo_ != nullptr;
    if (log)
        LogBegin(code, text);
    try {
        RawDeleteSelection();
        RawInsertAtCaret(text);
    } catch (...) {
        // The change stopped half way; a later transaction must not find
        // this one pending.
        pending_.reset();
        throw;
    }
    if (log)
        LogEnd(code);
    MarkChanged(-1);
    FireChange();
}

void TCodeMemoModel::InsertStream(std::istream& stream)
{
    if (ReadOnly)
        return;
    const std::string bytes((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    ReplaceSelectionLogged(kTransStream, bytes);
}

void TCodeMemoModel::LogIndent(int64_t offset, std::string_view text)
{
    if (!logging_ || replaying_ || undo_ == nullptr || text.empty())
        return;
    const auto end = offset + static_cast<int64_t>(text.size());
    undo_->PushTransaction(kTransText, {offset, offset}, std::nullopt, std::string(text),
                           {end, end});
}

void TCodeMemoModel::LogUnindent(int64_t offset, std::string_view removed)
{
    if (!logging_ || replaying_ || undo_ == nullptr || removed.empty())
        return;
    // The removed characters themselves are kept (not blanks in their
    // place), so undo brings back TABs as TABs.
    undo_->PushTransaction(kTransText, {offset, offset + static_cast<int64_t>(removed.size())},
                           std::string(removed), std::nullopt, {offset, offset});
}

void TCodeMemoModel::BeginGroup(int code)
{
    if (logging_ && !replaying_ && undo_ != nullptr)
        undo_->OpenGroup(code, {anchor_, caret_});
}

void TCodeMemoModel::EndGroup(int code)
{
    if (logging_ && !replaying_ && undo_ != nullptr)
        undo_->CloseGroup(code, {anchor_, caret_});
}

bool TCodeMemoModel::Modified() const
{
    return undo_ != nullptr && undo_->Count() > 0;
}

void TCodeMemoModel::SetModified(bool value)
{
    if (!value)
        ClearUndo();
}

bool TCodeMemoModel::CanUndo() const
{
    return undo_ != nullptr && undo_->Count() > 0;
}

bool TCodeMemoModel::CanRedo() const
{
    return undo_ != nullptr && !undo_->AtTop();
}

void TCodeMemoModel::ClearUndo()
{
    pending_.reset();
    if (undo_)
        undo_->Reset();
}

std::unique_ptr<TUndoStack> TCodeMemoModel::ReplaceUndoStack(std::unique_ptr<TUndoStack> stack)
{
    pending_.reset();
    std::swap(stack, undo_);
    return stack;
}

void TCodeMemoModel::UndoStep(bool& groupMode)
{
    const TLogEntry close = undo_->TakeDownAs(TLogKind::Marker);
    const auto code = static_cast<int>(close.A);
    if (code >= ugDragDrop) {
        const TLogEntry range = undo_->TakeDownAs(TLogKind::Range);
        const TLogEntry open = undo_->TakeDownAs(TLogKind::Marker);
        if (open.A != close.A || open.B != close.B)
            throw ECodeMemo(kMsgBadStackState);
        if (close.B == kGroupEnd) {
            groupMode = true;
        } else if (close.B == kGroupBegin) {
            groupMode = false;
            SelectNoNotify(range.A, range.B);
        } else {
            throw ECodeMemo(kMsgBadStackState);
        }
        return;
    }
    if (code != kTransText && code != kTransStream)
        throw ECodeMemo(kMsgBadStackState);
    const TLogEntry after = undo_->TakeDownAs(TLogKind::Range);
    undo_->TakeDownAs(code == kTransStream ? TLogKind::Stream : TLogKind::Text);
    const TLogEntry& removed = undo_->TakeDownAs(TLogKind::Text);
    const std::string removedText = removed.Bytes.value_or(std::string());
    const TLogEntry before = undo_->TakeDownAs(TLogKind::Range);
    const TLogEntry open = undo_->TakeDownAs(TLogKind::Marker);
    if (open.A != close.A)
        throw ECodeMemo(kMsgBadStackState);
    // From the smaller end of the old selection: a selection made right to
    // left has its anchor at the far end of the replaced text.
    SelectNoNotify(std::min(before.A, before.B), after.B);
    RawDeleteSelection();
    RawInsertAtCaret(removedText);
    SelectNoNotify(before.A, before.B);
}

void TCodeMemoModel::RedoStep(bool& groupMode)
{
    const TLogEntry open = undo_->TakeUpAs(TLogKind::Marker);
    const auto code = static_cast<int>(open.A);
    if (code >= ugDragDrop) {
        const TLogEntry range = undo_->TakeUpAs(TLogKind::Range);
        const TLogEntry close = undo_->TakeUpAs(TLogKind::Marker);
        if (open.A != close.A || open.B != close.B)
            throw ECodeMemo(kMsgBadStackState);
        if (open.B == kGroupBegin) {
            groupMode = true;
        } else if (open.B == kGroupEnd) {
            groupMode = false;
            SelectNoNotify(range.A, range.B);
        } else {
            throw ECodeMemo(kMsgBadStackState);
        }
        return;
    }
    if (code != kTransText && code != kTransStream)
        throw ECodeMemo(kMsgBadStackState);
    const TLogEntry before = undo_->TakeUpAs(TLogKind::Range);
    undo_->TakeUpAs(TLogKind::Text);
    const TLogEntry& inserted =
        undo_->TakeUpAs(code == kTransStream ? TLogKind::Stream : TLogKind::Text);
    const std::string insertedText = inserted.Bytes.value_or(std::string());
    const TLogEntry after = undo_->TakeUpAs(TLogKind::Range);
    const TLogEntry close = undo_->TakeUpAs(TLogKind::Marker);
    if (open.A != close.A)
        throw ECodeMemo(kMsgBadStackState);
    SelectNoNotify(before.A, before.B);
    RawDeleteSelection();
    RawInsertAtCaret(insertedText);
    SelectNoNotify(after.A, after.B);
}

void TCodeMemoModel::Undo()
{
    if (!CanUndo() || ReadOnly)
        return;
    Replay(true);
}

void TCodeMemoModel::Redo()
{
    if (!CanRedo() || ReadOnly)
        return;
    Replay(false);
}

void TCodeMemoModel::Replay(bool backwards)
{
    const bool wasLogging = logging_;
    logging_ = false;
    replaying_ = true;
    BeginUpdate();
    try {
        bool groupMode = false;
        do {
            // A group still open at the end of the log ends the replay
            // there instead of running off the log.
            if (backwards ? undo_->Count() == 0 : undo_->AtTop())
                break;
            if (backwards)
                UndoStep(groupMode);
            else
                RedoStep(groupMode);
        } while (groupMode);
    } catch (const Exception&) {
        undo_->Reset();
        if (OnBeep)
            OnBeep();
    } catch (const std::bad_alloc&) {
        undo_->Reset();
        if (OnBeep)
            OnBeep();
    }
    logging_ = wasLogging;
    replaying_ = false;
    MarkChanged(-1);
    EndUpdate();
}

}  // namespace tarnwick
