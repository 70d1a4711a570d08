// Character-specifier reader. Every read checks the index against the raw
// text first: specifier strings come from scripts and may end anywhere.
#include "scheme/char_spec.h"

#include "scheme/compiler_error.h"
#include "scheme/compiler_messages.h"
#include "resources/strings/string_ids.h"

#include <cstdint>

namespace tarnwick {

namespace {

// Escaped numbers stop growing here; anything above 255 is rejected anyway.
constexpr uint32_t kNumberCap = 0x10000;

[[noreturn]] void Fail(int id, std::initializer_list<TMessageArg> args = {})
{
    throw ECharSpecifier(CompilerMessage(id, args), id);
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// One character, escaped or not, at raw[pos] (pos < raw.size()).
uint8_t ReadChar(std::string_view raw, size_t& pos)
{
    const char c = raw[pos++];
    if (c != '\\')
        return uint8_t(c);
    if (pos >= raw.size())
        return uint8_t('\\');
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
    case 'U': {
        if (pos >= raw.size() || HexDigit(raw[pos]) < 0)
            return uint8_t(e);
        while (pos < raw.size() && HexDigit(raw[pos]) >= 0) {
            value = value * 16 + uint32_t(HexDigit(raw[pos++]));
            if (value > kNumberCap)
                value = kNumberCap;
        }
        break;
    }
    default:
        if (e < '0' || e > '7')
            return uint8_t(e);
        value = uint32_t(e - '0');
        while (pos < raw.size() && raw[pos] >= '0' && raw[pos] <= '7') {
            value = value * 8 + uint32_t(raw[pos++] - '0');
            if (value > kNumberCap)
                value = kNumberCap;
        }
        break;
    }
    if (value > 255)
        Fail(sidRangeError, {int64_t(0), int64_t(255)});
    return uint8_t(value);
}

// A character or a range "a-z" at raw[pos], added to `set`. Inside a class
// a '-' before the closing ']' is an ordinary character.
void ReadCharOrRange(std::string_view raw, size_t& pos, bool inClass, TSet256& set)
{
    const uint8_t low = ReadChar(raw, pos);
    const bool range = pos + 1 < raw.size() && raw[pos] == '-' && !(inClass && raw[pos + 1] == ']');
    if (!range) {
        set.Include(low);
        return;
    }
    ++pos;
    const uint8_t high = ReadChar(raw, pos);
    if (high < low)
        Fail(sidRangeOrder);
    set.IncludeRange(low, high);
}

}  // namespace

bool ReadCharSpecItem(std::string_view raw, size_t& pos, TCharClass& item)
{
    if (pos >= raw.size())
        return false;
    TCharClass result;
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
            Fail(sidCloseBracketExpected);
        if (raw[pos] == ']') {
            ++pos;
            break;
        }
        ReadCharOrRange(raw, pos, true, result.chars);
    }
    item = result;
    return true;
}

std::vector<TCharClass> ReadCharSpecItems(std::string_view raw, size_t limit)
{
    std::vector<TCharClass> items;
    size_t pos = 0;
    TCharClass item;
    while (items.size() <= limit && ReadCharSpecItem(raw, pos, item))
        items.push_back(item);
    return items;
}

}  // namespace tarnwick
