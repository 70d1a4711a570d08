// Section parsers for %%States and %%Containers: the entries that say how
// reading a token of a given value changes the tokenizer's state set.
//
//   %%States     expr [push|pop] ( change ... ) [push|pop]
//   %%Containers expr ( change ... )
//   change = '+' value-or-set   (states added)
//          | '-' value-or-set   (states removed)
//
// The parsers only read; each entry is handed to a sink, which the scheme
// object fills its token state records from.
#pragma once

#include <cstddef>  // before state_set.h, which uses size_t

#include "editor/core/state_set.h"

#include <cstdint>
#include <functional>

namespace tarnwick {

class TSYM_Compiler;

// Push/pop flags of a token state record.
inline constexpr uint8_t kStatePushBefore = 1;
inline constexpr uint8_t kStatePopBefore = 2;
inline constexpr uint8_t kStatePushAfter = 4;
inline constexpr uint8_t kStatePopAfter = 8;

struct TStateChangeEntry {
    uint8_t token = 0;   // the token value whose reading changes the states
    TStateSet added;     // union of the entry's '+' changes
    TStateSet removed;   // union of the entry's '-' changes
    uint8_t flags = 0;   // %%States: one of the kState* flags or 0 (the last given wins)
    bool container = false;  // %%Containers entry
    // `pop` after the parentheses: the token only restores the pushed state
    // set, so the record's added and removed sets are to be emptied (the
    // entry's own sets are empty then).
    bool clearsChanges = false;
};

using TStateChangeSink = std::function<void(const TStateChangeEntry&)>;

// Each reads its section from the current token, which must be the section
// word, up to the first token that cannot begin an entry (left current). The
// section word may repeat inside its section. Raises the compiler's errors:
// "'(' expected", "')' expected", "Range error, value outwith 0 .. 255",
// "Expression expected", "']' expected".
void ReadStatesSection(TSYM_Compiler& compiler, const TStateChangeSink& sink);
void ReadContainersSection(TSYM_Compiler& compiler, const TStateChangeSink& sink);

}  // namespace tarnwick
