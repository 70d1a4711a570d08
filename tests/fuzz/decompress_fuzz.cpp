// Fuzzes the compressor's decoders: whole streams of either method, bare
// blocks of the block method (in buffers of exactly their size, so any read
// or write past them is caught), and round trips of the input itself.
#include "scheme/block_codec.h"
#include "scheme/compressor.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

using tarnwick::ECompressor;
using tarnwick::TBlockCodec;
using tarnwick::TCompressor;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

// A whole stream must decode to exactly its stored size or fail with the
// compressor's own exception.
void DecodeStream(const std::string& stream)
{
    try {
        const std::string out = TCompressor::DecompressBytes(stream);
        uint32_t size = 0;
        for (int i = 0; i < 4; ++i)
            size |= uint32_t(uint8_t(stream[size_t(4 + i)])) << (8 * i);
        Check(out.size() == size);
    } catch (const ECompressor&) {
    }
}

void DecodeBareBlock(const uint8_t* data, size_t size, size_t capacity)
{
    auto in = std::make_unique<uint8_t[]>(size);
    if (size > 0)
        std::memcpy(in.get(), data, size);
    auto out = std::make_unique<uint8_t[]>(capacity + TBlockCodec::kOutputSlack);
    size_t produced = 0;
    if (TBlockCodec::ExpandBlock(in.get(), size, out.get(), capacity, produced))
        Check(produced <= capacity);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const uint8_t selector = data[0];
    const std::string rest = bytes.substr(1);

    // The input as a stream, and behind each signature so that the fuzzer
    // need not find them first.
    try {
        TCompressor::DecompressBytes(bytes);
    } catch (const ECompressor&) {
    }
    if (rest.size() >= 4) {
        DecodeStream("WRZL" + rest);
        DecodeStream("!HZL" + rest);
    }

    // The input as one block, with a room taken from the first byte.
    const size_t capacity = selector < 128 ? TBlockCodec::kPieceSize : size_t(selector) * 64;
    DecodeBareBlock(data + 1, size - 1, capacity);

    // Whatever is compressed comes back unchanged.
    const std::string piece = rest.substr(0, TBlockCodec::kPieceSize);
    Check(TBlockCodec::ExpandBlock(TBlockCodec::CompressPiece(piece)) == piece);
    if ((selector & 1) != 0 && rest.size() <= 4096)
        Check(TCompressor::DecompressBytes(
                  TCompressor::CompressBytes(rest, tarnwick::cmLZHUF)) == rest);
    return 0;
}
