// Several processes use one library at once, as a user scripting it while the
// window runs would: writers append, save, rename and remove titles of their
// own while readers read every title continuously. At the end the library is
// consistent, every title holds exactly the text its last writer wrote, and no
// reader ever saw a text its title's writer did not write. The same run with
// the locks switched off must break one of these, which shows the test can
// see the fault the locks prevent.
#include "library/library_check.h"
#include "library/library_format.h"
#include "library/library_journal.h"
#include "library/library_lock.h"
#include "library/library_store.h"

#include "library_test_util.h"
#include "platform/errors.h"
#include "platform/profile.h"

#include <chrono>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <sys/wait.h>

namespace tarnwick::test {

namespace {

constexpr int kWriters = 3;
constexpr int kReaders = 2;
constexpr int kSlots = 3;  // titles per writer
constexpr auto kRunTime = std::chrono::milliseconds(1500);

// Writer w's titles: slot s is "w<w>-<s>" or, after a rename, "w<w>-<s>r", in
// category "C<w % 2>" (two writers share a category).
std::string Category(int writer) { return "C" + std::to_string(writer % 2); }
std::string Title(int writer, int slot, bool renamed)
{
    return "w" + std::to_string(writer) + "-" + std::to_string(slot) + (renamed ? "r" : "");
}
int WriterOf(const std::string& title) { return title[1] - '0'; }

// Texts name their writer and are of varying length, so that a text mixed
// from two, or cut, is not one any writer wrote.
std::string Text(int writer, int serial)
{
    std::string text;
    for (int i = 0; i <= serial % 7; ++i)
        text += "writer " + std::to_string(writer) + " text " + std::to_string(serial) + ";";
    return text;
}

struct TSlot {
    bool present = false;
    bool renamed = false;
    std::string text;
};

// One writer process: returns its results as lines, "text <title> <text>" for
// every text written and "final <title> <text>" for what each title must hold.
std::string RunWriter(const std::string& index, int writer, unsigned seed,
                      std::chrono::steady_clock::time_point until)
{
    std::mt19937 random(seed);
    TLibraryStore store(index);
    TSlot slots[kSlots];
    std::ostringstream out;
    int serial = 0;
    int errors = 0;
    while (std::chrono::steady_clock::now() < until) {
        const int s = int(random() % kSlots);
        TSlot& slot = slots[s];
        const std::string category = Category(writer);
        const std::string title = Title(writer, s, slot.renamed);
        try {
            if (!slot.present) {
                const std::string text = Text(writer, ++serial);
                out << "text " << title << " " << text << "\n";
                store.AppendSnippet(category, title, text, DataFileName(index), index);
                slot.present = true;
                slot.text = text;
                continue;
            }
            switch (random() % 4) {
            case 0:
            case 1: {
                const std::string text = Text(writer, ++serial);
                out << "text " << title << " " << text << "\n";
                store.StoreText(category, title, text);
                slot.text = text;
                break;
            }
            case 2:
                store.RenameTitle(category, title, Title(writer, s, !slot.renamed));
                out << "text " << Title(writer, s, !slot.renamed) << " " << slot.text << "\n";
                slot.renamed = !slot.renamed;
                break;
            default: {
                // As tarnwick-cli library remove does it: the range read and
                // cut under one lock.
                const TLibraryLock lock(TLibraryFiles::For(index), TLockKind::Exclusive);
                const TTextRange range =
                    ParseRange(ProfileReadString(index, category, title, ""));
                store.RemoveSnippetText(title, category, range.start, range.end,
                                        range.Length());
                slot.present = false;
                break;
            }
            }
        } catch (const std::exception& error) {
            ++errors;
            out << "error " << error.what() << "\n";
            break;  // the writer's idea of its titles may be wrong from here on
        }
    }
    for (int s = 0; s < kSlots; ++s)
        out << "final " << Title(writer, s, slots[s].renamed) << " "
            << (slots[s].present ? slots[s].text : std::string("<none>")) << "\n"
            << "final " << Title(writer, s, !slots[s].renamed) << " <none>\n";
    return out.str();
}

// One reader process: "seen <title> <text>" for every text read.
std::string RunReader(const std::string& index, unsigned seed,
                      std::chrono::steady_clock::time_point until)
{
    std::mt19937 random(seed);
    std::set<std::string> seen;
    while (std::chrono::steady_clock::now() < until) {
        const int writer = int(random() % kWriters);
        const std::string title = Title(writer, int(random() % kSlots), random() % 2 == 0);
        try {
            seen.insert(title + " " + ReadSnippet(Category(writer), title, index));
        } catch (const std::exception& error) {
            seen.insert(title + " <error " + error.what() + ">");
        }
    }
    std::string out;
    for (const std::string& line : seen)
        out += "seen " + line + "\n";
    return out;
}

}  // namespace

class LibraryConcurrencyTest : public ScratchFolder {
protected:
    // Runs the writers and readers as forked processes and checks the end
    // state; returns every fault found.
    std::vector<std::string> Run(unsigned seed)
    {
        const std::string index = Path("lib.ini");
        Put(index, "");
        Put(Path("lib.dat"), "");
        const auto until = std::chrono::steady_clock::now() + kRunTime;
        std::vector<pid_t> children;
        for (int p = 0; p < kWriters + kReaders; ++p) {
            const pid_t child = ::fork();
            if (child == 0) {
                const std::string out = p < kWriters
                                            ? RunWriter(index, p, seed + unsigned(p), until)
                                            : RunReader(index, seed + unsigned(p), until);
                std::ofstream(Path("out" + std::to_string(p))) << out;
                ::_exit(0);
            }
            children.push_back(child);
        }
        for (pid_t child : children)
            ::waitpid(child, nullptr, 0);

        std::vector<std::string> faults;
        std::map<std::string, std::set<std::string>> written;  // title -> texts
        std::map<std::string, std::string> final;
        std::vector<std::string> seen;
        for (int p = 0; p < kWriters + kReaders; ++p) {
            std::ifstream in(Path("out" + std::to_string(p)));
            for (std::string line; std::getline(in, line);) {
                const size_t a = line.find(' ');
                const size_t b = line.find(' ', a + 1);
                const std::string kind = line.substr(0, a);
                const std::string title = line.substr(a + 1, b - a - 1);
                const std::string text = b == std::string::npos ? "" : line.substr(b + 1);
                if (kind == "text")
                    written[title].insert(text);
                else if (kind == "final")
                    final[title] = text;
                else if (kind == "seen")
                    seen.push_back(title + "\t" + text);
                else
                    faults.push_back("writer " + std::to_string(p) + ": " + line);
            }
        }
        // Texts of a slot move between its two names with renames.
        std::map<int, std::set<std::string>> byWriter;
        for (const auto& [title, texts] : written)
            byWriter[WriterOf(title)].insert(texts.begin(), texts.end());
        for (const std::string& entry : seen) {
            const size_t tab = entry.find('\t');
            const std::string title = entry.substr(0, tab), text = entry.substr(tab + 1);
            if (!text.empty() && !byWriter[WriterOf(title)].count(text))
                faults.push_back("a reader saw " + title + " = '" + text + "'");
        }
        const TLibraryCheck check = CheckLibrary(index);
        for (const std::string& problem : check.problems)
            faults.push_back("check: " + problem);
        for (const auto& [title, text] : final) {
            const int writer = WriterOf(title);
            const bool present = bool(TIniDocument::Load(index).Find(Category(writer), title));
            const std::string now = present ? ReadSnippet(Category(writer), title, index)
                                            : std::string("<none>");
            if (now != text)
                faults.push_back(title + " holds '" + now + "' instead of '" + text + "'");
        }
        return faults;
    }
};

TEST_F(LibraryConcurrencyTest, WritersAndReadersInSeveralProcessesNeitherLoseNorMixTexts)
{
    const std::vector<std::string> faults = Run(1);
    EXPECT_TRUE(faults.empty()) << faults.size() << " faults, the first: " << faults.front();
}

// Without the locks the same run must go wrong; should a run happen to get
// through unharmed, it is repeated a few times.
TEST_F(LibraryConcurrencyTest, WithoutTheLocksTheSameRunLosesOrMixesTexts)
{
    SetLibraryLocking(false);
    size_t faults = 0;
    for (unsigned round = 0; round < 4 && faults == 0; ++round)
        faults = Run(100 + round).size();
    SetLibraryLocking(true);
    EXPECT_GT(faults, 0u);
}

}  // namespace tarnwick::test
