// Printing a 1,000-snippet library to PDF, offscreen: the plain All print
// (through its work file) and the highlighted booklet of the same library.
// Snippets are about 1 KB of Pascal in 20 categories.
#include "app/booklet/booklet.h"
#include "app/printing/plain_print.h"
#include "app/printing/print_setup.h"
#include "library/library_format.h"
#include "platform/file_io.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"
#include "offscreen_main.h"

#include <QApplication>
#include <QPrinter>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace tarnwick;
namespace fs = std::filesystem;

constexpr int kCategories = 20;

fs::path Folder()
{
    return fs::temp_directory_path() / ("tarnwick-bench-print-" + std::to_string(::getpid()));
}

// The index file of a library of `titles` snippets, written at first use.
std::string Library(int titles)
{
    const fs::path index = Folder() / ("lib" + std::to_string(titles) + ".ini");
    if (fs::exists(index))
        return index.string();
    fs::create_directories(Folder());
    std::vector<std::string> sections(kCategories);
    std::string data;
    for (int i = 0; i < titles; ++i) {
        std::string text = "procedure Snippet" + std::to_string(i) + ";\r\nbegin\r\n";
        while (text.size() < 1000)
            text += "  Work(" + std::to_string(text.size()) + "); { step }\r\n";
        text += "end;";
        sections[size_t(i % kCategories)] +=
            "Title " + std::to_string(i) + "=" +
            FormatRange(int64_t(data.size()), int64_t(data.size() + text.size())) + "\r\n";
        data += text + "\r\n";
    }
    std::string ini;
    for (int c = 0; c < kCategories; ++c)
        ini += "[Category " + std::to_string(c) + "]\r\n" + sections[size_t(c)];
    WriteFileAtomically(index, ini);
    WriteFileAtomically(DataFileName(index.string()), data);
    return index.string();
}

void BM_PrintAllToPdf(benchmark::State& state)
{
    const std::string index = Library(static_cast<int>(state.range(0)));
    QPrinter printer(QPrinter::HighResolution);
    UsePdfOutput(printer, QString::fromStdString((Folder() / "all.pdf").string()));
    const TPlainPrintJob job{&printer,
                             QFont(QStringLiteral("Courier New"), 10),
                             {},
                             "Tarnwick Version 2.41",
                             Folder() / kWorkFileName};
    for (auto _ : state) {
        PrintAll(
            job, index, [](const std::string& name) { return "CATEGORY : " + name; }, "Snippet");
    }
    state.counters["pdf_bytes"] = static_cast<double>(fs::file_size(Folder() / "all.pdf"));
}

void BM_BookletToPdf(benchmark::State& state)
{
    const std::string index = Library(static_cast<int>(state.range(0)));
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    TBookletOptions options;
    options.Scheme = &scheme;
    int pages = 0;
    for (auto _ : state) {
        // Reading the library is part of making the booklet.
        const std::vector<int> starts =
            WriteBookletPdf(Folder() / "booklet.pdf", BookletEntries(index), options);
        pages = starts.back();
    }
    state.counters["pages"] = pages;
}

BENCHMARK(BM_PrintAllToPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_BookletToPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

int main(int argc, char** argv)
{
    return tarnwick::bench::RunOffscreenBenchmarks(argc, argv, Folder());
}
