#include "library/library_listing.h"

#include "platform/file_names.h"

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

}  // namespace tarnwick
