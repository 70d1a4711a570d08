// Crash-safe replacement of a library's two files.
//
// Files beside the library (D = data file, I = index file):
//   B  D with extension ".bak"   the new data file while it is built (the work file)
//   N  I followed by ".new~"     the new index file while it is built
//   J  D with extension ".jnl"   the journal; written whole or not at all (temporary
//                                file, flush, rename), so its presence means its
//                                content is complete
//   L  D with extension ".lck"   the lock file (library_lock.h); always left in place
//
// Rebuilding the data file (removing texts, saving, deleting a category):
//   1. B written completely and flushed; N written completely and flushed.
//   2. J := "commit".                                       <- commit point
//   3. B renamed over D; N renamed over I; folder flushed.
//   4. J removed.
// Appending (append, import), where D grows in place:
//   1. J := "append <old size of D>" ("append -1": D did not exist).
//   2. The texts appended to D; D flushed.
//   3. N written completely and flushed.
//   4. J := "commit".                                       <- commit point
//   5. N renamed over I; folder flushed.
//   6. J removed.
// Index-only changes (renames, moves) replace I by one atomic write.
//
// Recovery, run before every store operation and by `tarnwick-cli check`,
// always under the exclusive lock (another program's operation in flight
// would otherwise look interrupted and be cut back):
//   no J             roll back: remove B and N (nothing was replaced yet).
//   J = "append X"   roll back: remove N and B; cut D back to X bytes (or
//                    remove it when X is -1). I was not replaced yet.
//   J = "commit"     roll forward: rename B over D and N over I where they
//                    still exist, then remove J.
// Every step of recovery can be repeated, so a crash during recovery is
// recovered by the next run. A crash at any point therefore leaves, after
// recovery, either the library as it was before the operation or as it is
// after it, byte for byte.
//
// A failure (any exception) inside an operation is handled the same way at
// once: the transaction's destructor rolls back an operation that did not
// reach its commit point, and the error goes on to the caller. Past the commit
// point a failed step of the replacement is tried once more; when that
// succeeds the operation counts as done and no error is raised.
#pragma once

#include "library/library_lock.h"
#include "platform/profile.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class TFile;

// The resolved paths of a library and its work files.
struct TLibraryFiles {
    std::string indexName;  // as given (shown in "Unable to write to %s")
    std::filesystem::path index, data, work, newIndex, journal, lock;

    // `dataFileName` defaults to the name derived from the index file's.
    static TLibraryFiles For(const std::string& indexFileName,
                             const std::string& dataFileName = {});
};

enum class TRecovery { Nothing, RolledBack, RolledForward };

// Finishes or rolls back an interrupted replacement, as described above, under
// the exclusive lock. Raises a clear message for a journal this program did
// not write.
TRecovery RecoverLibrary(const TLibraryFiles& files);

// A byte range of the old data file that the rebuilt file keeps; with
// `terminated`, CR LF is written after it (compaction copies bare texts).
struct TPiece {
    int64_t from = 0, to = 0;
    bool terminated = false;
};

// One store operation on one library: holds the exclusive lock for its whole
// life, recovers the library, holds its index file in memory, and replaces the files by one of the protocols above. A
// transaction destroyed before one of its Commit calls returned rolls back
// (or, past the commit point, finishes) whatever it had begun. Only
// one transaction per library may be open in the process at a time (another
// raises "The library ... is busy"), so that a nested operation started while
// window messages are processed cannot undo this one's work in progress.
class TLibraryTransaction {
public:
    explicit TLibraryTransaction(TLibraryFiles files);
    ~TLibraryTransaction();
    TLibraryTransaction(const TLibraryTransaction&) = delete;
    TLibraryTransaction& operator=(const TLibraryTransaction&) = delete;

    const TLibraryFiles& Files() const { return files_; }
    TIniDocument& Index() { return index_; }
    const TIniDocument& Index() const { return index_; }
    // Size of the data file, or nullopt when it does not exist.
    std::optional<int64_t> DataSize() const;

    // Index-only change: writes I at once when the document changed.
    void CommitIndex();

    // Rebuild: the new data file is `pieces` of the old one in order, then
    // each of `appended` followed by CR LF; the new index is Index().
    void CommitRebuild(const std::vector<TPiece>& pieces,
                       const std::vector<std::string>& appended);

    // Append: BeginAppend, then AppendText any number of times (the text and
    // CR LF go to the end of D at once, so later reads of D see them), then
    // CommitAppend. Returns the offset the next text will start at.
    void BeginAppend();
    int64_t AppendOffset() const { return appendEnd_; }
    void AppendText(std::string_view text);
    void CommitAppend();

private:
    void WriteJournal(std::string_view content);
    void WriteNewIndex();
    void FinishCommitted();
    void CompleteCommitted();
    void Abandon() noexcept;

    TLibraryFiles files_;
    TLibraryLock lock_;  // released last, after the destructor's rollback
    TIniDocument index_;
    bool committed_ = false;
    bool done_ = false;
    bool appending_ = false;
    int64_t appendEnd_ = 0;
    std::unique_ptr<TFile> appendFile_;
};

}  // namespace tarnwick
