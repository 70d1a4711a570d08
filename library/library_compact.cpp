#include "library/library_compact.h"

#include "library/library_format.h"
#include "library/library_journal.h"
#include "platform/errors.h"
#include "platform/file_names.h"

#include <algorithm>
#include <limits>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace tarnwick {

namespace {

struct TTitleRef {
    std::string category, title;
    TTextRange range;
};

// Every title with a non-empty value, at its first occurrence, as reads see it.
std::vector<TTitleRef> ReadTitles(const TIniDocument& index)
{
    constexpr size_t kUnlimited = std::numeric_limits<size_t>::max();
    std::vector<TTitleRef> refs;
    std::set<std::string> categories;
    for (const std::string& category : index.SectionNames(kUnlimited)) {
        if (!categories.insert(UpperCaseAscii(category)).second)
            continue;
        std::set<std::string> titles;
        for (const std::string& title : index.Keys(category, kUnlimited)) {
            if (!titles.insert(UpperCaseAscii(title)).second)
                continue;
            const std::string value = index.ReadString(category, title, "");
            if (!value.empty())
                refs.push_back({category, title, ParseRange(value)});
        }
    }
    return refs;
}

}  // namespace

TCompactResult CompactLibrary(const std::string& indexFileName)
{
    TLibraryTransaction transaction(TLibraryFiles::For(indexFileName));
    TIniDocument& index = transaction.Index();
    const std::vector<TTitleRef> refs = ReadTitles(index);
    TCompactResult result;
    result.oldSize = transaction.DataSize().value_or(0);

    // The kept ranges in file order, each once, with its new start.
    std::map<std::pair<int64_t, int64_t>, int64_t> kept;
    for (const TTitleRef& ref : refs) {
        if (ref.range.Length() == 0 && ref.range.start >= 0)
            continue;
        if (!transaction.DataSize() || !ref.range.LiesWithin(result.oldSize))
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
    if (!transaction.DataSize())
        return result;  // no data file and no text: nothing to rewrite
    try {
        transaction.CommitRebuild(pieces, {});
    } catch (...) {
        if (!transaction.Abandon())
            throw;
    }
    return result;
}

}  // namespace tarnwick
