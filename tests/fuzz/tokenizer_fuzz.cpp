// Highlighting any text with any scheme: the input is a scheme script, a NUL
// and a text (no NUL: the built-in scheme and the whole input as text).
// Compiling may fail and tokenizing may raise the scheme's own errors
// ("Stack underflow", ...); neither may crash, hang or read out of bounds,
// and a whole pass followed by an edit and an incremental pass must work.
#include "editor/core/code_memo_model.h"
#include "editor/core/highlight_pass.h"
#include "platform/errors.h"
#include "scheme/builtin/builtin_scheme.h"
#include "scheme/code_memo_parser.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tarnwick;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t split = bytes.find('\0');
    TCodeMemoParser scheme;
    std::string_view text = bytes;
    try {
        if (split == std::string_view::npos) {
            LoadBuiltinScheme(scheme, true);
        } else {
            scheme.CompileText(bytes.substr(0, split));
            text = bytes.substr(split + 1);
        }
    } catch (const Exception&) {
        return 0;
    }
    TCodeMemoModel model;
    model.LoadFromText(text);
    THighlightPass pass(scheme);
    try {
        pass.RunAll(model.Store().First(), model.CharCount());
        // An edit in the middle, then the pass the editor runs after it.
        model.SetSelection(model.CharCount() / 2, model.CharCount() / 2);
        model.InsertText("x\r");
        const TLineLoc at = model.FindLine(model.CharCount() / 2);
        THighlightSpan span;
        span.Changed = at.Rec;
        span.ChangedStart = at.Start;
        span.ChangedIndex = at.Index;
        span.FirstVisible = 0;
        span.LastVisible = 40;
        if (at.Rec != nullptr)
            pass.Run(model.Store().First(), model.CharCount(), span);
    } catch (const Exception&) {
    }
    return 0;
}
