// Input normalisation and pair-preserving chunking.
#include "editor/core/text_normalise.h"

namespace tarnwick {

namespace {
bool IsBreak(char c)
{
    return c == '\r' || c == '\n';
}
bool IsPair(char a, char b)
{
    return (a == '\r' && b == '\n') || (a == '\n' && b == '\r');
}
}  // namespace

void NormaliseInput(std::string_view in, std::string& out)
{
    out.clear();
    out.reserve(in.size());
    const size_t n = in.size();
    for (size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(in[i]);
        if (c == '\r' || c == '\n') {
            if (i + 1 < n && IsPair(in[i], in[i + 1]))
                ++i;
            out.push_back('\r');
        } else if (c == '\t' || c >= 32) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('.');
        }
    }
}

std::string NormaliseInput(std::string_view in)
{
    std::string out;
    NormaliseInput(in, out);
    return out;
}

size_t SafeChunkLength(std::string_view text, size_t limit)
{
    if (limit < 2)
        limit = 2;
    if (text.size() <= limit)
        return text.size();
    const size_t last = limit - 1;
    if (!IsBreak(text[last]) || !IsPair(text[last], text[limit]))
        return limit;
    // Pairs are formed greedily from the start of a run of break bytes, so
    // whether text[last] opens a pair depends on the run before it.
    size_t runStart = last;
    while (runStart > 0 && IsBreak(text[runStart - 1]))
        --runStart;
    size_t i = runStart;
    while (i < last) {
        if (IsPair(text[i], text[i + 1]))
            i += 2;
        else
            ++i;
    }
    // i == last: text[last] starts a new unit and pairs with text[limit].
    return i == last ? last : limit;
}

}  // namespace tarnwick
