// Loading and saving a compiled scheme. The scheme is built in memory with
// the shape of a typical language scheme — fifty reserved words in
// two states, number, string and comment records in the global and one
// in-state table, handlers and state records — so that its payload is about
// 16 KB, the size of the built-in Object Pascal scheme.
#include "scheme/code_memo_parser.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

namespace {

using namespace tarnwick;

TCharClass Range(char lo, char hi, bool negated = false)
{
    TCharClass cls;
    cls.chars.IncludeRange(static_cast<uint8_t>(lo), static_cast<uint8_t>(hi));
    cls.negated = negated;
    return cls;
}

void Build(TCodeMemoParser& scheme)
{
    TParserTables& t = scheme.Tables();
    const int letters = t.AddClass(Range('a', 'z'));
    const int digits = t.AddClass(Range('0', '9'));
    const int notIdent = t.AddClass(Range('a', 'z', true));
    for (int i = 0; i < 50; ++i) {
        std::string word = "kw";
        for (int n = i; n > 0; n /= 26)
            word += static_cast<char>('a' + n % 26);
        t.AddWord(word, false, static_cast<uint8_t>(1 + i % 40), {i % 3 == 0 ? 1 : 0}, notIdent);
    }
    for (int v = 0; v < 20; ++v) {
        TTokenRecord r;
        r.Start.ClassIndex = t.AddClass(Range(static_cast<char>('A' + v), static_cast<char>('A' + v)));
        r.Valid = {0};
        r.Body = {1, v % 2 == 0 ? letters : digits, 0, 0, 0};
        r.Terminator.Count = 1;
        r.Terminator.Classes[0] = notIdent;
        r.Token = static_cast<uint8_t>(50 + v);
        t.AddTokenRecord(r, r.Start.ClassIndex, v < 15 ? -1 : 1);
        THandlerRecord h;
        h.Body = {0, kNoClass, 1, 0, v % 14};
        t.AddHandler(static_cast<uint8_t>(1 + v), h);
        t.AddStateChange(static_cast<uint8_t>(50 + v), {1}, {0});
    }
    t.FinishCompile();
    for (int e = 1; e < 30; ++e)
        scheme.Settings().Effects[static_cast<size_t>(e)].Defined = true;
}

const std::string& Compiled()
{
    static const std::string bytes = [] {
        TCodeMemoParser scheme;
        Build(scheme);
        return scheme.SaveToBytes();
    }();
    return bytes;
}

void BM_SchemeLoad(benchmark::State& state)
{
    TCodeMemoParser scheme;
    for (auto _ : state)
        benchmark::DoNotOptimize(scheme.LoadFromBytes(Compiled()));
    uint32_t payload = 0;
    for (int i = 0; i < 4; ++i)
        payload |= uint32_t{static_cast<uint8_t>(Compiled()[static_cast<size_t>(2 + i)])} << (8 * i);
    state.counters["payload_bytes"] = static_cast<double>(payload);
    state.counters["stream_bytes"] = static_cast<double>(Compiled().size());
}
BENCHMARK(BM_SchemeLoad)->Unit(benchmark::kMicrosecond);

void BM_SchemeSave(benchmark::State& state)
{
    TCodeMemoParser scheme;
    scheme.LoadFromBytes(Compiled());
    for (auto _ : state)
        benchmark::DoNotOptimize(scheme.SaveToBytes());
}
BENCHMARK(BM_SchemeSave)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
