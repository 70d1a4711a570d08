// The shared text helpers: trimming, ASCII prefix tests, 32-bit decimals.
#include "platform/ascii_text.h"

#include <gtest/gtest.h>

namespace tarnwick {

TEST(AsciiText, Trimmed)
{
    struct Row { const char* name; std::string_view text, blanks, trimmed; };
    const Row rows[] = {
        {"both_ends", " \tab c\t ", " \t", "ab c"},
        {"nothing_to_trim", "abc", " \t", "abc"},
        {"only_blanks", " \t ", " \t", ""},
        {"empty", "", " \t", ""},
        {"other_blanks_stay", "\rabc\n", " \t", "\rabc\n"},
        {"line_ends", "commit\r\n", " \r\n", "commit"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Trimmed(row.text, row.blanks), row.trimmed) << row.name;
}

TEST(AsciiText, StartsWithAsciiIgnoresLetterCase)
{
    EXPECT_TRUE(StartsWithAscii("dword:0000", "DWORD:"));
    EXPECT_TRUE(StartsWithAscii("0X1F", "0x"));
    EXPECT_TRUE(StartsWithAscii("abc", ""));
    EXPECT_FALSE(StartsWithAscii("he", "hex"));
    EXPECT_FALSE(StartsWithAscii("\xe4x", "\xc4x"));  // only ASCII letters fold
}

TEST(AsciiText, TryParseInt32TakesSignAndDigitsThatFit)
{
    struct Row { const char* text; bool ok; int32_t value; };
    const Row rows[] = {
        {"0", true, 0},
        {"+17", true, 17},
        {"-17", true, -17},
        {"2147483647", true, 2147483647},
        {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 0},
        {"-2147483649", false, 0},
        {"99999999999999999999", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {" 1", false, 0},
        {"1 ", false, 0},
        {"0x10", false, 0},
        {"+-1", false, 0},
    };
    for (const Row& row : rows) {
        int32_t value = 42;
        EXPECT_EQ(TryParseInt32(row.text, value), row.ok) << row.text;
        EXPECT_EQ(value, row.ok ? row.value : 42) << row.text;
    }
}

}  // namespace tarnwick
