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
//
// The corpus is TARNWICK_CORPUS_FULL (scripts/run-benchmarks sets it to the
// 20 MB selection of make-pascal-corpus.sh), else /tmp/pascal-corpus.pas,
// else generated Pascal-like lines of about 20 MB.
#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tarnwick;

std::string Generated()
{
    std::string out;
    uint32_t seed = 7;
    const char* lines[] = {"procedure TForm1.Button%dClick(Sender: TObject);\n", "begin\n",
                           "  if Count > $1F then Inc(Total, Count * 12.5e3);\n",
                           "  WriteLn('it''s ', Total, #13#$0A);\n", "end;\n",
                           "  property Value%d: Integer read FValue write SetValue;\n",
                           "  { comment line }  // trailing\n", "  (* older comment *)\n"};
    int n = 0;
    while (out.size() < 20'000'000) {
        seed = seed * 1103515245u + 12345u;
        char buffer[128];
        std::snprintf(buffer, sizeof buffer, lines[(seed >> 16) % 8], n++);
        out += buffer;
    }
    return out;
}

const std::string& Corpus()
{
    static const std::string text = [] {
        const char* named = std::getenv("TARNWICK_CORPUS_FULL");
        for (const char* path : {named, "/tmp/pascal-corpus.pas"}) {
            if (path == nullptr)
                continue;
            std::ifstream in(path, std::ios::binary);
            std::stringstream buffer;
            buffer << in.rdbuf();
            if (!buffer.str().empty())
                return buffer.str();
        }
        return Generated();
    }();
    return text;
}

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

void BM_ReadTokens(benchmark::State& state)
{
    const std::string text = Model().Text();
    TCodeMemoParser& scheme = Scheme();
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

}  // namespace

BENCHMARK_MAIN();
