// Compaction keeps every text a title can read and drops the rest; the check
// reports texts that share bytes.
#include "library/library_check.h"
#include "library/library_compact.h"
#include "library/library_format.h"

#include "library_test_util.h"
#include "platform/errors.h"

namespace tarnwick::test {

class LibraryCompactTest : public ScratchFolder {};

TEST_F(LibraryCompactTest, KeepsWhatTitlesReadAndDropsTheRest)
{
    const std::string index = Path("lib.ini");
    // "old" is a text an import replaced; B and Copy share one range; E is
    // an empty range, F an empty value; the second A is never read.
    Put(index,
        "[Main]\r\nA=10;15\r\nB=17;20\r\nE=4;4\r\nF=\r\n[Other]\r\nCopy=17;20\r\n"
        "[main]\r\nA=0;3\r\n");
    Put(Path("lib.dat"), "old\r\nxxx\r\nalpha\r\nbet\r\n");
    const auto read = [&](const char* category, const char* title) {
        return ReadSnippet(category, title, index);
    };

    const TCompactResult result = CompactLibrary(index);
    EXPECT_EQ(result.oldSize, 22);
    EXPECT_EQ(result.newSize, 12);
    EXPECT_EQ(result.texts, 2u);
    EXPECT_EQ(Get(Path("lib.dat")), "alpha\r\nbet\r\n");
    EXPECT_EQ(read("Main", "A"), "alpha");
    EXPECT_EQ(read("Main", "B"), "bet");
    EXPECT_EQ(read("Other", "Copy"), "bet");
    EXPECT_EQ(Get(index),
              "[Main]\r\nA=0;5\r\nB=7;10\r\nE=0;0\r\nF=\r\n[Other]\r\nCopy=7;10\r\n"
              "[main]\r\nA=0;3\r\n");
    // Still reported: the category that occurs twice and the shared text.
    EXPECT_EQ(CheckLibrary(index).problems.size(), 2u);

    // A compact library stays as it is.
    CompactLibrary(index);
    EXPECT_EQ(Get(Path("lib.dat")), "alpha\r\nbet\r\n");
}

TEST_F(LibraryCompactTest, RefusesABrokenLibraryBeforeChangingIt)
{
    const std::string index = Path("lib.ini");
    for (const char* value : {"2;99", "x;3", "-1;2"}) {
        SCOPED_TRACE(value);
        const std::string indexBytes = std::string("[Main]\r\nA=0;3\r\nBad=") + value + "\r\n";
        Put(index, indexBytes);
        Put(Path("lib.dat"), "abc\r\njunk\r\n");
        EXPECT_THROW(CompactLibrary(index), Exception);
        EXPECT_EQ(Get(index), indexBytes);
        EXPECT_EQ(Get(Path("lib.dat")), "abc\r\njunk\r\n");
    }
    // Without a data file only empty snippets can be compacted.
    RemoveFile(Path("lib.dat"));
    Put(index, "[Main]\r\nA=0;0\r\n");
    EXPECT_EQ(CompactLibrary(index).newSize, 0);
    EXPECT_EQ(Get(Path("lib.dat")), "<missing>");
}

TEST_F(LibraryCompactTest, CheckReportsTextsThatShareBytes)
{
    const std::string index = Path("lib.ini");
    Put(Path("lib.dat"), "0123456789\r\n");
    Put(index, "[M]\r\nA=0;5\r\nB=3;8\r\nC=8;10\r\nD=8;10\r\nE=4;4\r\n");
    const TLibraryCheck check = CheckLibrary(index);
    ASSERT_EQ(check.problems.size(), 2u);
    EXPECT_EQ(check.problems[0], "[M] B: 3;8 overlaps the text of [M] A (0;5)");
    EXPECT_EQ(check.problems[1], "[M] D: 8;10 overlaps the text of [M] C (8;10)");
}

}  // namespace tarnwick::test
