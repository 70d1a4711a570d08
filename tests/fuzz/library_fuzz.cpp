// Any index and data file: every title reads or fails with the program's own
// exception, values parse or are refused, the check never crashes, and
// compaction either refuses or leaves every title reading the same text.
//
// Input: the index bytes, a NUL, the data bytes (no NUL: index only).
#include "library/library_check.h"
#include "library/library_compact.h"
#include "library/library_format.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/profile.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

using namespace tarnwick;

const std::filesystem::path& Folder()
{
    static const std::filesystem::path folder = [] {
        auto path = std::filesystem::temp_directory_path() /
                    ("tarnwick-library-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

void Put(const std::filesystem::path& path, std::string_view bytes)
{
    TFile file(path, TFileMode::Create);
    file.Write(bytes);
}

// Every title as reads see it, with its text or the error it raised.
std::map<std::string, std::string> ReadAll(const std::string& index)
{
    std::map<std::string, std::string> texts;
    for (const std::string& category : ProfileSectionNames(index))
        for (const std::string& title : ProfileKeys(index, category)) {
            std::string text;
            try {
                text = ReadSnippet(category, title, index);
            } catch (const Exception& error) {
                text = "error: " + error.Message();
            }
            texts.emplace("[" + category + "]" + title, text);
        }
    return texts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t split = bytes.find('\0');
    const std::string index = (Folder() / "lib.ini").string();
    std::filesystem::remove(Folder() / "lib.dat");
    Put(index, bytes.substr(0, split));
    if (split != std::string_view::npos)
        Put(Folder() / "lib.dat", bytes.substr(split + 1));

    for (const std::string& category : ProfileSectionNames(index))
        for (const std::string& title : ProfileKeys(index, category)) {
            const std::string value = ProfileReadString(index, category, title, "");
            try {
                const TTextRange range = ParseRange(value);
                if (FormatRange(range.start, range.end).empty())
                    std::abort();
            } catch (const EConvertError&) {
            }
        }

    const std::map<std::string, std::string> before = ReadAll(index);
    const TLibraryCheck check = CheckLibrary(index);
    if (!check.Consistent())
        return 0;
    try {
        CompactLibrary(index);
    } catch (const Exception&) {
        return 0;
    }
    if (ReadAll(index) != before)
        std::abort();  // compaction changed what a title reads
    return 0;
}
