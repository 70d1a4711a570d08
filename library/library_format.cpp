// Names, values and reading of the two-file library format.
#include "library/library_format.h"

#include "library/library_journal.h"
#include "platform/ascii_text.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace tarnwick {

std::string TitleKey(std::string_view category, std::string_view title)
{
    std::string key = UpperCaseAscii(Trimmed(category));
    key += '\0';
    key += UpperCaseAscii(Trimmed(title));
    return key;
}

std::vector<TTitleValue> ReadableTitles(const TIniDocument& index)
{
    constexpr size_t kUnlimited = std::numeric_limits<size_t>::max();
    std::vector<TTitleValue> titles;
    std::unordered_set<std::string> seenCategories;
    std::unordered_set<std::string> seenTitles;
    for (const std::string& category : index.SectionNames(kUnlimited)) {
        if (!seenCategories.insert(UpperCaseAscii(category)).second)
            continue;
        for (const std::string& title : index.Keys(category, kUnlimited)) {
            if (!seenTitles.insert(TitleKey(category, title)).second)
                continue;
            titles.push_back({category, title, index.ReadString(category, title, "")});
        }
    }
    return titles;
}

std::string DataFileName(std::string_view indexFileName)
{
    return ChangeFileExt(indexFileName, ".dat");
}

std::string_view GetField(std::string_view text, std::string_view separator, int n)
{
    if (separator.empty() || n < 0)
        return {};
    // Taking fields off the front of text + separator one by one is the same
    // as stepping from separator to separator in `text`.
    size_t begin = 0;
    for (int i = 0; i < n; ++i) {
        const size_t pos = text.find(separator, begin);
        if (pos == std::string_view::npos)
            return {};
        begin = pos + separator.size();
    }
    const size_t end = text.find(separator, begin);
    return text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
}

int64_t ParseDecimal(std::string_view field)
{
    // Offsets are 32-bit in the file format; a longer number is no offset.
    int32_t value = 0;
    if (!TryParseInt32(field, value))
        RaiseNotAnInteger(std::string(field));
    return value;
}

void CheckDataFileLimit(int64_t end, const std::filesystem::path& data)
{
    if (end > kMaxOffset)
        throw Exception("The data file " + data.string() +
                        " cannot grow beyond 2,147,483,647 bytes");
}

TTextRange ParseRange(std::string_view value)
{
    TTextRange range;
    range.start = ParseDecimal(GetField(value, ";", 0));
    range.end = ParseDecimal(GetField(value, ";", 1));
    return range;
}

std::string FormatRange(int64_t start, int64_t end)
{
    return std::to_string(start) + ";" + std::to_string(end);
}

std::string ReadTextRange(TFile& data, const TTextRange& range)
{
    if (range.start < 0 || range.end < range.start)
        throw Exception("'" + FormatRange(range.start, range.end) +
                        "' is not a valid text range");
    const int64_t size = data.Size();
    if (range.start >= size || range.Length() == 0)
        return {};
    const int64_t available = std::min(range.end, size) - range.start;
    std::string text(size_t(available), '\0');
    data.Seek(range.start);
    data.ReadExactly(text.data(), text.size());
    const size_t zero = text.find('\0');
    if (zero != std::string::npos)
        text.resize(zero);
    return text;
}

std::string ReadSnippet(std::string_view category, std::string_view title,
                        const std::string& indexFileName)
{
    const TLibraryFiles files = TLibraryFiles::For(indexFileName);
    const TLibraryLock lock(files, TLockKind::Shared);
    // Read by the path already resolved for the lock, not by name again.
    std::string bytes;
    TryReadWholeFile(files.index, bytes);  // a missing index file reads as empty
    const std::string value = TIniDocument::ReadStringIn(bytes, category, title, "");
    if (value.empty())
        return {};
    const TTextRange range = ParseRange(value);
    // An empty snippet needs no data file: a title made in the tree of a
    // library that has none yet reads as the empty text.
    if (range.start == range.end && range.start >= 0)
        return {};
    TFile data(files.data, TFileMode::Read);
    return ReadTextRange(data, range);
}

}  // namespace tarnwick
