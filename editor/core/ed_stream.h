// TEdStream: the read-only character stream over an editor's line records
// that the tokenizer, the keyword lookups and the template and auto-replace
// matchers walk.
//
// Positions are character offsets from the start of the text (a line break
// is the one stored CR at the end of its record); the stream runs across
// records, walking the chain forwards or backwards from where it stands, so
// the steps the tokenizer takes cost O(1). The character at the position is
// Current(), 0 at or beyond the end.
//
// It is also a standard byte stream: Read copies characters out, the
// three-origin Seek moves within 0..TextLength(), and Write raises
// EStreamError "Cannot write to a read-only stream".
//
// The records must stay unchanged while the stream is used; the stream does
// not own them. A text length larger than the chain holds is cut to what
// the chain holds the first time the stream reaches its end, so a wrong
// length can never make the stream read past the last record.
#pragma once

#include "editor/core/custom_ed_stream.h"
#include "editor/core/line_rec.h"
#include "platform/errors.h"

#include <cstddef>
#include <cstdint>

namespace tarnwick {

class TCodeMemoModel;

class EStreamError : public Exception {
public:
    using Exception::Exception;
};

enum TSeekOrigin { soFromBeginning, soFromCurrent, soFromEnd };

class TEdStream final : public TCustomEdStream {
public:
    // The text of the chain starting at `first` (null for an empty text),
    // `textLength` characters long.
    TEdStream(const TLineRec* first, int64_t textLength);
    // The model's whole text.
    explicit TEdStream(const TCodeMemoModel& model);

    // The record holding the position and the index in it (the last record
    // and its length at the end of the text; null for an empty text).
    const TLineRec* CurrentLine() const { return rec_; }
    int64_t IndexInLine() const { return pos_ - recStart_; }

    // Standard stream operations.
    // Copies up to `count` characters from the position and moves past
    // them; returns how many were copied.
    size_t Read(void* buffer, size_t count);
    using TCustomEdStream::Seek;
    // Moves relative to the origin, clamped to 0..TextLength(); returns the
    // new position.
    int64_t Seek(int64_t offset, TSeekOrigin origin);
    [[noreturn]] size_t Write(const void* buffer, size_t count);

protected:
    // Moves rec_/recStart_ so that rec_ holds the position (or is the last
    // record) and makes rec_ the chunk.
    void Locate() override;

private:
    const TLineRec* first_;
    const TLineRec* rec_;
    int64_t recStart_ = 0;
};

}  // namespace tarnwick
