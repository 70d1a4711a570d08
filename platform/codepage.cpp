// Windows-1252 <-> Unicode, table driven.
#include "platform/codepage.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace tarnwick {

namespace {

// Code points of the bytes 0x80-0x9F. The five unassigned bytes keep their own
// value so that no byte is lost on the way through Unicode.
constexpr std::array<char16_t, 32> kHighBlock = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

struct TReverseEntry {
    char16_t codePoint;
    unsigned char byte;
};

// The inverse of kHighBlock for the code points above U+00FF, sorted by code
// point, built once at compile time.
constexpr auto kReverse = [] {
    std::array<TReverseEntry, 27> table{};
    size_t n = 0;
    for (size_t i = 0; i < kHighBlock.size(); ++i)
        if (kHighBlock[i] > 0xFF)
            table[n++] = {kHighBlock[i], static_cast<unsigned char>(0x80 + i)};
    std::sort(table.begin(), table.end(),
              [](const TReverseEntry& a, const TReverseEntry& b) { return a.codePoint < b.codePoint; });
    return table;
}();

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (c >> 6)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        // Every code point of the code page lies in the basic plane.
        out.push_back(static_cast<char>(0xE0 | (c >> 12)));
        out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// Decodes one UTF-8 sequence at `pos` and advances past it. Overlong forms,
// surrogates, values above U+10FFFF and truncated sequences are refused: the
// result is U+FFFD and only the first byte is consumed, so decoding goes on
// in step with the input.
char32_t DecodeUtf8(std::string_view text, size_t& pos)
{
    const auto lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        ++pos;
        return 0xFFFD;
    }
    if (text.size() - pos < length) {
        ++pos;
        return 0xFFFD;
    }
    for (size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return 0xFFFD;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return 0xFFFD;
    }
    pos += length;
    return value;
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighBlock[byte - 0x80];
    return byte;
}

char UnicodeToCp1252(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<char>(codePoint);
    if (codePoint < 0xA0) {
        // Only the unassigned bytes stand for themselves in this block.
        return kHighBlock[codePoint - 0x80] == codePoint ? static_cast<char>(codePoint) : '?';
    }
    if (codePoint > 0xFFFF)
        return '?';
    auto it = std::lower_bound(kReverse.begin(), kReverse.end(), codePoint,
                               [](const TReverseEntry& e, char32_t c) { return e.codePoint < c; });
    return (it != kReverse.end() && it->codePoint == codePoint) ? static_cast<char>(it->byte) : '?';
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes)
        AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t pos = 0; pos < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[pos]);
        if (lead < 0x80) {  // the common case, without the decoder
            out.push_back(static_cast<char>(lead));
            ++pos;
        } else {
            out.push_back(UnicodeToCp1252(DecodeUtf8(utf8, pos)));
        }
    }
    return out;
}

std::u32string Cp1252ToUtf32(std::string_view bytes)
{
    std::u32string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.push_back(Cp1252ToUnicode(static_cast<unsigned char>(c)));
    return out;
}

std::string Utf32ToCp1252(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t c : text)
        out.push_back(UnicodeToCp1252(c));
    return out;
}

std::u16string Cp1252ToUtf16(std::string_view bytes)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (char c : bytes)
        out.push_back(static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(c))));
    return out;
}

std::string Utf16ToCp1252(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i;  // a pair: a code point outside the basic plane, never in the code page
            out.push_back('?');
        } else {
            out.push_back(UnicodeToCp1252(unit));  // lone surrogates fall to '?' here
        }
    }
    return out;
}

}  // namespace tarnwick
