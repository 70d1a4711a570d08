#include "app/library_watch.h"

#include <QStringList>

#include <sys/stat.h>

namespace tarnwick {

namespace {

QString PathToQt(const std::filesystem::path& path)
{
    return QString::fromStdString(path.string());
}

}  // namespace

TLibraryWatch::TLibraryWatch(QObject* parent) : QObject(parent)
{
    settle_.setSingleShot(true);
    settle_.setInterval(kSettleMilliseconds);
    connect(&settle_, &QTimer::timeout, this, &TLibraryWatch::Settle);
    // Every event restarts the wait, so a burst is reported once, after it.
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, [this] { settle_.start(); });
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, [this] { settle_.start(); });
}

void TLibraryWatch::Watch(const std::filesystem::path& indexFile,
                          const std::filesystem::path& dataFile)
{
    settle_.stop();
    if (!watcher_.files().isEmpty())
        watcher_.removePaths(watcher_.files());
    if (!watcher_.directories().isEmpty())
        watcher_.removePaths(watcher_.directories());
    index_ = indexFile;
    data_ = dataFile;
    if (index_.empty())
        return;
    Rearm();
    Acknowledge();
}

void TLibraryWatch::Acknowledge()
{
    indexState_ = StateOf(index_);
    dataState_ = StateOf(data_);
}

TLibraryWatch::TFileState TLibraryWatch::StateOf(const std::filesystem::path& file)
{
    // stat gives the inode as well: a file replaced by a rename may keep its
    // size and even its time stamp's second, but never its inode.
    struct stat info {};
    if (file.empty() || ::stat(file.c_str(), &info) != 0)
        return {};
    TFileState state;
    state.Exists = true;
    state.Size = static_cast<uintmax_t>(info.st_size);
    state.Inode = static_cast<uintmax_t>(info.st_ino);
    std::error_code ec;
    state.Modified = std::filesystem::last_write_time(file, ec);
    return state;
}

// Puts whatever of the two files and their folders exists (again) under
// watch; paths already watched are left as they are.
void TLibraryWatch::Rearm()
{
    QStringList paths;
    for (const std::filesystem::path& file : {index_, data_}) {
        const std::filesystem::path folder =
            file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
        std::error_code ec;
        if (std::filesystem::exists(file, ec) && !watcher_.files().contains(PathToQt(file)))
            paths << PathToQt(file);
        if (std::filesystem::is_directory(folder, ec) &&
            !watcher_.directories().contains(PathToQt(folder)) && !paths.contains(PathToQt(folder)))
            paths << PathToQt(folder);
    }
    if (!paths.isEmpty())
        watcher_.addPaths(paths);
}

void TLibraryWatch::Settle()
{
    Rearm();
    const TFileState index = StateOf(index_);
    const TFileState data = StateOf(data_);
    if (index == indexState_ && data == dataState_)
        return;
    indexState_ = index;
    dataState_ = data;
    emit Changed();
}

}  // namespace tarnwick
