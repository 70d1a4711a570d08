// Golden files: every tests/data/scheme/reader/*.txt script is read token by
// token and the dump compared with the .expected file beside it. To rewrite
// the references on purpose, run tests/data/scheme/regenerate.sh (it sets
// TARNWICK_REGENERATE=1 for this test).
#include "reader_test_util.h"

#include "platform/file_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

TEST(ReaderGolden, ScriptsReadAsRecorded)
{
    const fs::path folder = fs::path(TARNWICK_TEST_DATA) / "scheme" / "reader";
    std::vector<fs::path> scripts;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".txt")
            scripts.push_back(entry.path());
    }
    std::sort(scripts.begin(), scripts.end());
    ASSERT_FALSE(scripts.empty());
    const bool regenerate = std::getenv("TARNWICK_REGENERATE") != nullptr;
    for (const fs::path& script : scripts) {
        const std::string dump =
            testing::DumpTokens(ReadWholeFile(script), folder.string(), true);
        fs::path expected = script;
        expected.replace_extension(".expected");
        if (regenerate) {
            WriteFileAtomically(expected, dump);
            continue;
        }
        std::string reference;
        ASSERT_TRUE(TryReadWholeFile(expected, reference)) << expected;
        EXPECT_EQ(dump, reference) << script.filename();
    }
}

}  // namespace
}  // namespace tarnwick
