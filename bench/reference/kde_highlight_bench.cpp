// Reference: KDE's syntax-highlighting library with its Pascal definition
// over the Pascal corpus, line by line with the state carried from line to
// line, formats counted but not stored; reported in MB/s like
// bench_tokenizer. (The library is built on Qt 5, so this is an executable
// of its own.)
#include "bench/reference/corpus.h"

#include <KSyntaxHighlighting/AbstractHighlighter>
#include <KSyntaxHighlighting/Definition>
#include <KSyntaxHighlighting/Format>
#include <KSyntaxHighlighting/Repository>
#include <KSyntaxHighlighting/State>

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

class TCountingHighlighter : public KSyntaxHighlighting::AbstractHighlighter {
public:
    using AbstractHighlighter::highlightLine;
    int64_t Formatted = 0;

protected:
    void applyFormat(int, int length, const KSyntaxHighlighting::Format&) override
    {
        Formatted += length;
    }
};

KSyntaxHighlighting::Repository* repository = nullptr;

void BM_KdePascal(benchmark::State& state)
{
    const std::string& text = tarnwick_reference::Corpus();
    const QStringList lines = QString::fromLatin1(text.data(), static_cast<int>(text.size()))
                                  .split(QLatin1Char('\n'));
    TCountingHighlighter highlighter;
    highlighter.setDefinition(repository->definitionForName(QStringLiteral("Pascal")));
    for (auto _ : state) {
        KSyntaxHighlighting::State lineState;
        for (const QString& line : lines)
            lineState = highlighter.highlightLine(line, lineState);
        benchmark::DoNotOptimize(highlighter.Formatted);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_KdePascal)->Unit(benchmark::kMillisecond)->MinTime(3);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    KSyntaxHighlighting::Repository repo;
    if (!repo.definitionForName(QStringLiteral("Pascal")).isValid()) {
        std::fprintf(stderr, "the Pascal definition is missing\n");
        return 1;
    }
    repository = &repo;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
