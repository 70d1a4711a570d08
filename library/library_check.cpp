// The check behind `tarnwick-cli check`.
#include "library/library_check.h"

#include "library/library_format.h"
#include "platform/errors.h"
#include "platform/file_io.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <algorithm>
#include <limits>
#include <set>

namespace tarnwick {

namespace {

struct TPlacedText {
    TTextRange range;
    std::string name;  // "[category] title"
};

// Two titles whose texts share bytes: saving or removing one would change the
// other's text too. Sorted by start, each range is compared with the one that
// reaches furthest among those before it.
void ReportOverlaps(std::vector<TPlacedText>& texts, std::vector<std::string>& problems)
{
    std::sort(texts.begin(), texts.end(), [](const TPlacedText& a, const TPlacedText& b) {
        return a.range.start < b.range.start;
    });
    const TPlacedText* furthest = nullptr;
    for (const TPlacedText& text : texts) {
        if (furthest != nullptr && text.range.start < furthest->range.end)
            problems.push_back(text.name + ": " + FormatRange(text.range.start, text.range.end) +
                               " overlaps the text of " + furthest->name + " (" +
                               FormatRange(furthest->range.start, furthest->range.end) + ")");
        if (furthest == nullptr || text.range.end > furthest->range.end)
            furthest = &text;
    }
}

}  // namespace

TLibraryCheck CheckLibrary(const std::string& indexFileName)
{
    const TLibraryFiles files = TLibraryFiles::For(indexFileName);
    TLibraryCheck check;
    check.recovery = RecoverLibrary(files);
    // Another program may change the library between the recovery and the
    // check; each of its operations leaves the library consistent.
    const TLibraryLock lock(files, TLockKind::Shared);
    check.dataFileExists = FileExists(files.data);
    if (check.dataFileExists)
        check.dataSize = TFile(files.data, TFileMode::Read).Size();

    const TIniDocument index = TIniDocument::Load(files.index);
    constexpr size_t kUnlimited = std::numeric_limits<size_t>::max();
    std::set<std::string> seenCategories;
    std::vector<TPlacedText> texts;
    for (const std::string& category : index.SectionNames(kUnlimited)) {
        if (!seenCategories.insert(UpperCaseAscii(category)).second) {
            check.problems.push_back("[" + category + "]: the category occurs twice; "
                                     "only its first occurrence is read");
            continue;
        }
        ++check.categories;
        std::set<std::string> seenTitles;
        for (const std::string& title : index.Keys(category, kUnlimited)) {
            const std::string where = "[" + category + "] " + title + ": ";
            if (!seenTitles.insert(UpperCaseAscii(title)).second) {
                check.problems.push_back(where + "the title occurs twice; "
                                         "only its first occurrence is read");
                continue;
            }
            ++check.titles;
            const std::string value = index.ReadString(category, title, "");
            if (value.empty())
                continue;  // no text, like "0;0"
            TTextRange range;
            try {
                range = ParseRange(value);
            } catch (const EConvertError& error) {
                check.problems.push_back(where + error.Message());
                continue;
            }
            if (range.Length() == 0 && range.start >= 0)
                continue;  // an empty text needs no byte of the data file
            if (!check.dataFileExists)
                check.problems.push_back(where + value + " points into a missing data file");
            else if (!range.LiesWithin(check.dataSize))
                check.problems.push_back(where + value + " does not lie within the data file (" +
                                         std::to_string(check.dataSize) + " bytes)");
            else
                texts.push_back({range, "[" + category + "] " + title});
        }
    }
    ReportOverlaps(texts, check.problems);
    return check;
}

}  // namespace tarnwick
