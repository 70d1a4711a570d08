// Names, fields, values and reading of the library format.
#include "library/library_format.h"

#include "library_test_util.h"
#include "platform/errors.h"

namespace tarnwick::test {

TEST(LibraryFormat, DataFileNameReplacesTheLastExtensionOfTheFileName)
{
    struct Row { const char* name; const char* index; const char* data; };
    const Row rows[] = {
        {"plain", "/x/lib.ini", "/x/lib.dat"},
        {"two_dots", "/x/web.old.ini", "/x/web.old.dat"},
        {"no_extension", "/x/lib", "/x/lib.dat"},
        {"dot_in_folder_only", "/x.y/lib", "/x.y/lib.dat"},
        {"windows_name", "C:\\a.b\\Code.INI", "C:\\a.b\\Code.dat"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(DataFileName(row.index), row.data) << row.name;
}

TEST(LibraryFormat, GetFieldSplitsAtTheSeparator)
{
    struct Row { const char* name; const char* text; const char* separator; int n; const char* field; };
    const Row rows[] = {
        {"first", "12;40", ";", 0, "12"},
        {"second", "12;40", ";", 1, "40"},
        {"beyond_last", "12;40", ";", 2, ""},
        {"empty_text", "", ";", 0, ""},
        {"empty_text_beyond", "", ";", 1, ""},
        {"empty_field", ";40", ";", 0, ""},
        {"trailing_separator", "12;", ";", 1, ""},
        {"seven_fields", "a;b;1;2;c:\\x.ini;s;t", ";", 6, "t"},
        {"long_separator", "a::b::c", "::", 2, "c"},
        {"separators_overlap", "a;;;b", ";;", 1, ";b"},
        {"empty_separator", "a;b", "", 0, ""},
        {"negative_field", "a;b", ";", -1, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(GetField(row.text, row.separator, row.n), row.field) << row.name;
}

TEST(LibraryFormat, ParseRangeAcceptsOnlyDecimalNumbers)
{
    EXPECT_EQ(ParseRange("12;40").start, 12);
    EXPECT_EQ(ParseRange("12;40").end, 40);
    EXPECT_EQ(ParseRange("0;0").Length(), 0);
    struct Row { const char* value; const char* message; };
    const Row rows[] = {
        {"NO_INFO", "'NO_INFO' is not a valid integer value"},
        {"12", "'' is not a valid integer value"},
        {"x;4", "'x' is not a valid integer value"},
        {"1; 4", "' 4' is not a valid integer value"},
        {"0x10;20", "'0x10' is not a valid integer value"},
        {"1;2147483648", "'2147483648' is not a valid integer value"},
    };
    for (const Row& row : rows) {
        try {
            ParseRange(row.value);
            ADD_FAILURE() << row.value << " was accepted";
        } catch (const EConvertError& error) {
            EXPECT_EQ(error.Message(), row.message);
        }
    }
}

class ReadSnippetTest : public ScratchFolder {};

TEST_F(ReadSnippetTest, ReadsTheRangeCutAtTheFirstZeroByte)
{
    Put(Path("lib.ini"), "[Main]\nA=0;3\nB=5;7\nEmpty=0;0\nSame=3;3\nZero=8;13\nLong=9;99\n"
                         "Bad=a;3\n");
    Put(Path("lib.dat"), std::string("abc\r\nde\r\nx\0yz\r\n", 15));
    const std::string index = Path("lib.ini");
    EXPECT_EQ(ReadSnippet("Main", "A", index), "abc");
    EXPECT_EQ(ReadSnippet("main", "b", index), "de");  // names ignore letter case
    EXPECT_EQ(ReadSnippet("Main", "Empty", index), "");
    EXPECT_EQ(ReadSnippet("Main", "Same", index), "");
    EXPECT_EQ(ReadSnippet("Main", "Zero", index), "\nx");
    EXPECT_EQ(ReadSnippet("Main", "Long", index), std::string("x", 1));
    EXPECT_EQ(ReadSnippet("Main", "Missing", index), "");
    EXPECT_THROW(ReadSnippet("Main", "Bad", index), EConvertError);
}

TEST_F(ReadSnippetTest, MissingFiles)
{
    EXPECT_EQ(ReadSnippet("Main", "A", Path("none.ini")), "");
    Put(Path("lib.ini"), "[Main]\nA=0;3\nEmpty=0;0\n");
    EXPECT_THROW(ReadSnippet("Main", "A", Path("lib.ini")), EInOutError);
    EXPECT_EQ(ReadSnippet("Main", "Empty", Path("lib.ini")), "");
}

}  // namespace tarnwick::test
