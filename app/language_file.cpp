#include "app/language_file.h"

#include "platform/file_io.h"
#include "platform/file_names.h"

namespace tarnwick {

std::filesystem::path TLanguageFile::SettingsFile(const std::filesystem::path& appFolder)
{
    return ResolveFileName("main.ini", appFolder);
}

std::filesystem::path TLanguageFile::Locate(const std::filesystem::path& appFolder,
                                            std::string_view languageDefault)
{
    const std::string settings = SettingsFile(appFolder).string();
    const std::string language =
        ProfileReadString(settings, "Options", "LangSet", languageDefault);
    const std::string fileName =
        ProfileReadString(settings, "Language Files", language, "english.lng");
    return ResolveFileName(fileName, appFolder);
}

std::optional<TLanguageFile> TLanguageFile::Load(const std::filesystem::path& path)
{
    // A folder or a missing file alike leave the captions as they are.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return std::nullopt;
    return TLanguageFile(TIniDocument::Load(path));
}

std::string TLanguageFile::Read(std::string_view section, std::string_view key,
                                std::string_view def) const
{
    return doc_.ReadString(section, key, def);
}

std::vector<std::string> TLanguageFile::Strings() const
{
    std::vector<std::string> strings;
    for (const std::string& key : doc_.Keys("Strings"))
        strings.push_back(doc_.ReadString("Strings", key, "Error loading language file"));
    return strings;
}

bool TLanguageFile::ReadBool(std::string_view section, std::string_view key) const
{
    int32_t value = 0;
    return TryStrToInt(doc_.ReadString(section, key, "0"), value) && value != 0;
}

TLanguageFont TLanguageFile::Font() const
{
    TLanguageFont font;
    font.Name = Read("Fonts", "Name", font.Name);
    int32_t number = 0;
    if (TryStrToInt(Read("Fonts", "Size", "8"), number))
        font.Size = number;
    if (ReadBool("Fonts", "Bold"))
        font.Style |= 1;
    if (ReadBool("Fonts", "Italic"))
        font.Style |= 2;
    if (ReadBool("Fonts", "Underline"))
        font.Style |= 4;
    if (ReadBool("Fonts", "StrikeOut"))
        font.Style |= 8;
    if (TryStrToInt(Read("Fonts", "Charset", "1"), number))
        font.Charset = number;
    return font;
}

}  // namespace tarnwick
