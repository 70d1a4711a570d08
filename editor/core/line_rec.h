// One line record of the editor's text: a piece of a line of at most
// kMaxRecordLen characters including its CR, with its per-character token
// values, gutter marks and repaint flags. Records form a doubly linked chain
// owned by a TTextStore; Next/Prev are links only, never owners.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace tarnwick {

inline constexpr size_t kMaxRecordLen = 2047;  // characters, the CR included
inline constexpr char kCR = '\r';

// Flags bits.
inline constexpr uint32_t lfRepaint = 0x1;     // line must be repainted
inline constexpr uint32_t lfRecolour = 0x2;    // highlight must be recomputed
inline constexpr uint32_t lfHasTab = 0x4;      // the text holds a TAB
inline constexpr uint32_t lfPainted = 0x10;    // cleared with bits 0 and 1 after painting

// Marks bits: 0..9 numbered bookmarks; kMarkContinuation = the record
// continues the logical line of its predecessor.
inline constexpr uint16_t kMarkContinuation = 4096;
inline constexpr uint16_t kBookmarkMask = 0x3FF;

struct TLineRec;

// A host object that follows one line. The chain keeps Rec pointing at the
// record the line currently lives in; the record owns the tracker.
class TLineTracker {
public:
    virtual ~TLineTracker() = default;
    TLineRec* Rec = nullptr;
};

struct TLineRec {
    uint16_t Len = 0;                     // characters in Text, trailing CR included
    std::unique_ptr<char[]> Text;         // Len + 1 bytes, NUL-terminated
    std::unique_ptr<uint8_t[]> Attrs;     // Len token values, or null (not coloured)
    std::unique_ptr<TLineTracker> Tracker;
    uint32_t Flags = 0;
    uint16_t Marks = 0;
    int16_t Marks2 = 0;
    int32_t LineFore = -1;
    int32_t LineBack = -1;
    TLineRec* Next = nullptr;
    TLineRec* Prev = nullptr;

    std::string_view View() const { return {Text.get(), Len}; }
    bool EndsWithCR() const { return Len > 0 && Text[Len - 1] == kCR; }
    // Characters before the CR (the whole record for a continuation piece).
    size_t TextLen() const { return EndsWithCR() ? Len - 1u : Len; }
    bool HasTab() const { return (Flags & lfHasTab) != 0; }
    bool IsContinuation() const { return (Marks & kMarkContinuation) != 0; }
};

// A new record holding `text` (at most kMaxRecordLen bytes), flagged for
// repaint and recolouring, TAB bit set as needed, no marks, no overrides.
TLineRec* NewLineRec(std::string_view text);
// Replaces the record's text, dropping its token values.
void SetLineText(TLineRec& rec, std::string_view text);
// Frees one record (its text, token values and tracker). Links are not touched.
void FreeLineRec(TLineRec* rec);

}  // namespace tarnwick
