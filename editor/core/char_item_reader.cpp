#include "editor/core/char_item_reader.h"

#include "platform/hex_digit.h"

#include <cstdint>

namespace tarnwick {

namespace {

// Escaped numbers stop growing here; anything above 255 is rejected anyway.
constexpr uint32_t kNumberCap = 0x10000;

// One character, escaped or not, at raw[pos] (pos < raw.size()).
uint8_t ReadChar(std::string_view raw, size_t& pos)
{
    const char c = raw[pos++];
    if (c != '\\')
        return static_cast<uint8_t>(c);
    if (pos >= raw.size())
        return static_cast<uint8_t>('\\');
    const char e = raw[pos++];
    uint32_t value = 0;
    switch (e) {
    case 'b': return 8;
    case 'e': return 27;
    case 'n': return 13;
    case 'r': return 10;
    case 's': return 32;
    case 't': return 9;
    case 'x':
    case 'X':
    case 'u':
    case 'U':
        if (pos >= raw.size() || HexDigit(raw[pos]) < 0)
            return static_cast<uint8_t>(e);
        while (pos < raw.size() && HexDigit(raw[pos]) >= 0) {
            value = value * 16 + static_cast<uint32_t>(HexDigit(raw[pos++]));
            if (value > kNumberCap)
                value = kNumberCap;
        }
        break;
    default:
        if (e < '0' || e > '7')
            return static_cast<uint8_t>(e);
        value = static_cast<uint32_t>(e - '0');
        while (pos < raw.size() && raw[pos] >= '0' && raw[pos] <= '7') {
            value = value * 8 + static_cast<uint32_t>(raw[pos++] - '0');
            if (value > kNumberCap)
                value = kNumberCap;
        }
        break;
    }
    if (value > 255)
        throw ECharItemFault{TCharItemFault::ValueRange};
    return static_cast<uint8_t>(value);
}

// A character or a range at raw[pos], added to `set`.
void ReadCharOrRange(std::string_view raw, size_t& pos, bool inClass, std::bitset<256>& set)
{
    const uint8_t low = ReadChar(raw, pos);
    const bool range =
        pos + 1 < raw.size() && raw[pos] == '-' && !(inClass && raw[pos + 1] == ']');
    if (!range) {
        set.set(low);
        return;
    }
    ++pos;
    const uint8_t high = ReadChar(raw, pos);
    if (high < low)
        throw ECharItemFault{TCharItemFault::RangeOrder};
    for (int c = low; c <= high; ++c)
        set.set(static_cast<size_t>(c));
}

}  // namespace

bool ReadCharItem(std::string_view raw, size_t& pos, TCharItem& item)
{
    if (pos >= raw.size())
        return false;
    TCharItem result;
    if (raw[pos] != '[') {
        ReadCharOrRange(raw, pos, false, result.chars);
        item = result;
        return true;
    }
    ++pos;
    if (pos < raw.size() && raw[pos] == '^') {
        result.negated = true;
        ++pos;
    }
    for (;;) {
        if (pos >= raw.size())
            throw ECharItemFault{TCharItemFault::CloseBracket};
        if (raw[pos] == ']') {
            ++pos;
            break;
        }
        ReadCharOrRange(raw, pos, true, result.chars);
    }
    item = result;
    return true;
}

}  // namespace tarnwick
