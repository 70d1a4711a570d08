#include "app/import/import_records.h"

#include "library/library_format.h"
#include "platform/ascii_text.h"

#include <iterator>

namespace tarnwick {

namespace {

constexpr std::string_view kFieldSeparator = ";";

bool SplitsCleanly(std::string_view part)
{
    return part.find_first_of(";\r\n") == std::string_view::npos;
}

}  // namespace

std::optional<std::string> ImportRecord(std::string_view targetCategory,
                                        std::string_view targetTitle, std::string_view value,
                                        std::string_view sourceIndex,
                                        std::string_view sourceCategory,
                                        std::string_view sourceTitle)
{
    const std::string_view fields[] = {targetCategory,
                                       targetTitle,
                                       GetField(value, kFieldSeparator, 0),
                                       GetField(value, kFieldSeparator, 1),
                                       sourceIndex,
                                       sourceCategory,
                                       sourceTitle};
    std::string record;
    for (size_t i = 0; i < std::size(fields); ++i) {
        if (!SplitsCleanly(fields[i]))
            return std::nullopt;
        if (i > 0)
            record += kFieldSeparator;
        record += fields[i];
    }
    return record;
}

bool IsImportableValue(std::string_view value, int64_t dataSize)
{
    if (value == kMissingSourceValue)
        return true;
    int32_t start = 0;
    int32_t end = 0;
    return TryParseInt32(GetField(value, kFieldSeparator, 0), start) &&
           TryParseInt32(GetField(value, kFieldSeparator, 1), end) &&
           TTextRange{start, end}.Fits(dataSize);
}

size_t RemoveQueued(TImportList& list, std::string_view category,
                    std::optional<std::string_view> title)
{
    size_t removed = 0;
    for (size_t i = list.size(); i-- > 0;) {
        const std::string& record = list[i];
        if (GetField(record, kFieldSeparator, 0) != category)
            continue;
        if (title && GetField(record, kFieldSeparator, 1) != *title)
            continue;
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
        ++removed;
    }
    return removed;
}

std::string_view StringAt(const std::vector<std::string>& strings, size_t index)
{
    return index < strings.size() ? std::string_view(strings[index]) : std::string_view();
}

std::string InvalidOffsetMessage(const std::vector<std::string>& strings, std::string_view title)
{
    std::string text(StringAt(strings, 22));
    text += '"';
    text += title;
    text += '"';
    text += StringAt(strings, 23);
    text += '\r';
    text += StringAt(strings, 24);
    return text;
}

std::string SkippedMessage(const std::vector<std::string>& strings, std::string_view list)
{
    std::string text(StringAt(strings, 25));
    text += " \r\r";
    text += list;
    return text;
}

}  // namespace tarnwick
