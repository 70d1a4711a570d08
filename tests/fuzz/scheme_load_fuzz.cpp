// Fuzzes loading a compiled scheme. Arbitrary bytes must either load or fail
// with the program's own exception (and leave the empty scheme); whatever
// loads must save and load again to the same bytes.
//
// The first byte selects how the rest is used: as a whole compiled-scheme
// stream, or as a bare payload that is compressed and given a version word
// here, so that the fuzzer reaches the table reader without having to find
// valid compressed data first.
#include "editor/core/sm_stream.h"
#include "scheme/code_memo_parser.h"
#include "scheme/compressor.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using tarnwick::TCodeMemoParser;

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

std::string WithHeader(uint16_t version, const std::string& payload)
{
    std::string bytes;
    tarnwick::TSMStreamWriter w(bytes);
    w.U16(version);
    w.I32(static_cast<int32_t>(payload.size()));
    w.Bytes(tarnwick::TCompressor::CompressBytes(payload));
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    std::string stream;
    switch (data[0] % 3) {
    case 0: stream = rest; break;
    case 1: stream = WithHeader(51, rest); break;
    default: stream = WithHeader(50, rest); break;
    }

    static const std::string empty = [] {
        TCodeMemoParser fresh;
        fresh.Name = "F";
        return fresh.SaveToBytes();
    }();

    TCodeMemoParser scheme;
    scheme.Name = "F";
    bool loaded = false;
    try {
        loaded = scheme.LoadFromBytes(stream);
    } catch (const tarnwick::Exception&) {
        Check(scheme.SaveToBytes() == empty);
        return 0;
    }
    if (!loaded) {
        Check(scheme.SaveToBytes() == empty);
        return 0;
    }
    const std::string saved = scheme.SaveToBytes();
    TCodeMemoParser again;
    Check(again.LoadFromBytes(saved));
    Check(again.SaveToBytes() == saved);
    return 0;
}
