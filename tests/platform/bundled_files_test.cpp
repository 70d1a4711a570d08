// The shipped files are found beside the executable in a build folder and in
// share/tarnwick of an installed copy.
#include "platform/bundled_files.h"

#include <gtest/gtest.h>

#include <fstream>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

class BundledFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() /
               ("tarnwick-bundle-" + std::string(::testing::UnitTest::GetInstance()
                                                      ->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root / "bin");
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(BundledFiles, FolderFollowsTheLayoutAroundTheExecutable)
{
    struct Row {
        const char* name;
        void (*arrange)(const fs::path& root);
        const char* expected;  // relative to root
    };
    const Row rows[] = {
        {"build_folder_keeps_them_beside_the_executable", [](const fs::path&) {}, "bin"},
        {"installed_copy_keeps_them_in_share_tarnwick",
         [](const fs::path& r) { fs::create_directories(r / "share" / "tarnwick"); },
         "share/tarnwick"},
        {"a_file_named_like_the_folder_is_not_taken",
         [](const fs::path& r) {
             fs::create_directories(r / "share");
             std::ofstream(r / "share" / "tarnwick") << "x";
         },
         "bin"},
        {"another_program_s_share_folder_is_not_taken",
         [](const fs::path& r) { fs::create_directories(r / "share" / "other"); }, "bin"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(root / "share");
        row.arrange(root);
        EXPECT_EQ(BundledFilesFolder(root / "bin"), root / row.expected);
    }
}

TEST_F(BundledFiles, SymlinkedShareFolderCounts)
{
    // Some distributions link share/<program> to a shared data folder.
    fs::create_directories(root / "data");
    fs::create_directories(root / "share");
    fs::create_directory_symlink(root / "data", root / "share" / "tarnwick");
    EXPECT_EQ(BundledFilesFolder(root / "bin"), root / "share" / "tarnwick");
}

TEST(BundledFilesOfThisProcess, ExecutableFolderHoldsTheTestProgram)
{
    const fs::path folder = ExecutableFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(fs::is_directory(folder));
    // The test binaries run from the build folder, where no share/tarnwick
    // sits beside bin/.
    EXPECT_EQ(BundledFilesFolder(), folder);
}

}  // namespace
}  // namespace tarnwick
