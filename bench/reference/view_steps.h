// The steps both editor-view benchmarks time, written once so that our
// control and the reference editor are driven through exactly the same ones:
// the first 200,000 lines of the Pascal corpus in a 1000 x 700 offscreen
// view, every step ending with a synchronous repaint.
//   load: set the text, repaint (and the heap the loaded text takes)
//   keystroke: one "x" typed at the end of the middle line, repaint
//   page down: one page down, repaint
// A View type offers Load(), GoToMiddle(), Type(), PageDown() and
// Report(state) for counters of its own; each of the first four ends with
// the repaint.
#pragma once

#include "bench/reference/corpus.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>

namespace tarnwick_reference {

template <class View>
void LoadAndPaint(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto view = std::make_unique<View>();
        state.ResumeTiming();
        view->Load();
        state.PauseTiming();
        view.reset();
        state.ResumeTiming();
    }
    View view;
    const size_t before = mallinfo2().uordblks;
    view.Load();
    const size_t after = mallinfo2().uordblks;
    const auto text = static_cast<double>(ViewCorpus().size());
    state.counters["text_bytes"] = text;
    state.counters["heap_over_text"] = static_cast<double>(after - before) / text;
    view.Report(state);
}

template <class View>
void Keystroke(benchmark::State& state)
{
    View view;
    view.Load();
    view.GoToMiddle();
    for (auto _ : state)
        view.Type();
    view.Report(state);
}

template <class View>
void PageDown(benchmark::State& state)
{
    View view;
    view.Load();
    for (auto _ : state)
        view.PageDown();
    view.Report(state);
}

// main() of a view benchmark: offscreen Qt, then the registered benchmarks.
inline int RunViewBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace tarnwick_reference
