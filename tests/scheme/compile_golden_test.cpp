// Golden files: every tests/data/scheme/compile/*.scm script is compiled
// and the result compared with the .expected file beside it — the scheme's
// dump when it compiles, the full error text (and a line break) when it does
// not. Schemes that compile must also survive save -> load -> save byte for
// byte and dump the same after loading. To rewrite the references on
// purpose, run tests/data/scheme/regenerate.sh (TARNWICK_REGENERATE=1).
// The data folder's path, where a message names it, reads "<data>" so the
// references do not depend on where the tree is checked out.
#include "platform/file_io.h"
#include "scheme/code_memo_parser.h"
#include "scheme/compiler_error.h"
#include "scheme/scheme_dump.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

TEST(CompileGolden, ScriptsCompileAsRecorded)
{
    const fs::path folder = fs::path(TARNWICK_TEST_DATA) / "scheme" / "compile";
    std::vector<fs::path> scripts;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".scm")
            scripts.push_back(entry.path());
    }
    std::sort(scripts.begin(), scripts.end());
    ASSERT_FALSE(scripts.empty());
    const bool regenerate = std::getenv("TARNWICK_REGENERATE") != nullptr;
    for (const fs::path& script : scripts) {
        SCOPED_TRACE(script.filename().string());
        TCodeMemoParser scheme;
        std::string result;
        bool compiled = false;
        try {
            scheme.CompileText(ReadWholeFile(script), folder.string());
            result = DumpScheme(scheme);
            compiled = true;
        } catch (const ECompilerError& error) {
            result = std::string(error.what()) + "\n";
            if (const size_t at = result.find(folder.string()); at != std::string::npos)
                result.replace(at, folder.string().size(), "<data>");
        }
        fs::path expected = script;
        expected.replace_extension(".expected");
        if (regenerate) {
            WriteFileAtomically(expected, result);
        } else {
            std::string reference;
            ASSERT_TRUE(TryReadWholeFile(expected, reference)) << expected;
            EXPECT_EQ(result, reference);
        }
        if (!compiled)
            continue;
        const std::string saved = scheme.SaveToBytes();
        TCodeMemoParser loaded;
        ASSERT_TRUE(loaded.LoadFromBytes(saved));
        EXPECT_EQ(loaded.SaveToBytes(), saved);
        EXPECT_EQ(DumpScheme(loaded), result);
    }
}

}  // namespace
}  // namespace tarnwick
