// The editor's 45 commands: codes, names, description texts and the keys
// they are bound to when the program starts.
//
// Codes are stored in schemes and settings streams and never change. The
// name is what key-assignment scripts and settings use; the description is
// string-table text 4146 + code, shown on the key-assignment page.
#pragma once

#include "platform/keys.h"

#include <string>
#include <string_view>

namespace tarnwick {

enum TCommandCode : int {
    caLEFT = 0,
    caRIGHT = 1,
    caLINEHOME = 2,
    caLINEEND = 3,
    caUP = 4,
    caDOWN = 5,
    caPAGEUP = 6,
    caPAGEDOWN = 7,
    caWORDLEFT = 8,
    caWORDRIGHT = 9,
    caDOCSTART = 10,
    caDOCEND = 11,
    caCUT = 12,
    caCOPY = 13,
    caPASTE = 14,
    caDELETE = 15,
    caBACKSPACE = 16,
    caBLOCKIND = 17,
    caBLOCKUND = 18,
    caINSTOGGLE = 19,
    caSETBOOKMARK0 = 20,
    caSETBOOKMARK1,
    caSETBOOKMARK2,
    caSETBOOKMARK3,
    caSETBOOKMARK4,
    caSETBOOKMARK5,
    caSETBOOKMARK6,
    caSETBOOKMARK7,
    caSETBOOKMARK8,
    caSETBOOKMARK9,
    caGOTOBOOKMARK0 = 30,
    caGOTOBOOKMARK1,
    caGOTOBOOKMARK2,
    caGOTOBOOKMARK3,
    caGOTOBOOKMARK4,
    caGOTOBOOKMARK5,
    caGOTOBOOKMARK6,
    caGOTOBOOKMARK7,
    caGOTOBOOKMARK8,
    caGOTOBOOKMARK9,
    caDELETELINE = 40,
    caUNDO = 41,
    caREDO = 42,
    caDELPREVWORD = 43,
    caPRINTSEL = 44,
};

inline constexpr int kCommandCount = 45;
// String-table number of command 0's description.
inline constexpr int kCommandDescriptionBase = 4146;

struct TCommandInfo {
    int Code;
    const char* Name;         // "caLEFT"
    TShortCut FirstKey;       // default binding
    TShortCut SecondKey;      // 0 for a one-key binding
};

// The command with code 0..44; null for any other code.
const TCommandInfo* CommandInfo(int code);
// The code of a command name (matched without regard to letter case); -1
// when no command has that name.
int CommandFromName(std::string_view name);
// The description text from the string table ("" when the table lacks it).
std::string CommandDescription(int code);
// True for the codes the editor executes (0..44).
inline bool IsCommandCode(int code) { return code >= 0 && code < kCommandCount; }

// Keys whose Shift state extends the selection instead of being part of the
// binding: Backspace, PgUp, PgDn, End, Home and the four arrows. For such a
// key, Shift is taken out of `shift` and `extend` is set; for others `shift`
// is unchanged and `extend` is whether Shift is down.
void SplitMovementShift(uint16_t key, TShiftState& shift, bool& extend);

}  // namespace tarnwick
