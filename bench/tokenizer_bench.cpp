// Tokenizer throughput: the whole Pascal corpus highlighted with the
// built-in Object Pascal scheme, reported in MB/s of source.
//
//   BM_HighlightPass   the editor's pass over its line records (load the
//                      corpus as the editor does, colour every record); the
//                      first run stores the token values, later runs find
//                      them equal, as a recolouring does
//   BM_ReadTokens      the tokenizer alone over one buffer (token values
//                      not stored)
//   BM_ByteTable       a plain byte-table pass: one table lookup and one
//                      store per character, the floor for any highlighter
//   BM_ShippedSample   the tokenizer alone, each shipped scheme (compiled from
//                      its script) over its golden-token sample repeated to
//                      about 1 MB; the Pascal row is the same measure on
//                      word_count.pas, so that the rows compare
//
// The corpus is the one the reference highlighters read (reference/corpus.h:
// TARNWICK_CORPUS_FULL, which scripts/run-benchmarks sets to the 20 MB
// selection of make-pascal-corpus.sh, else /tmp/pascal-corpus.pas), so that
// every figure is taken on the same text.
#include "bench/reference/corpus.h"
#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"
#include "platform/file_io.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <benchmark/benchmark.h>

#include <array>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace tarnwick;
using tarnwick_reference::Corpus;

TCodeMemoParser& Scheme()
{
    static TCodeMemoParser scheme;
    static const bool loaded = (LoadBuiltinScheme(scheme, false), true);
    (void)loaded;
    return scheme;
}

TCodeMemoModel& Model()
{
    static TCodeMemoModel model;
    static const bool loaded = (model.LoadFromText(Corpus()), true);
    (void)loaded;
    return model;
}

void BM_HighlightPass(benchmark::State& state)
{
    TCodeMemoModel& model = Model();
    THighlightPass pass(Scheme());
    for (auto _ : state) {
        const THighlightResult r = pass.RunAll(model.Store().First(), model.CharCount());
        benchmark::DoNotOptimize(r);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * model.CharCount());
    state.counters["MB"] = static_cast<double>(model.CharCount()) / 1e6;
}
BENCHMARK(BM_HighlightPass)->Unit(benchmark::kMillisecond)->MinTime(3);

// One timed run of the tokenizer over `text` per iteration, token values
// not stored.
void ReadAllTokens(benchmark::State& state, TCodeMemoParser& scheme, const std::string& text)
{
    int64_t tokens = 0;
    for (auto _ : state) {
        TStringEdStream stream(text);
        scheme.ResetTokenizer(0);
        int length = 0;
        int sum = 0;
        while (!stream.AtEnd()) {
            sum += scheme.ReadToken(nullptr, stream, length);
            ++tokens;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    state.counters["tokens/s"] = benchmark::Counter(static_cast<double>(tokens),
                                                    benchmark::Counter::kIsRate);
}

void BM_ReadTokens(benchmark::State& state)
{
    ReadAllTokens(state, Scheme(), Model().Text());
}
BENCHMARK(BM_ReadTokens)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_ByteTable(benchmark::State& state)
{
    const std::string& text = Corpus();
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<size_t>(c)] = static_cast<uint8_t>(
            (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ? 2
            : c >= '0' && c <= '9'                                       ? 4
            : c == ' ' || c == '\t' || c == '\r' || c == '\n'            ? 0
                                                                         : 10);
    std::vector<uint8_t> values(text.size());
    for (auto _ : state) {
        for (size_t i = 0; i < text.size(); ++i)
            values[i] = table[static_cast<unsigned char>(text[i])];
        benchmark::DoNotOptimize(values.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ByteTable)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_ShippedSample(benchmark::State& state, const char* schemeName, const char* sampleName)
{
    const std::filesystem::path scripts = TARNWICK_SCHEME_SCRIPTS;
    const std::filesystem::path samples = std::filesystem::path(TARNWICK_TEST_DATA) / "scheme/samples";
    TCodeMemoParser scheme;
    scheme.CompileText(ReadWholeFile(scripts / (std::string(schemeName) + ".txt")),
                       scripts.string());
    // Line breaks as the editor stores them: one CR each.
    std::string sample = ReadWholeFile(samples / sampleName);
    sample.erase(std::remove(sample.begin(), sample.end(), '\r'), sample.end());
    std::replace(sample.begin(), sample.end(), '\n', '\r');
    std::string text;
    while (text.size() < (1u << 20))
        text += sample;
    ReadAllTokens(state, scheme, text);
}
BENCHMARK_CAPTURE(BM_ShippedSample, ObjectPascal, "ObjectPascal", "word_count.pas")->MinTime(1);
BENCHMARK_CAPTURE(BM_ShippedSample, VisualBasic, "VisualBasic", "SnippetIndex.vb")->MinTime(1);
BENCHMARK_CAPTURE(BM_ShippedSample, XML, "XML", "library_export.xml")->MinTime(1);
BENCHMARK_CAPTURE(BM_ShippedSample, CSS, "CSS", "code_pane.css")->MinTime(1);
BENCHMARK_CAPTURE(BM_ShippedSample, JSON, "JSON", "library_settings.json")->MinTime(1);
BENCHMARK_CAPTURE(BM_ShippedSample, YAML, "YAML", "release_pipeline.yaml")->MinTime(1);
BENCHMARK_CAPTURE(BM_ShippedSample, Makefile, "Makefile", "snippets.mk")->MinTime(1);
BENCHMARK_CAPTURE(BM_ShippedSample, Markdown, "Markdown", "user_guide.md")->MinTime(1);
BENCHMARK_CAPTURE(BM_ShippedSample, Batch, "Batch", "backup_libraries.bat")->MinTime(1);

}  // namespace

BENCHMARK_MAIN();
