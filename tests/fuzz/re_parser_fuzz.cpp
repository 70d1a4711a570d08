// libFuzzer target for the regular-expression compiler and matcher: the
// input is a pattern, a NUL byte and a text. Any pattern must compile or
// report an error with a position inside it; any compiled pattern must run
// over any text to a result or to a bounded "Out of memory" error.
#include "editor/core/re_parser.h"
#include "editor/core/search.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace tarnwick;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const std::string_view pattern = input.substr(0, split);
    const std::string_view text = split == std::string_view::npos ? std::string_view() : input.substr(split + 1);

    TREParser parser;
    parser.SetLimits(100000, 4096);
    if (!parser.Compile(pattern)) {
        const int position = parser.ErrorPosition();
        if (position < 0 || static_cast<size_t>(position) > parser.PatternBuffer().size())
            std::abort();
        (void)parser.ErrorBoxText();
        return 0;
    }
    const TStringSearchSource source(text);
    for (const bool forward : {true, false}) {
        try {
            if (parser.Exec(source, forward ? 0 : source.Length(), forward)) {
                if (parser.MatchStart() < 0 || parser.MatchEnd() < parser.MatchStart() ||
                    parser.MatchEnd() > source.Length())
                    std::abort();
                std::vector<int64_t> positions;
                for (int i = 0; i < parser.PositionCount(); ++i)
                    positions.push_back(parser.MatchPosition(i));
                (void)ExpandReplacement(pattern, positions, source);
            }
        } catch (const ERegExpr& error) {
            if (error.Id != reOutOfMemory)
                std::abort();
        }
    }
    TSearchEngine engine;
    (void)engine.FindFrom(source, srchWholeWord, pattern, 0);
    (void)engine.FindFrom(source, srchBackwards, pattern, source.Length());
    return 0;
}
