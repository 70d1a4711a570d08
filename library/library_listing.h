// The order in which a library's categories and titles are shown: the tree
// and `tarnwick-cli library list` both use it.
#pragma once

#include "platform/profile.h"

#include <string>
#include <vector>

namespace tarnwick {

// Sorted without regard to ASCII letter case; names equal under that
// comparison appear once (the first seen is kept).
std::vector<std::string> SortedNames(std::vector<std::string> names);

// A listing buffer size that cuts nothing.
constexpr size_t kWholeListing = static_cast<size_t>(-1);

struct TListedCategory {
    std::string name;
    std::vector<std::string> titles;
};

// The library's categories with their titles, both sorted as above and cut
// by the listing buffer as the profile lists are (the window passes an
// unlimited size, so that every name stays within the user's reach): one read
// of the index under the library's shared lock, so the listing never shows
// half an operation.
std::vector<TListedCategory> ListLibrary(const std::string& indexFileName,
                                         size_t listingBuffer = kProfileListBuffer);

}  // namespace tarnwick
