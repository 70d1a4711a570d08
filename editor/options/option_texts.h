// Captions of the editor options dialog, read from the program's string
// table (resources/strings/string_ids.h) and turned into Qt text.
#pragma once

#include "chrome/ansi_text.h"
#include "platform/string_table.h"
#include "resources/strings/string_ids.h"

#include <QString>

namespace tarnwick {

inline QString OptionText(int id) { return AnsiToQt(LoadStr(id)); }

// The caption of a button that opens a further dialog: "Add..." and "Edit...".
inline QString OptionTextDots(int id) { return OptionText(id) + QStringLiteral("..."); }

}  // namespace tarnwick
