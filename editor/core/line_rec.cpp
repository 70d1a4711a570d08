// Creation and release of line records.
#include "editor/core/line_rec.h"

#include <cstring>

namespace tarnwick {

void SetLineText(TLineRec& rec, std::string_view text)
{
    const size_t len = text.size() > kMaxRecordLen ? kMaxRecordLen : text.size();
    auto buffer = std::make_unique<char[]>(len + 1);
    if (len > 0)
        std::memcpy(buffer.get(), text.data(), len);
    buffer[len] = '\0';
    rec.Text = std::move(buffer);
    rec.Len = static_cast<uint16_t>(len);
    rec.Attrs.reset();
    rec.Flags = (rec.Flags & ~lfHasTab) | lfRepaint | lfRecolour;
    if (std::memchr(rec.Text.get(), '\t', len) != nullptr)
        rec.Flags |= lfHasTab;
}

TLineRec* NewLineRec(std::string_view text)
{
    auto rec = std::make_unique<TLineRec>();
    SetLineText(*rec, text);
    return rec.release();
}

void FreeLineRec(TLineRec* rec)
{
    delete rec;
}

}  // namespace tarnwick
