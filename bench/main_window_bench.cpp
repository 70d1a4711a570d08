// The main window with large libraries, offscreen: start-up until the first
// paint, loading a library into the tree, and a click on a title until the
// code pane has painted its text — for 10,000 titles, and the click for
// 100,000 as well. Titles are spread over 100 categories; texts are about
// 1 KB of Pascal. With a 5,000-line snippet open in the 10,000-title library:
// a keystroke until the pane has repainted, Save, and a click on another
// title with auto-save on (save of the first, loading and painting the
// second).
#include "app/code_pane_host.h"
#include "app/main_form.h"
#include "editor/code_memo.h"
#include "generated_library.h"
#include "silent_prompt.h"
#include "platform/file_io.h"
#include "library/library_format.h"
#include "library/library_store.h"
#include "offscreen_main.h"

#include <QApplication>
#include <QTest>

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

// The 10,000-title library with two more titles of 5,000 lines each in a
// category of their own, and AutoSave on.
fs::path LargeSnippetFolder()
{
    const fs::path folder = AppFolder(10000).parent_path() / "large-snippets";
    if (fs::exists(folder / "main.ini"))
        return folder;
    fs::create_directories(folder);
    for (const char* name : {"Tarnwick.Ini", "Tarnwick.dat", "english.lng"})
        fs::copy_file(AppFolder(10000) / name, folder / name);
    const std::string index = (folder / "Tarnwick.Ini").string();
    TLibraryStore store(index);
    for (const char* title : {"Large 1", "Large 2"}) {
        std::string text = "unit Large;\r\ninterface\r\nimplementation\r\n";
        for (int line = 3; line < 4999; ++line)
            text += "  Total := Total + Values[" + std::to_string(line) + "]; { sum }\r\n";
        text += "end.";
        store.AppendSnippet("Large", title, text, (folder / "Tarnwick.dat").string(), index);
    }
    WriteFileAtomically(folder / "main.ini",
                        "[Options]\r\nHasRun1=1\r\nLoadDefault=1\r\nAutoSave=1\r\n");
    return folder;
}

// The window over that library, shown, with "Large <n>" in the pane.
class TLargeSnippetWindow {
public:
    TLargeSnippetWindow() : form_(Prompt(), LargeSnippetFolder())
    {
        form_.resize(1000, 700);
        form_.show();
        form_.activateWindow();
        // Without activation the focus changes below do not happen; the
        // benchmarks' checks then report that nothing was saved.
        (void)QTest::qWaitForWindowActive(&form_);
        WaitForPaint(form_);
        QTreeWidgetItem* category = form_.TreeView1->findItems("Large", Qt::MatchExactly).front();
        category->setExpanded(true);
        titles_[0] = category->child(0);
        titles_[1] = category->child(1);
        Show(0);
    }
    TMainForm& Form() { return form_; }
    TCodeMemo& Editor() { return form_.Memo1->Editor(); }
    // A click on title `n` as the user makes it: the tree takes the focus
    // (auto-save), the click loads the title, the pane paints it.
    void Show(int n)
    {
        form_.TreeView1->setFocus(Qt::MouseFocusReason);
        form_.TreeView1->setCurrentItem(titles_[n]);
        form_.TreeView1Click();
        form_.Memo1->View()->setFocus(Qt::MouseFocusReason);
        Editor().viewport()->repaint();
    }
    bool Large() const { return form_.Memo1->LineCount() >= 5000; }

private:
    TMainForm form_;
    QTreeWidgetItem* titles_[2] = {};
};

void BM_KeystrokeToRepaint(benchmark::State& state)
{
    TLargeSnippetWindow window;
    TCodeMemo& editor = window.Editor();
    editor.Model().SetSelection(200000, 200000);
    editor.ScrollCaretIntoView();
    int turn = 0;
    for (auto _ : state) {
        // Typing and rubbing out keep the text the same size.
        QTest::keyClick(&editor, turn++ % 2 == 0 ? Qt::Key_X : Qt::Key_Backspace);
        editor.viewport()->repaint();
    }
    if (!window.Large() || !window.Form().Dirty())
        state.SkipWithError("the keystrokes did not reach the large snippet");
}

void BM_SaveLargeSnippet(benchmark::State& state)
{
    TLargeSnippetWindow window;
    for (auto _ : state) {
        state.PauseTiming();
        QTest::keyClick(&window.Editor(), Qt::Key_X);
        state.ResumeTiming();
        window.Form().btnSaveClick();
    }
    if (!window.Large() || window.Form().btnSave->isEnabled())
        state.SkipWithError("the large snippet was not saved");
}

void BM_ClickAnotherTitleWithAutoSave(benchmark::State& state)
{
    TLargeSnippetWindow window;
    int turn = 1;
    for (auto _ : state) {
        state.PauseTiming();
        QTest::keyClick(&window.Editor(), Qt::Key_X);
        state.ResumeTiming();
        window.Show(turn++ % 2);
    }
    if (!window.Large() || window.Form().Dirty())
        state.SkipWithError("the edit was not auto-saved");
}

BENCHMARK(BM_KeystrokeToRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveLargeSnippet)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ClickAnotherTitleWithAutoSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupToFirstPaint)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLibrary)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TitleClickUntilPainted)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return tarnwick::bench::RunOffscreenBenchmarks(argc, argv, fs::temp_directory_path() / ("tarnwick-bench-window-" + std::to_string(::getpid())));
}
