#include "platform/bundled_files.h"

#include <system_error>

namespace tarnwick {

namespace fs = std::filesystem;

fs::path ExecutableFolder()
{
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec)
        return exe.parent_path();
    fs::path current = fs::current_path(ec);
    return ec ? fs::path(".") : current;
}

fs::path BundledFilesFolder(const fs::path& executableFolder)
{
    const fs::path installed = executableFolder.parent_path() / "share" / "tarnwick";
    std::error_code ec;
    if (fs::is_directory(installed, ec))
        return installed;
    return executableFolder;
}

fs::path BundledFilesFolder()
{
    return BundledFilesFolder(ExecutableFolder());
}

}  // namespace tarnwick
