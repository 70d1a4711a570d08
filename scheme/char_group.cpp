// Character classes and the scheme's list of distinct classes.
#include "scheme/char_group.h"

#include "platform/errors.h"

namespace tarnwick {

namespace {

// Smallest stream form of a class: set, range count, flag.
constexpr size_t kMinGroupBytes = TSet256::kBytes + 4 + 1;
constexpr size_t kRangeBytes = 4;

}  // namespace

void RaiseInvalidSetId(int index)
{
    throw Exception("Invalid Set ID (" + std::to_string(index) + ")");
}

// ---- TSM_CharGroup ----------------------------------------------------------

TSM_CharGroup::TSM_CharGroup(const TCharClass& cls) : Chars(cls.chars), Negated(cls.negated)
{
    RecomputeBounds();
}

std::unique_ptr<TSM_Base> TSM_CharGroup::NewInstance() const
{
    return std::make_unique<TSM_CharGroup>();
}

void TSM_CharGroup::Add(uint8_t c)
{
    Chars.Include(c);
    if (lowest_ < 0 || c < lowest_)
        lowest_ = c;
    if (c > highest_)
        highest_ = c;
}

void TSM_CharGroup::AddRange(uint8_t lo, uint8_t hi)
{
    for (int c = lo; c <= hi; ++c)
        Add(static_cast<uint8_t>(c));
}

void TSM_CharGroup::RecomputeBounds()
{
    lowest_ = highest_ = -1;
    for (int c = 0; c < 256; ++c) {
        if (Chars.Contains(static_cast<uint8_t>(c))) {
            if (lowest_ < 0)
                lowest_ = c;
            highest_ = c;
        }
    }
}

void TSM_CharGroup::WriteToStream(TSMStreamWriter& stream) const
{
    for (uint8_t b : Chars.Bytes())
        stream.U8(b);
    stream.I32(static_cast<int32_t>(Ranges.size()));
    for (const TCharRange& range : Ranges) {
        stream.U16(range.Low);
        stream.U16(range.High);
    }
    stream.U8(Negated ? 1 : 0);
}

void TSM_CharGroup::ReadFromStream(TSMStreamReader& stream)
{
    TSet256 chars;
    const std::string_view bytes = stream.Bytes(TSet256::kBytes);
    for (int i = 0; i < TSet256::kBytes; ++i)
        chars.Bytes()[static_cast<size_t>(i)] = static_cast<uint8_t>(bytes[static_cast<size_t>(i)]);
    const int32_t count = stream.Count(kRangeBytes);
    std::vector<TCharRange> ranges;
    ranges.reserve(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        TCharRange range;
        range.Low = stream.U16();
        range.High = stream.U16();
        if (range.Low > range.High)
            throw EReadError();
        ranges.push_back(range);
    }
    const bool negated = stream.U8() != 0;

    Chars = chars;
    Ranges = std::move(ranges);
    Negated = negated;
    RecomputeBounds();
}

// ---- TSM_CharGroupManager ---------------------------------------------------

std::unique_ptr<TSM_Base> TSM_CharGroupManager::NewInstance() const
{
    return std::make_unique<TSM_CharGroupManager>();
}

uint64_t TSM_CharGroupManager::Hash(const TSM_CharGroup& group)
{
    // FNV-1a over the set, the flag and the ranges: equal classes hash alike.
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](uint64_t byte) {
        h ^= byte;
        h *= 1099511628211ull;
    };
    for (uint8_t b : group.Chars.Bytes())
        mix(b);
    mix(group.Negated ? 1 : 0);
    for (const TCharRange& range : group.Ranges) {
        mix(range.Low & 0xFF);
        mix(range.Low >> 8);
        mix(range.High & 0xFF);
        mix(range.High >> 8);
    }
    return h;
}

int TSM_CharGroupManager::Add(const TSM_CharGroup& group)
{
    // A hash lookup rather than a walk of the list: a hostile compiled
    // scheme may hold tens of thousands of distinct classes.
    const uint64_t h = Hash(group);
    auto [first, last] = byHash_.equal_range(h);
    for (auto it = first; it != last; ++it) {
        if (groups_[static_cast<size_t>(it->second)].SameAs(group))
            return it->second;
    }
    const int index = Count();
    groups_.push_back(group);
    byHash_.emplace(h, index);
    return index;
}

const TSM_CharGroup& TSM_CharGroupManager::Group(int index) const
{
    if (index < 0 || index >= Count())
        RaiseInvalidSetId(index);
    return groups_[static_cast<size_t>(index)];
}

int TSM_CharGroupManager::ReadGroup(TSMStreamReader& stream)
{
    TSM_CharGroup group;
    group.ReadFromStream(stream);
    return Add(group);
}

void TSM_CharGroupManager::WriteGroup(TSMStreamWriter& stream, int index) const
{
    if (index == kNoClass) {
        TSM_CharGroup().WriteToStream(stream);
        return;
    }
    Group(index).WriteToStream(stream);
}

void TSM_CharGroupManager::Clear()
{
    groups_.clear();
    byHash_.clear();
}

void TSM_CharGroupManager::WriteToStream(TSMStreamWriter& stream) const
{
    stream.I32(Count());
    for (const TSM_CharGroup& group : groups_)
        group.WriteToStream(stream);
}

void TSM_CharGroupManager::ReadFromStream(TSMStreamReader& stream)
{
    TSM_CharGroupManager fresh;
    const int32_t count = stream.Count(kMinGroupBytes);
    for (int32_t i = 0; i < count; ++i)
        fresh.ReadGroup(stream);
    groups_.swap(fresh.groups_);
    byHash_.swap(fresh.byHash_);
}

}  // namespace tarnwick
