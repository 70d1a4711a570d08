// Compressor throughput: the block method against LZ4 on the same
// independent 32 KB blocks of a Pascal source corpus (both directions, with
// the compression ratio of each), plus whole streams through TCompressor for
// both of its methods.
//
// The corpus is the file named by TARNWICK_CORPUS, by default
// /tmp/pascal-corpus-2mb.pas (bench/make-pascal-corpus.sh builds it).
#include "scheme/block_codec.h"
#include "scheme/compressor.h"

#include <benchmark/benchmark.h>

#ifdef TARNWICK_HAVE_LZ4
#include <lz4.h>
#endif

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using tarnwick::TBlockCodec;
using tarnwick::TCompressor;

const std::string& Corpus()
{
    static const std::string corpus = [] {
        const char* name = std::getenv("TARNWICK_CORPUS");
        std::ifstream in(name != nullptr ? name : "/tmp/pascal-corpus-2mb.pas", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    return corpus;
}

bool NeedCorpus(benchmark::State& state)
{
    if (!Corpus().empty())
        return true;
    state.SkipWithError("corpus missing: set TARNWICK_CORPUS or run "
                        "bench/make-pascal-corpus.sh (needs fpc-source-3.2.2)");
    return false;
}

// The corpus cut into independent 32 KB pieces.
struct TPieces {
    std::vector<const uint8_t*> data;
    std::vector<size_t> size;
};

const TPieces& Pieces()
{
    static const TPieces pieces = [] {
        TPieces p;
        const auto* base = reinterpret_cast<const uint8_t*>(Corpus().data());
        for (size_t at = 0; at < Corpus().size(); at += TBlockCodec::kPieceSize) {
            p.data.push_back(base + at);
            p.size.push_back(std::min(TBlockCodec::kPieceSize, Corpus().size() - at));
        }
        return p;
    }();
    return pieces;
}

void Report(benchmark::State& state, size_t original, size_t compressed)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(original));
    state.counters["ratio"] = double(compressed) / double(original);
}

void BM_BlockCompress(benchmark::State& state)
{
    if (!NeedCorpus(state))
        return;
    const TPieces& pieces = Pieces();
    std::vector<uint8_t> out(TBlockCodec::kMaxBlockData);
    std::vector<uint16_t> hash(TBlockCodec::kHashEntries);
    size_t compressed = 0;
    for (auto _ : state) {
        compressed = 0;
        for (size_t i = 0; i < pieces.data.size(); ++i)
            compressed += TBlockCodec::CompressPiece(pieces.data[i], pieces.size[i], out.data(),
                                                     hash.data());
        benchmark::DoNotOptimize(out.data());
    }
    Report(state, Corpus().size(), compressed);
}
BENCHMARK(BM_BlockCompress);

void BM_BlockExpand(benchmark::State& state)
{
    if (!NeedCorpus(state))
        return;
    const TPieces& pieces = Pieces();
    std::vector<std::string> blocks;
    size_t compressed = 0;
    for (size_t i = 0; i < pieces.data.size(); ++i) {
        blocks.push_back(TBlockCodec::CompressPiece(
            std::string_view(reinterpret_cast<const char*>(pieces.data[i]), pieces.size[i])));
        compressed += blocks.back().size();
    }
    std::vector<uint8_t> out(TBlockCodec::kPieceSize + TBlockCodec::kOutputSlack);
    for (auto _ : state) {
        for (const std::string& block : blocks) {
            size_t produced = 0;
            if (!TBlockCodec::ExpandBlock(reinterpret_cast<const uint8_t*>(block.data()),
                                          block.size(), out.data(), TBlockCodec::kPieceSize,
                                          produced))
                state.SkipWithError("block did not expand");
            benchmark::DoNotOptimize(out.data());
        }
    }
    Report(state, Corpus().size(), compressed);
}
BENCHMARK(BM_BlockExpand);

#ifdef TARNWICK_HAVE_LZ4
void BM_Lz4Compress(benchmark::State& state)
{
    if (!NeedCorpus(state))
        return;
    const TPieces& pieces = Pieces();
    std::vector<char> out(size_t(LZ4_compressBound(int(TBlockCodec::kPieceSize))));
    size_t compressed = 0;
    for (auto _ : state) {
        compressed = 0;
        for (size_t i = 0; i < pieces.data.size(); ++i)
            compressed += size_t(LZ4_compress_default(
                reinterpret_cast<const char*>(pieces.data[i]), out.data(), int(pieces.size[i]),
                int(out.size())));
        benchmark::DoNotOptimize(out.data());
    }
    Report(state, Corpus().size(), compressed);
}
BENCHMARK(BM_Lz4Compress);

void BM_Lz4Decompress(benchmark::State& state)
{
    if (!NeedCorpus(state))
        return;
    const TPieces& pieces = Pieces();
    std::vector<std::string> blocks;
    size_t compressed = 0;
    for (size_t i = 0; i < pieces.data.size(); ++i) {
        std::string block(size_t(LZ4_compressBound(int(pieces.size[i]))), '\0');
        block.resize(size_t(LZ4_compress_default(reinterpret_cast<const char*>(pieces.data[i]),
                                                 block.data(), int(pieces.size[i]),
                                                 int(block.size()))));
        compressed += block.size();
        blocks.push_back(std::move(block));
    }
    std::vector<char> out(TBlockCodec::kPieceSize);
    for (auto _ : state) {
        for (const std::string& block : blocks) {
            if (LZ4_decompress_safe(block.data(), out.data(), int(block.size()),
                                    int(out.size())) < 0)
                state.SkipWithError("LZ4 block did not expand");
            benchmark::DoNotOptimize(out.data());
        }
    }
    Report(state, Corpus().size(), compressed);
}
BENCHMARK(BM_Lz4Decompress);
#endif

// Whole streams through TCompressor (framing, stream copies included).
void BM_StreamCompress(benchmark::State& state)
{
    if (!NeedCorpus(state))
        return;
    const auto method = tarnwick::TCompressMethod(state.range(0));
    size_t compressed = 0;
    for (auto _ : state)
        compressed = TCompressor::CompressBytes(Corpus(), method).size();
    Report(state, Corpus().size(), compressed);
    state.SetLabel(method == tarnwick::cmBlock ? "block" : "lzhuf");
}
BENCHMARK(BM_StreamCompress)->Arg(tarnwick::cmBlock)->Arg(tarnwick::cmLZHUF)->Unit(benchmark::kMillisecond);

void BM_StreamDecompress(benchmark::State& state)
{
    if (!NeedCorpus(state))
        return;
    const auto method = tarnwick::TCompressMethod(state.range(0));
    const std::string packed = TCompressor::CompressBytes(Corpus(), method);
    for (auto _ : state)
        benchmark::DoNotOptimize(TCompressor::DecompressBytes(packed));
    Report(state, Corpus().size(), packed.size());
    state.SetLabel(method == tarnwick::cmBlock ? "block" : "lzhuf");
}
BENCHMARK(BM_StreamDecompress)->Arg(tarnwick::cmBlock)->Arg(tarnwick::cmLZHUF)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
