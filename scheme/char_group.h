// Character classes of a compiled scheme: TSM_CharGroup (one class) and
// TSM_CharGroupManager (the scheme's list of distinct classes).
//
// A class is a 256-bit set of character codes with a negated flag: a
// character belongs to it when its bit differs from the flag. A class also
// carries a list of ranges of wider characters; nothing in the program fills
// it, but it is part of the stream form and of class equality.
//
// Token records, handlers and words refer to classes by their index in the
// manager. Adding a class returns the index of an equal class already held
// (same set, same flag, same range list), so the thousands of records of a
// large scheme share a handful of classes. Asking for an index the manager
// does not hold raises Exception "Invalid Set ID (%d)".
//
// Stream form of a class: 32 bytes set (bit n in byte n div 8, least
// significant bit first), 32-bit range count, per range 16-bit low and
// 16-bit high, 8-bit negated flag.
#pragma once

#include "editor/core/sm_base.h"
#include "scheme/char_spec.h"
#include "scheme/set256.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace tarnwick {

// Index of "no class" in a record: written as an empty class, matches
// nothing.
inline constexpr int kNoClass = -1;

struct TCharRange {
    uint16_t Low = 0;
    uint16_t High = 0;
    bool operator==(const TCharRange&) const = default;
};

// "Invalid Set ID (<index>)".
[[noreturn]] void RaiseInvalidSetId(int index);

class TSM_CharGroup : public TSM_Base {
public:
    TSM_CharGroup() = default;
    explicit TSM_CharGroup(const TCharClass& cls);
    TSM_CharGroup(const TSM_CharGroup&) = default;
    TSM_CharGroup& operator=(const TSM_CharGroup&) = default;

    const char* ClassName() const override { return "TSM_CharGroup"; }
    std::unique_ptr<TSM_Base> NewInstance() const override;

    void WriteToStream(TSMStreamWriter& stream) const override;
    // Reads a whole class or raises (EReadError) and leaves this one as it
    // was. A range whose low end is above its high end is refused.
    void ReadFromStream(TSMStreamReader& stream) override;

    bool Contains(uint8_t c) const { return Chars.Contains(c) != Negated; }
    void Add(uint8_t c);
    // Adds lo..hi inclusive; nothing when hi < lo.
    void AddRange(uint8_t lo, uint8_t hi);
    // Lowest and highest code added; -1 for a class with no member bit.
    int Lowest() const { return lowest_; }
    int Highest() const { return highest_; }

    // Same set, same flag, same range list.
    bool SameAs(const TSM_CharGroup& other) const
    {
        return Negated == other.Negated && Chars == other.Chars && Ranges == other.Ranges;
    }

    TSet256 Chars;
    bool Negated = false;
    std::vector<TCharRange> Ranges;

private:
    void RecomputeBounds();

    int lowest_ = -1;
    int highest_ = -1;
};

class TSM_CharGroupManager : public TSM_Base {
public:
    TSM_CharGroupManager() = default;
    TSM_CharGroupManager(const TSM_CharGroupManager&) = delete;
    TSM_CharGroupManager& operator=(const TSM_CharGroupManager&) = delete;

    const char* ClassName() const override { return "TSM_CharGroupManager"; }
    std::unique_ptr<TSM_Base> NewInstance() const override;

    // 32-bit count, then every class in index order.
    void WriteToStream(TSMStreamWriter& stream) const override;
    // Replaces the list with the one read (duplicates in the stream are
    // merged, so indexes follow the first occurrence); all or nothing.
    void ReadFromStream(TSMStreamReader& stream) override;

    // The index of an equal class, or of a copy appended now.
    int Add(const TSM_CharGroup& group);
    int Add(const TCharClass& cls) { return Add(TSM_CharGroup(cls)); }

    // Raises "Invalid Set ID (%d)" for an index outside 0..Count()-1.
    const TSM_CharGroup& Group(int index) const;
    bool Contains(int index, uint8_t c) const { return Group(index).Contains(c); }
    // The class read from a stream, added (or found) here; its index.
    int ReadGroup(TSMStreamReader& stream);
    // Writes class `index`; kNoClass writes an empty class. Any other index
    // outside the list raises "Invalid Set ID (%d)".
    void WriteGroup(TSMStreamWriter& stream, int index) const;

    // True for an empty, not negated class without ranges (the form kNoClass
    // is written in).
    bool IsEmptyGroup(int index) const
    {
        const TSM_CharGroup& group = Group(index);
        return !group.Negated && group.Chars.Empty() && group.Ranges.empty();
    }

    int Count() const { return static_cast<int>(groups_.size()); }
    void Clear();

private:
    static uint64_t Hash(const TSM_CharGroup& group);

    std::vector<TSM_CharGroup> groups_;
    std::unordered_multimap<uint64_t, int> byHash_;
};

}  // namespace tarnwick
