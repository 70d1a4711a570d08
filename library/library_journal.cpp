// The journal protocol that keeps a library's two files in step.
#include "library/library_journal.h"

#include "library/library_format.h"
#include "platform/ascii_text.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace tarnwick {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kCommit = "commit";
constexpr std::string_view kAppend = "append ";

// Journals of the transactions open in this process.
std::vector<fs::path>& OpenJournals()
{
    static std::vector<fs::path> journals;
    return journals;
}

void FlushFolders(const TLibraryFiles& files)
{
    FlushFolder(files.data.parent_path());
    if (files.index.parent_path() != files.data.parent_path())
        FlushFolder(files.index.parent_path());
}

void RemoveIfPresent(const fs::path& path, bool& removed)
{
    if (FileExists(path)) {
        RemoveFile(path);
        removed = true;
    }
}

// Cuts the data file back to the size it had before an append began.
void RestoreDataSize(const fs::path& data, int64_t size)
{
    if (size < 0) {
        RemoveFile(data);
        return;
    }
    if (!FileExists(data))
        return;
    TFile file(data, TFileMode::ReadWrite);
    if (file.Size() > size) {
        std::error_code ec;
        fs::resize_file(data, uintmax_t(size), ec);
        if (ec)
            RaiseInOutError(ec.value());
        file.Flush();
    }
}

}  // namespace

TLibraryFiles TLibraryFiles::For(const std::string& indexFileName, const std::string& dataFileName)
{
    TLibraryFiles files;
    files.indexName = indexFileName;
    files.index = ResolveFileName(indexFileName);
    files.data = ResolveFileName(dataFileName.empty() ? DataFileName(indexFileName) : dataFileName);
    files.work = ChangeFileExt(files.data.string(), ".bak");
    files.journal = ChangeFileExt(files.data.string(), ".jnl");
    files.lock = ChangeFileExt(files.data.string(), ".lck");
    files.newIndex = files.index;
    files.newIndex += ".new~";
    return files;
}

TRecovery RecoverLibrary(const TLibraryFiles& files)
{
    const TLibraryLock lock(files, TLockKind::Exclusive);
    std::string journal;
    const bool hasJournal = TryReadWholeFile(files.journal, journal);
    bool removed = false;
    // A journal that was being written when the process stopped never took
    // effect: only its temporary file exists.
    RemoveIfPresent(TemporaryNameFor(files.journal), removed);
    // Likewise a half-written index from an index-only change.
    RemoveIfPresent(TemporaryNameFor(files.index), removed);

    if (!hasJournal) {
        removed = false;
        RemoveIfPresent(files.work, removed);
        RemoveIfPresent(files.newIndex, removed);
        return removed ? TRecovery::RolledBack : TRecovery::Nothing;
    }

    const std::string_view content = Trimmed(journal, " \r\n");
    if (content == kCommit) {
        if (FileExists(files.work))
            RenameFile(files.work, files.data);
        if (FileExists(files.newIndex))
            RenameFile(files.newIndex, files.index);
        FlushFolders(files);
        RemoveFile(files.journal);
        return TRecovery::RolledForward;
    }
    if (content.starts_with(kAppend)) {
        const std::string sizeText(content.substr(kAppend.size()));
        int64_t size = 0;
        try {
            size = ParseDecimal(sizeText);
        } catch (const EConvertError&) {
            size = -2;
        }
        if (size >= -1) {
            RemoveIfPresent(files.newIndex, removed);
            RemoveIfPresent(files.work, removed);
            RestoreDataSize(files.data, size);
            FlushFolders(files);
            RemoveFile(files.journal);
            return TRecovery::RolledBack;
        }
    }
    throw Exception("The journal file '" + files.journal.string() +
                    "' was not written by this program; check the library and remove it");
}

TLibraryTransaction::TLibraryTransaction(TLibraryFiles files)
    : files_(std::move(files)), lock_(files_, TLockKind::Exclusive)
{
    std::vector<fs::path>& open = OpenJournals();
    if (std::find(open.begin(), open.end(), files_.journal) != open.end())
        throw Exception("The library " + files_.indexName +
                        " is busy with another operation; try again when it has finished");
    RecoverLibrary(files_);
    index_ = TIniDocument::Load(files_.index);
    open.push_back(files_.journal);
}

TLibraryTransaction::~TLibraryTransaction()
{
    if (!done_)
        Abandon();
    std::vector<fs::path>& open = OpenJournals();
    auto it = std::find(open.begin(), open.end(), files_.journal);
    if (it != open.end())
        open.erase(it);
}

std::optional<int64_t> TLibraryTransaction::DataSize() const
{
    if (!FileExists(files_.data))
        return std::nullopt;
    TFile data(files_.data, TFileMode::Read);
    return data.Size();
}

void TLibraryTransaction::CommitIndex()
{
    if (index_.Modified()) {
        try {
            WriteFileAtomically(files_.index, index_.Text());
        } catch (const EInOutError&) {
            RaiseUnableToWrite(files_.indexName);
        }
        FlushFolders(files_);
    }
    done_ = true;
}

void TLibraryTransaction::WriteJournal(std::string_view content)
{
    WriteFileAtomically(files_.journal, std::string(content) + "\r\n");
    FlushFolders(files_);
}

void TLibraryTransaction::WriteNewIndex()
{
    try {
        TFile file(files_.newIndex, TFileMode::Create);
        file.Write(index_.Text());
        file.Flush();
        file.Close();
    } catch (const EInOutError&) {
        RaiseUnableToWrite(files_.indexName);
    }
}

void TLibraryTransaction::FinishCommitted()
{
    if (FileExists(files_.work))
        RenameFile(files_.work, files_.data);
    if (FileExists(files_.newIndex))
        RenameFile(files_.newIndex, files_.index);
    FlushFolders(files_);
    RemoveFile(files_.journal);
}

// Past the commit point the change counts as made: a failed step is tried
// once more, and only when that fails too does the error reach the caller
// (the journal then stays and the next operation finishes the job).
void TLibraryTransaction::CompleteCommitted()
{
    committed_ = true;
    try {
        FinishCommitted();
    } catch (...) {
        FinishCommitted();
    }
    done_ = true;
}

void TLibraryTransaction::CommitRebuild(const std::vector<TPiece>& pieces,
                                        const std::vector<std::string>& appended)
{
    {
        TFile work(files_.work, TFileMode::Create);
        // The old data file must exist even when no byte of it is kept: a
        // removal from a missing data file is an error, not a new library.
        TFile data(files_.data, TFileMode::Read);
        for (const TPiece& piece : pieces) {
            CopyRange(data, piece.from, piece.to, work);
            if (piece.terminated)
                work.Write(kTextTerminator);
        }
        for (const std::string& text : appended) {
            work.Write(text);
            work.Write(kTextTerminator);
        }
        work.Flush();
        work.Close();
    }
    WriteNewIndex();
    WriteJournal(kCommit);
    CompleteCommitted();
}

void TLibraryTransaction::BeginAppend()
{
    const std::optional<int64_t> size = DataSize();
    WriteJournal(std::string(kAppend) + std::to_string(size ? *size : -1));
    appending_ = true;
    appendFile_ = std::make_unique<TFile>(files_.data, TFileMode::Append);
    appendEnd_ = size ? *size : 0;
}

void TLibraryTransaction::AppendText(std::string_view text)
{
    const int64_t end = appendEnd_ + int64_t(text.size());
    CheckDataFileLimit(end, files_.data);
    std::string bytes(text);
    bytes += kTextTerminator;
    appendFile_->Write(bytes);
    appendEnd_ = end + int64_t(kTextTerminator.size());
}

void TLibraryTransaction::CommitAppend()
{
    appendFile_->Flush();
    appendFile_->Close();
    appendFile_.reset();
    WriteNewIndex();
    WriteJournal(kCommit);
    CompleteCommitted();
}

void TLibraryTransaction::Abandon() noexcept
{
    try {
        appendFile_.reset();
        if (committed_)
            FinishCommitted();
        else
            RecoverLibrary(files_);
    } catch (...) {
        // The journal stays; the next operation finishes or rolls back.
    }
}

}  // namespace tarnwick
