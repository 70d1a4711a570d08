#include "platform/app_folder.h"

#include "platform/bundled_files.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace tarnwick {

namespace fs = std::filesystem;

namespace {

std::string Environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool Executable(const fs::file_status& status)
{
    constexpr fs::perms anyExecute =
        fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
    return (status.permissions() & anyExecute) != fs::perms::none;
}

}  // namespace

void FillFromBundle(const fs::path& bundle, const fs::path& target)
{
    std::error_code ec;
    fs::create_directories(target, ec);
    for (const fs::directory_entry& entry : fs::directory_iterator(bundle, ec)) {
        const fs::file_status status = entry.status(ec);
        const fs::path destination = target / entry.path().filename();
        if (fs::is_directory(status)) {
            FillFromBundle(entry.path(), destination);
        } else if (fs::is_regular_file(status) && !Executable(status) &&
                   !fs::exists(destination, ec)) {
            fs::copy_file(entry.path(), destination, fs::copy_options::skip_existing, ec);
        }
    }
}

fs::path ChooseApplicationFolder(const TAppFolderSources& sources)
{
    if (!sources.Home.empty())
        return fs::path(sources.Home);
    if (sources.ExecutableFolderWritable)
        return sources.ExecutableFolder;
    fs::path perUser;
    if (!sources.XdgDataHome.empty() && fs::path(sources.XdgDataHome).is_absolute())
        perUser = fs::path(sources.XdgDataHome) / "tarnwick";
    else if (!sources.UserHome.empty())
        perUser = fs::path(sources.UserHome) / ".local" / "share" / "tarnwick";
    if (perUser.empty())
        return sources.ExecutableFolder;
    std::error_code ec;
    fs::create_directories(perUser, ec);
    if (!fs::is_directory(perUser, ec))
        return sources.ExecutableFolder;
    FillFromBundle(sources.ExecutableFolder, perUser);
    return perUser;
}

fs::path ApplicationFolder()
{
    TAppFolderSources sources;
    sources.Home = Environment("TARNWICK_HOME");
    sources.ExecutableFolder = BundledFilesFolder();
    sources.ExecutableFolderWritable = ::access(sources.ExecutableFolder.c_str(), W_OK) == 0;
    sources.XdgDataHome = Environment("XDG_DATA_HOME");
    sources.UserHome = Environment("HOME");
    return ChooseApplicationFolder(sources);
}

}  // namespace tarnwick
