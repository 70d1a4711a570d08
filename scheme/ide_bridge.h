// The IDE highlight settings bridge: a scheme takes its colours and font
// styles from the highlight settings of the Delphi 1 to 4 IDE, so snippets
// look as they do in the user's IDE.
//
// Sources (the registry is the current user's hive, platform/registry.h):
//   '1'       section "highlight" of "delphi.ini" in the application folder
//             (which stands for the system's INI-file location);
//   '2', '3'  registry key Software\Borland\Delphi\<v>.0\Highlight, one string
//             value per element;
//   '4'       registry key Software\Borland\Delphi\4.0\Editor\Highlight, one
//             subkey per element with colour indexes and Boolean strings.
//
// Elements and the effects they set (versions 1 to 3 / version 4 names):
//   Comment 5, Identifier 2, Number 4, Plain_text / "Plain text" 0,
//   Reserved_word / "Reserved word" 7, String 3, Symbol 10, Whitespace 0,
// applied in that order (so effect 0 ends with the Whitespace settings when
// both are present), then Marked_block / "Marked block" for the selection
// text colour and background. An element that is missing leaves its effect
// untouched; a value that is missing or unreadable falls back to the
// defaults (black text on white, no style).
//
// The change stays in memory: it is not written to the compiled scheme file.
#pragma once

#include "editor/core/code_memo_parser_base.h"
#include "editor/core/sm_colors.h"
#include "editor/core/sm_settings.h"

#include <array>
#include <string_view>

namespace tarnwick {

inline constexpr const char* kMsgInvalidIdeVersion = "SetToDelphi: Invalid version number (%s)";
inline constexpr const char* kMsgIdeNotInstalled = "Delphi %s.x is not installed";

// Registry colour index (0..15) of the version-4 settings to colour.
inline constexpr std::array<TColor, 16> kIdePalette{
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0x808080,
    0xC0C0C0, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

// Reads the settings of IDE version '1' to '4' into the scheme's effects and
// selection colours, tells the settings object that the effects changed and
// re-applies the scheme to its editors. Raises ECodeMemo
// "SetToDelphi: Invalid version number (<c>)" for any other character, and
// "Delphi <c>.x is not installed" when the registry key of version 2, 3 or 4
// does not exist; then nothing has changed. A missing "delphi.ini" changes
// nothing.
void SetToDelphi(TCustomCodeMemoParser& scheme, char version);

// The effect a version 1-3 value string describes: five comma-separated
// fields — foreground, background (decimal colours, masked to 24 bits,
// default black and white), style letters b/i/u in either case, and the
// default-foreground and default-background flags ("1" makes the colour
// black or white). Any text is accepted; what cannot be read keeps its
// default.
TSM_Effect ParseIdeValueString(std::string_view value);

}  // namespace tarnwick
