// Reference: QScintilla's Pascal lexer over the Pascal corpus, folding off,
// reported in MB/s like bench_tokenizer. The whole document is styled again
// in every iteration (SCI_COLOURISE from 0 to the end).
#include "bench/reference/corpus.h"

#include <Qsci/qscilexerpascal.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

QsciScintilla* editor = nullptr;

void BM_QScintillaPascal(benchmark::State& state)
{
    const std::string& text = tarnwick_reference::Corpus();
    editor->SendScintilla(QsciScintillaBase::SCI_SETTEXT, 0UL, text.c_str());
    const auto length = static_cast<long>(text.size());
    for (auto _ : state)
        editor->SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, length);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_QScintillaPascal)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QsciScintilla widget;
    QsciLexerPascal lexer;
    lexer.setFoldComments(false);
    lexer.setFoldCompact(false);
    lexer.setFoldPreprocessor(false);
    widget.setLexer(&lexer);
    widget.setFolding(QsciScintilla::NoFoldStyle);
    widget.SendScintilla(QsciScintillaBase::SCI_SETPROPERTY, "fold", "0");
    // Bytes as they are (the corpus is not all UTF-8).
    widget.SendScintilla(QsciScintillaBase::SCI_SETCODEPAGE, 0UL);
    editor = &widget;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
