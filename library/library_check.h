// Consistency check of a library: finishes or rolls back an interrupted
// operation, then checks that every title value is two decimal numbers whose
// range lies within the data file, and that no two texts share bytes.
#pragma once

#include "library/library_journal.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick {

struct TLibraryCheck {
    TRecovery recovery = TRecovery::Nothing;
    bool dataFileExists = false;
    int64_t dataSize = 0;
    size_t categories = 0;
    size_t titles = 0;
    // One line per fault found: "[category] title: what is wrong".
    std::vector<std::string> problems;
    bool Consistent() const { return problems.empty(); }
};

// Every category and title is checked (the listing buffer does not apply). A
// missing index file is an empty, consistent library.
TLibraryCheck CheckLibrary(const std::string& indexFileName);

}  // namespace tarnwick
