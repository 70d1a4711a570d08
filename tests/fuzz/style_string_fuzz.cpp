// Any bytes as a style string and as an IDE value string: reading a style
// string either succeeds, and then writing and reading it back is stable; or
// it raises one of the program's exceptions and leaves the settings as they
// were. A value string always gives an effect.
#include "scheme/ide_bridge.h"
#include "scheme/style_string.h"

#include "platform/errors.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!tarnwick::ParseIdeValueString(text).Defined)
        std::abort();

    tarnwick::TSM_Settings settings;
    const std::string before = tarnwick::StyleString(settings);
    try {
        tarnwick::ReadStyleString(text, settings);
    } catch (const tarnwick::Exception&) {
        if (tarnwick::StyleString(settings) != before)
            std::abort();  // a failed read changed the settings
        return 0;
    }
    const std::string first = tarnwick::StyleString(settings);
    tarnwick::TSM_Settings again;
    tarnwick::ReadStyleString(first, again);
    if (tarnwick::StyleString(again) != first)
        std::abort();  // the round trip is not stable
    return 0;
}
