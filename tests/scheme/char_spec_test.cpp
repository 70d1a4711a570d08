// Character specifiers and the word store's longest match.
#include "scheme/char_spec.h"
#include "scheme/compiler_error.h"
#include "scheme/word_store.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnwick {
namespace {

// The members of a class among the printable ASCII characters and a few
// control characters, as a string ("^" first when negated).
std::string Members(const TCharClass& item)
{
    std::string out = item.negated ? "^" : "";
    for (int c = 0; c < 256; ++c) {
        if (item.chars.Contains(uint8_t(c)))
            out += (c >= 32 && c < 127) ? std::string(1, char(c)) : "<" + std::to_string(c) + ">";
    }
    return out;
}

struct TSpecRow {
    const char* name;
    const char* raw;
    const char* items;  // Members of each item, '|'-separated
};

class CharSpecs : public ::testing::TestWithParam<TSpecRow> {};

TEST_P(CharSpecs, Parse)
{
    std::string out;
    try {
        for (const TCharClass& item : ReadCharSpecItems(GetParam().raw)) {
            if (!out.empty())
                out += '|';
            out += Members(item);
        }
    } catch (const ECharSpecifier& e) {
        out = std::string("error: ") + e.what();
    }
    EXPECT_EQ(out, GetParam().items);
}

INSTANTIATE_TEST_SUITE_P(
    Items, CharSpecs,
    ::testing::Values(
        TSpecRow{"one_character_per_item", "<!-", "<|!|-"},
        TSpecRow{"range", "a-e", "abcde"},
        TSpecRow{"escaped_range_ends", "\\x30-\\62", "012"},
        TSpecRow{"named_escapes", "\\n\\r\\t\\s\\b\\e", "<13>|<10>|<9>| |<8>|<27>"},
        TSpecRow{"upper_case_named_escape_is_the_letter", "\\N", "N"},
        TSpecRow{"unicode_escape", "\\u41", "A"},
        TSpecRow{"bracket_class_with_ranges", "[a-cx]y", "abcx|y"},
        TSpecRow{"negated_class", "[^\\]\\[]", "^[]"},
        TSpecRow{"empty_class", "[]", ""},
        TSpecRow{"dash_before_close_is_literal", "[a-]", "-a"},
        TSpecRow{"trailing_dash_is_an_item", "a-", "a|-"},
        TSpecRow{"escaped_bracket_outside_class", "\\[", "["},
        TSpecRow{"lone_final_backslash", "\\", "\\"},
        TSpecRow{"range_in_wrong_order",
                 "z-a", "error: Characters not in correct order for range specifier"},
        TSpecRow{"class_not_closed", "[abc", "error: ']' expected"},
        TSpecRow{"escape_above_byte", "\\x100", "error: Range error, value outwith 0 .. 255"},
        TSpecRow{"huge_octal_does_not_overflow", "\\77777777777777777777",
                 "error: Range error, value outwith 0 .. 255"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WordStore, LongestMatchRespectsWordBoundaries)
{
    TWordStore store;
    store.AddValue("%%handler", 26);
    store.AddValue("%%handlers", 27);
    store.AddValue("or", 81);
    store.AddValue("(", 35);
    struct {
        const char* text;
        int value;
        size_t end;
    } rows[] = {
        {"%%HANDLERS x", 27, 10}, {"%%handler(", 26, 9}, {"%%handlersx", -1, 0},
        {"or(", 81, 2},           {"or1", -1, 0},        {"(or", 35, 1},
        {"", -1, 0},              {"o", -1, 0},
    };
    for (const auto& row : rows) {
        size_t pos = 0;
        EXPECT_EQ(store.Match(row.text, pos), row.value) << row.text;
        EXPECT_EQ(pos, row.end) << row.text;
    }
}

TEST(WordStore, TextsReplaceAndIgnoreCase)
{
    TWordStore store;
    store.AddText("Name", "1");
    store.AddText("NAME", "2");
    EXPECT_EQ(store.WordCount(), 1u);
    ASSERT_NE(store.Text("name"), nullptr);
    EXPECT_EQ(*store.Text("name"), "2");
    EXPECT_FALSE(store.Exists("nam"));
    EXPECT_FALSE(store.Exists("names"));
    EXPECT_EQ(store.Text("other"), nullptr);
    EXPECT_EQ(store.Value("name"), -1);
}

}  // namespace
}  // namespace tarnwick
