// Fuzzes the template and auto-replace stream readers, the delimiter
// specification parser and the backward matcher. The first byte picks the
// list; the rest is the stream. A failed read must leave the list unchanged;
// a successful one must write a stream that reads back to the same bytes.
#include "editor/core/auto_replace.h"
#include "editor/core/code_templates.h"
#include "editor/core/macro_expansion.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace tarnwick;

namespace {

void Exercise(TMacroKeywords& list, std::string_view bytes)
{
    list.AddMacro("keep", "kept", "a|b\r\nc");
    const std::string before = list.SaveToString();
    try {
        list.LoadFromString(bytes);
    } catch (const Exception&) {
        if (list.SaveToString() != before)
            std::abort();
        return;
    }
    const std::string written = list.SaveToString();
    std::unique_ptr<TSM_Base> copy = list.NewInstance();
    copy->LoadFromString(written);
    if (copy->SaveToString() != written)
        std::abort();

    // Match the stream's bytes as text, with the caret at every position.
    TStringEdStream text(bytes);
    for (int64_t caret = 0; caret <= text.TextLength() && caret < 64; ++caret) {
        TExpansionContext context;
        context.Text = &text;
        context.Caret = caret;
        uint16_t key = VK_J;
        HandleMacroKey(list, context, key, ssCtrl);
        key = VK_SPACE;
        HandleMacroKey(list, context, key, 0);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
    case 0: {
        TCodeTemplates templates;
        Exercise(templates, bytes);
        break;
    }
    case 1: {
        TAutoReplace replace;
        Exercise(replace, bytes);
        break;
    }
    default: {
        TAutoReplace replace;
        try {
            replace.SetDelimiters(bytes);
        } catch (const EKeywords&) {
            if (replace.Delimiters() != kDefaultDelimiters)
                std::abort();
        }
        break;
    }
    }
    return 0;
}
