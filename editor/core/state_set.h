// TStateSet: a set of tokenizer states 0..255.
//
// Stored in streams as 32 bytes, state n in byte n div 8, least significant
// bit first. In memory it is four 64-bit words so that the test the tokenizer
// makes for every word and every token (do two sets meet?) is four ANDs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

namespace tarnwick {

struct TStateSet {
    std::array<uint64_t, 4> Words{};

    static constexpr int kBytes = 32;

    TStateSet() = default;
    TStateSet(std::initializer_list<int> states)
    {
        for (int state : states)
            Include(state);
    }

    // States outside 0..255 are ignored.
    void Include(int state)
    {
        if (state >= 0 && state < 256)
            Words[static_cast<std::size_t>(state) >> 6] |= uint64_t{1} << (state & 63);
    }
    void Exclude(int state)
    {
        if (state >= 0 && state < 256)
            Words[static_cast<std::size_t>(state) >> 6] &= ~(uint64_t{1} << (state & 63));
    }
    bool Contains(int state) const
    {
        return state >= 0 && state < 256 &&
               ((Words[static_cast<std::size_t>(state) >> 6] >> (state & 63)) & 1) != 0;
    }
    bool Empty() const { return (Words[0] | Words[1] | Words[2] | Words[3]) == 0; }
    // True when the two sets share at least one state.
    bool Meets(const TStateSet& other) const
    {
        return ((Words[0] & other.Words[0]) | (Words[1] & other.Words[1]) |
                (Words[2] & other.Words[2]) | (Words[3] & other.Words[3])) != 0;
    }
    TStateSet& operator|=(const TStateSet& other)
    {
        for (std::size_t i = 0; i < 4; ++i)
            Words[i] |= other.Words[i];
        return *this;
    }
    // Set difference: removes every state of `other`.
    TStateSet& operator-=(const TStateSet& other)
    {
        for (std::size_t i = 0; i < 4; ++i)
            Words[i] &= ~other.Words[i];
        return *this;
    }
    bool operator==(const TStateSet& other) const = default;

    // Byte i of the stored form.
    uint8_t Byte(int i) const
    {
        return static_cast<uint8_t>(Words[static_cast<std::size_t>(i) >> 3] >> (8 * (i & 7)));
    }
    void SetByte(int i, uint8_t value)
    {
        const int shift = 8 * (i & 7);
        uint64_t& word = Words[static_cast<std::size_t>(i) >> 3];
        word = (word & ~(uint64_t{0xFF} << shift)) | (uint64_t{value} << shift);
    }
};

}  // namespace tarnwick
