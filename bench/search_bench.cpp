// Search benchmarks over 10 MB of Pascal source held as the editor holds it
// (CR line ends): Horspool find-all in both case modes and directions, an
// absent pattern, and the expression proc[a-z]+\s*\( find-all, over one
// buffer and over 2047-character pieces like the editor's line records.
//
// The text is the Pascal corpus named by TARNWICK_SEARCH_CORPUS (see
// make-pascal-corpus.sh; /tmp/pascal-corpus-2mb.pas is tried too), repeated
// up to 10 MB; without one, generated Pascal-like lines are used.
#include "editor/core/re_parser.h"
#include "editor/core/search.h"
#include "editor/core/text_normalise.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using namespace tarnwick;

constexpr size_t kTarget = 10'000'000;

std::string Generated()
{
    std::string out;
    uint32_t seed = 11;
    const char* lines[] = {"procedure TForm1.Button%dClick(Sender: TObject);\n", "begin\n",
                           "  if Count > 0 then Inc(Total, Count);\n", "  WriteLn('value ', Total);\n",
                           "end;\n", "function GetValue%d: Integer;\n", "  { comment line }\n"};
    int n = 0;
    while (out.size() < kTarget) {
        seed = seed * 1103515245u + 12345u;
        char buffer[96];
        std::snprintf(buffer, sizeof buffer, lines[(seed >> 16) % 7], n++);
        out += buffer;
    }
    return out;
}

const std::string& Text()
{
    static const std::string text = [] {
        std::string raw;
        const char* env = std::getenv("TARNWICK_SEARCH_CORPUS");
        for (const char* path : {env, "/tmp/pascal-corpus.pas", "/tmp/pascal-corpus-2mb.pas"}) {
            if (!path)
                continue;
            std::ifstream in(path, std::ios::binary);
            std::stringstream buffer;
            buffer << in.rdbuf();
            raw = buffer.str();
            if (!raw.empty())
                break;
        }
        if (raw.empty())
            raw = Generated();
        std::string text;
        while (text.size() < kTarget)
            text += raw;
        text.resize(kTarget);
        return NormaliseInput(text);
    }();
    return text;
}

// The text in pieces of 2047 characters, as line records deliver it.
class TRecordSource final : public TSearchSource {
public:
    explicit TRecordSource(std::string_view text) : text_(text) {}
    int64_t Length() const override { return static_cast<int64_t>(text_.size()); }
    std::string_view PieceAt(int64_t offset, int64_t& pieceStart) const override
    {
        pieceStart = offset - offset % 2047;
        return text_.substr(static_cast<size_t>(pieceStart), 2047);
    }

private:
    std::string_view text_;
};

void FindAll(benchmark::State& state, const TSearchSource& source, int flags, const char* pattern)
{
    TSearchEngine engine;
    int64_t hits = 0;
    for (auto _ : state) {
        hits = 0;
        const bool backwards = flags & srchBackwards;
        int64_t from = backwards ? source.Length() : 0;
        for (;;) {
            const TSearchHit hit = engine.FindFrom(source, flags, pattern, from);
            if (!hit.Found())
                break;
            ++hits;
            from = backwards ? hit.Start - 1 : hit.Start + std::max<int64_t>(hit.Length, 1);
        }
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(state.iterations() * source.Length());
}

void BM_PlainCase(benchmark::State& state)
{
    FindAll(state, TStringSearchSource(Text()), srchMatchCase, "procedure");
}
void BM_PlainNoCase(benchmark::State& state)
{
    FindAll(state, TStringSearchSource(Text()), 0, "procedure");
}
void BM_PlainNoCaseBackwards(benchmark::State& state)
{
    FindAll(state, TStringSearchSource(Text()), srchBackwards, "procedure");
}
void BM_PlainAbsent(benchmark::State& state)
{
    FindAll(state, TStringSearchSource(Text()), srchMatchCase, "qzxw");
}
void BM_PlainWholeWordRecords(benchmark::State& state)
{
    FindAll(state, TRecordSource(Text()), srchWholeWord, "begin");
}
void BM_RegexProc(benchmark::State& state)
{
    FindAll(state, TStringSearchSource(Text()), srchRegExpr, "proc[a-z]+\\s*\\(");
}
void BM_RegexProcRecords(benchmark::State& state)
{
    FindAll(state, TRecordSource(Text()), srchRegExpr, "proc[a-z]+\\s*\\(");
}
void BM_RegexWordAssign(benchmark::State& state)
{
    FindAll(state, TStringSearchSource(Text()), srchRegExpr, "\\w+\\s*:=");
}

BENCHMARK(BM_PlainCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainNoCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainNoCaseBackwards)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainAbsent)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWholeWordRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexProc)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexProcRecords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RegexWordAssign)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
