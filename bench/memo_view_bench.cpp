// The editor control on screen, with the built-in scheme, through the steps
// of view_steps.h that bench_ref_qscintilla_view runs on QScintilla (the
// whole text is highlighted on load; keys are sent as Qt key events). Beside
// them: the keystroke painted as the event loop paints it (only the rows the
// control flagged), and word wrap on, then off, over the whole text.
// Counters: the rows the last paint drew, the top line after paging.
#include "bench/reference/view_steps.h"
#include "editor/code_memo.h"
#include "platform/messages.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <QKeyEvent>

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

    void Repaint() { memo.viewport()->repaint(); }

    void Load()
    {
        memo.SetText(tarnwick_reference::ViewCorpus());
        Repaint();
    }

    void Key(int key, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&memo, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(&memo, &release);
    }

    // Caret to the end of the middle line, scrolled into view.
    void GoToMiddle()
    {
        const intptr_t start = memo.Perform(EM_LINEINDEX, 100'000, 0);
        const intptr_t end = start + memo.Perform(EM_LINELENGTH, static_cast<uintptr_t>(start), 0);
        memo.Perform(EM_SETSEL, static_cast<uintptr_t>(end), end);
        memo.ScrollCaretIntoView();
        Repaint();
    }

    void Type()
    {
        Key(Qt::Key_X, QStringLiteral("x"));
        Repaint();
    }

    void PageDown()
    {
        Key(Qt::Key_PageDown);
        Repaint();
    }

    void Report(benchmark::State& state)
    {
        state.counters["top_line"] = static_cast<double>(memo.TopLine());
        state.counters["rows_painted"] = memo.LastPaintCount();
    }
};

using tarnwick_reference::Keystroke;
using tarnwick_reference::LoadAndPaint;
using tarnwick_reference::PageDown;

BENCHMARK(LoadAndPaint<View>)->Name("BM_MemoLoadAndPaint")
    ->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Keystroke<View>)->Name("BM_MemoKeystroke")
    ->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(PageDown<View>)->Name("BM_MemoPageDown")
    ->Unit(benchmark::kMillisecond)->Iterations(200);

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
    view.Report(state);
}
BENCHMARK(BM_MemoKeystrokeFlaggedRows)->Unit(benchmark::kMillisecond)->Iterations(200);

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
    return tarnwick_reference::RunViewBenchmarks(argc, argv);
}
