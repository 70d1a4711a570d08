// Store operations on large generated libraries: saving, reading, listing,
// deleting and renaming a category, committing an import and compacting, for
// 1,000, 10,000 and 100,000 snippets of about 1 KB in 100 categories (plus a
// 100-title category that the delete benchmark removes). The figures must
// grow linearly with the library's size. Also the cost of an uncontended
// library lock, which every operation and read pays.
#include "library/library_compact.h"
#include "library/library_format.h"
#include "library/library_journal.h"
#include "library/library_lock.h"
#include "library/library_store.h"
#include "platform/file_io.h"
#include "platform/profile.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <limits>
#include <map>
#include <unistd.h>

namespace {

using namespace tarnwick;
namespace fs = std::filesystem;

constexpr int kCategories = 100;
constexpr int kDoomedTitles = 100;
constexpr int kImportRecords = 1000;

fs::path Folder()
{
    static const fs::path folder =
        fs::temp_directory_path() / ("tarnwick-bench-library-" + std::to_string(::getpid()));
    return folder;
}

std::string Text(int n)
{
    std::string text;
    while (text.size() < 1000)
        text += "procedure Snippet" + std::to_string(n) + ";\r\nbegin\r\n  Work;\r\nend;\r\n";
    return text.substr(0, 980 + size_t(n % 40));
}

// Writes `name`.ini/.dat with `snippets` texts spread over 100 categories and
// a category "Doomed" of 100 titles in the middle; returns the index path.
std::string MakeLibrary(const std::string& name, int snippets)
{
    fs::create_directories(Folder());
    std::vector<std::string> sections(kCategories);
    std::string doomed;
    std::string data;
    auto add = [&](std::string& section, const std::string& title, int n) {
        const std::string text = Text(n);
        section += title + "=" +
                   FormatRange(int64_t(data.size()), int64_t(data.size() + text.size())) + "\r\n";
        data += text + "\r\n";
    };
    for (int i = 0; i < snippets; ++i) {
        add(sections[size_t(i % kCategories)], "Title " + std::to_string(i), i);
        if (i == snippets / 2)
            for (int d = 0; d < kDoomedTitles; ++d)
                add(doomed, "Doomed " + std::to_string(d), d);
    }
    std::string index;
    for (int c = 0; c < kCategories; ++c)
        index += "[Category " + std::to_string(c) + "]\r\n" + sections[size_t(c)];
    index += "[Doomed]\r\n" + doomed;
    const std::string path = (Folder() / (name + ".ini")).string();
    WriteFileAtomically(path, index);
    WriteFileAtomically(DataFileName(path), data);
    return path;
}

// One generated library per size, with a pristine copy to restore from.
const std::string& Library(int snippets)
{
    static std::map<int, std::string> made;
    auto it = made.find(snippets);
    if (it == made.end()) {
        const std::string path = MakeLibrary("lib" + std::to_string(snippets), snippets);
        fs::copy_file(path, path + ".orig", fs::copy_options::overwrite_existing);
        fs::copy_file(DataFileName(path), DataFileName(path) + ".orig",
                      fs::copy_options::overwrite_existing);
        it = made.emplace(snippets, path).first;
    }
    return it->second;
}

void Restore(const std::string& path)
{
    fs::copy_file(path + ".orig", path, fs::copy_options::overwrite_existing);
    fs::copy_file(DataFileName(path) + ".orig", DataFileName(path),
                  fs::copy_options::overwrite_existing);
}

std::string MiddleCategory() { return "Category " + std::to_string(kCategories / 2); }
std::string MiddleTitle(int snippets)
{
    return "Title " + std::to_string(snippets / 2 / kCategories * kCategories + kCategories / 2);
}

void BM_SaveSnippet(benchmark::State& state)
{
    const int snippets = int(state.range(0));
    const std::string& index = Library(snippets);
    TLibraryStore store(index);
    const std::string text = Text(7);
    for (auto _ : state)
        store.SaveSnippet(MiddleCategory(), MiddleTitle(snippets), text);
}

void BM_ReadSnippet(benchmark::State& state)
{
    const int snippets = int(state.range(0));
    const std::string& index = Library(snippets);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadSnippet(MiddleCategory(), MiddleTitle(snippets), index));
}

// Every category and title, as the tree loads them: one read of the index,
// then the lists of the loaded document.
void BM_ListAll(benchmark::State& state)
{
    const std::string& index = Library(int(state.range(0)));
    for (auto _ : state) {
        const TIniDocument doc = TIniDocument::Load(index);
        size_t titles = 0;
        for (const std::string& category : doc.SectionNames())
            titles += doc.Keys(category).size();
        benchmark::DoNotOptimize(titles);
    }
}

void BM_DeleteCategory(benchmark::State& state)
{
    const std::string& index = Library(int(state.range(0)));
    TLibraryStore store(index);
    for (auto _ : state) {
        state.PauseTiming();
        Restore(index);
        state.ResumeTiming();
        store.DeleteCategory("Doomed", index);
    }
    Restore(index);
}

void BM_CommitImport(benchmark::State& state)
{
    const std::string& index = Library(int(state.range(0)));
    static const std::string source = MakeLibrary("source", kImportRecords);
    std::vector<std::string> records;
    for (int i = 0; i < kImportRecords; ++i)
        records.push_back("Imported " + std::to_string(i % 10) + ";Title " + std::to_string(i) +
                          ";0;0;" + source + ";Category " + std::to_string(i % kCategories) +
                          ";Title " + std::to_string(i));
    TLibraryStore store(index);
    for (auto _ : state) {
        state.PauseTiming();
        Restore(index);
        state.ResumeTiming();
        store.CommitImport(records);
    }
    Restore(index);
}

// A category of 1% of the titles renamed and renamed back: an index-only
// change that walks every key of the category.
void BM_RenameCategory(benchmark::State& state)
{
    const std::string& index = Library(int(state.range(0)));
    TLibraryStore store(index);
    for (auto _ : state) {
        store.RenameCategory(MiddleCategory(), "Renamed");
        store.RenameCategory("Renamed", MiddleCategory());
    }
}

// Every title re-pointed and the whole data file rewritten.
void BM_CompactLibrary(benchmark::State& state)
{
    const std::string& index = Library(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(CompactLibrary(index));
    Restore(index);
}

// What every store operation (exclusive) and every read (shared) pays for its
// lock when no other program holds it: open the lock file, flock, close.
void BM_LockUncontended(benchmark::State& state)
{
    const TLibraryFiles files = TLibraryFiles::For(Library(1000));
    const TLockKind kind = state.range(0) ? TLockKind::Exclusive : TLockKind::Shared;
    for (auto _ : state)
        const TLibraryLock lock(files, kind);
    state.SetLabel(state.range(0) ? "exclusive" : "shared");
}

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SaveSnippet)->Apply(Sizes);
BENCHMARK(BM_ReadSnippet)->Apply(Sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ListAll)->Apply(Sizes);
BENCHMARK(BM_DeleteCategory)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_CommitImport)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_RenameCategory)->Apply(Sizes);
BENCHMARK(BM_CompactLibrary)->Apply(Sizes)->Iterations(3);
BENCHMARK(BM_LockUncontended)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Folder());
    return 0;
}
