// Plain-text search: Boyer-Moore-Horspool over a TSearchSource with skip
// tables for both directions and both case modes, kept between searches.
#pragma once

#include "editor/core/search_source.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnwick {

// The upper-case form of a Windows-1252 character (ASCII letters and the
// accented letters of the code page); other characters are returned as
// they are.
unsigned char UpperChar(unsigned char c);
std::string UpperText(std::string_view text);

// The pattern with its four skip tables. Prepare() rebuilds them only when
// the pattern changes: compared upper-cased for a case-insensitive search,
// exactly otherwise.
struct TSkipTable {
    std::string Upper;    // the pattern upper-cased
    std::string Pattern;  // the pattern as given
    int64_t Len = 0;
    std::array<int64_t, 256> ForwardCase{};
    std::array<int64_t, 256> BackwardCase{};
    std::array<int64_t, 256> ForwardNoCase{};
    std::array<int64_t, 256> BackwardNoCase{};
    int Builds = 0;  // how often the tables were built (for tests)

    void Prepare(std::string_view pattern, bool matchCase);
};

// The offset of the first occurrence of the prepared pattern starting at or
// after `from` (forward), or of the last one starting at or before `from`
// (backward); -1 when there is none or the pattern is empty. `from` may lie
// anywhere; it is clamped to the text.
int64_t HorspoolFind(TSourceCursor& text, const TSkipTable& table, int64_t from, bool forward, bool matchCase);

}  // namespace tarnwick
