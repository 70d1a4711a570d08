// Follow-class reader: one character-specifier item, with the keyword
// tables' messages.
#include "editor/core/follow_class.h"

#include "editor/core/char_item_reader.h"

namespace tarnwick {

TCharSet ParseFollowClass(std::string_view raw)
{
    size_t pos = 0;
    TCharItem item;
    try {
        if (!ReadCharItem(raw, pos, item))
            return {};
    } catch (const ECharItemFault& error) {
        switch (error.fault) {
        case TCharItemFault::RangeOrder:
            throw EKeywords("Characters not in correct order for range specifier");
        case TCharItemFault::CloseBracket: throw EKeywords("']' expected");
        case TCharItemFault::ValueRange: throw EKeywords("Range error, value outwith 0 .. 255");
        }
    }
    if (pos < raw.size())
        throw EKeywords("Single character specifier expected");
    return item.negated ? ~item.chars : item.chars;
}

}  // namespace tarnwick
