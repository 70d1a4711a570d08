// Library search benchmarks on a library of 100,000 snippets holding 100 MB
// of Pascal (about 1 KB each, CR LF line ends, 100 categories), made once in
// the temporary folder from the corpus named by TARNWICK_SEARCH_CORPUS (see
// make-pascal-corpus.sh; /tmp/pascal-corpus.pas is tried too):
//   BM_LibraryPlain/case|nocase   plain search of the texts
//   BM_LibraryRegex               the expression proc[a-z]+\s*\(
//   BM_LibraryComment             "the" as a whole word, comments only, with
//                                 the built-in Pascal scheme
//   BM_Ripgrep/plain|nocase|regex ripgrep (rg) over the data file for the same
//                                 patterns, printing line numbers as we do,
//                                 for comparison in the same run
// Without a corpus the library cannot be made and every row is skipped.
#include "library/library_format.h"
#include "library_search/library_search.h"
#include "platform/file_io.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

using namespace tarnwick;
namespace fs = std::filesystem;

constexpr int kSnippets = 100'000;
constexpr size_t kSnippetSize = 1000;
constexpr int kCategories = 100;
constexpr const char* kPlain = "FreeAndNil";
constexpr const char* kRegex = "proc[a-z]+\\s*\\(";

std::string Corpus()
{
    const char* env = std::getenv("TARNWICK_SEARCH_CORPUS");
    for (const char* path : {env, "/tmp/pascal-corpus.pas"}) {
        std::string bytes;
        if (path != nullptr && TryReadWholeFile(path, bytes) && !bytes.empty())
            return bytes;
    }
    return {};
}

// The index file of the benchmark library, made on first use; empty without
// a corpus.
const std::string& Library()
{
    static const std::string path = [] {
        const std::string corpus = Corpus();
        if (corpus.empty())
            return std::string();
        const fs::path folder = fs::temp_directory_path() / "tarnwick-search-bench";
        fs::create_directories(folder);
        std::string data;
        data.reserve(size_t(kSnippets) * (kSnippetSize + 100));
        std::vector<std::string> sections(kCategories);
        size_t at = 0;
        for (int i = 0; i < kSnippets; ++i) {
            // About 1 KB of whole lines, with CR LF line ends.
            std::string text;
            while (text.size() < kSnippetSize) {
                size_t eol = corpus.find('\n', at);
                if (eol == std::string::npos)
                    eol = corpus.size();
                text.append(corpus, at, eol - at).append("\r\n");
                at = eol + 1 >= corpus.size() ? 0 : eol + 1;
            }
            text.resize(text.size() - 2);
            sections[size_t(i % kCategories)] += "Snippet " + std::to_string(i) + "=" +
                                                 FormatRange(int64_t(data.size()), int64_t(data.size() + text.size())) +
                                                 "\r\n";
            data += text + "\r\n";
        }
        std::string index;
        for (int c = 0; c < kCategories; ++c)
            index += "[Category " + std::to_string(c) + "]\r\n" + sections[size_t(c)];
        const std::string file = (folder / "search.ini").string();
        WriteFileAtomically(file, index);
        WriteFileAtomically(DataFileName(file), data);
        return file;
    }();
    return path;
}

void Run(benchmark::State& state, TLibrarySearchOptions options)
{
    if (Library().empty()) {
        state.SkipWithError("no Pascal corpus (see make-pascal-corpus.sh)");
        return;
    }
    size_t hits = 0;
    for (auto _ : state)
        hits = SearchLibrary(Library(), options).Hits.size();
    state.counters["hits"] = double(hits);
    state.counters["MB/s"] =
        benchmark::Counter(double(fs::file_size(DataFileName(Library()))), benchmark::Counter::kIsIterationInvariantRate,
                           benchmark::Counter::kIs1000);
}

void BM_LibraryPlain(benchmark::State& state)
{
    TLibrarySearchOptions o;
    o.Pattern = kPlain;
    o.MatchCase = state.range(0) != 0;
    state.SetLabel(o.MatchCase ? "case" : "nocase");
    Run(state, o);
}
BENCHMARK(BM_LibraryPlain)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_LibraryRegex(benchmark::State& state)
{
    TLibrarySearchOptions o;
    o.Pattern = kRegex;
    o.RegExpr = true;
    Run(state, o);
}
BENCHMARK(BM_LibraryRegex)->Unit(benchmark::kMillisecond);

void BM_LibraryComment(benchmark::State& state)
{
    TCodeMemoParser scheme;
    LoadBuiltinScheme(scheme, false);
    TLibrarySearchOptions o;
    o.Pattern = "the";
    o.WholeWord = true;
    o.Tokens = TTokenFilter::Comment;
    o.Scheme = &scheme;
    Run(state, o);
}
BENCHMARK(BM_LibraryComment)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Ripgrep(benchmark::State& state)
{
    if (Library().empty() || std::system("rg --version > /dev/null 2>&1") != 0) {
        state.SkipWithError("no corpus or no rg");
        return;
    }
    const std::string data = DataFileName(Library());
    const char* kinds[] = {"plain", "nocase", "regex"};
    const std::string flags[] = {std::string("-n -F ") + kPlain, std::string("-n -F -i ") + kPlain,
                                 std::string("-n '") + kRegex + "'"};
    state.SetLabel(kinds[state.range(0)]);
    const std::string command = "rg " + flags[state.range(0)] + " '" + data + "' > /dev/null";
    for (auto _ : state)
        benchmark::DoNotOptimize(std::system(command.c_str()));
}
BENCHMARK(BM_Ripgrep)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
