// Little-endian binary streams for the settings block of a compiled scheme
// and for copying the editor's streamable objects (key assignments, keyword
// lists, templates, auto-replace entries, settings) through memory.
//
// TSMStreamWriter appends to a byte string. TSMStreamReader reads from a
// byte view and never reads past it: every value, length and count is
// checked against the bytes that remain, and a shortfall raises EReadError
// ("Stream read error") with the reader's position unspecified. Counts are
// checked against the smallest possible size of an item, so a forged count
// can never make a reader reserve or loop beyond what the input could hold.
#pragma once

#include "editor/core/state_set.h"
#include "platform/errors.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

class EReadError : public Exception {
public:
    EReadError() : Exception("Stream read error") {}
};

class TSMStreamWriter {
public:
    explicit TSMStreamWriter(std::string& out) : out_(out) {}

    void U8(uint8_t value) { out_.push_back(static_cast<char>(value)); }
    void U16(uint16_t value);
    void I32(int32_t value);
    // 1-byte length, then the characters; a text longer than 255 characters
    // is cut to its first 255.
    void ShortString(std::string_view text);
    // 32-bit length, then the characters.
    void LongString(std::string_view text);
    void StateSet(const TStateSet& set);
    void Bytes(std::string_view bytes) { out_.append(bytes); }

private:
    std::string& out_;
};

class TSMStreamReader {
public:
    explicit TSMStreamReader(std::string_view data) : data_(data) {}

    size_t Position() const { return pos_; }
    size_t Remaining() const { return data_.size() - pos_; }
    bool AtEnd() const { return pos_ >= data_.size(); }

    uint8_t U8();
    uint16_t U16();
    int32_t I32();
    std::string ShortString();
    std::string LongString();
    TStateSet StateSet();
    std::string_view Bytes(size_t count);
    // A 32-bit item count; raises EReadError when it is negative or when
    // `count` items of at least `minItemSize` bytes each cannot fit in what
    // remains.
    int32_t Count(size_t minItemSize);

private:
    void Need(size_t count) const;

    std::string_view data_;
    size_t pos_ = 0;
};

}  // namespace tarnwick
