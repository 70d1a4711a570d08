// The command table.
#include "editor/core/editor_commands.h"

#include "platform/string_table.h"

#include <array>
#include <cctype>

namespace tarnwick {

namespace {

constexpr TShortCut Ctrl(uint16_t key) { return static_cast<TShortCut>(key | scCtrl); }

constexpr std::array<TCommandInfo, kCommandCount> kCommands = {{
    {caLEFT, "caLEFT", VK_LEFT, 0},
    {caRIGHT, "caRIGHT", VK_RIGHT, 0},
    {caLINEHOME, "caLINEHOME", VK_HOME, 0},
    {caLINEEND, "caLINEEND", VK_END, 0},
    {caUP, "caUP", VK_UP, 0},
    {caDOWN, "caDOWN", VK_DOWN, 0},
    {caPAGEUP, "caPAGEUP", VK_PRIOR, 0},
    {caPAGEDOWN, "caPAGEDOWN", VK_NEXT, 0},
    {caWORDLEFT, "caWORDLEFT", Ctrl(VK_LEFT), 0},
    {caWORDRIGHT, "caWORDRIGHT", Ctrl(VK_RIGHT), 0},
    {caDOCSTART, "caDOCSTART", Ctrl(VK_HOME), 0},
    {caDOCEND, "caDOCEND", Ctrl(VK_END), 0},
    {caCUT, "caCUT", Ctrl(VK_X), 0},
    {caCOPY, "caCOPY", Ctrl(VK_C), 0},
    {caPASTE, "caPASTE", Ctrl(VK_V), 0},
    {caDELETE, "caDELETE", VK_DELETE, 0},
    {caBACKSPACE, "caBACKSPACE", VK_BACK, 0},
    {caBLOCKIND, "caBLOCKIND", Ctrl(VK_K), VK_I},
    {caBLOCKUND, "caBLOCKUND", Ctrl(VK_K), VK_U},
    {caINSTOGGLE, "caINSTOGGLE", VK_INSERT, 0},
    {caSETBOOKMARK0, "caSETBOOKMARK0", Ctrl(VK_K), VK_0},
    {caSETBOOKMARK1, "caSETBOOKMARK1", Ctrl(VK_K), VK_1},
    {caSETBOOKMARK2, "caSETBOOKMARK2", Ctrl(VK_K), VK_2},
    {caSETBOOKMARK3, "caSETBOOKMARK3", Ctrl(VK_K), VK_3},
    {caSETBOOKMARK4, "caSETBOOKMARK4", Ctrl(VK_K), VK_4},
    {caSETBOOKMARK5, "caSETBOOKMARK5", Ctrl(VK_K), VK_5},
    {caSETBOOKMARK6, "caSETBOOKMARK6", Ctrl(VK_K), VK_6},
    {caSETBOOKMARK7, "caSETBOOKMARK7", Ctrl(VK_K), VK_7},
    {caSETBOOKMARK8, "caSETBOOKMARK8", Ctrl(VK_K), VK_8},
    {caSETBOOKMARK9, "caSETBOOKMARK9", Ctrl(VK_K), VK_9},
    {caGOTOBOOKMARK0, "caGOTOBOOKMARK0", Ctrl(VK_Q), VK_0},
    {caGOTOBOOKMARK1, "caGOTOBOOKMARK1", Ctrl(VK_Q), VK_1},
    {caGOTOBOOKMARK2, "caGOTOBOOKMARK2", Ctrl(VK_Q), VK_2},
    {caGOTOBOOKMARK3, "caGOTOBOOKMARK3", Ctrl(VK_Q), VK_3},
    {caGOTOBOOKMARK4, "caGOTOBOOKMARK4", Ctrl(VK_Q), VK_4},
    {caGOTOBOOKMARK5, "caGOTOBOOKMARK5", Ctrl(VK_Q), VK_5},
    {caGOTOBOOKMARK6, "caGOTOBOOKMARK6", Ctrl(VK_Q), VK_6},
    {caGOTOBOOKMARK7, "caGOTOBOOKMARK7", Ctrl(VK_Q), VK_7},
    {caGOTOBOOKMARK8, "caGOTOBOOKMARK8", Ctrl(VK_Q), VK_8},
    {caGOTOBOOKMARK9, "caGOTOBOOKMARK9", Ctrl(VK_Q), VK_9},
    {caDELETELINE, "caDELETELINE", Ctrl(VK_Y), 0},
    {caUNDO, "caUNDO", Ctrl(VK_Z), 0},
    {caREDO, "caREDO", static_cast<TShortCut>(VK_Z | scCtrl | scShift), 0},
    {caDELPREVWORD, "caDELPREVWORD", Ctrl(VK_BACK), 0},
    {caPRINTSEL, "caPRINTSEL", Ctrl(VK_K), VK_P},
}};

bool SameLetters(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

const TCommandInfo* CommandInfo(int code)
{
    return IsCommandCode(code) ? &kCommands[static_cast<size_t>(code)] : nullptr;
}

int CommandFromName(std::string_view name)
{
    for (const TCommandInfo& info : kCommands)
        if (SameLetters(info.Name, name))
            return info.Code;
    return -1;
}

std::string CommandDescription(int code)
{
    return IsCommandCode(code) ? LoadStr(kCommandDescriptionBase + code) : std::string();
}

void SplitMovementShift(uint16_t key, TShiftState& shift, bool& extend)
{
    extend = (shift & ssShift) != 0;
    switch (key) {
    case VK_BACK:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        shift = static_cast<TShiftState>(shift & ~ssShift);
        break;
    default:
        break;
    }
}

}  // namespace tarnwick
