// Helpers shared by the tokenizer tests. The Pascal tests run on the
// built-in Object Pascal scheme (LoadBuiltinScheme), so they pin the
// behaviour the editor shows for Pascal sources.
#pragma once

#include "editor/core/custom_ed_stream.h"
#include "scheme/code_memo_parser.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// One token as the tokenizer reports it.
struct TTok {
    int64_t Start = 0;
    int Length = 0;
    int Value = 0;
    bool operator==(const TTok&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const TTok& t)
{
    return out << "{" << t.Start << "," << t.Length << "," << t.Value << "}";
}

// Reads every token of `text` from a fresh reset (context value -1 = the
// start set). A call that does not move the stream stops the loop, so a
// faulty tokenizer fails the test instead of hanging it.
inline std::vector<TTok> Tokens(TCodeMemoParser& parser, std::string_view text)
{
    std::vector<TTok> out;
    TStringEdStream stream(text);
    parser.ResetTokenizer(-1);
    while (!stream.AtEnd()) {
        const int64_t start = stream.Position();
        int length = 0;
        const int value = parser.ReadToken(nullptr, stream, length);
        out.push_back({start, length, value});
        if (stream.Position() <= start)
            break;
    }
    return out;
}

// The tokens of `text` as "text:value" pieces joined by blanks (a CR shown
// as "|"), which reads well in failure messages.
inline std::string Pieces(TCodeMemoParser& parser, std::string_view text)
{
    std::string out;
    for (const TTok& t : Tokens(parser, text)) {
        std::string piece(text.substr(static_cast<size_t>(t.Start), static_cast<size_t>(t.Length)));
        for (char& c : piece)
            if (c == '\r')
                c = '|';
        out += (out.empty() ? "" : " ") + piece + ":" + std::to_string(t.Value);
    }
    return out;
}

}  // namespace tarnwick::test
