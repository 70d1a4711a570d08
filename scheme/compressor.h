// TCompressor: packs and unpacks a byte stream or a file, with the block
// method ("WRZL", fast, used for every compiled scheme's payload) or LZHUF
// ("!HZL", denser, slower). Decompression accepts both.
//
// Compressed layout, integers little-endian:
//   0  4  signature "WRZL" or "!HZL"
//   4  4  uncompressed size in bytes
//   8  ..  block method: blocks, each a 16-bit length L and L bytes of block
//          data (see block_codec.h), one per 32768-byte piece of the input;
//          the sequence ends with the first block that expands to fewer than
//          32768 bytes (an empty one when the size is a multiple of 32768).
//          LZHUF: the coded bits (see lzhuf.h).
//
// Every fault raises ECompressor with the message the user sees. Malformed
// compressed data is reported, never trusted: lengths are checked against
// the input, copies against the block's output, and output against the
// block size and the stored total, so no input reads or writes out of
// bounds or runs without end.
#pragma once

#include "platform/errors.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tarnwick {

class ECompressor : public Exception {
public:
    using Exception::Exception;
};

enum TCompressMethod : int {
    cmLZHUF = 0,
    cmBlock = 1,
    cmAdvise = 2,  // choose per input by a trial run of the block method
};

class TCompressor {
public:
    static constexpr uint64_t kAdviseMinimum = 98304;  // smaller inputs always get LZHUF
    static constexpr int kDefaultAdviseThreshold = 40;

    // Block method, file mode, advise threshold 40 %.
    TCompressor() = default;

    // Stream mode reads and writes the streams set below from their current
    // positions; file mode opens the named files (stored Windows-style names
    // are resolved on disk). The caller owns the streams.
    void SetStreamMode(bool on) { streamMode_ = on; }
    bool StreamMode() const { return streamMode_; }
    void SetInputStream(std::istream* in) { inStream_ = in; }
    void SetOutputStream(std::ostream* out) { outStream_ = out; }
    void SetInputFile(std::string name) { inFile_ = std::move(name); }
    void SetOutputFile(std::string name) { outFile_ = std::move(name); }

    void SetMethod(TCompressMethod method) { method_ = method; }
    TCompressMethod Method() const { return method_; }
    // Advise picks the block method when the samples shrink below this
    // percentage of their size.
    void SetAdviseThreshold(int percent) { adviseThreshold_ = percent; }
    int AdviseThreshold() const { return adviseThreshold_; }

    // Compresses the input from its current position to its end and returns
    // the bytes written, signature and size included. In advise mode the
    // method is chosen for this input only; the compressor stays in advise
    // mode. Inputs of 4 GiB and more cannot be described by the size field
    // and are refused. In file mode a failure removes the output file.
    int64_t Compress();

    // Reads one compressed stream (either method) from the input and writes
    // the uncompressed bytes; returns their number. The block method reads no
    // byte past its last block; LZHUF in stream mode winds the input back to
    // just after its last coded byte when the stream can seek. In file mode
    // a failure removes the output file.
    int64_t Decompress();

    // Whether the block method suits the input: no for inputs up to 98303
    // bytes (and the method is then set to LZHUF); otherwise the block
    // method is tried on the 32 KB pieces at one and two thirds of the
    // input, and the answer is yes when they shrink below the threshold.
    // The input position is left where it was.
    bool Advise();

    // Stream mode over memory, for callers that hold the bytes.
    static std::string CompressBytes(std::string_view data, TCompressMethod method = cmBlock);
    static std::string DecompressBytes(std::string_view data);

private:
    bool streamMode_ = false;
    std::istream* inStream_ = nullptr;
    std::ostream* outStream_ = nullptr;
    std::string inFile_;
    std::string outFile_;
    TCompressMethod method_ = cmBlock;
    int adviseThreshold_ = kDefaultAdviseThreshold;
};

}  // namespace tarnwick
