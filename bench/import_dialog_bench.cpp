// The import dialog offscreen with large libraries: opening it on a source
// and a destination of 10,000 titles each (both trees filled, first paint),
// queueing 1,000 titles by dropping ten source categories, and committing a
// queue of 1,000 titles to the 10,000-title destination. Titles are spread
// over 100 categories; texts are about 1 KB of Pascal.
#include "app/import/imp_form.h"
#include "app/import/import_trees.h"
#include "app/tree_images.h"
#include "library/library_format.h"
#include "library/library_store.h"
#include "platform/file_io.h"
#include "generated_library.h"
#include "silent_prompt.h"
#include "offscreen_main.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

using namespace tarnwick;
namespace fs = std::filesystem;

constexpr int kTitles = 10000;
constexpr int kCategories = 100;
constexpr int kQueuedCategories = 10;  // of 100 titles each: 1,000 records

fs::path Folder()
{
    return fs::temp_directory_path() / ("tarnwick-bench-import-" + std::to_string(::getpid()));
}

// A library `name`.ini / .dat in the benchmark folder; its categories are
// called `prefix` and a number.
std::string MakeLibrary(const std::string& name, const std::string& prefix)
{
    const fs::path index = Folder() / (name + ".ini");
    if (fs::exists(index))
        return index.string();
    fs::create_directories(Folder());
    bench::WriteGeneratedLibrary(index, kTitles, kCategories, prefix);
    return index.string();
}

TImportSetup Setup()
{
    TImportSetup setup;
    setup.SourceIndex = MakeLibrary("source", "Source");
    setup.DestinationIndex = MakeLibrary("destination", "Category");
    setup.Strings.assign(29, "word");
    return setup;
}

bench::TSilentPrompt& Prompt()
{
    static bench::TSilentPrompt prompt;
    return prompt;
}

// Creating the dialog (both trees filled) until it has painted.
void BM_OpenDialog(benchmark::State& state)
{
    const TImportSetup setup = Setup();
    const TTreeImages images;
    for (auto _ : state) {
        TImportList list;
        TfrmImp dialog(Prompt(), images, setup, list);
        dialog.show();
        dialog.repaint();
        state.PauseTiming();
        dialog.hide();
        state.ResumeTiming();
    }
}

// Ten source categories dropped, 1,000 titles queued.
void Queue(TfrmImp& dialog)
{
    for (int c = 0; c < kQueuedCategories; ++c) {
        dialog.TreeView2->setCurrentItem(dialog.TreeView2->topLevelItem(c));
        dialog.Copy1Click();
    }
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void BM_QueueThousandTitles(benchmark::State& state)
{
    const TImportSetup setup = Setup();
    const TTreeImages images;
    TImportList list;
    TfrmImp dialog(Prompt(), images, setup, list);
    for (auto _ : state) {
        Queue(dialog);
        state.PauseTiming();
        list.clear();
        state.ResumeTiming();
    }
}

void BM_CommitThousandTitles(benchmark::State& state)
{
    const TImportSetup setup = Setup();
    const TTreeImages images;
    TImportList list;
    {
        TfrmImp dialog(Prompt(), images, setup, list);
        Queue(dialog);
    }
    if (list.size() != size_t(kQueuedCategories) * (kTitles / kCategories))
        state.SkipWithError("the queue does not hold 1,000 records");
    const std::string index = ReadBytes(setup.DestinationIndex);
    const std::string data = ReadBytes(DataFileName(setup.DestinationIndex));
    for (auto _ : state) {
        TLibraryStore(setup.DestinationIndex).CommitImport(list);
        state.PauseTiming();
        WriteFileAtomically(setup.DestinationIndex, index);
        WriteFileAtomically(DataFileName(setup.DestinationIndex), data);
        state.ResumeTiming();
    }
}

BENCHMARK(BM_OpenDialog)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QueueThousandTitles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CommitThousandTitles)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv)
{
    return tarnwick::bench::RunOffscreenBenchmarks(argc, argv, Folder());
}
