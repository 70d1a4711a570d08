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
#include <vector>

// Failure messages show Qt texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace tarnwick::test {

struct TSnippet {
    std::string Category, Title, Text;
};

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
    void InstallShippedLanguage(const char* name = "english.lng")
    {
        std::filesystem::copy_file(std::filesystem::path(TARNWICK_RESOURCES) / name,
                                   folder_ / name);
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
    // Writes a library (index file `indexName` and its data file) holding the
    // snippets in the given order.
    void WriteLibrary(const std::string& indexName, const std::vector<TSnippet>& snippets)
    {
        std::string data;
        std::string index;
        std::string lastCategory;
        for (const TSnippet& snippet : snippets) {
            if (index.empty() || snippet.Category != lastCategory)
                index += "[" + snippet.Category + "]\r\n";
            lastCategory = snippet.Category;
            index += snippet.Title + "=" + std::to_string(data.size()) + ";" +
                     std::to_string(data.size() + snippet.Text.size()) + "\r\n";
            data += snippet.Text + "\r\n";
        }
        WriteFile(indexName, index);
        const std::string stem = indexName.substr(0, indexName.rfind('.'));
        WriteFile(stem + ".dat", data);
    }
    // Ends the session: the window is destroyed and writes its settings.
    void CloseForm() { form_.reset(); }

    std::filesystem::path folder_;
    TScriptedPrompt prompt_;
    std::unique_ptr<TMainForm> form_;
};

}  // namespace tarnwick::test
