// Any bytes compiled as a scheme script through the scheme object, with
// every section: the compilation either succeeds or raises the compiler's
// own error (with a position), never another exception, a crash or a hang.
// A scheme that compiles must save -> load -> save to the same bytes and
// dump the same before and after.
//   ./bin/scheme_compile_fuzz -dict=tests/fuzz/scheme_compile.dict \
//       corpus/ tests/data/scheme/compile/
#include "scheme/code_memo_parser.h"
#include "scheme/compiler_error.h"
#include "scheme/scheme_dump.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tarnwick;
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    TCodeMemoParser scheme;
    scheme.Name = "F";
    try {
        // <...> includes look in a folder that does not exist; a "..." name
        // may open a file by its path, which only gives the reader more input.
        scheme.CompileText(script, "/nonexistent-tarnwick-fuzz");
    } catch (const ECompilerError& error) {
        Check(error.Line >= 1 && error.Column >= 1);
        return 0;
    }
    const std::string dump = DumpScheme(scheme);
    const std::string saved = scheme.SaveToBytes();
    TCodeMemoParser again;
    Check(again.LoadFromBytes(saved));
    Check(again.SaveToBytes() == saved);
    // Nothing the script said is lost on the way through the compiled form.
    Check(DumpScheme(again) == dump);
    return 0;
}
