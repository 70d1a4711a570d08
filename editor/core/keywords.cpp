// The keyword trie and its forward and backward lookups.
#include "editor/core/keywords.h"

namespace tarnwick {

namespace {

// A node with more children than this gets a direct index.
constexpr size_t kListLimit = 8;

}  // namespace

const std::array<unsigned char, 256> kAnsiLower = [] {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<size_t>(c)] = static_cast<unsigned char>(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        table[static_cast<size_t>(c)] = static_cast<unsigned char>(c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            table[static_cast<size_t>(c)] = static_cast<unsigned char>(c + 32);
    table[0x8A] = 0x9A;
    table[0x8C] = 0x9C;
    table[0x8E] = 0x9E;
    table[0x9F] = 0xFF;
    return table;
}();

std::string AnsiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(kAnsiLower[static_cast<unsigned char>(c)]);
    return lower;
}

TKeywords::TKeywords() { ClearWords(); }

TKeywords::~TKeywords() = default;

std::unique_ptr<TSM_Base> TKeywords::NewInstance() const { return std::make_unique<TKeywords>(); }

void TKeywords::ClearWords()
{
    nodes_.clear();
    entries_.clear();
    nodes_.emplace_back();
    nodes_[0].Index = std::make_unique<std::array<uint32_t, 256>>();
    nodes_[0].Index->fill(0);
}

uint32_t TKeywords::Child(uint32_t node, unsigned char c) const
{
    const TNode& n = nodes_[node];
    if (n.Index)
        return (*n.Index)[c];
    for (const auto& [kc, child] : n.Kids)
        if (kc == c)
            return child;
    return 0;
}

uint32_t TKeywords::AddChild(uint32_t node, unsigned char c)
{
    const auto child = static_cast<uint32_t>(nodes_.size());
    nodes_.emplace_back();
    TNode& n = nodes_[node];
    if (n.Index) {
        (*n.Index)[c] = child;
        return child;
    }
    n.Kids.emplace_back(c, child);
    if (n.Kids.size() > kListLimit) {
        n.Index = std::make_unique<std::array<uint32_t, 256>>();
        n.Index->fill(0);
        for (const auto& [kc, k] : n.Kids)
            (*n.Index)[kc] = k;
        n.Kids.clear();
        n.Kids.shrink_to_fit();
    }
    return child;
}

void TKeywords::AddWord(std::string_view word, bool caseSensitive, int token,
                        const TStateSet& states, const TCharSet& follow, int followClass)
{
    if (word.empty())
        return;
    auto key = [caseSensitive](char c) {
        const auto u = static_cast<unsigned char>(c);
        return caseSensitive ? u : kAnsiLower[u];
    };
    // Check for a clash before touching anything, so a failed add leaves
    // the store as it was.
    uint32_t node = 0;
    for (char c : word) {
        node = Child(node, key(c));
        if (node == 0)
            break;
    }
    if (node != 0)
        for (uint32_t e : nodes_[node].Entries)
            if (entries_[e].States.Meets(states))
                throw EKeywords("Duplicate keyword - '" + std::string(word) + "'");

    node = 0;
    for (char c : word) {
        uint32_t next = Child(node, key(c));
        if (next == 0)
            next = AddChild(node, key(c));
        node = next;
        nodes_[node].States |= states;
    }
    nodes_[node].Entries.push_back(static_cast<uint32_t>(entries_.size()));
    entries_.push_back(TKeywordEntry{states, follow, followClass, token});
}

inline const TKeywordEntry* TKeywords::Qualifying(const TNode& node, const TStateSet& current,
                                           unsigned char next) const
{
    for (uint32_t e : node.Entries) {
        const TKeywordEntry& entry = entries_[e];
        if (entry.States.Meets(current) && (entry.Follow.none() || entry.Follow.test(next)))
            return &entry;
    }
    return nullptr;
}

const TKeywordEntry* TKeywords::FindWord(TCustomEdStream& stream, bool caseSensitive,
                                         const TStateSet& current, int& length) const
{
    const int64_t start = stream.Position();
    const TKeywordEntry* best = nullptr;
    int bestLength = 0;
    uint32_t node = 0;
    int matched = 0;
    while (!stream.AtEnd()) {
        const unsigned char c = stream.Current();
        const uint32_t child = Child(node, caseSensitive ? c : kAnsiLower[c]);
        if (child == 0 || !nodes_[child].States.Meets(current))
            break;
        node = child;
        stream.Advance();
        ++matched;
        if (!nodes_[node].Entries.empty())
            if (const TKeywordEntry* entry = Qualifying(nodes_[node], current, stream.Current())) {
                best = entry;
                bestLength = matched;
            }
    }
    stream.Seek(start);
    if (best) {
        stream.Seek(start + bestLength);
        length = bestLength;
        return best;
    }
    stream.Advance();
    length = 1;
    return nullptr;
}

const TKeywordEntry* TKeywords::FindWordBackwards(TCustomEdStream& stream, bool caseSensitive,
                                                  const TStateSet& current, int& length) const
{
    const int64_t start = stream.Position();
    const TKeywordEntry* best = nullptr;
    int bestLength = 0;
    uint32_t node = 0;
    int matched = 0;
    for (int64_t pos = start; pos >= 0 && pos < stream.TextLength(); --pos) {
        stream.Seek(pos);
        const unsigned char c = stream.Current();
        const uint32_t child = Child(node, caseSensitive ? c : kAnsiLower[c]);
        if (child == 0 || !nodes_[child].States.Meets(current))
            break;
        node = child;
        ++matched;
        if (!nodes_[node].Entries.empty()) {
            // The next character in reading order is the one before.
            unsigned char next = 0;
            if (pos > 0) {
                stream.Seek(pos - 1);
                next = stream.Current();
            }
            if (const TKeywordEntry* entry = Qualifying(nodes_[node], current, next)) {
                best = entry;
                bestLength = matched;
            }
        }
    }
    if (best) {
        stream.Seek(start - bestLength + 1);
        length = bestLength;
        return best;
    }
    stream.Seek(start);
    stream.Advance();
    length = 1;
    return nullptr;
}

}  // namespace tarnwick
