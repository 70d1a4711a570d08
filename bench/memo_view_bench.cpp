// The editor control on screen: the first 200,000 lines of the Pascal corpus
// with the built-in scheme in a 1000 x 700 offscreen view. Each step ends
// with a synchronous repaint of the view, as bench_ref_qscintilla_view does
// for QScintilla, so painting is inside the measured time.
//   load: set the text (the whole text is highlighted on load), repaint
//   keystroke: "x" typed as a Qt key event at the end of a middle line, repaint
//   page down: a Page Down key event, repaint
//   word wrap on, then off, over the whole text
// Counters: the records the last paint drew, and the heap taken by the
// loaded text against its size.
#include "bench/reference/corpus.h"
#include "editor/code_memo.h"
#include "platform/messages.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <QApplication>
#include <QKeyEvent>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>
#include <string>

namespace {

using namespace tarnwick;

struct View {
    TCodeMemoParser scheme;
    TCodeMemo memo;

    View()
    {
        LoadBuiltinScheme(scheme, false);
        memo.SetParser(1, &scheme);
        memo.SetActiveParser(1);
        memo.resize(1000, 700);
        memo.show();
        QApplication::processEvents();
    }

    void Load()
    {
        memo.SetText(tarnwick_reference::ViewCorpus());
        memo.viewport()->repaint();
    }

    void Key(int key, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&memo, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(&memo, &release);
    }

    // Caret to the end of the middle line, scrolled into view and painted.
    void GoToMiddle()
    {
        const intptr_t start = memo.Perform(EM_LINEINDEX, 100'000, 0);
        const intptr_t end = start + memo.Perform(EM_LINELENGTH, static_cast<uintptr_t>(start), 0);
        memo.Perform(EM_SETSEL, static_cast<uintptr_t>(end), end);
        memo.ScrollCaretIntoView();
        memo.viewport()->repaint();
    }
};

void BM_MemoLoadAndPaint(benchmark::State& state)
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
    // The heap one loaded, highlighted text takes, against its size.
    View view;
    const size_t before = mallinfo2().uordblks;
    view.Load();
    const size_t after = mallinfo2().uordblks;
    state.counters["text_bytes"] = static_cast<double>(tarnwick_reference::ViewCorpus().size());
    state.counters["heap_over_text"] = static_cast<double>(after - before) /
                                       static_cast<double>(tarnwick_reference::ViewCorpus().size());
    state.counters["rows_painted"] = view.memo.LastPaintCount();
}
BENCHMARK(BM_MemoLoadAndPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_MemoKeystroke(benchmark::State& state)
{
    View view;
    view.Load();
    view.GoToMiddle();
    for (auto _ : state) {
        view.Key(Qt::Key_X, QStringLiteral("x"));
        view.memo.viewport()->repaint();
    }
    state.counters["rows_painted"] = view.memo.LastPaintCount();
}
BENCHMARK(BM_MemoKeystroke)->Unit(benchmark::kMillisecond)->Iterations(200);

// The same keystroke, painted as the event loop paints it: only the rows the
// control flagged as changed.
void BM_MemoKeystrokeFlaggedRows(benchmark::State& state)
{
    View view;
    view.Load();
    view.GoToMiddle();
    for (auto _ : state) {
        view.Key(Qt::Key_X, QStringLiteral("x"));
        QApplication::processEvents();
    }
    state.counters["rows_painted"] = view.memo.LastPaintCount();
}
BENCHMARK(BM_MemoKeystrokeFlaggedRows)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_MemoPageDown(benchmark::State& state)
{
    View view;
    view.Load();
    for (auto _ : state) {
        view.Key(Qt::Key_PageDown);
        view.memo.viewport()->repaint();
    }
    state.counters["top_line"] = static_cast<double>(view.memo.TopLine());
    state.counters["rows_painted"] = view.memo.LastPaintCount();
}
BENCHMARK(BM_MemoPageDown)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_MemoWordWrapOnOff(benchmark::State& state)
{
    View view;
    view.Load();
    const bool on = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        view.memo.SetWordWrap(!on);
        state.ResumeTiming();
        view.memo.SetWordWrap(on);
    }
    state.counters["records"] = static_cast<double>(view.memo.Model().RecordCount());
}
BENCHMARK(BM_MemoWordWrapOnOff)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
