// Any bytes parse as an INI file; reads, writes and the text round trip hold.
#include "platform/profile.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    tarnwick::TIniDocument doc(bytes);
    if (doc.Text() != bytes)
        std::abort();  // parsing alone must not change a byte
    for (const std::string& section : doc.SectionNames(SIZE_MAX)) {
        for (const std::string& key : doc.Keys(section, SIZE_MAX))
            doc.ReadString(section, key, "NO_INFO");
    }
    doc.WriteString("Fuzz", "Key", "1;2");
    doc.DeleteKey("Fuzz", "Key");
    if (!doc.SectionNames(SIZE_MAX).empty())
        doc.EraseSection(doc.SectionNames(SIZE_MAX).front());
    tarnwick::TIniDocument again(doc.Text());
    return 0;
}
