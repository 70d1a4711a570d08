// Sorting names as the tree shows them, and the listing of a whole library.
#include "library/library_listing.h"

#include "library/library_journal.h"
#include "platform/file_names.h"
#include "platform/profile.h"

#include <algorithm>

namespace tarnwick {

std::vector<std::string> SortedNames(std::vector<std::string> names)
{
    const auto less = [](const std::string& a, const std::string& b) {
        return UpperCaseAscii(a) < UpperCaseAscii(b);
    };
    std::stable_sort(names.begin(), names.end(), less);
    names.erase(std::unique(names.begin(), names.end(),
                            [](const std::string& a, const std::string& b) {
                                return SameTextAscii(a, b);
                            }),
                names.end());
    return names;
}

std::vector<TListedCategory> ListLibrary(const std::string& indexFileName, size_t listingBuffer)
{
    const TLibraryFiles files = TLibraryFiles::For(indexFileName);
    const TLibraryLock lock(files, TLockKind::Shared);
    const TIniDocument index = TIniDocument::Load(files.index);
    std::vector<TListedCategory> listing;
    for (std::string& category : SortedNames(index.SectionNames(listingBuffer))) {
        std::vector<std::string> titles = SortedNames(index.Keys(category, listingBuffer));
        listing.push_back({std::move(category), std::move(titles)});
    }
    return listing;
}

}  // namespace tarnwick
