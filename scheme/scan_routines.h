// The built-in scanning routines a compiled scheme names by number (0..13):
// one Pascal-string character, a run of URL characters, the rest of a line
// that the token starts, and the readers of the standard token kinds 10..20
// (routines 3..13, kind - 7).
//
// Contract of every routine: it is called with the stream at the character
// where its match begins and with the running token length; on success it
// leaves the stream after what it consumed and adds that count to `length`.
// On failure the stream and `length` are as they were on entry, so a
// failing routine used as a terminator or as a body consumes nothing. No
// routine reads past the end of the text or allocates.
#pragma once

#include "editor/core/custom_ed_stream.h"

namespace tarnwick {

inline constexpr int kScanRoutineCount = 14;

// Runs routine `number`. A number outside 0..13 selects no routine and
// answers false.
bool RunScanRoutine(int number, TCustomEdStream& stream, int& length);

}  // namespace tarnwick
