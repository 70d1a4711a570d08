// A generated library for the window benchmarks: `titles` titles "Title n"
// spread round-robin over `categories` categories "<prefix> c", each text
// about 1 KB of Pascal.
#pragma once

#include "library/library_format.h"
#include "platform/file_io.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tarnwick::bench {

// Writes the index file `index` and its data file beside it.
inline void WriteGeneratedLibrary(const std::filesystem::path& index, int titles,
                                  int categories, const std::string& prefix = "Category")
{
    std::vector<std::string> sections(static_cast<size_t>(categories));
    std::string data;
    for (int i = 0; i < titles; ++i) {
        std::string text = "procedure Snippet" + std::to_string(i) + ";\r\nbegin\r\n";
        while (text.size() < 1000)
            text += "  Work(" + std::to_string(text.size()) + ");\r\n";
        text += "end;";
        sections[size_t(i % categories)] += "Title " + std::to_string(i) + "=" +
            FormatRange(int64_t(data.size()), int64_t(data.size() + text.size())) + "\r\n";
        data += text + "\r\n";
    }
    std::string ini;
    for (int c = 0; c < categories; ++c)
        ini += "[" + prefix + " " + std::to_string(c) + "]\r\n" + sections[size_t(c)];
    WriteFileAtomically(index, ini);
    WriteFileAtomically(DataFileName(index.string()), data);
}

}  // namespace tarnwick::bench
