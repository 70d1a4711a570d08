// A fresh application folder per test: a temporary folder holding whatever
// language file, main.ini and library files the test puts there.
#pragma once

#include "app/main_form.h"
#include "platform/profile.h"
#include "scripted_prompt.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace tarnwick::test {

class AppFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnwick-app-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
    }
    void TearDown() override
    {
        form_.reset();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    void WriteFile(const std::string& name, const std::string& contents)
    {
        std::ofstream out(folder_ / name, std::ios::binary);
        out << contents;
    }
    std::string ReadFile(const std::string& name) const
    {
        std::ifstream in(folder_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void InstallShippedLanguage()
    {
        std::filesystem::copy_file(std::filesystem::path(TARNWICK_RESOURCES) / "english.lng",
                                   folder_ / "english.lng");
    }
    TMainForm& Form()
    {
        if (!form_)
            form_ = std::make_unique<TMainForm>(prompt_, folder_);
        return *form_;
    }
    std::string Settings() const { return ReadFile("main.ini"); }
    // One main.ini value; "<absent>" when the key is missing.
    std::string Setting(const char* section, const char* key) const
    {
        return ProfileReadString((folder_ / "main.ini").string(), section, key, "<absent>");
    }
    // Ends the session: the window is destroyed and writes its settings.
    void CloseForm() { form_.reset(); }

    std::filesystem::path folder_;
    TScriptedPrompt prompt_;
    std::unique_ptr<TMainForm> form_;
};

}  // namespace tarnwick::test
