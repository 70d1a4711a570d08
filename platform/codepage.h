// The ANSI code page: Windows-1252 <-> Unicode.
//
// Every text the program keeps (snippets, libraries, schemes, settings) is a
// string of single bytes in code page 1252. Conversion to Unicode happens only
// at the boundaries that need it: painting, the clipboard, dialogs and files
// stored in a Unicode encoding. The mapping is the one Windows uses:
//
//   - 0x00-0x7F and 0xA0-0xFF map to the same code point;
//   - 0x80-0x9F map to the typographic characters Windows puts there (0x80 is
//     U+20AC, 0x99 is U+2122, ...), except the five bytes 0x81, 0x8D, 0x8F,
//     0x90 and 0x9D, which have no character and map to U+0081 etc., so that
//     every byte survives a round trip through Unicode;
//   - a code point that has no byte in the code page becomes '?'.
//
// All functions are table driven and never fail: malformed UTF-8 or UTF-16
// input yields '?' for each unreadable unit instead of an error.
#pragma once

#include <string>
#include <string_view>

namespace tarnwick {

// The code point of one code-page byte.
char32_t Cp1252ToUnicode(unsigned char byte);

// The byte for a code point; '?' when the code page has none.
char UnicodeToCp1252(char32_t codePoint);

// Whole texts. UTF-8 output is always well formed; UTF-8 input may hold
// invalid sequences (each bad byte becomes '?'), UTF-16 input may hold lone
// surrogates (each becomes '?').
std::string Cp1252ToUtf8(std::string_view bytes);
std::string Utf8ToCp1252(std::string_view utf8);
std::u32string Cp1252ToUtf32(std::string_view bytes);
std::string Utf32ToCp1252(std::u32string_view text);
std::u16string Cp1252ToUtf16(std::string_view bytes);
std::string Utf16ToCp1252(std::u16string_view text);

}  // namespace tarnwick
