// The bundled application folder as a new user gets it: main.ini, the
// sample library, the language files and the shipped schemes.
#include "app_fixture.h"

#include "app/code_pane_host.h"
#include "chrome/ansi_text.h"
#include "platform/file_names.h"

#include <regex>

namespace tarnwick::test {
namespace {

namespace fs = std::filesystem;

class BundleTest : public AppFolderTest {
protected:
    void SetUp() override
    {
        AppFolderTest::SetUp();
        const fs::path bundle = TARNWICK_BUNDLE;
        fs::copy_file(bundle / "main.ini", folder_ / "main.ini");
        fs::copy_file(bundle / "sample" / "Tarnwick.Ini", folder_ / "Tarnwick.Ini");
        fs::copy_file(bundle / "sample" / "Tarnwick.dat", folder_ / "Tarnwick.dat");
        InstallShippedLanguage("english.lng");
        InstallShippedLanguage("german.lng");
    }
    // The manifest's snippets: category, title and the source file's text
    // as the library stores it (CR LF line ends, no final line end).
    static std::vector<TSnippet> Manifest()
    {
        const fs::path sample = fs::path(TARNWICK_RESOURCES) / "sample";
        std::ifstream manifest(sample / "manifest.txt");
        std::vector<TSnippet> snippets;
        std::string line;
        const std::regex entry("^([^#|][^|]*)\\|([^|]+)\\|([^|]+)$");
        std::smatch parts;
        while (std::getline(manifest, line)) {
            if (!std::regex_match(line, parts, entry))
                continue;
            std::ifstream source(sample / parts[3].str(), std::ios::binary);
            std::string text(std::istreambuf_iterator<char>(source), {});
            while (!text.empty() && text.back() == '\n')
                text.pop_back();
            snippets.push_back({parts[1], parts[2], std::regex_replace(text, std::regex("\n"), "\r\n")});
        }
        return snippets;
    }
};

TEST_F(BundleTest, a_new_user_sees_the_sample_library_and_every_title_shows_its_text)
{
    TMainForm& form = Form();
    EXPECT_EQ(prompt_.Messages.size(), 1);
    EXPECT_EQ(Setting("Options", "HasRun1"), "1");
    EXPECT_EQ(form.windowTitle(), "Tarnwick Version 2.41 - Delphi Code");
    ASSERT_EQ(form.Open1->actions().size(), 1);
    EXPECT_TRUE(form.Open1->actions()[0]->isChecked());

    const std::vector<TSnippet> manifest = Manifest();
    EXPECT_GE(manifest.size(), 20u);
    EXPECT_LE(manifest.size(), 30u);
    const int categories = form.TreeView1->topLevelItemCount();
    EXPECT_GE(categories, 5);
    EXPECT_LE(categories, 8);
    EXPECT_EQ(form.StatusBar1->PanelText(1), QString::number(manifest.size()) + " Titles");

    for (const TSnippet& snippet : manifest) {
        const auto nodes = form.TreeView1->findItems(AnsiToQt(snippet.Title),
                                                     Qt::MatchExactly | Qt::MatchRecursive);
        ASSERT_EQ(nodes.size(), 1) << snippet.Title;
        EXPECT_EQ(nodes[0]->parent()->text(0), AnsiToQt(snippet.Category)) << snippet.Title;
        form.TreeView1->setCurrentItem(nodes[0]);
        form.TreeView1Click();
        EXPECT_EQ(form.Memo1->Text(), snippet.Text) << snippet.Title;
        EXPECT_EQ(form.CurrentTitle(), snippet.Title);
    }
}

TEST_F(BundleTest, shipped_schemes_are_registered_with_their_compiled_files)
{
    TMainForm& form = Form();
    const std::vector<std::string>& names = form.SchemeNames();
    const std::vector<std::string>& files = form.SchemeFiles();
    ASSERT_EQ(names.size(), files.size());
    EXPECT_NE(std::find(names.begin(), names.end(), "Object Pascal"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Delphi 4 Registry Settings"), names.end());
    size_t compiled = 0;
    for (size_t i = 0; i < files.size(); ++i) {
        if (files[i].empty())
            continue;
        ++compiled;
        EXPECT_TRUE(std::regex_match(files[i], std::regex("scripts\\\\[A-Za-z0-9_]+\\.dat")))
            << files[i];
        EXPECT_TRUE(fs::is_regular_file(ResolveFileName(files[i], TARNWICK_APP_FOLDER)))
            << names[i] << ": " << files[i];
    }
    EXPECT_EQ(compiled + 3, names.size());
}

TEST_F(BundleTest, switching_to_german_shows_german_captions)
{
    TMainForm& form = Form();
    EXPECT_EQ(form.btnDelete->text(), "Delete");
    ProfileWriteString((folder_ / "main.ini").string(), "Options", "LangSet", "german");
    form.LoadLanguageFile();
    EXPECT_EQ(form.btnDelete->text(), QString::fromUtf8("L\u00f6schen"));
    EXPECT_EQ(form.StatusBar1->PanelText(2), QString::fromUtf8("Codegr\u00f6\u00dfe"));
}

}  // namespace
}  // namespace tarnwick::test
