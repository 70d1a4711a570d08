// Compaction: rewrites a library's data file with only the texts its titles
// point at, each followed by CR LF, and re-points every title. Texts left
// unreferenced by imports onto existing titles (and by hand edits) are
// dropped; nothing any title can read changes.
#pragma once

#include <cstdint>
#include <string>

namespace tarnwick {

struct TCompactResult {
    int64_t oldSize = 0;
    int64_t newSize = 0;
    size_t texts = 0;  // distinct ranges kept
};

// Runs as one store operation (recovered first, crash-safe replacement).
// Refuses, before changing anything, a library in which a value is not two
// decimal numbers or points outside the data file. Titles sharing one range
// keep sharing it; an empty range becomes "0;0". A title that occurs twice in
// a category is read only at its first occurrence, so only that one is
// re-pointed.
TCompactResult CompactLibrary(const std::string& indexFileName);

}  // namespace tarnwick
