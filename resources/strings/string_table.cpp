// The program's string table, looked up by resource number.
#include "platform/string_table.h"

#include <algorithm>
#include <iterator>

namespace tarnwick {

namespace {

struct TStringEntry {
    int id;
    const char* text;
};

// Sorted by number.
constexpr TStringEntry kStrings[] = {
    {4128, "<Custom language>"},
};

}  // namespace

std::string LoadStr(int id)
{
    auto it = std::lower_bound(std::begin(kStrings), std::end(kStrings), id,
                               [](const TStringEntry& entry, int key) { return entry.id < key; });
    return (it != std::end(kStrings) && it->id == id) ? std::string(it->text) : std::string();
}

}  // namespace tarnwick
