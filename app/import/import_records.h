// The import list as the import dialog fills it and TLibraryStore::CommitImport
// carries it out: records of seven ";"-separated fields (target category,
// target title, source start, source end, source index file, source category,
// source title). Here: building a record, removing the records of a
// destination node (Undo), telling a source value that may be queued from one
// that may not, and composing the dialog's two list messages.
//
// Texts are code-page bytes, as the library stores them. Language strings are
// passed as the list of the active language file; a missing entry reads as
// the empty text, so a short language file never stops an import.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

using TImportList = std::vector<std::string>;

// The value a source title is read with when it has no key: a whole number,
// so such a title is queued; the commit then finds nothing to import for it.
inline constexpr std::string_view kMissingSourceValue = "0";

// The record for one title, or nothing when a name or the source path holds
// ";" or a line break: such a record would not split back into the same
// seven fields, and the commit would import the wrong text or none.
// `value` is the source title's value; its first two fields are recorded.
std::optional<std::string> ImportRecord(std::string_view targetCategory,
                                        std::string_view targetTitle, std::string_view value,
                                        std::string_view sourceIndex,
                                        std::string_view sourceCategory,
                                        std::string_view sourceTitle);

// Whether a source title with this value may be previewed and queued: the
// value of a missing key (kMissingSourceValue), or "start;end" in decimal
// with 0 <= start <= end whose bytes lie within a data file of `dataSize`
// bytes ("0;0" always). Anything else is an invalid offset: queued, it would
// stop the whole commit, or import bytes of other texts.
bool IsImportableValue(std::string_view value, int64_t dataSize);

// Removes every record whose field 0 equals `category` and, when `title` is
// given, whose field 1 equals it (both case-sensitive), scanning from the
// last record to the first. Returns how many were removed.
size_t RemoveQueued(TImportList& list, std::string_view category,
                    std::optional<std::string_view> title = std::nullopt);

// Entry `index` of `strings`, or the empty text when there is none.
std::string_view StringAt(const std::vector<std::string>& strings, size_t index);

// Language string 22, the title in double quotes, string 23, CR, string 24.
std::string InvalidOffsetMessage(const std::vector<std::string>& strings, std::string_view title);

// Language string 25, a blank, two CRs and `list` (entries each followed by
// CR).
std::string SkippedMessage(const std::vector<std::string>& strings, std::string_view list);

}  // namespace tarnwick
