// TCustomEdStream: a read-only character cursor over an editor's text, as
// the tokenizer, the keyword lookups and the template and auto-replace
// matchers walk it.
//
// Positions are character offsets (a line break is one stored CR), from 0 to
// TextLength(). The character at the position is Current(); at or beyond the
// end it reads as 0. The editor's stream over its line records derives from
// this class; TStringEdStream serves a text held in one buffer (tests, the
// command line, pure computations).
#pragma once

#include <cstdint>
#include <string_view>

namespace tarnwick {

class TCustomEdStream {
public:
    virtual ~TCustomEdStream() = default;

    virtual int64_t TextLength() const = 0;
    virtual int64_t Position() const = 0;
    // Moves to `position`, clamped to 0..TextLength().
    virtual void Seek(int64_t position) = 0;
    // The character at the position; 0 at or beyond the end.
    virtual unsigned char Current() const = 0;

    bool AtEnd() const { return Position() >= TextLength(); }
    // One character forward (not beyond the end).
    virtual void Advance() { Seek(Position() + 1); }
    // One character back; false (and no move) at the start of the text.
    virtual bool StepBack()
    {
        if (Position() <= 0)
            return false;
        Seek(Position() - 1);
        return true;
    }
    // The character at `position` without moving; 0 outside the text.
    unsigned char CharAt(int64_t position)
    {
        if (position < 0 || position >= TextLength())
            return 0;
        const int64_t saved = Position();
        Seek(position);
        const unsigned char c = Current();
        Seek(saved);
        return c;
    }
};

// A stream over a text in one buffer; the view must outlive the stream.
class TStringEdStream final : public TCustomEdStream {
public:
    explicit TStringEdStream(std::string_view text, int64_t position = 0) : text_(text)
    {
        TStringEdStream::Seek(position);
    }

    int64_t TextLength() const override { return static_cast<int64_t>(text_.size()); }
    int64_t Position() const override { return pos_; }
    void Seek(int64_t position) override
    {
        pos_ = position < 0 ? 0 : (position > TextLength() ? TextLength() : position);
    }
    unsigned char Current() const override
    {
        return pos_ < TextLength() ? static_cast<unsigned char>(text_[static_cast<size_t>(pos_)])
                                   : 0;
    }

private:
    std::string_view text_;
    int64_t pos_ = 0;
};

}  // namespace tarnwick
