// Tokenizer throughput of the shipped schemes, each on the golden sample of
// its language (tests/data/scheme/samples), read again and again to about
// 2 MB per run so that one run takes milliseconds. Each reading starts
// afresh: a sample glued to a copy of itself could read differently (after
// Perl's __END__ everything is data). The Pascal sample runs through the
// built-in scheme, so its rows stand beside bench_tokenizer's figures on the
// Pascal corpus.
//
//   BM_ReadTokens/<scheme>      the tokenizer alone over one buffer
//   BM_HighlightPass/<scheme>   the editor's pass over its line records
//
// Each scheme is compiled from its script, as the build compiles Scripts/.
#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"
#include "platform/file_io.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

namespace {

using namespace tarnwick;

struct TSample {
    const char* scheme;  // script in resources/schemes, or "" for the built-in scheme
    const char* file;    // sample in tests/data/scheme/samples
};

const TSample kSamples[] = {
    {"", "word_count.pas"},
    {"CPP", "word_index.cpp"},
    {"Java", "Snippet.java"},
    {"JavaScript", "snippet_filter.js"},
    {"Python", "backup.py"},
    {"SQL", "library_report.sql"},
    {"HTML", "help_page.html"},
    {"Shell", "rotate_backups.sh"},
    {"INI", "main.ini"},
    {"CSharp", "LibraryExport.cs"},
    {"Go", "word_count.go"},
    {"Rust", "snippet_index.rs"},
    {"TypeScript", "snippet_store.ts"},
    {"PHP", "category_report.php"},
    {"Ruby", "library_stats.rb"},
    {"Perl", "title_index.pl"},
    {"Lua", "config_loader.lua"},
    {"SchemeScript", "tiny_language.txt"},
};

constexpr size_t kTextSize = 2'000'000;

// The scheme and the sample text, loaded as the editor loads it, and how
// many readings of it make one run.
struct TLoaded {
    TCodeMemoParser scheme;
    TCodeMemoModel model;
    int64_t readings = 1;
};

std::shared_ptr<TLoaded> Load(const TSample& sample)
{
    auto loaded = std::make_shared<TLoaded>();
    const std::string scripts = TARNWICK_SCHEME_SCRIPTS;
    if (*sample.scheme == '\0')
        LoadBuiltinScheme(loaded->scheme, false);
    else
        loaded->scheme.CompileText(ReadWholeFile(scripts + "/" + sample.scheme + ".txt"), scripts);
    loaded->model.LoadFromText(
        ReadWholeFile(std::string(TARNWICK_TEST_DATA) + "/scheme/samples/" + sample.file));
    loaded->readings =
        static_cast<int64_t>(kTextSize) / std::max<int64_t>(1, loaded->model.CharCount());
    return loaded;
}

void ReadTokens(benchmark::State& state, const std::shared_ptr<TLoaded>& loaded)
{
    const std::string text = loaded->model.Text();
    TCodeMemoParser& scheme = loaded->scheme;
    for (auto _ : state) {
        int sum = 0;
        for (int64_t i = 0; i < loaded->readings; ++i) {
            TStringEdStream stream(text);
            scheme.ResetTokenizer(0);
            int length = 0;
            while (!stream.AtEnd())
                sum += scheme.ReadToken(nullptr, stream, length);
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * loaded->readings *
                            static_cast<int64_t>(text.size()));
}

void HighlightPass(benchmark::State& state, const std::shared_ptr<TLoaded>& loaded)
{
    TCodeMemoModel& model = loaded->model;
    THighlightPass pass(loaded->scheme);
    for (auto _ : state) {
        for (int64_t i = 0; i < loaded->readings; ++i) {
            const THighlightResult r = pass.RunAll(model.Store().First(), model.CharCount());
            benchmark::DoNotOptimize(r);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * loaded->readings *
                            model.CharCount());
}

}  // namespace

int main(int argc, char** argv)
{
    for (const TSample& sample : kSamples) {
        const std::string name = *sample.scheme == '\0' ? "ObjectPascal(built-in)" : sample.scheme;
        const std::shared_ptr<TLoaded> loaded = Load(sample);
        benchmark::RegisterBenchmark(("BM_ReadTokens/" + name).c_str(), ReadTokens, loaded)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_HighlightPass/" + name).c_str(), HighlightPass, loaded)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
