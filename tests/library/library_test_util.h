// Helpers shared by the library tests: a scratch folder and whole-file access.
#pragma once

#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

namespace tarnwick::test {

// A fresh folder per test, removed afterwards.
class ScratchFolder : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::temp_directory_path() /
                  ("tarnwick-library-" + std::to_string(::getpid()) + "-" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_);
    }
    void TearDown() override
    {
        SetFileFaultHook(nullptr);
        std::filesystem::remove_all(folder_);
    }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    static void Put(const std::string& path, const std::string& bytes)
    {
        TFile file(path, TFileMode::Create);
        file.Write(bytes);
    }
    static std::string Get(const std::string& path)
    {
        std::string bytes;
        return TryReadWholeFile(path, bytes) ? bytes : std::string("<missing>");
    }

    std::filesystem::path folder_;
};

}  // namespace tarnwick::test
