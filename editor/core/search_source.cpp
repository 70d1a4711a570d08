// The search character source: the one-buffer source and the piece cursor.
#include "editor/core/search_source.h"

#include <algorithm>

namespace tarnwick {

std::string TSearchSource::Extract(int64_t from, int64_t count) const
{
    const int64_t length = Length();
    from = std::clamp<int64_t>(from, 0, length);
    const int64_t to = std::clamp<int64_t>(from + std::max<int64_t>(count, 0), from, length);
    std::string out;
    out.reserve(static_cast<size_t>(to - from));
    while (from < to) {
        int64_t pieceStart = 0;
        const std::string_view piece = PieceAt(from, pieceStart);
        const int64_t inPiece = from - pieceStart;
        // A source that breaks its contract must not make us loop or overrun.
        if (piece.empty() || inPiece < 0 || inPiece >= static_cast<int64_t>(piece.size()))
            break;
        const int64_t take = std::min<int64_t>(to - from, static_cast<int64_t>(piece.size()) - inPiece);
        out.append(piece.substr(static_cast<size_t>(inPiece), static_cast<size_t>(take)));
        from += take;
    }
    return out;
}

std::string_view TStringSearchSource::PieceAt(int64_t /*offset*/, int64_t& pieceStart) const
{
    pieceStart = 0;
    return text_;
}

unsigned char TSourceCursor::Fetch(int64_t offset)
{
    if (offset < 0 || offset >= length_)
        return 0;
    int64_t pieceStart = 0;
    const std::string_view piece = source_.PieceAt(offset, pieceStart);
    const uint64_t inPiece = static_cast<uint64_t>(offset - pieceStart);
    if (inPiece >= piece.size())
        return 0;
    base_ = pieceStart;
    piece_ = piece;
    return static_cast<unsigned char>(piece_[inPiece]);
}

std::string_view TSourceCursor::PieceFrom(int64_t offset)
{
    if (offset < 0 || offset >= length_)
        return {};
    const uint64_t inPiece = static_cast<uint64_t>(offset - base_);
    if (inPiece >= piece_.size()) {
        Fetch(offset);
        if (static_cast<uint64_t>(offset - base_) >= piece_.size())
            return {};
    }
    return piece_.substr(static_cast<size_t>(offset - base_));
}

}  // namespace tarnwick
