// The string table: exact texts by number.
#include "platform/string_table.h"
#include "resources/strings/string_ids.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

TEST(StringTable, NumbersAreSortedAndUniqueWithinTheirRanges)
{
    const auto entries = StringTableEntries();
    ASSERT_FALSE(entries.empty());
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_LT(entries[i - 1].id, entries[i].id) << entries[i].id;
    for (const TStringEntry& entry : entries) {
        const int id = entry.id;
        const bool inRange = (id >= 4096 && id <= 4136) || (id >= 4146 && id <= 4190) ||
                             (id >= 4196 && id <= 4209) || (id >= 4246 && id <= 4262) ||
                             (id >= 4296 && id <= 4369);
        EXPECT_TRUE(inRange) << id;
        EXPECT_NE(std::string(entry.text), "") << id;
        EXPECT_EQ(LoadStr(id), entry.text);
    }
    // Every command has its description.
    for (int code = 0; code <= 44; ++code)
        EXPECT_NE(LoadStr(sidCommandBase + code), "") << code;
}

TEST(StringTable, ExactTexts)
{
    struct Row {
        int id;
        const char* text;
    };
    const Row rows[] = {
        {sidEqualsExpected, "'=' expected"},
        {sidDuplicateWord, "Duplicate entry in %%word table"},
        {sidIncludeNotEnclosed, "#include filename not enclosed in \"...\" or <...>"},
        {sidUnknownCharacter, "Unknown character in input stream: #$%.2x"},
        {4128, "<Custom language>"},
        {sidAmbiguousKeyTable, "Ambigious key table state definition"},
        {4146, "Cursor left"},
        {4162, "Delete character before caret"},
        {4166, "Set Bookmark 0"},
        {4185, "Goto Bookmark 9"},
        {4188, "Redo"},
        {4190, "Print selection"},
        {sidTooManyTabStops, "Too many tab stops - maximum of "},
        {sidBadDefaultTab, "=Illegal default tab stop value, must be > 0"},
        {sidRegexNoError, "No errors detected"},
        {sidRegexInvalidRange, "Invalid range"},
        {sidRegexQuoteExpected, "' expected"},
        {sidRegexInternalError, "Internal error"},
        {4296, "Editor Options"},
        {4301, "Wrap long lines"},
        {4336, "Block cursor for Overwrite"},
        {4354, "Act key(s)"},
        {4365, "Line numbers in gutter"},
        {4369, "Show all chars"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(LoadStr(row.id), row.text) << row.id;
}

TEST(StringTable, NumbersWithoutTextGiveEmpty)
{
    for (int id : {0, -1, 4095, 4137, 4145, 4191, 4210, 4263, 4321, 4363, 4367, 4370, 1 << 30})
        EXPECT_EQ(LoadStr(id), "") << id;
}

}  // namespace
}  // namespace tarnwick
