// flock-based library locks, nesting within one process.
#include "library/library_lock.h"

#include "library/library_journal.h"
#include "platform/errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <thread>

namespace tarnwick {

namespace fs = std::filesystem;

namespace {

// The locks this process holds: one descriptor per thread and lock file,
// counted. Each thread has its own descriptor, so that the kernel keeps a
// worker thread's read and another thread's write apart as it does for two
// programs.
struct THeld {
    int fd = -1;  // -1: the request went ahead unlocked
    int count = 0;
    TLockKind kind = TLockKind::Shared;
};

struct TLockTable {
    std::mutex mutex;
    std::map<std::pair<std::thread::id, fs::path>, THeld> held;
    std::chrono::milliseconds timeout{5000};
    bool enabled = true;
};

TLockTable& Table()
{
    static TLockTable table;
    return table;
}

// Opens the lock file, or -1 where none can be had (see the header).
int OpenLockFile(const fs::path& path)
{
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd >= 0)
        return fd;
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

// Takes the lock on `fd`, polling until the deadline. False on a timeout.
bool Acquire(int fd, TLockKind kind, std::chrono::milliseconds timeout)
{
    const int operation = (kind == TLockKind::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        if (::flock(fd, operation) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return true;  // no flock on this file system: go ahead unlocked
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
}

}  // namespace

TLibraryLock::TLibraryLock(const TLibraryFiles& files, TLockKind kind)
    : path_(files.lock), thread_(std::this_thread::get_id())
{
    TLockTable& table = Table();
    std::unique_lock guard(table.mutex);
    if (!table.enabled)
        return;
    const auto key = std::make_pair(thread_, path_);
    if (const auto it = table.held.find(key); it != table.held.end()) {
        // Writing while this thread holds only a shared lock would let
        // another program's reads and this write overlap.
        if (kind == TLockKind::Exclusive && it->second.kind == TLockKind::Shared)
            throw Exception("The library " + files.indexName +
                            " is being read; try again when the read has finished");
        ++it->second.count;
        return;
    }
    // The wait happens outside the table, so that other threads can let go
    // of their locks meanwhile.
    const std::chrono::milliseconds timeout = table.timeout;
    guard.unlock();
    const int fd = OpenLockFile(path_);
    if (fd >= 0 && !Acquire(fd, kind, timeout)) {
        ::close(fd);
        throw Exception("The library " + files.indexName +
                        " is in use by another program; nothing was changed. Try again when "
                        "it has finished");
    }
    guard.lock();
    table.held[key] = THeld{fd, 1, kind};
}

TLibraryLock::~TLibraryLock()
{
    TLockTable& table = Table();
    std::lock_guard guard(table.mutex);
    auto it = table.held.find(std::make_pair(thread_, path_));
    if (it == table.held.end() || --it->second.count > 0)
        return;
    if (it->second.fd >= 0)
        ::close(it->second.fd);  // closing the last descriptor releases the lock
    table.held.erase(it);
}

std::chrono::milliseconds LibraryLockTimeout()
{
    std::lock_guard guard(Table().mutex);
    return Table().timeout;
}

void SetLibraryLockTimeout(std::chrono::milliseconds timeout)
{
    std::lock_guard guard(Table().mutex);
    Table().timeout = timeout;
}

void SetLibraryLocking(bool enabled)
{
    std::lock_guard guard(Table().mutex);
    Table().enabled = enabled;
}

}  // namespace tarnwick
