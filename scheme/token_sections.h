// Section parsers for %%Words, %%Handlers and %%Tokens: the entries that say
// how tokens start, go on and end.
//
//   %%Words    string string expr [ set ]
//   %%Handlers expr body [ * ] [ terminator ]
//   %%Tokens   expr kind [ set ]
//            | expr string body [ * ] terminator include [ set ]
//            | expr string match ( expr ) [ set ]
//            | InState expr ( entry ... )
//   body       = match ( expr ) | string (one specifier item) | expr (routine)
//   terminator = match ( expr ) | string (1..4 items) | expr (routine, %%Tokens only)
//
// The parsers only read; each entry is handed to a sink, which the scheme
// object builds its reserved words, handlers and start tables from. Character
// specifiers arrive parsed (TCharClass); the sink adds them to its class
// manager. A sink may raise the compiler's errors itself (duplicates,
// ambiguous start sets) through TSYM_Compiler::Error, so that they carry the
// read position.
#pragma once

#include <cstddef>  // before state_set.h, which uses size_t

#include "editor/core/state_set.h"
#include "scheme/char_spec.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace tarnwick {

class TSYM_Compiler;

// How one part of a token is matched: by a class of characters, by a built-in
// scanning routine, or by the host's custom-parse event.
struct TMatcherSpec {
    bool repeat = false;   // '*': the body may match zero times
    bool routine = false;  // done by a routine (built-in or custom) instead of `chars`
    bool custom = false;   // the custom-parse event; `number` is the parse id
    int32_t number = 0;    // routine number or parse id
    TCharClass chars;      // when !routine
};

struct TTerminatorSpec {
    bool include = false;  // the terminator's characters belong to the token
    bool routine = false;
    bool custom = false;
    int32_t number = 0;
    std::vector<TCharClass> chars;  // 0..4 items in sequence, when !routine
};

struct TWordEntry {
    std::string word;      // the string's value (escapes interpreted)
    std::string followText;  // the raw follow specifier as written
    bool hasFollow = false;  // false for '' (no condition on the next character)
    TCharClass follow;
    uint8_t token = 0;
    TStateSet states;      // {0} when no set was given
};

struct THandlerEntry {
    uint8_t token = 0;
    TMatcherSpec body;
    TTerminatorSpec terminator;
};

struct TTokenEntry {
    uint8_t token = 0;
    int standardKind = 0;  // 10..20 for a standard kind, else 0
    TCharClass start;      // the start characters (also filled for a standard kind)
    TMatcherSpec body;     // a standard kind: routine standardKind - 7
    TTerminatorSpec terminator;
    int inState = -1;      // the InState group's state, -1 for the global table
    TStateSet givenStates;   // the set written with the entry (empty when none)
    TStateSet states;        // base set ({0}, or {inState}) plus givenStates
};

using TWordSink = std::function<void(const TWordEntry&)>;
using THandlerSink = std::function<void(const THandlerEntry&)>;
using TTokenSink = std::function<void(const TTokenEntry&)>;

// The start characters of standard token kind 10..20 (empty class otherwise).
TCharClass StandardKindStart(int kind);

// Each reads its section from the current token, which must be the section
// word, up to the first token that cannot begin an entry (left current). The
// section word may repeat inside its section.
void ReadWordsSection(TSYM_Compiler& compiler, const TWordSink& sink);
void ReadHandlersSection(TSYM_Compiler& compiler, const THandlerSink& sink);
void ReadTokensSection(TSYM_Compiler& compiler, const TTokenSink& sink);

}  // namespace tarnwick
