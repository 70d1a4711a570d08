// Choosing the application folder, and filling a per-user folder from the
// bundled files of an installed copy.
#include "platform/app_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace tarnwick::test {
namespace {

namespace fs = std::filesystem;

class AppFolderChoice : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "tarnwick-home-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        bundle_ = root_ / "opt";
        Write(bundle_ / "main.ini", "[Options]\r\nLoadDefault=1\r\n");
        Write(bundle_ / "english.lng", "[Strings]\r\n");
        Write(bundle_ / "Scripts" / "CPP.dat", "compiled");
        Write(bundle_ / "tarnwick", "program");
        fs::permissions(bundle_ / "tarnwick", fs::perms::owner_exec, fs::perm_options::add);
    }
    void TearDown() override
    {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }
    static void Write(const fs::path& path, const std::string& text)
    {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    static std::string Read(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    TAppFolderSources Installed() const
    {
        TAppFolderSources sources;
        sources.ExecutableFolder = bundle_;
        sources.ExecutableFolderWritable = false;
        sources.UserHome = (root_ / "home").string();
        return sources;
    }

    fs::path root_;
    fs::path bundle_;
};

TEST_F(AppFolderChoice, precedence_of_the_candidates)
{
    TAppFolderSources sources = Installed();
    sources.Home = (root_ / "elsewhere").string();
    EXPECT_EQ(ChooseApplicationFolder(sources), root_ / "elsewhere");

    sources.Home.clear();
    sources.ExecutableFolderWritable = true;
    EXPECT_EQ(ChooseApplicationFolder(sources), bundle_);

    sources.ExecutableFolderWritable = false;
    sources.XdgDataHome = (root_ / "data").string();
    EXPECT_EQ(ChooseApplicationFolder(sources), root_ / "data" / "tarnwick");

    // A relative XDG_DATA_HOME is no valid setting.
    sources.XdgDataHome = "relative/data";
    EXPECT_EQ(ChooseApplicationFolder(sources), root_ / "home" / ".local" / "share" / "tarnwick");

    // Nowhere to keep a per-user folder: the installed folder as it is.
    sources.XdgDataHome.clear();
    sources.UserHome.clear();
    EXPECT_EQ(ChooseApplicationFolder(sources), bundle_);
}

TEST_F(AppFolderChoice, per_user_folder_gets_the_missing_bundled_files_only)
{
    const fs::path perUser = root_ / "home" / ".local" / "share" / "tarnwick";
    Write(perUser / "main.ini", "[Options]\r\nHasRun1=1\r\n");
    ASSERT_EQ(ChooseApplicationFolder(Installed()), perUser);
    // The user's settings stay; what was missing is copied; the program
    // itself is not.
    EXPECT_EQ(Read(perUser / "main.ini"), "[Options]\r\nHasRun1=1\r\n");
    EXPECT_EQ(Read(perUser / "english.lng"), "[Strings]\r\n");
    EXPECT_EQ(Read(perUser / "Scripts" / "CPP.dat"), "compiled");
    EXPECT_FALSE(fs::exists(perUser / "tarnwick"));

    // A later start after the user changed a copied file keeps the change.
    Write(perUser / "Scripts" / "CPP.dat", "edited");
    fs::remove(perUser / "english.lng");
    ChooseApplicationFolder(Installed());
    EXPECT_EQ(Read(perUser / "Scripts" / "CPP.dat"), "edited");
    EXPECT_EQ(Read(perUser / "english.lng"), "[Strings]\r\n");
}

TEST_F(AppFolderChoice, per_user_path_taken_by_a_file_falls_back_to_the_installed_folder)
{
    Write(root_ / "home" / ".local" / "share" / "tarnwick", "not a folder");
    EXPECT_EQ(ChooseApplicationFolder(Installed()), bundle_);
}

}  // namespace
}  // namespace tarnwick::test
