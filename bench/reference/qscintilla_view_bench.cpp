// Reference for bench_memo_view: QScintilla with its Pascal lexer driven
// through the same steps as our control (view_steps.h).
#include "bench/reference/view_steps.h"

#include <Qsci/qscilexerpascal.h>
#include <Qsci/qsciscintilla.h>

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

    void Repaint() { editor.viewport()->repaint(); }

    void Load()
    {
        editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL,
                             tarnwick_reference::ViewCorpus().c_str());
        Repaint();
    }

    // Caret to the end of the middle line, scrolled into view.
    void GoToMiddle()
    {
        const int line = 100'000;
        editor.setCursorPosition(line, editor.lineLength(line) - 1);
        editor.ensureLineVisible(line);
        Repaint();
    }

    void Type()
    {
        editor.SendScintilla(QsciScintillaBase::SCI_ADDTEXT, 1UL, "x");
        Repaint();
    }

    void PageDown()
    {
        editor.SendScintilla(QsciScintillaBase::SCI_PAGEDOWN);
        Repaint();
    }

    void Report(benchmark::State& state)
    {
        state.counters["first_line"] =
            static_cast<double>(editor.SendScintilla(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE));
    }
};

using tarnwick_reference::Keystroke;
using tarnwick_reference::LoadAndPaint;
using tarnwick_reference::PageDown;

BENCHMARK(LoadAndPaint<View>)->Name("BM_QScintillaLoadAndPaint")
    ->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(Keystroke<View>)->Name("BM_QScintillaKeystroke")
    ->Unit(benchmark::kMillisecond)->Iterations(200);
BENCHMARK(PageDown<View>)->Name("BM_QScintillaPageDown")
    ->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

int main(int argc, char** argv)
{
    return tarnwick_reference::RunViewBenchmarks(argc, argv);
}
