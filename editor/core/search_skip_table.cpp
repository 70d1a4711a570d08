// Boyer-Moore-Horspool search in both directions and case modes.
#include "editor/core/search_skip_table.h"

#include <algorithm>

namespace tarnwick {

namespace {

constexpr std::array<unsigned char, 256> MakeUpperTable()
{
    std::array<unsigned char, 256> table{};
    for (unsigned c = 0; c < 256; ++c)
        table[c] = static_cast<unsigned char>(c);
    for (unsigned c = 'a'; c <= 'z'; ++c)
        table[c] = static_cast<unsigned char>(c - 32);
    // Windows-1252: s/z caron, oe ligature, y diaeresis, and the accented
    // lower-case letters from 0xE0 (the division sign excepted).
    table[0x9A] = 0x8A;
    table[0x9C] = 0x8C;
    table[0x9E] = 0x8E;
    table[0xFF] = 0x9F;
    for (unsigned c = 0xE0; c <= 0xFE; ++c)
        if (c != 0xF7)
            table[c] = static_cast<unsigned char>(c - 32);
    return table;
}

constexpr std::array<unsigned char, 256> kUpper = MakeUpperTable();

void BuildTables(std::string_view p, std::array<int64_t, 256>& forward, std::array<int64_t, 256>& backward)
{
    const int64_t m = static_cast<int64_t>(p.size());
    forward.fill(m);
    backward.fill(m);
    for (int64_t i = 0; i + 1 < m; ++i)
        forward[static_cast<unsigned char>(p[static_cast<size_t>(i)])] = m - 1 - i;
    for (int64_t i = m - 1; i >= 1; --i)
        backward[static_cast<unsigned char>(p[static_cast<size_t>(i)])] = i;
}

}  // namespace

unsigned char UpperChar(unsigned char c)
{
    return kUpper[c];
}

std::string UpperText(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(kUpper[static_cast<unsigned char>(c)]);
    return out;
}

void TSkipTable::Prepare(std::string_view pattern, bool matchCase)
{
    const bool same = Builds > 0 && (matchCase ? pattern == Pattern : UpperText(pattern) == Upper);
    if (same)
        return;
    Pattern.assign(pattern);
    Upper = UpperText(pattern);
    Len = static_cast<int64_t>(pattern.size());
    BuildTables(Pattern, ForwardCase, BackwardCase);
    BuildTables(Upper, ForwardNoCase, BackwardNoCase);
    ++Builds;
}

int64_t HorspoolFind(TSourceCursor& text, const TSkipTable& table, int64_t from, bool forward, bool matchCase)
{
    const int64_t m = table.Len;
    const int64_t n = text.Length();
    if (m <= 0 || m > n)
        return -1;
    const std::string& p = matchCase ? table.Pattern : table.Upper;
    const auto* pat = reinterpret_cast<const unsigned char*>(p.data());
    auto fold = [&](unsigned char c) { return matchCase ? c : kUpper[c]; };

    if (forward) {
        const auto& skip = matchCase ? table.ForwardCase : table.ForwardNoCase;
        for (int64_t s = std::max<int64_t>(from, 0); s + m <= n;) {
            const unsigned char last = fold(text.At(s + m - 1));
            if (last == pat[m - 1]) {
                int64_t i = m - 2;
                while (i >= 0 && fold(text.At(s + i)) == pat[i])
                    --i;
                if (i < 0)
                    return s;
            }
            s += skip[last];
        }
        return -1;
    }
    const auto& skip = matchCase ? table.BackwardCase : table.BackwardNoCase;
    for (int64_t s = std::min(from, n - m); s >= 0;) {
        const unsigned char first = fold(text.At(s));
        if (first == pat[0]) {
            int64_t i = 1;
            while (i < m && fold(text.At(s + i)) == pat[i])
                ++i;
            if (i == m)
                return s;
        }
        s -= skip[first];
    }
    return -1;
}

}  // namespace tarnwick
