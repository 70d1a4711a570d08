// A temporary application folder for one test: TARNWICK_HOME points at it
// while the object lives, so the registry hive (user.reg) and delphi.ini
// are the test's own.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>

namespace tarnwick::test {

class TIdeTestFolder {
public:
    TIdeTestFolder()
    {
        static int serial = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("tarnwick_ide_" + std::to_string(::getpid()) + "_" + std::to_string(++serial));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
        if (const char* old = std::getenv("TARNWICK_HOME"))
            oldHome_ = old;
        ::setenv("TARNWICK_HOME", path_.c_str(), 1);
    }
    ~TIdeTestFolder()
    {
        if (oldHome_)
            ::setenv("TARNWICK_HOME", oldHome_->c_str(), 1);
        else
            ::unsetenv("TARNWICK_HOME");
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TIdeTestFolder(const TIdeTestFolder&) = delete;
    TIdeTestFolder& operator=(const TIdeTestFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

    void WriteFile(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
    }
    // The hive file: the export header, then `keys` (lines in export format).
    void WriteHive(const std::string& keys) const
    {
        WriteFile("user.reg", "Windows Registry Editor Version 5.00\r\n\r\n" + keys);
    }

private:
    std::filesystem::path path_;
    std::optional<std::string> oldHome_;
};

}  // namespace tarnwick::test
