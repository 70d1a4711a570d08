// Any bytes as a settings block: reading either succeeds, and then writing,
// reading and writing again give the same bytes; or it raises one of the
// program's exceptions and leaves the object exactly as it was.
#include "editor/core/sm_settings.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

std::string Save(const tarnwick::TSM_Settings& settings, int version)
{
    std::string bytes;
    tarnwick::TSMStreamWriter writer(bytes);
    settings.WriteToStream(writer, version);
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the stream version: a block with or without the
    // gutter font.
    const int version = (data[0] & 1) ? 51 : 50;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);

    tarnwick::TSM_Settings settings;
    const std::string before = Save(settings, version);
    try {
        tarnwick::TSMStreamReader reader(bytes);
        settings.ReadFromStream(reader, version);
    } catch (const tarnwick::Exception&) {
        if (Save(settings, version) != before)
            std::abort();  // a failed read changed the object
        return 0;
    }
    const std::string first = Save(settings, version);
    tarnwick::TSM_Settings again;
    tarnwick::TSMStreamReader reader(first);
    again.ReadFromStream(reader, version);
    if (!reader.AtEnd() || Save(again, version) != first)
        std::abort();  // the round trip is not byte-identical
    return 0;
}
