// Stored Windows-style names find the files that exist, whatever their case.
#include "platform/file_io.h"
#include "platform/file_names.h"

#include <gtest/gtest.h>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

TEST(FileNames, ResolvesStoredNamesAgainstTheDisk)
{
    const fs::path root = fs::temp_directory_path() / "tarnwick-names";
    fs::remove_all(root);
    fs::create_directories(root / "Scripts");
    WriteFileAtomically(root / "Scripts" / "Basic.dat", "x");
    WriteFileAtomically(root / "Tarnwick.ini", "x");

    EXPECT_EQ(ResolveFileName("scripts\\basic.DAT", root), root / "Scripts" / "Basic.dat");
    EXPECT_EQ(ResolveFileName("SCRIPTS/Basic.dat", root), root / "Scripts" / "Basic.dat");
    EXPECT_EQ(ResolveFileName("tarnwick.INI", root), root / "Tarnwick.ini");
    // What does not exist keeps the case given, below the part that does.
    EXPECT_EQ(ResolveFileName("scripts\\New\\Lib.ini", root), root / "Scripts" / "New" / "Lib.ini");
    // Absolute names, with or without a drive.
    const std::string absolute = (root / "SCRIPTS" / "basic.dat").string();
    EXPECT_EQ(ResolveFileName(absolute), root / "Scripts" / "Basic.dat");
    EXPECT_EQ(ResolveFileName("C:" + absolute), root / "Scripts" / "Basic.dat");

    // An exact spelling wins over another that differs only in case.
    WriteFileAtomically(root / "tarnwick.ini", "y");
    EXPECT_EQ(ResolveFileName("tarnwick.ini", root), root / "tarnwick.ini");
    EXPECT_EQ(ResolveFileName("TARNWICK.INI", root), root / "Tarnwick.ini");  // first in byte order
    fs::remove_all(root);
}

TEST(FileNames, NamePartsWithEitherSeparator)
{
    EXPECT_EQ(ChangeFileExt("C:\\Libs\\Code.ini", ".dat"), "C:\\Libs\\Code.dat");
    EXPECT_EQ(ChangeFileExt("/a.b/lib", ".dat"), "/a.b/lib.dat");
    EXPECT_EQ(ChangeFileExt("lib.x.ini", ".bak"), "lib.x.bak");
    EXPECT_EQ(ExtractFileName("a\\b/c.ini"), "c.ini");
    EXPECT_EQ(ExtractFilePath("a\\b/c.ini"), "a\\b/");
    EXPECT_EQ(ExtractFilePath("c.ini"), "");
    EXPECT_TRUE(SameTextAscii("Main", "mAIN"));
    EXPECT_FALSE(SameTextAscii("\xC9t\xE9", "\xE9t\xC9"));  // only ASCII letters fold
}

}  // namespace
}  // namespace tarnwick
