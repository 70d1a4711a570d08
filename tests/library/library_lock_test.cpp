// Library locks between processes: an operation waits for another program's
// lock and fails cleanly when it is not released; a killed holder blocks
// nobody; a read nested in this thread's own operation does not wait, while
// another thread of the process waits as another program would.
#include "library/library_format.h"
#include "library/library_journal.h"
#include "library/library_lock.h"
#include "library/library_store.h"

#include "library_test_util.h"
#include "platform/errors.h"

#include <atomic>
#include <csignal>
#include <thread>
#include <functional>
#include <sys/wait.h>

namespace tarnwick::test {

namespace {

// A child process that holds the library's lock until it is told to let go
// (or is killed).
class TLockHolder {
public:
    TLockHolder(const std::string& index, TLockKind kind)
    {
        int ready[2], release[2];
        if (::pipe(ready) != 0 || ::pipe(release) != 0)
            throw std::runtime_error("pipe");
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(ready[0]);
            ::close(release[1]);
            {
                const TLibraryLock lock(TLibraryFiles::For(index), kind);
                char c = 1;
                (void)!::write(ready[1], &c, 1);
                (void)!::read(release[0], &c, 1);
            }
            ::_exit(0);
        }
        ::close(ready[1]);
        ::close(release[0]);
        releaseFd_ = release[1];
        char c = 0;
        (void)!::read(ready[0], &c, 1);
        ::close(ready[0]);
    }
    ~TLockHolder()
    {
        ::close(releaseFd_);
        ::waitpid(pid_, nullptr, 0);
    }
    void Kill() const { ::kill(pid_, SIGKILL); }

private:
    pid_t pid_ = -1;
    int releaseFd_ = -1;
};

}  // namespace

class LibraryLockTest : public ScratchFolder {
protected:
    void SetUp() override
    {
        ScratchFolder::SetUp();
        index_ = Path("lib.ini");
        Put(index_, "[Main]\r\nA=0;3\r\nB=5;7\r\n");
        Put(Path("lib.dat"), "abc\r\nde\r\n");
        SetLibraryLockTimeout(std::chrono::milliseconds(200));
    }
    void TearDown() override
    {
        SetLibraryLockTimeout(std::chrono::milliseconds(5000));
        ScratchFolder::TearDown();
    }
    std::string index_;
};

TEST_F(LibraryLockTest, AnotherProgramsLockKeepsOutWhatItMust)
{
    struct Row {
        const char* name;
        TLockKind held;
        std::function<void(const std::string& index)> run;
        bool waits;  // true: refused while the other program holds its lock
    };
    const Row rows[] = {
        {"save_while_writing", TLockKind::Exclusive,
         [](const std::string& i) { TLibraryStore(i).SaveSnippet("Main", "A", "xyz"); }, true},
        {"read_while_writing", TLockKind::Exclusive,
         [](const std::string& i) { ReadSnippet("Main", "A", i); }, true},
        {"recovery_while_writing", TLockKind::Exclusive,
         [](const std::string& i) { RecoverLibrary(TLibraryFiles::For(i)); }, true},
        {"rename_while_reading", TLockKind::Shared,
         [](const std::string& i) { TLibraryStore(i).RenameTitle("Main", "A", "Z"); }, true},
        {"read_while_reading", TLockKind::Shared,
         [](const std::string& i) { EXPECT_EQ(ReadSnippet("Main", "A", i), "abc"); }, false},
    };
    for (const Row& row : rows) {
        const std::string before = Get(index_) + Get(Path("lib.dat"));
        {
            TLockHolder holder(index_, row.held);
            if (row.waits) {
                try {
                    row.run(index_);
                    ADD_FAILURE() << row.name << " went ahead";
                } catch (const Exception& error) {
                    EXPECT_NE(error.Message().find("in use by another program"),
                              std::string::npos)
                        << row.name << ": " << error.Message();
                }
                EXPECT_EQ(Get(index_) + Get(Path("lib.dat")), before) << row.name;
            } else {
                EXPECT_NO_THROW(row.run(index_)) << row.name;
            }
        }
        // Released: the operation goes ahead.
        EXPECT_NO_THROW(row.run(index_)) << row.name;
        Put(index_, "[Main]\r\nA=0;3\r\nB=5;7\r\n");
        Put(Path("lib.dat"), "abc\r\nde\r\n");
    }
}

TEST_F(LibraryLockTest, ALockFileLeftByAKilledProgramBlocksNobody)
{
    {
        TLockHolder holder(index_, TLockKind::Exclusive);
        holder.Kill();
    }
    EXPECT_TRUE(FileExists(Path("lib.lck")));
    TLibraryStore(index_).SaveSnippet("Main", "A", "xyz");
    EXPECT_EQ(ReadSnippet("Main", "A", index_), "xyz");
}

TEST_F(LibraryLockTest, AReadDuringThisProcesssOwnOperationDoesNotWaitForItself)
{
    class ReadingHost : public TLibraryHost {
    public:
        std::string index, seen;
        void ProcessMessages() override { seen = ReadSnippet("Main", "B", index); }
    } host;
    host.index = index_;
    Put(Path("src.ini"), "[S]\r\nOne=0;3\r\n");
    Put(Path("src.dat"), "one\r\n");
    TLibraryStore(index_, host).CommitImport({"Main;N;0;3;" + Path("src.ini") + ";S;One"});
    EXPECT_EQ(host.seen, "de");
    EXPECT_EQ(ReadSnippet("Main", "N", index_), "one");
}

TEST_F(LibraryLockTest, AnotherThreadWaitsForThisThreadsOperation)
{
    // A worker thread's read (the window's library search) while this
    // thread holds the exclusive lock: it must wait, not nest into the
    // operation and read the library half changed.
    SetLibraryLockTimeout(std::chrono::milliseconds(5000));
    std::atomic<bool> read{false};
    std::thread worker;
    {
        const TLibraryLock write(TLibraryFiles::For(index_), TLockKind::Exclusive);
        worker = std::thread([&] {
            const TLibraryLock lock(TLibraryFiles::For(index_), TLockKind::Shared);
            read = true;
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_FALSE(read);
    }
    worker.join();
    EXPECT_TRUE(read);

    // And a thread's read does not turn this thread's write into the error
    // for a write nested in a read: the write waits for the read instead.
    std::atomic<bool> reading{false}, done{false};
    worker = std::thread([&] {
        const TLibraryLock lock(TLibraryFiles::For(index_), TLockKind::Shared);
        reading = true;
        while (!done)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
    while (!reading)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        done = true;
    });
    EXPECT_NO_THROW(TLibraryStore(index_).StoreText("Main", "A", "xyz"));
    release.join();
    worker.join();
    EXPECT_EQ(ReadSnippet("Main", "A", index_), "xyz");
}

}  // namespace tarnwick::test
