// The compressor's second method ("!HZL"): LZHUF, the published combination
// of LZSS (a 4096-byte ring buffer, first filled with 4036 spaces, matches of
// 3..60 bytes found with a binary search tree) and an adaptive Huffman code
// over 314 symbols (256 bytes and 58 match lengths) whose frequencies are
// halved when the root reaches 0x8000. Match positions are sent as a fixed
// variable-length code for their upper 6 bits and 6 plain bits. Bits are
// packed most significant first; the last byte is padded with zero bits.
//
// The coder knows nothing of signatures or sizes: the caller writes those
// and tells the decoder how many bytes to produce.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

namespace tarnwick {

class TLzhuf {
public:
    // Fills buffer[0, count) as far as it can; returns the bytes placed,
    // 0 only at the end of the input. May throw; the coder lets it pass.
    using TReader = std::function<size_t(uint8_t* buffer, size_t count)>;
    // Takes bytes[0, count). May throw; the coder lets it pass.
    using TWriter = std::function<void(const uint8_t* bytes, size_t count)>;

    enum class TDecodeResult {
        Ok,          // exactly `size` bytes produced
        OutOfInput,  // the coded bits ran out before `size` bytes were produced
        Overrun,     // a match would go past `size`: the stream is not one we wrote
    };

    TLzhuf();
    ~TLzhuf();
    TLzhuf(const TLzhuf&) = delete;
    TLzhuf& operator=(const TLzhuf&) = delete;

    // Codes the next `size` bytes of `read` (which must deliver them all)
    // and passes the bits to `write` in pieces of at most 32768 bytes.
    // An empty input codes to no bytes at all.
    void Encode(uint64_t size, const TReader& read, const TWriter& write);

    // Decodes from `read` until `size` bytes have been produced, passing them
    // to `write` in pieces. Never consumes more coded bits than `read`
    // delivers. `unusedInput` receives the number of bytes taken from `read`
    // that the code did not need (so a stream can be wound back).
    TDecodeResult Decode(uint64_t size, const TReader& read, const TWriter& write,
                         size_t& unusedInput);

private:
    struct TState;
    std::unique_ptr<TState> state_;
};

}  // namespace tarnwick
