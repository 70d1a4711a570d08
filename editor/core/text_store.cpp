// The record chain's ownership and linking.
#include "editor/core/text_store.h"

namespace tarnwick {

TTextStore::~TTextStore()
{
    Clear();
}

void TTextStore::LinkAfter(TLineRec* after, TLineRec* rec, TLineRec* last)
{
    TLineRec* next = after != nullptr ? after->Next : first_;
    rec->Prev = after;
    last->Next = next;
    if (next != nullptr)
        next->Prev = last;
    else
        last_ = last;
    if (after != nullptr)
        after->Next = rec;
    else
        first_ = rec;
}

void TTextStore::Unlink(TLineRec* first, TLineRec* last)
{
    if (first->Prev != nullptr)
        first->Prev->Next = last->Next;
    else
        first_ = last->Next;
    if (last->Next != nullptr)
        last->Next->Prev = first->Prev;
    else
        last_ = first->Prev;
    first->Prev = nullptr;
    last->Next = nullptr;
}

void TTextStore::Clear()
{
    TLineRec* rec = first_;
    first_ = nullptr;
    last_ = nullptr;
    while (rec != nullptr) {
        TLineRec* next = rec->Next;
        FreeLineRec(rec);
        rec = next;
    }
}

}  // namespace tarnwick
