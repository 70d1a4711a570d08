// Reference for bench_memo_view: QScintilla with its Pascal lexer driven
// through the same steps as our control, in a 1000 x 700 offscreen view over
// the first 200,000 lines of the Pascal corpus. Each step ends with a
// synchronous repaint(), so painting is inside the measured time.
//   load: set the text, repaint
//   keystroke: insert one character at the end of a line in the middle, repaint
//   page down: one page down, repaint
#include "bench/reference/corpus.h"

#include <Qsci/qscilexerpascal.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

struct View {
    QsciScintilla editor;
    QsciLexerPascal lexer;

    View()
    {
        lexer.setFoldComments(false);
        lexer.setFoldCompact(false);
        lexer.setFoldPreprocessor(false);
        editor.setLexer(&lexer);
        editor.setFolding(QsciScintilla::NoFoldStyle);
        editor.SendScintilla(QsciScintillaBase::SCI_SETPROPERTY, "fold", "0");
        editor.SendScintilla(QsciScintillaBase::SCI_SETCODEPAGE, 0UL);
        editor.setMarginLineNumbers(0, true);
        editor.setMarginWidth(0, 34);
        editor.resize(1000, 700);
        editor.show();
        QApplication::processEvents();
    }

    void Load()
    {
        editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL,
                             tarnwick_reference::ViewCorpus().c_str());
        editor.viewport()->repaint();
    }

    // Caret to the end of the middle line, scrolled into view and painted.
    void GoToMiddle()
    {
        const int line = 100'000;
        editor.setCursorPosition(line, editor.lineLength(line) - 1);
        editor.ensureLineVisible(line);
        editor.viewport()->repaint();
    }
};

void BM_QScintillaLoadAndPaint(benchmark::State& state)
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
}
BENCHMARK(BM_QScintillaLoadAndPaint)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_QScintillaKeystroke(benchmark::State& state)
{
    View view;
    view.Load();
    view.GoToMiddle();
    for (auto _ : state) {
        view.editor.SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 1UL, "x");
        view.editor.viewport()->repaint();
    }
}
BENCHMARK(BM_QScintillaKeystroke)->Unit(benchmark::kMillisecond)->Iterations(200);

void BM_QScintillaPageDown(benchmark::State& state)
{
    View view;
    view.Load();
    view.editor.setCursorPosition(0, 0);
    view.editor.viewport()->repaint();
    for (auto _ : state) {
        view.editor.SendScintilla(QsciScintillaBase::SCI_PAGEDOWN);
        view.editor.viewport()->repaint();
    }
    state.counters["first_line"] =
        static_cast<double>(view.editor.SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE));
}
BENCHMARK(BM_QScintillaPageDown)->Unit(benchmark::kMillisecond)->Iterations(200);

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
