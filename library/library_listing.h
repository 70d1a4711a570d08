// The order in which a library's categories and titles are shown: the tree
// and `tarnwick-cli library list` both use it.
#pragma once

#include <string>
#include <vector>

namespace tarnwick {

// Sorted without regard to ASCII letter case; names equal under that
// comparison appear once (the first seen is kept).
std::vector<std::string> SortedNames(std::vector<std::string> names);

}  // namespace tarnwick
