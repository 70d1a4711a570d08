// TSet256: a 256-bit set of byte values, the member set of a character class.
// It is kept as 32 bytes, bit n in byte n div 8, least significant bit first,
// which is exactly how compiled schemes store it.
#pragma once

#include <array>
#include <cstdint>

namespace tarnwick {

class TSet256 {
public:
    static constexpr int kBytes = 32;

    constexpr TSet256() = default;

    // The set holding the one value `n`.
    static constexpr TSet256 Of(uint8_t n)
    {
        TSet256 set;
        set.Include(n);
        return set;
    }

    constexpr void Include(uint8_t n) { bytes_[n >> 3] = uint8_t(bytes_[n >> 3] | (1u << (n & 7))); }
    constexpr void Exclude(uint8_t n) { bytes_[n >> 3] = uint8_t(bytes_[n >> 3] & ~(1u << (n & 7))); }
    constexpr bool Contains(uint8_t n) const { return (bytes_[n >> 3] >> (n & 7)) & 1u; }

    // Includes every value lo..hi (inclusive); nothing when hi < lo.
    constexpr void IncludeRange(uint8_t lo, uint8_t hi)
    {
        for (int n = lo; n <= hi; ++n)
            Include(uint8_t(n));
    }

    constexpr bool Empty() const
    {
        for (uint8_t b : bytes_) {
            if (b != 0)
                return false;
        }
        return true;
    }

    // True when the two sets share at least one value.
    constexpr bool Overlaps(const TSet256& other) const
    {
        for (int i = 0; i < kBytes; ++i) {
            if ((bytes_[i] & other.bytes_[i]) != 0)
                return true;
        }
        return false;
    }

    constexpr TSet256& operator|=(const TSet256& other)
    {
        for (int i = 0; i < kBytes; ++i)
            bytes_[i] = uint8_t(bytes_[i] | other.bytes_[i]);
        return *this;
    }

    constexpr int Count() const
    {
        int count = 0;
        for (int n = 0; n < 256; ++n)
            count += Contains(uint8_t(n)) ? 1 : 0;
        return count;
    }

    // The stored form: 32 bytes, bit n in byte n div 8, least significant first.
    const std::array<uint8_t, kBytes>& Bytes() const { return bytes_; }
    std::array<uint8_t, kBytes>& Bytes() { return bytes_; }

    friend constexpr bool operator==(const TSet256&, const TSet256&) = default;

private:
    std::array<uint8_t, kBytes> bytes_{};
};

}  // namespace tarnwick
