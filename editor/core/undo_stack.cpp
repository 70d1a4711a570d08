// The undo log's list and its transaction layout.
#include "editor/core/undo_stack.h"

#include "editor/core/code_memo_errors.h"

namespace tarnwick {

TStack::~TStack()
{
    Clear();
}

void TStack::Release(std::unique_ptr<TStackItem>& item)
{
    if (!item)
        return;
    cost_ -= kStackNodeCost + item->Cost();
    if (onFree_)
        onFree_(*item);
    item.reset();
}

void TStack::Push(std::unique_ptr<TStackItem> item)
{
    while (items_.size() > current_) {
        Release(items_.back());
        items_.pop_back();
    }
    cost_ += kStackNodeCost + item->Cost();
    items_.push_back(std::move(item));
    current_ = items_.size();
}

TStackItem& TStack::TakeDown()
{
    if (current_ == 0)
        throw ECodeMemo(kMsgStackUnderflow);
    --current_;
    return *items_[current_];
}

TStackItem& TStack::TakeUp()
{
    if (current_ >= items_.size())
        throw ECodeMemo(kMsgStackUnderflow);
    return *items_[current_++];
}

void TStack::DropBottom()
{
    if (items_.empty())
        return;
    Release(items_.front());
    items_.pop_front();
    if (current_ > 0)
        --current_;
}

void TStack::Clear()
{
    while (!items_.empty()) {
        Release(items_.back());
        items_.pop_back();
    }
    current_ = 0;
    cost_ = 0;
}

int64_t TLogEntry::Cost() const
{
    switch (Kind) {
    case TLogKind::Text:
        return 16 + (Bytes ? static_cast<int64_t>(Bytes->size()) : 0);
    case TLogKind::Stream:
        return 16 + (Bytes ? static_cast<int64_t>(Bytes->size()) : 0) + kStreamObjectCost;
    default:
        return 16;
    }
}

void TUndoStack::PushEntry(TLogKind kind, int64_t a, int64_t b, std::optional<std::string> bytes)
{
    auto entry = std::make_unique<TLogEntry>();
    entry->Kind = kind;
    entry->A = a;
    entry->B = b;
    entry->Bytes = std::move(bytes);
    Push(std::move(entry));
}

void TUndoStack::OpenGroup(int code, TLogRange selection)
{
    if (groupOpen_)
        return;
    groupOpen_ = true;
    groupCode_ = code;
    PushEntry(TLogKind::Marker, code, kGroupBegin);
    PushEntry(TLogKind::Range, selection.Anchor, selection.Caret);
    PushEntry(TLogKind::Marker, code, kGroupBegin);
}

void TUndoStack::CloseGroup(int code, TLogRange selection)
{
    if (!groupOpen_ || groupCode_ != code)
        return;
    PushEntry(TLogKind::Marker, code, kGroupEnd);
    PushEntry(TLogKind::Range, selection.Anchor, selection.Caret);
    PushEntry(TLogKind::Marker, code, kGroupEnd);
    groupOpen_ = false;
}

void TUndoStack::PushTransaction(int code, TLogRange before, std::optional<std::string> removed,
                                 std::optional<std::string> inserted, TLogRange after)
{
    PushEntry(TLogKind::Marker, code, 0);
    PushEntry(TLogKind::Range, before.Anchor, before.Caret);
    PushEntry(TLogKind::Text, 0, 0, std::move(removed));
    PushEntry(code == kTransStream ? TLogKind::Stream : TLogKind::Text, 0, 0, std::move(inserted));
    PushEntry(TLogKind::Range, after.Anchor, after.Caret);
    PushEntry(TLogKind::Marker, code, 0);
    Trim();
}

void TUndoStack::Trim()
{
    if (CostLimit < 0)
        return;
    while (TotalCost() > CostLimit && Size() > 0) {
        // A whole transaction or boundary: its opening marker, the entries
        // inside and its closing marker.
        int markers = 0;
        while (Size() > 0 && markers < 2) {
            const auto* bottom = dynamic_cast<const TLogEntry*>(Bottom());
            if (bottom == nullptr || bottom->Kind == TLogKind::Marker)
                ++markers;
            DropBottom();
        }
    }
}

void TUndoStack::Reset()
{
    Clear();
    groupOpen_ = false;
    groupCode_ = 0;
}

TLogEntry& TUndoStack::TakeDownAs(TLogKind kind)
{
    auto* entry = dynamic_cast<TLogEntry*>(&TakeDown());
    if (entry == nullptr || entry->Kind != kind)
        throw ECodeMemo(kMsgBadStackState);
    return *entry;
}

TLogEntry& TUndoStack::TakeUpAs(TLogKind kind)
{
    auto* entry = dynamic_cast<TLogEntry*>(&TakeUp());
    if (entry == nullptr || entry->Kind != kind)
        throw ECodeMemo(kMsgBadStackState);
    return *entry;
}

}  // namespace tarnwick
