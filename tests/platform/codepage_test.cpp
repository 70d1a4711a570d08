// Code page 1252 <-> Unicode.
#include "platform/codepage.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

std::string AllBytes()
{
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes.push_back(static_cast<char>(i));
    return bytes;
}

TEST(Codepage, EveryByteSurvivesEachUnicodeForm)
{
    const std::string bytes = AllBytes();
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(bytes)), bytes);
    EXPECT_EQ(Utf32ToCp1252(Cp1252ToUtf32(bytes)), bytes);
    EXPECT_EQ(Utf16ToCp1252(Cp1252ToUtf16(bytes)), bytes);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(static_cast<unsigned char>(UnicodeToCp1252(Cp1252ToUnicode(static_cast<unsigned char>(i)))), i);
}

TEST(Codepage, HighBlockAsWindowsMapsIt)
{
    struct Row {
        unsigned char byte;
        char32_t codePoint;
    };
    const Row rows[] = {
        {0x80, 0x20AC}, {0x81, 0x0081}, {0x82, 0x201A}, {0x83, 0x0192}, {0x8A, 0x0160},
        {0x8C, 0x0152}, {0x8D, 0x008D}, {0x8E, 0x017D}, {0x8F, 0x008F}, {0x90, 0x0090},
        {0x91, 0x2018}, {0x96, 0x2013}, {0x97, 0x2014}, {0x99, 0x2122}, {0x9C, 0x0153},
        {0x9D, 0x009D}, {0x9F, 0x0178}, {0x7F, 0x007F}, {0xA0, 0x00A0}, {0xE4, 0x00E4},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(Cp1252ToUnicode(row.byte), row.codePoint) << int(row.byte);
        EXPECT_EQ(static_cast<unsigned char>(UnicodeToCp1252(row.codePoint)), row.byte) << int(row.byte);
    }
    EXPECT_EQ(Cp1252ToUtf8("\x80\x99"), "\xe2\x82\xac\xe2\x84\xa2");
}

TEST(Codepage, CharactersOutsideTheCodePageBecomeQuestionMarks)
{
    // U+0080 and U+009F have bytes of their own in Latin-1 but not here.
    for (char32_t c : {char32_t(0x80), char32_t(0x9F), char32_t(0x100), char32_t(0x3B1),
                       char32_t(0x20AD), char32_t(0xFFFD), char32_t(0x1F600), char32_t(0x110000)})
        EXPECT_EQ(UnicodeToCp1252(c), '?') << std::hex << uint32_t(c);
    EXPECT_EQ(Utf32ToCp1252(U"a\u03b1b"), "a?b");
    EXPECT_EQ(Utf16ToCp1252(u"x\U0001F600y"), "x?y");  // one '?' for the pair
}

TEST(Codepage, MalformedInputNeverFails)
{
    struct Row {
        const char* name;
        std::string utf8;
        std::string expected;
    };
    const Row rows[] = {
        {"lone_continuation", "a\x80z", "a?z"},
        {"truncated_sequence", "a\xe2\x82", "a??"},
        {"overlong_slash", "\xc0\xaf", "??"},
        {"surrogate", "\xed\xa0\x80", "???"},
        {"beyond_unicode", "\xf4\x90\x80\x80", "????"},
        {"bad_lead", "\xff", "?"},
        {"valid_four_byte", "\xf0\x9f\x98\x80!", "?!"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Utf8ToCp1252(row.utf8), row.expected) << row.name;
    const char16_t lone[] = {u'a', char16_t(0xD800), u'b', char16_t(0xDC00)};
    EXPECT_EQ(Utf16ToCp1252(std::u16string_view(lone, 4)), "a?b?");
}

}  // namespace
}  // namespace tarnwick
