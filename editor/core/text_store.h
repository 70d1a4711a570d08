// TTextStore: owner of the chain of line records that holds an editor's
// text.
//
// The store only owns and links records; offsets, counts and the selection
// are kept by the model that owns the store (TCodeMemoModel). Destroying the
// store frees the whole chain: texts, token values, trackers and records.
#pragma once

#include "editor/core/line_rec.h"

namespace tarnwick {

class TTextStore {
public:
    TTextStore() = default;
    ~TTextStore();
    TTextStore(const TTextStore&) = delete;
    TTextStore& operator=(const TTextStore&) = delete;

    // The first and the last record, null for an empty text.
    TLineRec* First() const { return first_; }
    TLineRec* Last() const { return last_; }

    // Links `rec` (and the records already linked behind it, up to `last`)
    // after `after`, or at the head when `after` is null. Takes ownership.
    void LinkAfter(TLineRec* after, TLineRec* rec, TLineRec* last);
    // Unlinks the run of records [first, last] and gives it back to the
    // caller (who frees it) as a chain of its own.
    void Unlink(TLineRec* first, TLineRec* last);
    // Frees every record.
    void Clear();

private:
    TLineRec* first_ = nullptr;
    // Kept so that a look-up near the end of a long text need not walk from
    // its start.
    TLineRec* last_ = nullptr;
};

}  // namespace tarnwick
