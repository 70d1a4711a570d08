// The two-file library format: how the data file and its work files are named
// after the index file, how a title's value "start;end" is split and checked,
// and how a snippet's text is read back.
//
// Index file: INI, sections = categories, keys = titles, value = "start;end"
// in decimal, the half-open byte range [start, end) of the text in the data
// file. "0;0" is an empty snippet. Data file: the texts back to back, each
// followed by CR LF that is not part of its range.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

class TIniDocument;
class TFile;

// The default passed when reading a title's value: a result equal to it means
// the title has no key. Never stored.
inline constexpr std::string_view kNoInfo = "NO_INFO";

// The value of a title that exists but has no text.
inline constexpr std::string_view kEmptyValue = "0;0";

// The bytes written after every appended text.
inline constexpr std::string_view kTextTerminator = "\r\n";

// Offsets are stored as signed 32-bit numbers; no range may end beyond this.
inline constexpr int64_t kMaxOffset = 2147483647;

// Raises "The data file %s cannot grow beyond 2,147,483,647 bytes" when a
// text would end beyond kMaxOffset.
void CheckDataFileLimit(int64_t end, const std::filesystem::path& data);

// The data file's name: the index file's name with everything after the last
// '.' of its file-name part replaced by ".dat" (".dat" appended when there is
// no extension). web.old.ini -> web.old.dat.
std::string DataFileName(std::string_view indexFileName);

// Field n (from 0) of `text` split at `separator`: the separator is appended
// once, then n + 1 times the part before the first separator is taken and
// removed with it. A field beyond the last is the empty text. The result is a
// view into `text` (nothing is copied).
// GetField("12;40", ";", 1) == "40"; GetField("12;40", ";", 2) == "".
std::string_view GetField(std::string_view text, std::string_view separator, int n);

// A field converted as a signed decimal integer that fits 32 bits (an
// optional sign, then digits, nothing else). Raises EConvertError
// "'%s' is not a valid integer value" otherwise.
int64_t ParseDecimal(std::string_view field);

// The key under which reads find a title: both names trimmed, ASCII letter
// case folded, joined by a NUL.
std::string TitleKey(std::string_view category, std::string_view title);

// A title and its stored value ("" when empty).
struct TTitleValue {
    std::string category, title, value;
};

// Every title reads can reach, in file order: each category and each title
// at its first occurrence only (later ones are never read). The listing
// buffer does not apply.
std::vector<TTitleValue> ReadableTitles(const TIniDocument& index);

// A stored value split into its two numbers. The range is not checked against
// any file here: a value may be well-formed and still point outside the data.
struct TTextRange {
    int64_t start = 0;
    int64_t end = 0;
    int64_t Length() const { return end - start; }
    // True when [start, end) is a proper range inside a file of `size` bytes.
    bool LiesWithin(int64_t size) const { return start >= 0 && start <= end && end <= size; }
    // True when the range needs no byte of the data file (an empty text) or
    // lies within a file of `size` bytes: a title whose range does not fit
    // belongs to a damaged library.
    bool Fits(int64_t size) const { return (start >= 0 && start == end) || LiesWithin(size); }
};

// Fields 0 and 1 of `value` as numbers; raises EConvertError naming the first
// field that is not a number.
TTextRange ParseRange(std::string_view value);

// "start;end" in decimal, no sign or blanks.
std::string FormatRange(int64_t start, int64_t end);

// Reads the text of [range.start, range.end) from an open data file: fewer
// bytes when the file ends first, cut before the first byte 0. A range with a
// negative start or an end before its start raises a clear message; so does a
// file that turns out shorter while it is read than its size said.
std::string ReadTextRange(TFile& data, const TTextRange& range);

// The snippet's text: the title's value read with an empty default; the empty
// text when there is none or its range is empty ("0;0"); otherwise the bytes
// of its range from the data file (which must exist: "File not found"
// otherwise). Nothing is cached. Reads
// under the library's shared lock.
std::string ReadSnippet(std::string_view category, std::string_view title,
                        const std::string& indexFileName);

}  // namespace tarnwick
