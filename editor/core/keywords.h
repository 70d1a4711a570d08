// TKeywords: the keyword store the tokenizer and the template and
// auto-replace lists match words with.
//
// A character trie. Every node carries the union of the state sets of the
// words that pass through it, so a lookup abandons a branch as soon as no
// word below it is valid in the tokenizer's current states. A word's last
// node holds its entries: {state set, follow class, token value}. The same
// word may have several entries as long as their state sets are disjoint.
//
// Lookups run forwards from a stream position (the tokenizer) or backwards
// (templates and auto-replace, whose names are stored reversed). Either way
// the longest word whose entry qualifies wins; an entry qualifies when its
// state set meets the current set and its follow class is empty or holds the
// character that comes next in the direction of reading (0 past either end
// of the text).
//
// Children are found by character in one step: the root and every node
// with more than a few children keep a 256-slot index; other nodes keep a
// short list.
#pragma once

#include "editor/core/custom_ed_stream.h"
#include "editor/core/sm_base.h"
#include "editor/core/state_set.h"
#include "platform/errors.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tarnwick {

// Faults of the keyword stores and the lists built on them:
// "Duplicate keyword - '%s'", "Bad key specifier", keyword-table errors.
class EKeywords : public Exception {
public:
    using Exception::Exception;
};

// A set of characters 0..255 (a follow class with any negation applied).
using TCharSet = std::bitset<256>;

// Lower case in the ANSI code page (Windows-1252): A-Z, the accented
// capitals 0xC0-0xDE except 0xD7, and 0x8A, 0x8C, 0x8E, 0x9F.
extern const std::array<unsigned char, 256> kAnsiLower;
inline unsigned char AnsiLowerChar(unsigned char c) { return kAnsiLower[c]; }
std::string AnsiLower(std::string_view text);

struct TKeywordEntry {
    TStateSet States;
    TCharSet Follow;       // characters that may follow the word; empty = any
    int FollowClass = -1;  // the owner's own reference to the class
    int Token = 0;
};

class TKeywords : public TSM_Base {
public:
    TKeywords();
    ~TKeywords() override;
    TKeywords(const TKeywords&) = delete;
    TKeywords& operator=(const TKeywords&) = delete;

    const char* ClassName() const override { return "TKeywords"; }
    std::unique_ptr<TSM_Base> NewInstance() const override;
    // The bare store has no stream form; the classes built on it define one.
    void WriteToStream(TSMStreamWriter&) const override {}
    void ReadFromStream(TSMStreamReader&) override {}

    // Adds `word`. With `caseSensitive` false the word is stored in lower
    // case. Raises EKeywords "Duplicate keyword - '<word>'" when the word
    // already has an entry whose state set meets `states` (the store is then
    // unchanged). An empty word can never match and is not stored.
    virtual void AddWord(std::string_view word, bool caseSensitive, int token,
                         const TStateSet& states, const TCharSet& follow = {},
                         int followClass = -1);

    // Forward lookup from the stream position, comparing raw characters
    // when `caseSensitive`, else the lower case of the text. On a match the
    // stream stands after the word and `length` is the word's length. With
    // no match: null, the stream one character past where it started,
    // length 1. The entry stays valid until the store changes.
    const TKeywordEntry* FindWord(TCustomEdStream& stream, bool caseSensitive,
                                  const TStateSet& current, int& length) const;

    // Whether a word valid in `current` may start with `c` (compared as
    // FindWord compares it): false means FindWord finds nothing there.
    bool MayStartWith(unsigned char c, bool caseSensitive, const TStateSet& current) const
    {
        const uint32_t child = (*nodes_[0].Index)[caseSensitive ? c : AnsiLowerChar(c)];
        return child != 0 && nodes_[child].States.Meets(current);
    }

    // Backward lookup: the character at the stream position is the word's
    // last character (of a reversed name, its first), and each further level
    // of the trie is matched one character further back, never before the
    // start of the text. On a match the stream stands on the first character
    // of the matched text and `length` is the count of characters matched.
    // With no match: null, the stream one character past the start
    // position, length 1.
    const TKeywordEntry* FindWordBackwards(TCustomEdStream& stream, bool caseSensitive,
                                           const TStateSet& current, int& length) const;

    // Drops every word (derived lists also drop their entries).
    virtual void Clear() { ClearWords(); }
    bool Empty() const { return entries_.empty(); }
    size_t EntryCount() const { return entries_.size(); }

protected:
    void ClearWords();
    // Exchanges the words of two stores (used to commit a list read into a
    // scratch object).
    void SwapWords(TKeywords& other) noexcept
    {
        nodes_.swap(other.nodes_);
        entries_.swap(other.entries_);
    }

private:
    struct TNode {
        TStateSet States;
        std::vector<std::pair<unsigned char, uint32_t>> Kids;
        std::unique_ptr<std::array<uint32_t, 256>> Index;  // 0 = no child
        std::vector<uint32_t> Entries;
    };

    uint32_t Child(uint32_t node, unsigned char c) const;
    uint32_t AddChild(uint32_t node, unsigned char c);
    const TKeywordEntry* Qualifying(const TNode& node, const TStateSet& current,
                                    unsigned char next) const;

    std::vector<TNode> nodes_;  // node 0 is the root
    std::vector<TKeywordEntry> entries_;
};

}  // namespace tarnwick
