// Locking a library against other programs that use it at the same time: the
// window, a second window, tarnwick-cli in a script, a sync tool's helper.
//
// The lock is an advisory flock(2) on a lock file beside the data file (D
// with extension ".lck", created on demand and never removed). Every store
// operation holds it exclusively from its first read to its last rename, and
// journal recovery runs under it; every read (ReadSnippet, the listing, the
// check) holds it shared, so a read sees the library either before or after
// any operation, never in between. The kernel drops a lock with the process
// that held it, so a lock file left by a killed process blocks nobody.
//
// On file systems without flock (some network mounts answer ENOLCK or
// EOPNOTSUPP) and where the lock file cannot be created (a read-only or
// missing folder) the operation goes ahead unlocked, as before locking
// existed: a read-only folder has no writer to wait for, and a write to a
// missing folder fails on its own. Only programs that take this lock are kept
// out; an editor writing the files by hand is not.
//
// Within one thread the lock nests: a request while the thread already holds
// the library's lock is granted at once (the in-process guard of
// TLibraryTransaction keeps two operations from overlapping), so that a read
// made while an import processes window messages does not wait for itself.
// Another thread of the process (the window's library search) takes a lock
// of its own and waits for this one as another program would. A lock is
// released on the thread that took it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace tarnwick {

struct TLibraryFiles;

enum class TLockKind { Shared, Exclusive };

class TLibraryLock {
public:
    // Waits up to LibraryLockTimeout() for the lock; raises "The library %s is
    // in use by another program ..." when it cannot be had, before anything
    // was read or changed.
    TLibraryLock(const TLibraryFiles& files, TLockKind kind);
    ~TLibraryLock();
    TLibraryLock(const TLibraryLock&) = delete;
    TLibraryLock& operator=(const TLibraryLock&) = delete;

private:
    std::filesystem::path path_;
    std::thread::id thread_;
};

// How long a lock request waits for another program (5 seconds unless set).
std::chrono::milliseconds LibraryLockTimeout();
void SetLibraryLockTimeout(std::chrono::milliseconds timeout);

// Test-only switch: with false, no lock is taken at all, so that a test can
// show what concurrent programs do to a library without them.
void SetLibraryLocking(bool enabled);

}  // namespace tarnwick
