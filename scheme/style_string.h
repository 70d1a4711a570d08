// The style string: a scheme's editor settings as one text, the form in
// which a scheme set to use the registry saves them there.
//
//   "Quorvel6:" field ... "#END#"
//
// Each field is a three-letter tag, '#', the byte length of its value in
// decimal, '#', and the value; numbers are decimal (colours as signed 32-bit
// values, so system colours come out negative). The 24 fields, in order:
//   OPT option bits        GWD gutter width        GCL gutter colour
//   WRC word-wrap column   IDS indent step         WRO wrap-override text
//   FON font name          FOS font size           STC selection text colour
//   STB selection back     TBC tab stops as text   TBD default tab width
//   EFF effects            GDF gutter default      MDF margin default
//   SDF sel. text default  BDF sel. back default   FOC font character set
//   RMG right margin       LNN gutter font name    LNS gutter font size
//   LNC gutter font colour LNT gutter font charset LNE gutter font style
// Default flags are "1" or "0"; the gutter font style is the letters I, B,
// U, S (italic, bold, underline, strike-out) in that order. EFF is the count
// of defined effects, then, when it is not 0, a comma and per defined effect
// "<number>,<foreground>,<background>," followed by X (background default),
// Y (foreground default), B, I, U (style) and ';'.
//
// The margin width and colour, the hot-spot flags, the strike-out bit of
// effects, the map, keyword tables, templates, auto-replace entries and key
// assignments are not part of it.
#pragma once

#include "editor/core/sm_settings.h"

#include <string>
#include <string_view>

namespace tarnwick {

inline constexpr std::string_view kStyleStringSignature = "Quorvel6:";

std::string StyleString(const TSM_Settings& settings);

// Reads a style string back into `settings`: the fields it holds replace
// their values, and the effects it lists become the only defined effects
// (each keeps its hot-spot flag). Unknown tags are skipped. Anything
// malformed — signature, field framing, a number, a flag, the effect list,
// the tab stops — raises ECodeMemo "Invalid data in style string" and leaves
// `settings` unchanged.
void ReadStyleString(std::string_view text, TSM_Settings& settings);

}  // namespace tarnwick
