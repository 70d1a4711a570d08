// Qt key events as the editor's keys: the virtual-key code (Windows
// numbering, platform/keys.h) and the shift state. Shifted punctuation
// reports the key that types it on a US keyboard (Shift+1 is VK_1 with
// Shift, "?" is VK_OEM_2 with Shift), so bindings and delimiter keys match
// whatever the layout produced.
#pragma once

#include "platform/keys.h"

#include <Qt>

namespace tarnwick {

// 0 for a key that has no virtual-key code.
uint16_t VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
TShiftState ShiftStateFromQt(Qt::KeyboardModifiers modifiers);

} // namespace tarnwick
