// The pages of the editor options dialog as a set of bits, in the order the
// dialog shows them. An editor's VisiblePropEdPages says which pages the
// dialog shows when the editor opens it; a scheme's edit-properties
// operation shows them all.
#pragma once

#include <cstdint>

namespace tarnwick {

using TPropEdPages = uint8_t;
inline constexpr TPropEdPages ppOPTIONS = 0x01;
inline constexpr TPropEdPages ppHIGHLIGHTING = 0x02;
inline constexpr TPropEdPages ppKEYS = 0x04;
inline constexpr TPropEdPages ppAUTOCORRECT = 0x08;
inline constexpr TPropEdPages ppTEMPLATES = 0x10;
inline constexpr TPropEdPages ppAllPages = 0x1F;

}  // namespace tarnwick
