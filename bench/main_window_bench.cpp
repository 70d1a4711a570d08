// The main window with large libraries, offscreen: start-up until the first
// paint, loading a library into the tree, and a click on a title until the
// code pane has painted its text — for 10,000 titles, and the click for
// 100,000 as well. Titles are spread over 100 categories; texts are about
// 1 KB of Pascal.
#include "app/code_pane_host.h"
#include "app/main_form.h"
#include "generated_library.h"
#include "silent_prompt.h"
#include "platform/file_io.h"
#include "library/library_format.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

using namespace tarnwick;
namespace fs = std::filesystem;

constexpr int kCategories = 100;

using bench::TSilentPrompt;

// An application folder per library size, its default library loaded at
// start-up.
fs::path AppFolder(int titles)
{
    const fs::path folder = fs::temp_directory_path() /
                            ("tarnwick-bench-window-" + std::to_string(::getpid())) /
                            std::to_string(titles);
    if (fs::exists(folder / "main.ini"))
        return folder;
    fs::create_directories(folder);
    bench::WriteGeneratedLibrary(folder / "Tarnwick.Ini", titles, kCategories);
    WriteFileAtomically(folder / "english.lng", "[Strings]\r\n" + [] {
        std::string strings;
        for (int i = 0; i < 29; ++i)
            strings += "s" + std::to_string(i) + "=word\r\n";
        return strings;
    }());
    WriteFileAtomically(folder / "main.ini", "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\n");
    return folder;
}

TSilentPrompt& Prompt()
{
    static TSilentPrompt prompt;
    return prompt;
}

void WaitForPaint(const TMainForm& form)
{
    while (!form.Painted())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void BM_StartupToFirstPaint(benchmark::State& state)
{
    const fs::path folder = AppFolder(int(state.range(0)));
    for (auto _ : state) {
        auto form = std::make_unique<TMainForm>(Prompt(), folder);
        form->show();
        WaitForPaint(*form);
        state.PauseTiming();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

void BM_LoadLibrary(benchmark::State& state)
{
    const fs::path folder = AppFolder(int(state.range(0)));
    TMainForm form(Prompt(), folder);
    form.show();
    WaitForPaint(form);
    for (auto _ : state) {
        form.LoadLibrary(folder / "Tarnwick.Ini");
        form.TreeView1->viewport()->repaint();
    }
}

void BM_TitleClickUntilPainted(benchmark::State& state)
{
    const int titles = int(state.range(0));
    TMainForm form(Prompt(), AppFolder(titles));
    form.show();
    WaitForPaint(form);
    // A title in the middle of the index file, and a second one to switch
    // between, so that every click loads another text.
    QTreeWidgetItem* middle = form.TreeView1->topLevelItem(kCategories / 2);
    QTreeWidgetItem* nodes[] = {middle->child(middle->childCount() / 2),
                                middle->child(middle->childCount() / 2 + 1)};
    middle->setExpanded(true);
    int turn = 0;
    for (auto _ : state) {
        form.TreeView1->setCurrentItem(nodes[turn++ % 2]);
        form.TreeView1Click();
        form.Memo1->View()->repaint();
    }
    if (form.Memo1->Text().empty())
        state.SkipWithError("the title's text was not shown");
}

BENCHMARK(BM_StartupToFirstPaint)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLibrary)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TitleClickUntilPainted)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(fs::temp_directory_path() / ("tarnwick-bench-window-" + std::to_string(::getpid())), ec);
    return 0;
}
