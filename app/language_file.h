// TLanguageFile: one language file (".lng", INI format) of the application
// folder, read for the captions and messages of the windows.
//
// The file is chosen by main.ini: Options/LangSet names the language
// (default "english"), Language Files/<language> its file name (default
// "english.lng"), relative to the application folder. A key that is absent
// reads as the caller's default; a key present with an empty value reads as
// the empty text.
#pragma once

#include "platform/profile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// The font a language file asks for (section Fonts). Style bits: bold 1,
// italic 2, underline 4, strike-out 8.
struct TLanguageFont {
    std::string Name = "MS Sans Serif";
    int Size = 8;
    int Style = 0;
    int Charset = 1;
};

class TLanguageFile {
public:
    // The path of main.ini in `appFolder`.
    static std::filesystem::path SettingsFile(const std::filesystem::path& appFolder);

    // Where the selected language file is (it need not exist).
    // `languageDefault` is the language name used when main.ini names none.
    static std::filesystem::path Locate(const std::filesystem::path& appFolder,
                                        std::string_view languageDefault = "english");

    // The file's contents, or nothing when no file exists at `path`.
    static std::optional<TLanguageFile> Load(const std::filesystem::path& path);

    // The value of `key` in `section`, or `def` when the key is absent.
    std::string Read(std::string_view section, std::string_view key,
                     std::string_view def) const;

    // Every entry of Strings in file order. Each is looked up by its key, so a
    // repeated key yields the first entry's value each time.
    std::vector<std::string> Strings() const;

    TLanguageFont Font() const;

private:
    explicit TLanguageFile(TIniDocument doc) : doc_(std::move(doc)) {}
    bool ReadBool(std::string_view section, std::string_view key) const;
    TIniDocument doc_;
};

}  // namespace tarnwick
