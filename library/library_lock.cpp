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

// The locks this process holds: one descriptor per lock file, counted.
struct THeld {
    int fd = -1;  // -1: the request went ahead unlocked
    int count = 0;
    TLockKind kind = TLockKind::Shared;
};

struct TLockTable {
    std::mutex mutex;
    std::map<fs::path, THeld> held;
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

TLibraryLock::TLibraryLock(const TLibraryFiles& files, TLockKind kind) : path_(files.lock)
{
    TLockTable& table = Table();
    std::lock_guard guard(table.mutex);
    if (!table.enabled)
        return;
    THeld& held = table.held[path_];
    if (held.count > 0) {
        // Writing while this process holds only a shared lock would let
        // another program's reads and this write overlap.
        if (kind == TLockKind::Exclusive && held.kind == TLockKind::Shared)
            throw Exception("The library " + files.indexName +
                            " is being read; try again when the read has finished");
        ++held.count;
        return;
    }
    held.fd = OpenLockFile(path_);
    if (held.fd >= 0 && !Acquire(held.fd, kind, table.timeout)) {
        ::close(held.fd);
        table.held.erase(path_);
        throw Exception("The library " + files.indexName +
                        " is in use by another program; nothing was changed. Try again when "
                        "it has finished");
    }
    held.count = 1;
    held.kind = kind;
}

TLibraryLock::~TLibraryLock()
{
    TLockTable& table = Table();
    std::lock_guard guard(table.mutex);
    auto it = table.held.find(path_);
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
