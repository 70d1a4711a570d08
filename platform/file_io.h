// Binary file access for the store and the profile layer.
//
// TFile is an open file that is closed when it goes out of scope, on every
// path. Each operation is checked; a failure raises EInOutError with the
// platform's text ("File not found", "I/O error %d"). Names given here are
// Linux paths: resolve stored names with ResolveFileName first.
//
// For tests, a fault hook can make any open, read, write, flush, rename or
// delete fail as if the disk had refused it, or a read come back short as if
// the file had been cut meanwhile, so that crash-safety can be checked at
// every step.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace tarnwick {

enum class TFileMode {
    Read,       // existing file, read only
    ReadWrite,  // existing file, read and write
    Create,     // create or empty, read and write
    Append,     // create when missing, writes go to the end
};

// ShortRead is asked before every read: true makes that read return half the
// bytes asked for instead of failing.
enum class TFileOp { Open, Read, ShortRead, Write, Flush, Rename, Remove };

class TFile {
public:
    TFile() = default;
    TFile(const std::filesystem::path& path, TFileMode mode);
    ~TFile();
    TFile(TFile&& other) noexcept;
    TFile& operator=(TFile&& other) noexcept;
    TFile(const TFile&) = delete;
    TFile& operator=(const TFile&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    int64_t Size() const;
    void Seek(int64_t position);
    // Reads up to `count` bytes; fewer only at the end of the file.
    size_t Read(char* buffer, size_t count);
    // Reads exactly `count` bytes; raises EInOutError when the file ends
    // first (it is shorter than its caller measured it).
    void ReadExactly(char* buffer, size_t count);
    void Write(std::string_view bytes);
    // Pushes the written bytes to the disk (fsync).
    void Flush();
    void Close();

private:
    int fd_ = -1;
    std::filesystem::path path_;
};

// The whole file; raises "File not found" when it does not exist.
std::string ReadWholeFile(const std::filesystem::path& path);

// The whole file, or nullopt-like `false` when it does not exist.
bool TryReadWholeFile(const std::filesystem::path& path, std::string& contents);

// Copies bytes [from, to) of `source` to the current end of `target`, in
// pieces, so no size limit applies. A source that ends before `to` raises
// EInOutError: a shorter copy would not be the range asked for.
void CopyRange(TFile& source, int64_t from, int64_t to, TFile& target);

// Writes `contents` to a temporary file beside `path`, flushes it and renames
// it over `path`, so that readers see either the old or the new file.
void WriteFileAtomically(const std::filesystem::path& path, std::string_view contents);

// The temporary name WriteFileAtomically uses for `path`.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& path);

void RenameFile(const std::filesystem::path& from, const std::filesystem::path& to);
// Removing a file that does not exist is no error.
void RemoveFile(const std::filesystem::path& path);
bool FileExists(const std::filesystem::path& path);
// Flushes a folder's entry list, so that a rename in it survives a crash.
void FlushFolder(const std::filesystem::path& folder);

// Test hook: when set and it returns true for an operation on a path, that
// operation fails with an I/O error instead of being carried out.
using TFileFaultHook = std::function<bool(TFileOp op, const std::filesystem::path& path)>;
void SetFileFaultHook(TFileFaultHook hook);

}  // namespace tarnwick
