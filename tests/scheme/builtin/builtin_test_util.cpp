#include "builtin_test_util.h"

#include "editor/core/custom_ed_stream.h"
#include "scheme/builtin/builtin_scheme.h"

namespace tarnwick::test {

const TCodeMemoParser& BuiltinScheme()
{
    static const TCodeMemoParser* scheme = [] {
        auto* loaded = new TCodeMemoParser;
        LoadBuiltinScheme(*loaded, false);
        return loaded;
    }();
    return *scheme;
}

std::string Members(const TParserTables& tables, int index)
{
    std::string out;
    if (index == kNoClass)
        return out;
    for (int c = 0; c < 256; ++c)
        if (tables.Classes.Contains(index, static_cast<uint8_t>(c)))
            out += static_cast<char>(c);
    return out;
}

std::string AllBut(std::string_view chars)
{
    std::string out;
    for (int c = 0; c < 256; ++c)
        if (chars.find(static_cast<char>(c)) == std::string_view::npos)
            out += static_cast<char>(c);
    return out;
}

TTokens Tokenize(TCodeMemoParser& scheme, std::string_view text, int context)
{
    TTokens tokens;
    TStringEdStream stream(text);
    scheme.ResetTokenizer(context);
    while (stream.Position() < stream.TextLength()) {
        const int64_t start = stream.Position();
        int length = 0;
        const int value = scheme.ReadToken(nullptr, stream, length);
        tokens.emplace_back(value, std::string(text.substr(static_cast<size_t>(start),
                                                           static_cast<size_t>(length))));
        if (stream.Position() != start + length)
            tokens.emplace_back(-1, "<stream and length disagree>");
        if (length <= 0)
            break;
    }
    return tokens;
}

std::string Marked(TCodeMemoParser& scheme, std::string_view text)
{
    std::string out;
    for (auto [value, token] : Tokenize(scheme, text)) {
        if (value == 0)
            continue;
        for (char& c : token)
            if (c == '\r')
                c = '|';
        out += (out.empty() ? "" : " ") + token + ":" + std::to_string(value);
    }
    return out;
}

}  // namespace tarnwick::test
