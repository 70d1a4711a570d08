// Editor text model benchmarks: loading a 10 MB text of 200,000 lines,
// typing one character at its end, deleting a 1 MB selection and undoing
// that deletion. The memory a loaded text takes is reported as counters.
#include "editor/core/code_memo_model.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <string>

namespace {

using tarnwick::TCodeMemoModel;

// 200,000 lines averaging 50 bytes with CR LF ends: 10 MB.
const std::string& Corpus()
{
    static const std::string text = [] {
        std::string out;
        out.reserve(10'500'000);
        uint32_t seed = 7;
        for (int line = 0; line < 200'000; ++line) {
            seed = seed * 1103515245u + 12345u;
            const int indent = static_cast<int>((seed >> 16) % 4) * 2;
            const int len = 30 + static_cast<int>((seed >> 8) % 37);
            out.append(static_cast<size_t>(indent), ' ');
            for (int i = 0; i < len; ++i)
                out.push_back(static_cast<char>('a' + (i * 7 + line) % 26));
            out.append("\r\n");
        }
        return out;
    }();
    return text;
}

void BM_Load10MB(benchmark::State& state)
{
    const std::string& text = Corpus();
    for (auto _ : state) {
        TCodeMemoModel model;
        model.LoadFromText(text);
        benchmark::DoNotOptimize(model.RecordCount());
    }
    // Memory held by one loaded text, measured by the allocator.
    const size_t before = mallinfo2().uordblks;
    auto model = std::make_unique<TCodeMemoModel>();
    model->LoadFromText(text);
    const size_t after = mallinfo2().uordblks;
    const double used = static_cast<double>(after - before);
    const double records = static_cast<double>(model->RecordCount());
    const double chars = static_cast<double>(model->CharCount());
    state.counters["text_bytes"] = chars;
    state.counters["records"] = records;
    state.counters["heap_bytes"] = used;
    state.counters["bytes_per_record_over_text"] = (used - chars) / records;
    state.counters["limit_2x_plus_64"] = 2 * chars + 64 * records;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Load10MB)->Unit(benchmark::kMillisecond);

void BM_TypeAtEnd(benchmark::State& state)
{
    TCodeMemoModel model;
    model.LoadFromText(Corpus());
    // The view follows the caret, as it does after each keystroke.
    model.SetSelection(model.CharCount(), model.CharCount());
    model.ScrollCaret();
    for (auto _ : state) {
        model.BeginGroup(tarnwick::ugTyping);
        model.InsertText("x");
        model.EndGroup(tarnwick::ugTyping);
    }
}
BENCHMARK(BM_TypeAtEnd)->Unit(benchmark::kMicrosecond);

void BM_Delete1MBAndUndo(benchmark::State& state, bool undo)
{
    TCodeMemoModel model;
    model.LoadFromText(Corpus());
    const int64_t start = model.CharCount() / 2;
    for (auto _ : state) {
        model.SetSelection(start, start + 1'000'000);
        if (undo) {
            state.PauseTiming();
            model.DeleteSelection();
            state.ResumeTiming();
            model.Undo();
        } else {
            model.DeleteSelection();
            state.PauseTiming();
            model.Undo();
            state.ResumeTiming();
        }
    }
}
BENCHMARK_CAPTURE(BM_Delete1MBAndUndo, delete_1mb, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Delete1MBAndUndo, undo_delete_1mb, true)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
