// POSIX implementation of the checked file layer.
#include "platform/file_io.h"

#include "platform/errors.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace tarnwick {

namespace fs = std::filesystem;

namespace {

TFileFaultHook& FaultHook()
{
    static TFileFaultHook hook;
    return hook;
}

// Raises an I/O error when the test hook asks this operation to fail.
void CheckFault(TFileOp op, const fs::path& path)
{
    if (FaultHook() && FaultHook()(op, path))
        RaiseInOutError(EIO);
}

constexpr size_t kCopyPiece = 1 << 20;

}  // namespace

void SetFileFaultHook(TFileFaultHook hook)
{
    FaultHook() = std::move(hook);
}

TFile::TFile(const fs::path& path, TFileMode mode) : path_(path)
{
    CheckFault(TFileOp::Open, path);
    int flags = O_CLOEXEC;
    switch (mode) {
    case TFileMode::Read: flags |= O_RDONLY; break;
    case TFileMode::ReadWrite: flags |= O_RDWR; break;
    case TFileMode::Create: flags |= O_RDWR | O_CREAT | O_TRUNC; break;
    case TFileMode::Append: flags |= O_WRONLY | O_CREAT | O_APPEND; break;
    }
    fd_ = ::open(path.c_str(), flags, 0644);
    if (fd_ < 0)
        RaiseInOutError(errno);
    struct stat info {};
    if (::fstat(fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
        Close();
        RaiseInOutError(EISDIR);
    }
}

TFile::~TFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

TFile::TFile(TFile&& other) noexcept : fd_(other.fd_), path_(std::move(other.path_))
{
    other.fd_ = -1;
}

TFile& TFile::operator=(TFile&& other) noexcept
{
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        path_ = std::move(other.path_);
        other.fd_ = -1;
    }
    return *this;
}

int64_t TFile::Size() const
{
    struct stat info {};
    if (::fstat(fd_, &info) != 0)
        RaiseInOutError(errno);
    return info.st_size;
}

void TFile::Seek(int64_t position)
{
    if (::lseek(fd_, position, SEEK_SET) < 0)
        RaiseInOutError(errno);
}

size_t TFile::Read(char* buffer, size_t count)
{
    if (FaultHook() && FaultHook()(TFileOp::ShortRead, path_))
        count /= 2;
    CheckFault(TFileOp::Read, path_);
    size_t done = 0;
    while (done < count) {
        ssize_t n = ::read(fd_, buffer + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            RaiseInOutError(errno);
        }
        if (n == 0)
            break;
        done += size_t(n);
    }
    return done;
}

void TFile::ReadExactly(char* buffer, size_t count)
{
    const size_t got = Read(buffer, count);
    if (got < count)
        throw EInOutError("The file " + path_.string() + " ended " + std::to_string(count - got) +
                              " bytes before the end of the part being read; it was changed "
                              "or cut short meanwhile",
                          38);  // the Windows "reached the end of the file"
}

void TFile::Write(std::string_view bytes)
{
    CheckFault(TFileOp::Write, path_);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            RaiseInOutError(errno);
        }
        done += size_t(n);
    }
}

void TFile::Flush()
{
    CheckFault(TFileOp::Flush, path_);
    if (::fsync(fd_) != 0)
        RaiseInOutError(errno);
}

void TFile::Close()
{
    if (fd_ < 0)
        return;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        RaiseInOutError(errno);
}

bool TryReadWholeFile(const fs::path& path, std::string& contents)
{
    CheckFault(TFileOp::Open, path);
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return false;
        RaiseInOutError(errno);
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        RaiseInOutError(errno);
    if (S_ISDIR(info.st_mode))
        RaiseInOutError(EISDIR);
    contents.clear();
    contents.resize(size_t(info.st_size));
    size_t done = 0;
    for (;;) {
        if (done == contents.size())
            contents.resize(contents.size() + 4096);  // the file grew meanwhile
        ssize_t n = ::read(fd, contents.data() + done, contents.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            RaiseInOutError(errno);
        }
        if (n == 0)
            break;
        done += size_t(n);
    }
    contents.resize(done);
    return true;
}

std::string ReadWholeFile(const fs::path& path)
{
    std::string contents;
    if (!TryReadWholeFile(path, contents))
        RaiseFileNotFound();
    return contents;
}

void CopyRange(TFile& source, int64_t from, int64_t to, TFile& target)
{
    if (to <= from)
        return;
    source.Seek(from);
    std::vector<char> buffer(size_t(std::min<int64_t>(to - from, kCopyPiece)));
    int64_t left = to - from;
    while (left > 0) {
        const size_t want = size_t(std::min<int64_t>(left, int64_t(buffer.size())));
        source.ReadExactly(buffer.data(), want);
        target.Write(std::string_view(buffer.data(), want));
        left -= int64_t(want);
    }
}

fs::path TemporaryNameFor(const fs::path& path)
{
    fs::path temp = path;
    temp += ".tmp~";
    return temp;
}

void WriteFileAtomically(const fs::path& path, std::string_view contents)
{
    const fs::path temp = TemporaryNameFor(path);
    {
        TFile file(temp, TFileMode::Create);
        file.Write(contents);
        file.Flush();
        file.Close();
    }
    RenameFile(temp, path);
}

void RenameFile(const fs::path& from, const fs::path& to)
{
    CheckFault(TFileOp::Rename, from);
    if (::rename(from.c_str(), to.c_str()) != 0)
        RaiseInOutError(errno);
}

void RemoveFile(const fs::path& path)
{
    CheckFault(TFileOp::Remove, path);
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        RaiseInOutError(errno);
}

bool FileExists(const fs::path& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void FlushFolder(const fs::path& folder)
{
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;  // best effort: some file systems do not allow it
    ::fsync(fd);
    ::close(fd);
}

}  // namespace tarnwick
