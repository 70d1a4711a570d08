// TLibraryWatch: notices when another program changes the library the window
// shows (a second window, tarnwick-cli in a script, a sync tool).
//
// It watches the index and data files and the folders holding them: store
// operations replace the index by renaming a new file over it, after which a
// watch on the old file is gone, so the folder's events bring the files back
// under watch. Events arrive in bursts (a save writes the data file, a work
// file, a journal and the index), so they are gathered for a short while and
// reported once. A burst that leaves both files as they were (size,
// modification time, inode) reports nothing, so the lock file and the work
// files of an operation do not count as changes.
//
// The window's own writes are reported too: deciding what changed is left to
// the window, which compares what it shows with what the files now hold.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <filesystem>

namespace tarnwick {

class TLibraryWatch : public QObject {
    Q_OBJECT
public:
    explicit TLibraryWatch(QObject* parent = nullptr);

    // Starts watching the library whose files these are; an empty index
    // path stops watching. Files that do not exist yet are watched through
    // their folder.
    void Watch(const std::filesystem::path& indexFile, const std::filesystem::path& dataFile);
    // Takes the files' present state as seen, so that a change the window
    // made itself and has already shown is not reported.
    void Acknowledge();

    // How long a burst of events is gathered before Changed is emitted.
    static constexpr int kSettleMilliseconds = 150;

signals:
    void Changed();

private:
    struct TFileState {
        bool Exists = false;
        uintmax_t Size = 0;
        std::filesystem::file_time_type Modified{};
        uintmax_t Inode = 0;
        bool operator==(const TFileState&) const = default;
    };
    static TFileState StateOf(const std::filesystem::path& file);
    void Rearm();
    void Settle();

    QFileSystemWatcher watcher_;
    QTimer settle_;
    std::filesystem::path index_, data_;
    TFileState indexState_, dataState_;
};

}  // namespace tarnwick
