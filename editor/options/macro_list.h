// The two-column list the Auto Correct and Code Templates pages show their
// entries in: a name and its replacement or description. The name of the
// selected row is what the pages act on.
#pragma once

#include "editor/core/macro_keywords.h"

#include <QTreeWidget>

#include <string>

namespace tarnwick {

// A list with the two column captions.
QTreeWidget* MakeMacroList(const QString& first, const QString& second, QWidget* parent);

// Fills the list with every entry (the name, and the second column the
// entry's description when `descriptions` is set, else its expansion) and
// selects the row of `select` (none when it is not listed).
void FillMacroList(QTreeWidget& list, const TMacroKeywords& entries, bool descriptions,
                   const std::string& select);

// The entry name of the selected row; "" when none is selected.
std::string SelectedMacro(const QTreeWidget& list);

}  // namespace tarnwick
