// TCustomEdStream: a read-only character cursor over an editor's text, as
// the tokenizer, the keyword lookups and the template and auto-replace
// matchers walk it.
//
// Positions are character offsets (a line break is one stored CR), from 0 to
// TextLength(). The character at the position is Current(); at or beyond the
// end it reads as 0. The editor's stream over its line records derives from
// this class; TStringEdStream serves a text held in one buffer (tests, the
// command line, pure computations).
//
// The tokenizer reads every character of a text through this class, so the
// cursor keeps the piece of text that holds the position (a "chunk": one
// line record, or the whole buffer) and reads, advances and seeks within it
// without a virtual call; a derived class is asked for another chunk only
// when the position leaves the current one.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick {

class TCustomEdStream {
public:
    virtual ~TCustomEdStream() = default;

    int64_t TextLength() const { return length_; }
    int64_t Position() const { return pos_; }
    bool AtEnd() const { return pos_ >= length_; }

    // The character at the position; 0 at or beyond the end.
    unsigned char Current() const
    {
        const auto i = static_cast<uint64_t>(pos_ - chunkStart_);
        return i < chunkLen_ ? chunk_[i] : 0;
    }
    // Moves to `position`, clamped to 0..TextLength().
    void Seek(int64_t position)
    {
        pos_ = position < 0 ? 0 : (position > length_ ? length_ : position);
        if (static_cast<uint64_t>(pos_ - chunkStart_) >= chunkLen_)
            Locate();
    }
    // One character forward (not beyond the end).
    void Advance()
    {
        if (pos_ >= length_)
            return;
        ++pos_;
        if (static_cast<uint64_t>(pos_ - chunkStart_) >= chunkLen_)
            Locate();
    }
    // One character back; false (and no move) at the start of the text.
    bool StepBack()
    {
        if (pos_ <= 0)
            return false;
        --pos_;
        if (static_cast<uint64_t>(pos_ - chunkStart_) >= chunkLen_)
            Locate();
        return true;
    }
    // The character at `position` without moving; 0 outside the text.
    unsigned char CharAt(int64_t position)
    {
        if (position < 0 || position >= length_)
            return 0;
        const int64_t saved = pos_;
        Seek(position);
        const unsigned char c = Current();
        Seek(saved);
        return c;
    }

protected:
    // Makes the chunk the piece of text that holds the position (any piece,
    // or none, at the end of the text). It may shorten the text length when
    // it finds that the text ends earlier.
    virtual void Locate() = 0;

    // Sets the chunk: characters [start, start + length) at `text`.
    void SetChunk(const char* text, int64_t start, int64_t length)
    {
        chunk_ = reinterpret_cast<const unsigned char*>(text);
        chunkStart_ = start;
        chunkLen_ = length > 0 ? static_cast<uint64_t>(length) : 0;
    }

    int64_t length_ = 0;
    int64_t pos_ = 0;

private:
    const unsigned char* chunk_ = nullptr;
    int64_t chunkStart_ = 0;
    uint64_t chunkLen_ = 0;
};

// A stream over a text in one buffer; the view must outlive the stream.
class TStringEdStream final : public TCustomEdStream {
public:
    explicit TStringEdStream(std::string_view text, int64_t position = 0)
    {
        length_ = static_cast<int64_t>(text.size());
        SetChunk(text.data(), 0, length_);
        Seek(position);
    }

protected:
    void Locate() override {}
};

}  // namespace tarnwick
