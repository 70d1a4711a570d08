#include "library/library_compact.h"

#include "library/library_format.h"
#include "library/library_journal.h"
#include "platform/errors.h"

#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace tarnwick {

namespace {

struct TTitleRef {
    std::string category, title;
    TTextRange range;
};

// Every readable title that has a value, with its range.
std::vector<TTitleRef> ReadTitles(const TIniDocument& index)
{
    std::vector<TTitleRef> refs;
    for (const TTitleValue& title : ReadableTitles(index))
        if (!title.value.empty())
            refs.push_back({title.category, title.title, ParseRange(title.value)});
    return refs;
}

}  // namespace

TCompactResult CompactLibrary(const std::string& indexFileName)
{
    TLibraryTransaction transaction(TLibraryFiles::For(indexFileName));
    TIniDocument& index = transaction.Index();
    const std::vector<TTitleRef> refs = ReadTitles(index);
    TCompactResult result;
    const std::optional<int64_t> dataSize = transaction.DataSize();
    result.oldSize = dataSize.value_or(0);

    // The kept ranges in file order, each once, with its new start.
    std::map<std::pair<int64_t, int64_t>, int64_t> kept;
    for (const TTitleRef& ref : refs) {
        if (ref.range.Length() == 0 && ref.range.start >= 0)
            continue;
        if (!dataSize || !ref.range.LiesWithin(result.oldSize))
            throw Exception("[" + ref.category + "] " + ref.title + ": " +
                            FormatRange(ref.range.start, ref.range.end) +
                            " does not lie within the data file; the library was not compacted");
        kept.emplace(std::make_pair(ref.range.start, ref.range.end), 0);
    }
    std::vector<TPiece> pieces;
    for (auto& [range, newStart] : kept) {
        newStart = result.newSize;
        result.newSize += range.second - range.first + int64_t(kTextTerminator.size());
        pieces.push_back({range.first, range.second, true});
    }
    result.texts = kept.size();

    for (const TTitleRef& ref : refs) {
        std::string value(kEmptyValue);
        const auto it = kept.find({ref.range.start, ref.range.end});
        if (it != kept.end())
            value = FormatRange(it->second, it->second + ref.range.Length());
        if (value != FormatRange(ref.range.start, ref.range.end))
            index.WriteString(ref.category, ref.title, value);
    }
    if (!dataSize)
        return result;  // no data file and no text: nothing to rewrite
    transaction.CommitRebuild(pieces, {});
    return result;
}

}  // namespace tarnwick
