// Crash safety: every store operation is interrupted at each of its file steps
// (open, read, write, flush, rename, remove), once by a failure, once by
// running out of memory and once by ending the process there; after recovery the library must be exactly as it
// was before the operation or as it is after it.
#include "library/library_compact.h"
#include "library/library_format.h"
#include "library/library_journal.h"
#include "library/library_store.h"

#include "library_test_util.h"
#include "platform/errors.h"

#include <functional>
#include <new>
#include <set>
#include <sys/wait.h>

namespace tarnwick::test {

namespace {

struct Snapshot {
    std::string index, data;
    bool operator==(const Snapshot&) const = default;
};

struct Operation {
    const char* name;
    std::function<void(TLibraryStore&, const std::string& folder)> run;
};

const Operation kOperations[] = {
    {"append", [](TLibraryStore& s, const std::string&) {
         s.AppendSnippet("Main", "New", "fresh text", DataFileName(s.IndexFileName()),
                         s.IndexFileName());
     }},
    {"remove", [](TLibraryStore& s, const std::string&) { s.RemoveSnippetText("B", "Main", 5, 7, 2); }},
    {"save", [](TLibraryStore& s, const std::string&) { s.SaveSnippet("Main", "A", "changed"); }},
    {"save_empty_title", [](TLibraryStore& s, const std::string&) { s.SaveSnippet("Two", "E", "e"); }},
    {"rename_category", [](TLibraryStore& s, const std::string&) { s.RenameCategory("Two", "Three"); }},
    {"rename_title", [](TLibraryStore& s, const std::string&) { s.RenameTitle("Main", "A", "Z"); }},
    {"move", [](TLibraryStore& s, const std::string&) { s.MoveTitle("Main", "B", "Two"); }},
    {"delete_category", [](TLibraryStore& s, const std::string&) { s.DeleteCategory("Main", s.IndexFileName()); }},
    {"commit_import", [](TLibraryStore& s, const std::string& folder) {
         const std::string source = folder + "/src.ini";
         s.CommitImport({"Main;A;0;3;" + source + ";S;One", "New;T;0;0;" + source + ";S;Two"});
     }},
    {"compact", [](TLibraryStore& s, const std::string&) { CompactLibrary(s.IndexFileName()); }},
};

}  // namespace

class LibraryCrashTest : public ScratchFolder {
protected:
    void MakeLibrary()
    {
        // Whatever an earlier run left behind goes too, so that one failing
        // run does not make the next ones fail.
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            RemoveFile(entry.path());
        Put(Path("lib.ini"), "[Main]\r\nA=0;3\r\nB=5;7\r\n[Two]\r\nC=9;13\r\nE=0;0\r\n");
        Put(Path("lib.dat"), "abc\r\nde\r\nfghi\r\nunreferenced\r\n");
        Put(Path("src.ini"), "[S]\r\nOne=0;3\r\nTwo=5;8\r\n");
        Put(Path("src.dat"), "one\r\ntwo\r\n");
    }
    Snapshot Take() const { return {Get(Path("lib.ini")), Get(Path("lib.dat"))}; }

    // Runs the operation with a hook that sees every file step; returns how
    // many there were.
    int Run(const Operation& op, const std::function<bool(int)>& atStep)
    {
        int steps = 0;
        SetFileFaultHook([&](TFileOp, const std::filesystem::path&) { return atStep(++steps); });
        TLibraryStore store(Path("lib.ini"));
        try {
            op.run(store, folder_.string());
        } catch (...) {
            SetFileFaultHook(nullptr);
            throw;
        }
        SetFileFaultHook(nullptr);
        return steps;
    }

    // After a crash the next run's recovery has to put the library right; an
    // operation that failed must have done so itself, so for it `recover` is
    // false and the files are checked as the operation left them.
    void ExpectRecovered(const Operation& op, const char* mode, int step, const Snapshot& before,
                         const Snapshot& after, bool recover = true)
    {
        if (recover)
            RecoverLibrary(TLibraryFiles::For(Path("lib.ini")));
        const Snapshot now = Take();
        EXPECT_TRUE(now == before || now == after)
            << op.name << " " << mode << " at step " << step << ":\n"
            << now.index << "\n"
            << now.data;
        std::set<std::string> files;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            files.insert(entry.path().filename().string());
        files.erase("lib.lck");  // lock files stay by design
        files.erase("src.lck");
        EXPECT_EQ(files, (std::set<std::string>{"lib.ini", "lib.dat", "src.ini", "src.dat"}))
            << op.name << " " << mode << " at step " << step;
    }
};

TEST_F(LibraryCrashTest, EveryStepOfEveryOperationIsRecoverable)
{
    for (const Operation& op : kOperations) {
        MakeLibrary();
        const Snapshot before = Take();
        const int steps = Run(op, [](int) { return false; });
        const Snapshot after = Take();
        ASSERT_NE(before, after) << op.name;
        ASSERT_GT(steps, 0) << op.name;

        for (int k = 1; k <= steps; ++k) {
            // The disk refuses step k: the operation rolls back or finishes.
            MakeLibrary();
            try {
                Run(op, [k](int step) { return step == k; });
            } catch (const Exception&) {
            }
            ExpectRecovered(op, "failing", k, before, after, false);

            // Memory runs out at step k: an error that is not the program's
            // own must roll back (or finish) the operation all the same.
            MakeLibrary();
            try {
                Run(op, [k](int step) {
                    if (step == k)
                        throw std::bad_alloc();
                    return false;
                });
            } catch (const std::bad_alloc&) {
            }
            ExpectRecovered(op, "out of memory", k, before, after, false);

            // The process ends at step k, leaving whatever is on disk.
            MakeLibrary();
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                try {
                    Run(op, [k](int step) {
                        if (step == k)
                            ::_exit(0);
                        return false;
                    });
                } catch (...) {
                }
                ::_exit(0);
            }
            int status = 0;
            ::waitpid(child, &status, 0);
            ExpectRecovered(op, "crashing", k, before, after);
        }
    }
}

// A read that comes back short (the data file cut meanwhile) must fail the
// operation: a rebuild would otherwise commit a shorter file under offsets
// worked out for the full one, and an import would store a cut text.
TEST_F(LibraryCrashTest, AShortReadAtAnyCopyFailsTheOperationAndChangesNothing)
{
    std::set<std::string> reading;
    for (const Operation& op : kOperations) {
        MakeLibrary();
        const Snapshot before = Take();
        int reads = 0;
        SetFileFaultHook([&](TFileOp fileOp, const std::filesystem::path&) {
            reads += fileOp == TFileOp::ShortRead;
            return false;
        });
        TLibraryStore counting(Path("lib.ini"));
        op.run(counting, folder_.string());
        SetFileFaultHook(nullptr);
        if (reads > 0)
            reading.insert(op.name);

        for (int k = 1; k <= reads; ++k) {
            MakeLibrary();
            int read = 0;
            SetFileFaultHook([&](TFileOp fileOp, const std::filesystem::path&) {
                return fileOp == TFileOp::ShortRead && ++read == k;
            });
            TLibraryStore store(Path("lib.ini"));
            EXPECT_THROW(op.run(store, folder_.string()), EInOutError) << op.name << " read " << k;
            SetFileFaultHook(nullptr);
            ExpectRecovered(op, "short read", k, before, before, false);
        }
    }
    EXPECT_EQ(reading, (std::set<std::string>{"remove", "save", "delete_category",
                                              "commit_import", "compact"}));
}

TEST_F(LibraryCrashTest, RecoveryRefusesAJournalItDidNotWrite)
{
    MakeLibrary();
    Put(Path("lib.jnl"), "something else\r\n");
    EXPECT_THROW(RecoverLibrary(TLibraryFiles::For(Path("lib.ini"))), Exception);
    EXPECT_EQ(Get(Path("lib.jnl")), "something else\r\n");
}

}  // namespace tarnwick::test
