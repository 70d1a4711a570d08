// The import list's records: which source values may be queued, records
// that would not split back into their seven fields, and Undo's removal.
#include "app/import/import_records.h"

#include <gtest/gtest.h>

namespace tarnwick::test {
namespace {

TEST(ImportRecords, source_values_that_may_be_queued)
{
    struct Row {
        const char* name;
        const char* value;
        bool importable;
    };
    const Row rows[] = {
        {"missing_key_default", "0", true},
        {"empty_snippet", "0;0", true},
        {"range_inside", "2;5", true},
        {"range_up_to_the_end", "0;10", true},
        {"range_past_the_end", "5;11", false},
        {"start_not_a_number", "x;3", false},
        {"end_not_a_number", "1;y", false},
        {"end_missing", "3", false},
        {"end_before_start", "5;2", false},
        {"negative_start", "-1;2", false},
        {"blanks", " 1;2", false},
        {"empty", "", false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(IsImportableValue(row.value, 10), row.importable) << row.name;
}

TEST(ImportRecords, records_hold_seven_fields_or_are_refused)
{
    EXPECT_EQ(ImportRecord("Dst", "T", "3;9", "/x/src.ini", "Src", "T"),
              "Dst;T;3;9;/x/src.ini;Src;T");
    EXPECT_EQ(ImportRecord("Dst", "T", "0", "/x/src.ini", "Src", "T"), "Dst;T;0;;/x/src.ini;Src;T");
    EXPECT_FALSE(ImportRecord("D;st", "T", "3;9", "/x/src.ini", "Src", "T"));
    EXPECT_FALSE(ImportRecord("Dst", "T", "3;9", "/x;y/src.ini", "Src", "T"));
    EXPECT_FALSE(ImportRecord("Dst", "T", "3;9", "/x/src.ini", "Src", "T;2"));
    EXPECT_FALSE(ImportRecord("Dst", "T\r", "3;9", "/x/src.ini", "Src", "T"));
}

TEST(ImportRecords, undo_removes_matching_records_only)
{
    const TImportList list = {"A;x;0;1;s;S;x", "AB;x;0;1;s;S;x", "A;y;0;1;s;S;y",
                              "a;x;0;1;s;S;x", "A;x;0;1;s;S;x"};
    TImportList title = list;
    EXPECT_EQ(RemoveQueued(title, "A", "x"), 2u);
    EXPECT_EQ(title, TImportList({"AB;x;0;1;s;S;x", "A;y;0;1;s;S;y", "a;x;0;1;s;S;x"}));
    TImportList category = list;
    EXPECT_EQ(RemoveQueued(category, "A"), 3u);
    EXPECT_EQ(category, TImportList({"AB;x;0;1;s;S;x", "a;x;0;1;s;S;x"}));
    EXPECT_EQ(RemoveQueued(category, "Z"), 0u);
}

TEST(ImportRecords, messages_are_composed_from_language_strings_22_to_25)
{
    std::vector<std::string> strings(26, "-");
    strings[22] = "The title ";
    strings[23] = " is bad.";
    strings[24] = "Skipped.";
    strings[25] = "List:";
    EXPECT_EQ(InvalidOffsetMessage(strings, "T"), "The title \"T\" is bad.\rSkipped.");
    EXPECT_EQ(SkippedMessage(strings, "a\rb\r"), "List: \r\ra\rb\r");
    // A short language file: the missing pieces are empty, nothing raises.
    EXPECT_EQ(InvalidOffsetMessage({}, "T"), "\"T\"\r");
}

}  // namespace
}  // namespace tarnwick::test
