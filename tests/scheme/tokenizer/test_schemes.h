// Scheme scripts and helpers shared by the tokenizer tests.
//
// kPascalScript follows the built-in Object Pascal scheme entry for entry
// (words, handlers, start tokens, keyword tables, state changes, effects),
// so these tests pin the behaviour the editor shows for Pascal sources.
#pragma once

#include "editor/core/custom_ed_stream.h"
#include "scheme/code_memo_parser.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

inline constexpr std::string_view kPascalScript = R"(
%%language
name = 'Object Pascal'
case = __insensitive
anchor = [0]

%%words
'//' '' 1
'{' '' 8
'(*' '' 9
':=' '' 10  '+' '' 10  '-' '' 10  '*' '' 10  '/' '' 10  '=' '' 10
'<>' '' 10  '<' '' 10  '>' '' 10  '<=' '' 10  '>=' '' 10  '(' '' 10
')' '' 10  '[' '' 10  ']' '' 10  '.' '' 10  '..' '' 10  '^' '' 10
',' '' 10  ':' '' 10  '@' '' 10
';' '' 20 [0 1]
'#' '[0-9]' 11
'#$' '[0-9A-Fa-f]' 12

%%handlers
1 '[^\n]' * '\n' 0
8 '[^}]' * '}' 1
9 '[^]' * '*)' 1
11 '[0-9]' '[^0-9]' 0
12 '[0-9A-Fa-f]' '[^0-9A-Fa-f]' 0

%%tokens
0 '[\t\n ]' '[\t\n ]' * '[^\t\n ]' 0
6 '$' '[0-9A-Fa-f]' '[^0-9A-Fa-f]' 0
3 __STD_PASCALSTRING
4 __STD_NUMBER_OR_FP
2 __STD_IDENTIFIER

%%kwTables
forstate [0] endswith '[^_A-Za-z0-9]' (
  7 is 'and', 'array', 'as', 'asm', 'begin', 'case', 'const', 'class', 'div', 'do',
       'downto', 'else', 'end', 'for', 'function', 'if', 'in', 'mod', 'nil', 'not', 'of',
       'or', 'procedure', 'program', 'read', 'record', 'repeat', 'string', 'then', 'to',
       'type', 'until', 'unit', 'uses', 'var', 'while', 'with', 'xor'
  26 is 'exports'
  21 is 'property' )
forstate [1] endswith '[^_A-Za-z0-9]' ( 22 is 'default' 23 is 'read' 24 is 'write' 25 is 'stored' )
forstate [2] endswith '[^_A-Za-z0-9]' ( 27 is 'name' 28 is 'index' 29 is 'resident' )

%%states
20 ( + [0] - [1 2] )
21 ( + [1] - [0] )
26 ( + 2 )

%%map
1 5  2 2  3 3  4 4  5 5  6 4  7 7  8 5  9 5  10 10  11 3  12 3  20 10
21 7  22 7  23 7  24 7  25 7  26 7  27 7  28 7  29 7

%%effects
0 [] clBlack * clWhite *
2 [] clBlack * clWhite *
3 [fsItalic] clBlack * clWhite *
4 [] clGreen clWhite *
5 [fsItalic] clBlue clWhite *
7 [fsBold] clBlack * clWhite *
10 [] clBlack * clWhite *
)";

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
