// Character specifiers with the scheme compiler's messages; the notation is
// read by editor/core/char_item_reader.
#include "scheme/char_spec.h"

#include "editor/core/char_item_reader.h"
#include "scheme/compiler_error.h"
#include "scheme/compiler_messages.h"
#include "resources/strings/string_ids.h"

#include <cstdint>

namespace tarnwick {

namespace {

[[noreturn]] void Fail(int id, std::initializer_list<TMessageArg> args = {})
{
    throw ECharSpecifier(CompilerMessage(id, args), id);
}

}  // namespace

bool ReadCharSpecItem(std::string_view raw, size_t& pos, TCharClass& item)
{
    TCharItem read;
    try {
        if (!ReadCharItem(raw, pos, read))
            return false;
    } catch (const ECharItemFault& error) {
        switch (error.fault) {
        case TCharItemFault::RangeOrder: Fail(sidRangeOrder);
        case TCharItemFault::CloseBracket: Fail(sidCloseBracketExpected);
        case TCharItemFault::ValueRange: Fail(sidRangeError, {int64_t(0), int64_t(255)});
        }
    }
    item = TCharClass{};
    item.negated = read.negated;
    for (int c = 0; c < 256; ++c)
        if (read.chars.test(size_t(c)))
            item.chars.Include(uint8_t(c));
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
