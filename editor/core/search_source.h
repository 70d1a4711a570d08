// The text a search runs over, as the plain and regular-expression searchers
// see it: stored characters addressed by character offset (a line break is one
// CR), delivered in contiguous pieces.
//
// The editor keeps its text in line records of at most 2047 characters; it
// implements TSearchSource by handing out one record's characters per piece.
// Callers that hold the whole text in one buffer (the command line, the
// benchmarks, tests) use TStringSearchSource, which is one piece, so the
// searchers run over a plain array.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

class TSearchSource {
public:
    virtual ~TSearchSource() = default;

    // Number of stored characters.
    virtual int64_t Length() const = 0;

    // The contiguous piece holding the character at `offset`, for
    // 0 <= offset < Length(); `pieceStart` receives the offset of the piece's
    // first character. The piece is never empty and stays valid until the
    // text changes. Searchers never ask for an offset outside 0..Length()-1.
    virtual std::string_view PieceAt(int64_t offset, int64_t& pieceStart) const = 0;

    // Characters [from, from + count), clamped to the text.
    std::string Extract(int64_t from, int64_t count) const;
};

// The whole text in one buffer; the view must outlive the source.
class TStringSearchSource final : public TSearchSource {
public:
    explicit TStringSearchSource(std::string_view text) : text_(text) {}
    int64_t Length() const override { return static_cast<int64_t>(text_.size()); }
    std::string_view PieceAt(int64_t offset, int64_t& pieceStart) const override;

private:
    std::string_view text_;
};

// Reads characters of a source one at a time, keeping the current piece so
// that a run of nearby reads costs one range check each. Offsets outside the
// text read as NUL, which stored text never holds.
class TSourceCursor {
public:
    explicit TSourceCursor(const TSearchSource& source)
        : source_(source), length_(source.Length()) {}

    int64_t Length() const { return length_; }

    unsigned char At(int64_t offset)
    {
        const uint64_t inPiece = static_cast<uint64_t>(offset - base_);
        if (inPiece < piece_.size())
            return static_cast<unsigned char>(piece_[inPiece]);
        return Fetch(offset);
    }

    // The rest of the current piece from `offset` on (loads the piece that
    // holds it); empty when offset is outside the text.
    std::string_view PieceFrom(int64_t offset);

private:
    unsigned char Fetch(int64_t offset);

    const TSearchSource& source_;
    int64_t length_;
    int64_t base_ = 0;
    std::string_view piece_;
};

}  // namespace tarnwick
