// The mouse side of the caret model: the click counter, shift-click,
// drag-pending presses, triple-click line selection, mouse selection,
// double-click word selection, and dropping dragged text.
#include "editor/core/code_memo_guards.h"
#include "editor/core/code_memo_model.h"

#include "editor/core/memo_options.h"

namespace tarnwick {

// In caret-after-EOL mode the caret goes where the pointer is, even right
// of the line's end.
void TCodeMemoModel::FollowPointer(int64_t offset, int column)
{
    offset = Clamp(offset);
    pastEOL_ = false;
    MoveTo(offset, true);
    if (CaretAfterEOL() && column > CaretLineEndColumn()) {
        const TLineLoc at = FindLine(offset);
        // Only at a hard line end (or the text's end) is there virtual space.
        if (at.Rec != nullptr && offset - at.Start >= static_cast<int64_t>(at.Rec->TextLen()) &&
            (at.Rec->EndsWithCR() || at.Rec->Next == nullptr)) {
            pastEOL_ = true;
            desiredCol_ = std::min(column, static_cast<int>(kMaxRecordLen));
            RememberCaret();
        }
    }
}

TCodeMemoModel::TMouseAction TCodeMemoModel::MouseDown(const TMousePress& press)
{
    SyncCaretState();
    const int64_t offset = Clamp(press.Offset);
    const bool quick = clickCount_ != 4 && press.Time >= lastClickTime_ &&
                       press.Time - lastClickTime_ <= press.DoubleClickTime;
    // 1 -> 2 -> 3 -> 4 on quick presses; 4, or any slow press, starts at 1.
    clickCount_ = quick ? clickCount_ + 1 : 1;
    const int64_t line = FindLine(offset).Index;
    const bool sameLine = line == lastClickLine_;
    lastClickTime_ = press.Time;
    lastClickLine_ = line;
    dragPending_ = false;
    mouseSelecting_ = false;

    if (press.Shift) {
        // The end of the selection nearer the click moves there.
        const int64_t keep =
            std::abs(offset - anchor_) < std::abs(offset - caret_) ? caret_ : anchor_;
        SelectNoNotify(keep, caret_);
        FollowPointer(offset, press.Column);
        mouseSelecting_ = true;
        return maExtended;
    }
    if ((clickCount_ == 1 || clickCount_ == 4) && anchor_ != caret_ && offset >= SelStart() &&
        offset < SelEnd()) {
        dragPending_ = true;
        return maDragPending;
    }
    if (clickCount_ == 3 && sameLine) {
        if (press.TripleClickHandled)
            return maTripleClick;
        SelectLine(line);
        return maLineSelected;
    }
    SelectNoNotify(offset, offset);
    FollowPointer(offset, press.Column);
    mouseSelecting_ = true;
    return maPlaced;
}

void TCodeMemoModel::MouseMoveTo(int64_t offset, int column)
{
    if (mouseSelecting_)
        FollowPointer(offset, column);
}

void TCodeMemoModel::MouseUp(int64_t offset, int column)
{
    // A press inside the selection that never became a drag places the
    // caret where it was released.
    if (dragPending_) {
        SelectNoNotify(Clamp(offset), Clamp(offset));
        FollowPointer(offset, column);
    }
    dragPending_ = false;
    mouseSelecting_ = false;
}

bool TCodeMemoModel::DoubleClick()
{
    if ((Options & smoWordSelect) == 0 || clickCount_ == 3 || clickCount_ == 4)
        return false;
    SelectWord();
    mouseSelecting_ = false;
    return true;
}

void TCodeMemoModel::SelectLine(int64_t line)
{
    if (store_->First() == nullptr)
        return;
    const TLineLoc at = LineByIndex(line);
    pastEOL_ = false;
    SelectNoNotify(at.Start, at.Start);
    MoveTo(at.Start + at.Rec->Len, true);
}

int64_t TCodeMemoModel::GutterLineNumber(int64_t line) const
{
    int64_t number = 0;
    int64_t index = 0;
    for (const TLineRec* rec = store_->First(); rec != nullptr && index <= line;
         rec = rec->Next, ++index) {
        if (!rec->IsContinuation())
            ++number;
    }
    return std::max<int64_t>(number, 1);
}

bool TCodeMemoModel::DropText(int64_t offset, std::string_view text, bool moveFromSelf)
{
    offset = Clamp(offset);
    if (ReadOnly || text.empty())
        return false;
    const int64_t start = SelStart();
    const int64_t end = SelEnd();
    if (moveFromSelf && offset >= start && offset <= end && start != end)
        return false;
    {
        TUpdateGuard update(*this);
        TGroupGuard group(*this, ugDragDrop);
        if (moveFromSelf && start != end) {
            DeleteSelection();
            if (offset > end)
                offset -= end - start;
        }
        SelectNoNotify(offset, offset);
        InsertText(text);
    }
    PlaceCaret(caret_, false);
    return true;
}

void TCodeMemoModel::DragMoved()
{
    if (ReadOnly || anchor_ == caret_)
        return;
    {
        TUpdateGuard update(*this);
        TGroupGuard group(*this, ugDragDrop);
        DeleteSelection();
    }
    PlaceCaret(caret_, false);
}

}  // namespace tarnwick
