// The compressor's block method ("WRZL"): one piece of at most 32768 bytes
// in, one self-contained block out, and back.
//
// Block data (the bytes behind a block's 16-bit length):
//   0x80, then the piece as is                       stored block
//   0x40, control word, items ...                    compressed block
// A control word is 16 bits, big-endian, and tells for the next 16 items,
// most significant bit first, whether each is a literal (0: one byte) or a
// coded item (1). A coded item is either a copy, two bytes b0 b1 with
// offset = b0 * 16 + (b1 >> 4) in 1..4095 and length = (b1 & 15) + 3, or,
// when that offset field is 0, a run: 0x00 r1 r2 c giving r1 * 256 + r2 + 16
// copies of c. Copies reach back only within the block's own output and may
// overlap the bytes being written. Block data shorter than 2 bytes expands
// to nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

class TBlockCodec {
public:
    static constexpr size_t kPieceSize = 32768;     // input piece, and most a block expands to
    static constexpr size_t kMaxBlockData = kPieceSize + 8;  // room CompressPiece may use
    static constexpr size_t kHashEntries = 4096;
    static constexpr size_t kOutputSlack = 32;      // spare bytes ExpandBlock may scribble on

    static constexpr uint8_t kStoredFlag = 0x80;
    static constexpr uint8_t kCompressedFlag = 0x40;

    // Compresses piece[0, n), n <= kPieceSize, into out[0, result) and returns
    // the block data's length (at most n + 1). `out` must hold kMaxBlockData
    // bytes; `hash` is working storage of kHashEntries entries, overwritten.
    // A piece that does not shrink is stored.
    static size_t CompressPiece(const uint8_t* piece, size_t n, uint8_t* out, uint16_t* hash);

    // Expands block data in[0, length) into out. `capacity` is the most the
    // block may produce (at most kPieceSize); out must have room for
    // capacity + kOutputSlack bytes, of which only out[0, produced) are
    // meaningful afterwards. Returns false, with nothing promised about out,
    // when the data is not a well-formed block: an unknown flag, an item cut
    // off by the end of the data, a copy reaching before the block's start,
    // or output beyond `capacity`. Never reads in[length] or beyond.
    static bool ExpandBlock(const uint8_t* in, size_t length, uint8_t* out, size_t capacity,
                            size_t& produced);

    // Convenience forms on strings (tests, tools): throw std::length_error
    // for an oversized piece and std::runtime_error for malformed data.
    static std::string CompressPiece(std::string_view piece);
    static std::string ExpandBlock(std::string_view block);
};

}  // namespace tarnwick
