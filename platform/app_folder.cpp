#include "platform/app_folder.h"

#include <cstdlib>
#include <system_error>

namespace tarnwick {

std::filesystem::path ApplicationFolder()
{
    if (const char* home = std::getenv("TARNWICK_HOME"); home && *home)
        return std::filesystem::path(home);
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return std::filesystem::current_path();
    return exe.parent_path();
}

}  // namespace tarnwick
