// The editor's option bits (the internal option mask; the published option
// set maps onto it one to one) and their reset value.
#pragma once

#include <cstdint>

namespace tarnwick {

inline constexpr uint32_t smoLineNumbers = 0x1;
inline constexpr uint32_t smoSyntaxHighlight = 0x10;
inline constexpr uint32_t smoPrintWrap = 0x20;
inline constexpr uint32_t smoPrintLineNos = 0x40;
inline constexpr uint32_t smoPrintFilename = 0x80;
inline constexpr uint32_t smoPrintDate = 0x100;
inline constexpr uint32_t smoPrintPageNos = 0x200;
inline constexpr uint32_t smoWordWrap = 0x400;
inline constexpr uint32_t smoAutoIndent = 0x800;
inline constexpr uint32_t smoTabToColumn = 0x1000;
inline constexpr uint32_t smoWrapOverride = 0x2000;
inline constexpr uint32_t smoWordSelect = 0x4000;
inline constexpr uint32_t smoShowRMargin = 0x8000;
inline constexpr uint32_t smoShowGutter = 0x10000;
inline constexpr uint32_t smoShowWrapColumn = 0x20000;
inline constexpr uint32_t smoTitleAsFilename = 0x40000;
inline constexpr uint32_t smoProcessDroppedFiles = 0x80000;
inline constexpr uint32_t smoBlockOverwriteCursor = 0x100000;
inline constexpr uint32_t smoShowWrapGlyph = 0x200000;
inline constexpr uint32_t smoColumnTrack = 0x400000;
inline constexpr uint32_t smoUseTAB = 0x800000;
inline constexpr uint32_t smoSmartFill = 0x1000000;
inline constexpr uint32_t smoOLEDragSource = 0x2000000;
inline constexpr uint32_t smoShowAllChars = 0x4000000;
inline constexpr uint32_t smoCaretAfterEOL = 0x8000000;

// Every option from 0x10 to 0x2000000 except word wrap and wrap override.
inline constexpr uint32_t kOptionsReset = 0x3FFDBF0;

}  // namespace tarnwick
