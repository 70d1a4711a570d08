// The editor's undo log: TStack, a list of costed items with a movable
// current position, and TUndoStack, the log of transactions and group
// boundaries that undo walks down and redo walks up.
//
// Layout of the log. A transaction is six entries, pushed in this order:
//   marker(code), range before, text removed, text or stream inserted,
//   range after, marker(code)
// with code 1 (replace the selection by a text) or 4 (by a stream's bytes).
// A group boundary is three entries: marker(group code, sub-kind), range,
// marker(same); sub-kind 2 opens a group, 3 closes it. Group codes are 11
// and up (see TUndoGroup).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tarnwick {

// Cost of one list node, counted on top of each item's own cost.
inline constexpr int64_t kStackNodeCost = 16;

class TStackItem {
public:
    virtual ~TStackItem() = default;
    virtual int64_t Cost() const = 0;
};

// Items in push order (bottom = oldest). The current position splits them:
// the Count() lowest are undoable, the ones above are redoable.
class TStack {
public:
    using TOnFree = std::function<void(TStackItem& item)>;

    TStack() = default;
    virtual ~TStack();
    TStack(const TStack&) = delete;
    TStack& operator=(const TStack&) = delete;

    // Drops every redoable item, then pushes `item` as the new top and
    // current item.
    void Push(std::unique_ptr<TStackItem> item);
    // The current item; the current position moves one down. Raises
    // ECodeMemo "Stack underflow" when nothing is below it.
    TStackItem& TakeDown();
    // The item above the current one, which becomes current. Raises
    // "Stack underflow" when the current item is the top.
    TStackItem& TakeUp();
    // Removes the bottom item (nothing when empty).
    void DropBottom();
    // Removes every item.
    void Clear();

    size_t Count() const { return current_; }        // undoable items
    size_t Size() const { return items_.size(); }    // all items
    bool AtTop() const { return current_ == items_.size(); }
    int64_t TotalCost() const { return cost_; }
    const TStackItem* Bottom() const { return items_.empty() ? nullptr : items_.front().get(); }
    // Called for each item just before it is released.
    void SetOnFree(TOnFree onFree) { onFree_ = std::move(onFree); }

private:
    void Release(std::unique_ptr<TStackItem>& item);

    std::deque<std::unique_ptr<TStackItem>> items_;
    size_t current_ = 0;
    int64_t cost_ = 0;
    TOnFree onFree_;
};

enum class TLogKind : uint8_t { Range = 0, Text = 1, Stream = 4, Marker = 5 };

// Transaction codes and marker sub-kinds.
inline constexpr int kTransText = 1;
inline constexpr int kTransStream = 4;
inline constexpr int kGroupBegin = 2;
inline constexpr int kGroupEnd = 3;

// Group codes: the editing operation a group brackets.
enum TUndoGroup : int {
    ugDragDrop = 11,
    ugTyping = 12,
    ugDelete = 13,
    ugPaste = 14,
    ugCut = 15,
    ugBlockIndent = 17,
    ugBlockUnindent = 18,
    ugDelPrevWord = 19,
    ugReplaceAll = 20,
    ugInsertText = 21,
    ugEnterIndent = 22,
};

// Cost counted for a stream entry on top of its bytes.
inline constexpr int64_t kStreamObjectCost = 32;

struct TLogEntry : TStackItem {
    TLogKind Kind = TLogKind::Range;
    int64_t A = 0;  // range: anchor; marker: code
    int64_t B = 0;  // range: caret; marker: sub-kind
    // Text entries: the text, or nothing for a null text. Stream entries:
    // the stream's bytes.
    std::optional<std::string> Bytes;

    int64_t Cost() const override;
};

struct TLogRange {
    int64_t Anchor = 0;
    int64_t Caret = 0;
};

class TUndoStack : public TStack {
public:
    TUndoStack() = default;

    // -1 = no limit (the default).
    int64_t CostLimit = -1;

    bool GroupOpen() const { return groupOpen_; }
    int GroupCode() const { return groupCode_; }

    // Pushes a begin boundary and opens the group; nothing if one is open.
    void OpenGroup(int code, TLogRange selection);
    // Pushes an end boundary and closes the group when `code` is the open
    // group's code; otherwise nothing.
    void CloseGroup(int code, TLogRange selection);
    // Pushes one transaction (code kTransText or kTransStream), then trims.
    void PushTransaction(int code, TLogRange before, std::optional<std::string> removed,
                         std::optional<std::string> inserted, TLogRange after);
    // While a limit is set and the total cost exceeds it, drops whole
    // transactions or boundaries from the bottom.
    void Trim();
    // Empties the log and closes any open group.
    void Reset();

    // Replay helpers: the entry taken must have the given kind, else
    // ECodeMemo "Bad do/undo stack state".
    TLogEntry& TakeDownAs(TLogKind kind);
    TLogEntry& TakeUpAs(TLogKind kind);

private:
    void PushEntry(TLogKind kind, int64_t a, int64_t b, std::optional<std::string> bytes = {});

    bool groupOpen_ = false;
    int groupCode_ = 0;
};

}  // namespace tarnwick
