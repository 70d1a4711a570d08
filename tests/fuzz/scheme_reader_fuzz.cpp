// Any bytes read as a scheme script: every token, expression, set, character
// specifier and the %%States, %%Containers, %%Words, %%Handlers and %%Tokens
// sections either read or raise the compiler's error, with no crash, hang or
// out-of-bounds access.
#include "scheme/char_spec.h"
#include "scheme/compiler_error.h"
#include "scheme/state_sections.h"
#include "scheme/sym_compiler.h"
#include "scheme/token_sections.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tarnwick;
    const std::string_view script(reinterpret_cast<const char*>(data), size);
    // <...> includes look in a folder that does not exist; a "..." name may
    // open a file by its path, which only gives the reader more input.
    TSYM_Compiler reader(script, "/nonexistent-tarnwick-fuzz");
    try {
        reader.NextRaw();
        // Bounded by the input and the reader's expansion limit: every round
        // consumes at least one token.
        while (!reader.At(tkEOF)) {
            switch (reader.Token()) {
            case tkStatesSection:
                ReadStatesSection(reader, [](const TStateChangeEntry&) {});
                break;
            case tkContainersSection:
                ReadContainersSection(reader, [](const TStateChangeEntry&) {});
                break;
            case tkWordsSection:
                ReadWordsSection(reader, [](const TWordEntry&) {});
                break;
            case tkHandlersSection:
                ReadHandlersSection(reader, [](const THandlerEntry&) {});
                break;
            case tkTokensSection:
                ReadTokensSection(reader, [](const TTokenEntry&) {});
                break;
            case tkOpenBracket:
                reader.ReadSet(true);
                break;
            case tkNumber:
            case tkOpenParen:
                reader.ReadValueList();
                break;
            case tkString: {
                const std::string raw = reader.RawString();
                std::string value;
                TSYM_Compiler::DecodeEscapes(raw, value);
                try {
                    ReadCharSpecItems(raw, 8);
                } catch (const ECharSpecifier&) {
                }
                reader.NextRaw();
                break;
            }
            default:
                reader.NextRaw();
                break;
            }
        }
    } catch (const ECompilerError& e) {
        if (e.Line < 1 || e.Column < 1)
            std::abort();
    }
    return 0;
}
